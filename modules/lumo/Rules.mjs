// The rules of the Lumo light games, shared by the single games (Lumo 11, 12, 13) and
// the run of twenty puzzles (Lumo 18). Plain functions over plain data: a board is its
// cells and their neighbourhoods, a position is one level a lamp; pressing a lamp steps
// it and its neighbours one level down (bright, dim, out, then bright again), so every
// puzzle is a linear system modulo the number of levels and can be solved exactly.
import * as Random from "../common/Random.mjs";

// A result keeps at most 99 moves and 9,999,999 ms (2:46:39.999): a game that would
// need more ends there.
export const maxMoves = 99;
export const maxTimeMs = 9999999;
export const runLength = 20;

const plus = [[0, 0], [0, -1], [-1, 0], [1, 0], [0, 1]];
const hexSteps = [[0, 0], [1, 0], [-1, 0], [0, 1], [0, -1], [1, -1], [-1, 1]];

// A rectangular board: cells at whole coordinates, each with itself and its four
// orthogonal neighbours.
export function squareBoard(cols, rows, levels) {
    const cells = [], neighbours = [];
    for (let r = 0; r < rows; ++r)
        for (let c = 0; c < cols; ++c)
            cells.push({ x: c, y: r });
    for (let r = 0; r < rows; ++r)
        for (let c = 0; c < cols; ++c) {
            const near = [];
            for (const [dc, dr] of plus)
                if (c + dc >= 0 && c + dc < cols && r + dr >= 0 && r + dr < rows)
                    near.push((r + dr) * cols + c + dc);
            neighbours.push(near);
        }
    return { shape: "square", cols: cols, rows: rows, levels: levels, cells: cells, neighbours: neighbours };
}

// A honeycomb of round lamps, `radius` rings around the centre, each lamp with itself
// and its six touching neighbours. Cells are laid out one unit apart.
export function hexBoard(radius, levels) {
    const cells = [], axial = [], index = {};
    for (let r = -radius; r <= radius; ++r)
        for (let q = -radius; q <= radius; ++q) {
            if (Math.abs(q + r) > radius)
                continue;
            index[q + "," + r] = cells.length;
            axial.push([q, r]);
            cells.push({ x: q + r / 2, y: r * Math.sqrt(3) / 2 });
        }
    const neighbours = axial.map(([q, r]) => hexSteps
        .map(([dq, dr]) => index[(q + dq) + "," + (r + dr)])
        .filter(i => i !== undefined));
    const span = 2 * radius + 1;
    return { shape: "hex", cols: span, rows: span, levels: levels, cells: cells, neighbours: neighbours };
}

// The three single games: their boards, how many lamps the deal presses, and their texts.
export const games = {
    lumo11: { title: "Lumo 11", presses: 8, board: () => squareBoard(6, 6, 2),
              summary: "Six by six lamps; a lamp and the four beside it switch." },
    lumo12: { title: "Lumo 12", presses: 8, board: () => hexBoard(3, 2),
              summary: "A honeycomb of 37 lamps; a lamp and the six around it switch." },
    lumo13: { title: "Lumo 13", presses: 6, board: () => squareBoard(5, 5, 3),
              summary: "Lamps with three levels: bright, dim, out. Each press steps a lamp and the four beside it one level down; out goes back to bright." }
};

// The game a movie plays for its gameType; an unknown type plays Lumo 12.
export function gameTypeOf(gameType) {
    return games[gameType] ? gameType : "lumo12";
}

// The position after pressing lamp i.
export function press(board, lamps, i) {
    const out = lamps.slice();
    for (const j of board.neighbours[i])
        out[j] = (out[j] + board.levels - 1) % board.levels;
    return out;
}

export function isDark(lamps) {
    return lamps.every(level => level === 0);
}

// A solvable position: from all lamps out, `presses` different lamps are pressed once or,
// on three-level boards, once or twice. A deal that happens to leave every lamp out is
// dealt again from the same generator.
export function deal(board, rng, presses) {
    const n = board.cells.length;
    for (;;) {
        let lamps = new Array(n).fill(0);
        const chosen = Random.shuffled(rng, [...Array(n).keys()]).slice(0, Math.min(presses, n));
        for (const i of chosen) {
            const times = board.levels > 2 ? Random.between(rng, 1, board.levels - 1) : 1;
            for (let t = 0; t < times; ++t)
                lamps = press(board, lamps, i);
        }
        if (!isDark(lamps))
            return lamps;
    }
}

function inverse(a, p) {
    for (let b = 1; b < p; ++b)
        if ((a * b) % p === 1)
            return b;
    return 0;
}

// The fewest presses that put every lamp out: how often to press each lamp (0 .. levels
// - 1), or null when no presses can (never for a dealt position). Pressing lamp j
// lowers each lamp i of its neighbourhood by one, so the presses x solve A x = lamps
// modulo the number of levels; when the board leaves choices (A is singular), every
// solution is tried while there are at most 4096 of them.
export function solve(board, lamps) {
    const n = board.cells.length, p = board.levels;
    const m = [];
    for (let i = 0; i < n; ++i)
        m.push(new Array(n + 1).fill(0));
    for (let j = 0; j < n; ++j)
        for (const i of board.neighbours[j])
            m[i][j] = 1;
    for (let i = 0; i < n; ++i)
        m[i][n] = lamps[i] % p;

    const pivotCols = [];
    let row = 0;
    for (let col = 0; col < n && row < n; ++col) {
        let found = -1;
        for (let r = row; r < n; ++r)
            if (m[r][col] !== 0) {
                found = r;
                break;
            }
        if (found < 0)
            continue;
        [m[row], m[found]] = [m[found], m[row]];
        const inv = inverse(m[row][col], p);
        for (let c = col; c <= n; ++c)
            m[row][c] = (m[row][c] * inv) % p;
        for (let r = 0; r < n; ++r) {
            const f = m[r][col];
            if (r === row || f === 0)
                continue;
            for (let c = col; c <= n; ++c)
                m[r][c] = ((m[r][c] - f * m[row][c]) % p + p) % p;
        }
        pivotCols.push(col);
        ++row;
    }
    for (let r = row; r < n; ++r)
        if (m[r][n] !== 0)
            return null;

    const isPivot = new Array(n).fill(false);
    for (const c of pivotCols)
        isPivot[c] = true;
    const free = [];
    for (let c = 0; c < n; ++c)
        if (!isPivot[c])
            free.push(c);

    // The presses for a choice of the free lamps' presses.
    const solutionFor = (choice) => {
        const x = new Array(n).fill(0);
        free.forEach((c, k) => { x[c] = choice[k]; });
        pivotCols.forEach((c, r) => {
            let v = m[r][n];
            for (const f of free)
                v -= m[r][f] * x[f];
            x[c] = ((v % p) + p) % p;
        });
        return x;
    };
    const count = x => x.reduce((a, b) => a + b, 0);

    let best = solutionFor(new Array(free.length).fill(0));
    if (Math.pow(p, free.length) > 4096)
        return best;
    const choice = new Array(free.length).fill(0);
    for (;;) {
        let k = 0;
        while (k < choice.length && choice[k] === p - 1)
            choice[k++] = 0;
        if (k === choice.length)
            break;
        ++choice[k];
        const x = solutionFor(choice);
        if (count(x) < count(best))
            best = x;
    }
    return best;
}

export function fewestMoves(board, lamps) {
    const x = solve(board, lamps);
    return x ? x.reduce((a, b) => a + b, 0) : -1;
}

// The lamp next to `from` in a direction (dx, dy of -1, 0 or 1): the nearest cell that
// lies more in that direction than across it; `from` itself when there is none.
export function step(board, from, dx, dy) {
    const a = board.cells[from];
    let best = from, bestCost = Infinity;
    board.cells.forEach((c, i) => {
        const along = (c.x - a.x) * dx + (c.y - a.y) * dy;
        const across = Math.abs((c.x - a.x) * dy - (c.y - a.y) * dx);
        if (i === from || along <= 0.1 || across > along * 1.2 + 0.01)
            return;
        const cost = Math.hypot(c.x - a.x, c.y - a.y) + across;
        if (cost < bestCost - 1e-9) {
            best = i;
            bestCost = cost;
        }
    });
    return best;
}

// The name as the result list carries it: a comma would split the list, so none gets in
// (the name field refuses commas already).
export function plainName(name) {
    return String(name === undefined || name === null ? "" : name).replace(/,/g, "");
}

// ---- A single game (Lumo 11, 12, 13) ----
// { gameType, board, lamps, fewest, moves, timeMs, helped, over, outcome }
// outcome: "" while playing, "solved", "moves" (99 moves without putting the lamps
// out) or "time" (the longest time a result holds has passed).

export function newGame(gameType, seed) {
    const type = gameTypeOf(gameType);
    const board = games[type].board();
    const lamps = deal(board, Random.make(seed), games[type].presses);
    return { gameType: type, board: board, lamps: lamps, fewest: fewestMoves(board, lamps),
             moves: 0, timeMs: 0, helped: false, over: false, outcome: "" };
}

// The game after pressing lamp i; a finished game or a lamp off the board changes nothing.
export function move(game, i) {
    if (game.over || !(i >= 0 && i < game.board.cells.length))
        return game;
    const next = Object.assign({}, game, { lamps: press(game.board, game.lamps, i), moves: game.moves + 1 });
    if (isDark(next.lamps))
        return Object.assign(next, { over: true, outcome: "solved" });
    if (next.moves >= maxMoves)
        return Object.assign(next, { over: true, outcome: "moves" });
    return next;
}

// The game with its playing time; reaching the longest time a result holds ends it.
export function tick(game, ms) {
    if (game.over)
        return game;
    const t = Math.max(0, Math.min(Math.floor(ms), maxTimeMs));
    if (t >= maxTimeMs)
        return Object.assign({}, game, { timeMs: t, over: true, outcome: "time" });
    return Object.assign({}, game, { timeMs: t });
}

// The game from the moment help was shown: it records no result.
export function withHelp(game) {
    return game.over ? game : Object.assign({}, game, { helped: true });
}

// The "writescore" list of a finished game: slot id, moves, time in ms, the player's
// name; null when there is nothing to record (not solved, or solved with help).
export function result(game, name) {
    if (game.outcome !== "solved" || game.helped)
        return null;
    return [game.gameType, game.moves, game.timeMs, plainName(name)];
}

// ---- The run of twenty puzzles (Lumo 18) ----
// { seed, puzzle (0-based), solved, board, lamps, fewest, moves, timeMs, helped, over,
//   outcome }: moves and time count over the whole run. outcome: "" while playing,
// "complete" (all twenty solved), "ended" (the player ended the run), "moves" or "time"
// (the run reached the most a result holds).

// Puzzle k (0-based) of a run: the board grows from 3 x 3 to 7 x 7 every four puzzles,
// and the deal presses one more lamp every five. The presses of all twenty together
// (50) leave room below the 99 moves a result holds.
export function runPuzzleSize(k) {
    return 3 + Math.floor(k / 4);
}
export function runPuzzlePresses(k) {
    return 1 + Math.floor(k / 5);
}

function dealRunPuzzle(seed, k) {
    const size = runPuzzleSize(k);
    const board = squareBoard(size, size, 2);
    const lamps = deal(board, Random.make((seed + Math.imul(k + 1, 0x9e3779b9)) >>> 0), runPuzzlePresses(k));
    return { board: board, lamps: lamps, fewest: fewestMoves(board, lamps) };
}

export function newRun(seed) {
    return Object.assign({ seed: seed >>> 0, puzzle: 0, solved: 0, moves: 0, timeMs: 0,
                           helped: false, over: false, outcome: "" }, dealRunPuzzle(seed >>> 0, 0));
}

// The run after pressing lamp i: a solved puzzle counts and the next one is dealt.
export function runMove(run, i) {
    if (run.over || !(i >= 0 && i < run.board.cells.length))
        return run;
    let next = Object.assign({}, run, { lamps: press(run.board, run.lamps, i), moves: run.moves + 1 });
    if (isDark(next.lamps)) {
        next.solved += 1;
        if (next.solved >= runLength)
            return Object.assign(next, { over: true, outcome: "complete" });
        next.puzzle += 1;
        next = Object.assign(next, dealRunPuzzle(run.seed, next.puzzle));
    }
    if (next.moves >= maxMoves)
        return Object.assign(next, { over: true, outcome: "moves" });
    return next;
}

// The run ended by the player: the puzzles solved so far count.
export function endRun(run) {
    return run.over ? run : Object.assign({}, run, { over: true, outcome: "ended" });
}

export function runTick(run, ms) {
    if (run.over)
        return run;
    const t = Math.max(0, Math.min(Math.floor(ms), maxTimeMs));
    return Object.assign({}, run, t >= maxTimeMs ? { timeMs: t, over: true, outcome: "time" } : { timeMs: t });
}

// The "writescore" list of a finished run: slot id, puzzles solved, moves, time in ms,
// the player's name; null while it runs, for a run played with help and for a run ended
// before its first move.
export function runResult(run, name) {
    if (!run.over || run.helped || run.moves === 0)
        return null;
    return ["lumo18", run.solved, run.moves, run.timeMs, plainName(name)];
}

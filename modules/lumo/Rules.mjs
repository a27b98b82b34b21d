// SPDX-License-Identifier: GPL-3.0-or-later
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

// The three single games: their boards, the one par every recorded deal has, and their
// texts. The par is the fewest presses that put a deal out, the same for every deal of a
// game, so a list ranked by moves compares like with like.
export const games = {
    lumo11: { title: "Lumo 11", par: 8, board: () => squareBoard(6, 6, 2),
              summary: "Six by six lamps; a lamp and the four beside it switch." },
    lumo12: { title: "Lumo 12", par: 8, board: () => hexBoard(3, 2),
              summary: "A honeycomb of 37 lamps; a lamp and the six around it switch." },
    lumo13: { title: "Lumo 13", par: 9, board: () => squareBoard(5, 5, 3),
              summary: "Lamps with three levels: bright, dim, out. Each press steps a lamp and the four beside it one level down; out goes back to bright." }
};

// Practice levels: the game's board at a par that grows by one a level, from 2 presses
// to 13. They record nothing; reaching the next one is what they give.
export const ladderLength = 12;

export function ladderPar(level) {
    return 1 + Math.max(1, Math.min(ladderLength, Math.floor(level)));
}

// The practice level a player has reached, read back from the text the store keeps: a
// whole number 1..ladderLength; anything else (nothing stored yet, a damaged text) is 1.
export function levelFromStore(text) {
    const s = String(text === undefined || text === null ? "" : text).trim();
    if (!/^[0-9]{1,3}$/.test(s))
        return 1;
    return Math.max(1, Math.min(ladderLength, Number(s)));
}

// The key under which the store keeps the level reached in a game.
export function levelKey(gameType) {
    return gameTypeOf(gameType) + ".level";
}

// The level reached after a practice game: solving the highest level reached without
// help opens the next one; anything else leaves it.
export function levelAfter(reached, game) {
    if (game.level === reached && game.outcome === "solved" && !game.helped && reached < ladderLength)
        return reached + 1;
    return reached;
}

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

// A position whose fewest presses are exactly `par`: the presses that will put it out
// are chosen first, `par` in all and each lamp at most levels - 1 times, and the
// position is what undoing them from all lamps out leaves (a lamp pressed as often as
// there are levels is back where it was). Where the board lets presses cancel (some
// choices can be put out with fewer presses) such a deal is thrown away and dealt again
// from the same generator, so a seed still gives one deal.
export function deal(board, rng, par) {
    const n = board.cells.length, most = board.levels - 1;
    const total = Math.max(1, Math.min(Math.floor(par), n * most));
    for (;;) {
        const times = new Array(n).fill(0);
        const order = Random.shuffled(rng, [...Array(n).keys()]);
        // Lamps pressed more than once are spread at random over the first few lamps.
        let left = total, k = 0;
        while (left > 0) {
            const lamp = order[k % n];
            const room = most - times[lamp];
            const t = Math.min(left, room, k < n && most > 1 ? Random.between(rng, 1, most) : room);
            times[lamp] += t;
            left -= t;
            ++k;
        }
        let lamps = new Array(n).fill(0);
        times.forEach((count, i) => {
            for (let t = count ? count : board.levels; t < board.levels; ++t)
                lamps = press(board, lamps, i);
        });
        if (!isDark(lamps) && fewestMoves(board, lamps) === total)
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
// (the name field refuses commas already); an empty name goes as "NoName Player", the
// name the station gives a player who types none.
export const noName = "NoName Player";

export function sentName(name) {
    const plain = String(name === undefined || name === null ? "" : name).replace(/,/g, "").trim();
    return plain === "" ? noName : plain;
}

// The name the field starts with: the one last used in this movie, else the one the
// station last recorded, else nothing (the field then shows its placeholder).
export function startingName(usedHere, lastName) {
    const clean = text => String(text === undefined || text === null ? "" : text).replace(/,/g, "").trim();
    return clean(usedHere) || clean(lastName);
}

// ---- A single game (Lumo 11, 12, 13) ----
// { gameType, level, par, board, lamps, fewest, moves, timeMs, helped, over, outcome }
// level: 0 for the game that records a result, 1..ladderLength for a practice level.
// outcome: "" while playing, "solved", "moves" (99 moves without putting the lamps
// out) or "time" (the longest time a result holds has passed).

export function newGame(gameType, seed, level) {
    const type = gameTypeOf(gameType);
    const practice = level >= 1 ? Math.min(ladderLength, Math.floor(level)) : 0;
    const par = practice ? ladderPar(practice) : games[type].par;
    const board = games[type].board();
    const lamps = deal(board, Random.make(seed), par);
    return { gameType: type, level: practice, par: par, board: board, lamps: lamps,
             fewest: par, moves: 0, timeMs: 0, helped: false, over: false,
             outcome: "" };
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
// name; null when there is nothing to record (not solved, solved with help, or a
// practice level).
export function result(game, name) {
    if (game.outcome !== "solved" || game.helped || game.level)
        return null;
    return [game.gameType, game.moves, game.timeMs, sentName(name)];
}

// ---- The run of twenty puzzles (Lumo 18) ----
// { seed, puzzle (0-based), solved, board, lamps, par, fewest, moves, timeMs, shown,
//   over, outcome }: moves and time count over the whole run; shown is true once the
// solution of the current puzzle has been paid for. outcome: "" while playing,
// "complete" (all twenty solved), "ended" (the player ended the run), "moves" or "time"
// (the run reached the most a result holds).

// The twenty puzzles: board side, lamp levels and par. The par grows from 1 to 8 and
// the last third has three-level lamps; all pars together (80) leave 19 of the 99 moves
// a result holds for slips and shown solutions.
export const runPuzzles = [
    [3, 2, 1], [3, 2, 1], [3, 2, 1], [4, 2, 2], [4, 2, 2], [4, 2, 2], [5, 2, 3],
    [5, 2, 3], [5, 2, 3], [5, 2, 4], [6, 2, 4], [6, 2, 4], [6, 2, 5],
    [4, 3, 5], [4, 3, 5], [4, 3, 6], [5, 3, 6], [5, 3, 7], [5, 3, 8], [5, 3, 8]
].map(([side, levels, par]) => ({ side: side, levels: levels, par: par }));

// Showing the solution of a run's puzzle costs as many moves as its par.
export function solutionCost(run) {
    return run.shown || run.over ? 0 : run.par;
}

function dealRunPuzzle(seed, k) {
    const p = runPuzzles[k];
    const board = squareBoard(p.side, p.side, p.levels);
    const lamps = deal(board, Random.make((seed + Math.imul(k + 1, 0x9e3779b9)) >>> 0), p.par);
    return { board: board, lamps: lamps, par: p.par, fewest: p.par, shown: false };
}

export function newRun(seed) {
    return Object.assign({ seed: seed >>> 0, puzzle: 0, solved: 0, moves: 0, timeMs: 0,
                           over: false, outcome: "" }, dealRunPuzzle(seed >>> 0, 0));
}

function outOfMoves(run) {
    return run.moves >= maxMoves ? Object.assign(run, { moves: maxMoves, over: true, outcome: "moves" }) : run;
}

// The run after pressing lamp i: a solved puzzle counts and the next one is dealt.
export function runMove(run, i) {
    if (run.over || !(i >= 0 && i < run.board.cells.length))
        return run;
    let next = Object.assign({}, run, { lamps: press(run.board, run.lamps, i), moves: run.moves + 1 });
    if (isDark(next.lamps)) {
        next.solved += 1;
        if (next.solved >= runPuzzles.length)
            return Object.assign(next, { over: true, outcome: "complete" });
        next.puzzle += 1;
        next = Object.assign(next, dealRunPuzzle(run.seed, next.puzzle));
    }
    return outOfMoves(next);
}

// The run once the current puzzle's solution is shown: its cost is added to the moves
// (once a puzzle); a run that cannot pay it ends out of moves.
export function showSolution(run) {
    const cost = solutionCost(run);
    if (!cost)
        return run;
    return outOfMoves(Object.assign({}, run, { moves: run.moves + cost, shown: true }));
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
// the player's name; null while it runs and for a run that solved no puzzle.
export function runResult(run, name) {
    if (!run.over || run.solved === 0)
        return null;
    return ["lumo18", run.solved, run.moves, run.timeMs, sentName(name)];
}

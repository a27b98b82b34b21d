// SPDX-License-Identifier: GPL-3.0-or-later
// Pelora's rules: balls on a square grid. A ball moves to an empty cell along a free
// path of horizontal and vertical steps; five or more balls of one colour in a row,
// column or diagonal vanish and score. A move that clears nothing brings the next balls
// (shown in advance) onto random empty cells. The game ends when the board is full.
// Plain functions over plain data; every move gives a new game object.
//
// Cells are numbered row by row from the top left: index = row * size + col; a cell
// holds a colour 0..colours-1, or -1 when it is empty.
import * as Random from "../common/Random.mjs";

export const size = 9;
export const colours = 7;
export const lineLength = 5;
export const startBalls = 5;
export const ballsPerTurn = 3;
// A record's score field is ranked as six digits, so no result may go beyond this.
export const maxScore = 999999;

// Points for the balls one move takes off: 10 for a line of five, and each ball more
// is worth more than the one before (6: 24, 7: 42, a cross of 9: 90).
export function points(n) {
    return n < lineLength ? 0 : 2 * n * (n - 4);
}

function emptyCells(cells) {
    const out = [];
    cells.forEach((c, i) => { if (c < 0) out.push(i); });
    return out;
}

export function freeCount(game) {
    return emptyCells(game.cells).length;
}

// The cells of the lines of five or more through `index` that share its colour: its
// row, column and both diagonals, crossing lines together (the cell itself once).
export function linesThrough(cells, n, index) {
    const colour = cells[index];
    if (colour < 0)
        return [];
    const row = Math.floor(index / n), col = index % n;
    const found = new Set();
    for (const [dr, dc] of [[0, 1], [1, 0], [1, 1], [1, -1]]) {
        const run = [index];
        for (const sign of [1, -1]) {
            let r = row + sign * dr, c = col + sign * dc;
            while (r >= 0 && r < n && c >= 0 && c < n && cells[r * n + c] === colour) {
                run.push(r * n + c);
                r += sign * dr;
                c += sign * dc;
            }
        }
        if (run.length >= lineLength)
            run.forEach(i => found.add(i));
    }
    return Array.from(found).sort((a, b) => a - b);
}

// The way back from every empty cell a step walk from `from` reaches: previous[i] is
// the cell before i (-1 at the start, -2 where the walk never came).
function walk(cells, n, from) {
    const previous = new Array(n * n).fill(-2);
    previous[from] = -1;
    const queue = [from];
    for (let head = 0; head < queue.length; ++head) {
        const at = queue[head];
        const row = Math.floor(at / n), col = at % n;
        for (const [dr, dc] of [[0, 1], [0, -1], [1, 0], [-1, 0]]) {
            const r = row + dr, c = col + dc;
            const next = r * n + c;
            if (r < 0 || r >= n || c < 0 || c >= n || previous[next] !== -2 || cells[next] >= 0)
                continue;
            previous[next] = at;
            queue.push(next);
        }
    }
    return previous;
}

// The empty cells the ball at `from` can move to, as a list of indexes.
export function reachable(cells, n, from) {
    if (cells[from] < 0)
        return [];
    const out = [];
    walk(cells, n, from).forEach((p, i) => { if (p >= 0) out.push(i); });
    return out;
}

// The shortest free path from a ball to an empty cell, both ends included, by steps
// left, right, up and down through empty cells; [] when there is none.
export function path(cells, n, from, to) {
    if (from === to || cells[from] < 0 || cells[to] >= 0)
        return [];
    const previous = walk(cells, n, from);
    if (previous[to] === -2)
        return [];
    const out = [];
    for (let at = to; at !== -1; at = previous[at])
        out.unshift(at);
    return out;
}

function drawColours(rng) {
    const out = [];
    for (let i = 0; i < ballsPerTurn; ++i)
        out.push(Random.below(rng, colours));
    return out;
}

// The longest run of one colour through `index` in any of the four directions.
function longestRun(cells, n, index) {
    const colour = cells[index];
    const row = Math.floor(index / n), col = index % n;
    let longest = 0;
    for (const [dr, dc] of [[0, 1], [1, 0], [1, 1], [1, -1]]) {
        let run = 1;
        for (const sign of [1, -1]) {
            let r = row + sign * dr, c = col + sign * dc;
            while (r >= 0 && r < n && c >= 0 && c < n && cells[r * n + c] === colour) {
                ++run;
                r += sign * dr;
                c += sign * dc;
            }
        }
        longest = Math.max(longest, run);
    }
    return longest;
}

// Keeps the game's records of one clearing: its longest line and the balls it took.
function noteClearing(game, cells, ends, cleared) {
    if (!cleared)
        return;
    const longest = Math.max.apply(null, ends.map(i => longestRun(cells, game.size, i)));
    game.longestLine = Math.max(game.longestLine || 0, longest);
    game.mostCleared = Math.max(game.mostCleared || 0, cleared);
}

// Puts the coming balls on random empty cells; the lines they make vanish and score.
function bringBalls(game, rng) {
    const cells = game.cells;
    const placed = [];
    for (const colour of game.next) {
        const free = emptyCells(cells);
        if (!free.length)
            break;
        const at = free[Random.below(rng, free.length)];
        cells[at] = colour;
        placed.push(at);
    }
    const cleared = new Set();
    const ends = [];
    for (const at of placed) {
        const line = linesThrough(cells, game.size, at);
        line.forEach(i => cleared.add(i));
        if (line.length)
            ends.push(at);
    }
    noteClearing(game, cells, ends, cleared.size);
    cleared.forEach(i => { cells[i] = -1; });
    game.placed = placed;
    game.cleared = Array.from(cleared).sort((a, b) => a - b);
    game.score += points(cleared.size);
    game.next = drawColours(rng);
}

export function newGame(seed) {
    const rng = Random.make(seed);
    const game = {
        seed: seed,
        size: size,
        cells: new Array(size * size).fill(-1),
        next: [],
        score: 0,
        moves: 0,
        over: false,
        path: [],          // the last move's way, for the view
        placed: [],        // the cells that got new balls in the last move
        cleared: [],       // the cells whose balls vanished in the last move
        longestLine: 0,    // the longest line ever cleared
        mostCleared: 0,    // the most balls one move (or one arrival) took off
        previous: null     // the game before the last move, for one step back
    };
    for (let i = 0; i < startBalls; ++i) {
        const free = emptyCells(game.cells);
        game.cells[free[Random.below(rng, free.length)]] = Random.below(rng, colours);
    }
    game.next = drawColours(rng);
    game.rng = rng.state;
    return game;
}

// A game from text rows, one character a cell: a digit is a colour, "." an empty cell;
// `next` the coming colours. For tests and set scenes.
export function gameFromRows(seed, lines, next) {
    const game = newGame(seed);
    game.size = lines.length;
    game.cells = lines.join("").split("").map(ch => ch === "." ? -1 : Number(ch));
    if (next)
        game.next = next.slice();
    return game;
}

export function rowsOf(game) {
    const out = [];
    for (let r = 0; r < game.size; ++r)
        out.push(game.cells.slice(r * game.size, (r + 1) * game.size).map(c => c < 0 ? "." : String(c)).join(""));
    return out;
}

// The game after moving the ball at `from` to the empty cell `to`, or null when that
// is no move (no ball there, the target taken, no free path, the game over).
export function move(game, from, to) {
    if (game.over)
        return null;
    const way = path(game.cells, game.size, from, to);
    if (!way.length)
        return null;
    const next = Object.assign({}, game, {
        cells: game.cells.slice(),
        moves: game.moves + 1,
        path: way,
        placed: [],
        cleared: [],
        previous: Object.assign({}, game, { previous: null })
    });
    next.cells[to] = next.cells[from];
    next.cells[from] = -1;
    const line = linesThrough(next.cells, next.size, to);
    noteClearing(next, next.cells, [to], line.length);
    if (line.length) {
        line.forEach(i => { next.cells[i] = -1; });
        next.cleared = line;
        next.score = game.score + points(line.length);
    }
    // New balls after a move that clears nothing, and on a board cleared to nothing.
    if (!line.length || emptyCells(next.cells).length === next.cells.length) {
        const rng = { state: game.rng };
        const clearedByMove = next.cleared;
        bringBalls(next, rng);
        next.cleared = clearedByMove.concat(next.cleared);
        next.rng = rng.state;
    }
    next.over = emptyCells(next.cells).length === 0;
    return next;
}

// The game before its last move: the ball back where it was, and the balls that came
// after it gone again. The generator is not taken back, so the balls land afresh after
// the next move. Null when there is nothing to take back: one step only, never once
// the board is full.
export function undo(game) {
    if (game.over || !game.previous)
        return null;
    return Object.assign({}, game.previous, { rng: game.rng, path: [], placed: [], cleared: [] });
}

// Row, column and the two diagonals, as (row step, column step) pairs.
const lineSteps = [0, 1, 1, 0, 1, 1, 1, -1];

// Whether a ball of `colour` at the empty cell `index` would make a line of five,
// with the cell `vacated` taken as empty. Allocates nothing: it runs for every move.
function makesLine(cells, n, index, colour, vacated) {
    const row = Math.floor(index / n), col = index % n;
    for (let d = 0; d < 4; ++d) {
        const dr = lineSteps[2 * d], dc = lineSteps[2 * d + 1];
        let run = 1;
        let r = row + dr, c = col + dc;
        while (r >= 0 && r < n && c >= 0 && c < n && r * n + c !== vacated && cells[r * n + c] === colour) {
            ++run;
            r += dr;
            c += dc;
        }
        r = row - dr;
        c = col - dc;
        while (r >= 0 && r < n && c >= 0 && c < n && r * n + c !== vacated && cells[r * n + c] === colour) {
            ++run;
            r -= dr;
            c -= dc;
        }
        if (run >= lineLength)
            return true;
    }
    return false;
}
// A move for a player who only looks one move ahead: one that makes a line when there
// is one, else the first legal move. [from, to], or [] when no ball can move.
export function suggestMove(game) {
    const n = game.size, cells = game.cells;
    // Empty cells numbered by their open region: a ball reaches every cell of each
    // region it touches, so one pass serves all the balls.
    const region = new Array(cells.length).fill(-1);
    let regions = 0;
    for (let start = 0; start < cells.length; ++start) {
        if (cells[start] >= 0 || region[start] >= 0)
            continue;
        const todo = [start];
        region[start] = regions;
        while (todo.length) {
            const at = todo.pop();
            for (const next of neighbours(at, n)) {
                if (cells[next] < 0 && region[next] < 0) {
                    region[next] = regions;
                    todo.push(next);
                }
            }
        }
        ++regions;
    }
    let first = [];
    for (let from = 0; from < cells.length; ++from) {
        if (cells[from] < 0)
            continue;
        const touched = neighbours(from, n).map(i => region[i]).filter(r => r >= 0);
        if (!touched.length)
            continue;
        for (let to = 0; to < cells.length; ++to) {
            if (touched.indexOf(region[to]) < 0)
                continue;
            if (makesLine(cells, n, to, cells[from], from))
                return [from, to];
            if (!first.length)
                first = [from, to];
        }
    }
    return first;
}

function neighbours(index, n) {
    const row = Math.floor(index / n), col = index % n;
    const out = [];
    if (col > 0) out.push(index - 1);
    if (col < n - 1) out.push(index + 1);
    if (row > 0) out.push(index - n);
    if (row < n - 1) out.push(index + n);
    return out;
}

// The score as a record can hold it: whole, not below 0, not above maxScore.
export function recordedScore(score) {
    return Math.max(0, Math.min(maxScore, Math.floor(score)));
}

// The "writescore" list of a finished game: the slot id and the score.
export function scoreList(game) {
    return ["pelora", recordedScore(game.score)];
}

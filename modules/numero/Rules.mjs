// Numero and Numero Pro: trace a path of touching cells (up, down, left, right) whose
// value is the target shown. In Numero every cell holds a digit and the path's value
// is its sum. In Numero Pro the board is a checkerboard of digits and operators
// (+, −, ×), so a path alternates them; it starts and ends on a digit and is worked out
// from left to right. A path that reaches the target clears: it scores, its cells
// refill in place, and a new target comes, always one that a path on the board makes.
// The round ends when its clock runs out. The state is plain data; every function
// returns a new one.

import * as Random from "../common/Random.mjs";

export const modes = {
    numero: { id: "numero", size: 6, seconds: 120, operators: false, minTarget: 8, maxTarget: 24 },
    numeropro: { id: "numeropro", size: 7, seconds: 90, operators: true, minTarget: 12, maxTarget: 90 }
};

// The most a hi-score record can hold for this kind of list.
export const maxScore = 999999;

export function isOperatorCell(mode, index) {
    const row = Math.floor(index / mode.size), column = index % mode.size;
    return mode.operators && (row + column) % 2 === 1;
}

export function adjacent(mode, a, b) {
    const ra = Math.floor(a / mode.size), ca = a % mode.size;
    const rb = Math.floor(b / mode.size), cb = b % mode.size;
    return Math.abs(ra - rb) + Math.abs(ca - cb) === 1;
}

function neighbours(mode, index) {
    const out = [];
    const row = Math.floor(index / mode.size), column = index % mode.size;
    if (row > 0) out.push(index - mode.size);
    if (row < mode.size - 1) out.push(index + mode.size);
    if (column > 0) out.push(index - 1);
    if (column < mode.size - 1) out.push(index + 1);
    return out;
}

function newCell(mode, index, rng) {
    if (isOperatorCell(mode, index))
        return Random.pick(rng, ["+", "+", "−", "×"]);
    return String(Random.between(rng, 1, 9));
}

// The value of a path of cells, worked out from left to right (touching digits add
// up); NaN when the path is empty or ends on an operator.
export function value(cells, path) {
    if (path.length === 0 || isOperator(cells[path[path.length - 1]]))
        return NaN;
    let total = Number(cells[path[0]]);
    let operator = "+";
    for (let i = 1; i < path.length; ++i) {
        const cell = cells[path[i]];
        if (isOperator(cell)) {
            operator = cell;
            continue;
        }
        const right = Number(cell);
        total = operator === "×" ? total * right : operator === "−" ? total - right : total + right;
        operator = "+";
    }
    return total;
}

function isOperator(cell) {
    return cell === "+" || cell === "−" || cell === "×";
}

// A target that some path on the board reaches: the value of a random walk from a
// random digit, tried until one lands in the mode's range.
export function makeTarget(mode, cells, rng) {
    const count = mode.size * mode.size;
    for (let attempt = 0; attempt < 500; ++attempt) {
        let at = Random.below(rng, count);
        if (isOperatorCell(mode, at))
            continue;
        const path = [at];
        const steps = mode.operators ? 2 * Random.between(rng, 1, 3) : Random.between(rng, 1, 4);
        for (let s = 0; s < steps; ++s) {
            const free = neighbours(mode, at).filter(n => path.indexOf(n) < 0);
            if (free.length === 0)
                break;
            at = Random.pick(rng, free);
            path.push(at);
        }
        const v = value(cells, path);
        if (path.length >= 2 && v >= mode.minTarget && v <= mode.maxTarget)
            return { target: v, witness: path };
    }
    // A board this small always has a pair of touching digits: the first pair's sum.
    const first = mode.operators ? [0, 1, 2] : [0, 1];
    return { target: value(cells, first), witness: first };
}

export function newGame(modeId, seed) {
    const mode = modes[modeId];
    const rng = Random.make(seed);
    const cells = [];
    for (let i = 0; i < mode.size * mode.size; ++i)
        cells.push(newCell(mode, i, rng));
    const made = makeTarget(mode, cells, rng);
    return { mode: mode, rng: rng.state, cells: cells, target: made.target, witness: made.witness,
             path: [], score: 0, clears: 0, over: false };
}

// The player touches cell `index`: it starts a path, extends it by a touching cell not
// yet in it, or takes the path back to that cell when it is already in it. A path
// starts on a digit.
export function touch(game, index) {
    if (game.over || index < 0 || index >= game.cells.length)
        return game;
    const path = game.path;
    const at = path.indexOf(index);
    let next;
    if (at >= 0)
        next = path.slice(0, at === path.length - 1 ? at : at + 1);
    else if (path.length > 0 && adjacent(game.mode, path[path.length - 1], index))
        next = path.concat([index]);
    else if (!isOperatorCell(game.mode, index))
        next = [index];
    else
        return game;
    return Object.assign({}, game, { path: next });
}

export function clearPath(game) {
    return Object.assign({}, game, { path: [] });
}

// True when the path's value is the target (with at least two cells).
export function reachesTarget(game) {
    return game.path.length >= 2 && value(game.cells, game.path) === game.target;
}

// What clearing a path scores: the target times the digits used, twice over in Pro.
export function pathScore(game) {
    const digits = game.path.filter(i => !isOperatorCell(game.mode, i)).length;
    return game.target * digits * (game.mode.operators ? 2 : 1);
}

// Clears a path that reaches the target: scores it, refills its cells, sets a new
// target. Any other path is left as it is.
export function clear(game) {
    if (!reachesTarget(game) || game.over)
        return game;
    const rng = { state: game.rng };
    const cells = game.cells.slice();
    for (const i of game.path)
        cells[i] = newCell(game.mode, i, rng);
    const made = makeTarget(game.mode, cells, rng);
    return Object.assign({}, game, {
        rng: rng.state, cells: cells, target: made.target, witness: made.witness, path: [],
        score: Math.min(maxScore, game.score + pathScore(game)), clears: game.clears + 1
    });
}

// The clock ran out.
export function finish(game) {
    return Object.assign({}, game, { over: true, path: [] });
}

// The "writescore" list: the slot id and the score.
export function scoreList(game) {
    return [game.mode.id, Math.min(maxScore, Math.max(0, Math.floor(game.score)))];
}

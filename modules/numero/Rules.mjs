// SPDX-License-Identifier: GPL-3.0-or-later
// Numero and Numero Pro: trace a path of touching cells (up, down, left, right) whose
// value is the target shown. In Numero every cell holds a digit and the path's value
// is its sum. In Numero Pro the board is a checkerboard of digits and operators
// (+, −, ×), so a path alternates them; it starts and ends on a digit and is worked out
// from left to right. A path that reaches the target clears: it scores, its cells
// refill in place, and a new target comes, always one that a short path on the board
// makes. Paths cleared in quick succession make a streak that multiplies the points;
// long paths add time to the round; a target may be skipped for a little time. The
// round ends when its clock runs out. The state is plain data; every function returns
// a new one.

import * as Random from "../common/Random.mjs";

// `soonDigits`: every target is made by a path of at most this many digits.
// `bonusDigits`, `bonusMs`: a cleared path of at least bonusDigits digits adds bonusMs
// to the round for that digit and each one more. `streakMs`: a clear within this time
// of the one before carries the streak on.
export const modes = {
    numero: { id: "numero", size: 6, seconds: 120, operators: false, minTarget: 8, maxTarget: 24,
              soonDigits: 5, bonusDigits: 4, bonusMs: 2000, streakMs: 8000 },
    numeropro: { id: "numeropro", size: 7, seconds: 90, operators: true, minTarget: 12, maxTarget: 90,
                 soonDigits: 4, bonusDigits: 3, bonusMs: 3000, streakMs: 12000 }
};

// What skipping a target costs: time off the round.
export const skipCostMs = 5000;
// The streak's multiplier stops growing here (half as much again per clear).
export const longestStreak = 5;

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

// The value of the path up to its last digit, so a path that ends on a sign still
// shows what it has made; NaN for an empty path.
export function runningValue(cells, path) {
    const end = path.length > 0 && isOperator(cells[path[path.length - 1]]) ? path.length - 1 : path.length;
    return value(cells, path.slice(0, end));
}

function isOperator(cell) {
    return cell === "+" || cell === "−" || cell === "×";
}

// A target that some path on the board reaches: the value of a random walk from a
// random digit, tried until one lands in the mode's range (and differs from `avoid`).
export function makeTarget(mode, cells, rng, avoid) {
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
        if (path.length >= 2 && v >= mode.minTarget && v <= mode.maxTarget && v !== avoid)
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
    const made = dealTarget(mode, cells, rng);
    return { mode: mode, rng: rng.state, cells: cells, target: made.target, witness: made.witness,
             path: [], score: 0, clears: 0, over: false, streak: 0, bestStreak: 0,
             lastClearMs: -Infinity, lastPoints: 0, lastBonusMs: 0, bonusMs: 0, skips: 0 };
}

// A path of at most `maxDigits` digits whose value is `target`, found by a search of
// every path from every digit; [] when there is none.
export function findPath(mode, cells, target, maxDigits) {
    const path = [];
    const used = new Array(cells.length).fill(false);
    function extend(at, digits) {
        path.push(at);
        used[at] = true;
        if (!isOperatorCell(mode, at) && path.length >= 2 && value(cells, path) === target)
            return true;
        const room = isOperatorCell(mode, at) || digits < maxDigits;
        if (room) {
            for (const n of neighbours(mode, at)) {
                if (!used[n] && extend(n, digits + (isOperatorCell(mode, n) ? 0 : 1)))
                    return true;
            }
        }
        path.pop();
        used[at] = false;
        return false;
    }
    for (let start = 0; start < cells.length; ++start) {
        if (!isOperatorCell(mode, start) && extend(start, 1))
            return path.slice();
    }
    return [];
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

// True when the path has gone past the target for good: digits only add up, so in
// Numero a sum above the target never comes back to it (in Pro a sign still may).
export function pastTarget(game) {
    return !game.mode.operators && value(game.cells, game.path) > game.target;
}

function digitsOf(game) {
    return game.path.filter(i => !isOperatorCell(game.mode, i)).length;
}

// What clearing a path scores before the streak: the target times the digits used,
// twice over in Pro.
export function pathScore(game) {
    return game.target * digitsOf(game) * (game.mode.operators ? 2 : 1);
}

// The points of a clear in a streak of `streak` clears: half as much again for every
// clear of the streak after the first, up to longestStreak.
export function streakPoints(points, streak) {
    return Math.floor(points * (1 + 0.5 * (Math.min(Math.max(streak, 1), longestStreak) - 1)));
}

// The time a cleared path of `digits` digits adds to the round.
export function timeBonusMs(mode, digits) {
    return digits < mode.bonusDigits ? 0 : (digits - mode.bonusDigits + 1) * mode.bonusMs;
}

// Clears a path that reaches the target at `atMs` of the round: scores it (more in a
// streak), refills its cells, sets a new target; `lastBonusMs` is the time it adds to
// the round. Any other path is left as it is.
export function clear(game, atMs) {
    if (!reachesTarget(game) || game.over)
        return game;
    const rng = { state: game.rng };
    const cells = game.cells.slice();
    for (const i of game.path)
        cells[i] = newCell(game.mode, i, rng);
    const made = dealTarget(game.mode, cells, rng);
    const now = atMs === undefined ? game.lastClearMs : atMs;
    const streak = now - game.lastClearMs <= game.mode.streakMs ? game.streak + 1 : 1;
    const points = streakPoints(pathScore(game), streak);
    const bonus = timeBonusMs(game.mode, digitsOf(game));
    return Object.assign({}, game, {
        rng: rng.state, cells: cells, target: made.target, witness: made.witness, path: [],
        score: Math.min(maxScore, game.score + points), clears: game.clears + 1,
        streak: streak, bestStreak: Math.max(game.bestStreak, streak), lastClearMs: now,
        lastPoints: points, lastBonusMs: bonus, bonusMs: game.bonusMs + bonus
    });
}

// A target from makeTarget that a path of the mode's `soonDigits` digits makes.
function dealTarget(mode, cells, rng, avoid) {
    for (let attempt = 0; attempt < 20; ++attempt) {
        const made = makeTarget(mode, cells, rng, avoid);
        if (made.witness.filter(i => !isOperatorCell(mode, i)).length <= mode.soonDigits)
            return made;
    }
    return makeTarget(mode, cells, rng, avoid);
}

// A new target instead of this one, never the same number; it breaks the streak. The
// movie takes skipCostMs off the round.
export function skip(game) {
    if (game.over)
        return game;
    const rng = { state: game.rng };
    const made = dealTarget(game.mode, game.cells, rng, game.target);
    return Object.assign({}, game, { rng: rng.state, target: made.target, witness: made.witness,
                                     path: [], streak: 0, lastClearMs: -Infinity,
                                     skips: game.skips + 1 });
}

// The clock ran out.
export function finish(game) {
    return Object.assign({}, game, { over: true, path: [] });
}

// The "writescore" list: the slot id and the score.
export function scoreList(game) {
    return [game.mode.id, Math.min(maxScore, Math.max(0, Math.floor(game.score)))];
}

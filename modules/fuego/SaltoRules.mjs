// SPDX-License-Identifier: GPL-3.0-or-later
// Fuego Salto: embers on a board of holes. An ember jumps over a touching ember, in any
// of the six directions, into the empty hole straight behind it; the ember jumped over
// burns out. The score is the number of embers burnt out, with a bonus for a perfect
// game (one ember left) and more when that ember stands in the middle of the board;
// the game ends when no jump is left (or the player stops). Holes are axial
// coordinates (q, r) on a grid of touching hexagons, numbered in reading order.
//
// A game is plain data: { shape, embers, removed, over, history }, where `history`
// holds the earlier positions (arrays of embers), oldest first, for undo and restart.

import * as Random from "../common/Random.mjs";

export const directions = [[1, 0], [-1, 0], [0, 1], [0, -1], [1, -1], [-1, 1]];
export const perfectBonus = 5;
export const middleBonus = 5;

function ring(h) {
    return Math.max(Math.abs(h.q), Math.abs(h.r), Math.abs(h.q + h.r));
}

function inReadingOrder(test, low, high) {
    const out = [];
    for (let r = low; r <= high; ++r) {
        for (let q = low - high; q <= high - low; ++q) {
            if (test(q, r))
                out.push({ q: q, r: r });
        }
    }
    return out;
}

function makeShape(id, name, holes, isStart, isMiddle) {
    const index = (q, r) => holes.findIndex(h => h.q === q && h.r === r);
    const jumps = [];
    holes.forEach((h, from) => {
        for (const [dq, dr] of directions) {
            const over = index(h.q + dq, h.r + dr);
            const to = index(h.q + 2 * dq, h.r + 2 * dr);
            if (over >= 0 && to >= 0)
                jumps.push({ from: from, over: over, to: to });
        }
    });
    const all = holes.map((h, i) => i);
    return { id: id, name: name, holes: holes, jumps: jumps,
             starts: all.filter(i => isStart(holes[i])), middle: all.filter(i => isMiddle(holes[i])) };
}

// The boards, the standard hearth first: the only one whose results are recorded.
// Each starts with one empty hole among its `starts`, from every one of which a game
// can end with a single ember in the `middle` (the tests check it by a search).
export const shapes = [
    // 37 holes in a hexagon; the game starts beside the centre (with the centre itself
    // empty the embers can never come down to one).
    makeShape("hearth", "Hearth", inReadingOrder((q, r) => Math.abs(q) <= 3 && Math.abs(q + r) <= 3, -3, 3),
              h => ring(h) === 1, h => ring(h) <= 1),
    // 21 holes in a triangle of side six; it may start anywhere, and its middle is the
    // six holes off the edge.
    makeShape("triangle", "Triangle", inReadingOrder((q, r) => q <= 0 && q >= -r, 0, 5),
              h => true, h => h.r >= 2 && h.r <= 4 && h.q < 0 && h.q > -h.r),
    // 36 holes in a slanted six-by-six diamond, started and finished in its middle four.
    makeShape("diamond", "Diamond", inReadingOrder((q, r) => q >= -2 && q <= 3, -2, 3),
              h => h.q >= 0 && h.q <= 1 && h.r >= 0 && h.r <= 1,
              h => h.q >= 0 && h.q <= 1 && h.r >= 0 && h.r <= 1)
];

export const standardShape = "hearth";

export function shapeOf(id) {
    return shapes.find(s => s.id === id) || shapes[0];
}

// The standard hearth's holes and jumps, as every game of the hi-score list plays them.
export const holes = shapes[0].holes;
export const jumps = shapes[0].jumps;

export function holeAt(q, r, shapeId) {
    return shapeOf(shapeId).holes.findIndex(h => h.q === q && h.r === r);
}

// A new game on a board: every hole holds an ember but one, chosen by the seed among
// the board's starts.
export function newGame(seed, shapeId) {
    const shape = shapeOf(shapeId);
    const rng = Random.make(seed);
    const empty = Random.pick(rng, shape.starts);
    return { shape: shape.id, embers: shape.holes.map((h, i) => i !== empty), removed: 0,
             over: false, history: [] };
}

export function movesFrom(game, from) {
    if (game.over || !game.embers[from])
        return [];
    return shapeOf(game.shape).jumps.filter(j => j.from === from && game.embers[j.over] && !game.embers[j.to]);
}

// Every jump open in a position (an array of embers).
export function openJumps(shapeId, embers) {
    return shapeOf(shapeId).jumps.filter(j => embers[j.from] && embers[j.over] && !embers[j.to]);
}

// The first jump open on the board, in the order of its jumps, or undefined.
export function firstJump(game) {
    return openJumps(game.shape, game.embers)[0];
}

export function anyMove(game) {
    return openJumps(game.shape, game.embers).length > 0;
}

export function embersLeft(game) {
    return game.embers.filter(e => e).length;
}

// The holes the ember at `from` can jump into.
export function targetsFrom(game, from) {
    return from < 0 ? [] : movesFrom(game, from).map(j => j.to);
}

// A click (or Space) on `hole` with the ember at `selected` chosen (-1 for none): a
// ringed hole takes the chosen ember's jump; an ember with a jump is chosen, or let go
// when it was chosen already; anything else lets go. Gives { game, selected }.
export function choose(game, selected, hole) {
    if (game.over)
        return { game: game, selected: selected };
    if (targetsFrom(game, selected).indexOf(hole) >= 0)
        return { game: jump(game, selected, hole), selected: -1 };
    if (movesFrom(game, hole).length > 0)
        return { game: game, selected: hole === selected ? -1 : hole };
    return { game: game, selected: -1 };
}

// The hole an arrow leads to from `hole` on a board: along the row for dx, else to the
// nearest hole on the screen in the row above or below (the first of two as near);
// `hole` itself when there is none.
export function step(hole, dx, dy, shapeId) {
    const shape = shapeOf(shapeId);
    const from = shape.holes[hole];
    if (dx !== 0) {
        const next = holeAt(from.q + dx, from.r, shapeId);
        return next >= 0 ? next : hole;
    }
    let best = hole, bestDistance = Infinity;
    shape.holes.forEach((h, i) => {
        if (h.r !== from.r + dy)
            return;
        const d = Math.abs(h.q + h.r / 2 - from.q - from.r / 2);
        if (d < bestDistance - 1e-6) {
            best = i;
            bestDistance = d;
        }
    });
    return best;
}

// The ember at `from` jumps into `to`; an illegal jump leaves the game as it is. A game
// with no jump left is over.
export function jump(game, from, to) {
    const move = movesFrom(game, from).find(j => j.to === to);
    if (!move)
        return game;
    const embers = game.embers.slice();
    embers[move.from] = false;
    embers[move.over] = false;
    embers[move.to] = true;
    const next = { shape: game.shape, embers: embers, removed: game.removed + 1, over: false,
                   history: (game.history || []).concat([game.embers]) };
    next.over = !anyMove(next);
    return next;
}

// The last jump taken back; a game over or without jumps stays as it is.
export function undo(game) {
    const history = game.history || [];
    if (game.over || history.length === 0)
        return game;
    return { shape: game.shape, embers: history[history.length - 1], removed: game.removed - 1,
             over: false, history: history.slice(0, -1) };
}

// The same deal from its first position.
export function restart(game) {
    const history = game.history || [];
    if (history.length === 0)
        return Object.assign({}, game, { over: false });
    return { shape: game.shape, embers: history[0], removed: 0, over: false, history: [] };
}

// The player stops before the jumps run out.
export function stop(game) {
    return Object.assign({}, game, { over: true });
}

export function isPerfect(game) {
    return embersLeft(game) === 1;
}

// A perfect game whose last ember stands in the board's middle.
export function endsInMiddle(game) {
    return isPerfect(game) && shapeOf(game.shape).middle.some(i => game.embers[i]);
}

export function score(game) {
    return game.removed + (isPerfect(game) ? perfectBonus : 0) + (endsInMiddle(game) ? middleBonus : 0);
}

// Whether the game's result goes to the hi-score list: only the standard hearth's do,
// so the list compares like with like.
export function isRecorded(game) {
    return game.shape === standardShape;
}

// The fewest embers a position can come down to, by a depth-first search over the
// jumps that remembers the positions already seen to fail. `inMiddle` asks for a single
// ember in the board's middle. It stops at `limit` positions (then `complete` is false)
// and answers { left, jumps, complete }: the fewest embers found and the jumps there.
// A set of positions (whole numbers below 2^53, never 0) in an open-addressed table of
// 2^bits slots; the engine runs it far faster than a Set of numbers. When it is full it
// forgets nothing, it just stops taking more (the search is then slower, not wrong).
function KeySet(bits) {
    const slots = new Float64Array(1 << bits);
    const mask = (1 << bits) - 1;
    let size = 0;
    function slot(key) {
        const lo = key | 0, hi = (key / 4294967296) | 0;
        return (Math.imul(lo ^ Math.imul(hi, 0x27d4eb2d), 0x9e3779b1) >>> (32 - bits)) & mask;
    }
    this.has = function(key) {
        for (let i = slot(key); slots[i] !== 0; i = (i + 1) & mask) {
            if (slots[i] === key)
                return true;
        }
        return false;
    };
    this.add = function(key) {
        if (size * 2 > mask)
            return;
        let i = slot(key);
        while (slots[i] !== 0 && slots[i] !== key)
            i = (i + 1) & mask;
        if (slots[i] === 0)
            ++size;
        slots[i] = key;
    };
}

export function search(shapeId, embers, inMiddle, limit) {
    const shape = shapeOf(shapeId);
    const count0 = embers.filter(e => e).length;
    // Flat tables: the engine walks typed arrays far faster than arrays of objects.
    const n = shape.jumps.length;
    const from = new Int16Array(n), over = new Int16Array(n), to = new Int16Array(n);
    const change = new Float64Array(n);
    shape.jumps.forEach((j, i) => {
        from[i] = j.from;
        over[i] = j.over;
        to[i] = j.to;
        change[i] = Math.pow(2, j.to) - Math.pow(2, j.from) - Math.pow(2, j.over);
    });
    const middle = new Uint8Array(shape.holes.length);
    shape.middle.forEach(i => { middle[i] = 1; });
    const at = new Uint8Array(embers.map(e => e ? 1 : 0));
    let key = embers.reduce((k, e, i) => k + (e ? Math.pow(2, i) : 0), 0);
    let count = count0;
    const failed = new KeySet(20);
    const path = [];
    let best = { left: inMiddle ? Infinity : count0, jumps: [] };
    let visited = 0;
    const cap = limit || 5000000;
    function goal() {
        if (count !== 1)
            return false;
        if (!inMiddle)
            return true;
        for (let i = 0; i < at.length; ++i) {
            if (at[i] && middle[i])
                return true;
        }
        return false;
    }
    function dive() {
        if (++visited > cap)
            return true;
        if (inMiddle ? goal() : count < best.left) {
            best = { left: count, jumps: path.map(i => shape.jumps[i]) };
            if (count === 1)
                return true;
        }
        if (failed.has(key))
            return false;
        for (let i = 0; i < n; ++i) {
            if (!at[from[i]] || !at[over[i]] || at[to[i]])
                continue;
            at[from[i]] = 0;
            at[over[i]] = 0;
            at[to[i]] = 1;
            key += change[i];
            --count;
            path.push(i);
            const done = dive();
            path.pop();
            at[from[i]] = 1;
            at[over[i]] = 1;
            at[to[i]] = 0;
            key -= change[i];
            ++count;
            if (done)
                return true;
        }
        failed.add(key);
        return false;
    }
    dive();
    return { left: best.left, jumps: best.jumps, complete: visited <= cap };
}

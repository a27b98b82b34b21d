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

export function anyMove(game) {
    return openJumps(game.shape, game.embers).length > 0;
}

export function embersLeft(game) {
    return game.embers.filter(e => e).length;
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
export function search(shapeId, embers, inMiddle, limit) {
    const shape = shapeOf(shapeId);
    const bit = shape.holes.map((h, i) => Math.pow(2, i));
    const at = embers.slice();
    let key = at.reduce((k, e, i) => k + (e ? bit[i] : 0), 0);
    let count = at.filter(e => e).length;
    const failed = new Set();
    const path = [];
    let best = { left: inMiddle ? Infinity : count, jumps: [] };
    let visited = 0;
    const cap = limit || 5000000;
    const goal = () => count === 1 && (!inMiddle || shape.middle.some(i => at[i]));
    function dive() {
        if (++visited > cap)
            return true;
        if ((inMiddle ? goal() : count < best.left)) {
            best = { left: count, jumps: path.slice() };
            if (count === 1)
                return true;
        }
        if (failed.has(key))
            return false;
        for (const j of shape.jumps) {
            if (!at[j.from] || !at[j.over] || at[j.to])
                continue;
            const change = bit[j.to] - bit[j.from] - bit[j.over];
            at[j.from] = at[j.over] = false;
            at[j.to] = true;
            key += change;
            --count;
            path.push(j);
            const done = dive();
            path.pop();
            at[j.from] = at[j.over] = true;
            at[j.to] = false;
            key -= change;
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

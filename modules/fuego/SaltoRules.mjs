// Fuego Salto: embers on a hexagonal board of 37 holes. An ember jumps over a touching
// ember, in any of the six directions, into the empty hole straight behind it; the
// ember jumped over burns out. The score is the number of embers burnt out; the game
// ends when no jump is left (or the player stops). Holes are axial coordinates (q, r)
// with |q|, |r|, |q + r| at most 3, numbered in reading order.

import * as Random from "../common/Random.mjs";

export const radius = 3;
export const directions = [[1, 0], [-1, 0], [0, 1], [0, -1], [1, -1], [-1, 1]];

// The holes in reading order (by row r, then q), as { q, r }.
export const holes = (function () {
    const out = [];
    for (let r = -radius; r <= radius; ++r) {
        for (let q = -radius; q <= radius; ++q) {
            if (Math.abs(q + r) <= radius)
                out.push({ q: q, r: r });
        }
    }
    return out;
})();

export function holeAt(q, r) {
    return holes.findIndex(h => h.q === q && h.r === r);
}

// The jumps of the board: { from, over, to }, as hole numbers.
export const jumps = (function () {
    const out = [];
    holes.forEach((h, from) => {
        for (const [dq, dr] of directions) {
            const over = holeAt(h.q + dq, h.r + dr);
            const to = holeAt(h.q + 2 * dq, h.r + 2 * dr);
            if (over >= 0 && to >= 0)
                out.push({ from: from, over: over, to: to });
        }
    });
    return out;
})();

// A new game: every hole holds an ember but one, chosen by the seed among the holes
// that open a jump at once (the centre and the middle ring).
export function newGame(seed) {
    const rng = Random.make(seed);
    const starts = holes.map((h, i) => i).filter(i => {
        const h = holes[i];
        return Math.max(Math.abs(h.q), Math.abs(h.r), Math.abs(h.q + h.r)) <= 1;
    });
    const empty = Random.pick(rng, starts);
    const embers = holes.map((h, i) => i !== empty);
    return { embers: embers, removed: 0, over: false };
}

export function movesFrom(game, from) {
    if (game.over || !game.embers[from])
        return [];
    return jumps.filter(j => j.from === from && game.embers[j.over] && !game.embers[j.to]);
}

export function anyMove(game) {
    return jumps.some(j => game.embers[j.from] && game.embers[j.over] && !game.embers[j.to]);
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
    const next = { embers: embers, removed: game.removed + 1, over: false };
    next.over = !anyMove(next);
    return next;
}

// The player stops before the jumps run out.
export function stop(game) {
    return Object.assign({}, game, { over: true });
}

export function score(game) {
    return game.removed;
}

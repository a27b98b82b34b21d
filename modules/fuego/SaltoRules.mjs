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

// The first jump open on the board, in the order of `jumps`, or undefined.
export function firstJump(game) {
    return jumps.find(j => game.embers[j.from] && game.embers[j.over] && !game.embers[j.to]);
}

export function anyMove(game) {
    return firstJump(game) !== undefined;
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

// The hole an arrow leads to from `hole`: along the row for dx, else to the nearest hole
// on the screen in the row above or below (the first of two as near); `hole` itself when
// there is none.
export function step(hole, dx, dy) {
    const from = holes[hole];
    if (dx !== 0) {
        const next = holeAt(from.q + dx, from.r);
        return next >= 0 ? next : hole;
    }
    let best = hole, bestDistance = Infinity;
    holes.forEach((h, i) => {
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

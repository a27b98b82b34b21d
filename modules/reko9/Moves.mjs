// SPDX-License-Identifier: GPL-3.0-or-later
// ReKo 9's board and moves: nine numbered tiles on a 3 x 3 board; a move turns one of
// the four 2 x 2 blocks a quarter turn. A position is an array of nine tile numbers in
// reading order; the goal is 1..9. Every position is a permutation, so it has a rank in
// [0, 9!), and one breadth-first pass from the goal gives every position's distance to
// it (tools/reko9/make-distances.mjs makes that pass once, into Distances.mjs).

export const size = 3;
export const positions = 362880; // 9!
export const goal = [1, 2, 3, 4, 5, 6, 7, 8, 9];
export const unknown = 255;      // distance of a position the search has not reached yet

const factorial = [1, 1, 2, 6, 24, 120, 720, 5040, 40320];

// The cells of block b (0 top left, 1 top right, 2 bottom left, 3 bottom right) in
// clockwise order: top left, top right, bottom right, bottom left.
export function blockCells(block) {
    const top = block < 2 ? 0 : 3;
    const left = block % 2;
    const c = top + left;
    return [c, c + 1, c + 4, c + 3];
}

// The position after turning `block` a quarter turn, clockwise or not.
export function turn(position, block, clockwise) {
    const cells = blockCells(block);
    const out = position.slice();
    for (let i = 0; i < 4; ++i) {
        const from = cells[i];
        const to = cells[(i + (clockwise ? 1 : 3)) % 4];
        out[to] = position[from];
    }
    return out;
}

export function isSolved(position) {
    for (let i = 0; i < 9; ++i) {
        if (position[i] !== i + 1)
            return false;
    }
    return true;
}

// The rank of a position among all permutations of 1..9 (Lehmer code).
export function rank(position) {
    let r = 0;
    for (let i = 0; i < 9; ++i) {
        let smaller = 0;
        for (let j = i + 1; j < 9; ++j) {
            if (position[j] < position[i])
                ++smaller;
        }
        r += smaller * factorial[8 - i];
    }
    return r;
}

export function unrank(r) {
    const left = [1, 2, 3, 4, 5, 6, 7, 8, 9];
    const out = [];
    for (let i = 0; i < 9; ++i) {
        const f = factorial[8 - i];
        const k = Math.floor(r / f);
        r -= k * f;
        out.push(left[k]);
        left.splice(k, 1);
    }
    return out;
}

// The eight moves, as { block, clockwise }.
export const moves = (function () {
    const out = [];
    for (let block = 0; block < 4; ++block) {
        out.push({ block: block, clockwise: true });
        out.push({ block: block, clockwise: false });
    }
    return out;
})();

// The breadth-first pass, a slice at a time:
// { distance: Uint8Array(9!), queue: Int32Array(9!), head, tail, done }.
export function newTable() {
    const table = {
        distance: new Uint8Array(positions).fill(unknown),
        queue: new Int32Array(positions),
        head: 0,
        tail: 0,
        done: false
    };
    const start = rank(goal);
    table.distance[start] = 0;
    table.queue[table.tail++] = start;
    return table;
}

// Visits up to `budget` positions of the breadth-first pass; true when it is complete.
export function fillTable(table, budget) {
    const distance = table.distance, queue = table.queue;
    while (table.head < table.tail && budget-- > 0) {
        const r = queue[table.head++];
        const position = unrank(r);
        const next = distance[r] + 1;
        for (const move of moves) {
            const n = rank(turn(position, move.block, move.clockwise));
            if (distance[n] === unknown) {
                distance[n] = next;
                queue[table.tail++] = n;
            }
        }
    }
    table.done = table.head >= table.tail;
    return table.done;
}

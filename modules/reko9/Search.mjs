// SPDX-License-Identifier: GPL-3.0-or-later
// The fewest moves for boards too large for a table (sixteen tiles on 4 x 4, nine
// blocks): a search from both ends that meets in the middle. Positions up to
// `homeDepth` moves from the goal are found once, backwards from the goal, and kept; a
// position is searched forwards `awayDepth` moves to meet them, so any position within
// homeDepth + awayDepth moves gets its exact distance and a shortest way home. The
// depths are what the movie can afford between two clicks; a tool may search deeper.

export const homeDepth = 3;
export const awayDepth = 3;
export const bound = homeDepth + awayDepth;

// The cells of block b on a board of side `size`, clockwise from its top left.
export function blockCells(block, size) {
    const row = Math.floor(block / (size - 1)), col = block % (size - 1);
    const c = row * size + col;
    return [c, c + 1, c + 1 + size, c + size];
}

export function turn(position, block, clockwise, size) {
    const cells = blockCells(block, size);
    const out = position.slice();
    for (let i = 0; i < 4; ++i)
        out[cells[(i + (clockwise ? 1 : 3)) % 4]] = position[cells[i]];
    return out;
}

export function movesOf(size) {
    const out = [];
    for (let block = 0; block < (size - 1) * (size - 1); ++block) {
        out.push({ block: block, clockwise: true });
        out.push({ block: block, clockwise: false });
    }
    return out;
}

export function goalOf(size) {
    return Array.from({ length: size * size }, (_, i) => i + 1);
}

function key(position) {
    return String.fromCharCode.apply(null, position.map(t => 64 + t));
}

// Breadth-first from `start` to `depth` moves: key -> { depth, move, parent key }.
function spread(start, depth, size) {
    const moves = movesOf(size);
    const seen = new Map([[key(start), { depth: 0, move: null, parent: null, position: start }]]);
    let frontier = [start];
    for (let d = 1; d <= depth; ++d) {
        const next = [];
        for (const p of frontier) {
            const pk = key(p);
            for (const m of moves) {
                const q = turn(p, m.block, m.clockwise, size);
                const k = key(q);
                if (!seen.has(k)) {
                    seen.set(k, { depth: d, move: m, parent: pk, position: q });
                    next.push(q);
                }
            }
        }
        frontier = next;
    }
    return seen;
}

const homes = {};
function homeOf(size, depth) {
    const k = size + ":" + depth;
    if (!homes[k])
        homes[k] = spread(goalOf(size), depth, size);
    return homes[k];
}

// The fewest moves from `position` to the goal as a list of moves, or null when it takes
// more than the two depths together (homeDepth and awayDepth unless given).
export function solve(position, size, home_, away_) {
    const home = homeOf(size, home_ || homeDepth);
    const start = key(position);
    if (home.has(start))
        return homePath(home, start);
    const away = spread(position, away_ || awayDepth, size);
    let best = null, bestLength = Infinity;
    for (const [k, step] of away) {
        const meet = home.get(k);
        if (meet && step.depth + meet.depth < bestLength) {
            best = k;
            bestLength = step.depth + meet.depth;
        }
    }
    if (best === null)
        return null;
    const out = [];
    for (let k = best; away.get(k).parent !== null; k = away.get(k).parent)
        out.unshift(away.get(k).move);
    return out.concat(homePath(home, best));
}

// From a position of the kept set back to the goal: each step undoes the move that led
// there from the goal.
function homePath(home, k) {
    const out = [];
    for (let at = k; home.get(at).parent !== null; at = home.get(at).parent) {
        const m = home.get(at).move;
        out.push({ block: m.block, clockwise: !m.clockwise });
    }
    return out;
}

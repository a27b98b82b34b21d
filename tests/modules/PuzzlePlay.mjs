// SPDX-License-Identifier: GPL-3.0-or-later
// What the edge games' tests share: walking the cursor, and finding what is shown.
import * as Board from "../../modules/edgematch/Board.mjs";
import * as Play from "../../modules/edgematch/Play.mjs";

// Walks the movie's cursor to a place, pressing through `press` each time the arrow whose
// step ends nearest it. Returns the cursor reached.
export function goTo(movie, area, index, press) {
    const table = movie.table;
    const target = table.placeCentre({ area: area, index: index });
    const keys = [[Qt.Key_Right, 1, 0], [Qt.Key_Left, -1, 0], [Qt.Key_Down, 0, 1], [Qt.Key_Up, 0, -1]];
    for (let i = 0; i < 40 && !(movie.game.cursor.area === area && movie.game.cursor.index === index); ++i) {
        let best = null, bestDistance = Infinity;
        for (const k of keys) {
            const p = table.placeCentre(table.moveCursor(movie.game, k[1], k[2]).cursor);
            const d = Math.hypot(p.x - target.x, p.y - target.y);
            if (d < bestDistance) {
                best = k[0];
                bestDistance = d;
            }
        }
        press(best);
    }
    return movie.game.cursor;
}

// How many places the arrows reach from `from` on a table laid out as `layout`.
export function reachableCount(game, layout, from) {
    const name = p => p.area + p.index;
    const seen = new Set([name(from)]);
    const queue = [from];
    while (queue.length > 0) {
        const here = Object.assign({}, game, { cursor: queue.shift() });
        for (const d of [[1, 0], [-1, 0], [0, 1], [0, -1]]) {
            const next = Play.moveCursor(here, layout, d[0], d[1]).cursor;
            if (!seen.has(name(next))) {
                seen.add(name(next));
                queue.push(next);
            }
        }
    }
    return seen.size;
}

// The visible items named `name` anywhere under `item`.
export function shown(item, name) {
    return Array.from(item.children).reduce((out, child) =>
        out.concat(child.objectName === name && child.visible ? [child] : [], shown(child, name)), []);
}

// The position a "solvepuzzle" request describes: its pieces, its fixed pieces laid.
export function positionOf(request) {
    const items = request.split(",");
    const count = Number(items[0].split("*")[1]);
    const pieces = items.slice(1, 1 + count);
    const k = (items.length - 1 - count) / 3;
    let position = Board.newPosition(Board.boardFor(items[0].split("*")[0]), pieces);
    const used = pieces.map(() => false);
    for (let i = 0; i < k; ++i) {
        const id = pieces.findIndex((p, j) => !used[j] && p === items[1 + count + i]);
        used[id] = true;
        position = Board.lay(position, id, Number(items[1 + count + k + i]));
        position = Board.turn(position, id, Number(items[1 + count + 2 * k + i]) - position.rotationOf[id]);
    }
    return position;
}

// A slow stand-in for the station's solver on small boards, for tests without a station:
// the answer to a "solvepuzzle" request (the cells' pieces, then their rotations), or ""
// when the fixed pieces cannot be completed. Any complete filling will do here.
export function answerOf(request) {
    const position = positionOf(request);
    const board = position.board, pieces = position.pieces;
    for (let cell = 1; cell <= board.cellCount; ++cell)
        if (!Board.fitsAt(position, cell))
            return "";
    const fill = function(p, cell) {
        if (cell > board.cellCount)
            return p;
        if (p.pieceAt[cell] >= 0)
            return fill(p, cell + 1);
        for (let id = 0; id < pieces.length; ++id) {
            if (p.cellOf[id] !== 0)
                continue;
            for (let r = 0; r < board.edges; ++r) {
                let q = Board.lay(p, id, cell);
                q = Board.turn(q, id, r - q.rotationOf[id]);
                if (Board.fitsAt(q, cell)) {
                    const done = fill(q, cell + 1);
                    if (done !== null)
                        return done;
                }
            }
        }
        return null;
    };
    const done = fill(position, 1);
    if (done === null)
        return "";
    let texts = "", turns = "";
    for (let cell = 1; cell <= board.cellCount; ++cell) {
        texts += pieces[done.pieceAt[cell]];
        turns += done.rotationOf[done.pieceAt[cell]];
    }
    return texts + turns;
}

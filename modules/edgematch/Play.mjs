// SPDX-License-Identifier: GPL-3.0-or-later
// What the edge-matching movies on hexagon and sum boards share: a game dealt on any
// board of the board model, where the board and the tray go on the stage, and the
// keyboard cursor moving between them by direction. The moves themselves (lay, lift,
// turn, pick up and put down, solving) are the tile games' rules, which work on any
// board: a game here has the same fields.
import * as Board from "./Board.mjs";
import { dealGame } from "./Rules.mjs";

// A new game on the board of a request header name (see Board.boardFor), `codes` edge
// codes, dealt from `seed`. Fields as the tile games' newGame() gives them: position,
// solution, phase ("play", "solving", "won", "solved"), moves, cursor, held.
export function newGame(boardName, codes, seed) {
    return dealGame(boardName, boardName, codes, seed);
}

// The outline of a board in cell widths, origin at its top left: { width, height,
// centres[cell] = { x, y } }. Grid cells are unit squares; hexagons stand on a point,
// one cell width across their flat sides and 2 / sqrt(3) from point to point.
export function boardShape(board) {
    const centres = [null];
    if (board.rows !== undefined) {
        for (let cell = 1; cell <= board.cellCount; ++cell)
            centres.push({ x: board.places[cell].column - 0.5, y: board.places[cell].row - 0.5 });
        return { width: board.columns, height: board.rows, centres: centres };
    }
    const r = 1 / Math.sqrt(3);
    const xs = [], ys = [];
    for (let cell = 1; cell <= board.cellCount; ++cell) {
        xs.push(board.places[cell].x);
        ys.push(board.places[cell].y);
    }
    const left = Math.min(...xs) - 0.5, top = Math.min(...ys) - r;
    for (let cell = 1; cell <= board.cellCount; ++cell)
        centres.push({ x: board.places[cell].x - left, y: board.places[cell].y - top });
    return { width: Math.max(...xs) + 0.5 - left, height: Math.max(...ys) + r - top, centres: centres };
}

// Where everything goes in an area of width x height: the board on the left, the tray
// (one slot a piece, at least `trayRatio` of a cell wide) on its right, the board as
// large as fits, then the tray's slots as large as fit beside it.
// `pad` cells of room are kept round the board (for parts of pieces that stick out).
// Gives { cellSize, slotSize, trayColumns, cells[cell] and slots[slot] as centres,
// board and tray as rectangles }.
export function tableLayout(board, width, height, trayRatio, pad) {
    const shape = boardShape(board);
    const n = board.cellCount;
    const margin = 16, gap = 36;
    let s = 160;
    let columns = 1;
    for (; s > 12; s -= 1) {
        const bw = (shape.width + 2 * pad) * s, bh = (shape.height + 2 * pad) * s;
        const t = trayRatio * s;
        const rowsFit = Math.floor((height - 2 * margin) / t);
        if (bh > height - 2 * margin || rowsFit < 1)
            continue;
        columns = Math.ceil(n / rowsFit);
        if (bw + gap + columns * t <= width - 2 * margin)
            break;
    }
    // The tray's slots grow into the room the board leaves, up to a cell: on a tall
    // board, whose height bounds the cells, the pieces waiting in the tray stay large.
    let t = trayRatio * s;
    for (let wider = s; wider > t; wider -= 1) {
        const rowsFit = Math.floor((height - 2 * margin) / wider);
        const wanted = rowsFit < 1 ? Infinity : Math.ceil(n / rowsFit);
        if ((shape.width + 2 * pad) * s + gap + wanted * wider <= width - 2 * margin) {
            t = wider;
            columns = wanted;
            break;
        }
    }
    const trayRows = Math.ceil(n / columns);
    const bw = (shape.width + 2 * pad) * s, bh = (shape.height + 2 * pad) * s;
    const left = Math.floor((width - (bw + gap + columns * t)) / 2);
    const boardRect = { x: left, y: Math.floor((height - bh) / 2), width: bw, height: bh };
    const trayRect = { x: left + bw + gap, y: Math.floor((height - trayRows * t) / 2),
                       width: columns * t, height: trayRows * t };
    const cells = shape.centres.map(c => c === null ? null
        : { x: boardRect.x + (c.x + pad) * s, y: boardRect.y + (c.y + pad) * s });
    const slots = [];
    for (let i = 0; i < n; ++i)
        slots.push({ x: trayRect.x + (i % columns + 0.5) * t, y: trayRect.y + (Math.floor(i / columns) + 0.5) * t });
    return { cellSize: s, slotSize: t, trayColumns: columns, cells: cells, slots: slots,
             board: boardRect, tray: trayRect };
}

// The cell whose centre lies within half a cell of a point, or 0.
export function cellAt(layout, x, y) {
    let best = 0, bestDistance = layout.cellSize / 2;
    for (let cell = 1; cell < layout.cells.length; ++cell) {
        const d = Math.hypot(layout.cells[cell].x - x, layout.cells[cell].y - y);
        if (d < bestDistance) {
            best = cell;
            bestDistance = d;
        }
    }
    return best;
}

export function inTray(layout, x, y) {
    const r = layout.tray, m = layout.slotSize / 4;
    return x >= r.x - m && x < r.x + r.width + m && y >= r.y - m && y < r.y + r.height + m;
}

// The centre of a cursor place: { area: "board", index: cell } or { area: "tray",
// index: slot } (a piece's slot is its id).
export function placeCentre(layout, place) {
    return place.area === "board" ? layout.cells[place.index] : layout.slots[place.index];
}

// Moves the cursor one step in a direction (dx, dy of -1, 0, 1): to the nearest place
// whose centre lies that way within 50 degrees either side, or, when there is none, to
// the nearest anywhere on that side; the board and the tray alike. Stays where it is
// when nothing lies that way.
export function moveCursor(game, layout, dx, dy) {
    const here = placeCentre(layout, game.cursor);
    const best = [null, null], bestScore = [Infinity, Infinity];
    const consider = (area, index, p) => {
        const vx = p.x - here.x, vy = p.y - here.y;
        const along = vx * dx + vy * dy, across = Math.abs(vx * dy - vy * dx);
        if (along < 1)
            return;
        const tier = across <= along * 1.2 ? 0 : 1;
        const score = along + 1.5 * across;
        if (score < bestScore[tier] - 0.01) {
            best[tier] = { area: area, index: index };
            bestScore[tier] = score;
        }
    };
    for (let cell = 1; cell < layout.cells.length; ++cell)
        consider("board", cell, layout.cells[cell]);
    layout.slots.forEach((p, slot) => consider("tray", slot, p));
    const chosen = best[0] || best[1];
    return chosen === null ? game : Object.assign({}, game, { cursor: chosen });
}

// The seams to mark, with the middle of each on the stage: { x, y, state, angle } where
// angle is the seam's direction from the lower cell in degrees (clockwise on the screen).
export function seamMarks(position, layout, states) {
    return Board.seams(position).filter(s => states.indexOf(s.state) >= 0).map(s => {
        const a = layout.cells[s.cell], b = layout.cells[s.neighbour];
        return { x: (a.x + b.x) / 2, y: (a.y + b.y) / 2, state: s.state,
                 angle: Math.atan2(b.y - a.y, b.x - a.x) * 180 / Math.PI };
    });
}

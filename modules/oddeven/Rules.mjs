// SPDX-License-Identifier: GPL-3.0-or-later
// Odd-Even: square pieces whose edge codes 0-3 must add up to 3 across every seam (an
// odd code always meets an even one): drawn as bumps and hollows that lock together.
// Boards from 3 x 3 up to 40 cells (5 x 8, 8 x 5), chosen by the player. No hi-score list.
import * as Play from "../edgematch/Play.mjs";

export const smallest = 3;
export const largest = 8;
export const mostCells = 40;
export const codes = 4;

// The board name the solver reads: "bg" then the rows and the columns, one digit each.
export function boardName(rows, columns) {
    return "bg" + rows + columns;
}

// Whether rows x columns is a board of the game.
export function isSize(rows, columns) {
    return Number.isInteger(rows) && Number.isInteger(columns)
        && rows >= smallest && rows <= largest && columns >= smallest && columns <= largest
        && rows * columns <= mostCells;
}

// A size the game can play: out-of-range numbers are brought into range, and a board
// over 40 cells loses columns.
export function clampSize(rows, columns) {
    const r = Math.max(smallest, Math.min(largest, Math.round(Number(rows)) || smallest));
    let c = Math.max(smallest, Math.min(largest, Math.round(Number(columns)) || smallest));
    while (r * c > mostCells)
        --c;
    return { rows: r, columns: c };
}

// The size after one step of the rows (or columns) picker: one more, or back to 3 past
// the largest that fits with the other number; the other number stays.
export function stepRows(size, steps) {
    return { rows: stepWithin(size.rows, steps, Math.min(largest, Math.floor(mostCells / size.columns))),
             columns: size.columns };
}

export function stepColumns(size, steps) {
    return { rows: size.rows,
             columns: stepWithin(size.columns, steps, Math.min(largest, Math.floor(mostCells / size.rows))) };
}

function stepWithin(value, steps, top) {
    const n = top - smallest + 1;
    return smallest + ((((value - smallest + steps) % n) + n) % n);
}

// A new game on a rows x columns board dealt from `seed`.
export function newGame(rows, columns, seed) {
    const size = clampSize(rows, columns);
    return Object.assign(Play.newGame(boardName(size.rows, size.columns), codes, seed),
                         { rows: size.rows, columns: size.columns });
}

// How the size is written for the player.
export function sizeText(size) {
    return size.rows + " \u00d7 " + size.columns;
}

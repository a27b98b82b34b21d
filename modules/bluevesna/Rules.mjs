// SPDX-License-Identifier: GPL-3.0-or-later
// Blue Vesna: hexagonal pieces on one of the fourteen stored hexagon boards. The player
// picks a board or goes through them from the smallest to the largest; the boards done
// are remembered while the program runs. No hi-score list.
import * as Board from "../edgematch/Board.mjs";
import * as Play from "../edgematch/Play.mjs";

// The boards in order from small to large (the order of the stored table).
export const shapes = Object.keys(Board.hexLayouts);

// What a board's letter says about its outline, as a word and as a symbol: a board is
// shown as its number of cells and one of these ("7 Round", "7\u25cf"), never as the
// bare key, whose O reads as a nought.
const outlines = {
    T: { word: "Triangle", mark: "\u25b2" },
    O: { word: "Round", mark: "\u25cf" },
    X: { word: "Cross", mark: "\u2715" },
    W: { word: "Wave", mark: "\u2248" },
    R: { word: "Slant", mark: "\u25b0" }
};

function outlineOf(key) {
    return outlines[key[key.length - 1]] || { word: key, mark: "" };
}

export function cellsOf(key) {
    return parseInt(key, 10);
}

// "7 Round": the name of a board in texts.
export function shapeName(key) {
    const k = shapeOf(key);
    return cellsOf(k) + " " + outlineOf(k).word;
}

// "7\u25cf": the short name on a chip.
export function shapeMark(key) {
    const k = shapeOf(key);
    return cellsOf(k) + outlineOf(k).mark;
}

// Edge codes dealt: four, drawn as coloured fields with symbols.
export const codes = 4;

// A shape key the game knows; anything else plays the smallest.
export function shapeOf(key) {
    return shapes.indexOf(key) >= 0 ? key : shapes[0];
}

// A new game on shape `key` dealt from `seed`; `shape` says which board it is.
export function newGame(key, seed) {
    const shape = shapeOf(key);
    return Object.assign(Play.newGame("hexa" + shape, codes, seed), { shape: shape });
}

// --- Progress through the shapes -------------------------------------------------------
//
// The shapes done, as the text kept with player.remember(): their keys joined by ",".

// The keys of the shapes done, in the table's order; unknown keys and bad text are
// left out.
export function readProgress(text) {
    const done = typeof text === "string" ? text.split(",") : [];
    return shapes.filter(key => done.indexOf(key) >= 0);
}

export function writeProgress(done) {
    return shapes.filter(key => done.indexOf(key) >= 0).join(",");
}

export function withShapeDone(done, key) {
    return readProgress(writeProgress(done.concat([key])));
}

// The shape to play after `key`: the next larger one not done yet, else the first not
// done from the start, else simply the next (round to the first after the last).
export function nextShape(done, key) {
    const i = shapes.indexOf(shapeOf(key));
    for (let k = 1; k <= shapes.length; ++k) {
        const candidate = shapes[(i + k) % shapes.length];
        if (done.indexOf(candidate) < 0)
            return candidate;
    }
    return shapes[(i + 1) % shapes.length];
}

// The shape `steps` places along the table from `key` (the picker's arrows), wrapping.
export function stepShape(key, steps) {
    const n = shapes.length;
    return shapes[(((shapes.indexOf(shapeOf(key)) + steps) % n) + n) % n];
}

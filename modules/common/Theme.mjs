// SPDX-License-Identifier: GPL-3.0-or-later
// Colours, sizes and the colour-with-shape pairs every movie draws with. Movies are laid
// out on an 800 x 600 stage that the player scales to the game window.

export const stageWidth = 800;
export const stageHeight = 600;
export const headerHeight = 56;

export const background = "#14213d";
export const panel = "#1f2f52";
export const panelLight = "#2b3f6b";
export const text = "#f5f3ea";
export const textDim = "#b9c1d6";
export const accent = "#ffb703";
export const good = "#52b788";
export const bad = "#e85d5d";
export const focus = "#ffe066";          // a highlight: a group, a lit lamp, a hover
export const cursor = "#ff5fd2";         // the keyboard cursor, in every movie, and nothing else

export const fontFamily = "DejaVu Sans";
export const titleSize = 26;
export const bodySize = 18;
export const smallSize = 15;

// Colour and shape together, so that colour is never the only signal. The shapes are
// the kinds Glyph draws; the colours stay apart for the common colour-vision deficiencies
// as well as they can, and the shape settles every case.
export const marks = [
    { colour: "#e63946", shape: "circle",   name: "red circle" },
    { colour: "#2a9df4", shape: "square",   name: "blue square" },
    { colour: "#f4d35e", shape: "triangle", name: "yellow triangle" },
    { colour: "#43aa8b", shape: "diamond",  name: "green diamond" },
    { colour: "#b56be8", shape: "star",     name: "purple star" },
    { colour: "#f3722c", shape: "cross",    name: "orange cross" },
    { colour: "#f0f0f0", shape: "ring",     name: "white ring" },
    { colour: "#7f5539", shape: "hexagon",  name: "brown hexagon" }
];

// "m:ss" for a time in milliseconds; "m:ss.t" with tenths when asked.
export function formatTime(ms, tenths) {
    const total = Math.max(0, Math.floor(ms));
    const minutes = Math.floor(total / 60000);
    const seconds = Math.floor(total / 1000) % 60;
    let out = minutes + ":" + (seconds < 10 ? "0" : "") + seconds;
    if (tenths)
        out += "." + Math.floor(total / 100) % 10;
    return out;
}

// SPDX-License-Identifier: GPL-3.0-or-later
// How the pieces of the hexagon and sum boards are drawn: SVG path texts for a piece
// drawn unturned in a square item of side `size`, centred in it. Edge k faces the
// direction (k - 1) x 360 / L degrees counter-clockwise from east, as the board model
// numbers it; the item is turned on the screen for the piece's rotation.
import * as Looks from "./Looks.mjs";

function fmt(v) {
    return (Math.round(v * 100) / 100).toString();
}

// A point at `radius` from the centre at `degrees` counter-clockwise from east.
function polar(size, radius, degrees) {
    const a = degrees * Math.PI / 180;
    return { x: size / 2 + radius * Math.cos(a), y: size / 2 - radius * Math.sin(a) };
}

function pathOf(points) {
    return "M " + points.map(p => fmt(p.x) + " " + fmt(p.y)).join(" L ") + " Z";
}

// --- Hexagons ----------------------------------------------------------------------------
//
// A hexagon standing on a point, `size` across its flat sides: its corner radius is
// size / sqrt(3), edge k runs between the corners at (k - 1) x 60 -/+ 30 degrees.

export function hexOutline(size, inset) {
    const r = (size / Math.sqrt(3)) - (inset || 0);
    const points = [];
    for (let i = 0; i < 6; ++i)
        points.push(polar(size, r, 30 + 60 * i));
    return pathOf(points);
}

// The triangle from the centre to edge `edge`: the field its code colours.
export function hexField(size, edge) {
    const r = size / Math.sqrt(3) - size * 0.02;
    const middle = (edge - 1) * 60;
    return pathOf([polar(size, 0, 0), polar(size, r, middle - 30), polar(size, r, middle + 30)]);
}

// The symbol of an edge's code, in its field near the edge.
// Drawn in a piece turned by `pieceAngle` degrees, it stands upright on the screen.
export function hexMark(size, edge, code, pieceAngle) {
    const c = polar(size, size * 0.3, (edge - 1) * 60);
    return Looks.markPath(code, c.x, c.y, size * 0.085, pieceAngle);
}

// The symbols of all six edges as one path, upright in a piece turned by `pieceAngle`.
export function hexMarks(size, codes, pieceAngle) {
    let out = "";
    for (let edge = 1; edge <= 6; ++edge)
        out += hexMark(size, edge, Number(codes[edge - 1]) || 0, pieceAngle) + " ";
    return out.trim();
}

export function hexColour(code) {
    return Looks.colour("marks", code);
}

export function hexCodeName(code) {
    return Looks.codeName("marks", code);
}

// --- Sum pieces ----------------------------------------------------------------------------
//
// A square piece of side `size` whose every edge carries a bump or a hollow: even codes
// stick out, odd ones cut in; 0 and 3 are a round bump and a round hollow, 2 and 1 a
// dovetail bump and a dovetail hollow. Codes that add up to 3 are a bump and the hollow
// of its shape, so that across a fitting seam the two pieces lock together.

export function isBump(code) {
    return code % 2 === 0;
}

export function isRound(code) {
    return code === 0 || code === 3;
}

// The points of one edge's figure in its own frame: u outwards from the centre, v along
// the edge; walked from v > 0 to v < 0 so that the piece is outlined counter-clockwise.
function edgeFigure(size, code) {
    const h = size / 2;
    const out = isBump(code) ? 1 : -1;
    if (isRound(code)) {
        const r = size * 0.17, pts = [];
        for (let i = 0; i <= 12; ++i) {
            const a = Math.PI / 2 - i * Math.PI / 12;     // from v = +r round to v = -r
            pts.push([h + out * r * Math.cos(a), r * Math.sin(a)]);
        }
        return pts;
    }
    const a = size * 0.1, b = size * 0.19, d = size * 0.17;
    return [[h, a], [h + out * d, b], [h + out * d, -b], [h, -a]];
}

function framePoint(size, edge, u, v) {
    const angle = (edge - 1) * Math.PI / 2;
    const c = Math.cos(angle), s = Math.sin(angle);
    return { x: size / 2 + u * c + v * s, y: size / 2 - u * s + v * c };
}

// The outline of a sum piece with its four figures, corners rounded off a little.
export function sumOutline(size, codes) {
    const h = size / 2, corner = size * 0.06;
    const points = [];
    for (let edge = 1; edge <= 4; ++edge) {
        const code = Number(codes[edge - 1]);
        points.push(framePoint(size, edge, h, h - corner));
        for (const p of edgeFigure(size, code))
            points.push(framePoint(size, edge, p[0], p[1]));
        points.push(framePoint(size, edge, h, -h + corner));   // then the cut corner
    }
    return pathOf(points);
}

// Each bump is coloured by its shape; a hollow is ringed in the colour of the bump that
// fills it.
export function sumColour(code) {
    return isRound(code) ? "#f4a259" : "#5bc0be";
}

// The figure of one edge alone, closed along the edge: the bump's fill or the hollow's ring.
export function sumFigure(size, edge, code) {
    return pathOf(edgeFigure(size, code).map(p => framePoint(size, edge, p[0], p[1])));
}

export function sumCodeName(code) {
    return (isRound(code) ? "round " : "dovetail ") + (isBump(code) ? "bump" : "hollow");
}

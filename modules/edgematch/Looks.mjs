// SPDX-License-Identifier: GPL-3.0-or-later
// How the tile games draw an edge code: as a coloured field with a symbol ("marks"), as
// a wedge whose opening angle is the code ("angles"), or as a coloured tab with a letter
// ("letters"). Every look tells the codes apart by shape as well as by colour. The
// shapes are SVG path texts for a square piece of side `size`, built on its east edge
// and turned to the others, so that two touching edges of equal code meet as one
// figure mirrored across the seam.
import * as Theme from "../common/Theme.mjs";

// The station's colour and shape pairs; the symbols drawn here are the first six.
const markColours = Theme.marks.slice(0, 6).map(m => m.colour);
const markShapes = Theme.marks.slice(0, 6).map(m => m.shape);
const angleColours = ["#4cc9f0", "#f9c74f", "#f28482", "#90be6d"];
const angleDegrees = [30, 65, 100, 135];
const letterColours = ["#e76f51", "#2a9d8f", "#e9c46a", "#8ab17d", "#9d4edd", "#4895ef"];
const letters = ["K", "A", "T", "E", "L", "Y"];

export function colour(look, code) {
    if (look === "angles")
        return angleColours[code % angleColours.length];
    if (look === "letters")
        return letterColours[code % letterColours.length];
    return markColours[code % markColours.length];
}

export function letter(code) {
    return letters[code % letters.length];
}

// A short name of the code for texts ("red circle", "65°", "letter K").
export function codeName(look, code) {
    if (look === "angles")
        return angleDegrees[code % angleDegrees.length] + "°";
    if (look === "letters")
        return "letter " + letter(code);
    return markShapes[code % markShapes.length];
}

// A point given in the east edge's frame (u outwards from the centre, v along the edge)
// on edge `edge` of a square of `size` (edge 1 east, 2 north, 3 west, 4 south).
function point(size, edge, u, v) {
    const a = (edge - 1) * Math.PI / 2;
    const c = Math.cos(a), s = Math.sin(a);
    const x = size / 2 + u * c + v * s;
    const y = size / 2 - u * s + v * c;
    return fmt(x) + " " + fmt(y);
}

function fmt(v) {
    return (Math.round(v * 100) / 100).toString();
}

function polygon(size, edge, points) {
    return "M " + points.map(p => point(size, edge, p[0], p[1])).join(" L ") + " Z";
}

// The field an edge's code fills: the triangle from the centre to the edge's corners
// ("marks"), the wedge of the code's angle ("angles"), the half disc on the edge
// ("letters").
export function fieldPath(look, size, edge, code) {
    const h = size / 2;
    if (look === "angles") {
        const depth = size * 0.34;
        const half = depth * Math.tan(angleDegrees[code % angleDegrees.length] * Math.PI / 360);
        return polygon(size, edge, [[h - depth, 0], [h, -half], [h, half]]);
    }
    if (look === "letters") {
        const r = size * 0.24;
        return "M " + point(size, edge, h, -r) + " A " + fmt(r) + " " + fmt(r) + " 0 0 0 "
             + point(size, edge, h, r) + " Z";
    }
    return polygon(size, edge, [[0, 0], [h, -h], [h, h]]);
}

// Where an edge's symbol or letter sits: { x, y } in the piece.
export function badgeCentre(look, size, edge) {
    const u = look === "letters" ? size * 0.385 : size * 0.31;
    const a = (edge - 1) * Math.PI / 2;
    return { x: size / 2 + u * Math.cos(a), y: size / 2 - u * Math.sin(a) };
}

// The turn a symbol takes inside a piece turned by `pieceAngle` degrees (clockwise on
// the screen) so that it stands upright on the screen: the same turn back, in 0..360.
export function uprightTurn(pieceAngle) {
    const a = (-pieceAngle) % 360;
    return a < 0 ? a + 360 : a;
}

// The symbol of a code in the "marks" look, centred on (cx, cy) with radius r; drawn
// inside a piece turned by `pieceAngle` degrees it stands upright on the screen.
export function markPath(code, cx, cy, r, pieceAngle) {
    const shape = markShapes[code % markShapes.length];
    const t = uprightTurn(pieceAngle || 0) * Math.PI / 180;
    const cos = Math.cos(t), sin = Math.sin(t);
    const P = (x, y) => fmt(cx + (x * cos - y * sin) * r) + " " + fmt(cy + (x * sin + y * cos) * r);
    switch (shape) {
    case "square":
        return "M " + [P(-0.8, -0.8), P(0.8, -0.8), P(0.8, 0.8), P(-0.8, 0.8)].join(" L ") + " Z";
    case "triangle":
        return "M " + [P(0, -1), P(0.95, 0.75), P(-0.95, 0.75)].join(" L ") + " Z";
    case "diamond":
        return "M " + [P(0, -1.05), P(0.8, 0), P(0, 1.05), P(-0.8, 0)].join(" L ") + " Z";
    case "star": {
        const pts = [];
        for (let i = 0; i < 10; ++i) {
            const rr = i % 2 === 0 ? 1.05 : 0.45;
            const a = -Math.PI / 2 + i * Math.PI / 5;
            pts.push(P(rr * Math.cos(a), rr * Math.sin(a)));
        }
        return "M " + pts.join(" L ") + " Z";
    }
    case "cross": {
        const w = 0.34;
        return "M " + [P(-w, -1), P(w, -1), P(w, -w), P(1, -w), P(1, w), P(w, w), P(w, 1),
                       P(-w, 1), P(-w, w), P(-1, w), P(-1, -w), P(-w, -w)].join(" L ") + " Z";
    }
    default: // circle
        return "M " + P(-0.9, 0) + " A " + fmt(0.9 * r) + " " + fmt(0.9 * r) + " 0 1 0 " + P(0.9, 0)
             + " A " + fmt(0.9 * r) + " " + fmt(0.9 * r) + " 0 1 0 " + P(-0.9, 0) + " Z";
    }
}

// SPDX-License-Identifier: GPL-3.0-or-later
// Tots Nook's pictures, drawn by us as plain shapes on a 100 x 100 grid: three sets of
// eight, each picture a list of shapes painted in order. A shape is one of
//   { c: [x, y, r] }            a circle        { e: [x, y, rx, ry] }  an ellipse
//   { p: "M ... Z" }            an SVG path     { r: [x, y, w, h, radius] } a rectangle
// with a fill `f`; a fill of "" leaves only the outline, and `w` gives a line without
// fill its width (`s` its colour). Every filled shape gets the same dark outline, so the
// pictures look like one hand drew them.

const eye = (x, y) => [{ c: [x, y, 5.5], f: "#ffffff" }, { c: [x + 1, y + 0.5, 2.8], f: "#3b2a1a" }];
const smile = (x, y, w) => ({ p: "M " + (x - w) + " " + y + " Q " + x + " " + (y + w) + " " + (x + w) + " " + y,
                              f: "", w: 3 });
const wheel = (x, y, r) => [{ c: [x, y, r], f: "#33333d" }, { c: [x, y, r * 0.42], f: "#c9ccd6" }];

export const sets = [
    {
        name: "animals",
        title: "Animals",
        pictures: [
            { name: "cat", shapes: [
                { p: "M 18 46 L 22 10 L 44 30 Z", f: "#f4a340" }, { p: "M 82 46 L 78 10 L 56 30 Z", f: "#f4a340" },
                { p: "M 24 36 L 25 20 L 36 31 Z", f: "#ffc6d0" }, { p: "M 76 36 L 75 20 L 64 31 Z", f: "#ffc6d0" },
                { e: [50, 56, 36, 32], f: "#f4a340" },
                ...eye(37, 50), ...eye(61, 50),
                { p: "M 46 62 L 54 62 L 50 67 Z", f: "#e5657a" },
                { p: "M 50 67 Q 44 74 39 70 M 50 67 Q 56 74 61 70", f: "", w: 2.5 },
                { p: "M 30 64 L 6 60 M 30 68 L 8 72 M 70 64 L 94 60 M 70 68 L 92 72", f: "", w: 2 }] },
            { name: "dog", shapes: [
                { e: [50, 54, 32, 32], f: "#c98b54" },
                { p: "M 24 30 Q 4 34 8 70 Q 18 74 26 60 Z", f: "#6e4a2d" },
                { p: "M 76 30 Q 96 34 92 70 Q 82 74 74 60 Z", f: "#6e4a2d" },
                { e: [50, 70, 16, 12], f: "#f2dcc0" },
                ...eye(38, 48), ...eye(60, 48),
                { e: [50, 63, 7, 5], f: "#3b2a1a" },
                { p: "M 44 74 Q 50 86 56 74 Z", f: "#e5657a" }] },
            { name: "fish", shapes: [
                { p: "M 70 50 L 95 30 L 92 50 L 95 70 Z", f: "#fb8500" },
                { p: "M 40 24 L 58 12 L 62 28 Z", f: "#fb8500" },
                { e: [42, 50, 34, 23], f: "#ffb347" },
                { p: "M 52 32 Q 60 50 52 68", f: "", w: 2.5 },
                ...eye(24, 45),
                smile(18, 56, 5)] },
            { name: "bird", shapes: [
                { p: "M 62 78 L 60 92 M 48 80 L 46 92", f: "", w: 3.5, s: "#e08a00" },
                { p: "M 78 52 L 98 42 L 96 62 Z", f: "#2f7fd1" },
                { e: [52, 56, 30, 26], f: "#4aa3ff" },
                { c: [32, 34, 17], f: "#4aa3ff" },
                { p: "M 44 60 Q 62 44 76 58 Q 62 74 44 60 Z", f: "#2f7fd1" },
                { p: "M 16 32 L 2 38 L 17 42 Z", f: "#ffb703" },
                ...eye(30, 30)] },
            { name: "frog", shapes: [
                { e: [50, 62, 40, 28], f: "#5cc466" },
                { c: [30, 34, 14], f: "#5cc466" }, { c: [70, 34, 14], f: "#5cc466" },
                { c: [30, 33, 8], f: "#ffffff" }, { c: [31, 34, 4], f: "#3b2a1a" },
                { c: [70, 33, 8], f: "#ffffff" }, { c: [71, 34, 4], f: "#3b2a1a" },
                { p: "M 28 64 Q 50 82 72 64", f: "", w: 3.5 },
                { c: [24, 70, 4], f: "#ff8fa3" }, { c: [76, 70, 4], f: "#ff8fa3" }] },
            { name: "pig", shapes: [
                { p: "M 22 36 L 20 12 L 42 26 Z", f: "#ff9fb2" }, { p: "M 78 36 L 80 12 L 58 26 Z", f: "#ff9fb2" },
                { e: [50, 56, 38, 34], f: "#ffb8c6" },
                ...eye(34, 46), ...eye(66, 46),
                { e: [50, 66, 15, 11], f: "#ff8fa3" },
                { e: [45, 66, 3, 4.5], f: "#9c3f52" }, { e: [55, 66, 3, 4.5], f: "#9c3f52" },
                smile(50, 80, 7)] },
            { name: "rabbit", shapes: [
                { e: [37, 24, 9, 22], f: "#f2f2f2" }, { e: [63, 24, 9, 22], f: "#f2f2f2" },
                { e: [37, 26, 4, 15], f: "#ffc6d0" }, { e: [63, 26, 4, 15], f: "#ffc6d0" },
                { e: [50, 64, 30, 28], f: "#f2f2f2" },
                ...eye(39, 58), ...eye(61, 58),
                { p: "M 46 70 L 54 70 L 50 75 Z", f: "#e5657a" },
                { r: [44, 78, 12, 9, 2], f: "#ffffff" },
                { p: "M 50 78 L 50 87", f: "", w: 2 }] },
            { name: "snail", shapes: [
                { p: "M 8 86 L 86 86 Q 94 86 94 78 L 94 52 Q 94 42 86 42 Q 78 42 78 52 L 78 76 L 8 76 Z",
                  f: "#c6e07a" },
                { p: "M 86 42 L 80 26 M 92 44 L 96 28", f: "", w: 2.5 },
                { c: [80, 25, 3], f: "#3b2a1a" }, { c: [96, 27, 3], f: "#3b2a1a" },
                { c: [44, 52, 30], f: "#c47a3a" },
                { p: "M 44 52 m -4 0 a 4 4 0 1 1 8 0 a 9 9 0 1 1 -17 0 a 14 14 0 1 1 27 0 a 20 20 0 1 1 -39 1",
                  f: "", w: 3 },
                { c: [88, 52, 2.5], f: "#3b2a1a" }] }
        ]
    },
    {
        name: "going",
        title: "Things that go",
        pictures: [
            { name: "car", shapes: [
                { p: "M 6 70 L 6 52 Q 8 46 16 45 L 26 44 L 36 28 Q 38 26 42 26 L 66 26 Q 70 26 72 29 L 82 44 "
                     + "Q 94 46 94 56 L 94 70 Z", f: "#e63946" },
                { p: "M 40 31 L 52 31 L 52 44 L 31 44 Z", f: "#a8dadc" },
                { p: "M 57 31 L 67 31 L 76 44 L 57 44 Z", f: "#a8dadc" },
                { r: [86, 52, 8, 6, 2], f: "#ffd60a" },
                ...wheel(26, 72, 12), ...wheel(74, 72, 12)] },
            { name: "bus", shapes: [
                { r: [6, 20, 88, 58, 8], f: "#ffb703" },
                { r: [12, 28, 16, 18, 3], f: "#a8dadc" }, { r: [32, 28, 16, 18, 3], f: "#a8dadc" },
                { r: [52, 28, 16, 18, 3], f: "#a8dadc" }, { r: [72, 28, 16, 30, 3], f: "#a8dadc" },
                { p: "M 8 58 L 68 58", f: "", w: 3 },
                { r: [6, 64, 6, 6, 1], f: "#e63946" },
                ...wheel(26, 80, 11), ...wheel(74, 80, 11)] },
            { name: "train", shapes: [
                { p: "M 18 18 L 36 18 L 33 34 L 21 34 Z", f: "#33333d" },
                { c: [26, 10, 6], f: "#e6e6e6" }, { c: [36, 4, 4], f: "#e6e6e6" },
                { r: [8, 34, 56, 36, 4], f: "#2a9d8f" },
                { r: [56, 20, 36, 50, 4], f: "#264653" },
                { r: [63, 27, 22, 18, 3], f: "#a8dadc" },
                { r: [4, 68, 92, 6, 2], f: "#e63946" },
                ...wheel(22, 82, 11), ...wheel(50, 82, 11), ...wheel(78, 82, 11)] },
            { name: "boat", shapes: [
                { p: "M 50 8 L 50 62 L 88 62 Z", f: "#f1faee" },
                { p: "M 46 18 L 46 62 L 16 62 Z", f: "#ffb703" },
                { p: "M 6 66 L 94 66 L 80 88 L 20 88 Z", f: "#e76f51" },
                { c: [36, 76, 4], f: "#f1faee" }, { c: [52, 76, 4], f: "#f1faee" }, { c: [68, 76, 4], f: "#f1faee" },
                { p: "M 4 95 Q 17 88 30 95 Q 43 102 56 95 Q 69 88 82 95 Q 90 99 96 95", f: "", w: 3.5, s: "#2a9df4" }] },
            { name: "plane", shapes: [
                { p: "M 44 46 L 30 10 L 42 10 L 64 46 Z", f: "#457b9d" },
                { p: "M 44 56 L 30 90 L 42 90 L 64 56 Z", f: "#457b9d" },
                { p: "M 8 44 L 4 28 L 12 28 L 22 44 Z", f: "#457b9d" },
                { p: "M 6 44 L 80 42 Q 98 44 98 51 Q 98 58 80 60 L 6 58 Q 2 51 6 44 Z", f: "#f1faee" },
                { c: [40, 51, 3.5], f: "#4cc9f0" }, { c: [52, 51, 3.5], f: "#4cc9f0" },
                { c: [64, 51, 3.5], f: "#4cc9f0" }, { p: "M 84 45 Q 93 47 94 51 L 84 51 Z", f: "#4cc9f0" }] },
            { name: "bike", shapes: [
                { c: [24, 66, 20], f: "" }, { c: [76, 66, 20], f: "" },
                { c: [24, 66, 3], f: "#3b2a1a" }, { c: [76, 66, 3], f: "#3b2a1a" },
                { p: "M 24 66 L 42 40 L 68 40 L 50 66 Z M 42 40 L 38 30 M 68 40 L 76 66 M 66 32 L 68 40",
                  f: "", w: 4.5, s: "#e63946" },
                { p: "M 30 28 L 46 28", f: "", w: 5, s: "#3b2a1a" },
                { p: "M 60 30 L 72 28", f: "", w: 5, s: "#3b2a1a" },
                { c: [50, 66, 5], f: "#ffb703" }] },
            { name: "rocket", shapes: [
                { p: "M 40 80 Q 50 100 60 80 Z", f: "#ffb703" },
                { p: "M 34 58 L 16 80 L 36 76 Z", f: "#e63946" }, { p: "M 66 58 L 84 80 L 64 76 Z", f: "#e63946" },
                { p: "M 50 4 Q 72 24 68 62 L 64 80 L 36 80 L 32 62 Q 28 24 50 4 Z", f: "#eceff4" },
                { p: "M 50 4 Q 60 12 64 22 L 36 22 Q 40 12 50 4 Z", f: "#e63946" },
                { c: [50, 42, 9], f: "#4cc9f0" }] },
            { name: "balloon", shapes: [
                { p: "M 36 66 L 40 82 M 64 66 L 60 82", f: "", w: 2 },
                { r: [38, 80, 24, 14, 3], f: "#a0522d" },
                { p: "M 50 4 Q 90 6 86 40 Q 82 58 64 68 L 36 68 Q 18 58 14 40 Q 10 6 50 4 Z", f: "#ff6b6b" },
                { p: "M 50 4 Q 66 20 62 68 L 38 68 Q 34 20 50 4 Z", f: "#ffd60a" }] }
        ]
    },
    {
        name: "food",
        title: "Food",
        pictures: [
            { name: "apple", shapes: [
                { p: "M 50 30 C 30 14 6 28 12 56 C 18 86 38 96 50 88 C 62 96 82 86 88 56 C 94 28 70 14 50 30 Z",
                  f: "#e63946" },
                { p: "M 50 30 L 54 10", f: "", w: 3.5 },
                { e: [66, 14, 12, 6], f: "#52b788" },
                { e: [30, 46, 5, 9], f: "#ff99a0", o: 1 }] },
            { name: "banana", shapes: [
                { p: "M 14 30 Q 20 82 84 74 Q 92 72 88 66 Q 40 70 26 26 Z", f: "#ffd60a" },
                { p: "M 14 30 L 12 22 L 22 20 L 26 26 Z", f: "#6b4f2a" },
                { p: "M 22 36 Q 34 66 78 70", f: "", w: 2 }] },
            { name: "cherries", shapes: [
                { p: "M 30 62 Q 40 30 62 12 M 70 60 Q 66 34 62 12", f: "", w: 3.5, s: "#2d6a4f" },
                { e: [72, 14, 13, 6], f: "#52b788" },
                { c: [30, 70, 17], f: "#c1121f" }, { c: [70, 68, 17], f: "#c1121f" },
                { c: [24, 64, 4], f: "#ff99a0", o: 1 }, { c: [64, 62, 4], f: "#ff99a0", o: 1 }] },
            { name: "carrot", shapes: [
                { p: "M 48 24 Q 36 4 40 2 Q 50 10 52 22 Q 58 2 66 4 Q 62 20 56 26 Z", f: "#52b788" },
                { p: "M 34 28 Q 50 18 66 28 Q 60 70 50 98 Q 40 70 34 28 Z", f: "#fb8500" },
                { p: "M 40 44 L 48 44 M 52 58 L 58 58 M 42 70 L 50 70", f: "", w: 2.5 }] },
            { name: "cheese", shapes: [
                { p: "M 8 76 L 8 48 L 90 26 L 92 76 Z", f: "#ffd166" },
                { p: "M 8 48 L 60 48 L 90 26", f: "", w: 3 },
                { c: [30, 62, 6], f: "#f4a300" }, { c: [62, 64, 8], f: "#f4a300" }, { c: [80, 46, 4], f: "#f4a300" },
                { c: [46, 38, 3], f: "#f4a300" }] },
            { name: "ice cream", shapes: [
                { p: "M 30 52 L 70 52 L 50 98 Z", f: "#e9b872" },
                { p: "M 36 60 L 60 72 M 64 60 L 42 78 M 40 68 L 56 88", f: "", w: 2 },
                { c: [50, 36, 22], f: "#ffafcc" },
                { p: "M 28 44 Q 34 56 40 46 Q 46 58 52 46 Q 58 58 64 46 Q 70 56 72 44", f: "#ffafcc" },
                { c: [50, 12, 7], f: "#d62828" }] },
            { name: "watermelon", shapes: [
                { p: "M 4 36 L 96 36 Q 94 84 50 88 Q 6 84 4 36 Z", f: "#52b788" },
                { p: "M 12 36 L 88 36 Q 86 76 50 79 Q 14 76 12 36 Z", f: "#ff4d6d" },
                { e: [32, 48, 2.5, 4], f: "#3b2a1a" }, { e: [50, 52, 2.5, 4], f: "#3b2a1a" },
                { e: [68, 48, 2.5, 4], f: "#3b2a1a" }, { e: [42, 64, 2.5, 4], f: "#3b2a1a" },
                { e: [60, 64, 2.5, 4], f: "#3b2a1a" }] },
            { name: "strawberry", shapes: [
                { p: "M 50 26 Q 86 20 82 46 Q 76 76 50 94 Q 24 76 18 46 Q 14 20 50 26 Z", f: "#e63946" },
                { p: "M 50 30 L 30 20 L 40 16 L 50 8 L 60 16 L 70 20 Z", f: "#52b788" },
                { e: [36, 44, 2, 3], f: "#ffd60a" }, { e: [50, 42, 2, 3], f: "#ffd60a" },
                { e: [64, 44, 2, 3], f: "#ffd60a" }, { e: [42, 58, 2, 3], f: "#ffd60a" },
                { e: [58, 58, 2, 3], f: "#ffd60a" }, { e: [50, 74, 2, 3], f: "#ffd60a" }] }
        ]
    }
];

// Pictures of the party, not dealt on cards.
export const partyPictures = [
    { name: "star", shapes: [
        { p: "M 50 4 L 62 36 L 96 37 L 69 58 L 79 92 L 50 72 L 21 92 L 31 58 L 4 37 L 38 36 Z", f: "#ffd60a" },
        ...eye(41, 50), ...eye(59, 50), smile(50, 62, 8)] },
    { name: "again", shapes: [
        { c: [50, 50, 46], f: "#52b788" },
        { p: "M 72 50 A 22 22 0 1 1 64 33", f: "", w: 9, s: "#ffffff" },
        { p: "M 56 22 L 76 28 L 66 44 Z", f: "#ffffff", o: 1 }] }
];

// The set of a name; the first set for any other.
export function setNamed(name) {
    return sets.find(s => s.name === name) || sets[0];
}

// The shapes of a picture by its name, from any set; none for an unknown name.
export function shapesOf(name) {
    for (const list of sets.map(s => s.pictures).concat([partyPictures])) {
        const picture = list.find(p => p.name === name);
        if (picture)
            return picture.shapes;
    }
    return [];
}

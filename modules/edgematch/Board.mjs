// SPDX-License-Identifier: GPL-3.0-or-later
// The edge-matching board every puzzle movie plays on: a board shape (cells, which
// cells touch by which edges, the matching rule), pieces written as edge-code strings,
// a position (which piece lies where, turned how), dealing a solvable puzzle, and the
// solver's request and answer for a position. Plain functions over plain data; a
// position is never changed in place, every move gives a new one.
//
// Numbering, shared with the solver:
// - Cells are numbered from 1. On a grid they run along the anti-diagonals (row + column
//   = 2, 3, ...), within one by increasing column; see gridLayout().
// - A square cell's edges are 1 east (next column), 2 north (previous row), 3 west
//   (previous column), 4 south (next row). A hexagonal cell's edges run the same way
//   round, counter-clockwise on the screen, starting east: 1 E, 2 NE, 3 NW, 4 W, 5 SW,
//   6 SE; edge k meets the opposite edge k +/- 3 of its neighbour.
// - A piece string holds one digit a edge, its edges 1..L unturned. Laid with rotation
//   r, its character p shows on the cell's edge ((p - 1 + r) mod L) + 1: one step of
//   rotation turns a piece a quarter (square) or sixth (hexagon) counter-clockwise.
// - A layout string lists each touching pair once as four characters: the cell's
//   letter (cell 1 is "A"), the neighbour's letter, the cell's edge, the neighbour's
//   edge.
import * as Random from "../common/Random.mjs";

// The fourteen hexagon boards the solver knows, by key (number of cells and a letter).
export const hexLayouts = {
    "3T": "BA36CA41CB52",
    "4O": "BA52CA36DA41DB36DC52",
    "5X": "CA36CB52DA41DC52EB41EC36",
    "5W": "BA36CA41CB52DB41DC36EC41ED52",
    "6T": "BA36CA41CB52DB36EB41EC36ED52FC41FE52",
    "6R": "BA36CA41CB52DB41DC36EC41ED52FD41FE36",
    "6W": "CA36CB52DA41DC52EB41EC36FC41FD36FE52",
    "7O": "BA52CA36DA41DB36DC52EB41ED52FC41FD36GD41GE36GF52",
    "8X": "CA36CB52DA41DC52EB41EC36FC41FD36FE52GD41GF52HE41HF36",
    "9O": "BA52CB52DA36EA41EB36ED52FB41FC36FE52GD36HD41HE36HG52IE41IF36IH52",
    "9W": "CA36CB52DA41DC52EB41EC36FC41FD36FE52GD41GF52HE41HF36IF41IG36IH52",
    "10T": "BA36CA41CB52DB36EB41EC36ED52FC41FE52GD36HD41HE36HG52IE41IF36IH52JF41JI52",
    "10O": "BA52CA36DA41DB36DC52EB41ED52FC41FD36GD41GE36GF52HE41HG52IF41IG36JG41JH36JI52",
    "10W": "CA36CB52DA41DC52EB36FB41FC36FE52GC41GD36GF52HD41HG52IE41IF36JF41JG36JI52"
};

// The grid's cells in number order, as { row, column } from 1.
export function gridOrder(rows, columns) {
    const order = [];
    for (let d = 2; d <= rows + columns; ++d)
        for (let column = 1; column <= columns; ++column) {
            const row = d - column;
            if (row >= 1 && row <= rows)
                order.push({ row: row, column: column });
        }
    return order;
}

// The layout string of a grid: for each cell in number order, its link to the cell
// below ("42") and then to the cell on its right ("13").
export function gridLayout(rows, columns) {
    const order = gridOrder(rows, columns);
    const letter = {};
    order.forEach((p, i) => { letter[p.row + ":" + p.column] = cellLetter(i + 1); });
    let out = "";
    for (const p of order) {
        const here = letter[p.row + ":" + p.column];
        if (p.row < rows)
            out += here + letter[(p.row + 1) + ":" + p.column] + "42";
        if (p.column < columns)
            out += here + letter[p.row + ":" + (p.column + 1)] + "13";
    }
    return out;
}

export function cellLetter(cell) {
    return String.fromCharCode(64 + cell);
}

// A board from a layout string. `places[cell]` says where a cell is drawn: { row,
// column } on grids, { x, y } centres in cell widths on hexagon boards.
export function makeBoard(name, layout, cellCount, edges, matchSum, places) {
    const links = [];
    for (let cell = 0; cell <= cellCount; ++cell)
        links.push([]);
    for (let i = 0; i + 3 < layout.length; i += 4) {
        const a = layout.charCodeAt(i) - 64, b = layout.charCodeAt(i + 1) - 64;
        const ea = Number(layout[i + 2]), eb = Number(layout[i + 3]);
        links[a].push({ edge: ea, neighbour: b, neighbourEdge: eb });
        links[b].push({ edge: eb, neighbour: a, neighbourEdge: ea });
    }
    return {
        name: name, layout: layout, cellCount: cellCount, edges: edges,
        matchSum: matchSum, links: links, places: places
    };
}

// A rows x columns board of square pieces; `matchSum` 0 matches equal codes, any other
// value codes that add up to it.
export function gridBoard(name, rows, columns, matchSum) {
    const places = [null].concat(gridOrder(rows, columns));
    const board = makeBoard(name, gridLayout(rows, columns), rows * columns, 4, matchSum || 0,
                            places);
    board.rows = rows;
    board.columns = columns;
    return board;
}

// One of the stored hexagon boards, or null for an unknown key.
export function hexBoard(key) {
    const layout = hexLayouts[key];
    if (layout === undefined)
        return null;
    const cellCount = parseInt(key, 10);
    const board = makeBoard("hexa" + key, layout, cellCount, 6, 0, []);
    board.places = hexPlaces(board);
    return board;
}

// The board the solver sets up for a request header name (the text before "*"), or
// null when the solver knows no board for it.
export function boardFor(name) {
    const head = name.substring(0, 2);
    if (name === "tarno9")
        return gridBoard(name, 3, 3, 0);
    if (head === "ta" || head === "an" || head === "kp")
        return gridBoard(name, 4, 4, 0);
    if (head === "he")
        return hexBoard(name.substring(4));
    if (head === "bg" && /^bg[1-9]([0-9]*[1-9])?$/.test(name)) {
        const size = name.substring(2);
        const rows = Number(size[0]), columns = Number(size[size.length - 1]);
        return rows * columns <= 40 ? gridBoard(name, rows, columns, 3) : null;
    }
    return null;
}

// The direction edge `edge` of an L-edged cell faces, in radians counter-clockwise from
// east (screen y grows downwards, so its sine is subtracted).
export function edgeAngle(edges, edge) {
    return (edge - 1) * 2 * Math.PI / edges;
}

// Centres of a hexagon board's cells, cell 1 at (0, 0), one cell width between the
// centres of touching cells, y growing downwards: found by walking the links.
export function hexPlaces(board) {
    const places = [];
    for (let cell = 0; cell <= board.cellCount; ++cell)
        places.push(null);
    places[1] = { x: 0, y: 0 };
    const queue = [1];
    while (queue.length > 0) {
        const cell = queue.shift();
        for (const link of board.links[cell]) {
            if (places[link.neighbour] !== null)
                continue;
            const a = edgeAngle(board.edges, link.edge);
            places[link.neighbour] = {
                x: round6(places[cell].x + Math.cos(a)),
                y: round6(places[cell].y - Math.sin(a))
            };
            queue.push(link.neighbour);
        }
    }
    return places;
}

function round6(v) {
    return Math.round(v * 1e6) / 1e6;
}

// Whether two touching edge codes fit under the board's rule.
export function codesFit(board, a, b) {
    return board.matchSum === 0 ? a === b : a + b === board.matchSum;
}

// The code a piece shows on a cell edge when laid with `rotation`.
export function codeOnEdge(piece, rotation, edge) {
    const n = piece.length;
    const p = (((edge - 1 - rotation) % n) + n) % n;
    return Number(piece[p]);
}

// The piece's codes on cell edges 1..L, as a string, when laid with `rotation`.
export function turnedCodes(piece, rotation) {
    let out = "";
    for (let edge = 1; edge <= piece.length; ++edge)
        out += codeOnEdge(piece, rotation, edge);
    return out;
}

// --- Positions -------------------------------------------------------------------------
//
// { board, pieces: [piece string by piece id], cellOf: [cell by id, 0 in the tray],
//   rotationOf: [rotation by id], pieceAt: [id by cell, -1 when empty; index 0 unused] }

export function newPosition(board, pieces, rotations) {
    const pieceAt = [];
    for (let cell = 0; cell <= board.cellCount; ++cell)
        pieceAt.push(-1);
    return {
        board: board,
        pieces: pieces.slice(),
        cellOf: pieces.map(() => 0),
        rotationOf: rotations ? rotations.slice() : pieces.map(() => 0),
        pieceAt: pieceAt
    };
}

function copy(position) {
    return {
        board: position.board,
        pieces: position.pieces,
        cellOf: position.cellOf.slice(),
        rotationOf: position.rotationOf.slice(),
        pieceAt: position.pieceAt.slice()
    };
}

// Lays piece `id` into `cell`. A piece already there goes where `id` came from: to the
// other cell (the two swap) or to the tray.
export function lay(position, id, cell) {
    if (cell < 1 || cell > position.board.cellCount || id < 0 || id >= position.pieces.length)
        return position;
    const out = copy(position);
    const from = out.cellOf[id];
    const other = out.pieceAt[cell];
    if (other === id)
        return position;
    if (from > 0)
        out.pieceAt[from] = -1;
    if (other >= 0) {
        out.cellOf[other] = from;
        if (from > 0)
            out.pieceAt[from] = other;
    }
    out.pieceAt[cell] = id;
    out.cellOf[id] = cell;
    return out;
}

// Takes piece `id` off the board into the tray.
export function lift(position, id) {
    const from = position.cellOf[id];
    if (from === undefined || from === 0)
        return position;
    const out = copy(position);
    out.pieceAt[from] = -1;
    out.cellOf[id] = 0;
    return out;
}

// Turns piece `id` by `steps` counter-clockwise steps (negative: clockwise).
export function turn(position, id, steps) {
    if (id < 0 || id >= position.pieces.length)
        return position;
    const n = position.pieces[id].length;
    const out = copy(position);
    out.rotationOf[id] = (((out.rotationOf[id] + steps) % n) + n) % n;
    return out;
}

// Every piece back in the tray, keeping its turn.
export function clearBoard(position) {
    return newPosition(position.board, position.pieces, position.rotationOf);
}

// The code on a cell's edge, or -1 when the cell is empty.
export function codeAt(position, cell, edge) {
    const id = position.pieceAt[cell];
    return id < 0 ? -1 : codeOnEdge(position.pieces[id], position.rotationOf[id], edge);
}

// How a cell's edge looks: "border" (no neighbour there), "open" (this cell or the
// neighbour is empty), "match" or "clash".
export function edgeState(position, cell, edge) {
    const link = position.board.links[cell].find(l => l.edge === edge);
    if (link === undefined)
        return "border";
    const a = codeAt(position, cell, edge);
    const b = codeAt(position, link.neighbour, link.neighbourEdge);
    if (a < 0 || b < 0)
        return "open";
    return codesFit(position.board, a, b) ? "match" : "clash";
}

// Whether the piece in `cell` fits every laid neighbour (true for an empty cell).
export function fitsAt(position, cell) {
    return position.board.links[cell].every(l => edgeState(position, cell, l.edge) !== "clash");
}

export function laidCount(position) {
    return position.pieceAt.filter((id, cell) => cell > 0 && id >= 0).length;
}

export function isFull(position) {
    return laidCount(position) === position.board.cellCount;
}

// Full, and every touching pair of edges fits.
export function isSolved(position) {
    if (!isFull(position))
        return false;
    for (let cell = 1; cell <= position.board.cellCount; ++cell)
        if (!fitsAt(position, cell))
            return false;
    return true;
}

// Every touching pair of cells once: { cell, edge, neighbour, neighbourEdge, state },
// state as edgeState() gives it.
export function seams(position) {
    const out = [];
    for (let cell = 1; cell <= position.board.cellCount; ++cell)
        for (const l of position.board.links[cell])
            if (l.neighbour > cell)
                out.push({ cell: cell, edge: l.edge, neighbour: l.neighbour,
                           neighbourEdge: l.neighbourEdge, state: edgeState(position, cell, l.edge) });
    return out;
}

// The number of touching edge pairs that fit, and of all touching pairs.
export function matchCount(position) {
    const all = seams(position);
    return { fit: all.filter(s => s.state === "match").length, all: all.length };
}

// --- Dealing ---------------------------------------------------------------------------

// A random solved board, its pieces shuffled and turned. `codes` edge codes are used
// (0 .. codes-1; at most matchSum + 1 under a sum rule). Gives { pieces, solution },
// where solution[cell] = { id, rotation } lays the dealt pieces into a solved board.
export function deal(board, codes, seed) {
    const rng = Random.make(seed);
    const top = board.matchSum > 0 ? Math.min(codes, board.matchSum + 1) : codes;
    const edgesOf = [];
    for (let cell = 0; cell <= board.cellCount; ++cell)
        edgesOf.push([]);
    for (let cell = 1; cell <= board.cellCount; ++cell)
        for (let edge = 1; edge <= board.edges; ++edge)
            edgesOf[cell][edge] = Random.below(rng, top);
    // Each touching pair once: the neighbour's edge follows from this one.
    for (let cell = 1; cell <= board.cellCount; ++cell)
        for (const l of board.links[cell])
            if (l.neighbour > cell) {
                const c = edgesOf[cell][l.edge];
                edgesOf[l.neighbour][l.neighbourEdge] = board.matchSum > 0 ? board.matchSum - c : c;
            }
    const order = Random.shuffled(rng, range(1, board.cellCount));
    const pieces = [];
    const solution = [null];
    for (let cell = 1; cell <= board.cellCount; ++cell)
        solution.push(null);
    order.forEach((cell, id) => {
        const rotation = Random.below(rng, board.edges);
        // Written so that laid with `rotation` it shows the solved edges.
        let piece = "";
        for (let p = 1; p <= board.edges; ++p)
            piece += edgesOf[cell][((p - 1 + rotation) % board.edges) + 1];
        pieces.push(piece);
        solution[cell] = { id: id, rotation: rotation };
    });
    return { pieces: pieces, solution: solution };
}

function range(low, high) {
    const out = [];
    for (let i = low; i <= high; ++i)
        out.push(i);
    return out;
}

// The position with every piece laid as `solution` says.
export function laidOut(position, solution) {
    let out = clearBoard(position);
    for (let cell = 1; cell <= position.board.cellCount; ++cell) {
        out = lay(out, solution[cell].id, cell);
        out = turn(out, solution[cell].id, solution[cell].rotation - out.rotationOf[solution[cell].id]);
    }
    return out;
}

// --- The solver ------------------------------------------------------------------------

// The "solvepuzzle" request for a position: the header, every piece, then the laid
// pieces as fixed pieces in three blocks (their strings, their cells, their rotations),
// in cell order. With `ignoreLaid` the request asks for a solution from an empty board.
export function request(position, ignoreLaid) {
    const items = [position.board.name + "*" + position.pieces.length].concat(position.pieces);
    if (!ignoreLaid) {
        const strings = [], cells = [], rotations = [];
        for (let cell = 1; cell <= position.board.cellCount; ++cell) {
            const id = position.pieceAt[cell];
            if (id < 0)
                continue;
            strings.push(position.pieces[id]);
            cells.push(String(cell));
            rotations.push(String(position.rotationOf[id]));
        }
        Array.prototype.push.apply(items, strings.concat(cells, rotations));
    }
    return items.join(",");
}

// Reads the solver's answer (the piece strings of cells 1..n, then their rotations) as a
// solution[cell] = { id, rotation } of this position's pieces: pieces already laid keep
// their cell where the answer puts the same string there. Gives null for an empty
// answer or one that does not fit these pieces.
export function readAnswer(position, answer) {
    const n = position.board.cellCount, length = position.board.edges;
    if (typeof answer !== "string" || answer.length !== n * length + n || n !== position.pieces.length)
        return null;
    const used = position.pieces.map(() => false);
    const solution = [null];
    const wanted = [];
    for (let cell = 1; cell <= n; ++cell) {
        const piece = answer.substr((cell - 1) * length, length);
        const rotation = Number(answer[n * length + cell - 1]);
        if (!/^[0-9]+$/.test(piece) || !(rotation >= 0 && rotation < length))
            return null;
        wanted.push({ cell: cell, piece: piece, rotation: rotation });
        solution.push(null);
    }
    // The laid pieces first, so that a piece the answer leaves where it lies stays put.
    for (const w of wanted) {
        const here = position.pieceAt[w.cell];
        if (here >= 0 && position.pieces[here] === w.piece) {
            used[here] = true;
            solution[w.cell] = { id: here, rotation: w.rotation };
        }
    }
    for (const w of wanted) {
        if (solution[w.cell] !== null)
            continue;
        const id = position.pieces.findIndex((p, i) => !used[i] && p === w.piece);
        if (id < 0)
            return null;
        used[id] = true;
        solution[w.cell] = { id: id, rotation: w.rotation };
    }
    return solution;
}

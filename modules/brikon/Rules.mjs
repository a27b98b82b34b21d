// SPDX-License-Identifier: GPL-3.0-or-later
// Brikon's rules: a wall of coloured bricks; a group of two or more touching bricks of
// one colour can be taken out, the bricks above fall down and empty columns close up
// to the left. Plain functions over plain data; the game object is never changed in
// place, every move gives a new one.
//
// A board is { cols, rows, columns }: columns[c] lists the bricks of column c from the
// bottom up, each { id, colour }. A brick keeps its id while it falls, so a view can
// move the same item. Column 0 is at the left, row 0 at the bottom.
import * as Random from "../common/Random.mjs";

export const columns = 15;
export const rows = 10;
export const colours = 5;
// A record's score field is ranked as six digits, so no result may go beyond this.
export const maxScore = 999999;
export const clearBonus = 1000;
// What taking a move back costs in a timed mode: time off the clock.
export const undoCostMs = 5000;

// The four ways to play, each with its own hi-score list.
export const modes = [
    { slotId: "brikon", label: "Unlimited", key: "0", limitMs: 0 },
    { slotId: "brikon1", label: "1 minute", key: "1", limitMs: 60000 },
    { slotId: "brikon3", label: "3 minutes", key: "3", limitMs: 180000 },
    { slotId: "brikon5", label: "5 minutes", key: "5", limitMs: 300000 }
];

export function modeOf(slotId) {
    return modes.find(m => m.slotId === slotId) || modes[0];
}

// Points for taking out a group of n bricks: grows with the square of the size, so
// one group of ten is worth far more than five pairs.
export function points(n) {
    return n < 2 ? 0 : n * (n - 1);
}

// A board filled from the generator. A board without a single group is dealt again,
// so play can always begin.
export function dealBoard(rng) {
    for (;;) {
        const board = { cols: columns, rows: rows, columns: [] };
        let id = 0;
        for (let c = 0; c < columns; ++c) {
            const column = [];
            for (let r = 0; r < rows; ++r)
                column.push({ id: id++, colour: Random.below(rng, colours) });
            board.columns.push(column);
        }
        if (hasGroup(board))
            return board;
    }
}

// A board from text rows, top row first, one character a cell: a digit is a colour,
// "." an empty cell. For tests and set scenes; bricks are numbered as they are read,
// bottom up, column by column.
export function boardFromRows(lines) {
    const height = lines.length;
    const width = height ? lines[0].length : 0;
    const board = { cols: width, rows: height, columns: [] };
    let id = 0;
    for (let c = 0; c < width; ++c) {
        const column = [];
        for (let r = 0; r < height; ++r) {
            const ch = lines[height - 1 - r][c];
            if (ch !== ".")
                column.push({ id: id++, colour: Number(ch) });
        }
        board.columns.push(column);
    }
    return settle(board);
}

// The board as text rows, top row first (the reverse of boardFromRows).
export function boardRows(board) {
    const out = [];
    for (let r = board.rows - 1; r >= 0; --r) {
        let line = "";
        for (let c = 0; c < board.cols; ++c) {
            const brick = brickAt(board, c, r);
            line += brick ? String(brick.colour) : ".";
        }
        out.push(line);
    }
    return out;
}

export function brickAt(board, col, row) {
    if (col < 0 || col >= board.cols || row < 0)
        return null;
    const column = board.columns[col];
    return column && row < column.length ? column[row] : null;
}

// The cells [col, row] of the group the brick at (col, row) belongs to: the bricks of
// its colour reached through left, right, up and down. Empty for an empty cell.
export function groupAt(board, col, row) {
    const start = brickAt(board, col, row);
    if (!start)
        return [];
    const seen = new Set([col * 1000 + row]);
    const out = [];
    const todo = [[col, row]];
    while (todo.length) {
        const [c, r] = todo.pop();
        out.push([c, r]);
        for (const [dc, dr] of [[1, 0], [-1, 0], [0, 1], [0, -1]]) {
            const nc = c + dc, nr = r + dr;
            const brick = brickAt(board, nc, nr);
            if (brick && brick.colour === start.colour && !seen.has(nc * 1000 + nr)) {
                seen.add(nc * 1000 + nr);
                todo.push([nc, nr]);
            }
        }
    }
    return out;
}

export function hasGroup(board) {
    for (let c = 0; c < board.cols; ++c) {
        const column = board.columns[c];
        for (let r = 0; r < column.length; ++r) {
            const up = column[r + 1], right = brickAt(board, c + 1, r);
            if ((up && up.colour === column[r].colour) || (right && right.colour === column[r].colour))
                return true;
        }
    }
    return false;
}

export function brickCount(board) {
    return board.columns.reduce((n, column) => n + column.length, 0);
}

// The biggest group on the board as its cells, or [] when there is none.
export function biggestGroup(board) {
    let best = [];
    const done = new Set();
    for (let c = 0; c < board.cols; ++c) {
        for (let r = 0; r < board.columns[c].length; ++r) {
            if (done.has(c * 1000 + r))
                continue;
            const group = groupAt(board, c, r);
            for (const [gc, gr] of group)
                done.add(gc * 1000 + gr);
            if (group.length > best.length)
                best = group;
        }
    }
    return best.length >= 2 ? best : [];
}

// Empty columns close up to the left; the board keeps its width.
function settle(board) {
    const kept = board.columns.filter(column => column.length > 0);
    while (kept.length < board.cols)
        kept.push([]);
    return { cols: board.cols, rows: board.rows, columns: kept };
}

// The board without the group at (col, row): bricks above fall, empty columns close
// up. Null when there is no group of two or more there.
export function removeGroup(board, col, row) {
    const group = groupAt(board, col, row);
    if (group.length < 2)
        return null;
    const gone = new Set(group.map(([c, r]) => brickAt(board, c, r).id));
    const columns = board.columns.map(column => column.filter(brick => !gone.has(brick.id)));
    return { board: settle({ cols: board.cols, rows: board.rows, columns: columns }), removed: group.length };
}

// Where each brick of a board is, by id: { col, row, colour }, or null for a brick
// that has been taken out. A view keeps one item per id.
export function placement(board) {
    const out = new Array(board.cols * board.rows).fill(null);
    board.columns.forEach((column, c) => column.forEach((brick, r) => {
        out[brick.id] = { col: c, row: r, colour: brick.colour };
    }));
    return out;
}

// A new game in a mode. The game object holds everything the movie shows.
export function newGame(seed, slotId) {
    const rng = Random.make(seed);
    const mode = modeOf(slotId);
    return {
        seed: seed,
        rng: rng.state,
        slotId: mode.slotId,
        limitMs: mode.limitMs,
        board: dealBoard(rng),
        boardNumber: 1,
        score: 0,
        moves: 0,
        boardsCleared: 0,
        lastPoints: 0,
        bestGroup: 0,
        over: false,
        previous: null
    };
}

// The game after the player picks the brick at (col, row), or null when that is no
// move. When the board has no group left the untimed game ends (a cleared board earns
// the bonus); a timed game gets a fresh board and goes on until the time is up.
export function play(game, col, row) {
    if (game.over)
        return null;
    const result = removeGroup(game.board, col, row);
    if (!result)
        return null;
    let gained = points(result.removed);
    const next = Object.assign({}, game, {
        board: result.board,
        moves: game.moves + 1,
        bestGroup: Math.max(game.bestGroup || 0, result.removed),
        previous: Object.assign({}, game, { previous: null })
    });
    if (!hasGroup(next.board)) {
        if (brickCount(next.board) === 0) {
            gained += clearBonus;
            next.boardsCleared = game.boardsCleared + 1;
        }
        if (next.limitMs > 0) {
            const rng = { state: game.rng };
            next.board = dealBoard(rng);
            next.rng = rng.state;
            next.boardNumber = game.boardNumber + 1;
        } else {
            next.over = true;
        }
    }
    next.score = game.score + gained;
    next.lastPoints = gained;
    return next;
}

// The game before its last move, or null when there is none to take back: one step
// only, and never once the game is over.
export function undo(game) {
    return game.over || !game.previous ? null : game.previous;
}

// The game when the clock of a timed mode has run out.
export function timeUp(game) {
    return Object.assign({}, game, { over: true });
}

// The score as a record can hold it: whole, not below 0, not above maxScore.
export function recordedScore(score) {
    return Math.max(0, Math.min(maxScore, Math.floor(score)));
}

// The "writescore" list of a finished game: its mode's slot id and the score.
export function scoreList(game) {
    return [game.slotId, recordedScore(game.score)];
}

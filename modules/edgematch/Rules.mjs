// SPDX-License-Identifier: GPL-3.0-or-later
// The tile puzzles' rules: the four games, a game's state and every move a player can
// make with the mouse or the keyboard, solving, and the result sent to the hi-score
// list. Plain functions over plain data: each gives a new game and leaves the old one.
import * as Board from "./Board.mjs";

// The four games of the movie, by gameType. `codes` edge codes are dealt (fewer codes
// make more pieces look alike); `look` says how a code is drawn.
export const games = {
    tarno9: { title: "Tarno 9", board: "tarno9", codes: 4, look: "marks" },
    tarno16: { title: "Tarno 16", board: "tarno16", codes: 4, look: "marks" },
    angle: { title: "Angle Puzzle", board: "angle", codes: 3, look: "angles" },
    kpuzzle: { title: "K-Puzzle", board: "kpuzzle", codes: 6, look: "letters" }
};

// A gameType the movie does not know plays Tarno 9 (and records as Tarno 9).
export function gameTypeOf(gameType) {
    return games[gameType] !== undefined ? gameType : "tarno9";
}

// --- The daily deal ----------------------------------------------------------------------
//
// Each tile game has one deal a day, the same for every player on that date, so that
// players can compare their times on one board.

// The date as "2026-12-08", in local time.
export function dayText(date) {
    const two = n => (n < 10 ? "0" : "") + n;
    return date.getFullYear() + "-" + two(date.getMonth() + 1) + "-" + two(date.getDate());
}

// The seed of the daily deal of `gameType` on the day of `date`.
export function dailySeed(gameType, date) {
    const text = gameTypeOf(gameType) + "@" + dayText(date);
    let h = 2166136261;
    for (let i = 0; i < text.length; ++i) {
        h ^= text.charCodeAt(i);
        h = Math.imul(h, 16777619) >>> 0;
    }
    return h >>> 0;
}

// A new game of `gameType` dealt from `seed`.
//   phase: "play", "solving" (a request is out), "won" (the player finished the board),
//   "solved" (the solver's answer finished it; no result is recorded).
//   cursor: the keyboard's place { area: "board" | "tray", index } (cell number from
//   1, or tray slot from 0; a piece's tray slot is its piece id).
//   held: the piece the keyboard has picked up, or -1.
export function newGame(gameType, seed) {
    const type = gameTypeOf(gameType);
    const setup = games[type];
    return dealGame(type, setup.board, setup.codes, seed);
}

// A new game named `name` on the board of a request header name (see Board.boardFor),
// with `codes` edge codes, dealt from `seed`: the fields newGame() describes. The other
// edge-matching movies deal their games with it too.
export function dealGame(name, boardName, codes, seed) {
    const board = Board.boardFor(boardName);
    const dealt = Board.deal(board, codes, seed);
    return {
        gameType: name,
        seed: seed >>> 0,
        position: Board.newPosition(board, dealt.pieces),
        solution: dealt.solution,
        phase: "play",
        moves: 0,
        cursor: { area: "board", index: 1 },
        held: -1,
        hints: 0,
        marked: []
    };
}

function changed(game, changes) {
    return Object.assign({}, game, changes);
}

// After a move: the game is won when the board is full and every edge fits.
function moved(game, position) {
    if (position === game.position)
        return game;
    const next = changed(game, { position: position, moves: game.moves + 1, marked: [] });
    if (Board.isSolved(position)) {
        next.phase = "won";
        next.held = -1;
    }
    return next;
}

export function isPlaying(game) {
    return game.phase === "play";
}

// Moves a piece into a cell (another piece there swaps places with it or goes to the
// tray).
export function layPiece(game, id, cell) {
    if (!isPlaying(game))
        return game;
    return changed(moved(game, Board.lay(game.position, id, cell)), { held: -1 });
}

// Takes a piece back to the tray.
export function liftPiece(game, id) {
    if (!isPlaying(game))
        return game;
    return changed(moved(game, Board.lift(game.position, id)), { held: -1 });
}

// Turns a piece; steps > 0 clockwise on the screen, < 0 counter-clockwise.
export function turnPiece(game, id, steps) {
    if (!isPlaying(game) || id < 0)
        return game;
    return moved(game, Board.turn(game.position, id, -steps));
}

// --- The keyboard ------------------------------------------------------------------------
//
// The cursor is a place of the board or the tray: { area: "board", index: cell } or
// { area: "tray", index: slot } (a piece's slot is its id). The table moves it by the
// arrows, as it lays the places out (Play.moveCursor).

// The piece at the cursor, or -1.
export function pieceAtCursor(game) {
    const c = game.cursor;
    if (c.area === "board")
        return game.position.pieceAt[c.index];
    return game.position.cellOf[c.index] === 0 ? c.index : -1;
}

// Puts the cursor on a place (a click on it, so that the keyboard goes on from there).
export function setCursor(game, area, index) {
    return changed(game, { cursor: { area: area, index: index } });
}

// The cursor on the piece `id`, wherever it lies: after the mouse moved or turned it,
// the keys go on from there.
export function cursorOnPiece(game, id) {
    const cell = game.position.cellOf[id];
    return setCursor(game, cell > 0 ? "board" : "tray", cell > 0 ? cell : id);
}

// Enter or Space: picks up the piece at the cursor, or puts the held piece down there
// (onto a cell, or back into its tray slot when the cursor is in the tray).
export function press(game) {
    if (!isPlaying(game))
        return game;
    if (game.held < 0) {
        const id = pieceAtCursor(game);
        return id < 0 ? game : changed(game, { held: id });
    }
    const id = game.held;
    if (game.cursor.area === "board")
        return game.position.cellOf[id] === game.cursor.index ? changed(game, { held: -1 })
                                                              : layPiece(game, id, game.cursor.index);
    return game.position.cellOf[id] === 0 ? changed(game, { held: -1 }) : liftPiece(game, id);
}

// Escape: puts the held piece down where it lies.
export function release(game) {
    return changed(game, { held: -1 });
}

// Turns the held piece, or else the piece at the cursor.
export function turnAtCursor(game, steps) {
    return turnPiece(game, game.held >= 0 ? game.held : pieceAtCursor(game), steps);
}

// --- Solving -----------------------------------------------------------------------------

// Whether two laid pieces already clash, so that nothing can complete the board.
export function laidPiecesClash(game) {
    return clashes(game.position);
}

function clashes(p) {
    for (let cell = 1; cell <= p.board.cellCount; ++cell)
        if (!Board.fitsAt(p, cell))
            return true;
    return false;
}

// The request for the solver: the laid pieces stay (unless `fromEmpty`).
export function solveRequest(game, fromEmpty) {
    return Board.request(game.position, fromEmpty);
}

export function startSolving(game) {
    return game.phase === "play" ? changed(game, { phase: "solving", held: -1 }) : game;
}

export function stopSolving(game) {
    return game.phase === "solving" ? changed(game, { phase: "play" }) : game;
}

// The solver's answer: { game, outcome } with outcome "solved" (the game ends solved,
// `solution` says where each piece goes), "impossible" (the laid pieces cannot be
// completed, or the answer does not fit: the game goes on), or "ignored" (no solve was
// asked for).
export function takeAnswer(game, answer) {
    if (game.phase !== "solving")
        return { game: game, outcome: "ignored" };
    const solution = Board.readAnswer(game.position, answer);
    if (solution === null || !Board.isSolved(Board.laidOut(game.position, solution)))
        return { game: changed(game, { phase: "play" }), outcome: "impossible" };
    return { game: changed(game, { phase: "solved", solution: solution }), outcome: "solved" };
}

// Lays the next piece of the solution (the lowest cell not yet showing it); the game's
// position is finished when nothing is left.
export function layNextOfSolution(game) {
    const p = game.position;
    for (let cell = 1; cell <= p.board.cellCount; ++cell) {
        const s = game.solution[cell];
        if (p.pieceAt[cell] === s.id && p.rotationOf[s.id] === s.rotation)
            continue;
        let next = Board.lay(p, s.id, cell);
        next = Board.turn(next, s.id, s.rotation - next.rotationOf[s.id]);
        return changed(game, { position: next });
    }
    return game;
}

export function solutionShown(game) {
    return Board.isSolved(game.position);
}

// --- Hints ---------------------------------------------------------------------------
//
// A hint lays one right piece: the solver is asked with the laid pieces kept, and the
// piece its answer puts into the first empty cell (the order in which the solver fills
// free cells) is laid and turned as the answer says. Each hint adds to the time a game
// with a hi-score list records.

export const hintPenaltyMs = 30000;

// The piece a hint lays, from a solution of the position that keeps the laid pieces:
// { cell, id, rotation } for the first empty cell, or null when no cell is empty.
export function hintFrom(position, solution) {
    for (let cell = 1; cell <= position.board.cellCount; ++cell)
        if (position.pieceAt[cell] < 0)
            return { cell: cell, id: solution[cell].id, rotation: solution[cell].rotation };
    return null;
}

// The time recorded for a board finished in `timeMs` with `hints` hints taken.
export function recordedTime(timeMs, hints) {
    return Math.max(0, Math.round(timeMs)) + Math.max(0, hints) * hintPenaltyMs;
}

// The solver's answer to a hint's request: { game, outcome, hint } with outcome "hint"
// (the piece laid as one move, the cursor on it), "impossible" (the laid pieces cannot
// be completed: the game stays "solving" while the pieces in the way are looked for),
// or "ignored" (no request was out).
export function takeHint(game, answer) {
    if (game.phase !== "solving")
        return { game: game, outcome: "ignored", hint: null };
    const solution = Board.readAnswer(game.position, answer);
    const hint = solution === null ? null : hintFrom(game.position, solution);
    if (hint === null || !Board.isSolved(Board.laidOut(game.position, solution)))
        return { game: game, outcome: "impossible", hint: null };
    const playing = changed(game, { phase: "play", hints: game.hints + 1 });
    let next = layPiece(playing, hint.id, hint.cell);
    next = moved(next, Board.turn(next.position, hint.id, hint.rotation - next.position.rotationOf[hint.id]));
    return { game: changed(next, { cursor: { area: "board", index: hint.cell } }), outcome: "hint", hint: hint };
}

// The laid pieces that keep the board from being completed, found by asking the solver
// again (`ask(request)` gives its answer, "" for none, null when asking was stopped)
// without some of them. First each laid piece alone: every piece without which the
// board can be completed is one that cannot stay ({ ids, alone: true }). When no single
// piece is to blame, the laid pieces are kept one by one in cell order as long as the
// board can still be completed with them, and the rest must go together ({ ids, alone:
// false }). Positions that clash are known to fail without asking. Gives null when
// asking was stopped.
export function misplacedPieces(position, ask) {
    const laid = [];
    for (let cell = 1; cell <= position.board.cellCount; ++cell)
        if (position.pieceAt[cell] >= 0)
            laid.push(position.pieceAt[cell]);
    const completable = function(keep) {
        let rest = position;
        for (const id of laid)
            if (keep.indexOf(id) < 0)
                rest = Board.lift(rest, id);
        if (clashes(rest))
            return false;
        const answer = ask(Board.request(rest, false));
        return answer === null ? null : answer !== "";
    };
    const alone = [];
    for (const id of laid) {
        const without = completable(laid.filter(other => other !== id));
        if (without === null)
            return null;
        if (without)
            alone.push(id);
    }
    if (alone.length > 0)
        return { ids: alone, alone: true };
    const kept = [], gone = [];
    for (const id of laid) {
        const with_ = completable(kept.concat([id]));
        if (with_ === null)
            return null;
        (with_ ? kept : gone).push(id);
    }
    return { ids: gone, alone: false };
}

// Marks laid pieces as ones that cannot stay; the next move takes the marks away.
export function markPieces(game, ids) {
    return changed(game, { marked: ids.slice() });
}

// --- The result --------------------------------------------------------------------------

// The "writescore" list of a won game: the slot id and the playing time in ms, hints'
// penalties included. Only a game the player finished has one.
export function scoreList(game, timeMs) {
    if (game.phase !== "won")
        return [];
    return [game.gameType, String(recordedTime(timeMs, game.hints || 0))];
}

// The answer the solver could give for the dealt puzzle: the pieces of cells 1..n as
// the deal solved them, then their rotations. (The solver may find another.)
export function dealtAnswer(game) {
    const p = game.position;
    let pieces = "", rotations = "";
    for (let cell = 1; cell <= p.board.cellCount; ++cell) {
        pieces += p.pieces[game.solution[cell].id];
        rotations += game.solution[cell].rotation;
    }
    return pieces + rotations;
}

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
        held: -1
    };
}

function changed(game, changes) {
    return Object.assign({}, game, changes);
}

// After a move: the game is won when the board is full and every edge fits.
function moved(game, position) {
    if (position === game.position)
        return game;
    const next = changed(game, { position: position, moves: game.moves + 1 });
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
    const p = game.position;
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

// --- The result --------------------------------------------------------------------------

// The "writescore" list of a won game: the slot id and the playing time in ms. Only a
// game the player finished has one.
export function scoreList(game, timeMs) {
    if (game.phase !== "won")
        return [];
    return [game.gameType, String(Math.max(0, Math.round(timeMs)))];
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

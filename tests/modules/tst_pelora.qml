// SPDX-License-Identifier: GPL-3.0-or-later
// Pelora: free paths, lines in every direction and crossing lines, the balls that come
// after a move that clears nothing, the end of a game, the score a record can hold, and
// the movie itself driven by keys and the mouse.
import QtQuick
import QtTest
import "../../modules/pelora/Rules.mjs" as Rules

TestCase {
    id: test
    name: "Pelora"
    when: windowShown
    width: 800
    height: 600
    visible: true

    readonly property var emptyRows: [".........", ".........", ".........", ".........", ".........",
                                      ".........", ".........", ".........", "........."]

    function at(row, col) {
        return row * 9 + col;
    }

    function test_path_data() {
        return [
            { tag: "straight", rows: ["0........"], size: 9, from: [0, 0], to: [0, 4], steps: 5 },
            { tag: "around a wall",
              rows: ["0.1..", "..1..", "..1..", "..1..", "....."], size: 5, from: [0, 0], to: [0, 3], steps: 12 },
            { tag: "walled in", rows: ["01...", "1....", ".....", ".....", "....."], size: 5,
              from: [0, 0], to: [4, 4], steps: 0 },
            { tag: "diagonal steps are not free",
              rows: ["01...", "1.1..", ".1...", ".....", "....."], size: 5, from: [0, 0], to: [1, 1], steps: 0 },
            { tag: "target taken", rows: ["01...", ".....", ".....", ".....", "....."], size: 5,
              from: [0, 0], to: [0, 1], steps: 0 },
            { tag: "no ball to move", rows: [".....", ".....", ".....", ".....", "....."], size: 5,
              from: [0, 0], to: [0, 1], steps: 0 }
        ];
    }
    function test_path(data) {
        const game = Rules.gameFromRows(1, data.rows.length === 1 ? [data.rows[0]].concat(emptyRows.slice(1)) : data.rows);
        const n = game.size;
        const from = data.from[0] * n + data.from[1], to = data.to[0] * n + data.to[1];
        const way = Rules.path(game.cells, n, from, to);
        compare(way.length, data.steps);
        if (!way.length)
            return;
        compare(way[0], from);
        compare(way[way.length - 1], to);
        for (let i = 1; i < way.length; ++i) {
            const a = way[i - 1], b = way[i];
            compare(Math.abs(Math.floor(a / n) - Math.floor(b / n)) + Math.abs(a % n - b % n), 1, "one step");
            compare(game.cells[b], -1, "through empty cells");
        }
    }

    function test_reachableAgreesWithPath() {
        const game = Rules.gameFromRows(3, ["0.1..", "..1..", "111..", ".....", "....."]);
        const reach = Rules.reachable(game.cells, 5, 0);
        compare(reach.sort((a, b) => a - b), [1, 5, 6]);
        for (let to = 0; to < 25; ++to)
            compare(Rules.path(game.cells, 5, 0, to).length > 0, reach.indexOf(to) >= 0, "cell " + to);
    }

    function test_lines_data() {
        return [
            { tag: "row of five", rows: ["33333....", "........."], index: at(0, 2), count: 5 },
            { tag: "column of five", rows: ["2........", "2........", "2........", "2........", "2........"],
              index: at(4, 0), count: 5 },
            { tag: "diagonal down-right", rows: ["4........", ".4.......", "..4......", "...4.....", "....4...."],
              index: at(2, 2), count: 5 },
            { tag: "diagonal up-right", rows: ["....5....", "...5.....", "..5......", ".5.......", "5........"],
              index: at(0, 4), count: 5 },
            { tag: "four is not a line", rows: ["3333.....", "........."], index: at(0, 0), count: 0 },
            { tag: "row of seven", rows: ["1111111..", "........."], index: at(0, 6), count: 7 },
            { tag: "other colour breaks the row", rows: ["11211111.", "........."], index: at(0, 0), count: 0 },
            { tag: "crossing lines count together",
              rows: ["..6......", "..6......", "666666...", "..6......", "..6......"], index: at(2, 2), count: 10 },
            { tag: "crossing, only one long enough",
              rows: ["..6......", "..6......", "66666....", "..6......", "........."], index: at(2, 2), count: 5 },
            { tag: "empty cell", rows: ["33333....", "........."], index: at(1, 0), count: 0 }
        ];
    }
    function test_lines(data) {
        const game = Rules.gameFromRows(1, data.rows.concat(emptyRows.slice(data.rows.length)));
        compare(Rules.linesThrough(game.cells, 9, data.index).length, data.count);
    }

    function test_points_data() {
        return [
            { tag: "five", n: 5, points: 10 },
            { tag: "six", n: 6, points: 24 },
            { tag: "cross of nine", n: 9, points: 90 },
            { tag: "four", n: 4, points: 0 }
        ];
    }
    function test_points(data) {
        compare(Rules.points(data.n), data.points);
    }

    // A line of five made by the move vanishes; only a board it left empty gets the
    // coming balls at once.
    function test_lineVanishes_data() {
        return [
            { tag: "balls left: none come", rest: ["....2...."], placed: [], free: 80 },
            { tag: "board cleared: the next balls come", rest: [], placed: [2, 3, 4], free: 78 }
        ];
    }
    function test_lineVanishes(data) {
        const rows = ["1111.....", ".........", "........1"].concat(data.rest);
        const game = Rules.gameFromRows(8, rows.concat(emptyRows.slice(rows.length)), [2, 3, 4]);
        const next = Rules.move(game, at(2, 8), at(0, 4));
        verify(next !== null);
        compare(next.cleared, [0, 1, 2, 3, 4]);
        compare(next.score, 10);
        compare(next.placed.map(i => next.cells[i]), data.placed);
        compare(Rules.freeCount(next), data.free);
        verify(!next.over);
        if (data.placed.length === 0)
            compare(next.next, [2, 3, 4], "the coming balls wait for the next move");
        compare(game.cells[at(2, 8)], 1, "the game moved from is left as it was");
    }

    function test_moveWithoutLineBringsTheNextBalls() {
        const rows = ["1........"].concat(emptyRows.slice(1));
        const game = Rules.gameFromRows(8, rows, [2, 3, 4]);
        const next = Rules.move(game, at(0, 0), at(8, 8));
        compare(next.cells[at(8, 8)], 1);
        compare(next.cells[0], -1);
        compare(next.placed.length, 3);
        compare(next.placed.map(i => next.cells[i]), [2, 3, 4]);
        compare(Rules.freeCount(next), 81 - 4);
        compare(next.next.length, Rules.ballsPerTurn);
        compare(next.moves, 1);
        compare(next.path[0], 0);
    }

    // One move can be taken back: the ball, the balls that came after it and the score
    // return, the coming colours too; where the balls land next is drawn afresh.
    function test_undoTakesBackOneMove() {
        const rows = ["11.11....", ".....1..."].concat(emptyRows.slice(2));
        const game = Rules.gameFromRows(8, rows, [2, 3, 4]);
        const quiet = Rules.move(game, at(1, 5), at(8, 8));
        compare(quiet.placed.length, 3);
        const back = Rules.undo(quiet);
        compare(Rules.rowsOf(back), Rules.rowsOf(game));
        compare([back.score, back.moves, back.next], [0, 0, [2, 3, 4]]);
        compare(back.rng, quiet.rng, "the generator goes on");
        compare(Rules.undo(back), null, "one step only");
        const scored = Rules.move(game, at(1, 5), at(0, 2));
        compare(scored.score, 10);
        compare(Rules.undo(scored).score, 0);
        compare(Rules.undo(Object.assign({}, quiet, { over: true })), null, "never after the end");
    }

    // The records kept for the end: the longest single line and the most balls one
    // move took off (crossing lines together).
    function test_clearingRecords_data() {
        return [
            { tag: "five", rows: ["1111.....", ".........", "........1"], from: [2, 8], to: [0, 4], longest: 5, most: 5 },
            { tag: "seven", rows: ["1111.11..", ".........", "........1"], from: [2, 8], to: [0, 4], longest: 7, most: 7 },
            { tag: "cross", rows: ["1111.....", "....1....", "....1....", "....1....", "....1....", "........1"],
              from: [5, 8], to: [0, 4], longest: 5, most: 9 },
            { tag: "nothing", rows: ["1........"], from: [0, 0], to: [8, 8], longest: 0, most: 0 }
        ];
    }
    function test_clearingRecords(data) {
        const game = Rules.gameFromRows(8, data.rows.concat(emptyRows.slice(data.rows.length)), [2, 3, 4]);
        const next = Rules.move(game, at(data.from[0], data.from[1]), at(data.to[0], data.to[1]));
        compare([next.longestLine, next.mostCleared], [data.longest, data.most]);
    }

    function test_noMoveWithoutAFreePath() {
        const game = Rules.gameFromRows(1, ["01.......", "1........"].concat(emptyRows.slice(2)));
        compare(Rules.move(game, 0, at(5, 5)), null);
        compare(Rules.move(game, at(5, 5), at(6, 6)), null, "no ball there");
    }

    // A full board of colours that make no line, but for its last two cells.
    function nearlyFullRows() {
        const rows = [];
        for (let r = 0; r < 9; ++r) {
            let line = "";
            for (let c = 0; c < 9; ++c)
                line += String((r * 3 + c) % 7 === 6 ? 5 : (r * 3 + c) % 7);
            rows.push(line);
        }
        rows[8] = rows[8].slice(0, 7) + "..";
        return rows;
    }

    // Two free cells: one move that makes no line, then the balls fill them.
    function test_boardFillsAndTheGameEnds() {
        const game = Rules.gameFromRows(4, nearlyFullRows(), [6, 6, 6]);
        const ball = at(7, 8);
        compare(Rules.linesThrough(game.cells, 9, ball).length, 0);
        const next = Rules.move(game, ball, at(8, 8));
        verify(next.over);
        compare(next.placed.length, 2, "as many balls as there are free cells");
        compare(Rules.freeCount(next), 0);
        compare(Rules.move(next, 0, 1), null);
    }

    function test_sameSeedSameGame() {
        const a = Rules.newGame(2024), b = Rules.newGame(2024), c = Rules.newGame(2025);
        compare(a.cells, b.cells);
        compare(a.next, b.next);
        verify(JSON.stringify(a.cells) !== JSON.stringify(c.cells));
        compare(81 - Rules.freeCount(a), Rules.startBalls);
        // The balls that come after a move are the same too.
        let x = a, y = b;
        for (let i = 0; i < 10; ++i) {
            const m = Rules.suggestMove(x);
            x = Rules.move(x, m[0], m[1]);
            y = Rules.move(y, m[0], m[1]);
        }
        compare(x.cells, y.cells);
        compare(x.next, y.next);
    }

    function test_suggestedMoveMakesALineWhenOneIsThere() {
        const game = Rules.gameFromRows(1, ["1111.....", ".........", "......2.1"].concat(emptyRows.slice(3)));
        const m = Rules.suggestMove(game);
        compare(m, [at(2, 8), at(0, 4)]);
    }

    function test_scoreList_data() {
        return [
            { tag: "plain", score: 316, list: ["pelora", 316] },
            { tag: "zero", score: 0, list: ["pelora", 0] },
            { tag: "at the most a record holds", score: 999999, list: ["pelora", 999999] },
            { tag: "above it", score: 1234567, list: ["pelora", 999999] }
        ];
    }
    function test_scoreList(data) {
        const game = Rules.newGame(1);
        game.score = data.score;
        compare(Rules.scoreList(game), data.list);
    }

    // The movie itself, without a station.
    function makeMovie() {
        const component = Qt.createComponent("../../modules/pelora.qml");
        compare(component.status, Component.Ready, component.errorString());
        const movie = createTemporaryObject(component, test);
        verify(movie);
        return movie;
    }

    function test_movieSendsTheScoreOnceWhenTheBoardIsFull() {
        const movie = makeMovie();
        const rows = ["1111.....", ".........", "........1"].concat(emptyRows.slice(3));
        movie.loadPosition(rows, [2, 3, 4], 0);
        verify(movie.moveBall(at(2, 8), at(0, 4)));
        compare(movie.game.score, 10);
        // Fill the board but two cells: the warning shows; a move that clears nothing
        // ends the game, and the end card names the longest line and the most cleared.
        movie.loadPosition(nearlyFullRows(), [6, 6, 6], movie.game.score);
        verify(findChild(movie, "fullWarning").visible);
        verify(movie.moveBall(at(7, 8), at(8, 8)));
        verify(movie.game.over);
        verify(movie.overlayOpen);
        verify(movie.gameOver.lines.indexOf("Longest line: none") >= 0, movie.gameOver.lines.join("; "));
        tryCompare(movie.link, "sent", ["writescore|pelora,10"]);
        verify(!movie.press(0));
        compare(movie.link.sent.length, 1);
    }

    function test_keyboardSelectsAndMoves() {
        const movie = makeMovie();
        movie.loadPosition(["1........"].concat(emptyRows.slice(1)), [2, 3, 4], 0);
        const board = findChild(movie, "cursor").parent;
        board.forceActiveFocus();
        board.cursor = 0;
        keyClick(Qt.Key_Space);
        compare(movie.selected, 0);
        keyClick(Qt.Key_Escape);
        compare(movie.selected, -1);
        keyClick(Qt.Key_Return);
        keyClick(Qt.Key_Down);
        keyClick(Qt.Key_Right);
        keyClick(Qt.Key_Right);
        compare(board.cursor, at(1, 2));
        keyClick(Qt.Key_Space);
        compare(movie.game.cells[at(1, 2)], 1);
        compare(movie.game.moves, 1);
        compare(movie.selected, -1);
        tryCompare(board, "shown", movie.game.cells, 2000, "the board shows the move after the ball's travel");
        compare(board.landed, movie.game.placed, "the new balls' cells flash");
        keyClick(Qt.Key_Z);
        compare([movie.game.moves, movie.game.cells[0], Rules.freeCount(movie.game)], [0, 1, 80]);
    }

    function test_mouseMovesABallAndRefusesAWalledCell() {
        const movie = makeMovie();
        movie.loadPosition(["1.2......", "222......"].concat(emptyRows.slice(2)), [0, 0, 0], 0);
        const board = findChild(movie, "cursor").parent;
        const cell = board.cell;
        mouseClick(board, cell * 0.5, cell * 0.5);
        compare(movie.selected, 0);
        mouseClick(board, cell * 8.5, cell * 8.5);
        compare(movie.game.moves, 0, "no free path out of the corner");
        compare(findChild(movie, "message").text, "No free path to that cell.");
        mouseClick(board, cell * 1.5, cell * 0.5);
        compare(movie.game.moves, 1);
        compare(movie.game.cells[1], 1);
    }
}

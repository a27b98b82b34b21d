// SPDX-License-Identifier: GPL-3.0-or-later
// Pelora: free paths, lines, the balls that come after a move, the end of a game, and
// the movie driven by keys and the mouse.
import QtQuick
import QtTest
import "../../modules/pelora/Rules.mjs" as Rules

MovieStage {
    id: stage

    TestCase {
        id: test
        name: "Pelora"
        when: windowShown

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

        function test_lines_data() {
            return [
                { tag: "row of five", rows: ["33333....", "........."], index: at(0, 2), count: 5 },
                { tag: "column of five", rows: ["2........", "2........", "2........", "2........", "2........"],
                  index: at(4, 0), count: 5 },
                { tag: "diagonal down-right", rows: ["4........", ".4.......", "..4......", "...4.....", "....4...."],
                  index: at(2, 2), count: 5 },
                { tag: "diagonal up-right", rows: ["....5....", "...5.....", "..5......", ".5.......", "5........"],
                  index: at(0, 4), count: 5 },
                { tag: "walled: no line", rows: ["01.......", "1........"], index: 0, count: 0 },
                { tag: "four is not a line", rows: ["3333.....", "........."], index: at(0, 0), count: 0 },
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

        // Points for the balls one move clears, and the list sent: the score, capped at
        // what a record holds.
        function test_points_data() {
            const list = score => Rules.scoreList(Object.assign(Rules.newGame(1), { score: score }));
            return [[5, 10], [6, 24], [9, 90], [4, 0]].map(r => ({ tag: r[0] + " balls", got: () => Rules.points(r[0]), want: r[1] }))
                .concat([[316, 316], [0, 0], [999999, 999999], [1234567, 999999]]
                        .map(r => ({ tag: "list " + r[0], got: () => list(r[0]), want: ["pelora", r[1]] })));
        }
        function test_points(data) {
            compare(data.got(), data.want);
        }

        // A move: the lines it makes vanish (crossing lines together) and score; the
        // coming balls land only after a move that clears nothing or empties the board.
        function test_move_data() {
            const five = ["1111.....", ".........", "........1"];
            return [
                { tag: "five, balls left", rows: five.concat(["....2...."]), from: [2, 8], score: 10, placed: 0, longest: 5, most: 5 },
                { tag: "five, board emptied", rows: five, from: [2, 8], score: 10, placed: 3, longest: 5, most: 5 },
                { tag: "seven", rows: ["1111.11..", ".........", "........1", "2........"], from: [2, 8],
                  score: 42, placed: 0, longest: 7, most: 7 },
                { tag: "cross", rows: ["1111.....", "....1....", "....1....", "....1....", "....1....", "........1"],
                  from: [5, 8], score: 90, placed: 3, longest: 5, most: 9 },
                { tag: "no line", rows: ["1........"], from: [0, 0], score: 0, placed: 3, longest: 0, most: 0 }
            ];
        }
        function test_move(data) {
            const game = Rules.gameFromRows(8, data.rows.concat(emptyRows.slice(data.rows.length)), [2, 3, 4]);
            const next = Rules.move(game, at(data.from[0], data.from[1]), at(0, 4));
            compare([next.score, next.placed.length, next.longestLine, next.mostCleared, next.moves],
                    [data.score, data.placed, data.longest, data.most, 1]);
            compare(next.placed.map(i => next.cells[i]), [2, 3, 4].slice(0, data.placed));
            compare(next.next.length, Rules.ballsPerTurn);
            compare(game.cells[at(data.from[0], data.from[1])], 1, "the game moved from is left as it was");
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

        function test_movieSendsTheScoreOnceWhenTheBoardIsFull() {
            const movie = stage.open("pelora.qml");
            const rows = ["1111.....", ".........", "........1"].concat(emptyRows.slice(3));
            movie.loadPosition(rows, [2, 3, 4], 0);
            verify(movie.moveBall(at(2, 8), at(0, 4)));
            compare(movie.game.score, 10);
            // Fill the board but two cells: the warning shows; a move that clears nothing
            // ends the game, and the end card names the longest line and the most cleared.
            movie.loadPosition(nearlyFullRows(), [6, 6, 6], movie.game.score);
            verify(findChild(movie, "fullWarning").visible);
            verify(movie.moveBall(at(7, 8), at(8, 8)));
            compare([movie.game.over, movie.overlayOpen, Rules.freeCount(movie.game)], [true, true, 0]);
            verify(movie.gameOver.lines.indexOf("Longest line: none") >= 0, movie.gameOver.lines.join("; "));
            tryCompare(movie.link, "sent", ["writescore|pelora,10"]);
            verify(!movie.press(0));
            compare(movie.link.sent.length, 1);
        }

        // Keys choose and move a ball (Escape lets go), the board shows the travel, Z takes
        // the move back; a click moves too, but never through a wall.
        function test_keysAndMouse() {
            const movie = stage.open("pelora.qml");
            movie.loadPosition(["1.2......", "222......"].concat(emptyRows.slice(2)), [0, 0, 0], 0);
            const board = findChild(movie, "cursor").parent;
            board.forceActiveFocus();
            board.cursor = 0;
            keyClick(Qt.Key_Space);
            keyClick(Qt.Key_Escape);
            compare(movie.selected, -1);
            keyClick(Qt.Key_Return);
            keyClick(Qt.Key_Right);
            compare(board.cursor, 1);
            keyClick(Qt.Key_Space);
            compare([movie.game.cells[1], movie.game.moves, movie.selected], [1, 1, -1]);
            tryCompare(board, "shown", movie.game.cells, 2000, "the board shows the move after the ball's travel");
            compare(board.landed, movie.game.placed, "the new balls' cells flash");
            keyClick(Qt.Key_Z);
            compare([movie.game.moves, movie.game.cells[0]], [0, 1]);
            const cell = board.cell;
            mouseClick(board, cell * 0.5, cell * 0.5);
            compare(movie.selected, 0);
            mouseClick(board, cell * 8.5, cell * 8.5);
            compare(movie.game.moves, 0, "no free path out of the corner");
            compare(findChild(movie, "message").text, "No free path to that cell.");
            mouseClick(board, cell * 1.5, cell * 0.5);
            compare([movie.game.moves, movie.game.cells[1]], [1, 1]);
        }
    }
}

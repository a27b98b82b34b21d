// SPDX-License-Identifier: GPL-3.0-or-later
// Brikon: groups, falling and closing up, scoring, the end of a game in each mode, the
// score a record can hold, and the movie itself driven by keys and the mouse.
import QtQuick
import QtTest
import "../../modules/brikon/Rules.mjs" as Rules

MovieStage {
    id: stage

    TestCase {
        name: "Brikon"
        when: windowShown

        function gameOn(rows, slotId) {
            return Object.assign(Rules.newGame(5, slotId || "brikon"), { board: Rules.boardFromRows(rows) });
        }

        function test_group_data() {
            return [
                { tag: "L-shape of 0", col: 0, row: 0, size: 3 },
                { tag: "square of 2", col: 3, row: 2, size: 4 },
                { tag: "pair in the bottom row", col: 4, row: 0, size: 2 },
                { tag: "1s touch only corner to corner", col: 2, row: 0, size: 1 },
                { tag: "1s around the corner", col: 0, row: 1, size: 3 },
                { tag: "empty cell", col: 4, row: 2, size: 0 },
                { tag: "outside the board", col: 9, row: 0, size: 0 }
            ];
        }
        function test_group(data) {
            const board = Rules.boardFromRows(["1122.", "1022.", "00133"]);
            compare(Rules.groupAt(board, data.col, data.row).length, data.size);
        }

        function test_removal_data() {
            return [
                { tag: "bricks above fall", rows: ["2.", "1.", "1."], col: 0, row: 0, after: ["..", "..", "2."] },
                { tag: "an empty column closes up", rows: ["..3", "1.3", "1.2"], col: 0, row: 0, after: ["3..", "3..", "2.."] },
                { tag: "gaps inside a column close", rows: ["20", "12", "11"], col: 0, row: 0, after: ["..", ".0", "22"] },
                { tag: "two columns empty at once", rows: ["11.2", "11.2"], col: 1, row: 1, after: ["2...", "2..."] },
                { tag: "a single brick is no move", rows: ["12", "21"], col: 1, row: 1, after: null }
            ];
        }
        function test_removal(data) {
            const result = Rules.removeGroup(Rules.boardFromRows(data.rows), data.col, data.row);
            compare(result && Rules.boardRows(result.board), data.after);
            if (data.after === null)
                compare(Rules.play(gameOn(data.rows), data.col, data.row), null);
        }

        function test_points_data() {
            return [[2, 2], [3, 6], [10, 90], [1, 0]].map(r => ({ tag: r[0] + " bricks", n: r[0], points: r[1] }));
        }
        function test_points(data) {
            compare(Rules.points(data.n), data.points);
        }

        // The last group of a board: the untimed game ends (with the bonus for a cleared
        // board), a timed one deals a fresh board and goes on until the time is up.
        function test_boardPlayedOut_data() {
            return [
                { tag: "untimed, bricks left", rows: ["12", "11"], slotId: "brikon", over: true, score: 6, cleared: 0 },
                { tag: "untimed, cleared", rows: ["22", "11"], slotId: "brikon", over: true, score: 4 + Rules.clearBonus, cleared: 1 },
                { tag: "1 minute", rows: ["12", "11"], slotId: "brikon1", over: false, score: 6, cleared: 0 },
                { tag: "5 minutes", rows: ["12", "11"], slotId: "brikon5", over: false, score: 6, cleared: 0 }
            ];
        }
        function test_boardPlayedOut(data) {
            let game = gameOn(data.rows, data.slotId);
            while (!game.over && game.boardNumber === 1)
                game = Rules.play(game, 0, 0);
            compare([game.over, game.score, game.boardsCleared], [data.over, data.score, data.cleared]);
            if (data.over)
                return compare(Rules.play(game, 0, 0), null, "no move after the end");
            compare(Rules.brickCount(game.board), Rules.columns * Rules.rows);
            game = Rules.timeUp(game);
            compare([game.over, Rules.scoreList(game)], [true, [data.slotId, 6]]);
        }

        // One move can be taken back, in every mode; a second step back, or one after
        // the end, is refused.
        function test_undoTakesBackOneMove_data() {
            return Rules.modes.map(m => ({ tag: m.label, slotId: m.slotId }));
        }
        function test_undoTakesBackOneMove(data) {
            const start = gameOn(["2211", "3311", "3322"], data.slotId);
            const back = Rules.undo(Rules.play(start, 2, 1));
            compare(Rules.boardRows(back.board), Rules.boardRows(start.board));
            compare([back.score, back.moves, back.bestGroup], [0, 0, 0]);
            compare(Rules.undo(back), null, "one step only");
            verify(Rules.undo(Rules.play(back, 0, 0)) !== null, "each new move can be taken back");
            compare(Rules.undo(Rules.play(gameOn(["12", "11"], "brikon"), 0, 0)), null);
        }

        // Deals have a group and every colour; the quick look for a group agrees with
        // the full search all the way through a game.
        function test_dealsPlayedThrough() {
            for (let seed = 1; seed <= 30; ++seed) {
                let game = Rules.newGame(seed, "brikon");
                compare(new Set(Rules.boardRows(game.board).join("")).size, Rules.colours, "seed " + seed);
                while (!game.over) {
                    const g = Rules.biggestGroup(game.board);
                    compare(Rules.hasGroup(game.board), g.length >= 2, "seed " + seed);
                    game = Rules.play(game, g[0][0], g[0][1]);
                }
            }
        }

        function test_scoreList_data() {
            return [
                { tag: "no limit", slotId: "brikon", score: 4170, list: ["brikon", 4170] },
                { tag: "at the most a record holds", slotId: "brikon5", score: 999999, list: ["brikon5", 999999] },
                { tag: "above it", slotId: "brikon5", score: 1000000, list: ["brikon5", 999999] },
                { tag: "unknown mode plays without a limit", slotId: "brikon7", score: 3, list: ["brikon", 3] }
            ];
        }
        function test_scoreList(data) {
            compare(Rules.scoreList(Object.assign(Rules.newGame(1, data.slotId), { score: data.score })), data.list);
        }

        function test_movieSendsOnceInEveryMode_data() {
            return Rules.modes.map(m => ({ tag: m.slotId, slotId: m.slotId }));
        }
        function test_movieSendsOnceInEveryMode(data) {
            const movie = stage.open("brikon.qml");
            movie.chooseMode(data.slotId);
            movie.newGame(99);
            verify(movie.pickBiggest() > 0);
            if (movie.timed)
                movie.runOutOfTime();
            while (movie.pickBiggest() > 0) {}
            verify(movie.game.over && movie.overlayOpen);
            tryCompare(movie.link, "sent", ["writescore|" + data.slotId + "," + movie.game.score]);
            movie.runOutOfTime();
            movie.pickBiggest();
            compare(movie.link.sent.length, 1);
        }

        // Arrows and Space play a group, Z takes it back, a mode key asks before it
        // throws the game away; a click plays too, and a timed undo costs time.
        function test_keysAndMouse() {
            const movie = stage.open("brikon.qml");
            movie.chooseMode("brikon");
            movie.newGame(4242);
            const g = Rules.biggestGroup(movie.game.board);
            const b = findChild(movie, "cursor").parent;
            b.forceActiveFocus();
            b.moveCursor(0, 0);
            for (let i = 0; i < g[0][0] + g[0][1]; ++i)
                keyClick(i < g[0][0] ? Qt.Key_Right : Qt.Key_Up);
            compare([b.cursorCol, b.cursorRow, b.groupSize], [g[0][0], g[0][1], g.length]);
            keyClick(Qt.Key_Space);
            compare(movie.game.score, Rules.points(g.length));
            keyClick(Qt.Key_Z);
            compare([movie.game.score, Rules.brickCount(movie.game.board)], [0, Rules.columns * Rules.rows]);
            keyClick(Qt.Key_Space);
            keyClick(Qt.Key_1);
            verify(movie.confirmation.visible, "a game under way is not thrown away unasked");
            keyClick(Qt.Key_Return);
            compare([movie.game.slotId, movie.game.score], ["brikon1", 0]);
            const h = Rules.biggestGroup(movie.game.board);
            mouseClick(b, (h[0][0] + 0.5) * b.cell, (b.rows - h[0][1] - 0.5) * b.cell);
            compare(movie.game.score, Rules.points(h.length));
            tryVerify(() => movie.stats[1].value !== "1:00", 3000, "the clock runs from the first group");
            movie.takeBack();
            verify(movie.game.score === 0 && movie.stats[1].value <= "0:54", "a timed undo costs time");
        }
    }
}

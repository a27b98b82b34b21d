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
        function playedOut(rows, slotId) {
            let game = gameOn(rows, slotId);
            while (!game.over && game.boardNumber === 1)
                game = Rules.play(game, 0, 0);
            return game;
        }

        function test_rules_data() {
            const group = (col, row) => Rules.groupAt(Rules.boardFromRows(["1122.", "1022.", "00133"]), col, row).length;
            const after = (rows, col, row) => {
                const result = Rules.removeGroup(Rules.boardFromRows(rows), col, row);
                return result && Rules.boardRows(result.board);
            };
            const ended = (rows, slotId) => { const g = playedOut(rows, slotId); return [g.over, g.score, g.boardsCleared]; };
            const score = (slotId, score) => Rules.scoreList(Object.assign(Rules.newGame(1, slotId), { score: score }));
            const back = slotId => {
                const start = gameOn(["2211", "3311", "3322"], slotId), b = Rules.undo(Rules.play(start, 2, 1));
                return [Rules.boardRows(b.board) + "" === Rules.boardRows(start.board) + "", b.score, b.moves, b.bestGroup,
                        Rules.undo(b), Rules.undo(Rules.play(b, 0, 0)) !== null];
            };
            return [
                { tag: "group: L-shape of 0", got: () => group(0, 0), want: 3 },
                { tag: "group: square of 2", got: () => group(3, 2), want: 4 },
                { tag: "group: pair in the bottom row", got: () => group(4, 0), want: 2 },
                { tag: "group: 1s touch only corner to corner", got: () => group(2, 0), want: 1 },
                { tag: "group: 1s around the corner", got: () => group(0, 1), want: 3 },
                { tag: "group: empty cell", got: () => group(4, 2), want: 0 },
                { tag: "group: outside the board", got: () => group(9, 0), want: 0 },
                { tag: "removal: bricks above fall", got: () => after(["2.", "1.", "1."], 0, 0), want: ["..", "..", "2."] },
                { tag: "removal: an empty column closes up", got: () => after(["..3", "1.3", "1.2"], 0, 0), want: ["3..", "3..", "2.."] },
                { tag: "removal: gaps inside a column close", got: () => after(["20", "12", "11"], 0, 0), want: ["..", ".0", "22"] },
                { tag: "removal: two columns empty at once", got: () => after(["11.2", "11.2"], 1, 1), want: ["2...", "2..."] },
                { tag: "removal: a single brick is no move", got: () => [after(["12", "21"], 1, 1), Rules.play(gameOn(["12", "21"]), 1, 1)], want: [null, null] },
                { tag: "points: a pair", got: () => Rules.points(2), want: 2 },
                { tag: "points: three", got: () => Rules.points(3), want: 6 },
                { tag: "points: ten", got: () => Rules.points(10), want: 90 },
                { tag: "points: a single brick", got: () => Rules.points(1), want: 0 },
                { tag: "untimed end, bricks left", got: () => ended(["12", "11"], "brikon"), want: [true, 6, 0] },
                { tag: "untimed end, board cleared", got: () => ended(["22", "11"], "brikon"), want: [true, 4 + Rules.clearBonus, 1] },
                { tag: "no move after the end", got: () => Rules.play(playedOut(["12", "11"], "brikon"), 0, 0), want: null },
                { tag: "timed: a fresh full board", got: () => [playedOut(["12", "11"], "brikon1").over,
                      Rules.brickCount(playedOut(["12", "11"], "brikon1").board)], want: [false, Rules.columns * Rules.rows] },
                { tag: "timed: time up ends and lists", got: () => Rules.scoreList(Rules.timeUp(playedOut(["12", "11"], "brikon5"))),
                  want: ["brikon5", 6] },
                { tag: "undo, untimed", got: () => back("brikon"), want: [true, 0, 0, 0, null, true] },
                { tag: "undo, 3 minutes", got: () => back("brikon3"), want: [true, 0, 0, 0, null, true] },
                { tag: "no undo after the end", got: () => Rules.undo(playedOut(["12", "11"], "brikon")), want: null },
                { tag: "list: no limit", got: () => score("brikon", 4170), want: ["brikon", 4170] },
                { tag: "list: the most a record holds", got: () => score("brikon5", 999999), want: ["brikon5", 999999] },
                { tag: "list: above it", got: () => score("brikon5", 1000000), want: ["brikon5", 999999] },
                { tag: "list: unknown mode plays without a limit", got: () => score("brikon7", 3), want: ["brikon", 3] }
            ];
        }
        function test_rules(data) {
            compare(data.got(), data.want);
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

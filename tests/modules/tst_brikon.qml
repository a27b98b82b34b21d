// SPDX-License-Identifier: GPL-3.0-or-later
// Brikon: groups, falling and closing up, scoring, the end of a game in each mode, the
// score a record can hold, and the movie itself driven by keys and the mouse.
import QtQuick
import QtTest
import "../../modules/brikon/Rules.mjs" as Rules

TestCase {
    id: test
    name: "Brikon"
    when: windowShown
    width: 800
    height: 600
    visible: true

    // A game on a board of our own, in a mode.
    function gameOn(rows, slotId) {
        const game = Rules.newGame(5, slotId || "brikon");
        game.board = Rules.boardFromRows(rows);
        return game;
    }

    function test_group_data() {
        const rows = ["1122.",
                      "1022.",
                      "00133"];
        return [
            { tag: "L-shape of 0", rows: rows, col: 0, row: 0, size: 3 },
            { tag: "square of 2", rows: rows, col: 3, row: 2, size: 4 },
            { tag: "pair in the bottom row", rows: rows, col: 4, row: 0, size: 2 },
            { tag: "1s touch only corner to corner", rows: rows, col: 2, row: 0, size: 1 },
            { tag: "1s around the corner", rows: rows, col: 0, row: 1, size: 3 },
            { tag: "empty cell", rows: rows, col: 4, row: 2, size: 0 },
            { tag: "outside the board", rows: rows, col: 9, row: 0, size: 0 }
        ];
    }
    function test_group(data) {
        const board = Rules.boardFromRows(data.rows);
        compare(Rules.groupAt(board, data.col, data.row).length, data.size);
    }

    function test_removal_data() {
        return [
            { tag: "bricks above fall", rows: ["2.", "1.", "1."], col: 0, row: 0,
              after: ["..", "..", "2."] },
            { tag: "an empty column closes up", rows: ["..3", "1.3", "1.2"], col: 0, row: 0,
              after: ["3..", "3..", "2.."] },
            { tag: "gaps inside a column close", rows: ["20", "12", "11"], col: 0, row: 0,
              after: ["..", ".0", "22"] },
            { tag: "two columns empty at once", rows: ["11.2", "11.2"], col: 1, row: 1,
              after: ["2...", "2..."] },
            { tag: "a single brick is no move", rows: ["12", "21"], col: 1, row: 1, after: null }
        ];
    }
    function test_removal(data) {
        const result = Rules.removeGroup(Rules.boardFromRows(data.rows), data.col, data.row);
        if (data.after === null) {
            compare(result, null);
            compare(Rules.play(gameOn(data.rows), data.col, data.row), null);
            return;
        }
        verify(result !== null);
        compare(Rules.boardRows(result.board), data.after);
    }

    function test_fallingBricksKeepTheirIds() {
        const board = Rules.boardFromRows(["3.", "1.", "1."]);
        const top = Rules.brickAt(board, 0, 2).id;
        const after = Rules.removeGroup(board, 0, 0).board;
        compare(Rules.brickAt(after, 0, 0).id, top);
        const spots = Rules.placement(after);
        compare(spots[top], { col: 0, row: 0, colour: 3 });
        compare(spots.filter(s => s === null).length, 2 * 3 - 1);
    }

    function test_points_data() {
        return [
            { tag: "pair", n: 2, points: 2 },
            { tag: "three", n: 3, points: 6 },
            { tag: "ten", n: 10, points: 90 },
            { tag: "single", n: 1, points: 0 }
        ];
    }
    function test_points(data) {
        compare(Rules.points(data.n), data.points);
    }

    function test_untimedGameEndsWhenNoGroupIsLeft() {
        let game = gameOn(["12", "11"]);
        game = Rules.play(game, 0, 0);
        verify(game.over);
        compare(game.score, Rules.points(3));
        compare(game.boardsCleared, 0);
        compare(Rules.play(game, 1, 0), null, "no move after the end");
    }

    function test_clearedBoardEarnsTheBonus() {
        let game = gameOn(["22", "11"]);
        game = Rules.play(game, 0, 0);
        verify(!game.over);
        game = Rules.play(game, 0, 0);
        verify(game.over);
        compare(game.score, 2 + 2 + Rules.clearBonus);
        compare(game.boardsCleared, 1);
        compare(game.lastPoints, 2 + Rules.clearBonus);
    }

    // One move can be taken back, in every mode: the board, score and counts return;
    // a second step back, or one after the end, is refused.
    function test_undoTakesBackOneMove_data() {
        return Rules.modes.map(m => ({ tag: m.label, slotId: m.slotId }));
    }
    function test_undoTakesBackOneMove(data) {
        const start = gameOn(["2211", "3311", "3322"], data.slotId);
        const played = Rules.play(start, 2, 1);
        compare(played.bestGroup, 4);
        const back = Rules.undo(played);
        compare(Rules.boardRows(back.board), Rules.boardRows(start.board));
        compare([back.score, back.moves, back.bestGroup], [0, 0, 0]);
        compare(Rules.undo(back), null, "one step only");
        const again = Rules.play(back, 0, 0);
        verify(Rules.undo(again) !== null, "each new move can be taken back");
        const ended = Rules.play(gameOn(["12", "11"], "brikon"), 0, 0);
        verify(ended.over);
        compare(Rules.undo(ended), null);
    }

    function test_timedGameDealsAFreshBoardAndGoesOn_data() {
        return [{ tag: "1 minute", slotId: "brikon1" }, { tag: "3 minutes", slotId: "brikon3" },
                { tag: "5 minutes", slotId: "brikon5" }];
    }
    function test_timedGameDealsAFreshBoardAndGoesOn(data) {
        let game = gameOn(["12", "11"], data.slotId);
        game = Rules.play(game, 0, 0);
        verify(!game.over);
        compare(game.boardNumber, 2);
        compare(Rules.brickCount(game.board), Rules.columns * Rules.rows);
        verify(Rules.hasGroup(game.board));
        compare(game.score, 6);
        game = Rules.timeUp(game);
        verify(game.over);
        compare(Rules.scoreList(game), [data.slotId, 6]);
    }

    function test_sameSeedSameDeal() {
        const a = Rules.newGame(77, "brikon3"), b = Rules.newGame(77, "brikon3"), c = Rules.newGame(78, "brikon3");
        compare(Rules.boardRows(a.board), Rules.boardRows(b.board));
        verify(JSON.stringify(Rules.boardRows(a.board)) !== JSON.stringify(Rules.boardRows(c.board)));
        // The boards that follow in a timed game come from the same seed too.
        let x = a, y = b;
        for (let i = 0; i < 200 && x.boardNumber < 3; ++i) {
            const g = Rules.biggestGroup(x.board);
            x = Rules.play(x, g[0][0], g[0][1]);
            y = Rules.play(y, g[0][0], g[0][1]);
        }
        compare(x.boardNumber, 3);
        compare(Rules.boardRows(x.board), Rules.boardRows(y.board));
    }

    function test_everyDealHasAGroupAndAllColours() {
        for (let seed = 1; seed <= 40; ++seed) {
            const game = Rules.newGame(seed, "brikon");
            verify(Rules.hasGroup(game.board), "seed " + seed);
            compare(Rules.brickCount(game.board), Rules.columns * Rules.rows);
            const seen = new Set(Rules.boardRows(game.board).join(""));
            compare(seen.size, Rules.colours, "seed " + seed);
        }
    }

    function test_hasGroupAgreesWithGroupAt() {
        // hasGroup looks only up and right; compare it with the full search.
        for (let seed = 1; seed <= 30; ++seed) {
            let game = Rules.newGame(seed, "brikon");
            while (!game.over) {
                const g = Rules.biggestGroup(game.board);
                compare(Rules.hasGroup(game.board), g.length >= 2, "seed " + seed);
                game = Rules.play(game, g[0][0], g[0][1]);
            }
            compare(Rules.biggestGroup(game.board), []);
        }
    }

    function test_scoreList_data() {
        return [
            { tag: "no limit", slotId: "brikon", score: 4170, list: ["brikon", 4170] },
            { tag: "5 minutes", slotId: "brikon5", score: 999999, list: ["brikon5", 999999] },
            { tag: "above what a record holds", slotId: "brikon5", score: 1000000, list: ["brikon5", 999999] },
            { tag: "far above", slotId: "brikon", score: 5e9, list: ["brikon", 999999] },
            { tag: "unknown mode plays without a limit", slotId: "brikon7", score: 3, list: ["brikon", 3] }
        ];
    }
    function test_scoreList(data) {
        const game = Rules.newGame(1, data.slotId);
        game.score = data.score;
        compare(Rules.scoreList(game), data.list);
    }

    // The movie itself, without a station.
    function makeMovie() {
        const component = Qt.createComponent("../../modules/brikon.qml");
        compare(component.status, Component.Ready, component.errorString());
        const movie = createTemporaryObject(component, test);
        verify(movie);
        return movie;
    }
    function board(movie) {
        return findChild(movie, "cursor").parent;
    }

    function test_movieModes_data() {
        return Rules.modes.map(m => ({ tag: m.slotId, slotId: m.slotId }));
    }
    function test_movieModes(data) {
        const movie = makeMovie();
        movie.chooseMode(data.slotId);
        movie.newGame(99);
        verify(movie.pickBiggest() > 0);
        if (movie.timed)
            movie.runOutOfTime();
        else
            while (movie.pickBiggest() > 0) {}
        verify(movie.game.over);
        verify(movie.overlayOpen);
        compare(movie.gameOver.lines[1], "Score: " + movie.game.score);
        tryCompare(movie.link, "sent", ["writescore|" + data.slotId + "," + movie.game.score]);
        // Nothing more is sent however the game is prodded afterwards.
        movie.runOutOfTime();
        movie.pickBiggest();
        compare(movie.link.sent.length, 1);
    }

    function test_keyboardPlaysAGroup() {
        const movie = makeMovie();
        movie.chooseMode("brikon");
        movie.newGame(4242);
        const g = Rules.biggestGroup(movie.game.board);
        const b = board(movie);
        b.forceActiveFocus();
        b.moveCursor(0, 0);
        for (let i = 0; i < g[0][0]; ++i)
            keyClick(Qt.Key_Right);
        for (let i = 0; i < g[0][1]; ++i)
            keyClick(Qt.Key_Up);
        compare([b.cursorCol, b.cursorRow], g[0]);
        compare(b.groupSize, g.length);
        keyClick(Qt.Key_Space);
        compare(movie.game.score, Rules.points(g.length));
        compare(Rules.brickCount(movie.game.board), Rules.columns * Rules.rows - g.length);
        keyClick(Qt.Key_Z);
        compare([movie.game.score, Rules.brickCount(movie.game.board)], [0, Rules.columns * Rules.rows]);
        keyClick(Qt.Key_Space);
        keyClick(Qt.Key_3);
        verify(movie.confirmation.visible, "a game under way is not thrown away unasked");
        keyClick(Qt.Key_Return);
        compare(movie.game.slotId, "brikon3");
        compare(movie.game.score, 0);
    }

    function test_mouseClickPlaysAGroup() {
        const movie = makeMovie();
        movie.chooseMode("brikon1");
        movie.newGame(4242);
        const g = Rules.biggestGroup(movie.game.board);
        const b = board(movie);
        mouseClick(b, (g[0][0] + 0.5) * b.cell, (b.rows - g[0][1] - 0.5) * b.cell);
        compare(movie.game.score, Rules.points(g.length));
        verify(movie.timed);
        tryVerify(() => movie.stats[1].value !== "1:00", 3000, "the clock runs from the first group");
        movie.takeBack();
        compare(movie.game.score, 0);
        verify(movie.stats[1].value <= "0:54", "a timed undo costs time: " + movie.stats[1].value);
    }
}

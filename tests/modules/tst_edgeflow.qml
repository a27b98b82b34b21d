// SPDX-License-Identifier: GPL-3.0-or-later
// The edge games (tiles, Blue Vesna, Odd-Even) played through their movies by keys and
// mouse: boards chosen and laid to the end, the solver asked, refused, stopped.
import QtQuick
import QtTest
import "../../modules/edgematch/Board.mjs" as Board
import "../../modules/edgematch/Rules.mjs" as Rules
import "PuzzlePlay.mjs" as PuzzlePlay

MovieStage {
    id: stage

    TestCase {
        name: "EdgeFlow"
        when: windowShown

        property var movie: null

        // A row names the movie and its game: a tile gameType, a Vesna shape or an
        // Odd-Even size.
        function open(data, seed) {
            movie = stage.open(data.movie + ".qml");
            movie.table.animated = false;
            if (data.gameType !== undefined)
                movie.gameType = data.gameType;
            if (data.shape !== undefined)
                movie.shape = data.shape;
            if (data.size !== undefined)
                movie.size = data.size;
            movie.newGame(seed);
            movie.focusGame();
        }
        function find(name) { return findChild(movie, name); }
        function goTo(area, index) {
            compare(PuzzlePlay.goTo(movie, area, index, key => keyClick(key)), { area: area, index: index });
        }
        function centre(area, index) { return movie.table.placeCentre({ area: area, index: index }); }
        function drag(from, to) {
            const t = movie.table;
            mousePress(t, from.x, from.y);
            for (let i = 1; i <= 40; ++i)   // small steps, as a hand moves
                mouseMove(t, from.x + (to.x - from.x) * i / 40, from.y + (to.y - from.y) * i / 40, -1, Qt.LeftButton);
            mouseRelease(t, to.x, to.y);
        }
        function layAsDealt(cell) {
            const s = movie.game.solution[cell];
            movie.table.layRequested(s.id, cell);
            movie.table.turnRequested(s.id, movie.game.position.rotationOf[s.id] - s.rotation);
            return s;
        }

        function test_keysPlayABoardToTheEnd_data() {
            return [
                { tag: "Tarno 9", movie: "tiles", gameType: "tarno9", seed: 77, scores: 1 },
                { tag: "Blue Vesna 5W", movie: "bluevesna", shape: "5W", seed: 9, scores: 0 },
                { tag: "Odd-Even 3 x 3", movie: "oddeven", size: { rows: 3, columns: 3 }, seed: 51, scores: 0 }
            ];
        }
        // Every other piece is turned into place clockwise (X), the rest the other way (Q).
        function test_keysPlayABoardToTheEnd(data) {
            open(data, data.seed);
            const n = movie.game.position.board.cellCount;
            for (let cell = 1; cell <= n; ++cell) {
                const s = movie.game.solution[cell];
                goTo("tray", s.id);
                keyClick(Qt.Key_Space);
                goTo("board", cell);
                keyClick(Qt.Key_Return);
                compare(movie.game.position.pieceAt[cell], s.id);
                const steps = movie.game.position.pieces[s.id].length;
                const clockwise = ((movie.game.position.rotationOf[s.id] - s.rotation) % steps + steps) % steps;
                for (let t = 0; t < (cell % 2 ? clockwise : (steps - clockwise) % steps); ++t)
                    keyClick(cell % 2 ? Qt.Key_X : Qt.Key_Q);
            }
            compare(movie.game.phase, "won");
            verify(movie.isBoardSolved());
            compare(PuzzlePlay.shown(movie, "seamGlow").length, movie.fits.all, "every seam lights up");
            verify(!movie.gameOver.visible, "before the result");
            tryCompare(movie.gameOver, "visible", true);
            movie.sendPendingScore();
            const scores = stage.sent("writescore");
            verify(scores.length === data.scores && scores.every(s => RegExp("^" + data.gameType + ",[1-9][0-9]*$").test(s)), scores);
            keyClick(Qt.Key_Escape);
            keyClick(Qt.Key_X);
            wait(500);
            compare(stage.sent("writescore").length, data.scores, "nothing more, whatever else happens on the finished board");
        }

        // Keys and pickers choose another board and deal it; a finished Blue Vesna board
        // counts as done, and New game goes on to the next larger one not done.
        function test_choosingABoard_data() {
            return [
                { tag: "Blue Vesna, picked", movie: "bluevesna", shape: "3T", steps: [[Qt.Key_PageDown, "hexa4O"],
                      [Qt.Key_PageUp, "hexa3T"], [Qt.Key_PageUp, "hexa10W"], ["chip_6R", "hexa6R"]] },
                { tag: "Blue Vesna, finished", movie: "bluevesna", shape: "5W", finish: true,
                  steps: [[Qt.Key_N, "hexa6T"], [Qt.Key_N, "hexa6T"]] },
                { tag: "Odd-Even", movie: "oddeven", size: { rows: 5, columns: 7 }, steps: [[Qt.Key_C, "bg58"],
                      [Qt.Key_R, "bg38"], [Qt.Key_C, "bg37", Qt.ShiftModifier], ["rowsPicker_more", "bg47"]] }
            ];
        }
        function test_choosingABoard(data) {
            open(data, 9);
            if (data.finish) {
                movie.playSolution();
                tryVerify(() => movie.gameOver.visible, 3000, "after the seams' wave");
                compare([movie.done, movie.shape], [["5W"], "5W"]);
            }
            for (const [step, board, modifiers] of data.steps) {
                if (typeof step === "string")
                    mouseClick(find(step));
                else
                    keyClick(step, modifiers || Qt.NoModifier);
                compare(movie.game.position.board.name, board);
            }
            compare(movie.game.position.pieces.length, movie.game.position.board.cellCount);
        }

        function test_mouseDragsClicksAndWheels_data() {
            return [
                { tag: "Tarno 16", movie: "tiles", gameType: "tarno16", cell: 1 },
                { tag: "Odd-Even 4 x 5", movie: "oddeven", size: { rows: 4, columns: 5 }, cell: 7 }
            ];
        }
        function test_mouseDragsClicksAndWheels(data) {
            open(data, 5);
            const t = movie.table;
            const s = movie.game.solution[data.cell];
            const steps = movie.game.position.pieces[s.id].length;
            const from = centre("tray", s.id), to = centre("board", data.cell);
            drag(from, to);
            compare(movie.game.position.pieceAt[data.cell], s.id);
            const before = movie.game.position.rotationOf[s.id];
            mouseClick(t, to.x, to.y);
            compare(movie.game.position.rotationOf[s.id], (before + steps - 1) % steps, "a click turns clockwise");
            mouseClick(t, to.x, to.y, Qt.RightButton);
            compare(movie.game.position.rotationOf[s.id], before, "a right click turns back");
            mouseWheel(t, to.x, to.y, 0, -120);
            compare(movie.game.position.rotationOf[s.id], (before + steps - 1) % steps);
            drag(to, Qt.point(4, t.height - 4));
            compare(movie.game.position.pieceAt[data.cell], s.id, "dropped off the board and the tray, it stays");
            drag(to, from);
            compare(movie.game.position.cellOf[s.id], 0, "back in the tray");
            verify(movie.game.moves >= 5);
        }

        function test_solveLaysTheAnswerAndRecordsNothing_data() {
            return [
                { tag: "Tarno 16", movie: "tiles", gameType: "tarno16", seed: 31, cell: 6 },
                { tag: "Odd-Even 4 x 5", movie: "oddeven", size: { rows: 4, columns: 5 }, seed: 52, cell: 1 }
            ];
        }
        function test_solveLaysTheAnswerAndRecordsNothing(data) {
            open(data, data.seed);
            const s = layAsDealt(data.cell);
            const request = Rules.solveRequest(movie.game, false);
            verify(request.endsWith("," + movie.game.position.pieces[s.id] + "," + data.cell + ","
                                    + movie.game.position.rotationOf[s.id]), request);
            mouseClick(find("solveButton"));
            compare([stage.sent("solvepuzzle"), movie.phase, find("stopButton").visible], [[request], "solving", true]);
            movie.station.solved(Rules.dealtAnswer(movie.game));
            tryVerify(() => movie.isBoardSolved(), 5000);
            tryCompare(movie.gameOver, "visible", true);
            compare([movie.phase, stage.sent("writescore")], ["solved", []]);
        }

        // No answer with a piece laid offers to try from the empty board; that try is
        // either answered or, with no solution at all, said so with no offer to try again.
        function test_emptyAnswerOffersTheEmptyBoard_data() {
            return [{ tag: "Tarno 9, solvable from empty", movie: "tiles", gameType: "tarno9", solvable: true },
                    { tag: "Tarno 9, no solution at all", movie: "tiles", gameType: "tarno9", solvable: false }];
        }
        function test_emptyAnswerOffersTheEmptyBoard(data) {
            open(data, 11);
            movie.table.layRequested(0, 5);
            keyClick(Qt.Key_S);
            movie.station.solved("");
            const panel = find("impossiblePanel");
            compare([panel.visible, find("fromEmptyButton").visible, movie.phase, movie.game.position.pieceAt[5]],
                    [true, true, "play", 0], "the laid piece stays");
            keyClick(Qt.Key_Return);
            compare([stage.sent("solvepuzzle")[1], panel.visible], [Rules.solveRequest(movie.game, true), false]);
            if (data.solvable) {
                movie.station.solved(Rules.dealtAnswer(movie.game));
                tryVerify(() => movie.isBoardSolved(), 5000);
                return;
            }
            movie.station.solved("");
            compare([panel.visible, find("fromEmptyButton").visible], [true, false]);
            keyClick(Qt.Key_Return);
            compare([panel.visible, stage.sent("solvepuzzle").length, movie.phase], [false, 2, "play"]);
        }

        // Hint, by key or button, with a stand-in for the solver: on a dealt board it lays
        // a piece the final answer keeps; with a misplaced piece laid it marks that piece
        // and lays nothing.
        function test_hint_data() {
            return [
                { tag: "Tarno 9", movie: "tiles", gameType: "tarno9", seed: 3, laid: 1, by: "key" },
                { tag: "Angle Puzzle", movie: "tiles", gameType: "angle", seed: 3, laid: 11, by: "key" },
                { tag: "Blue Vesna 7O", movie: "bluevesna", shape: "7O", seed: 3, laid: 2, by: "key" },
                { tag: "Odd-Even 3 x 4", movie: "oddeven", size: { rows: 3, columns: 4 }, seed: 3, laid: 3, by: "button" }
            ];
        }
        function askHint(by) {
            if (by === "key")
                keyClick(Qt.Key_I);
            else
                mouseClick(find("hintButton"));
        }
        function test_hint(data) {
            open(data, data.seed);
            movie.offlineSolver = PuzzlePlay.answerOf;
            movie.playSolution(data.laid);
            askHint(data.by);
            movie.station.solved(PuzzlePlay.answerOf(stage.sent("solvepuzzle")[0]));
            compare([movie.phase, Board.laidCount(movie.game.position), movie.game.hints], ["play", data.laid + 1, 1]);
            const cell = movie.game.cursor.index;
            const id = movie.game.position.pieceAt[cell];
            const turn = movie.game.position.rotationOf[id];
            verify(id >= 0, "the cursor is on the piece laid");
            movie.solve(false);
            movie.station.solved(PuzzlePlay.answerOf(stage.sent("solvepuzzle")[1]));
            tryVerify(() => movie.isBoardSolved(), 5000);
            compare([movie.game.position.pieceAt[cell], movie.game.position.rotationOf[id]], [id, turn],
                    "the final answer keeps the hinted piece");

            open(data, data.seed);
            movie.offlineSolver = PuzzlePlay.answerOf;
            movie.playSolution(data.laid);
            const wrong = movie.layMisplaced(data.laid + 1);
            compare(PuzzlePlay.answerOf(Rules.solveRequest(movie.game, false)), "", "cannot be completed");
            askHint(data.by);
            if (!Rules.laidPiecesClash(movie.game))
                movie.station.solved("");
            verify(movie.game.marked.indexOf(wrong) >= 0 && PuzzlePlay.shown(movie, "misplaced").length >= 1, movie.game.marked);
            compare([movie.phase, Board.laidCount(movie.game.position), movie.game.hints], ["play", data.laid + 1, 0], "nothing laid");
            movie.table.liftRequested(wrong);
            compare(movie.game.marked, [], "the next move takes the marks away");
        }

        // Every lay, turn and lift goes back with Z and comes again with Y; a hint taken
        // back stays counted, and a new move forgets what was taken back.
        function test_undoAndRedo_data() {
            return [{ tag: "Tarno 9", movie: "tiles", gameType: "tarno9" },
                    { tag: "Blue Vesna 5W", movie: "bluevesna", shape: "5W" },
                    { tag: "Odd-Even 3 x 3", movie: "oddeven", size: { rows: 3, columns: 3 } }];
        }
        function test_undoAndRedo(data) {
            open(data, 14);
            movie.offlineSolver = PuzzlePlay.answerOf;
            const t = movie.table;
            const steps = [() => t.layRequested(2, 1), () => t.turnRequested(2, 1), () => t.layRequested(3, 2), () => t.liftRequested(2)];
            const positions = [movie.game.position].concat(steps.map(step => { step(); return movie.game.position; }));
            for (let i = positions.length - 2; i >= 0; --i) {
                keyClick(Qt.Key_Z);
                compare(movie.game.position, positions[i], "back to step " + i);
            }
            for (let i = 1; i < positions.length; ++i) {
                keyClick(Qt.Key_Y);
                compare(movie.game.position, positions[i], "again to step " + i);
            }
            keyClick(Qt.Key_Z);
            movie.table.turnRequested(3, 1);
            const now = movie.game.position;
            keyClick(Qt.Key_Y);
            compare(movie.game.position, now, "nothing to make again after a new move");
            movie.table.liftRequested(3);
            keyClick(Qt.Key_I);
            movie.station.solved(PuzzlePlay.answerOf(stage.sent("solvepuzzle")[0]));
            compare([movie.game.hints, Board.laidCount(movie.game.position)], [1, 2]);
            keyClick(Qt.Key_Z);
            compare([movie.game.hints, Board.laidCount(movie.game.position)], [1, 1], "the hint's piece goes back, still counted");
        }

        function test_clashingPiecesAreToldWithoutAsking() {
            open({ movie: "bluevesna", shape: "7O" }, 21);
            layAsDealt(1);
            const s = layAsDealt(2);
            while (!Rules.laidPiecesClash(movie.game))
                movie.table.turnRequested(s.id, 1);
            verify(PuzzlePlay.shown(movie, "clash").length >= 1, "the clash is marked on the board");
            keyClick(Qt.Key_S);
            compare([stage.sent("solvepuzzle"), find("impossiblePanel").visible], [[], true]);
        }

        // Stopped by the button or the key, the solve ends and a late answer lays nothing;
        // while it runs, the time spent goes on and the board takes no moves.
        function test_stopEndsTheSolveAndIgnoresALateAnswer_data() {
            return [
                { tag: "Angle Puzzle, Stop", movie: "tiles", gameType: "angle", stop: "button" },
                { tag: "Blue Vesna 8X, S", movie: "bluevesna", shape: "8X", stop: "key" }
            ];
        }
        function test_stopEndsTheSolveAndIgnoresALateAnswer(data) {
            open(data, 8);
            keyClick(Qt.Key_S);
            compare(movie.phase, "solving");
            const note = find("solvingNote");
            verify(note.visible && note.text.indexOf("Stop") >= 0, note.text);
            tryVerify(() => find("solvingTime").text !== "0:00.0", 2000, "the time spent runs");
            keyClick(Qt.Key_Right);
            movie.table.placeChosen("board", 2);
            compare(movie.game.cursor, { area: "board", index: 1 }, "no play while solving");
            if (data.stop === "key")
                keyClick(Qt.Key_S);
            else
                mouseClick(find("stopButton"));
            compare([stage.sent("stopsolving"), movie.phase, find("stopButton").visible], [[""], "play", false]);
            movie.station.solved(Rules.dealtAnswer(movie.game));
            compare(Board.laidCount(movie.game.position), 0);
        }
    }
}

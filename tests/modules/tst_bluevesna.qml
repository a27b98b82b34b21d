// SPDX-License-Identifier: GPL-3.0-or-later
// Blue Vesna: the hexagon boards drawn from their layout strings, dealing, matching, the
// solver's request and answers it gave, the progress through the boards, and what the
// movie adds to the edge games' flow: seams that fit shown, picking a board, moving on.
import QtQuick
import QtTest
import "../../modules/edgematch/Board.mjs" as Board
import "../../modules/edgematch/Play.mjs" as Play
import "PuzzlePlay.mjs" as PuzzlePlay
import "../../modules/bluevesna/Rules.mjs" as Rules

MovieStage {
    id: stage

    // Requests this game dealt and the answers tarno-solve gave them.
    readonly property var knownAnswers: [
        { tag: "3T seed 41", shape: "3T", seed: 41,
          request: "hexa3T*3,112313,231322,313121",
          answer: "112313231322313121010" },
        { tag: "7O seed 42", shape: "7O", seed: 42,
          request: "hexa7O*7,122222,132022,030211,110100,100132,320000,312311",
          answer: "1222221320220302111001323123113200001101000053432" },
        { tag: "10W seed 43", shape: "10W", seed: 43,
          request: "hexa10W*10,130030,302232,212133,023021,321322,223132,312201,121123,303012,200231",
          answer: "1300303022323030122121333122013213222231320230211211232002310010504515" },
        { tag: "9O seed 44, cells 2 and 5 laid", shape: "9O", seed: 44, laid: [2, 5],
          request: "hexa9O*9,130322,101233,233301,112221,101023,002123,230102,003213,130221,002123,130322,2,5,4,0",
          answer: "003213002123101233112221130322230102233301130221101023142303251" }
    ]

    TestCase {
        name: "VesnaBoards"

        // Every stored board drawn on the stage: touching cells (by the layout string,
        // read here on its own) sit one cell apart in the direction of the edge, no two
        // cells closer, all inside the board's frame and clear of the tray.
        function test_drawingFollowsTheLayoutStrings_data() {
            return Rules.shapes.map(key => ({ tag: key, key: key }));
        }
        function test_drawingFollowsTheLayoutStrings(data) {
            const layout = Board.hexLayouts[data.key];
            const board = Board.boardFor("hexa" + data.key);
            const t = Play.tableLayout(board, 800, 480, 0.8, 0.05);
            const s = t.cellSize;
            verify(s >= 60, "cells large enough: " + s);
            for (let i = 0; i < layout.length; i += 4) {
                const a = layout.charCodeAt(i) - 64, b = layout.charCodeAt(i + 1) - 64;
                const edge = Number(layout[i + 2]);
                compare(Number(layout[i + 3]), (edge + 2) % 6 + 1, "opposite edges");
                const angle = (edge - 1) * Math.PI / 3;
                fuzzyCompare(t.cells[b].x - t.cells[a].x, s * Math.cos(angle), 0.01, layout.substr(i, 4));
                fuzzyCompare(t.cells[b].y - t.cells[a].y, -s * Math.sin(angle), 0.01, layout.substr(i, 4));
            }
            const corner = s / Math.sqrt(3);
            for (let a = 1; a <= board.cellCount; ++a) {
                const p = t.cells[a];
                verify(p.x - s / 2 >= t.board.x - 0.01 && p.x + s / 2 <= t.board.x + t.board.width + 0.01);
                verify(p.y - corner >= t.board.y - 0.01 && p.y + corner <= t.board.y + t.board.height + 0.01);
                for (let b = a + 1; b <= board.cellCount; ++b)
                    verify(Math.hypot(t.cells[b].x - p.x, t.cells[b].y - p.y) >= s - 0.01, a + " and " + b);
            }
            verify(t.board.x + t.board.width < t.tray.x);
            verify(t.tray.y >= 0 && t.tray.y + t.tray.height <= 480);
            verify(t.tray.x + t.tray.width <= 800);
            compare(t.slots.length, board.cellCount);
        }

        function test_dealIsSolvable_data() {
            return Rules.shapes.map(key => ({ tag: key, key: key }));
        }
        function test_dealIsSolvable(data) {
            for (let seed = 1; seed <= 8; ++seed) {
                const g = Rules.newGame(data.key, seed);
                compare([g.shape, g.position.pieces.length, Board.laidCount(g.position)], [data.key, parseInt(data.key, 10), 0]);
                verify(g.position.pieces.every(piece => /^[0-3]{6}$/.test(piece)), g.position.pieces);
                verify(Board.isSolved(Board.laidOut(g.position, g.solution)), "seed " + seed);
                compare(Rules.newGame(data.key, seed), g, "the same seed deals the same");
            }
        }

        function test_unknownShapePlaysTheSmallest() {
            compare(Rules.newGame("11Q", 3).shape, "3T");
            compare(Rules.newGame(undefined, 3).position.board.name, "hexa3T");
        }

        // The answers the solver gave: the deal still makes the request, the answer fills
        // the board, and read straight from the layout string every touching pair of
        // edges shows equal codes; pieces laid before stay as they lie.
        function test_knownAnswers_data() {
            return stage.knownAnswers;
        }
        function test_knownAnswers(data) {
            const g = Rules.newGame(data.shape, data.seed);
            let p = g.position;
            for (const cell of data.laid || []) {
                const s = g.solution[cell];
                p = Board.turn(Board.lay(p, s.id, cell), s.id, s.rotation);
            }
            compare(Board.request(p), data.request);
            const solution = Board.readAnswer(p, data.answer);
            verify(solution !== null);
            const solved = Board.laidOut(p, solution);
            verify(Board.isSolved(solved));
            const n = p.board.cellCount;
            const shown = cell => Board.turnedCodes(data.answer.substr((cell - 1) * 6, 6),
                                                    Number(data.answer[n * 6 + cell - 1]));
            const layout = Board.hexLayouts[data.shape];
            for (let i = 0; i < layout.length; i += 4) {
                const a = layout.charCodeAt(i) - 64, b = layout.charCodeAt(i + 1) - 64;
                compare(shown(a)[Number(layout[i + 2]) - 1], shown(b)[Number(layout[i + 3]) - 1],
                        layout.substr(i, 4));
            }
            for (const cell of data.laid || [])
                compare(solved.pieceAt[cell], p.pieceAt[cell], "laid piece " + cell + " stays");
        }

        // Every cell and every tray slot can be reached with the arrows from every other.
        function test_everyPlaceReachable_data() {
            return Rules.shapes.map(key => ({ tag: key, key: key }));
        }
        function test_everyPlaceReachable(data) {
            const g = Rules.newGame(data.key, 1);
            const t = Play.tableLayout(g.position.board, 800, 480, 0.8, 0.05);
            const places = [];
            for (let cell = 1; cell < t.cells.length; ++cell)
                places.push({ area: "board", index: cell });
            t.slots.forEach((_, slot) => places.push({ area: "tray", index: slot }));
            for (const from of places)
                compare(PuzzlePlay.reachableCount(g, t, from), places.length, "from " + from.area + from.index);
        }

        function test_progress_data() {
            return [
                { tag: "nothing kept", text: "", done: [] },
                { tag: "in table order", text: "7O,3T", done: ["3T", "7O"] },
                { tag: "unknown and repeated keys", text: "3T,3T,11Q,,x", done: ["3T"] },
                { tag: "not a text", text: undefined, done: [] }
            ];
        }
        function test_progress(data) {
            compare(Rules.readProgress(data.text), data.done);
            compare(Rules.readProgress(Rules.writeProgress(data.done)), data.done);
        }

        function test_nextShape_data() {
            return [
                { tag: "from the start", done: [], key: "3T", next: "4O" },
                { tag: "skips boards done", done: ["3T", "4O", "5X"], key: "3T", next: "5W" },
                { tag: "after the largest, the first not done", done: ["10W", "3T"], key: "10W", next: "4O" },
                { tag: "everything done: simply the next", done: Rules.shapes, key: "10O", next: "10W" }
            ];
        }
        function test_nextShape(data) {
            compare(Rules.nextShape(data.done, data.key), data.next);
        }

        // Every board's name says its cells and its outline in a way no other board's
        // does, and never as a number followed by the letter O.
        function test_namesCannotBeMisread() {
            const names = Rules.shapes.map(Rules.shapeName), marks = Rules.shapes.map(Rules.shapeMark);
            compare(new Set(names).size, Rules.shapes.length, names);
            compare(new Set(marks).size, Rules.shapes.length, marks);
            Rules.shapes.forEach((key, i) => {
                verify(names[i].startsWith(Rules.cellsOf(key) + " "), names[i]);
                compare(Board.hexBoard(key).cellCount, Rules.cellsOf(key));
                verify(!/[0-9][Oo]/.test(names[i]) && !/[0-9][Oo]/.test(marks[i]), names[i] + " " + marks[i]);
            });
        }
    }

    // --- The movie, played -----------------------------------------------------------------

    TestCase {
        name: "VesnaMovie"
        when: windowShown

        property var movie: null

        function open(shape, seed) {
            movie = stage.open("bluevesna.qml");
            movie.table.animated = false;
            movie.shape = shape;
            movie.newGame(seed);
            movie.focusGame();
        }


        // A board the player finishes counts as done; New game goes on to the next.
        function test_aFinishedBoardMovesOn() {
            open("5W", 9);
            compare(movie.title, "Blue Vesna");
            movie.playSolution();
            compare(movie.game.phase, "won");
            tryVerify(() => movie.gameOver.visible, 3000, "after the seams' wave");
            compare(movie.done, ["5W"]);
            compare(movie.shape, "5W", "the finished board stays on show");
            keyClick(Qt.Key_N);
            compare(movie.game.position.board.name, "hexa6T", "the next board is the next larger one");
            keyClick(Qt.Key_N);
            compare(movie.game.position.board.name, "hexa6T", "a board not finished is dealt again");
        }

        function test_matchingSeamsAreShown() {
            open("7O", 42);
            compare(movie.fits, { fit: 0, all: 12 });
            movie.playSolution(3);
            compare(movie.fits.fit, 2, "cells 2 and 3 each touch cell 1 (BA52, CA36)");
            compare(PuzzlePlay.shown(movie, "match").length, 2);
            compare(PuzzlePlay.shown(movie, "clash").length, 0);
            const s = movie.game.solution[2];
            movie.table.turnRequested(s.id, 1);
            verify(PuzzlePlay.shown(movie, "clash").length >= 1);
        }

        function test_pickingABoard() {
            open("3T", 1);
            keyClick(Qt.Key_PageDown);
            compare(movie.game.position.board.name, "hexa4O");
            keyClick(Qt.Key_PageUp);
            keyClick(Qt.Key_PageUp);
            compare(movie.game.position.board.name, "hexa10W");
            mouseClick(findChild(movie, "chip_6R"));
            compare(movie.game.position.board.name, "hexa6R");
        }
    }
}

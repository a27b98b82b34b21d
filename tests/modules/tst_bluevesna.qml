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
        { tag: "7O seed 42", shape: "7O", seed: 42,
          request: "hexa7O*7,122222,132022,030211,110100,100132,320000,312311",
          answer: "1222221320220302111001323123113200001101000053432" },
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

        // Each row: what a rule gives. Progress is kept as a text of the boards done.
        function test_rules_data() {
            const read = text => [Rules.readProgress(text), Rules.readProgress(Rules.writeProgress(Rules.readProgress(text)))];
            return [
                { tag: "unknown shape plays the smallest", got: () => [Rules.newGame("11Q", 3).shape,
                      Rules.newGame(undefined, 3).position.board.name], want: ["3T", "hexa3T"] },
                { tag: "progress: nothing kept", got: () => read(""), want: [[], []] },
                { tag: "progress: in table order", got: () => read("7O,3T"), want: [["3T", "7O"], ["3T", "7O"]] },
                { tag: "progress: unknown and repeated keys", got: () => read("3T,3T,11Q,,x"), want: [["3T"], ["3T"]] },
                { tag: "progress: not a text", got: () => read(undefined), want: [[], []] },
                { tag: "next: from the start", got: () => Rules.nextShape([], "3T"), want: "4O" },
                { tag: "next: skips boards done", got: () => Rules.nextShape(["3T", "4O", "5X"], "3T"), want: "5W" },
                { tag: "next: after the largest, the first not done", got: () => Rules.nextShape(["10W", "3T"], "10W"), want: "4O" },
                { tag: "next: everything done, simply the next", got: () => Rules.nextShape(Rules.shapes, "10O"), want: "10W" }
            ];
        }
        function test_rules(data) {
            compare(data.got(), data.want);
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

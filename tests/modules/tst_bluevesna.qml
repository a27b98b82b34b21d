// SPDX-License-Identifier: GPL-3.0-or-later
// Blue Vesna: the hexagon boards drawn from their layout strings, and the progress
// through the boards.
import QtQuick
import QtTest
import "../../modules/edgematch/Board.mjs" as Board
import "../../modules/edgematch/Play.mjs" as Play
import "PuzzlePlay.mjs" as PuzzlePlay
import "../../modules/bluevesna/Rules.mjs" as Rules

Item {
    TestCase {
        name: "VesnaBoards"

        // Every stored board drawn on the stage: touching cells (by the layout string,
        // read here on its own) sit one cell apart in the direction of the edge, no two
        // cells closer, all inside the board's frame and clear of the tray; the arrows
        // reach every cell and slot.
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
            compare(PuzzlePlay.reachableCount(Rules.newGame(data.key, 1), t, { area: "tray", index: 0 }), 2 * board.cellCount);
        }

        // Progress is kept as a text of the boards done.
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
}

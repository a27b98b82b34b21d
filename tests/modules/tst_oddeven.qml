// SPDX-License-Identifier: GPL-3.0-or-later
// Odd-Even: the board sizes, the sum rule and the bumps and hollows that draw it, and
// the table laid out for every size.
import QtQuick
import QtTest
import "../../modules/edgematch/Board.mjs" as Board
import "../../modules/edgematch/Play.mjs" as Play
import "PuzzlePlay.mjs" as PuzzlePlay
import "../../modules/edgematch/Faces.mjs" as Faces
import "../../modules/oddeven/Rules.mjs" as Rules

Item {
    TestCase {
        name: "OddEvenRules"

        // Each row: what a size rule gives. Boards are 3 to 8 rows and columns, 40 cells
        // at most; the pickers wrap round within that.
        function test_sizes_data() {
            const s = (rows, columns) => ({ rows: rows, columns: columns });
            const board = (rows, columns) => { const b = Board.boardFor(Rules.boardName(rows, columns));
                                               return [b.rows, b.columns, b.cellCount, b.matchSum]; };
            return [
                { tag: "size: smallest", got: () => [Rules.isSize(3, 3), board(3, 3)], want: [true, [3, 3, 9, 3]] },
                { tag: "size: 5 x 8", got: () => [Rules.isSize(5, 8), board(5, 8)], want: [true, [5, 8, 40, 3]] },
                { tag: "size: 8 x 5", got: () => Rules.isSize(8, 5), want: true },
                { tag: "size: 6 x 7 is over 40 cells", got: () => Rules.isSize(6, 7), want: false },
                { tag: "size: 2 rows", got: () => Rules.isSize(2, 5), want: false },
                { tag: "size: 9 columns", got: () => Rules.isSize(3, 9), want: false },
                { tag: "size: not whole", got: () => Rules.isSize(3.5, 4), want: false },
                { tag: "clamp: kept", got: () => Rules.clampSize(4, 5), want: s(4, 5) },
                { tag: "clamp: too small", got: () => Rules.clampSize(1, 0), want: s(3, 3) },
                { tag: "clamp: too large", got: () => Rules.clampSize(12, 12), want: s(8, 5) },
                { tag: "clamp: over 40 cells loses columns", got: () => Rules.clampSize(7, 7), want: s(7, 5) },
                { tag: "clamp: texts from the kept size", got: () => Rules.clampSize("5", "8"), want: s(5, 8) },
                { tag: "clamp: rubbish", got: () => Rules.clampSize("x", undefined), want: s(3, 3) },
                { tag: "picker: rows up", got: () => Rules.stepRows(s(3, 3), 1), want: s(4, 3) },
                { tag: "picker: rows wrap at 8", got: () => Rules.stepRows(s(8, 3), 1), want: s(3, 3) },
                { tag: "picker: rows wrap at 40 cells", got: () => Rules.stepRows(s(5, 8), 1), want: s(3, 8) },
                { tag: "picker: rows down wraps to the top", got: () => Rules.stepRows(s(3, 6), -1), want: s(6, 6) },
                { tag: "picker: columns up", got: () => Rules.stepColumns(s(5, 7), 1), want: s(5, 8) },
                { tag: "picker: columns wrap", got: () => Rules.stepColumns(s(7, 5), 1), want: s(7, 3) }
            ];
        }
        function test_sizes(data) {
            compare(data.got(), data.want);
        }

        // Two codes fit exactly when the drawing pairs them: a bump meets a hollow of its
        // own shape.
        function test_bumpsAndHollowsDrawTheSumRule_data() {
            const rows = [];
            for (let a = 0; a <= 3; ++a)
                for (let b = 0; b <= 3; ++b)
                    rows.push({ tag: a + " and " + b, a: a, b: b });
            return rows;
        }
        function test_bumpsAndHollowsDrawTheSumRule(data) {
            const b = Board.boardFor("bg33");
            const locks = Faces.isBump(data.a) !== Faces.isBump(data.b) && Faces.isRound(data.a) === Faces.isRound(data.b);
            compare(Board.codesFit(b, data.a, data.b), locks);
            compare(Faces.sumColour(data.a) === Faces.sumColour(data.b), Faces.isRound(data.a) === Faces.isRound(data.b));
        }

        // The table fits every size on the stage, pieces and bumps included, and the
        // arrows reach every place.
        function test_tableFitsEverySize() {
            for (let rows = 3; rows <= 8; ++rows)
                for (let columns = 3; columns <= 8; ++columns) {
                    if (!Rules.isSize(rows, columns))
                        continue;
                    const g = Rules.newGame(rows, columns, 1);
                    const t = Play.tableLayout(g.position.board, 800, 480, 0.78, 0.22);
                    const tag = rows + "x" + columns;
                    verify(t.cellSize >= 40, tag + ": cells of " + t.cellSize);
                    verify(t.slotSize >= 0.78 * t.cellSize && t.slotSize <= t.cellSize, tag + ": slots of " + t.slotSize);
                    if (rows * columns === 40)
                        verify(t.cellSize >= 50, tag + ": the largest boards keep large pieces, not " + t.cellSize);
                    verify(t.board.x >= 0 && t.board.y >= 0 && t.board.y + t.board.height <= 480, tag);
                    verify(t.board.x + t.board.width < t.tray.x && t.tray.x + t.tray.width <= 800, tag);
                    verify(t.tray.y >= 0 && t.tray.y + t.tray.height <= 480, tag);
                    compare(PuzzlePlay.reachableCount(g, t, { area: "board", index: 1 }), 2 * rows * columns,
                            tag + ": every place reachable");
                }
        }
    }
}

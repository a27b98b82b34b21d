// SPDX-License-Identifier: GPL-3.0-or-later
// Odd-Even: the board sizes, dealing on sum boards, the sum rule and the bumps and
// hollows that draw it, the solver's request and answers it gave, and what the movie
// adds to the edge games' flow: the size keys and pickers, the solving note.
import QtQuick
import QtTest
import "../../modules/edgematch/Board.mjs" as Board
import "../../modules/edgematch/Play.mjs" as Play
import "PuzzlePlay.mjs" as PuzzlePlay
import "../../modules/edgematch/Faces.mjs" as Faces
import "../../modules/oddeven/Rules.mjs" as Rules

MovieStage {
    id: stage

    // Requests this game dealt and the answers tarno-solve gave them.
    readonly property var knownAnswers: [
        { tag: "3 x 3 seed 51", rows: 3, columns: 3, seed: 51,
          request: "bg33*9,3333,1320,0023,1001,1311,3302,2002,0001,0303",
          answer: "333313200023100113110001330220020303021020320" },
        { tag: "4 x 5 seed 52", rows: 4, columns: 5, seed: 52,
          request: "bg45*20,0121,2323,0220,3232,3203,0212,1330,0111,0311,0130,1322,0233,0103,0101,1200,3201,3330,0113,0121,0032",
          answer: "0121232332320212011102203203132212000103013003110233010132011330012133300032011301032212112030003332" },
        { tag: "5 x 8 seed 53", rows: 5, columns: 8, seed: 53,
          request: "bg58*40,1112,2100,3003,1032,3230,2031,3022,1001,3330,1300,0003,0201,3333,3233,0101,0200,0110,3332,1130,1303,0321,2010,0312,3112,2033,0333,1221,0113,2203,1313,3202,0313,1320,0331,3200,0303,3030,1303,0333,0322",
          answer: "11122100103230030321323020313022333010011300113002010200323333333332130300030101011032002033320203332010122101130313131331120331220313200322030303121303303003330031303130103010323023320223113313002302" }
    ]

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

        function test_dealIsSolvable_data() {
            return [
                { tag: "3 x 3", rows: 3, columns: 3 },
                { tag: "4 x 6", rows: 4, columns: 6 },
                { tag: "5 x 8", rows: 5, columns: 8 },
                { tag: "8 x 5", rows: 8, columns: 5 }
            ];
        }
        function test_dealIsSolvable(data) {
            for (let seed = 1; seed <= 10; ++seed) {
                const g = Rules.newGame(data.rows, data.columns, seed);
                compare([g.position.board.name, g.position.pieces.length], ["bg" + data.rows + data.columns, data.rows * data.columns]);
                verify(g.position.pieces.every(piece => /^[0-3]{4}$/.test(piece)), g.position.pieces);
                const solved = Board.laidOut(g.position, g.solution);
                verify(Board.isSolved(solved), "seed " + seed);
                // Read on its own: every seam of the solved board adds up to three.
                for (const s of Board.seams(solved))
                    compare(Board.codeAt(solved, s.cell, s.edge) + Board.codeAt(solved, s.neighbour, s.neighbourEdge), 3);
                compare(Rules.newGame(data.rows, data.columns, seed), g, "the same seed deals the same");
            }
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

        function test_knownAnswers_data() {
            return stage.knownAnswers;
        }
        function test_knownAnswers(data) {
            const g = Rules.newGame(data.rows, data.columns, data.seed);
            compare(Board.request(g.position), data.request);
            const solution = Board.readAnswer(g.position, data.answer);
            verify(solution !== null);
            verify(Board.isSolved(Board.laidOut(g.position, solution)));
            // Read straight from the grid's layout string: codes across each link add up to 3.
            const n = data.rows * data.columns;
            const shown = cell => Board.turnedCodes(data.answer.substr((cell - 1) * 4, 4), Number(data.answer[n * 4 + cell - 1]));
            const layout = Board.gridLayout(data.rows, data.columns);
            for (let i = 0; i < layout.length; i += 4) {
                const a = layout.charCodeAt(i) - 64, b = layout.charCodeAt(i + 1) - 64;
                compare(Number(shown(a)[Number(layout[i + 2]) - 1]) + Number(shown(b)[Number(layout[i + 3]) - 1]), 3,
                        layout.substr(i, 4));
            }
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

    // --- The movie, played -----------------------------------------------------------------

    TestCase {
        name: "OddEvenMovie"
        when: windowShown

        property var movie: null

        function open(rows, columns, seed) {
            movie = stage.open("oddeven.qml");
            movie.table.animated = false;
            movie.size = { rows: rows, columns: columns };
            movie.newGame(seed);
            movie.focusGame();
        }

        function test_sizeKeysDealNewBoards() {
            open(5, 7, 1);
            keyClick(Qt.Key_C);
            compare(movie.game.position.board.name, "bg58");
            keyClick(Qt.Key_R);
            compare(movie.game.position.board.name, "bg38", "5 x 8 holds 40 cells: back to 3 rows");
            keyClick(Qt.Key_C, Qt.ShiftModifier);
            compare(movie.game.position.board.name, "bg37");
            mouseClick(findChild(movie, "rowsPicker_more"));
            compare(movie.size, { rows: 4, columns: 7 });
            compare(movie.game.position.pieces.length, 28);
        }
    }
}

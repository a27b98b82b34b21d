// SPDX-License-Identifier: GPL-3.0-or-later
// The edge-matching model every edge game plays on: boards, pieces, matching, dealing,
// the solver's request and answers it gave, and the rules of a game over them.
import QtQuick
import QtTest
import "../../modules/edgematch/Board.mjs" as Board
import "../../modules/edgematch/Rules.mjs" as Rules
import "../../modules/edgematch/Faces.mjs" as Faces
import "../../modules/edgematch/Looks.mjs" as Looks
import "PuzzlePlay.mjs" as PuzzlePlay
import "../../modules/bluevesna/Rules.mjs" as Vesna
import "../../modules/oddeven/Rules.mjs" as OddEven

Item {
    TestCase {
        name: "EdgeBoard"

        // Each row: what the board model gives. Grid cells are numbered along the
        // anti-diagonals; a turn of one step moves each code one edge on.
        function test_rules_data() {
            const board = name => { const b = Board.boardFor(name); return b && [b.name, b.cellCount, b.edges, b.matchSum, b.rows]; };
            const rows = b => [1, 2, 3, 4].map(r => [1, 2, 3, 4].map(c => b.places.findIndex(p => p && p.row === r && p.column === c)));
            const fit = (name, a, b) => [Board.codesFit(Board.boardFor(name), a, b), Board.codesFit(Board.boardFor(name), b, a)];
            return [
                { tag: "grid layout 3 x 3", got: () => Board.gridLayout(3, 3), want: "AB42AC13BD42BE13CE42CF13DG13EG42EH13FH42GI13HI42" },
                { tag: "grid layout 1 x 1", got: () => Board.gridLayout(1, 1), want: "" },
                { tag: "grid numbers 4 x 4", got: () => rows(Board.gridBoard("tarno16", 4, 4, 0)),
                  want: [[1, 3, 6, 10], [2, 5, 9, 13], [4, 8, 12, 15], [7, 11, 14, 16]] },
                { tag: "board tarno9", got: () => board("tarno9"), want: ["tarno9", 9, 4, 0, 3] },
                { tag: "board: another ta name", got: () => board("tarno99"), want: ["tarno99", 16, 4, 0, 4] },
                { tag: "board angle", got: () => board("angle"), want: ["angle", 16, 4, 0, 4] },
                { tag: "board hexa10W", got: () => board("hexa10W"), want: ["hexa10W", 10, 6, 0, undefined] },
                { tag: "board bg58", got: () => board("bg58"), want: ["bg58", 40, 4, 3, 5] },
                { tag: "board bg with one digit", got: () => board("bg3"), want: ["bg3", 9, 4, 3, 3] },
                { tag: "board: unknown kind", got: () => board("xyz"), want: null },
                { tag: "board: bg over forty cells", got: () => board("bg99"), want: null },
                { tag: "board: capitals", got: () => board("Tarno9"), want: null },
                { tag: "turned: unturned", got: () => Board.turnedCodes("0123", 0), want: "0123" },
                { tag: "turned: one step", got: () => Board.turnedCodes("0123", 1), want: "3012" },
                { tag: "turned: hexagon", got: () => Board.turnedCodes("012345", 2), want: "450123" },
                { tag: "fit: equal codes", got: () => fit("tarno9", 3, 3), want: [true, true] },
                { tag: "fit: other codes", got: () => fit("tarno9", 1, 2), want: [false, false] },
                { tag: "fit: sum of three", got: () => [fit("bg12", 0, 3), fit("bg12", 2, 1)], want: [[true, true], [true, true]] },
                { tag: "fit: sums under three", got: () => [fit("bg12", 0, 0), fit("bg12", 0, 1)], want: [[false, false], [false, false]] },
                { tag: "fit: sums over three", got: () => [fit("bg12", 2, 2), fit("bg12", 3, 3)], want: [[false, false], [false, false]] }
            ];
        }
        function test_rules(data) {
            compare(data.got(), data.want);
        }

        function test_layingSwapsAndReturnsPieces() {
            const b = Board.boardFor("tarno9");
            let p = Board.newPosition(b, ["0000", "1111", "2222"]);
            p = Board.lay(p, 0, 1);
            p = Board.lay(p, 1, 2);
            let q = Board.lay(p, 1, 1);
            compare([q.pieceAt[1], q.pieceAt[2], q.cellOf], [1, 0, [2, 1, 0]], "onto a laid piece from another cell: the two swap");
            q = Board.lay(p, 2, 1);
            compare([q.pieceAt[1], q.cellOf], [2, [0, 2, 1]], "from the tray: the piece that lay there goes to the tray");
            compare(p.cellOf, [1, 2, 0], "the position moved from is left as it was");
            q = Board.lift(q, 1);
            compare([q.pieceAt[2], Board.laidCount(q)], [-1, 1]);
            compare(Board.lay(p, 0, 10), p, "no cell 10 on a 3 x 3 board");
        }

        // The worked 3 x 3 example, laid as given: every edge state and the whole board.
        function test_edgeStatesOnTheWorkedExample() {
            const b = Board.boardFor("tarno9");
            const cells = ["3230", "3001", "0031", "1110", "1312", "0012", "1021", "0233", "0032"];
            const rotations = [0, 0, 0, 0, 1, 2, 2, 1, 3];
            let p = Board.newPosition(b, cells, rotations);
            for (let cell = 1; cell <= 9; ++cell)
                p = Board.lay(p, cell - 1, cell);
            compare([Board.isSolved(p), Board.matchCount(p), Board.edgeState(p, 1, 2), Board.edgeState(p, 1, 4)],
                    [true, { fit: 12, all: 12 }, "border", "match"]);
            // Cell 5 (row 2, column 2) shows 2131 on edges 1 to 4.
            compare([1, 2, 3, 4].map(e => Board.codeAt(p, 5, e)), [2, 1, 3, 1]);
            p = Board.turn(p, 4, 1);
            compare([Board.isSolved(p), Board.fitsAt(p, 5), Board.edgeState(p, 5, 3)], [false, false, "clash"]);
            p = Board.lift(p, 4);
            compare([Board.edgeState(p, 2, 1), Board.fitsAt(p, 2), Board.isFull(p)], ["open", true, false]);
        }

        function test_deal_data() {
            return [
                { tag: "tarno9", name: "tarno9", codes: 4 },
                { tag: "angle", name: "angle", codes: 3 },
                { tag: "kpuzzle", name: "kpuzzle", codes: 5 },
                { tag: "hexagons", name: "hexa10O", codes: 4 },
                { tag: "sums 5x8", name: "bg58", codes: 4 }
            ];
        }
        function test_deal(data) {
            const b = Board.boardFor(data.name);
            for (let seed = 1; seed <= 20; ++seed) {
                const d = Board.deal(b, data.codes, seed);
                compare(d.pieces.length, b.cellCount);
                const piece = RegExp("^[0-" + (data.codes - 1) + "]{" + b.edges + "}$");
                verify(d.pieces.every(s => piece.test(s)), d.pieces);
                const ids = d.solution.slice(1).map(s => s.id).sort((x, y) => x - y);
                compare(ids, d.pieces.map((_, i) => i), "each piece in one cell");
                const p = Board.newPosition(b, d.pieces);
                compare(Board.laidCount(p), 0, "dealt into the tray");
                verify(Board.isSolved(Board.laidOut(p, d.solution)), data.name + " seed " + seed);
            }
        }

        // Requests these games dealt and the answers the solver gave them (tarno-solve).
        function test_knownAnswers_data() {
            const dealt = (name, codes, seed) => Board.newPosition(Board.boardFor(name), Board.deal(Board.boardFor(name), codes, seed).pieces);
            return [
                { tag: "worked 3x3 example",
                  request: "tarno9*9,3230,3001,0012,0031,1312,0233,1110,1021,0032",
                  answer: "323030010031111013120012102102330032000012213" },
                { tag: "dealt tarno16 seed 12", dealt: () => dealt("tarno16", 4, 12),
                  request: "tarno16*16,1021,1222,1222,0010,1013,3220,3211,0023,3001,1010,0002,3032,0100,3102,3221,0210",
                  answer: "10211222122232203221321100101013300110103102000201003032021000230120010320003223" },
                { tag: "tarno16 with two laid pieces",
                  request: "tarno16*16,1021,1222,1222,0010,1013,3220,3211,0023,3001,1010,0002,3032,0100,3102,3221,0210,3102,0210,1,7,3,0",
                  answer: "31021013102132200010122202100023000210103032300101001222321132213222000020102120" },
                { tag: "dealt kpuzzle seed 14", dealt: () => dealt("kpuzzle", 5, 14),
                  request: "kpuzzle*16,1214,3300,4242,4204,0242,1311,0232,3001,2221,1111,3010,3231,0130,3441,0320,4012",
                  answer: "12144242131142042221300101300242323130100232330011110320344140120101231011200121" },
                { tag: "Blue Vesna 7O seed 42", dealt: () => Vesna.newGame("7O", 42).position,
                  request: "hexa7O*7,122222,132022,030211,110100,100132,320000,312311",
                  answer: "1222221320220302111001323123113200001101000053432" },
                { tag: "Blue Vesna 9O, cells 2 and 5 laid",
                  request: "hexa9O*9,130322,101233,233301,112221,101023,002123,230102,003213,130221,002123,130322,2,5,4,0",
                  answer: "003213002123101233112221130322230102233301130221101023142303251" },
                { tag: "Odd-Even 3 x 3 seed 51", dealt: () => OddEven.newGame(3, 3, 51).position,
                  request: "bg33*9,3333,1320,0023,1001,1311,3302,2002,0001,0303",
                  answer: "333313200023100113110001330220020303021020320" },
                { tag: "Odd-Even 5 x 8 seed 53", dealt: () => OddEven.newGame(5, 8, 53).position,
                  request: "bg58*40,1112,2100,3003,1032,3230,2031,3022,1001,3330,1300,0003,0201,3333,3233,0101,0200,0110,3332,1130,1303,0321,2010,0312,3112,2033,0333,1221,0113,2203,1313,3202,0313,1320,0331,3200,0303,3030,1303,0333,0322",
                  answer: "11122100103230030321323020313022333010011300113002010200323333333332130300030101011032002033320203332010122101130313131331120331220313200322030303121303303003330031303130103010323023320223113313002302" }
            ];
        }
        // Besides the model's own check, the board's layout string is read here on its own:
        // across every link the answer shows equal codes, or on sum boards codes that add up.
        function test_knownAnswers(data) {
            const p = PuzzlePlay.positionOf(data.request), b = p.board, n = b.cellCount;
            if (data.dealt)
                compare(Board.request(data.dealt()), data.request, "the deal is unchanged");
            compare(Board.request(p), data.request, "the request reads back");
            const solved = Board.laidOut(p, Board.readAnswer(p, data.answer));
            verify(Board.isSolved(solved));
            const shown = (cell, edge) => Number(Board.turnedCodes(data.answer.substr((cell - 1) * b.edges, b.edges),
                                                                   Number(data.answer[n * b.edges + cell - 1]))[edge - 1]);
            for (let i = 0; i < b.layout.length; i += 4) {
                const x = shown(b.layout.charCodeAt(i) - 64, b.layout[i + 2]), y = shown(b.layout.charCodeAt(i + 1) - 64, b.layout[i + 3]);
                verify(b.matchSum ? x + y === b.matchSum : x === y, b.layout.substr(i, 4));
            }
            for (let cell = 1; cell <= n; ++cell)
                if (p.pieceAt[cell] >= 0)
                    compare([solved.pieceAt[cell], solved.rotationOf[p.pieceAt[cell]]], [p.pieceAt[cell], p.rotationOf[p.pieceAt[cell]]],
                            "laid pieces stay where they lie, as they lie");
        }

        function test_readAnswerRefuses_data() {
            const ok = "323030010031111013120012102102330032000012213";
            return [
                { tag: "empty: no solution", answer: "" },
                { tag: "a piece not dealt", answer: "9999" + ok.substring(4) },
                { tag: "a piece used twice", answer: "3230" + ok.substring(0, 32) + ok.substring(36) },
                { tag: "rotation out of range", answer: ok.substring(0, ok.length - 1) + "4" }
            ];
        }
        function test_readAnswerRefuses(data) {
            const p = PuzzlePlay.positionOf("tarno9*9,3230,3001,0012,0031,1312,0233,1110,1021,0032");
            compare(Board.readAnswer(p, data.answer), null);
        }

        // Equal pieces are interchangeable, but a laid one keeps its cell.
        function test_readAnswerKeepsLaidTwinInPlace() {
            const b = Board.boardFor("tarno9");
            let p = Board.newPosition(b, ["0000", "0000", "0000", "0000", "0000", "0000", "0000", "0000", "0000"]);
            p = Board.lay(p, 7, 3);
            const solution = Board.readAnswer(p, "000000000000000000000000000000000000000000000");
            compare([solution[3].id, solution[1].id, new Set(solution.slice(1).map(s => s.id)).size], [7, 0, 9]);
        }
    }

    TestCase {
        name: "EdgeRules"

        // A game with the dealt solution laid except for `leaveOut` cells (from the last).
        function nearlyDone(gameType, seed, leaveOut) {
            let g = Rules.newGame(gameType, seed);
            const n = g.position.board.cellCount;
            for (let cell = 1; cell <= n - leaveOut; ++cell)
                g = layAsDealt(g, cell);
            return g;
        }
        function layAsDealt(g, cell) {
            const s = g.solution[cell];
            g = Rules.layPiece(g, s.id, cell);
            return Rules.turnPiece(g, s.id, g.position.rotationOf[s.id] - s.rotation);
        }

        function test_lastPieceWinsOnlyWhenEveryEdgeFits() {
            let g = nearlyDone("tarno16", 7, 1);
            compare(g.phase, "play");
            const s = g.solution[16];
            g = Rules.layPiece(g, s.id, 16);
            const turnsNeeded = ((g.position.rotationOf[s.id] - s.rotation) % 4 + 4) % 4;
            if (turnsNeeded !== 0) {
                compare(g.phase, "play", "full but turned wrong");
                g = Rules.turnPiece(g, s.id, turnsNeeded);
            }
            compare(g.phase, "won");
            const frozen = Rules.turnPiece(Rules.liftPiece(g, s.id), s.id, 1);
            compare(frozen, g, "a won game takes no more moves");
        }

        // Each row: what a rule of the games gives. One daily deal a game and a day,
        // whatever the hour; another day or game deals another board.
        function test_rules_data() {
            const list = (type, ms, hints) => Rules.scoreList(Object.assign(nearlyDone(type, 11, 0), { hints: hints || 0 }), ms);
            const g = Rules.newGame("tarno16", 9);
            const take = answer => { const t = Rules.takeAnswer(Rules.startSolving(g), answer); return [t.outcome, t.game.phase]; };
            const day = (type, y, m, d, h) => Rules.dailySeed(type, new Date(y, m, d, h, 0));
            const game = type => { const n = Rules.newGame(type, 5);
                                   return [Rules.solveRequest(n, false).split(",")[0], Rules.games[n.gameType].look, new Set(n.position.pieces.join("")).size]; };
            return [
                { tag: "game: tarno16", got: () => game("tarno16"), want: ["tarno16*16", "marks", 4] },
                { tag: "game: angle", got: () => game("angle"), want: ["angle*16", "angles", 3] },
                { tag: "game: kpuzzle", got: () => game("kpuzzle"), want: ["kpuzzle*16", "letters", 6] },
                { tag: "game: unknown or none plays tarno9", got: () => [game("Tarno16"), game("")],
                  want: [["tarno9*9", "marks", 4], ["tarno9*9", "marks", 4]] },
                { tag: "list: time rounded", got: () => list("tarno9", 83456.4), want: ["tarno9", "83456"] },
                { tag: "list: up to the next millisecond", got: () => list("angle", 999.5), want: ["angle", "1000"] },
                { tag: "list: two hints cost time", got: () => list("tarno9", 1000, 2), want: ["tarno9", "61000"] },
                { tag: "list: not finished", got: () => Rules.scoreList(nearlyDone("tarno9", 11, 1), 1000), want: [] },
                { tag: "answer: none asked for", got: () => Rules.takeAnswer(g, Rules.dealtAnswer(g)).outcome, want: "ignored" },
                { tag: "answer: empty", got: () => take(""), want: ["impossible", "play"] },
                { tag: "answer: for other pieces", got: () => take("0000".repeat(16) + "0".repeat(16)), want: ["impossible", "play"] },
                { tag: "answer: the dealt solution", got: () => take(Rules.dealtAnswer(g)), want: ["solved", "solved"] },
                { tag: "daily: same day, other hour", got: () => day("tarno9", 2026, 11, 8, 0) === day("tarno9", 2026, 11, 8, 23), want: true },
                { tag: "daily: unknown game is Tarno 9", got: () => day("nonsense", 2026, 11, 8, 9) === day("tarno9", 2026, 11, 8, 9), want: true },
                { tag: "daily: next day", got: () => day("tarno16", 2026, 11, 8, 9) === day("tarno16", 2026, 11, 9, 9), want: false },
                { tag: "daily: next year", got: () => day("angle", 2026, 0, 1, 9) === day("angle", 2027, 0, 1, 9), want: false },
                { tag: "daily: other game", got: () => day("angle", 2026, 11, 8, 9) === day("kpuzzle", 2026, 11, 8, 9), want: false },
                { tag: "daily: another seed deals another board", got: () => Rules.newGame("angle", day("angle", 2026, 0, 1, 9)).position.pieces
                      + "" === Rules.newGame("angle", day("angle", 2027, 0, 1, 9)).position.pieces + "", want: false },
                { tag: "day text", got: () => Rules.dayText(new Date(2026, 0, 5, 23, 30)), want: "2026-01-05" }
            ];
        }
        function test_rules(data) {
            compare(data.got(), data.want);
        }

        // A hint lays what the answer puts into the first empty cell, as one move, and
        // counts; the cursor goes to it.
        function test_hintTakesTheFirstEmptyCell_data() {
            return [
                { tag: "empty board", laid: [], cell: 1 },
                { tag: "first cells laid", laid: [1, 2, 3], cell: 4 },
                { tag: "a gap before laid cells", laid: [2, 5, 9], cell: 1 },
                { tag: "the last piece wins", laid: [1, 2, 3, 4, 5, 6, 7, 8], cell: 9, won: true }
            ];
        }
        function test_hintTakesTheFirstEmptyCell(data) {
            let g = Rules.newGame("tarno9", 33);
            const answer = Rules.dealtAnswer(g);
            for (const cell of data.laid)
                g = layAsDealt(g, cell);
            compare(Rules.takeHint(g, answer).outcome, "ignored", "no request was out");
            const taken = Rules.takeHint(Rules.startSolving(g), answer);
            const s = g.solution[data.cell], p = taken.game.position;
            compare([taken.outcome, taken.hint, p.pieceAt[data.cell], p.rotationOf[s.id]],
                    ["hint", { cell: data.cell, id: s.id, rotation: s.rotation }, s.id, s.rotation]);
            compare([Board.laidCount(p), taken.game.hints, taken.game.moves > g.moves, taken.game.cursor, taken.game.phase],
                    [data.laid.length + 1, 1, true, { area: "board", index: data.cell }, data.won ? "won" : "play"]);
        }

        // A symbol drawn in a turned piece stands upright on the screen: the triangle's
        // apex, turned with the piece, points straight up whatever the turn.
        function test_symbolsStayUpright_data() {
            return [0, 60, -60, 90, 210, 750].map(a => ({ tag: a + " degrees", angle: a }));
        }
        function test_symbolsStayUpright(data) {
            const n = Looks.markPath(2 /* triangle */, 50, 50, 10, data.angle).match(/-?[0-9.]+/g).map(Number);
            const t = data.angle * Math.PI / 180;
            const x = n[0] - 50, y = n[1] - 50;
            const onScreen = { x: x * Math.cos(t) - y * Math.sin(t), y: x * Math.sin(t) + y * Math.cos(t) };
            fuzzyCompare(onScreen.x, 0, 0.02);
            fuzzyCompare(onScreen.y, -10, 0.02);
            verify(Looks.uprightTurn(data.angle) >= 0 && Looks.uprightTurn(data.angle) < 360);
            compare(Faces.hexMarks(100, "222222", data.angle).indexOf("NaN"), -1);
        }
    }
}

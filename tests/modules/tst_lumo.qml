// SPDX-License-Identifier: GPL-3.0-or-later
// The Lumo light games: boards, presses, the solver, deals, the ends of a game and of a
// run, the lists sent for "writescore", and both movies played by mouse and keys.
import QtQuick
import QtTest
import "../../modules/lumo/Rules.mjs" as Rules

MovieStage {
    id: stage
    TestCase {
        id: test
        name: "Lumo"
        when: windowShown

        // Presses every lamp as often as `presses` says, in index order.
        function applyAll(board, lamps, presses) {
            let out = lamps;
            presses.forEach((times, i) => {
                for (let t = 0; t < times; ++t)
                    out = Rules.press(board, out, i);
            });
            return out;
        }
        function sum(xs) { return xs.reduce((a, b) => a + b, 0); }
        // The fewest presses by trying every way to press each lamp (small boards only).
        function bruteFewest(board, lamps) {
            const n = board.cells.length, p = board.levels;
            let best = -1;
            for (let code = 0; code < Math.pow(p, n); ++code) {
                const x = [];
                for (let i = 0, c = code; i < n; ++i, c = Math.floor(c / p))
                    x.push(c % p);
                if (Rules.isDark(applyAll(board, lamps, x)) && (best < 0 || sum(x) < best))
                    best = sum(x);
            }
            return best;
        }

        function test_rules_data() {
            const sq = Rules.squareBoard(6, 6, 2), hex = Rules.hexBoard(3, 2);
            const near = (board, cell) => board.neighbours[cell].slice().sort((a, b) => a - b);
            const board = type => { const b = Rules.newGame(type, 5).board; return [b.cells.length, b.levels, b.shape]; };
            const press = (levels, lamps, at) => Rules.press(Rules.squareBoard(3, 3, levels), lamps, at);
            const dark = new Array(9).fill(0), corner = new Array(16).fill(0);
            corner[0] = 1;
            const solved = (type, name) => { const g = solveGame(Rules.tick(Rules.newGame(type, 9), 61000.7));
                                             return [g.outcome, g.moves === g.fewest, Rules.result(g, name), Rules.move(g, 0) === g]; };
            const ended = game => [game.outcome, game.over, Rules.result(game, "Eve")];
            const fresh = Rules.newGame("lumo11", 3);
            let wandered = fresh;
            for (let k = 0; k < 98; ++k)
                wandered = Rules.move(wandered, 7);  // a lamp pressed twice changes nothing
            const timed = Rules.tick(fresh, Rules.maxTimeMs + 5000);
            const practice = (reached, level, solved) => {
                const game = Rules.newGame("lumo13", 2, level);
                return Rules.levelAfter(reached, solved ? solveGame(game) : game);
            };
            return [
                { tag: "neighbours: square corner", got: () => near(sq, 0), want: [0, 1, 6] },
                { tag: "neighbours: square edge", got: () => near(sq, 3), want: [2, 3, 4, 9] },
                { tag: "neighbours: square middle", got: () => near(sq, 14), want: [8, 13, 14, 15, 20] },
                { tag: "neighbours: wide board", got: () => near(Rules.squareBoard(4, 2, 2), 5), want: [1, 4, 5, 6] },
                { tag: "neighbours: honeycomb centre", got: () => near(hex, 18), want: [11, 12, 17, 18, 19, 24, 25] },
                { tag: "neighbours: honeycomb corner", got: () => near(hex, 0), want: [0, 1, 4, 5] },
                { tag: "board: lumo11", got: () => board("lumo11"), want: [36, 2, "square"] },
                { tag: "board: lumo12", got: () => board("lumo12"), want: [37, 2, "hex"] },
                { tag: "board: lumo13", got: () => board("lumo13"), want: [25, 3, "square"] },
                { tag: "board: unknown type plays lumo12", got: () => Rules.newGame("tiles", 5).gameType, want: "lumo12" },
                { tag: "press: out goes to bright", got: () => press(3, dark, 4), want: [0, 2, 0, 2, 2, 2, 0, 2, 0] },
                { tag: "press: bright goes to dim", got: () => press(3, [2, 2, 2, 2, 2, 2, 2, 2, 2], 0), want: [1, 1, 2, 1, 2, 2, 2, 2, 2] },
                { tag: "press: two levels go round", got: () => press(2, press(2, dark, 4), 4), want: dark },
                { tag: "press: three levels go round", got: () => press(3, press(3, press(3, dark, 4), 4), 4), want: dark },
                { tag: "solve: one lit corner of 4 x 4 is refused", got: () => [Rules.solve(Rules.squareBoard(4, 4, 2), corner),
                      Rules.fewestMoves(Rules.squareBoard(4, 4, 2), corner)], want: [null, -1] },
                { tag: "step: square right", got: () => Rules.step(sq, 14, 1, 0), want: 15 },
                { tag: "step: square up", got: () => Rules.step(sq, 14, 0, -1), want: 8 },
                { tag: "step: square stops at the edge", got: () => Rules.step(sq, 5, 1, 0), want: 5 },
                { tag: "step: honeycomb left", got: () => Rules.step(hex, 18, -1, 0), want: 17 },
                { tag: "step: honeycomb down", got: () => Rules.step(hex, 18, 0, 1), want: 24 },
                { tag: "step: honeycomb up from the top row", got: () => Rules.step(hex, 1, 0, -1), want: 1 },
                { tag: "ladder: nothing stored", got: () => Rules.levelFromStore(""), want: 1 },
                { tag: "ladder: a level", got: () => Rules.levelFromStore(" 7 "), want: 7 },
                { tag: "ladder: past the top", got: () => Rules.levelFromStore("40"), want: Rules.ladderLength },
                { tag: "ladder: not a number", got: () => [Rules.levelFromStore("7a"), Rules.levelFromStore("-3")], want: [1, 1] },
                { tag: "ladder: the top level solved opens the next", got: () => practice(4, 4, true), want: 5 },
                { tag: "ladder: at the top it stays", got: () => practice(Rules.ladderLength, Rules.ladderLength, true),
                  want: Rules.ladderLength },
                { tag: "ladder: a lower level solved", got: () => practice(4, 3, true), want: 4 },
                { tag: "ladder: not solved", got: () => practice(4, 4, false), want: 4 },
                { tag: "ladder: practice records nothing", got: () => Rules.result(solveGame(Rules.newGame("lumo13", 2, 3)), "Eve"), want: null },
                { tag: "solved: lumo11", got: () => solved("lumo11", "Eve"), want: ["solved", true, ["lumo11", 8, 61000, "Eve"], true] },
                { tag: "solved: lumo13", got: () => solved("lumo13", "Ann Lee"), want: ["solved", true, ["lumo13", 9, 61000, "Ann Lee"], true] },
                { tag: "solved: an empty name goes as the station's own", got: () => solved("lumo12", " ")[2][3], want: "NoName Player" },
                { tag: "solved: a comma cannot split the list", got: () => solved("lumo12", "Bo,b")[2][3], want: "Bob" },
                { tag: "end: a lamp off the board is no move", got: () => [Rules.move(fresh, -1), Rules.move(fresh, 36)], want: [fresh, fresh] },
                { tag: "end: help shown", got: () => ended(solveGame(Rules.withHelp(fresh))), want: ["solved", true, null] },
                { tag: "end: 98 moves still play", got: () => ended(wandered), want: ["", false, null] },
                { tag: "end: the 99th move", got: () => ended(Rules.move(wandered, 20)), want: ["moves", true, null] },
                { tag: "end: a millisecond before the time limit", got: () => ended(Rules.tick(fresh, Rules.maxTimeMs - 1)), want: ["", false, null] },
                { tag: "end: the time limit", got: () => ended(timed).concat(timed.timeMs), want: ["time", true, null, Rules.maxTimeMs] }
            ];
        }
        function test_rules(data) {
            compare(data.got(), data.want);
        }

        // Every recorded deal of a game needs its one par, so the list compares like with
        // like; practice levels deal at their own, growing par on the same board.
        function test_everyDealNeedsItsPar_data() {
            return [
                { tag: "lumo11", par: 8, deals: 1000 },
                { tag: "lumo12", par: 8, deals: 1000 },
                { tag: "lumo13", par: 9, deals: 1000 },
                { tag: "lumo11 practice", type: "lumo11", levels: true, deals: 40 },
                { tag: "lumo12 practice", type: "lumo12", levels: true, deals: 40 },
                { tag: "lumo13 practice", type: "lumo13", levels: true, deals: 40 }
            ];
        }
        function test_everyDealNeedsItsPar(data) {
            const type = data.type || data.tag;
            const seen = new Set();
            for (let seed = 1; seed <= data.deals; ++seed) {
                const level = data.levels ? 1 + seed % Rules.ladderLength : 0;
                const game = Rules.newGame(type, seed, level);
                const par = data.levels ? level + 1 : data.par;
                compare(game.par, par, "seed " + seed);
                const x = Rules.solve(game.board, game.lamps);
                verify(Rules.isDark(applyAll(game.board, game.lamps, x)), "seed " + seed + " is put out");
                if (sum(x) !== par)
                    fail("seed " + seed + " level " + level + " needs " + sum(x) + ", not " + par);
                seen.add(game.lamps.join(""));
            }
            verify(seen.size > data.deals * 0.95, "deals differ: " + seen.size);
        }

        // The solver's count against trying every combination, on boards with and without a
        // unique solution (3 x 3 two levels is unique; a row of five and 4 x 3 are not).
        function test_fewestAgreesWithTryingAll_data() {
            return [
                { tag: "3x3 two levels", board: Rules.squareBoard(3, 3, 2) },
                { tag: "row of five (many solutions)", board: Rules.squareBoard(5, 1, 2) },
                { tag: "4x3 two levels", board: Rules.squareBoard(4, 3, 2) },
                { tag: "3x2 three levels", board: Rules.squareBoard(3, 2, 3) },
                { tag: "honeycomb of 7", board: Rules.hexBoard(1, 2) }
            ];
        }
        function test_fewestAgreesWithTryingAll(data) {
            for (let seed = 1; seed <= 3; ++seed) {
                const lamps = Rules.deal(data.board, { state: seed * 7919 }, 3);
                compare(Rules.fewestMoves(data.board, lamps), bruteFewest(data.board, lamps), "seed " + seed);
            }
        }

        function solveGame(game) {
            const x = Rules.solve(game.board, game.lamps);
            x.forEach((times, i) => {
                for (let t = 0; t < times; ++t)
                    game = Rules.move(game, i);
            });
            return game;
        }

        function test_runGrowsToThreeLevelsAndLeavesRoom() {
            const pars = Rules.runPuzzles.map(p => p.par);
            verify(pars.every((p, k) => k === 0 || p >= pars[k - 1]), "the par never drops: " + pars);
            verify(sum(pars) <= Rules.maxMoves - 15, "a run leaves room for slips: " + sum(pars));
            let run = Rules.newRun(6);
            for (let k = 0; k < 20; ++k) {
                compare(Rules.fewestMoves(run.board, run.lamps), run.par, "puzzle " + (k + 1) + " needs its par");
                run = solvePuzzles(run, 1);
            }
            compare([run.outcome, run.moves], ["complete", sum(pars)]);
        }

        // Plays puzzles of a run with their fewest presses, `count` of them or until it ends.
        function solvePuzzles(run, count) {
            for (let k = 0; k < count && !run.over; ++k) {
                const x = Rules.solve(run.board, run.lamps);
                const before = run.solved;
                for (let i = 0; i < x.length && run.solved === before && !run.over; ++i)
                    for (let t = 0; t < x[i] && run.solved === before; ++t)
                        run = Rules.runMove(run, i);
            }
            return run;
        }

        function test_runEnds_data() {
            return [
                { tag: "ended after three puzzles", solve: 3, end: true, outcome: "ended", solved: 3, sent: true },
                { tag: "ended before any move", solve: 0, end: true, outcome: "ended", solved: 0, sent: false },
                { tag: "out of moves with nothing solved", solve: 0, wander: true, outcome: "moves", solved: 0, sent: false },
                { tag: "out of moves", solve: 2, wander: true, outcome: "moves", solved: 2, sent: true },
                { tag: "time", solve: 1, time: true, outcome: "time", solved: 1, sent: true },
                { tag: "solution shown", solve: 2, help: true, end: true, outcome: "ended", solved: 2, sent: true },
                { tag: "a solution it cannot pay", solve: 2, broke: true, help: true, outcome: "moves", solved: 2, sent: true },
                { tag: "still running", solve: 2, outcome: "", solved: 2, sent: false }
            ];
        }
        function test_runEnds(data) {
            let run = solvePuzzles(Rules.newRun(12), data.solve);
            while (data.broke && run.moves + run.par < Rules.maxMoves)
                run = Rules.runMove(Rules.runMove(run, 0), 0);
            if (data.help) {
                const paid = Rules.showSolution(run), next = solvePuzzles(paid, 1);
                if (!data.broke)
                    compare([paid.moves - run.moves, Rules.solutionCost(paid), Rules.showSolution(paid), Rules.solutionCost(next)],
                            [run.par, 0, paid, next.par], "paid once a puzzle");
                run = paid;
            }
            if (data.wander)
                while (!run.over)
                    run = Rules.runMove(run, 0);
            if (data.time)
                run = Rules.runTick(run, Rules.maxTimeMs + 1);
            if (data.end)
                run = Rules.endRun(Rules.runTick(run, 4321));
            compare([run.outcome, run.solved], [data.outcome, data.solved]);
            verify(run.moves <= Rules.maxMoves && run.timeMs <= Rules.maxTimeMs);
            compare(Rules.runResult(run, "Bob"), data.sent ? ["lumo18", data.solved, run.moves, run.timeMs, "Bob"] : null);
            if (run.over)
                compare([Rules.endRun(run), Rules.runMove(run, 0)], [run, run], "an ended run stays as it ended");
        }

        function movie(file, properties) { return stage.open(file, properties); }
        function writes(m) { return stage.sent("writescore").map(s => "writescore|" + s); }
        // The keys that take the cursor to `index` by stepping along the board, as Rules does.
        function keysTo(board, from, index) {
            const dirs = [[Qt.Key_Right, 1, 0], [Qt.Key_Left, -1, 0], [Qt.Key_Down, 0, 1], [Qt.Key_Up, 0, -1]];
            const back = new Map([[from, []]]), todo = [from];
            while (todo.length > 0) {
                const at = todo.shift();
                if (at === index)
                    return back.get(at);
                for (const [key, dx, dy] of dirs) {
                    const to = Rules.step(board, at, dx, dy);
                    if (!back.has(to)) {
                        back.set(to, back.get(at).concat([key]));
                        todo.push(to);
                    }
                }
            }
            return null;
        }

        function test_movieSolvedSendsOnce_data() {
            return [{ tag: "lumo13" }, { tag: "lumo12 by mouse", type: "lumo12", mouse: true }];
        }
        function test_movieSolvedSendsOnce(data) {
            const type = data.type || data.tag;
            const m = movie("lumo12.qml", { gameType: type });
            m.newGame(31);
            m.table.name = "Kim";
            const x = m.solution();
            let cursor = m.game.board.cells.length >> 1;
            x.forEach((times, i) => {
                for (const key of data.mouse ? [] : keysTo(m.game.board, cursor, i))
                    keyClick(key);
                cursor = i;
                for (let t = 0; t < times; ++t) {
                    if (data.mouse)
                        mouseClick(findChild(m, "lamp" + i));
                    else
                        keyClick(t % 2 ? Qt.Key_Return : Qt.Key_Space);
                }
            });
            verify(m.game.over);
            compare(m.game.moves, m.game.fewest);
            verify(m.gameOver.visible, "the end is shown");
            tryVerify(() => writes(m).length === 1);
            const list = writes(m)[0].split("|")[1].split(",");
            compare([list.length, list[0], list[1], list[3]], [4, type, String(m.game.fewest), "Kim"]);
            keyClick(Qt.Key_Escape);
            keyClick(Qt.Key_Space);
            compare(writes(m).length, 1, "sent once");
        }

        // Lumo 18 by keys: a name typed (the comma refused) and the keys given back to the
        // board, two puzzles solved, the run ended (E asks first) and sent once.
        function test_runByKeysSendsOnce() {
            const m = movie("lumo18.qml");
            m.newGame(44);
            verify(m.table.boardView.activeFocus, "focus " + m.Window.activeFocusItem);
            for (const key of [Qt.Key_Tab, Qt.Key_A, Qt.Key_Comma, Qt.Key_B, Qt.Key_Return]) {
                keyClick(key);
                verify(key !== Qt.Key_Comma || findChild(m, "commaRefused").opacity > 0, "the refused comma is said");
            }
            keyClick(Qt.Key_Space);
            compare([m.table.name, m.run.moves], ["ab", 1]);
            for (let k = 0; k < 2; ++k)
                m.solution().forEach((times, i) => { if (times) m.press(i); });
            compare(m.run.solved, 2);
            keyClick(Qt.Key_E);
            verify(!m.run.over, "asked first");
            keyClick(Qt.Key_Return);
            verify(m.run.over && m.gameOver.visible);
            keyClick(Qt.Key_Escape);
            keyClick(Qt.Key_E);
            tryVerify(() => writes(m).length === 1);
            compare(writes(m)[0].split("|")[1].split(","), ["lumo18", "2", String(m.run.moves), String(m.run.timeMs), "ab"]);
        }
    }
}

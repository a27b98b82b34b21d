// SPDX-License-Identifier: GPL-3.0-or-later
// Numero and Numero Pro: path values, touching rules, targets that a path reaches,
// clearing and scoring, the end of a round and the list sent for the hi-score list.
import QtQuick
import QtTest
import "../../modules/numero/Rules.mjs" as Rules

MovieStage {
    id: stage

    TestCase {
        id: test
        name: "Numero"
        when: windowShown

        function withCells(modeId, cells, target) {
            const game = Rules.newGame(modeId, 1);
            return Object.assign(game, { cells: cells, target: target, path: [] });
        }
        function touchAll(game, path) {
            for (const i of path)
                game = Rules.touch(game, i);
            return game;
        }

        // Each row: what a rule gives for a board of our own. A Numero sum above the target
        // is lost for good; a Pro path above it may still come back with a sign.
        function test_rules_data() {
            const value = (cells, path) => String(Rules.value(cells, path));
            const past = (mode, cells, path) => {
                const all = new Array(Rules.modes[mode].size * Rules.modes[mode].size).fill("1");
                cells.forEach((c, i) => { all[i] = c; });
                return Rules.pastTarget(Object.assign(withCells(mode, all, 12), { path: path }));
            };
            const ones = touchAll(withCells("numero", new Array(36).fill("1"), 30), [0, 1, 7]);
            const touch = cell => Rules.touch(ones, cell).path;
            const pro = Rules.newGame("numeropro", 3);
            const bonus = (mode, digits) => Rules.timeBonusMs(Rules.modes[mode], digits);
            const cleared = touchAll(withCells("numero", ["4", "5", "9"].concat(new Array(33).fill("1")), 9), [0, 1]);
            const list = score => Rules.scoreList(Object.assign({}, pro, { score: score }));
            const finished = Rules.finish(touchAll(Rules.newGame("numero", 6), [0]));
            return [
                { tag: "value: a sum", got: () => value(["3", "4", "5"], [0, 1, 2]), want: "12" },
                { tag: "value: left to right", got: () => value(["3", "+", "4", "×", "2"], [0, 1, 2, 3, 4]), want: "14" },
                { tag: "value: minus", got: () => value(["9", "−", "4"], [0, 1, 2]), want: "5" },
                { tag: "value: below zero", got: () => value(["2", "−", "9"], [0, 1, 2]), want: "-7" },
                { tag: "value: ends on a sign", got: () => value(["2", "+"], [0, 1]), want: "NaN" },
                { tag: "value: no path", got: () => value(["2"], []), want: "NaN" },
                { tag: "past: under", got: () => past("numero", ["4", "5", "6"], [0, 1]), want: false },
                { tag: "past: over", got: () => past("numero", ["7", "7", "7"], [0, 1]), want: true },
                { tag: "past: pro over", got: () => past("numeropro", ["9", "×", "9"], [0, 1, 2]), want: false },
                { tag: "touch: a path of touching cells", got: () => ones.path, want: [0, 1, 7] },
                { tag: "touch: a far cell starts a new path", got: () => touch(9), want: [9] },
                { tag: "touch: a cell of the path takes it back there", got: () => touch(1), want: [0, 1] },
                { tag: "touch: the last cell again takes it off", got: () => touch(7), want: [0, 1] },
                { tag: "touch: diagonal cells do not touch", got: () => touch(14), want: [14] },
                { tag: "touch: off the board", got: () => Rules.touch(ones, 36), want: ones },
                { tag: "touch: a sign starts no Pro path", got: () => [Rules.touch(pro, 1).path, touchAll(pro, [0, 1]).path], want: [[], [0, 1]] },
                { tag: "bonus: numero, three digits", got: () => bonus("numero", 3), want: 0 },
                { tag: "bonus: numero, four", got: () => bonus("numero", 4), want: 2000 },
                { tag: "bonus: numero, five", got: () => bonus("numero", 5), want: 4000 },
                { tag: "bonus: pro, two", got: () => bonus("numeropro", 2), want: 0 },
                { tag: "bonus: pro, three", got: () => bonus("numeropro", 3), want: 3000 },
                { tag: "clear: scores and refills only the path", got: () => { const a = Rules.clear(cleared);
                      return [Rules.pathScore(cleared), a.score, a.clears, a.cells.slice(2)]; }, want: [18, 18, 1, cleared.cells.slice(2)] },
                { tag: "clear: a long path adds time", got: () => { const a = Rules.clear(touchAll(withCells("numero",
                      ["1", "2", "3", "3"].concat(new Array(32).fill("1")), 9), [0, 1, 2, 3])); return [a.lastBonusMs, a.bonusMs]; }, want: [2000, 2000] },
                { tag: "clear: a short path does not", got: () => Rules.clear(touchAll(cleared, [0])), want: touchAll(cleared, [0]) },
                { tag: "list: a score", got: () => list(1234), want: ["numeropro", 1234] },
                { tag: "list: more than a record holds", got: () => list(5000000), want: ["numeropro", 999999] },
                { tag: "finished: takes no cells", got: () => [finished.over, finished.path, Rules.touch(finished, 0) === finished],
                  want: [true, [], true] }
            ];
        }
        function test_rules(data) {
            compare(data.got(), data.want);
        }

        // Every target, dealt, after a clear and after a skip, is in the mode's range and
        // made by a short path that a search of the board finds on its own.
        function test_targetsAreReachableSoon_data() {
            return [{ tag: "numero", mode: "numero" }, { tag: "pro", mode: "numeropro" }];
        }
        function test_targetsAreReachableSoon(data) {
            for (let seed = 1; seed <= 30; ++seed) {
                let game = Rules.newGame(data.mode, seed);
                for (let round = 0; round < 6; ++round) {
                    verify(game.target >= game.mode.minTarget && game.target <= game.mode.maxTarget,
                           "target " + game.target);
                    const found = Rules.findPath(game.mode, game.cells, game.target, game.mode.soonDigits);
                    verify(found.length >= 2, "seed " + seed + " target " + game.target);
                    compare(Rules.value(game.cells, found), game.target);
                    if (round % 2) {
                        const skipped = Rules.skip(game);
                        verify(skipped.target !== game.target);
                        compare(skipped.skips, game.skips + 1);
                        game = skipped;
                        continue;
                    }
                    game = touchAll(Rules.clearPath(game), found);
                    verify(Rules.reachesTarget(game), "seed " + seed);
                    game = Rules.clear(game);
                }
            }
        }

        // Clears in quick succession make a streak that multiplies the points; a pause
        // or a skip ends it.
        function test_streaksAndTimeBonus_data() {
            return [
                { tag: "first clear", mode: "numero", times: [1000], streak: 1, factor: 1 },
                { tag: "two quick", mode: "numero", times: [1000, 6000], streak: 2, factor: 1.5 },
                { tag: "too slow", mode: "numero", times: [1000, 10000], streak: 1, factor: 1 },
                { tag: "skip between", mode: "numero", times: [1000, "skip", 2000], streak: 1, factor: 1 },
                { tag: "capped", mode: "numeropro", times: [0, 1, 2, 3, 4, 5, 6], streak: 7, factor: 3 }
            ];
        }
        function test_streaksAndTimeBonus(data) {
            let game = Rules.newGame(data.mode, 8);
            let last = null;
            for (const t of data.times) {
                if (t === "skip") {
                    game = Rules.skip(game);
                    continue;
                }
                game = touchAll(game, game.witness);
                last = game;
                game = Rules.clear(game, t);
            }
            compare(game.streak, data.streak);
            compare(game.lastPoints, Math.floor(Rules.pathScore(last) * data.factor));
        }
        // A round played by keys: a path cleared, the clock run out, the result sent once.
        function test_roundByKeysSendsItsScoreOnce_data() {
            return [{ tag: "numero", file: "numero.qml" }, { tag: "pro", file: "numeropro.qml" }];
        }
        function test_roundByKeysSendsItsScoreOnce(data) {
            const movie = stage.open(data.file);
            movie.newGame(77);
            const size = movie.mode.size;
            for (const target of movie.game.witness) {
                stage.goTo(target, size, key => keyClick(key));
                keyClick(Qt.Key_Space);
            }
            verify(movie.game.score > 0 && movie.game.clears === 1);
            keyClick(Qt.Key_Space);
            verify(movie.game.path.length === 1);
            keyClick(Qt.Key_Backspace);
            compare(movie.game.path, []);
            verify(movie.clock.running);
            movie.clock.expired();                   // as the clock does when time is up
            verify(movie.game.over);
            tryVerify(() => movie.link.sent.length === 1);
            compare(movie.link.sent[0], "writescore|" + movie.mode.id + "," + movie.game.score);
            verify(movie.gameOver.visible);
            movie.endRound();
            wait(50);
            compare(movie.link.sent.length, 1, "the result is sent once");
        }
    }
}

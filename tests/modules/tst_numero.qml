// SPDX-License-Identifier: GPL-3.0-or-later
// Numero and Numero Pro: path values, touching rules, targets that a path reaches,
// clearing and scoring, the end of a round and the list sent for the hi-score list.
import QtQuick
import QtTest
import "../../modules/numero/Rules.mjs" as Rules

// A TestCase is not drawn, so the movie goes beside it.
MovieStage {
    id: stage

    TestCase {
        id: test
        name: "Numero"
        when: windowShown

        // A game on a board of our own making.
        function withCells(modeId, cells, target) {
            const game = Rules.newGame(modeId, 1);
            return Object.assign(game, { cells: cells, target: target, path: [] });
        }
        function touchAll(game, path) {
            for (const i of path)
                game = Rules.touch(game, i);
            return game;
        }

        function test_value_data() {
            return [
                { tag: "sum", cells: ["3", "4", "5"], path: [0, 1, 2], value: 12 },
                { tag: "left to right", cells: ["3", "+", "4", "×", "2"], path: [0, 1, 2, 3, 4], value: 14 },
                { tag: "minus", cells: ["9", "−", "4"], path: [0, 1, 2], value: 5 },
                { tag: "below zero", cells: ["2", "−", "9"], path: [0, 1, 2], value: -7 },
                { tag: "ends on a sign", cells: ["2", "+"], path: [0, 1], value: NaN },
                { tag: "empty", cells: ["2"], path: [], value: NaN }
            ];
        }
        function test_value(data) {
            const v = Rules.value(data.cells, data.path);
            if (isNaN(data.value))
                verify(isNaN(v));
            else
                compare(v, data.value);
        }

        // A Numero sum above the target is lost for good and is shown as such; a Pro
        // path above it may still come back with a sign.
        function test_pastTarget_data() {
            return [
                { tag: "under", mode: "numero", cells: ["4", "5", "6"], path: [0, 1], target: 12, past: false },
                { tag: "over", mode: "numero", cells: ["7", "7", "7"], path: [0, 1], target: 12, past: true },
                { tag: "pro over", mode: "numeropro", cells: ["9", "×", "9"], path: [0, 1, 2], target: 12, past: false }
            ];
        }
        function test_pastTarget(data) {
            const size = Rules.modes[data.mode].size;
            const cells = new Array(size * size).fill("1");
            data.cells.forEach((c, i) => { cells[i] = c; });
            const game = Object.assign(withCells(data.mode, cells, data.target), { path: data.path });
            compare(Rules.pastTarget(game), data.past);
        }

        function test_touchBuildsAndTakesBackPaths() {
            let game = withCells("numero", new Array(36).fill("1"), 30);
            game = touchAll(game, [0, 1, 7]);
            compare(game.path, [0, 1, 7]);
            compare(Rules.touch(game, 9).path, [9], "a far cell starts a new path");
            compare(Rules.touch(game, 1).path, [0, 1], "a cell of the path takes it back there");
            compare(Rules.touch(game, 7).path, [0, 1], "the last cell again takes it off");
            compare(Rules.touch(game, 14).path, [14], "diagonal cells do not touch");
            compare(Rules.touch(game, 36), game);
        }

        function test_proPathsStartOnADigit() {
            const game = Rules.newGame("numeropro", 3);
            compare([Rules.touch(game, 1).path, touchAll(game, [0, 1]).path], [[], [0, 1]], "a sign starts no path");
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
        // or a skip ends it. Long paths add time to the round.
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
            const digits = last.witness.filter(i => !Rules.isOperatorCell(last.mode, i)).length;
            compare(game.lastBonusMs, Rules.timeBonusMs(game.mode, digits));
        }
        function test_timeBonus_data() {
            return [
                { tag: "numero short", mode: "numero", digits: 3, ms: 0 },
                { tag: "numero four", mode: "numero", digits: 4, ms: 2000 },
                { tag: "numero five", mode: "numero", digits: 5, ms: 4000 },
                { tag: "pro two", mode: "numeropro", digits: 2, ms: 0 },
                { tag: "pro three", mode: "numeropro", digits: 3, ms: 3000 }
            ];
        }
        function test_timeBonus(data) {
            compare(Rules.timeBonusMs(Rules.modes[data.mode], data.digits), data.ms);
        }

        function test_clearScoresAndRefillsOnlyThePath() {
            let game = withCells("numero", ["4", "5", "9"].concat(new Array(33).fill("1")), 9);
            game = touchAll(game, [0, 1]);
            verify(Rules.reachesTarget(game));
            compare(Rules.pathScore(game), 18);
            const after = Rules.clear(game);
            compare([after.score, after.clears, after.cells.slice(2)], [18, 1, game.cells.slice(2)]);
            compare(Rules.clear(touchAll(game, [0])), touchAll(game, [0]), "a short path does not clear");
        }

        function test_scoreListFitsTheRecord() {
            const game = Rules.newGame("numeropro", 4);
            compare(Rules.scoreList(Object.assign({}, game, { score: 1234 })), ["numeropro", 1234]);
            compare(Rules.scoreList(Object.assign({}, game, { score: 5000000 })), ["numeropro", 999999]);
            compare(Rules.scoreList(Rules.newGame("numero", 4)), ["numero", 0]);
        }

        function test_finishedRoundTakesNoCells() {
            const game = Rules.finish(touchAll(Rules.newGame("numero", 6), [0]));
            verify(game.over);
            compare(game.path, []);
            compare(Rules.touch(game, 0), game);
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

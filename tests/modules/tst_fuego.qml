// SPDX-License-Identifier: GPL-3.0-or-later
// The Fuego movie's two games: the jumps of Fuego Salto, the ledges of SUM-mit, the
// lists they send, and both played from the keyboard.
import QtQuick
import QtTest
import "../../modules/fuego/SaltoRules.mjs" as Salto
import "../../modules/fuego/SummitRules.mjs" as Summit
import "../../modules/fuego/Rules.mjs" as Result
import "../../modules/common/Random.mjs" as Random

// A TestCase is not drawn, so the movie goes beside it.
MovieStage {
    id: stage

    TestCase {
        id: test
        name: "Fuego"
        when: windowShown

        // A click on a hole, with an ember chosen or not: on a hearth full but the centre,
        // (2, 0) and (0, 2) can jump into it, (3, 0) cannot jump at all.
        function test_choose_data() {
            const h = (q, r) => Salto.holeAt(q, r);
            return [
                { tag: "an ember with a jump is chosen", selected: -1, hole: h(2, 0), chosen: h(2, 0), jumped: false },
                { tag: "chosen again, it is let go", selected: h(2, 0), hole: h(2, 0), chosen: -1, jumped: false },
                { tag: "another ember with a jump", selected: h(2, 0), hole: h(0, 2), chosen: h(0, 2), jumped: false },
                { tag: "an ember without a jump lets go", selected: h(2, 0), hole: h(3, 0), chosen: -1, jumped: false },
                { tag: "the ringed hole takes the jump", selected: h(2, 0), hole: h(0, 0), chosen: -1, jumped: true },
                { tag: "an empty hole with nothing chosen", selected: -1, hole: h(0, 0), chosen: -1, jumped: false }
            ];
        }
        function test_choose(data) {
            const game = { embers: Salto.holes.map((_, i) => i !== Salto.holeAt(0, 0)), removed: 0, over: false };
            const next = Salto.choose(game, data.selected, data.hole);
            compare(next.selected, data.chosen);
            compare(next.game.removed, data.jumped ? 1 : 0);
            compare(Salto.choose(Salto.stop(game), data.selected, data.hole).game.removed, 0, "over: no jump");
        }

        // The arrows: along the row, or to the nearest hole of the next row on the screen
        // (rows are shifted by half a hole); at the rim the frame stays.
        function test_step_data() {
            return [
                { tag: "right", from: [0, 0], d: [1, 0], to: [1, 0] },
                { tag: "right at the rim", from: [3, 0], d: [1, 0], to: [3, 0] },
                { tag: "up, the left of two as near", from: [0, 0], d: [0, -1], to: [0, -1] },
                { tag: "down, the left of two as near", from: [0, 0], d: [0, 1], to: [-1, 1] },
                { tag: "up at the rim, one as near", from: [3, 0], d: [0, -1], to: [3, -1] },
                { tag: "up from the top row", from: [0, -3], d: [0, -1], to: [0, -3] }
            ];
        }
        function test_step(data) {
            compare(Salto.step(Salto.holeAt(data.from[0], data.from[1]), data.d[0], data.d[1]),
                    Salto.holeAt(data.to[0], data.to[1]));
        }

        // Every board, from every hole it may start with, can come down to one ember in
        // its middle: the search finds the jumps, and playing them through the rules
        // gives a perfect game with both bonuses.
        function test_everyBoardCanEndPerfectly_data() {
            return Salto.shapes.map(s => ({ tag: s.id, shape: s.id, holes: s.holes.length }));
        }
        function test_everyBoardCanEndPerfectly(data) {
            const shape = Salto.shapeOf(data.shape);
            verify(shape.starts.length > 0 && shape.middle.length > 0);
            for (const start of shape.starts) {
                let game = Object.assign(Salto.newGame(1, data.shape),
                                         { embers: shape.holes.map((h, i) => i !== start) });
                const found = Salto.search(data.shape, game.embers, true, 400000);
                verify(found.complete, "start " + start);
                compare(found.left, 1);
                for (const j of found.jumps)
                    game = Salto.jump(game, j.from, j.to);
                verify(game.over && Salto.isPerfect(game) && Salto.endsInMiddle(game), "start " + start);
                compare(Salto.score(game), data.holes - 2 + Salto.perfectBonus + Salto.middleBonus);
                compare(Salto.isRecorded(game), data.shape === Salto.standardShape);
            }
        }

        // One ember in the middle earns both bonuses, one elsewhere the perfect one only.
        function test_bonuses_data() {
            return [
                { tag: "one in the middle", lit: [[0, 0]], score: 35 + 10 },
                { tag: "one beside the centre", lit: [[1, -1]], score: 35 + 10 },
                { tag: "one off the middle", lit: [[3, 0]], score: 35 + 5 },
                { tag: "two left", lit: [[0, 0], [3, 0]], score: 34 }
            ];
        }
        function test_bonuses(data) {
            const embers = Salto.holes.map(() => false);
            data.lit.forEach(([q, r]) => { embers[Salto.holeAt(q, r)] = true; });
            const game = { shape: "hearth", embers: embers, removed: 36 - data.lit.length, over: true, history: [] };
            compare(Salto.score(game), data.score);
        }

        // Undo takes back one jump at a time to the deal; restart goes there at once.
        function test_undoAndRestartWalkBackThePositions() {
            let game = Salto.newGame(4);
            const positions = [game.embers];
            for (let k = 0; k < 5; ++k) {
                const j = Salto.openJumps(game.shape, game.embers)[0];
                positions.push((game = Salto.jump(game, j.from, j.to)).embers);
            }
            compare([Salto.restart(game).embers, Salto.restart(game).removed], [positions[0], 0]);
            for (let k = 4; k >= 0; --k) {
                game = Salto.undo(game);
                compare([game.embers, game.removed], [positions[k], k]);
            }
            compare(Salto.undo(game), game, "nothing left to take back");
            compare(Salto.undo(Salto.stop(game)), Salto.stop(game), "a finished game stays finished");
        }

        function subsetMakes(stones, target) {
            for (let mask = 1; mask < (1 << stones.length); ++mask) {
                let sum = 0;
                for (let i = 0; i < stones.length; ++i)
                    if (mask & (1 << i)) sum += stones[i];
                if (sum === target)
                    return true;
            }
            return false;
        }

        // The climb steepens: at every height the ledge can be climbed, its fewest-stone
        // answer takes at least what the plan asks, minus stones come higher up, and the
        // weather allows less time.
        function test_ledgesSteepenAndCanAlwaysBeClimbed() {
            const rng = Random.make(99);
            const meanTarget = [];
            for (let height = 0; height < Summit.summit; ++height) {
                const plan = Summit.ledgePlan(height);
                let total = 0;
                for (let k = 0; k < 10; ++k) {
                    const ledge = Summit.makeLedge(height, rng);
                    compare(ledge.stones.length, Summit.stonesPerLedge);
                    verify(subsetMakes(ledge.stones, ledge.target), "height " + height);
                    verify(Summit.solution(ledge.stones, ledge.target).length >= plan.fewest, "height " + height);
                    compare(ledge.stones.filter(s => s < 0).length, plan.minus);
                    total += ledge.target;
                }
                meanTarget.push(total / 10);
            }
            verify(Summit.ledgePlan(0).fewest === 2 && Summit.ledgePlan(Summit.summit - 1).fewest === 4);
            verify(meanTarget[Summit.summit - 1] > 3 * meanTarget[0], meanTarget.join(" "));
            verify(Summit.slipCostMs(25) > Summit.slipCostMs(0));
        }

        // The weather allows 20 s on the first ledge and tightens with every ledge, to
        // no less than 9 s.
        function test_ledgeTime_data() {
            return [[0, 20000], [1, 19650], [10, 16500], [29, 9850], [40, 9000], [-3, 20000]]
                .map(r => ({ tag: "height " + r[0], height: r[0], ms: r[1] }));
        }
        function test_ledgeTime(data) {
            compare(Summit.ledgeTimeMs(data.height), data.ms);
        }

        // A pick climbs, waits or slips; minus stones still free keep a pick over the
        // target alive, since they can bring it back.
        function test_picks_data() {
            const stones = [4, 5, 7, 1, -3, 2, 3];
            return [
                { tag: "under", stones: stones, picks: [0], event: "", sum: 4 },
                { tag: "put back", stones: stones, picks: [0, 0], event: "", sum: 0 },
                { tag: "exact", stones: stones, picks: [0, 1], event: "climbed", sum: 0 },
                { tag: "over, a minus stone left", stones: stones, picks: [2, 6], event: "", sum: 10 },
                { tag: "over and back with the minus", stones: stones, picks: [2, 6, 4], event: "", sum: 7 },
                { tag: "minus first", stones: stones, picks: [4, 2, 1], event: "climbed", sum: 0 },
                { tag: "over for good", stones: stones, picks: [2, 1, 6], event: "slipped", sum: 0 },
                { tag: "no minus stones, under", stones: [4, 5, 7, 1, 1, 2, 3], picks: [2, 3], event: "", sum: 8 },
                { tag: "past with no help", stones: [4, 5, 7, 1, 1, 2, 3], picks: [2, 6], event: "slipped", sum: 0 }
            ];
        }
        function test_picks(data) {
            const game = Object.assign(Summit.newGame(3), { height: 12, target: 9, stones: data.stones });
            let r = { game: game, event: "" };
            for (const i of data.picks)
                r = Summit.pick(r.game, i);
            compare([r.event, Summit.pickedSum(r.game), r.game.height, r.game.slips],
                    [data.event, data.sum, data.event === "climbed" ? 13 : 12, data.event === "slipped" ? 1 : 0]);
            compare(r.costMs, data.event === "slipped" ? Summit.slipCostMs(12) : 0);
        }

        function test_summitEndsTheClimb() {
            const game = Object.assign(Summit.newGame(3), { height: Summit.summit - 1, target: 3, stones: [1, 2, 9, 9, 9, 9, 9] });
            const r = Summit.pick(Summit.pick(game, 0).game, 1);
            verify(r.game.over && r.game.reachedSummit);
            compare(Summit.score(r.game), Summit.summit);
            compare(Summit.pick(r.game, 2).game, r.game);
        }

        function test_scoreList_data() {
            return [
                { tag: "rounded time", args: ["summit", 1500.6, 3], list: ["summit", 1501, 3] },
                { tag: "time too long", args: ["fuego", 12345678, 5], list: ["fuego", 9999999, 5] },
                { tag: "score too high", args: ["summit", 1000, 150], list: ["summit", 1000, 99] }
            ];
        }
        function test_scoreList(data) {
            compare(Result.scoreList(data.args[0], data.args[1], data.args[2]), data.list);
        }

        function load(gameType) {
            return stage.open("fuego.qml", { gameType: gameType }).game;
        }

        // Keys choose the board, move the frame, choose an ember and its hole (Space),
        // take the jump back (Z); Finish (F) asks first, then ends the game. Only the
        // hearth sends its slot, time and score, once.
        function test_saltoByKeys_data() {
            return [{ tag: "hearth", key: Qt.Key_1, shape: "hearth", sends: true },
                    { tag: "triangle", key: Qt.Key_2, shape: "triangle", sends: false }];
        }
        function test_saltoByKeys(data) {
            const movie = load("fuego");
            keyClick(data.key);
            compare(movie.game.shape, data.shape);
            const holes = Salto.shapeOf(data.shape).holes;
            const walkTo = goal => {
                while (movie.cursor !== goal) {
                    const at = holes[movie.cursor], to = holes[goal];
                    keyClick(at.r > to.r ? Qt.Key_Up : at.r < to.r ? Qt.Key_Down
                             : at.q > to.q ? Qt.Key_Left : Qt.Key_Right);
                }
            };
            const empty = movie.game.embers.indexOf(false);
            const jump = Salto.openJumps(data.shape, movie.game.embers).find(j => j.to === empty);
            walkTo(jump.from);
            keyClick(Qt.Key_Space);
            compare(movie.selected, jump.from);
            verify(movie.targets.indexOf(empty) >= 0);
            walkTo(empty);
            keyClick(Qt.Key_Space);
            compare(movie.game.removed, 1);
            keyClick(Qt.Key_Z);
            compare(movie.game.removed, 0);
            compare(movie.game.embers.indexOf(false), empty);
            movie.choose(jump.from);
            movie.choose(empty);
            keyClick(Qt.Key_F);
            verify(!movie.game.over, "Finish asks first");
            keyClick(Qt.Key_F);
            verify(movie.game.over);
            movie.sendPendingScore();
            compare(movie.link.sent.length, data.sends ? 1 : 0);
            if (!data.sends)
                return;
            const list = movie.link.sent[0].split("|")[1].split(",");
            compare(list, ["fuego", String(Math.round(movie.clock.elapsedMs)), "1"]);
            movie.end();
            movie.sendPendingScore();
            compare(movie.link.sent.length, 1, "sent once");
        }

        // Number keys pick stones; the weather ends a climb, or the summit does, and the
        // height is sent once. The summit is a win, not a game over.
        function test_summitByKeys_data() {
            return [{ tag: "caught", ledges: 2, heading: "The weather turned" },
                    { tag: "summit", ledges: Summit.summit, heading: "On the summit!" }];
        }
        function test_summitByKeys(data) {
            const movie = load("summit");
            movie.newGame(21);
            for (let ledge = 0; ledge < data.ledges; ++ledge) {
                for (const i of Summit.solution(movie.game.stones, movie.game.target))
                    keyClick(Qt.Key_1 + i);
            }
            compare(movie.game.height, data.ledges);
            if (data.ledges < Summit.summit) {
                verify(movie.weather.running);
                movie.weather.expired();
            }
            verify(movie.game.over);
            compare(movie.gameOver.title, data.heading);
            compare(movie.weather.running, false);
            tryVerify(() => movie.link.sent.length === 1);
            const list = movie.link.sent[0].split("|")[1].split(",");
            compare(list[0], "summit");
            compare(list[2], String(data.ledges));
        }
    }
}

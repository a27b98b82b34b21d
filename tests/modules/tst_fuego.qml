// SPDX-License-Identifier: GPL-3.0-or-later
// The Fuego movie's two games: the jumps of Fuego Salto, the ledges of SUM-mit, the
// lists they send, and both played from the keyboard.
import QtQuick
import QtTest
import "../../modules/fuego/SaltoRules.mjs" as Salto
import "../../modules/fuego/SummitRules.mjs" as Summit
import "../../modules/fuego/Rules.mjs" as Result
import "../../modules/common/Random.mjs" as Random

MovieStage {
    id: stage

    TestCase {
        id: test
        name: "Fuego"
        when: windowShown

        // Each row: what a rule gives for a position of our own. On a hearth full but the
        // centre, (2, 0) and (0, 2) can jump into it and (3, 0) cannot jump at all; the
        // arrows go along the row, or to the nearest hole of the next row on the screen.
        function test_rules_data() {
            const h = (q, r) => Salto.holeAt(q, r);
            const full = { embers: Salto.holes.map((_, i) => i !== h(0, 0)), removed: 0, over: false };
            const choose = (selected, hole) => { const n = Salto.choose(full, selected, hole); return [n.selected, n.game.removed]; };
            const left = lit => Salto.score({ shape: "hearth", embers: Salto.holes.map((_, i) => lit.some(([q, r]) => h(q, r) === i)),
                                              removed: 36 - lit.length, over: true, history: [] });
            const top = Object.assign(Summit.newGame(3), { height: Summit.summit - 1, target: 3, stones: [1, 2, 9, 9, 9, 9, 9] });
            const summit = Summit.pick(Summit.pick(top, 0).game, 1).game;
            return [
                { tag: "choose: an ember with a jump", got: () => choose(-1, h(2, 0)), want: [h(2, 0), 0] },
                { tag: "choose: chosen again, let go", got: () => choose(h(2, 0), h(2, 0)), want: [-1, 0] },
                { tag: "choose: another ember with a jump", got: () => choose(h(2, 0), h(0, 2)), want: [h(0, 2), 0] },
                { tag: "choose: an ember without a jump lets go", got: () => choose(h(2, 0), h(3, 0)), want: [-1, 0] },
                { tag: "choose: the ringed hole takes the jump", got: () => choose(h(2, 0), h(0, 0)), want: [-1, 1] },
                { tag: "choose: an empty hole, nothing chosen", got: () => choose(-1, h(0, 0)), want: [-1, 0] },
                { tag: "choose: a finished game takes no jump", got: () => Salto.choose(Salto.stop(full), h(2, 0), h(0, 0)).game.removed, want: 0 },
                { tag: "step: right", got: () => Salto.step(h(0, 0), 1, 0), want: h(1, 0) },
                { tag: "step: right at the rim", got: () => Salto.step(h(3, 0), 1, 0), want: h(3, 0) },
                { tag: "step: up, the left of two as near", got: () => Salto.step(h(0, 0), 0, -1), want: h(0, -1) },
                { tag: "step: down, the left of two as near", got: () => Salto.step(h(0, 0), 0, 1), want: h(-1, 1) },
                { tag: "step: up at the rim", got: () => Salto.step(h(3, 0), 0, -1), want: h(3, -1) },
                { tag: "step: up from the top row", got: () => Salto.step(h(0, -3), 0, -1), want: h(0, -3) },
                { tag: "score: one left in the middle", got: () => left([[0, 0]]), want: 35 + 10 },
                { tag: "score: one beside the centre", got: () => left([[1, -1]]), want: 35 + 10 },
                { tag: "score: one off the middle", got: () => left([[3, 0]]), want: 35 + 5 },
                { tag: "score: two left", got: () => left([[0, 0], [3, 0]]), want: 34 },
                { tag: "summit: reached", got: () => [summit.over, summit.reachedSummit, Summit.score(summit)], want: [true, true, Summit.summit] },
                { tag: "summit: no pick after it", got: () => Summit.pick(summit, 2).game, want: summit },
                { tag: "ledge time: the first ledge", got: () => Summit.ledgeTimeMs(0), want: 20000 },
                { tag: "ledge time: the second", got: () => Summit.ledgeTimeMs(1), want: 19650 },
                { tag: "ledge time: the tenth", got: () => Summit.ledgeTimeMs(10), want: 16500 },
                { tag: "ledge time: below the summit", got: () => Summit.ledgeTimeMs(29), want: 9850 },
                { tag: "ledge time: never under 9 s", got: () => [Summit.ledgeTimeMs(40), Summit.ledgeTimeMs(-3)], want: [9000, 20000] },
                { tag: "list: rounded time", got: () => Result.scoreList("summit", 1500.6, 3), want: ["summit", 1501, 3] },
                { tag: "list: time too long", got: () => Result.scoreList("fuego", 12345678, 5), want: ["fuego", 9999999, 5] },
                { tag: "list: score too high", got: () => Result.scoreList("summit", 1000, 150), want: ["summit", 1000, 99] }
            ];
        }
        function test_rules(data) {
            compare(data.got(), data.want);
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
                    const pick = Summit.solution(ledge.stones, ledge.target);
                    compare(pick.reduce((sum, i) => sum + ledge.stones[i], 0), ledge.target, "height " + height);
                    verify(pick.length >= plan.fewest, "height " + height);
                    compare(ledge.stones.filter(s => s < 0).length, plan.minus);
                    total += ledge.target;
                }
                meanTarget.push(total / 10);
            }
            verify(Summit.ledgePlan(0).fewest === 2 && Summit.ledgePlan(Summit.summit - 1).fewest === 4);
            verify(meanTarget[Summit.summit - 1] > 3 * meanTarget[0], meanTarget.join(" "));
            verify(Summit.slipCostMs(25) > Summit.slipCostMs(0));
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
            compare([movie.selected, movie.targets.indexOf(empty) >= 0], [jump.from, true]);
            walkTo(empty);
            keyClick(Qt.Key_Space);
            compare(movie.game.removed, 1);
            keyClick(Qt.Key_Z);
            compare([movie.game.removed, movie.game.embers.indexOf(false)], [0, empty]);
            movie.choose(jump.from);
            movie.choose(empty);
            keyClick(Qt.Key_F);
            verify(!movie.game.over, "Finish asks first");
            keyClick(Qt.Key_F);
            movie.sendPendingScore();
            movie.end();
            movie.sendPendingScore();
            compare(stage.sent("writescore"), data.sends ? ["fuego," + Math.round(movie.clock.elapsedMs) + ",1"] : []);
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
            compare([movie.game.over, movie.gameOver.title, movie.weather.running], [true, data.heading, false]);
            tryVerify(() => stage.sent("writescore").length === 1);
            verify(RegExp("^summit,[0-9]+," + data.ledges + "$").test(stage.sent("writescore")[0]), stage.sent("writescore"));
        }
    }
}

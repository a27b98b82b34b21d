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

        function test_hearthHas37HolesAndSymmetricJumps() {
            compare(Salto.holes.length, 37);
            // Every jump can be made back the other way.
            for (const j of Salto.jumps)
                verify(Salto.jumps.some(k => k.from === j.to && k.to === j.from && k.over === j.over));
            // A hole in the middle has a jump in all six directions, a corner in three.
            compare(Salto.jumps.filter(j => j.from === Salto.holeAt(0, 0)).length, 6);
            compare(Salto.jumps.filter(j => j.from === Salto.holeAt(3, -3)).length, 3);
        }

        function test_jumpBurnsOutTheEmberJumpedOver() {
            let game = { embers: Salto.holes.map(() => true), removed: 0, over: false };
            const centre = Salto.holeAt(0, 0);
            game.embers[centre] = false;
            const from = Salto.holeAt(2, 0), over = Salto.holeAt(1, 0);
            compare(Salto.movesFrom(game, from).map(j => j.to), [centre]);
            game = Salto.jump(game, from, centre);
            verify(game.embers[centre] && !game.embers[from] && !game.embers[over]);
            compare(Salto.score(game), 1);
            compare(Salto.jump(game, from, centre), game, "an illegal jump changes nothing");
        }

        function test_gameEndsWhenNoJumpIsLeft() {
            // Two embers side by side and nothing else: one jump, then the game is over.
            const embers = Salto.holes.map(() => false);
            embers[Salto.holeAt(0, 0)] = true;
            embers[Salto.holeAt(1, 0)] = true;
            let game = { embers: embers, removed: 0, over: false };
            game = Salto.jump(game, Salto.holeAt(0, 0), Salto.holeAt(2, 0));
            verify(game.over);
            compare(Salto.movesFrom(game, Salto.holeAt(2, 0)), []);
        }

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

        function test_playedOutGamesStayInTheRecordRange() {
            for (let seed = 1; seed <= 20; ++seed) {
                let game = Salto.newGame(seed);
                compare(game.embers.filter(e => !e).length, 1);
                verify(Salto.anyMove(game));
                const rng = Random.make(seed);
                while (!game.over) {
                    const moves = Salto.jumps.filter(j => game.embers[j.from] && game.embers[j.over] && !game.embers[j.to]);
                    const j = Random.pick(rng, moves);
                    game = Salto.jump(game, j.from, j.to);
                }
                verify(game.removed >= 1 && game.removed <= 35);
                compare(game.embers.filter(e => e).length, 36 - game.removed);
            }
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

        function test_everyLedgeCanBeClimbed() {
            const rng = Random.make(99);
            for (let height = 0; height < Summit.summit; ++height) {
                for (let k = 0; k < 10; ++k) {
                    const ledge = Summit.makeLedge(height, rng);
                    compare(ledge.stones.length, Summit.stonesPerLedge);
                    verify(subsetMakes(ledge.stones, ledge.target), "height " + height);
                }
            }
            verify(Summit.ledgeTimeMs(0) > Summit.ledgeTimeMs(20));
            compare(Summit.ledgeTimeMs(1000), 9000);
        }

        function test_picksClimbSlipOrWait() {
            let game = Object.assign(Summit.newGame(3), { target: 9, stones: [4, 5, 7, 1, 1, 2, 3] });
            let r = Summit.pick(game, 0);
            compare(r.event, "");
            compare(Summit.pickedSum(r.game), 4);
            compare(Summit.pick(r.game, 0).game.picked, [], "a picked stone goes back");
            compare(Summit.pick(Summit.pick(game, 0).game, 2).event, "slipped");
            compare(Summit.pick(Summit.pick(game, 0).game, 2).game.picked, []);
            r = Summit.pick(Summit.pick(game, 0).game, 1);
            compare(r.event, "climbed");
            compare(r.game.height, 1);
            compare(r.game.picked, []);
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

        // Keys move the frame across the hearth; Space chooses an ember and its hole;
        // Finish (F) ends the game and sends slot, time and score once.
        function test_saltoByKeys() {
            const movie = load("fuego");
            movie.newGame(8);
            const empty = movie.game.embers.indexOf(false);
            const jump = Salto.jumps.find(j => j.to === empty && movie.game.embers[j.from] && movie.game.embers[j.over]);
            while (movie.cursor !== jump.from) {
                const at = Salto.holes[movie.cursor], goal = Salto.holes[jump.from];
                keyClick(at.r > goal.r ? Qt.Key_Up : at.r < goal.r ? Qt.Key_Down
                         : at.q > goal.q ? Qt.Key_Left : Qt.Key_Right);
            }
            keyClick(Qt.Key_Space);
            compare(movie.selected, jump.from);
            verify(movie.targets.indexOf(empty) >= 0);
            while (movie.cursor !== empty) {
                const at = Salto.holes[movie.cursor], goal = Salto.holes[empty];
                keyClick(at.r > goal.r ? Qt.Key_Up : at.r < goal.r ? Qt.Key_Down
                         : at.q > goal.q ? Qt.Key_Left : Qt.Key_Right);
            }
            keyClick(Qt.Key_Space);
            compare(movie.game.removed, 1);
            keyClick(Qt.Key_F);
            verify(movie.game.over);
            tryVerify(() => movie.link.sent.length === 1);
            const sent = movie.link.sent[0].split("|");
            compare(sent[0], "writescore");
            const list = sent[1].split(",");
            compare(list.length, 3);
            compare(list[0], "fuego");
            compare(Number(list[1]), Math.round(movie.clock.elapsedMs));
            compare(list[2], "1");
            movie.finish("again");
            wait(50);
            compare(movie.link.sent.length, 1, "sent once");
        }

        // Number keys pick stones; two ledges climbed, then the weather ends the climb.
        function test_summitByKeys() {
            const movie = load("summit");
            movie.newGame(21);
            for (let ledge = 0; ledge < 2; ++ledge) {
                for (const i of movie.solution())
                    keyClick(Qt.Key_1 + i);
            }
            compare(movie.game.height, 2);
            verify(movie.weather.running);
            movie.weather.expired();
            verify(movie.game.over);
            tryVerify(() => movie.link.sent.length === 1);
            const list = movie.link.sent[0].split("|")[1].split(",");
            compare(list[0], "summit");
            compare(list[2], "2");
        }

        // Picked stones lift and a pick past the target shakes the row, yet every stone
        // keeps its own place in the grid (none may slide under another).
        function test_summitStonesKeepTheirPlaces() {
            const movie = load("summit");
            movie.newGame(21);
            const grid = findChild(movie, "stones");
            for (let i = 0; i < movie.game.stones.length; ++i) {
                keyClick(Qt.Key_1 + i);
                wait(30);
            }
            wait(400);
            const cells = [];
            for (let i = 0; i < grid.children.length; ++i) {
                const c = grid.children[i];
                if (c.width === 88)
                    cells.push(c.x + "," + c.y);
            }
            compare(cells.length, movie.game.stones.length);
            compare(new Set(cells).size, cells.length, cells.join(" "));
        }
    }
}

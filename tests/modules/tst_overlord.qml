// Overlord: the island, marches and growth, the end of a war, the computer's strengths,
// and a turn played from the keyboard.
import QtQuick
import QtTest
import "../../modules/overlord/Rules.mjs" as Rules
import "../../modules/common/Random.mjs" as Random

// A TestCase is not drawn, so the movie goes beside it.
MovieStage {
    id: stage

    TestCase {
        id: test
        name: "Overlord"
        when: windowShown

        // A state with every land neutral and 1 army, then the given lands.
        function island(lands) {
            const s = { owner: Rules.lands.map(() => Rules.neutral), armies: Rules.lands.map(() => 1),
                        turn: Rules.human, round: 1, winner: 0 };
            for (const [q, r, owner, armies] of lands) {
                const i = Rules.landAt(q, r);
                s.owner[i] = owner;
                s.armies[i] = armies;
            }
            return s;
        }
        function at(q, r) { return Rules.landAt(q, r); }

        function test_islandHas19LandsThatTouchBothWays() {
            compare(Rules.lands.length, 19);
            Rules.neighbours.forEach((ns, i) => {
                for (const n of ns)
                    verify(Rules.neighbours[n].indexOf(i) >= 0);
            });
            compare(Rules.neighbours[at(0, 0)].length, 6);
            compare(Rules.neighbours[at(2, 0)].length, 3);
        }

        function test_march_data() {
            return [
                { tag: "joins own land", to: [1, 0, Rules.human, 2], owner: Rules.human, armies: 6 },
                { tag: "takes a weaker land", to: [1, 0, Rules.computer, 3], owner: Rules.human, armies: 1 },
                { tag: "wears down a stronger land", to: [1, 0, Rules.computer, 6], owner: Rules.computer, armies: 2 },
                { tag: "equal armies only wear down", to: [1, 0, Rules.neutral, 4], owner: Rules.neutral, armies: 0 }
            ];
        }
        function test_march(data) {
            const s = island([[0, 0, Rules.human, 5], data.to, [-2, 0, Rules.computer, 3]]);
            const next = Rules.play(s, Rules.human, { from: at(0, 0), to: at(1, 0) });
            compare(next.armies[at(0, 0)], 1, "one army stays behind");
            compare(next.owner[at(1, 0)], data.owner);
            compare(next.armies[at(1, 0)], data.armies);
            compare(next.turn, Rules.computer);
        }

        function test_heldLandsGrowAfterTheComputerMoves() {
            let s = island([[0, 0, Rules.human, 3], [2, 0, Rules.computer, 3]]);
            s = Rules.play(s, Rules.human, { from: -1, to: -1 });
            compare(s.armies[at(0, 0)], 3, "no growth after the player alone");
            s = Rules.play(s, Rules.computer, { from: -1, to: -1 });
            compare(s.armies[at(0, 0)], 4);
            compare(s.armies[at(2, 0)], 4);
            compare(s.armies[at(1, 0)], 1, "neutral lands do not grow");
            compare(s.round, 2);
        }

        function test_outOfTurnOrIllegalMovesChangeNothing() {
            const s = island([[0, 0, Rules.human, 3], [2, 0, Rules.computer, 3]]);
            compare(Rules.play(s, Rules.computer, { from: at(2, 0), to: at(1, 0) }), s);
            compare(Rules.play(s, Rules.human, { from: at(0, 0), to: at(2, 0) }), s, "not touching");
            compare(Rules.play(s, Rules.human, { from: at(2, 0), to: at(1, 0) }), s, "not yours");
            const weak = island([[0, 0, Rules.human, 1], [2, 0, Rules.computer, 3]]);
            compare(Rules.moves(weak, Rules.human), [{ from: -1, to: -1 }], "one army cannot march");
        }

        // The player's click on a land, with a land chosen or not; the computer's turn and a
        // finished war take none.
        function test_choice_data() {
            return [
                { tag: "a land with armies to spare", selected: [], land: [0, 0], what: "select" },
                { tag: "a land with one army", selected: [], land: [-1, 0], what: "letGo" },
                { tag: "a land not yours", selected: [], land: [2, 0], what: "letGo" },
                { tag: "touching the chosen land", selected: [0, 0], land: [1, 0], what: "march" },
                { tag: "the chosen land again", selected: [0, 0], land: [0, 0], what: "letGo" },
                { tag: "far from the chosen land", selected: [0, 0], land: [2, -2], what: "letGo" },
                { tag: "the computer's turn", selected: [], land: [0, 0], turn: Rules.computer, what: "" },
                { tag: "the war is over", selected: [], land: [0, 0], winner: Rules.human, what: "" }
            ];
        }
        function test_choice(data) {
            const s = Object.assign(island([[0, 0, Rules.human, 4], [-1, 0, Rules.human, 1], [2, 0, Rules.computer, 3]]),
                                    { turn: data.turn || Rules.human, winner: data.winner || 0 });
            const selected = data.selected.length ? at(data.selected[0], data.selected[1]) : -1;
            compare(Rules.choice(s, selected, at(data.land[0], data.land[1])), data.what);
        }

        function test_takingTheLastLandWins() {
            let s = island([[0, 0, Rules.human, 9], [1, 0, Rules.computer, 2]]);
            s = Rules.play(s, Rules.human, { from: at(0, 0), to: at(1, 0) });
            compare(s.winner, Rules.human);
            compare(Rules.play(s, Rules.computer, { from: -1, to: -1 }), s, "a won war takes no moves");
        }

        function test_newGameFollowsTheSeed() {
            const a = Rules.newGame(7);
            compare(a, Rules.newGame(7));
            compare(Rules.landsOf(a, Rules.human), 1);
            compare(Rules.landsOf(a, Rules.computer), 1);
            const mine = a.owner.indexOf(Rules.human), theirs = a.owner.indexOf(Rules.computer);
            compare(Rules.lands[mine].q, -Rules.lands[theirs].q, "opposite corners");
            compare(Rules.lands[mine].r, -Rules.lands[theirs].r);
        }

        // Every strength takes the player's last land when it can.
        function test_computerTakesAWin_data() {
            return Rules.strengths.slice(1).map((s, i) => ({ tag: s.name, strength: i + 1 }));
        }
        function test_computerTakesAWin(data) {
            const s = Object.assign(island([[0, 0, Rules.human, 3], [1, 0, Rules.computer, 8],
                                            [2, -2, Rules.computer, 9]]), { turn: Rules.computer });
            compare(Rules.computerMove(s, data.strength, Random.make(1)), { from: at(1, 0), to: at(0, 0) });
        }

        // Against the same greedy player, the stronger computer wins more wars.
        function greedyHuman(s) {
            let best = null, value = -Infinity;
            for (const m of Rules.moves(s, Rules.human)) {
                const v = Rules.evaluate(Rules.play(s, Rules.human, m), Rules.human);
                if (v > value) {
                    value = v;
                    best = m;
                }
            }
            return best;
        }
        function computerWins(strength, seeds) {
            let wins = 0, slowest = 0;
            for (let seed = 1; seed <= seeds; ++seed) {
                let s = Rules.newGame(seed);
                const rng = Random.make(seed);
                while (!s.winner && s.round < 80) {
                    s = Rules.play(s, Rules.human, greedyHuman(s));
                    if (s.winner)
                        break;
                    const t0 = Date.now();
                    s = Rules.play(s, Rules.computer, Rules.computerMove(s, strength, rng));
                    slowest = Math.max(slowest, Date.now() - t0);
                }
                wins += s.winner === Rules.computer ? 1 : 0;
            }
            console.log("strength", Rules.strengths[strength].name, "won", wins, "of", seeds,
                        "- slowest answer", slowest, "ms");
            return wins;
        }
        function test_strengthsAreOrdered() {
            const easy = computerWins(0, 5), hard = computerWins(2, 5);
            verify(hard > easy, "hard " + hard + ", easy " + easy);
            verify(hard >= 4, "hard won " + hard + " of 5");
        }

        // A march chosen with the arrows and Space, the computer's answer, then a pass.
        function test_turnByKeys() {
            const movie = stage.open("overlord.qml");
            compare(movie.state.owner[movie.cursor], Rules.human, "the first war starts on the player's land");
            movie.newGame(11);
            const home = movie.state.owner.indexOf(Rules.human);
            compare(movie.cursor, home);
            keyClick(Qt.Key_Space);
            compare(movie.selected, home);
            const chosenNews = movie.news;
            keyClick(Qt.Key_Escape);
            compare(movie.selected, -1);
            verify(movie.news !== chosenNews, "the news no longer asks for a march: " + movie.news);
            keyClick(Qt.Key_Space);
            compare(movie.selected, home);
            const target = Rules.neighbours[home][0];
            const l = Rules.lands[home], t = Rules.lands[target];
            keyClick(t.r < l.r ? Qt.Key_Up : t.r > l.r ? Qt.Key_Down : t.q < l.q ? Qt.Key_Left : Qt.Key_Right);
            compare(movie.cursor, target);
            keyClick(Qt.Key_Space);
            compare(movie.state.turn, Rules.computer);
            compare(movie.state.armies[home], 1);
            tryVerify(() => movie.state.turn === Rules.human, 3000, "the computer answers");
            compare(movie.state.round, 2);
            // The computer's march is ringed until the player chooses a land: its rings
            // and the targets' rings never show together.
            verify(movie.lastMove !== null, "the computer marched");
            movie.choose(movie.state.owner.findIndex((o, i) => o === Rules.human && movie.state.armies[i] >= 2));
            verify(movie.selected >= 0);
            compare(movie.lastMove, null);
            keyClick(Qt.Key_Escape);
            keyClick(Qt.Key_W);
            compare(movie.state.turn, Rules.computer);
        }

        // The opponent is chosen from the keyboard too; a war under way goes only when
        // confirmed, and the new one still takes the arrows.
        function test_strengthByKeys_data() {
            return [{ tag: "easy", key: Qt.Key_1, level: 0 }, { tag: "hard", key: Qt.Key_3, level: 2 }];
        }
        function test_strengthByKeys(data) {
            const movie = stage.open("overlord.qml");
            movie.newGame(11);
            movie.strength = data.level === 1 ? 0 : 1;
            keyClick(Qt.Key_W);
            tryVerify(() => movie.state.round === 2, 3000);
            keyClick(data.key);
            verify(movie.confirmation.visible);
            keyClick(Qt.Key_Return);
            compare(movie.strength, data.level);
            compare(movie.state.round, 1);
            const home = movie.cursor;
            keyClick(Qt.Key_Space);
            compare(movie.selected, home);
        }
    }
}

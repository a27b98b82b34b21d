// SPDX-License-Identifier: GPL-3.0-or-later
// Overlord: the islands, marches, growth, the end of a war, the computer's strengths,
// and a war played from the keyboard.
import QtQuick
import QtTest
import "../../modules/overlord/Rules.mjs" as Rules
import "../../modules/common/Random.mjs" as Random

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

        function test_march_data() {
            return [
                { tag: "joins own land", to: [1, 0, Rules.human, 2], owner: Rules.human, armies: 6 },
                { tag: "takes a weaker land", to: [1, 0, Rules.computer, 3], owner: Rules.human, armies: 1 },
                { tag: "wears down a stronger land", to: [1, 0, Rules.computer, 6], owner: Rules.computer, armies: 2 },
                { tag: "equal armies leave nobody's land", to: [1, 0, Rules.computer, 4], owner: Rules.neutral, armies: 0 }
            ];
        }
        function test_march(data) {
            const s = island([[0, 0, Rules.human, 5], data.to, [-2, 0, Rules.computer, 3]]);
            const move = { from: at(0, 0), to: at(1, 0) };
            const next = Rules.play(s, Rules.human, move);
            compare(Rules.preview(s, Rules.human, move), { stay: 1, owner: data.owner, armies: data.armies,
                                                           takes: data.to[2] !== Rules.human && data.owner === Rules.human },
                    "the preview shows what the march leaves");
            compare([next.armies[at(0, 0)], next.owner[at(1, 0)], next.armies[at(1, 0)], next.turn],
                    [1, data.owner, data.armies, Rules.computer]);
        }

        // Each row: what a rule gives on an island of our own. A click on a land, with a
        // land chosen or not: the computer's turn and a finished war take none.
        function test_rules_data() {
            const pass = { from: -1, to: -1 };
            const two = island([[0, 0, Rules.human, 3], [2, 0, Rules.computer, 3]]);
            const grown = s => [s.armies[at(0, 0)], s.armies[at(2, 0)], s.armies[at(1, 0)], s.round, s.turn];
            const click = (selected, land, more) => Rules.choice(Object.assign(island([[0, 0, Rules.human, 4],
                    [-1, 0, Rules.human, 1], [2, 0, Rules.computer, 3]]), more || {}), selected, land);
            const won = Rules.play(island([[0, 0, Rules.human, 9], [1, 0, Rules.computer, 2]]), Rules.human, { from: at(0, 0), to: at(1, 0) });
            const lost = island([[0, 0, Rules.human, 3], [2, 0, Rules.computer, 9], [2, -1, Rules.computer, 9],
                                 [1, -1, Rules.computer, 2], [2, -2, Rules.computer, 2]]);
            const last = Object.assign(island([[0, 0, Rules.human, 3], [1, 0, Rules.computer, 8], [2, -2, Rules.computer, 9]]),
                                       { turn: Rules.computer });
            const ended = (lands, resign) => {
                let s = island([[0, 0, Rules.human, 3], [2, 0, Rules.computer, 3]].concat(lands));
                if (resign)
                    s = Rules.resign(s, Rules.human);
                else
                    s = Rules.play(Rules.play(Object.assign(s, { round: Rules.lastRound }), Rules.human, pass), Rules.computer, pass);
                return [s.winner, JSON.stringify(Rules.play(s, s.turn, pass)) === JSON.stringify(s)];
            };
            return [
                { tag: "end: resigned", got: () => ended([], true), want: [Rules.computer, true] },
                { tag: "end: last round, more lands", got: () => ended([[1, 0, Rules.human, 1]]), want: [Rules.human, true] },
                { tag: "end: last round, as many lands, more armies", got: () => ended([[2, 0, Rules.computer, 9]]), want: [Rules.computer, true] },
                { tag: "end: last round, even", got: () => ended([]), want: [Rules.drawn, true] },
                { tag: "no growth after the player alone", got: () => grown(Rules.play(two, Rules.human, pass)), want: [3, 3, 1, 1, Rules.computer] },
                { tag: "held lands grow after the computer", got: () => grown(Rules.play(Rules.play(two, Rules.human, pass), Rules.computer, pass)),
                  want: [4, 4, 1, 2, Rules.human] },
                { tag: "out of turn", got: () => Rules.play(two, Rules.computer, { from: at(2, 0), to: at(1, 0) }), want: two },
                { tag: "not touching", got: () => Rules.play(two, Rules.human, { from: at(0, 0), to: at(2, 0) }), want: two },
                { tag: "not yours", got: () => Rules.play(two, Rules.human, { from: at(2, 0), to: at(1, 0) }), want: two },
                { tag: "one army cannot march", got: () => Rules.moves(island([[0, 0, Rules.human, 1]]), Rules.human), want: [pass] },
                { tag: "click: a land with armies to spare", got: () => click(-1, at(0, 0)), want: "select" },
                { tag: "click: a land with one army", got: () => click(-1, at(-1, 0)), want: "letGo" },
                { tag: "click: a land not yours", got: () => click(-1, at(2, 0)), want: "letGo" },
                { tag: "click: touching the chosen land", got: () => click(at(0, 0), at(1, 0)), want: "march" },
                { tag: "click: the chosen land again", got: () => click(at(0, 0), at(0, 0)), want: "letGo" },
                { tag: "click: far from the chosen land", got: () => click(at(0, 0), at(2, -2)), want: "letGo" },
                { tag: "click: the computer's turn", got: () => click(-1, at(0, 0), { turn: Rules.computer }), want: "" },
                { tag: "click: the war is over", got: () => click(-1, at(0, 0), { winner: Rules.human }), want: "" },
                { tag: "the last round still plays", got: () => Rules.play(Rules.play(Object.assign({}, two, { round: Rules.lastRound - 1 }),
                      Rules.human, pass), Rules.computer, pass).winner, want: 0 },
                { tag: "taking the last land wins", got: () => won.winner, want: Rules.human },
                { tag: "a won war takes no moves", got: () => Rules.play(won, Rules.computer, pass), want: won },
                { tag: "hopeless: an even war", got: () => Rules.hopeless(island([[0, 0, Rules.human, 6], [2, 0, Rules.computer, 6]]), Rules.human), want: false },
                { tag: "hopeless: outnumbered", got: () => [Rules.hopeless(lost, Rules.human), Rules.hopeless(lost, Rules.computer)], want: [true, false] }
            ].concat(Rules.strengths.slice(1).map((s, i) => ({ tag: s.name + " takes the last land",
                got: () => Rules.computerMove(last, i + 1, Random.make(1)), want: { from: at(1, 0), to: at(0, 0) } })));
        }
        function test_rules(data) {
            compare(data.got(), data.want);
        }

        function test_islands_data() {
            return Rules.islands.map((isle, k) => ({ tag: isle.name, island: k,
                                                     lands: [19, 15, 21, 37][k] }));
        }
        function test_islands(data) {
            const isle = Rules.islands[data.island];
            compare(isle.lands.length, data.lands);
            isle.neighbours.forEach((ns, i) => {
                for (const n of ns)
                    verify(isle.neighbours[n].indexOf(i) >= 0, "touching both ways");
                compare(isle.neighbours[isle.mirror[i]].length, ns.length, "the mirror image looks the same");
            });
            // Every land can be reached from every other.
            const seen = new Set([0]), todo = [0];
            while (todo.length)
                for (const n of isle.neighbours[todo.pop()])
                    if (!seen.has(n)) { seen.add(n); todo.push(n); }
            compare(seen.size, isle.lands.length);
            for (let seed = 1; seed <= 6; ++seed) {
                const s = Rules.newGame(seed, data.island);
                const mine = s.owner.indexOf(Rules.human), theirs = s.owner.indexOf(Rules.computer);
                compare(isle.mirror[mine], theirs, "the sides start on mirror images");
                s.armies.forEach((a, i) => compare(s.armies[isle.mirror[i]], a, "a fair island at " + i));
            }
        }

        // A march chosen with the arrows and Space (Escape lets go), the computer's answer,
        // a pass (W); then a hopeless war offers Resign (R), which ends it.
        function test_warByKeys() {
            const movie = stage.open("overlord.qml");
            movie.newGame(11);
            const home = movie.state.owner.indexOf(Rules.human);
            compare(movie.cursor, home, "the war starts on the player's land");
            keyClick(Qt.Key_Space);
            keyClick(Qt.Key_Escape);
            compare(movie.selected, -1);
            keyClick(Qt.Key_Space);
            compare(movie.selected, home);
            const target = Rules.neighbours[home][0];
            const l = Rules.lands[home], t = Rules.lands[target];
            keyClick(t.r < l.r ? Qt.Key_Up : t.r > l.r ? Qt.Key_Down : t.q < l.q ? Qt.Key_Left : Qt.Key_Right);
            compare(movie.cursor, target);
            keyClick(Qt.Key_Space);
            compare([movie.state.turn, movie.state.armies[home]], [Rules.computer, 1]);
            tryVerify(() => movie.state.turn === Rules.human && movie.state.round === 2, 3000, "the computer answers");
            keyClick(Qt.Key_W);
            compare(movie.state.turn, Rules.computer);
            tryVerify(() => movie.state.turn === Rules.human, 3000);
            verify(!findChild(movie, "resignButton").visible, "no resign in an even war");
            const owner = movie.state.owner.map(() => Rules.computer), armies = movie.state.armies.map(() => 9);
            owner[home] = Rules.human;
            armies[home] = 2;
            movie.state = Object.assign({}, movie.state, { owner: owner, armies: armies });
            verify(findChild(movie, "resignButton").visible);
            keyClick(Qt.Key_R);
            compare([movie.state.winner, movie.gameOver.visible], [Rules.computer, true]);
        }
    }
}

// SPDX-License-Identifier: GPL-3.0-or-later
// ReKo 9's moves, its distance table, hints and deals, and the movie played by keys.
import QtQuick
import QtTest
import "../../modules/reko9/Moves.mjs" as Moves
import "../../modules/reko9/Rules.mjs" as Rules
import "../../modules/reko9/Search.mjs" as Search
import "../../modules/common/Random.mjs" as Random

MovieStage {
    id: stage

    TestCase {
        id: test
        name: "ReKo9"
        when: windowShown

        // Each row: what a rule gives. A clockwise turn of a block carries its top left
        // tile to the top right; the verdict measures the moves against the par.
        function test_rules_data() {
            const verdict = (moves, best, hints) => { const g = { moves: moves, best: best, hints: hints || 0 };
                                                      return [Rules.verdict(g), Rules.atPar(g)]; };
            return [
                { tag: "turn: top left", got: () => Moves.turn(Moves.goal, 0, true), want: [4, 1, 3, 5, 2, 6, 7, 8, 9] },
                { tag: "turn: top right", got: () => Moves.turn(Moves.goal, 1, true), want: [1, 5, 2, 4, 6, 3, 7, 8, 9] },
                { tag: "turn: bottom left", got: () => Moves.turn(Moves.goal, 2, true), want: [1, 2, 3, 7, 4, 6, 8, 5, 9] },
                { tag: "turn: bottom right", got: () => Moves.turn(Moves.goal, 3, true), want: [1, 2, 3, 4, 8, 5, 7, 9, 6] },
                { tag: "verdict: at par", got: () => verdict(5, 5), want: ["Solved in 5 moves: par, the fewest possible!", true] },
                { tag: "verdict: one over", got: () => verdict(2, 1), want: ["Solved in 2 moves, 1 move over par (1).", false] },
                { tag: "verdict: several over", got: () => verdict(11, 7), want: ["Solved in 11 moves, 4 moves over par (7).", false] },
                { tag: "verdict: at par with a hint", got: () => verdict(5, 5, 1),
                  want: ["Solved in 5 moves with 1 hint: play one without to reach par (5).", false] },
                { tag: "daily seed", got: () => Rules.dailySeed(2026, 12, 8), want: 20261208 }
            ];
        }
        function test_rules(data) {
            compare(data.got(), data.want);
        }

        // The shipped table agrees with a fresh breadth-first pass as far as the pass goes,
        // and every sampled position has a neighbour one step nearer and none nearer still.
        function test_distanceTableIsABreadthFirstPass() {
            const table = Moves.newTable();
            Moves.fillTable(table, 4000);
            for (let i = 0; i < table.tail; ++i) {
                const r = table.queue[i];
                compare(Rules.distanceOf(Moves.unrank(r)), table.distance[r], "rank " + r);
            }
            const rng = Random.make(2024);
            for (let i = 0; i < 1500; ++i) {
                const p = Random.shuffled(rng, Moves.goal);
                const d = Rules.distanceOf(p);
                verify(d >= 1 && d <= 11, "distance " + d);
                const around = Moves.moves.map(m => Rules.distanceOf(Moves.turn(p, m.block, m.clockwise)));
                compare(Math.min.apply(null, around), d - 1, JSON.stringify(p));
            }
        }

        function test_hintsLeadHomeInTheFewestMoves() {
            for (let seed = 1; seed <= 25; ++seed) {
                let game = Rules.newGame(seed);
                verify(!game.solved);
                while (!game.solved) {
                    const move = Rules.hint(game.position);
                    verify(move !== null);
                    game = Rules.play(game, move.block, move.clockwise);
                    verify(game.moves <= game.best, "seed " + seed);
                }
                compare(game.moves, game.best);
                compare(Rules.hint(game.position), null);
            }
        }

        // Sixteen-tile deals, turned and mirrored: the stored way home solves the deal in
        // its par, and no way of six moves or fewer exists.
        function test_largeDealsKeepTheirPar_data() {
            return [[0, 0], [1, 3], [2, 4], [Rules.largeDealCount / 8 - 1, 7]]
                .map(([index, k]) => ({ tag: "deal " + index + " seen " + k, index: index, k: k }));
        }
        function test_largeDealsKeepTheirPar(data) {
            const deal = Rules.largeDeal(data.index, data.k);
            let p = deal.position;
            for (const m of deal.route)
                p = Search.turn(p, m.block, m.clockwise, 4);
            compare(p, Search.goalOf(4));
            verify(deal.par >= 8, "par " + deal.par);
            compare(Search.solve(deal.position, 4), null, "nothing shorter within the movie's search");
        }

        function test_undoTakesBackAndCounts_data() {
            return [{ tag: "nine", mode: 0 }, { tag: "sixteen", mode: 1 }];
        }
        function test_undoTakesBackAndCounts(data) {
            const start = Rules.newGame(5, data.mode);
            compare(Rules.undo(start), start, "nothing to take back");
            let game = Rules.play(Rules.play(start, 0, true), 3, false);
            game = Rules.undo(Rules.undo(game));
            compare([game.position, game.moves, game.route], [start.position, 4, start.route], "taking back counts as a move");
            // Hints lead home from a detour, on sixteen tiles by search or by undoing.
            game = Rules.play(Rules.play(game, 1, true), 2, true);
            while (!game.solved) {
                const move = Rules.hintFor(game);
                verify(move !== null);
                game = Rules.tookHint(game);
                game = Rules.play(game, move.block, move.clockwise);
                verify(game.moves < start.best + 12, "no wandering");
            }
            compare(Rules.hintFor(game), null);
            compare(Rules.undo(game), game, "a solved game stays solved");
        }

        // The whole game from the keyboard: turn with Space and Q, move to another turning
        // point, follow the hints (T) home; a finished board takes no more moves.
        function test_playsToTheEndByKeys() {
            const movie = stage.open("reko9.qml");
            movie.newGame(31);
            const start = movie.game.position.slice();
            keyClick(Qt.Key_Space);
            compare(movie.game.position, Moves.turn(start, 0, true));
            keyClick(Qt.Key_Q);
            compare([movie.game.position, movie.game.moves], [start, 2]);
            keyClick(Qt.Key_Right);
            keyClick(Qt.Key_Down);
            keyClick(Qt.Key_E);
            compare(movie.game.position, Moves.turn(start, 3, true));
            while (!movie.game.solved) {
                keyClick(Qt.Key_T);
                keyClick(movie.hintMove.clockwise ? Qt.Key_Space : Qt.Key_Q);
            }
            tryVerify(() => movie.gameOver.visible);
            verify(movie.gameOver.lines[0].indexOf("Solved in " + movie.game.moves + " moves") === 0);
            const moves = movie.game.moves;
            movie.gameOver.close();
            keyClick(Qt.Key_Space);
            compare(movie.game.moves, moves, "a finished board takes no more moves");
            keyClick(Qt.Key_N);
            compare([movie.game.moves, movie.game.solved], [0, false]);
        }

        // On both sizes a click on the right half of a turning point turns anticlockwise;
        // U takes the move back.
        function test_clickBySizes_data() {
            return [{ tag: "nine", mode: 0, pivots: 4 }, { tag: "sixteen", mode: 1, pivots: 9 }];
        }
        function test_clickBySizes(data) {
            const movie = stage.open("reko9.qml");
            if (data.mode)
                keyClick(Qt.Key_M);
            const start = movie.game.position.slice(), last = findChild(movie, "pivot" + (data.pivots - 1));
            verify(findChild(movie, "pivot" + data.pivots) === null);
            mouseClick(last, last.width * 0.8, last.height / 2);
            compare(movie.game.position, Search.turn(start, data.pivots - 1, false, movie.game.size));
            keyClick(Qt.Key_U);
            compare([movie.game.position, movie.game.moves], [start, 2]);
        }
    }
}

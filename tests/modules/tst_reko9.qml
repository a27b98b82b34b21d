// ReKo 9's moves, its distance table, hints and deals, and the movie played by keys.
import QtQuick
import QtTest
import "../../modules/reko9/Moves.mjs" as Moves
import "../../modules/reko9/Rules.mjs" as Rules
import "../../modules/common/Random.mjs" as Random

// A TestCase is not drawn, so the movie goes beside it.
MovieStage {
    id: stage

    TestCase {
        id: test
        name: "ReKo9"
        when: windowShown

        function neighbours(position) {
            return Moves.moves.map(m => Moves.turn(position, m.block, m.clockwise));
        }

        function test_turnClockwise_data() {
            return [
                { tag: "top left", block: 0, after: [4, 1, 3, 5, 2, 6, 7, 8, 9] },
                { tag: "top right", block: 1, after: [1, 5, 2, 4, 6, 3, 7, 8, 9] },
                { tag: "bottom left", block: 2, after: [1, 2, 3, 7, 4, 6, 8, 5, 9] },
                { tag: "bottom right", block: 3, after: [1, 2, 3, 4, 8, 5, 7, 9, 6] }
            ];
        }
        function test_turnClockwise(data) {
            compare(Moves.turn(Moves.goal, data.block, true), data.after);
        }

        function test_turnsUndoAndRepeat() {
            const rng = Random.make(11);
            for (let i = 0; i < 20; ++i) {
                const p = Random.shuffled(rng, Moves.goal);
                for (let block = 0; block < 4; ++block) {
                    compare(Moves.turn(Moves.turn(p, block, true), block, false), p);
                    let q = p;
                    for (let k = 0; k < 4; ++k)
                        q = Moves.turn(q, block, true);
                    compare(q, p);
                }
            }
        }

        function test_rankIsABijection() {
            compare(Moves.rank(Moves.goal), 0);
            compare(Moves.rank([9, 8, 7, 6, 5, 4, 3, 2, 1]), Moves.positions - 1);
            const rng = Random.make(5);
            for (let i = 0; i < 200; ++i) {
                const r = Random.below(rng, Moves.positions);
                compare(Moves.rank(Moves.unrank(r)), r);
            }
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
                const around = neighbours(p).map(Rules.distanceOf);
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

        function test_solvedGameTakesNoMoreMoves() {
            let game = { position: Moves.turn(Moves.goal, 2, false), moves: 4, hints: 0, best: 1, solved: false };
            game = Rules.play(game, 2, true);
            verify(game.solved);
            compare(game.moves, 5);
            compare(Rules.play(game, 0, true), game);
            compare(Rules.verdict(game), "Solved in 5 moves (the fewest possible was 1).");
            compare(Rules.verdict(Object.assign({}, game, { moves: 1 })), "Solved in 1 move: the fewest possible!");
            compare(Rules.verdict(Object.assign({}, game, { moves: 2, best: 2 })), "Solved in 2 moves: the fewest possible!");
        }

        // The whole game from the keyboard: choose turning points with the arrows, turn
        // with Space and Q, follow the hints home; the end panel opens once.
        function test_playsToTheEndByKeys() {
            const movie = stage.open("reko9.qml");
            movie.newGame(31);
            const start = movie.game.position.slice();
            keyClick(Qt.Key_Space);                      // block 0, clockwise
            compare(movie.game.position, Moves.turn(start, 0, true));
            keyClick(Qt.Key_Q);                          // and back
            compare(movie.game.position, start);
            compare(movie.game.moves, 2);
            keyClick(Qt.Key_Right);
            keyClick(Qt.Key_Down);
            keyClick(Qt.Key_E);                          // block 3, clockwise
            compare(movie.game.position, Moves.turn(start, 3, true));
            while (!movie.game.solved) {
                keyClick(Qt.Key_T);
                const move = movie.hintMove;
                verify(move !== null);
                keyClick(move.clockwise ? Qt.Key_Space : Qt.Key_Q);
            }
            tryVerify(() => movie.gameOver.visible);
            verify(movie.gameOver.lines[0].indexOf("Solved in " + movie.game.moves + " moves") === 0);
            const moves = movie.game.moves;
            movie.gameOver.close();
            const mark = findChild(movie, "gameOverMark");
            verify(mark.visible, "the finished board says it is over");
            keyClick(Qt.Key_Space);
            compare(movie.game.moves, moves, "a finished board takes no more moves");
            keyClick(Qt.Key_N);
            compare(movie.game.moves, 0);
            verify(!mark.visible);
            verify(!movie.game.solved);
        }
    }
}

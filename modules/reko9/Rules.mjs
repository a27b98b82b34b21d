// ReKo 9's game: a deal, the moves, the hint and the verdict. The hint is a move that
// brings the position's distance to the goal down by one; the distances come from the
// table in Distances.mjs, so the movie never searches while it plays.

import * as Random from "../common/Random.mjs";
import { blockCells, goal, isSolved, moves, rank, turn } from "./Moves.mjs";
import { distances } from "./Distances.mjs";

export { blockCells, goal, isSolved, moves, turn };

// The least number of moves from the position to the goal.
export function distanceOf(position) {
    return distances.charCodeAt(rank(position)) - 48;
}

// A move that brings the position one step nearer the goal, or null when it is solved.
export function hint(position) {
    if (isSolved(position))
        return null;
    const d = distanceOf(position);
    for (const move of moves) {
        if (distanceOf(turn(position, move.block, move.clockwise)) === d - 1)
            return move;
    }
    return null;
}

// A new game: a random position that is not already solved.
export function deal(seed) {
    const rng = Random.make(seed);
    let position;
    do {
        position = Random.shuffled(rng, goal);
    } while (isSolved(position));
    return position;
}

// The game's state: the position, the moves made, the hints taken and the least number
// of moves the deal needed.
export function newGame(seed) {
    const position = deal(seed);
    return { position: position, moves: 0, hints: 0, best: distanceOf(position), solved: false };
}

// Applies a player's move; a solved game takes no more moves.
export function play(game, block, clockwise) {
    if (game.solved)
        return game;
    const position = turn(game.position, block, clockwise);
    return Object.assign({}, game,
                         { position: position, moves: game.moves + 1, solved: isSolved(position) });
}

// Counts a hint the player asked for.
export function tookHint(game) {
    return Object.assign({}, game, { hints: game.hints + 1 });
}

// What the end of a game says: the moves made, against the fewest possible.
export function verdict(game) {
    if (game.moves <= game.best)
        return "Solved in " + game.moves + " moves: the fewest possible!";
    return "Solved in " + game.moves + " moves (the fewest possible was " + game.best + ").";
}

// SPDX-License-Identifier: GPL-3.0-or-later
// ReKo 9's game: the deal, the moves and their undoing, the hint and the verdict, in two
// modes: nine tiles turned by four 2 x 2 blocks, and sixteen tiles turned by nine. The
// nine-tile hint is a move that brings the position's distance to the goal down by one,
// from the table in Distances.mjs, so the movie never searches while it plays; sixteen
// tiles come from a table of deals with a shortest way home each (LargeDeals.mjs), and a
// player who leaves that way is brought back by a short search or by undoing.

import * as Random from "../common/Random.mjs";
import { blockCells, goal, isSolved, moves, rank, turn } from "./Moves.mjs";
import { distances } from "./Distances.mjs";
import { deals as largeDeals } from "./LargeDeals.mjs";
import * as Search from "./Search.mjs";

export { blockCells, goal, isSolved, moves, turn };

export const modes = [
    { name: "Nine", size: 3 },
    { name: "Sixteen", size: 4 }
];

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

// The seed of the day's deal, the same for every player that day: its date as the
// number YYYYMMDD (month 1..12).
export function dailySeed(year, month, day) {
    return year * 10000 + month * 100 + day;
}

// The eight ways to turn or mirror a 4 x 4 board, as cell maps; a mirror swaps the
// direction of every turn. Turning a deal this way keeps its fewest moves.
const side4 = 4;
const symmetries = [0, 1, 2, 3, 4, 5, 6, 7].map(k => {
    const map = [];
    for (let c = 0; c < 16; ++c) {
        let x = c % side4, y = Math.floor(c / side4);
        for (let t = 0; t < k % 4; ++t)
            [x, y] = [side4 - 1 - y, x];
        if (k >= 4)
            x = side4 - 1 - x;
        map.push(y * side4 + x);
    }
    return { cells: map, mirror: k >= 4 };
});

// Where block b goes under a symmetry: the block whose cells its cells become.
function mappedBlock(symmetry, block) {
    const cells = Search.blockCells(block, side4).map(c => symmetry.cells[c]);
    const top = Math.min(...cells);
    return Math.floor(top / side4) * (side4 - 1) + top % side4;
}

// Sixteen-tile deal `index` of the table seen through symmetry `k`: its position, par
// and a shortest way home.
export function largeDeal(index, k) {
    const [tiles, ...way] = largeDeals[index % largeDeals.length].split(" ");
    const symmetry = symmetries[k % 8];
    const position = new Array(16);
    [...tiles].forEach((t, c) => {
        position[symmetry.cells[c]] = symmetry.cells[parseInt(t, 16)] + 1;
    });
    const route = way.map(w => ({ block: mappedBlock(symmetry, w.charCodeAt(0) - 97),
                                  clockwise: (w.length === 1) !== symmetry.mirror }));
    return { position: position, par: route.length, route: route };
}

export const largeDealCount = largeDeals.length * 8;

// A new game of `mode` (0 nine tiles, 1 sixteen): a position that is not solved yet, the
// moves made, the hints taken, the fewest moves the deal needs (its par) and what undo
// takes back.
export function newGame(seed, mode) {
    const m = mode === 1 ? 1 : 0;
    const rng = Random.make(seed);
    let position, par, route = null;
    if (m === 1) {
        const k = Random.below(rng, largeDealCount);
        ({ position, par, route } = largeDeal(Math.floor(k / 8), k % 8));
    } else {
        do {
            position = Random.shuffled(rng, goal);
        } while (isSolved(position));
        par = distanceOf(position);
    }
    return { mode: m, size: modes[m].size, position: position, moves: 0, hints: 0, best: par,
             route: route, history: [], solved: false };
}

function sameMove(a, b) {
    return a && b && a.block === b.block && a.clockwise === b.clockwise;
}

// Applies a player's move; a solved game takes no more moves. A move along the known
// way home keeps the rest of it; turning the last move back is undoing it; any other
// move leaves the way unknown.
export function play(game, block, clockwise) {
    if (game.solved || !(block >= 0 && block < (game.size - 1) * (game.size - 1)))
        return game;
    const last = game.history[game.history.length - 1];
    if (last && last.move.block === block && last.move.clockwise === !clockwise)
        return undo(game);
    const position = Search.turn(game.position, block, clockwise, game.size);
    const move = { block: block, clockwise: !!clockwise };
    const route = game.route && sameMove(game.route[0], move) ? game.route.slice(1) : null;
    return Object.assign({}, game, {
        position: position, moves: game.moves + 1, solved: position.every((t, i) => t === i + 1),
        route: route, history: game.history.concat([{ move: move, route: game.route }]) });
}

// Takes the last move back (it still counts: moves only grow); nothing to take back, or
// a solved game, changes nothing.
export function undo(game) {
    if (game.solved || game.history.length === 0)
        return game;
    const last = game.history[game.history.length - 1];
    return Object.assign({}, game, {
        position: Search.turn(game.position, last.move.block, !last.move.clockwise, game.size),
        moves: game.moves + 1, route: last.route, history: game.history.slice(0, -1) });
}

// The move to show for a hint: on nine tiles the table's; on sixteen the known way
// home, else a short search's, else taking the last move back.
export function hintFor(game) {
    if (game.solved)
        return null;
    if (game.mode === 0)
        return hint(game.position);
    if (game.route && game.route.length)
        return game.route[0];
    const way = Search.solve(game.position, game.size);
    if (way && way.length)
        return way[0];
    const last = game.history[game.history.length - 1];
    return last ? { block: last.move.block, clockwise: !last.move.clockwise } : null;
}

// Counts a hint the player asked for; on sixteen tiles a hint found by search becomes
// the known way home.
export function tookHint(game) {
    let route = game.route;
    if (game.mode === 1 && !(route && route.length)) {
        const way = Search.solve(game.position, game.size);
        if (way)
            route = way;
    }
    return Object.assign({}, game, { hints: game.hints + 1, route: route });
}

// What the end of a game says: the moves made against the par.
// A game counts as played at par only when it needed no hint.
export function atPar(game) {
    return !game.hints && game.moves <= game.best;
}

export function verdict(game) {
    const made = "Solved in " + game.moves + (game.moves === 1 ? " move" : " moves");
    if (game.hints)
        return made + " with " + game.hints + (game.hints === 1 ? " hint" : " hints")
                + ": play one without to reach par (" + game.best + ").";
    if (game.moves <= game.best)
        return made + ": par, the fewest possible!";
    const over = game.moves - game.best;
    return made + ", " + over + (over === 1 ? " move" : " moves") + " over par (" + game.best + ").";
}

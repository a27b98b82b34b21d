// Overlord: a war of territories on a small hexagonal island of 19 lands. Each side moves
// in turn: it marches all but one army from one of its lands to a touching land (or
// passes). Marching into a land of its own adds to it; into any other land it fights:
// more armies take the land with what is left, fewer (or as many) only wear it down.
// After both sides have moved, every held land grows by one army. A side that holds
// no land has lost. Lands are axial coordinates (q, r) with |q|, |r|, |q + r| at most 2.
// The state is plain data; every function returns a new one.

import * as Random from "../common/Random.mjs";

export const human = 1;
export const computer = 2;
export const neutral = 0;
export const maxArmies = 40;

export const lands = (function () {
    const out = [];
    for (let r = -2; r <= 2; ++r) {
        for (let q = -2; q <= 2; ++q) {
            if (Math.abs(q + r) <= 2)
                out.push({ q: q, r: r });
        }
    }
    return out;
})();

export function landAt(q, r) {
    return lands.findIndex(l => l.q === q && l.r === r);
}

export const neighbours = lands.map(l => [[1, 0], [-1, 0], [0, 1], [0, -1], [1, -1], [-1, 1]]
    .map(([dq, dr]) => landAt(l.q + dq, l.r + dr)).filter(i => i >= 0));

// The six corner lands, as opposite pairs.
const cornerPairs = [[[2, 0], [-2, 0]], [[0, 2], [0, -2]], [[2, -2], [-2, 2]]];

// A new war: the player and the computer on opposite corners with 5 armies each, every
// other land neutral with 1 to 4 armies, all from the seed.
export function newGame(seed) {
    const rng = Random.make(seed);
    const pair = Random.pick(rng, cornerPairs);
    const flip = Random.below(rng, 2) === 1;
    const mine = landAt(...pair[flip ? 1 : 0]), theirs = landAt(...pair[flip ? 0 : 1]);
    const owner = lands.map(() => neutral);
    const armies = lands.map(() => Random.between(rng, 1, 4));
    owner[mine] = human;
    owner[theirs] = computer;
    armies[mine] = 5;
    armies[theirs] = 5;
    return { owner: owner, armies: armies, turn: human, round: 1, winner: 0 };
}

export function other(side) {
    return side === human ? computer : human;
}

// Every move of `side`: { from, to } for each land it holds with two or more armies and
// each land touching it; a pass is { from: -1, to: -1 }.
export function moves(state, side) {
    const out = [];
    for (let from = 0; from < lands.length; ++from) {
        if (state.owner[from] !== side || state.armies[from] < 2)
            continue;
        for (const to of neighbours[from])
            out.push({ from: from, to: to });
    }
    out.push({ from: -1, to: -1 });
    return out;
}

export function isLegal(state, side, move) {
    if (move.from < 0)
        return true;
    return state.owner[move.from] === side && state.armies[move.from] >= 2
           && neighbours[move.from].indexOf(move.to) >= 0;
}

export function landsOf(state, side) {
    return state.owner.reduce((n, o) => n + (o === side ? 1 : 0), 0);
}

// The march itself, without the turn's bookkeeping.
function march(state, side, move) {
    const owner = state.owner.slice(), armies = state.armies.slice();
    if (move.from >= 0) {
        const marching = armies[move.from] - 1;
        armies[move.from] = 1;
        if (owner[move.to] === side) {
            armies[move.to] = Math.min(maxArmies, armies[move.to] + marching);
        } else if (marching > armies[move.to]) {
            armies[move.to] = marching - armies[move.to];
            owner[move.to] = side;
        } else {
            armies[move.to] -= marching;
        }
    }
    return { owner: owner, armies: armies };
}

// Whose move it is: `human` or `computer`, or `neutral` once the war is won.
export function toMove(state) {
    return state.winner ? neutral : state.turn;
}

// Whether `side` may march from `land`: a land of its own with armies to spare.
export function canMarchFrom(state, side, land) {
    return state.owner[land] === side && state.armies[land] >= 2;
}

// What the player's click (or Space) on `land` means with the land `selected` chosen
// (-1 for none): "march" there from the chosen land, "select" it to march from, or
// "letGo" of the choice; "" when it is not the player's move.
export function choice(state, selected, land) {
    if (toMove(state) !== human)
        return "";
    if (selected >= 0 && isLegal(state, human, { from: selected, to: land }))
        return "march";
    if (canMarchFrom(state, human, land) && land !== selected)
        return "select";
    return "letGo";
}

// `side` makes `move` (it must be that side's turn and a legal move, else nothing
// happens). After the computer, who moves second, every held land grows by one.
export function play(state, side, move) {
    if (state.winner || state.turn !== side || !isLegal(state, side, move))
        return state;
    let { owner, armies } = march(state, side, move);
    let round = state.round;
    if (side === computer) {
        armies = armies.map((a, i) => owner[i] === neutral ? a : Math.min(maxArmies, a + 1));
        ++round;
    }
    const next = { owner: owner, armies: armies, turn: other(side), round: round, winner: 0 };
    if (landsOf(next, human) === 0)
        next.winner = computer;
    else if (landsOf(next, computer) === 0)
        next.winner = human;
    return next;
}

// How good the state is for `side`: lands weigh most (each grows an army a round),
// then armies; a won or lost war outweighs everything.
export function evaluate(state, side) {
    if (state.winner)
        return state.winner === side ? 100000 : -100000;
    let score = 0;
    for (let i = 0; i < lands.length; ++i) {
        const o = state.owner[i];
        if (o === neutral)
            continue;
        let value = 6 + state.armies[i];
        // A land that a stronger enemy land touches is likely to be lost.
        for (const n of neighbours[i]) {
            if (state.owner[n] !== neutral && state.owner[n] !== o && state.armies[n] - 1 > state.armies[i]) {
                value -= 3;
                break;
            }
        }
        score += o === side ? value : -value;
    }
    return score;
}

// Below the first move the search follows only the most promising replies: enough to
// see a counter-attack coming, few enough to answer in a fraction of a second.
const replyWidth = 12;

// The state's worth for `side`, who is to move, looking `depth` moves ahead: the best
// of its moves by the worth for the other side negated (evaluate() is symmetric).
function searchValue(state, side, depth, alpha, beta) {
    if (depth === 0 || state.winner)
        return evaluate(state, side);
    let best = -Infinity;
    for (const m of ordered(state, side).slice(0, replyWidth)) {
        best = Math.max(best, -searchValue(play(state, side, m), other(side), depth - 1, -beta, -alpha));
        alpha = Math.max(alpha, best);
        if (alpha >= beta)
            break;
    }
    return best;
}

// Winning fights first, then other fights, then marches home, the strongest first; a
// pass last. Alpha-beta cuts more when the best move comes early.
function ordered(state, side) {
    const key = m => {
        if (m.from < 0)
            return 0;
        const marching = state.armies[m.from] - 1;
        if (state.owner[m.to] === side)
            return 1 + marching;
        return (marching > state.armies[m.to] ? 200 : 100) + marching;
    };
    return moves(state, side)
        .map(m => ({ m: m, key: key(m) }))
        .sort((a, b) => b.key - a.key)
        .map(x => x.m);
}

export const strengths = [
    { name: "Easy", depth: 1, wander: 0.5 },
    { name: "Fair", depth: 1, wander: 0 },
    { name: "Hard", depth: 3, wander: 0 }
];

// The computer's move at a strength: Easy picks at random half of the time, Fair takes
// the best move by one look, Hard looks three moves ahead (its own, the player's
// answer, its own again). Ties go to the first move in order, so a seed replays.
export function computerMove(state, strength, rng) {
    const level = strengths[strength];
    const list = ordered(state, computer);
    if (level.wander > 0 && Random.next(rng) < level.wander) {
        const marches = list.filter(m => m.from >= 0);
        return marches.length ? Random.pick(rng, marches) : list[list.length - 1];
    }
    let best = list[0], bestValue = -Infinity;
    for (const m of list) {
        const v = -searchValue(play(state, computer, m), human, level.depth - 1, -Infinity, -bestValue);
        if (v > bestValue) {
            best = m;
            bestValue = v;
        }
    }
    return best;
}

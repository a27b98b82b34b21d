// SPDX-License-Identifier: GPL-3.0-or-later
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
export const drawn = 3;            // the winner of a war that ended even
// A war lasts at most this many rounds: then the side holding more lands wins (with as
// many lands, the one with more armies; with as many armies too, it is drawn).
export const lastRound = 60;

const steps = [[1, 0], [-1, 0], [0, 1], [0, -1], [1, -1], [-1, 1]];

function hexLands(radius, cq, cr) {
    const out = [];
    for (let r = -radius; r <= radius; ++r)
        for (let q = -radius; q <= radius; ++q)
            if (Math.abs(q + r) <= radius)
                out.push({ q: q + (cq || 0), r: r + (cr || 0) });
    return out;
}

// An island from its lands: who touches whom, and where the two sides start (the two
// lands farthest apart, mirror images through the centre).
function makeIsland(name, lands) {
    lands.sort((a, b) => a.r - b.r || a.q - b.q);
    const at = (q, r) => lands.findIndex(l => l.q === q && l.r === r);
    const neighbours = lands.map(l => steps.map(([dq, dr]) => at(l.q + dq, l.r + dr)).filter(i => i >= 0));
    const mirror = lands.map(l => at(-l.q, -l.r));
    const reach = l => Math.max(Math.abs(l.q), Math.abs(l.r), Math.abs(l.q + l.r));
    const far = Math.max(...lands.map(reach));
    const starts = [];
    lands.forEach((l, i) => {
        if (reach(l) === far && i < mirror[i])
            starts.push([i, mirror[i]]);
    });
    return { name: name, lands: lands, neighbours: neighbours, mirror: mirror, starts: starts };
}

// The islands a war can be fought on. Each is the same seen from either side (every
// land has a mirror image through the centre), so neither side starts better placed.
export const islands = [
    makeIsland("Isle", hexLands(2)),
    makeIsland("Twins", hexLands(1, -2, 0).concat(hexLands(1, 2, 0), [{ q: 0, r: 0 }])),
    makeIsland("Long", [-3, -2, -1, 0, 1, 2, 3].reduce((out, q) => out.concat([-1, 0, 1].map(r => ({ q: q, r: r }))), [])),
    makeIsland("Great", hexLands(3))
];

export function islandOf(state) {
    return islands[state && state.island ? state.island : 0];
}

// The first island's lands, for callers that know only the one.
export const lands = islands[0].lands;
export const neighbours = islands[0].neighbours;

export function landAt(q, r, island) {
    return (island || islands[0]).lands.findIndex(l => l.q === q && l.r === r);
}

// A new war on island `island` (the first when none is given): the player and the
// computer on opposite far lands with 5 armies each, every other land neutral with 1 to
// 4 armies, a land and its mirror image alike; all from the seed.
export function newGame(seed, island) {
    const k = island >= 0 && island < islands.length ? Math.floor(island) : 0;
    const isle = islands[k];
    const rng = Random.make(seed);
    const pair = Random.pick(rng, isle.starts);
    const flip = Random.below(rng, 2) === 1;
    const mine = pair[flip ? 1 : 0], theirs = pair[flip ? 0 : 1];
    const owner = isle.lands.map(() => neutral);
    const armies = isle.lands.map(() => 0);
    isle.lands.forEach((l, i) => {
        if (!armies[i])
            armies[i] = armies[isle.mirror[i]] = Random.between(rng, 1, 4);
    });
    owner[mine] = human;
    owner[theirs] = computer;
    armies[mine] = 5;
    armies[theirs] = 5;
    return { island: k, owner: owner, armies: armies, turn: human, round: 1, winner: 0 };
}

export function other(side) {
    return side === human ? computer : human;
}

// Every move of `side`: { from, to } for each land it holds with two or more armies and
// each land touching it; a pass is { from: -1, to: -1 }.
export function moves(state, side) {
    const out = [], near = islandOf(state).neighbours;
    for (let from = 0; from < state.owner.length; ++from) {
        if (state.owner[from] !== side || state.armies[from] < 2)
            continue;
        for (const to of near[from])
            out.push({ from: from, to: to });
    }
    out.push({ from: -1, to: -1 });
    return out;
}

export function isLegal(state, side, move) {
    if (move.from < 0)
        return true;
    return state.owner[move.from] === side && state.armies[move.from] >= 2
           && islandOf(state).neighbours[move.from].indexOf(move.to) >= 0;
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
            // Worn down to nothing, a land is nobody's.
            armies[move.to] -= marching;
            if (armies[move.to] === 0)
                owner[move.to] = neutral;
        }
    }
    return { owner: owner, armies: armies };
}

// What `move` would leave, for showing before it is made: the armies that stay behind,
// and who then holds the target with how many armies.
export function preview(state, side, move) {
    if (!isLegal(state, side, move) || move.from < 0)
        return null;
    const after = march(state, side, move);
    return { stay: after.armies[move.from], owner: after.owner[move.to], armies: after.armies[move.to],
             takes: state.owner[move.to] !== side && after.owner[move.to] === side };
}

// The war given up by `side`: the other side wins at once.
export function resign(state, side) {
    if (state.winner || (side !== human && side !== computer))
        return state;
    return Object.assign({}, state, { winner: other(side), resigned: side });
}

// True when `side` cannot hope to win: the other side holds at least three times its
// armies and twice its lands. The movie then offers to resign.
export function hopeless(state, side) {
    if (state.winner)
        return false;
    return armiesOf(state, other(side)) >= 3 * armiesOf(state, side) && landsOf(state, other(side)) >= 2 * landsOf(state, side)
           && landsOf(state, other(side)) >= 4;
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
    const next = { island: state.island || 0, owner: owner, armies: armies, turn: other(side), round: round,
                   winner: 0 };
    if (landsOf(next, human) === 0)
        next.winner = computer;
    else if (landsOf(next, computer) === 0)
        next.winner = human;
    else if (round > lastRound)
        next.winner = leader(next);
    return next;
}

function armiesOf(state, side) {
    return state.armies.reduce((n, a, i) => n + (state.owner[i] === side ? a : 0), 0);
}

// The side ahead: more lands, else more armies; drawn when even in both.
export function leader(state) {
    const lands = landsOf(state, human) - landsOf(state, computer);
    const armies = armiesOf(state, human) - armiesOf(state, computer);
    const lead = lands || armies;
    return lead > 0 ? human : lead < 0 ? computer : drawn;
}

// How good the state is for `side`: lands weigh most (each grows an army a round),
// then armies; a won or lost war outweighs everything, the sooner won the better, so a
// winning side finishes the war instead of dragging it out.
export function evaluate(state, side) {
    if (state.winner)
        return state.winner === drawn ? 0 : (state.winner === side ? 1 : -1) * (100000 - state.round);
    const near = islandOf(state).neighbours;
    let score = 0, mine = 0, theirs = 0;
    for (let i = 0; i < state.owner.length; ++i) {
        const o = state.owner[i];
        if (o === neutral)
            continue;
        if (o === side)
            mine += state.armies[i];
        else
            theirs += state.armies[i];
        // A land full to the most armies wastes its growth.
        let value = 6 + state.armies[i] - (state.armies[i] >= maxArmies ? 4 : 0);
        // A land that a stronger enemy land touches is likely to be lost.
        for (const n of near[i]) {
            if (state.owner[n] !== neutral && state.owner[n] !== o && state.armies[n] - 1 > state.armies[i]) {
                value -= 3;
                break;
            }
        }
        score += o === side ? value : -value;
    }
    // Trading armies one for one pays the side with more: it brings the end nearer.
    return score + 40 * (mine - theirs) / Math.max(1, mine + theirs);
}

// Below the first move the search follows only the most promising replies: enough to
// see a counter-attack coming, few enough to answer in a fraction of a second.
const replyWidth = 10;

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

// The opponent's strengths, weakest first. wander: how often it marches at random
// instead of thinking (it still never passes while it can march); depth: how many moves
// it looks ahead (its own, the other side's answer, ...).
export const strengths = [
    { name: "Easy", depth: 1, wander: 0.35 },
    { name: "Fair", depth: 1, wander: 0 },
    { name: "Hard", depth: 2, wander: 0 },
    { name: "Master", depth: 3, wander: 0 }
];

// The move `side` makes at a strength. Ties go to the first move in order, so a seed
// replays.
export function chooseMove(state, side, strength, rng) {
    const level = strengths[Math.max(0, Math.min(strengths.length - 1, strength))];
    const list = ordered(state, side);
    if (level.wander > 0 && Random.next(rng) < level.wander) {
        const marches = list.filter(m => m.from >= 0);
        return marches.length ? Random.pick(rng, marches) : list[list.length - 1];
    }
    let best = list[0], bestValue = -Infinity;
    for (const m of list) {
        const v = -searchValue(play(state, side, m), other(side), level.depth - 1, -Infinity, -bestValue);
        if (v > bestValue) {
            best = m;
            bestValue = v;
        }
    }
    return best;
}

// The computer's move at a strength.
export function computerMove(state, strength, rng) {
    return chooseMove(state, computer, strength, rng);
}

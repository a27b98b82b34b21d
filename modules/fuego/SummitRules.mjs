// SPDX-License-Identifier: GPL-3.0-or-later
// SUM-mit: a climb of ledges. Each ledge shows a target and seven number stones; pick
// stones that add up to the target exactly to climb to the next ledge before the
// weather turns. The climb steepens: targets need more stones the higher the ledge,
// minus stones appear, and the weather allows less time. A pick that goes so far past
// the target that the minus stones left cannot bring it back is a slip: the stones
// drop and the weather comes closer. The score is the height reached, in ledges; the
// summit is ledge 30.

import * as Random from "../common/Random.mjs";

export const summit = 30;
export const stonesPerLedge = 7;

// What a ledge at `height` asks for: how many stones its fewest-stone answer takes
// (fewest to most), the largest stone, how many minus stones it holds and how deep they
// go, and how long the weather allows.
export function ledgePlan(height) {
    const h = Math.max(0, height);
    return {
        fewest: h < 3 ? 2 : h < 8 ? 2 + (h % 2) : h < 16 ? 3 : h < 22 ? 3 + (h % 2) : 4,
        most: h < 3 ? 2 : h < 16 ? 3 : 4,
        largest: Math.min(15, 6 + Math.floor(h / 3)),
        minus: h < 8 ? 0 : h < 18 ? 1 : 2,
        deepest: Math.min(6, 2 + Math.floor((h - 8) / 5)),
        timeMs: ledgeTimeMs(h)
    };
}

// The time a ledge allows: the weather tightens faster than the climb grows.
export function ledgeTimeMs(height) {
    return Math.max(9000, Math.round(20000 - Math.max(0, height) * 350));
}

// What a slip costs in weather: more the higher the ledge.
export function slipCostMs(height) {
    return height < 10 ? 2000 : height < 20 ? 3000 : 4000;
}

// The fewest stones (as indexes) that add up to `target`, or [] when none do.
export function solution(stones, target) {
    let best = [];
    const n = stones.length;
    for (let mask = 1; mask < (1 << n); ++mask) {
        let sum = 0, count = 0;
        for (let i = 0; i < n; ++i) {
            if (mask & (1 << i)) {
                sum += stones[i];
                ++count;
            }
        }
        if (sum === target && (best.length === 0 || count < best.length)) {
            best = [];
            for (let i = 0; i < n; ++i) {
                if (mask & (1 << i))
                    best.push(i);
            }
        }
    }
    return best;
}

function stone(rng, plan, negative) {
    return negative ? -Random.between(rng, 1, plan.deepest) : Random.between(rng, 1, plan.largest);
}

// Ledge `height` (0 is the foot): a target and seven stones. Some stones make the
// target; no fewer than the plan's `fewest` do, so the climb really gets harder.
export function makeLedge(height, rng) {
    const plan = ledgePlan(height);
    let ledge = null;
    for (let attempt = 0; attempt < 200; ++attempt) {
        const picks = Random.between(rng, plan.fewest, Math.max(plan.fewest, plan.most));
        const chosen = [];
        const minusInAnswer = plan.minus > 0 && Random.below(rng, 3) > 0 ? 1 : 0;
        for (let i = 0; i < picks; ++i)
            chosen.push(stone(rng, plan, i < minusInAnswer));
        const target = chosen.reduce((a, b) => a + b, 0);
        if (target < 3 + Math.floor(height * 0.7))
            continue;
        const stones = chosen.slice();
        let minusLeft = plan.minus - minusInAnswer;
        while (stones.length < stonesPerLedge)
            stones.push(stone(rng, plan, minusLeft-- > 0));
        ledge = { target: target, stones: Random.shuffled(rng, stones) };
        if (solution(ledge.stones, target).length >= plan.fewest)
            return ledge;
    }
    // Not reached in practice; a ledge that can be climbed is still better than none.
    return ledge || { target: 3, stones: [1, 2, 4, 5, 6, 7, 8] };
}

export function newGame(seed) {
    const rng = Random.make(seed);
    const ledge = makeLedge(0, rng);
    return { rng: rng.state, height: 0, target: ledge.target, stones: ledge.stones,
             picked: [], over: false, reachedSummit: false, slips: 0 };
}

export function pickedSum(game) {
    return game.picked.reduce((sum, i) => sum + game.stones[i], 0);
}

// What the picked stones still lack of the target.
export function stillToFind(game) {
    return game.target - pickedSum(game);
}

// How far below the picked sum the minus stones still free could bring it.
function minusLeft(game, picked) {
    return game.stones.reduce((sum, s, i) => sum + (s < 0 && picked.indexOf(i) < 0 ? s : 0), 0);
}

// Picks or puts back stone `index`. A pick that reaches the target (with at least one
// stone) climbs a ledge; one past it for good drops the stones. The result says which,
// so the movie can show it ("climbed", "slipped", or ""), and what a slip cost.
export function pick(game, index) {
    if (game.over || index < 0 || index >= game.stones.length)
        return { game: game, event: "", costMs: 0 };
    const at = game.picked.indexOf(index);
    const picked = at >= 0 ? game.picked.filter(i => i !== index) : game.picked.concat([index]);
    const next = Object.assign({}, game, { picked: picked });
    const sum = pickedSum(next);
    if (picked.length > 0 && sum === game.target)
        return { game: climb(next), event: "climbed", costMs: 0 };
    if (sum + minusLeft(game, picked) > game.target) {
        return { game: Object.assign(next, { picked: [], slips: (game.slips || 0) + 1 }),
                 event: "slipped", costMs: slipCostMs(game.height) };
    }
    return { game: next, event: "", costMs: 0 };
}

function climb(game) {
    const height = game.height + 1;
    if (height >= summit)
        return Object.assign({}, game, { height: height, picked: [], over: true, reachedSummit: true });
    const rng = { state: game.rng };
    const ledge = makeLedge(height, rng);
    return Object.assign({}, game, { rng: rng.state, height: height, target: ledge.target,
                                     stones: ledge.stones, picked: [] });
}

// The fewest stones of the ledge that make its target (their places), or [] when none do.
export function solutionOf(game) {
    return solution(game.stones, game.target);
}

// The weather turned before the climber left the ledge.
export function caught(game) {
    return Object.assign({}, game, { over: true, picked: [] });
}

export function score(game) {
    return game.height;
}

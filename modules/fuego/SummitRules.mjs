// SUM-mit: a climb of ledges. Each ledge shows a target and seven number stones; pick
// stones that add up to the target exactly to climb to the next ledge before the
// weather turns. A pick that goes past the target drops the stones and costs time. The
// score is the height reached, in ledges; the summit is ledge 30.

import * as Random from "../common/Random.mjs";

export const summit = 30;
export const stonesPerLedge = 7;
export const penaltyMs = 2000;

// The time a ledge allows: less the higher the climber is.
export function ledgeTimeMs(height) {
    return Math.max(9000, 24000 - height * 500);
}

// Ledge `height` (0 is the foot): a target and stones, some of which add up to it.
export function makeLedge(height, rng) {
    const largest = 6 + Math.floor(height / 4);
    const picks = Random.between(rng, 2, Math.min(4, 2 + Math.floor(height / 6)));
    const chosen = [];
    for (let i = 0; i < picks; ++i)
        chosen.push(Random.between(rng, 1, largest));
    const target = chosen.reduce((a, b) => a + b, 0);
    const stones = chosen.slice();
    while (stones.length < stonesPerLedge)
        stones.push(Random.between(rng, 1, largest));
    return { target: target, stones: Random.shuffled(rng, stones) };
}

export function newGame(seed) {
    const rng = Random.make(seed);
    const ledge = makeLedge(0, rng);
    return { rng: rng.state, height: 0, target: ledge.target, stones: ledge.stones,
             picked: [], over: false, reachedSummit: false };
}

export function pickedSum(game) {
    return game.picked.reduce((sum, i) => sum + game.stones[i], 0);
}

// What the picked stones still lack of the target.
export function stillToFind(game) {
    return game.target - pickedSum(game);
}

// Picks or puts back stone `index`. A pick that reaches the target climbs a ledge;
// one past it drops the stones: the result says which, so the movie can show it
// ("climbed", "slipped", or "").
export function pick(game, index) {
    if (game.over || index < 0 || index >= game.stones.length)
        return { game: game, event: "" };
    const at = game.picked.indexOf(index);
    const picked = at >= 0 ? game.picked.filter(i => i !== index) : game.picked.concat([index]);
    const next = Object.assign({}, game, { picked: picked });
    const sum = pickedSum(next);
    if (sum === game.target)
        return { game: climb(next), event: "climbed" };
    if (sum > game.target)
        return { game: Object.assign(next, { picked: [] }), event: "slipped" };
    return { game: next, event: "" };
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

// Stones of the ledge that add up to its target (their places), or [] when none do.
export function solutionOf(game) {
    const n = game.stones.length;
    for (let mask = 1; mask < (1 << n); ++mask) {
        const picked = [];
        for (let i = 0; i < n; ++i) {
            if (mask & (1 << i))
                picked.push(i);
        }
        if (picked.reduce((s, i) => s + game.stones[i], 0) === game.target)
            return picked;
    }
    return [];
}

// The weather turned before the climber left the ledge.
export function caught(game) {
    return Object.assign({}, game, { over: true, picked: [] });
}

export function score(game) {
    return game.height;
}

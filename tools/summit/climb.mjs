// SPDX-License-Identifier: GPL-3.0-or-later
// Climbs SUM-mit with three simulated players over the game's own rules and prints the
// heights each reaches, so the ledges' curve can be tuned against figures:
//   quick    clicks fast, adds stones greedily in any order and slips when it guesses wrong;
//   careful  never slips, but its thinking grows with the stones an answer takes and
//            with the minus stones on the ledge;
//   perfect  sees the fewest-stone answer at once; only reading and clicking take time.
// Usage: node tools/summit/climb.mjs [games]   (default 400 games per player)
import * as Rules from "../../modules/fuego/SummitRules.mjs";
import * as Random from "../../modules/common/Random.mjs";

// The time one ledge takes a player, in ms, including slips; slips counted on the game.
const players = {
    quick(game, rng) {
        let spent = 400;
        for (let attempt = 0; attempt < 12; ++attempt) {
            const order = Random.shuffled(rng, game.stones.map((s, i) => i));
            order.sort((a, b) => game.stones[b] - game.stones[a] + (Random.next(rng) - 0.5) * 6);
            let sum = 0;
            const picked = [];
            for (const i of order) {
                if (sum + game.stones[i] <= game.target && game.stones[i] > 0) {
                    sum += game.stones[i];
                    picked.push(i);
                }
                if (sum === game.target)
                    break;
            }
            spent += 600 + 350 * (picked.length + 1);
            if (sum === game.target)
                return { ms: spent, slips: attempt };
            spent += Rules.slipCostMs(game.height);
        }
        return { ms: Infinity, slips: 12 };
    },
    careful(game, rng) {
        const k = Rules.solution(game.stones, game.target).length;
        const minus = game.stones.filter(s => s < 0).length;
        const noise = 0.7 + 0.7 * Random.next(rng);
        return { ms: 1000 + 900 * Math.pow(k, 1.5) * (1 + 0.3 * minus) * noise + 450 * k, slips: 0 };
    },
    perfect(game) {
        const k = Rules.solution(game.stones, game.target).length;
        return { ms: 1200 + 1000 * k + 400 * game.stones.filter(s => s < 0).length, slips: 0 };
    }
};

function climb(player, seed) {
    const rng = Random.make(seed * 7919 + 1);
    let game = Rules.newGame(seed);
    let totalMs = 0;
    while (!game.over) {
        const ledge = players[player](game, rng);
        if (ledge.ms > Rules.ledgeTimeMs(game.height)) {
            totalMs += Rules.ledgeTimeMs(game.height);
            break;
        }
        totalMs += ledge.ms;
        const answer = Rules.solution(game.stones, game.target);
        for (const i of answer)
            game = Rules.pick(game, i).game;
    }
    return { height: game.height, ms: totalMs };
}

const games = Number(process.argv[2] || 400);
console.log("player   mean  median  10%  90%  summit%  mean time at summit");
for (const player of Object.keys(players)) {
    const runs = [];
    for (let seed = 1; seed <= games; ++seed)
        runs.push(climb(player, seed));
    const heights = runs.map(r => r.height).sort((a, b) => a - b);
    const at = p => heights[Math.min(heights.length - 1, Math.floor(p * heights.length))];
    const top = runs.filter(r => r.height >= Rules.summit);
    const mean = heights.reduce((a, b) => a + b, 0) / heights.length;
    const topTime = top.length ? (top.reduce((a, r) => a + r.ms, 0) / top.length / 1000).toFixed(0) + " s" : "-";
    console.log(player.padEnd(8) + mean.toFixed(1).padStart(5) + String(at(0.5)).padStart(8)
                + String(at(0.1)).padStart(5) + String(at(0.9)).padStart(5)
                + (100 * top.length / runs.length).toFixed(0).padStart(8) + "   " + topTime);
}

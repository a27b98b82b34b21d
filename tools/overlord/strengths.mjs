// SPDX-License-Identifier: GPL-3.0-or-later
// Plays Overlord's strengths against each other with the movie's own rules and prints
// how often each beats the one below it: node tools/overlord/strengths.mjs [wars]
// Every pairing plays each island with both seats, so neither the land nor moving first
// favours one side; a war ends by the rules (no land left, or the last round).
import * as Rules from "../../modules/overlord/Rules.mjs";
import * as Random from "../../modules/common/Random.mjs";

const wars = Number(process.argv[2] || 200);
const roundLimit = Rules.lastRound + 1;

// One war: `first` plays the side that moves first. Gives the winning strength's seat
// ("first", "second") or "draw", with the rounds played and the slowest move in ms.
function war(first, second, seed, island) {
    let s = Rules.newGame(seed, island);
    const rng = Random.make(seed ^ 0x5bd1e995);
    let slowest = 0;
    while (!s.winner && s.round <= roundLimit) {
        const side = s.turn, level = side === Rules.human ? first : second;
        const t0 = Date.now();
        const move = Rules.chooseMove(s, side, level, rng);
        slowest = Math.max(slowest, Date.now() - t0);
        s = Rules.play(s, side, move);
    }
    const seat = !s.winner ? "draw" : s.winner === Rules.human ? "first" : "second";
    return { seat: seat, rounds: s.round, slowest: slowest };
}

console.log("Overlord strengths, " + wars + " wars a pairing (islands and seats alternate)");
console.log("stronger  weaker   won  lost  drawn  win rate  mean rounds  slowest move");
for (let k = 1; k < Rules.strengths.length; ++k) {
    let won = 0, lost = 0, drawn = 0, rounds = 0, slowest = 0;
    for (let n = 0; n < wars; ++n) {
        const seed = 1000 + Math.floor(n / 2), island = Math.floor(n / 2) % Rules.islands.length;
        const strongFirst = n % 2 === 0;
        const r = strongFirst ? war(k, k - 1, seed, island) : war(k - 1, k, seed, island);
        rounds += r.rounds;
        slowest = Math.max(slowest, r.slowest);
        if (r.seat === "draw")
            ++drawn;
        else if ((r.seat === "first") === strongFirst)
            ++won;
        else
            ++lost;
    }
    const pad = (x, w) => String(x).padEnd(w);
    console.log(pad(Rules.strengths[k].name, 10) + pad(Rules.strengths[k - 1].name, 9) + pad(won, 5) + pad(lost, 6)
                + pad(drawn, 7) + pad((100 * won / wars).toFixed(0) + " %", 10) + pad((rounds / wars).toFixed(1), 13)
                + slowest + " ms");
}

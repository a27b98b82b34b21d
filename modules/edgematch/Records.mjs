// SPDX-License-Identifier: GPL-3.0-or-later
// Best times kept between runs: a board name (a Blue Vesna shape, an Odd-Even size) and
// its best time in ms, kept as one text ("7O=65300,3T=12000"). Unknown names, bad numbers
// and anything unreadable are left out, so a damaged text only loses what it damaged.

const most = 99 * 3600 * 1000;   // a time longer than this is not kept

function isTime(ms) {
    return Number.isInteger(ms) && ms > 0 && ms <= most;
}

// The best times in `text` of the boards in `names`: { name: ms }.
export function readBest(text, names) {
    const best = {};
    if (typeof text !== "string")
        return best;
    for (const pair of text.split(",")) {
        const at = pair.indexOf("=");
        if (at < 0)
            continue;
        const name = pair.substring(0, at), ms = Number(pair.substring(at + 1));
        if (names.indexOf(name) >= 0 && isTime(ms) && !(best[name] <= ms))
            best[name] = ms;
    }
    return best;
}

// The text kept for `best`, in the order of `names`.
export function writeBest(best, names) {
    return names.filter(name => isTime(best[name])).map(name => name + "=" + best[name]).join(",");
}

// A board finished in `ms`: { best, improved } where best has the new time when it beats
// the old one (or is the first).
export function withTime(best, name, ms) {
    const time = Math.round(ms);
    if (!isTime(time) || best[name] <= time)
        return { best: best, improved: false };
    const out = Object.assign({}, best);
    out[name] = time;
    return { best: out, improved: true };
}

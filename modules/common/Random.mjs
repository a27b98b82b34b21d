// SPDX-License-Identifier: GPL-3.0-or-later
// A small seeded random generator (mulberry32) for dealing games: the same seed always
// gives the same deal, so a test can deal a game twice. State is a plain object.

export function make(seed) {
    return { state: (seed >>> 0) || 0x9e3779b9 };
}

// A seed from the clock, for a game the player starts.
export function freshSeed() {
    return (Date.now() ^ Math.floor(Math.random() * 0x7fffffff)) >>> 0;
}

// The next number in [0, 1).
export function next(rng) {
    rng.state = (rng.state + 0x6d2b79f5) >>> 0;
    let t = rng.state;
    t = Math.imul(t ^ (t >>> 15), t | 1);
    t ^= t + Math.imul(t ^ (t >>> 7), t | 61);
    return ((t ^ (t >>> 14)) >>> 0) / 4294967296;
}

// A whole number in [0, n).
export function below(rng, n) {
    return Math.floor(next(rng) * n);
}

// A whole number in [low, high], both included.
export function between(rng, low, high) {
    return low + below(rng, high - low + 1);
}

// One element of a non-empty array.
export function pick(rng, items) {
    return items[below(rng, items.length)];
}

// A shuffled copy of the array (Fisher-Yates).
export function shuffled(rng, items) {
    const out = items.slice();
    for (let i = out.length - 1; i > 0; --i) {
        const j = below(rng, i + 1);
        const t = out[i];
        out[i] = out[j];
        out[j] = t;
    }
    return out;
}

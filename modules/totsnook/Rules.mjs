// SPDX-License-Identifier: GPL-3.0-or-later
// Tots Nook's pairs game: cards lie face down; turn two, and a matching pair stays
// face up. There is no way to lose: every turn shows two pictures, and a round ends
// when all pairs are found. The state is plain data; every function returns a new one.

import * as Random from "../common/Random.mjs";
import { setNamed, sets } from "./Pictures.mjs";

export { sets };

// A wrong pair stays face up this long, so a child sees both pictures.
export const wrongPairMs = 1800;

// The board sizes a child can choose, as columns x rows.
export const sizes = [
    { pairs: 3, columns: 3, rows: 2 },
    { pairs: 6, columns: 4, rows: 3 },
    { pairs: 8, columns: 4, rows: 4 }
];

// A new round with `pairs` pairs of different pictures from the set named `set` (the
// first set for any other name), shuffled by the seed.
export function deal(seed, pairs, set) {
    const rng = Random.make(seed);
    const pictures = setNamed(set).pictures.map(p => p.name);
    const chosen = Random.shuffled(rng, pictures).slice(0, pairs);
    const cards = Random.shuffled(rng, chosen.concat(chosen))
                      .map(picture => ({ picture: picture, up: false, found: false }));
    return { cards: cards, open: [], pairs: pairs, found: 0, turns: 0 };
}

function withCard(state, index, change) {
    const cards = state.cards.slice();
    cards[index] = Object.assign({}, cards[index], change);
    return cards;
}

// Turns card `index` face up. Nothing happens to a card already up, or while two
// unmatched cards wait to be turned back (`settle` does that).
export function flip(state, index) {
    const card = state.cards[index];
    if (!card || card.up || state.open.length >= 2)
        return state;
    let next = Object.assign({}, state, { cards: withCard(state, index, { up: true }),
                                          open: state.open.concat([index]) });
    if (next.open.length === 2) {
        next.turns = state.turns + 1;
        const [a, b] = next.open;
        if (next.cards[a].picture === next.cards[b].picture) {
            const cards = next.cards.slice();
            cards[a] = Object.assign({}, cards[a], { found: true });
            cards[b] = Object.assign({}, cards[b], { found: true });
            next = Object.assign(next, { cards: cards, open: [], found: state.found + 1 });
        }
    }
    return next;
}

// True while two cards that do not match are face up, waiting to be turned back.
export function waiting(state) {
    return state.open.length === 2;
}

// Turns a non-matching pair face down again.
export function settle(state) {
    if (!waiting(state))
        return state;
    let cards = state.cards;
    for (const i of state.open) {
        cards = cards.slice();
        cards[i] = Object.assign({}, cards[i], { up: false });
    }
    return Object.assign({}, state, { cards: cards, open: [] });
}

export function finished(state) {
    return state.found === state.pairs;
}

// The keyboard cursor after an arrow key on a board of `columns` columns: it stops at
// the edges.
export function moveCursor(cursor, count, columns, dx, dy) {
    const column = cursor % columns + dx;
    const row = Math.floor(cursor / columns) + dy;
    const rows = Math.ceil(count / columns);
    if (column < 0 || column >= columns || row < 0 || row >= rows)
        return cursor;
    const next = row * columns + column;
    return next < count ? next : cursor;
}

// ---- The child lock ----
// While a round is in play only the cards answer: a tap or click on a card, the arrows,
// Space and Enter. Everything else (the header's buttons, every other key) is for a
// grown-up, who holds it down for `holdMs`; a ring fills meanwhile and the action
// happens when it is full. Between rounds everything answers at once.

export const holdMs = 1500;

// What an input does: "act" at once, "hold" (needs the long press) or nothing ("ignore",
// for keys the game has no use for). input: "card", "arrow", "select" (Space, Enter),
// "button" (a header button or its key) or "key" (any other key).
export function lockAnswer(playing, input) {
    if (input === "card" || input === "arrow" || input === "select")
        return "act";
    if (input === "button")
        return playing ? "hold" : "act";
    return "ignore";
}

// A long press: { since } the time it began, or -1 when nothing is held.
export const released = { since: -1, done: false };

export function holdDown(hold, nowMs) {
    return hold.since >= 0 ? hold : { since: nowMs, done: false };
}

// How full the ring is, 0 .. 1.
export function holdProgress(hold, nowMs) {
    return hold.since < 0 ? 0 : Math.max(0, Math.min(1, (nowMs - hold.since) / holdMs));
}

// The press at `nowMs`: done once it has been held long enough; it acts once only.
export function holdTick(hold, nowMs) {
    if (hold.since < 0 || hold.done || holdProgress(hold, nowMs) < 1)
        return hold;
    return { since: hold.since, done: true };
}

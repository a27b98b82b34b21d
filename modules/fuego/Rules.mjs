// SPDX-License-Identifier: GPL-3.0-or-later
// What both games of the Fuego movie send: the slot id, the playing time and the score,
// kept within what a hi-score record of their kind holds (time up to 9,999,999 ms,
// score 0 to 99).

export const maxTimeMs = 9999999;
export const maxScore = 99;

export function scoreList(slotId, timeMs, score) {
    const time = Math.min(maxTimeMs, Math.max(0, Math.round(timeMs)));
    return [slotId, time, Math.min(maxScore, Math.max(0, Math.floor(score)))];
}

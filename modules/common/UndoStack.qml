// SPDX-License-Identifier: GPL-3.0-or-later
// The positions a game can go back to. The rules return a new position for every move,
// so the stack keeps the positions themselves, never a way to reverse a move: push the
// position before a move, take() gives it back. `limit` keeps only the last few (1: a
// single step back); `used` counts the steps taken back in this game, for games that
// charge for them.
import QtQuick

QtObject {
    property int limit: 0                 // 0: no limit
    readonly property int depth: positions.length
    readonly property bool canUndo: positions.length > 0
    readonly property var top: positions.length > 0 ? positions[positions.length - 1] : null
    property int used: 0

    property var positions: []

    function push(position) {
        const next = positions.concat([position]);
        positions = limit > 0 && next.length > limit ? next.slice(next.length - limit) : next;
    }
    // The position before the last move, or null when there is none.
    function take() {
        if (positions.length === 0)
            return null;
        const last = positions[positions.length - 1];
        positions = positions.slice(0, positions.length - 1);
        ++used;
        return last;
    }
    // A new game: nothing to go back to.
    function clear() {
        positions = [];
        used = 0;
    }
}

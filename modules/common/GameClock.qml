// SPDX-License-Identifier: GPL-3.0-or-later
// A game clock: counts the playing time in milliseconds, or counts down from a limit.
// It reads the wall clock, so a slow frame never loses time. It holds still while the
// game frame it sits in is paused (a card over the board, the window in the background).
import QtQuick
import "Theme.mjs" as Theme

Item {
    id: clock

    property bool running: false
    property real elapsedMs: 0
    property real limitMs: 0          // above 0: a count-down that ends at the limit
    property int tickSeconds: 5       // a count-down ticks in its last seconds (0: never)
    readonly property real remainingMs: Math.max(0, limitMs - elapsedMs)
    readonly property string text: Theme.formatTime(limitMs > 0 ? remainingMs : elapsedMs)

    // Held: running, but the time does not count. Follows the frame's pause by itself.
    property bool held: frame !== null && frame.paused === true
    property Item frame: null

    property real startedAt: 0
    property real carried: 0

    // Folds the time counted so far into `carried`, or starts counting afresh.
    onHeldChanged: {
        if (!running)
            return;
        if (held) {
            elapsedMs = carried + (Date.now() - startedAt);
            carried = elapsedMs;
        } else {
            startedAt = Date.now();
        }
    }
    Component.onCompleted: {
        for (let item = parent; item; item = item.parent) {
            if (item.isGameFrame === true) {
                frame = item;
                break;
            }
        }
    }

    signal expired()

    // The last seconds of a count-down tick, once each.
    readonly property int secondsLeft: Math.ceil(remainingMs / 1000)
    onSecondsLeftChanged: {
        if (running && !held && limitMs > 0 && secondsLeft > 0 && secondsLeft <= tickSeconds
                && frame !== null && frame.sounds)
            frame.sounds.play("tick");
    }

    function start() {
        if (running)
            return;
        startedAt = Date.now();
        running = true;
    }
    function stop() {
        if (!running)
            return;
        update();
        if (!held)
            carried = elapsedMs;
        running = false;
    }
    function reset() {
        running = false;
        carried = 0;
        elapsedMs = 0;
    }
    // Moves the clock on by `ms` at once (a time penalty).
    function addMs(ms) {
        carried += ms;
        if (running && !held) {
            update();
        } else {
            elapsedMs = carried;
        }
    }
    function update() {
        if (!running || held)
            return;
        elapsedMs = carried + (Date.now() - startedAt);
        if (limitMs > 0 && elapsedMs >= limitMs) {
            elapsedMs = limitMs;
            carried = limitMs;
            running = false;
            expired();
        }
    }

    Timer {
        interval: 100
        repeat: true
        running: clock.running && !clock.held
        onTriggered: clock.update()
    }
}

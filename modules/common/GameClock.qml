// A game clock: counts the playing time in milliseconds, or counts down from a limit.
// It reads the wall clock, so a slow frame never loses time.
import QtQuick
import "Theme.mjs" as Theme

Item {
    id: clock

    property bool running: false
    property real elapsedMs: 0
    property real limitMs: 0          // above 0: a count-down that ends at the limit
    readonly property real remainingMs: Math.max(0, limitMs - elapsedMs)
    readonly property string text: Theme.formatTime(limitMs > 0 ? remainingMs : elapsedMs)

    property real startedAt: 0
    property real carried: 0

    signal expired()

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
        if (running) {
            update();
        } else {
            elapsedMs = carried;
        }
    }
    function update() {
        if (!running)
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
        running: clock.running
        onTriggered: clock.update()
    }
}

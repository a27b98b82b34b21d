// SPDX-License-Identifier: GPL-3.0-or-later
// Games played, won, the best result and the current run of wins, for a game without a
// hi-score list. Kept in the player's store under "stats.<key>", so they last; a key per
// strength, board or size keeps those apart.
import QtQuick
import "Theme.mjs" as Theme

QtObject {
    id: stats

    property string key
    property string bestLabel: "Best"
    property string wonLabel: "won"         // what a won game is: "won", "at par", ...
    property bool lowerIsBetter: true
    // How the best result reads: "time" (m:ss), or a number with this word after it.
    property string unit: "time"

    property int played: 0
    property int won: 0
    property int streak: 0
    property var best: null

    readonly property string bestText: best === null ? "–"
        : unit === "time" ? Theme.formatTime(best) : best + (unit ? " " + unit : "")
    readonly property string summary: "Played " + played + " · " + wonLabel + " " + won + " · "
        + bestLabel.toLowerCase() + " " + bestText + " · streak " + streak

    property Store store: Store {}

    // A finished game: won or not, and its result (counted for the best only when won).
    function record(wasWon, result) {
        ++played;
        if (wasWon) {
            ++won;
            ++streak;
            if (typeof result === "number" && isFinite(result)
                    && (best === null || (lowerIsBetter ? result < best : result > best)))
                best = result;
        } else {
            streak = 0;
        }
        save();
    }
    function load() {
        const kept = store.object("stats." + key, {});
        const count = v => Number.isInteger(v) && v >= 0 ? v : 0;
        played = count(kept.played);
        won = Math.min(count(kept.won), played);
        streak = Math.min(count(kept.streak), won);
        best = typeof kept.best === "number" && isFinite(kept.best) ? kept.best : null;
    }
    function save() {
        store.setObject("stats." + key, { played: played, won: won, streak: streak, best: best });
    }

    onKeyChanged: load()
    Component.onCompleted: load()
}

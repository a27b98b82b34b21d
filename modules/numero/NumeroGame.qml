// SPDX-License-Identifier: GPL-3.0-or-later
// The Numero games' movie: the board of cells, the target, the path being traced, the
// round clock and the score. Numero and Numero Pro differ only in their mode.
import QtQuick
import "../common"
import "../common/Random.mjs" as Random
import "../common/Theme.mjs" as Theme
import "Rules.mjs" as Rules

GameScreen {
    id: movie

    property string modeId: "numero"
    readonly property var mode: Rules.modes[modeId]
    property var game: Rules.newGame(modeId, Random.freshSeed())
    property int cursor: 0
    readonly property alias clock: clock

    function newGame(seed) {
        game = Rules.newGame(modeId, seed === undefined ? Random.freshSeed() : seed);
        cursor = 0;
        link.newGame();
        clock.reset();
        clock.limitMs = mode.seconds * 1000;
        gameOver.clear();
        focusGame();
    }
    // One input path for the mouse and the keys.
    function touchCell(index) {
        if (game.over)
            return;
        clock.start();
        cursor = index;
        game = Rules.touch(game, index);
        if (Rules.reachesTarget(game)) {
            const path = game.path;
            game = Rules.clear(game, clock.elapsedMs);
            clock.limitMs += game.lastBonusMs;
            const lines = ["+" + game.lastPoints];
            if (game.streak > 1)
                lines.push("Streak ×" + game.streak);
            if (game.lastBonusMs > 0)
                lines.push("+" + game.lastBonusMs / 1000 + " s");
            board.flash(path, lines);
            sounds.play("clear");
        } else {
            sounds.play("select");
        }
    }
    // A new target for a little of the round's time.
    function skipTarget() {
        if (game.over)
            return;
        clock.start();
        game = Rules.skip(game);
        clock.addMs(Rules.skipCostMs);
    }
    function clearPath() {
        game = Rules.clearPath(game);
    }
    // The clock ran out: the round ends and its result is sent once.
    function endRound() {
        if (game.over)
            return;
        clock.stop();
        game = Rules.finish(game);
        finish("Time is up", ["Score: " + game.score, "Paths cleared: " + game.clears],
               { scoreList: Rules.scoreList(game) });
    }
    function screenshotScene(name) {
        newGame(2026);
        for (let k = 0; k < 2; ++k) {
            for (const i of game.witness)
                touchCell(i);
        }
        const w = game.witness;
        touchCell(w[0]);
        if (w.length > 2)
            touchCell(w[1]);
        if (name === "busy")
            busy.start();
    }

    gameType: modeId
    title: mode.operators ? "Numero Pro" : "Numero"
    stats: [{ label: "Score", value: String(game.score) },
            { label: "Streak", value: game.streak > 1 ? "×" + game.streak : "—" },
            { label: "Time left", value: clock.text }]
    keyHandler: board
    howToPlayText: (mode.operators
        ? "<p>Trace a path through touching cells, digit, sign, digit, ..., whose value is the "
          + "<b>target</b>. The value is worked out in the order you trace it, one step at a "
          + "time: 3 + 4 × 2 is 7 × 2, which is 14. The value so far shows beside the board.</p>"
        : "<p>Trace a path through touching cells whose digits add up to the <b>target</b>.</p>")
        + "<p>Cells touch up, down, left and right. Drag across them, or click them one after "
        + "the other; click a cell of the path again to take the path back to it. A path that "
        + "reaches the target clears and its cells refill.</p>"
        + "<p><b>Points:</b> the target times the digits in the path"
        + (mode.operators ? ", doubled" : "") + ". Clear paths within "
        + mode.streakMs / 1000 + " seconds of each other for a <b>streak</b>: every clear of it "
        + "adds half the points again, up to three times. A path of " + mode.bonusDigits
        + " digits or more adds " + mode.bonusMs / 1000 + " seconds to the round for each "
        + "digit from the " + mode.bonusDigits + (mode.bonusDigits === 3 ? "rd" : "th") + " on. "
        + "<b>Skip target</b> (S) deals a new one for " + Rules.skipCostMs / 1000
        + " seconds of the round and ends a streak.</p>"
        + "<p>Keys: the arrows move the frame, <b>Space</b> adds the cell, <b>Backspace</b> "
        + "clears the path.</p>"
        + "<p>The clock starts with your first cell; the round lasts " + mode.seconds
        + " seconds and long paths make it longer. The score goes to the hi-score list.</p>"

    inProgress: clock.running && !game.over
    onNewGameRequested: newGame()

    GameClock {
        id: clock
        limitMs: movie.mode.seconds * 1000
        onExpired: movie.endRound()
    }

    // The busiest scene for the frame-rate measurement: paths clearing without a pause.
    Timer {
        id: busy
        interval: 250
        repeat: true
        onTriggered: {
            movie.clearPath();
            for (const i of movie.game.witness)
                movie.touchCell(i);
        }
    }

    Board {
        id: board
        x: 24
        y: 16
        game: movie.game
        cursor: movie.cursor
        focus: true
        onTouched: function(index) { movie.touchCell(index); }
        onCursorMoved: function(index) { movie.cursor = index; }
        onClearRequested: movie.clearPath()
        onSkipRequested: movie.skipTarget()
    }

    Column {
        anchors.left: board.right
        anchors.leftMargin: 28
        anchors.right: parent.right
        anchors.rightMargin: 24
        y: 30
        spacing: 14

        Text {
            text: "Target"
            color: Theme.textDim
            font.family: Theme.fontFamily
            font.pixelSize: Theme.bodySize
        }
        Rectangle {
            width: parent.width
            height: 120
            radius: 14
            color: Theme.panel
            border.color: Theme.accent
            border.width: 3
            Text {
                objectName: "target"
                anchors.centerIn: parent
                text: movie.game.target
                color: Theme.accent
                font.family: Theme.fontFamily
                font.pixelSize: 72
                font.bold: true
            }
        }
        Text {
            text: "Your path"
            color: Theme.textDim
            font.family: Theme.fontFamily
            font.pixelSize: Theme.bodySize
        }
        Text {
            width: parent.width
            readonly property real v: Rules.runningValue(movie.game.cells, movie.game.path)
            text: movie.game.path.length === 0 ? "—"
                : movie.game.path.map(i => movie.game.cells[i]).join(movie.mode.operators ? " " : " + ")
                  + (isNaN(Rules.value(movie.game.cells, movie.game.path)) ? "   (" + v + " so far)" : " = " + v)
            color: pastTarget.visible ? Theme.bad : Theme.text
            font.family: Theme.fontFamily
            font.pixelSize: 26
            wrapMode: Text.WordWrap
        }
        Text {
            id: pastTarget
            width: parent.width
            visible: Rules.pastTarget(movie.game)
            text: "✗ Past the target: take cells back or clear the path."
            color: Theme.bad
            font.family: Theme.fontFamily
            font.pixelSize: Theme.smallSize
            wrapMode: Text.WordWrap
        }
        Column {
            spacing: 10
            GameButton {
                text: "Clear path"
                key: "⌫"
                enabled: movie.game.path.length > 0
                onClicked: { movie.clearPath(); movie.focusGame(); }
            }
            GameButton {
                text: "Skip target −" + Rules.skipCostMs / 1000 + " s"
                key: "S"
                enabled: !movie.game.over
                onClicked: { movie.skipTarget(); movie.focusGame(); }
            }
        }
    }
}

// SPDX-License-Identifier: GPL-3.0-or-later
// SUM-mit: climb ledge after ledge by picking number stones that add up to the ledge's
// target before the weather turns. Click stones (or press 1 to 7); a pick past the
// target drops the stones and costs two seconds.
import QtQuick
import "../common"
import "../common/Random.mjs" as Random
import "../common/Theme.mjs" as Theme
import "SummitRules.mjs" as Rules
import "Rules.mjs" as Result

GameScreen {
    id: movie

    property var game: Rules.newGame(Random.freshSeed())
    property int cursor: 0
    readonly property alias clock: clock
    readonly property alias weather: weather

    function newGame(seed) {
        game = Rules.newGame(seed === undefined ? Random.freshSeed() : seed);
        cursor = 0;
        link.newGame();
        clock.reset();
        weather.reset();
        weather.limitMs = Rules.ledgeTimeMs(0);
        gameOver.clear();
        focusGame();
    }
    // One input path for clicks and keys.
    function pickStone(index) {
        if (game.over)
            return;
        clock.start();
        weather.start();
        cursor = index;
        const result = Rules.pick(game, index);
        game = result.game;
        if (result.event === "slipped") {
            weather.addMs(result.costMs);
            slipNote.text = "Too much: −" + result.costMs / 1000 + " s";
            slip.restart();
            sounds.play("invalid");
        } else if (result.event === "climbed") {
            weather.reset();
            weather.limitMs = Rules.ledgeTimeMs(game.height);
            if (game.over) {
                end("On the summit!", true);
            } else {
                weather.start();
                sounds.play("levelup");
            }
        } else {
            sounds.play("select");
        }
    }
    function end(heading, won) {
        clock.stop();
        weather.stop();
        finish(heading, won
            ? ["You climbed all " + Rules.summit + " ledges in " + clock.text + ".",
               game.slips ? "Slips on the way: " + game.slips : "Not a single slip!"]
            : ["Height: " + game.height + " of " + Rules.summit + " ledges", "Time: " + clock.text],
               { won: won, scoreList: Result.scoreList("summit", clock.elapsedMs, Rules.score(game)) });
    }
    // Stones that make the target (for the pictures and the tests).
    function solution() { return Rules.solutionOf(game); }
    function screenshotScene(name) {
        newGame(12);
        for (let k = 0; k < 7; ++k)
            solution().forEach(i => pickStone(i));
        pickStone(solution()[0]);
        if (name === "busy")
            busy.start();
    }

    title: "SUM-mit"
    stats: [{ label: "Height", value: game.height + " / " + Rules.summit },
            { label: "Time", value: clock.text }]
    keyHandler: stonesRow
    howToPlayText: "<p>Climb the mountain ledge by ledge. Each ledge shows a <b>target</b>: pick "
                 + "stones whose numbers add up to it exactly, and you climb to the next.</p>"
                 + "<p>Click a stone to pick it or put it back; keys <b>1</b> to <b>7</b> do the "
                 + "same, or the arrows and <b>Space</b>. A pick past the target is a slip: your "
                 + "stones drop and the weather comes " + Rules.slipCostMs(0) / 1000 + " seconds "
                 + "closer (more higher up). Blue <b>minus stones</b> take away: while one is "
                 + "still free, a pick past the target can come back.</p>"
                 + "<p>The climb gets steeper: higher ledges need more stones and the weather "
                 + "bar runs out sooner. The score is the height you reach; the clock decides "
                 + "between equal heights. The summit is ledge " + Rules.summit + ".</p>"

    inProgress: clock.running && !game.over
    onNewGameRequested: newGame()

    GameClock { id: clock }
    GameClock {
        id: weather
        limitMs: Rules.ledgeTimeMs(0)
        onExpired: {
            movie.game = Rules.caught(movie.game);
            movie.end("The weather turned", movie.game.height > 0);
        }
    }

    // The busiest scene for the frame-rate measurement: a climb without a pause, started
    // again below the summit, so that a long measurement never ends a game and sends a result.
    Timer {
        id: busy
        interval: 400
        repeat: true
        onTriggered: {
            if (movie.game.height >= Rules.summit - 1)
                movie.newGame(12);
            movie.solution().forEach(i => movie.pickStone(i));
        }
    }

    Mountain {
        id: mountain
        x: 16
        y: 12
        width: 300
        height: parent.height - 24
        height_: movie.game.height
        summit: Rules.summit
    }

    Column {
        x: 350
        y: 24
        width: parent.width - x - 24
        spacing: 18

        Row {
            spacing: 18
            visible: !movie.game.reachedSummit
            Rectangle {
                width: 170
                height: 110
                radius: 14
                color: Theme.panel
                border.color: Theme.accent
                border.width: 3
                Column {
                    anchors.centerIn: parent
                    Text {
                        anchors.horizontalCenter: parent.horizontalCenter
                        text: "Target"
                        color: Theme.textDim
                        font.family: Theme.fontFamily
                        font.pixelSize: Theme.smallSize
                    }
                    Text {
                        objectName: "target"
                        anchors.horizontalCenter: parent.horizontalCenter
                        text: movie.game.target
                        color: Theme.accent
                        font.family: Theme.fontFamily
                        font.pixelSize: 56
                        font.bold: true
                    }
                }
            }
            Column {
                anchors.verticalCenter: parent.verticalCenter
                spacing: 4
                Text {
                    text: "Picked: " + Rules.pickedSum(movie.game)
                    color: Theme.text
                    font.family: Theme.fontFamily
                    font.pixelSize: 24
                }
                Text {
                    text: "Still to find: " + Rules.stillToFind(movie.game)
                    color: Theme.textDim
                    font.family: Theme.fontFamily
                    font.pixelSize: Theme.bodySize
                }
            }
        }

        // The weather bar: the time left on this ledge, as a length and in seconds.
        Column {
            width: parent.width
            spacing: 4
            visible: !movie.game.reachedSummit
            Text {
                text: "Weather: " + Math.ceil(weather.remainingMs / 1000) + " s"
                color: weather.remainingMs < 4000 ? Theme.bad : Theme.textDim
                font.family: Theme.fontFamily
                font.pixelSize: Theme.smallSize
            }
            Rectangle {
                width: parent.width
                height: 18
                radius: 9
                color: "#0d1730"
                Rectangle {
                    width: parent.width * weather.remainingMs / Math.max(1, weather.limitMs)
                    height: parent.height
                    radius: 9
                    color: weather.remainingMs < 4000 ? Theme.bad : "#4cc9f0"
                }
            }
        }

        // On the summit the ledge and the weather give way to the view from the top.
        Column {
            visible: movie.game.reachedSummit
            width: parent.width
            spacing: 10
            Text {
                width: parent.width
                text: "★ On the summit! ★"
                horizontalAlignment: Text.AlignHCenter
                color: Theme.accent
                font.family: Theme.fontFamily
                font.pixelSize: 38
                font.bold: true
            }
            Text {
                width: parent.width
                text: "All " + Rules.summit + " ledges in " + clock.text
                horizontalAlignment: Text.AlignHCenter
                color: Theme.text
                font.family: Theme.fontFamily
                font.pixelSize: Theme.bodySize + 4
            }
        }

        // What the last slip cost, for a moment after it.
        Text {
            id: slipNote
            opacity: 0
            color: Theme.bad
            font.family: Theme.fontFamily
            font.pixelSize: 24
            font.bold: true
        }

        Grid {
            id: stonesRow
            objectName: "stones"
            visible: !movie.game.reachedSummit
            columns: 4
            spacing: 16
            focus: true

            Keys.onPressed: function(event) {
                const n = movie.game.stones.length;
                if (event.key >= Qt.Key_1 && event.key < Qt.Key_1 + n) {
                    movie.pickStone(event.key - Qt.Key_1);
                } else if (event.key === Qt.Key_Left) {
                    movie.cursor = (movie.cursor + n - 1) % n;
                } else if (event.key === Qt.Key_Right) {
                    movie.cursor = (movie.cursor + 1) % n;
                } else if (event.key === Qt.Key_Up || event.key === Qt.Key_Down) {
                    movie.cursor = (movie.cursor + 4) % 8 < n ? (movie.cursor + 4) % 8 : movie.cursor;
                } else if (event.key === Qt.Key_Space || event.key === Qt.Key_Return || event.key === Qt.Key_Enter) {
                    movie.pickStone(movie.cursor);
                } else {
                    return;
                }
                event.accepted = true;
            }

            Repeater {
                model: movie.game.stones
                // The grid places this cell; the stone inside it lifts when picked (moving
                // a child of the grid itself would fight the grid's layout).
                Item {
                    width: 88
                    height: 88
                    Rectangle {
                        id: stone
                        readonly property bool picked: movie.game.picked.indexOf(index) >= 0
                        readonly property bool minus: modelData < 0
                        width: 88
                        height: 88
                        radius: 26
                        color: picked ? "#ffb703" : minus ? "#7fb7e6" : "#8d99ae"
                        border.color: stonesRow.activeFocus && movie.cursor === index ? Theme.cursor : "#2b2d42"
                        border.width: stonesRow.activeFocus && movie.cursor === index ? 5 : 2
                        y: picked ? -8 : 0
                        Behavior on y { NumberAnimation { duration: 120 } }

                        Text {
                            anchors.centerIn: parent
                            text: stone.minus ? "−" + Math.abs(modelData) : modelData
                            color: "#1b1b2f"
                            font.family: Theme.fontFamily
                            font.pixelSize: 40
                            font.bold: true
                        }
                        // The key that picks it, and a tick when picked: not by colour alone.
                        Text {
                            anchors.left: parent.left
                            anchors.top: parent.top
                            anchors.margins: 6
                            text: stone.picked ? "✔" : String(index + 1)
                            color: "#1b1b2f"
                            font.family: Theme.fontFamily
                            font.pixelSize: 14
                        }
                        MouseArea {
                            anchors.fill: parent
                            cursorShape: Qt.PointingHandCursor
                            onClicked: movie.pickStone(index)
                        }
                    }
                }
            }
        }
    }

    // A shake of the stones when a pick went past the target, and what it cost.
    ParallelAnimation {
        id: slip
        SequentialAnimation {
            NumberAnimation { target: stonesRow; property: "x"; to: 12; duration: 50 }
            NumberAnimation { target: stonesRow; property: "x"; to: -12; duration: 80 }
            NumberAnimation { target: stonesRow; property: "x"; to: 0; duration: 50 }
        }
        SequentialAnimation {
            PropertyAction { target: slipNote; property: "opacity"; value: 1 }
            PauseAnimation { duration: 1400 }
            NumberAnimation { target: slipNote; property: "opacity"; to: 0; duration: 400 }
        }
    }
}

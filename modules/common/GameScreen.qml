// SPDX-License-Identifier: GPL-3.0-or-later
// The frame every movie is built on: an 800 x 600 stage (the player scales it to the
// game window) with a header that shows the game's title, its status (score, clock,
// moves) and its buttons, the play area below, and the cards over it: how to play, the
// pause card, the confirmation and the game-over panel, never more than one at a time.
// A finished board shown without the panel carries a mark. The frame pauses the game
// (its clocks hold) while a card covers the board or the stage is in the background,
// asks before a game in progress is thrown away, shows a result before the station
// records it, plays the sounds and keeps the steps back. Keys: N new game, H how to
// play, P pause, M sound, Z undo; the rest belong to the game, in `keyHandler`.
import QtQuick
import QtQuick.Window
import "Theme.mjs" as Theme

Rectangle {
    id: screen

    property string gameType                  // from the movie's query
    property string title
    property var stats: []                    // [{ label: "Score", value: "120" }, ...]
    property string howToPlayText
    property Item keyHandler                  // receives the keys the frame does not use
    property alias buttons: extraButtons.data // more header buttons (Solve, modes, ...)
    default property alias content: playArea.data
    readonly property alias playArea: playArea
    readonly property alias howToPlay: howTo
    readonly property alias gameOver: over
    readonly property alias pauseCard: pauseCard
    readonly property alias confirmation: confirm
    readonly property bool overlayOpen: howTo.visible || over.visible || pauseCard.visible
                                        || confirm.visible

    // A game in progress (a move made, not finished) is only thrown away after asking.
    property bool inProgress: false
    // The stage takes input: the game window is in front and no station window (the
    // name prompt, a hi-score list) is over it. The station says so; without one (in
    // tests) the stage's own window does.
    property bool stageActive: stationLink.hasStation ? player.active === true
                                                      : Window.window === null || Window.active
    // The clocks of the game hold while this is true.
    readonly property bool paused: overlayOpen || !stageActive
    readonly property bool isGameFrame: true

    // Steps back: the movie pushes positions and answers undoRequested.
    property bool undoEnabled: false
    readonly property alias undo: undoStack
    readonly property alias sounds: soundPlayer
    readonly property alias link: stationLink
    // Played, won, best and streak, for a game without a hi-score list.
    property GameStats gameStats: null
    // How long a result is shown before the station records it.
    property int resultDelayMs: 800
    readonly property bool resultPending: pendingScore !== null

    property var pendingScore: null

    signal newGameRequested()
    signal undoRequested()
    signal windowClosing()          // the window is about to close: send what is due now

    function showHowToPlay() { howTo.open(); }
    // Ends the game on the screen: a title and the result, one line each.
    function showGameOver(heading, lines) { over.show(heading, lines); }
    // Ends the game: shows the result with its sound, counts it in the statistics and,
    // a moment later, sends `scoreList` to the station ("writescore"), so that the name
    // prompt and the list come after the player has seen what they did. `outcome`:
    // { won: bool, result: number for the statistics' best, scoreList: [...], sound:
    // another effect than "win" or "lose" }.
    function finish(heading, lines, outcome) {
        const o = outcome || {};
        if (gameStats && o.record !== false)
            gameStats.record(o.won === true, o.result);
        over.show(heading, (lines || []).concat(gameStats ? [gameStats.summary] : []));
        soundPlayer.play(o.sound || (o.won === false ? "lose" : "win"));
        if (o.scoreList) {
            pendingScore = o.scoreList;
            resultTimer.restart();
        }
    }
    // Sends a result still waiting to be shown, at once.
    function sendPendingScore() {
        resultTimer.stop();
        const list = pendingScore;
        pendingScore = null;
        if (list)
            stationLink.writeScore(list);
    }
    // Runs `then` (which throws the game away) at once when nothing would be lost, else
    // after the player confirms. Returns at once either way.
    function confirmDiscard(then, question, yesText) {
        if (!inProgress || over.ended) {
            then();
            return;
        }
        confirm.ask(question || "Start a new game? This one will be lost.", yesText || "New game",
                    function() {
                        if (gameStats)
                            gameStats.record(false);
                        then();
                    });
    }
    function requestNewGame() {
        sendPendingScore();
        confirmDiscard(function() { screen.newGameRequested(); });
    }
    function togglePause() {
        if (pauseCard.visible)
            pauseCard.close();
        else if (!overlayOpen && !over.ended)
            pauseCard.open();
    }
    function requestUndo() {
        if (undoEnabled && undoStack.canUndo && !overlayOpen && !over.ended)
            undoRequested();
    }
    // Gives the keyboard back to the game.
    function focusGame() {
        if (keyHandler)
            keyHandler.forceActiveFocus();
        else
            forceActiveFocus();
    }
    // Cards never stack: the one that opens closes any other.
    function cardOpened(card) {
        for (const other of [howTo, over, pauseCard, confirm]) {
            if (other !== card && other.visible)
                other.visible = false;
        }
    }

    width: Theme.stageWidth
    height: Theme.stageHeight
    color: Theme.background
    focus: true

    Component.onCompleted: focusGame()

    // Stepping away from the window in the middle of a game pauses it.
    onStageActiveChanged: {
        if (!stageActive && inProgress && !overlayOpen && !over.ended)
            pauseCard.open();
    }

    Keys.onPressed: function(event) {
        const plain = !(event.modifiers & (Qt.ControlModifier | Qt.AltModifier));
        if (event.key === Qt.Key_N && plain)
            requestNewGame();
        else if (event.key === Qt.Key_H || event.key === Qt.Key_F1)
            showHowToPlay();
        else if (event.key === Qt.Key_P && plain)
            togglePause();
        else if (event.key === Qt.Key_M && plain)
            soundPlayer.toggleMute();
        else if (event.key === Qt.Key_Z && !(event.modifiers & Qt.AltModifier))
            requestUndo();
        else
            return;
        event.accepted = true;
    }

    Rectangle {
        id: header
        width: parent.width
        height: Theme.headerHeight
        color: Theme.panel

        Text {
            id: titleText
            anchors.left: parent.left
            anchors.leftMargin: 16
            anchors.verticalCenter: parent.verticalCenter
            visible: !endedMark.visible
            text: screen.title
            color: Theme.accent
            font.family: Theme.fontFamily
            font.pixelSize: Theme.titleSize
            font.bold: true
        }

        // A finished board shown without its result takes no moves: the title gives way
        // to a mark that says how the game ended ("Game over", "On the summit!"), and a
        // click on it brings the result back.
        Rectangle {
            id: endedMark
            objectName: "gameOverMark"
            anchors.left: parent.left
            anchors.leftMargin: 10
            anchors.verticalCenter: parent.verticalCenter
            width: markText.implicitWidth + 24
            height: 40
            radius: 8
            visible: over.ended && !over.visible
            color: markArea.containsMouse ? Theme.panelLight : Theme.background
            border.color: Theme.accent
            border.width: 2

            Text {
                id: markText
                anchors.centerIn: parent
                text: over.title
                color: Theme.accent
                font.family: Theme.fontFamily
                font.pixelSize: Theme.titleSize - 4
                font.bold: true
            }
            MouseArea {
                id: markArea
                anchors.fill: parent
                hoverEnabled: true
                cursorShape: Qt.PointingHandCursor
                onClicked: over.open()
            }
        }

        Row {
            anchors.left: endedMark.visible ? endedMark.right : titleText.right
            anchors.leftMargin: 20
            anchors.verticalCenter: parent.verticalCenter
            spacing: 16

            Repeater {
                model: screen.stats
                Column {
                    Text {
                        text: modelData.label
                        color: Theme.textDim
                        font.family: Theme.fontFamily
                        font.pixelSize: 14
                    }
                    Text {
                        objectName: "stat_" + modelData.label
                        text: modelData.value
                        color: Theme.text
                        font.family: Theme.fontFamily
                        font.pixelSize: 20
                        font.bold: true
                    }
                }
            }
        }

        Row {
            anchors.right: parent.right
            anchors.rightMargin: 10
            anchors.verticalCenter: parent.verticalCenter
            spacing: 8

            Row {
                id: extraButtons
                spacing: 8
            }
            IconButton {
                objectName: "undoButton"
                visible: screen.undoEnabled
                enabled: undoStack.canUndo && !over.ended
                text: "\u21B6"
                onClicked: { screen.requestUndo(); screen.focusGame(); }
            }
            GameButton {
                text: "New game"
                key: "N"
                primary: over.ended
                onClicked: { screen.focusGame(); screen.requestNewGame(); }
            }
            IconButton {
                objectName: "howToPlayButton"
                text: "?"
                onClicked: screen.showHowToPlay()
            }
            IconButton {
                objectName: "pauseButton"
                enabled: !over.ended
                onClicked: screen.togglePause()
                Row {
                    anchors.centerIn: parent
                    spacing: 5
                    Repeater {
                        model: 2
                        Rectangle { width: 5; height: 16; radius: 1; color: Theme.text }
                    }
                }
            }
            IconButton {
                objectName: "soundButton"
                onClicked: { soundPlayer.toggleMute(); screen.focusGame(); }
                Text {
                    anchors.centerIn: parent
                    text: "\u266A"
                    opacity: soundPlayer.muted ? 0.45 : 1
                    color: Theme.text
                    font.family: Theme.fontFamily
                    font.pixelSize: 22
                }
                // Muted: a slash across the note.
                Rectangle {
                    anchors.centerIn: parent
                    visible: soundPlayer.muted
                    width: 4
                    height: 30
                    radius: 2
                    rotation: 45
                    color: Theme.bad
                }
            }
        }
    }

    // A small square header button: a symbol, or drawn from its children.
    component IconButton: Rectangle {
        id: iconButton
        property string text
        signal clicked()
        width: 40
        height: 40
        radius: 8
        opacity: enabled ? 1 : 0.5
        color: iconArea.pressed ? Qt.darker(Theme.panelLight, 1.3)
             : iconArea.containsMouse ? Qt.lighter(Theme.panelLight, 1.2) : Theme.panelLight
        border.color: Qt.lighter(Theme.panelLight, 1.5)
        Text {
            anchors.centerIn: parent
            text: iconButton.text
            color: Theme.text
            font.family: Theme.fontFamily
            font.pixelSize: 24
            font.bold: true
        }
        MouseArea {
            id: iconArea
            anchors.fill: parent
            hoverEnabled: true
            cursorShape: Qt.PointingHandCursor
            onClicked: iconButton.clicked()
        }
    }

    Item {
        id: playArea
        anchors.top: header.bottom
        anchors.left: parent.left
        anchors.right: parent.right
        anchors.bottom: parent.bottom
    }

    HowToPlay {
        id: howTo
        text: screen.howToPlayText
        footer: "<p><b>In every game:</b> N new game, H how to play, P pause (the board is "
                + "hidden and the clock waits), M sound on or off"
                + (screen.undoEnabled ? ", Z or Ctrl+Z undo" : "") + ".</p>"
                + (screen.gameStats ? "<p><b>Your games:</b> " + screen.gameStats.summary + "</p>" : "")
        onVisibleChanged: if (visible) screen.cardOpened(this)
        onClosed: screen.focusGame()
    }

    PauseCard {
        id: pauseCard
        onVisibleChanged: if (visible) screen.cardOpened(this)
        onClosed: screen.focusGame()
    }

    ConfirmCard {
        id: confirm
        onVisibleChanged: if (visible) screen.cardOpened(this)
        onClosed: screen.focusGame()
    }

    GameOverPanel {
        id: over
        onVisibleChanged: if (visible) screen.cardOpened(this)
        onClosed: screen.focusGame()
        onNewGameRequested: screen.requestNewGame()
        // The next game has begun: nothing of the last one to go back to.
        onCleared: { screen.sendPendingScore(); undoStack.clear(); }
    }

    UndoStack { id: undoStack }
    Sounds { id: soundPlayer }
    StationLink { id: stationLink }

    Timer {
        id: resultTimer
        interval: screen.resultDelayMs
        onTriggered: screen.sendPendingScore()
    }
    // The window is about to close: a result still on its way is recorded now.
    Connections {
        target: stationLink.hasStation ? player : null
        ignoreUnknownSignals: true
        function onClosing() {
            screen.windowClosing();
            screen.sendPendingScore();
        }
    }
}

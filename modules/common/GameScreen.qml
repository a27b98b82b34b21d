// The frame every movie is built on: an 800 x 600 stage (the player scales it to the
// game window) with a header that shows the game's title, its status (score, clock,
// moves) and its buttons, the play area below, and the how-to-play card and game-over
// panel over it; a finished board shown without the panel carries a mark. Keys: N new
// game, H how to play; the rest belong to the game, which takes them in `keyHandler`.
import QtQuick
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
    readonly property bool overlayOpen: howTo.visible || over.visible

    signal newGameRequested()

    function showHowToPlay() { howTo.open(); }
    // Ends the game on the screen: a title and the result, one line each.
    function showGameOver(heading, lines) { over.show(heading, lines); }
    // Gives the keyboard back to the game.
    function focusGame() {
        if (keyHandler)
            keyHandler.forceActiveFocus();
        else
            forceActiveFocus();
    }

    width: Theme.stageWidth
    height: Theme.stageHeight
    color: Theme.background
    focus: true

    Component.onCompleted: focusGame()

    Keys.onPressed: function(event) {
        if (event.key === Qt.Key_N && !(event.modifiers & Qt.ControlModifier)) {
            newGameRequested();
            event.accepted = true;
        } else if (event.key === Qt.Key_H || event.key === Qt.Key_F1) {
            showHowToPlay();
            event.accepted = true;
        }
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
            GameButton {
                text: "New game"
                key: "N"
                primary: over.ended
                onClicked: { screen.newGameRequested(); screen.focusGame(); }
            }
            GameButton {
                text: "How to play"
                key: "H"
                onClicked: screen.showHowToPlay()
            }
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
        onClosed: screen.focusGame()
    }

    GameOverPanel {
        id: over
        onClosed: screen.focusGame()
        onNewGameRequested: screen.newGameRequested()
    }
}

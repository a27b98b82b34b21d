// SPDX-License-Identifier: GPL-3.0-or-later
// The play area of the Lumo movies: the board, a line that says what is going on, and
// below them the player's name, the Solution button and the movie's own buttons.
// Keys: arrows and Space/Enter on the board, S the solution, Tab the name field, and
// the movie's own `commandKeys`.
import QtQuick
import "../common"
import "../common/Theme.mjs" as Theme

Item {
    id: table

    property var board
    property var lamps: []
    property var hints: []
    property int cursor: 0
    property string note                // the line under the board
    property bool helped: false         // help was shown: the line says so
    property bool showing: false        // the solution is shown
    property alias name: nameField.name
    property alias buttons: extra.data
    property var commandKeys: []        // the movie's own keys, handed on by commandKey
    readonly property alias boardView: boardView
    readonly property alias nameField: nameField

    signal lampPressed(int index)
    signal solutionRequested()
    signal commandKey(int key)

    function focusBoard() { boardView.forceActiveFocus(); }

    anchors.fill: parent

    Keys.onPressed: function(event) {
        if (event.key === Qt.Key_S) {
            solutionRequested();
            event.accepted = true;
        } else if (event.key === Qt.Key_Tab) {
            nameField.edit();
            event.accepted = true;
        } else if (commandKeys.indexOf(event.key) >= 0) {
            commandKey(event.key);
            event.accepted = true;
        }
    }

    Board {
        id: boardView
        anchors.top: parent.top
        anchors.bottom: noteRow.top
        anchors.left: parent.left
        anchors.right: parent.right
        anchors.margins: 12
        board: table.board
        lamps: table.lamps
        hints: table.hints
        cursor: table.cursor
        onCursorMoved: function(index) { table.cursor = index; }
        onLampPressed: function(index) { table.lampPressed(index); }
    }

    Row {
        id: noteRow
        anchors.bottom: footer.top
        anchors.bottomMargin: 6
        anchors.horizontalCenter: parent.horizontalCenter
        spacing: 8
        height: 26

        Glyph {
            visible: table.helped
            width: 22
            height: 22
            anchors.verticalCenter: parent.verticalCenter
            shape: "ring"
            colour: Theme.accent
        }
        Text {
            objectName: "note"
            anchors.verticalCenter: parent.verticalCenter
            text: table.note
            color: table.helped ? Theme.accent : Theme.textDim
            font.family: Theme.fontFamily
            font.pixelSize: Theme.smallSize
            font.bold: table.helped
        }
    }

    Rectangle {
        id: footer
        anchors.bottom: parent.bottom
        width: parent.width
        height: 52
        color: Theme.panel

        NameField {
            id: nameField
            anchors.left: parent.left
            anchors.leftMargin: 16
            anchors.verticalCenter: parent.verticalCenter
            onDone: table.focusBoard()
        }
        Row {
            anchors.right: parent.right
            anchors.rightMargin: 10
            anchors.verticalCenter: parent.verticalCenter
            spacing: 8

            Row {
                id: extra
                spacing: 8
            }
            GameButton {
                text: table.showing ? "Hide solution" : "Solution"
                key: "S"
                onClicked: { table.solutionRequested(); table.focusBoard(); }
            }
        }
    }
}

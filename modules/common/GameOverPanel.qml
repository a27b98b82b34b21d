// The end of a game: what happened and the result, with the way to the next game.
import QtQuick
import "Theme.mjs" as Theme

Overlay {
    id: panel

    property var lines: []          // texts shown under the title, one a line

    signal newGameRequested()

    // Shows the panel with a title and result lines.
    function show(heading, resultLines) {
        title = heading;
        lines = resultLines || [];
        open();
    }

    title: "Game over"

    Repeater {
        model: panel.lines
        Text {
            width: parent ? parent.width : 0
            text: modelData
            color: Theme.text
            font.family: Theme.fontFamily
            font.pixelSize: Theme.bodySize + 2
            horizontalAlignment: Text.AlignHCenter
            wrapMode: Text.WordWrap
        }
    }

    buttons: [
        GameButton {
            text: "New game"
            key: "N"
            primary: true
            onClicked: { panel.close(); panel.newGameRequested(); }
        },
        GameButton {
            text: "Look at the board"
            onClicked: panel.close()
        }
    ]

    Keys.onPressed: function(event) {
        if (event.key === Qt.Key_N || event.key === Qt.Key_Return || event.key === Qt.Key_Enter) {
            close();
            newGameRequested();
            event.accepted = true;
        }
    }
}

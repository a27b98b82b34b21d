// SPDX-License-Identifier: GPL-3.0-or-later
// The end of a game: what happened and the result, with the way to the next game.
import QtQuick
import "Theme.mjs" as Theme

Overlay {
    id: panel

    property var lines: []          // texts shown under the title, one a line
    // From show() until the movie deals the next game: the board stays as it ended and
    // takes no moves, whether the panel is open or has been put aside to look at it.
    property bool ended: false

    signal newGameRequested()
    signal cleared()

    // Shows the panel with a title and result lines.
    function show(heading, resultLines) {
        title = heading;
        lines = resultLines || [];
        ended = true;
        open();
    }
    // The next game has begun: the panel goes, and the finished board's mark with it.
    function clear() {
        ended = false;
        close();
        cleared();
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

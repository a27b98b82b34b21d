// SPDX-License-Identifier: GPL-3.0-or-later
// The pause card: it hides the whole board, so a pause is a rest, not time to think.
// P, Escape and Enter resume.
import QtQuick
import "Theme.mjs" as Theme

Overlay {
    id: card

    title: "Paused"
    color: Theme.background

    Text {
        width: parent.width
        text: "The board is hidden while the game is paused. The clock waits for you."
        color: Theme.text
        font.family: Theme.fontFamily
        font.pixelSize: Theme.bodySize
        horizontalAlignment: Text.AlignHCenter
        wrapMode: Text.WordWrap
    }

    buttons: GameButton {
        text: "Resume"
        key: "P"
        primary: true
        onClicked: card.close()
    }

    Keys.onPressed: function(event) {
        if (event.key === Qt.Key_P || event.key === Qt.Key_Return || event.key === Qt.Key_Enter) {
            close();
            event.accepted = true;
        }
    }
}

// SPDX-License-Identifier: GPL-3.0-or-later
// The "How to play" card: the rules and the keys, in a few short paragraphs.
import QtQuick
import "Theme.mjs" as Theme

Overlay {
    id: card

    property string text        // rich text: <p>, <b>, <br> are fine
    property string footer      // the frame's keys and the player's statistics

    title: "How to play"

    Text {
        width: parent.width
        text: card.text + card.footer
        textFormat: Text.RichText
        color: Theme.text
        font.family: Theme.fontFamily
        font.pixelSize: Theme.smallSize + 1
        wrapMode: Text.WordWrap
        lineHeight: 1.15
    }

    buttons: GameButton {
        text: "Got it"
        primary: true
        onClicked: card.close()
    }

    Keys.onReturnPressed: close()
    Keys.onEnterPressed: close()
}

// SPDX-License-Identifier: GPL-3.0-or-later
// Asks before something is thrown away: Enter goes ahead, Escape keeps the game.
import QtQuick
import "Theme.mjs" as Theme

Overlay {
    id: card

    property string yesText: "New game"
    property var action: null

    // Opens the card; `then` runs only when the player goes ahead.
    function ask(question, yes, then) {
        title = question;
        yesText = yes;
        action = then;
        open();
    }
    function accept() {
        const then = action;
        action = null;
        close();
        if (then)
            then();
    }

    title: "Start a new game? This one will be lost."
    onClosed: action = null

    buttons: [
        GameButton {
            text: card.yesText
            key: "Enter"
            primary: true
            onClicked: card.accept()
        },
        GameButton {
            text: "Keep playing"
            key: "Esc"
            onClicked: card.close()
        }
    ]

    Keys.onReturnPressed: accept()
    Keys.onEnterPressed: accept()
}

// SPDX-License-Identifier: GPL-3.0-or-later
// The player's name, typed into the movie itself by games whose results carry the name.
// The name is remembered while the program runs, across game windows. A comma would
// split the list the result travels in: it is refused, and a note under the field says
// so for a moment.
import QtQuick
import QtQuick.Controls
import "Theme.mjs" as Theme

Row {
    id: field

    readonly property string key: "playerName"
    property alias name: input.text
    readonly property bool hasStation: typeof player !== "undefined"

    // Typing is over (Enter or Escape): the movie gives the keys back to its game.
    signal done()

    // Puts the keyboard into the field, for players without a mouse.
    function edit() {
        input.forceActiveFocus();
        input.selectAll();
    }

    spacing: 8

    Component.onCompleted: {
        if (hasStation)
            input.text = player.recall(key);
    }

    Text {
        anchors.verticalCenter: parent.verticalCenter
        text: "Your name:"
        color: Theme.textDim
        font.family: Theme.fontFamily
        font.pixelSize: Theme.smallSize
    }
    TextField {
        id: input
        width: 180
        maximumLength: 24
        font.family: Theme.fontFamily
        font.pixelSize: Theme.smallSize
        placeholderText: "type your name"
        placeholderTextColor: Theme.textDim
        font.italic: text === ""
        // A comma would split the list the result travels in.
        validator: RegularExpressionValidator { regularExpression: /[^,]*/ }
        onTextChanged: if (field.hasStation) player.remember(field.key, text)
        Keys.onPressed: function(event) {
            if (event.text === ",") {
                refused.show();
                event.accepted = true;
            }
        }
        Keys.onReturnPressed: { focus = false; field.done(); }
        Keys.onEnterPressed: { focus = false; field.done(); }
        Keys.onEscapePressed: { focus = false; field.done(); }
    }

    // The refused comma, said where the player looks.
    Text {
        id: refused
        objectName: "commaRefused"
        function show() {
            opacity = 1;
            fade.restart();
        }
        anchors.verticalCenter: parent.verticalCenter
        text: "No commas in a name"
        color: Theme.bad
        font.family: Theme.fontFamily
        font.pixelSize: Theme.smallSize
        font.bold: true
        opacity: 0
        SequentialAnimation {
            id: fade
            PauseAnimation { duration: 1400 }
            NumberAnimation { target: refused; property: "opacity"; to: 0; duration: 500 }
        }
    }
}

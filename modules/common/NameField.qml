// The player's name, typed into the movie itself by games whose results carry the name.
// The name is remembered while the program runs, across game windows.
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
        placeholderText: "Player"
        // A comma would split the list the result travels in.
        validator: RegularExpressionValidator { regularExpression: /[^,]*/ }
        onTextChanged: if (field.hasStation) player.remember(field.key, text)
        Keys.onReturnPressed: { focus = false; field.done(); }
        Keys.onEnterPressed: { focus = false; field.done(); }
        Keys.onEscapePressed: { focus = false; field.done(); }
    }
}

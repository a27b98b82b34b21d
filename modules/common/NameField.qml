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
        Keys.onReturnPressed: focus = false
        Keys.onEscapePressed: focus = false
    }
}

// Declares no gameType property: the value still reaches it through the player.
import QtQuick

Rectangle {
    width: 320
    height: 200
    Component.onCompleted: player.fscommand("started", player.variable("gameType"))
}

// SPDX-License-Identifier: GPL-3.0-or-later
// One ball: a token of its colour with its symbol. It grows in when it arrives, fades
// when its line vanishes, and hops while it is selected.
import QtQuick
import "../common"
import "../common/Theme.mjs" as Theme

Item {
    id: ball

    property int colour: -1           // -1: no ball
    property bool selected: false
    property int shownColour: 0       // kept while the ball fades out

    onColourChanged: if (colour >= 0) shownColour = colour
    Component.onCompleted: if (colour >= 0) shownColour = colour

    Token {
        id: glyph
        anchors.centerIn: parent
        width: parent.width * 0.8
        height: width
        colour: ball.shownColour
        opacity: ball.colour >= 0 ? 1 : 0
        scale: ball.colour >= 0 ? 1 : 0.2
        visible: opacity > 0

        Behavior on opacity { NumberAnimation { duration: 220 } }
        Behavior on scale { NumberAnimation { duration: 220; easing.type: Easing.OutBack } }

        SequentialAnimation on anchors.verticalCenterOffset {
            running: ball.selected
            loops: Animation.Infinite
            alwaysRunToEnd: true
            NumberAnimation { to: -ball.height * 0.12; duration: 180; easing.type: Easing.OutQuad }
            NumberAnimation { to: 0; duration: 180; easing.type: Easing.InQuad }
        }
    }
}

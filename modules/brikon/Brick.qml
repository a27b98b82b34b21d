// SPDX-License-Identifier: GPL-3.0-or-later
// One brick: a tile in its colour with the colour's symbol on it. It slides to its new
// place when bricks below it are taken out and fades when it is taken out itself.
import QtQuick
import "../common"
import "../common/Theme.mjs" as Theme

Item {
    id: brick

    property int colour: 0
    property bool alive: true
    property bool lit: false          // part of the group under the cursor
    property bool instant: false      // place without sliding (a new board)
    property bool placed: false       // false until the first place is set

    readonly property var mark: Theme.marks[colour]

    opacity: alive ? 1 : 0
    scale: alive ? 1 : 0.4
    visible: opacity > 0

    Behavior on x {
        enabled: brick.placed && !brick.instant
        NumberAnimation { duration: 200; easing.type: Easing.OutQuad }
    }
    Behavior on y {
        enabled: brick.placed && !brick.instant
        NumberAnimation { duration: 220; easing.type: Easing.InQuad }
    }
    Behavior on opacity {
        enabled: brick.placed && !brick.instant
        NumberAnimation { duration: 180 }
    }
    Behavior on scale {
        enabled: brick.placed && !brick.instant
        NumberAnimation { duration: 180 }
    }

    Rectangle {
        anchors.fill: parent
        anchors.margins: 2
        radius: 6
        color: brick.lit ? Qt.darker(brick.mark.colour, 1.15) : Qt.darker(brick.mark.colour, 1.9)
        border.color: brick.lit ? Theme.focus : Qt.darker(brick.mark.colour, 1.2)
        border.width: brick.lit ? 3 : 1

        Glyph {
            anchors.centerIn: parent
            width: parent.width * 0.7
            height: width
            shape: brick.mark.shape
            colour: brick.mark.colour
        }
    }
}

// SPDX-License-Identifier: GPL-3.0-or-later
// Beside the board: the balls that come next, a word on the last move, and the warning
// when the board is nearly full.
import QtQuick
import "../common"
import "../common/Theme.mjs" as Theme

Column {
    id: panel

    property var next: []
    property string message
    property int free: 81

    spacing: 14

    Text {
        text: "Next balls"
        color: Theme.textDim
        font.family: Theme.fontFamily
        font.pixelSize: Theme.smallSize
    }
    Row {
        spacing: 6
        Repeater {
            model: panel.next
            Rectangle {
                width: 48
                height: 48
                radius: 6
                color: Theme.panel
                Token {
                    anchors.centerIn: parent
                    width: 40
                    height: 40
                    colour: modelData
                }
            }
        }
    }
    Text {
        objectName: "message"
        width: panel.width
        text: panel.message
        color: Theme.text
        font.family: Theme.fontFamily
        font.pixelSize: Theme.smallSize
        wrapMode: Text.WordWrap
    }
    // Five free cells or fewer: the board is nearly full.
    Rectangle {
        objectName: "fullWarning"
        visible: panel.free <= 5 && panel.free > 0
        width: panel.width
        height: warning.implicitHeight + 16
        radius: 8
        color: "#4a1f2a"
        border.color: Theme.bad
        border.width: 2
        Text {
            id: warning
            anchors.centerIn: parent
            width: parent.width - 16
            text: "⚠ Only " + panel.free + (panel.free === 1 ? " free cell" : " free cells") + " left!"
            color: "#ffd0d0"
            font.family: Theme.fontFamily
            font.pixelSize: Theme.smallSize
            font.bold: true
            wrapMode: Text.WordWrap
        }
        SequentialAnimation on opacity {
            running: parent.visible
            loops: Animation.Infinite
            NumberAnimation { to: 0.55; duration: 500 }
            NumberAnimation { to: 1; duration: 500 }
        }
    }
}

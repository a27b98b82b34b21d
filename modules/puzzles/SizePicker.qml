// SPDX-License-Identifier: GPL-3.0-or-later
// A number with a button either side to make it smaller or larger, and its key.
import QtQuick
import "../common"
import "../common/Theme.mjs" as Theme

Row {
    id: picker

    property string label
    property int value
    property string key

    signal stepped(int steps)

    spacing: 4

    Text {
        anchors.verticalCenter: parent.verticalCenter
        text: picker.label + " (" + picker.key + ")"
        color: Theme.textDim
        font.family: Theme.fontFamily
        font.pixelSize: Theme.smallSize
    }
    GameButton {
        objectName: picker.objectName + "_less"
        text: "\u2212"
        implicitWidth: 40
        onClicked: picker.stepped(-1)
    }
    Text {
        anchors.verticalCenter: parent.verticalCenter
        width: 26
        horizontalAlignment: Text.AlignHCenter
        text: picker.value
        color: Theme.text
        font.family: Theme.fontFamily
        font.pixelSize: Theme.bodySize + 2
        font.bold: true
    }
    GameButton {
        objectName: picker.objectName + "_more"
        text: "+"
        implicitWidth: 40
        onClicked: picker.stepped(1)
    }
}

// SPDX-License-Identifier: GPL-3.0-or-later
// A push button drawn in the station's style: large enough for a mouse and a finger,
// with its keyboard key shown in the label when it has one.
import QtQuick
import "Theme.mjs" as Theme

Rectangle {
    id: button

    property string text
    property string key             // shown after the text, e.g. "N"
    property bool primary: false
    property real fontSize: Theme.bodySize

    signal clicked()

    implicitWidth: Math.max(88, content.implicitWidth + 24)
    implicitHeight: 40
    radius: 8
    color: !enabled ? Theme.panel
         : area.pressed ? Qt.darker(base, 1.3)
         : area.containsMouse ? Qt.lighter(base, 1.2) : base
    border.color: activeFocus ? Theme.cursor : Qt.lighter(base, 1.5)
    border.width: activeFocus ? 3 : 1
    opacity: enabled ? 1 : 0.5
    activeFocusOnTab: true

    readonly property color base: primary ? "#b5651d" : Theme.panelLight

    Keys.onReturnPressed: clicked()
    Keys.onEnterPressed: clicked()
    Keys.onSpacePressed: clicked()

    Row {
        id: content
        anchors.centerIn: parent
        spacing: 7

        Text {
            anchors.verticalCenter: parent.verticalCenter
            text: button.text
            color: Theme.text
            font.family: Theme.fontFamily
            font.pixelSize: button.fontSize
            font.bold: button.primary
        }
        // The key that does the same, in a small key cap.
        Rectangle {
            anchors.verticalCenter: parent.verticalCenter
            visible: button.key !== ""
            width: Math.max(18, keyText.implicitWidth + 8)
            height: 20
            radius: 4
            color: "transparent"
            border.color: Theme.textDim
            Text {
                id: keyText
                anchors.centerIn: parent
                text: button.key
                color: Theme.textDim
                font.family: Theme.fontFamily
                font.pixelSize: 12
                font.bold: true
            }
        }
    }

    MouseArea {
        id: area
        anchors.fill: parent
        hoverEnabled: true
        cursorShape: Qt.PointingHandCursor
        onClicked: button.clicked()
    }
}

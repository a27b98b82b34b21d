// SPDX-License-Identifier: GPL-3.0-or-later
// A panel over the whole stage that takes the input while it is open: the base of the
// how-to-play card and the game-over panel. Escape closes it.
import QtQuick
import "Theme.mjs" as Theme

Rectangle {
    id: overlay

    property string title
    default property alias content: body.data
    property alias buttons: buttonRow.data
    property real panelWidth: 560

    signal closed()

    function open() {
        visible = true;
        forceActiveFocus();
    }
    function close() {
        if (!visible)
            return;
        visible = false;
        closed();
    }

    anchors.fill: parent
    visible: false
    color: "#90000000"
    z: 100

    Keys.onEscapePressed: close()

    // Swallows clicks and wheel turns meant for the board below.
    MouseArea {
        anchors.fill: parent
        hoverEnabled: true
        onWheel: function(wheel) { wheel.accepted = true; }
    }

    Rectangle {
        anchors.centerIn: parent
        width: overlay.panelWidth
        height: column.implicitHeight + 48
        radius: 14
        color: Theme.panel
        border.color: Theme.accent
        border.width: 2

        Column {
            id: column
            anchors.centerIn: parent
            width: parent.width - 48
            spacing: 16

            Text {
                width: parent.width
                text: overlay.title
                color: Theme.accent
                font.family: Theme.fontFamily
                font.pixelSize: Theme.titleSize
                font.bold: true
                horizontalAlignment: Text.AlignHCenter
                wrapMode: Text.WordWrap
            }
            Column {
                id: body
                width: parent.width
                spacing: 8
            }
            Row {
                id: buttonRow
                anchors.horizontalCenter: parent.horizontalCenter
                spacing: 16
            }
        }
    }
}

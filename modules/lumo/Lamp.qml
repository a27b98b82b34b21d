// SPDX-License-Identifier: GPL-3.0-or-later
// One lamp, drawn with shapes so that its level shows without colour: bright is a full
// disc with eight rays, dim (three-level boards) a smaller disc with four rays, out a
// hollow ring. The keyboard cursor is a thick frame; a hint shows how often to press.
import QtQuick
import "../common/Theme.mjs" as Theme

Item {
    id: lamp

    property int level: 0               // 0 out, levels - 1 bright
    property int levels: 2
    property bool round: false          // a round socket (honeycomb boards)
    property bool current: false        // under the keyboard cursor
    property int hint: 0                // presses the solution asks for here; 0 none

    signal pressed()

    readonly property bool bright: level === levels - 1 && level > 0
    readonly property bool dim: level > 0 && !bright
    readonly property real bulb: width * (bright ? 0.46 : dim ? 0.34 : 0.42)

    Rectangle {
        id: socket
        anchors.fill: parent
        anchors.margins: lamp.width * 0.04
        radius: lamp.round ? width / 2 : width * 0.18
        color: lamp.bright ? "#3d3a22" : lamp.dim ? "#33291c" : "#101a30"
        border.color: lamp.current ? Theme.cursor : "#3b4f7a"
        border.width: lamp.current ? Math.max(3, lamp.width * 0.07) : 1
    }

    Repeater {
        model: 8
        Rectangle {
            readonly property bool shown: lamp.bright || (lamp.dim && index % 2 === 0)
            x: lamp.width / 2 - width / 2
            y: lamp.height / 2 - height / 2
            width: lamp.width * 0.06
            height: lamp.width * 0.74
            radius: width / 2
            rotation: index * 45
            color: lamp.dim ? "#e0913a" : "#ffe27a"
            opacity: shown ? 1 : 0
            Behavior on opacity { NumberAnimation { duration: 120 } }
        }
    }

    Rectangle {
        id: bulbShape
        anchors.centerIn: parent
        width: lamp.bulb
        height: width
        radius: width / 2
        color: lamp.bright ? "#ffd23f" : lamp.dim ? "#e0913a" : "transparent"
        border.color: lamp.level > 0 ? "#fff3c4" : "#7d8bab"
        border.width: lamp.level > 0 ? 2 : Math.max(2, lamp.width * 0.06)
        Behavior on width { NumberAnimation { duration: 120 } }
    }

    Rectangle {
        visible: lamp.hint > 0
        anchors.right: parent.right
        anchors.top: parent.top
        width: lamp.width * 0.34
        height: width
        radius: width / 2
        color: "#2ec4b6"
        border.color: "white"
        Text {
            anchors.centerIn: parent
            text: lamp.levels > 2 ? "×" + lamp.hint : "✓"
            color: "#0b132b"
            font.family: Theme.fontFamily
            font.pixelSize: parent.width * 0.55
            font.bold: true
        }
    }

    MouseArea {
        anchors.fill: parent
        cursorShape: Qt.PointingHandCursor
        onClicked: lamp.pressed()
    }
}

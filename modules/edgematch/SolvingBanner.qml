// SPDX-License-Identifier: GPL-3.0-or-later
// Shown over the board while the solver works: that it is solving, for how long, and
// the way to stop it. The turning ring shows that the game is still alive.
import QtQuick
import "../common"
import "../common/Theme.mjs" as Theme

Rectangle {
    id: banner

    property real startedAt: 0
    property real now: 0
    property string heading: "Solving\u2026"
    property bool canStartEmpty: false           // offered once a solve runs long
    readonly property bool longSolve: now - startedAt > 2000

    signal stopRequested()
    signal fromEmptyRequested()

    width: canStartEmpty && longSolve ? 420 : 300
    height: 150
    radius: 14
    color: "#e61f2f52"
    border.color: Theme.accent
    border.width: 2

    Timer {
        interval: 100
        repeat: true
        running: banner.visible
        triggeredOnStart: true
        onTriggered: banner.now = Date.now()
    }

    Item {
        id: spinner
        x: 24
        y: 26
        width: 44
        height: 44
        Repeater {
            model: 8
            Rectangle {
                required property int index
                x: spinner.width / 2 - width / 2 + 17 * Math.cos(index * Math.PI / 4)
                y: spinner.height / 2 - height / 2 + 17 * Math.sin(index * Math.PI / 4)
                width: 9
                height: 9
                radius: 4.5
                color: Theme.accent
                opacity: 0.25 + index / 10
            }
        }
        RotationAnimation on rotation {
            running: banner.visible
            from: 0
            to: 360
            duration: 1200
            loops: Animation.Infinite
        }
    }

    Column {
        x: 84
        y: 24
        spacing: 4
        Text {
            objectName: "solvingHeading"
            text: banner.heading
            color: Theme.text
            font.family: Theme.fontFamily
            font.pixelSize: Theme.titleSize
            font.bold: true
        }
        Text {
            objectName: "solvingTime"
            text: Theme.formatTime(Math.max(0, banner.now - banner.startedAt), true)
                  + (banner.canStartEmpty && banner.longSolve ? ": a long search with these pieces" : "")
            color: Theme.textDim
            font.family: Theme.fontFamily
            font.pixelSize: Theme.smallSize
        }
    }

    Row {
        anchors.horizontalCenter: parent.horizontalCenter
        anchors.bottom: parent.bottom
        anchors.bottomMargin: 16
        spacing: 10
        GameButton {
            objectName: "stopButton"
            text: "Stop"
            key: "S"
            primary: true
            onClicked: banner.stopRequested()
        }
        GameButton {
            objectName: "longFromEmptyButton"
            visible: banner.canStartEmpty && banner.longSolve
            text: "Solve from an empty board"
            onClicked: banner.fromEmptyRequested()
        }
    }
}

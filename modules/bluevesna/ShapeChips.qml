// SPDX-License-Identifier: GPL-3.0-or-later
// The fourteen boards as small chips in two rows: each shows the board's cells and the
// sign of its outline, and the best time on it; the board in play framed, the boards
// done green. A click deals a puzzle on that board.
import QtQuick
import "../common/Theme.mjs" as Theme
import "Rules.mjs" as Rules

Grid {
    id: chips

    property var shapes: []
    property string current
    property var done: []
    property var best: ({})

    signal picked(string key)

    columns: 7
    spacing: 3

    Repeater {
        model: chips.shapes
        Rectangle {
            required property string modelData
            readonly property bool isDone: chips.done.indexOf(modelData) >= 0
            readonly property bool isCurrent: chips.current === modelData
            objectName: "chip_" + modelData
            width: 44
            height: 26
            radius: 4
            color: isDone ? "#2d6a4f" : Theme.panel
            border.color: isCurrent ? Theme.focus : Theme.panelLight
            border.width: isCurrent ? 2 : 1
            Column {
                anchors.centerIn: parent
                spacing: -2
                Text {
                    objectName: "chipName"
                    anchors.horizontalCenter: parent.horizontalCenter
                    text: Rules.shapeMark(modelData)
                    color: isCurrent ? Theme.focus : Theme.text
                    font.family: Theme.fontFamily
                    font.pixelSize: 12
                    font.bold: true
                }
                Text {
                    objectName: "chipBest"
                    anchors.horizontalCenter: parent.horizontalCenter
                    text: chips.best[modelData] ? Theme.formatTime(chips.best[modelData]) : (isDone ? "\u2713" : "")
                    visible: text !== ""
                    color: Theme.textDim
                    font.family: Theme.fontFamily
                    font.pixelSize: 9
                }
            }
            MouseArea {
                anchors.fill: parent
                cursorShape: Qt.PointingHandCursor
                onClicked: chips.picked(parent.modelData)
            }
        }
    }
}

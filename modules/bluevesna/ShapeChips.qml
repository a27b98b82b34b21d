// The fourteen boards as small chips in two rows: the board in play framed, the boards
// done ticked. A click deals a puzzle on that board.
import QtQuick
import "../common/Theme.mjs" as Theme

Grid {
    id: chips

    property var shapes: []
    property string current
    property var done: []

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
            width: 40
            height: 20
            radius: 4
            color: isDone ? "#2d6a4f" : Theme.panel
            border.color: isCurrent ? Theme.focus : Theme.panelLight
            border.width: isCurrent ? 2 : 1
            Text {
                anchors.centerIn: parent
                text: (parent.isDone ? "\u2713" : "") + parent.modelData
                color: parent.isCurrent ? Theme.focus : Theme.text
                font.family: Theme.fontFamily
                font.pixelSize: 12
                font.bold: parent.isCurrent
            }
            MouseArea {
                anchors.fill: parent
                cursorShape: Qt.PointingHandCursor
                onClicked: chips.picked(parent.modelData)
            }
        }
    }
}

// A board-size choice drawn as its own little grid of dots, so that no reading is needed.
import QtQuick
import "../common/Theme.mjs" as Theme

Rectangle {
    id: choice

    property int columns: 3
    property int rows: 2
    property bool selected: false

    signal chosen()

    width: 104
    height: 104
    radius: 20
    color: selected ? "#ffd60a" : area.containsMouse ? "#8ba0ff" : "#6a7fdb"
    border.color: selected ? "white" : "#2b2d6e"
    border.width: 4

    Grid {
        anchors.centerIn: parent
        columns: choice.columns
        spacing: 6
        Repeater {
            model: choice.columns * choice.rows
            Rectangle {
                width: 14
                height: 14
                radius: 4
                color: "#2b2d6e"
            }
        }
    }
    MouseArea {
        id: area
        anchors.fill: parent
        hoverEnabled: true
        cursorShape: Qt.PointingHandCursor
        onClicked: choice.chosen()
    }
}

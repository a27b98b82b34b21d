// SPDX-License-Identifier: GPL-3.0-or-later
// A choice drawn as what it chooses, so that no reading is needed: a board size as its
// own little grid of dots, a picture set as one of its pictures. It reports the press
// (in scene coordinates) and the letting go, so the movie can ask for a long press.
import QtQuick
import "../common/Theme.mjs" as Theme

Rectangle {
    id: choice

    property int columns: 3
    property int rows: 2
    property bool selected: false
    property string picture                 // a picture set's button shows this picture

    signal pressedAt(real x, real y)
    signal letGo()

    width: 80
    height: 80
    radius: 20
    color: selected ? "#ffd60a" : area.containsMouse ? "#8ba0ff" : "#6a7fdb"
    border.color: selected ? "white" : "#2b2d6e"
    border.width: 4

    Picture {
        anchors.fill: parent
        anchors.margins: 8
        visible: choice.picture !== ""
        kind: choice.picture
    }
    Grid {
        anchors.centerIn: parent
        visible: choice.picture === ""
        columns: choice.columns
        spacing: 5
        Repeater {
            model: choice.columns * choice.rows
            Rectangle {
                width: 11
                height: 11
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
        onPressed: function(mouse) {
            const at = mapToItem(null, mouse.x, mouse.y);
            choice.pressedAt(at.x, at.y);
        }
        onReleased: choice.letGo()
        onCanceled: choice.letGo()
    }
}

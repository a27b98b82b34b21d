// SPDX-License-Identifier: GPL-3.0-or-later
// One card: a star pattern on its back, a picture on its face. It turns over with a
// short flip; a found pair gives a little hop.
import QtQuick
import "../common/Theme.mjs" as Theme

Item {
    id: card

    property string picture
    property bool up: false
    property bool found: false
    property bool chosen: false          // the keyboard cursor is here
    property bool faceShown: up

    signal tapped()

    onUpChanged: flip.restart()
    onFoundChanged: if (found) hop.restart()

    SequentialAnimation {
        id: flip
        NumberAnimation { target: turn; property: "xScale"; to: 0; duration: 110; easing.type: Easing.InQuad }
        ScriptAction { script: card.faceShown = card.up }
        NumberAnimation { target: turn; property: "xScale"; to: 1; duration: 110; easing.type: Easing.OutQuad }
    }
    SequentialAnimation {
        id: hop
        PauseAnimation { duration: 220 }
        NumberAnimation { target: face; property: "y"; to: -14; duration: 140; easing.type: Easing.OutQuad }
        NumberAnimation { target: face; property: "y"; to: 0; duration: 220; easing.type: Easing.OutBounce }
    }

    Rectangle {
        id: face
        width: parent.width
        height: parent.height
        radius: 18
        color: card.faceShown ? "#fff8e7" : "#5e60ce"
        border.color: card.chosen ? Theme.cursor : card.found ? Theme.good : "#2b2d6e"
        border.width: card.chosen || card.found ? 7 : 3
        transform: Scale { id: turn; origin.x: face.width / 2 }

        Picture {
            anchors.fill: parent
            anchors.margins: 12
            kind: card.picture
            visible: card.faceShown
        }
        // The back: a friendly pattern of dots, the same on every card.
        Grid {
            anchors.centerIn: parent
            visible: !card.faceShown
            columns: 3
            spacing: 10
            Repeater {
                model: 9
                Rectangle {
                    width: 12
                    height: 12
                    radius: 6
                    color: index % 2 ? "#ffd60a" : "#80ffffff"
                }
            }
        }
    }

    MouseArea {
        anchors.fill: parent
        cursorShape: Qt.PointingHandCursor
        onClicked: card.tapped()
    }
}

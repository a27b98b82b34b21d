// SPDX-License-Identifier: GPL-3.0-or-later
// The end of a round: confetti rains down and a star bounces in, for a few seconds;
// then a large "play again" picture waits for a tap.
import QtQuick

Item {
    id: party

    readonly property bool waiting: again.visible

    signal againTapped()

    function start() {
        visible = true;
        confetti.model = 0;
        confetti.model = 48;
        again.visible = false;
        bounce.restart();
        hide.restart();
    }
    function stop() {
        visible = false;
        again.visible = false;
        hide.stop();
    }

    visible: false
    z: 50

    Timer {
        id: hide
        interval: 4200
        onTriggered: {
            confetti.model = 0;
            again.visible = true;
        }
    }

    Repeater {
        id: confetti
        model: 0
        Rectangle {
            readonly property real drift: (index * 37) % 100 / 100
            x: drift * party.width
            width: 10 + (index % 3) * 4
            height: 16
            radius: index % 2 ? 8 : 2
            color: ["#e63946", "#ffd60a", "#4cc9f0", "#52b788", "#ff7eb6", "#fb8500"][index % 6]
            NumberAnimation on y {
                from: -40 - (index % 7) * 60
                to: party.height + 40
                duration: 2400 + (index % 5) * 300
            }
            NumberAnimation on rotation {
                from: 0
                to: 360 * (index % 2 ? 2 : -2)
                duration: 2600
            }
        }
    }

    Picture {
        id: sun
        kind: "star"
        width: 220
        height: 220
        anchors.horizontalCenter: parent.horizontalCenter
        y: 130
        scale: 0
        SequentialAnimation {
            id: bounce
            NumberAnimation { target: sun; property: "scale"; from: 0; to: 1.15; duration: 380; easing.type: Easing.OutBack }
            NumberAnimation { target: sun; property: "scale"; to: 1; duration: 200 }
            PauseAnimation { duration: 2600 }
            NumberAnimation { target: sun; property: "scale"; to: 0; duration: 300 }
        }
    }

    // Play again: a big picture button, no reading needed.
    Picture {
        id: again
        objectName: "playAgain"
        kind: "again"
        visible: false
        width: 240
        height: 240
        anchors.centerIn: parent
        SequentialAnimation on scale {
            running: again.visible
            loops: Animation.Infinite
            NumberAnimation { to: 1.08; duration: 600; easing.type: Easing.InOutSine }
            NumberAnimation { to: 1; duration: 600; easing.type: Easing.InOutSine }
        }
        MouseArea {
            anchors.fill: parent
            cursorShape: Qt.PointingHandCursor
            onClicked: party.againTapped()
        }
    }
}

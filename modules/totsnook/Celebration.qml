// The end of a round: confetti rains down and the sun bounces in, for a few seconds.
import QtQuick

Item {
    id: party

    function start() {
        visible = true;
        confetti.model = 0;
        confetti.model = 48;
        bounce.restart();
        hide.restart();
    }

    visible: false
    z: 50

    Timer {
        id: hide
        interval: 4200
        onTriggered: party.visible = false
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
        kind: "sun"
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
}

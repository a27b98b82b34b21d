// SPDX-License-Identifier: GPL-3.0-or-later
// The ring that fills while a grown-up holds a locked button or key down; the action
// happens when it is full.
import QtQuick
import QtQuick.Shapes

Item {
    id: ring

    property real progress: 0          // 0 .. 1

    width: 84
    height: 84
    visible: progress > 0
    z: 60

    Rectangle {
        anchors.fill: parent
        radius: width / 2
        color: "#c0202040"
        border.color: "#80ffffff"
        border.width: 2
    }
    Shape {
        anchors.fill: parent
        ShapePath {
            strokeColor: "#ffd60a"
            strokeWidth: 10
            fillColor: "transparent"
            capStyle: ShapePath.RoundCap
            PathAngleArc {
                centerX: ring.width / 2
                centerY: ring.height / 2
                radiusX: ring.width / 2 - 9
                radiusY: ring.height / 2 - 9
                startAngle: -90
                sweepAngle: 360 * ring.progress
            }
        }
    }
    Text {
        anchors.centerIn: parent
        text: "Hold"
        color: "white"
        font.pixelSize: 16
        font.bold: true
    }
}

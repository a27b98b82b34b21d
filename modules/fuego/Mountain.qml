// SPDX-License-Identifier: GPL-3.0-or-later
// The mountain of SUM-mit with its ledges and the climber on the ledge reached.
import QtQuick
import "../common/Theme.mjs" as Theme

Item {
    id: mountain

    property int height_: 0       // ledges climbed
    property int summit: 30

    function ledgeY(n) { return height - 40 - (height - 90) * n / summit; }
    function ledgeX(n) { return width / 2 + (n % 2 ? 1 : -1) * (width / 2 - 40) * (1 - n / summit) * 0.8; }

    Canvas {
        anchors.fill: parent
        onPaint: {
            const ctx = getContext("2d");
            ctx.reset();
            ctx.fillStyle = "#3d4a63";
            ctx.strokeStyle = "#6c7a96";
            ctx.lineWidth = 3;
            ctx.beginPath();
            ctx.moveTo(0, height);
            ctx.lineTo(width / 2, 30);
            ctx.lineTo(width, height);
            ctx.closePath();
            ctx.fill();
            ctx.stroke();
            ctx.fillStyle = "#f1f5f9";
            ctx.beginPath();
            ctx.moveTo(width / 2, 30);
            ctx.lineTo(width / 2 + 40, 100);
            ctx.lineTo(width / 2 + 12, 88);
            ctx.lineTo(width / 2 - 8, 104);
            ctx.lineTo(width / 2 - 40, 100);
            ctx.closePath();
            ctx.fill();
        }
    }

    Repeater {
        model: mountain.summit + 1
        Rectangle {
            x: mountain.ledgeX(index) - width / 2
            y: mountain.ledgeY(index)
            width: index === mountain.summit ? 18 : 36
            height: 6
            radius: 3
            color: index <= mountain.height_ ? Theme.accent : "#8d99ae"
        }
    }

    // The climber: a little figure with a flag, on the ledge reached.
    Item {
        id: climber
        x: mountain.ledgeX(mountain.height_) - 12
        y: mountain.ledgeY(mountain.height_) - 34
        width: 24
        height: 34
        Behavior on x { NumberAnimation { duration: 300; easing.type: Easing.OutQuad } }
        Behavior on y { NumberAnimation { duration: 300; easing.type: Easing.OutQuad } }
        Rectangle { x: 7; y: 0; width: 10; height: 10; radius: 5; color: "#ffd6a5" }
        Rectangle { x: 5; y: 10; width: 14; height: 16; radius: 4; color: "#e63946" }
        Rectangle { x: 6; y: 26; width: 4; height: 8; color: "#1d3557" }
        Rectangle { x: 14; y: 26; width: 4; height: 8; color: "#1d3557" }
        Rectangle { x: 21; y: -10; width: 2; height: 24; color: "#f1f5f9" }
        Rectangle { x: 23; y: -10; width: 10; height: 7; color: Theme.accent }
    }

    Text {
        anchors.horizontalCenter: parent.horizontalCenter
        anchors.bottom: parent.bottom
        text: "Ledge " + mountain.height_
        color: Theme.text
        font.family: Theme.fontFamily
        font.pixelSize: Theme.bodySize
        font.bold: true
    }
}

// SPDX-License-Identifier: GPL-3.0-or-later
// A piece on the table: it glides to its home (a cell, or its slot in the tray, shrunk)
// and turns a step at a time (a quarter for square pieces, a sixth for hexagons). The
// mouse drags it, a click turns it clockwise, a right click or the wheel either way. It
// only reports; the board decides. `face` draws the unturned piece: a component with
// the properties look, codes, size and uprightAngle (each table gives its own).
import QtQuick
import "../common/Theme.mjs" as Theme

Item {
    id: tile

    property int pieceId: -1
    property string look
    property string codes
    property Component face
    property real size: 100
    property real homeX: 0
    property real homeY: 0
    property real homeScale: 1
    property int turn: 0              // the piece's rotation: steps counter-clockwise
    property bool held: false         // picked up with the keyboard
    property bool animated: true
    readonly property bool dragging: area.drag.active
    // The shown angle follows `turn` the short way round (clockwise is positive here).
    readonly property real step: 360 / Math.max(1, codes.length)
    property real angle: -step * turn
    property bool wasDragged: false

    signal dropped(int pieceId, real centreX, real centreY)
    signal turnRequested(int pieceId, int steps)
    signal chosen(int pieceId)

    function goHome() {
        x = Qt.binding(() => homeX);
        y = Qt.binding(() => homeY);
    }

    width: size
    height: size
    x: homeX
    y: homeY
    scale: (dragging ? 1 : homeScale) * (held ? 1.06 : 1)
    z: dragging ? 50 : held ? 40 : 1

    onDraggingChanged: if (dragging) wasDragged = true
    onTurnChanged: {
        let target = -step * turn;
        while (target - angle > 180)
            target -= 360;
        while (target - angle < -180)
            target += 360;
        angle = target;
    }

    Behavior on x { enabled: tile.animated && !tile.dragging; NumberAnimation { duration: 220; easing.type: Easing.OutCubic } }
    Behavior on y { enabled: tile.animated && !tile.dragging; NumberAnimation { duration: 220; easing.type: Easing.OutCubic } }
    Behavior on scale { enabled: tile.animated; NumberAnimation { duration: 160 } }
    Behavior on angle { enabled: tile.animated; NumberAnimation { duration: 150; easing.type: Easing.OutQuad } }

    // A shadow, so that a lifted piece floats above the board.
    Rectangle {
        visible: tile.dragging || tile.held
        x: tile.size * 0.05
        y: tile.size * 0.06
        width: tile.size
        height: tile.size
        radius: tile.size * 0.08
        color: "#70000000"
    }

    Loader {
        sourceComponent: tile.face
        rotation: tile.angle
        onLoaded: {
            item.look = Qt.binding(() => tile.look);
            item.codes = Qt.binding(() => tile.codes);
            item.size = Qt.binding(() => tile.size);
            item.uprightAngle = Qt.binding(() => tile.angle);
        }
    }

    Rectangle {
        visible: tile.held
        anchors.fill: parent
        anchors.margins: -4
        radius: tile.size * 0.1
        color: "transparent"
        border.color: Theme.cursor
        border.width: 4
    }

    MouseArea {
        id: area
        anchors.fill: parent
        acceptedButtons: Qt.LeftButton | Qt.RightButton
        cursorShape: drag.active ? Qt.ClosedHandCursor : Qt.OpenHandCursor
        drag.target: tile
        drag.threshold: 6
        onPressed: {
            tile.wasDragged = false;
            tile.chosen(tile.pieceId);
        }
        onClicked: function(mouse) {
            if (!tile.wasDragged)
                tile.turnRequested(tile.pieceId, mouse.button === Qt.RightButton ? -1 : 1);
        }
        onReleased: {
            if (tile.wasDragged)
                tile.dropped(tile.pieceId, tile.x + tile.width / 2, tile.y + tile.height / 2);
            tile.goHome();
        }
        onWheel: function(wheel) {
            if (wheel.angleDelta.y !== 0)
                tile.turnRequested(tile.pieceId, wheel.angleDelta.y < 0 ? 1 : -1);
        }
    }
}

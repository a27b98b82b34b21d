// A hexagon or sum piece on the table: it glides to its home (a cell, or its slot in the
// tray, shrunk) and turns in sixths or quarters. The mouse drags it, a click turns it
// clockwise, a right click or the wheel either way. It only reports; the table decides.
import QtQuick
import QtQuick.Shapes
import "Faces.mjs" as Faces
import "../common/Theme.mjs" as Theme

Item {
    id: piece

    property int pieceId: -1
    property string kind: "hex"       // "hex" or "sum"
    property string codes: "000000"   // the piece string, edge 1 first
    property real size: 100           // across the flat sides
    property real homeX: 0            // the centre it goes to
    property real homeY: 0
    property real homeScale: 1
    property int turn: 0              // the piece's rotation, steps counter-clockwise
    property bool held: false         // picked up with the keyboard
    property bool animated: true
    readonly property real stepDegrees: 360 / codes.length
    readonly property bool dragging: area.drag.active
    property real angle: -stepDegrees * turn   // clockwise positive, as the screen turns
    property bool wasDragged: false

    signal dropped(int pieceId, real centreX, real centreY)
    signal turnRequested(int pieceId, int steps)
    signal chosen(int pieceId)

    function goHome() {
        x = Qt.binding(() => homeX - size / 2);
        y = Qt.binding(() => homeY - size / 2);
    }

    width: size
    height: size
    x: homeX - size / 2
    y: homeY - size / 2
    scale: (dragging ? 1 : homeScale) * (held ? 1.08 : 1)

    onDraggingChanged: if (dragging) wasDragged = true
    // The shown angle follows `turn` the short way round.
    onTurnChanged: {
        let target = -stepDegrees * turn;
        while (target - angle > 180)
            target -= 360;
        while (target - angle < -180)
            target += 360;
        angle = target;
    }

    Behavior on x { enabled: piece.animated && !piece.dragging; NumberAnimation { duration: 220; easing.type: Easing.OutCubic } }
    Behavior on y { enabled: piece.animated && !piece.dragging; NumberAnimation { duration: 220; easing.type: Easing.OutCubic } }
    Behavior on scale { enabled: piece.animated; NumberAnimation { duration: 160 } }
    Behavior on angle { enabled: piece.animated; NumberAnimation { duration: 150; easing.type: Easing.OutQuad } }

    Item {
        id: face
        anchors.fill: parent
        rotation: piece.angle

        // A hexagon: six coloured fields, each with the symbol of its code.
        Shape {
            anchors.fill: parent
            visible: piece.kind === "hex"
            ShapePath {
                fillColor: "#0d1a33"
                strokeColor: piece.held ? Theme.focus : "#0a1020"
                strokeWidth: piece.held ? piece.size * 0.05 : Math.max(1, piece.size * 0.02)
                joinStyle: ShapePath.RoundJoin
                PathSvg { path: piece.kind === "hex" ? Faces.hexOutline(piece.size) : "" }
            }
        }
        Repeater {
            model: piece.kind === "hex" ? 6 : 0
            Shape {
                required property int index
                readonly property int code: Number(piece.codes[index])
                anchors.fill: parent
                ShapePath {
                    fillColor: Faces.hexColour(code)
                    strokeColor: "#0d1a33"
                    strokeWidth: Math.max(1, piece.size * 0.03)
                    joinStyle: ShapePath.RoundJoin
                    PathSvg { path: Faces.hexField(piece.size, index + 1) }
                }
                ShapePath {
                    fillColor: "#f8f8f2"
                    strokeColor: "#1b1b1b"
                    strokeWidth: Math.max(1, piece.size * 0.015)
                    joinStyle: ShapePath.RoundJoin
                    PathSvg { path: Faces.hexMark(piece.size, index + 1, code) }
                }
            }
        }

        // A sum piece: a light body with a bump or a hollow on every edge.
        Shape {
            anchors.fill: parent
            visible: piece.kind === "sum"
            ShapePath {
                fillColor: "#efe6d2"
                strokeColor: piece.held ? Theme.focus : "#5d5443"
                strokeWidth: piece.held ? piece.size * 0.05 : Math.max(1, piece.size * 0.025)
                joinStyle: ShapePath.RoundJoin
                PathSvg { path: piece.kind === "sum" ? Faces.sumOutline(piece.size, piece.codes) : "" }
            }
        }
        Repeater {
            model: piece.kind === "sum" ? 4 : 0
            Shape {
                required property int index
                readonly property int code: Number(piece.codes[index])
                anchors.fill: parent
                ShapePath {
                    fillColor: Faces.isBump(code) ? Faces.sumColour(code) : "transparent"
                    strokeColor: Faces.isBump(code) ? Qt.darker(Faces.sumColour(code), 1.6) : Faces.sumColour(code)
                    strokeWidth: Math.max(1, piece.size * (Faces.isBump(code) ? 0.02 : 0.045))
                    joinStyle: ShapePath.RoundJoin
                    PathSvg { path: Faces.sumFigure(piece.size, index + 1, code) }
                }
            }
        }
    }

    MouseArea {
        id: area
        anchors.centerIn: parent
        width: piece.size * 0.86
        height: width
        acceptedButtons: Qt.LeftButton | Qt.RightButton
        cursorShape: drag.active ? Qt.ClosedHandCursor : Qt.OpenHandCursor
        drag.target: piece
        drag.threshold: 6
        onPressed: {
            piece.wasDragged = false;
            piece.chosen(piece.pieceId);
        }
        onClicked: function(mouse) {
            if (!piece.wasDragged)
                piece.turnRequested(piece.pieceId, mouse.button === Qt.RightButton ? -1 : 1);
        }
        onReleased: {
            if (piece.wasDragged)
                piece.dropped(piece.pieceId, piece.x + piece.width / 2, piece.y + piece.height / 2);
            piece.goHome();
        }
        onWheel: function(wheel) {
            if (wheel.angleDelta.y !== 0)
                piece.turnRequested(piece.pieceId, wheel.angleDelta.y < 0 ? 1 : -1);
        }
    }
}

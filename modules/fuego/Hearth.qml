// SPDX-License-Identifier: GPL-3.0-or-later
// The Fuego Salto board: the holes of the game's board with their embers, the chosen
// ember and the holes it can reach, the keyboard frame, an ember's hop with the burst of
// the one it jumps over, and a shake for an ember that has no jump.
import QtQuick
import "../common"
import "../common/Theme.mjs" as Theme
import "SaltoRules.mjs" as Rules

Item {
    id: board

    property var game
    property int selected: -1
    property int cursor: 0
    property var targets: []
    readonly property var shape: Rules.shapeOf(game.shape)
    // The distance from a hole's centre to a corner of its hexagon: as large as the
    // board lets it be between the side columns.
    readonly property real step: {
        const xs = shape.holes.map(h => Math.sqrt(3) * (h.q + h.r / 2)), ys = shape.holes.map(h => 1.5 * h.r);
        const spanX = Math.max.apply(null, xs) - Math.min.apply(null, xs);
        const spanY = Math.max.apply(null, ys) - Math.min.apply(null, ys);
        return Math.min(44, 470 / (spanX + 1.8), (height - 30) / (spanY + 1.8));
    }
    // The middle of the board's holes, so that every shape sits in the middle.
    readonly property real middleX: shape.holes.reduce((s, h) => s + Math.sqrt(3) * (h.q + h.r / 2), 0) / shape.holes.length
    readonly property real middleY: shape.holes.reduce((s, h) => s + 1.5 * h.r, 0) / shape.holes.length
    property int landing: -1        // the hole an ember is hopping to, drawn when it lands

    signal chosen(int hole)
    signal cursorMoved(int hole)
    signal keyCommand(int key)

    function centreX(h) { return width / 2 + step * (Math.sqrt(3) * (h.q + h.r / 2) - middleX); }
    function centreY(h) { return height / 2 + step * (1.5 * h.r - middleY); }
    // The ember at `from` hops over `over` into `to`.
    function hop(from, over, to) {
        const a = shape.holes[from], b = shape.holes[to], c = shape.holes[over];
        landing = to;
        flyer.x = centreX(a) - flyer.width / 2;
        flyer.y = centreY(a) - flyer.height / 2;
        flyX.to = centreX(b) - flyer.width / 2;
        flyY.to = centreY(b) - flyer.height / 2;
        hopping.restart();
        burst.createObject(board, { x: centreX(c), y: centreY(c) });
    }
    // A click on an ember (or hole) that has nothing to do: it shakes.
    function refuse(hole) {
        refused = hole;
        shake.restart();
    }
    property int refused: -1

    focus: true

    Keys.onPressed: function(event) {
        let next = -1;
        switch (event.key) {
        case Qt.Key_Left: next = Rules.step(cursor, -1, 0, game.shape); break;
        case Qt.Key_Right: next = Rules.step(cursor, 1, 0, game.shape); break;
        case Qt.Key_Up: next = Rules.step(cursor, 0, -1, game.shape); break;
        case Qt.Key_Down: next = Rules.step(cursor, 0, 1, game.shape); break;
        case Qt.Key_Space: case Qt.Key_Return: case Qt.Key_Enter: chosen(cursor); break;
        case Qt.Key_Escape: case Qt.Key_F: case Qt.Key_R:
        case Qt.Key_1: case Qt.Key_2: case Qt.Key_3:
            keyCommand(event.key);
            break;
        default: return;
        }
        if (next >= 0)
            cursorMoved(next);
        event.accepted = true;
    }

    // The hearth's stone behind the holes: a hexagon for the hearth, a bed of discs
    // following the holes for the other boards.
    Glyph {
        visible: board.shape.id === "hearth"
        anchors.centerIn: parent
        width: 8.4 * board.step * Math.sqrt(3)
        height: width
        rotation: 30
        shape: "hexagon"
        colour: "#3a1f1a"
        outline: "#6b3a2a"
    }
    Repeater {
        model: board.shape.id === "hearth" ? 0 : board.shape.holes.length
        Rectangle {
            readonly property var at: board.shape.holes[index]
            x: board.centreX(at) - width / 2
            y: board.centreY(at) - height / 2
            width: board.step * 2.1
            height: width
            radius: width / 2
            color: "#3a1f1a"
        }
    }

    Repeater {
        model: board.shape.holes.length
        Item {
            id: hole
            readonly property var at: board.shape.holes[index]
            readonly property bool lit: board.game.embers[index] === true && board.landing !== index
            readonly property bool target: board.targets.indexOf(index) >= 0
            readonly property bool middle: board.shape.middle.indexOf(index) >= 0

            x: board.centreX(at) - width / 2
            y: board.centreY(at) - height / 2
            width: board.step * 1.7
            height: width

            // The board's middle glows under its holes; an empty hole is a small dark
            // pit; an ember is a large round coal.
            Rectangle {
                visible: hole.middle
                anchors.centerIn: parent
                width: parent.width * 0.92
                height: width
                radius: width / 2
                color: "#5b2a1c"
            }
            Rectangle {
                anchors.centerIn: parent
                width: parent.width * 0.36
                height: width
                radius: width / 2
                color: "#150b08"
                border.color: hole.middle ? "#a0522d" : "#5c3326"
                border.width: hole.middle ? 2 : 1
            }
            // The last ember of a perfect game glows.
            Rectangle {
                anchors.centerIn: parent
                visible: hole.lit && board.game.over && Rules.isPerfect(board.game)
                width: parent.width * 1.3
                height: width
                radius: width / 2
                color: "#66ffb703"
                border.color: "#ffe08a"
                border.width: 3
                SequentialAnimation on scale {
                    running: parent.visible
                    loops: Animation.Infinite
                    NumberAnimation { from: 0.85; to: 1.15; duration: 600; easing.type: Easing.InOutSine }
                    NumberAnimation { from: 1.15; to: 0.85; duration: 600; easing.type: Easing.InOutSine }
                }
            }
            Ember {
                anchors.centerIn: parent
                anchors.horizontalCenterOffset: board.refused === index ? shakeOffset.value : 0
                width: parent.width * 0.74
                height: width
                opacity: hole.lit ? 1 : 0
                scale: hole.lit ? 1 : 0.4
                Behavior on opacity { NumberAnimation { duration: 200 } }
                Behavior on scale { NumberAnimation { duration: 200 } }
            }
            // A hole the chosen ember can reach is ringed and dotted.
            Rectangle {
                anchors.centerIn: parent
                visible: hole.target
                width: parent.width * 0.8
                height: width
                radius: width / 2
                color: "transparent"
                border.color: Theme.good
                border.width: 4
                Rectangle {
                    anchors.centerIn: parent
                    width: 8
                    height: 8
                    radius: 4
                    color: Theme.good
                }
            }
            // The chosen ember, and the keyboard frame.
            Rectangle {
                anchors.centerIn: parent
                visible: board.selected === index || (board.activeFocus && board.cursor === index)
                width: parent.width * 0.96
                height: width
                radius: width / 2
                color: "transparent"
                border.color: board.selected === index ? "white" : Theme.cursor
                border.width: board.selected === index ? 5 : 3
            }
            MouseArea {
                anchors.fill: parent
                cursorShape: Qt.PointingHandCursor
                onClicked: board.chosen(index)
            }
        }
    }

    // The hopping ember: it rises as it flies and lands in its hole.
    Ember {
        id: flyer
        visible: hopping.running
        width: board.step * 1.26
        height: width
        z: 3
    }
    ParallelAnimation {
        id: hopping
        NumberAnimation { id: flyX; target: flyer; property: "x"; duration: 240; easing.type: Easing.InOutQuad }
        NumberAnimation { id: flyY; target: flyer; property: "y"; duration: 240; easing.type: Easing.InOutQuad }
        SequentialAnimation {
            NumberAnimation { target: flyer; property: "scale"; from: 1; to: 1.35; duration: 120; easing.type: Easing.OutQuad }
            NumberAnimation { target: flyer; property: "scale"; to: 1; duration: 120; easing.type: Easing.InQuad }
        }
        onFinished: board.landing = -1
    }

    // The shake of a refused ember.
    QtObject { id: shakeOffset; property real value: 0 }
    SequentialAnimation {
        id: shake
        NumberAnimation { target: shakeOffset; property: "value"; to: 7; duration: 45 }
        NumberAnimation { target: shakeOffset; property: "value"; to: -7; duration: 90 }
        NumberAnimation { target: shakeOffset; property: "value"; to: 4; duration: 70 }
        NumberAnimation { target: shakeOffset; property: "value"; to: 0; duration: 45 }
        onFinished: board.refused = -1
    }

    // Sparks flying out of an ember that burns out.
    Component {
        id: burst
        Item {
            id: sparks
            z: 4
            Repeater {
                model: 10
                Rectangle {
                    readonly property real angle: index * Math.PI / 5 + 0.3
                    width: 10
                    height: 10
                    radius: 5
                    color: index % 2 ? "#fff3b0" : "#ff9f1c"
                    x: -5
                    y: -5
                    NumberAnimation on x { to: -5 + Math.cos(angle) * 52; duration: 420; easing.type: Easing.OutCubic }
                    NumberAnimation on y { to: -5 + Math.sin(angle) * 52; duration: 420; easing.type: Easing.OutCubic }
                }
            }
            SequentialAnimation on opacity {
                PauseAnimation { duration: 200 }
                NumberAnimation { from: 1; to: 0; duration: 260 }
            }
            Timer { interval: 480; running: true; onTriggered: sparks.destroy() }
        }
    }
}

// SPDX-License-Identifier: GPL-3.0-or-later
// The island of Overlord: hexagonal lands, each showing its owner by colour and by mark
// (the player's ring, the computer's spear point, nothing for neutral lands) and its
// armies as a number. Click one of your lands, then a land touching it; pointing at (or
// framing) a target shows what the march would leave. The computer's last march is
// drawn as an arrow. From the keyboard the arrows move the frame, Space chooses and 1
// to 4 pick the opponent.
import QtQuick
import QtQuick.Shapes
import "../common"
import "../common/Theme.mjs" as Theme
import "Rules.mjs" as Rules

Item {
    id: map

    property var state
    property int selected: -1
    property int cursor: 0
    property var lastMove: null          // the computer's last march, shown with an arrow
    property int pointed: -1             // the land under the pointer
    readonly property var isle: Rules.islandOf(state)
    // Centre to corner of a land: as large as the island fits, at most 56.
    readonly property real step: {
        let x = 0, y = 0;
        for (const l of isle.lands) {
            x = Math.max(x, Math.abs(Math.sqrt(3) * (l.q + l.r / 2)));
            y = Math.max(y, Math.abs(1.5 * l.r));
        }
        return Math.min(56, (width / 2 - 8) / (x + Math.sqrt(3) / 2), (height / 2 - 8) / (y + 1));
    }
    // The target whose march is previewed: the pointed land, else the framed one.
    readonly property int previewed: selected < 0 ? -1
        : pointed >= 0 && isle.neighbours[selected].indexOf(pointed) >= 0 ? pointed
        : isle.neighbours[selected].indexOf(cursor) >= 0 ? cursor : -1

    signal chosen(int land)
    signal passRequested()
    signal cursorMoved(int land)
    signal released()
    signal strengthChosen(int level)
    signal islandRequested()
    signal resignRequested()

    function centreX(l) { return width / 2 + step * Math.sqrt(3) * (l.q + l.r / 2); }
    function centreY(l) { return height / 2 + step * 1.5 * l.r; }
    // The land in the next row up or down nearest to the frame.
    function vertical(dr) {
        const from = isle.lands[cursor];
        let best = cursor, bestDistance = 1e9;
        isle.lands.forEach((l, i) => {
            if (l.r !== from.r + dr)
                return;
            const d = Math.abs(centreX(l) - centreX(from));
            if (d < bestDistance - 0.1) {
                best = i;
                bestDistance = d;
            }
        });
        return best;
    }

    Keys.onPressed: function(event) {
        const l = isle.lands[cursor];
        let next = -2;
        switch (event.key) {
        case Qt.Key_Left: next = Rules.landAt(l.q - 1, l.r, isle); break;
        case Qt.Key_Right: next = Rules.landAt(l.q + 1, l.r, isle); break;
        case Qt.Key_Up: next = vertical(-1); break;
        case Qt.Key_Down: next = vertical(1); break;
        case Qt.Key_Space: case Qt.Key_Return: case Qt.Key_Enter: chosen(cursor); break;
        case Qt.Key_W: passRequested(); break;
        case Qt.Key_Escape: released(); break;
        case Qt.Key_1: case Qt.Key_2: case Qt.Key_3: case Qt.Key_4: strengthChosen(event.key - Qt.Key_1); break;
        case Qt.Key_I: islandRequested(); break;
        case Qt.Key_R: resignRequested(); break;
        default: return;
        }
        if (next >= 0)
            cursorMoved(next);
        event.accepted = true;
    }

    Repeater {
        model: map.isle.lands.length
        Item {
            id: land
            readonly property int owner: map.state.owner[index]
            readonly property bool reachable: map.selected >= 0 && map.isle.neighbours[map.selected].indexOf(index) >= 0
            readonly property var after: map.previewed === index
                ? Rules.preview(map.state, Rules.human, { from: map.selected, to: index }) : null
            readonly property bool marched: map.lastMove !== null
                                            && (map.lastMove.from === index || map.lastMove.to === index)

            // A land showing a preview lies over its neighbours, so the preview shows whole.
            z: after ? 2 : 0
            x: map.centreX(map.isle.lands[index]) - width / 2
            y: map.centreY(map.isle.lands[index]) - height / 2
            width: map.step * 2
            height: width

            // Glyph's hexagon fills 0.84 of its box: sized so that lands touch, less a seam.
            Glyph {
                anchors.centerIn: parent
                width: (map.step - 1.5) / 0.42
                height: width
                shape: "hexagon"
                colour: land.owner === Rules.human ? "#2f6fd0" : land.owner === Rules.computer ? "#c2412d" : "#6b7280"
                outline: map.selected === index ? "white" : land.reachable ? Theme.good
                       : land.marched ? Theme.accent : "#1f2937"
            }
            // The owner's mark, so the map reads without colour too: a ring for the
            // player, a triangle for the computer.
            Glyph {
                anchors.horizontalCenter: parent.horizontalCenter
                y: parent.height * 0.16
                width: map.step * 0.4
                height: width
                visible: land.owner !== Rules.neutral
                shape: land.owner === Rules.human ? "ring" : "triangle"
                colour: "white"
                outline: "#1f2937"
            }
            // Nobody's land worn to no army shows nothing rather than 0.
            Text {
                anchors.centerIn: parent
                anchors.verticalCenterOffset: map.step * 0.14
                text: land.owner === Rules.neutral && !map.state.armies[index] ? "" : map.state.armies[index]
                color: "white"
                font.family: Theme.fontFamily
                font.pixelSize: map.step * 0.5
                font.bold: true
            }
            // The preview of a march here: who then holds the land with how many.
            Rectangle {
                objectName: "preview" + index
                visible: land.after !== null
                anchors.horizontalCenter: parent.horizontalCenter
                anchors.top: parent.bottom
                anchors.topMargin: -map.step * 0.42
                z: 3
                width: previewText.implicitWidth + 14
                height: previewText.implicitHeight + 6
                radius: height / 2
                color: land.after && land.after.takes ? Theme.good : "#f59e0b"
                border.color: "#1f2937"
                Text {
                    id: previewText
                    anchors.centerIn: parent
                    text: !land.after ? "" : land.after.takes ? "yours: " + land.after.armies
                        : land.after.owner === Rules.human ? "joined: " + land.after.armies
                        : land.after.owner === Rules.neutral ? "nobody's"
                        : "holds: " + land.after.armies
                    color: "#111827"
                    font.family: Theme.fontFamily
                    font.pixelSize: Theme.smallSize
                    font.bold: true
                }
            }
            // The frame of the keyboard and rings for the chosen land and its targets.
            Rectangle {
                anchors.centerIn: parent
                visible: map.activeFocus && map.cursor === index
                width: parent.width * 0.62
                height: width
                radius: width / 2
                color: "transparent"
                border.color: Theme.cursor
                border.width: 4
            }
            Rectangle {
                anchors.centerIn: parent
                visible: land.reachable || map.selected === index || land.marched
                width: parent.width * 0.74
                height: width
                radius: width / 2
                color: "transparent"
                border.color: map.selected === index ? "white" : land.reachable ? Theme.good : Theme.accent
                border.width: 3
                opacity: 0.9
            }
            MouseArea {
                anchors.fill: parent
                anchors.margins: map.step * 0.25
                cursorShape: Qt.PointingHandCursor
                hoverEnabled: true
                onContainsMouseChanged: {
                    if (containsMouse)
                        map.pointed = index;
                    else if (map.pointed === index)
                        map.pointed = -1;
                }
                onClicked: map.chosen(index)
            }
        }
    }

    // The computer's last march: an arrow that grows from the land it left to the land
    // it marched into.
    Shape {
        id: arrow
        property real progress: 1
        readonly property var from: map.lastMove ? map.isle.lands[map.lastMove.from] : null
        readonly property var to: map.lastMove ? map.isle.lands[map.lastMove.to] : null
        readonly property real x0: from ? map.centreX(from) : 0
        readonly property real y0: from ? map.centreY(from) : 0
        // From the edge of one land to the edge of the other, clear of both numbers.
        readonly property real x1: to ? x0 + (map.centreX(to) - x0) * (0.3 + 0.42 * progress) : 0
        readonly property real y1: to ? y0 + (map.centreY(to) - y0) * (0.3 + 0.42 * progress) : 0
        readonly property real angle: Math.atan2(y1 - y0, x1 - x0)

        anchors.fill: parent
        visible: from !== null
        z: 2

        ShapePath {
            strokeColor: Theme.accent
            strokeWidth: 7
            fillColor: Theme.accent
            capStyle: ShapePath.RoundCap
            startX: arrow.to ? arrow.x0 + (map.centreX(arrow.to) - arrow.x0) * 0.28 : 0
            startY: arrow.to ? arrow.y0 + (map.centreY(arrow.to) - arrow.y0) * 0.28 : 0
            PathLine { x: arrow.x1; y: arrow.y1 }
            PathLine { x: arrow.x1 - 18 * Math.cos(arrow.angle - 0.5); y: arrow.y1 - 18 * Math.sin(arrow.angle - 0.5) }
            PathMove { x: arrow.x1; y: arrow.y1 }
            PathLine { x: arrow.x1 - 18 * Math.cos(arrow.angle + 0.5); y: arrow.y1 - 18 * Math.sin(arrow.angle + 0.5) }
        }
        NumberAnimation on progress { id: grow; from: 0; to: 1; duration: 320; easing.type: Easing.OutCubic }
    }
    onLastMoveChanged: if (lastMove) grow.restart()
}

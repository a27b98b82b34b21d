// The island of Overlord: nineteen hexagonal lands, each showing its owner by colour
// and by mark (the player's shield, the computer's spear point, nothing for neutral
// lands) and its armies as a number. Click one of your lands, then a land touching it;
// from the keyboard the arrows move the frame, Space chooses and 1 to 3 pick the
// opponent.
import QtQuick
import "../common"
import "../common/Theme.mjs" as Theme
import "Rules.mjs" as Rules

Item {
    id: map

    property var state
    property int selected: -1
    property int cursor: 0
    property var lastMove: null          // the computer's last march, shown with rings
    readonly property real step: 56      // centre to corner of a land

    signal chosen(int land)
    signal passRequested()
    signal cursorMoved(int land)
    signal released()
    signal strengthChosen(int level)

    function centreX(l) { return width / 2 + step * Math.sqrt(3) * (l.q + l.r / 2); }
    function centreY(l) { return height / 2 + step * 1.5 * l.r; }
    // The land in the next row up or down nearest to the frame.
    function vertical(dr) {
        const from = Rules.lands[cursor];
        let best = cursor, bestDistance = 1e9;
        Rules.lands.forEach((l, i) => {
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
        const l = Rules.lands[cursor];
        let next = -2;
        switch (event.key) {
        case Qt.Key_Left: next = Rules.landAt(l.q - 1, l.r); break;
        case Qt.Key_Right: next = Rules.landAt(l.q + 1, l.r); break;
        case Qt.Key_Up: next = vertical(-1); break;
        case Qt.Key_Down: next = vertical(1); break;
        case Qt.Key_Space: case Qt.Key_Return: case Qt.Key_Enter: chosen(cursor); break;
        case Qt.Key_W: passRequested(); break;
        case Qt.Key_Escape: released(); break;
        case Qt.Key_1: case Qt.Key_2: case Qt.Key_3: strengthChosen(event.key - Qt.Key_1); break;
        default: return;
        }
        if (next >= 0)
            cursorMoved(next);
        event.accepted = true;
    }

    Repeater {
        model: Rules.lands.length
        Item {
            id: land
            readonly property int owner: map.state.owner[index]
            readonly property bool reachable: map.selected >= 0 && Rules.neighbours[map.selected].indexOf(index) >= 0
            readonly property bool marched: map.lastMove !== null
                                            && (map.lastMove.from === index || map.lastMove.to === index)

            x: map.centreX(Rules.lands[index]) - width / 2
            y: map.centreY(Rules.lands[index]) - height / 2
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
                width: 22
                height: 22
                visible: land.owner !== Rules.neutral
                shape: land.owner === Rules.human ? "ring" : "triangle"
                colour: "white"
                outline: "#1f2937"
            }
            Text {
                anchors.centerIn: parent
                anchors.verticalCenterOffset: 8
                text: map.state.armies[index]
                color: "white"
                font.family: Theme.fontFamily
                font.pixelSize: 28
                font.bold: true
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
                onClicked: map.chosen(index)
            }
        }
    }
}

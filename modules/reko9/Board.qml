// SPDX-License-Identifier: GPL-3.0-or-later
// The ReKo board: nine (or sixteen) numbered tiles that slide to their new cells when a
// block turns, and the turning points between them. Click a turning point to turn its
// block clockwise; on its right half, with Shift held, with a right click or the wheel
// it turns the other way, and the button shows which. Arrows choose a turning point from
// the keyboard, Space or E turns clockwise, Q the other way, T asks for a hint.
import QtQuick
import "../common"
import "../common/Theme.mjs" as Theme

Item {
    id: board

    property var position: [1, 2, 3, 4, 5, 6, 7, 8, 9]
    readonly property int size: Math.round(Math.sqrt(position.length))
    readonly property int blocks: (size - 1) * (size - 1)
    property int cursor: 0                 // the turning point the keys act on
    property var hintMove: null            // { block, clockwise } to show, or null
    property bool locked: false            // a finished game takes no moves
    readonly property real gap: 8
    readonly property real cell: (3 * 138 + 2 * 8 - (size - 1) * gap) / size
    property bool shiftHeld: false

    signal turnRequested(int block, bool clockwise)
    signal hintRequested()
    signal undoRequested()
    signal modeRequested()
    signal dailyRequested()

    function cellX(index) { return (index % size) * (cell + gap); }
    function cellY(index) { return Math.floor(index / size) * (cell + gap); }

    width: size * cell + (size - 1) * gap
    height: width
    onSizeChanged: cursor = 0

    Keys.onReleased: function(event) { shiftHeld = (event.modifiers & Qt.ShiftModifier) !== 0; }
    Keys.onPressed: function(event) {
        const side = size - 1, row = Math.floor(cursor / side), column = cursor % side;
        shiftHeld = event.key === Qt.Key_Shift || (event.modifiers & Qt.ShiftModifier) !== 0;
        switch (event.key) {
        case Qt.Key_Left: cursor = row * side + Math.max(0, column - 1); break;
        case Qt.Key_Right: cursor = row * side + Math.min(side - 1, column + 1); break;
        case Qt.Key_Up: cursor = Math.max(0, row - 1) * side + column; break;
        case Qt.Key_Down: cursor = Math.min(side - 1, row + 1) * side + column; break;
        case Qt.Key_Shift: return;
        case Qt.Key_Space: case Qt.Key_Return: case Qt.Key_Enter: case Qt.Key_E:
            turnRequested(cursor, true);
            break;
        case Qt.Key_Q:
            turnRequested(cursor, false);
            break;
        case Qt.Key_T:
            hintRequested();
            break;
        case Qt.Key_U:
            undoRequested();
            break;
        case Qt.Key_Z:
            if (!(event.modifiers & Qt.ControlModifier))
                return;
            undoRequested();
            break;
        case Qt.Key_M:
            modeRequested();
            break;
        case Qt.Key_D:
            dailyRequested();
            break;
        default:
            return;
        }
        event.accepted = true;
    }

    Repeater {
        model: board.position.length
        Rectangle {
            id: tile
            readonly property int number: index + 1
            readonly property int at: board.position.indexOf(number)
            readonly property bool home: at === index

            x: board.cellX(at)
            y: board.cellY(at)
            width: board.cell
            height: board.cell
            radius: 16
            // The row a tile belongs in gives its colour; the number says it all the same.
            color: ["#3d6fb6", "#2e8b74", "#a0522d", "#7b4fa6"][Math.floor(index / board.size)]
            border.color: home ? Theme.good : Qt.darker(color, 1.6)
            border.width: home ? 5 : 2

            Behavior on x { NumberAnimation { duration: 170; easing.type: Easing.OutCubic } }
            Behavior on y { NumberAnimation { duration: 170; easing.type: Easing.OutCubic } }

            Text {
                anchors.centerIn: parent
                text: tile.number
                color: "white"
                font.family: Theme.fontFamily
                font.pixelSize: board.cell * 0.52
                font.bold: true
            }
            // A tile in its own cell says so with a mark as well as its border, at the
            // middle of its top edge, where no turning point covers it.
            Text {
                objectName: "homeMark" + tile.number
                anchors.horizontalCenter: parent.horizontalCenter
                anchors.top: parent.top
                anchors.topMargin: 4
                visible: tile.home
                text: "✔"
                color: Theme.good
                font.pixelSize: 22
            }
        }
    }

    Repeater {
        model: board.blocks
        Rectangle {
            id: pivot
            readonly property bool hinted: board.hintMove !== null && board.hintMove.block === index
            readonly property bool chosen: board.activeFocus && board.cursor === index
            // The way a left click turns now: the other way on the right half or with Shift.
            readonly property bool backwards: area.containsMouse ? area.mouseX > width / 2 || board.shiftHeld
                : hinted ? !board.hintMove.clockwise : board.shiftHeld
            readonly property int topLeft: Math.floor(index / (board.size - 1)) * board.size + index % (board.size - 1)

            objectName: "pivot" + index
            x: board.cellX(topLeft) + board.cell + board.gap / 2 - width / 2
            y: board.cellY(topLeft) + board.cell + board.gap / 2 - height / 2
            width: Math.min(64, board.cell * 0.48)
            height: width
            radius: width / 2
            color: area.containsMouse ? Theme.accent : "#e0f1f3f8"
            border.color: hinted ? Theme.good : chosen ? Theme.cursor : "#50000000"
            border.width: hinted || chosen ? 5 : 2
            scale: area.pressed ? 0.9 : 1

            Text {
                anchors.centerIn: parent
                text: pivot.backwards ? "↺" : "↻"
                color: Theme.background
                font.pixelSize: pivot.width * 0.62
                font.bold: true
            }

            SequentialAnimation on opacity {
                running: pivot.hinted
                loops: Animation.Infinite
                onRunningChanged: if (!running) pivot.opacity = 1
                NumberAnimation { to: 0.45; duration: 420 }
                NumberAnimation { to: 1; duration: 420 }
            }

            MouseArea {
                id: area
                anchors.fill: parent
                hoverEnabled: true
                acceptedButtons: Qt.LeftButton | Qt.RightButton
                cursorShape: Qt.PointingHandCursor
                onClicked: function(mouse) {
                    board.cursor = index;
                    const other = mouse.button !== Qt.LeftButton || mouse.x > width / 2
                                  || (mouse.modifiers & Qt.ShiftModifier);
                    board.turnRequested(index, !other);
                }
                onWheel: function(wheel) { board.turnRequested(index, wheel.angleDelta.y < 0); }
            }
        }
    }
}

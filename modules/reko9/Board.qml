// The ReKo 9 board: nine numbered tiles that slide to their new cells when a block turns,
// and the four turning points between them. Click a turning point to turn its block
// clockwise, right-click (or wheel up) for the other way; arrows choose a turning point
// from the keyboard, Space or E turns clockwise, Q the other way, T asks for a hint.
import QtQuick
import "../common"
import "../common/Theme.mjs" as Theme

Item {
    id: board

    property var position: [1, 2, 3, 4, 5, 6, 7, 8, 9]
    property int cursor: 0                 // the turning point the keys act on
    property var hintMove: null            // { block, clockwise } to show, or null
    property bool locked: false            // a finished game takes no moves
    readonly property real cell: 138
    readonly property real gap: 8

    signal turnRequested(int block, bool clockwise)
    signal hintRequested()

    function cellX(index) { return (index % 3) * (cell + gap); }
    function cellY(index) { return Math.floor(index / 3) * (cell + gap); }

    width: 3 * cell + 2 * gap
    height: width

    Keys.onPressed: function(event) {
        const row = Math.floor(cursor / 2), column = cursor % 2;
        switch (event.key) {
        case Qt.Key_Left: cursor = row * 2; break;
        case Qt.Key_Right: cursor = row * 2 + 1; break;
        case Qt.Key_Up: cursor = column; break;
        case Qt.Key_Down: cursor = 2 + column; break;
        case Qt.Key_Space: case Qt.Key_Return: case Qt.Key_Enter: case Qt.Key_E:
            turnRequested(cursor, true);
            break;
        case Qt.Key_Q:
            turnRequested(cursor, false);
            break;
        case Qt.Key_T:
            hintRequested();
            break;
        default:
            return;
        }
        event.accepted = true;
    }

    Repeater {
        model: 9
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
            color: ["#3d6fb6", "#2e8b74", "#a0522d"][Math.floor(index / 3)]
            border.color: home ? Theme.good : Qt.darker(color, 1.6)
            border.width: home ? 5 : 2

            Behavior on x { NumberAnimation { duration: 170; easing.type: Easing.OutCubic } }
            Behavior on y { NumberAnimation { duration: 170; easing.type: Easing.OutCubic } }

            Text {
                anchors.centerIn: parent
                text: tile.number
                color: "white"
                font.family: Theme.fontFamily
                font.pixelSize: 72
                font.bold: true
            }
            // A tile in its own cell says so with a mark as well as its border.
            Text {
                anchors.right: parent.right
                anchors.bottom: parent.bottom
                anchors.margins: 8
                visible: tile.home
                text: "✔"
                color: Theme.good
                font.pixelSize: 22
            }
        }
    }

    Repeater {
        model: 4
        Rectangle {
            id: pivot
            readonly property bool hinted: board.hintMove !== null && board.hintMove.block === index
            readonly property bool chosen: board.activeFocus && board.cursor === index

            x: board.cellX(index < 2 ? index : index + 1) + board.cell + board.gap / 2 - width / 2
            y: board.cellY(index < 2 ? 0 : 3) + board.cell + board.gap / 2 - height / 2
            width: 64
            height: 64
            radius: 32
            color: area.containsMouse ? Theme.accent : "#e0f1f3f8"
            border.color: hinted ? Theme.good : chosen ? Theme.cursor : "#50000000"
            border.width: hinted || chosen ? 5 : 2
            scale: area.pressed ? 0.9 : 1

            Text {
                anchors.centerIn: parent
                text: pivot.hinted && !board.hintMove.clockwise ? "↺" : "↻"
                color: Theme.background
                font.pixelSize: 40
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
                    board.turnRequested(index, mouse.button === Qt.LeftButton);
                }
                onWheel: function(wheel) { board.turnRequested(index, wheel.angleDelta.y < 0); }
            }
        }
    }
}

// SPDX-License-Identifier: GPL-3.0-or-later
// The Numero board: cells of digits (and, in Pro, signs) with the path traced so far.
// Press and drag across cells, or click them one by one; the arrows move a frame that
// Space adds to the path, Backspace or Escape clears it, S skips the target.
import QtQuick
import "../common"
import "../common/Theme.mjs" as Theme
import "Rules.mjs" as Rules

Item {
    id: board

    property var game
    property int cursor: 0
    readonly property int size: game.mode.size
    readonly property real cell: Math.floor(512 / size)
    property var flashed: []

    signal touched(int index)
    signal cursorMoved(int index)
    signal clearRequested()
    signal skipRequested()

    // Cells that just cleared pop once as their new values come in, and what the path
    // earned rises from its middle.
    function flash(path, lines) {
        flashed = path.slice();
        flashTimer.restart();
        if (!lines || !lines.length)
            return;
        let x = 0, y = 0;
        for (const i of path) {
            x += (i % size + 0.5) * cell;
            y += (Math.floor(i / size) + 0.5) * cell;
        }
        rising.createObject(board, { x: x / path.length, y: y / path.length, lines: lines });
    }
    function indexAt(x, y) {
        const column = Math.floor(x / cell), row = Math.floor(y / cell);
        if (column < 0 || row < 0 || column >= size || row >= size)
            return -1;
        return row * size + column;
    }

    width: cell * size
    height: cell * size

    Keys.onPressed: function(event) {
        const row = Math.floor(cursor / size), column = cursor % size;
        switch (event.key) {
        case Qt.Key_Left: if (column > 0) cursorMoved(cursor - 1); break;
        case Qt.Key_Right: if (column < size - 1) cursorMoved(cursor + 1); break;
        case Qt.Key_Up: if (row > 0) cursorMoved(cursor - size); break;
        case Qt.Key_Down: if (row < size - 1) cursorMoved(cursor + size); break;
        case Qt.Key_Space: case Qt.Key_Return: case Qt.Key_Enter: touched(cursor); break;
        case Qt.Key_Backspace: case Qt.Key_Escape: case Qt.Key_Delete: clearRequested(); break;
        case Qt.Key_S: skipRequested(); break;
        default: return;
        }
        event.accepted = true;
    }

    Timer {
        id: flashTimer
        interval: 450
        onTriggered: board.flashed = []
    }

    Repeater {
        model: board.size * board.size
        Rectangle {
            id: tile
            readonly property string text: board.game.cells[index]
            readonly property bool operator: Rules.isOperatorCell(board.game.mode, index)
            readonly property int step: board.game.path.indexOf(index)
            readonly property bool popping: board.flashed.indexOf(index) >= 0

            x: (index % board.size) * board.cell + 3
            y: Math.floor(index / board.size) * board.cell + 3
            width: board.cell - 6
            height: board.cell - 6
            radius: operator ? width / 2 : 10
            color: step >= 0 ? "#ffb703" : operator ? "#24365e" : Theme.panelLight
            border.color: "#0d1730"
            border.width: 1
            scale: popping ? 1.12 : 1
            Behavior on scale { NumberAnimation { duration: 160 } }
            Behavior on color { ColorAnimation { duration: 120 } }

            Text {
                anchors.centerIn: parent
                text: tile.text
                color: tile.step >= 0 ? Theme.background : tile.operator ? "#9fd3ff" : Theme.text
                font.family: Theme.fontFamily
                font.pixelSize: tile.operator ? board.cell * 0.4 : board.cell * 0.5
                font.bold: true
            }
            // The order of the path, so it reads without the colour too: a dark badge
            // inside the cell (at the top of a round sign cell), light figures on it.
            Rectangle {
                visible: tile.step >= 0
                x: tile.operator ? (parent.width - width) / 2 : 3
                y: tile.operator ? 1 : 3
                width: Math.max(18, order.implicitWidth + 8)
                height: 18
                radius: 9
                color: Theme.background
                Text {
                    id: order
                    anchors.centerIn: parent
                    text: tile.step + 1
                    color: Theme.text
                    font.family: Theme.fontFamily
                    font.pixelSize: 12
                    font.bold: true
                }
            }
        }
    }

    CellCursor {
        objectName: "frame"
        visible: board.activeFocus
        x: (board.cursor % board.size) * board.cell
        y: Math.floor(board.cursor / board.size) * board.cell
        width: board.cell
        height: board.cell
        radius: 12
        inner: "#0d1730"
    }

    // What a cleared path earned, rising from it and fading.
    Component {
        id: rising
        Column {
            id: label
            property var lines: []
            z: 5
            transform: Translate { x: -label.width / 2; y: -label.height / 2 }
            Repeater {
                model: label.lines
                Text {
                    anchors.horizontalCenter: parent.horizontalCenter
                    text: modelData
                    color: index === 0 ? Theme.accent : Theme.good
                    style: Text.Outline
                    styleColor: Theme.background
                    font.family: Theme.fontFamily
                    font.pixelSize: index === 0 ? 34 : 20
                    font.bold: true
                }
            }
            ParallelAnimation {
                running: true
                NumberAnimation { target: label; property: "y"; to: label.y - 70; duration: 1100; easing.type: Easing.OutCubic }
                SequentialAnimation {
                    PauseAnimation { duration: 650 }
                    NumberAnimation { target: label; property: "opacity"; to: 0; duration: 450 }
                }
                onFinished: label.destroy()
            }
        }
    }

    MouseArea {
        anchors.fill: parent
        cursorShape: Qt.PointingHandCursor
        property int last: -1
        onPressed: function(mouse) {
            last = board.indexAt(mouse.x, mouse.y);
            if (last >= 0)
                board.touched(last);
        }
        onPositionChanged: function(mouse) {
            const index = board.indexAt(mouse.x, mouse.y);
            if (index < 0 || index === last)
                return;
            // Dragging only extends the path or steps it back; it never restarts it.
            const path = board.game.path;
            if (path.length > 0 && (Rules.adjacent(board.game.mode, path[path.length - 1], index)
                                    || path[path.length - 2] === index)) {
                last = index;
                board.touched(index);
            }
        }
    }
}

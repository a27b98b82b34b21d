// The Numero board: cells of digits (and, in Pro, signs) with the path traced so far.
// Press and drag across cells, or click them one by one; the arrows move a frame that
// Space adds to the path, Backspace or Escape clears it.
import QtQuick
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

    // Cells that just cleared pop once as their new values come in.
    function flash(path) {
        flashed = path.slice();
        flashTimer.restart();
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
            border.color: board.activeFocus && board.cursor === index ? Theme.cursor : "#0d1730"
            border.width: board.activeFocus && board.cursor === index ? 4 : 1
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
            // The order of the path, so it reads without the colour too.
            Text {
                visible: tile.step >= 0
                anchors.left: parent.left
                anchors.top: parent.top
                anchors.margins: 4
                text: tile.step + 1
                color: Theme.background
                font.family: Theme.fontFamily
                font.pixelSize: 12
                font.bold: true
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

// SPDX-License-Identifier: GPL-3.0-or-later
// A board of lamps, fitted into the item and centred. It draws the position it is given
// and forwards input: a click or Space/Enter presses a lamp, the arrows move the cursor.
import QtQuick
import "Rules.mjs" as Rules

Item {
    id: boardView

    property var board                  // from Rules: cells, neighbours, levels, shape
    property var lamps: []
    property int cursor: 0
    property var hints: []              // presses per lamp while the solution is shown

    signal lampPressed(int index)
    signal cursorMoved(int index)

    Keys.onPressed: function(event) {
        const steps = { [Qt.Key_Left]: [-1, 0], [Qt.Key_Right]: [1, 0], [Qt.Key_Up]: [0, -1], [Qt.Key_Down]: [0, 1] };
        if (!board)
            return;
        if (steps[event.key]) {
            cursorMoved(Rules.step(board, cursor, steps[event.key][0], steps[event.key][1]));
            event.accepted = true;
        } else if (event.key === Qt.Key_Space || event.key === Qt.Key_Return || event.key === Qt.Key_Enter) {
            lampPressed(cursor);
            event.accepted = true;
        }
    }

    readonly property var bounds: {
        if (!board)
            return { minX: 0, minY: 0, w: 1, h: 1 };
        const xs = board.cells.map(c => c.x), ys = board.cells.map(c => c.y);
        const minX = Math.min.apply(null, xs), minY = Math.min.apply(null, ys);
        return { minX: minX, minY: minY, w: Math.max.apply(null, xs) - minX + 1,
                 h: Math.max.apply(null, ys) - minY + 1 };
    }
    readonly property real unit: Math.min(width / bounds.w, height / bounds.h, 96)
    readonly property real originX: (width - bounds.w * unit) / 2
    readonly property real originY: (height - bounds.h * unit) / 2

    Repeater {
        model: boardView.board ? boardView.board.cells.length : 0
        Lamp {
            objectName: "lamp" + index
            x: boardView.originX + (boardView.board.cells[index].x - boardView.bounds.minX) * boardView.unit
            y: boardView.originY + (boardView.board.cells[index].y - boardView.bounds.minY) * boardView.unit
            width: boardView.unit
            height: boardView.unit
            levels: boardView.board.levels
            round: boardView.board.shape === "hex"
            level: boardView.lamps[index] || 0
            current: boardView.activeFocus && boardView.cursor === index
            hint: boardView.hints[index] || 0
            onPressed: {
                boardView.forceActiveFocus();
                boardView.cursorMoved(index);
                boardView.lampPressed(index);
            }
        }
    }
}

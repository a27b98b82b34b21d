// SPDX-License-Identifier: GPL-3.0-or-later
// The grid of balls with the keyboard cursor. It draws the game it is given, lets a
// moved ball travel its path before the board shows the result, and reports the cell
// the player picks; mouse and keys both end in picked(index).
import QtQuick
import "../common"
import "../common/Theme.mjs" as Theme
import "Rules.mjs" as Rules

Item {
    id: board

    property var game
    property int selected: -1
    property int cursor: 40
    readonly property int n: game ? game.size : Rules.size
    readonly property real cell: 56
    // The cells as drawn: while a ball travels they lag behind the game.
    property var shown: []
    property var reach: ({})
    property var way: []
    property int step: 0
    property int travellerColour: 0
    property string shownKey

    signal picked(int index)
    signal cancelled()

    function refresh() {
        if (!game)
            return;
        const key = game.seed + "/" + game.moves;
        const oneMoveOn = shownKey === game.seed + "/" + (game.moves - 1) && game.path.length > 1;
        shownKey = key;
        if (!oneMoveOn) {
            endTravel();
            return;
        }
        // Off the board it was on, the ball takes its way; then the rest of the move shows.
        const before = shown.slice();
        travellerColour = before[game.path[0]];
        before[game.path[0]] = -1;
        shown = before;
        way = game.path;
        step = 0;
        stepper.restart();
    }
    function endTravel() {
        const travelled = way.length > 0;
        stepper.stop();
        way = [];
        shown = game.cells;
        if (travelled || game.placed.length)
            landed = game.placed.slice();
        landing.restart();
    }
    property var landed: []
    function moveCursor(col, row) {
        col = Math.max(0, Math.min(n - 1, col));
        row = Math.max(0, Math.min(n - 1, row));
        cursor = row * n + col;
    }
    function cellX(index) { return (index % n) * cell; }
    function cellY(index) { return Math.floor(index / n) * cell; }

    width: n * cell
    height: n * cell
    focus: true
    activeFocusOnTab: true

    onGameChanged: refresh()
    onSelectedChanged: {
        const ids = {};
        if (game && selected >= 0)
            Rules.reachable(game.cells, n, selected).forEach(i => { ids[i] = true; });
        reach = ids;
    }

    Keys.onPressed: function(event) {
        const col = cursor % n, row = Math.floor(cursor / n);
        switch (event.key) {
        case Qt.Key_Left: moveCursor(col - 1, row); break;
        case Qt.Key_Right: moveCursor(col + 1, row); break;
        case Qt.Key_Up: moveCursor(col, row - 1); break;
        case Qt.Key_Down: moveCursor(col, row + 1); break;
        case Qt.Key_Space:
        case Qt.Key_Return:
        case Qt.Key_Enter:
            picked(cursor);
            break;
        case Qt.Key_Escape:
            cancelled();
            break;
        default:
            return;
        }
        event.accepted = true;
    }

    Timer {
        id: stepper
        interval: 45
        repeat: true
        onTriggered: {
            if (board.step + 1 < board.way.length)
                ++board.step;
            else
                board.endTravel();
        }
    }

    Repeater {
        model: board.n * board.n

        Rectangle {
            x: board.cellX(index)
            y: board.cellY(index)
            width: board.cell
            height: board.cell
            color: index === board.selected ? "#3d5a8f" : (index + Math.floor(index / board.n)) % 2 ? "#2a3f66" : "#22355a"
            border.color: "#0a1226"
            border.width: 2

            Rectangle {
                anchors.centerIn: parent
                width: 8
                height: 8
                radius: 4
                color: Theme.textDim
                opacity: 0.7
                visible: board.reach[index] === true
            }
            Ball {
                anchors.fill: parent
                colour: board.shown[index] === undefined ? -1 : board.shown[index]
                selected: index === board.selected
            }
        }
    }

    Token {
        id: traveller
        visible: board.way.length > 0
        x: board.way.length ? board.cellX(board.way[board.step]) + board.cell * 0.1 : 0
        y: board.way.length ? board.cellY(board.way[board.step]) + board.cell * 0.1 : 0
        width: board.cell * 0.8
        height: width
        colour: board.travellerColour

        Behavior on x { NumberAnimation { duration: 40 } }
        Behavior on y { NumberAnimation { duration: 40 } }
    }

    // Where the new balls landed: a ring flashes out of each cell, twice.
    Repeater {
        model: board.landed
        Rectangle {
            objectName: "landing"
            x: board.cellX(modelData) + board.cell / 2 - width / 2
            y: board.cellY(modelData) + board.cell / 2 - height / 2
            width: board.cell * landingLook.grow
            height: width
            radius: width / 2
            color: "transparent"
            border.color: "white"
            border.width: 4
            opacity: landingLook.fade
        }
    }
    QtObject {
        id: landingLook
        property real grow: 0.6
        property real fade: 0
    }
    SequentialAnimation {
        id: landing
        loops: 2
        PropertyAction { target: landingLook; property: "fade"; value: 1 }
        PropertyAction { target: landingLook; property: "grow"; value: 0.6 }
        ParallelAnimation {
            NumberAnimation { target: landingLook; property: "grow"; to: 1.2; duration: 480; easing.type: Easing.OutQuad }
            NumberAnimation { target: landingLook; property: "fade"; to: 0; duration: 480; easing.type: Easing.InQuad }
        }
    }

    CellCursor {
        objectName: "cursor"
        x: board.cellX(board.cursor)
        y: board.cellY(board.cursor)
        width: board.cell
        height: board.cell
        radius: 4
        ring: board.activeFocus ? Theme.focus : Theme.textDim
    }

    MouseArea {
        anchors.fill: parent
        onClicked: function(mouse) {
            board.forceActiveFocus();
            board.moveCursor(Math.floor(mouse.x / board.cell), Math.floor(mouse.y / board.cell));
            board.picked(board.cursor);
        }
    }
}

// SPDX-License-Identifier: GPL-3.0-or-later
// The wall of bricks with the keyboard cursor. It draws the game it is given and
// reports the brick the player picks; mouse and keys both end in picked(col, row).
import QtQuick
import "../common"
import "../common/Theme.mjs" as Theme
import "Rules.mjs" as Rules

Item {
    id: board

    property var game
    property int cursorCol: 0
    property int cursorRow: 0
    readonly property real cell: 44
    readonly property int cols: game ? game.board.cols : Rules.columns
    readonly property int rows: game ? game.board.rows : Rules.rows
    // What the board shows: each brick's place by id, and the group under the cursor.
    property var spots: []
    property var litIds: ({})
    property int groupSize: 0
    property bool instant: false
    property string shownDeal

    signal picked(int col, int row)
    signal modeKey(string key)

    // Sparks from every brick of a group taken out: the bigger the group, the more
    // sparks and the further they fly; a big group shows its points as well.
    function burst(cells, points) {
        const n = cells.length;
        if (n < 2)
            return;
        const sparks = Math.max(2, Math.min(8, Math.floor(180 / n), 2 + Math.floor(n / 3)));
        const reach = 18 + 4 * Math.min(n, 16);
        let cx = 0, cy = 0;
        for (const [c, r] of cells) {
            const brick = Rules.brickAt(game.board, c, r);
            const x = (c + 0.5) * cell, y = (rows - 0.5 - r) * cell;
            cx += x;
            cy += y;
            sparkBurst.createObject(board, { x: x, y: y, count: sparks, reach: reach,
                                             colour: Theme.marks[brick.colour].colour });
        }
        if (n >= 6)
            pointsBurst.createObject(board, { x: cx / n, y: cy / n, text: "+" + points,
                                              size: Math.min(48, 20 + 2 * n) });
    }

    // Shows the game: a new deal (a new game or a fresh board) drops in from above,
    // otherwise the bricks slide to their new places.
    function refresh() {
        if (!game)
            return;
        const deal = game.seed + "/" + game.boardNumber;
        const fresh = deal !== shownDeal;
        shownDeal = deal;
        instant = fresh;
        spots = Rules.placement(game.board);
        instant = false;
        if (fresh)
            dropIn.restart();
        lightGroup();
    }
    function lightGroup() {
        const group = game ? Rules.groupAt(game.board, cursorCol, cursorRow) : [];
        const ids = {};
        if (group.length >= 2) {
            for (const [c, r] of group)
                ids[Rules.brickAt(game.board, c, r).id] = true;
        }
        litIds = ids;
        groupSize = group.length >= 2 ? group.length : 0;
    }
    function moveCursor(col, row) {
        cursorCol = Math.max(0, Math.min(cols - 1, col));
        cursorRow = Math.max(0, Math.min(rows - 1, row));
        lightGroup();
    }

    width: cols * cell
    height: rows * cell
    clip: true
    focus: true
    activeFocusOnTab: true

    onGameChanged: refresh()

    Keys.onPressed: function(event) {
        switch (event.key) {
        case Qt.Key_Left: moveCursor(cursorCol - 1, cursorRow); break;
        case Qt.Key_Right: moveCursor(cursorCol + 1, cursorRow); break;
        case Qt.Key_Up: moveCursor(cursorCol, cursorRow + 1); break;
        case Qt.Key_Down: moveCursor(cursorCol, cursorRow - 1); break;
        case Qt.Key_Space:
        case Qt.Key_Return:
        case Qt.Key_Enter:
            picked(cursorCol, cursorRow);
            break;
        default:
            if (event.text !== "" && "0135".indexOf(event.text) >= 0 && !event.modifiers) {
                modeKey(event.text);
                break;
            }
            return;
        }
        event.accepted = true;
    }

    Rectangle {
        anchors.fill: parent
        color: "#0e1830"
        radius: 4
    }

    Item {
        id: layer
        width: board.width
        height: board.height

        Repeater {
            model: board.cols * board.rows

            Brick {
                readonly property var spot: board.spots[index] || null

                width: board.cell
                height: board.cell
                instant: board.instant
                lit: board.litIds[index] === true
                function place() {
                    alive = spot !== null;
                    if (!spot)
                        return;
                    colour = spot.colour;
                    x = spot.col * board.cell;
                    y = (board.rows - 1 - spot.row) * board.cell;
                }

                onSpotChanged: place()
                Component.onCompleted: {
                    place();
                    placed = true;
                }
            }
        }

        NumberAnimation on y {
            id: dropIn
            from: -board.height
            to: 0
            duration: 420
            easing.type: Easing.OutQuad
        }
    }

    // The cursor, seen on a lit group too.
    CellCursor {
        id: cursor
        objectName: "cursor"
        x: board.cursorCol * board.cell - 1
        y: (board.rows - 1 - board.cursorRow) * board.cell - 1
        width: board.cell + 2
        height: board.cell + 2
        radius: 7
        ring: board.activeFocus ? Theme.cursor : Theme.textDim
        inner: "#0e1830"
    }

    Component {
        id: sparkBurst
        Item {
            id: sparks
            property int count: 3
            property real reach: 30
            property color colour: "white"
            z: 4
            Repeater {
                model: sparks.count
                Rectangle {
                    readonly property real angle: 2 * Math.PI * index / sparks.count + sparks.x * 0.37
                    width: 7
                    height: 7
                    radius: 2
                    color: index % 2 ? "white" : sparks.colour
                    x: -3.5
                    y: -3.5
                    NumberAnimation on x { to: -3.5 + Math.cos(angle) * sparks.reach; duration: 480; easing.type: Easing.OutCubic }
                    NumberAnimation on y { to: -3.5 + Math.sin(angle) * sparks.reach + 12; duration: 480; easing.type: Easing.OutQuad }
                }
            }
            SequentialAnimation on opacity {
                PauseAnimation { duration: 220 }
                NumberAnimation { to: 0; duration: 280 }
            }
            Timer { interval: 520; running: true; onTriggered: sparks.destroy() }
        }
    }
    Component {
        id: pointsBurst
        Text {
            id: label
            property real size: 24
            z: 5
            color: Theme.accent
            style: Text.Outline
            styleColor: "#0e1830"
            font.family: Theme.fontFamily
            font.pixelSize: size
            font.bold: true
            transform: Translate { x: -label.width / 2; y: -label.height / 2 }
            NumberAnimation on y { to: label.y - 60; duration: 1000; easing.type: Easing.OutCubic }
            SequentialAnimation on opacity {
                PauseAnimation { duration: 600 }
                NumberAnimation { to: 0; duration: 400 }
                ScriptAction { script: label.destroy() }
            }
        }
    }

    MouseArea {
        anchors.fill: parent
        hoverEnabled: true
        onPositionChanged: function(mouse) {
            board.moveCursor(Math.floor(mouse.x / board.cell), board.rows - 1 - Math.floor(mouse.y / board.cell));
        }
        onClicked: function(mouse) {
            board.forceActiveFocus();
            board.moveCursor(Math.floor(mouse.x / board.cell), board.rows - 1 - Math.floor(mouse.y / board.cell));
            board.picked(board.cursorCol, board.cursorRow);
        }
    }
}

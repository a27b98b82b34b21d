// The wall of bricks with the keyboard cursor. It draws the game it is given and
// reports the brick the player picks; mouse and keys both end in picked(col, row).
import QtQuick
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

    Rectangle {
        id: cursor
        objectName: "cursor"
        x: board.cursorCol * board.cell
        y: (board.rows - 1 - board.cursorRow) * board.cell
        width: board.cell
        height: board.cell
        radius: 6
        color: "transparent"
        border.color: board.activeFocus ? Theme.cursor : Theme.textDim
        border.width: 3

        Behavior on x { NumberAnimation { duration: 70 } }
        Behavior on y { NumberAnimation { duration: 70 } }
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

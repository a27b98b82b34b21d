// The table of a tile game: the board's cells on the left, the tray with one slot a
// piece on the right, the pieces, the keyboard cursor and a mark on every seam where
// two laid pieces clash. It draws the game it is given and reports what the player
// did; the movie applies the rules. It takes the whole play area.
import QtQuick
import "../edgematch"
import "../edgematch/Board.mjs" as Board
import "../edgematch/Rules.mjs" as Rules
import "../common/Theme.mjs" as Theme

Item {
    id: table

    property var game                          // the game state of the edge rules
    property string look: "marks"
    property bool animated: true

    readonly property var position: game ? game.position : null
    readonly property int rows: position ? position.board.rows : 1
    readonly property int columns: position ? position.board.columns : 1
    readonly property int pieceCount: position ? position.pieces.length : 0
    // 3 x 3 boards get bigger cells; both sizes fit the 800 x 544 play area.
    readonly property real cellSize: rows <= 3 ? 138 : 104
    readonly property real slotSize: rows <= 3 ? 96 : 72
    readonly property real boardX: 28
    readonly property real boardY: 36
    readonly property real trayX: width - 28 - columns * slotSize
    readonly property real trayY: boardY
    readonly property rect boardArea: Qt.rect(boardX, boardY, columns * cellSize, rows * cellSize)

    signal layRequested(int pieceId, int cell)
    signal liftRequested(int pieceId)
    signal turnRequested(int pieceId, int steps)
    signal placeChosen(string area, int index)     // a click on an empty cell or slot
    signal pieceChosen(string area, int index)     // the mouse took the piece there

    // The keyboard cursor one step on: the board and the tray are one grid of places.
    function moveCursor(game, dx, dy) { return Rules.moveCursor(game, dx, dy); }
    function placeCentre(place) {
        return place.area === "board" ? Qt.point(cellX(place.index) + cellSize / 2, cellY(place.index) + cellSize / 2)
                                      : Qt.point(slotX(place.index) + slotSize / 2, slotY(place.index) + slotSize / 2);
    }
    function cellX(cell) { return boardX + (position.board.places[cell].column - 1) * cellSize; }
    function cellY(cell) { return boardY + (position.board.places[cell].row - 1) * cellSize; }
    function slotX(slot) { return trayX + (slot % columns) * slotSize; }
    function slotY(slot) { return trayY + Math.floor(slot / columns) * slotSize; }

    // The cell under a point of the table, or 0.
    function cellAt(x, y) {
        const column = Math.floor((x - boardX) / cellSize) + 1;
        const row = Math.floor((y - boardY) / cellSize) + 1;
        if (!position || row < 1 || row > rows || column < 1 || column > columns)
            return 0;
        return position.board.places.findIndex(p => p !== null && p.row === row && p.column === column);
    }
    function inTray(x, y) {
        return x >= trayX - 12 && x < trayX + columns * slotSize + 12
            && y >= trayY - 12 && y < trayY + Math.ceil(pieceCount / columns) * slotSize + 12;
    }

    anchors.fill: parent

    function dropPiece(id, x, y) {
        const cell = cellAt(x, y);
        if (cell > 0)
            layRequested(id, cell);
        else if (inTray(x, y))
            liftRequested(id);
    }

    Component { id: tileFace; TileFace {} }

    // The board's cells.
    Rectangle {
        x: table.boardX - 8
        y: table.boardY - 8
        width: table.columns * table.cellSize + 16
        height: table.rows * table.cellSize + 16
        radius: 12
        color: "#0b1428"
        border.color: Theme.panelLight
        border.width: 2
    }
    Repeater {
        model: table.position ? table.position.board.cellCount : 0
        Rectangle {
            required property int index
            readonly property int cell: index + 1
            x: table.cellX(cell) + 3
            y: table.cellY(cell) + 3
            width: table.cellSize - 6
            height: width
            radius: 8
            color: "#1a2747"
            border.color: "#2c3e66"

            MouseArea {
                anchors.fill: parent
                onClicked: table.placeChosen("board", parent.cell)
            }
        }
    }

    // The tray: a slot for every piece, where it goes back to.
    Text {
        x: table.trayX
        y: table.trayY - 30
        text: "Pieces"
        color: Theme.textDim
        font.family: Theme.fontFamily
        font.pixelSize: Theme.smallSize
    }
    Repeater {
        model: table.pieceCount
        Rectangle {
            required property int index
            x: table.slotX(index) + 3
            y: table.slotY(index) + 3
            width: table.slotSize - 6
            height: width
            radius: 6
            color: "transparent"
            border.color: "#2c3e66"
            border.width: 1

            MouseArea {
                anchors.fill: parent
                onClicked: table.placeChosen("tray", parent.index)
            }
        }
    }

    // The keyboard cursor, under the pieces so that it frames the one it is on.
    Rectangle {
        id: cursorFrame
        readonly property var place: table.game ? table.game.cursor : null
        readonly property bool onBoard: place !== null && place.area === "board"
        readonly property real size: onBoard ? table.cellSize : table.slotSize
        visible: place !== null && table.game.phase === "play"
        x: !place ? 0 : (onBoard ? table.cellX(place.index) : table.slotX(place.index)) - 3
        y: !place ? 0 : (onBoard ? table.cellY(place.index) : table.slotY(place.index)) - 3
        width: size + 6
        height: size + 6
        radius: 10
        color: "transparent"
        border.color: Theme.focus
        border.width: 4
        z: 2
        Behavior on x { enabled: table.animated; NumberAnimation { duration: 90 } }
        Behavior on y { enabled: table.animated; NumberAnimation { duration: 90 } }
    }

    Repeater {
        id: tiles
        model: table.pieceCount

        Tile {
            required property int index
            readonly property int cell: table.position.cellOf[index]
            readonly property real shownSize: cell > 0 ? table.cellSize : table.slotSize * 0.92
            pieceId: index
            face: tileFace
            look: table.look
            codes: table.position.pieces[index]
            size: table.cellSize - 8
            turn: table.position.rotationOf[index]
            homeScale: shownSize / size
            homeX: (cell > 0 ? table.cellX(cell) + table.cellSize / 2 : table.slotX(index) + table.slotSize / 2) - size / 2
            homeY: (cell > 0 ? table.cellY(cell) + table.cellSize / 2 : table.slotY(index) + table.slotSize / 2) - size / 2
            held: table.game.held === index
            animated: table.animated
            z: 3 + (dragging ? 50 : held ? 40 : 0)
            onChosen: function(id) {
                table.pieceChosen(cell > 0 ? "board" : "tray", cell > 0 ? cell : id);
            }
            onTurnRequested: function(id, steps) { table.turnRequested(id, steps); }
            onDropped: function(id, x, y) { table.dropPiece(id, x, y); }
        }
    }

    // A cross on every seam where two laid pieces clash.
    Repeater {
        model: table.position ? Board.seams(table.position).filter(s => s.state === "clash") : []
        Rectangle {
            required property var modelData
            readonly property real midX: (table.cellX(modelData.cell) + table.cellX(modelData.neighbour)) / 2 + table.cellSize / 2
            readonly property real midY: (table.cellY(modelData.cell) + table.cellY(modelData.neighbour)) / 2 + table.cellSize / 2
            objectName: "clash"
            x: midX - width / 2
            y: midY - height / 2
            width: 26
            height: 26
            radius: 13
            z: 80
            color: Theme.bad
            border.color: "white"
            border.width: 2
            Text {
                anchors.centerIn: parent
                text: "\u2715"
                color: "white"
                font.pixelSize: 15
                font.bold: true
            }
        }
    }
}

// SPDX-License-Identifier: GPL-3.0-or-later
// The table of every edge game: the board's cells (squares, or hexagons) drawn where
// the layout puts them, the tray with one slot a piece, the pieces (Tiles drawing the
// movie's `face` in its `look`), the keyboard cursor, and a mark on the seams between
// laid pieces (a cross where they clash; a tick where they fit, when `showMatches`). It
// draws the game it is given and reports what the player did; the flow applies the
// rules. It takes the play area but a row at the bottom.
import QtQuick
import QtQuick.Shapes
import "Faces.mjs" as Faces
import "Play.mjs" as Play
import "../common/Theme.mjs" as Theme

Item {
    id: table

    property var game                       // a game of the edge rules
    property Component face                 // draws a piece unturned (TileFace, HexFace, ...)
    property string look                    // handed to the face
    property bool animated: true
    property bool showMatches: false        // a tick on every seam that fits, too
    readonly property bool hexagons: position !== null && position.board.edges === 6
    property real trayRatio: hexagons ? 0.8 : 0.78
    property real pad: 0.05                 // room round the board, in cells
    property real trayPieceScale: hexagons ? 0.86 : 0.92
    // A finished board's seams light up one after another from the top left, over this
    // many ms.
    readonly property int waveMs: 750
    readonly property bool won: game !== null && game !== undefined && game.phase === "won"
    property real waveAt: 0                 // ms into the wave
    property bool pulseOn: true             // the marks on misplaced pieces blink with it

    onWonChanged: {
        waveAt = won && animated ? 0 : waveMs;
        if (won && animated)
            wave.restart();
    }
    NumberAnimation { id: wave; target: table; property: "waveAt"; from: 0; to: table.waveMs; duration: table.waveMs }
    Timer {
        interval: 500
        repeat: true
        running: table.animated && table.game !== null && table.game !== undefined
                 && (table.game.marked || []).length > 0
        onTriggered: table.pulseOn = !table.pulseOn
        onRunningChanged: table.pulseOn = true
    }

    readonly property var position: game ? game.position : null
    readonly property var layout: position ? Play.tableLayout(position.board, width, height, trayRatio, pad) : null
    readonly property real cellSize: layout ? layout.cellSize : 1
    readonly property real slotSize: layout ? layout.slotSize : 1
    readonly property rect boardArea: layout ? Qt.rect(layout.board.x, layout.board.y, layout.board.width,
                                                       layout.board.height) : Qt.rect(0, 0, 0, 0)

    signal layRequested(int pieceId, int cell)
    signal liftRequested(int pieceId)
    signal turnRequested(int pieceId, int steps)
    signal placeChosen(string area, int index)     // a click on an empty cell or slot
    signal pieceChosen(string area, int index)     // the mouse took the piece there

    // The keyboard cursor one step on, to the nearest place that way.
    function moveCursor(game, dx, dy) { return Play.moveCursor(game, layout, dx, dy); }
    function placeCentre(place) { return Play.placeCentre(layout, place); }

    function dropPiece(id, x, y) {
        const cell = Play.cellAt(layout, x, y);
        if (cell > 0)
            layRequested(id, cell);
        else if (Play.inTray(layout, x, y))
            liftRequested(id);
    }

    width: parent ? parent.width : 0
    height: parent ? parent.height - 64 : 0

    // The board.
    Rectangle {
        visible: table.layout !== null
        x: table.layout ? table.layout.board.x - 10 : 0
        y: table.layout ? table.layout.board.y - 10 : 0
        width: table.layout ? table.layout.board.width + 20 : 0
        height: table.layout ? table.layout.board.height + 20 : 0
        radius: 14
        color: "#0b1428"
        border.color: Theme.panelLight
        border.width: 2
    }
    Repeater {
        model: table.position ? table.position.board.cellCount : 0
        Item {
            required property int index
            readonly property int cell: index + 1
            readonly property var centre: (table.layout && table.layout.cells[cell]) || { x: 0, y: 0 }
            x: centre.x - width / 2
            y: centre.y - height / 2
            width: table.cellSize
            height: width

            Shape {
                anchors.fill: parent
                visible: table.hexagons
                ShapePath {
                    fillColor: "#1a2747"
                    strokeColor: "#2c3e66"
                    strokeWidth: 2
                    PathSvg { path: table.hexagons ? Faces.hexOutline(table.cellSize, 3) : "" }
                }
            }
            Rectangle {
                visible: !table.hexagons
                anchors.fill: parent
                anchors.margins: 3
                radius: 8
                color: "#1a2747"
                border.color: "#2c3e66"
            }
            MouseArea {
                anchors.centerIn: parent
                width: parent.width * 0.86
                height: width
                onClicked: table.placeChosen("board", parent.cell)
            }
        }
    }

    // The tray: a slot for every piece, where it goes back to.
    Text {
        visible: table.layout !== null
        x: table.layout ? table.layout.tray.x : 0
        y: table.layout ? table.layout.tray.y - 24 : 0
        text: "Pieces"
        color: Theme.textDim
        font.family: Theme.fontFamily
        font.pixelSize: Theme.smallSize
    }
    Repeater {
        model: table.position ? table.position.pieces.length : 0
        Rectangle {
            required property int index
            readonly property var centre: (table.layout && table.layout.slots[index]) || { x: 0, y: 0 }
            x: centre.x - width / 2
            y: centre.y - height / 2
            width: table.slotSize - 6
            height: width
            radius: 6
            color: "transparent"
            border.color: "#2c3e66"

            MouseArea {
                anchors.fill: parent
                onClicked: table.placeChosen("tray", parent.index)
            }
        }
    }

    // The keyboard cursor, under the pieces so that it frames the one it is on.
    Item {
        id: cursorFrame
        readonly property var place: table.game ? table.game.cursor : null
        readonly property bool onBoard: place !== null && place.area === "board"
        readonly property var centre: place !== null && table.layout ? Play.placeCentre(table.layout, place) : null
        readonly property real size: onBoard ? table.cellSize + 8 : table.slotSize + 4
        visible: centre !== null && table.game.phase === "play"
        x: centre ? centre.x - size / 2 : 0
        y: centre ? centre.y - size / 2 : 0
        width: size
        height: size
        z: 2
        Behavior on x { enabled: table.animated; NumberAnimation { duration: 90 } }
        Behavior on y { enabled: table.animated; NumberAnimation { duration: 90 } }

        Shape {
            anchors.fill: parent
            visible: cursorFrame.onBoard && table.hexagons
            ShapePath {
                fillColor: "#33ff5fd2"
                strokeColor: Theme.cursor
                strokeWidth: 4
                joinStyle: ShapePath.RoundJoin
                PathSvg { path: Faces.hexOutline(cursorFrame.size, 2) }
            }
        }
        Rectangle {
            visible: !(cursorFrame.onBoard && table.hexagons)
            anchors.fill: parent
            radius: 10
            color: "#33ff5fd2"
            border.color: Theme.cursor
            border.width: 4
        }
    }

    Repeater {
        model: table.position ? table.position.pieces.length : 0

        Tile {
            required property int index
            readonly property int cell: table.position.cellOf[index] || 0
            readonly property var home: (table.layout && (cell > 0 ? table.layout.cells[cell] : table.layout.slots[index]))
                                        || { x: 0, y: 0 }
            pieceId: index
            face: table.face
            look: table.look
            codes: table.position.pieces[index] || ""
            visible: index < table.position.pieces.length
            size: table.cellSize - (table.hexagons ? 2 : 0)
            turn: table.position.rotationOf[index] || 0
            homeScale: cell > 0 ? 1 : table.slotSize * table.trayPieceScale / table.cellSize
            homeX: home.x - size / 2
            homeY: home.y - size / 2
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

    // A board the player finished: every seam lights up, in a wave from the top left.
    Repeater {
        model: table.won && table.layout ? Play.seamMarks(table.position, table.layout, ["match"]) : []
        Rectangle {
            id: glow
            required property var modelData
            readonly property var first: table.layout.board
            readonly property real reach: Math.hypot(first.width, first.height) || 1
            // When this seam lights, and how far it is into its light (0 to 1).
            readonly property real startsAt: (table.waveMs - 300) * Math.hypot(modelData.x - first.x,
                                                                               modelData.y - first.y) / reach
            readonly property real lit: Math.max(0, Math.min(1, (table.waveAt - startsAt) / 200))
            objectName: "seamGlow"
            x: modelData.x - width / 2
            y: modelData.y - height / 2
            width: table.cellSize * (table.hexagons ? 0.5 : 0.8)
            height: Math.max(5, table.cellSize * 0.08)
            radius: height / 2
            rotation: modelData.angle + 90
            z: 75
            color: "#fff3b0"
            border.color: Theme.focus
            opacity: lit
            scale: 0.3 + lit * 0.7
        }
    }

    // Laid pieces that cannot stay where they lie: a red frame that pulses, until the
    // next move.
    Repeater {
        model: table.game && table.layout ? (table.game.marked || []) : []
        Rectangle {
            required property int modelData
            readonly property int cell: table.position.cellOf[modelData] || 0
            readonly property var centre: (cell > 0 && table.layout.cells[cell]) || { x: -1000, y: -1000 }
            objectName: "misplaced"
            visible: cell > 0
            x: centre.x - width / 2
            y: centre.y - height / 2
            width: table.cellSize * (table.hexagons ? 0.8 : 0.96)
            height: width
            radius: table.hexagons ? width / 2 : 10
            z: 70
            color: "#40e63946"
            border.color: Theme.bad
            border.width: 5
            opacity: table.pulseOn ? 1 : 0.55
            Rectangle {
                anchors.horizontalCenter: parent.horizontalCenter
                anchors.bottom: parent.bottom
                anchors.bottomMargin: 4
                width: tag.implicitWidth + 10
                height: tag.implicitHeight + 4
                radius: 4
                color: Theme.bad
                Text {
                    id: tag
                    anchors.centerIn: parent
                    text: "cannot stay"
                    color: "white"
                    font.family: Theme.fontFamily
                    font.pixelSize: Math.max(10, table.cellSize * 0.12)
                    font.bold: true
                }
            }
        }
    }

    // Seams between laid pieces: a tick in a green disc where they fit, a cross in a red
    // one where they clash.
    Repeater {
        model: table.position && table.layout
               ? Play.seamMarks(table.position, table.layout, table.showMatches ? ["clash", "match"] : ["clash"])
               : []
        Rectangle {
            required property var modelData
            readonly property bool fits: modelData.state === "match"
            objectName: fits ? "match" : "clash"
            x: modelData.x - width / 2
            y: modelData.y - height / 2
            width: fits ? Math.max(14, table.cellSize * 0.16) : Math.max(18, table.cellSize * 0.22)
            height: width
            radius: width / 2
            z: 80
            color: fits ? Theme.good : Theme.bad
            border.color: "white"
            border.width: 2
            Text {
                anchors.centerIn: parent
                text: parent.fits ? "\u2713" : "\u2715"
                color: "white"
                font.pixelSize: parent.width * 0.62
                font.bold: true
            }
        }
    }
}

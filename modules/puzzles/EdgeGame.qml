// A whole edge-matching game on a hexagon or sum board, the root of its movie: the table,
// the clock, the keys, and solving through the station (the Solve button, the banner
// with the time spent and Stop, laying the answer, the offer to start from an empty
// board). The movie gives the deal (`dealGame(seed)`), its controls under the board and
// its texts, and says what a finished board means (`boardWon`). These games keep no
// hi-score list and never send "writescore".
import QtQuick
import "../common"
import "../common/Theme.mjs" as Theme
import "../tiles"
import "../tiles/Board.mjs" as Board
import "../tiles/Rules.mjs" as Rules
import "Play.mjs" as Play

GameScreen {
    id: movie

    property var game: null
    property var dealGame: null                  // function(seed): a new game
    property string kind: "hex"
    property bool showMatches: true
    property string hint                         // the line under the board while playing
    property string toFitText: "Edges still to fit: "
    property string wonText: "Solved! Every edge fits."
    property string solvingNote: "Stop (S) ends the search at once."
    property alias controls: controlRow.data    // under the board, on the left
    readonly property alias table: table
    readonly property alias clock: clock
    readonly property alias station: link
    readonly property string phase: game ? game.phase : ""
    readonly property var fits: game ? Board.matchCount(game.position) : ({ fit: 0, all: 0 })
    property bool showingSolution: false
    property bool busy: false
    property var timings: ({})

    signal boardWon(real timeMs)                 // the player completed the board
    signal boardSolved()                         // the solver's answer is on the board
    signal otherKey(var event)                   // a key the table does not use

    function newGame(seed) {
        if (game && game.phase === "solving")
            stopSolving();
        solutionTimer.stop();
        showingSolution = false;
        busy = false;
        impossible.close();
        gameOver.clear();
        clock.reset();
        game = dealGame(seed);
        focusGame();
    }

    // Every move of the player goes through here.
    function apply(next) {
        const before = game;
        game = next;
        if (before.moves === 0 && next.moves > 0)
            clock.start();
        if (before.phase !== "won" && next.phase === "won") {
            clock.stop();
            boardWon(clock.elapsedMs);
        }
    }

    function handleKey(event) {
        const k = event.key;
        let next = null;
        if (k === Qt.Key_Left) next = Play.moveCursor(game, table.layout, -1, 0);
        else if (k === Qt.Key_Right) next = Play.moveCursor(game, table.layout, 1, 0);
        else if (k === Qt.Key_Up) next = Play.moveCursor(game, table.layout, 0, -1);
        else if (k === Qt.Key_Down) next = Play.moveCursor(game, table.layout, 0, 1);
        else if (k === Qt.Key_Return || k === Qt.Key_Enter || k === Qt.Key_Space) next = Rules.press(game);
        else if (k === Qt.Key_X || k === Qt.Key_E) next = Rules.turnAtCursor(game, 1);
        else if (k === Qt.Key_Z || k === Qt.Key_Q) next = Rules.turnAtCursor(game, -1);
        else if (k === Qt.Key_Backspace || k === Qt.Key_Delete) {
            const id = game.held >= 0 ? game.held : Rules.pieceAtCursor(game);
            if (id >= 0)
                next = Rules.liftPiece(game, id);
        } else if (k === Qt.Key_Escape && game.held >= 0) next = Rules.release(game);
        else if (k === Qt.Key_S) {
            if (game.phase === "solving")
                stopSolving();
            else
                solve(false);
            event.accepted = true;
            return;
        }
        if (next !== null) {
            if (game.phase === "play" || next.cursor === game.cursor)
                apply(next);
            event.accepted = true;
        } else {
            otherKey(event);
        }
    }

    // Asks the station's solver to finish the board, keeping the laid pieces (or from an
    // empty board). With the station the answer (or nothing, after Stop) has come by the
    // time the request returns; the banner's clock and Stop work meanwhile.
    function solve(fromEmpty) {
        impossible.close();
        if (!game || !Rules.isPlaying(game))
            return;
        if (!fromEmpty && Rules.laidPiecesClash(game)) {
            impossible.open();
            return;
        }
        runSolve(Rules.solveRequest(game, fromEmpty));
    }

    // Sends a solver request and notes the times of the solve in `timings` (ms since the
    // epoch: requestedAt, answeredAt, stoppedAt, returnedAt, shownAt); tests and
    // measurements send requests of their own through here.
    function runSolve(request) {
        if (!game || !Rules.isPlaying(game))
            return;
        game = Rules.startSolving(game);
        timings = { requestedAt: Date.now() };
        link.solve(request);
        if (link.hasStation) {
            timings.returnedAt = Date.now();
            timings = timings;
            if (game.phase === "solving")
                game = Rules.stopSolving(game);
        }
    }

    function stopSolving() {
        if (!game || game.phase !== "solving")
            return;
        timings.stoppedAt = Date.now();
        game = Rules.stopSolving(game);
        link.stopSolving();
        focusGame();
    }

    function takeAnswer(answer) {
        timings.answeredAt = Date.now();
        timings = timings;
        const taken = Rules.takeAnswer(game, answer);
        if (taken.outcome === "ignored")
            return;
        game = taken.game;
        if (taken.outcome === "impossible") {
            impossible.open();
            return;
        }
        clock.stop();
        showingSolution = true;
        solutionTimer.start();
    }

    function finishShowingSolution() {
        solutionTimer.stop();
        showingSolution = false;
        timings.shownAt = Date.now();
        timings = timings;
        if (busy) {
            busyRound();
            return;
        }
        boardSolved();
    }

    // The busiest scene: the whole board flies back into the tray and onto the board
    // again, without a pause.
    function busyRound() {
        let g = dealGame(2026);
        g = Rules.startSolving(g);
        game = Rules.takeAnswer(g, Rules.dealtAnswer(g)).game;
        solutionTimer.start();
    }
    function startBusy() {
        table.animated = true;
        busy = true;
        busyRound();
    }

    // Lays the dealt solution move by move as a player would (tests and pictures); `upTo`
    // cells, all when not given.
    function playSolution(upTo) {
        const n = game.position.board.cellCount;
        for (let cell = 1; cell <= Math.min(n, upTo || n); ++cell) {
            const s = game.solution[cell];
            apply(Rules.layPiece(game, s.id, cell));
            apply(Rules.turnPiece(game, s.id, game.position.rotationOf[s.id] - s.rotation));
        }
    }

    function isBoardSolved() {
        return Board.isSolved(game.position);
    }

    function timingsJson() {
        return JSON.stringify(timings);
    }

    keyHandler: table

    StationLink {
        id: link
        onSolved: function(answer) { movie.takeAnswer(answer); }
    }

    GameClock {
        id: clock
    }

    PieceTable {
        id: table
        width: parent.width
        height: parent.height - 64
        game: movie.game
        kind: movie.kind
        showMatches: movie.showMatches
        trayRatio: movie.kind === "hex" ? 0.8 : 0.78
        pad: movie.kind === "hex" ? 0.05 : 0.22
        focus: true
        Keys.onPressed: function(event) { movie.handleKey(event); }
        onLayRequested: function(id, cell) { movie.apply(Rules.layPiece(movie.game, id, cell)); }
        onLiftRequested: function(id) { movie.apply(Rules.liftPiece(movie.game, id)); }
        onTurnRequested: function(id, steps) { movie.apply(Rules.turnPiece(movie.game, id, steps)); }
        // A click on an empty place puts down the piece the keyboard holds; a piece the
        // mouse takes is the mouse's alone.
        onPlaceChosen: function(area, index) {
            table.forceActiveFocus();
            if (movie.game.phase !== "play")
                return;
            const chosen = Rules.setCursor(movie.game, area, index);
            movie.apply(movie.game.held >= 0 ? Rules.press(chosen) : chosen);
        }
        onPieceChosen: function(area, index) {
            table.forceActiveFocus();
            if (movie.game.phase === "play")
                movie.apply(Rules.setCursor(Rules.release(movie.game), area, index));
        }
    }

    // Under the table: the movie's controls on the left, the state and Solve on the right.
    Row {
        id: controlRow
        x: 16
        y: table.height + 10
        height: 44
        spacing: 10
    }
    Row {
        anchors.right: parent.right
        anchors.rightMargin: 16
        y: table.height + 10
        spacing: 14

        Text {
            anchors.verticalCenter: parent.verticalCenter
            width: 250
            horizontalAlignment: Text.AlignRight
            text: !movie.game ? ""
                : movie.game.phase === "solved" ? "Solved by the solver."
                : movie.game.phase === "won" ? movie.wonText
                : movie.game.phase === "solving" ? "The solver is at work\u2026"
                : movie.fits.all - movie.fits.fit === 0 ? movie.hint
                : movie.toFitText + (movie.fits.all - movie.fits.fit)
            color: Theme.textDim
            font.family: Theme.fontFamily
            font.pixelSize: Theme.smallSize
            wrapMode: Text.WordWrap
        }
        GameButton {
            objectName: "solveButton"
            text: "Solve"
            key: "S"
            enabled: movie.game !== null && movie.game.phase === "play"
            onClicked: movie.solve(false)
        }
    }

    SolvingBanner {
        id: banner
        x: table.layout ? table.layout.board.x + table.layout.board.width / 2 - width / 2 : 0
        y: table.layout ? Math.max(10, table.layout.board.y + table.layout.board.height / 2 - height / 2 - 20) : 0
        z: 90
        visible: movie.game !== null && movie.game.phase === "solving"
        startedAt: movie.timings.requestedAt || 0
        onStopRequested: movie.stopSolving()

        Rectangle {
            anchors.top: parent.bottom
            anchors.topMargin: 6
            anchors.horizontalCenter: parent.horizontalCenter
            width: parent.width
            height: note.implicitHeight + 14
            radius: 10
            color: parent.color
            border.color: Theme.panelLight

            Text {
                id: note
                objectName: "solvingNote"
                anchors.centerIn: parent
                width: parent.width - 20
                horizontalAlignment: Text.AlignHCenter
                text: movie.solvingNote
                color: Theme.text
                font.family: Theme.fontFamily
                font.pixelSize: Theme.smallSize
                wrapMode: Text.WordWrap
            }
        }
    }

    Overlay {
        id: impossible
        objectName: "impossiblePanel"
        title: "These pieces cannot be completed"
        onClosed: movie.focusGame()

        Text {
            width: parent.width
            text: "No way of filling the board keeps the pieces you laid where they lie, turned as they are. "
                + "The solver can start again from an empty board."
            color: Theme.text
            font.family: Theme.fontFamily
            font.pixelSize: Theme.bodySize
            horizontalAlignment: Text.AlignHCenter
            wrapMode: Text.WordWrap
        }
        buttons: [
            GameButton {
                text: "Solve from an empty board"
                primary: true
                onClicked: movie.solve(true)
            },
            GameButton {
                text: "Keep playing"
                onClicked: impossible.close()
            }
        ]
        Keys.onReturnPressed: movie.solve(true)
    }

    Timer {
        id: solutionTimer
        interval: 60
        repeat: true
        onTriggered: {
            const next = Rules.layNextOfSolution(movie.game);
            if (next === movie.game)
                movie.finishShowingSolution();
            else
                movie.game = next;
        }
    }
}

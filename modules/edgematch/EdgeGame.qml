// SPDX-License-Identifier: GPL-3.0-or-later
// The play and solve flow of every edge-matching movie (the tile games, Blue Vesna and
// Odd-Even), the root of each: the clock, the keys and the mouse's moves, and solving
// through the station (the Solve button, the banner with the time spent and Stop,
// laying the answer, the offer to start from an empty board). The movie gives its
// `table` (which draws the game and reports what the player did), the deal
// (`dealGame(seed)`), its controls and texts, and says what a finished board means
// (`boardWon`). Every move can be taken back (Z), at `undoCostMs` on the clock; the
// keys go on from a piece the mouse moved.
import QtQuick
import "../common"
import "../common/Theme.mjs" as Theme
import "Board.mjs" as Board
import "Rules.mjs" as Rules

GameScreen {
    id: movie

    property Item table                          // a PieceTable drawing the movie's pieces
    property var game: null
    property var dealGame: null                  // function(seed): a new game
    property string hint: "Lay the pieces so that touching edges match."
    property string toFitText: "Edges still to fit: "
    property string wonText: "Solved! Every edge fits."
    property string solvingNote: "Stop (S) ends the search at once."
    // ms from the last move to boardWon: the seams light up in a wave meanwhile.
    property int resultDelay: table ? table.waveMs + 150 : 0
    property int undoCostMs: 0                   // what taking a move back adds to the clock
    property alias controls: controlRow.data    // under the board, on the left
    readonly property alias clock: clock
    readonly property QtObject station: link
    readonly property string phase: game ? game.phase : ""
    readonly property var fits: game ? Board.matchCount(game.position) : ({ fit: 0, all: 0 })
    property string notice                       // in place of the state until the next move
    property bool showingSolution: false
    property bool busy: false
    property bool lastSolveFromEmpty: false      // then no answer means no solution at all
    property string solvePurpose: "solve"        // what the request out is for: "solve" or "hint"
    property int hintPenaltyMs: Rules.hintPenaltyMs   // added to the time for each hint
    property bool lookingForMisplaced: false     // asking again without some laid pieces
    property var misplaced: null                 // the last search's { ids, alone }, or null
    // Without a station (tests), function(request) answering requests as the solver would.
    property var offlineSolver: null
    property bool probing: false
    property var probeAnswer: null
    property var redoSteps: []                   // the games taken back, the last on top
    // The last solve, in ms since the epoch: requestedAt, answeredAt, stoppedAt,
    // returnedAt, shownAt, and longestFrameGapMs while it ran.
    property var timings: ({})

    signal boardWon(real timeMs)                 // the player completed the board
    signal boardSolved()                         // the solver's answer is on the board
    signal otherKey(var event)                   // a key the flow does not use

    function newGame(seed) {
        if (game && game.phase === "solving")
            stopSolving();
        solutionTimer.stop();
        if (resultTimer.running) {               // a finished board still counts
            resultTimer.stop();
            boardWon(clock.elapsedMs);
        }
        showingSolution = false;
        busy = false;
        misplaced = null;
        redoSteps = [];
        impossible.close();
        gameOver.clear();
        clock.reset();
        game = dealGame(seed);
        link.newGame();
        notice = "";
        focusGame();
    }

    // Every move of the player goes through here.
    function apply(next) {
        const before = game;
        game = next;
        notice = "";
        if (before.moves === 0 && next.moves > 0)
            clock.start();
        if (next.position !== before.position && before.phase === "play") {
            undo.push(before);
            redoSteps = [];
        }
        sounds.play(soundOf(before, next));
        if (before.phase !== "won" && next.phase === "won") {
            clock.stop();
            if (resultDelay > 0)
                resultTimer.start();
            else
                boardWon(clock.elapsedMs);
        }
    }

    // The effect of a move: a seam that now fits, a piece laid or turned, one picked up.
    function soundOf(before, next) {
        if (next.position === before.position)
            return next.held >= 0 && next.held !== before.held ? "select" : "";
        if (Board.matchCount(next.position).fit > Board.matchCount(before.position).fit)
            return "clear";
        return String(next.position.rotationOf) !== String(before.position.rotationOf) ? "turn" : "lay";
    }
    // A move of the mouse; the keyboard's cursor follows the piece it moved.
    function applyByMouse(next, id) {
        apply(next.phase === "play" ? Rules.cursorOnPiece(next, id) : next);
    }
    // The move before goes back (a piece laid is lifted back, a turn turned back); hints
    // taken stay counted.
    function takeBack() {
        if (!game || game.phase !== "play" || !undo.canUndo)
            return;
        redoSteps = redoSteps.concat([game]);
        game = Object.assign({}, undo.take(), { held: -1, hints: game.hints });
        clock.addMs(undoCostMs);
        notice = "";
        sounds.play("turn");
    }
    // The move taken back is made again (Y, Shift+Z), until another move is made.
    function putBack() {
        if (!game || game.phase !== "play" || redoSteps.length === 0)
            return;
        const again = redoSteps[redoSteps.length - 1];
        redoSteps = redoSteps.slice(0, redoSteps.length - 1);
        const before = game;
        undo.push(before);
        game = Object.assign({}, again, { held: -1, hints: before.hints });
        notice = "";
        sounds.play("turn");
        if (game.phase === "won") {
            clock.stop();
            if (resultDelay > 0)
                resultTimer.start();
            else
                boardWon(clock.elapsedMs);
        }
    }

    function handleKey(event) {
        const k = event.key;
        let next = null;
        if (k === Qt.Key_Left) next = table.moveCursor(game, -1, 0);
        else if (k === Qt.Key_Right) next = table.moveCursor(game, 1, 0);
        else if (k === Qt.Key_Up) next = table.moveCursor(game, 0, -1);
        else if (k === Qt.Key_Down) next = table.moveCursor(game, 0, 1);
        else if (k === Qt.Key_Return || k === Qt.Key_Enter || k === Qt.Key_Space) next = Rules.press(game);
        else if (k === Qt.Key_X || k === Qt.Key_E) next = Rules.turnAtCursor(game, 1);
        else if (k === Qt.Key_Q) next = Rules.turnAtCursor(game, -1);
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
        } else if (k === Qt.Key_Y || (k === Qt.Key_Z && (event.modifiers & Qt.ShiftModifier))) {
            putBack();
            event.accepted = true;
            return;
        } else if (k === Qt.Key_I && !(event.modifiers & Qt.ControlModifier)) {
            showHint();
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
        lastSolveFromEmpty = fromEmpty;
        solvePurpose = "solve";
        if (!fromEmpty && Rules.laidPiecesClash(game)) {
            startAsking();
            markMisplaced();
            return;
        }
        runSolve(Rules.solveRequest(game, fromEmpty));
    }

    // Hint (I): one right piece laid for the position, or the laid pieces that stand in
    // the way marked.
    function showHint() {
        impossible.close();
        if (!game || !Rules.isPlaying(game))
            return;
        lastSolveFromEmpty = false;
        solvePurpose = "hint";
        if (Rules.laidPiecesClash(game)) {
            startAsking();
            markMisplaced();
            return;
        }
        runSolve(Rules.solveRequest(game, false));
    }

    function startAsking() {
        game = Rules.startSolving(game);
        timings = { requestedAt: Date.now(), longestFrameGapMs: 0 };
        frameWatch.last = 0;
    }

    // Sends a solver request and notes its times in `timings`; tests and measurements
    // send requests of their own through here.
    function runSolve(request) {
        if (!game || !Rules.isPlaying(game))
            return;
        startAsking();
        link.solve(request);
        if (link.hasStation) {
            timings.returnedAt = Date.now();
            timings = timings;
            if (game.phase === "solving") {      // neither answered nor stopped
                game = Rules.stopSolving(game);
                notice = "The station's solver did not answer.";
            }
        }
    }

    // The laid pieces cannot be completed: asks again without some of them (while the
    // banner stays up and Stop works), marks the ones in the way and says so.
    function markMisplaced() {
        lookingForMisplaced = true;
        const found = Rules.misplacedPieces(game.position, askQuietly);
        lookingForMisplaced = false;
        if (game.phase !== "solving")            // stopped meanwhile
            return;
        misplaced = found;
        game = Rules.markPieces(Rules.stopSolving(game), found ? found.ids : []);
        timings.markedAt = Date.now();
        timings = timings;
        sounds.play("invalid");
        if (solvePurpose === "hint")
            notice = misplacedText();
        else
            impossible.open();
    }

    // One request of the search for misplaced pieces: its answer, or null when the
    // search was stopped or nobody answered.
    function askQuietly(request) {
        if (!game || game.phase !== "solving")
            return null;
        if (!link.hasStation)
            return offlineSolver ? offlineSolver(request) : null;
        probing = true;
        probeAnswer = null;
        link.solve(request);
        probing = false;
        return game.phase === "solving" ? probeAnswer : null;
    }

    function misplacedText() {
        const m = misplaced;
        if (!m || m.ids.length === 0)
            return "The pieces you laid cannot all stay.";
        if (m.alone && m.ids.length === 1)
            return "This piece cannot stay here: without it the board can be finished.";
        if (m.alone)
            return "Each marked piece is in the way: take any one of them off and the board can be finished.";
        return "The marked pieces cannot stay: take them off and the board can be finished.";
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
        if (probing) {
            probeAnswer = answer;
            return;
        }
        timings.answeredAt = Date.now();
        timings = timings;
        if (solvePurpose === "hint") {
            const hinted = Rules.takeHint(game, answer);
            if (hinted.outcome === "hint") {
                game = Rules.stopSolving(game);      // so that the hint is a move taken back like any
                apply(hinted.game);
                timings.hintLaidAt = Date.now();
                timings = timings;
                if (hintPenaltyMs > 0 && game.phase === "play")
                    notice = "Hint: +" + Theme.formatTime(hintPenaltyMs) + " on your time.";
            } else if (hinted.outcome === "impossible") {
                markMisplaced();
            }
            return;
        }
        const taken = Rules.takeAnswer(game, answer);
        if (taken.outcome === "ignored")
            return;
        if (taken.outcome === "impossible") {
            if (lastSolveFromEmpty) {
                game = taken.game;
                impossible.open();
            } else {
                markMisplaced();
            }
            return;
        }
        game = taken.game;
        clock.stop();
        showingSolution = true;
        solutionTimer.start();
    }

    function finishShowingSolution() {
        solutionTimer.stop();
        showingSolution = false;
        timings.shownAt = Date.now();
        timings = timings;
        if (busy)
            busyRound();
        else
            boardSolved();
    }

    // Lays the whole of the answer taken at once, with nothing said after (pictures).
    function layWholeAnswer() {
        solutionTimer.stop();
        while (!Rules.solutionShown(game) && game.phase === "solved")
            game = Rules.layNextOfSolution(game);
    }

    // The busiest scene: the whole board flies back into the tray and onto the board
    // again, without a pause.
    function busyRound() {
        solutionTimer.stop();
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
    // cells, all when not given or 0.
    function playSolution(upTo) {
        const n = game.position.board.cellCount;
        for (let cell = 1; cell <= Math.min(n, upTo || n); ++cell) {
            const s = game.solution[cell];
            apply(Rules.layPiece(game, s.id, cell));
            apply(Rules.turnPiece(game, s.id, game.position.rotationOf[s.id] - s.rotation));
        }
    }

    // Lays the dealt piece of the last cell into `cell` (another one), turned to fit its
    // laid neighbours where some turn does: a piece that most likely cannot stay there
    // (tests and pictures). Gives its id.
    function layMisplaced(cell) {
        const id = game.solution[game.position.board.cellCount].id;
        apply(Rules.layPiece(game, id, cell));
        for (let t = 1; t < game.position.board.edges && !Board.fitsAt(game.position, cell); ++t)
            apply(Rules.turnPiece(game, id, 1));
        return id;
    }

    // What lies where, for tests: { laid: { cell: [id, rotation] }, marked, phase, hints }.
    function stateJson() {
        const p = game.position, laid = {};
        for (let cell = 1; cell <= p.board.cellCount; ++cell)
            if (p.pieceAt[cell] >= 0)
                laid[cell] = [p.pieceAt[cell], p.rotationOf[p.pieceAt[cell]]];
        return JSON.stringify({ laid: laid, marked: game.marked, phase: game.phase, hints: game.hints });
    }

    function isBoardSolved() {
        return Board.isSolved(game.position);
    }

    function timingsJson() {
        return JSON.stringify(timings);
    }

    keyHandler: keys
    inProgress: game !== null && game.moves > 0 && (game.phase === "play" || game.phase === "solving")
    undoEnabled: true
    onUndoRequested: takeBack()
    // A finished board whose result still waits is recorded before the window goes.
    onWindowClosing: {
        if (resultTimer.running) {
            resultTimer.stop();
            boardWon(clock.elapsedMs);
        }
    }

    Connections {
        target: movie.link
        function onSolved(answer) { movie.takeAnswer(answer); }
    }

    GameClock {
        id: clock
        held: movie.paused || impossible.visible
    }

    // The table is the movie's; it lies in the play area and draws this game.
    Binding { target: movie.table; property: "parent"; value: movie.playArea }
    Binding { target: movie.table; property: "game"; value: movie.game }

    Item {
        id: keys
        focus: true
        Keys.onPressed: function(event) { movie.handleKey(event); }
    }

    Connections {
        target: movie.table
        function onLayRequested(id, cell) { movie.applyByMouse(Rules.layPiece(movie.game, id, cell), id); }
        function onLiftRequested(id) { movie.applyByMouse(Rules.liftPiece(movie.game, id), id); }
        function onTurnRequested(id, steps) { movie.applyByMouse(Rules.turnPiece(movie.game, id, steps), id); }
        // A click on an empty place puts down the piece the keyboard holds; a piece the
        // mouse takes is the mouse's alone.
        function onPlaceChosen(area, index) {
            movie.focusGame();
            if (movie.game.phase !== "play")
                return;
            const chosen = Rules.setCursor(movie.game, area, index);
            movie.apply(movie.game.held >= 0 ? Rules.press(chosen) : chosen);
        }
        function onPieceChosen(area, index) {
            movie.focusGame();
            if (movie.game.phase === "play")
                movie.apply(Rules.setCursor(Rules.release(movie.game), area, index));
        }
    }

    // Under the table: the movie's controls on the left, the state and Solve on the right.
    Row {
        id: controlRow
        x: 16
        y: movie.table ? movie.table.height + 10 : 0
        z: 1
        height: 44
        spacing: 10
    }
    Row {
        anchors.right: parent.right
        anchors.rightMargin: 16
        y: movie.table ? movie.table.height + 10 : 0
        z: 1
        spacing: 14

        Text {
            anchors.verticalCenter: parent.verticalCenter
            // The room the movie's controls leave on the row.
            width: Math.max(90, movie.width - 32 - controlRow.width - 28 - hintButton.width - solveButton.width - 14)
            height: 44
            horizontalAlignment: Text.AlignRight
            verticalAlignment: Text.AlignVCenter
            // Where the row is narrow (a board picker beside it) a long line gets smaller
            // letters rather than losing its end.
            fontSizeMode: Text.Fit
            minimumPixelSize: 10
            maximumLineCount: 3
            elide: Text.ElideRight
            text: !movie.game ? ""
                : movie.notice !== "" ? movie.notice
                : movie.game.phase === "solved" ? "Solved by the solver."
                : movie.game.phase === "won" ? movie.wonText
                : movie.game.phase === "solving" ? "The solver is at work\u2026"
                : movie.fits.all - movie.fits.fit === 0 ? movie.hint
                : Board.laidCount(movie.game.position) === 0 ? "Drag a piece onto the board to begin."
                : movie.toFitText + (movie.fits.all - movie.fits.fit)
            color: Theme.textDim
            font.family: Theme.fontFamily
            font.pixelSize: Theme.smallSize
            wrapMode: Text.WordWrap
        }
        GameButton {
            id: hintButton
            objectName: "hintButton"
            text: "Hint"
            key: "I"
            enabled: movie.game !== null && movie.game.phase === "play"
            onClicked: movie.showHint()
        }
        GameButton {
            id: solveButton
            objectName: "solveButton"
            text: "Solve"
            key: "S"
            enabled: movie.game !== null && movie.game.phase === "play"
            onClicked: movie.solve(false)
        }
    }

    SolvingBanner {
        id: banner
        readonly property rect board: movie.table ? movie.table.boardArea : Qt.rect(0, 0, 0, 0)
        x: board.x + board.width / 2 - width / 2
        y: Math.max(10, board.y + board.height / 2 - height / 2 - 20)
        z: 90
        visible: movie.game !== null && movie.game.phase === "solving"
        startedAt: movie.timings.requestedAt || 0
        heading: movie.lookingForMisplaced ? "Checking pieces\u2026"
               : movie.solvePurpose === "hint" ? "Finding a hint\u2026" : "Solving\u2026"
        canStartEmpty: movie.solvePurpose === "solve" && !movie.lastSolveFromEmpty
        onStopRequested: movie.stopSolving()
        onFromEmptyRequested: {
            movie.stopSolving();
            Qt.callLater(movie.solve, true);   // once this request has returned
        }

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
                text: movie.lookingForMisplaced ? "Asking the solver again without each laid piece in turn."
                      : movie.solvingNote
                color: Theme.text
                font.family: Theme.fontFamily
                font.pixelSize: Theme.smallSize
                wrapMode: Text.WordWrap
            }
        }
    }

    // The longest time between two frames while the solver works.
    FrameAnimation {
        id: frameWatch
        property real last: 0
        running: movie.game !== null && movie.game.phase === "solving"
        onTriggered: {
            const now = Date.now();
            if (last > 0 && now - last > (movie.timings.longestFrameGapMs || 0))
                movie.timings.longestFrameGapMs = now - last;
            last = now;
        }
    }

    Overlay {
        id: impossible
        objectName: "impossiblePanel"
        title: movie.lastSolveFromEmpty ? "The solver found no solution"
                                        : "These pieces cannot be completed"
        onClosed: movie.focusGame()

        Text {
            width: parent.width
            text: movie.lastSolveFromEmpty
                  ? "Not even an empty board can be filled with these pieces."
                  : "No way of filling the board keeps the pieces you laid where they lie, turned as they are. "
                    + movie.misplacedText() + " The solver can also start again from an empty board."
            color: Theme.text
            font.family: Theme.fontFamily
            font.pixelSize: Theme.bodySize
            horizontalAlignment: Text.AlignHCenter
            wrapMode: Text.WordWrap
        }
        buttons: [
            GameButton {
                objectName: "fromEmptyButton"
                visible: !movie.lastSolveFromEmpty
                text: "Solve from an empty board"
                primary: true
                onClicked: movie.solve(true)
            },
            GameButton {
                text: "Keep playing"
                onClicked: impossible.close()
            }
        ]
        Keys.onReturnPressed: {
            if (movie.lastSolveFromEmpty)
                close();
            else
                movie.solve(true);
        }
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

    Timer {
        id: resultTimer
        interval: movie.resultDelay
        onTriggered: movie.boardWon(movie.clock.elapsedMs)
    }
}

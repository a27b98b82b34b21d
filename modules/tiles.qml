// The tile puzzles: Tarno 9 (3 x 3), Tarno 16, Angle Puzzle and K-Puzzle (4 x 4), told
// apart by gameType. Lay every piece so that touching edges match; the time goes to
// the hi-score list, and the station's solver can finish the board.
import QtQuick
import "common"
import "common/Random.mjs" as Random
import "common/Theme.mjs" as Theme
import "tiles"
import "tiles/Board.mjs" as Board
import "tiles/Rules.mjs" as Rules

GameScreen {
    id: movie

    property var game: Rules.newGame(gameType, 1)
    readonly property var setup: Rules.games[game.gameType]
    readonly property var fits: Board.matchCount(game.position)
    readonly property string phase: game.phase
    property bool showingSolution: false
    property bool busy: false
    property bool lastSolveFromEmpty: false   // then no answer means no solution at all
    property string notice          // a line under the tray until the next move
    // Measured from the movie's side (ms since the epoch, or ms): the last solve.
    property var timings: ({})
    readonly property alias station: link

    // Deals a new puzzle of this movie's game from `seed`.
    function newGame(seed) {
        if (game.phase === "solving")
            stopSolving();
        solutionTimer.stop();
        if (resultTimer.running) {       // a finished board still records its time
            resultTimer.stop();
            sendResult();
        }
        busy = false;
        impossible.close();
        gameOver.clear();
        clock.reset();
        showingSolution = false;
        game = Rules.newGame(gameType, seed);
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
        if (before.phase !== "won" && next.phase === "won") {
            clock.stop();
            resultTimer.start();
        }
    }

    function handleKey(event) {
        const k = event.key;
        let next = null;
        if (k === Qt.Key_Left) next = Rules.moveCursor(game, -1, 0);
        else if (k === Qt.Key_Right) next = Rules.moveCursor(game, 1, 0);
        else if (k === Qt.Key_Up) next = Rules.moveCursor(game, 0, -1);
        else if (k === Qt.Key_Down) next = Rules.moveCursor(game, 0, 1);
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
            apply(next);
            event.accepted = true;
        }
    }

    // Asks the station's solver to finish the board, keeping the laid pieces (or from
    // an empty board). With the station, the answer (or nothing, after Stop) has come
    // by the time the request returns.
    function solve(fromEmpty) {
        impossible.close();
        if (!Rules.isPlaying(game))
            return;
        lastSolveFromEmpty = fromEmpty;
        if (!fromEmpty && Rules.laidPiecesClash(game)) {
            impossible.open();
            return;
        }
        runSolve(Rules.solveRequest(game, fromEmpty));
    }

    // Sends a solver request and notes the times of the solve in `timings` (measurements
    // send requests of their own through here).
    function runSolve(request) {
        if (!Rules.isPlaying(game))
            return;
        game = Rules.startSolving(game);
        timings = { requestedAt: Date.now(), longestFrameGapMs: 0 };
        frameWatch.last = 0;
        link.solve(request);
        if (link.hasStation) {
            timings.returnedAt = Date.now();
            timings = timings;
            if (game.phase === "solving") {   // neither answered nor stopped
                game = Rules.stopSolving(game);
                notice = "The station's solver did not answer.";
            }
        }
    }

    function stopSolving() {
        if (game.phase !== "solving")
            return;
        timings.stoppedAt = Date.now();
        game = Rules.stopSolving(game);
        link.stopSolving();
        focusGame();
    }

    // The solver's answer arrived.
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
        if (busy)
            busyRound();
        else
            showGameOver("Solved by the solver",
                     ["Every edge fits.", "A solved game records no time: deal a new one and beat the clock."]);
    }

    // The result goes to the hi-score list once; the station asks for the name.
    function sendResult() {
        const list = Rules.scoreList(game, clock.elapsedMs);
        if (list.length === 0)
            return;
        game = Rules.resultSent(game);
        showGameOver("Well done!", ["Every edge fits.", "Your time: " + Theme.formatTime(clock.elapsedMs, true)]);
        link.writeScore(list);
    }

    // The busiest scene: the pieces fly back into the tray and onto the board, again and
    // again, without a pause.
    function busyRound() {
        solutionTimer.stop();
        let g = Rules.newGame(gameType, 2026);
        g = Rules.startSolving(g);
        game = Rules.takeAnswer(g, Rules.dealtAnswer(g)).game;
        solutionTimer.start();
    }

    // Lays the dealt solution move by move as a player would (tests and pictures).
    function playSolution() {
        for (let cell = 1; cell <= game.position.board.cellCount; ++cell) {
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

    function screenshotScene(name) {
        table.animated = false;
        newGame(2026);
        if (name === "play") {
            for (const cell of [1, 2, 3, 5, 6]) {
                const s = game.solution[cell];
                apply(Rules.layPiece(game, s.id, cell));
                apply(Rules.turnPiece(game, s.id, game.position.rotationOf[s.id] - s.rotation));
            }
            // One piece laid wrongly turned, so that the picture shows a clash.
            const wrong = game.solution[4];
            apply(Rules.layPiece(game, wrong.id, 4));
            apply(Rules.setCursor(game, "tray", game.solution[9].id));
            clock.carried = 83400;
        } else if (name === "solved") {
            // Solve after one laid piece: the station's solver when there is one.
            const first = game.solution[1];
            apply(Rules.layPiece(game, first.id, 1));
            apply(Rules.turnPiece(game, first.id, game.position.rotationOf[first.id] - first.rotation));
            clock.carried = 47200;
            if (link.hasStation)
                solve(false);
            if (game.phase !== "solved") {   // no station, or one that does not answer
                game = Rules.startSolving(game);
                takeAnswer(Rules.dealtAnswer(game));
                notice = "";
            }
            solutionTimer.stop();
            while (!Rules.solutionShown(game) && game.phase === "solved")
                game = Rules.layNextOfSolution(game);
        } else if (name === "busy") {
            table.animated = true;
            busy = true;
            busyRound();
        }
        clock.update();
    }

    title: setup.title
    stats: [
        { label: "Time", value: clock.text },
        { label: "Laid", value: Board.laidCount(game.position) + "/" + game.position.board.cellCount },
        { label: "Fitting edges", value: fits.fit + "/" + fits.all }
    ]
    keyHandler: table
    howToPlayText: "<p>Lay every piece on the board so that wherever two pieces touch, their edges "
        + ({ marks: "show the same colour and symbol", angles: "show the same angle, as one diamond",
             letters: "show the same letter" })[setup.look]
        + ". Edges on the rim of the board may show anything.</p>"
        + "<p><b>Mouse:</b> drag a piece onto a cell, onto another piece to swap the two, or back to "
        + "the tray. Click a piece to turn it clockwise; right-click or roll the wheel to turn it either way.</p>"
        + "<p><b>Keys:</b> the arrows move the yellow frame over the board and the tray; Enter or Space "
        + "picks a piece up and puts it down; X turns it clockwise, Z the other way; Backspace sends it "
        + "back to the tray.</p>"
        + "<p>A red \u2715 marks two edges that do not fit. The clock starts with your first move; a full "
        + "board where every edge fits puts your time on the hi-score list. <b>Solve</b> (S) lets the "
        + "computer finish the board from the pieces you laid; a solved game records no time.</p>"

    onNewGameRequested: newGame(Random.freshSeed())
    Component.onCompleted: newGame(Random.freshSeed())

    StationLink {
        id: link
        onSolved: function(answer) { movie.takeAnswer(answer); }
    }

    GameClock {
        id: clock
    }

    PuzzleBoard {
        id: table
        anchors.fill: parent
        game: movie.game
        look: movie.setup.look
        focus: true
        Keys.onPressed: function(event) { movie.handleKey(event); }
        onLayRequested: function(id, cell) { movie.apply(Rules.layPiece(movie.game, id, cell)); }
        onLiftRequested: function(id) { movie.apply(Rules.liftPiece(movie.game, id)); }
        onTurnRequested: function(id, steps) { movie.apply(Rules.turnPiece(movie.game, id, steps)); }
        // A click on an empty place puts down the piece the keyboard holds; a piece the
        // mouse takes is the mouse's alone.
        onPlaceChosen: function(area, index) {
            table.forceActiveFocus();
            const chosen = Rules.setCursor(movie.game, area, index);
            movie.apply(movie.game.held >= 0 ? Rules.press(chosen) : chosen);
        }
        onPieceChosen: function(area, index) {
            table.forceActiveFocus();
            movie.apply(Rules.setCursor(Rules.release(movie.game), area, index));
        }
    }

    Column {
        x: table.trayX
        y: table.trayY + table.rows * table.slotSize + 24
        width: table.columns * table.slotSize
        spacing: 14

        Text {
            width: parent.width
            text: movie.notice !== "" ? movie.notice
                : movie.game.phase === "solved" ? "Solved by the solver."
                : movie.game.phase === "won" ? "Solved! Every edge fits."
                : movie.fits.all - movie.fits.fit === 0 ? "Lay the pieces so that touching edges match."
                : Board.laidCount(movie.game.position) === 0 ? "Drag a piece onto the board to begin."
                : "Edges still to fit: " + (movie.fits.all - movie.fits.fit)
            color: Theme.textDim
            font.family: Theme.fontFamily
            font.pixelSize: Theme.smallSize
            wrapMode: Text.WordWrap
        }
        GameButton {
            objectName: "solveButton"
            text: "Solve"
            key: "S"
            enabled: movie.game.phase === "play"
            onClicked: movie.solve(false)
        }
    }

    SolvingBanner {
        id: banner
        x: table.boardX + table.columns * table.cellSize / 2 - width / 2
        y: table.boardY + table.rows * table.cellSize / 2 - height / 2
        z: 90
        visible: movie.game.phase === "solving"
        startedAt: movie.timings.requestedAt || 0
        onStopRequested: movie.stopSolving()
    }

    // The longest time between two frames while the solver works.
    FrameAnimation {
        id: frameWatch
        property real last: 0
        running: movie.game.phase === "solving"
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
                    + "The solver can start again from an empty board."
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
        interval: 70
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
        interval: 400
        onTriggered: movie.sendResult()
    }
}

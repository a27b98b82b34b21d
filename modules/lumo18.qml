// Lumo 18: a run of twenty light puzzles growing from 3 x 3 to 7 x 7 lamps. The score is
// the number of puzzles solved, with the moves and the time of the whole run.
import QtQuick
import "common"
import "lumo"
import "common/Random.mjs" as Random
import "common/Theme.mjs" as Theme
import "lumo/Rules.mjs" as Rules

GameScreen {
    id: screen

    property var run: Rules.newRun(1)
    property bool showSolution: false
    readonly property alias table: table     // for tests: the board and the name
    readonly property alias link: link
    readonly property alias clock: clock

    // Starts a new run from a seed; a run still going is left without a result.
    function newGame(seed) {
        clock.reset();
        run = Rules.newRun(seed);
        showSolution = false;
        link.newGame();
        table.cursor = 0;
        gameOver.clear();
        focusGame();
    }
    // Presses lamp `index`: the one way a move is made, from the mouse, the keys and tests.
    function press(index) {
        if (run.over)
            return;
        clock.start();
        clock.update();
        const before = run.solved;
        run = Rules.runMove(Rules.runTick(run, clock.elapsedMs), index);
        if (run.solved > before) {
            showSolution = false;
            table.cursor = Math.min(table.cursor, run.board.cells.length - 1);
            if (!run.over)
                cheer.show("Puzzle " + run.solved + " solved!");
        }
        if (run.over)
            finish();
    }
    // Ends the run now: the puzzles solved so far are the result.
    function endRun() {
        if (run.over)
            return;
        clock.update();
        run = Rules.endRun(Rules.runTick(run, clock.elapsedMs));
        if (run.over)
            finish();
    }
    function toggleSolution() {
        if (run.over)
            return;
        showSolution = !showSolution;
        if (showSolution)
            run = Rules.withHelp(run);
    }
    // How often to press each lamp to put the current puzzle out with the fewest presses:
    // for tests and scenes; it shows nothing, so it is no help to the player.
    function solution() { return Rules.solve(run.board, run.lamps); }
    function finish() {
        clock.stop();
        showSolution = false;
        const list = Rules.runResult(run, table.name);
        if (list)
            link.writeScore(list);
        showGameOver(endTitle(), [
            "Solved: " + run.solved + " of " + Rules.runLength,
            "Moves: " + run.moves + "    Time: " + Theme.formatTime(run.timeMs, true),
            run.helped ? "Played with help: no score is recorded."
                : !list ? "No move made: nothing is recorded."
                : "Recorded for " + (list[4] === "" ? "a player without a name." : list[4] + ".")]);
    }
    function endTitle() {
        switch (run.outcome) {
        case "complete": return "All twenty solved!";
        case "moves": return "Out of moves";
        case "time": return "Time is up";
        default: return "Run ended";
        }
    }
    function screenshotScene(name) {
        newGame(20261207);
        for (let k = 0; k < 9; ++k)
            press(solution().findIndex(n => n > 0));
        if (name === "busy")
            demo.start();
        else if (name === "solved")
            endRun();
        else if (name === "howto")
            showHowToPlay();
        else
            table.cursor = solution().findIndex(n => n > 0);
    }

    title: "Lumo 18"
    stats: [
        { label: "Puzzle", value: Math.min(run.solved + 1, Rules.runLength) + "/" + Rules.runLength },
        { label: "Moves", value: run.moves + "/" + Rules.maxMoves },
        { label: "Time", value: clock.text }
    ]
    howToPlayText: "<p>Twenty puzzles in a row, from 3 × 3 to 7 × 7 lamps. Press a lamp: it "
        + "and the four beside it switch. Put <b>every lamp out</b> and the next puzzle comes.</p>"
        + "<p>A <b>lit</b> lamp is a disc with rays, an <b>out</b> lamp an empty ring.</p>"
        + "<p>Your score is the number of puzzles solved; then fewer moves and less time rank "
        + "higher; the clock starts with your first press. A run has " + Rules.maxMoves
        + " moves in all. <b>End run</b> (E) stops "
        + "and records what you have solved; New game starts afresh and records nothing.</p>"
        + "<p>Keys: arrows move the frame, Space or Enter presses, S shows the solution "
        + "(the run then records no score), Tab types your name.</p>"
    keyHandler: table.boardView
    onNewGameRequested: newGame(Random.freshSeed())

    Component.onCompleted: newGame(Random.freshSeed())

    StationLink { id: link }

    GameClock {
        id: clock
        onElapsedMsChanged: {
            if (running && elapsedMs >= Rules.maxTimeMs && !screen.run.over) {
                screen.run = Rules.runTick(screen.run, elapsedMs);
                screen.finish();
            }
        }
    }

    LumoTable {
        id: table
        board: screen.run.board
        lamps: screen.run.lamps
        hints: screen.showSolution ? screen.solution() : []
        helped: screen.run.helped
        note: screen.run.helped ? "Help used: this run records no score."
            : "Puzzle " + (screen.run.puzzle + 1) + ": " + screen.run.board.cols + " × "
              + screen.run.board.rows + " lamps, done in " + screen.run.fewest
              + (screen.run.fewest === 1 ? " press." : " presses.")
        onLampPressed: function(index) { screen.press(index); }
        onSolutionRequested: screen.toggleSolution()
        buttons: GameButton {
            text: "End run"
            key: "E"
            onClicked: { screen.endRun(); }
        }
        commandKeys: [Qt.Key_E]
        onCommandKey: screen.endRun()
    }

    // A short word of praise over the board when a puzzle is solved.
    Text {
        id: cheer
        function show(message) {
            text = message;
            opacity = 1;
            fade.restart();
        }
        anchors.horizontalCenter: parent.horizontalCenter
        y: 16
        opacity: 0
        color: Theme.good
        font.family: Theme.fontFamily
        font.pixelSize: Theme.titleSize
        font.bold: true
        style: Text.Outline
        styleColor: "#0b132b"
        NumberAnimation on opacity { id: fade; running: false; from: 1; to: 0; duration: 1400; easing.type: Easing.InQuad }
    }

    // The busiest the board gets, for measuring: lamps pressed in quick succession.
    Timer {
        id: demo
        property int count: 0
        interval: 90
        repeat: true
        onTriggered: {
            const n = screen.run.board.cells.length;
            screen.run = Object.assign({}, screen.run,
                { lamps: Rules.press(screen.run.board, screen.run.lamps, (count * 7) % n) });
            if (++count >= 60)
                stop();
        }
    }
}

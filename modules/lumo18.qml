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
    property var solvedBoard: null           // the puzzle just solved, shown a moment
    readonly property alias table: table     // for tests: the board and the name
    readonly property alias link: link
    readonly property alias clock: clock

    // Starts a new run from a seed; a run still going is left without a result.
    function newGame(seed) {
        clock.reset();
        pause.stop();
        solvedBoard = null;
        run = Rules.newRun(seed);
        showSolution = false;
        link.newGame();
        table.cursor = 0;
        gameOver.clear();
        focusGame();
    }
    // Presses lamp `index`: the one way a move is made, from the mouse, the keys and tests.
    // Called during the moment a solved puzzle stays, it moves on to the next at once.
    function press(index) {
        if (run.over)
            return;
        if (pause.running) {
            pause.stop();
            solvedBoard = null;
        }
        clock.start();
        clock.update();
        const before = run;
        run = Rules.runMove(Rules.runTick(run, clock.elapsedMs), index);
        if (run.solved > before.solved) {
            showSolution = false;
            table.cursor = Math.min(table.cursor, run.board.cells.length - 1);
            // The solved board stays in view a moment, all lamps out, before the next.
            if (!run.over) {
                solvedBoard = { board: before.board, lamps: before.lamps.map(() => 0), solved: run.solved };
                pause.restart();
            }
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
    // Showing the solution costs the puzzle's par in moves, once a puzzle; hiding and
    // showing it again is free.
    function toggleSolution() {
        if (run.over)
            return;
        showSolution = !showSolution;
        if (showSolution) {
            run = Rules.showSolution(run);
            if (run.over)
                finish();
        }
    }
    // How often to press each lamp to put the current puzzle out with the fewest presses:
    // for tests and scenes; it shows nothing, so it is no help to the player.
    function solution() { return Rules.solve(run.board, run.lamps); }
    function finish() {
        clock.stop();
        showSolution = false;
        const list = Rules.runResult(run, table.name);
        if (list) {
            link.keep("name", list[4]);
            // The hi-score window opens over the movie: the finished board and its
            // panel are drawn first, so they are what shows behind it.
            send.list = list;
            send.restart();
        }
        showGameOver(endTitle(), [
            "Solved: " + run.solved + " of " + Rules.runPuzzles.length,
            "Moves: " + run.moves + "    Time: " + Theme.formatTime(run.timeMs, true),
            !list ? "No puzzle solved: nothing is recorded."
                : "Recorded for " + list[4] + "."]);
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
        { label: "Puzzle", value: Math.min(run.solved + 1, Rules.runPuzzles.length) + "/" + Rules.runPuzzles.length },
        { label: "Par", value: String(run.par) },
        { label: "Moves", value: run.moves + "/" + Rules.maxMoves },
        { label: "Time", value: clock.text }
    ]
    howToPlayText: "<p>Twenty puzzles in a row, from 3 × 3 to 6 × 6 lamps. Press a lamp: it "
        + "and the four beside it switch. Put <b>every lamp out</b> and the next puzzle comes. "
        + "<i>Par</i> at the top is the fewest presses the puzzle needs.</p>"
        + "<p>A <b>bright</b> lamp is a disc with eight rays, an <b>out</b> lamp an empty ring. "
        + "The last seven puzzles have lamps of three levels: a press steps a lamp down from "
        + "bright to <b>dim</b> (a small disc with four rays) to out, and out goes back to bright.</p>"
        + "<p>Your score is the number of puzzles solved; then fewer moves and less time rank "
        + "higher; the clock starts with your first press. A run has " + Rules.maxMoves
        + " moves in all. <b>End run</b> (E) stops "
        + "and records what you have solved; New game starts afresh and records nothing.</p>"
        + "<p>Keys: arrows move the frame, Space or Enter presses, S shows the solution "
        + "(it costs as many moves as the puzzle's par), Tab types your name.</p>"
    keyHandler: table.boardView
    onNewGameRequested: newGame(Random.freshSeed())

    Component.onCompleted: {
        table.name = Rules.startingName(link.kept("name") || table.name, link.lastName());
        newGame(Random.freshSeed());
    }

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
        board: screen.solvedBoard ? screen.solvedBoard.board : screen.run.board
        lamps: screen.solvedBoard ? screen.solvedBoard.lamps : screen.run.lamps
        showing: screen.showSolution
        hints: screen.showSolution ? screen.solution() : []
        note: screen.solvedBoard ? "Puzzle " + screen.solvedBoard.solved + " solved!"
            : "Puzzle " + (screen.run.puzzle + 1) + ": " + screen.run.board.cols + " × "
              + screen.run.board.rows + (screen.run.board.levels > 2 ? " lamps of three levels." : " lamps.")
              + (screen.run.shown ? "  The solution cost " : "  Showing the solution costs ")
              + screen.run.par + (screen.run.par === 1 ? " move." : " moves.")
        // The board takes no presses while the solved puzzle stays.
        onLampPressed: function(index) { if (!pause.running) screen.press(index); }
        onSolutionRequested: screen.toggleSolution()
        buttons: GameButton {
            text: "End run"
            key: "E"
            onClicked: { screen.endRun(); }
        }
        commandKeys: [Qt.Key_E]
        onCommandKey: screen.endRun()
    }

    Timer {
        id: send
        property var list: []
        interval: 150
        onTriggered: link.writeScore(list)
    }

    // The solved puzzle stays a moment; then the next one comes.
    Timer {
        id: pause
        interval: 700
        onTriggered: screen.solvedBoard = null
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

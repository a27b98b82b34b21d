// SPDX-License-Identifier: GPL-3.0-or-later
// Lumo 18: a run of twenty light puzzles whose par grows from 1 to 8 presses, the last
// third with lamps of three levels. The score is the number of puzzles solved, with the
// moves and the time of the whole run.
import QtQuick
import "common"
import "lumo"
import "common/Theme.mjs" as Theme
import "lumo/Rules.mjs" as Rules

LumoGame {
    id: screen

    readonly property var run: game          // the run of puzzles
    property var solvedBoard: null           // the puzzle just solved, shown a moment

    // Ends the run now: the puzzles solved so far are the result.
    function endRun() {
        if (game.over)
            return;
        clock.update();
        game = Rules.endRun(Rules.runTick(game, clock.elapsedMs));
        if (game.over)
            end();
    }
    // Ending a run under way is asked first.
    function askEndRun() {
        confirmDiscard(endRun, "End this run? What you have solved is recorded.", "End run");
    }
    function endTitle() {
        switch (game.outcome) {
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
        { label: "Puzzle", value: Math.min(game.solved + 1, Rules.runPuzzles.length) + "/" + Rules.runPuzzles.length },
        { label: "Par", value: String(game.par) },
        { label: "Moves", value: game.moves + "/" + Rules.maxMoves },
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
        + "(it costs as many moves as the puzzle's par), Tab types your name. Undo (Z, or the "
        + "same lamp again) takes a press of this puzzle back and it no longer counts.</p>"
    game: Rules.newRun(1)
    deal: Rules.newRun
    move: Rules.runMove
    tick: Rules.runTick
    resultOf: Rules.runResult
    helpWith: Rules.showSolution
    endText: function(list) {
        return [endTitle(), [
            "Solved: " + game.solved + " of " + Rules.runPuzzles.length,
            "Moves: " + game.moves + "    Time: " + Theme.formatTime(game.timeMs, true),
            !list ? "No puzzle solved: nothing is recorded." : "Recorded for " + list[4] + "."]];
    }
    onPressed: function(before) {
        if (pause.running) {
            pause.stop();
            solvedBoard = null;
        }
        if (game.solved > before.solved) {
            undo.clear();                 // a solved puzzle stays solved
            sounds.play("levelup");
            showSolution = false;
            table.cursor = Math.min(table.cursor, game.board.cells.length - 1);
            // The solved board stays in view a moment, all lamps out, before the next.
            if (!game.over) {
                solvedBoard = { board: before.board, lamps: before.lamps.map(() => 0), solved: game.solved };
                pause.restart();
            }
        }
        if (game.over && game.solved > 0)
            link.keep("name", Rules.sentName(table.name));
    }
    onNewGameRequested: {
        pause.stop();
        solvedBoard = null;
    }
    Component.onCompleted: table.name = Rules.startingName(link.kept("name") || table.name, link.lastName())
    table.board: solvedBoard ? solvedBoard.board : game.board
    table.lamps: solvedBoard ? solvedBoard.lamps : game.lamps
    // The board takes no presses while the solved puzzle stays.
    accepting: !pause.running
    table.note: solvedBoard ? "Puzzle " + solvedBoard.solved + " solved!"
        : "Puzzle " + (game.puzzle + 1) + ": " + game.board.cols + " × " + game.board.rows
          + (game.board.levels > 2 ? " lamps of three levels." : " lamps.")
          + (game.shown ? "  The solution cost " : "  Showing the solution costs ")
          + game.par + (game.par === 1 ? " move." : " moves.")
    table.buttons: GameButton {
        text: "End run"
        key: "E"
        onClicked: screen.askEndRun()
    }
    table.commandKeys: [Qt.Key_E]

    Connections {
        target: screen.table
        function onCommandKey() { screen.askEndRun(); }
    }

    // The solved puzzle stays a moment; then the next one comes.
    Timer {
        id: pause
        interval: 700
        onTriggered: screen.solvedBoard = null
    }
}

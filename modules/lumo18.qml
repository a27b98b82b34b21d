// Lumo 18: a run of twenty light puzzles growing from 3 x 3 to 7 x 7 lamps. The score is
// the number of puzzles solved, with the moves and the time of the whole run.
import QtQuick
import "common"
import "lumo"
import "common/Theme.mjs" as Theme
import "lumo/Rules.mjs" as Rules

LumoGame {
    id: screen

    readonly property var run: game          // the run of puzzles

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
        { label: "Puzzle", value: Math.min(game.solved + 1, Rules.runLength) + "/" + Rules.runLength },
        { label: "Moves", value: game.moves + "/" + Rules.maxMoves },
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
        + "(the run then records no score), Tab types your name. Undo (Z, or the same lamp "
        + "again) takes a press of this puzzle back and it no longer counts.</p>"
    game: Rules.newRun(1)
    deal: Rules.newRun
    move: Rules.runMove
    tick: Rules.runTick
    resultOf: Rules.runResult
    endText: function(list) {
        return [endTitle(), [
            "Solved: " + game.solved + " of " + Rules.runLength,
            "Moves: " + game.moves + "    Time: " + Theme.formatTime(game.timeMs, true),
            game.helped ? "Played with help: no score is recorded."
                : !list ? "No move made: nothing is recorded."
                : "Recorded for " + (list[4] === "" ? "a player without a name." : list[4] + ".")]];
    }
    onPressed: function(before) {
        if (game.solved > before.solved) {
            undo.clear();                 // a solved puzzle stays solved
            sounds.play("levelup");
            showSolution = false;
            table.cursor = Math.min(table.cursor, game.board.cells.length - 1);
            if (!game.over)
                cheer.show("Puzzle " + game.solved + " solved!");
        }
    }
    table.note: game.helped ? "Help used: this run records no score."
        : "Puzzle " + (game.puzzle + 1) + ": " + game.board.cols + " × " + game.board.rows
          + " lamps, done in " + game.fewest + (game.fewest === 1 ? " press." : " presses.")
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
}

// SPDX-License-Identifier: GPL-3.0-or-later
// The root both Lumo movies are built on: the state of the rules (a game or a run),
// pressing lamps on the clock's time (a press taken back is undone, not counted), the
// solution shown on request, the end with its result sent, the board and the name, and
// the busiest scene. The movie gives how to
// deal, press, tick and score its state (`deal`, `move`, `tick`, `resultOf`) and what
// the end says (`endText`).
import QtQuick
import "../common"
import "../common/Random.mjs" as Random
import "Rules.mjs" as Rules

GameScreen {
    id: screen

    property var game
    property bool showSolution: false
    property var deal                   // function(seed): a new state
    property var move                   // function(state, lamp): the state after a press
    property var tick                   // function(state, ms): the state at that time
    property var resultOf               // function(state, name): the list to send, or null
    property var endText                // function(list): [heading, lines] of the end
    property var helpWith: Rules.withHelp // function(state): the state once the solution shows
    property bool accepting: true        // the board passes presses on
    property int firstCursor: 0
    readonly property alias table: table     // for tests: the board and the name
    readonly property alias clock: clock
    readonly property alias demo: demoTimer   // the busiest scene, started by start()

    signal pressed(var before)          // a lamp was pressed; the state before it

    // Deals anew from a seed; a game still going is left without a result.
    function newGame(seed) {
        clock.reset();
        game = deal(seed);
        showSolution = false;
        link.newGame();
        table.cursor = firstCursor;
        gameOver.clear();
        focusGame();
    }
    // Presses lamp `index`: the one way a move is made, from the mouse, the keys and tests.
    // Pressing the lamp just pressed, where that puts the lamps back as they were, is
    // taken as undo: the press is not counted.
    function press(index) {
        if (game.over)
            return;
        clock.start();
        clock.update();
        const before = game;
        const next = move(tick(game, clock.elapsedMs), index);
        if (undo.top && String(undo.top.lamps) === String(next.lamps) && next.board === before.board) {
            takeBack();
            return;
        }
        undo.push(before);
        game = next;
        sounds.play("select");
        pressed(before);
        if (game.over)
            end();
    }
    // Back to the lamps before the last press; help once shown stays on the record.
    function takeBack() {
        game = Object.assign({}, undo.take(), { helped: game.helped });
        sounds.play("turn");
    }
    function toggleSolution() {
        if (game.over)
            return;
        showSolution = !showSolution;
        if (showSolution) {
            game = helpWith(game);
            if (game.over)
                end();
        }
    }
    // How often to press each lamp to put them all out with the fewest presses: for tests
    // and scenes; it shows nothing, so it is no help to the player.
    function solution() { return Rules.solve(game.board, game.lamps); }
    function end() {
        clock.stop();
        showSolution = false;
        const list = resultOf(game, table.name);
        const text = endText(list);
        finish(text[0], text[1], { won: game.outcome === "solved" || game.solved > 0, scoreList: list });
    }

    keyHandler: table.boardView
    inProgress: game.moves > 0 && !game.over
    undoEnabled: true
    onNewGameRequested: newGame(Random.freshSeed())
    onUndoRequested: takeBack()
    Component.onCompleted: newGame(Random.freshSeed())

    GameClock {
        id: clock
        onElapsedMsChanged: {
            if (running && elapsedMs >= Rules.maxTimeMs && !screen.game.over) {
                screen.game = screen.tick(screen.game, elapsedMs);
                screen.end();
            }
        }
    }

    LumoTable {
        id: table
        board: screen.game.board
        lamps: screen.game.lamps
        hints: screen.showSolution ? screen.solution() : []
        helped: screen.game.helped === true
        onLampPressed: function(index) { if (screen.accepting) screen.press(index); }
        showing: screen.showSolution
        onSolutionRequested: screen.toggleSolution()
    }

    // The busiest the board gets, for measuring: lamps pressed in quick succession.
    Timer {
        id: demoTimer
        property int count: 0
        interval: 90
        repeat: true
        onTriggered: {
            const n = screen.game.board.cells.length;
            screen.game = Object.assign({}, screen.game,
                { lamps: Rules.press(screen.game.board, screen.game.lamps, (count * 7) % n) });
            if (++count >= 60)
                stop();
        }
    }
}

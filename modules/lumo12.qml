// Lumo 11, 12 and 13: put every lamp out in as few presses as you can. The gameType
// chooses the board: six by six lamps, a honeycomb, or lamps with three levels.
import QtQuick
import "common"
import "lumo"
import "common/Random.mjs" as Random
import "common/Theme.mjs" as Theme
import "lumo/Rules.mjs" as Rules

GameScreen {
    id: screen

    property var game: Rules.newGame("lumo12", 1)
    property bool showSolution: false
    readonly property alias table: table     // for tests: the board and the name
    readonly property alias link: link
    readonly property alias clock: clock
    readonly property var rules: Rules.games[Rules.gameTypeOf(gameType)]

    // Deals a new puzzle of this movie's game from a seed.
    function newGame(seed) {
        clock.reset();
        game = Rules.newGame(gameType, seed);
        showSolution = false;
        link.newGame();
        table.cursor = Math.floor(game.board.cells.length / 2);
        gameOver.clear();
        focusGame();
    }
    // Presses lamp `index`: the one way a move is made, from the mouse, the keys and tests.
    function press(index) {
        if (game.over)
            return;
        clock.start();
        clock.update();
        game = Rules.move(Rules.tick(game, clock.elapsedMs), index);
        if (game.over)
            finish();
    }
    function toggleSolution() {
        if (game.over)
            return;
        showSolution = !showSolution;
        if (showSolution)
            game = Rules.withHelp(game);
    }
    // How often to press each lamp to put them all out with the fewest presses: for tests
    // and scenes; it shows nothing, so it is no help to the player.
    function solution() { return Rules.solve(game.board, game.lamps); }
    function finish() {
        clock.stop();
        showSolution = false;
        const list = Rules.result(game, table.name);
        if (list)
            link.writeScore(list);
        const text = endText(list);
        showGameOver(text[0], text[1]);
    }
    function endText(list) {
        if (game.outcome === "moves")
            return ["Out of moves", ["A game may take at most " + Rules.maxMoves + " moves.", "No score is recorded."]];
        if (game.outcome === "time")
            return ["Time is up", ["A game may last at most " + Math.floor(Rules.maxTimeMs / 3600000) + " h "
                + Math.floor(Rules.maxTimeMs / 60000) % 60 + " min.", "No score is recorded."]];
        return ["All lamps out!", [
            "Moves: " + game.moves + " (fewest possible: " + game.fewest + ")",
            "Time: " + Theme.formatTime(game.timeMs, true),
            game.helped ? "Solved with help: no score is recorded."
                        : "Recorded for " + (list[3] === "" ? "a player without a name." : list[3] + ".")]];
    }
    function screenshotScene(name) {
        newGame(20261207);
        const presses = solution();
        if (name === "busy") {
            demo.start();
            return;
        }
        if (name === "solved") {
            presses.forEach((times, i) => { for (let t = 0; t < times; ++t) press(i); });
            return;
        }
        if (name === "howto")
            showHowToPlay();
        const first = presses.findIndex(n => n > 0);
        press(first);
        table.cursor = presses.findIndex((n, i) => n > 0 && i !== first);
    }

    title: rules.title
    stats: [
        { label: "Moves", value: String(game.moves) },
        { label: "Fewest", value: String(game.fewest) },
        { label: "Time", value: clock.text }
    ]
    howToPlayText: "<p>Press a lamp: it and its neighbours switch. Put <b>every lamp out</b> "
        + "with as few presses as you can; <i>Fewest</i> at the top tells how few it takes.</p>"
        + "<p>" + rules.summary + "</p>"
        + "<p>A <b>bright</b> lamp is a disc with eight rays, a <b>dim</b> one a small disc "
        + "with four, an <b>out</b> lamp an empty ring.</p>"
        + "<p>Keys: arrows move the frame, Space or Enter presses, S shows the solution "
        + "(the game then records no score), Tab types your name.</p>"
        + "<p>Fewer moves rank first, then the shorter time; the clock starts with your "
        + "first press. A game ends after " + Rules.maxMoves + " moves.</p>"
    keyHandler: table.boardView
    onNewGameRequested: newGame(Random.freshSeed())

    Component.onCompleted: newGame(Random.freshSeed())

    StationLink { id: link }

    GameClock {
        id: clock
        onElapsedMsChanged: {
            if (running && elapsedMs >= Rules.maxTimeMs && !screen.game.over) {
                screen.game = Rules.tick(screen.game, elapsedMs);
                screen.finish();
            }
        }
    }

    LumoTable {
        id: table
        board: screen.game.board
        lamps: screen.game.lamps
        hints: screen.showSolution ? screen.solution() : []
        helped: screen.game.helped
        note: screen.game.helped ? "Help used: this game records no score."
                                 : "Put every lamp out. A lamp and its neighbours switch together."
        onLampPressed: function(index) { screen.press(index); }
        onSolutionRequested: screen.toggleSolution()
    }

    // The busiest the board gets, for measuring: lamps pressed in quick succession.
    Timer {
        id: demo
        interval: 90
        repeat: true
        property int count: 0
        onTriggered: {
            const n = screen.game.board.cells.length;
            screen.game = Object.assign({}, screen.game,
                { lamps: Rules.press(screen.game.board, screen.game.lamps, (count * 7) % n) });
            if (++count >= 60)
                stop();
        }
    }
}

// ReKo 9: bring nine numbered tiles into order by turning 2 x 2 blocks a quarter turn.
// No hi-score list; a hint shows the best next move.
import QtQuick
import "common"
import "common/Random.mjs" as Random
import "common/Theme.mjs" as Theme
import "reko9"
import "reko9/Rules.mjs" as Rules

GameScreen {
    id: movie

    property var game: Rules.newGame(Random.freshSeed())
    property var hintMove: null

    function newGame(seed) {
        game = Rules.newGame(seed === undefined ? Random.freshSeed() : seed);
        hintMove = null;
        clock.reset();
        gameOver.clear();
        focusGame();
    }
    function turnBlock(block, clockwise) {
        if (game.solved)
            return;
        clock.start();
        hintMove = null;
        undo.push(game.position);
        game = Rules.play(game, block, clockwise);
        sounds.play("turn");
        if (game.solved) {
            clock.stop();
            ending.start();
        }
    }
    // The board goes back a turn; the turn taken back still counts.
    function takeBack() {
        game = Object.assign({}, game, { position: undo.take() });
        hintMove = null;
        sounds.play("turn");
    }
    function showHint() {
        const move = Rules.hint(game.position);
        if (!move)
            return;
        game = Rules.tookHint(game);
        hintMove = move;
        board.cursor = move.block;
    }
    function screenshotScene(name) {
        newGame(9021);
        if (name === "busy") {
            busy.start();
            return;
        }
        turnBlock(0, true);
        turnBlock(3, false);
        showHint();
    }

    title: "ReKo 9"
    stats: [{ label: "Moves", value: String(game.moves) },
            { label: "Time", value: clock.text },
            { label: "Hints", value: String(game.hints) }]
    keyHandler: board
    howToPlayText: "<p>Put the tiles in order, <b>1 2 3</b> on top, <b>4 5 6</b> in the middle, "
                 + "<b>7 8 9</b> below.</p>"
                 + "<p>Each round button between four tiles turns those four a quarter turn: "
                 + "click for clockwise, right-click for the other way (or use the mouse wheel).</p>"
                 + "<p>Keys: the arrows choose a button, <b>Space</b> or <b>E</b> turns clockwise, "
                 + "<b>Q</b> the other way, <b>T</b> shows the best next move.</p>"
                 + "<p><b>Z</b> takes a turn back, but the turn still counts as a move.</p>"
                 + "<p>Every puzzle can be solved in 11 moves or fewer. There is no hi-score list: "
                 + "play against the fewest moves, shown when you finish; a game solved in "
                 + "the fewest moves is at par.</p>"
    buttons: GameButton {
        text: "Hint"
        key: "T"
        enabled: !movie.game.solved
        onClicked: { movie.showHint(); movie.focusGame(); }
    }

    inProgress: game.moves > 0 && !game.solved
    undoEnabled: true
    gameStats: GameStats {
        key: "reko9"
        wonLabel: "at par"
        unit: "moves"
    }
    onNewGameRequested: newGame()
    onUndoRequested: takeBack()

    GameClock { id: clock }

    // The last tiles slide home before the panel comes up.
    Timer {
        id: ending
        interval: 350
        onTriggered: movie.finish("In order!", [Rules.verdict(movie.game), "Time: " + clock.text],
                                  { won: movie.game.moves <= movie.game.best, result: movie.game.moves })
    }

    // The busiest scene for the frame-rate measurement: blocks turning without a pause.
    Timer {
        id: busy
        interval: 200
        repeat: true
        property int step: 0
        onTriggered: {
            movie.game = Rules.play(Object.assign({}, movie.game, { solved: false }), step % 4, true);
            ++step;
        }
    }

    Board {
        id: board
        anchors.centerIn: parent
        position: movie.game.position
        hintMove: movie.hintMove
        focus: true
        onTurnRequested: function(block, clockwise) { movie.turnBlock(block, clockwise); }
        onHintRequested: movie.showHint()
    }
}

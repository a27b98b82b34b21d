// SPDX-License-Identifier: GPL-3.0-or-later
// ReKo 9: bring nine (or sixteen) numbered tiles into order by turning 2 x 2 blocks a
// quarter turn. No hi-score list; par, undo, a hint and the day's deal.
import QtQuick
import "common"
import "common/Random.mjs" as Random
import "common/Theme.mjs" as Theme
import "reko9"
import "reko9/Rules.mjs" as Rules

GameScreen {
    id: movie

    property int mode: 0
    property bool daily: false
    property var game: Rules.newGame(Random.freshSeed(), 0)
    property var hintMove: null

    function newGame(seed) {
        daily = false;
        deal(seed === undefined ? Random.freshSeed() : seed);
    }
    // The day's deal: the same for every player that day. A game under way is given up
    // only when the player says so.
    function dailyGame() {
        confirmDiscard(function() {
            const now = new Date();
            deal(Rules.dailySeed(now.getFullYear(), now.getMonth() + 1, now.getDate()));
            daily = true;
        });
    }
    function setMode(m) {
        confirmDiscard(function() {
            mode = m;
            newGame();
        });
    }
    function deal(seed) {
        game = Rules.newGame(seed, mode);
        undo.clear();
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
    // Takes the last turn back through the rules, which keep the way home with it; the
    // turn taken back still counts.
    function takeBack() {
        if (game.solved || !game.history.length)
            return;
        undo.take();
        hintMove = null;
        game = Rules.undo(game);
        sounds.play("turn");
    }
    function showHint() {
        const move = Rules.hintFor(game);
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
    stats: [{ label: "Par", value: String(game.best) },
            { label: "Moves", value: String(game.moves) },
            { label: "Time", value: clock.text }]
    keyHandler: board
    howToPlayText: "<p>Put the tiles in order, <b>1 2 3</b> on top, <b>4 5 6</b> in the middle, "
                 + "<b>7 8 9</b> below (on sixteen tiles, four rows of four).</p>"
                 + "<p>Each round button between four tiles turns those four a quarter turn: "
                 + "click its left half for clockwise ↻, its right half for the other way ↺ "
                 + "(or hold Shift, right-click, or use the mouse wheel); the button shows which.</p>"
                 + "<p>Keys: the arrows choose a button, <b>Space</b> or <b>E</b> turns clockwise, "
                 + "<b>Q</b> the other way, <b>T</b> shows a best next move.</p>"
                 + "<p><b>Z</b> takes a turn back, but the turn still counts as a move.</p>"
                 + "<p><i>Par</i> is the fewest moves the deal needs: nine tiles never need more "
                 + "than 11, sixteen tiles 9. The buttons beside the board switch between nine and "
                 + "sixteen tiles (M) and deal the day's puzzle, the same for everyone (D). "
                 + "There is no hi-score list: play against par.</p>"
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
        onTriggered: movie.finish(movie.daily ? "Today's puzzle in order!" : "In order!",
                                  [Rules.verdict(movie.game), "Time: " + clock.text
                                   + (movie.game.hints ? "    Hints: " + movie.game.hints : "")],
                                  { won: Rules.atPar(movie.game), result: movie.game.moves })
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

    // The sizes and the day's deal, beside the board.
    Column {
        x: 16
        y: 16
        spacing: 10
        Text {
            text: "Tiles"
            color: Theme.textDim
            font.family: Theme.fontFamily
            font.pixelSize: Theme.smallSize
        }
        Repeater {
            model: Rules.modes
            GameButton {
                width: 124
                text: modelData.name
                key: index === movie.mode ? "" : "M"
                primary: movie.mode === index
                onClicked: { if (movie.mode !== index) movie.setMode(index); movie.focusGame(); }
            }
        }
        Text {
            topPadding: 10
            text: "Puzzle of the day"
            color: Theme.textDim
            font.family: Theme.fontFamily
            font.pixelSize: Theme.smallSize
        }
        GameButton {
            width: 124
            text: "Today"
            key: "D"
            primary: movie.daily
            onClicked: { movie.dailyGame(); movie.focusGame(); }
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
        onUndoRequested: movie.requestUndo()
        onModeRequested: movie.setMode(1 - movie.mode)
        onDailyRequested: movie.dailyGame()
    }
}

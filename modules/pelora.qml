// SPDX-License-Identifier: GPL-3.0-or-later
// Pelora: move a ball along a free path to an empty cell; five or more of one colour in
// a row, column or diagonal vanish and score. A move that clears nothing brings the
// next three balls; the game ends when the board is full.
import QtQuick
import "common"
import "common/Random.mjs" as Random
import "common/Theme.mjs" as Theme
import "pelora"
import "pelora/Rules.mjs" as Rules

GameScreen {
    id: root

    property var game: Rules.newGame(1)
    property int selected: -1
    property string message: ""
    property bool demo: false           // the busy scene plays by itself and records nothing

    function newGame(seed) {
        demoTimer.stop();
        demo = false;
        game = Rules.newGame(seed === undefined ? Random.freshSeed() : seed);
        link.newGame();
        selected = -1;
        message = "Pick a ball, then an empty cell.";
        gameOver.clear();
        focusGame();
    }
    // The player picks a cell: a ball is selected (again), an empty cell is the target of
    // the selected ball. The one way in for mouse and keys; true when something happened.
    function press(index) {
        if (game.over || index < 0 || index >= game.cells.length)
            return false;
        if (game.cells[index] >= 0) {
            selected = selected === index ? -1 : index;
            sounds.play("select");
            return true;
        }
        if (selected < 0) {
            message = "Pick a ball first.";
            sounds.play("invalid");
            return false;
        }
        const next = Rules.move(game, selected, index);
        if (!next) {
            message = "No free path to that cell.";
            sounds.play("invalid");
            return false;
        }
        selected = -1;
        const gained = next.score - game.score;
        undo.push(game);
        sounds.play(gained > 0 ? "clear" : "lay");
        game = next;
        message = gained > 0 ? next.cleared.length + " balls: " + gained + " points"
                : next.placed.length === 1 ? "1 new ball came in." : next.placed.length + " new balls came in.";
        if (game.over)
            end();
        return true;
    }
    // The last move goes back, with the balls it brought in: one step only.
    function takeBack() {
        const back = Rules.undo(game);
        undo.take();
        if (!back)
            return;
        game = back;
        selected = -1;
        message = "Move taken back.";
        sounds.play("turn");
    }
    // Moves the ball at `from` to `to` as two picks would (for tests and scenes).
    function moveBall(from, to) {
        selected = -1;
        return press(from) && press(to);
    }
    // Sets up a position: rows of digits and dots, the coming colours and the score.
    function loadPosition(rows, next, score) {
        const position = Rules.gameFromRows(game.seed + 1, rows, next);
        position.score = score || 0;
        selected = -1;
        game = position;
    }
    function end() {
        if (demo)
            return;
        const list = Rules.scoreList(game);
        const lines = ["Score: " + game.score, "Moves: " + game.moves,
                       "Longest line: " + (game.longestLine || "none"),
                       "Most balls cleared at once: " + (game.mostCleared || "none")];
        if (list[1] !== game.score)
            lines.push("Recorded as " + list[1] + ", the most a list can hold.");
        finish("The board is full", lines, { scoreList: list });
    }
    function screenshotScene(name) {
        newGame(90210);
        if (name === "busy") {
            demo = true;
            demoTimer.start();
            return;
        }
        loadPosition(["..1......",
                      ".3..2..6.",
                      "....2....",
                      "0...2.5..",
                      "..4.2...1",
                      "...3.....",
                      ".6...0...",
                      "....2..4.",
                      "5.....3.."], [1, 4, 0], 34);
        selected = 67;
        board.cursor = 49;
        message = "Four in a column: the fifth makes a line.";
    }

    title: "Pelora"
    keyHandler: board
    stats: [
        { label: "Score", value: String(game.score) },
        { label: "Moves", value: String(game.moves) },
        { label: "Free cells", value: String(Rules.freeCount(game)) }
    ]
    howToPlayText: "<p>Pick a ball, then an empty cell: the ball travels there if a free path of "
        + "steps left, right, up or down leads to it. The dots show where it can go.</p>"
        + "<p>Five or more balls of one colour and symbol in a row, a column or a diagonal vanish "
        + "and score: 10 for five, 24 for six, 42 for seven; crossing lines count together.</p>"
        + "<p>A move that clears nothing brings the " + Rules.ballsPerTurn + " balls shown under "
        + "<i>Next balls</i> onto the board. The game ends when the board is full.</p>"
        + "<p>Keys: arrows move the cursor, Space or Enter picks, Escape drops the ball you picked. "
        + "<b>Z</b> takes the last move back, with the balls it brought: one step only; where "
        + "balls land after your next move is drawn again.</p>"

    inProgress: game.moves > 0 && !game.over && !demo
    undoEnabled: true
    Component.onCompleted: {
        undo.limit = 1;
        newGame();
    }
    onNewGameRequested: newGame()
    onUndoRequested: takeBack()

    // The busy scene: one tick picks a ball (it hops), the next moves it, so something
    // is always moving; a full board starts a new game.
    Timer {
        id: demoTimer

        property var planned: []

        interval: 320
        repeat: true
        onTriggered: {
            if (root.selected >= 0 && planned.length) {
                root.press(planned[1]);
                return;
            }
            planned = Rules.suggestMove(root.game);
            if (!planned.length || root.game.over) {
                root.newGame(root.game.seed + 1);
                root.demo = true;
                demoTimer.start();
                return;
            }
            root.selected = planned[0];
        }
    }

    Board {
        id: board
        x: 40
        y: 20
        game: root.game
        selected: root.selected
        onPicked: function(index) { root.press(index); }
        onCancelled: root.selected = -1
    }

    SidePanel {
        anchors.left: board.right
        anchors.leftMargin: 40
        anchors.right: parent.right
        anchors.rightMargin: 24
        y: 30
        next: root.game.next
        message: root.message
        free: Rules.freeCount(root.game)
    }
}

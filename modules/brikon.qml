// SPDX-License-Identifier: GPL-3.0-or-later
// Brikon: take out groups of touching bricks of one colour; the bricks above fall and
// empty columns close up. Four ways to play, each with its own hi-score list: without
// a time limit (the game ends when no group is left) and 1, 3 or 5 minutes (a fresh
// board comes in whenever one runs out of groups, until the time is up).
import QtQuick
import "common"
import "common/Random.mjs" as Random
import "common/Theme.mjs" as Theme
import "brikon"
import "brikon/Rules.mjs" as Rules

GameScreen {
    id: root

    property string mode: "brikon"
    property var game: Rules.newGame(1, "brikon")
    property bool demo: false           // the busy scene plays by itself and records nothing
    readonly property bool timed: game.limitMs > 0
    readonly property bool hasStation: typeof player !== "undefined"

    // Starts a game in the current mode; a fresh seed when none is given.
    function newGame(seed) {
        demoTimer.stop();
        demo = false;
        clock.reset();
        clock.limitMs = Rules.modeOf(mode).limitMs;
        game = Rules.newGame(seed === undefined ? Random.freshSeed() : seed, mode);
        link.newGame();
        gameOver.clear();
        focusGame();
    }
    // Another mode means another game: asked first when one is going on.
    function askMode(slotId) {
        confirmDiscard(() => chooseMode(slotId));
    }
    // Plays another mode from now on (and in later game windows while the program runs).
    function chooseMode(slotId) {
        mode = Rules.modeOf(slotId).slotId;
        if (hasStation)
            player.remember("brikonMode", mode);
        newGame();
    }
    // The player picks the brick at (col, row): the one way in for mouse and keys.
    function pick(col, row) {
        const next = Rules.play(game, col, row);
        if (!next) {
            sounds.play("invalid");
            return false;
        }
        if (timed && !demo)
            clock.start();
        board.burst(Rules.groupAt(game.board, col, row), next.lastPoints);
        undo.push(game);
        sounds.play(next.boardsCleared > game.boardsCleared ? "levelup" : "clear");
        game = next;
        if (game.over)
            end();
        return true;
    }
    // The last group comes back, one step; a timed game pays for it with time.
    function takeBack() {
        const back = Rules.undo(game);
        undo.take();
        if (!back)
            return;
        game = back;
        if (timed)
            clock.addMs(Rules.undoCostMs);
        sounds.play("turn");
    }
    // Takes out the biggest group on the board; the points it gave, 0 when none.
    function pickBiggest() {
        const group = Rules.biggestGroup(game.board);
        return group.length && pick(group[0][0], group[0][1]) ? game.lastPoints : 0;
    }
    // Ends a timed game as its clock does when the time is up.
    function runOutOfTime() {
        if (!timed || game.over)
            return;
        clock.stop();
        game = Rules.timeUp(game);
        end();
    }
    function end() {
        clock.stop();
        if (demo)
            return;
        const list = Rules.scoreList(game);
        const lines = [timed ? "Time is up." : "No group is left on the board.",
                       "Score: " + game.score];
        if (game.bestGroup > 0)
            lines.push("Best group: " + game.bestGroup + " bricks, " + Rules.points(game.bestGroup) + " points");
        if (game.boardsCleared > 0)
            lines.push("Boards cleared: " + game.boardsCleared);
        if (!timed || game.boardsCleared === 0)
            lines.push("Bricks left: " + Rules.brickCount(game.board));
        if (list[1] !== game.score)
            lines.push("Recorded as " + list[1] + ", the most a list can hold.");
        finish(game.boardsCleared > 0 && !timed ? "Board cleared!" : "Game over", lines,
               { scoreList: list });
    }
    function screenshotScene(name) {
        if (name === "busy") {
            // One big group after another, with fresh boards, for as long as it runs.
            mode = "brikon5";
            newGame(20261207);
            demo = true;
            demoTimer.start();
            return;
        }
        mode = "brikon";
        newGame(4242);
        for (let i = 0; i < 4; ++i)
            pickBiggest();
        const group = Rules.biggestGroup(game.board);
        if (group.length)
            board.moveCursor(group[0][0], group[0][1]);
    }

    title: "Brikon"
    keyHandler: board
    stats: [
        { label: "Score", value: String(game.score) },
        timed ? { label: "Time left", value: clock.text } : { label: "Bricks left", value: String(Rules.brickCount(game.board)) },
        { label: "Mode", value: Rules.modeOf(game.slotId).label }
    ]
    howToPlayText: "<p>Click a brick to take out its <b>group</b>: all the bricks of its colour and symbol "
        + "that touch it, left, right, above or below. A group needs two bricks at least.</p>"
        + "<p>The bricks above fall down, and when a column is empty the columns to its right close up. "
        + "A group of <i>n</i> bricks scores <nobr><i>n</i>&nbsp;×&nbsp;(<i>n</i>&nbsp;−&nbsp;1)</nobr>: 2 bricks score 2, 10 bricks score 90, "
        + "so let groups grow before you take them. Clearing a whole board adds " + Rules.clearBonus + ".</p>"
        + "<p><b>Unlimited</b>: the game ends when no group is left. <b>1, 3, 5 minutes</b>: the clock starts "
        + "with your first group, and a board without groups makes way for a fresh one until the time is up.</p>"
        + "<p>Keys: arrows move the cursor, Space or Enter takes the group, 0 1 3 5 choose the mode. "
        + "<b>Z</b> takes the last group back, one step only; in a timed mode it costs "
        + Rules.undoCostMs / 1000 + " seconds.</p>"

    Component.onCompleted: {
        undo.limit = 1;
        const kept = hasStation ? player.recall("brikonMode") : "";
        mode = Rules.modeOf(kept).slotId;
        newGame();
    }
    inProgress: game.score > 0 && !game.over && !demo
    undoEnabled: true
    onNewGameRequested: newGame()
    onUndoRequested: takeBack()

    GameClock {
        id: clock
        onExpired: root.runOutOfTime()
    }

    Timer {
        id: demoTimer
        interval: 260
        repeat: true
        onTriggered: root.pickBiggest()
    }

    Board {
        id: board
        anchors.horizontalCenter: parent.horizontalCenter
        y: 14
        game: root.game
        onPicked: function(col, row) { root.pick(col, row); }
        onModeKey: function(key) {
            const mode = Rules.modes.find(m => m.key === key);
            root.askMode(mode.slotId);
        }
    }

    Row {
        anchors.horizontalCenter: parent.horizontalCenter
        anchors.top: board.bottom
        anchors.topMargin: 16
        spacing: 14

        ModeBar {
            current: root.game.slotId
            onChosen: function(slotId) { root.askMode(slotId); }
        }
        Text {
            objectName: "groupInfo"
            width: 150
            anchors.verticalCenter: parent.verticalCenter
            text: board.groupSize > 0 ? board.groupSize + " bricks: " + Rules.points(board.groupSize) + " points"
                                      : "No group here"
            color: board.groupSize > 0 ? Theme.text : Theme.textDim
            font.family: Theme.fontFamily
            font.pixelSize: Theme.smallSize
            wrapMode: Text.WordWrap
        }
    }
}

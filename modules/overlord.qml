// SPDX-License-Identifier: GPL-3.0-or-later
// Overlord: take the whole island from the computer, land by land. Four strengths of
// opponent; no hi-score list.
import QtQuick
import "common"
import "common/Random.mjs" as Random
import "common/Theme.mjs" as Theme
import "overlord"
import "overlord/Rules.mjs" as Rules

GameScreen {
    id: movie

    property var state: Rules.newGame(Random.freshSeed())
    property int strength: 1
    property int island: 0
    property int selected: -1
    property int cursor: 0
    property var lastMove: null
    property var rng: Random.make(1)
    property bool moved: false
    readonly property string yourMove: "Your move: march from a land of yours with two or more armies."
    property string news: yourMove

    function newGame(seed) {
        const s = seed === undefined ? Random.freshSeed() : seed;
        state = Rules.newGame(s, island);
        rng = Random.make(s);
        selected = -1;
        lastMove = null;
        moved = false;
        cursor = state.owner.indexOf(Rules.human);
        news = yourMove;
        think.stop();
        gameOver.clear();
        focusGame();
    }
    // The strength and the island are kept for the next war, also in later windows.
    function setStrength(level) {
        strength = level;
        link.keep("strength", level);
        newGame();
    }
    function nextIsland() {
        island = (island + 1) % Rules.islands.length;
        link.keep("island", island);
        newGame();
    }
    // Another opponent or island means another war: asked first when one is going on.
    function chooseStrength(level) {
        confirmDiscard(() => setStrength(level));
    }
    function chooseIsland() {
        confirmDiscard(() => nextIsland());
    }
    function resign() {
        if (Rules.toMove(state) !== Rules.human)
            return;
        think.stop();
        state = Rules.resign(state, Rules.human);
        checkEnd();
    }
    // One input path for clicks and keys (what a choice means is the rules' to say).
    function choose(land) {
        const what = Rules.choice(state, selected, land);
        if (what !== "")
            cursor = land;
        if (what === "march") {
            humanMove({ from: selected, to: land });
        } else if (what === "select") {
            // The computer's march has been seen: its rings give way to the targets'.
            lastMove = null;
            selected = land;
            news = "March from here into a ringed land.";
            sounds.play("select");
        } else if (what === "letGo") {
            if (selected >= 0 && land !== selected)
                sounds.play("invalid");
            letGo();
        }
    }
    function letGo() {
        if (selected >= 0)
            news = yourMove;
        selected = -1;
    }
    function pass() {
        if (Rules.toMove(state) === Rules.human)
            humanMove({ from: -1, to: -1 });
    }
    function humanMove(move) {
        selected = -1;
        lastMove = null;
        moved = true;
        state = Rules.play(state, Rules.human, move);
        sounds.play("lay");
        if (!checkEnd()) {
            news = "The computer is thinking…";
            think.restart();
        }
    }
    function computerTurn() {
        const move = Rules.computerMove(state, strength, rng);
        state = Rules.play(state, Rules.computer, move);
        lastMove = move.from >= 0 ? move : null;
        if (!checkEnd())
            news = move.from < 0 ? "The computer waits. Your move." : "The computer marched along the arrow. Your move.";
    }
    function checkEnd() {
        if (!state.winner)
            return false;
        const won = state.winner === Rules.human, even = state.winner === Rules.drawn;
        if (state.resigned) {
            finish("You gave the island up", ["The computer takes it after " + state.round + " rounds.",
                                              "Try again, or choose an easier opponent."],
                   { won: false, result: state.round });
            news = "You resigned.";
            return true;
        }
        const held = Rules.landsOf(state, Rules.other(state.winner)) > 0;
        const why = even ? "After round " + Rules.lastRound + " both sides hold as many lands and armies."
            : held ? "After round " + Rules.lastRound + (won ? " you hold more of the island."
                                                             : " the computer holds more of the island.")
            : won ? "The computer holds no land." : "You hold no land.";
        finish(even ? "A drawn war" : won ? "The island is yours!" : "The computer holds the island",
               [why, won ? "You won in " + (state.round - 1) + " rounds at " + Rules.strengths[strength].name + "."
                         : even ? "" : "Try again, or choose an easier opponent."],
               { won: won, result: state.round - 1, sound: even ? "lose" : undefined });
        news = even ? "Drawn." : won ? "You won." : "You lost.";
        return true;
    }
    function screenshotScene(name) {
        newGame(3);
        for (let k = 0; k < 4; ++k) {
            const mine = Rules.moves(state, Rules.human).filter(m => m.from >= 0
                                                                  && state.owner[m.to] !== Rules.human);
            if (!mine.length)
                break;
            humanMove(mine[0]);
            think.stop();
            computerTurn();
        }
        const from = state.owner.findIndex((o, i) => Rules.canMarchFrom(state, Rules.human, i));
        if (from >= 0)
            choose(from);
        if (name === "busy")
            busy.start();
    }

    title: "Overlord"
    stats: [{ label: "Round", value: Math.min(state.round, Rules.lastRound) + "/" + Rules.lastRound },
            { label: "Lands", value: Rules.landsOf(state, Rules.human) + " : " + Rules.landsOf(state, Rules.computer) }]
    keyHandler: map
    inProgress: moved && !state.winner
    gameStats: GameStats {
        key: "overlord." + Rules.strengths[movie.strength].name.toLowerCase()
        unit: "rounds"
    }
    howToPlayText: "<p>Take the whole island. Your lands are blue with a ring ○, the "
                 + "computer's red with a spear point ▲, the grey ones belong to nobody.</p>"
                 + "<p>On your turn, march all but one army from one of your lands into a land "
                 + "touching it: click your land, then a ringed land (keys: arrows and "
                 + "<b>Space</b>; <b>W</b> waits a turn, <b>Escape</b> lets go). More armies than "
                 + "the defender take the land with what is left; fewer only wear it down. "
                 + "Marching into your own land joins the armies.</p>"
                 + "<p>After you and the computer have moved, every land that someone holds "
                 + "grows by one army; a land worn down to no army belongs to nobody. The war is "
                 + "won when the other side holds no land. After round " + Rules.lastRound
                 + " the side holding more lands wins (with as many, the one with more armies).</p>"
                 + "<p>Point at a ringed land to see what your march would leave there. The "
                 + "computer's last march is drawn as an arrow.</p>"
                 + "<p>Easy, Fair, Hard and Master on the left (keys <b>1</b> to <b>4</b>) choose the "
                 + "opponent, the island button (<b>I</b>) one of four islands; both start a new war "
                 + "and are kept for next time, and your games are counted for each strength. "
                 + "When your war is hopeless, <b>Resign</b> (R) ends it.</p>"
    buttons: [
        GameButton {
            objectName: "resignButton"
            text: "Resign"
            key: "R"
            visible: Rules.hopeless(movie.state, Rules.human)
            onClicked: { movie.resign(); movie.focusGame(); }
        },
        GameButton {
            text: "Wait"
            key: "W"
            enabled: Rules.toMove(movie.state) === Rules.human
            onClicked: { movie.pass(); movie.focusGame(); }
        }
    ]

    onNewGameRequested: newGame()
    // The strength and island of the last war; a stored text that is no level plays Fair
    // on the first island.
    Component.onCompleted: {
        const level = Number(link.kept("strength")), isle = Number(link.kept("island"));
        strength = link.kept("strength") !== "" && level >= 0 && level < Rules.strengths.length ? Math.floor(level) : 1;
        island = link.kept("island") !== "" && isle >= 0 && isle < Rules.islands.length ? Math.floor(isle) : 0;
        newGame();
    }

    // The computer answers a moment after the player's march, so the march is seen first.
    Timer {
        id: think
        interval: 350
        onTriggered: movie.computerTurn()
    }

    // The busiest scene for the frame-rate measurement: the computer playing both sides.
    Timer {
        id: busy
        interval: 250
        repeat: true
        onTriggered: {
            if (Rules.toMove(movie.state) === Rules.neutral) {
                movie.newGame(3);
                return;
            }
            if (movie.state.turn === Rules.human) {
                const list = Rules.moves(movie.state, Rules.human);
                movie.humanMove(list[0]);
                think.stop();
            } else {
                movie.computerTurn();
            }
        }
    }

    Column {
        x: 16
        y: 16
        spacing: 10
        Text {
            text: "Opponent"
            color: Theme.textDim
            font.family: Theme.fontFamily
            font.pixelSize: Theme.smallSize
        }
        Repeater {
            model: Rules.strengths
            GameButton {
                width: 110
                text: modelData.name
                key: String(index + 1)
                primary: movie.strength === index
                onClicked: movie.chooseStrength(index)
            }
        }
        Text {
            topPadding: 10
            text: "Island"
            color: Theme.textDim
            font.family: Theme.fontFamily
            font.pixelSize: Theme.smallSize
        }
        GameButton {
            width: 110
            text: Rules.islands[movie.island].name
            key: "I"
            onClicked: { movie.chooseIsland(); movie.focusGame(); }
        }
    }

    Map {
        id: map
        anchors.left: parent.left
        anchors.leftMargin: 140                // beside the opponent and island buttons
        anchors.right: parent.right
        anchors.top: parent.top
        anchors.bottom: newsText.top
        state: movie.state
        selected: movie.selected
        cursor: movie.cursor
        lastMove: movie.lastMove
        focus: true
        onChosen: function(land) { movie.choose(land); }
        onPassRequested: movie.pass()
        onCursorMoved: function(land) { movie.cursor = land; }
        onReleased: movie.letGo()
        onStrengthChosen: function(level) { movie.chooseStrength(level); }
        onIslandRequested: movie.chooseIsland()
        onResignRequested: if (Rules.hopeless(movie.state, Rules.human)) movie.resign()
    }

    Text {
        id: newsText
        anchors.bottom: parent.bottom
        anchors.bottomMargin: 12
        anchors.horizontalCenter: parent.horizontalCenter
        text: movie.news
        color: Theme.text
        font.family: Theme.fontFamily
        font.pixelSize: Theme.bodySize
    }
}

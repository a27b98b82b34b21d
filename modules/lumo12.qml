// SPDX-License-Identifier: GPL-3.0-or-later
// Lumo 11, 12 and 13: put every lamp out in as few presses as you can. The gameType
// chooses the board: six by six lamps, a honeycomb, or lamps with three levels. Every
// scored deal needs the same presses (its par); practice levels grow the par and record
// nothing.
import QtQuick
import "common"
import "lumo"
import "common/Random.mjs" as Random
import "common/Theme.mjs" as Theme
import "lumo/Rules.mjs" as Rules

LumoGame {
    id: screen

    readonly property var rules: Rules.games[Rules.gameTypeOf(gameType)]
    property int level: 0                    // 0 the scored game, else a practice level
    property int reached: 1                  // the highest practice level open

    // Steps through the scored game and the practice levels open so far, and deals; a
    // game under way is given up only when the player says so.
    function nextLevel() {
        confirmDiscard(function() {
            level = level >= reached ? 0 : level + 1;
            newGame(Random.freshSeed());
        });
    }
    endText: function(list) {
        if (game.outcome === "moves")
            return ["Out of moves", ["A game may take at most " + Rules.maxMoves + " moves.", "No score is recorded."]];
        if (game.outcome === "time")
            return ["Time is up", ["A game may last at most " + Math.floor(Rules.maxTimeMs / 3600000) + " h "
                + Math.floor(Rules.maxTimeMs / 60000) % 60 + " min.", "No score is recorded."]];
        const over = game.moves - game.par;
        return ["All lamps out!", [
            "Moves: " + game.moves + (over > 0 ? " (" + over + " over par " + game.par + ")" : ": par, the fewest possible!"),
            "Time: " + Theme.formatTime(game.timeMs, true),
            game.helped ? "Solved with help: no score is recorded."
            : game.level ? "Practice level " + game.level + (reached > game.level ? " done: level " + reached
                                                             + " is open (L)." : " done.") + " Practice records no score."
            : "Recorded for " + list[3] + "."]];
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
        { label: "Par", value: String(game.par) },
        { label: "Time", value: clock.text }
    ]
    howToPlayText: "<p>Press a lamp: it and its neighbours switch. Put <b>every lamp out</b> "
        + "with as few presses as you can; <i>Par</i> at the top tells how few it takes.</p>"
        + "<p>" + rules.summary + "</p>"
        + (game.board.levels > 2
           ? "<p>A <b>bright</b> lamp is a disc with eight rays, a <b>dim</b> one a small disc "
             + "with four, an <b>out</b> lamp an empty ring.</p>"
           : "<p>A <b>lit</b> lamp is a disc with eight rays, an <b>out</b> lamp an empty ring.</p>")
        + "<p>Every scored deal needs exactly its par, " + rules.par + " presses, so the list "
        + "compares like with like. <b>Practice</b> (L) deals easier and harder levels "
        + "(par 2 to " + (Rules.ladderLength + 1) + ") that record nothing; solving your highest "
        + "level opens the next, and the levels you reach are kept.</p>"
        + "<p>Keys: arrows move the frame, Space or Enter presses, S shows the solution "
        + "(the game then records no score), Tab types your name. Undo (Z, or the same lamp "
        + "again) takes a press back and it no longer counts; the clock runs on.</p>"
        + "<p>Fewer moves rank first, then the shorter time; the clock starts with your "
        + "first press. A game ends after " + Rules.maxMoves + " moves.</p>"
    game: Rules.newGame("lumo12", 1)
    deal: function(seed) { return Rules.newGame(screen.gameType, seed, screen.level); }
    move: Rules.move
    tick: Rules.tick
    resultOf: Rules.result
    firstCursor: Math.floor(game.board.cells.length / 2)
    // A solved game keeps the name it was recorded under, and opens the next practice level.
    onPressed: function(before) {
        if (game.outcome !== "solved")
            return;
        const list = Rules.result(game, table.name);
        if (list)
            link.keep("name", list[3]);
        const was = reached;
        reached = Rules.levelAfter(reached, game);
        if (reached !== was)
            link.keep(Rules.levelKey(gameType), reached);
    }
    Component.onCompleted: {
        reached = Rules.levelFromStore(link.kept(Rules.levelKey(gameType)));
        table.name = Rules.startingName(link.kept("name") || table.name, link.lastName());
    }
    table.note: game.helped ? "Help used: this game records no score."
        : level ? "Practice level " + level + " of " + Rules.ladderLength + ": par " + game.par + ", nothing is recorded."
        : "Put every lamp out in " + game.par + " presses. A lamp and its neighbours switch together."
    table.buttons: GameButton {
        text: screen.level ? "Practice " + screen.level + "/" + screen.reached : "Practice"
        key: "L"
        primary: screen.level > 0
        onClicked: { screen.nextLevel(); screen.focusGame(); }
    }
    table.commandKeys: [Qt.Key_L]

    Connections {
        target: screen.table
        function onCommandKey() { screen.nextLevel(); }
    }
}

// Lumo 11, 12 and 13: put every lamp out in as few presses as you can. The gameType
// chooses the board: six by six lamps, a honeycomb, or lamps with three levels.
import QtQuick
import "lumo"
import "common/Theme.mjs" as Theme
import "lumo/Rules.mjs" as Rules

LumoGame {
    id: screen

    readonly property var rules: Rules.games[Rules.gameTypeOf(gameType)]

    endText: function(list) {
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
        + "(the game then records no score), Tab types your name. Undo (Z, or the same lamp "
        + "again) takes a press back and it no longer counts; the clock runs on.</p>"
        + "<p>Fewer moves rank first, then the shorter time; the clock starts with your "
        + "first press. A game ends after " + Rules.maxMoves + " moves.</p>"
    game: Rules.newGame("lumo12", 1)
    deal: function(seed) { return Rules.newGame(screen.gameType, seed); }
    move: Rules.move
    tick: Rules.tick
    resultOf: Rules.result
    firstCursor: Math.floor(game.board.cells.length / 2)
    table.note: game.helped ? "Help used: this game records no score."
                            : "Put every lamp out. A lamp and its neighbours switch together."
}

// SPDX-License-Identifier: GPL-3.0-or-later
// The tile puzzles: Tarno 9 (3 x 3), Tarno 16, Angle Puzzle and K-Puzzle (4 x 4), told
// apart by gameType. Lay every piece so that touching edges match; the time goes to
// the hi-score list, and the station's solver can finish the board.
import QtQuick
import "common"
import "common/Random.mjs" as Random
import "common/Theme.mjs" as Theme
import "edgematch"
import "edgematch/Board.mjs" as Board
import "edgematch/Rules.mjs" as Rules
import "tiles"

EdgeGame {
    id: movie

    readonly property var setup: Rules.games[Rules.gameTypeOf(gameType)]
    property string dailyDay: ""                 // the day of the daily deal in play, or ""

    // Today's deal of this game, the same for every player today; a board under way is
    // given up only when the player confirms.
    function playDaily() {
        confirmDiscard(function() {
            const today = new Date();
            newGame(Rules.dailySeed(gameType, today));
            dailyDay = Rules.dayText(today);
            notice = "The daily deal of " + dailyDay + ": the same board for every player today.";
        }, "Deal today's board? This one will be lost.", "Daily deal");
    }
    function playRandom() {
        newGame(Random.freshSeed());
        dailyDay = "";
    }

    // The result goes to the hi-score list; the station asks for the name.
    function sendResult(timeMs) {
        const list = Rules.scoreList(game, timeMs);
        if (list.length === 0)
            return;
        const recorded = Rules.recordedTime(timeMs, game.hints);
        const lines = ["Every edge fits.", "Your time: " + Theme.formatTime(recorded, true)];
        if (game.hints > 0)
            lines.push("(" + Theme.formatTime(timeMs, true) + " played, + " + Theme.formatTime(recorded - Math.round(timeMs))
                       + " for " + (game.hints === 1 ? "one hint" : game.hints + " hints") + ")");
        if (dailyDay !== "")
            lines.push("The daily deal of " + dailyDay + ": compare your time with your friends'.");
        finish("Well done!", lines, { scoreList: list });
    }

    function screenshotScene(name) {
        table.animated = false;
        newGame(2026);
        if (name === "play") {
            for (const cell of [1, 2, 3, 5, 6]) {
                const s = game.solution[cell];
                apply(Rules.layPiece(game, s.id, cell));
                apply(Rules.turnPiece(game, s.id, game.position.rotationOf[s.id] - s.rotation));
            }
            // One piece laid wrongly turned, so that the picture shows a clash.
            const wrong = game.solution[4];
            apply(Rules.layPiece(game, wrong.id, 4));
            apply(Rules.setCursor(game, "tray", game.solution[9].id));
            clock.carried = 83400;
        } else if (name === "solved") {
            // Solve after one laid piece: the station's solver when there is one.
            const first = game.solution[1];
            apply(Rules.layPiece(game, first.id, 1));
            apply(Rules.turnPiece(game, first.id, game.position.rotationOf[first.id] - first.rotation));
            clock.carried = 47200;
            if (station.hasStation)
                solve(false);
            if (game.phase !== "solved") {   // no station, or one that does not answer
                game = Rules.startSolving(game);
                takeAnswer(Rules.dealtAnswer(game));
                notice = "";
            }
            layWholeAnswer();
        } else if (name === "busy") {
            startBusy();
        }
        clock.update();
    }

    title: setup.title
    stats: [
        { label: "Time", value: clock.text },
        { label: "Laid", value: Board.laidCount(game.position) + "/" + game.position.board.cellCount },
        { label: "Fitting edges", value: fits.fit + "/" + fits.all }
    ]
    howToPlayText: "<p>Lay every piece on the board so that wherever two pieces touch, their edges "
        + ({ marks: "show the same colour and symbol", angles: "show the same angle, as one diamond",
             letters: "show the same letter" })[setup.look]
        + ". Edges on the rim of the board may show anything.</p>"
        + "<p><b>Mouse:</b> drag a piece onto a cell, onto another piece to swap the two, or back to "
        + "the tray. Click a piece to turn it clockwise; right-click or roll the wheel to turn it either way.</p>"
        + "<p><b>Keys:</b> the arrows move the pink frame over the board and the tray; Enter or Space "
        + "picks a piece up and puts it down; X turns it clockwise, Q the other way; Backspace sends it "
        + "back to the tray. Z takes a move back and adds " + undoCostMs / 1000 + " seconds to your time; Y makes it again.</p>"
        + "<p>A red \u2715 marks two edges that do not fit. The clock starts with your first move; a full "
        + "board where every edge fits puts your time on the hi-score list. <b>Hint</b> (I) lays one right "
        + "piece, or marks the pieces that cannot stay where they lie; each hint adds "
        + Theme.formatTime(Rules.hintPenaltyMs) + " to the time recorded. <b>Solve</b> (S) lets the "
        + "computer finish the board from the pieces you laid; a solved game records no time.</p>"
        + "<p><b>Daily deal</b> (D) deals today's board, the same for every player on this date, "
        + "so that you can compare times; New game deals a random one.</p>"

    table: PieceTable { look: movie.setup.look; face: TileFace {} }
    game: Rules.newGame(gameType, 1)
    dealGame: function(seed) { return Rules.newGame(movie.gameType, seed); }
    undoCostMs: 5000

    onNewGameRequested: playRandom()
    onOtherKey: function(event) {
        if (event.key === Qt.Key_D) {
            playDaily();
            event.accepted = true;
        }
    }
    controls: [
        GameButton {
            objectName: "dailyButton"
            text: "Daily deal"
            key: "D"
            primary: movie.dailyDay !== ""           // lit while today's deal is in play
            onClicked: movie.playDaily()
        }
    ]
    onBoardWon: function(timeMs) { sendResult(timeMs); }
    onBoardSolved: finish("Solved by the solver",
                          ["Every edge fits.", "A solved game records no time: deal a new one and beat the clock."],
                          { sound: "clear" })
    Component.onCompleted: newGame(Random.freshSeed())
}

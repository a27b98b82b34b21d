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

    // The result goes to the hi-score list; the station asks for the name.
    function sendResult(timeMs) {
        const list = Rules.scoreList(game, timeMs);
        if (list.length === 0)
            return;
        finish("Well done!", ["Every edge fits.", "Your time: " + Theme.formatTime(timeMs, true)],
               { scoreList: list });
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
        + "back to the tray. Z takes a move back and adds " + undoCostMs / 1000 + " seconds to your time.</p>"
        + "<p>A red \u2715 marks two edges that do not fit. The clock starts with your first move; a full "
        + "board where every edge fits puts your time on the hi-score list. <b>Solve</b> (S) lets the "
        + "computer finish the board from the pieces you laid; a solved game records no time.</p>"

    table: PieceTable { look: movie.setup.look; face: TileFace {} }
    game: Rules.newGame(gameType, 1)
    dealGame: function(seed) { return Rules.newGame(movie.gameType, seed); }
    resultDelay: 400
    undoCostMs: 5000

    onNewGameRequested: newGame(Random.freshSeed())
    onBoardWon: function(timeMs) { sendResult(timeMs); }
    onBoardSolved: finish("Solved by the solver",
                          ["Every edge fits.", "A solved game records no time: deal a new one and beat the clock."],
                          { sound: "clear" })
    Component.onCompleted: newGame(Random.freshSeed())
}

// Blue Vesna: lay hexagonal pieces on one of fourteen boards so that touching edges show
// the same colour and symbol. Shapes from 3 to 10 cells, played in order from small to
// large or picked; the shapes done are kept while the program runs. No hi-score list.
import QtQuick
import "common"
import "common/Random.mjs" as Random
import "common/Theme.mjs" as Theme
import "edgematch"
import "edgematch/Board.mjs" as Board
import "puzzles"
import "bluevesna"
import "bluevesna/Rules.mjs" as Rules

EdgeGame {
    id: movie

    readonly property string progressKey: "vesnaShapesDone"
    property string shape: Rules.shapes[0]
    property var done: []

    // Deals a new puzzle on another shape; a board under way is given up only when the
    // player confirms.
    function playShape(key) {
        confirmDiscard(function() {
            shape = Rules.shapeOf(key);
            newGame(Random.freshSeed());
        });
    }

    function markDone(key) {
        done = Rules.withShapeDone(done, key);
        if (station.hasStation)
            player.remember(progressKey, Rules.writeProgress(done));
    }

    function screenshotScene(name) {
        table.animated = false;
        shape = "7O";
        newGame(2026);
        if (name === "play") {
            playSolution(4);
            // One piece laid turned wrongly, so that the picture shows a clash too.
            const s = game.solution[6];
            table.layRequested(s.id, 6);
            while (Board.fitsAt(game.position, 6))
                table.turnRequested(s.id, 1);
            apply(Object.assign({}, game, { cursor: { area: "tray", index: game.solution[7].id } }));
            clock.carried = 52300;
        } else if (name === "busy") {
            startBusy();
        }
        clock.update();
    }

    table: PieceTable { showMatches: true; face: HexFace {} }
    title: "Blue Vesna"
    dealGame: function(seed) { return Rules.newGame(movie.shape, seed); }
    stats: [
        { label: "Board", value: shape },
        { label: "Time", value: clock.text },
        { label: "Fits", value: fits.fit + "/" + fits.all },
        { label: "Done", value: done.length + "/" + Rules.shapes.length }
    ]
    howToPlayText: "<p>Lay every hexagonal piece on the board so that wherever two pieces touch, "
        + "their edges show the same colour and symbol. Edges on the rim may show anything. "
        + "A green \u2713 marks each fitting seam, a red \u2715 two edges that differ.</p>"
        + "<p><b>Mouse:</b> drag a piece onto a cell, onto another piece to swap the two, or back to the "
        + "tray. Click a piece to turn it a sixth clockwise; right-click or roll the wheel to turn it "
        + "either way.</p>"
        + "<p><b>Keys:</b> the arrows move the pink frame over the board and the tray; Enter or Space "
        + "picks a piece up and puts it down; X turns it clockwise, Q the other way; Backspace sends it "
        + "back; Z takes a move back. Page Down and Page Up choose the next or the previous board.</p>"
        + "<p>There are fourteen boards of 3 to 10 cells; after each one you finish, New game goes on to "
        + "the next larger board. <b>Solve</b> (S) lets the computer finish the board. This game keeps "
        + "no hi-score list: the boards you have done are remembered until the program closes, "
        + "and your games on each board are counted.</p>"

    // After a board the player finished, the next one not done yet.
    onNewGameRequested: {
        if (game && game.phase === "won")
            shape = Rules.nextShape(done, shape);
        newGame(Random.freshSeed());
    }
    onBoardWon: function(timeMs) {
        markDone(shape);
        finish("Board " + shape + " done!",
               ["Every edge fits, in " + Theme.formatTime(timeMs, true) + ".",
                "Boards done: " + done.length + " of " + Rules.shapes.length
                + ". New game goes on to board " + Rules.nextShape(done, shape) + "."],
               { won: true, result: timeMs });
    }
    onBoardSolved: finish("Solved by the solver", ["Every edge fits.", "Deal again and lay this board yourself."],
                          { won: false, sound: "clear" })
    gameStats: GameStats { key: "vesna." + movie.shape }
    Component.onCompleted: {
        if (station.hasStation)
            done = Rules.readProgress(player.recall(progressKey));
        shape = done.length > 0 ? Rules.nextShape(done, Rules.shapes[Rules.shapes.length - 1]) : Rules.shapes[0];
        newGame(Random.freshSeed());
    }

    onOtherKey: function(event) {
        if (event.key === Qt.Key_PageDown || event.key === Qt.Key_PageUp) {
            playShape(Rules.stepShape(shape, event.key === Qt.Key_PageDown ? 1 : -1));
            event.accepted = true;
        }
    }

    controls: [
        GameButton {
            objectName: "previousShape"
            text: "\u25c0"
            implicitWidth: 44
            onClicked: movie.playShape(Rules.stepShape(movie.shape, -1))
        },
        ShapeChips {
            shapes: Rules.shapes
            current: movie.shape
            done: movie.done
            onPicked: function(key) { movie.playShape(key); }
        },
        GameButton {
            objectName: "nextShape"
            text: "\u25b6"
            implicitWidth: 44
            onClicked: movie.playShape(Rules.stepShape(movie.shape, 1))
        }
    ]
}

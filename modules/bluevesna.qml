// SPDX-License-Identifier: GPL-3.0-or-later
// Blue Vesna: lay hexagonal pieces on one of fourteen boards so that touching edges show
// the same colour and symbol. Shapes from 3 to 10 cells, played in order from small to
// large or picked; the shapes done and the best time on each are kept between runs. No
// hi-score list.
import QtQuick
import "common"
import "common/Random.mjs" as Random
import "common/Theme.mjs" as Theme
import "edgematch"
import "edgematch/Board.mjs" as Board
import "edgematch/Rules.mjs" as EdgeRules
import "puzzles"
import "bluevesna"
import "bluevesna/Rules.mjs" as Rules

EdgeGame {
    id: movie

    readonly property string progressKey: "vesnaShapesDone"
    readonly property string doneKey: "shapesDone"
    property string shape: Rules.shapes[0]
    property var done: []
    property var bests: ({})                     // shape key: the best time on it, in ms
    readonly property var store: gameStats.store

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
        store.setValue(doneKey, Rules.writeProgress(done));
    }

    // The best time on every board, as each board's statistics keep it.
    function readBests() {
        const out = {};
        for (const key of Rules.shapes) {
            const best = store.object(statsKey(key), {}).best;
            if (typeof best === "number" && isFinite(best))
                out[key] = best;
        }
        return out;
    }
    function statsKey(key) {
        return "stats.vesna." + key;
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
        { label: "Board", value: Rules.shapeMark(shape) },
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
        + "back; Z takes a move back, Y makes it again. Page Down and Page Up choose the next or the previous board.</p>"
        + "<p>There are fourteen boards of 3 to 10 cells; after each one you finish, New game goes on to "
        + "the next larger board. <b>Hint</b> (I) lays one right piece, or marks the pieces that cannot "
        + "stay where they lie; each hint adds " + Theme.formatTime(EdgeRules.hintPenaltyMs) + " to your time. "
        + "<b>Solve</b> (S) lets the computer finish the board. This game keeps no hi-score list: the "
        + "boards you have done and your best time on each are kept and shown on the chips.</p>"

    // After a board the player finished, the next one not done yet.
    onNewGameRequested: {
        if (game && game.phase === "won")
            shape = Rules.nextShape(done, shape);
        newGame(Random.freshSeed());
    }
    onBoardWon: function(timeMs) {
        const time = EdgeRules.recordedTime(timeMs, game.hints);
        markDone(shape);
        const before = gameStats.best;
        finish("Board " + Rules.shapeName(shape) + " done!",
               ["Every edge fits, in " + Theme.formatTime(time, true) + (game.hints > 0 ? " (hints included)" : "") + ".",
                before === null ? "Your first time on this board."
                : time < before ? "A new best on this board! (" + Theme.formatTime(before, true) + " before)"
                : "Your best on this board: " + Theme.formatTime(before, true) + ".",
                "Boards done: " + done.length + " of " + Rules.shapes.length
                + ". New game goes on to board " + Rules.shapeName(Rules.nextShape(done, shape)) + "."],
               { won: true, result: time });
        bests = readBests();
    }
    onBoardSolved: finish("Solved by the solver", ["Every edge fits.", "Deal again and lay this board yourself."],
                          { won: false, sound: "clear" })
    gameStats: GameStats { key: "vesna." + movie.shape }
    Component.onCompleted: {
        if (station.hasStation)
            done = Rules.readProgress(store.value(doneKey) + "," + player.recall(progressKey));
        bests = readBests();
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
            best: movie.bests
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

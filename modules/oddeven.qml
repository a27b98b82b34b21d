// SPDX-License-Identifier: GPL-3.0-or-later
// Odd-Even: lay square pieces so that every bump sits in a hollow of its own shape: the
// codes of touching edges add up to three. Boards from 3 x 3 to 5 x 8 and 8 x 5, chosen
// by the player; the best time on each size is kept between runs. The solver finishes
// any of them. No hi-score list.
import QtQuick
import "common"
import "common/Random.mjs" as Random
import "common/Theme.mjs" as Theme
import "edgematch"
import "puzzles"
import "oddeven/Rules.mjs" as Rules
import "edgematch/Rules.mjs" as EdgeRules

EdgeGame {
    id: movie

    readonly property string sizeKey: "oddEvenSize"
    property var size: ({ rows: 3, columns: 3 })

    // Deals a new puzzle on another board size; a board under way is given up only when
    // the player confirms.
    function playSize(next) {
        confirmDiscard(function() {
            size = Rules.clampSize(next.rows, next.columns);
            if (station.hasStation)
                player.remember(sizeKey, size.rows + "x" + size.columns);
            deal();
        });
    }

    // A new puzzle, with the best time on its size to beat.
    function deal() {
        newGame(Random.freshSeed());
        if (gameStats.best !== null)
            notice = "Your best on " + Rules.sizeText(size) + ": " + gameStats.bestText + ". Beat it!";
    }

    function screenshotScene(name) {
        table.animated = false;
        size = { rows: 4, columns: 5 };
        newGame(2026);
        if (name === "play") {
            playSolution(11);
            const s = game.solution[13];
            table.layRequested(s.id, 13);
            table.turnRequested(s.id, 1);
            apply(Object.assign({}, game, { cursor: { area: "tray", index: game.solution[14].id } }));
            clock.carried = 95800;
        } else if (name === "busy") {
            startBusy();
        }
        clock.update();
    }

    table: PieceTable { pad: 0.22; trayPieceScale: 0.7; face: SumFace {} }   // bumps stick out
    title: "Odd-Even"
    dealGame: function(seed) { return Rules.newGame(movie.size.rows, movie.size.columns, seed); }
    hint: "Every bump needs a hollow of its shape."
    toFitText: "Seams still to lock: "
    wonText: "Solved! Every seam locks."
    solvingNote: (movie.game && movie.game.position.board.cellCount > 20
                  ? "Large boards can take the solver minutes. " : "") + "Stop (S) ends the search at once."
    stats: [
        { label: "Board", value: Rules.sizeText(size) },
        { label: "Time", value: clock.text },
        { label: "Locked seams", value: fits.fit + "/" + fits.all }
    ]
    howToPlayText: "<p>Every edge of a piece carries a <b>bump</b> or a <b>hollow</b>, round or dovetailed. "
        + "Lay all the pieces on the board so that wherever two pieces touch, a bump sits in a hollow "
        + "of the same shape: round in round, dovetail in dovetail. Edges on the rim may show anything. "
        + "A red \u2715 marks a seam that does not lock.</p>"
        + "<p><b>Mouse:</b> drag a piece onto a cell, onto another piece to swap the two, or back to the "
        + "tray. Click a piece to turn it clockwise; right-click or roll the wheel to turn it either way.</p>"
        + "<p><b>Keys:</b> the arrows move the pink frame over the board and the tray; Enter or Space "
        + "picks a piece up and puts it down; X turns it clockwise, Q the other way; Backspace sends it "
        + "back; Z takes a move back, Y makes it again. R and C change the rows and the columns (up to 40 cells).</p>"
        + "<p><b>Hint</b> (I) lays one right piece, or marks the pieces that cannot stay where they lie; "
        + "each hint adds " + Theme.formatTime(EdgeRules.hintPenaltyMs) + " to your time. <b>Solve</b> (S) "
        + "lets the computer finish the board; Stop ends it at once. This game keeps no hi-score list; "
        + "your games and best time on each board size are kept.</p>"

    onNewGameRequested: deal()
    onBoardWon: function(timeMs) {
        const time = EdgeRules.recordedTime(timeMs, game.hints);
        const before = gameStats.best;
        finish("Every seam locks!",
               ["The " + Rules.sizeText(size) + " board is done in " + Theme.formatTime(time, true)
                + (game.hints > 0 ? " (hints included)" : "") + ".",
                before === null ? "Your first time on this size."
                : time < before ? "A new best on this size! (" + Theme.formatTime(before, true) + " before)"
                : "Your best on this size: " + Theme.formatTime(before, true) + "."],
               { won: true, result: time });
    }
    onBoardSolved: finish("Solved by the solver", ["Every seam locks.", "Deal again and lock them yourself."],
                          { won: false, sound: "clear" })
    gameStats: GameStats { key: "oddeven." + movie.size.rows + "x" + movie.size.columns }
    onOtherKey: function(event) {
        if (event.key === Qt.Key_R) {
            playSize(Rules.stepRows(size, (event.modifiers & Qt.ShiftModifier) ? -1 : 1));
            event.accepted = true;
        } else if (event.key === Qt.Key_C) {
            playSize(Rules.stepColumns(size, (event.modifiers & Qt.ShiftModifier) ? -1 : 1));
            event.accepted = true;
        }
    }
    Component.onCompleted: {
        if (station.hasStation) {
            const kept = player.recall(sizeKey).split("x");
            if (kept.length === 2)
                size = Rules.clampSize(kept[0], kept[1]);
        }
        deal();
    }

    controls: [
        SizePicker {
            objectName: "rowsPicker"
            label: "Rows"
            value: movie.size.rows
            key: "R"
            onStepped: function(steps) { movie.playSize(Rules.stepRows(movie.size, steps)); }
        },
        SizePicker {
            objectName: "columnsPicker"
            label: "Columns"
            value: movie.size.columns
            key: "C"
            onStepped: function(steps) { movie.playSize(Rules.stepColumns(movie.size, steps)); }
        }
    ]
}

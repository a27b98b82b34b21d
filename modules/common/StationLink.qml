// SPDX-License-Identifier: GPL-3.0-or-later
// The movie's side of the command channel. It sends the station's commands and hands
// back the solver's answer, and sends a game's result once: every movie calls
// newGame() when it deals. Without a station (in the QML tests) it keeps what would
// have been sent in `sent`, so a test can read it.
import QtQuick

QtObject {
    id: link

    readonly property bool hasStation: typeof player !== "undefined"
    property var sent: []          // ["command|args", ...], without a station only
    property bool solving: false
    property bool resultSent: false // this game's result is out
    property Store store_: Store {}

    signal solved(string answer)   // "solver_solve" arrived; empty when there is none

    // A finished game's result: the list of its hi-score kind, slot id first. Sent once
    // a game, however often asked; says whether it was sent now.
    function writeScore(list) {
        if (resultSent)
            return false;
        resultSent = true;
        send("writescore", list.join(","));
        return true;
    }
    // A new game is dealt: its result is still to send.
    function newGame() {
        resultSent = false;
    }
    // Keeps a small text for this movie (the frame's Store decides where); says whether
    // it was kept.
    function keep(key, value) { return store_.setValue(key, value); }
    // What keep() kept under `key`, or the empty text.
    function kept(key) { return store_.value(key); }
    // The name of the last result the station recorded, or the empty text.
    function lastName() {
        return hasStation && player.lastName !== undefined ? String(player.lastName) : "";
    }
    // Asks for the solution of a solver request.
    function solve(request) {
        solving = true;
        send("solvepuzzle", request);
    }
    function stopSolving() {
        send("stopsolving", "");
        solving = false;
    }
    function send(command, args) {
        if (hasStation)
            player.fscommand(command, args);
        else
            sent = sent.concat([command + "|" + args]);
    }

    property Connections answers: Connections {
        target: link.hasStation ? player : null
        function onVariableSet(name, value) {
            if (name !== "solver_solve")
                return;
            link.solving = false;
            link.solved(value);
        }
    }
}

// SPDX-License-Identifier: GPL-3.0-or-later
// Reports what reaches it: its gameType property, the player's variables, every answer
// (which it also keeps) and its window closing; send() passes a command on and gives the
// number of answers since.
import QtQuick

Item {
    id: root
    width: 640
    height: 480
    property string gameType: "unset"
    property string solver_solve: ""
    property var answers: []

    function send(command, args) {
        player.fscommand(command, args);
        return answers.length;
    }

    Connections {
        target: player
        function onVariableSet(name, value) {
            root.answers = root.answers.concat([value]);
            player.fscommand("answer", root.answers.length + ":" + name + "=" + value + ":" + root.solver_solve);
        }
        function onClosing() { player.fscommand("bye", root.gameType) }
    }
    Component.onCompleted: player.fscommand("started", gameType + "|" + player.variable("gameType")
                                            + "|" + player.variable("level"))
}

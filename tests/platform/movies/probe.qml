// SPDX-License-Identifier: GPL-3.0-or-later
// Reports what reaches it: its gameType property, the player's variables and every answer
// (which it also keeps); send() passes a command on.
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
    }

    Connections {
        target: player
        function onVariableSet(name, value) {
            root.answers = root.answers.concat([value]);
            player.fscommand("answer", root.answers.length + ":" + name + "=" + value + ":" + root.solver_solve);
        }
    }
    Component.onCompleted: player.fscommand("started", gameType + "|" + player.variable("gameType")
                                            + "|" + player.variable("level"))
}

// Reports what reached it: its gameType property, the player's variables, every answer.
import QtQuick

Item {
    id: root
    width: 640
    height: 480
    property string gameType: "unset"
    property string solver_solve: ""
    property int answers: 0

    Connections {
        target: player
        function onVariableSet(name, value) {
            root.answers += 1
            player.fscommand("answer", root.answers + ":" + name + "=" + value + ":" + root.solver_solve)
        }
    }
    Component.onCompleted: player.fscommand("started", gameType + "|" + player.variable("gameType")
                                            + "|" + player.variable("level"))
}

// A probe movie for the command channel: sends what the test asks and notes what the
// program answers.
import QtQuick

Item {
    id: probe

    property string gameType
    property string solver_solve
    property var answers: []

    function send(command, args) {
        player.fscommand(command, args);
        return answers.length;
    }

    width: 640
    height: 480

    Connections {
        function onVariableSet(name, value) {
            if (name === "solver_solve")
                probe.answers = probe.answers.concat([value]);
        }

        target: player
    }

    Text {
        anchors.centerIn: parent
        text: "channel probe: " + probe.gameType + ", answers " + probe.answers.length
    }
}

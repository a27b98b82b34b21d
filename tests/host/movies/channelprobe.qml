// A probe movie for the command channel: sends what the test asks and notes what the
// program answers and when.
import QtQuick

Item {
    id: probe

    property string gameType
    property string solver_solve
    property var answers: []
    property var sent: []
    property real stopSentAt: 0

    function send(command, args) {
        player.fscommand(command, args);
        return answers.length;
    }

    // Sends "stopsolving" from a timer `afterMs` after the solve starts; gives the
    // milliseconds from that stop to the moment the solve command returned.
    function solveAndStop(request, afterMs) {
        stopSentAt = 0;
        stopTimer.interval = afterMs;
        stopTimer.start();
        player.fscommand("solvepuzzle", request);
        return stopSentAt > 0 ? Date.now() - stopSentAt : -1;
    }

    // Two solves, the second sent from a timer while the first runs.
    function solveTwice(first, second) {
        secondTimer.request = second;
        secondTimer.start();
        player.fscommand("solvepuzzle", first);
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

    Timer {
        id: stopTimer

        onTriggered: {
            probe.stopSentAt = Date.now();
            player.fscommand("stopsolving", "");
        }
    }

    Timer {
        id: secondTimer

        property string request

        interval: 30
        onTriggered: player.fscommand("solvepuzzle", request)
    }

    Text {
        anchors.centerIn: parent
        text: "channel probe: " + probe.gameType + ", answers " + probe.answers.length
    }
}

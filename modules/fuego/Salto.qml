// Fuego Salto: jump embers over embers on a hexagonal board; every ember jumped over
// burns out and scores. Click an ember, then one of the holes it can jump to (they are
// ringed); or move the frame with the arrows and press Space twice.
import QtQuick
import "../common"
import "../common/Random.mjs" as Random
import "../common/Theme.mjs" as Theme
import "SaltoRules.mjs" as Rules
import "Rules.mjs" as Result

GameScreen {
    id: movie

    property var game: Rules.newGame(Random.freshSeed())
    property int selected: -1
    property int cursor: Rules.holeAt(0, 0)
    readonly property var targets: Rules.targetsFrom(game, selected)
    readonly property alias clock: clock
    readonly property int undoCostMs: 5000

    function newGame(seed) {
        game = Rules.newGame(seed === undefined ? Random.freshSeed() : seed);
        selected = -1;
        cursor = Rules.holeAt(0, 0);
        link.newGame();
        clock.reset();
        gameOver.clear();
        focusGame();
    }
    // One input path for clicks and keys.
    function choose(hole) {
        if (game.over)
            return;
        cursor = hole;
        const chosen = Rules.choose(game, selected, hole);
        if (chosen.game !== game) {
            clock.start();
            undo.push(game);
            sounds.play("lay");
        } else {
            sounds.play(chosen.selected >= 0 ? "select" : selected >= 0 ? "invalid" : "");
        }
        game = chosen.game;
        selected = chosen.selected;
        if (game.over)
            end("No jumps left");
    }
    // The last jump taken back; it costs time on the clock.
    function takeBack() {
        game = undo.take();
        selected = -1;
        clock.addMs(undoCostMs);
        sounds.play("turn");
    }
    function stopHere() {
        if (game.over || game.removed === 0)
            return;
        game = Rules.stop(game);
        end("You stopped");
    }
    function end(heading) {
        clock.stop();
        finish(heading, ["Embers burnt out: " + game.removed, "Time: " + clock.text],
               { scoreList: Result.scoreList("fuego", clock.elapsedMs, Rules.score(game)) });
    }
    function screenshotScene(name) {
        newGame(5);
        for (let k = 0; k < 6; ++k) {
            const j = Rules.firstJump(game);
            choose(j.from);
            choose(j.to);
        }
        choose(Rules.firstJump(game).from);
        if (name === "busy")
            busy.start();
    }

    title: "Fuego Salto"
    stats: [{ label: "Burnt out", value: String(game.removed) },
            { label: "Time", value: clock.text }]
    keyHandler: board
    howToPlayText: "<p>Every hole of the hearth but one holds a glowing ember. An ember jumps "
                 + "over a touching ember, in any of the six directions, into the empty hole "
                 + "straight behind it; the ember it jumped over burns out.</p>"
                 + "<p>Click an ember, then one of the ringed holes. Keys: the arrows move the "
                 + "frame, <b>Space</b> chooses the ember and then its hole, <b>Escape</b> lets go.</p>"
                 + "<p>Burn out as many embers as you can: the score is the count, and the "
                 + "clock decides between equal scores. The game ends when no jump is left, "
                 + "or when you press <b>Finish</b>.</p>"
                 + "<p><b>Z</b> takes the last jump back and adds " + undoCostMs / 1000
                 + " seconds to your time.</p>"
    buttons: GameButton {
        text: "Finish"
        key: "F"
        enabled: !movie.game.over && movie.game.removed > 0
        onClicked: { movie.stopHere(); }
    }

    inProgress: game.removed > 0 && !game.over
    undoEnabled: true
    onNewGameRequested: newGame()
    onUndoRequested: takeBack()

    GameClock { id: clock }

    // The busiest scene for the frame-rate measurement: jump after jump, dealt anew before
    // the last one, so that a long measurement never ends a game and sends a result.
    Timer {
        id: busy
        interval: 300
        repeat: true
        onTriggered: {
            const j = Rules.firstJump(movie.game);
            if (!j || Rules.jump(movie.game, j.from, j.to).over) {
                movie.game = Rules.newGame(9);
                return;
            }
            movie.selected = -1;
            movie.choose(j.from);
            movie.choose(j.to);
        }
    }

    Item {
        id: board

        readonly property real step: 40     // distance from a hole's centre to a corner
        function centreX(h) { return width / 2 + step * Math.sqrt(3) * (h.q + h.r / 2); }
        function centreY(h) { return height / 2 + step * 1.5 * h.r; }

        anchors.fill: parent
        focus: true

        Keys.onPressed: function(event) {
            let next = -1;
            switch (event.key) {
            case Qt.Key_Left: next = Rules.step(movie.cursor, -1, 0); break;
            case Qt.Key_Right: next = Rules.step(movie.cursor, 1, 0); break;
            case Qt.Key_Up: next = Rules.step(movie.cursor, 0, -1); break;
            case Qt.Key_Down: next = Rules.step(movie.cursor, 0, 1); break;
            case Qt.Key_Space: case Qt.Key_Return: case Qt.Key_Enter: movie.choose(movie.cursor); break;
            case Qt.Key_Escape: movie.selected = -1; break;
            case Qt.Key_F: movie.stopHere(); break;
            default: return;
            }
            if (next >= 0)
                movie.cursor = next;
            event.accepted = true;
        }

        // The hearth behind the holes.
        Glyph {
            anchors.centerIn: parent
            width: 8.4 * board.step * Math.sqrt(3)
            height: width
            rotation: 30
            shape: "hexagon"
            colour: "#3a1f1a"
            outline: "#6b3a2a"
        }

        Repeater {
            model: Rules.holes.length
            Item {
                id: hole
                readonly property var at: Rules.holes[index]
                readonly property bool lit: movie.game.embers[index]
                readonly property bool target: movie.targets.indexOf(index) >= 0

                x: board.centreX(at) - width / 2
                y: board.centreY(at) - height / 2
                width: board.step * 1.7
                height: width

                // An empty hole is a small dark pit; an ember is a large round coal.
                Rectangle {
                    anchors.centerIn: parent
                    width: parent.width * 0.36
                    height: width
                    radius: width / 2
                    color: "#150b08"
                    border.color: "#5c3326"
                }
                Rectangle {
                    id: coal
                    anchors.centerIn: parent
                    width: parent.width * 0.74
                    height: width
                    radius: width / 2
                    opacity: hole.lit ? 1 : 0
                    scale: hole.lit ? 1 : 0.4
                    border.color: "#7a2d0c"
                    border.width: 2
                    gradient: Gradient {
                        GradientStop { position: 0; color: "#ffe08a" }
                        GradientStop { position: 0.55; color: "#ff8c1a" }
                        GradientStop { position: 1; color: "#c2410c" }
                    }
                    Behavior on opacity { NumberAnimation { duration: 260 } }
                    Behavior on scale { NumberAnimation { duration: 260 } }
                }
                // A hole the chosen ember can reach is ringed and dotted.
                Rectangle {
                    anchors.centerIn: parent
                    visible: hole.target
                    width: parent.width * 0.8
                    height: width
                    radius: width / 2
                    color: "transparent"
                    border.color: Theme.good
                    border.width: 4
                    Rectangle {
                        anchors.centerIn: parent
                        width: 8
                        height: 8
                        radius: 4
                        color: Theme.good
                    }
                }
                // The chosen ember, and the keyboard frame.
                Rectangle {
                    anchors.centerIn: parent
                    visible: movie.selected === index || (board.activeFocus && movie.cursor === index)
                    width: parent.width * 0.96
                    height: width
                    radius: width / 2
                    color: "transparent"
                    border.color: movie.selected === index ? "white" : Theme.cursor
                    border.width: movie.selected === index ? 5 : 3
                }
                MouseArea {
                    anchors.fill: parent
                    cursorShape: Qt.PointingHandCursor
                    onClicked: movie.choose(index)
                }
            }
        }
    }
}

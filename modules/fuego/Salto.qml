// SPDX-License-Identifier: GPL-3.0-or-later
// Fuego Salto: jump embers over embers on a board of holes; every ember jumped over
// burns out and scores. Click an ember, then one of the holes it can jump to (they are
// ringed); or move the frame with the arrows and press Space twice. Three boards; the
// hearth's results go to the hi-score list.
import QtQuick
import "../common"
import "../common/Random.mjs" as Random
import "../common/Theme.mjs" as Theme
import "SaltoRules.mjs" as Rules
import "Rules.mjs" as Result

GameScreen {
    id: movie

    property string shapeId: Rules.standardShape
    property var game: Rules.newGame(Random.freshSeed(), shapeId)
    property int selected: -1
    property int cursor: Rules.holeAt(0, 0)
    property bool confirmingFinish: false
    readonly property var targets: Rules.targetsFrom(game, selected)
    readonly property alias clock: clock
    readonly property int undoCostMs: 5000

    function newGame(seed, shape) {
        if (shape !== undefined)
            shapeId = Rules.shapeOf(shape).id;
        game = Rules.newGame(seed === undefined ? Random.freshSeed() : seed, shapeId);
        resetPlay();
        link.newGame();
        clock.reset();
        gameOver.clear();
        focusGame();
    }
    function resetPlay() {
        selected = -1;
        confirmingFinish = false;
        const middle = Rules.shapeOf(game.shape).middle;
        cursor = middle[Math.floor(middle.length / 2)];
    }
    // One input path for clicks and keys: the rules choose or jump; a click that does
    // nothing shakes and says why.
    function choose(hole) {
        if (game.over)
            return;
        cursor = hole;
        const chosen = Rules.choose(game, selected, hole);
        if (chosen.game !== game) {
            clock.start();
            undo.push(game);
            sounds.play("lay");
            const move = Rules.movesFrom(game, selected).find(j => j.to === hole);
            game = chosen.game;
            hearth.hop(move.from, move.over, move.to);
            confirmingFinish = false;
        } else if (Rules.movesFrom(game, hole).length === 0) {
            sounds.play("invalid");
            hearth.refuse(hole);
            note.say(game.embers[hole] ? "That ember has no jump: it needs a touching ember with an empty hole behind it."
                                       : "Choose an ember first, then a ringed hole.");
        } else if (chosen.selected >= 0) {
            sounds.play("select");
        }
        selected = chosen.selected;
        if (game.over)
            end();
    }
    // The last jump taken back; it costs time on the clock.
    function takeBack() {
        undo.take();
        const back = Rules.undo(game);
        if (back === game)
            return;
        game = back;
        resetPlay();
        clock.addMs(undoCostMs);
        sounds.play("turn");
    }
    function restartDeal() {
        if (game.over)
            return;
        game = Rules.restart(game);
        undo.clear();
        resetPlay();
        sounds.play("turn");
    }
    // Finish asks first: the first press arms it, the second ends the game.
    function stopHere() {
        if (game.over || game.removed === 0)
            return;
        if (!confirmingFinish) {
            confirmingFinish = true;
            note.say("Press Finish again to end the game with " + Rules.embersLeft(game) + " embers left.");
            return;
        }
        game = Rules.stop(game);
        end();
    }
    function end() {
        clock.stop();
        confirmingFinish = false;
        const perfect = Rules.isPerfect(game), middle = Rules.endsInMiddle(game);
        const lines = ["Embers burnt out: " + game.removed + ", left: " + Rules.embersLeft(game)];
        if (perfect)
            lines.push("Perfect game: +" + Rules.perfectBonus + (middle ? ", in the middle: +" + Rules.middleBonus : ""));
        lines.push("Score: " + Rules.score(game) + "   Time: " + clock.text);
        if (!Rules.isRecorded(game))
            lines.push("The " + Rules.shapeOf(game.shape).name + " is for practice: only the Hearth goes to the hi-score list.");
        finish(perfect ? "Perfect game!" : game.removed > 0 && Rules.anyMove(game) ? "You stopped" : "No jumps left",
               lines, { won: perfect, scoreList: Rules.isRecorded(game)
                            ? Result.scoreList("fuego", clock.elapsedMs, Rules.score(game)) : undefined });
    }
    // Another board means another game: asked first when one is going on.
    function chooseShape(id) {
        confirmDiscard(() => newGame(undefined, id));
    }
    function keyCommand(key) {
        switch (key) {
        case Qt.Key_Escape: selected = -1; break;
        case Qt.Key_F: stopHere(); break;
        case Qt.Key_R: restartDeal(); break;
        default: chooseShape(Rules.shapes[key - Qt.Key_1].id);
        }
    }
    function screenshotScene(name) {
        newGame(5, Rules.standardShape);
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
            { label: "Left", value: String(Rules.embersLeft(game)) },
            { label: "Time", value: clock.text }]
    keyHandler: hearth
    howToPlayText: "<p>Every hole but one holds a glowing ember. An ember jumps over a touching "
                 + "ember, in any of the six directions, into the empty hole straight behind "
                 + "it; the ember it jumped over burns out.</p>"
                 + "<p>Click an ember, then one of the ringed holes. Keys: the arrows move the "
                 + "frame, <b>Space</b> chooses the ember and then its hole, <b>Escape</b> lets go. "
                 + "<b>Z</b> takes back a jump and adds " + undoCostMs / 1000 + " seconds to your "
                 + "time; <b>Restart deal</b> (R) starts this deal again, the clock running on.</p>"
                 + "<p>The score is the embers burnt out. Bring them down to <b>one</b> for a "
                 + "perfect game (+" + Rules.perfectBonus + "), and +" + Rules.middleBonus
                 + " more when it stands in the middle (the ringed holes). Every board can "
                 + "end perfectly. The clock decides between equal scores. The game ends when "
                 + "no jump is left, or when you press <b>Finish</b> (F) twice.</p>"
                 + "<p>Boards (keys <b>1</b> to <b>3</b> start a new game on one): the Hearth, "
                 + "whose results go to the hi-score list, and the Triangle and the Diamond "
                 + "for practice.</p>"

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
                movie.game = Rules.newGame(9, movie.shapeId);
                return;
            }
            movie.selected = -1;
            movie.choose(j.from);
            movie.choose(j.to);
        }
    }

    Hearth {
        id: hearth
        anchors.fill: parent
        game: movie.game
        selected: movie.selected
        cursor: movie.cursor
        targets: movie.targets
        onChosen: function(hole) { movie.choose(hole); }
        onCursorMoved: function(hole) { movie.cursor = hole; }
        onKeyCommand: function(key) { movie.keyCommand(key); }
    }

    // The boards, on the left.
    Column {
        x: 14
        y: 14
        spacing: 8
        Text {
            text: "Board"
            color: Theme.textDim
            font.family: Theme.fontFamily
            font.pixelSize: Theme.smallSize
        }
        Repeater {
            model: Rules.shapes
            GameButton {
                width: 136
                text: modelData.name
                key: String(index + 1)
                primary: movie.shapeId === modelData.id
                onClicked: movie.chooseShape(modelData.id)
            }
        }
        Text {
            width: 136
            text: movie.shapeId === Rules.standardShape ? "Goes to the hi-score list" : "For practice: not recorded"
            color: Theme.textDim
            font.family: Theme.fontFamily
            font.pixelSize: 13
            wrapMode: Text.WordWrap
        }
    }

    // Taking jumps back and finishing, on the right.
    Column {
        anchors.right: parent.right
        anchors.rightMargin: 14
        y: 14
        spacing: 8
        GameButton {
            width: 150
            text: "Restart deal"
            key: "R"
            fontSize: Theme.smallSize
            enabled: !movie.game.over && movie.game.history.length > 0
            onClicked: { movie.restartDeal(); movie.focusGame(); }
        }
        GameButton {
            width: 150
            text: movie.confirmingFinish ? "Really finish?" : "Finish"
            key: "F"
            fontSize: movie.confirmingFinish ? Theme.smallSize : Theme.bodySize
            primary: movie.confirmingFinish
            enabled: !movie.game.over && movie.game.removed > 0
            onClicked: { movie.stopHere(); movie.focusGame(); }
        }
    }

    // A word on what just happened, at the foot of the board.
    Text {
        id: note
        function say(text) {
            note.text = text;
            fade.restart();
        }
        anchors.horizontalCenter: parent.horizontalCenter
        anchors.bottom: parent.bottom
        anchors.bottomMargin: 8
        width: parent.width - 40
        horizontalAlignment: Text.AlignHCenter
        wrapMode: Text.WordWrap
        opacity: 0
        color: Theme.focus
        font.family: Theme.fontFamily
        font.pixelSize: Theme.smallSize + 1
        SequentialAnimation {
            id: fade
            PropertyAction { target: note; property: "opacity"; value: 1 }
            PauseAnimation { duration: 2600 }
            NumberAnimation { target: note; property: "opacity"; to: 0; duration: 500 }
        }
    }
}

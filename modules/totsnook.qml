// SPDX-License-Identifier: GPL-3.0-or-later
// Tots Nook: a pairs game for small children. Big cards, friendly pictures in three
// sets, no reading needed and no way to lose; every round ends with a party. While a
// round is in play only the cards answer: every other button and key needs a grown-up's
// long press. No hi-score list.
import QtQuick
import "common"
import "common/Random.mjs" as Random
import "totsnook"
import "totsnook/Rules.mjs" as Rules

GameScreen {
    id: movie

    property int sizeIndex: 1
    property string setName: "animals"
    readonly property var size: Rules.sizes[sizeIndex]
    property var round: Rules.deal(Random.freshSeed(), size.pairs, setName)
    property int cursor: 0
    readonly property bool celebrating: party.visible && !party.waiting
    readonly property bool playing: !Rules.finished(round)
    // The long press under way: what it does when the ring is full, and where the ring is.
    property var hold: Rules.released
    property var holdAction: null
    property real ringProgress: 0

    function newGame(seed) {
        round = Rules.deal(seed === undefined ? Random.freshSeed() : seed, size.pairs, setName);
        cursor = 0;
        turnBack.stop();
        party.stop();
        letGo();
        focusGame();
    }
    function chooseSize(index) {
        sizeIndex = index;
        link.keep("size", index);
        newGame();
    }
    function chooseSet(name) {
        setName = name;
        link.keep("set", name);
        newGame();
    }
    // A grown-up's action: at once between rounds, after a long press while one plays.
    // (x, y) is where the ring shows.
    function guarded(action, x, y) {
        if (Rules.lockAnswer(playing, "button") === "act") {
            action();
            return;
        }
        if (hold.since >= 0)
            return;
        holdAction = action;
        hold = Rules.holdDown(Rules.released, Date.now());
        ring.x = Math.max(0, Math.min(width - ring.width, x - ring.width / 2));
        ring.y = Math.max(0, Math.min(height - ring.height, y - ring.height / 2));
        holding.start();
    }
    function letGo() {
        holding.stop();
        ringProgress = 0;
        hold = Rules.released;
        holdAction = null;
    }
    // One input path for taps and keys: a tap while a wrong pair still shows turns it
    // back at once, so small hands need not wait; a tap on a finished board, once the
    // party is over, deals the next round.
    function tap(index) {
        if (Rules.finished(round)) {
            if (!celebrating)
                newGame();
            return;
        }
        letGo();
        if (Rules.waiting(round)) {
            turnBack.stop();
            round = Rules.settle(round);
        }
        cursor = index;
        const found = round.found;
        round = Rules.flip(round, index);
        sounds.play(round.found > found ? "clear" : "turn");
        if (Rules.waiting(round)) {
            turnBack.restart();
        } else if (Rules.finished(round)) {
            rounds.record(true, round.turns);
            sounds.play("win");
            party.start();
        }
    }
    function screenshotScene(name) {
        sizeIndex = 1;
        newGame(4);
        if (name === "busy") {
            party.start();
            return;
        }
        for (let i = 0; i < round.cards.length && round.found < 2; ++i) {
            for (let j = i + 1; j < round.cards.length; ++j) {
                if (round.cards[i].picture === round.cards[j].picture && !round.cards[i].found) {
                    tap(i);
                    tap(j);
                    break;
                }
            }
        }
        tap(round.cards.findIndex(c => !c.up));
    }

    title: "Tots Nook"
    stats: [{ label: "Pairs", value: round.found + " of " + round.pairs },
            { label: "Rounds", value: String(rounds.played) }]
    keyHandler: board
    inProgress: round.turns > 0 && !Rules.finished(round)
    howToPlayText: "<p>For the youngest players, with a grown-up near by.</p>"
                 + "<p>Tap a card to turn it over, then tap another. Two cards with the same "
                 + "picture stay up; others turn back by themselves. Find every pair for a "
                 + "little party; then a tap on any card starts the next round.</p>"
                 + "<p>The dotted buttons on the left choose a smaller or bigger board, the "
                 + "picture buttons the animals, things that go or food.</p>"
                 + "<p><b>For grown-ups:</b> while a round is in play only the cards answer. "
                 + "To use any other button, or the keys N, H, 1 to 3 and A, G, F (the picture sets), "
                 + "hold it down until the yellow ring is full (1.5 seconds). Between rounds "
                 + "everything answers at once. Keys: the arrows move the pink frame, "
                 + "<b>Space</b> or <b>Enter</b> turns a card.</p>"
                 + "<p>There is nothing to lose and no score to keep. Rounds played: "
                 + rounds.played + ", the quickest in " + rounds.bestText + ".</p>"

    onNewGameRequested: newGame()
    Component.onCompleted: {
        const size = Number(link.kept("size"));
        if (link.kept("size") !== "" && size >= 0 && size < Rules.sizes.length)
            sizeIndex = Math.floor(size);
        setName = Rules.sets.some(s => s.name === link.kept("set")) ? link.kept("set") : "animals";
        newGame();
    }

    // The long press: the ring fills, and when it is full the action happens once.
    Timer {
        id: holding
        interval: 30
        repeat: true
        onTriggered: {
            movie.hold = Rules.holdTick(movie.hold, Date.now());
            movie.ringProgress = Rules.holdProgress(movie.hold, Date.now());
            if (movie.hold.done) {
                const action = movie.holdAction;
                movie.letGo();
                if (action)
                    action();
            }
        }
    }

    // Rounds finished, and the fewest turns a round took.
    GameStats {
        id: rounds
        key: "totsnook." + movie.size.pairs
        unit: "turns"
    }

    Timer {
        id: turnBack
        interval: Rules.wrongPairMs
        onTriggered: movie.round = Rules.settle(movie.round)
    }

    Column {
        anchors.left: parent.left
        anchors.leftMargin: 30
        anchors.verticalCenter: parent.verticalCenter
        spacing: 10
        Repeater {
            model: Rules.sizes
            SizeButton {
                columns: modelData.columns
                rows: modelData.rows
                selected: movie.sizeIndex === index
                onPressedAt: function(x, y) {
                    const at = movie.mapFromItem(null, x, y);
                    movie.guarded(() => movie.chooseSize(index), at.x, at.y);
                }
                onLetGo: movie.letGo()
            }
        }
        Repeater {
            model: Rules.sets
            SizeButton {
                objectName: "set_" + modelData.name
                picture: modelData.pictures[0].name
                selected: movie.setName === modelData.name
                onPressedAt: function(x, y) {
                    const at = movie.mapFromItem(null, x, y);
                    movie.guarded(() => movie.chooseSet(modelData.name), at.x, at.y);
                }
                onLetGo: movie.letGo()
            }
        }
    }

    Item {
        id: board

        readonly property real cell: Math.min((width - (movie.size.columns - 1) * 14) / movie.size.columns,
                                              (height - (movie.size.rows - 1) * 14) / movie.size.rows)
        x: 160
        y: 16
        width: parent.width - 176
        height: parent.height - 32
        focus: true

        // Every key ends here: the cards' keys act, the grown-ups' keys need a long
        // press while a round plays, the rest do nothing (Tab would leave the board).
        Keys.onPressed: function(event) {
            const columns = movie.size.columns, count = movie.round.cards.length;
            const steps = { [Qt.Key_Left]: [-1, 0], [Qt.Key_Right]: [1, 0],
                            [Qt.Key_Up]: [0, -1], [Qt.Key_Down]: [0, 1] };
            const sets = { [Qt.Key_A]: "animals", [Qt.Key_G]: "going", [Qt.Key_F]: "food" };
            event.accepted = true;
            if (steps[event.key]) {
                const [dx, dy] = steps[event.key];
                movie.cursor = Rules.moveCursor(movie.cursor, count, columns, dx, dy);
                return;
            }
            if (event.key === Qt.Key_Space || event.key === Qt.Key_Return || event.key === Qt.Key_Enter) {
                if (!event.isAutoRepeat)
                    movie.tap(movie.cursor);
                return;
            }
            let action = null;
            if (event.key >= Qt.Key_1 && event.key < Qt.Key_1 + Rules.sizes.length)
                action = () => movie.chooseSize(event.key - Qt.Key_1);
            else if (sets[event.key])
                action = () => movie.chooseSet(sets[event.key]);
            else if (event.key === Qt.Key_N)
                action = () => movie.newGame();
            else if (event.key === Qt.Key_H || event.key === Qt.Key_F1)
                action = () => movie.showHowToPlay();
            if (action && !event.isAutoRepeat)
                movie.guarded(action, movie.width / 2, movie.height / 2);
        }
        Keys.onReleased: function(event) {
            event.accepted = true;
            if (!event.isAutoRepeat && !movie.hold.done)
                movie.letGo();
        }

        Grid {
            anchors.centerIn: parent
            columns: movie.size.columns
            spacing: 14
            Repeater {
                model: movie.round.cards.length
                Card {
                    readonly property var state: movie.round.cards[index]
                    width: board.cell
                    height: board.cell
                    picture: state.picture
                    up: state.up
                    found: state.found
                    chosen: board.activeFocus && movie.cursor === index
                    onTapped: movie.tap(index)
                }
            }
        }
    }

    Celebration {
        id: party
        anchors.fill: parent
        onAgainTapped: movie.newGame()
    }

    // The header's buttons are a grown-up's while a round plays: a press there starts the
    // long press of the button under it.
    MouseArea {
        id: guard

        // The header's button under (x, y) of the movie, or null.
        function buttonAt(item, x, y) {
            for (let i = item.children.length - 1; i >= 0; --i) {
                const child = item.children[i];
                const p = child.mapFromItem(movie, x, y);
                if (child === guard || !child.visible || p.x < 0 || p.y < 0 || p.x >= child.width || p.y >= child.height)
                    continue;
                if (child.key !== undefined && typeof child.clicked === "function")
                    return child;
                const inner = buttonAt(child, x, y);
                if (inner)
                    return inner;
            }
            return null;
        }

        parent: movie
        width: movie.width
        height: movie.playArea.y
        z: 40
        enabled: movie.playing
        onPressed: function(mouse) {
            const button = buttonAt(movie, mouse.x, mouse.y);
            if (button && button.enabled)
                movie.guarded(() => button.clicked(), mouse.x, mouse.y);
        }
        onReleased: if (!movie.hold.done) movie.letGo()
    }

    HoldRing {
        id: ring
        parent: movie
        progress: movie.ringProgress
    }
}

// Tots Nook: a pairs game for small children. Big cards, friendly pictures, no reading
// needed and no way to lose; every round ends with a party. No hi-score list.
import QtQuick
import "common"
import "common/Random.mjs" as Random
import "totsnook"
import "totsnook/Rules.mjs" as Rules

GameScreen {
    id: movie

    property int sizeIndex: 1
    readonly property var size: Rules.sizes[sizeIndex]
    property var round: Rules.deal(Random.freshSeed(), size.pairs)
    property int cursor: 0
    readonly property alias celebrating: party.visible

    function newGame(seed) {
        round = Rules.deal(seed === undefined ? Random.freshSeed() : seed, size.pairs);
        cursor = 0;
        turnBack.stop();
        party.visible = false;
        focusGame();
    }
    function chooseSize(index) {
        confirmDiscard(function() {
            sizeIndex = index;
            newGame();
        });
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
                 + "<p>The dotted buttons on the left choose a smaller or bigger board. "
                 + "Keys: the arrows move the pink frame, <b>Space</b> turns a card, "
                 + "<b>1</b>, <b>2</b>, <b>3</b> choose the board.</p>"
                 + "<p>There is nothing to lose and no score to keep. Rounds played: "
                 + rounds.played + ", the quickest in " + rounds.bestText + ".</p>"

    onNewGameRequested: newGame()

    // Rounds finished, and the fewest turns a round took.
    GameStats {
        id: rounds
        key: "totsnook." + movie.size.pairs
        unit: "turns"
    }

    Timer {
        id: turnBack
        interval: 1100
        onTriggered: movie.round = Rules.settle(movie.round)
    }

    Column {
        anchors.left: parent.left
        anchors.leftMargin: 24
        anchors.verticalCenter: parent.verticalCenter
        spacing: 18
        Repeater {
            model: Rules.sizes
            SizeButton {
                columns: modelData.columns
                rows: modelData.rows
                selected: movie.sizeIndex === index
                onChosen: movie.chooseSize(index)
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

        Keys.onPressed: function(event) {
            const columns = movie.size.columns, count = movie.round.cards.length;
            const steps = { [Qt.Key_Left]: [-1, 0], [Qt.Key_Right]: [1, 0],
                            [Qt.Key_Up]: [0, -1], [Qt.Key_Down]: [0, 1] };
            if (steps[event.key]) {
                const [dx, dy] = steps[event.key];
                movie.cursor = Rules.moveCursor(movie.cursor, count, columns, dx, dy);
            } else if (event.key === Qt.Key_Space || event.key === Qt.Key_Return
                       || event.key === Qt.Key_Enter) {
                movie.tap(movie.cursor);
            } else if (event.key >= Qt.Key_1 && event.key < Qt.Key_1 + Rules.sizes.length) {
                movie.chooseSize(event.key - Qt.Key_1);
            } else {
                return;
            }
            event.accepted = true;
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
    }
}

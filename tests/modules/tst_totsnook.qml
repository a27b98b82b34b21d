// Tots Nook's pairs rules and the movie played to the end from the keyboard.
import QtQuick
import QtTest
import "../../modules/totsnook/Rules.mjs" as Rules

// A TestCase is not drawn, so the movie goes beside it.
MovieStage {
    id: stage

    TestCase {
        id: test
        name: "TotsNook"
        when: windowShown

        function pairOf(round, index) {
            return round.cards.findIndex((c, i) => i !== index && c.picture === round.cards[index].picture);
        }
        function otherThan(round, index) {
            return round.cards.findIndex(c => c.picture !== round.cards[index].picture);
        }

        function test_dealHasEveryPictureTwice_data() {
            return Rules.sizes.map(s => ({ tag: s.pairs + " pairs", size: s }));
        }
        function test_dealHasEveryPictureTwice(data) {
            const round = Rules.deal(9, data.size.pairs);
            compare(round.cards.length, data.size.columns * data.size.rows);
            const counts = {};
            for (const c of round.cards)
                counts[c.picture] = (counts[c.picture] || 0) + 1;
            compare(Object.keys(counts).length, data.size.pairs);
            for (const k in counts)
                compare(counts[k], 2, k);
            verify(round.cards.every(c => !c.up && !c.found));
        }

        function test_matchingPairStaysUp() {
            let round = Rules.deal(1, 3);
            const b = pairOf(round, 0);
            round = Rules.flip(round, 0);
            round = Rules.flip(round, b);
            verify(round.cards[0].found && round.cards[b].found);
            verify(!Rules.waiting(round));
            compare(round.found, 1);
            compare(round.turns, 1);
        }

        function test_wrongPairWaitsAndTurnsBack() {
            let round = Rules.deal(1, 3);
            const b = otherThan(round, 0);
            round = Rules.flip(round, 0);
            round = Rules.flip(round, b);
            verify(Rules.waiting(round));
            const third = round.cards.findIndex(c => !c.up);
            compare(Rules.flip(round, third), round, "no third card while two wait");
            compare(Rules.flip(round, 0), round, "nor a card already up");
            round = Rules.settle(round);
            verify(!round.cards[0].up && !round.cards[b].up);
            compare(round.found, 0);
        }

        function test_moveCursor_data() {
            return [
                { tag: "right", from: 0, dx: 1, dy: 0, to: 1 },
                { tag: "right edge", from: 3, dx: 1, dy: 0, to: 3 },
                { tag: "down", from: 1, dx: 0, dy: 1, to: 5 },
                { tag: "bottom edge", from: 9, dx: 0, dy: 1, to: 9 }
            ];
        }
        function test_moveCursor(data) {
            compare(Rules.moveCursor(data.from, 12, 4, data.dx, data.dy), data.to);
        }

        // Every pair found from the keyboard, a wrong pair turned back on the way; the
        // party starts once, at the end.
        function test_playsToTheEndByKeys() {
            const movie = stage.open("totsnook.qml");
            movie.chooseSize(0);
            movie.newGame(12);
            const cards = movie.round.cards;
            function goTo(index) {
                while (movie.cursor % 3 > index % 3) keyClick(Qt.Key_Left);
                while (movie.cursor % 3 < index % 3) keyClick(Qt.Key_Right);
                while (Math.floor(movie.cursor / 3) > Math.floor(index / 3)) keyClick(Qt.Key_Up);
                while (Math.floor(movie.cursor / 3) < Math.floor(index / 3)) keyClick(Qt.Key_Down);
                compare(movie.cursor, index);
            }
            goTo(0);
            keyClick(Qt.Key_Space);
            goTo(otherThan(movie.round, 0));
            keyClick(Qt.Key_Space);
            verify(movie.round.open.length === 2);
            tryVerify(() => movie.round.open.length === 0, 3000, "a wrong pair turns back by itself");
            for (let i = 0; i < cards.length; ++i) {
                if (movie.round.cards[i].found)
                    continue;
                goTo(i);
                keyClick(Qt.Key_Space);
                goTo(pairOf(movie.round, i));
                keyClick(Qt.Key_Space);
            }
            compare(movie.round.found, 3);
            verify(movie.celebrating, "the party has started");
            keyClick(Qt.Key_Space);
            compare(movie.round.found, 3, "a tap does not cut the party short");
            tryVerify(() => !movie.celebrating, 6000, "the party ends by itself");
            keyClick(Qt.Key_Space);
            compare(movie.round.found, 0, "a tap on the finished board deals again");
            keyClick(Qt.Key_N);
            compare(movie.round.found, 0);
        }

        // The board size is chosen from the keyboard too.
        function test_sizeByKeys_data() {
            return Rules.sizes.map((size, i) => ({ tag: size.columns + "x" + size.rows, key: Qt.Key_1 + i, index: i }));
        }
        function test_sizeByKeys(data) {
            const movie = stage.open("totsnook.qml");
            movie.chooseSize(data.index === 0 ? 1 : 0);
            keyClick(data.key);
            compare(movie.sizeIndex, data.index);
            compare(movie.round.cards.length, Rules.sizes[data.index].pairs * 2);
        }
    }
}

// SPDX-License-Identifier: GPL-3.0-or-later
// Tots Nook's pairs rules and the movie played to the end from the keyboard.
import QtQuick
import QtTest
import "../../modules/totsnook/Rules.mjs" as Rules

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
            const out = [];
            for (const set of Rules.sets)
                for (const size of Rules.sizes)
                    out.push({ tag: set.name + ", " + size.pairs + " pairs", size: size, set: set });
            return out;
        }
        function test_dealHasEveryPictureTwice(data) {
            const round = Rules.deal(9, data.size.pairs, data.set.name);
            const names = data.set.pictures.map(p => p.name), shown = round.cards.map(c => c.picture).sort();
            compare(shown.length, data.size.columns * data.size.rows);
            compare(shown.filter((_, i) => i % 2), shown.filter((_, i) => !(i % 2)), "each picture twice");
            compare(new Set(shown).size, data.size.pairs);
            verify(shown.every(p => names.indexOf(p) >= 0) && round.cards.every(c => !c.up && !c.found));
        }

        function test_everyPictureDrawnOnce() {
            const all = Rules.sets.reduce((out, set) => out.concat(set.pictures), []);
            compare(new Set(all.map(p => p.name)).size, all.length, "no picture twice");
            for (const p of all)
                verify(p.shapes.length >= 3 && p.shapes.every(sh => sh.c || sh.e || sh.r || typeof sh.p === "string"), p.name);
        }

        // Children's inputs act at once; the header's buttons wait for a grown-up's long
        // press while a round is in play; keys the game has no use for do nothing. The
        // arrows stop at the edges of a 4 x 3 board.
        function test_rules_data() {
            const lock = input => [Rules.lockAnswer(true, input), Rules.lockAnswer(false, input)];
            return [
                { tag: "lock: card", got: () => lock("card"), want: ["act", "act"] },
                { tag: "lock: arrow", got: () => lock("arrow"), want: ["act", "act"] },
                { tag: "lock: space or enter", got: () => lock("select"), want: ["act", "act"] },
                { tag: "lock: header button", got: () => lock("button"), want: ["hold", "act"] },
                { tag: "lock: any other key", got: () => lock("key"), want: ["ignore", "ignore"] },
                { tag: "cursor: right", got: () => Rules.moveCursor(0, 12, 4, 1, 0), want: 1 },
                { tag: "cursor: right edge", got: () => Rules.moveCursor(3, 12, 4, 1, 0), want: 3 },
                { tag: "cursor: down", got: () => Rules.moveCursor(1, 12, 4, 0, 1), want: 5 },
                { tag: "cursor: bottom edge", got: () => Rules.moveCursor(9, 12, 4, 0, 1), want: 9 }
            ];
        }
        function test_rules(data) {
            compare(data.got(), data.want);
        }

        function test_longPress_data() {
            return [
                { tag: "let go early", held: Rules.holdMs - 1, done: false, ring: (Rules.holdMs - 1) / Rules.holdMs },
                { tag: "held long enough", held: Rules.holdMs, done: true, ring: 1 },
                { tag: "held on longer", held: 5000, done: true, ring: 1 }
            ];
        }
        function test_longPress(data) {
            compare(Rules.holdProgress(Rules.released, 99), 0, "nothing held, an empty ring");
            let hold = Rules.holdDown(Rules.released, 1000);
            compare(Rules.holdDown(hold, 1200), hold, "a key's repeats do not restart the press");
            hold = Rules.holdTick(hold, 1000 + Rules.holdMs / 2);
            verify(!hold.done);
            hold = Rules.holdTick(hold, 1000 + data.held);
            compare(hold.done, data.done);
            fuzzyCompare(Rules.holdProgress(hold, 1000 + data.held), data.ring, 1e-9);
            if (data.done)
                compare(Rules.holdTick(hold, 9000), hold, "it acts once");
        }

        // Two cards up: a pair stays up and found; another pair waits, takes no third card
        // (nor one already up), and turns back.
        function test_pair_data() {
            return [{ tag: "matching", match: true }, { tag: "wrong", match: false }];
        }
        function test_pair(data) {
            let round = Rules.deal(1, 3);
            const b = data.match ? pairOf(round, 0) : otherThan(round, 0);
            round = Rules.flip(Rules.flip(round, 0), b);
            compare([round.cards[0].found, round.cards[b].found, Rules.waiting(round), round.turns], [data.match, data.match, !data.match, 1]);
            if (data.match)
                return compare(round.found, 1);
            compare(Rules.flip(round, round.cards.findIndex(c => !c.up)), round, "no third card while two wait");
            compare(Rules.flip(round, 0), round, "nor a card already up");
            round = Rules.settle(round);
            compare([round.cards[0].up, round.cards[b].up, round.found], [false, false, 0]);
        }

        // Every pair found from the keyboard, a wrong pair turned back on the way; the
        // party starts once, at the end.
        function test_playsToTheEndByKeys() {
            const movie = stage.open("totsnook.qml");
            movie.chooseSize(0);
            movie.newGame(12);
            const cards = movie.round.cards;
            const goTo = index => compare(stage.goTo(index, 3, key => keyClick(key)), index);
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

        // While a round plays, key-mashing and quick clicks on the header change nothing;
        // a grown-up's long press on a key or a button acts once the ring is full.
        function test_childLock_movie_data() {
            return [
                { tag: "size key, quick", key: Qt.Key_1, held: 0, size: 1 },
                { tag: "size key, held", key: Qt.Key_1, held: Rules.holdMs + 300, size: 0 },
                { tag: "set key, held", key: Qt.Key_F, held: Rules.holdMs + 300, set: "food" },
                { tag: "new game button, quick", button: "New game", held: 0 },
                { tag: "new game button, held", button: "New game", held: Rules.holdMs + 300, dealt: true }
            ];
        }
        function test_childLock_movie(data) {
            const movie = stage.open("totsnook.qml");
            movie.chooseSize(1);
            movie.chooseSet("animals");
            movie.tap(0);
            const dealt = JSON.stringify(movie.round);
            for (const key of [Qt.Key_N, Qt.Key_H, Qt.Key_2, Qt.Key_Tab, Qt.Key_X, Qt.Key_G])
                keyClick(key);
            compare(JSON.stringify(movie.round), dealt, "mashed keys change nothing");
            verify(!movie.howToPlay.visible, "no card of text covers the board");
            if (data.button) {
                const find = item => item.text === data.button && item.clicked ? item
                    : Array.from(item.children).reduce((found, child) => found || find(child), null);
                const button = find(movie);
                const at = button.mapToItem(movie, button.width / 2, button.height / 2);
                mousePress(movie, at.x, at.y);
                if (data.held)
                    wait(data.held);
                mouseRelease(movie, at.x, at.y);
            } else {
                keyPress(data.key);
                if (data.held)
                    wait(data.held);
                keyRelease(data.key);
            }
            if (data.size !== undefined)
                compare(movie.sizeIndex, data.size);
            if (data.set)
                compare(movie.setName, data.set);
            compare(JSON.stringify(movie.round) !== dealt, data.held > 0, "acts only after the long press");
            compare(movie.ringProgress, 0, "the ring empties");
        }
    }
}

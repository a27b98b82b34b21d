// SPDX-License-Identifier: GPL-3.0-or-later
// The shared movie pieces: the seeded generator, time formatting, the clock and the
// station link without a station.
import QtQuick
import QtTest
import "../../modules/common"
import "../../modules/common/Random.mjs" as Random
import "../../modules/common/Theme.mjs" as Theme

TestCase {
    id: test
    name: "Common"
    when: windowShown

    function test_sameSeedSameSequence() {
        const a = Random.make(42), b = Random.make(42), c = Random.make(43);
        const sa = [], sb = [], sc = [];
        for (let i = 0; i < 50; ++i) {
            sa.push(Random.next(a));
            sb.push(Random.next(b));
            sc.push(Random.next(c));
        }
        compare(sa, sb);
        verify(JSON.stringify(sa) !== JSON.stringify(sc));
        for (const x of sa)
            verify(x >= 0 && x < 1, "in [0, 1): " + x);
        const zero = Random.make(0);
        verify(Random.next(zero) !== Random.next(zero), "a zero seed still varies");
    }

    function test_shuffledIsAPermutation() {
        const rng = Random.make(3);
        const items = [1, 2, 3, 4, 5, 6, 7, 8, 9];
        const out = Random.shuffled(rng, items);
        compare(out.slice().sort(), items);
        compare(items, [1, 2, 3, 4, 5, 6, 7, 8, 9], "the input is left alone");
    }

    function test_formatTime_data() {
        return [
            { tag: "zero", ms: 0, tenths: false, text: "0:00" },
            { tag: "tenths", ms: 83456, tenths: true, text: "1:23.4" },
            { tag: "long", ms: 3600000 + 5000, tenths: false, text: "60:05" },
            { tag: "negative", ms: -5, tenths: false, text: "0:00" }
        ];
    }
    function test_formatTime(data) {
        compare(Theme.formatTime(data.ms, data.tenths), data.text);
    }

    Component {
        id: clockComponent
        GameClock {}
    }

    function test_countDownExpiresOnceAtItsLimit() {
        const clock = createTemporaryObject(clockComponent, test, { limitMs: 150 });
        const spy = createTemporaryObject(spyComponent, test, { target: clock, signalName: "expired" });
        clock.start();
        spy.wait(2000);
        compare(clock.remainingMs, 0);
        compare(clock.text, "0:00");
        verify(!clock.running);
        wait(250);
        compare(spy.count, 1);
    }

    function test_stoppedClockKeepsItsTime() {
        const clock = createTemporaryObject(clockComponent, test);
        clock.start();
        wait(120);
        clock.stop();
        const kept = clock.elapsedMs;
        verify(kept >= 100, "counted " + kept);
        wait(120);
        compare(clock.elapsedMs, kept);
        clock.reset();
        compare(clock.elapsedMs, 0);
    }

    Component {
        id: spyComponent
        SignalSpy {}
    }

    Component {
        id: linkComponent
        StationLink {}
    }

    function test_linkWithoutStationKeepsWhatItWouldSend() {
        const link = createTemporaryObject(linkComponent, test);
        link.writeScore(["fuego", 61000, 12]);
        link.solve("tarno9*9,1,2");
        link.stopSolving();
        compare(link.sent, ["writescore|fuego,61000,12", "solvepuzzle|tarno9*9,1,2", "stopsolving|"]);
        verify(!link.solving);
    }

    // A game's result goes out once, however often it is asked for, until a new game.
    function test_linkSendsAResultOnceAGame() {
        const link = createTemporaryObject(linkComponent, test);
        verify(link.writeScore(["tarno9", "5000"]));
        verify(!link.writeScore(["tarno9", "4000"]));
        link.newGame();
        verify(link.writeScore(["tarno9", "3000"]));
        compare(link.sent, ["writescore|tarno9,5000", "writescore|tarno9,3000"]);
    }

    Component {
        id: screenComponent
        GameScreen { title: "Sample" }
    }

    function test_finishedBoardPutAsideIsMarkedUntilTheNextGame() {
        // A TestCase is not drawn: the screen goes beside it, in the window.
        const screen = createTemporaryObject(screenComponent, test.Window.contentItem);
        const mark = findChild(screen, "gameOverMark");
        verify(!mark.visible);
        screen.showGameOver("Well done", ["Score: 5"]);
        verify(screen.gameOver.visible);
        verify(!mark.visible, "the open panel says it already");
        keyClick(Qt.Key_Escape);
        verify(!screen.gameOver.visible);
        verify(mark.visible, "the board left to look at is marked");
        mouseClick(mark);
        verify(screen.gameOver.visible, "the mark brings the result back");
        compare(screen.gameOver.lines, ["Score: 5"]);
        screen.gameOver.clear();
        verify(!screen.gameOver.visible);
        verify(!mark.visible, "a new game has no mark");
    }
}

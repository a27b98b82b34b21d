// SPDX-License-Identifier: GPL-3.0-or-later
// The shared movie pieces: the seeded generator, time formatting, the clock, the station
// link without a station and the mark of a finished board.
import QtQuick
import QtTest
import "../../modules/common"
import "../../modules/common/Random.mjs" as Random
import "../../modules/common/Theme.mjs" as Theme

TestCase {
    id: test
    name: "Common"
    when: windowShown

    function test_seededSequences() {
        const draw = seed => { const r = Random.make(seed); return [1, 2, 3, 4, 5].map(() => Random.next(r)); };
        compare(draw(42), draw(42));
        verify(JSON.stringify(draw(42)) !== JSON.stringify(draw(43)));
        verify(draw(0).every(x => x >= 0 && x < 1) && draw(0)[0] !== draw(0)[1], "a zero seed still varies");
        const items = [1, 2, 3, 4, 5, 6, 7, 8, 9];
        compare(Random.shuffled(Random.make(3), items).sort(), items);
        compare(items, [1, 2, 3, 4, 5, 6, 7, 8, 9], "the input is left alone");
    }

    function test_formatTime_data() {
        return [
            { tag: "zero", ms: 0, tenths: false, text: "0:00" },
            { tag: "nine seconds", ms: 9999, tenths: false, text: "0:09" },
            { tag: "ten seconds", ms: 10000, tenths: false, text: "0:10" },
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
    Component {
        id: spyComponent
        SignalSpy {}
    }
    Component {
        id: linkComponent
        StationLink {}
    }
    Component {
        id: screenComponent
        GameScreen { title: "Sample" }
    }

    function test_countDownExpiresOnceAtItsLimit() {
        const clock = createTemporaryObject(clockComponent, test, { limitMs: 150 });
        const spy = createTemporaryObject(spyComponent, test, { target: clock, signalName: "expired" });
        clock.start();
        spy.wait(2000);
        compare([clock.remainingMs, clock.text, clock.running], [0, "0:00", false]);
        wait(250);
        compare(spy.count, 1);
    }

    // A game's result goes out once, however often it is asked for, until a new game.
    function test_linkSendsAResultOnceAGame() {
        const link = createTemporaryObject(linkComponent, test);
        verify(link.writeScore(["tarno9", "5000"]));
        verify(!link.writeScore(["tarno9", "4000"]));
        link.solve("tarno9*9,1,2");
        link.stopSolving();
        link.newGame();
        verify(link.writeScore(["tarno9", "3000"]));
        compare(link.sent, ["writescore|tarno9,5000", "solvepuzzle|tarno9*9,1,2", "stopsolving|",
                            "writescore|tarno9,3000"]);
        verify(!link.solving);
    }

    function test_finishedBoardPutAsideIsMarkedUntilTheNextGame() {
        const screen = createTemporaryObject(screenComponent, test.Window.contentItem);
        const mark = findChild(screen, "gameOverMark");
        screen.showGameOver("Well done", ["Score: 5"]);
        verify(screen.gameOver.visible && !mark.visible, "the open panel says it already");
        keyClick(Qt.Key_Escape);
        verify(!screen.gameOver.visible && mark.visible, "the board left to look at is marked");
        mouseClick(mark);
        compare(screen.gameOver.lines, ["Score: 5"], "the mark brings the result back");
        screen.gameOver.clear();
        verify(!screen.gameOver.visible && !mark.visible, "a new game has no mark");
    }
}

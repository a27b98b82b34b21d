// SPDX-License-Identifier: GPL-3.0-or-later
// The shared movie pieces: the seeded generator, time formats, the clock, the station
// link, and the game frame every movie stands on: pause, cards, confirmation, the result
// sent once, undo keys, statistics and sounds.
import QtQuick
import QtTest
import "../../modules/common"
import "../../modules/common/Memory.mjs" as Memory
import "../../modules/common/Random.mjs" as Random
import "../../modules/common/Theme.mjs" as Theme

TestCase {
    id: test
    name: "Common"
    when: windowShown

    Component {
        id: screenComponent
        GameScreen {
            title: "Sample"
            property alias clock: clock
            property int newGames: 0
            property int undos: 0
            onNewGameRequested: ++newGames
            onUndoRequested: ++undos
            GameClock { id: clock }
        }
    }
    Component {
        id: statsComponent
        GameStats {}
    }
    Component {
        id: soundsComponent
        Sounds {}
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

    // A TestCase is not drawn: the screen goes beside it, in the window.
    function makeScreen() {
        const screen = createTemporaryObject(screenComponent, test.Window.contentItem);
        screen.focusGame();
        return screen;
    }

    // Under each cover the clock is held (not stopped); the pause key gives back only
    // the time played.
    function test_clockHoldsUnderEveryCover_data() {
        return [
            { tag: "how to play", cover: s => s.showHowToPlay(), uncover: s => keyClick(Qt.Key_Escape) },
            { tag: "pause key", cover: s => keyClick(Qt.Key_P), uncover: s => keyClick(Qt.Key_P) },
            { tag: "confirmation", cover: s => { s.inProgress = true; keyClick(Qt.Key_N); },
              uncover: s => keyClick(Qt.Key_Escape) },
            { tag: "game over", cover: s => s.showGameOver("Over", []), uncover: s => keyClick(Qt.Key_Escape) },
            { tag: "station window over the stage, mid-game",
              cover: s => { s.inProgress = true; s.stageActive = false; }, uncover: s => keyClick(Qt.Key_P) }
        ];
    }
    function test_clockHoldsUnderEveryCover(data) {
        const screen = makeScreen();
        screen.clock.start();
        data.cover(screen);
        verify(screen.paused);
        wait(200);
        screen.clock.update();
        verify(screen.clock.running, "the clock is held, not stopped");
        verify(screen.clock.elapsedMs < 100, "no time passes under the cover: " + screen.clock.elapsedMs);
        screen.stageActive = true;
        data.uncover(screen);
        verify(!screen.overlayOpen);
        wait(120);
        screen.clock.update();
        verify(screen.clock.elapsedMs >= 100 && screen.clock.elapsedMs < 250, "counted " + screen.clock.elapsedMs);
    }

    // Each row opens one card, then another way in: only the last one is open, and it
    // takes the keys.
    function test_cardsNeverStack_data() {
        return [
            { tag: "how to play over the result", first: s => s.showGameOver("Over", ["1"]),
              then: s => keyClick(Qt.Key_H), open: "howToPlay" },
            { tag: "result over how to play", first: s => s.showHowToPlay(),
              then: s => s.showGameOver("Over", ["1"]), open: "gameOver" },
            { tag: "confirmation over how to play",
              first: s => { s.inProgress = true; s.showHowToPlay(); },
              then: s => s.requestNewGame(), open: "confirmation" },
            { tag: "pause key under a card", first: s => s.showHowToPlay(),
              then: s => keyClick(Qt.Key_P), open: "howToPlay" }
        ];
    }
    function test_cardsNeverStack(data) {
        const screen = makeScreen();
        data.first(screen);
        data.then(screen);
        const cards = ["howToPlay", "gameOver", "pauseCard", "confirmation"];
        compare(cards.filter(c => screen[c].visible), [data.open]);
        verify(screen[data.open].activeFocus, "the open card has the keys");
        keyClick(Qt.Key_Escape);
        verify(!screen.overlayOpen);
    }

    function test_aGameInProgressGoesOnlyWhenConfirmed_data() {
        return [
            { tag: "confirmed by Enter", inProgress: true, ended: false, key: Qt.Key_Return, games: 1 },
            { tag: "kept by Escape", inProgress: true, ended: false, key: Qt.Key_Escape, games: 0 },
            { tag: "nothing played yet", inProgress: false, ended: false, key: 0, games: 1 },
            { tag: "game already over", inProgress: true, ended: true, key: 0, games: 1 }
        ];
    }
    function test_aGameInProgressGoesOnlyWhenConfirmed(data) {
        const screen = makeScreen();
        screen.inProgress = data.inProgress;
        if (data.ended) {
            screen.showGameOver("Over", []);
            keyClick(Qt.Key_Escape);
        }
        keyClick(Qt.Key_N);
        compare(screen.confirmation.visible, data.key !== 0);
        compare(screen.newGames, data.key !== 0 ? 0 : 1, "nothing is thrown away before the answer");
        if (data.key !== 0)
            keyClick(data.key);
        compare(screen.newGames, data.games);
    }

    // The result shows first and goes after a moment, or at once when the game moves on;
    // either way once.
    function test_resultIsSentOnce_data() {
        return [
            { tag: "after the panel", act: s => {} },
            { tag: "window closing", act: s => s.sendPendingScore() },
            { tag: "new game", act: s => keyClick(Qt.Key_N) },
            { tag: "next game dealt", act: s => s.gameOver.clear() }
        ];
    }
    function test_resultIsSentOnce(data) {
        const screen = makeScreen();
        screen.finish("Over", [], { won: false, scoreList: ["brikon", 120] });
        verify(screen.gameOver.visible);
        compare(screen.link.sent, [], "the result shows first");
        data.act(screen);
        tryCompare(screen.link, "sent", ["writescore|brikon,120"], 2000);
        screen.sendPendingScore();
        wait(screen.resultDelayMs + 200);
        compare(screen.link.sent.length, 1);
    }

    function test_undoKeys_data() {
        return [
            { tag: "Z", key: Qt.Key_Z, modifiers: Qt.NoModifier, enabled: true, depth: 1, undos: 1 },
            { tag: "Ctrl+Z", key: Qt.Key_Z, modifiers: Qt.ControlModifier, enabled: true, depth: 1, undos: 1 },
            { tag: "nothing to undo", key: Qt.Key_Z, modifiers: Qt.NoModifier, enabled: true, depth: 0, undos: 0 },
            { tag: "game without undo", key: Qt.Key_Z, modifiers: Qt.NoModifier, enabled: false, depth: 1, undos: 0 }
        ];
    }
    function test_undoKeys(data) {
        const screen = makeScreen();
        screen.undoEnabled = data.enabled;
        for (let i = 0; i < data.depth; ++i)
            screen.undo.push({ step: i });
        keyClick(data.key, data.modifiers);
        compare(screen.undos, data.undos);
        screen.undo.push({});
        screen.gameOver.clear();
        verify(!screen.undo.canUndo, "a new game has nothing to go back to");
    }

    function test_statistics_data() {
        return [
            { tag: "kept", text: null, played: 4, won: 3, best: 70000, streak: 1 },
            { tag: "not JSON", text: "{played: 3", played: 0, won: 0, best: null, streak: 0 },
            { tag: "not an object", text: "17", played: 0, won: 0, best: null, streak: 0 },
            { tag: "wrong types", text: '{"played":"many","won":-2,"best":"fast"}', played: 0, won: 0, best: null, streak: 0 }
        ];
    }
    function test_statistics(data) {
        Memory.forget("stats.sample");
        Memory.forget("stats.sample.other");
        if (data.text !== null) {
            Memory.write("stats.sample", data.text);
        } else {
            const stats = createTemporaryObject(statsComponent, test, { key: "sample" });
            [[true, 90000], [true, 70000], [false], [true, 80000]].forEach(r => stats.record(r[0], r[1]));
        }
        const again = createTemporaryObject(statsComponent, test, { key: "sample" });
        compare([again.played, again.won, again.best, again.streak], [data.played, data.won, data.best, data.streak]);
        compare(createTemporaryObject(statsComponent, test, { key: "sample.other" }).played, 0, "each key keeps its own");
    }

    // One sound an event, the most important; muting is one choice every movie keeps.
    function test_soundsAndMute() {
        Memory.forget("sound.muted");
        const sounds = createTemporaryObject(soundsComponent, test);
        ["lay", "clear", "turn", "no such sound"].forEach(s => sounds.play(s));
        tryCompare(sounds, "playCount", 1);
        compare(sounds.lastPlayed, "clear");
        const screen = makeScreen();
        keyClick(Qt.Key_M);
        const later = createTemporaryObject(soundsComponent, test);
        verify(later.muted, "kept for every movie");
        later.play("win");
        wait(50);
        compare([later.playCount, sounds.playCount], [0, 1]);
        keyClick(Qt.Key_M);
        verify(!createTemporaryObject(soundsComponent, test).muted);
    }

    function test_seededSequences() {
        const draw = seed => { const r = Random.make(seed); return [1, 2, 3, 4, 5].map(() => Random.next(r)); };
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
        const screen = makeScreen();
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

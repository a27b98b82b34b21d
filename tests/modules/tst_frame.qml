// SPDX-License-Identifier: GPL-3.0-or-later
// The game frame every movie stands on: the pause and its clock, cards that never
// stack, asking before a game is thrown away, the result before the station's list,
// steps back, the player's statistics and the sounds.
import QtQuick
import QtTest
import "../../modules/common"
import "../../modules/common/Memory.mjs" as Memory

TestCase {
    id: test
    name: "Frame"
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

    // A TestCase is not drawn: the screen goes beside it, in the window.
    function makeScreen() {
        const screen = createTemporaryObject(screenComponent, test.Window.contentItem);
        screen.focusGame();
        return screen;
    }

    function test_clockHoldsUnderEveryCover_data() {
        return [
            { tag: "how to play", cover: s => s.showHowToPlay() },
            { tag: "pause key", cover: s => keyClick(Qt.Key_P) },
            { tag: "confirmation", cover: s => { s.inProgress = true; keyClick(Qt.Key_N); } },
            { tag: "game over", cover: s => s.showGameOver("Over", []) },
            { tag: "station window over the stage", cover: s => { s.stageActive = false; } }
        ];
    }
    function test_clockHoldsUnderEveryCover(data) {
        const screen = makeScreen();
        screen.clock.start();
        wait(60);
        data.cover(screen);
        verify(screen.paused);
        const held = screen.clock.elapsedMs;
        wait(250);
        screen.clock.update();
        compare(screen.clock.elapsedMs, held, "no time passes under the cover");
        verify(screen.clock.running, "the clock is held, not stopped");
    }

    function test_pauseResumesWhereItStopped() {
        const screen = makeScreen();
        screen.clock.start();
        keyClick(Qt.Key_P);
        verify(screen.pauseCard.visible);
        wait(200);
        keyClick(Qt.Key_P);
        verify(!screen.pauseCard.visible);
        wait(120);
        screen.clock.update();
        verify(screen.clock.elapsedMs >= 100 && screen.clock.elapsedMs < 200,
               "only the unpaused time counts: " + screen.clock.elapsedMs);
    }

    function test_steppingAwayMidGamePauses_data() {
        return [
            { tag: "in progress", inProgress: true, card: true },
            { tag: "not started", inProgress: false, card: false }
        ];
    }
    function test_steppingAwayMidGamePauses(data) {
        const screen = makeScreen();
        screen.inProgress = data.inProgress;
        screen.stageActive = false;
        compare(screen.pauseCard.visible, data.card);
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
        verify(!screen.confirmation.visible);
    }

    function test_resultIsShownBeforeItIsSent() {
        const screen = makeScreen();
        screen.finish("Well done", ["Time: 1:00"], { won: true, scoreList: ["tarno9", 60000] });
        verify(screen.gameOver.visible);
        compare(screen.link.sent, [], "the result shows first");
        tryCompare(screen.link, "sent", ["writescore|tarno9,60000"], 2000);
        screen.sendPendingScore();
        compare(screen.link.sent.length, 1, "sent once");
    }

    function test_pendingResultGoesAtOnceWhenTheGameMovesOn_data() {
        return [
            { tag: "window closing", act: s => s.sendPendingScore() },
            { tag: "new game", act: s => keyClick(Qt.Key_N) },
            { tag: "next game dealt", act: s => s.gameOver.clear() }
        ];
    }
    function test_pendingResultGoesAtOnceWhenTheGameMovesOn(data) {
        const screen = makeScreen();
        screen.finish("Over", [], { won: false, scoreList: ["brikon", 120] });
        data.act(screen);
        compare(screen.link.sent, ["writescore|brikon,120"]);
        wait(screen.resultDelayMs + 200);
        compare(screen.link.sent.length, 1);
    }

    function test_undoGivesBackTheExactPositions() {
        const screen = makeScreen();
        const first = { cells: [1, 2, 3], score: 0 }, second = { cells: [2, 1, 3], score: 4 };
        screen.undo.push(first);
        screen.undo.push(second);
        compare(screen.undo.take(), second);
        verify(screen.undo.take() === first, "the very position, not a copy");
        compare(screen.undo.take(), null);
        compare(screen.undo.used, 2);
        const one = createTemporaryObject(Qt.createComponent("../../modules/common/UndoStack.qml"), test,
                                          { limit: 1 });
        one.push(first);
        one.push(second);
        compare(one.depth, 1);
        compare(one.take(), second);
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
        screen.gameOver.clear();
        verify(!screen.undo.canUndo, "a new game has nothing to go back to");
    }

    function test_statisticsSurviveAReloadOfTheStore() {
        Memory.forget("stats.sample");
        const stats = createTemporaryObject(statsComponent, test, { key: "sample" });
        stats.record(true, 90000);
        stats.record(true, 70000);
        stats.record(false);
        stats.record(true, 80000);
        const again = createTemporaryObject(statsComponent, test, { key: "sample" });
        compare([again.played, again.won, again.best, again.streak], [4, 3, 70000, 1]);
        compare(again.summary, "Played 4 · won 3 · best 1:10 · streak 1");
        const other = createTemporaryObject(statsComponent, test, { key: "sample.other" });
        compare(other.played, 0, "each key keeps its own");
    }

    function test_unreadableStatisticsStartAfresh_data() {
        return [
            { tag: "not JSON", text: "{played: 3" },
            { tag: "not an object", text: "17" },
            { tag: "wrong types", text: '{"played":"many","won":-2,"best":"fast"}' }
        ];
    }
    function test_unreadableStatisticsStartAfresh(data) {
        Memory.write("stats.broken", data.text);
        const stats = createTemporaryObject(statsComponent, test, { key: "broken" });
        compare([stats.played, stats.won, stats.streak, stats.best], [0, 0, 0, null]);
        stats.record(true, 5);
        compare(stats.played, 1);
    }

    function test_discardedGameBreaksTheStreak() {
        Memory.forget("stats.streaky");
        const screen = makeScreen();
        screen.gameStats = createTemporaryObject(statsComponent, test, { key: "streaky" });
        screen.finish("Won", [], { won: true, result: 12 });
        compare(screen.gameOver.lines, ["Played 1 · won 1 · best 0:00 · streak 1"]);
        screen.gameOver.clear();
        screen.inProgress = true;
        keyClick(Qt.Key_N);
        keyClick(Qt.Key_Return);
        compare([screen.gameStats.played, screen.gameStats.streak], [2, 0]);
    }

    function test_oneSoundPerEvent() {
        Memory.forget("sound.muted");
        const sounds = createTemporaryObject(soundsComponent, test);
        sounds.play("lay");
        sounds.play("clear");
        sounds.play("turn");
        tryCompare(sounds, "playCount", 1);
        compare(sounds.lastPlayed, "clear", "the most important of the event");
        wait(50);
        compare(sounds.playCount, 1);
        sounds.play("no such sound");
        wait(50);
        compare(sounds.playCount, 1);
    }

    function test_muteIsOneChoiceKept() {
        Memory.forget("sound.muted");
        const screen = makeScreen();
        keyClick(Qt.Key_M);
        verify(screen.sounds.muted);
        const later = createTemporaryObject(soundsComponent, test);
        verify(later.muted, "kept for every movie");
        later.play("win");
        wait(50);
        compare(later.playCount, 0);
        keyClick(Qt.Key_M);
        verify(!createTemporaryObject(soundsComponent, test).muted);
    }
}

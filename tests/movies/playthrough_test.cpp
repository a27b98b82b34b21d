// SPDX-License-Identifier: GPL-3.0-or-later
// Every catalogue game played to its end, by a script of the movie's own functions, through
// the real game window, player, command channel and solver: what reaches scores.lst, once,
// and what stays out of it; and a game under way, thrown away only when confirmed.
#include "host/form2.h"
#include "solver/model/generate.h"
#include "support/movierun.h"

#include <QQuickItem>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

namespace tarno {
namespace {

struct Play {
    const char* game;
    // A JavaScript function body run in the movie's root. For a game with a list it
    // gives the record it should make: { score, moves, name } (zero numbers and the
    // prompt's name left out).
    const char* script;
    int slot;            // 0: the game keeps no list
    const char* finished; // for a game without a list: true once the game is over
    const char* again;    // run after the end: must record nothing more
    const char* move;     // after newGame(7): puts a game under way
};

constexpr const char* kSolveLumo =
    "solution().forEach((n, i) => { for (let t = 0; t < n; ++t) press(i); })";
constexpr const char* kLumo = R"(
    table.name = "%1";
    newGame(20261207);
    const fewest = game.fewest;
    solution().forEach((n, i) => { for (let t = 0; t < n; ++t) press(i); });
    return { moves: fewest, name: "%2" };)";

const Play kPlays[] = {
    {"tarno9", "newGame(77); playSolution(0); return {};", 1, nullptr, "playSolution(0)", "playSolution(1)"},
    {"kpuzzle", "newGame(5); playSolution(0); return {};", 4, nullptr, "playSolution(0)", "playSolution(2)"},
    // Finish asks first, then ends the game.
    {"fuego", "screenshotScene('play'); game.stopHere(); game.stopHere(); return { score: 6 };",
     5, nullptr, "game.stopHere()", "screenshotScene('play')"},
    {"summit", R"(game.newGame(4);
        for (let l = 0; l < 3; ++l) game.solution().forEach(i => game.pickStone(i));
        game.weather.expired();
        return { score: 3 };)",
     6, nullptr, "game.weather.expired()", "screenshotScene('play')"},
    {"brikon", R"(chooseMode("brikon"); newGame(4242);
        while (pickBiggest() > 0) {}
        return { score: game.score };)",
     7, nullptr, "pickBiggest()", "chooseMode('brikon1'); pickBiggest()"},
    {"brikon", R"(chooseMode("brikon3"); newGame(4242);
        pickBiggest(); pickBiggest(); runOutOfTime();
        return { score: game.score };)",
     12, nullptr, "runOutOfTime()", "chooseMode('brikon1'); pickBiggest()"},
    {"pelora", R"(newGame(17);
        const rows = ["1111.....", ".........", "........1"];
        while (rows.length < 9) rows.push(".........");
        loadPosition(rows, [2, 3, 4], 0);
        moveBall(2 * 9 + 8, 4);
        const full = [];
        for (let r = 0; r < 9; ++r) {
            let line = "";
            for (let c = 0; c < 9; ++c) line += (r * 3 + c) % 7 === 6 ? 5 : (r * 3 + c) % 7;
            full.push(line);
        }
        full[8] = full[8].slice(0, 7) + "..";
        loadPosition(full, [6, 6, 6], game.score);
        moveBall(7 * 9 + 8, 8 * 9 + 8);
        return { score: 10 };)",
     8, nullptr, "press(0)",
     "const rows = Array(9).fill('.........'); rows[0] = '0........';"
     "loadPosition(rows, [2, 3, 4], 0); moveBall(0, 8)"},
    {"numeropro", R"(newGame(2026); game.witness.forEach(c => touchCell(c));
        const score = game.score; endRound();
        return { score: score };)",
     10, nullptr, "endRound()", "touchCell(0)"},
    {"lumo13", kLumo, 16, nullptr, "press(0)", "press(1)"},
    {"lumo11", kLumo, 14, nullptr, "press(0)", "press(0)"},
    {"lumo18", R"(table.name = "Bob"; newGame(7);
        for (let k = 0; k < 2; ++k)
            solution().forEach((n, i) => { for (let t = 0; t < n; ++t) press(i); });
        press(solution().indexOf(0));
        const moves = run.moves;
        endRun();
        return { score: 2, moves: moves, name: "Bob" };)",
     17, nullptr, "endRun()", kSolveLumo},
    {"reko9", R"(newGame(31);
        for (let i = 0; i < 20 && !game.solved; ++i) {
            showHint(); turnBlock(hintMove.block, hintMove.clockwise);
        })",
     0, "game.solved && gameOver.visible", "showHint()", "turnBlock(0, true)"},
    {"totsnook", R"(chooseSize(0); newGame(5);
        const cards = round.cards;
        for (let i = 0; i < cards.length; ++i)
            for (let j = i + 1; j < cards.length; ++j)
                if (cards[i].picture === cards[j].picture) { tap(i); tap(j); })",
     0, "round.found === 3 && celebrating", "tap(0)", "tap(0); tap(1)"},
    {"overlord", R"(newGame(11);
        const owner = []; const armies = [];
        for (let i = 0; i < 19; ++i) { owner.push(0); armies.push(1); }
        owner[9] = 1; armies[9] = 9; owner[10] = 2; armies[10] = 2;
        movie.state = { owner: owner, armies: armies, turn: 1, round: 3, winner: 0 };
        choose(9); choose(10);)",
     0, "state.winner === 1 && gameOver.visible", "choose(9)", "pass()"},
    // The edge games' Solve: one request to the station's solver, one answer, laid out.
    {"angle", "newGame(4242); solve(false);", 0, "isBoardSolved()", "solve(false)", "playSolution(1)"},
    {"vesna", "movie.shape = '10W'; newGame(20261207); solve(false);", 0, "isBoardSolved()",
     "solve(false)", "playSolution(1)"},
    {"oddeven", "movie.size = { rows: 5, columns: 8 }; newGame(20261207); solve(false);", 0,
     "isBoardSolved()", "solve(false)", "playSolution(1)"},
};

void PrintTo(const Play& p, std::ostream* os) {
    *os << p.game << " (list " << p.slot << ")";
}

class Playthrough : public ::testing::TestWithParam<Play> {};
class ClosedAtOnce : public Playthrough {};

// Lumo 13 sends its player's name; Lumo 11 sends none, which is kept as "NoName Player".
QString scriptOf(const Play& p) {
    return QString(p.script)
        .replace("%1", p.slot == 16 ? "Ann Lee" : "")
        .replace("%2", p.slot == 16 ? "Ann Lee" : "NoName Player");
}

int writes(const MovieRun& run) {
    return run.commands().filter("writescore|").size();
}

TEST_P(Playthrough, TheEndReachesTheScoreFileOnceOrNotAtAll) {
    const Play& p = GetParam();
    MovieRun run(p.game);
    ASSERT_NE(run.root(), nullptr) << run.errorText().toStdString();
    run.answerNamePrompt("Ann");
    const QVariantMap expected = run.evaluate(scriptOf(p)).toMap();
    if (p.slot == 0) {
        ASSERT_TRUE(QTest::qWaitFor([&] { return run.evaluate(QString("return ") + p.finished).toBool(); }));
        run.evaluate(p.again);
        QTest::qWait(300); // a result would be on its way by now
        EXPECT_EQ(writes(run), 0);
        EXPECT_EQ(run.hiScoreWindowsShown(), 0);
        EXPECT_TRUE(run.records().empty());
        EXPECT_EQ(run.answers().size(), run.commands().filter("solvepuzzle|").size());
        return;
    }
    ASSERT_TRUE(QTest::qWaitFor([&] { return run.hiScoreWindowsShown() == 1; }));
    run.evaluate(p.again);
    QTest::qWait(300);
    const std::vector<ScoreRecord> records = run.records();
    ASSERT_EQ(records.size(), 1u);
    const ScoreRecord& r = records[0];
    EXPECT_EQ(r.slot, p.slot);
    EXPECT_EQ(r.score, expected.value("score", 0).toInt());
    EXPECT_EQ(r.moves, expected.value("moves", 0).toInt());
    EXPECT_GE(r.timeMs, 0);
    const bool movieNames = expected.contains("name");
    EXPECT_EQ(r.name, fitName(movieNames ? expected.value("name").toString().toStdString() : "Ann"));
    EXPECT_EQ(run.namePromptPresets().size(), movieNames ? 0 : 1);
    EXPECT_EQ(writes(run), 1);
}

// The frame is the movie's root, or the game it loaded (fuego.swf plays two).
TEST_P(Playthrough, AGameUnderWayGoesOnlyWhenConfirmed) {
    MovieRun run(GetParam().game);
    ASSERT_NE(run.root(), nullptr) << run.errorText().toStdString();
    const QVariant seen = run.evaluate(QString(R"(
        const frame = movie.inProgress === undefined ? game : movie;
        newGame(7);
        const seen = [frame.inProgress];
        %1;
        seen.push(frame.inProgress);
        frame.requestNewGame();
        seen.push(frame.confirmation.visible);
        frame.confirmation.close();
        seen.push(frame.inProgress);
        frame.requestNewGame();
        frame.confirmation.accept();
        seen.push(frame.confirmation.visible, frame.inProgress);
        return seen;)").arg(GetParam().move));
    // fresh deal, under way, asked, kept on Escape, a new deal on Enter
    EXPECT_EQ(seen.toList(), (QVariantList{false, true, true, true, false, false}));
    EXPECT_EQ(writes(run), 0);
}

TEST_P(ClosedAtOnce, AResultOnItsWayIsRecorded) {
    const Play& p = GetParam();
    MovieRun run(p.game);
    ASSERT_NE(run.root(), nullptr) << run.errorText().toStdString();
    run.answerNamePrompt("Ann");
    run.evaluate(scriptOf(p));
    EXPECT_EQ(writes(run), 0) << "the result shows first";
    run.closeGameWindow();
    const auto records = run.records();
    ASSERT_EQ(records.size(), 1u);
    EXPECT_EQ(records[0].slot, p.slot);
    EXPECT_EQ(writes(run), 1);
}

std::string playName(const ::testing::TestParamInfo<Play>& info) {
    return std::string(info.param.game) + "_" + std::to_string(info.param.slot);
}

std::vector<Play> withAList() {
    std::vector<Play> plays;
    for (const Play& p : kPlays)
        if (p.slot != 0)
            plays.push_back(p);
    return plays;
}

INSTANTIATE_TEST_SUITE_P(Catalogue, Playthrough, ::testing::ValuesIn(kPlays), playName);
INSTANTIATE_TEST_SUITE_P(Catalogue, ClosedAtOnce, ::testing::ValuesIn(withAList()), playName);

// What a movie keeps while the program runs: set in one game window, there in the next.
struct Kept {
    const char* game;
    const char* set;
    const char* check;
};

class KeptBetweenWindows : public ::testing::TestWithParam<Kept> {};

TEST_P(KeptBetweenWindows, TheNextGameWindowStillHasIt) {
    {
        MovieRun first(GetParam().game);
        ASSERT_NE(first.root(), nullptr) << first.errorText().toStdString();
        // The window closes at once, its pieces still moving: the next one must not suffer.
        first.evaluate(GetParam().set);
    }
    MovieRun next(GetParam().game);
    ASSERT_NE(next.root(), nullptr);
    EXPECT_TRUE(next.evaluate(QString("return ") + GetParam().check).toBool()) << GetParam().check;
}

INSTANTIATE_TEST_SUITE_P(
    Movies, KeptBetweenWindows,
    ::testing::Values(Kept{"brikon", "chooseMode('brikon3')", "mode === 'brikon3' && timed"},
                      // the name a solved game was recorded under
                      Kept{"lumo12",
                           "table.name = 'Bea'; newGame(5); solution().forEach((n, i) => "
                           "{ for (let t = 0; t < n; ++t) press(i); });",
                           "table.name === 'Bea'"},
                      Kept{"vesna", "movie.shape = '4O'; newGame(5); playSolution(0);",
                           "done.indexOf('4O') >= 0"}));

TEST(PlaythroughSolve, StopEndsALongSolveWithoutAnAnswerWhileTheMoviePlaysOn) {
    MovieRun run("oddeven");
    ASSERT_NE(run.root(), nullptr) << run.errorText().toStdString();
    QString shownTime;
    QTimer::singleShot(700, run.window(), [&] {
        if (QObject* time = run.root()->findChild<QObject*>("solvingTime"))
            shownTime = time->property("text").toString();
        run.call("stopSolving");
    });
    run.call("runSolve", {QString::fromStdString(model::endlessText())});
    EXPECT_TRUE(run.answers().empty());
    EXPECT_EQ(run.commands().filter("stopsolving|").size(), 1);
    EXPECT_EQ(run.root()->property("phase").toString(), "play");
    EXPECT_FALSE(shownTime.isEmpty());
    EXPECT_NE(shownTime, "0:00.0") << "the banner's clock runs while the request is out";
    EXPECT_FALSE(run.call("isBoardSolved").toBool());
}

} // namespace
} // namespace tarno

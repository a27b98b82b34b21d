// Games with a hi-score list played through the real player and channel: the result
// reaches scores.lst in the game's slot, under the name given at the prompt, once.
#include "moviesupport.h"

#include <QQuickItem>

#include <gtest/gtest.h>

namespace tarno {
namespace {

struct NumeroCase {
    const char* gameType;
    int slot;
};

class NumeroGames : public ::testing::TestWithParam<NumeroCase> {};

TEST_P(NumeroGames, AClearedPathScoresAndTheRoundsEndRecordsIt) {
    MovieRun run(GetParam().gameType);
    ASSERT_NE(run.root(), nullptr) << run.errorText().toStdString();
    run.answerNamePrompt("Ann");
    run.call("newGame", {2026});
    for (const QVariant& cell : run.root()->property("game").toMap().value("witness").toList())
        run.call("touchCell", {cell});
    const int score = rootField(run, "game", "score").toInt();
    ASSERT_GT(score, 0);
    run.call("endRound");
    ASSERT_TRUE(run.waitUntil([&] { return run.hiScoreWindowsShown() == 1; }));
    const auto records = run.records();
    ASSERT_EQ(records.size(), 1u);
    EXPECT_EQ(records[0].slot, GetParam().slot);
    EXPECT_EQ(records[0].score, score);
    EXPECT_EQ(trimmedName(records[0].name), "Ann");
    run.call("endRound");
    EXPECT_EQ(run.records().size(), 1u) << "a round's result is recorded once";
}

INSTANTIATE_TEST_SUITE_P(Movie, NumeroGames,
                         ::testing::Values(NumeroCase{"numero", 9}, NumeroCase{"numeropro", 10}),
                         [](const auto& info) { return std::string(info.param.gameType); });

TEST(FuegoSalto, JumpsThenFinishRecordTimeAndScore) {
    MovieRun run("fuego");
    ASSERT_NE(run.root(), nullptr) << run.errorText().toStdString();
    run.answerNamePrompt("Bob");
    run.call("screenshotScene", {"play"}); // six jumps from a fixed deal
    QQuickItem* game = run.root()->property("game").value<QQuickItem*>();
    ASSERT_NE(game, nullptr);
    QMetaObject::invokeMethod(game, "stopHere"); // Finish asks first
    EXPECT_EQ(run.commands().filter("writescore").size(), 0);
    QMetaObject::invokeMethod(game, "stopHere");
    ASSERT_TRUE(run.waitUntil([&] { return run.hiScoreWindowsShown() == 1; }));
    const auto records = run.records();
    ASSERT_EQ(records.size(), 1u);
    EXPECT_EQ(records[0].slot, 5);
    EXPECT_EQ(records[0].score, 6);
    EXPECT_GE(records[0].timeMs, 0);
    EXPECT_EQ(trimmedName(records[0].name), "Bob");
    EXPECT_EQ(run.commands().filter("writescore").size(), 1);
}

TEST(SumMit, TheWeatherEndsTheClimbAndRecordsTheHeight) {
    MovieRun run("summit");
    ASSERT_NE(run.root(), nullptr) << run.errorText().toStdString();
    QQuickItem* game = run.root()->property("game").value<QQuickItem*>();
    ASSERT_NE(game, nullptr);
    QMetaObject::invokeMethod(game, "newGame", Q_ARG(QVariant, 4));
    for (int ledge = 0; ledge < 3; ++ledge) {
        QVariant picks;
        QMetaObject::invokeMethod(game, "solution", Q_RETURN_ARG(QVariant, picks));
        for (const QVariant& i : picks.toList())
            QMetaObject::invokeMethod(game, "pickStone", Q_ARG(QVariant, i));
    }
    QObject* weather = game->property("weather").value<QObject*>();
    QMetaObject::invokeMethod(weather, "expired");
    ASSERT_TRUE(run.waitUntil([&] { return run.hiScoreWindowsShown() == 1; }));
    const auto records = run.records();
    ASSERT_EQ(records.size(), 1u);
    EXPECT_EQ(records[0].slot, 6);
    EXPECT_EQ(records[0].score, 3);
}

} // namespace
} // namespace tarno

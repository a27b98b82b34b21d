// Brikon through the real game window, player and channel: a short game in each mode
// lands in that mode's hi-score list with the score the movie showed.
#include "moviesupport.h"

#include <QQuickItem>
#include <QString>

#include <gtest/gtest.h>

namespace tarno {
namespace {

struct Mode {
    const char* slotId;
    std::int32_t slot;
};

class BrikonMovie : public ::testing::TestWithParam<Mode> {};

TEST_P(BrikonMovie, AShortGameLandsInItsModesSlot) {
    const Mode mode = GetParam();
    MovieRun run("brikon");
    ASSERT_NE(run.root(), nullptr) << run.errorText().toStdString();
    run.answerNamePrompt("Ann");
    run.call("chooseMode", {QString(mode.slotId)});
    run.call("newGame", {4242});

    int points = 0;
    for (int i = 0; i < 3; ++i)
        points += run.call("pickBiggest").toInt();
    ASSERT_GT(points, 0);
    EXPECT_TRUE(run.records().empty()) << "nothing is recorded while the game runs";
    if (run.root()->property("timed").toBool()) {
        run.call("runOutOfTime");
    } else {
        while (run.call("pickBiggest").toInt() > 0) {
        }
    }
    ASSERT_TRUE(run.waitUntil([&] { return run.hiScoreWindowsShown() == 1; }));

    const int score = rootField(run, "game", "score").toInt();
    EXPECT_GE(score, points);
    EXPECT_EQ(run.commands(), QStringList{QString("writescore|%1,%2").arg(mode.slotId).arg(score)});
    const std::vector<ScoreRecord> records = run.records();
    ASSERT_EQ(records.size(), 1u);
    EXPECT_EQ(records[0].slot, mode.slot);
    EXPECT_EQ(records[0].score, score);
    EXPECT_EQ(records[0].timeMs, 0);
    EXPECT_EQ(records[0].moves, 0);
    EXPECT_EQ(trimmedName(records[0].name), "Ann");
}

INSTANTIATE_TEST_SUITE_P(Modes, BrikonMovie,
                         ::testing::Values(Mode{"brikon", 7}, Mode{"brikon1", 11},
                                           Mode{"brikon3", 12}, Mode{"brikon5", 13}),
                         [](const auto& info) { return std::string(info.param.slotId); });

TEST(BrikonMovieMode, TheChosenModeIsKeptForTheNextGameWindow) {
    {
        MovieRun run("brikon");
        ASSERT_NE(run.root(), nullptr) << run.errorText().toStdString();
        run.call("chooseMode", {QString("brikon3")});
    }
    MovieRun run("brikon");
    ASSERT_NE(run.root(), nullptr);
    EXPECT_EQ(run.root()->property("mode").toString(), "brikon3");
    EXPECT_TRUE(run.root()->property("timed").toBool());
    run.call("chooseMode", {QString("brikon")});
}

} // namespace
} // namespace tarno

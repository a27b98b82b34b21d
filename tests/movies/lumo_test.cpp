// Lumo 11, 12, 13 and 18 played through the real game window, player and channel: the
// result lands in scores.lst with the name typed into the movie, and no name prompt opens.
#include "moviesupport.h"
#include "scores/scorerecord.h"

#include <QJSValue>
#include <QQuickItem>

#include <gtest/gtest.h>

namespace tarno {
namespace {

// A value the movie gave back, as plain Qt data (arrays and objects arrive as QJSValue).
QVariant plain(const QVariant& value) {
    return value.canConvert<QJSValue>() && value.userType() == qMetaTypeId<QJSValue>()
               ? value.value<QJSValue>().toVariant()
               : value;
}

QObject* table(MovieRun& run) {
    return run.root()->property("table").value<QObject*>();
}

// Presses the lamps that put the current puzzle out, as a player would.
void solvePuzzle(MovieRun& run) {
    const QVariantList presses = plain(run.call("solution")).toList();
    ASSERT_FALSE(presses.isEmpty());
    for (qsizetype i = 0; i < presses.size(); ++i)
        for (int t = 0; t < presses[i].toInt(); ++t)
            run.call("press", {int(i)});
}

struct LumoCase {
    const char* gameType;
    const char* name;
    std::int32_t slot;
    const char* sent; // the name as recorded
};

class LumoGame : public ::testing::TestWithParam<LumoCase> {};

TEST_P(LumoGame, ASolvedPuzzleRecordsMovesTimeAndTheMoviesName) {
    const LumoCase c = GetParam();
    MovieRun run(c.gameType);
    ASSERT_NE(run.root(), nullptr) << run.errorText().toStdString();
    run.answerNamePrompt("Not asked");
    table(run)->setProperty("name", QString::fromUtf8(c.name));
    run.call("newGame", {20261207});
    const int fewest = rootField(run, "game", "fewest").toInt();
    ASSERT_GT(fewest, 0);

    solvePuzzle(run);
    ASSERT_TRUE(run.waitUntil([&] { return run.hiScoreWindowsShown() == 1; }));

    EXPECT_TRUE(run.namePromptPresets().isEmpty()) << "the movie names the player";
    const auto records = run.records();
    ASSERT_EQ(records.size(), 1u);
    const ScoreRecord& r = records.back();
    EXPECT_EQ(r.slot, c.slot);
    EXPECT_EQ(r.name, fitName(c.sent));
    EXPECT_EQ(r.moves, fewest);
    EXPECT_EQ(r.score, 0);
    EXPECT_GE(r.timeMs, 0);
    EXPECT_LT(r.timeMs, 60000);
    EXPECT_EQ(run.commands(), QStringList{QString("writescore|%1,%2,%3,%4")
                                              .arg(c.gameType)
                                              .arg(fewest)
                                              .arg(r.timeMs)
                                              .arg(QString::fromUtf8(c.sent))});

    run.call("press", {0}); // the game is over: nothing more is sent
    EXPECT_EQ(run.records().size(), 1u);
}

INSTANTIATE_TEST_SUITE_P(Games, LumoGame,
                         ::testing::Values(LumoCase{"lumo12", "Eve", 15, "Eve"},
                                           LumoCase{"lumo11", "", 14, "NoName Player"},
                                           LumoCase{"lumo13", "Ann Lee", 16, "Ann Lee"}));

TEST(LumoRun, EndedRunRecordsPuzzlesMovesTimeAndTheRememberedName) {
    {
        // The name typed into one Lumo movie is there in the next while the program runs.
        MovieRun first("lumo12");
        ASSERT_NE(first.root(), nullptr) << first.errorText().toStdString();
        table(first)->setProperty("name", "Bob");
    }
    MovieRun run("lumo18");
    ASSERT_NE(run.root(), nullptr) << run.errorText().toStdString();
    EXPECT_EQ(table(run)->property("name").toString(), "Bob");
    run.answerNamePrompt("Not asked");
    run.call("newGame", {7});

    solvePuzzle(run);
    solvePuzzle(run);
    // A move on the third puzzle that does not solve it counts too.
    const int unneeded = int(plain(run.call("solution")).toList().indexOf(QVariant(0)));
    ASSERT_GE(unneeded, 0);
    run.call("press", {unneeded});
    const int moves = rootField(run, "run", "moves").toInt();
    run.call("endRun");
    ASSERT_TRUE(run.waitUntil([&] { return run.hiScoreWindowsShown() == 1; }));
    run.call("endRun"); // ended once, sent once

    EXPECT_TRUE(run.namePromptPresets().isEmpty());
    const auto records = run.records();
    ASSERT_EQ(records.size(), 1u);
    EXPECT_EQ(records[0].slot, 17);
    EXPECT_EQ(records[0].score, 2);
    EXPECT_EQ(records[0].moves, moves);
    EXPECT_EQ(trimmedName(records[0].name), "Bob");
    EXPECT_EQ(run.commands().size(), 1);
    EXPECT_TRUE(run.commands().value(0).startsWith(QString("writescore|lumo18,2,%1,").arg(moves)));
    EXPECT_TRUE(run.commands().value(0).endsWith(",Bob"));
}

} // namespace
} // namespace tarno

// Pelora through the real game window, player and channel: a game whose board fills
// up is recorded once in the Pelora list with its score.
#include "moviesupport.h"

#include <QQuickItem>
#include <QString>
#include <QStringList>

#include <gtest/gtest.h>

namespace tarno {
namespace {

// A full board of colours that make no line of five, but for the last two cells.
QStringList nearlyFullBoard() {
    QStringList rows;
    for (int r = 0; r < 9; ++r) {
        QString line;
        for (int c = 0; c < 9; ++c) {
            const int colour = (r * 3 + c) % 7;
            line += QString::number(colour == 6 ? 5 : colour);
        }
        rows << line;
    }
    rows[8] = rows[8].left(7) + "..";
    return rows;
}

TEST(PeloraMovie, AFullBoardEndsTheGameAndRecordsTheScore) {
    MovieRun run("pelora");
    ASSERT_NE(run.root(), nullptr) << run.errorText().toStdString();
    run.answerNamePrompt("Bea");
    run.call("newGame", {17});

    // A line of five first: four in the top row, the fifth comes from below.
    QStringList rows{"1111.....", ".........", "........1"};
    while (rows.size() < 9)
        rows << ".........";
    run.call("loadPosition", {rows, QVariantList{2, 3, 4}, 0});
    ASSERT_TRUE(run.call("moveBall", {2 * 9 + 8, 4}).toBool());
    EXPECT_TRUE(run.commands().isEmpty());

    run.call("loadPosition", {nearlyFullBoard(), QVariantList{6, 6, 6}, 10});
    ASSERT_TRUE(run.call("moveBall", {7 * 9 + 8, 8 * 9 + 8}).toBool());
    ASSERT_TRUE(run.waitUntil([&] { return run.hiScoreWindowsShown() == 1; }));

    EXPECT_EQ(run.commands(), QStringList{"writescore|pelora,10"});
    const std::vector<ScoreRecord> records = run.records();
    ASSERT_EQ(records.size(), 1u);
    EXPECT_EQ(records[0].slot, 8);
    EXPECT_EQ(records[0].score, 10);
    EXPECT_EQ(records[0].timeMs, 0);
    EXPECT_EQ(trimmedName(records[0].name), "Bea");
    EXPECT_FALSE(run.call("press", {0}).toBool()) << "the finished game takes no more moves";
    EXPECT_EQ(run.commands().size(), 1);
}

} // namespace
} // namespace tarno

// The games without a hi-score list, played through the real player: they play to the
// end and never send "writescore".
#include "moviesupport.h"

#include <QQuickItem>

#include <gtest/gtest.h>

namespace tarno {
namespace {

TEST(ReKo9, FollowingTheHintsSolvesTheDealWithoutAResult) {
    MovieRun run("reko9");
    ASSERT_NE(run.root(), nullptr) << run.errorText().toStdString();
    run.call("newGame", {31});
    const int best = rootField(run, "game", "best").toInt();
    for (int i = 0; i < 20 && !rootField(run, "game", "solved").toBool(); ++i) {
        run.call("showHint");
        const QVariantMap move = run.root()->property("hintMove").toMap();
        ASSERT_FALSE(move.isEmpty());
        run.call("turnBlock", {move.value("block"), move.value("clockwise")});
    }
    EXPECT_TRUE(rootField(run, "game", "solved").toBool());
    EXPECT_EQ(rootField(run, "game", "moves").toInt(), best);
    ASSERT_TRUE(run.waitUntil(
        [&] { return run.root()->property("gameOver").value<QQuickItem*>()->isVisible(); }));
    EXPECT_TRUE(run.commands().isEmpty());
    EXPECT_TRUE(run.records().empty());
}

TEST(TotsNook, ARoundEndsInAPartyWithoutAResult) {
    MovieRun run("totsnook");
    ASSERT_NE(run.root(), nullptr) << run.errorText().toStdString();
    run.call("chooseSize", {0});
    run.call("newGame", {5});
    const QVariantList cards = run.root()->property("round").toMap().value("cards").toList();
    for (int i = 0; i < cards.size(); ++i) {
        for (int j = i + 1; j < cards.size(); ++j) {
            if (cards[i].toMap().value("picture") == cards[j].toMap().value("picture")) {
                run.call("tap", {i});
                run.call("tap", {j});
            }
        }
    }
    EXPECT_EQ(rootField(run, "round", "found").toInt(), 3);
    EXPECT_TRUE(run.root()->property("celebrating").toBool());
    EXPECT_TRUE(run.commands().isEmpty());
    EXPECT_TRUE(run.records().empty());
}

} // namespace
} // namespace tarno

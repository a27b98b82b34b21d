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

TEST(Overlord, AMarchIsAnsweredAndAWonWarSendsNothing) {
    MovieRun run("overlord");
    ASSERT_NE(run.root(), nullptr) << run.errorText().toStdString();
    run.call("newGame", {11});
    const int home = run.root()->property("cursor").toInt();
    // Home chosen, then each other land in turn until one touching it takes the march.
    for (int land = 0; land < 19 && rootField(run, "state", "turn").toInt() == 1; ++land) {
        if (run.root()->property("selected").toInt() != home)
            run.call("choose", {home});
        ASSERT_EQ(run.root()->property("selected").toInt(), home);
        if (land != home)
            run.call("choose", {land});
    }
    ASSERT_EQ(rootField(run, "state", "turn").toInt(), 2);
    ASSERT_TRUE(run.waitUntil([&] { return rootField(run, "state", "round").toInt() == 2; }))
        << "the computer answers the march";

    // One land each, the player's far stronger and touching: taking it ends the war.
    QVariantList owner(19, 0), armies(19, 1);
    owner[9] = 1;
    armies[9] = 9;
    owner[10] = 2;
    armies[10] = 2;
    run.root()->setProperty(
        "state",
        QVariantMap{
            {"owner", owner}, {"armies", armies}, {"turn", 1}, {"round", 3}, {"winner", 0}});
    run.call("choose", {9});
    run.call("choose", {10});
    EXPECT_EQ(rootField(run, "state", "winner").toInt(), 1);
    EXPECT_TRUE(run.root()->property("gameOver").value<QQuickItem*>()->isVisible());
    EXPECT_TRUE(run.commands().isEmpty());
    EXPECT_TRUE(run.records().empty());
}

} // namespace
} // namespace tarno

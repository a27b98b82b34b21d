// SPDX-License-Identifier: GPL-3.0-or-later
// The game frame in every movie, through the real player: a game under way is thrown
// away only when the player confirms, and a result still on its way when the window
// closes is recorded all the same.
#include "host/form2.h"
#include "support/movierun.h"

#include <QQuickItem>

#include <gtest/gtest.h>

#include <functional>
#include <vector>

namespace tarno {
namespace {

QVariant invoke(QObject* target, const char* function, const QVariantList& args = {}) {
    QVariant result;
    QVariant a[3] = {args.value(0), args.value(1), args.value(2)};
    bool ok = false;
    switch (args.size()) {
    case 0:
        ok = QMetaObject::invokeMethod(target, function, Q_RETURN_ARG(QVariant, result));
        break;
    case 1:
        ok = QMetaObject::invokeMethod(target, function, Q_RETURN_ARG(QVariant, result),
                                       Q_ARG(QVariant, a[0]));
        break;
    case 2:
        ok = QMetaObject::invokeMethod(target, function, Q_RETURN_ARG(QVariant, result),
                                       Q_ARG(QVariant, a[0]), Q_ARG(QVariant, a[1]));
        break;
    default:
        ok = QMetaObject::invokeMethod(target, function, Q_RETURN_ARG(QVariant, result),
                                       Q_ARG(QVariant, a[0]), Q_ARG(QVariant, a[1]),
                                       Q_ARG(QVariant, a[2]));
    }
    EXPECT_TRUE(ok) << "no function " << function;
    return result;
}

// The frame: the movie's root, or the game it loaded (fuego.swf plays two).
QObject* frameOf(MovieRun& run) {
    QObject* root = run.root();
    if (root->property("inProgress").isValid())
        return root;
    return root->property("game").value<QObject*>();
}

bool inProgress(MovieRun& run) {
    return frameOf(run)->property("inProgress").toBool();
}

QObject* card(MovieRun& run, const char* name) {
    return frameOf(run)->property(name).value<QObject*>();
}

// Lumo: presses the lamps that put the board out.
void solveLumo(MovieRun& run) {
    const QVariantList presses = run.call("solution").toList();
    for (int lamp = 0; lamp < presses.size(); ++lamp)
        for (int t = 0; t < presses[lamp].toInt(); ++t)
            run.call("press", {lamp});
}

// Pelora: rows of digits (a ball's colour) and dots; `full` fills the board but for its
// last two cells, with no five of a kind in a line.
QVariantList peloraRows(bool full) {
    QVariantList rows;
    for (int r = 0; r < 9; ++r) {
        QString row;
        for (int c = 0; c < 9; ++c) {
            const bool filled = full ? !(r == 8 && c >= 7) : (r == 0 && c == 0);
            row += filled ? QChar('0' + (3 * r + c) % 7) : QChar('.');
        }
        rows.append(row);
    }
    return rows;
}

struct FrameCase {
    const char* gameType;
    std::function<void(MovieRun&)> move;      // one move: a game under way
    std::function<void(MovieRun&)> endWithResult; // none for a game without a list
    int slot;
};

const FrameCase kCases[] = {
    {"lumo11", [](MovieRun& r) { r.call("press", {0}); }, solveLumo, 14},
    {"lumo12", [](MovieRun& r) { r.call("press", {3}); }, solveLumo, 15},
    {"lumo13", [](MovieRun& r) { r.call("press", {1}); }, solveLumo, 16},
    // A run records only once it has solved a puzzle.
    {"lumo18", solveLumo, [](MovieRun& r) { r.call("endRun"); }, 17},
    {"fuego", [](MovieRun& r) { r.call("screenshotScene", {"play"}); },
     [](MovieRun& r) {
         invoke(frameOf(r), "stopHere"); // Finish asks first
         invoke(frameOf(r), "stopHere");
     },
     5},
    {"summit", [](MovieRun& r) { r.call("screenshotScene", {"play"}); },
     [](MovieRun& r) {
         QMetaObject::invokeMethod(frameOf(r)->property("weather").value<QObject*>(), "expired");
     },
     6},
    {"brikon",
     [](MovieRun& r) {
         r.call("chooseMode", {"brikon1"});
         r.call("pickBiggest");
     },
     [](MovieRun& r) { r.call("runOutOfTime"); }, 11},
    {"pelora",
     [](MovieRun& r) {
         r.call("loadPosition", {peloraRows(false), QVariantList{2, 3, 4}, 0});
         r.call("moveBall", {0, 8});
     },
     [](MovieRun& r) {
         r.call("loadPosition", {peloraRows(true), QVariantList{6, 6, 6}, 20});
         r.call("moveBall", {7 * 9 + 8, 8 * 9 + 8});
     },
     8},
    {"numero", [](MovieRun& r) { r.call("touchCell", {0}); }, [](MovieRun& r) { r.call("endRound"); }, 9},
    {"numeropro", [](MovieRun& r) { r.call("touchCell", {0}); }, [](MovieRun& r) { r.call("endRound"); },
     10},
    {"tarno9", [](MovieRun& r) { r.call("playSolution", {1}); },
     [](MovieRun& r) { r.call("playSolution", {0}); }, 1},
    {"kpuzzle", [](MovieRun& r) { r.call("playSolution", {2}); },
     [](MovieRun& r) { r.call("playSolution", {0}); }, 4},
    {"vesna", [](MovieRun& r) { r.call("playSolution", {1}); }, nullptr, 0},
    {"oddeven", [](MovieRun& r) { r.call("playSolution", {1}); }, nullptr, 0},
    {"overlord", [](MovieRun& r) { r.call("pass"); }, nullptr, 0},
    {"reko9", [](MovieRun& r) { r.call("turnBlock", {0, true}); }, nullptr, 0},
    {"totsnook",
     [](MovieRun& r) {
         r.call("tap", {0});
         r.call("tap", {1});
     },
     nullptr, 0},
};

class Frame : public ::testing::TestWithParam<FrameCase> {};
class FrameResult : public Frame {};

TEST_P(Frame, AGameUnderWayGoesOnlyWhenConfirmed) {
    MovieRun run(GetParam().gameType);
    ASSERT_NE(run.root(), nullptr) << run.errorText().toStdString();
    run.call("newGame", {7});
    EXPECT_FALSE(inProgress(run)) << "a fresh deal has nothing to lose";
    GetParam().move(run);
    ASSERT_TRUE(inProgress(run));

    invoke(frameOf(run), "requestNewGame");
    QObject* confirmation = card(run, "confirmation");
    ASSERT_TRUE(confirmation->property("visible").toBool()) << "asked first";
    QMetaObject::invokeMethod(confirmation, "close"); // Escape
    EXPECT_TRUE(inProgress(run)) << "kept";

    invoke(frameOf(run), "requestNewGame");
    QMetaObject::invokeMethod(confirmation, "accept"); // Enter
    EXPECT_FALSE(confirmation->property("visible").toBool());
    EXPECT_FALSE(inProgress(run)) << "a new game dealt";
    EXPECT_TRUE(run.commands().filter("writescore").isEmpty());
}

TEST_P(FrameResult, IsRecordedWhenTheWindowClosesAtOnce) {
    MovieRun run(GetParam().gameType);
    ASSERT_NE(run.root(), nullptr) << run.errorText().toStdString();
    run.answerNamePrompt("Ann");
    run.call("newGame", {7});
    GetParam().move(run);
    GetParam().endWithResult(run);
    EXPECT_TRUE(run.commands().filter("writescore").isEmpty()) << "the result shows first";
    run.closeGameWindow();
    const auto records = run.records();
    ASSERT_EQ(records.size(), 1u);
    EXPECT_EQ(records[0].slot, GetParam().slot);
    EXPECT_EQ(run.commands().filter("writescore").size(), 1);
}

std::vector<FrameCase> withAList() {
    std::vector<FrameCase> cases;
    for (const FrameCase& c : kCases)
        if (c.endWithResult)
            cases.push_back(c);
    return cases;
}

std::string caseName(const ::testing::TestParamInfo<FrameCase>& info) {
    return info.param.gameType;
}

INSTANTIATE_TEST_SUITE_P(Movie, Frame, ::testing::ValuesIn(kCases), caseName);
INSTANTIATE_TEST_SUITE_P(Movie, FrameResult, ::testing::ValuesIn(withAList()), caseName);

} // namespace
} // namespace tarno

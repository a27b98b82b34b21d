// Blue Vesna and Odd-Even played through the real game window, player and command
// channel: Solve completes a dealt board through the station's solver, Stop ends a long
// solve at once while the movie keeps running, and neither game sends a result.
#include "moviesupport.h"

#include <QElapsedTimer>
#include <QJsonDocument>
#include <QJsonObject>
#include <QQuickItem>
#include <QTimer>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>

namespace tarno {
namespace {

int count(const QStringList& commands, const QString& command) {
    return static_cast<int>(std::count_if(commands.begin(), commands.end(), [&](const QString& c) {
        return c.startsWith(command + "|");
    }));
}

QString firstOf(const QStringList& commands, const QString& command) {
    for (const QString& c : commands)
        if (c.startsWith(command + "|"))
            return c.mid(command.size() + 1);
    return {};
}

QString phase(MovieRun& run) {
    return run.root()->property("phase").toString();
}

QVariantMap timings(MovieRun& run) {
    return QJsonDocument::fromJson(run.call("timingsJson").toString().toUtf8())
        .object()
        .toVariantMap();
}

// Solve on a fresh deal: one request with the board's header, one answer, the board
// laid full and matching, nothing recorded.
void solveADealtBoard(MovieRun& run, const QString& header) {
    run.call("newGame", {20261207});
    run.call("solve", {false});
    const QString request = firstOf(run.commands(), "solvepuzzle");
    EXPECT_TRUE(request.startsWith(header + ",")) << request.toStdString();
    ASSERT_EQ(run.answers().size(), 1);
    EXPECT_FALSE(run.answers().front().isEmpty());
    EXPECT_TRUE(run.waitUntil([&] { return run.call("isBoardSolved").toBool(); }));
    EXPECT_EQ(phase(run), "solved");
    run.waitUntil([] { return false; }, 300);
    EXPECT_EQ(count(run.commands(), "solvepuzzle"), 1);
    EXPECT_EQ(count(run.commands(), "writescore"), 0);
    EXPECT_EQ(run.hiScoreWindowsShown(), 0);
    EXPECT_TRUE(run.records().empty());
}

class VesnaMovie : public ::testing::TestWithParam<const char*> {};

TEST_P(VesnaMovie, SolveCompletesADealtBoard) {
    MovieRun run("vesna");
    ASSERT_NE(run.root(), nullptr) << run.errorText().toStdString();
    run.root()->setProperty("shape", QString(GetParam()));
    const QString key = GetParam();
    const QString cells = key.left(key.size() - 1); // "10W": ten cells
    solveADealtBoard(run, "hexa" + key + "*" + cells);
}

INSTANTIATE_TEST_SUITE_P(Shapes, VesnaMovie, ::testing::Values("3T", "7O", "9W", "10W"));

// A board the player lays sends nothing, and counts as done in the next game window of
// the same program run.
TEST(VesnaMovieProgress, ABoardDoneIsKeptWhileTheProgramRuns) {
    int before = 0;
    {
        MovieRun run("vesna");
        ASSERT_NE(run.root(), nullptr);
        before = run.root()->property("done").toList().size();
        run.root()->setProperty("shape", QString("4O"));
        run.call("newGame", {5});
        run.call("playSolution", {0}); // 0: every cell
        EXPECT_EQ(phase(run), "won");
        run.waitUntil([] { return false; }, 300);
        EXPECT_EQ(count(run.commands(), "writescore"), 0);
        EXPECT_TRUE(run.records().empty());
    }
    MovieRun again("vesna");
    ASSERT_NE(again.root(), nullptr);
    const QVariantList done = again.root()->property("done").toList();
    EXPECT_TRUE(done.contains(QString("4O")));
    EXPECT_GE(done.size(), std::max(before, 1));
}

class OddEvenMovie : public ::testing::TestWithParam<std::pair<int, int>> {};

TEST_P(OddEvenMovie, SolveCompletesADealtBoard) {
    MovieRun run("oddeven");
    ASSERT_NE(run.root(), nullptr) << run.errorText().toStdString();
    const auto [rows, columns] = GetParam();
    run.root()->setProperty("size", QVariantMap{{"rows", rows}, {"columns", columns}});
    solveADealtBoard(run, QString("bg%1%2*%3").arg(rows).arg(columns).arg(rows * columns));
}

INSTANTIATE_TEST_SUITE_P(Sizes, OddEvenMovie,
                         ::testing::Values(std::pair{3, 3}, std::pair{4, 5}, std::pair{5, 8},
                                           std::pair{8, 5}),
                         [](const auto& info) {
                             return std::to_string(info.param.first) + "x" +
                                    std::to_string(info.param.second);
                         });

TEST(OddEvenMovieSolve, StopEndsALongSolveAtOnceWhileTheClockRuns) {
    MovieRun run("oddeven");
    ASSERT_NE(run.root(), nullptr);
    QString shownTime;
    bool noteShown = false;
    // Tied to the window, so that a solve ending early cannot leave it behind.
    QTimer::singleShot(700, run.window(), [&] {
        if (QObject* time = run.root()->findChild<QObject*>("solvingTime"))
            shownTime = time->property("text").toString();
        if (QObject* note = run.root()->findChild<QObject*>("solvingNote"))
            noteShown = note->property("visible").toBool();
        run.call("stopSolving");
    });
    QElapsedTimer clock;
    clock.start();
    run.call("runSolve", {endlessRequest()});
    const qint64 elapsed = clock.elapsed();
    EXPECT_TRUE(run.answers().empty());
    EXPECT_EQ(count(run.commands(), "stopsolving"), 1);
    EXPECT_EQ(phase(run), "play");
    EXPECT_TRUE(noteShown);
    // The banner's clock went on while the request was out.
    EXPECT_FALSE(shownTime.isEmpty());
    EXPECT_NE(shownTime, "0:00.0");
    const QVariantMap t = timings(run);
    const double stopToEnd = t.value("returnedAt").toDouble() - t.value("stoppedAt").toDouble();
    EXPECT_GE(stopToEnd, 0);
    std::printf("odd-even long solve: stopped after %lld ms, stop to the solve's end %.0f ms, "
                "banner showed %s\n",
                static_cast<long long>(elapsed), stopToEnd, qPrintable(shownTime));
}

} // namespace
} // namespace tarno

// The tile puzzles played through the real game window, player and command channel:
// Solve fills a dealt board through the station's solver, and a board the player
// finishes reaches scores.lst exactly once.
#include "moviesupport.h"

#include <QElapsedTimer>
#include <QJsonDocument>
#include <QJsonObject>
#include <QQuickItem>
#include <QQuickWindow>
#include <QTimer>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace tarno {
namespace {

int count(const QStringList& commands, const QString& command) {
    return static_cast<int>(std::count_if(commands.begin(), commands.end(), [&](const QString& c) {
        return c.startsWith(command + "|");
    }));
}

QVariantMap timings(MovieRun& run) {
    return QJsonDocument::fromJson(run.call("timingsJson").toString().toUtf8())
        .object()
        .toVariantMap();
}

QString phase(MovieRun& run) {
    return run.root()->property("phase").toString();
}

double since(const QVariantMap& t, const char* from, const char* to) {
    return t.value(to).toDouble() - t.value(from).toDouble();
}

struct TileGame {
    const char* gameType;
    std::int32_t slot;
};

class TilesMovie : public ::testing::TestWithParam<TileGame> {};

TEST_P(TilesMovie, SolveFillsADealtBoardAndRecordsNothing) {
    MovieRun run(GetParam().gameType);
    ASSERT_NE(run.root(), nullptr) << run.errorText().toStdString();
    run.call("newGame", {4242});
    run.call("solve", {false});
    // The answer came before the request returned; then it is laid piece by piece.
    ASSERT_EQ(run.answers().size(), 1);
    EXPECT_FALSE(run.answers().front().isEmpty());
    EXPECT_TRUE(run.waitUntil([&] { return run.call("isBoardSolved").toBool(); }));
    EXPECT_EQ(phase(run), "solved");
    run.waitUntil([] { return false; }, 600); // a result would be on its way by now
    EXPECT_EQ(count(run.commands(), "solvepuzzle"), 1);
    EXPECT_EQ(count(run.commands(), "writescore"), 0);
    EXPECT_EQ(run.hiScoreWindowsShown(), 0);
    EXPECT_TRUE(run.records().empty());
}

TEST_P(TilesMovie, AFinishedBoardIsRecordedOnceInItsSlot) {
    MovieRun run(GetParam().gameType);
    ASSERT_NE(run.root(), nullptr) << run.errorText().toStdString();
    run.answerNamePrompt("Ann");
    run.call("newGame", {77});
    run.call("playSolution", {0}); // 0: every cell
    ASSERT_TRUE(run.waitUntil([&] { return run.hiScoreWindowsShown() == 1; }));
    run.waitUntil([] { return false; }, 800); // nothing more follows
    const QStringList commands = run.commands();
    ASSERT_EQ(count(commands, "writescore"), 1);
    const QString sent = *std::find_if(commands.begin(), commands.end(), [](const QString& c) {
        return c.startsWith("writescore|");
    });
    const QStringList list = sent.mid(QString("writescore|").size()).split(',');
    ASSERT_EQ(list.size(), 2);
    EXPECT_EQ(list[0], GetParam().gameType);
    const auto records = run.records();
    ASSERT_EQ(records.size(), 1u);
    EXPECT_EQ(records[0].slot, GetParam().slot);
    EXPECT_EQ(records[0].timeMs, list[1].toInt());
    EXPECT_EQ(records[0].score, 0);
    EXPECT_EQ(records[0].moves, 0);
    EXPECT_EQ(trimmedName(records[0].name), "Ann");
    EXPECT_EQ(run.namePromptPresets().size(), 1);
}

INSTANTIATE_TEST_SUITE_P(Games, TilesMovie,
                         ::testing::Values(TileGame{"tarno9", 1}, TileGame{"tarno16", 2},
                                           TileGame{"angle", 3}, TileGame{"kpuzzle", 4}),
                         [](const auto& info) { return std::string(info.param.gameType); });

TEST(TilesMovieSolve, StopEndsALongSolveWithoutAnAnswer) {
    MovieRun run("tarno16");
    ASSERT_NE(run.root(), nullptr);
    // Tied to the window, so that a solve ending early cannot leave it behind.
    QTimer::singleShot(300, run.window(), [&] { run.call("stopSolving"); });
    run.call("runSolve", {endlessRequest()});
    EXPECT_TRUE(run.answers().empty());
    EXPECT_EQ(count(run.commands(), "stopsolving"), 1);
    EXPECT_EQ(phase(run), "play");
    // The stop came while the request was out, and the request returned after it.
    const QVariantMap t = timings(run);
    EXPECT_GE(since(t, "requestedAt", "stoppedAt"), 0);
    EXPECT_GE(since(t, "stoppedAt", "returnedAt"), 0);
    EXPECT_FALSE(run.call("isBoardSolved").toBool());
}

// Figures, not checks: run with --gtest_also_run_disabled_tests.
double median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v.empty() ? 0 : v[v.size() / 2];
}

TEST(TilesMovieMeasure, DISABLED_SolveTimes) {
    for (const char* gameType : {"tarno9", "tarno16"}) {
        std::vector<double> answered, shown;
        for (int seed = 1; seed <= 9; ++seed) {
            MovieRun run(gameType);
            run.call("newGame", {seed});
            run.call("solve", {false});
            run.waitUntil([&] { return timings(run).contains("shownAt"); });
            const QVariantMap t = timings(run);
            answered.push_back(since(t, "requestedAt", "answeredAt"));
            shown.push_back(since(t, "requestedAt", "shownAt"));
        }
        std::printf(
            "%s: request to answer %.1f ms, to the whole answer laid %.1f ms (median of %zu)\n",
            gameType, median(answered), median(shown), answered.size());
    }
}

TEST(TilesMovieMeasure, DISABLED_LongSolve) {
    std::vector<double> total, gaps, renderGaps, stops;
    for (int i = 0; i < 5; ++i) {
        MovieRun run("tarno16");
        QElapsedTimer clock;
        qint64 last = 0, longest = 0;
        QObject::connect(
            run.root()->window(), &QQuickWindow::afterRendering, run.root(),
            [&] {
                const qint64 now = clock.elapsed();
                if (last > 0)
                    longest = std::max(longest, now - last);
                last = now;
            },
            Qt::DirectConnection);
        clock.start();
        // A solve of a second and a half, ended by a stop.
        QTimer::singleShot(1500, run.window(), [&] { run.call("stopSolving"); });
        run.call("runSolve", {endlessRequest()});
        const QVariantMap t = timings(run);
        total.push_back(since(t, "requestedAt", "returnedAt"));
        gaps.push_back(t.value("longestFrameGapMs").toDouble());
        renderGaps.push_back(double(longest));

        MovieRun stopped("tarno16");
        QTimer::singleShot(500, stopped.window(), [&] { stopped.call("stopSolving"); });
        stopped.call("runSolve", {endlessRequest()});
        stops.push_back(since(timings(stopped), "stoppedAt", "returnedAt"));
    }
    std::printf("long solve through the movie: %.1f ms; longest gap between animation frames "
                "%.1f ms, between rendered frames %.1f ms; stop to the solve's end %.1f ms "
                "(medians of %zu)\n",
                median(total), median(gaps), median(renderGaps), median(stops), total.size());
}

} // namespace
} // namespace tarno

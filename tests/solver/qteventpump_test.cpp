// The solver under Qt's event loop: timers fire during a solve, and a stop sent as an event ends
// it.
#include "model/generate.h"
#include "platform/qteventpump.h"
#include "solver/search.h"

#include <QTimer>

#include <gtest/gtest.h>

namespace tarno {
namespace {

using model::endlessRequest;

TEST(QtEventPump, AStopPostedAsAnEventEndsTheSolve) {
    QtEventPump pump;
    std::atomic<bool> stop{false};
    int ticks = 0;
    QTimer ticker;
    QObject::connect(&ticker, &QTimer::timeout, [&] {
        if (++ticks == 3)
            stop = true;
    });
    ticker.start(1);
    SolveOptions options;
    options.nodeLimit = 2'000'000'000; // only a safety net: the stop must come first
    const SolveResult r = SolveRequest(endlessRequest(), pump, stop, options);
    EXPECT_EQ(r.outcome, SolveOutcome::Stopped);
    EXPECT_FALSE(r.stats.nodeLimitReached);
    EXPECT_EQ(ticks, 3);
    EXPECT_GE(r.stats.pumps, 3u);
}

TEST(QtEventPump, ANestedRequestFromAnEventIsAnsweredApart) {
    QtEventPump pump;
    std::atomic<bool> outerStop{false};
    SolveResult inner;
    QTimer::singleShot(1, [&] {
        std::atomic<bool> innerStop{false};
        QtEventPump innerPump;
        inner = SolveRequest(splitItems("tarno9*9,3230,3001,0012,0031,1312,0233,1110,1021,0032"),
                             innerPump, innerStop);
        // The newer request wins: the one it interrupted is abandoned.
        outerStop = true;
    });
    const SolveResult outer = SolveRequest(endlessRequest(), pump, outerStop);
    EXPECT_EQ(outer.outcome, SolveOutcome::Stopped);
    EXPECT_EQ(inner.outcome, SolveOutcome::Solved);
    EXPECT_EQ(inner.answer, "323030010031111013120012102102330032000012213");
}

} // namespace
} // namespace tarno

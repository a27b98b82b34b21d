// SPDX-License-Identifier: GPL-3.0-or-later
// The solver under Qt's event loop: timers fire during a solve, and a stop set by one
// of them ends it.
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

} // namespace
} // namespace tarno

// SPDX-License-Identifier: GPL-3.0-or-later
// Times the movie command channel against the bare solver, through the real game
// window, player and channel with a probe movie that animates while it waits. The request
// is one the solver takes seconds over: an unsolvable 4 x 4 whose pieces fit each other in
// countless ways, settled only once its completion questions, asked of the SAT solver
// with ever larger limits, find no filling. So most of its time runs between questions and
// inside them:
//   - the channel's cost over the solver alone (as tarno-solve runs it, with no event
//     pump), from fscommand to its return with the answer delivered, with the movie
//     animating and with it still;
//   - the longest the bare solver holds the thread between two event pumps, and how many
//     completion questions it asks;
//   - the time from a "stopsolving" sent by the movie at moments spread over the solve to
//     the moment the movie's "solvepuzzle" call returns;
//   - the longest gap between two frames of the movie while it solves and is stopped, and
//     while it only animates, for comparison.
// Prints one "key value" line per figure (milliseconds).  Usage: tarno-measure-channel
// [--runs N]
#include "host/form2.h"
#include "host/gamechannel.h"
#include "host/launch.h"
#include "platform/movieplayer.h"
#include "solver/search.h"

#include <QApplication>
#include <QDir>
#include <QEventLoop>
#include <QFile>
#include <QQuickItem>
#include <QQuickWindow>
#include <QTemporaryDir>
#include <QTimer>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

namespace {

long long nowNs() {
    return std::chrono::duration_cast<std::chrono::nanoseconds>(
               std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

const char* const kProbe = R"(import QtQuick
Item {
    id: probe
    width: 640; height: 480
    property string gameType
    property int answers: 0
    property bool spinning: true
    Connections {
        target: player
        function onVariableSet(name, value) { if (name === "solver_solve") probe.answers += 1 }
    }
    function send(command, args) { player.fscommand(command, args); return answers }
    function solveAndStop(request, afterMs) {
        stopTimer.interval = afterMs
        stopTimer.start()
        player.fscommand("solvepuzzle", request)
        return answers
    }
    Timer { id: stopTimer; onTriggered: player.fscommand("stopsolving", "") }
    Rectangle {
        width: 200; height: 200; anchors.centerIn: parent; color: "teal"
        RotationAnimation on rotation {
            from: 0; to: 360; duration: 1000; loops: Animation.Infinite; running: probe.spinning
        }
    }
}
)";

// The sixteen pieces: the fifteen that show 0 and 1 in every order but "1111", and "2222",
// which fits no neighbour at all.
std::string longRequest() {
    std::string r = "tarno16*16";
    for (int bits = 0; bits < 15; ++bits) {
        r += ',';
        for (int k = 3; k >= 0; --k)
            r += static_cast<char>('0' + (bits >> k & 1));
    }
    return r + ",2222";
}

// Records the longest time between two calls, from start().
class GapPump final : public tarno::EventPump {
public:
    void start() { m_last = nowNs(); }
    void processPendingEvents() override {
        const long long now = nowNs();
        m_longest = std::max(m_longest, now - m_last);
        m_last = now;
    }
    long long longest() const { return m_longest; }

private:
    long long m_last = 0;
    long long m_longest = 0;
};

double median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

void print(const char* key, const std::vector<double>& v) {
    std::printf("%-24s median %8.1f  min %8.1f  max %8.1f  (%zu runs)\n", key, median(v),
                *std::min_element(v.begin(), v.end()), *std::max_element(v.begin(), v.end()),
                v.size());
}

} // namespace

int main(int argc, char** argv) {
    int runs = 7;
    for (int i = 1; i + 1 < argc; i += 2)
        if (!std::strcmp(argv[i], "--runs"))
            runs = std::max(1, std::atoi(argv[i + 1]));

    tarno::configureMoviePlayback();
    QApplication app(argc, argv);
    QTemporaryDir program;
    QDir(program.path()).mkdir("modules");
    QFile movie(program.filePath("modules/tiles.swf"));
    if (!movie.open(QIODevice::WriteOnly) || movie.write(kProbe) < 0)
        return 1;
    movie.close();
    QDir::setCurrent(program.path()); // scores.lst, if any, stays in the temporary folder

    tarno::Form2::setCommandBinder([](tarno::Form2& w) { tarno::bindGameChannel(w); });
    tarno::Form2 window(*tarno::launchParametersFor(2), program.path());
    window.show();
    QQuickItem* root = window.player()->rootItem();
    if (!root) {
        std::fprintf(stderr, "tarno-measure-channel: %s\n",
                     qPrintable(window.player()->errorText()));
        return 1;
    }
    for (int i = 0; i < 20; ++i) // let the window appear and the animation start
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);

    long long lastFrame = 0;
    long long longestGap = 0;
    bool watching = false;
    QObject::connect(
        root->window(), &QQuickWindow::afterRendering, root->window(),
        [&] {
            const long long t = nowNs();
            if (watching && lastFrame)
                longestGap = std::max(longestGap, t - lastFrame);
            lastFrame = t;
        },
        Qt::DirectConnection);

    // For comparison: the longest gap between frames while the movie only animates.
    std::vector<double> idleGaps;
    for (int run = 0; run < runs; ++run) {
        lastFrame = 0;
        longestGap = 0;
        watching = true;
        QEventLoop idle;
        QTimer::singleShot(1000, &idle, &QEventLoop::quit);
        idle.exec();
        watching = false;
        idleGaps.push_back(longestGap / 1e6);
    }

    const std::string text = longRequest();
    const std::vector<std::string> items = tarno::splitItems(text);
    std::vector<double> direct, channel, cost, still, pumpGaps, stopToEnd, stopGaps;
    for (int run = 0; run < runs; ++run) {
        GapPump pump;
        std::atomic<bool> stop{false};
        pump.start();
        long long t0 = nowNs();
        const tarno::SolveResult r = tarno::SolveRequest(items, pump, stop);
        direct.push_back((nowNs() - t0) / 1e6);
        pumpGaps.push_back(pump.longest() / 1e6);
        if (run == 0)
            std::printf("request: 4 x 4, %s, %llu pieces laid, %llu completion questions\n",
                        tarno::outcomeName(r.outcome),
                        static_cast<unsigned long long>(r.stats.nodes),
                        static_cast<unsigned long long>(r.stats.completionQuestions));

        QVariant answers;
        const auto throughChannel = [&] {
            const long long start = nowNs();
            QMetaObject::invokeMethod(root, "send", Q_RETURN_ARG(QVariant, answers),
                                      Q_ARG(QVariant, "solvepuzzle"),
                                      Q_ARG(QVariant, QString::fromStdString(text)));
            return (nowNs() - start) / 1e6;
        };
        root->setProperty("spinning", false);
        still.push_back(throughChannel() - direct.back());
        root->setProperty("spinning", true);
        lastFrame = 0;
        longestGap = 0;
        watching = true;
        channel.push_back(throughChannel());
        watching = false;
        cost.push_back(channel.back() - direct.back());

        // Stops spread over the solve, from its first tenth to its last; each landing
        // wherever the solver is then, between questions or inside one.
        for (int k = 1; k <= 4; ++k) {
            const double share = 0.1 + 0.2 * (k - 1) + 0.02 * (run % 6);
            const int afterMs = static_cast<int>(direct.front() * share);
            long long stoppedAt = 0;
            auto watchStop = QObject::connect(&window, &tarno::Form2::commandReceived,
                                              [&](const QString& command, const QString&) {
                                                  if (command == "stopsolving")
                                                      stoppedAt = nowNs();
                                              });
            watching = true;
            QMetaObject::invokeMethod(root, "solveAndStop", Q_RETURN_ARG(QVariant, answers),
                                      Q_ARG(QVariant, QString::fromStdString(text)),
                                      Q_ARG(QVariant, afterMs));
            const long long ended = nowNs();
            watching = false;
            QObject::disconnect(watchStop);
            if (stoppedAt != 0 && stoppedAt <= ended)
                stopToEnd.push_back((ended - stoppedAt) / 1e6);
        }
        stopGaps.push_back(longestGap / 1e6);
    }
    print("direct_solve_ms", direct);
    print("channel_solve_ms", channel);
    print("channel_cost_ms", cost);
    std::printf("channel_cost_percent     median %8.1f\n", 100.0 * median(cost) / median(direct));
    print("channel_cost_still_ms", still);
    print("longest_pump_gap_ms", pumpGaps);
    print("longest_frame_gap_ms", stopGaps);
    print("longest_gap_idle_ms", idleGaps);
    if (!stopToEnd.empty())
        print("stop_to_end_ms", stopToEnd);
    window.close();
    return 0;
}

// SPDX-License-Identifier: GPL-3.0-or-later
// Times the movie command channel against the bare solver, through the real game
// window, player and channel with a probe movie that animates while it waits:
//   - the channel's cost over the solver alone (as tarno-solve runs it, with no event
//     pump) for one request of about a second, from fscommand to its return with the
//     answer delivered, with the movie animating and with it still;
//   - the time from a "stopsolving" sent by the movie during an endless solve to the
//     moment the movie's "solvepuzzle" call returns;
//   - the longest gap between two frames of the movie while it solves, and while it
//     only animates, for comparison.
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

// Unsolvable 4 x 4 requests: 15 equal pieces and one odd one, with `fixed` of the equal
// ones laid in the last cells. Fewer fixed pieces make a longer search.
std::string request(int fixed) {
    std::string r = "tarno16*16";
    for (int i = 0; i < 15; ++i)
        r += ",0000";
    r += ",1111";
    for (int i = 0; i < fixed; ++i)
        r += ",0000";
    for (int i = 0; i < fixed; ++i)
        r += "," + std::to_string(16 - i);
    for (int i = 0; i < fixed; ++i)
        r += ",0";
    return r;
}

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

    const std::string text = request(4);
    const std::vector<std::string> items = tarno::splitItems(text);
    std::vector<double> direct, channel, cost, still, stopToEnd, gaps;
    for (int run = 0; run < runs; ++run) {
        tarno::NullEventPump pump;
        std::atomic<bool> stop{false};
        long long t0 = nowNs();
        const tarno::SolveResult r = tarno::SolveRequest(items, pump, stop);
        direct.push_back((nowNs() - t0) / 1e6);
        if (run == 0)
            std::printf("request: 4 x 4, %s, %llu pieces laid\n", tarno::outcomeName(r.outcome),
                        static_cast<unsigned long long>(r.stats.nodes));

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
        gaps.push_back(longestGap / 1e6);
        cost.push_back(channel.back() - direct.back());

        long long stoppedAt = 0;
        auto watchStop = QObject::connect(&window, &tarno::Form2::commandReceived,
                                          [&](const QString& command, const QString&) {
                                              if (command == "stopsolving")
                                                  stoppedAt = nowNs();
                                          });
        QMetaObject::invokeMethod(root, "solveAndStop", Q_RETURN_ARG(QVariant, answers),
                                  Q_ARG(QVariant, QString::fromStdString(request(0))),
                                  Q_ARG(QVariant, 100));
        const long long ended = nowNs();
        QObject::disconnect(watchStop);
        if (stoppedAt)
            stopToEnd.push_back((ended - stoppedAt) / 1e6);
    }
    print("direct_solve_ms", direct);
    print("channel_solve_ms", channel);
    print("channel_cost_ms", cost);
    std::printf("channel_cost_percent     median %8.1f\n", 100.0 * median(cost) / median(direct));
    print("channel_cost_still_ms", still);
    print("longest_frame_gap_ms", gaps);
    print("longest_gap_idle_ms", idleGaps);
    if (!stopToEnd.empty())
        print("stop_to_end_ms", stopToEnd);
    window.close();
    return 0;
}

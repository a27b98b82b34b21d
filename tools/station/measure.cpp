// SPDX-License-Identifier: GPL-3.0-or-later
// Times the two waits a player feels: from process start to the main window shown,
// and from choosing a game to the first frame of its movie. Prints both in ms. With
// --fps SECONDS it then asks the movie for its busiest scene (screenshotScene("busy"),
// where the movie has one) and counts the frames drawn meanwhile.
#include "host/form2.h"
#include "platform/movieplayer.h"
#include "shell/form1.h"

#include <QAction>
#include <QApplication>
#include <QElapsedTimer>
#include <QQuickItem>
#include <QQuickWindow>
#include <QTimer>
#include <QWindow>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

long long nowNs() {
    return std::chrono::duration_cast<std::chrono::nanoseconds>(
               std::chrono::system_clock::now().time_since_epoch())
        .count();
}

// Notes the moment a window is first exposed on the screen.
class ExposeWatch : public QObject {
public:
    long long exposedAt = 0;
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Expose && !exposedAt)
            exposedAt = nowNs();
        return QObject::eventFilter(watched, event);
    }
};

} // namespace

int main(int argc, char** argv) {
    // The caller passes the wall-clock time just before it started this process.
    long long startedAt = 0;
    int playIndex = 1;
    double fpsSeconds = 0;
    for (int i = 1; i + 1 < argc; i += 2) {
        if (!std::strcmp(argv[i], "--since-ns"))
            startedAt = std::atoll(argv[i + 1]);
        else if (!std::strcmp(argv[i], "--play"))
            playIndex = tarno::playIndexOf(argv[i + 1]).value_or(0);
        else if (!std::strcmp(argv[i], "--fps"))
            fpsSeconds = std::atof(argv[i + 1]);
    }
    if (!startedAt)
        startedAt = nowNs();

    tarno::configureMoviePlayback();
    QApplication app(argc, argv);
    tarno::Form1 form1;
    if (!form1.playItem(playIndex)) {
        std::fprintf(stderr, "tarno-measure: no such game to play\n");
        return 2;
    }
    ExposeWatch watch;
    form1.winId();
    form1.windowHandle()->installEventFilter(&watch);
    form1.show();
    while (!watch.exposedAt)
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    std::printf("main_window_shown_ms %.1f\n", (watch.exposedAt - startedAt) / 1e6);

    long long chosenAt = 0;
    long long firstFrameAt = 0;
    int frames = 0;
    long long lastFrameAt = 0;
    long long longestGap = 0;
    tarno::StationActions actions;
    actions.launchGame = [&](int index) {
        chosenAt = nowNs();
        tarno::Form2 window(*tarno::launchParametersFor(index),
                            QCoreApplication::applicationDirPath(), &form1);
        QObject::connect(window.player(), &tarno::MoviePlayer::firstFrameShown, &window, [&] {
            firstFrameAt = nowNs();
            QQuickItem* root = window.player()->rootItem();
            if (fpsSeconds <= 0 || !root) {
                window.close();
                return;
            }
            QObject::connect(
                root->window(), &QQuickWindow::afterRendering, &window,
                [&] {
                    const long long now = nowNs();
                    if (lastFrameAt)
                        longestGap = std::max(longestGap, now - lastFrameAt);
                    lastFrameAt = now;
                    ++frames;
                },
                Qt::DirectConnection);
            if (root->metaObject()->indexOfMethod("screenshotScene(QVariant)") >= 0)
                QMetaObject::invokeMethod(root, "screenshotScene", Q_ARG(QVariant, "busy"));
            QTimer::singleShot(int(fpsSeconds * 1000), &window, &QWidget::close);
        });
        QTimer::singleShot(10000 + int(fpsSeconds * 1000), &window, &QWidget::close);
        window.exec();
    };
    form1.setActions(std::move(actions));
    // Quits once the game window is closed: a quit while it is open would end its loop too.
    QTimer::singleShot(0, [&] {
        form1.playItem(playIndex)->trigger();
        app.quit();
    });
    app.exec();
    if (!firstFrameAt) {
        std::fprintf(stderr, "tarno-measure: the movie showed no frame within 10 s\n");
        return 1;
    }
    std::printf("movie_first_frame_ms %.1f\n", (firstFrameAt - chosenAt) / 1e6);
    if (fpsSeconds > 0) {
        std::printf("movie_fps %.1f\n", frames / fpsSeconds);
        std::printf("movie_longest_frame_gap_ms %.1f\n", longestGap / 1e6);
    }
    return 0;
}

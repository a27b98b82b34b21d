// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/checkmovies.h"

#include "host/form2.h"
#include "platform/appidentity.h"
#include "platform/movieplayer.h"
#include "shell/catalogue.h"

#include <QCoreApplication>
#include <QDir>
#include <QEventLoop>
#include <QTimer>

namespace tarno {
namespace {

// Why the movie in `window` did not play within `timeoutMs`, or empty once it shows a
// frame.
QString waitForFirstFrame(Form2& window, int timeoutMs) {
    MoviePlayer* player = window.player();
    if (!player->errorText().isEmpty())
        return player->errorText();
    QEventLoop loop;
    bool shown = false;
    QObject::connect(player, &MoviePlayer::firstFrameShown, &loop, [&] {
        shown = true;
        loop.quit();
    });
    QTimer::singleShot(timeoutMs, &loop, &QEventLoop::quit);
    window.show();
    loop.exec();
    if (shown)
        return {};
    return QStringLiteral("no frame within %1 ms").arg(timeoutMs);
}

} // namespace

int checkMovies(std::FILE* out, const GameRow* only, int timeoutMs) {
    const QString programDir = dataFolder();
    int failed = 0;
    for (const GameRow& game : playMenu()) {
        if (only && only != &game)
            continue;
        const auto launch = launchParametersFor(game.playIndex);
        if (!launch)
            continue;
        Form2 window(*launch, programDir);
        const QString reason = waitForFirstFrame(window, timeoutMs);
        const QByteArray movie = window.player()->movie().toLocal8Bit();
        if (reason.isEmpty()) {
            std::fprintf(out, "played\t%s\t%s\n", launch->launchTitle.c_str(), movie.constData());
        } else {
            ++failed;
            std::fprintf(out, "FAILED\t%s\t%s\t%s\n", launch->launchTitle.c_str(),
                         movie.constData(), reason.simplified().toLocal8Bit().constData());
        }
        window.close();
    }
    // The last game window's view is deleted later (see MoviePlayer); no loop follows.
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    std::fprintf(
        out, "scores\t%s\n",
        QDir::current().absoluteFilePath(QStringLiteral("scores.lst")).toLocal8Bit().constData());
    std::fflush(out);
    return failed == 0 ? 0 : 1;
}

} // namespace tarno

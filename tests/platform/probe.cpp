// SPDX-License-Identifier: GPL-3.0-or-later
// One run of the program in small, for tests that need a process of their own: GIO reads
// the XDG folders once per process, and what a movie keeps must outlive a run.
//   probe movie PATH       plays the movie at PATH, prints every command it sends
//                          ("command<TAB>args" a line) and ends
//   probe help|website     runs the help item or the web-site button with the desktop's
//   probe browser ADDRESS  real associations, or opens ADDRESS as either would, printing
//                          the handler chosen and the message boxes shown
// A file-size limit (prlimit --fsize) stands in for a full disk: a write past it fails as
// on a full disk, without the signal that would end the program.
#include "platform/giolauncher.h"
#include "platform/movieplayer.h"
#include "platform/qtdesktop.h"

#include <QApplication>
#include <QMessageBox>
#include <QTimer>

#include <csignal>
#include <cstdio>
#include <string>

int main(int argc, char** argv) {
    std::signal(SIGXFSZ, SIG_IGN);
    const std::string mode = argc > 1 ? argv[1] : "";
    const std::string arg = argc > 2 ? argv[2] : "";
    QApplication app(argc, argv);
    if (mode == "movie") {
        int status = 1;
        {
            tarno::MoviePlayer player;
            QObject::connect(&player, &tarno::MoviePlayer::FSCommand,
                             [](const QString& command, const QString& args) {
                                 std::printf("%s\t%s\n", qUtf8Printable(command), qUtf8Printable(args));
                             });
            player.setMovie(QString::fromStdString(arg));
            status = player.isPlaying() ? 0 : 1;
        }
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); // the player's view
        return status;
    }
    // Reports the message box an opener shows, then closes it as the user would.
    QTimer timer;
    QObject::connect(&timer, &QTimer::timeout, [] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!box)
            return;
        std::printf("message\t%s\t%s\t%d\t%s\n", qPrintable(box->windowTitle()),
                    box->icon() == QMessageBox::Warning ? "warning" : "other",
                    static_cast<int>(box->buttons().size()),
                    qPrintable(box->text().replace('\n', QLatin1String("\\n"))));
        box->accept();
    });
    timer.start(10);
    if (mode == "help") {
        tarno::openHelpPageWithDesktop(nullptr);
    } else if (mode == "website") {
        tarno::openWebSiteWithDesktop(nullptr);
    } else if (mode == "browser") {
        std::printf("handler\t%s\n", tarno::GioLauncher::chosenHandler(arg).c_str());
        tarno::GioLauncher launcher;
        tarno::QtDesktop desktop;
        tarno::openWithHandler(launcher, desktop, arg, arg, true);
    } else {
        return 2;
    }
    std::printf("done\n");
    return 0;
}

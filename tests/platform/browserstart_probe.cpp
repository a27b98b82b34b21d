// SPDX-License-Identifier: GPL-3.0-or-later
// Runs one opener with the desktop's real associations and prints the message boxes it
// shows. GIO reads the XDG folders once per process, so every setting of them gets a
// process of its own: the test starts this program with the environment it wants.
//   browserstart_probe help       the help item
//   browserstart_probe website    the web-site button
//   browserstart_probe ADDRESS    opens ADDRESS as either of them would
#include "platform/giolauncher.h"
#include "platform/qtdesktop.h"

#include <QApplication>
#include <QMessageBox>
#include <QTimer>

#include <cstdio>
#include <string>

int main(int argc, char** argv) {
    const std::string mode = argc > 1 ? argv[1] : "";
    QApplication app(argc, argv);
    // Reports the message box an opener shows, then closes it as the user would.
    auto* timer = new QTimer(&app);
    QObject::connect(timer, &QTimer::timeout, [] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!box)
            return;
        QString text = box->text();
        text.replace(QLatin1Char('\n'), QLatin1String("\\n"));
        std::printf("message\t%s\t%s\t%d\t%s\n", qPrintable(box->windowTitle()),
                    box->icon() == QMessageBox::Warning ? "warning" : "other",
                    static_cast<int>(box->buttons().size()), qPrintable(text));
        if (!box->detailedText().isEmpty())
            std::printf("detail\t%s\n", qPrintable(box->detailedText().simplified()));
        box->accept();
    });
    timer->start(10);
    if (mode == "help") {
        tarno::openHelpPageWithDesktop(nullptr);
    } else if (mode == "website") {
        tarno::openWebSiteWithDesktop(nullptr);
    } else if (!mode.empty()) {
        std::printf("handler\t%s\n", tarno::GioLauncher::chosenHandler(mode).c_str());
        tarno::GioLauncher launcher;
        tarno::QtDesktop desktop;
        tarno::openWithHandler(launcher, desktop, mode, mode, true);
    } else {
        return 2;
    }
    std::printf("done\n");
    return 0;
}

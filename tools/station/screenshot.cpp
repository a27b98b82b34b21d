// SPDX-License-Identifier: GPL-3.0-or-later
// Saves pictures of the windows for the README: the main window as it first appears,
// the about window, a game window with its movie, or the hi-score window of a slot
// read from a score file.
#include "host/form2.h"
#include "platform/movieplayer.h"
#include "scores/form3.h"
#include "scores/scorefile.h"
#include "shell/aboutfrm.h"
#include "shell/form1.h"

#include <QApplication>
#include <QPixmap>
#include <QQuickItem>
#include <QTest>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>

namespace {

// Shows the window; `prepare` runs once it is on the screen, before the picture.
int save(QWidget& window, const char* out, const std::function<void()>& prepare = {}) {
    window.show();
    if (!QTest::qWaitForWindowExposed(&window)) {
        std::fprintf(stderr, "tarno-screenshot: the window was never shown\n");
        return 1;
    }
    QTest::qWait(200);
    if (prepare) {
        prepare();
        QTest::qWait(600); // the movie's own animations settle
    }
    if (!window.grab().save(QString::fromLocal8Bit(out))) {
        std::fprintf(stderr, "tarno-screenshot: cannot write %s\n", out);
        return 1;
    }
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    if (argc == 2) {
        tarno::Form1 form1;
        return save(form1, argv[1]);
    }
    if (argc == 3 && !std::strcmp(argv[2], "--about")) {
        tarno::aboutfrm about;
        return save(about, argv[1]);
    }
    // A movie that has a function screenshotScene(name) sets up the scene to picture.
    if ((argc == 4 || argc == 6) && !std::strcmp(argv[2], "--game")) {
        const auto launch = tarno::launchParametersFor(tarno::playIndexOf(argv[3]).value_or(0));
        if (!launch) {
            std::fprintf(stderr, "tarno-screenshot: no game has play index or id %s\n", argv[3]);
            return 1;
        }
        tarno::Form2 form2(*launch, QCoreApplication::applicationDirPath());
        const QString scene =
            argc == 6 && !std::strcmp(argv[4], "--scene") ? QString::fromLocal8Bit(argv[5]) : "";
        return save(form2, argv[1], [&form2, scene] {
            QQuickItem* root = form2.player()->rootItem();
            if (root && root->metaObject()->indexOfMethod("screenshotScene(QVariant)") >= 0)
                QMetaObject::invokeMethod(root, "screenshotScene", Q_ARG(QVariant, scene));
        });
    }
    if (argc == 6 && !std::strcmp(argv[2], "--hiscores")) {
        const tarno::ScoreFile file(argv[3]);
        const auto list = tarno::buildHiScoreList(file, std::atoi(argv[4]), std::atoll(argv[5]));
        if (!list || !list.value().kind) {
            std::fprintf(stderr, "tarno-screenshot: cannot list slot %s of %s\n", argv[4], argv[3]);
            return 1;
        }
        tarno::Form3 form3(list.value(), {});
        return save(form3, argv[1]);
    }
    std::fprintf(stderr,
                 "usage: tarno-screenshot OUTPUT.png [--about | --game PLAYINDEX [--scene NAME] | "
                 "--hiscores SCOREFILE SLOT MARK]\n");
    return 2;
}

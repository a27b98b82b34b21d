// Saves a picture of the main window as it first appears, for the README.
#include "shell/form1.h"

#include <QApplication>
#include <QPixmap>
#include <QTest>

#include <cstdio>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: tarno-screenshot OUTPUT.png\n");
        return 2;
    }
    tarno::Form1 form1;
    form1.show();
    if (!QTest::qWaitForWindowExposed(&form1)) {
        std::fprintf(stderr, "tarno-screenshot: the main window was never shown\n");
        return 1;
    }
    QTest::qWait(200);
    const QString out = QString::fromLocal8Bit(argv[1]);
    if (!form1.grab().save(out)) {
        std::fprintf(stderr, "tarno-screenshot: cannot write %s\n", argv[1]);
        return 1;
    }
    return 0;
}

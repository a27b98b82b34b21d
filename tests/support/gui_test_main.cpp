// SPDX-License-Identifier: GPL-3.0-or-later
// Entry point of the GUI tests: a QApplication, offscreen unless the environment says
// otherwise; what movies keep goes to a folder of the test program's own.
#include <QApplication>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cstdlib>

int main(int argc, char** argv) {
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    setenv("QT_QUICK_BACKEND", "software", 0);
    const QTemporaryDir data;
    setenv("XDG_DATA_HOME", qPrintable(data.path()), 1);
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    const int failed = RUN_ALL_TESTS();
    // Game windows closed outside an event loop leave their views to be deleted later.
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    return failed;
}

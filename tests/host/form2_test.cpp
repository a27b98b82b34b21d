// SPDX-License-Identifier: GPL-3.0-or-later
// The game window: its size on the screen, its caption, the movie it loads and the
// commands it passes on.
#include "host/form2.h"
#include "platform/movieplayer.h"
#include "platform/qtext.h"
#include "platform/screenmetrics.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QScreen>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

namespace tarno {
namespace {

// A program folder with a modules/ folder holding one movie that reports its query and
// sends a command, and sends one more when its window is about to close.
class GameWindow : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(QDir(dir.path()).mkdir("modules"));
        QFile movie(dir.filePath("modules/tiles.swf"));
        ASSERT_TRUE(movie.open(QIODevice::WriteOnly));
        movie.write("import QtQuick\n"
                    "Item { width: 640; height: 480; property string gameType\n"
                    "  Component.onCompleted: player.fscommand('hello', gameType)\n"
                    "  Connections { target: player\n"
                    "    function onClosing() { player.fscommand('bye', gameType) } } }\n");
    }
    QTemporaryDir dir;
};

TEST_F(GameWindow, CaptionSizeAndMovieOfTheChosenGame) {
    const LaunchParameters launch = *launchParametersFor(4);
    Form2 window(launch, dir.path());
    QSignalSpy commands(&window, &Form2::commandReceived);
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    EXPECT_EQ(window.windowTitle(), "K-Puzzle");
    const ScreenMetrics metrics = screenMetricsFor(&window);
    const SizePx expected = gameClientSize(screenSizePx(metrics), workAreaSizePx(metrics), {});
    EXPECT_EQ(window.size(), QSize(expected.width, expected.height));
    EXPECT_EQ(window.minimumSize(), window.maximumSize());
    EXPECT_EQ(window.player()->geometry(), QRect(QPoint(0, 0), window.size()));
    const QRect area = window.screen()->availableGeometry();
    const QRect frame = window.frameGeometry();
    EXPECT_NEAR(frame.x(), area.x() + (area.width() - frame.width()) / 2.0, 1.0);
    EXPECT_NEAR(frame.y(), area.y() + (area.height() - frame.height()) / 3.0, 1.0);
    EXPECT_EQ(window.player()->movie(), dir.filePath("modules/tiles.swf") + "?gameType=kpuzzle");
    EXPECT_TRUE(window.player()->isPlaying());
    // The movie's command was sent while it was created, before anyone could listen;
    // a command sent now reaches the window.
    Q_EMIT window.player()->FSCommand("writescore", "kpuzzle,1000");
    ASSERT_EQ(commands.size(), 1);
    EXPECT_EQ(commands[0][0].toString(), "writescore");
    EXPECT_EQ(commands[0][1].toString(), "kpuzzle,1000");
}

TEST_F(GameWindow, MissingMovieShowsAMessageAndStillCloses) {
    Form2 window(*launchParametersFor(22), dir.path()); // totsnook.swf is not there
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    auto* message = window.findChild<QLabel*>("movieMessage");
    ASSERT_NE(message, nullptr);
    EXPECT_TRUE(message->isVisible());
    EXPECT_TRUE(message->text().contains("totsnook.swf"));
    EXPECT_TRUE(window.close());
    EXPECT_FALSE(window.isVisible());
}

// Escape belongs to the game; Ctrl+W closes the window as the close box does, and the
// movie, even with a text field in focus, never sees it.
TEST_F(GameWindow, EscapeGoesToTheGameAndCtrlWClosesTheWindow) {
    QFile movie(dir.filePath("modules/tiles.swf"));
    ASSERT_TRUE(movie.open(QIODevice::WriteOnly | QIODevice::Truncate));
    movie.write("import QtQuick\n"
                "TextInput { width: 640; height: 480; focus: true\n"
                "  Keys.onShortcutOverride: (e) => player.fscommand('key', e.key)\n"
                "  Keys.onPressed: (e) => player.fscommand('key', e.key) }\n");
    movie.close();
    Form2 window(*launchParametersFor(1), dir.path());
    QSignalSpy commands(&window, &Form2::commandReceived);
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    QWidget* focus = QApplication::focusWidget();
    ASSERT_NE(focus, nullptr);
    QTest::keyClick(focus, Qt::Key_Escape);
    EXPECT_TRUE(window.isVisible());
    const auto keysSeen = [&] {
        QList<int> keys;
        for (const QList<QVariant>& command : commands)
            keys << command.at(1).toInt();
        return keys;
    };
    EXPECT_TRUE(keysSeen().contains(Qt::Key_Escape));
    QTest::keyClick(focus, Qt::Key_W, Qt::ControlModifier);
    EXPECT_FALSE(window.isVisible());
    EXPECT_FALSE(keysSeen().contains(Qt::Key_W)); // Ctrl alone it may see
}

TEST_F(GameWindow, ClosingLetsTheMovieSendItsLastCommandOnce) {
    Form2 window(*launchParametersFor(1), dir.path());
    QSignalSpy commands(&window, &Form2::commandReceived);
    bool visibleWhenSent = false;
    QObject::connect(&window, &Form2::commandReceived, &window, [&](const QString& command) {
        if (command == "bye")
            visibleWhenSent = window.isVisible();
    });
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    EXPECT_TRUE(window.close());
    window.show();
    window.close();
    ASSERT_EQ(commands.count(), 1);
    EXPECT_EQ(commands.at(0).at(0).toString(), "bye");
    EXPECT_EQ(commands.at(0).at(1).toString(), "tarno9");
    EXPECT_TRUE(visibleWhenSent) << "sent while the window is still there";
}

TEST_F(GameWindow, TheMovieSeesWhetherItsWindowIsInFront) {
    Form2 window(*launchParametersFor(1), dir.path());
    auto* bridge = window.player()->findChild<MovieBridge*>();
    ASSERT_NE(bridge, nullptr);
    window.show();
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    EXPECT_TRUE(bridge->active());
    QWidget prompt; // a window over the game, as the name prompt is
    prompt.show();
    prompt.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&prompt));
    EXPECT_FALSE(bridge->active());
}

} // namespace
} // namespace tarno

// SPDX-License-Identifier: GPL-3.0-or-later
// The windows as a real window manager shows them, captions and outer frames: runs on X11
// under tests/support/on_xvfb.sh, skips anywhere else.
#include "host/form2.h"
#include "platform/appidentity.h"
#include "platform/windowframe.h"
#include "scores/hiscorewindows.h"
#include "shell/form1.h"
#include "support/xobserver.h"

#include <QApplication>
#include <QScreen>
#include <QTimer>

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <functional>

namespace tarno {
namespace {

enum class Rule {
    OneThird, // across centred, one third of the free height above
    Centred,
};

QPoint expectedAt(Rule rule, const QRect& outer, const QScreen* screen) {
    const QRect a = screen->availableGeometry();
    if (rule == Rule::OneThird)
        return {a.x() + static_cast<int>(std::lround((a.width() - outer.width()) / 2.0)),
                a.y() + static_cast<int>(std::lround((a.height() - outer.height()) / 3.0))};
    return {a.x() + (a.width() - outer.width()) / 2, a.y() + (a.height() - outer.height()) / 2};
}

// The work area on_xvfb.sh --margins asked openbox for: the screen without the margins
// of TARNO_TEST_MARGINS ("top,bottom,left,right"), or the whole screen.
QRect expectedWorkArea(const QScreen* screen) {
    const QStringList m = qEnvironmentVariable("TARNO_TEST_MARGINS").split(',');
    const QRect s = screen->geometry();
    return m.size() != 4 ? s
                         : s.adjusted(m[2].toInt(), m[0].toInt(), -m[3].toInt(), -m[1].toInt());
}

// Skips unless on X11 under the window manager `wm` that on_xvfb.sh names ("none" for
// a bare screen).
class XTest : public ::testing::Test {
protected:
    void requireScreen(const QString& wm) {
        if (QGuiApplication::platformName() != QStringLiteral("xcb") ||
            qEnvironmentVariable("TARNO_TEST_WM") != wm)
            GTEST_SKIP() << "runs on X11 with window manager " << wm.toStdString();
        ASSERT_TRUE(m_x.connected()) << "no X display";
        setApplicationIdentity(); // as the program does
        static bool answering = false;
        if (wm != "none" && !answering)
            ASSERT_TRUE(answering = m_x.windowManagerAnswers(std::chrono::seconds(20)))
                << "the window manager does not answer";
    }

    XObserver m_x;
};

class WindowManagerTest : public XTest {
protected:
    void SetUp() override { requireScreen("openbox"); }

    // Runs `open`, which shows one modal window over the main window and returns when it
    // is closed, and watches that window meanwhile; closes it when seen.
    Watched watchModal(const std::function<void(QWidget*)>& open) {
        Form1 form1;
        form1.show();
        EXPECT_TRUE(watch(m_x, &form1).first.framed);
        Watched seen;
        bool watched = false;
        QTimer poll;
        QObject::connect(&poll, &QTimer::timeout, [&] {
            QWidget* modal = QApplication::activeModalWidget();
            if (watched || !modal || modal == &form1 || !modal->isVisible())
                return;
            watched = true;
            seen = watch(m_x, modal);
            modal->close();
        });
        poll.start(10);
        open(&form1);
        EXPECT_TRUE(watched) << "no modal window appeared";
        return seen;
    }

    static void expectCaptionAndPlace(const Watched& w, const char* caption, Rule rule,
                                      const QScreen* screen) {
        ASSERT_TRUE(w.first.framed) << caption << ": never framed by the window manager";
        EXPECT_EQ(w.settled.netWmName, caption);
        const QRect outer = w.settled.outer;
        ASSERT_EQ(screen->availableGeometry(), expectedWorkArea(screen))
            << "the work area never reached the program";
        EXPECT_EQ(outer.topLeft(), expectedAt(rule, outer, screen))
            << "outer frame " << outer.width() << "x" << outer.height();
        EXPECT_TRUE(screen->availableGeometry().contains(outer)) << "it leaves the work area";
        EXPECT_EQ(w.first.outer, outer) << "the window moved after it appeared";
        EXPECT_TRUE(outer.contains(w.settled.client)) << "the frame is not around it";
    }
};

TEST_F(WindowManagerTest, MainWindowCaptionAndOuterFramePlacement) {
    Form1 form1;
    form1.show();
    expectCaptionAndPlace(watch(m_x, &form1), "Tarno Playroom 1.0", Rule::OneThird,
                          form1.screen());
}

// Every other window opens over the main window, as in the program, through the code
// that opens it there.
struct ModalCase {
    const char* name;
    const char* caption;
    Rule rule;
    std::function<void(QWidget* parent)> open;
};

class ModalWindows : public WindowManagerTest, public ::testing::WithParamInterface<ModalCase> {};

TEST_P(ModalWindows, CaptionExactAndOuterFramePlaced) {
    const ModalCase& c = GetParam();
    const Watched w = watchModal(c.open);
    const QScreen* screen = QGuiApplication::primaryScreen();
    expectCaptionAndPlace(w, c.caption, c.rule, screen);
    if (c.rule != Rule::OneThird)
        return;
    // The game window takes the largest 4:3 step whose outer frame fits the work area.
    const QRect area = screen->availableGeometry();
    const QSize client = w.settled.client.size();
    const QSize frame = w.settled.outer.size() - client;
    const QSize next = client + QSize(80, 60);
    EXPECT_EQ(client.width() * 3, client.height() * 4);
    EXPECT_TRUE(next.width() + frame.width() > area.width() ||
                next.height() + frame.height() > area.height() ||
                next.width() >= screen->geometry().width() ||
                next.height() >= screen->geometry().height())
        << "a larger step would fit: client " << client.width() << "x" << client.height()
        << " in a work area of " << area.width() << "x" << area.height();
}

INSTANTIATE_TEST_SUITE_P(
    Windows, ModalWindows,
    ::testing::Values(
        ModalCase{"GameWindow", "Tarno 9", Rule::OneThird, [](QWidget* p) { launchGame(p, 1); }},
        ModalCase{"HiScoreWindow", "Tarno 9 Hi Scores", Rule::Centred,
                  [](QWidget* p) {
                      const auto file = std::filesystem::temp_directory_path() /
                                        ("tarno-wm-" + std::to_string(QCoreApplication::applicationPid()));
                      ShowHiScores(p, 1, 0, ScoreFile(file.string()));
                      std::filesystem::remove(file);
                  }}),
    [](const auto& info) { return std::string(info.param.name); });

// With no window manager there is no frame to ask for: the window is placed by its own
// size, and its caption is still exactly its own.
class BareScreenTest : public XTest {
protected:
    void SetUp() override { requireScreen("none"); }
};

TEST_F(BareScreenTest, NoFrameIsAskedForAndTheWindowIsItsOwnOuterEdge) {
    Form1 form1;
    EXPECT_FALSE(requestFrameExtents(&form1).has_value());
    EXPECT_EQ(frameExtents(&form1), FramePx{});
    form1.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&form1));
    const auto id = static_cast<xcb_window_t>(form1.winId());
    ASSERT_TRUE(QTest::qWaitFor([&] { return m_x.see(id).client.isValid(); }, 10000));
    QTest::qWait(100);
    const Seen seen = m_x.see(id);
    EXPECT_EQ(seen.outer, seen.client);
    EXPECT_EQ(seen.client.topLeft(), expectedAt(Rule::OneThird, seen.client, form1.screen()));
    EXPECT_EQ(seen.netWmName, "Tarno Playroom 1.0");
}

} // namespace
} // namespace tarno

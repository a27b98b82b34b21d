// SPDX-License-Identifier: GPL-3.0-or-later
// The windows as a real window manager shows them: the caption the X server holds for
// each window, and where the outer frame lands. Runs on X11 under a window manager
// (tests/support/on_xvfb.sh starts Xvfb and openbox); skips anywhere else.
#include "host/form2.h"
#include "platform/appidentity.h"
#include "platform/qtdesktop.h"
#include "platform/windowframe.h"
#include "scores/hiscorewindows.h"
#include "shell/aboutfrm.h"
#include "shell/form1.h"
#include "support/xobserver.h"

#include <QApplication>
#include <QInputDialog>
#include <QScreen>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <cctype>
#include <chrono>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <optional>
#include <string>

namespace tarno {
namespace {

// How a window is placed, both within the work area (the screen's available area).
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
    const QStringList margins = qEnvironmentVariable("TARNO_TEST_MARGINS").split(',');
    const QRect s = screen->geometry();
    if (margins.size() != 4)
        return s;
    return s.adjusted(margins[2].toInt(), margins[0].toInt(), -margins[3].toInt(),
                      -margins[1].toInt());
}

// The window manager on_xvfb.sh started: "openbox", "none", or empty when not run by it.
std::string testWindowManager() {
    const char* wm = std::getenv("TARNO_TEST_WM");
    return wm ? wm : "";
}

class XTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        setApplicationIdentity(); // as the program does
    }

    // Skips unless on X11 with the window manager `wm` ("none" for a bare screen).
    void requireScreen(const std::string& wm) {
        if (QGuiApplication::platformName() != QStringLiteral("xcb") || testWindowManager() != wm)
            GTEST_SKIP() << "runs on X11 with window manager \"" << wm
                         << "\" (tests/support/on_xvfb.sh)";
        ASSERT_TRUE(m_x.connected()) << "no X display";
        static bool answering = false;
        if (wm != "none" && !answering) {
            answering = m_x.windowManagerAnswers(std::chrono::seconds(20));
            ASSERT_TRUE(answering) << "the window manager does not answer";
        }
    }

    XObserver m_x;
};

class WindowManagerTest : public XTest {
protected:
    void SetUp() override { requireScreen("openbox"); }

    // Runs `open`, which shows one modal window and returns when it is closed, and
    // watches that window meanwhile; closes it when seen.
    Watched watchModal(QWidget* parent, const std::function<void()>& open) {
        Watched seen;
        bool watched = false;
        QTimer poll;
        poll.setInterval(10);
        QObject::connect(&poll, &QTimer::timeout, [&] {
            QWidget* modal = QApplication::activeModalWidget();
            if (watched || !modal || modal == parent || !modal->isVisible())
                return;
            watched = true;
            poll.stop();
            seen = watch(m_x, modal);
            modal->close();
        });
        poll.start();
        open();
        EXPECT_TRUE(watched) << "no modal window appeared";
        return seen;
    }

    static void report(const char* what, const Watched& w) {
        std::cout << what << ": caption \"" << w.settled.netWmName << "\", outer frame "
                  << w.settled.outer.width() << "x" << w.settled.outer.height() << " at "
                  << w.settled.outer.x() << "," << w.settled.outer.y() << ", client at "
                  << w.settled.client.x() << "," << w.settled.client.y() << "\n";
    }

    static void expectCaption(const Watched& w, const char* caption) {
        ASSERT_TRUE(w.first.framed) << caption << ": never framed by the window manager";
        EXPECT_EQ(w.title.toStdString(), caption);
        EXPECT_EQ(w.settled.netWmName, caption);
        EXPECT_EQ(w.settled.wmName, caption);
    }

    static void expectPlaced(const Watched& w, Rule rule, const QScreen* screen) {
        ASSERT_EQ(screen->availableGeometry(), expectedWorkArea(screen))
            << "the work area never reached the program";
        EXPECT_EQ(w.settled.outer.topLeft(), expectedAt(rule, w.settled.outer, screen))
            << "outer frame " << w.settled.outer.width() << "x" << w.settled.outer.height();
        EXPECT_TRUE(screen->availableGeometry().contains(w.settled.outer))
            << "the outer frame leaves the work area";
        EXPECT_EQ(w.first.outer, w.settled.outer) << "the window moved after it appeared";
        EXPECT_TRUE(w.settled.outer.contains(w.settled.client)) << "the frame is not around it";
    }
};

TEST_F(WindowManagerTest, MainWindowCaptionAndOuterFramePlacement) {
    Form1 form1;
    form1.show();
    const Watched w = watch(m_x, &form1);
    report("main window", w);
    expectCaption(w, "Tarno Playroom 1.0");
    expectPlaced(w, Rule::OneThird, form1.screen());
}

// Every other window opens over the main window, as in the program, through the code
// that opens it there.
struct ModalCase {
    const char* what;
    const char* caption;
    std::optional<Rule> rule; // none: where the platform puts it
    std::function<void(QWidget* parent, const std::string& scoresFile)> open;
};

void PrintTo(const ModalCase& c, std::ostream* os) {
    *os << c.what;
}

class ModalWindows : public WindowManagerTest, public ::testing::WithParamInterface<ModalCase> {};

TEST_P(ModalWindows, CaptionExactAndOuterFramePlaced) {
    const ModalCase& c = GetParam();
    Form1 form1;
    form1.show();
    ASSERT_TRUE(watch(m_x, &form1).first.framed);
    const auto scores = std::filesystem::temp_directory_path() /
                        ("tarno-wm-" + std::to_string(QCoreApplication::applicationPid()));
    const Watched w = watchModal(&form1, [&] { c.open(&form1, scores.string()); });
    std::filesystem::remove(scores);
    report(c.what, w);
    expectCaption(w, c.caption);
    if (c.rule)
        expectPlaced(w, *c.rule, form1.screen());
}

INSTANTIATE_TEST_SUITE_P(
    Windows, ModalWindows,
    ::testing::Values(ModalCase{"game window", "Tarno 9", Rule::OneThird,
                                [](QWidget* parent, const std::string&) { launchGame(parent, 1); }},
                      ModalCase{"hi-score window", "Tarno 9 Hi Scores", Rule::Centred,
                                [](QWidget* parent, const std::string& file) {
                                    ShowHiScores(parent, 1, 0, ScoreFile(file));
                                }},
                      ModalCase{"about window", "About Tarno Playroom", Rule::Centred,
                                [](QWidget* parent, const std::string&) { showAbout(parent); }},
                      ModalCase{"help message", "Error", std::nullopt,
                                [](QWidget* parent, const std::string&) {
                                    QtDesktop(parent).showWarning(
                                        "Error", "Cannot execute default browser.");
                                }},
                      ModalCase{"name prompt", "Enter your name for HiScore List", std::nullopt,
                                [](QWidget* parent, const std::string&) {
                                    QInputDialog::getText(
                                        parent, QStringLiteral("Enter your name for HiScore List"),
                                        QStringLiteral("Your name:"));
                                }}),
    [](const ::testing::TestParamInfo<ModalCase>& info) {
        std::string name;
        for (const char ch : std::string(info.param.what))
            if (std::isalnum(static_cast<unsigned char>(ch)))
                name += ch;
        return name;
    });

// The game window takes the largest step of its series whose outer frame fits the work
// area: the next step would not fit.
TEST_F(WindowManagerTest, GameWindowIsTheLargestStepThatFitsTheWorkArea) {
    Form1 form1;
    form1.show();
    ASSERT_TRUE(watch(m_x, &form1).first.framed);
    const Watched w = watchModal(&form1, [&] { launchGame(&form1, 1); });
    report("game window", w);
    const QRect area = form1.screen()->availableGeometry();
    const QSize frame = w.settled.outer.size() - w.settled.client.size();
    const QSize next = w.settled.client.size() + QSize(80, 60) + frame;
    EXPECT_EQ(w.settled.client.width() * 3, w.settled.client.height() * 4);
    EXPECT_TRUE(next.width() > area.width() || next.height() > area.height() ||
                next.width() - frame.width() >= form1.screen()->geometry().width() ||
                next.height() - frame.height() >= form1.screen()->geometry().height())
        << "a larger step would fit: client " << w.settled.client.width() << "x"
        << w.settled.client.height() << " in a work area of " << area.width() << "x"
        << area.height();
}

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
    const auto id = static_cast<xcb_window_t>(form1.winId());
    Seen seen;
    ASSERT_TRUE(waitUntil(
        [&] {
            return (seen = m_x.see(id)).client.isValid() && form1.isVisible() &&
                   QTest::qWaitForWindowExposed(&form1);
        },
        std::chrono::seconds(10)));
    QTest::qWait(100);
    seen = m_x.see(id);
    std::cout << "main window, no window manager: " << seen.client.width() << "x"
              << seen.client.height() << " at " << seen.client.x() << "," << seen.client.y()
              << "\n";
    EXPECT_EQ(seen.outer, seen.client);
    EXPECT_EQ(seen.client.topLeft(), expectedAt(Rule::OneThird, seen.client, form1.screen()));
    EXPECT_EQ(seen.netWmName, "Tarno Playroom 1.0");
}

} // namespace
} // namespace tarno

// The windows as a real window manager shows them: the caption the X server holds for
// each window, and where the outer frame lands. Runs on X11 under a window manager
// (tests/support/with_openbox.sh starts Xvfb and openbox); skips anywhere else.
//
// Everything is observed through a connection of its own, as any other X client (xprop,
// xwininfo) would see it, not through what Qt believes.
#include "host/form2.h"
#include "platform/appidentity.h"
#include "platform/qtdesktop.h"
#include "platform/windowframe.h"
#include "scores/hiscorewindows.h"
#include "shell/aboutfrm.h"
#include "shell/form1.h"

#include <QApplication>
#include <QInputDialog>
#include <QScreen>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>
#include <xcb/xcb.h>

#include <cctype>
#include <chrono>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <functional>
#include <iostream>
#include <memory>
#include <optional>
#include <string>

namespace tarno {
namespace {

template <typename Reply> std::unique_ptr<Reply, decltype(&std::free)> own(Reply* reply) {
    return {reply, &std::free};
}

bool waitUntil(const std::function<bool()>& done, std::chrono::milliseconds limit) {
    const auto end = std::chrono::steady_clock::now() + limit;
    while (!done()) {
        if (std::chrono::steady_clock::now() > end)
            return false;
        QTest::qWait(5);
    }
    return true;
}

// What an outside X client sees of one top-level window.
struct Seen {
    std::string netWmName; // _NET_WM_NAME, UTF-8
    std::string wmName;    // WM_NAME
    bool framed = false;   // mapped, reparented and given frame extents
    QRect outer;           // the window manager's frame window, borders included
    QRect client;
};

class XObserver {
public:
    XObserver() : m_c(xcb_connect(nullptr, nullptr)) {}
    ~XObserver() { xcb_disconnect(m_c); }
    XObserver(const XObserver&) = delete;
    XObserver& operator=(const XObserver&) = delete;

    bool connected() const { return !xcb_connection_has_error(m_c); }

    xcb_window_t root() const { return xcb_setup_roots_iterator(xcb_get_setup(m_c)).data->root; }

    // Whether the window manager answers frame requests yet: it may have claimed the
    // screen a good while before it takes requests, and a window created before then
    // gets no answer in time.
    bool windowManagerAnswers(std::chrono::milliseconds limit) {
        const xcb_window_t probe = xcb_generate_id(m_c);
        const xcb_screen_t* screen = xcb_setup_roots_iterator(xcb_get_setup(m_c)).data;
        xcb_create_window(m_c, XCB_COPY_FROM_PARENT, probe, screen->root, 0, 0, 10, 10, 0,
                          XCB_WINDOW_CLASS_INPUT_OUTPUT, screen->root_visual, 0, nullptr);
        xcb_client_message_event_t event{};
        event.response_type = XCB_CLIENT_MESSAGE;
        event.format = 32;
        event.window = probe;
        event.type = atom("_NET_REQUEST_FRAME_EXTENTS");
        // A request sent before the window manager listens is lost: ask again and again.
        bool answered = false;
        const auto end = std::chrono::steady_clock::now() + limit;
        while (!answered && std::chrono::steady_clock::now() < end) {
            xcb_send_event(m_c, 0, screen->root,
                           XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY |
                               XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT,
                           reinterpret_cast<const char*>(&event));
            xcb_flush(m_c);
            answered = waitUntil(
                [&] {
                    return !property(probe, atom("_NET_FRAME_EXTENTS"), XCB_ATOM_CARDINAL).empty();
                },
                std::chrono::milliseconds(100));
        }
        xcb_destroy_window(m_c, probe);
        xcb_flush(m_c);
        return answered;
    }

    Seen see(xcb_window_t id) {
        Seen s;
        s.netWmName = property(id, atom("_NET_WM_NAME"), atom("UTF8_STRING"));
        s.wmName = property(id, XCB_ATOM_WM_NAME, XCB_ATOM_ANY);
        const auto attrs =
            own(xcb_get_window_attributes_reply(m_c, xcb_get_window_attributes(m_c, id), nullptr));
        const auto geometry = own(xcb_get_geometry_reply(m_c, xcb_get_geometry(m_c, id), nullptr));
        const auto at = own(xcb_translate_coordinates_reply(
            m_c, xcb_translate_coordinates(m_c, id, root(), 0, 0), nullptr));
        if (!attrs || !geometry || !at)
            return s;
        s.client = QRect(at->dst_x, at->dst_y, geometry->width, geometry->height);
        const xcb_window_t frame = topAncestor(id);
        const auto outer = own(xcb_get_geometry_reply(m_c, xcb_get_geometry(m_c, frame), nullptr));
        if (!outer)
            return s;
        const int border = 2 * outer->border_width;
        s.outer = QRect(outer->x, outer->y, outer->width + border, outer->height + border);
        s.framed = attrs->map_state == XCB_MAP_STATE_VIEWABLE && frame != id &&
                   !property(id, atom("_NET_FRAME_EXTENTS"), XCB_ATOM_CARDINAL).empty();
        return s;
    }

private:
    xcb_atom_t atom(const char* name) {
        const auto reply = own(xcb_intern_atom_reply(
            m_c, xcb_intern_atom(m_c, 0, static_cast<uint16_t>(std::strlen(name)), name), nullptr));
        return reply ? reply->atom : xcb_atom_t{XCB_ATOM_NONE};
    }

    std::string property(xcb_window_t window, xcb_atom_t name, xcb_atom_t type) {
        const auto reply = own(xcb_get_property_reply(
            m_c, xcb_get_property(m_c, 0, window, name, type, 0, 1024), nullptr));
        if (!reply || reply->type == XCB_ATOM_NONE)
            return {};
        const int bytes = xcb_get_property_value_length(reply.get());
        return std::string(static_cast<const char*>(xcb_get_property_value(reply.get())),
                           static_cast<size_t>(bytes));
    }

    // The child of the root that holds `id`: the window manager's frame once it has
    // reparented the window, the window itself before.
    xcb_window_t topAncestor(xcb_window_t id) {
        for (;;) {
            const auto tree = own(xcb_query_tree_reply(m_c, xcb_query_tree(m_c, id), nullptr));
            if (!tree || tree->parent == tree->root || tree->parent == XCB_WINDOW_NONE)
                return id;
            id = tree->parent;
        }
    }

    xcb_connection_t* m_c;
};

// The window's first framed view and a second one a while later: the two must agree,
// or the window jumped after it appeared.
struct Watched {
    QString title; // as the window set it
    Seen first;
    Seen settled;
};

Watched watch(XObserver& x, QWidget* window) {
    Watched w;
    w.title = window->windowTitle();
    const auto id = static_cast<xcb_window_t>(window->winId());
    waitUntil([&] { return (w.first = x.see(id)).framed; }, std::chrono::seconds(10));
    QTest::qWait(300);
    w.settled = x.see(id);
    return w;
}

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
                      ModalCase{"hi-score message", "Hi Scores", std::nullopt,
                                [](QWidget* parent, const std::string& file) {
                                    ScoreFile scores(file);
                                    WindowHiScoreView(parent, scores)
                                        .showMessage(HiScoreView::Severity::Information,
                                                     "No list.");
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

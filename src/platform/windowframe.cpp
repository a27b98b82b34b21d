// SPDX-License-Identifier: GPL-3.0-or-later
// Frame extents from the window manager, and placing by the outer edge.
#include "platform/windowframe.h"

#include <QGuiApplication>
#include <QLoggingCategory>
#include <QScreen>
#include <QWidget>
#include <QWindow>
#include <QtGui/qguiapplication_platform.h>

#include <xcb/xcb.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <thread>

namespace tarno {
namespace {

// QT_LOGGING_RULES="tarno.frame.debug=true" tells where each window's frame came from.
Q_LOGGING_CATEGORY(lcFrame, "tarno.frame", QtWarningMsg)

// How long a window manager that offers the request may take to answer it.
constexpr std::chrono::milliseconds kAnswerTimeout{300};
constexpr std::chrono::milliseconds kPollInterval{2};
constexpr std::chrono::milliseconds kRequestInterval{50};

template <typename Reply> using ReplyPtr = std::unique_ptr<Reply, decltype(&std::free)>;

template <typename Reply> ReplyPtr<Reply> own(Reply* reply) {
    return ReplyPtr<Reply>(reply, &std::free);
}

xcb_atom_t internAtom(xcb_connection_t* c, const char* name) {
    const auto reply = own(xcb_intern_atom_reply(
        c, xcb_intern_atom(c, 1, static_cast<uint16_t>(std::strlen(name)), name), nullptr));
    return reply ? reply->atom : xcb_atom_t{XCB_ATOM_NONE};
}

bool rootListsAtom(xcb_connection_t* c, xcb_window_t root, xcb_atom_t list, xcb_atom_t wanted) {
    const auto reply = own(xcb_get_property_reply(
        c, xcb_get_property(c, 0, root, list, XCB_ATOM_ATOM, 0, 4096), nullptr));
    if (!reply || reply->type != XCB_ATOM_ATOM || reply->format != 32)
        return false;
    const auto* atoms = static_cast<const xcb_atom_t*>(xcb_get_property_value(reply.get()));
    const int count = xcb_get_property_value_length(reply.get()) / 4;
    return std::find(atoms, atoms + count, wanted) != atoms + count;
}

std::optional<FramePx> readExtents(xcb_connection_t* c, xcb_window_t window, xcb_atom_t extents) {
    const auto reply = own(xcb_get_property_reply(
        c, xcb_get_property(c, 0, window, extents, XCB_ATOM_CARDINAL, 0, 4), nullptr));
    if (!reply || reply->type != XCB_ATOM_CARDINAL || reply->format != 32 ||
        xcb_get_property_value_length(reply.get()) != 16)
        return std::nullopt;
    // Stored as left, right, top, bottom.
    const auto* v = static_cast<const uint32_t*>(xcb_get_property_value(reply.get()));
    return FramePx{static_cast<int>(v[0]), static_cast<int>(v[2]), static_cast<int>(v[1]),
                   static_cast<int>(v[3])};
}

FramePx fromMargins(const QMargins& m) {
    return {m.left(), m.top(), m.right(), m.bottom()};
}

} // namespace

std::optional<FramePx> requestFrameExtents(QWidget* window) {
    const auto* x11 =
        qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    xcb_connection_t* c = x11 ? x11->connection() : nullptr;
    if (!c)
        return std::nullopt;
    const auto id = static_cast<xcb_window_t>(window->winId());
    const auto geometry = own(xcb_get_geometry_reply(c, xcb_get_geometry(c, id), nullptr));
    if (!geometry)
        return std::nullopt;
    const xcb_window_t root = geometry->root;
    const xcb_atom_t supported = internAtom(c, "_NET_SUPPORTED");
    const xcb_atom_t request = internAtom(c, "_NET_REQUEST_FRAME_EXTENTS");
    const xcb_atom_t extents = internAtom(c, "_NET_FRAME_EXTENTS");
    if (!supported || !request || !extents || !rootListsAtom(c, root, supported, request)) {
        qCDebug(lcFrame) << "no window manager offers _NET_REQUEST_FRAME_EXTENTS";
        return std::nullopt;
    }
    if (auto known = readExtents(c, id, extents))
        return known;

    xcb_client_message_event_t event{};
    event.response_type = XCB_CLIENT_MESSAGE;
    event.format = 32;
    event.window = id;
    event.type = request;
    // The answer is a property the window manager sets on the window; it comes from
    // another client, so there is nothing to wait on but the property itself. A window
    // manager that is still starting loses requests sent before it listens, so the
    // request goes out again now and then.
    const auto start = std::chrono::steady_clock::now();
    auto nextRequest = start;
    do {
        if (std::chrono::steady_clock::now() >= nextRequest) {
            xcb_send_event(c, 0, root,
                           XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY |
                               XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT,
                           reinterpret_cast<const char*>(&event));
            xcb_flush(c);
            nextRequest += kRequestInterval;
        }
        if (auto answer = readExtents(c, id, extents)) {
            qCDebug(lcFrame) << "frame" << answer->left << answer->top << answer->right
                             << answer->bottom << "after"
                             << std::chrono::duration<double, std::milli>(
                                    std::chrono::steady_clock::now() - start)
                                    .count()
                             << "ms";
            return answer;
        }
        std::this_thread::sleep_for(kPollInterval);
    } while (std::chrono::steady_clock::now() < start + kAnswerTimeout);
    qCWarning(lcFrame) << "the window manager did not tell the frame in time";
    return std::nullopt;
}

FramePx frameExtents(QWidget* window) {
    window->winId();
    if (auto asked = requestFrameExtents(window))
        return *asked;
    return window->windowHandle() ? fromMargins(window->windowHandle()->frameMargins()) : FramePx{};
}

void placeOuterFrame(QWidget* window, const std::function<PointPx(SizePx outer)>& place) {
    const FramePx frame = frameExtents(window);
    const SizePx inner{window->width(), window->height()};
    const PointPx client = clientOrigin(place(outerSize(inner, frame)), frame);
    // The client rectangle itself, so the result does not depend on what the platform
    // already knows about the frame.
    window->setGeometry(client.x, client.y, inner.width, inner.height);
}

void centreOnScreen(QWidget* window) {
    const QScreen* screen = window->screen() ? window->screen() : QGuiApplication::primaryScreen();
    if (!screen)
        return;
    const QRect area = screen->availableGeometry();
    placeOuterFrame(window, [&](SizePx outer) {
        return centreIn({area.x(), area.y(), area.width(), area.height()}, outer);
    });
}

} // namespace tarno

// SPDX-License-Identifier: GPL-3.0-or-later
// XObserver: the windows as another X client sees them, through a connection of its own:
// the captions the X server holds and the window manager's frame around each window.
#pragma once

#include <QRect>
#include <QTest>
#include <QWidget>

#include <xcb/xcb.h>

#include <chrono>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>

namespace tarno {

struct Seen {
    std::string netWmName; // _NET_WM_NAME, UTF-8
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

    // Whether the window manager answers frame requests yet: one sent before it listens
    // is lost, so the probe window asks again and again.
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
        bool answered = false;
        const auto end = std::chrono::steady_clock::now() + limit;
        while (!answered && std::chrono::steady_clock::now() < end) {
            xcb_send_event(m_c, 0, screen->root,
                           XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY | XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT,
                           reinterpret_cast<const char*>(&event));
            xcb_flush(m_c);
            answered = QTest::qWaitFor([&] { return !frameExtents(probe).empty(); }, 100);
        }
        xcb_destroy_window(m_c, probe);
        xcb_flush(m_c);
        return answered;
    }

    Seen see(xcb_window_t id) {
        Seen s;
        s.netWmName = property(id, atom("_NET_WM_NAME"), atom("UTF8_STRING"));
        const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(m_c)).data->root;
        const auto attrs =
            own(xcb_get_window_attributes_reply(m_c, xcb_get_window_attributes(m_c, id), nullptr));
        const auto geometry = own(xcb_get_geometry_reply(m_c, xcb_get_geometry(m_c, id), nullptr));
        const auto at = own(xcb_translate_coordinates_reply(
            m_c, xcb_translate_coordinates(m_c, id, root, 0, 0), nullptr));
        if (!attrs || !geometry || !at)
            return s;
        s.client = QRect(at->dst_x, at->dst_y, geometry->width, geometry->height);
        // The child of the root that holds the window: the frame once it is reparented.
        xcb_window_t frame = id;
        while (const auto tree =
                   own(xcb_query_tree_reply(m_c, xcb_query_tree(m_c, frame), nullptr))) {
            if (tree->parent == tree->root || tree->parent == XCB_WINDOW_NONE)
                break;
            frame = tree->parent;
        }
        const auto outer = own(xcb_get_geometry_reply(m_c, xcb_get_geometry(m_c, frame), nullptr));
        if (!outer)
            return s;
        const int border = 2 * outer->border_width;
        s.outer = QRect(outer->x, outer->y, outer->width + border, outer->height + border);
        s.framed = attrs->map_state == XCB_MAP_STATE_VIEWABLE && frame != id &&
                   !frameExtents(id).empty();
        return s;
    }

private:
    template <typename Reply> static std::unique_ptr<Reply, decltype(&std::free)> own(Reply* r) {
        return {r, &std::free};
    }

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
        return std::string(static_cast<const char*>(xcb_get_property_value(reply.get())),
                           static_cast<size_t>(xcb_get_property_value_length(reply.get())));
    }

    std::string frameExtents(xcb_window_t id) {
        return property(id, atom("_NET_FRAME_EXTENTS"), XCB_ATOM_CARDINAL);
    }

    xcb_connection_t* m_c;
};

// The window's first framed view and one a while later: a window that jumped differs.
struct Watched {
    Seen first;
    Seen settled;
};

inline Watched watch(XObserver& x, QWidget* window) {
    Watched w;
    const auto id = static_cast<xcb_window_t>(window->winId());
    QTest::qWaitFor([&] { return (w.first = x.see(id)).framed; }, 10000);
    QTest::qWait(300);
    w.settled = x.see(id);
    return w;
}

} // namespace tarno

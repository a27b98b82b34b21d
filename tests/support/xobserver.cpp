// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/xobserver.h"

#include <QTest>
#include <QWidget>

#include <cstdlib>
#include <cstring>
#include <memory>

namespace tarno {
namespace {

template <typename Reply> std::unique_ptr<Reply, decltype(&std::free)> own(Reply* reply) {
    return {reply, &std::free};
}

} // namespace

bool waitUntil(const std::function<bool()>& done, std::chrono::milliseconds limit) {
    const auto end = std::chrono::steady_clock::now() + limit;
    while (!done()) {
        if (std::chrono::steady_clock::now() > end)
            return false;
        QTest::qWait(5);
    }
    return true;
}

XObserver::XObserver() : m_c(xcb_connect(nullptr, nullptr)) {}

XObserver::~XObserver() {
    xcb_disconnect(m_c);
}

bool XObserver::connected() const {
    return !xcb_connection_has_error(m_c);
}

xcb_window_t XObserver::root() const {
    return xcb_setup_roots_iterator(xcb_get_setup(m_c)).data->root;
}

bool XObserver::windowManagerAnswers(std::chrono::milliseconds limit) {
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
                       XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY | XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT,
                       reinterpret_cast<const char*>(&event));
        xcb_flush(m_c);
        answered = waitUntil(
            [&] { return !property(probe, atom("_NET_FRAME_EXTENTS"), XCB_ATOM_CARDINAL).empty(); },
            std::chrono::milliseconds(100));
    }
    xcb_destroy_window(m_c, probe);
    xcb_flush(m_c);
    return answered;
}

Seen XObserver::see(xcb_window_t id) {
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

xcb_atom_t XObserver::atom(const char* name) {
    const auto reply = own(xcb_intern_atom_reply(
        m_c, xcb_intern_atom(m_c, 0, static_cast<uint16_t>(std::strlen(name)), name), nullptr));
    return reply ? reply->atom : xcb_atom_t{XCB_ATOM_NONE};
}

std::string XObserver::property(xcb_window_t window, xcb_atom_t name, xcb_atom_t type) {
    const auto reply = own(
        xcb_get_property_reply(m_c, xcb_get_property(m_c, 0, window, name, type, 0, 1024), nullptr));
    if (!reply || reply->type == XCB_ATOM_NONE)
        return {};
    const int bytes = xcb_get_property_value_length(reply.get());
    return std::string(static_cast<const char*>(xcb_get_property_value(reply.get())),
                       static_cast<size_t>(bytes));
}

xcb_window_t XObserver::topAncestor(xcb_window_t id) {
    for (;;) {
        const auto tree = own(xcb_query_tree_reply(m_c, xcb_query_tree(m_c, id), nullptr));
        if (!tree || tree->parent == tree->root || tree->parent == XCB_WINDOW_NONE)
            return id;
        id = tree->parent;
    }
}

Watched watch(XObserver& x, QWidget* window) {
    Watched w;
    w.title = window->windowTitle();
    const auto id = static_cast<xcb_window_t>(window->winId());
    waitUntil([&] { return (w.first = x.see(id)).framed; }, std::chrono::seconds(10));
    QTest::qWait(300);
    w.settled = x.see(id);
    return w;
}

} // namespace tarno

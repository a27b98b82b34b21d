// SPDX-License-Identifier: GPL-3.0-or-later
// XObserver: the windows as any other X client (xprop, xwininfo) sees them, through a
// connection of its own rather than through what Qt believes: the captions the X server
// holds and the window manager's frame around each window.
#pragma once

#include <QRect>
#include <QString>

#include <xcb/xcb.h>

#include <chrono>
#include <functional>
#include <string>

class QWidget;

namespace tarno {

// Lets events through until `done` holds; false after `limit`.
bool waitUntil(const std::function<bool()>& done, std::chrono::milliseconds limit);

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
    XObserver();
    ~XObserver();
    XObserver(const XObserver&) = delete;
    XObserver& operator=(const XObserver&) = delete;

    bool connected() const;
    xcb_window_t root() const;
    // Whether the window manager answers frame requests yet: it may have claimed the
    // screen a good while before it takes requests, and a window created before then
    // gets no answer in time.
    bool windowManagerAnswers(std::chrono::milliseconds limit);
    Seen see(xcb_window_t id);

private:
    xcb_atom_t atom(const char* name);
    std::string property(xcb_window_t window, xcb_atom_t name, xcb_atom_t type);
    // The child of the root that holds `id`: the window manager's frame once it has
    // reparented the window, the window itself before.
    xcb_window_t topAncestor(xcb_window_t id);

    xcb_connection_t* m_c;
};

// The window's first framed view and a second one a while later: the two must agree,
// or the window jumped after it appeared.
struct Watched {
    QString title; // as the window set it
    Seen first;
    Seen settled;
};

Watched watch(XObserver& x, QWidget* window);

} // namespace tarno

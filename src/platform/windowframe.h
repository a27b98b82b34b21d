// SPDX-License-Identifier: GPL-3.0-or-later
// The frame a window manager draws around a top-level window, and placing a window by
// its outer edge before it is first shown.
#pragma once

#include "platform/geometry.h"

#include <functional>
#include <optional>

class QWidget;

namespace tarno {

// The frame the window manager will draw around `window`, asked for before the window
// is shown: under X11 with `_NET_REQUEST_FRAME_EXTENTS` when the window manager offers
// it. Elsewhere the frame the platform already knows, and no frame at all when there is
// no window manager. Creates the platform window if needed.
FramePx frameExtents(QWidget* window);

// The X11 part on its own: the window manager's answer, or nothing when the platform is
// not X11, no window manager offers the request, or it does not answer in time.
std::optional<FramePx> requestFrameExtents(QWidget* window);

// Places a top-level window that is not shown yet: `place` gets the outer size (the
// window's size with the frame of `frameExtents`) and returns where the outer frame's
// top-left corner goes. The window then appears there at once and never moves after.
void placeOuterFrame(QWidget* window, const std::function<PointPx(SizePx outer)>& place);

// Centres the outer frame on the available area of the window's screen.
void centreOnScreen(QWidget* window);

} // namespace tarno

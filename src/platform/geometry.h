// SPDX-License-Identifier: GPL-3.0-or-later
// Window sizing and placement, as pure functions of screen metrics in twips.
#pragma once

namespace tarno {

constexpr double kTwipsPerInch = 1440.0;

struct TwipsPerPixel {
    double x = 15.0;
    double y = 15.0;
};

struct RectTwips {
    double x = 0;
    double y = 0;
    double width = 0;
    double height = 0;
};

// What the platform reports about the screen: its size in twips, the twips per pixel of
// each axis, and the work area: the part of the screen that the desktop's panels leave
// to windows.
struct ScreenMetrics {
    double widthTwips = 0;
    double heightTwips = 0;
    TwipsPerPixel twipsPerPixel;
    RectTwips workArea;
};

struct SizeTwips {
    double width = 0;
    double height = 0;
};

struct PointTwips {
    double x = 0;
    double y = 0;
};

struct SizePx {
    int width = 0;
    int height = 0;
    friend bool operator==(const SizePx&, const SizePx&) = default;
};

struct PointPx {
    int x = 0;
    int y = 0;
    friend bool operator==(const PointPx&, const PointPx&) = default;
};

// The frame a window manager draws around a client area: title bar and borders, in
// pixels on each side.
struct FramePx {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
    friend bool operator==(const FramePx&, const FramePx&) = default;
};

struct RectPx {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
};

// The outer size that gives a window a client area of exactly `client` pixels while
// keeping its frame (title bar, menu bar, borders). The current client size in twips
// is taken as a whole number first.
SizeTwips outerSizeForClient(SizeTwips outer, SizeTwips currentClient, SizePx client,
                             TwipsPerPixel tpp);

// Centred across `area` (the work area), with one third of its free height above the
// window. A window larger than the area keeps its top-left corner, and so its title
// bar, inside the area.
PointTwips placeWindow(const RectTwips& area, SizeTwips window);

// Twips to whole pixels, rounded to the nearest; halves go away from zero.
PointPx toPixels(PointTwips p, TwipsPerPixel tpp);
SizePx toPixels(SizeTwips s, TwipsPerPixel tpp);
SizePx screenSizePx(const ScreenMetrics& screen);
SizePx workAreaSizePx(const ScreenMetrics& screen);

// The largest size of the series 560 x 420, 640 x 480, ... that is strictly smaller
// than the screen on both axes and that, with the window manager's `frame` around it,
// fits the work area. A screen too small for any step still gets the smallest size, so
// the game window never collapses to nothing.
SizePx gameClientSize(SizePx screen, SizePx workArea, FramePx frame);

// The window's outer size: its size as the program sees it with the frame around it.
SizePx outerSize(SizePx inner, FramePx frame);

// Where the client area starts when the outer frame's top-left corner is at `outer`.
PointPx clientOrigin(PointPx outer, FramePx frame);

// Centred on `area`, outer frame included; an odd pixel left over goes below and to the
// right. A window larger than the area keeps its top-left corner, and so its title bar,
// inside the area.
PointPx centreIn(RectPx area, SizePx outer);

} // namespace tarno

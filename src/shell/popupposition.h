// SPDX-License-Identifier: GPL-3.0-or-later
// Where a picture of the main window pops up its menu list, as pure arithmetic in twips.
#pragma once

#include "platform/geometry.h"

#include <optional>

namespace tarno {

// What the popup position is worked out from. Everything is in twips, as the window
// reports it; nothing here is in pixels yet.
struct PictureClick {
    PointTwips pointer;           // inside the picture
    PointTwips windowTopLeft;     // the main window's outer top left on the screen
    double windowOuterHeight = 0; // title bar, menu bar and borders included
    double clientHeight = 0;
    PointTwips pictureTopLeft; // the picture's top left in the client area
};

// The menu-bar position whose list picture `pictureIndex` pops up: picture n shows
// the list at n - 1. The title picture (index 0) pops up nothing.
std::optional<int> popupListPosition(int pictureIndex);

// The popup's top left in screen pixels. Each term is divided by the twips per pixel
// of its axis and the fractional sum is rounded to the nearest pixel at the end.
// Across, no border width is added; down, the whole non-client height is, so the
// list opens a border's width left of and below the pointer.
PointPx popupPosition(const PictureClick& click, TwipsPerPixel tpp);

} // namespace tarno

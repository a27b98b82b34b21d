// SPDX-License-Identifier: GPL-3.0-or-later
// Window sizing and placement arithmetic.
#include "platform/geometry.h"

#include <algorithm>
#include <cmath>

namespace tarno {

SizeTwips outerSizeForClient(SizeTwips outer, SizeTwips currentClient, SizePx client,
                             TwipsPerPixel tpp) {
    const double clientW = std::trunc(currentClient.width);
    const double clientH = std::trunc(currentClient.height);
    return {outer.width - (clientW - client.width * tpp.x),
            outer.height - (clientH - client.height * tpp.y)};
}

PointTwips placeWindow(const RectTwips& area, SizeTwips window) {
    return {area.x + std::max(0.0, (area.width - window.width) / 2),
            area.y + std::max(0.0, (area.height - window.height) / 3)};
}

PointPx toPixels(PointTwips p, TwipsPerPixel tpp) {
    return {static_cast<int>(std::lround(p.x / tpp.x)), static_cast<int>(std::lround(p.y / tpp.y))};
}

SizePx toPixels(SizeTwips s, TwipsPerPixel tpp) {
    return {static_cast<int>(std::lround(s.width / tpp.x)),
            static_cast<int>(std::lround(s.height / tpp.y))};
}

SizePx screenSizePx(const ScreenMetrics& screen) {
    return toPixels(SizeTwips{screen.widthTwips, screen.heightTwips}, screen.twipsPerPixel);
}

SizePx workAreaSizePx(const ScreenMetrics& screen) {
    return toPixels(SizeTwips{screen.workArea.width, screen.workArea.height},
                    screen.twipsPerPixel);
}

SizePx gameClientSize(SizePx screen, SizePx workArea, FramePx frame) {
    SizePx size{560, 420};
    for (int i = 0;; ++i) {
        const SizePx step{560 + 80 * i, 420 + 60 * i};
        const SizePx outer = outerSize(step, frame);
        if (step.width >= screen.width || step.height >= screen.height ||
            outer.width > workArea.width || outer.height > workArea.height)
            return size;
        size = step;
    }
}

SizePx outerSize(SizePx inner, FramePx frame) {
    return {inner.width + frame.left + frame.right, inner.height + frame.top + frame.bottom};
}

PointPx clientOrigin(PointPx outer, FramePx frame) {
    return {outer.x + frame.left, outer.y + frame.top};
}

PointPx centreIn(RectPx area, SizePx outer) {
    const auto centre = [](int start, int length, int size) {
        return start + std::max(0, (length - size) / 2);
    };
    return {centre(area.x, area.width, outer.width), centre(area.y, area.height, outer.height)};
}

} // namespace tarno

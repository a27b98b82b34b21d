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

PointTwips placeWindow(const ScreenMetrics& screen, SizeTwips window) {
    return {(screen.widthTwips - window.width) / 2, (screen.heightTwips - window.height) / 3};
}

PointPx toPixels(PointTwips p, TwipsPerPixel tpp) {
    return {static_cast<int>(std::lround(p.x / tpp.x)), static_cast<int>(std::lround(p.y / tpp.y))};
}

SizePx screenSizePx(const ScreenMetrics& screen) {
    const TwipsPerPixel& tpp = screen.twipsPerPixel;
    return {static_cast<int>(std::lround(screen.widthTwips / tpp.x)),
            static_cast<int>(std::lround(screen.heightTwips / tpp.y))};
}

SizePx gameClientSize(SizePx screen) {
    SizePx size{560, 420};
    for (int i = 0; screen.width > 560 + 80 * i && screen.height > 420 + 60 * i; ++i)
        size = {560 + 80 * i, 420 + 60 * i};
    return size;
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

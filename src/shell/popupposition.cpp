// SPDX-License-Identifier: GPL-3.0-or-later
// Popup position arithmetic for the picture buttons.
#include "shell/popupposition.h"

#include <cmath>

namespace tarno {

std::optional<int> popupListPosition(int pictureIndex) {
    if (pictureIndex < 1)
        return std::nullopt;
    return pictureIndex - 1;
}

PointPx popupPosition(const PictureClick& click, TwipsPerPixel tpp) {
    const double x =
        click.pointer.x / tpp.x + click.windowTopLeft.x / tpp.x + click.pictureTopLeft.x / tpp.x;
    const double y = click.pointer.y / tpp.y + click.windowTopLeft.y / tpp.y +
                     (click.windowOuterHeight - click.clientHeight) / tpp.y +
                     click.pictureTopLeft.y / tpp.y;
    return {static_cast<int>(std::lround(x)), static_cast<int>(std::lround(y))};
}

} // namespace tarno

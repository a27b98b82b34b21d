// SPDX-License-Identifier: GPL-3.0-or-later
// The screen as the window code sees it: size in twips and twips per pixel.
#pragma once

#include "platform/geometry.h"

class QScreen;
class QWidget;

namespace tarno {

// Twips per pixel are 1440 divided by the screen's logical dots per inch, so sizes
// given in pixels stay the same number of logical pixels on any scale.
ScreenMetrics screenMetrics(const QScreen* screen);
// The metrics of the screen a window is on, or of the primary screen.
ScreenMetrics screenMetricsFor(const QWidget* widget);

} // namespace tarno

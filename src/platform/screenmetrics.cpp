// SPDX-License-Identifier: GPL-3.0-or-later
// Screen metrics from Qt's screen information.
#include "platform/screenmetrics.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

namespace tarno {

ScreenMetrics screenMetrics(const QScreen* screen) {
    ScreenMetrics m;
    if (!screen)
        return m;
    const double dpiX = screen->logicalDotsPerInchX() > 0 ? screen->logicalDotsPerInchX() : 96.0;
    const double dpiY = screen->logicalDotsPerInchY() > 0 ? screen->logicalDotsPerInchY() : 96.0;
    m.twipsPerPixel = {kTwipsPerInch / dpiX, kTwipsPerInch / dpiY};
    const QRect area = screen->geometry();
    m.widthTwips = area.width() * m.twipsPerPixel.x;
    m.heightTwips = area.height() * m.twipsPerPixel.y;
    // Qt keeps the work area the window manager announces (_NET_WORKAREA under X11).
    const QRect work = screen->availableGeometry();
    m.workArea = {work.x() * m.twipsPerPixel.x, work.y() * m.twipsPerPixel.y,
                  work.width() * m.twipsPerPixel.x, work.height() * m.twipsPerPixel.y};
    return m;
}

ScreenMetrics screenMetricsFor(const QWidget* widget) {
    const QScreen* screen = widget ? widget->screen() : nullptr;
    return screenMetrics(screen ? screen : QGuiApplication::primaryScreen());
}

} // namespace tarno

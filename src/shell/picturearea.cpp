// SPDX-License-Identifier: GPL-3.0-or-later
// Drawing the SVG straight onto the widget keeps it crisp at any device pixel ratio.
#include "shell/picturearea.h"

#include <QMouseEvent>
#include <QPainter>

namespace tarno {

PictureArea::PictureArea(int index, const QString& svgResource, QSize size, QWidget* parent)
    : QWidget(parent), m_index(index), m_renderer(svgResource) {
    setFixedSize(size);
    setObjectName(QStringLiteral("Picture1_%1").arg(index));
}

void PictureArea::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    m_renderer.render(&painter, QRectF(rect()));
}

void PictureArea::mouseReleaseEvent(QMouseEvent* event) {
    Q_EMIT released(m_index, event->button(), event->position().toPoint());
    event->accept();
}

} // namespace tarno

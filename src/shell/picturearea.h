// SPDX-License-Identifier: GPL-3.0-or-later
// A borderless picture of fixed size that draws an SVG and reports mouse releases.
#pragma once

#include <QSvgRenderer>
#include <QWidget>

namespace tarno {

class PictureArea : public QWidget {
    Q_OBJECT
public:
    PictureArea(int index, const QString& svgResource, QSize size, QWidget* parent = nullptr);

    int index() const { return m_index; }

Q_SIGNALS:
    // Any button; `pos` is the pointer inside the picture, in pixels.
    void released(int index, Qt::MouseButton button, QPoint pos);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    int m_index;
    QSvgRenderer m_renderer;
};

} // namespace tarno

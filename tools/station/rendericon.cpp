// SPDX-License-Identifier: GPL-3.0-or-later
// Renders the product icon's SVG as a square PNG for the icon theme, at build time.
//   tarno-render-icon SVG SIZE OUT.png
#include <QImage>
#include <QPainter>
#include <QSvgRenderer>

#include <cstdio>
#include <cstdlib>

int main(int argc, char** argv) {
    if (argc != 4) {
        std::fprintf(stderr, "usage: tarno-render-icon SVG SIZE OUT.png\n");
        return 2;
    }
    // Plain shapes need no application object, so a build step needs no display.
    const int size = std::atoi(argv[2]);
    QSvgRenderer svg(QString::fromLocal8Bit(argv[1]));
    if (!svg.isValid() || size < 1 || size > 4096) {
        std::fprintf(stderr, "tarno-render-icon: cannot render %s at %s px\n", argv[1], argv[2]);
        return 1;
    }
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    svg.render(&painter);
    painter.end();
    if (!image.save(QString::fromLocal8Bit(argv[3]), "PNG")) {
        std::fprintf(stderr, "tarno-render-icon: cannot write %s\n", argv[3]);
        return 1;
    }
    return 0;
}

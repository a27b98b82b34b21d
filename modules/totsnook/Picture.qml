// SPDX-License-Identifier: GPL-3.0-or-later
// A friendly picture, painted from its shapes in Pictures.mjs. It is painted at twice its
// size and drawn at half, so it stays sharp in a large game window.
import QtQuick
import "Pictures.mjs" as Pictures

Item {
    id: picture

    property string kind: "cat"
    readonly property real oversample: 2
    readonly property var shapes: Pictures.shapesOf(kind)

    // Everything is drawn on a 100 x 100 grid, scaled to the canvas.
    function paint(ctx, width, height) {
        ctx.reset();
        const s = Math.min(width, height) / 100;
        ctx.translate((width - 100 * s) / 2, (height - 100 * s) / 2);
        ctx.scale(s, s);
        ctx.lineJoin = "round";
        ctx.lineCap = "round";
        for (const shape of shapes) {
            ctx.beginPath();
            if (shape.c)
                ctx.arc(shape.c[0], shape.c[1], shape.c[2], 0, Math.PI * 2, false);
            else if (shape.e)
                ctx.ellipse(shape.e[0] - shape.e[2], shape.e[1] - shape.e[3], 2 * shape.e[2], 2 * shape.e[3]);
            else if (shape.r)
                ctx.roundedRect(shape.r[0], shape.r[1], shape.r[2], shape.r[3], shape.r[4], shape.r[4]);
            else
                ctx.path = shape.p;
            if (shape.f) {
                ctx.fillStyle = shape.f;
                ctx.fill();
            }
            if (!shape.o) {
                ctx.lineWidth = shape.w || 3;
                ctx.strokeStyle = shape.s || "#3b2a1a";
                ctx.stroke();
            }
        }
    }

    onShapesChanged: canvas.requestPaint()

    Canvas {
        id: canvas

        width: picture.width * picture.oversample
        height: picture.height * picture.oversample
        scale: 1 / picture.oversample
        transformOrigin: Item.TopLeft
        smooth: true
        renderStrategy: Canvas.Immediate

        onWidthChanged: requestPaint()
        onHeightChanged: requestPaint()
        onPaint: picture.paint(getContext("2d"), width, height)
    }
}

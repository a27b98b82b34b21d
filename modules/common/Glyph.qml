// SPDX-License-Identifier: GPL-3.0-or-later
// A filled symbol in a colour: the shape says what the colour says, for players who
// cannot tell the colours apart. Shapes: circle, square, triangle, diamond, star, cross,
// ring, hexagon. The picture is painted at twice its size and drawn at half, so it stays
// sharp when the player scales the stage up to a large game window.
import QtQuick

Item {
    id: glyph

    property string shape: "circle"
    property color colour: "white"
    property color outline: Qt.darker(colour, 2.2)
    readonly property real oversample: 2

    implicitWidth: 32
    implicitHeight: 32

    Canvas {
        id: canvas

        width: glyph.width * glyph.oversample
        height: glyph.height * glyph.oversample
        scale: 1 / glyph.oversample
        transformOrigin: Item.TopLeft
        smooth: true
        renderStrategy: Canvas.Immediate

        onWidthChanged: requestPaint()
        onHeightChanged: requestPaint()
        onPaint: glyph.paint(getContext("2d"), width, height)
    }

    onShapeChanged: canvas.requestPaint()
    onColourChanged: canvas.requestPaint()
    onOutlineChanged: canvas.requestPaint()

    function star(ctx, cx, cy, outer, inner, points) {
        for (let i = 0; i < points * 2; ++i) {
            const r = i % 2 === 0 ? outer : inner;
            const a = -Math.PI / 2 + i * Math.PI / points;
            const x = cx + r * Math.cos(a);
            const y = cy + r * Math.sin(a);
            if (i === 0)
                ctx.moveTo(x, y);
            else
                ctx.lineTo(x, y);
        }
        ctx.closePath();
    }

    function paint(ctx, width, height) {
        ctx.reset();
        const s = Math.min(width, height);
        const cx = width / 2, cy = height / 2, r = s * 0.42;
        ctx.fillStyle = colour;
        ctx.strokeStyle = outline;
        ctx.lineWidth = Math.max(1, s * 0.06);
        ctx.lineJoin = "round";
        ctx.beginPath();
        switch (shape) {
        case "square":
            ctx.rect(cx - r * 0.85, cy - r * 0.85, r * 1.7, r * 1.7);
            break;
        case "triangle":
            ctx.moveTo(cx, cy - r);
            ctx.lineTo(cx + r * 0.95, cy + r * 0.75);
            ctx.lineTo(cx - r * 0.95, cy + r * 0.75);
            ctx.closePath();
            break;
        case "diamond":
            ctx.moveTo(cx, cy - r);
            ctx.lineTo(cx + r * 0.8, cy);
            ctx.lineTo(cx, cy + r);
            ctx.lineTo(cx - r * 0.8, cy);
            ctx.closePath();
            break;
        case "star":
            star(ctx, cx, cy, r, r * 0.45, 5);
            break;
        case "cross": {
            const w = r * 0.38;
            ctx.moveTo(cx - w, cy - r); ctx.lineTo(cx + w, cy - r); ctx.lineTo(cx + w, cy - w);
            ctx.lineTo(cx + r, cy - w); ctx.lineTo(cx + r, cy + w); ctx.lineTo(cx + w, cy + w);
            ctx.lineTo(cx + w, cy + r); ctx.lineTo(cx - w, cy + r); ctx.lineTo(cx - w, cy + w);
            ctx.lineTo(cx - r, cy + w); ctx.lineTo(cx - r, cy - w); ctx.lineTo(cx - w, cy - w);
            ctx.closePath();
            break;
        }
        case "ring":
            ctx.arc(cx, cy, r, 0, Math.PI * 2, false);
            ctx.moveTo(cx + r * 0.5, cy);
            ctx.arc(cx, cy, r * 0.5, 0, Math.PI * 2, true);
            break;
        case "hexagon":
            for (let i = 0; i < 6; ++i) {
                const a = Math.PI / 6 + i * Math.PI / 3;
                if (i === 0)
                    ctx.moveTo(cx + r * Math.cos(a), cy + r * Math.sin(a));
                else
                    ctx.lineTo(cx + r * Math.cos(a), cy + r * Math.sin(a));
            }
            ctx.closePath();
            break;
        default:
            ctx.arc(cx, cy, r, 0, Math.PI * 2, false);
        }
        ctx.fill();
        ctx.stroke();
    }
}

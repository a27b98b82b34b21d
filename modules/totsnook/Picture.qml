// A friendly picture drawn from plain shapes: sun, fish, flower, house, tree, balloon,
// boat or apple. Each has its own outline, so no two need telling apart by colour. It is
// painted at twice its size and drawn at half, so it stays sharp in a large game window.
import QtQuick

Item {
    id: picture

    property string kind: "sun"
    readonly property real oversample: 2

    onKindChanged: canvas.requestPaint()

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

    function circle(ctx, x, y, r, fill) {
        ctx.beginPath();
        ctx.arc(x, y, r, 0, Math.PI * 2, false);
        ctx.fillStyle = fill;
        ctx.fill();
        ctx.stroke();
    }
    function polygon(ctx, points, fill) {
        ctx.beginPath();
        ctx.moveTo(points[0][0], points[0][1]);
        for (let i = 1; i < points.length; ++i)
            ctx.lineTo(points[i][0], points[i][1]);
        ctx.closePath();
        ctx.fillStyle = fill;
        ctx.fill();
        ctx.stroke();
    }
    function smile(ctx, x, y, r) {
        ctx.beginPath();
        ctx.arc(x, y, r, 0.15 * Math.PI, 0.85 * Math.PI, false);
        ctx.stroke();
    }

    // Everything is drawn on a 100 x 100 grid, scaled to the canvas.
    function paint(ctx, width, height) {
        ctx.reset();
        const s = Math.min(width, height) / 100;
        ctx.translate((width - 100 * s) / 2, (height - 100 * s) / 2);
        ctx.scale(s, s);
        ctx.lineWidth = 3;
        ctx.lineJoin = "round";
        ctx.lineCap = "round";
        ctx.strokeStyle = "#3b2a1a";
        switch (kind) {
        case "sun":
            for (let i = 0; i < 12; ++i) {
                const a = i * Math.PI / 6;
                polygon(ctx, [[50 + 30 * Math.cos(a - 0.18), 50 + 30 * Math.sin(a - 0.18)],
                              [50 + 46 * Math.cos(a), 50 + 46 * Math.sin(a)],
                              [50 + 30 * Math.cos(a + 0.18), 50 + 30 * Math.sin(a + 0.18)]], "#ffb703");
            }
            circle(ctx, 50, 50, 30, "#ffd60a");
            circle(ctx, 40, 45, 3.5, "#3b2a1a");
            circle(ctx, 60, 45, 3.5, "#3b2a1a");
            smile(ctx, 50, 52, 13);
            break;
        case "fish":
            polygon(ctx, [[70, 50], [94, 32], [94, 68]], "#fb8500");
            ctx.beginPath();
            ctx.ellipse(8, 28, 68, 44);
            ctx.fillStyle = "#ffb347";
            ctx.fill();
            ctx.stroke();
            circle(ctx, 26, 45, 6, "white");
            circle(ctx, 27, 45, 3, "#3b2a1a");
            smile(ctx, 22, 52, 7);
            break;
        case "flower":
            ctx.beginPath();
            ctx.moveTo(50, 55);
            ctx.lineTo(50, 96);
            ctx.strokeStyle = "#2d6a4f";
            ctx.lineWidth = 6;
            ctx.stroke();
            ctx.lineWidth = 3;
            ctx.strokeStyle = "#3b2a1a";
            for (let i = 0; i < 6; ++i) {
                const a = i * Math.PI / 3;
                circle(ctx, 50 + 20 * Math.cos(a), 38 + 20 * Math.sin(a), 14, "#ff7eb6");
            }
            circle(ctx, 50, 38, 13, "#ffd60a");
            break;
        case "house":
            polygon(ctx, [[18, 50], [82, 50], [82, 92], [18, 92]], "#f4a261");
            polygon(ctx, [[8, 52], [50, 12], [92, 52]], "#d62828");
            polygon(ctx, [[42, 66], [58, 66], [58, 92], [42, 92]], "#6d4c41");
            polygon(ctx, [[24, 58], [36, 58], [36, 70], [24, 70]], "#a8dadc");
            polygon(ctx, [[64, 58], [76, 58], [76, 70], [64, 70]], "#a8dadc");
            break;
        case "tree":
            polygon(ctx, [[44, 60], [56, 60], [58, 96], [42, 96]], "#8d5524");
            circle(ctx, 50, 36, 26, "#52b788");
            circle(ctx, 30, 52, 16, "#40916c");
            circle(ctx, 70, 52, 16, "#40916c");
            circle(ctx, 40, 30, 4, "#e63946");
            circle(ctx, 62, 40, 4, "#e63946");
            break;
        case "balloon":
            ctx.beginPath();
            ctx.moveTo(50, 72);
            ctx.bezierCurveTo(40, 82, 60, 88, 48, 98);
            ctx.stroke();
            ctx.beginPath();
            ctx.ellipse(24, 6, 52, 64);
            ctx.fillStyle = "#4cc9f0";
            ctx.fill();
            ctx.stroke();
            polygon(ctx, [[45, 74], [55, 74], [50, 68]], "#4cc9f0");
            ctx.beginPath();
            ctx.ellipse(34, 16, 10, 16);
            ctx.fillStyle = "#d6f5ff";
            ctx.fill();
            break;
        case "boat":
            polygon(ctx, [[50, 10], [50, 62], [84, 62]], "#f1faee");
            polygon(ctx, [[46, 20], [46, 62], [20, 62]], "#ffb703");
            polygon(ctx, [[8, 68], [92, 68], [78, 88], [22, 88]], "#e76f51");
            ctx.beginPath();
            ctx.moveTo(4, 94);
            ctx.bezierCurveTo(20, 88, 30, 100, 50, 94);
            ctx.bezierCurveTo(70, 88, 80, 100, 96, 94);
            ctx.strokeStyle = "#2a9df4";
            ctx.stroke();
            break;
        case "apple":
            ctx.beginPath();
            ctx.moveTo(50, 30);
            ctx.bezierCurveTo(30, 14, 6, 28, 12, 56);
            ctx.bezierCurveTo(18, 86, 38, 96, 50, 88);
            ctx.bezierCurveTo(62, 96, 82, 86, 88, 56);
            ctx.bezierCurveTo(94, 28, 70, 14, 50, 30);
            ctx.closePath();
            ctx.fillStyle = "#e63946";
            ctx.fill();
            ctx.stroke();
            ctx.beginPath();
            ctx.moveTo(50, 30);
            ctx.lineTo(54, 12);
            ctx.stroke();
            ctx.beginPath();
            ctx.ellipse(56, 10, 22, 12);
            ctx.fillStyle = "#52b788";
            ctx.fill();
            ctx.stroke();
            break;
        }
    }
}

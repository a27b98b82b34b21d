// SPDX-License-Identifier: GPL-3.0-or-later
// A sum piece drawn unturned: a light square body with a bump (even code) or a hollow
// (odd code) on every edge, round for 0 and 3, dovetailed for 2 and 1. A bump is filled
// in the colour of its shape, a hollow ringed in it. The face a Tile draws for the sum
// boards; the bumps reach beyond the item, into the neighbour's hollow.
import QtQuick
import QtQuick.Shapes
import "../edgematch/Faces.mjs" as Faces

Item {
    id: face

    property string look                 // unused: one look only
    property string codes: "0000"        // the piece string, edge 1 first
    property real size: 100
    property real uprightAngle: 0

    function code(i) {
        return Number(codes[i]) || 0;
    }

    width: size
    height: size

    // One shape for the whole face: few items draw faster on the software renderer.
    Shape {
        anchors.fill: parent
        ShapePath {
            fillColor: "#efe6d2"
            strokeColor: "#5d5443"
            strokeWidth: Math.max(1, face.size * 0.025)
            joinStyle: ShapePath.RoundJoin
            PathSvg { path: Faces.sumOutline(face.size, face.codes) }
        }
        ShapePath {
            readonly property int code: face.code(0)
            fillColor: Faces.isBump(code) ? Faces.sumColour(code) : "transparent"
            strokeColor: Faces.isBump(code) ? Qt.darker(Faces.sumColour(code), 1.6) : Faces.sumColour(code)
            strokeWidth: Math.max(1, face.size * (Faces.isBump(code) ? 0.02 : 0.045))
            joinStyle: ShapePath.RoundJoin
            PathSvg { path: Faces.sumFigure(face.size, 1, face.code(0)) }
        }
        ShapePath {
            readonly property int code: face.code(1)
            fillColor: Faces.isBump(code) ? Faces.sumColour(code) : "transparent"
            strokeColor: Faces.isBump(code) ? Qt.darker(Faces.sumColour(code), 1.6) : Faces.sumColour(code)
            strokeWidth: Math.max(1, face.size * (Faces.isBump(code) ? 0.02 : 0.045))
            joinStyle: ShapePath.RoundJoin
            PathSvg { path: Faces.sumFigure(face.size, 2, face.code(1)) }
        }
        ShapePath {
            readonly property int code: face.code(2)
            fillColor: Faces.isBump(code) ? Faces.sumColour(code) : "transparent"
            strokeColor: Faces.isBump(code) ? Qt.darker(Faces.sumColour(code), 1.6) : Faces.sumColour(code)
            strokeWidth: Math.max(1, face.size * (Faces.isBump(code) ? 0.02 : 0.045))
            joinStyle: ShapePath.RoundJoin
            PathSvg { path: Faces.sumFigure(face.size, 3, face.code(2)) }
        }
        ShapePath {
            readonly property int code: face.code(3)
            fillColor: Faces.isBump(code) ? Faces.sumColour(code) : "transparent"
            strokeColor: Faces.isBump(code) ? Qt.darker(Faces.sumColour(code), 1.6) : Faces.sumColour(code)
            strokeWidth: Math.max(1, face.size * (Faces.isBump(code) ? 0.02 : 0.045))
            joinStyle: ShapePath.RoundJoin
            PathSvg { path: Faces.sumFigure(face.size, 4, face.code(3)) }
        }
    }
}

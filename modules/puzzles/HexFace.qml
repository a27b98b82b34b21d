// SPDX-License-Identifier: GPL-3.0-or-later
// A hexagonal piece drawn unturned, standing on a point, `size` across its flat sides:
// six fields, each in the colour of its edge's code with the code's symbol, so that
// colour is never the only signal. The face a Tile draws for the hexagon boards.
import QtQuick
import QtQuick.Shapes
import "../edgematch/Faces.mjs" as Faces

Item {
    id: face

    property string look                 // unused: one look only
    property string codes: "000000"      // the piece string, edge 1 first
    property real size: 100
    property real uprightAngle: 0        // the piece's turn on the screen: the symbols stay upright
    readonly property real seam: Math.max(1, size * 0.03)

    function code(i) {
        return Number(codes[i]) || 0;
    }

    width: size
    height: size

    // One shape for the whole face: few items draw faster on the software renderer.
    Shape {
        anchors.fill: parent
        ShapePath {
            fillColor: "#0d1a33"
            strokeColor: "#0a1020"
            strokeWidth: Math.max(1, face.size * 0.02)
            joinStyle: ShapePath.RoundJoin
            PathSvg { path: Faces.hexOutline(face.size) }
        }
        ShapePath {
            fillColor: Faces.hexColour(face.code(0))
            strokeColor: "#0d1a33"
            strokeWidth: face.seam
            joinStyle: ShapePath.RoundJoin
            PathSvg { path: Faces.hexField(face.size, 1) }
        }
        ShapePath {
            fillColor: Faces.hexColour(face.code(1))
            strokeColor: "#0d1a33"
            strokeWidth: face.seam
            joinStyle: ShapePath.RoundJoin
            PathSvg { path: Faces.hexField(face.size, 2) }
        }
        ShapePath {
            fillColor: Faces.hexColour(face.code(2))
            strokeColor: "#0d1a33"
            strokeWidth: face.seam
            joinStyle: ShapePath.RoundJoin
            PathSvg { path: Faces.hexField(face.size, 3) }
        }
        ShapePath {
            fillColor: Faces.hexColour(face.code(3))
            strokeColor: "#0d1a33"
            strokeWidth: face.seam
            joinStyle: ShapePath.RoundJoin
            PathSvg { path: Faces.hexField(face.size, 4) }
        }
        ShapePath {
            fillColor: Faces.hexColour(face.code(4))
            strokeColor: "#0d1a33"
            strokeWidth: face.seam
            joinStyle: ShapePath.RoundJoin
            PathSvg { path: Faces.hexField(face.size, 5) }
        }
        ShapePath {
            fillColor: Faces.hexColour(face.code(5))
            strokeColor: "#0d1a33"
            strokeWidth: face.seam
            joinStyle: ShapePath.RoundJoin
            PathSvg { path: Faces.hexField(face.size, 6) }
        }
        ShapePath {
            fillColor: "#f8f8f2"
            strokeColor: "#1b1b1b"
            strokeWidth: Math.max(1, face.size * 0.015)
            joinStyle: ShapePath.RoundJoin
            PathSvg { path: Faces.hexMarks(face.size, face.codes, face.uprightAngle) }
        }
    }
}

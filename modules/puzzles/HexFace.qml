// A hexagonal piece drawn unturned, standing on a point, `size` across its flat sides:
// six fields, each in the colour of its edge's code with the code's symbol, so that
// colour is never the only signal. The face a Tile draws for the hexagon boards.
import QtQuick
import QtQuick.Shapes
import "Faces.mjs" as Faces

Item {
    id: face

    property string look                 // unused: one look only
    property string codes: "000000"      // the piece string, edge 1 first
    property real size: 100
    property real uprightAngle: 0

    width: size
    height: size

    Shape {
        anchors.fill: parent
        ShapePath {
            fillColor: "#0d1a33"
            strokeColor: "#0a1020"
            strokeWidth: Math.max(1, face.size * 0.02)
            joinStyle: ShapePath.RoundJoin
            PathSvg { path: Faces.hexOutline(face.size) }
        }
    }
    Repeater {
        model: 6
        Shape {
            required property int index
            readonly property int code: Number(face.codes[index])
            anchors.fill: parent
            ShapePath {
                fillColor: Faces.hexColour(code)
                strokeColor: "#0d1a33"
                strokeWidth: Math.max(1, face.size * 0.03)
                joinStyle: ShapePath.RoundJoin
                PathSvg { path: Faces.hexField(face.size, index + 1) }
            }
            ShapePath {
                fillColor: "#f8f8f2"
                strokeColor: "#1b1b1b"
                strokeWidth: Math.max(1, face.size * 0.015)
                joinStyle: ShapePath.RoundJoin
                PathSvg { path: Faces.hexMark(face.size, index + 1, code) }
            }
        }
    }
}

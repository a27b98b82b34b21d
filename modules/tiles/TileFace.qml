// SPDX-License-Identifier: GPL-3.0-or-later
// One square piece drawn unturned: its four edge codes in the game's look, as vector
// shapes so that it stays sharp however far the player scales the movie. Edge 1 is the
// east edge, then north, west and south.
import QtQuick
import QtQuick.Shapes
import "../edgematch/Looks.mjs" as Looks

Rectangle {
    id: face

    property string look: "marks"
    property string codes: "0000"     // the piece string, edge 1 first
    property real size: 100
    property real uprightAngle: 0     // the piece's turn on the screen, so letters stay upright

    width: size
    height: size
    radius: size * 0.08
    color: look === "marks" ? "#0d1526" : "#f1ead8"
    border.color: look === "marks" ? "#000000" : "#8a7f68"
    border.width: Math.max(1, size * 0.02)
    clip: look === "marks"

    Repeater {
        model: face.codes.length

        Item {
            id: edgeItem

            readonly property int edge: index + 1
            readonly property int code: Number(face.codes[index])
            readonly property var badge: Looks.badgeCentre(face.look, face.size, edge)

            anchors.fill: parent

            Shape {
                anchors.fill: parent

                ShapePath {
                    fillColor: Looks.colour(face.look, edgeItem.code)
                    strokeColor: face.look === "marks" ? "#0d1526" : Qt.darker(fillColor, 1.8)
                    strokeWidth: Math.max(1, face.size * (face.look === "marks" ? 0.035 : 0.018))
                    joinStyle: ShapePath.RoundJoin
                    PathSvg { path: Looks.fieldPath(face.look, face.size, edgeItem.edge, edgeItem.code) }
                }
                ShapePath {
                    fillColor: "#f8f8f2"
                    strokeColor: "#1b1b1b"
                    strokeWidth: Math.max(1, face.size * 0.015)
                    joinStyle: ShapePath.RoundJoin
                    PathSvg {
                        path: face.look === "marks"
                              ? Looks.markPath(edgeItem.code, edgeItem.badge.x, edgeItem.badge.y, face.size * 0.085,
                                          face.uprightAngle)
                              : ""
                    }
                }
            }

            Text {
                visible: face.look === "letters"
                x: edgeItem.badge.x - width / 2
                y: edgeItem.badge.y - height / 2
                rotation: -face.uprightAngle
                text: Looks.letter(edgeItem.code)
                color: "#111111"
                font.family: "DejaVu Sans"
                font.bold: true
                font.pixelSize: face.size * 0.19
            }
        }
    }

    // The centre of a light piece: a small stud, so that the wedges read as pointing in.
    Rectangle {
        visible: face.look !== "marks"
        anchors.centerIn: parent
        width: face.size * 0.1
        height: width
        radius: width / 2
        color: "#8a7f68"
    }
}

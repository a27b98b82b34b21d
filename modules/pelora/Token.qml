// SPDX-License-Identifier: GPL-3.0-or-later
// A ball as a game piece: a round token shaded in its colour, lit from above, with its
// colour's symbol on it, so colour is never the only sign.
import QtQuick
import "../common"
import "../common/Theme.mjs" as Theme

Item {
    id: token

    property int colour: 0
    // A token with no colour yet (a ball still to travel, a Next slot being refilled)
    // is drawn as the first colour rather than failing its bindings.
    readonly property var mark: Theme.marks[colour] || Theme.marks[0]
    readonly property color base: mark.colour
    readonly property bool light: 0.299 * base.r + 0.587 * base.g + 0.114 * base.b > 0.62

    Rectangle {
        anchors.fill: parent
        radius: width / 2
        border.color: Qt.darker(token.base, 2.2)
        border.width: Math.max(1, token.width * 0.04)
        gradient: Gradient {
            GradientStop { position: 0; color: Qt.lighter(token.base, 1.45) }
            GradientStop { position: 0.45; color: token.base }
            GradientStop { position: 1; color: Qt.darker(token.base, 1.7) }
        }
    }
    // The shine of the light on its top.
    Rectangle {
        x: token.width * 0.22
        y: token.height * 0.1
        width: token.width * 0.38
        height: token.height * 0.2
        radius: height / 2
        color: "white"
        opacity: 0.35
    }
    Glyph {
        anchors.centerIn: parent
        anchors.verticalCenterOffset: token.height * 0.03
        width: parent.width * 0.5
        height: width
        shape: token.mark.shape
        colour: token.light ? "#1d2233" : "#fbfbf7"
        outline: token.light ? "#1d2233" : Qt.darker(token.base, 2.4)
    }
}

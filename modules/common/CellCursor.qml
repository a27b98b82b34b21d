// SPDX-License-Identifier: GPL-3.0-or-later
// The keyboard frame on a board's cell: a light ring with a dark one inside it, so it is
// seen on every cell, lit or dark. It glides from cell to cell.
import QtQuick
import "Theme.mjs" as Theme

Rectangle {
    id: frame

    property color ring: Theme.cursor
    property color inner: "#0a1226"

    color: "transparent"
    border.color: ring
    border.width: 3
    radius: 6

    Rectangle {
        anchors.fill: parent
        anchors.margins: 3
        radius: Math.max(0, frame.radius - 2)
        color: "transparent"
        border.color: frame.inner
        border.width: 2
    }

    Behavior on x { NumberAnimation { duration: 70 } }
    Behavior on y { NumberAnimation { duration: 70 } }
}

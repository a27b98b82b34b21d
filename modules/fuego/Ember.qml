// SPDX-License-Identifier: GPL-3.0-or-later
// A glowing ember: a round coal, bright at the top.
import QtQuick

Rectangle {
    radius: width / 2
    border.color: "#7a2d0c"
    border.width: 2
    gradient: Gradient {
        GradientStop { position: 0; color: "#ffe08a" }
        GradientStop { position: 0.55; color: "#ff8c1a" }
        GradientStop { position: 1; color: "#c2410c" }
    }
}

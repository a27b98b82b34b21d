// SPDX-License-Identifier: GPL-3.0-or-later
// The four ways to play, one button each; the mode being played is lit.
import QtQuick
import "../common"
import "Rules.mjs" as Rules

Row {
    id: bar

    property string current

    signal chosen(string slotId)

    spacing: 10

    Repeater {
        model: Rules.modes

        GameButton {
            objectName: "mode_" + modelData.slotId
            text: modelData.label
            key: modelData.key
            primary: modelData.slotId === bar.current
            fontSize: 15
            activeFocusOnTab: false
            onClicked: bar.chosen(modelData.slotId)
        }
    }
}

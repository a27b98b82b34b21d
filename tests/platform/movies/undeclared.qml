// SPDX-License-Identifier: GPL-3.0-or-later
import QtQuick

Rectangle {
    width: 320
    height: 200
    Component.onCompleted: player.fscommand("started", player.variable("gameType"))
}

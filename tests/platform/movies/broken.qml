// SPDX-License-Identifier: GPL-3.0-or-later
import QtQuick

Item {
    width: 100
    this is not QML
}

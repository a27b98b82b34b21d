// SPDX-License-Identifier: GPL-3.0-or-later
// Keeps the query's `value` under its `key` when it has one, then reports whether it was
// kept, what it finds under "best" and "name", and the last recorded name.
import QtQuick

Item {
    width: 64
    height: 64

    Component.onCompleted: {
        const key = player.variable("key");
        const kept = key ? player.store(key, player.variable("value")) : "";
        player.fscommand("kept", [kept, player.stored("best"), player.stored("name"),
                                  player.lastName].join("|"));
    }
}

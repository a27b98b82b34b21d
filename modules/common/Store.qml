// SPDX-License-Identifier: GPL-3.0-or-later
// Small texts a movie keeps for the player: the station's store when it has one (kept
// between runs of the program), else the values it keeps while it runs, else (no station,
// in tests) a map of the engine's own.
import QtQuick
import "Memory.mjs" as Memory

QtObject {
    readonly property bool hasStation: typeof player !== "undefined" && player !== null
    readonly property bool lasting: hasStation && typeof player.store === "function"

    // The text kept under `key`, or the empty text.
    function value(key) {
        if (lasting)
            return player.stored(key);
        if (hasStation)
            return player.recall(key);
        return Memory.read(key);
    }
    // Keeps `text` under `key`; false when it could not be kept.
    function setValue(key, text) {
        if (lasting)
            return player.store(key, String(text));
        if (hasStation) {
            player.remember(key, String(text));
            return true;
        }
        return Memory.write(key, text);
    }
    // A value kept as JSON; `fallback` when there is none or it does not read.
    function object(key, fallback) {
        const text = value(key);
        if (text === "")
            return fallback;
        try {
            const parsed = JSON.parse(text);
            return parsed !== null && typeof parsed === "object" ? parsed : fallback;
        } catch (e) {
            return fallback;
        }
    }
    function setObject(key, object) {
        return setValue(key, JSON.stringify(object));
    }
}

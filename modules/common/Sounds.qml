// SPDX-License-Identifier: GPL-3.0-or-later
// The movies' sound effects (made by tools/sounds/make-sounds.py): lay, turn, select,
// clear, invalid, tick, win, lose, levelup. play(name) may be called several times for
// one event; only the most important of them sounds, once, when the event is over.
// Muting holds for every movie for the rest of the program's run, and each movie keeps
// its player's last choice in its store for later runs. Where Qt Multimedia or a sound
// device is missing the games stay silent and say nothing.
import QtQuick

Item {
    id: sounds

    readonly property var names: ["tick", "turn", "select", "lay", "invalid", "clear",
                                  "levelup", "lose", "win"] // least important first
    readonly property bool hasStation: typeof player !== "undefined" && player !== null
    property bool muted: (hasStation && player.recall("sound.muted") !== ""
                          ? player.recall("sound.muted") : store.value("sound.muted")) === "1"
    property real volume: 0.45
    readonly property bool available: Object.keys(effects).length > 0
    property string lastPlayed           // the last effect that sounded (or would have)
    property int playCount: 0

    property var effects: ({})
    property string pending

    property Store store: Store {}

    function play(name) {
        if (muted || names.indexOf(name) < 0)
            return;
        if (pending === "")
            Qt.callLater(flush);
        if (names.indexOf(name) > names.indexOf(pending))
            pending = name;
    }
    function toggleMute() {
        muted = !muted;
        store.setValue("sound.muted", muted ? "1" : "0");
        if (hasStation)
            player.remember("sound.muted", muted ? "1" : "0");
    }
    function flush() {
        const name = pending;
        pending = "";
        if (name === "" || muted)
            return;
        lastPlayed = name;
        ++playCount;
        const effect = effects[name];
        if (effect)
            effect.play();
    }

    // Effects are made only when there is somewhere to play them: the station says
    // whether a sound server runs (without one, Qt Multimedia would only print warnings).
    function load() {
        if (!hasStation || player.soundOutput !== true)
            return;
        let devices = null;
        try {
            devices = Qt.createQmlObject("import QtMultimedia; MediaDevices {}", sounds, "devices");
        } catch (e) {
            return;                       // no Qt Multimedia: silent
        }
        const hasOutput = devices.audioOutputs.length > 0;
        devices.destroy();
        if (!hasOutput)
            return;
        const made = {};
        for (const name of names) {
            made[name] = Qt.createQmlObject("import QtMultimedia; SoundEffect {}", sounds, name);
            made[name].source = Qt.resolvedUrl("sounds/" + name + ".wav");
            made[name].volume = Qt.binding(() => sounds.volume);
        }
        effects = made;
    }

    Component.onCompleted: load()
}

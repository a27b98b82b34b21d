// SPDX-License-Identifier: GPL-3.0-or-later
// The Fuego movie plays two games, told apart by gameType: Fuego Salto ("fuego"), embers
// jumping on a hexagonal hearth, and SUM-mit ("summit"), a climb of sums.
import QtQuick
import "fuego"

Item {
    id: movie

    property string gameType: "fuego"
    readonly property Item game: loader.item

    // The game's own functions, for the station's pictures and for tests.
    function newGame(seed) { game.newGame(seed); }
    function screenshotScene(name) { game.screenshotScene(name); }

    width: 800
    height: 600

    Loader {
        id: loader
        anchors.fill: parent
        focus: true
        sourceComponent: movie.gameType === "summit" ? summit : salto
    }
    Component { id: salto; Salto {} }
    Component { id: summit; Summit {} }
}

// SPDX-License-Identifier: GPL-3.0-or-later
// The window's stage for the movies' tests (a TestCase is not drawn): open() loads a
// movie of modules/ afresh, without a station; sent("writescore") lists what the movie
// would have sent; goTo() walks a grid cursor with the arrow keys.
import QtQuick

Item {
    id: stage
    width: 800
    height: 600

    readonly property Item movie: loader.item
    property QtObject link: null

    function open(file, properties) {
        loader.source = "";
        loader.setSource("../../modules/" + file, properties || {});
        if (loader.status !== Loader.Ready)
            throw new Error("the movie " + file + " does not load");
        link = findLink(loader.item);
        return loader.item;
    }
    function sent(command) {
        return link.sent.filter(s => s.startsWith(command + "|")).map(s => s.slice(command.length + 1));
    }
    // Presses arrows through `press` until the movie's `cursor` (row by row, `columns`
    // wide) is at `index`.
    function goTo(index, columns, press) {
        const col = () => movie.cursor % columns, row = () => Math.floor(movie.cursor / columns);
        for (let i = 0; i < 64 && movie.cursor !== index; ++i)
            press(col() < index % columns ? Qt.Key_Right : col() > index % columns ? Qt.Key_Left
                  : row() < Math.floor(index / columns) ? Qt.Key_Down : Qt.Key_Up);
        return movie.cursor;
    }

    function findLink(object) {
        if (object.sent !== undefined && object.hasStation !== undefined)
            return object;
        const pieces = object.data || [];
        for (let i = 0; i < pieces.length; ++i) {
            const found = findLink(pieces[i]);
            if (found)
                return found;
        }
        return null;
    }

    Loader {
        id: loader
        anchors.fill: parent
    }
}

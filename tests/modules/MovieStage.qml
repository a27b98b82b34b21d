// SPDX-License-Identifier: GPL-3.0-or-later
// The window's stage for the movies' tests: a movie of modules/ played without a station.
//   MovieStage { id: stage; TestCase { ... const movie = stage.open("pelora.qml"); ... } }
// open() loads the movie afresh (the movie gives its own pieces the focus);
// sent("writescore") lists the arguments of every such command the movie would have
// sent, through its StationLink.
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
    function close() {
        loader.source = "";
        link = null;
    }
    function sent(command) {
        return link.sent.filter(s => s.startsWith(command + "|")).map(s => s.slice(command.length + 1));
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

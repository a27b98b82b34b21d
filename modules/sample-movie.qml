// A sample movie: it stands in for a game that is not included and shows what the
// player handed it. Installed under every movie file name of the catalogue.
import QtQuick

Rectangle {
    id: stage
    width: 640
    height: 480
    color: "#1d3557"

    // Set from the query before the movie starts.
    property string gameType: ""

    readonly property var titles: ({
        "tarno9": "Tarno 9", "tarno16": "Tarno 16", "angle": "Angle Puzzle",
        "kpuzzle": "K-Puzzle", "fuego": "Fuego Salto", "summit": "SUM-mit",
        "brikon": "Brikon", "pelora": "Pelora", "numero": "Numero",
        "numeropro": "Numero Pro", "lumo11": "Lumo 11", "lumo12": "Lumo 12",
        "lumo13": "Lumo 13", "lumo18": "Lumo 18", "overlord": "Overlord",
        "vesna": "Blue Vesna", "reko9": "ReKo 9", "oddeven": "Odd-Even",
        "totsnook": "Tots Nook"
    })

    Column {
        anchors.centerIn: parent
        spacing: 18

        Text {
            anchors.horizontalCenter: parent.horizontalCenter
            text: stage.titles[stage.gameType] || "Unknown game"
            color: "white"
            font.pixelSize: 44
            font.bold: true
        }
        Text {
            objectName: "gameTypeText"
            anchors.horizontalCenter: parent.horizontalCenter
            text: "gameType: " + (stage.gameType === "" ? "(none)" : stage.gameType)
            color: "#f1faee"
            font.pixelSize: 22
        }
        Rectangle {
            anchors.horizontalCenter: parent.horizontalCenter
            width: 64
            height: 64
            radius: 6
            color: "#e63946"
            RotationAnimation on rotation {
                from: 0
                to: 360
                duration: 4000
                loops: Animation.Infinite
            }
        }
        Text {
            anchors.horizontalCenter: parent.horizontalCenter
            width: 520
            horizontalAlignment: Text.AlignHCenter
            wrapMode: Text.WordWrap
            text: "This is a sample movie. The game itself is not installed; put its movie in the modules folder under this file name."
            color: "#a8dadc"
            font.pixelSize: 16
        }
    }
}

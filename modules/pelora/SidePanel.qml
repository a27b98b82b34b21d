// Beside the board: the balls that come next, what is selected and a word on the last
// move.
import QtQuick
import "../common"
import "../common/Theme.mjs" as Theme

Column {
    id: panel

    property var next: []
    property string message

    spacing: 14

    Text {
        text: "Next balls"
        color: Theme.textDim
        font.family: Theme.fontFamily
        font.pixelSize: Theme.smallSize
    }
    Row {
        spacing: 6
        Repeater {
            model: panel.next
            Rectangle {
                width: 48
                height: 48
                radius: 6
                color: Theme.panel
                Glyph {
                    anchors.centerIn: parent
                    width: 38
                    height: 38
                    shape: Theme.marks[modelData].shape
                    colour: Theme.marks[modelData].colour
                }
            }
        }
    }
    Text {
        objectName: "message"
        width: panel.width
        text: panel.message
        color: Theme.text
        font.family: Theme.fontFamily
        font.pixelSize: Theme.smallSize
        wrapMode: Text.WordWrap
    }
}

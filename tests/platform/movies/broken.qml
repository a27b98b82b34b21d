import QtQuick

Item {
    width: 100
    this is not QML
}

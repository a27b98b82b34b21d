import QtQml

QtObject {
    property string gameType
}

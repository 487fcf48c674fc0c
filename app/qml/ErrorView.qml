// Placeholder: a minimal page that shows its own name until the real screen replaces it.
import QtQuick 2.15

Rectangle {
    objectName: "ErrorView.qml"
    anchors.fill: parent
    color: "white"
    Text {
        anchors.centerIn: parent
        text: "ErrorView.qml"
        font.family: "Roboto Condensed"
        font.pixelSize: 40
    }
}

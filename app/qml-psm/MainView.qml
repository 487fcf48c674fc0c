// Placeholder: a minimal page that shows its own name until the real set-up menu replaces it.
import QtQuick 2.15

Rectangle {
    objectName: "MainView.qml"
    anchors.fill: parent
    color: "white"
    Text {
        anchors.centerIn: parent
        text: "MainView.qml"
        font.family: "Roboto Condensed"
        font.pixelSize: 40
    }
}

// Placeholder: a minimal window that shows its own name until the real screen replaces it.
import QtQuick 2.15
import QtQuick.Window 2.15

Window {
    objectName: "ResetDeviceView.qml"
    width: 1280
    height: 800
    visible: true
    color: "white"
    Text {
        anchors.centerIn: parent
        text: "ResetDeviceView.qml"
        font.family: "Roboto Condensed"
        font.pixelSize: 40
    }
}

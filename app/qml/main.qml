import QtQuick 2.15
import QtQuick.Window 2.15

// Root window of the panel: a header slot and the screen chosen by the state
// machine (appState.currentScreen), loaded afresh on every change.
Window {
    id: window
    width: 1280
    height: 800
    visible: true
    color: "white"
    title: "vanto"

    FontLoader { id: fontRegular; source: "qrc:/fonts/RobotoCondensed-Regular.ttf" }
    FontLoader { id: fontLight; source: "qrc:/fonts/RobotoCondensed-Light.ttf" }
    FontLoader { id: fontBold; source: "qrc:/fonts/RobotoCondensed-Bold.ttf" }

    // The header bar sits here; its content comes with the screens.
    Item {
        id: headerSlot
        objectName: "headerSlot"
        anchors.top: parent.top
        anchors.left: parent.left
        anchors.right: parent.right
        height: window.height * 0.0875
    }

    Loader {
        id: screenLoader
        objectName: "screenLoader"
        anchors.top: headerSlot.bottom
        anchors.left: parent.left
        anchors.right: parent.right
        anchors.bottom: parent.bottom
        // The machine writes the file name; clear first and drop the cached
        // component so the screen is always built anew.
        function show(screen) {
            screenLoader.source = ""
            appState.clearComponentCache()
            screenLoader.source = screen
        }
        // Logged once the loaded screen has reached the display, so start-up
        // and screen changes can be timed from outside.
        property bool announce: false
        onLoaded: announce = true
        Connections {
            target: window
            function onFrameSwapped() {
                if (screenLoader.announce) {
                    screenLoader.announce = false
                    console.info("screen shown: " + appState.currentScreen)
                }
            }
        }
        Component.onCompleted: if (appState.currentScreen !== "") show(appState.currentScreen)
        Connections {
            target: appState
            function onCurrentScreenChanged() { screenLoader.show(appState.currentScreen) }
        }
        // A new language rebuilds the screen so every text is translated anew.
        Connections {
            target: languageController
            function onLanguageChanged() {
                if (appState.currentScreen !== "")
                    screenLoader.show(appState.currentScreen)
            }
        }
    }

    // Transparent layer over everything: every press makes the control unit
    // click, and the press still reaches the item below.
    MouseArea {
        id: keyClickLayer
        objectName: "keyClickLayer"
        anchors.fill: parent
        z: 1000
        propagateComposedEvents: true
        onPressed: {
            deviceController.onPlayTouchSound()
            mouse.accepted = false
        }
    }
}

import QtQuick 2.15

// Loaded into vanto's engine through VANTO_PROBE_QML by controllers-test.sh.
// Logs what the controllers publish to the screens, one "probe: " line per
// change, and stands in for the two screen actions the test needs: asking
// for the music folders, and typing the session code into the PIN pop-up
// (first a wrong code, then the right one).
QtObject {
    id: probe

    // The simulator runs with --session-code 4711.
    readonly property int wrongCode: 1111
    readonly property int rightCode: 4711
    readonly property int actionWrong: 134

    function say(text) { console.info("probe: " + text) }

    function switches() {
        say("switches pin=" + deviceController.switchPinCodeEnabled
            + " payment=" + deviceController.switchPayment
            + " keypad=" + deviceController.switchKeypadTimeSetting
            + " audio=" + deviceController.switchAudioActive
            + " quickstart=" + deviceController.switchQuickStartOn)
    }

    function language() {
        // convertLanguageEnum returns translated C++ source texts.
        say("language value=" + languageController.language.value
            + " abbreviation=" + languageController.abbreviation
            + " flag=" + languageController.currentSvgFilename
            + " german=" + languageController.convertLanguageEnum(0)
            + " english=" + languageController.convertLanguageEnum(1))
    }

    property list<QtObject> watchers: [
        Connections {
            target: appState
            function onCurrentScreenChanged() { say("screen=" + appState.currentScreen) }
        },
        Connections {
            target: deviceController
            function onCurrentDeviceStateChanged() {
                say("deviceState=" + deviceController.currentDeviceState.value)
            }
            function onSwitchPinCodeEnabledChanged() { switches() }
            function onSwitchPaymentChanged() { switches() }
            function onSwitchKeypadTimeSettingChanged() { switches() }
            function onSwitchAudioActiveChanged() { switches() }
            function onSwitchQuickStartOnChanged() { switches() }
            function onSessionCodeChanged() {
                var code = deviceController.sessionCode
                say("sessionCode value=" + code.value + " action=" + code.action)
                if (code.action === actionWrong)
                    deviceController.verifySessionCode(rightCode)
            }
            function onShowPinCodePayPopup() {
                say("pin popup")
                deviceController.verifySessionCode(wrongCode)
            }
            function onShowNfcPayPopup() { say("nfc popup") }
            function onAppUpdateStateChanged() {
                say("appUpdateState=" + deviceController.appUpdateState)
            }
        },
        Connections {
            target: languageController
            function onLanguageChanged() { language() }
        },
        Connections {
            target: audioListModel
            function onModelReset() { say("folders reset") }
            function onRowsInserted(parent, first, last) {
                for (var row = first; row <= last; ++row) {
                    var at = audioListModel.index(row, 0)
                    say("folder row=" + row
                        + " index=" + audioListModel.data(at, 259)
                        + " current=" + audioListModel.data(at, 258)
                        + " name=" + audioListModel.data(at, 257))
                }
                say("folders count=" + audioListModel.rowCount())
            }
        }
    ]

    Component.onCompleted: {
        say("ready screen=" + appState.currentScreen)
        say("deviceState=" + deviceController.currentDeviceState.value)
        switches()
        language()
        // What the login screen does when it is shown.
        audioListModel.requestAudioDirList()
    }
}

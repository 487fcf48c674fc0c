#pragma once

#include "enumproviderclass.h"
#include "telegramparamdef.h"

#include "controllers/audiomodel.h"
#include "controllers/bluetoothcontroller.h"
#include "controllers/devicecontroller.h"
#include "controllers/errorcontroller.h"
#include "controllers/languagecontroller.h"
#include "controllers/massagecontroller.h"
#include "controllers/mediacontroller.h"
#include "controllers/nfccontroller.h"
#include "controllers/softwarelicenseinfocontrollerpsm.h"
#include "controllers/spacontroller.h"

#include <QObject>
#include <QStateMachine>
#include <QStringList>
#include <QTimer>
#include <QUrl>

#include <cstdint>

class AppState;
class QQmlApplicationEngine;
class QQmlContext;
class QState;
class QuickstartButtonInfoModel;

// The program's root object: owns the domain controllers the screens bind
// to, publishes them to QML, asks the main control unit for the initial
// values, picks the theme from the appliance type and drives the screen
// state machine. A 5 s watchdog flags a silent control unit.
class ApplicationController : public QObject
{
    Q_OBJECT

public:
    static constexpr int CommTimeoutMs = 5000;

    static ApplicationController* instance();
    // The controller if it has been created, else null; never creates it.
    static ApplicationController* existingInstance();

    // Called once, when the appliance type has arrived. False when the engine
    // or its root context is missing.
    bool init(QQmlApplicationEngine* engine, QUrl url);
    // Selects the theme for the reported appliance type and emits
    // initDeviceTypeFinished.
    void initDeviceType(telegram_param_def applianceType);

    void restartCommTimer();
    // Stops the watchdog and the state machine before the event loop goes away.
    void stopForExit();
    bool commTimerActive() const { return m_commTimer.isActive(); }

    void setSetupSwitches(const telegram_param_def& record);
    telegram_param_def setupSwitches() const { return m_setupSwitches; }
    QStringList softwareVersionList() const { return m_softwareVersionList; }

    // Reads the system's software version file; appends major and minor of
    // every "linux" line to the version list.
    void readSoftwareVersion();

    AppState* appState() const { return m_appState; }
    const QStateMachine& stateMachine() const { return m_stateMachine; }

    MassageController& massageController() { return m_massageController; }
    DeviceController& deviceController() { return m_deviceController; }
    LanguageController& languageController() { return m_languageController; }
    AudioModel& audioModel() { return m_audioModel; }
    SpaController& spaController() { return m_spaController; }
    MediaController& mediaController() { return m_mediaController; }
    BluetoothController& bluetoothController() { return m_bluetoothController; }
    NfcController& nfcController() { return m_nfcController; }
    ErrorController& errorController() { return m_errorController; }
    SoftwareLicenseInfoControllerPsm& softwareLicenseInfoController()
    {
        return m_softwareLicenseInfoController;
    }
    // Created by init; null before.
    QuickstartButtonInfoModel* quickstartButtonInfoModel() const
    {
        return m_quickstartButtonInfoModel;
    }

    ~ApplicationController() override;

signals:
    void goToReferenceRunState();
    void goToReadyIdleState();
    void goToMainModeState();
    void goToCoinSession();
    void goToSetupManagerState();
    void goToPauseSessionState();
    void goToDeviceErrorState();
    void goToServiceSessionState();
    void goToTimeSessionState();
    void goToSetupSessionState();
    void goToSoftwareUpdateState();
    void goToManualSessionState();
    void goToChipPaySessionState();
    void goToHoldState();
    void goToSaveSessionState();
    void goToProgramSessionFreeState();
    void goToSessionLoginState();
    void goToCleanDeviceState();
    void goToUpdateApplicationState();
    void initDeviceTypeFinished(bool success);
    void currentLanguageChanged(uint8_t language);

private slots:
    void onCommToControlUnitTimedOut();
    void onInitDeviceTypeFinished(bool success);

private:
    ApplicationController();
    Q_DISABLE_COPY(ApplicationController)

    void registerMetaTypes();
    void setContextProperties();
    void setupStateMachine();
    void requestInitialParameters();

    QQmlContext* m_rootContext = nullptr;
    AppState* m_appState = nullptr;
    QQmlApplicationEngine* m_engine = nullptr;
    QUrl m_mainUrl;
    QStateMachine m_stateMachine;
    MassageController m_massageController;
    DeviceController m_deviceController;
    LanguageController m_languageController;
    AudioModel m_audioModel;
    SpaController m_spaController;
    MediaController m_mediaController;
    BluetoothController m_bluetoothController;
    NfcController m_nfcController;
    ErrorController m_errorController;
    SoftwareLicenseInfoControllerPsm m_softwareLicenseInfoController;
    QStringList m_softwareVersionList;
    telegram_param_def m_setupSwitches;
    QTimer m_commTimer;
    QuickstartButtonInfoModel* m_quickstartButtonInfoModel = nullptr;
    // The machine reports running only once its start has been processed by
    // the event loop; this guards against loading main.qml twice before that.
    bool m_mainScreenLoaded = false;
};

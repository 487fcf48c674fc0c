#include "applicationcontroller.h"

#include "appstate.h"
#include "softwareversionreader.h"
#include "systempath.h"
#include "telegrammanager.h"

#include "controllers/languagemodel.h"
#include "controllers/quickstartbuttoninfo.h"
#include "controllers/quickstartbuttoninfomodel.h"
#include "types/errorhistorylist.h"
#include "types/recordclinicstep.h"
#include "types/softwareonlinelist.h"

#include <vantoui/stylingcontroller.h>

#include <QLoggingCategory>
#include <QQmlApplicationEngine>
#include <QQmlContext>
#include <QState>

Q_LOGGING_CATEGORY(lcApp, "vanto.appcontroller")

namespace {
ApplicationController* createdInstance = nullptr;
}

ApplicationController* ApplicationController::instance()
{
    static ApplicationController controller;
    return &controller;
}

ApplicationController* ApplicationController::existingInstance()
{
    return createdInstance;
}

ApplicationController::ApplicationController()
{
    createdInstance = this;
    m_commTimer.setInterval(CommTimeoutMs);
    // The checksum scan may have finished before this controller existed.
    const TelegramManager* manager = TelegramManager::instance();
    if (manager->crc32Known())
        m_softwareLicenseInfoController.setCrcHash(
            TelegramManager::crc32Text(manager->crc32Value()));
}

ApplicationController::~ApplicationController()
{
    createdInstance = nullptr;
    m_commTimer.stop();
    if (m_stateMachine.isRunning())
        m_stateMachine.stop();
}

bool ApplicationController::init(QQmlApplicationEngine* engine, QUrl url)
{
    m_mainUrl = url;
    m_engine = engine;
    m_rootContext = engine ? engine->rootContext() : nullptr;
    if (!m_rootContext) {
        qCDebug(lcApp) << "Context is null";
        return false;
    }
    if (!m_engine) {
        qCDebug(lcApp) << "ENGINE is null";
        return false;
    }

    registerMetaTypes();
    setContextProperties();
    setupStateMachine();

    connect(this, &ApplicationController::initDeviceTypeFinished, this,
            &ApplicationController::onInitDeviceTypeFinished, Qt::UniqueConnection);
    connect(&m_commTimer, &QTimer::timeout, this,
            &ApplicationController::onCommToControlUnitTimedOut, Qt::UniqueConnection);

    requestInitialParameters();
    readSoftwareVersion();
    return true;
}

void ApplicationController::registerMetaTypes()
{
    qRegisterMetaType<int8_t>("int8_t");
    qRegisterMetaType<uint8_t>("uint8_t");
    qRegisterMetaType<int16_t>("int16_t");
    qRegisterMetaType<uint16_t>("uint16_t");
    qRegisterMetaType<int32_t>("int32_t");
    qRegisterMetaType<telegram_param_def>("telegram_param_def");
    qRegisterMetaType<software_online_list>("software_online_list");
    qRegisterMetaType<error_history_list>("error_history_list");
    qRegisterMetaType<record_clinic_step>("record_clinic_step");
    qRegisterMetaType<EnumProviderClass::ACTION>("const EnumProviderClass::ACTION");
    qRegisterMetaType<EnumProviderClass::PARAM_TYPE>("const EnumProviderClass::PARAM_TYPE");
    qRegisterMetaType<EnumProviderClass::HELPER_ENUMS>("const EnumProviderClass::HELPER_ENUMS");
    qRegisterMetaType<EnumProviderClass::MASSAGE_PROGRAM>(
        "const EnumProviderClass::MASSAGE_PROGRAM");
    qRegisterMetaType<EnumProviderClass::BODY_AREA>("const EnumProviderClass::BODY_AREA");
    qRegisterMetaType<EnumProviderClass::BACKGROUND_PROGRAM>(
        "const EnumProviderClass::BACKGROUND_PROGRAM");
    qRegisterMetaType<EnumProviderClass::QUICK_START_BUTTON_CONFIG>(
        "const EnumProviderClass::QUICK_START_BUTTON_CONFIG");
    qRegisterMetaType<EnumProviderClass::CURRENT_DEVICE_STATUS>(
        "const EnumProviderClass::CURRENT_DEVICE_STATUS");
    qRegisterMetaType<EnumProviderClass::MASSAGE_TYPE>("const EnumProviderClass::MASSAGE_TYPE");
    qRegisterMetaType<EnumProviderClass::OPERATING_MODE>("const EnumProviderClass::OPERATING_MODE");
    qRegisterMetaType<EnumProviderClass::PAUSE_MODE>("const EnumProviderClass::PAUSE_MODE");
    qRegisterMetaType<EnumProviderClass::TEMPERATURE_UNIT>(
        "const EnumProviderClass::TEMPERATURE_UNIT");
    qRegisterMetaType<EnumProviderClass::SHOULDER_WIDTH>("const EnumProviderClass::SHOULDER_WIDTH");
    qRegisterMetaType<EnumProviderClass::AudioSource>("const EnumProviderClass::AudioSource");
    qRegisterMetaType<EnumProviderClass::Language>("const EnumProviderClass::Language");
    qRegisterMetaType<QList<QuickstartButtonInfo*>>("QList<QuickstartButtonInfo*>");
}

void ApplicationController::setContextProperties()
{
    QQmlContext* ctx = m_rootContext;
    ctx->setContextProperty(QStringLiteral("massageController"), &m_massageController);
    ctx->setContextProperty(QStringLiteral("deviceController"), &m_deviceController);
    ctx->setContextProperty(QStringLiteral("languageController"), &m_languageController);
    ctx->setContextProperty(QStringLiteral("spaController"), &m_spaController);
    ctx->setContextProperty(QStringLiteral("mediaController"), &m_mediaController);
    ctx->setContextProperty(QStringLiteral("bluetoothController"), &m_bluetoothController);
    ctx->setContextProperty(QStringLiteral("nfcController"), &m_nfcController);
    ctx->setContextProperty(QStringLiteral("errorController"), &m_errorController);
    ctx->setContextProperty(QStringLiteral("softwareLicenseInfoController"),
                            &m_softwareLicenseInfoController);
    m_quickstartButtonInfoModel = new QuickstartButtonInfoModel(ctx->contextObject());
    ctx->setContextProperty(
        QStringLiteral("quickstartButtonInfoModel"),
        QVariant::fromValue(static_cast<QObject*>(m_quickstartButtonInfoModel)));
    ctx->setContextProperty(QStringLiteral("audioListModel"), &m_audioModel);
    ctx->setContextProperty(QStringLiteral("languageModel"), m_languageController.languageModel());
}

namespace {
struct ScreenState
{
    void (ApplicationController::*signal)();
    const char* screen;
};

// Entered by, and the screen file shown (relative to main.qml).
const ScreenState ScreenStates[] = {
    {&ApplicationController::goToReferenceRunState, "ReferenceRunView.qml"},
    {&ApplicationController::goToSessionLoginState, "LoginView.qml"},
    {&ApplicationController::goToReadyIdleState, "ReadyStateView.qml"},
    {&ApplicationController::goToChipPaySessionState, "ChipPayReadyStateView.qml"},
    {&ApplicationController::goToCoinSession, "SessionView.qml"},
    {&ApplicationController::goToSetupManagerState, "../qml-psm/MainView.qml"},
    {&ApplicationController::goToDeviceErrorState, "ErrorView.qml"},
    {&ApplicationController::goToTimeSessionState, "SessionView.qml"},
    {&ApplicationController::goToSetupSessionState, "SetupSessionView.qml"},
    {&ApplicationController::goToSoftwareUpdateState, "SoftwareUpdateView.qml"},
    {&ApplicationController::goToManualSessionState, "AdjustMotorPositionView.qml"},
    {&ApplicationController::goToSaveSessionState, "SaveSessionView.qml"},
    {&ApplicationController::goToCleanDeviceState, "CleanDeviceView.qml"},
    {&ApplicationController::goToProgramSessionFreeState, "IndividuallyMassageView.qml"},
    {&ApplicationController::goToUpdateApplicationState, "UpdateApplicationView.qml"},
};
constexpr int LoginStateIndex = 1;
constexpr int ErrorStateIndex = 6;
constexpr int UpdateApplicationStateIndex = 14;
} // namespace

void ApplicationController::setupStateMachine()
{
    if (m_appState)
        return; // built once; init runs only once in the program anyway
    m_appState = new AppState(m_engine, this);
    if (!m_rootContext)
        return;
    m_rootContext->setContextProperty(QStringLiteral("appState"), m_appState);

    constexpr int count = int(sizeof ScreenStates / sizeof ScreenStates[0]);
    QState* states[count];
    for (int i = 0; i < count; ++i) {
        states[i] = new QState;
        states[i]->assignProperty(m_appState, "currentScreen",
                                  QString::fromLatin1(ScreenStates[i].screen));
    }
    // Every state but the update-application state can reach every other one;
    // its own signal makes no transition, so a repeated device state does not
    // reload the screen. Nothing leaves the update-application state.
    for (int from = 0; from < count; ++from) {
        if (from == UpdateApplicationStateIndex)
            continue;
        for (int to = 0; to < count; ++to) {
            if (to != from)
                states[from]->addTransition(this, ScreenStates[to].signal, states[to]);
        }
    }
    for (QState* s : states)
        m_stateMachine.addState(s);
    m_stateMachine.setInitialState(states[LoginStateIndex]);
    m_stateMachine.setErrorState(states[ErrorStateIndex]);
}

void ApplicationController::requestInitialParameters()
{
    static const quint16 ids[] = {
        EnumProviderClass::PARAM_CURRENT_DEVICE_STATUS,
        EnumProviderClass::PARAM_SETUP_CODE,
        EnumProviderClass::PARAM_SESSION_CODE,
        EnumProviderClass::PARAM_SETUP_SWITCHES,
        EnumProviderClass::PARAM_FU_SOFTWARE_VERSION,
        EnumProviderClass::PARAM_QUICKSTART_BUTTON_CONFIGURATION,
        EnumProviderClass::PARAM_BLUETOOTH_STATE,
        EnumProviderClass::PARAM_MASSAGE_TIME_MAXIMUM,
        EnumProviderClass::PARAM_BACKGROUND_PROGRAM,
        EnumProviderClass::PARAM_BODY_AREA,
        EnumProviderClass::PARAM_MASSAGE_TYPE,
        EnumProviderClass::PARAM_MASSAGE_PROGRAM,
        EnumProviderClass::PARAM_SPA_AROMA_PROGRAM,
        EnumProviderClass::PARAM_NOZZLE_SPEED,
        EnumProviderClass::PARAM_NOZZLE_PRESSURE_AT_START,
        EnumProviderClass::PARAM_NOZZLE_PRESSURE_MAX,
        EnumProviderClass::PARAM_SPA_COLOR_PROGRAM,
        EnumProviderClass::PARAM_NOZZLE_SPEED,
    };
    TelegramManager* manager = TelegramManager::instance();
    for (quint16 id : ids)
        manager->requestMainControlParam(id);
}

void ApplicationController::readSoftwareVersion()
{
    m_softwareVersionList.append(
        SoftwareVersionReader::read(systemPath(QStringLiteral("/etc/sw_versions"))));
}

void ApplicationController::initDeviceType(telegram_param_def applianceType)
{
    using VantoUi::StylingController;
    const qint32 v = applianceType.value;
    switch (v) {
    case EnumProviderClass::LOUNGE:
        StylingController::getInstance()->Initialize(StylingController::LOUNGE_THEME);
        break;
    case EnumProviderClass::CLINIC:
        StylingController::getInstance()->Initialize(StylingController::ORA_THEME);
        break;
    case EnumProviderClass::US_VERSION:
        StylingController::getInstance()->Initialize(StylingController::US_VERSION_THEME);
        break;
    case EnumProviderClass::NOT_INITIALIZED:
        qCDebug(lcApp) << "Could not initialize device type";
        break;
    default:
        break;
    }
    qCDebug(lcApp).nospace() << "Device type: " << v;
    emit initDeviceTypeFinished(v >= EnumProviderClass::LOUNGE &&
                                v <= EnumProviderClass::US_VERSION);
}

void ApplicationController::onInitDeviceTypeFinished(bool success)
{
    if (!m_engine) {
        qCDebug(lcApp) << "could not init device type";
        return;
    }
    // A repeated appliance-type report only re-applies the theme: loading
    // main.qml a second time would put a second window on the screen.
    if (success && m_mainScreenLoaded)
        return;
    if (success) {
        m_engine->load(m_mainUrl);
        m_mainScreenLoaded = true;
    } else {
        m_engine->load(QUrl(QStringLiteral("qrc:/qml/ResetDeviceView.qml")));
        qCDebug(lcApp) << "could not init device type";
    }
    if (success && !m_stateMachine.isRunning() && !m_engine->rootObjects().isEmpty()) {
        m_stateMachine.start();
        return;
    }
    qCDebug(lcApp) << "could not init device type";
}

void ApplicationController::onCommToControlUnitTimedOut()
{
    m_deviceController.setCommToControlUnitFailed(true);
}

void ApplicationController::restartCommTimer()
{
    m_commTimer.start(CommTimeoutMs);
}

void ApplicationController::stopForExit()
{
    m_commTimer.stop();
    if (m_stateMachine.isRunning())
        m_stateMachine.stop();
}

void ApplicationController::setSetupSwitches(const telegram_param_def& record)
{
    m_setupSwitches = record;
}

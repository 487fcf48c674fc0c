#include "devicecontroller.h"

#include "controllers/quickstartbuttoninfomodel.h"
#include "core/applicationcontroller.h"
#include "core/systempath.h"
#include "core/telegrammanager.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLocalServer>
#include <QLocalSocket>
#include <QLoggingCategory>

#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstring>

Q_LOGGING_CATEGORY(lcDevice, "vanto.device")

const char* const DeviceController::kNotifyUpdateStarting = "ovXXXGuiNotifyUpdateStarting";
const char* const DeviceController::kNotifyUpdateSucceeded = "ovXXXGuiNotifyUpdateSucceeded";
const char* const DeviceController::kNotifyUpdateFailed = "ovXXXGuiNotifyUpdateFailed";

namespace {

const char kSdCardBinary[] = "/media/sd_card/vanto";
const char kInstalledBinary[] = "/usr/bin/vanto";
const char kScreenshotDir[] = "/media/sd_card/screenshots/";
const char kStandbyVideo[] = "/media/sd_card/videos/velia_spa.mp4";

// The new program is copied here first, so a failed copy never touches the
// installed one; a rename then replaces it in one step.
QString stagingBinaryPath()
{
    return systemPath(QLatin1String(kInstalledBinary)) + QLatin1String(".update");
}

// Stores a reported record; true when a field from def onward changed.
bool storeRecord(telegram_param_def& stored, const telegram_param_def& reported)
{
    const bool changed = !stored.sameContent(reported);
    stored = reported;
    return changed;
}

bool storeInfo(software_online_list& stored, const software_online_list& reported)
{
    const bool changed = stored != reported;
    stored = reported;
    return changed;
}

int32_t stepsToPercent(int32_t steps)
{
    return int32_t(0.5 + double(steps) / 20.0 * 100.0);
}

int32_t percentToSteps(int32_t percent)
{
    return int32_t(0.5 + double(percent) / 100.0 * 20.0);
}

QString failedStepText(const char* step, int exitCode)
{
    return QLatin1String(step) + QLatin1String(" EXITCODE: ") + QString::number(exitCode) +
           QLatin1String(" exit status: process crashed");
}

} // namespace

DeviceController::DeviceController()
{
    m_updateStartingServer =
        listenForNotice(kNotifyUpdateStarting, &DeviceController::onUpdateStartingConnected);
    m_updateSucceededServer =
        listenForNotice(kNotifyUpdateSucceeded, &DeviceController::onUpdateSucceededConnected);
    m_updateFailedServer =
        listenForNotice(kNotifyUpdateFailed, &DeviceController::onUpdateFailedConnected);

    connect(&m_copyProcess, QOverload<int, QProcess::ExitStatus>::of(&QProcess::finished), this,
            &DeviceController::onCopyFinished);
    connect(&m_copyProcess, &QProcess::errorOccurred, this, &DeviceController::onCopyError);
    connect(&m_syncProcess, QOverload<int, QProcess::ExitStatus>::of(&QProcess::finished), this,
            &DeviceController::onSyncFinished);
    connect(&m_syncProcess, &QProcess::errorOccurred, this, &DeviceController::onSyncError);
}

DeviceController::~DeviceController()
{
    // Never leave a half-done copy running behind a destroyed controller.
    for (QProcess* p : {&m_copyProcess, &m_syncProcess}) {
        p->disconnect(this);
        if (p->state() != QProcess::NotRunning) {
            p->kill();
            p->waitForFinished(1000);
        }
    }
}

QLocalServer* DeviceController::listenForNotice(const char* name,
                                                void (DeviceController::*handler)())
{
    auto* server = new QLocalServer(this);
    const QString serverName = QLatin1String(name);
    QLocalServer::removeServer(serverName);
    if (!server->listen(serverName))
        qCWarning(lcDevice) << "could not listen on" << serverName << server->errorString();
    connect(server, &QLocalServer::newConnection, this, handler);
    return server;
}

void DeviceController::acceptPending(QLocalServer* server)
{
    // The connection itself is the message; nothing is read.
    while (server->hasPendingConnections()) {
        QLocalSocket* socket = server->nextPendingConnection();
        socket->disconnectFromServer();
        socket->deleteLater();
    }
}

void DeviceController::onUpdateStartingConnected()
{
    acceptPending(m_updateStartingServer);
    emit ApplicationController::instance()->goToUpdateApplicationState();
    setAppUpdateState(EnumProviderClass::UPDATE_APPLICATION_RUNNING);
}

void DeviceController::onUpdateSucceededConnected()
{
    acceptPending(m_updateSucceededServer);
    setAppUpdateState(EnumProviderClass::UPDATE_APPLICATION_SUCCEDED);
}

void DeviceController::onUpdateFailedConnected()
{
    acceptPending(m_updateFailedServer);
    setAppUpdateState(EnumProviderClass::UPDATE_APPLICATION_FAILED);
}

// --- plain state written by the application core ---------------------------

void DeviceController::setCommToControlUnitFailed(bool failed)
{
    if (m_commToControlUnitFailed == failed)
        return;
    m_commToControlUnitFailed = failed;
    emit commToControlUnitFailedChanged();
}

void DeviceController::setApplianceType(EnumProviderClass::APPLIANCE_TYPE type)
{
    if (m_applianceType == type)
        return;
    m_applianceType = type;
    emit applianceTypeChanged();
}

void DeviceController::setReferenceRun2(bool active)
{
    if (m_referenceRun2 == active)
        return;
    m_referenceRun2 = active;
    emit referenceRun2Changed();
}

void DeviceController::setAppUpdateState(EnumProviderClass::ApplicationUpdateState state)
{
    if (m_appUpdateState == state)
        return;
    m_appUpdateState = state;
    emit appUpdateStateChanged();
}

void DeviceController::setUpdateBinaryState(const QString& text)
{
    m_updateBinaryState = text;
    emit updateBinaryStateChanged();
}

// --- parameter writes ------------------------------------------------------

void DeviceController::writeParamValue(telegram_param_def record, EnumProviderClass::PARAM_ID id,
                                       int32_t value)
{
    record.id = quint16(id);
    record.value = value;
    TelegramManager::instance()->writeParam(record);
}

void DeviceController::writeParamAction(telegram_param_def record, EnumProviderClass::PARAM_ID id,
                                        EnumProviderClass::ACTION action)
{
    record.id = quint16(id);
    record.action = quint8(action);
    TelegramManager::instance()->writeParam(record);
}

void DeviceController::setCurrentDeviceState(EnumProviderClass::CURRENT_DEVICE_STATUS state)
{
    qCDebug(lcDevice).noquote() << "SET CURRENT DEVICE STATE: " + QString::number(int(state));
    writeParamValue(m_currentDeviceState, EnumProviderClass::PARAM_CURRENT_DEVICE_STATUS,
                    int32_t(state));
}

void DeviceController::setCurrentDeviceStateStep(uint16_t step)
{
    telegram_param_def record = m_currentDeviceState;
    record.id = quint16(EnumProviderClass::PARAM_CURRENT_DEVICE_STATUS);
    record.step = step;
    TelegramManager::instance()->writeParam(record);
}

void DeviceController::resetSystem()
{
    writeParamAction(m_currentDeviceState, EnumProviderClass::PARAM_CURRENT_DEVICE_STATUS,
                     EnumProviderClass::RESET);
}

void DeviceController::setLoginTimeout(int32_t value)
{
    writeParamValue(m_loginTimeout, EnumProviderClass::PARAM_LOGIN_TIMEOUT, value);
}

void DeviceController::setSetupLoginTimeout(int32_t value)
{
    writeParamValue(m_setupLoginTimeout, EnumProviderClass::PARAM_SETUP_LOGIN_TIMEOUT, value);
}

void DeviceController::setSessionCode(int32_t code)
{
    writeParamValue(m_sessionCode, EnumProviderClass::PARAM_SESSION_CODE, code);
}

void DeviceController::verifySessionCode(int32_t code)
{
    // Codes are compared by the control unit, never here: it answers with
    // CORRECT or WRONG in the action byte of the same parameter.
    telegram_param_def record = m_sessionCode;
    record.id = quint16(EnumProviderClass::PARAM_SESSION_CODE);
    record.value = code;
    record.action = quint8(EnumProviderClass::VERIFY);
    TelegramManager::instance()->readParam(record);
}

void DeviceController::setSetupCode(int32_t code)
{
    writeParamValue(m_setupCode, EnumProviderClass::PARAM_SETUP_CODE, code);
}

void DeviceController::verifySetupCode(int32_t code)
{
    telegram_param_def record = m_setupCode;
    record.id = quint16(EnumProviderClass::PARAM_SETUP_CODE);
    record.value = code;
    record.action = quint8(EnumProviderClass::VERIFY);
    TelegramManager::instance()->readParam(record);
}

void DeviceController::nopActionSetupCode()
{
    telegram_param_def record = m_setupCode;
    record.id = quint16(EnumProviderClass::PARAM_SETUP_CODE);
    record.action = quint8(EnumProviderClass::NOP);
    TelegramManager::instance()->readParam(record);
}

void DeviceController::setFollowUpCoolingValve(int32_t value)
{
    writeParamValue(m_followUpCoolingValve, EnumProviderClass::PARAM_FOLLOW_UP_COOLING_VALVE,
                    value);
}

void DeviceController::setFollowUpAmbientLight(int32_t value)
{
    writeParamValue(m_followUpAmbientLight, EnumProviderClass::PARAM_FOLLOW_UP_AMBIENT_LIGHT,
                    value);
}

void DeviceController::setSetpointWaterTemperatureValue(int32_t value)
{
    writeParamValue(m_setpointWaterTemperature, EnumProviderClass::PARAM_SETPOINT_WATER_TEMPERATURE,
                    convertUnitOfTemperatureScaleToController(value));
}

void DeviceController::setSetpointWaterTemperature(EnumProviderClass::ACTION action)
{
    writeParamAction(m_setpointWaterTemperature,
                     EnumProviderClass::PARAM_SETPOINT_WATER_TEMPERATURE, action);
}

void DeviceController::setCurrentWaterTemperatureValue(int32_t value)
{
    writeParamValue(m_currentWaterTemperature, EnumProviderClass::PARAM_CURRENT_WATER_TEMPERATURE,
                    value);
}

void DeviceController::setCurrentWaterTemperature(EnumProviderClass::ACTION action)
{
    writeParamAction(m_currentWaterTemperature, EnumProviderClass::PARAM_CURRENT_WATER_TEMPERATURE,
                     action);
}

void DeviceController::setAudioVolumeStandby(int32_t steps)
{
    writeParamValue(m_audioVolumeStandby, EnumProviderClass::PARAM_AUDIO_VOLUME_STANDBY,
                    stepsToPercent(steps));
}

void DeviceController::setAudioVolumeSessionStart(int32_t steps)
{
    writeParamValue(m_audioVolumeSessionStart, EnumProviderClass::PARAM_AUDIO_VOLUME_SESSION_START,
                    stepsToPercent(steps));
}

void DeviceController::setBasicVolume(int32_t value)
{
    writeParamValue(m_basicVolume, EnumProviderClass::PARAM_BASIC_VOLUME, value);
}

void DeviceController::setVoiceVolume(int32_t value)
{
    writeParamValue(m_voiceVolume, EnumProviderClass::PARAM_VOICE_VOLUME, value);
}

void DeviceController::setAudioBassValue(int32_t value)
{
    writeParamValue(m_audioBass, EnumProviderClass::PARAM_AUDIO_BASS, value);
}

void DeviceController::setAudioBass(EnumProviderClass::ACTION action)
{
    writeParamAction(m_audioBass, EnumProviderClass::PARAM_AUDIO_BASS, action);
}

void DeviceController::setAudioTrebleValue(int32_t value)
{
    writeParamValue(m_audioTreble, EnumProviderClass::PARAM_AUDIO_TREBLE, value);
}

void DeviceController::setAudioTreble(EnumProviderClass::ACTION action)
{
    writeParamAction(m_audioTreble, EnumProviderClass::PARAM_AUDIO_TREBLE, action);
}

void DeviceController::setWaterMixerTimerValue(int32_t value)
{
    writeParamValue(m_waterMixerTimer, EnumProviderClass::PARAM_WATER_MIXER_TIMER, value);
}

void DeviceController::setWaterMixerTimer(EnumProviderClass::ACTION action)
{
    writeParamAction(m_waterMixerTimer, EnumProviderClass::PARAM_WATER_MIXER_TIMER, action);
}

void DeviceController::setPressureLimiterTemperatureValue(int32_t value)
{
    writeParamValue(m_pressureLimiterTemperature,
                    EnumProviderClass::PARAM_PRESSURE_LIMITER_TEMPERATURE,
                    convertUnitOfTemperatureScaleToController(value));
}

void DeviceController::setPressureLimiterTemperature(EnumProviderClass::ACTION action)
{
    writeParamAction(m_pressureLimiterTemperature,
                     EnumProviderClass::PARAM_PRESSURE_LIMITER_TEMPERATURE, action);
}

void DeviceController::setPressureLimiterLoweringValue(int32_t value)
{
    writeParamValue(m_pressureLimiterLowering, EnumProviderClass::PARAM_PRESSURE_LIMITER_LOWERING,
                    value);
}

void DeviceController::setPressureLimiterLowering(EnumProviderClass::ACTION action)
{
    writeParamAction(m_pressureLimiterLowering, EnumProviderClass::PARAM_PRESSURE_LIMITER_LOWERING,
                     action);
}

void DeviceController::setOperatingHours(int32_t value)
{
    writeParamValue(m_operatingHours, EnumProviderClass::PARAM_OPERATING_HOURS, value);
}

void DeviceController::setOperatingHoursSinceLastService(int32_t value)
{
    writeParamValue(m_operatingHoursSinceLastService,
                    EnumProviderClass::PARAM_OPERATING_HOURS_SINCE_LAST_SERVICE, value);
}

// --- set-up switches -------------------------------------------------------

void DeviceController::writeSetupSwitches(quint32 setMask, quint32 clearMask)
{
    telegram_param_def record = ApplicationController::instance()->setupSwitches();
    // Until the control unit has reported the switches the stored record holds
    // the "nothing received" value -1, i.e. every bit set: writing it back would
    // switch on demo mode, key lock and all the rest.
    if (record.id != quint16(EnumProviderClass::PARAM_SETUP_SWITCHES)) {
        qCWarning(lcDevice) << "set-up switches not reported yet: switch write dropped";
        return;
    }
    quint32 bits = quint32(record.value);
    bits = (bits & ~clearMask) | setMask;
    record.value = qint32(bits);
    TelegramManager::instance()->writeParam(record);
}

void DeviceController::writeSwitch(EnumProviderClass::SETUP_SWITCHES bit, bool on)
{
    const quint32 mask = 1u << int(bit);
    writeSetupSwitches(on ? mask : 0, on ? 0 : mask);
}

void DeviceController::setPaymentMode(bool payment, bool nfc, bool pinCode)
{
    quint32 set = 0;
    quint32 clear = 0;
    const auto put = [&](EnumProviderClass::SETUP_SWITCHES bit, bool on) {
        (on ? set : clear) |= 1u << int(bit);
    };
    put(EnumProviderClass::SWITCH_KEYPAD_TIME_SETTING, payment);
    put(EnumProviderClass::SWITCH_NFC_TAG_CREDIT_FUNCTION, nfc);
    put(EnumProviderClass::SWITCH_PIN_CODE_ENABLED, pinCode);
    writeSetupSwitches(set, clear);
}

#define VANTO_SWITCH_SETTER(Name, Bit)                                                             \
    void DeviceController::setSwitch##Name(bool on)                                                \
    {                                                                                              \
        writeSwitch(EnumProviderClass::Bit, on);                                                   \
    }

VANTO_SWITCH_SETTER(LedSpaActivated, SWITCH_LED_SPA_ACTIVATED)
VANTO_SWITCH_SETTER(ButtonMassageSettings, SWITCH_BUTTON_MASSAGE_SETTINGS)
VANTO_SWITCH_SETTER(IndividualMassageStyle, SWITCH_INDIVIDUAL_MASSAGE_STYLE)
VANTO_SWITCH_SETTER(KeypadTimeSetting, SWITCH_KEYPAD_TIME_SETTING)
VANTO_SWITCH_SETTER(TimeSetting, SWITCH_TIME_SETTING)
VANTO_SWITCH_SETTER(SaveRecordingAfterSession, SWITCH_SAVE_RECORDING_AFTER_SESSION)
VANTO_SWITCH_SETTER(LoadRecord, SWITCH_LOAD_RECORD)
VANTO_SWITCH_SETTER(AudioActive, SWITCH_AUDIO_ACTIVE)
VANTO_SWITCH_SETTER(BluetoothActive, SWITCH_BLUETOOTH_ACTIVE)
VANTO_SWITCH_SETTER(UnitSystem, SWITCH_UNIT_SYSTEM)
VANTO_SWITCH_SETTER(KeyLock, SWITCH_KEY_LOCK)
VANTO_SWITCH_SETTER(HomeRun, SWITCH_HOME_RUN)
VANTO_SWITCH_SETTER(NfcCardInit, SWITCH_NFC_CARD_INIT)
VANTO_SWITCH_SETTER(RotateWindow, SWITCH_ROTATE_WINDOW)
VANTO_SWITCH_SETTER(WaterMixerOn, SWITCH_WATER_MIXER_ON)
VANTO_SWITCH_SETTER(PressureLimiterTemperatureOn, SWITCH_PRESSURE_LIMITER_TEMPERATURE_ON)
VANTO_SWITCH_SETTER(VoiceGuideOn, SWITCH_VOICE_GUIDE_ON)
VANTO_SWITCH_SETTER(DemoModeOn, SWITCH_DEMO_MODE_ON)
VANTO_SWITCH_SETTER(CleanDeviceOn, SWITCH_CLEAN_DEVICE_ON)
VANTO_SWITCH_SETTER(QuickStartOn, SWITCH_QUICK_START_ON)

#undef VANTO_SWITCH_SETTER

#define VANTO_SWITCH_SLOT(Name, member)                                                            \
    void DeviceController::onSwitch##Name##Changed(bool current)                                   \
    {                                                                                              \
        if (member == current)                                                                     \
            return;                                                                                \
        member = current;                                                                          \
        emit switch##Name##Changed();                                                              \
    }

VANTO_SWITCH_SLOT(PinCodeEnabled, m_switchPinCodeEnabled)
VANTO_SWITCH_SLOT(StartButtonIndividualMassage, m_switchStartButtonIndividualMassage)
VANTO_SWITCH_SLOT(LedSpaActivated, m_switchLedSpaActivated)
VANTO_SWITCH_SLOT(ButtonMassageSettings, m_switchButtonMassageSettings)
VANTO_SWITCH_SLOT(IndividualMassageStyle, m_switchIndividualMassageStyle)
VANTO_SWITCH_SLOT(KeypadTimeSetting, m_switchKeypadTimeSetting)
VANTO_SWITCH_SLOT(Payment, m_switchPayment)
VANTO_SWITCH_SLOT(TimeSetting, m_switchTimeSetting)
VANTO_SWITCH_SLOT(NfcTagCreditFunction, m_switchNfcTagCreditFunction)
VANTO_SWITCH_SLOT(SaveRecordingAfterSession, m_switchSaveRecordingAfterSession)
VANTO_SWITCH_SLOT(LoadRecord, m_switchLoadRecord)
VANTO_SWITCH_SLOT(AudioActive, m_switchAudioActive)
VANTO_SWITCH_SLOT(BluetoothActive, m_switchBluetoothActive)
VANTO_SWITCH_SLOT(UnitSystem, m_switchUnitSystem)
VANTO_SWITCH_SLOT(KeyLock, m_switchKeyLock)
VANTO_SWITCH_SLOT(HomeRun, m_switchHomeRun)
VANTO_SWITCH_SLOT(NfcCardInit, m_switchNfcCardInit)
VANTO_SWITCH_SLOT(RotateWindow, m_switchRotateWindow)
VANTO_SWITCH_SLOT(WaterMixerOn, m_switchWaterMixerOn)
VANTO_SWITCH_SLOT(PressureLimiterTemperatureOn, m_switchPressureLimiterTemperatureOn)
VANTO_SWITCH_SLOT(VoiceGuideOn, m_switchVoiceGuideOn)
VANTO_SWITCH_SLOT(DemoModeOn, m_switchDemoModeOn)
VANTO_SWITCH_SLOT(CleanDeviceOn, m_switchCleanDeviceOn)
VANTO_SWITCH_SLOT(QuickStartOn, m_switchQuickStartOn)

#undef VANTO_SWITCH_SLOT

// --- receiving parameters --------------------------------------------------

#define VANTO_PARAM_SLOT(Name, member, signal)                                                     \
    void DeviceController::on##Name##Changed(telegram_param_def record)                            \
    {                                                                                              \
        if (storeRecord(member, record))                                                           \
            emit signal();                                                                         \
    }

VANTO_PARAM_SLOT(CurrentDeviceState, m_currentDeviceState, currentDeviceStateChanged)
VANTO_PARAM_SLOT(LoginTimeout, m_loginTimeout, loginTimeoutChanged)
VANTO_PARAM_SLOT(SetupLoginTimeout, m_setupLoginTimeout, setupLoginTimeoutChanged)
VANTO_PARAM_SLOT(SessionCode, m_sessionCode, sessionCodeChanged)
VANTO_PARAM_SLOT(SetupCode, m_setupCode, setupCodeChanged)
VANTO_PARAM_SLOT(FollowUpCoolingValve, m_followUpCoolingValve, followUpCoolingValveChanged)
VANTO_PARAM_SLOT(FollowUpAmbientLight, m_followUpAmbientLight, followUpAmbientLightChanged)
VANTO_PARAM_SLOT(BasicVolume, m_basicVolume, basicVolumeChanged)
VANTO_PARAM_SLOT(VoiceVolume, m_voiceVolume, voiceVolumeChanged)
VANTO_PARAM_SLOT(AudioBass, m_audioBass, audioBassChanged)
VANTO_PARAM_SLOT(AudioTreble, m_audioTreble, audioTrebleChanged)
VANTO_PARAM_SLOT(WaterMixerTimer, m_waterMixerTimer, waterMixerTimerChanged)
VANTO_PARAM_SLOT(PressureLimiterLowering, m_pressureLimiterLowering, pressureLimiterLoweringChanged)
VANTO_PARAM_SLOT(OperatingHours, m_operatingHours, operatingHoursChanged)
VANTO_PARAM_SLOT(OperatingHoursSinceLastService, m_operatingHoursSinceLastService,
                 operatingHoursSinceLastServiceChanged)

#undef VANTO_PARAM_SLOT

// The temperatures are shown live, so every report is passed on.
void DeviceController::onSetpointWaterTemperatureChanged(telegram_param_def record)
{
    m_setpointWaterTemperature = record;
    emit setPointWaterTemperatureChanged();
}

void DeviceController::onCurrentWaterTemperatureChanged(telegram_param_def record)
{
    m_currentWaterTemperature = record;
    emit currentWaterTemperatureChanged();
}

void DeviceController::onPressureLimiterTemperatureChanged(telegram_param_def record)
{
    m_pressureLimiterTemperature = record;
    emit pressureLimiterTemperatureChanged();
}

// The unit keeps volumes in percent; the sliders work in steps 0-20.
void DeviceController::onAudioVolumeStandbyChanged(telegram_param_def record)
{
    record.value = percentToSteps(record.value);
    if (storeRecord(m_audioVolumeStandby, record))
        emit audioVolumeStandbyChanged();
}

void DeviceController::onAudioVolumeSessionStartChanged(telegram_param_def record)
{
    record.value = percentToSteps(record.value);
    if (storeRecord(m_audioVolumeSessionStart, record))
        emit audioVolumeSessionStartChanged();
}

#define VANTO_INFO_SLOT(Name, member, signal)                                                      \
    void DeviceController::on##Name##Changed(software_online_list currentInfo)                     \
    {                                                                                              \
        if (storeInfo(member, currentInfo))                                                        \
            emit signal();                                                                         \
    }

VANTO_INFO_SLOT(MainControlInfo, m_mainControlInfo, mainControlInfoChanged)
VANTO_INFO_SLOT(Node1Info, m_node1Info, node1InfoChanged)
VANTO_INFO_SLOT(Node2Info, m_node2Info, node2InfoChanged)
VANTO_INFO_SLOT(Node3Info, m_node3Info, node3InfoChanged)
VANTO_INFO_SLOT(Node4Info, m_node4Info, node4InfoChanged)
VANTO_INFO_SLOT(ControlCenterInfo, m_controlCenterInfo, controlCenterInfoChanged)
VANTO_INFO_SLOT(KeyToneControllerInfo, m_keyToneControllerInfo, keyToneControllerInfoChanged)
VANTO_INFO_SLOT(BluetoothControllerInfo, m_bluetoothControllerInfo, bluetoothControllerInfoChanged)
VANTO_INFO_SLOT(NfcControllerInfo, m_nfcControllerInfo, nfcControllerInfoChanged)
VANTO_INFO_SLOT(EvaControllerInfo, m_evaControllerInfo, evaControllerInfoChanged)
VANTO_INFO_SLOT(AudioControllerInfo, m_audioControllerInfo, audioControllerInfoChanged)
VANTO_INFO_SLOT(WatchDogInfo, m_watchDogInfo, watchDogInfoChanged)
VANTO_INFO_SLOT(Led1ControllerInfo, m_led1ControllerInfo, led1ControllerInfoChanged)
VANTO_INFO_SLOT(Led2ControllerInfo, m_led2ControllerInfo, led2ControllerInfoChanged)
VANTO_INFO_SLOT(RemoteControllerInfo, m_remoteControllerInfo, remoteControllerInfoChanged)

#undef VANTO_INFO_SLOT

// --- operations for the screens --------------------------------------------

void DeviceController::requestValues(uint16_t param_id)
{
    TelegramManager::instance()->requestMainControlParam(param_id);
}

void DeviceController::onPlayTouchSound()
{
    TelegramManager::instance()->onSendTelegramToMainControl(uchar(0xA3));
}

bool DeviceController::videoFileExist() const
{
    return QFile::exists(systemPath(QLatin1String(kStandbyVideo)));
}

QString DeviceController::screenshotFileName(const QDateTime& when)
{
    // Year, month, day, hour, minute, second: names sort in time order.
    return QLatin1String("test_") + when.toString(QStringLiteral("yyyyMMddHHmmss")) +
           QLatin1String(".png");
}

void DeviceController::makeScreenshot()
{
    const QString dir = systemPath(QLatin1String(kScreenshotDir));
    if (!QDir().mkpath(dir)) {
        qCInfo(lcDevice) << "could not create path";
        return;
    }
    auto* grab = new QProcess;
    // Not awaited; the process object goes away once the program is done.
    connect(grab, QOverload<int, QProcess::ExitStatus>::of(&QProcess::finished), grab,
            &QObject::deleteLater);
    connect(grab, &QProcess::errorOccurred, grab, [grab](QProcess::ProcessError error) {
        if (error == QProcess::FailedToStart)
            grab->deleteLater();
    });
    grab->start(QStringLiteral("fbgrab"),
                {QDir(dir).filePath(screenshotFileName(QDateTime::currentDateTime()))});
}

QString DeviceController::getUnitOfLength() const
{
    return m_switchUnitSystem ? QCoreApplication::translate("QObject", "inch")
                              : QCoreApplication::translate("QObject", "cm");
}

QString DeviceController::getUnitOfTemperatureScale() const
{
    return m_switchUnitSystem ? QCoreApplication::translate("QObject", "°F")
                              : QCoreApplication::translate("QObject", "°C");
}

int32_t DeviceController::convertUnitOfLengthFromController(int32_t bodySize) const
{
    if (!m_switchUnitSystem)
        return bodySize;
    return int32_t((double(bodySize) + 0.5) / 2.54);
}

int32_t DeviceController::convertUnitOfLengthToController(int32_t bodySize) const
{
    if (!m_switchUnitSystem)
        return bodySize;
    return int32_t((double(bodySize) + 0.5) * 2.54);
}

int32_t DeviceController::convertUnitOfTemperatureScaleFromController(int32_t temp) const
{
    if (!m_switchUnitSystem)
        return temp;
    return int32_t((double(temp) + 0.5) * 9.0 / 5.0 + 32.0);
}

int32_t DeviceController::convertUnitOfTemperatureScaleToController(int32_t temp) const
{
    if (!m_switchUnitSystem)
        return temp;
    return int32_t((double(temp) + 0.5 - 32.0) * 5.0 / 9.0);
}

QString DeviceController::getReadableDeviceState(uint16_t val) const
{
    switch (val) {
    case 2:
        return QStringLiteral("REFERENCE RUN");
    case 3:
        return QStringLiteral("READY / IDLE");
    case 4:
        return QStringLiteral("PAY SESSION");
    case 5:
        return QStringLiteral("COIN SESSION");
    case 6:
        return QStringLiteral("SETUP MANAGER");
    case 7:
        return QStringLiteral("PAUSE SESSION");
    case 8:
        return QStringLiteral("DEVICE ERROR");
    case 9:
        return QStringLiteral("SERVICE SESSION");
    case 10:
        return QStringLiteral("TIME SESSION");
    case 11:
        return QStringLiteral("SETUP SESSION");
    case 12:
        return QStringLiteral("SOFTWARE UPDATE");
    case 13:
        return QStringLiteral("MANUAL SESSION");
    case 14:
        return QStringLiteral("START SESSION");
    case 15:
        return QStringLiteral("HOLD");
    case 16:
        return QStringLiteral("Save Session");
    case 17:
        return QStringLiteral("PROGRAM SESSION FREE");
    case 18:
        return QStringLiteral("SESSION LOGIN");
    case 19:
        return QStringLiteral("STOP PROGRAMMING");
    case 20:
        return QStringLiteral("REFERENCE RUN 2");
    case 21:
        return QStringLiteral("DEMO MODE");
    case 22:
        return QStringLiteral("CLEAN DEVICE");
    case 24:
        return QStringLiteral("UNDEFINED STATUS");
    default:
        return QStringLiteral("NO ENTRY");
    }
}

QString DeviceController::convertIntToHexString(int value) const
{
    return QString::number(value, 16).toUpper();
}

QString DeviceController::appendLeadingZeros(int32_t value, int digits) const
{
    return QStringLiteral("%1").arg(value, digits, 10, QLatin1Char('0'));
}

QString DeviceController::getDeviceName(uint8_t iicAddress) const
{
    switch (iicAddress) {
    case 0x02:
        return tr("LANGUAGE VERSION");
    case 0x08:
        return tr("MAIN CONTROL");
    case 0x20:
    case 0x22:
    case 0x24:
    case 0x25:
    case 0x26:
    case 0x27:
    case 0x28:
    case 0x2A:
    case 0x2C:
    case 0x2E:
        return tr("NODE");
    case 0x92:
        return tr("PROGRAM SELECT");
    case 0x94:
        return tr("CONTROL CENTER");
    case 0x96:
        return tr("KEY SOUND");
    case 0x98:
        return tr("BLUETOOTH");
    case 0x9A:
        return tr("NFC CONTROL");
    case 0x9C:
        return tr("EVA");
    case 0xA0:
        return tr("CONFIGURATION CONTROL");
    case 0xC4:
        return tr("FT FAN CONTROLLER");
    case 0xC6:
        return tr("EXTENSION CONTROLLER");
    case 0xF2:
        return tr("AUDIO CONTROL");
    case 0xF9:
        return tr("WATCHDOG");
    case 0xFA:
        return tr("LED CONTROL 1");
    case 0xFC:
        return tr("REMOTE SERVICE");
    case 0xFE:
        return tr("LED CONTROL 2");
    default:
        return tr("MODUL");
    }
}

// --- self-update of the program from the SD card ----------------------------

QString DeviceController::processErrorText(QProcess::ProcessError error)
{
    switch (error) {
    case QProcess::FailedToStart:
        return QStringLiteral("The process failed to start. Either the invoked program is "
                              "missing, or you may have insufficient permissions to invoke the "
                              "program.");
    case QProcess::Crashed:
        return QStringLiteral("The process crashed some time after starting successfully.");
    case QProcess::Timedout:
        return QStringLiteral("The last waitFor...() function timed out. The state of QProcess "
                              "is unchanged, and you can try calling waitFor...() again.");
    case QProcess::ReadError:
        return QStringLiteral("An error occurred when attempting to read from the process. For "
                              "example, the process may not be running.");
    case QProcess::WriteError:
        return QStringLiteral("An error occurred when attempting to write to the process. For "
                              "example, the process may not be running, or it may have closed "
                              "its input channel.");
    case QProcess::UnknownError:
        return QStringLiteral("An unknown error occurred. This is the default return value of "
                              "error().");
    }
    return QString();
}

void DeviceController::startUpdateBinary()
{
    const QString source = systemPath(QLatin1String(kSdCardBinary));
    if (!QFileInfo::exists(source)) {
        qCInfo(lcDevice) << "could not find vanto binary";
        return;
    }
    if (m_copyProcess.state() != QProcess::NotRunning ||
        m_syncProcess.state() != QProcess::NotRunning) {
        qCInfo(lcDevice) << "update of the program already running";
        return;
    }
    // The installed program stays untouched until the new one is complete
    // beside it; see onCopyFinished.
    m_copyProcess.start(QStringLiteral("cp"), {source, stagingBinaryPath()});
}

bool DeviceController::replaceBinary(QString* error)
{
    const QString staged = stagingBinaryPath();
    QFile::setPermissions(staged, QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                      QFileDevice::ExeOwner | QFileDevice::ReadGroup |
                                      QFileDevice::ExeGroup | QFileDevice::ReadOther |
                                      QFileDevice::ExeOther);
    // rename() replaces the old file atomically, also while it is running.
    const QByteArray from = QFile::encodeName(staged);
    const QByteArray to = QFile::encodeName(systemPath(QLatin1String(kInstalledBinary)));
    if (std::rename(from.constData(), to.constData()) != 0) {
        *error = QString::fromLocal8Bit(std::strerror(errno));
        return false;
    }
    return true;
}

void DeviceController::onCopyFinished(int exitCode, QProcess::ExitStatus exitStatus)
{
    if (exitCode != 0 || exitStatus != QProcess::NormalExit) {
        QFile::remove(stagingBinaryPath());
        setUpdateBinaryState(failedStepText("COPY NEW BINARY", exitCode));
        return;
    }
    setUpdateBinaryState(QStringLiteral("COPY NEW BINARY SUCCESSFULLY "));
    QString error;
    if (!replaceBinary(&error)) {
        QFile::remove(stagingBinaryPath());
        setUpdateBinaryState(QLatin1String("REMOVE OLD BIN ERROR: ") + error);
        return;
    }
    setUpdateBinaryState(QStringLiteral("REMOVE OLD BINARY SUCCESSFULLY "));
    m_syncProcess.start(QStringLiteral("sync"), QStringList());
}

void DeviceController::onCopyError(QProcess::ProcessError error)
{
    if (error == QProcess::FailedToStart)
        QFile::remove(stagingBinaryPath());
    setUpdateBinaryState(QLatin1String("COPY NEW BIN ERROR: ") + processErrorText(error));
}

void DeviceController::onSyncFinished(int exitCode, QProcess::ExitStatus exitStatus)
{
    if (exitCode != 0 || exitStatus != QProcess::NormalExit) {
        setUpdateBinaryState(failedStepText("SYNC", exitCode));
        return;
    }
    auto* reboot = new QProcess;
    connect(reboot, QOverload<int, QProcess::ExitStatus>::of(&QProcess::finished), reboot,
            &QObject::deleteLater);
    // A program that never starts never finishes either.
    connect(reboot, &QProcess::errorOccurred, reboot, [reboot](QProcess::ProcessError error) {
        if (error == QProcess::FailedToStart)
            reboot->deleteLater();
    });
    reboot->start(QStringLiteral("reboot"), {QString()});
}

void DeviceController::onSyncError(QProcess::ProcessError error)
{
    setUpdateBinaryState(QLatin1String("SYNC FILESYSTEM ERROR: ") + processErrorText(error));
}

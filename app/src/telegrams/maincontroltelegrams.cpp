#include "maincontroltelegrams.h"

#include "controllers/bluetoothcontroller.h"
#include "controllers/devicecontroller.h"
#include "controllers/errorcontroller.h"
#include "controllers/languagecontroller.h"
#include "controllers/languagemodel.h"
#include "controllers/massagecontroller.h"
#include "controllers/nfccontroller.h"
#include "controllers/quickstartbuttoninfomodel.h"
#include "controllers/spacontroller.h"
#include "core/applicationcontroller.h"
#include "core/telegrammanager.h"
#include "types/enumproviderclass.h"
#include "types/errorhistorylist.h"
#include "types/recordclinicstep.h"

#include <rimotelegram.h>

#include <QLoggingCategory>

Q_LOGGING_CATEGORY(lcMainControl, "vanto.maincontrol")

namespace {

constexpr quint16 kParamSoftwareInfo = 10101;
constexpr quint16 kParamErrorHistory = 10102;
constexpr quint16 kParamEffectIllumination = 10046;
constexpr quint16 kParamChecksumRequest = 468;
constexpr quint16 kParamChecksumReport = 469;
constexpr int kMinReportData = 11;

// Colour bytes red, green, blue sit above the mode byte.
bool hasIndividualColour(qint32 value)
{
    return (quint32(value) & 0xFFFFFF00u) != 0;
}

} // namespace

MainControlTelegrams::MainControlTelegrams(QObject* parent) : QObject(parent) {}

void MainControlTelegrams::decode(const rimoTelegram& telegram)
{
    decode(telegram.command(), telegram.data());
}

void MainControlTelegrams::decode(uchar command, const QByteArray& data)
{
    switch (command) {
    case CommandInvalid:
        emit mainControlTelegramError(QStringLiteral("Unknown telegram!"));
        return;
    case CommandParamReport:
        decodeParameterReport(data);
        return;
    case CommandParamRequest:
        decodeParameterRequest(data);
        return;
    case CommandRequestControlFlags:
    case CommandRequestBlock16:
    case CommandRequestSoftwareVersion:
    case CommandRequestNumber:
    case CommandRequestBlock32:
        answerIdentification(command);
        return;
    default:
        return;
    }
}

QString MainControlTelegrams::hexText(const QByteArray& data)
{
    return QString::fromLatin1(data.toHex(' '));
}

QByteArray MainControlTelegrams::identificationAnswer(uchar request, quint16 controlFlags,
                                                      const QStringList& versions)
{
    QByteArray out;
    switch (request) {
    case CommandRequestControlFlags:
        out.append(char(controlFlags & 0xFF));
        out.append(char(controlFlags >> 8));
        break;
    case CommandRequestBlock16:
        for (int i = 0; i < 16; ++i)
            out.append(char(i));
        break;
    case CommandRequestSoftwareVersion: {
        // Minor, then major; a missing or unreadable number is sent as 0.
        const auto number = [&versions](int i) -> char {
            bool ok = false;
            const uint v = i < versions.size() ? versions.at(i).trimmed().toUInt(&ok) : 0;
            return ok ? char(v & 0xFF) : char(0);
        };
        out.append(number(1));
        out.append(number(0));
        out.append(char(0));
        out.append(char(0));
        break;
    }
    case CommandRequestNumber:
        out = QByteArray::fromHex("02141700");
        break;
    case CommandRequestBlock32:
        for (int i = 0; i < 32; ++i)
            out.append(char(i));
        break;
    default:
        break;
    }
    return out;
}

QByteArray MainControlTelegrams::checksumReport(quint32 crc32)
{
    QByteArray out;
    out.append(char(kParamChecksumReport & 0xFF));
    out.append(char(kParamChecksumReport >> 8));
    out.append(char((crc32 >> 24) & 0xFF));
    out.append(char((crc32 >> 16) & 0xFF));
    out.append(char((crc32 >> 8) & 0xFF));
    out.append(char(crc32 & 0xFF));
    return out;
}

void MainControlTelegrams::answerIdentification(uchar request)
{
    TelegramManager* manager = TelegramManager::instance();
    QStringList versions;
    if (request == CommandRequestSoftwareVersion)
        versions = ApplicationController::instance()->softwareVersionList();
    manager->onSendTelegramToMainControl(
        uchar(request - 0x80), identificationAnswer(request, manager->controlFlags(), versions));
}

void MainControlTelegrams::decodeParameterRequest(const QByteArray& data)
{
    if (data.size() < 2)
        return;
    const qint16 id = qint16(ByteOrder::readU16(data, 0));
    if (id != kParamChecksumRequest && id != kParamChecksumReport)
        return;
    TelegramManager* manager = TelegramManager::instance();
    const quint32 crc = manager->crc32Value();
    const QByteArray report = checksumReport(crc);
    qCDebug(lcMainControl).noquote() << "crc32 val external: " + QString::number(crc);
    qCDebug(lcMainControl).noquote()
        << "CRC in hex: " + QStringLiteral("%1").arg(crc, 8, 16, QLatin1Char('0'));
    qCDebug(lcMainControl).noquote() << "Send crc with: " + hexText(report);
    manager->onSendTelegramToMainControl(uchar(CommandParamReport), report);
}

void MainControlTelegrams::decodeParameterReport(const QByteArray& data)
{
    if (data.size() < kMinReportData)
        return;
    const quint16 id = ByteOrder::readU16(data, 0);
    if (id < 10100) {
        bool wellFormed = false;
        const telegram_param_def record = telegram_param_def::fromData(data, &wellFormed);
        if (!wellFormed)
            qCDebug(lcMainControl) << "Wrong format!";
        // A short record carries the defaults, its identifier included, so
        // the catalogue is chosen by the identifier of the telegram.
        dispatchRecord(id, record, data);
        return;
    }
    if (id > 10199)
        return;

    ApplicationController* app = ApplicationController::instance();
    bool decoded = false;
    switch (id) {
    case kParamSoftwareInfo: {
        const software_online_list info = software_online_list::fromData(data, &decoded);
        if (decoded)
            dispatchSoftwareInfo(info);
        break;
    }
    case kParamErrorHistory: {
        const error_history_list entry = error_history_list::fromData(data, &decoded);
        // Only entries 0 … 31 have a list; others are dropped.
        if (decoded)
            app->errorController().storeErrorHistory(int(entry.index), entry);
        break;
    }
    case EnumProviderClass::PARAM_RECORD_CLINIC_STEP: {
        const record_clinic_step step = record_clinic_step::fromData(data, &decoded);
        if (decoded)
            app->massageController().onRecordClinicStepChanged(step);
        break;
    }
    default:
        qCDebug(lcMainControl).noquote() << "Default data: " + hexText(data);
        return;
    }
    // A special record too short to decode is not passed on as defaults.
    if (!decoded)
        qCDebug(lcMainControl) << "Wrong format!";
}

void MainControlTelegrams::dispatchSoftwareInfo(const software_online_list& info)
{
    DeviceController& dc = ApplicationController::instance()->deviceController();
    switch (info.iicAddress) {
    case 0x08:
        dc.onMainControlInfoChanged(info);
        break;
    case 0x20:
        dc.onNode1InfoChanged(info);
        break;
    case 0x22:
        dc.onNode2InfoChanged(info);
        break;
    case 0x24:
        dc.onNode3InfoChanged(info);
        break;
    case 0x25:
        dc.onNode4InfoChanged(info);
        break;
    case 0x94:
        dc.onControlCenterInfoChanged(info);
        break;
    case 0x96:
        dc.onKeyToneControllerInfoChanged(info);
        break;
    case 0x98:
        dc.onBluetoothControllerInfoChanged(info);
        break;
    case 0x9A:
        dc.onNfcControllerInfoChanged(info);
        break;
    case 0x9C:
        dc.onEvaControllerInfoChanged(info);
        break;
    case 0xF2:
        dc.onAudioControllerInfoChanged(info);
        break;
    case 0xF9:
        dc.onWatchDogInfoChanged(info);
        break;
    case 0xFA:
        dc.onLed1ControllerInfoChanged(info);
        break;
    case 0xFC:
        dc.onRemoteControllerInfoChanged(info);
        break;
    case 0xFE:
        dc.onLed2ControllerInfoChanged(info);
        break;
    default:
        break;
    }
}

void MainControlTelegrams::dispatchRecord(quint16 id, const telegram_param_def& record,
                                          const QByteArray& data)
{
    ApplicationController* app = ApplicationController::instance();
    DeviceController& dc = app->deviceController();
    MassageController& mc = app->massageController();

    switch (id) {
    case EnumProviderClass::PARAM_FU_ERROR_CODE:
        qCDebug(lcMainControl).noquote() << "FU ERROR CODE: " + hexText(data);
        break;
    case EnumProviderClass::PARAM_FU_SOFTWARE_VERSION:
        qCDebug(lcMainControl).noquote() << "FU SOFTWARE VERSION: " + hexText(data);
        break;
    case EnumProviderClass::PARAM_FU_HARDWARE_VERSION:
        qCDebug(lcMainControl).noquote() << "FU HARDWARE VERSION: " + hexText(data);
        break;
    case EnumProviderClass::PARAM_SETUP_MANAGER_BT_DEVICE_NAME:
        if (data.size() > 3) {
            QByteArray name = data.mid(2);
            const int end = name.indexOf('\0');
            if (end >= 0)
                name.truncate(end);
            app->bluetoothController().onBluetoothDeviceNameChanged(QString::fromLatin1(name));
        }
        break;
    case EnumProviderClass::PARAM_NOZZLE_PRESSURE:
        mc.onNozzlePressureChanged(record);
        break;
    case EnumProviderClass::PARAM_NOZZLE_SPEED:
        mc.onNozzleSpeedChanged(record);
        break;
    case EnumProviderClass::PARAM_BODY_SIZE:
        mc.onBodySizeChanged(record);
        break;
    case EnumProviderClass::PARAM_MASSAGE_TIME:
        mc.onMassageTimeChanged(record);
        break;
    case EnumProviderClass::PARAM_BODY_AREA:
        mc.onBodyAreaChanged(record);
        break;
    case EnumProviderClass::PARAM_MASSAGE_PROGRAM:
        mc.onMassageProgramChanged(record);
        break;
    case EnumProviderClass::PARAM_MASSAGE_TYPE:
        mc.onMassageTypeChanged(record);
        break;
    case EnumProviderClass::PARAM_OPERATING_HOURS:
        dc.onOperatingHoursChanged(record);
        break;
    case EnumProviderClass::PARAM_OPERATING_HOURS_SINCE_LAST_SERVICE:
        dc.onOperatingHoursSinceLastServiceChanged(record);
        break;
    case EnumProviderClass::PARAM_TEMPERATURE_UNIT:
        mc.onTemperatureUnitChanged(record);
        break;
    case EnumProviderClass::PARAM_AUDIO_VOLUME_STANDBY:
        dc.onAudioVolumeStandbyChanged(record);
        break;
    case EnumProviderClass::PARAM_MASSAGE_TIME_MAXIMUM:
        mc.onMaxMassageTimeChanged(record);
        break;
    case EnumProviderClass::PARAM_MASSAGE_TIME_LOCK:
        mc.onLockedMassageTimeChanged(record);
        break;
    case EnumProviderClass::PARAM_SETPOINT_WATER_TEMPERATURE:
        dc.onSetpointWaterTemperatureChanged(record);
        break;
    case EnumProviderClass::PARAM_CURRENT_WATER_TEMPERATURE:
        dc.onCurrentWaterTemperatureChanged(record);
        break;
    case EnumProviderClass::PARAM_AUDIO_VOLUME_SESSION_START:
        dc.onAudioVolumeSessionStartChanged(record);
        break;
    case EnumProviderClass::PARAM_BLUETOOTH_STATE:
        app->bluetoothController().onBluetoothStateChanged(record);
        break;
    case EnumProviderClass::PARAM_CURRENT_DEVICE_STATUS:
        dc.onCurrentDeviceStateChanged(record);
        dc.setReferenceRun2(record.value == EnumProviderClass::REFERENCE_RUN_2);
        deviceStateStep(record);
        break;
    case EnumProviderClass::PARAM_CURRENT_MOTOR_1_POSITION:
        mc.onMotorPos1Changed(record);
        break;
    case EnumProviderClass::PARAM_CURRENT_MOTOR_2_POSITION:
        mc.onMotorPos2Changed(record);
        break;
    case EnumProviderClass::PARAM_CURRENT_MOTOR_3_POSITION:
        mc.onMotorPos3Changed(record);
        break;
    case EnumProviderClass::PARAM_SETUP_LOGIN_TIMEOUT:
        dc.onSetupLoginTimeoutChanged(record);
        break;
    case EnumProviderClass::PARAM_REQUESTED_MOTOR_1_POSITION:
        mc.onRequestedMotorPos1Changed(record);
        break;
    case EnumProviderClass::PARAM_REQUESTED_MOTOR_2_POSITION:
        mc.onRequestedMotorPos2Changed(record);
        break;
    case EnumProviderClass::PARAM_REQUESTED_MOTOR_3_POSITION:
        mc.onRequestedMotorPos3Changed(record);
        break;
    case EnumProviderClass::PARAM_SESSION_CODE:
        dc.onSessionCodeChanged(record);
        break;
    case EnumProviderClass::PARAM_SETUP_SWITCHES:
        app->setSetupSwitches(record);
        setupSwitchStep(record);
        break;
    case EnumProviderClass::PARAM_SETUP_CODE:
        dc.onSetupCodeChanged(record);
        break;
    case EnumProviderClass::PARAM_LOGIN_TIMEOUT:
        dc.onLoginTimeoutChanged(record);
        break;
    case EnumProviderClass::PARAM_SHOULDER_WIDTH:
        mc.onShoulderWidthChanged(record);
        break;
    case EnumProviderClass::PARAM_LANGUAGE:
        languageStep(record);
        break;
    case EnumProviderClass::PARAM_QUICKSTART_BUTTON_CONFIGURATION:
        if (QuickstartButtonInfoModel* model = app->quickstartButtonInfoModel())
            model->onQuickstartButtonConfigChanged(record);
        break;
    case EnumProviderClass::PARAM_SPA_AROMA_PROGRAM:
        app->spaController().onAromaProgramChanged(record);
        break;
    case EnumProviderClass::PARAM_SPA_COLOR_PROGRAM:
        app->spaController().onSpaColorProgramChanged(record);
        app->spaController().setIndividualColorLight(hasIndividualColour(record.value));
        break;
    case EnumProviderClass::PARAM_APPLIANCE_TYPE: {
        const qint32 v = record.value;
        dc.setApplianceType(v >= 1 && v <= 3 ? EnumProviderClass::APPLIANCE_TYPE(v)
                                             : EnumProviderClass::NOT_INITIALIZED);
        app->initDeviceType(record);
        app->restartCommTimer();
        break;
    }
    case EnumProviderClass::PARAM_BASIC_VOLUME:
        dc.onBasicVolumeChanged(record);
        break;
    case EnumProviderClass::PARAM_PAUSE_MODE:
        mc.onPauseModeChanged(record);
        break;
    case EnumProviderClass::PARAM_NOZZLE_PRESSURE_AT_START:
        mc.onNozzlePressureAtStartChanged(record);
        break;
    case EnumProviderClass::PARAM_FOLLOW_UP_COOLING_VALVE:
        dc.onFollowUpCoolingValveChanged(record);
        break;
    case EnumProviderClass::PARAM_FOLLOW_UP_AMBIENT_LIGHT:
        dc.onFollowUpAmbientLightChanged(record);
        break;
    case kParamEffectIllumination:
        app->spaController().onEffectIlluminationChanged(record);
        app->spaController().setIndividualEffectIllumination(hasIndividualColour(record.value));
        break;
    case EnumProviderClass::PARAM_VOICE_VOLUME:
        dc.onVoiceVolumeChanged(record);
        break;
    case EnumProviderClass::PARAM_BACKGROUND_PROGRAM:
        mc.onBackgroundProgramChanged(record);
        break;
    case EnumProviderClass::PARAM_NFC_TAG_CREDIT:
        app->nfcController().onNfcTagCreditChanged(record);
        break;
    case EnumProviderClass::PARAM_CURRENT_ERROR_LIST_1:
        qCDebug(lcMainControl).noquote() << "error: " + QString::number(record.value);
        app->errorController().onCurrentErrorList1Changed(record);
        break;
    case EnumProviderClass::PARAM_CURRENT_WARNING_LIST_1:
        qCDebug(lcMainControl).noquote() << "warning: " + QString::number(record.value);
        app->errorController().onCurrentWarningList1Changed(record);
        break;
    case EnumProviderClass::PARAM_BACKGROUND_REPLAY_TIME:
        mc.onBackgroundReplayTimeChanged(record);
        break;
    case EnumProviderClass::PARAM_AUDIO_BASS:
        dc.onAudioBassChanged(record);
        break;
    case EnumProviderClass::PARAM_AUDIO_TREBLE:
        dc.onAudioTrebleChanged(record);
        break;
    case EnumProviderClass::PARAM_NOZZLE_PRESSURE_MAX:
        mc.onNozzlePressureMaxChanged(record);
        break;
    case EnumProviderClass::PARAM_WATER_MIXER_TIMER:
        dc.onWaterMixerTimerChanged(record);
        break;
    case EnumProviderClass::PARAM_PRESSURE_LIMITER_TEMPERATURE:
        dc.onPressureLimiterTemperatureChanged(record);
        break;
    case EnumProviderClass::PARAM_PRESSURE_LIMITER_LOWERING:
        dc.onPressureLimiterLoweringChanged(record);
        break;
    default:
        // Known but not shown (revolutions, dimming, pump mode, standby
        // video) or unknown: nothing to do.
        break;
    }
}

void MainControlTelegrams::deviceStateStep(const telegram_param_def& record)
{
    ApplicationController* app = ApplicationController::instance();
    DeviceController& dc = app->deviceController();
    switch (record.value) {
    case EnumProviderClass::NO_CONSOLE:
    case EnumProviderClass::REFERENCE_RUN:
        emit app->goToReferenceRunState();
        break;
    case EnumProviderClass::READY_IDLE:
        emit app->goToReadyIdleState();
        break;
    case EnumProviderClass::PAY_SESSION:
        if (dc.switchNfcTagCreditFunction())
            emit dc.showNfcPayPopup();
        else if (dc.switchPinCodeEnabled())
            emit dc.showPinCodePayPopup();
        break;
    case EnumProviderClass::COIN_SESSION:
        emit app->goToCoinSession();
        break;
    case EnumProviderClass::SETUP_MANAGER:
        emit app->goToSetupManagerState();
        break;
    case EnumProviderClass::DEVICE_ERROR:
        emit app->goToDeviceErrorState();
        break;
    case EnumProviderClass::SERVICE_SESSION:
        emit app->goToServiceSessionState();
        break;
    case EnumProviderClass::TIME_SESSION:
        emit app->goToTimeSessionState();
        break;
    case EnumProviderClass::SETUP_SESSION:
        emit app->goToSetupSessionState();
        break;
    case EnumProviderClass::SOFTWARE_UPDATE:
        emit app->goToSoftwareUpdateState();
        break;
    case EnumProviderClass::MANUAL_SESSION:
        emit app->goToManualSessionState();
        break;
    case EnumProviderClass::START_SESSION:
        qCDebug(lcMainControl).noquote() << "Start SESSION: " + QString::number(record.value);
        break;
    case EnumProviderClass::SAVE_SESSION:
        emit app->goToSaveSessionState();
        break;
    case EnumProviderClass::PROGRAM_SESSION_FREE:
        emit app->goToProgramSessionFreeState();
        break;
    case EnumProviderClass::SESSION_LOGIN:
        emit app->goToSessionLoginState();
        break;
    case EnumProviderClass::CLEAN_DEVICE:
        // Only the US version has a cleaning screen.
        if (dc.applianceType() == EnumProviderClass::US_VERSION)
            emit app->goToCleanDeviceState();
        break;
    default:
        break;
    }
}

void MainControlTelegrams::setupSwitchStep(const telegram_param_def& record)
{
    DeviceController& dc = ApplicationController::instance()->deviceController();
    const quint32 bits = quint32(record.value);
    const auto bit = [bits](EnumProviderClass::SETUP_SWITCHES b) {
        return ((bits >> b) & 1u) != 0;
    };
    dc.onSwitchPinCodeEnabledChanged(bit(EnumProviderClass::SWITCH_PIN_CODE_ENABLED));
    dc.onSwitchStartButtonIndividualMassageChanged(
        bit(EnumProviderClass::SWITCH_START_BUTTON_INDIVIDUAL_MASSAGE));
    dc.onSwitchLedSpaActivatedChanged(bit(EnumProviderClass::SWITCH_LED_SPA_ACTIVATED));
    dc.onSwitchButtonMassageSettingsChanged(bit(EnumProviderClass::SWITCH_BUTTON_MASSAGE_SETTINGS));
    dc.onSwitchIndividualMassageStyleChanged(
        bit(EnumProviderClass::SWITCH_INDIVIDUAL_MASSAGE_STYLE));
    // Bit 5 means "payment": the keypad time setting is its opposite.
    dc.onSwitchKeypadTimeSettingChanged(!bit(EnumProviderClass::SWITCH_KEYPAD_TIME_SETTING));
    dc.onSwitchPaymentChanged(bit(EnumProviderClass::SWITCH_KEYPAD_TIME_SETTING));
    dc.onSwitchTimeSettingChanged(bit(EnumProviderClass::SWITCH_TIME_SETTING));
    dc.onSwitchNfcTagCreditFunctionChanged(bit(EnumProviderClass::SWITCH_NFC_TAG_CREDIT_FUNCTION));
    dc.onSwitchSaveRecordingAfterSessionChanged(
        bit(EnumProviderClass::SWITCH_SAVE_RECORDING_AFTER_SESSION));
    dc.onSwitchLoadRecordChanged(bit(EnumProviderClass::SWITCH_LOAD_RECORD));
    dc.onSwitchAudioActiveChanged(bit(EnumProviderClass::SWITCH_AUDIO_ACTIVE));
    dc.onSwitchBluetoothActiveChanged(bit(EnumProviderClass::SWITCH_BLUETOOTH_ACTIVE));
    dc.onSwitchUnitSystemChanged(bit(EnumProviderClass::SWITCH_UNIT_SYSTEM));
    dc.onSwitchKeyLockChanged(bit(EnumProviderClass::SWITCH_KEY_LOCK));
    dc.onSwitchHomeRunChanged(bit(EnumProviderClass::SWITCH_HOME_RUN));
    dc.onSwitchNfcCardInitChanged(bit(EnumProviderClass::SWITCH_NFC_CARD_INIT));
    dc.onSwitchRotateWindowChanged(bit(EnumProviderClass::SWITCH_ROTATE_WINDOW));
    dc.onSwitchWaterMixerOnChanged(bit(EnumProviderClass::SWITCH_WATER_MIXER_ON));
    dc.onSwitchPressureLimiterTemperatureOnChanged(
        bit(EnumProviderClass::SWITCH_PRESSURE_LIMITER_TEMPERATURE_ON));
    dc.onSwitchVoiceGuideOnChanged(bit(EnumProviderClass::SWITCH_VOICE_GUIDE_ON));
    dc.onSwitchDemoModeOnChanged(bit(EnumProviderClass::SWITCH_DEMO_MODE_ON));
    dc.onSwitchCleanDeviceOnChanged(bit(EnumProviderClass::SWITCH_CLEAN_DEVICE_ON));
    dc.onSwitchQuickStartOnChanged(bit(EnumProviderClass::SWITCH_QUICK_START_ON));
}

void MainControlTelegrams::languageStep(const telegram_param_def& record)
{
    LanguageController& lc = ApplicationController::instance()->languageController();
    if (!lc.language().sameContent(record)) {
        lc.updateSelectableLanguages(record);
        lc.onSetLanguage(record);
    } else if (lc.languageModel() && lc.languageModel()->rowCount() == 0) {
        // The screens empty the list when they ask for it again; the unchanged
        // answer must still fill it, or the language menu stays empty.
        lc.updateSelectableLanguages(record);
    }
    lc.onDefaultLanguageChanged(record.def);
}

#pragma once

#include "types/enumproviderclass.h"
#include "types/softwareonlinelist.h"
#include "types/telegramparamdef.h"

#include <QObject>
#include <QProcess>
#include <QString>

class QDateTime;
class QLocalServer;

// Mirror of the lounger-wide parameters of the main control unit: device state,
// codes and login time-outs, water temperature, audio levels, the set-up
// switches, operating hours and the software versions of every bus node. The
// panel decides nothing itself: setters send parameter writes and the
// properties change only when the control unit reports the parameter back.
class DeviceController : public QObject
{
    Q_OBJECT

    Q_PROPERTY(telegram_param_def currentDeviceState READ currentDeviceState NOTIFY
                   currentDeviceStateChanged)
    Q_PROPERTY(telegram_param_def loginTimeout READ loginTimeout NOTIFY loginTimeoutChanged)
    Q_PROPERTY(
        telegram_param_def setupLoginTimeout READ setupLoginTimeout NOTIFY setupLoginTimeoutChanged)
    Q_PROPERTY(telegram_param_def sessionCode READ sessionCode NOTIFY sessionCodeChanged)
    Q_PROPERTY(telegram_param_def setupCode READ setupCode NOTIFY setupCodeChanged)
    Q_PROPERTY(telegram_param_def followUpCoolingValve READ followUpCoolingValve NOTIFY
                   followUpCoolingValveChanged)
    Q_PROPERTY(telegram_param_def followUpAmbientLight READ followUpAmbientLight NOTIFY
                   followUpAmbientLightChanged)
    Q_PROPERTY(telegram_param_def setpointWaterTemperature READ setpointWaterTemperature NOTIFY
                   setPointWaterTemperatureChanged)
    Q_PROPERTY(telegram_param_def currentWaterTemperature READ currentWaterTemperature NOTIFY
                   currentWaterTemperatureChanged)
    Q_PROPERTY(telegram_param_def audioVolumeStandby READ audioVolumeStandby NOTIFY
                   audioVolumeStandbyChanged)
    Q_PROPERTY(telegram_param_def audioVolumeSessionStart READ audioVolumeSessionStart NOTIFY
                   audioVolumeSessionStartChanged)
    Q_PROPERTY(telegram_param_def basicVolume READ basicVolume NOTIFY basicVolumeChanged)
    Q_PROPERTY(telegram_param_def voiceVolume READ voiceVolume NOTIFY voiceVolumeChanged)
    Q_PROPERTY(telegram_param_def audioBass READ audioBass NOTIFY audioBassChanged)
    Q_PROPERTY(telegram_param_def audioTreble READ audioTreble NOTIFY audioTrebleChanged)
    Q_PROPERTY(
        telegram_param_def waterMixerTimer READ waterMixerTimer NOTIFY waterMixerTimerChanged)
    Q_PROPERTY(telegram_param_def pressureLimiterTemperature READ pressureLimiterTemperature NOTIFY
                   pressureLimiterTemperatureChanged)
    Q_PROPERTY(telegram_param_def pressureLimiterLowering READ pressureLimiterLowering NOTIFY
                   pressureLimiterLoweringChanged)
    Q_PROPERTY(telegram_param_def operatingHours READ operatingHours NOTIFY operatingHoursChanged)
    Q_PROPERTY(telegram_param_def operatingHoursSinceLastService READ operatingHoursSinceLastService
                   NOTIFY operatingHoursSinceLastServiceChanged)

    Q_PROPERTY(
        bool switchPinCodeEnabled READ switchPinCodeEnabled NOTIFY switchPinCodeEnabledChanged)
    Q_PROPERTY(bool switchStartButtonIndividualMassage READ switchStartButtonIndividualMassage
                   NOTIFY switchStartButtonIndividualMassageChanged)
    Q_PROPERTY(
        bool switchLedSpaActivated READ switchLedSpaActivated NOTIFY switchLedSpaActivatedChanged)
    Q_PROPERTY(bool switchButtonMassageSettings READ switchButtonMassageSettings NOTIFY
                   switchButtonMassageSettingsChanged)
    Q_PROPERTY(bool switchIndividualMassageStyle READ switchIndividualMassageStyle NOTIFY
                   switchIndividualMassageStyleChanged)
    Q_PROPERTY(bool switchKeypadTimeSetting READ switchKeypadTimeSetting NOTIFY
                   switchKeypadTimeSettingChanged)
    Q_PROPERTY(bool switchPayment READ switchPayment NOTIFY switchPaymentChanged)
    Q_PROPERTY(bool switchTimeSetting READ switchTimeSetting NOTIFY switchTimeSettingChanged)
    Q_PROPERTY(bool switchNfcTagCreditFunction READ switchNfcTagCreditFunction NOTIFY
                   switchNfcTagCreditFunctionChanged)
    Q_PROPERTY(bool switchSaveRecordingAfterSession READ switchSaveRecordingAfterSession NOTIFY
                   switchSaveRecordingAfterSessionChanged)
    Q_PROPERTY(bool switchLoadRecord READ switchLoadRecord NOTIFY switchLoadRecordChanged)
    Q_PROPERTY(bool switchAudioActive READ switchAudioActive NOTIFY switchAudioActiveChanged)
    Q_PROPERTY(
        bool switchBluetoothActive READ switchBluetoothActive NOTIFY switchBluetoothActiveChanged)
    Q_PROPERTY(bool switchUnitSystem READ switchUnitSystem NOTIFY switchUnitSystemChanged)
    Q_PROPERTY(bool switchKeyLock READ switchKeyLock NOTIFY switchKeyLockChanged)
    Q_PROPERTY(bool switchHomeRun READ switchHomeRun NOTIFY switchHomeRunChanged)
    Q_PROPERTY(bool switchNfcCardInit READ switchNfcCardInit NOTIFY switchNfcCardInitChanged)
    Q_PROPERTY(bool switchRotateWindow READ switchRotateWindow NOTIFY switchRotateWindowChanged)
    Q_PROPERTY(bool switchWaterMixerOn READ switchWaterMixerOn NOTIFY switchWaterMixerOnChanged)
    Q_PROPERTY(bool switchPressureLimiterTemperatureOn READ switchPressureLimiterTemperatureOn
                   NOTIFY switchPressureLimiterTemperatureOnChanged)
    Q_PROPERTY(bool switchVoiceGuideOn READ switchVoiceGuideOn NOTIFY switchVoiceGuideOnChanged)
    Q_PROPERTY(bool switchDemoModeOn READ switchDemoModeOn NOTIFY switchDemoModeOnChanged)
    Q_PROPERTY(bool switchCleanDeviceOn READ switchCleanDeviceOn NOTIFY switchCleanDeviceOnChanged)
    Q_PROPERTY(bool switchQuickStartOn READ switchQuickStartOn NOTIFY switchQuickStartOnChanged)

    Q_PROPERTY(
        software_online_list mainControlInfo READ mainControlInfo NOTIFY mainControlInfoChanged)
    Q_PROPERTY(software_online_list node1Info READ node1Info NOTIFY node1InfoChanged)
    Q_PROPERTY(software_online_list node2Info READ node2Info NOTIFY node2InfoChanged)
    Q_PROPERTY(software_online_list node3Info READ node3Info NOTIFY node3InfoChanged)
    Q_PROPERTY(software_online_list node4Info READ node4Info NOTIFY node4InfoChanged)
    Q_PROPERTY(software_online_list controlCenterInfo READ controlCenterInfo NOTIFY
                   controlCenterInfoChanged)
    Q_PROPERTY(software_online_list keyToneControllerInfo READ keyToneControllerInfo NOTIFY
                   keyToneControllerInfoChanged)
    Q_PROPERTY(software_online_list bluetoothControllerInfo READ bluetoothControllerInfo NOTIFY
                   bluetoothControllerInfoChanged)
    Q_PROPERTY(software_online_list nfcControllerInfo READ nfcControllerInfo NOTIFY
                   nfcControllerInfoChanged)
    Q_PROPERTY(software_online_list evaControllerInfo READ evaControllerInfo NOTIFY
                   evaControllerInfoChanged)
    Q_PROPERTY(software_online_list audioControllerInfo READ audioControllerInfo NOTIFY
                   audioControllerInfoChanged)
    Q_PROPERTY(software_online_list watchDogInfo READ watchDogInfo NOTIFY watchDogInfoChanged)
    Q_PROPERTY(software_online_list led1ControllerInfo READ led1ControllerInfo NOTIFY
                   led1ControllerInfoChanged)
    Q_PROPERTY(software_online_list led2ControllerInfo READ led2ControllerInfo NOTIFY
                   led2ControllerInfoChanged)
    Q_PROPERTY(software_online_list remoteControllerInfo READ remoteControllerInfo NOTIFY
                   remoteControllerInfoChanged)

    Q_PROPERTY(bool commToControlUnitFailed READ commToControlUnitFailed NOTIFY
                   commToControlUnitFailedChanged)
    Q_PROPERTY(EnumProviderClass::APPLIANCE_TYPE applianceType READ applianceType NOTIFY
                   applianceTypeChanged)
    Q_PROPERTY(bool referenceRun2 READ referenceRun2 NOTIFY referenceRun2Changed)
    Q_PROPERTY(EnumProviderClass::ApplicationUpdateState appUpdateState READ appUpdateState NOTIFY
                   appUpdateStateChanged)
    Q_PROPERTY(QString updateBinaryState READ updateBinaryState NOTIFY updateBinaryStateChanged)

public:
    DeviceController();
    ~DeviceController() override;

    // Local socket names on which the update service announces a GUI update.
    static const char* const kNotifyUpdateStarting;
    static const char* const kNotifyUpdateSucceeded;
    static const char* const kNotifyUpdateFailed;

    telegram_param_def currentDeviceState() const { return m_currentDeviceState; }
    telegram_param_def loginTimeout() const { return m_loginTimeout; }
    telegram_param_def setupLoginTimeout() const { return m_setupLoginTimeout; }
    telegram_param_def sessionCode() const { return m_sessionCode; }
    telegram_param_def setupCode() const { return m_setupCode; }
    telegram_param_def followUpCoolingValve() const { return m_followUpCoolingValve; }
    telegram_param_def followUpAmbientLight() const { return m_followUpAmbientLight; }
    telegram_param_def setpointWaterTemperature() const { return m_setpointWaterTemperature; }
    telegram_param_def currentWaterTemperature() const { return m_currentWaterTemperature; }
    telegram_param_def audioVolumeStandby() const { return m_audioVolumeStandby; }
    telegram_param_def audioVolumeSessionStart() const { return m_audioVolumeSessionStart; }
    telegram_param_def basicVolume() const { return m_basicVolume; }
    telegram_param_def voiceVolume() const { return m_voiceVolume; }
    telegram_param_def audioBass() const { return m_audioBass; }
    telegram_param_def audioTreble() const { return m_audioTreble; }
    telegram_param_def waterMixerTimer() const { return m_waterMixerTimer; }
    telegram_param_def pressureLimiterTemperature() const { return m_pressureLimiterTemperature; }
    telegram_param_def pressureLimiterLowering() const { return m_pressureLimiterLowering; }
    telegram_param_def operatingHours() const { return m_operatingHours; }
    telegram_param_def operatingHoursSinceLastService() const
    {
        return m_operatingHoursSinceLastService;
    }

    bool switchPinCodeEnabled() const { return m_switchPinCodeEnabled; }
    bool switchStartButtonIndividualMassage() const { return m_switchStartButtonIndividualMassage; }
    bool switchLedSpaActivated() const { return m_switchLedSpaActivated; }
    bool switchButtonMassageSettings() const { return m_switchButtonMassageSettings; }
    bool switchIndividualMassageStyle() const { return m_switchIndividualMassageStyle; }
    bool switchKeypadTimeSetting() const { return m_switchKeypadTimeSetting; }
    bool switchPayment() const { return m_switchPayment; }
    bool switchTimeSetting() const { return m_switchTimeSetting; }
    bool switchNfcTagCreditFunction() const { return m_switchNfcTagCreditFunction; }
    bool switchSaveRecordingAfterSession() const { return m_switchSaveRecordingAfterSession; }
    bool switchLoadRecord() const { return m_switchLoadRecord; }
    bool switchAudioActive() const { return m_switchAudioActive; }
    bool switchBluetoothActive() const { return m_switchBluetoothActive; }
    bool switchUnitSystem() const { return m_switchUnitSystem; }
    bool switchKeyLock() const { return m_switchKeyLock; }
    bool switchHomeRun() const { return m_switchHomeRun; }
    bool switchNfcCardInit() const { return m_switchNfcCardInit; }
    bool switchRotateWindow() const { return m_switchRotateWindow; }
    bool switchWaterMixerOn() const { return m_switchWaterMixerOn; }
    bool switchPressureLimiterTemperatureOn() const { return m_switchPressureLimiterTemperatureOn; }
    bool switchVoiceGuideOn() const { return m_switchVoiceGuideOn; }
    bool switchDemoModeOn() const { return m_switchDemoModeOn; }
    bool switchCleanDeviceOn() const { return m_switchCleanDeviceOn; }
    bool switchQuickStartOn() const { return m_switchQuickStartOn; }

    software_online_list mainControlInfo() const { return m_mainControlInfo; }
    software_online_list node1Info() const { return m_node1Info; }
    software_online_list node2Info() const { return m_node2Info; }
    software_online_list node3Info() const { return m_node3Info; }
    software_online_list node4Info() const { return m_node4Info; }
    software_online_list controlCenterInfo() const { return m_controlCenterInfo; }
    software_online_list keyToneControllerInfo() const { return m_keyToneControllerInfo; }
    software_online_list bluetoothControllerInfo() const { return m_bluetoothControllerInfo; }
    software_online_list nfcControllerInfo() const { return m_nfcControllerInfo; }
    software_online_list evaControllerInfo() const { return m_evaControllerInfo; }
    software_online_list audioControllerInfo() const { return m_audioControllerInfo; }
    software_online_list watchDogInfo() const { return m_watchDogInfo; }
    software_online_list led1ControllerInfo() const { return m_led1ControllerInfo; }
    software_online_list led2ControllerInfo() const { return m_led2ControllerInfo; }
    software_online_list remoteControllerInfo() const { return m_remoteControllerInfo; }

    bool commToControlUnitFailed() const { return m_commToControlUnitFailed; }
    EnumProviderClass::APPLIANCE_TYPE applianceType() const { return m_applianceType; }
    bool referenceRun2() const { return m_referenceRun2; }
    EnumProviderClass::ApplicationUpdateState appUpdateState() const { return m_appUpdateState; }
    QString updateBinaryState() const { return m_updateBinaryState; }

    // Written by the telegram manager, the application controller and the
    // main control decoder; each emits only on a change.
    void setCommToControlUnitFailed(bool failed);
    void setApplianceType(EnumProviderClass::APPLIANCE_TYPE type);
    void setReferenceRun2(bool active);
    void setAppUpdateState(EnumProviderClass::ApplicationUpdateState state);

    // Parameter writes (value, action or other field of the stored record).
    Q_INVOKABLE void setCurrentDeviceState(EnumProviderClass::CURRENT_DEVICE_STATUS state);
    Q_INVOKABLE void setCurrentDeviceStateStep(uint16_t step);
    Q_INVOKABLE void setLoginTimeout(int32_t value);
    Q_INVOKABLE void setSetupLoginTimeout(int32_t value);
    Q_INVOKABLE void setSessionCode(int32_t code);
    Q_INVOKABLE void verifySessionCode(int32_t code);
    Q_INVOKABLE void setSetupCode(int32_t code);
    Q_INVOKABLE void verifySetupCode(int32_t code);
    Q_INVOKABLE void nopActionSetupCode();
    Q_INVOKABLE void setFollowUpCoolingValve(int32_t value);
    Q_INVOKABLE void setFollowUpAmbientLight(int32_t value);
    Q_INVOKABLE void setSetpointWaterTemperatureValue(int32_t value);
    Q_INVOKABLE void setSetpointWaterTemperature(EnumProviderClass::ACTION action);
    Q_INVOKABLE void setCurrentWaterTemperatureValue(int32_t value);
    Q_INVOKABLE void setCurrentWaterTemperature(EnumProviderClass::ACTION action);
    Q_INVOKABLE void setAudioVolumeStandby(int32_t steps);
    Q_INVOKABLE void setAudioVolumeSessionStart(int32_t steps);
    Q_INVOKABLE void setBasicVolume(int32_t value);
    Q_INVOKABLE void setVoiceVolume(int32_t value);
    Q_INVOKABLE void setAudioBassValue(int32_t value);
    Q_INVOKABLE void setAudioBass(EnumProviderClass::ACTION action);
    Q_INVOKABLE void setAudioTrebleValue(int32_t value);
    Q_INVOKABLE void setAudioTreble(EnumProviderClass::ACTION action);
    Q_INVOKABLE void setWaterMixerTimerValue(int32_t value);
    Q_INVOKABLE void setWaterMixerTimer(EnumProviderClass::ACTION action);
    Q_INVOKABLE void setPressureLimiterTemperatureValue(int32_t value);
    Q_INVOKABLE void setPressureLimiterTemperature(EnumProviderClass::ACTION action);
    Q_INVOKABLE void setPressureLimiterLoweringValue(int32_t value);
    Q_INVOKABLE void setPressureLimiterLowering(EnumProviderClass::ACTION action);
    Q_INVOKABLE void setOperatingHours(int32_t value);
    Q_INVOKABLE void setOperatingHoursSinceLastService(int32_t value);
    Q_INVOKABLE void resetSystem();

    // Set-up switch writes: one bit of the set-up switches record each.
    Q_INVOKABLE void setSwitchLedSpaActivated(bool on);
    Q_INVOKABLE void setSwitchButtonMassageSettings(bool on);
    Q_INVOKABLE void setSwitchIndividualMassageStyle(bool on);
    Q_INVOKABLE void setSwitchKeypadTimeSetting(bool on);
    Q_INVOKABLE void setSwitchTimeSetting(bool on);
    Q_INVOKABLE void setSwitchSaveRecordingAfterSession(bool on);
    Q_INVOKABLE void setSwitchLoadRecord(bool on);
    Q_INVOKABLE void setSwitchAudioActive(bool on);
    Q_INVOKABLE void setSwitchBluetoothActive(bool on);
    Q_INVOKABLE void setSwitchUnitSystem(bool on);
    Q_INVOKABLE void setSwitchKeyLock(bool on);
    Q_INVOKABLE void setSwitchHomeRun(bool on);
    Q_INVOKABLE void setSwitchNfcCardInit(bool on);
    Q_INVOKABLE void setSwitchRotateWindow(bool on);
    Q_INVOKABLE void setSwitchWaterMixerOn(bool on);
    Q_INVOKABLE void setSwitchPressureLimiterTemperatureOn(bool on);
    Q_INVOKABLE void setSwitchVoiceGuideOn(bool on);
    Q_INVOKABLE void setSwitchDemoModeOn(bool on);
    Q_INVOKABLE void setSwitchCleanDeviceOn(bool on);
    Q_INVOKABLE void setSwitchQuickStartOn(bool on);
    Q_INVOKABLE void setPaymentMode(bool payment, bool nfc, bool pinCode);

    Q_INVOKABLE void requestValues(uint16_t param_id);
    Q_INVOKABLE void onPlayTouchSound();
    Q_INVOKABLE bool videoFileExist() const;
    Q_INVOKABLE void makeScreenshot();
    Q_INVOKABLE void startUpdateBinary();

    Q_INVOKABLE QString getUnitOfLength() const;
    Q_INVOKABLE QString getUnitOfTemperatureScale() const;
    Q_INVOKABLE int32_t convertUnitOfLengthFromController(int32_t bodySize) const;
    Q_INVOKABLE int32_t convertUnitOfLengthToController(int32_t bodySize) const;
    Q_INVOKABLE int32_t convertUnitOfTemperatureScaleFromController(int32_t temp) const;
    Q_INVOKABLE int32_t convertUnitOfTemperatureScaleToController(int32_t temp) const;
    Q_INVOKABLE QString getReadableDeviceState(uint16_t val) const;
    Q_INVOKABLE QString convertIntToHexString(int value) const;
    Q_INVOKABLE QString appendLeadingZeros(int32_t value, int digits) const;
    Q_INVOKABLE QString getDeviceName(uint8_t iicAddress) const;

    // Name of the screenshot file for a moment: sorts and reads by date.
    static QString screenshotFileName(const QDateTime& when);
    // Describes a process error kind the way the update status shows it.
    static QString processErrorText(QProcess::ProcessError error);

public slots:
    void onCurrentDeviceStateChanged(telegram_param_def currentDeviceState);
    void onLoginTimeoutChanged(telegram_param_def loginTimeout);
    void onSetupLoginTimeoutChanged(telegram_param_def setupLoginTimeout);
    void onSessionCodeChanged(telegram_param_def sessionCode);
    void onSetupCodeChanged(telegram_param_def setupCode);
    void onFollowUpCoolingValveChanged(telegram_param_def followUpCoolingValve);
    void onFollowUpAmbientLightChanged(telegram_param_def followUpAmbientLight);
    void onSetpointWaterTemperatureChanged(telegram_param_def setpointWaterTemperature);
    void onCurrentWaterTemperatureChanged(telegram_param_def currentWaterTemperature);
    void onAudioVolumeStandbyChanged(telegram_param_def audioVolumeStandby);
    void onAudioVolumeSessionStartChanged(telegram_param_def audioVolumeSessionStart);
    void onBasicVolumeChanged(telegram_param_def basicVolume);
    void onVoiceVolumeChanged(telegram_param_def voiceVolume);
    void onAudioBassChanged(telegram_param_def audioBass);
    void onAudioTrebleChanged(telegram_param_def audioTreble);
    void onWaterMixerTimerChanged(telegram_param_def waterMixerTimer);
    void onPressureLimiterTemperatureChanged(telegram_param_def pressureLimiterTemperature);
    void onPressureLimiterLoweringChanged(telegram_param_def pressureLimiterLowering);
    void onOperatingHoursChanged(telegram_param_def operatingHours);
    void onOperatingHoursSinceLastServiceChanged(telegram_param_def operatingHoursSinceLastService);

    void onSwitchPinCodeEnabledChanged(bool current);
    void onSwitchStartButtonIndividualMassageChanged(bool current);
    void onSwitchLedSpaActivatedChanged(bool current);
    void onSwitchButtonMassageSettingsChanged(bool current);
    void onSwitchIndividualMassageStyleChanged(bool current);
    void onSwitchKeypadTimeSettingChanged(bool current);
    void onSwitchPaymentChanged(bool current);
    void onSwitchTimeSettingChanged(bool current);
    void onSwitchNfcTagCreditFunctionChanged(bool current);
    void onSwitchSaveRecordingAfterSessionChanged(bool current);
    void onSwitchLoadRecordChanged(bool current);
    void onSwitchAudioActiveChanged(bool current);
    void onSwitchBluetoothActiveChanged(bool current);
    void onSwitchUnitSystemChanged(bool current);
    void onSwitchKeyLockChanged(bool current);
    void onSwitchHomeRunChanged(bool current);
    void onSwitchNfcCardInitChanged(bool current);
    void onSwitchRotateWindowChanged(bool current);
    void onSwitchWaterMixerOnChanged(bool current);
    void onSwitchPressureLimiterTemperatureOnChanged(bool current);
    void onSwitchVoiceGuideOnChanged(bool current);
    void onSwitchDemoModeOnChanged(bool current);
    void onSwitchCleanDeviceOnChanged(bool current);
    void onSwitchQuickStartOnChanged(bool current);

    void onMainControlInfoChanged(software_online_list currentInfo);
    void onNode1InfoChanged(software_online_list currentInfo);
    void onNode2InfoChanged(software_online_list currentInfo);
    void onNode3InfoChanged(software_online_list currentInfo);
    void onNode4InfoChanged(software_online_list currentInfo);
    void onControlCenterInfoChanged(software_online_list currentInfo);
    void onKeyToneControllerInfoChanged(software_online_list currentInfo);
    void onBluetoothControllerInfoChanged(software_online_list currentInfo);
    void onNfcControllerInfoChanged(software_online_list currentInfo);
    void onEvaControllerInfoChanged(software_online_list currentInfo);
    void onAudioControllerInfoChanged(software_online_list currentInfo);
    void onWatchDogInfoChanged(software_online_list currentInfo);
    void onLed1ControllerInfoChanged(software_online_list currentInfo);
    void onLed2ControllerInfoChanged(software_online_list currentInfo);
    void onRemoteControllerInfoChanged(software_online_list currentInfo);

signals:
    void currentDeviceStateChanged();
    void loginTimeoutChanged();
    void setupLoginTimeoutChanged();
    void sessionCodeChanged();
    void setupCodeChanged();
    void followUpCoolingValveChanged();
    void followUpAmbientLightChanged();
    void setPointWaterTemperatureChanged();
    void currentWaterTemperatureChanged();
    void audioVolumeStandbyChanged();
    void audioVolumeSessionStartChanged();
    void basicVolumeChanged();
    void voiceVolumeChanged();
    void audioBassChanged();
    void audioTrebleChanged();
    void waterMixerTimerChanged();
    void pressureLimiterTemperatureChanged();
    void pressureLimiterLoweringChanged();
    void operatingHoursChanged();
    void operatingHoursSinceLastServiceChanged();

    void switchPinCodeEnabledChanged();
    void switchStartButtonIndividualMassageChanged();
    void switchLedSpaActivatedChanged();
    void switchButtonMassageSettingsChanged();
    void switchIndividualMassageStyleChanged();
    void switchKeypadTimeSettingChanged();
    void switchPaymentChanged();
    void switchTimeSettingChanged();
    void switchNfcTagCreditFunctionChanged();
    void switchSaveRecordingAfterSessionChanged();
    void switchLoadRecordChanged();
    void switchAudioActiveChanged();
    void switchBluetoothActiveChanged();
    void switchUnitSystemChanged();
    void switchKeyLockChanged();
    void switchHomeRunChanged();
    void switchNfcCardInitChanged();
    void switchRotateWindowChanged();
    void switchWaterMixerOnChanged();
    void switchPressureLimiterTemperatureOnChanged();
    void switchVoiceGuideOnChanged();
    void switchDemoModeOnChanged();
    void switchCleanDeviceOnChanged();
    void switchQuickStartOnChanged();

    void mainControlInfoChanged();
    void node1InfoChanged();
    void node2InfoChanged();
    void node3InfoChanged();
    void node4InfoChanged();
    void controlCenterInfoChanged();
    void keyToneControllerInfoChanged();
    void bluetoothControllerInfoChanged();
    void nfcControllerInfoChanged();
    void evaControllerInfoChanged();
    void audioControllerInfoChanged();
    void watchDogInfoChanged();
    void led1ControllerInfoChanged();
    void led2ControllerInfoChanged();
    void remoteControllerInfoChanged();

    void commToControlUnitFailedChanged();
    void applianceTypeChanged();
    void referenceRun2Changed();
    void appUpdateStateChanged();
    void updateBinaryStateChanged();

    // Emitted by the device-state step when the unit asks for payment.
    void showNfcPayPopup();
    void showPinCodePayPopup();

private slots:
    void onUpdateStartingConnected();
    void onUpdateSucceededConnected();
    void onUpdateFailedConnected();
    void onCopyFinished(int exitCode, QProcess::ExitStatus exitStatus);
    void onCopyError(QProcess::ProcessError error);
    void onSyncFinished(int exitCode, QProcess::ExitStatus exitStatus);
    void onSyncError(QProcess::ProcessError error);

private:
    QLocalServer* listenForNotice(const char* name, void (DeviceController::*handler)());
    void acceptPending(QLocalServer* server);
    void writeParamValue(telegram_param_def record, EnumProviderClass::PARAM_ID id, int32_t value);
    void writeParamAction(telegram_param_def record, EnumProviderClass::PARAM_ID id,
                          EnumProviderClass::ACTION action);
    void writeSetupSwitches(quint32 setMask, quint32 clearMask);
    void writeSwitch(EnumProviderClass::SETUP_SWITCHES bit, bool on);
    void setUpdateBinaryState(const QString& text);
    bool replaceBinary(QString* error);

    telegram_param_def m_currentDeviceState;
    telegram_param_def m_loginTimeout;
    telegram_param_def m_setupLoginTimeout;
    telegram_param_def m_sessionCode;
    telegram_param_def m_setupCode;
    telegram_param_def m_followUpCoolingValve;
    telegram_param_def m_followUpAmbientLight;
    telegram_param_def m_setpointWaterTemperature;
    telegram_param_def m_currentWaterTemperature;
    telegram_param_def m_audioVolumeStandby;
    telegram_param_def m_audioVolumeSessionStart;
    telegram_param_def m_basicVolume;
    telegram_param_def m_voiceVolume;
    telegram_param_def m_audioBass;
    telegram_param_def m_audioTreble;
    telegram_param_def m_waterMixerTimer;
    telegram_param_def m_pressureLimiterTemperature;
    telegram_param_def m_pressureLimiterLowering;
    telegram_param_def m_operatingHours;
    telegram_param_def m_operatingHoursSinceLastService;

    bool m_switchPinCodeEnabled = false;
    bool m_switchStartButtonIndividualMassage = false;
    bool m_switchLedSpaActivated = false;
    bool m_switchButtonMassageSettings = false;
    bool m_switchIndividualMassageStyle = false;
    bool m_switchKeypadTimeSetting = false;
    bool m_switchPayment = false;
    bool m_switchTimeSetting = false;
    bool m_switchNfcTagCreditFunction = false;
    bool m_switchSaveRecordingAfterSession = false;
    bool m_switchLoadRecord = false;
    bool m_switchAudioActive = false;
    bool m_switchBluetoothActive = false;
    bool m_switchUnitSystem = false;
    bool m_switchKeyLock = false;
    bool m_switchHomeRun = false;
    bool m_switchNfcCardInit = false;
    bool m_switchRotateWindow = false;
    bool m_switchWaterMixerOn = false;
    bool m_switchPressureLimiterTemperatureOn = false;
    bool m_switchVoiceGuideOn = false;
    bool m_switchDemoModeOn = false;
    bool m_switchCleanDeviceOn = false;
    bool m_switchQuickStartOn = false;

    software_online_list m_mainControlInfo;
    software_online_list m_node1Info;
    software_online_list m_node2Info;
    software_online_list m_node3Info;
    software_online_list m_node4Info;
    software_online_list m_controlCenterInfo;
    software_online_list m_keyToneControllerInfo;
    software_online_list m_bluetoothControllerInfo;
    software_online_list m_nfcControllerInfo;
    software_online_list m_evaControllerInfo;
    software_online_list m_audioControllerInfo;
    software_online_list m_watchDogInfo;
    software_online_list m_led1ControllerInfo;
    software_online_list m_led2ControllerInfo;
    software_online_list m_remoteControllerInfo;

    bool m_commToControlUnitFailed = false;
    EnumProviderClass::APPLIANCE_TYPE m_applianceType = EnumProviderClass::NOT_INITIALIZED;
    bool m_referenceRun2 = false;
    EnumProviderClass::ApplicationUpdateState m_appUpdateState =
        EnumProviderClass::UPDATE_APPLICATION_UNDEFINED_STATE;
    QString m_updateBinaryState;

    QLocalServer* m_updateStartingServer = nullptr;
    QLocalServer* m_updateSucceededServer = nullptr;
    QLocalServer* m_updateFailedServer = nullptr;

    // The self-update chain: copy beside the target, replace, sync, reboot.
    QProcess m_copyProcess;
    QProcess m_syncProcess;
};

// Every user operation of the device, massage and error controllers leaves as
// the right telegram: command and data bytes as captured from the telegram
// manager.

#include "maincontroltestsupport.h"

#include "controllers/devicecontroller.h"
#include "controllers/errorcontroller.h"
#include "controllers/massagecontroller.h"
#include "controllers/quickstartbuttoninfomodel.h"
#include "core/applicationcontroller.h"
#include "types/enumproviderclass.h"

#include <QtTest>

#include <functional>
#include <vector>

namespace {

using E = EnumProviderClass;

// What every property holds before the operation: distinct field values,
// a wrong identifier (setters must put their own) and a verdict in the
// action byte (value setters must keep it).
telegram_param_def baseRecord()
{
    telegram_param_def r = distinctRecord(0x1234);
    r.action = E::CORRECT;
    return r;
}

constexpr qint32 kStoredSwitches = 0x00400081; // bits 0, 7 and 22

QByteArray encode(const telegram_param_def& r)
{
    return recordBytes(r.id, r.def, r.value, r.min, r.max, r.step, r.divider, r.type, r.action,
                       r.message, r.message2, r.current);
}

// The base record as a write of parameter `id` after `patch`.
QByteArray written(quint16 id, const std::function<void(telegram_param_def&)>& patch)
{
    telegram_param_def r = baseRecord();
    r.id = id;
    patch(r);
    r.message = 1;
    return encode(r);
}

// The base record as a read (0x89) of parameter `id` after `patch`: unchanged otherwise.
QByteArray read(quint16 id, const std::function<void(telegram_param_def&)>& patch)
{
    telegram_param_def r = baseRecord();
    r.id = id;
    patch(r);
    return encode(r);
}

QByteArray switchesWritten(qint32 bits)
{
    return written(E::PARAM_SETUP_SWITCHES, [bits](telegram_param_def& r) { r.value = bits; });
}

QByteArray idBytes(quint16 id)
{
    return QByteArray(1, char(id & 0xFF)) + QByteArray(1, char(id >> 8));
}

struct Row
{
    QString tag;
    const char* object; // whose input slot gets the base record first
    const char* primeSlot;
    bool imperial;
    std::function<void()> operation;
    // Expected telegrams: command and data, in order.
    std::function<QList<QPair<int, QByteArray>>()> expected;
};

ApplicationController* app()
{
    return ApplicationController::instance();
}
DeviceController& dc()
{
    return app()->deviceController();
}
MassageController& mc()
{
    return app()->massageController();
}
ErrorController& ec()
{
    return app()->errorController();
}

QList<QPair<int, QByteArray>> one(int command, const QByteArray& data)
{
    return {{command, data}};
}

std::vector<Row> buildRows()
{
    std::vector<Row> rows;
    auto value = [&rows](const char* tag, const char* object, const char* slot, quint16 id,
                         std::function<void()> op, qint32 v, bool imperial = false) {
        rows.push_back({QString::fromLatin1(tag), object, slot, imperial, std::move(op), [id, v] {
                            return one(0xA9,
                                       written(id, [v](telegram_param_def& r) { r.value = v; }));
                        }});
    };
    auto value2 = [&rows](const char* tag, const char* object, const char* slot, quint16 id,
                          std::function<void()> op, qint32 v, bool imperial = false) {
        rows.push_back({QString::fromLatin1(tag), object, slot, imperial, std::move(op), [id, v] {
                            return one(0xA9, written(id, [v](telegram_param_def& r) {
                                           r.value = v;
                                           r.message2 = 1;
                                       }));
                        }});
    };
    auto action = [&rows](const char* tag, const char* object, const char* slot, quint16 id,
                          std::function<void()> op, quint8 a, bool flag2 = false) {
        rows.push_back(
            {QString::fromLatin1(tag), object, slot, false, std::move(op), [id, a, flag2] {
                 return one(0xA9, written(id, [a, flag2](telegram_param_def& r) {
                                r.action = a;
                                if (flag2)
                                    r.message2 = 1;
                            }));
             }});
    };
    auto def = [&rows](const char* tag, const char* object, const char* slot, quint16 id,
                       std::function<void()> op, quint16 d, bool flag2 = false,
                       bool imperial = false) {
        rows.push_back(
            {QString::fromLatin1(tag), object, slot, imperial, std::move(op), [id, d, flag2] {
                 return one(0xA9, written(id, [d, flag2](telegram_param_def& r) {
                                r.def = d;
                                if (flag2)
                                    r.message2 = 1;
                            }));
             }});
    };
    auto other = [&rows](const char* tag, std::function<void()> op,
                         std::function<QList<QPair<int, QByteArray>>()> expected,
                         const char* object = "", const char* slot = "") {
        rows.push_back(
            {QString::fromLatin1(tag), object, slot, false, std::move(op), std::move(expected)});
    };

    // --- device controller ---
    const char* D = "device";
    value(
        "device state", D, "onCurrentDeviceStateChanged", E::PARAM_CURRENT_DEVICE_STATUS,
        [] { dc().setCurrentDeviceState(E::READY_IDLE); }, 3);
    other(
        "device state step", [] { dc().setCurrentDeviceStateStep(9); },
        [] {
            return one(0xA9, written(E::PARAM_CURRENT_DEVICE_STATUS,
                                     [](telegram_param_def& r) { r.step = 9; }));
        },
        D, "onCurrentDeviceStateChanged");
    action(
        "reset system", D, "onCurrentDeviceStateChanged", E::PARAM_CURRENT_DEVICE_STATUS,
        [] { dc().resetSystem(); }, E::RESET);
    value(
        "login timeout", D, "onLoginTimeoutChanged", E::PARAM_LOGIN_TIMEOUT,
        [] { dc().setLoginTimeout(30); }, 30);
    value(
        "setup login timeout", D, "onSetupLoginTimeoutChanged", E::PARAM_SETUP_LOGIN_TIMEOUT,
        [] { dc().setSetupLoginTimeout(31); }, 31);
    value(
        "session code", D, "onSessionCodeChanged", E::PARAM_SESSION_CODE,
        [] { dc().setSessionCode(1234); }, 1234);
    other(
        "verify session code", [] { dc().verifySessionCode(42); },
        [] {
            return one(0x89, read(E::PARAM_SESSION_CODE, [](telegram_param_def& r) {
                           r.value = 42;
                           r.action = E::VERIFY;
                       }));
        },
        D, "onSessionCodeChanged");
    value(
        "setup code", D, "onSetupCodeChanged", E::PARAM_SETUP_CODE, [] { dc().setSetupCode(9999); },
        9999);
    other(
        "verify setup code", [] { dc().verifySetupCode(7); },
        [] {
            return one(0x89, read(E::PARAM_SETUP_CODE, [](telegram_param_def& r) {
                           r.value = 7;
                           r.action = E::VERIFY;
                       }));
        },
        D, "onSetupCodeChanged");
    other(
        "nop setup code", [] { dc().nopActionSetupCode(); },
        [] {
            return one(0x89,
                       read(E::PARAM_SETUP_CODE, [](telegram_param_def& r) { r.action = E::NOP; }));
        },
        D, "onSetupCodeChanged");
    value(
        "cooling valve", D, "onFollowUpCoolingValveChanged", E::PARAM_FOLLOW_UP_COOLING_VALVE,
        [] { dc().setFollowUpCoolingValve(5); }, 5);
    value(
        "ambient light", D, "onFollowUpAmbientLightChanged", E::PARAM_FOLLOW_UP_AMBIENT_LIGHT,
        [] { dc().setFollowUpAmbientLight(6); }, 6);
    value(
        "setpoint water metric", D, "onSetpointWaterTemperatureChanged",
        E::PARAM_SETPOINT_WATER_TEMPERATURE, [] { dc().setSetpointWaterTemperatureValue(37); }, 37);
    value(
        "setpoint water imperial 99F", D, "onSetpointWaterTemperatureChanged",
        E::PARAM_SETPOINT_WATER_TEMPERATURE, [] { dc().setSetpointWaterTemperatureValue(99); }, 37,
        true);
    action(
        "setpoint water up", D, "onSetpointWaterTemperatureChanged",
        E::PARAM_SETPOINT_WATER_TEMPERATURE, [] { dc().setSetpointWaterTemperature(E::UP); },
        E::UP);
    value(
        "current water imperial unconverted", D, "onCurrentWaterTemperatureChanged",
        E::PARAM_CURRENT_WATER_TEMPERATURE, [] { dc().setCurrentWaterTemperatureValue(99); }, 99,
        true);
    action(
        "current water down", D, "onCurrentWaterTemperatureChanged",
        E::PARAM_CURRENT_WATER_TEMPERATURE, [] { dc().setCurrentWaterTemperature(E::DOWN); },
        E::DOWN);
    value(
        "volume standby 7 steps", D, "onAudioVolumeStandbyChanged", E::PARAM_AUDIO_VOLUME_STANDBY,
        [] { dc().setAudioVolumeStandby(7); }, 35);
    value(
        "volume standby 0 steps", D, "onAudioVolumeStandbyChanged", E::PARAM_AUDIO_VOLUME_STANDBY,
        [] { dc().setAudioVolumeStandby(0); }, 0);
    value(
        "volume session start 20 steps", D, "onAudioVolumeSessionStartChanged",
        E::PARAM_AUDIO_VOLUME_SESSION_START, [] { dc().setAudioVolumeSessionStart(20); }, 100);
    value(
        "volume session start 3 steps", D, "onAudioVolumeSessionStartChanged",
        E::PARAM_AUDIO_VOLUME_SESSION_START, [] { dc().setAudioVolumeSessionStart(3); }, 15);
    value(
        "basic volume", D, "onBasicVolumeChanged", E::PARAM_BASIC_VOLUME,
        [] { dc().setBasicVolume(8); }, 8);
    value(
        "voice volume", D, "onVoiceVolumeChanged", E::PARAM_VOICE_VOLUME,
        [] { dc().setVoiceVolume(9); }, 9);
    value(
        "bass value", D, "onAudioBassChanged", E::PARAM_AUDIO_BASS,
        [] { dc().setAudioBassValue(-3); }, -3);
    action(
        "bass up", D, "onAudioBassChanged", E::PARAM_AUDIO_BASS, [] { dc().setAudioBass(E::UP); },
        E::UP);
    value(
        "treble value", D, "onAudioTrebleChanged", E::PARAM_AUDIO_TREBLE,
        [] { dc().setAudioTrebleValue(4); }, 4);
    action(
        "treble down", D, "onAudioTrebleChanged", E::PARAM_AUDIO_TREBLE,
        [] { dc().setAudioTreble(E::DOWN); }, E::DOWN);
    value(
        "water mixer value", D, "onWaterMixerTimerChanged", E::PARAM_WATER_MIXER_TIMER,
        [] { dc().setWaterMixerTimerValue(120); }, 120);
    action(
        "water mixer up", D, "onWaterMixerTimerChanged", E::PARAM_WATER_MIXER_TIMER,
        [] { dc().setWaterMixerTimer(E::UP); }, E::UP);
    value(
        "limiter temperature metric", D, "onPressureLimiterTemperatureChanged",
        E::PARAM_PRESSURE_LIMITER_TEMPERATURE, [] { dc().setPressureLimiterTemperatureValue(40); },
        40);
    value(
        "limiter temperature imperial 99F", D, "onPressureLimiterTemperatureChanged",
        E::PARAM_PRESSURE_LIMITER_TEMPERATURE, [] { dc().setPressureLimiterTemperatureValue(99); },
        37, true);
    action(
        "limiter temperature up", D, "onPressureLimiterTemperatureChanged",
        E::PARAM_PRESSURE_LIMITER_TEMPERATURE, [] { dc().setPressureLimiterTemperature(E::UP); },
        E::UP);
    value(
        "limiter lowering value", D, "onPressureLimiterLoweringChanged",
        E::PARAM_PRESSURE_LIMITER_LOWERING, [] { dc().setPressureLimiterLoweringValue(11); }, 11);
    action(
        "limiter lowering down", D, "onPressureLimiterLoweringChanged",
        E::PARAM_PRESSURE_LIMITER_LOWERING, [] { dc().setPressureLimiterLowering(E::DOWN); },
        E::DOWN);
    value(
        "operating hours", D, "onOperatingHoursChanged", E::PARAM_OPERATING_HOURS,
        [] { dc().setOperatingHours(100); }, 100);
    value(
        "hours since service", D, "onOperatingHoursSinceLastServiceChanged",
        E::PARAM_OPERATING_HOURS_SINCE_LAST_SERVICE,
        [] { dc().setOperatingHoursSinceLastService(0); }, 0);
    other(
        "request values", [] { dc().requestValues(10017); },
        [] { return one(0x89, idBytes(10017)); });
    other(
        "touch sound", [] { dc().onPlayTouchSound(); }, [] { return one(0xA3, QByteArray()); });

    // Set-up switches: one bit of the stored record, everything else kept.
    const struct
    {
        const char* name;
        void (DeviceController::*setter)(bool);
        int bit;
    } switches[] = {
        {"led spa", &DeviceController::setSwitchLedSpaActivated, 2},
        {"button massage settings", &DeviceController::setSwitchButtonMassageSettings, 3},
        {"individual massage style", &DeviceController::setSwitchIndividualMassageStyle, 4},
        {"keypad time setting", &DeviceController::setSwitchKeypadTimeSetting, 5},
        {"time setting", &DeviceController::setSwitchTimeSetting, 6},
        {"save recording", &DeviceController::setSwitchSaveRecordingAfterSession, 8},
        {"load record", &DeviceController::setSwitchLoadRecord, 9},
        {"audio active", &DeviceController::setSwitchAudioActive, 10},
        {"bluetooth active", &DeviceController::setSwitchBluetoothActive, 11},
        {"unit system", &DeviceController::setSwitchUnitSystem, 12},
        {"key lock", &DeviceController::setSwitchKeyLock, 13},
        {"home run", &DeviceController::setSwitchHomeRun, 14},
        {"nfc card init", &DeviceController::setSwitchNfcCardInit, 15},
        {"rotate window", &DeviceController::setSwitchRotateWindow, 16},
        {"water mixer on", &DeviceController::setSwitchWaterMixerOn, 17},
        {"limiter temperature on", &DeviceController::setSwitchPressureLimiterTemperatureOn, 18},
        {"voice guide", &DeviceController::setSwitchVoiceGuideOn, 19},
        {"demo mode", &DeviceController::setSwitchDemoModeOn, 20},
        {"clean device", &DeviceController::setSwitchCleanDeviceOn, 21},
        {"quick start", &DeviceController::setSwitchQuickStartOn, 22},
    };
    for (const auto& s : switches) {
        const auto setter = s.setter;
        const int bit = s.bit;
        other(
            qPrintable(QStringLiteral("switch on: %1").arg(s.name)),
            [setter] { (dc().*setter)(true); },
            [bit] { return one(0xA9, switchesWritten(kStoredSwitches | (1 << bit))); });
    }
    other(
        "switch off: quick start", [] { dc().setSwitchQuickStartOn(false); },
        [] { return one(0xA9, switchesWritten(kStoredSwitches & ~(1 << 22))); });
    other(
        "switch off: already off", [] { dc().setSwitchKeyLock(false); },
        [] { return one(0xA9, switchesWritten(kStoredSwitches)); });
    other(
        "payment mode: payment and pin", [] { dc().setPaymentMode(true, false, true); },
        [] { return one(0xA9, switchesWritten(0x00400021)); });
    other(
        "payment mode: nfc only", [] { dc().setPaymentMode(false, true, false); },
        [] { return one(0xA9, switchesWritten(0x00400080)); });

    // --- massage controller ---
    const char* M = "massage";
    value2(
        "nozzle pressure value", M, "onNozzlePressureChanged", E::PARAM_NOZZLE_PRESSURE,
        [] { mc().setNozzlePressureValue(4); }, 4);
    action(
        "nozzle pressure up", M, "onNozzlePressureChanged", E::PARAM_NOZZLE_PRESSURE,
        [] { mc().setNozzlePressure(E::UP); }, E::UP, true);
    value(
        "pressure at start value", M, "onNozzlePressureAtStartChanged",
        E::PARAM_NOZZLE_PRESSURE_AT_START, [] { mc().setNozzlePressureAtStartValue(3); }, 3);
    action(
        "pressure at start down", M, "onNozzlePressureAtStartChanged",
        E::PARAM_NOZZLE_PRESSURE_AT_START, [] { mc().setNozzlePressureAtStart(E::DOWN); }, E::DOWN);
    value(
        "pressure max value", M, "onNozzlePressureMaxChanged", E::PARAM_NOZZLE_PRESSURE_MAX,
        [] { mc().setNozzlePressureMaxValue(8); }, 8);
    action(
        "pressure max up", M, "onNozzlePressureMaxChanged", E::PARAM_NOZZLE_PRESSURE_MAX,
        [] { mc().setNozzlePressureMax(E::UP); }, E::UP);
    value2(
        "nozzle speed value", M, "onNozzleSpeedChanged", E::PARAM_NOZZLE_SPEED,
        [] { mc().setNozzleSpeedValue(2); }, 2);
    action(
        "nozzle speed down", M, "onNozzleSpeedChanged", E::PARAM_NOZZLE_SPEED,
        [] { mc().setNozzleSpeed(E::DOWN); }, E::DOWN, true);
    def(
        "nozzle speed def", M, "onNozzleSpeedChanged", E::PARAM_NOZZLE_SPEED,
        [] { mc().setNozzleSpeedDefValue(3); }, 3, true);
    value2(
        "body size metric", M, "onBodySizeChanged", E::PARAM_BODY_SIZE,
        [] { mc().setBodySize(180); }, 180);
    value2(
        "body size imperial 71in", M, "onBodySizeChanged", E::PARAM_BODY_SIZE,
        [] { mc().setBodySize(71); }, 181, true);
    def(
        "body size def imperial 70in", M, "onBodySizeChanged", E::PARAM_BODY_SIZE,
        [] { mc().setBodySizeDef(70); }, 179, true, true);
    value(
        "massage time value", M, "onMassageTimeChanged", E::PARAM_MASSAGE_TIME,
        [] { mc().setMassageTimeValue(900); }, 900);
    action(
        "massage time up", M, "onMassageTimeChanged", E::PARAM_MASSAGE_TIME,
        [] { mc().setMassageTime(E::UP); }, E::UP);
    value2(
        "body area", M, "onBodyAreaChanged", E::PARAM_BODY_AREA, [] { mc().setBodyArea(E::POINT); },
        6);
    def(
        "body area def", M, "onBodyAreaChanged", E::PARAM_BODY_AREA,
        [] { mc().setBodyAreaDef(E::TOTALBODY); }, 4);
    value2(
        "background replay time", M, "onBackgroundReplayTimeChanged",
        E::PARAM_BACKGROUND_REPLAY_TIME, [] { mc().setBackgroundReplayTime(3); }, 3);
    value(
        "background program", M, "onBackgroundProgramChanged", E::PARAM_BACKGROUND_PROGRAM,
        [] { mc().setBackgroundProgram(E::NFC_PROGRAM); }, 256);
    value2(
        "massage program", M, "onMassageProgramChanged", E::PARAM_MASSAGE_PROGRAM,
        [] { mc().setMassageProgram(E::CIRCLE_MASSAGE); }, 3);
    def(
        "massage program def", M, "onMassageProgramChanged", E::PARAM_MASSAGE_PROGRAM,
        [] { mc().setMassageProgramDef(E::PARALLEL_MASSAGE); }, 2);
    value(
        "temperature unit", M, "onTemperatureUnitChanged", E::PARAM_TEMPERATURE_UNIT,
        [] { mc().setTemperatureUnit(E::FAHRENHEIT); }, 1);
    value2(
        "massage type", M, "onMassageTypeChanged", E::PARAM_MASSAGE_TYPE,
        [] { mc().setMassageType(E::PULSE_MASSAGE); }, 1);
    value(
        "motor 1", M, "onMotorPos1Changed", E::PARAM_CURRENT_MOTOR_1_POSITION,
        [] { mc().setMotorPos1(100); }, 100);
    value(
        "motor 2", M, "onMotorPos2Changed", E::PARAM_CURRENT_MOTOR_2_POSITION,
        [] { mc().setMotorPos2(101); }, 101);
    value(
        "motor 3", M, "onMotorPos3Changed", E::PARAM_CURRENT_MOTOR_3_POSITION,
        [] { mc().setMotorPos3(102); }, 102);
    value(
        "requested motor 1 value", M, "onRequestedMotorPos1Changed",
        E::PARAM_REQUESTED_MOTOR_1_POSITION, [] { mc().setRequestedMotorPos1Value(5); }, 5);
    action(
        "requested motor 1 up", M, "onRequestedMotorPos1Changed",
        E::PARAM_REQUESTED_MOTOR_1_POSITION, [] { mc().setRequestedMotorPos1(E::UP); }, E::UP);
    value(
        "requested motor 2 value", M, "onRequestedMotorPos2Changed",
        E::PARAM_REQUESTED_MOTOR_2_POSITION, [] { mc().setRequestedMotorPos2Value(6); }, 6);
    action(
        "requested motor 2 down", M, "onRequestedMotorPos2Changed",
        E::PARAM_REQUESTED_MOTOR_2_POSITION, [] { mc().setRequestedMotorPos2(E::DOWN); }, E::DOWN);
    value(
        "requested motor 3 value", M, "onRequestedMotorPos3Changed",
        E::PARAM_REQUESTED_MOTOR_3_POSITION, [] { mc().setRequestedMotorPos3Value(7); }, 7);
    action(
        "requested motor 3 up", M, "onRequestedMotorPos3Changed",
        E::PARAM_REQUESTED_MOTOR_3_POSITION, [] { mc().setRequestedMotorPos3(E::UP); }, E::UP);
    value(
        "shoulder width", M, "onShoulderWidthChanged", E::PARAM_SHOULDER_WIDTH,
        [] { mc().setShoulderWidth(E::MEDIUM); }, 160);
    def(
        "shoulder width def", M, "onShoulderWidthChanged", E::PARAM_SHOULDER_WIDTH,
        [] { mc().setShoulderWidthDef(E::LARGE); }, 170);
    value(
        "max massage time value", M, "onMaxMassageTimeChanged", E::PARAM_MASSAGE_TIME_MAXIMUM,
        [] { mc().setMaxMassageTimeValue(1200); }, 1200);
    action(
        "max massage time up", M, "onMaxMassageTimeChanged", E::PARAM_MASSAGE_TIME_MAXIMUM,
        [] { mc().setMaxMassageTime(E::UP); }, E::UP);
    value(
        "locked massage time value", M, "onLockedMassageTimeChanged", E::PARAM_MASSAGE_TIME_LOCK,
        [] { mc().setLockedMassageTimeValue(600); }, 600);
    action(
        "locked massage time down", M, "onLockedMassageTimeChanged", E::PARAM_MASSAGE_TIME_LOCK,
        [] { mc().setLockedMassageTime(E::DOWN); }, E::DOWN);
    value(
        "pause mode", M, "onPauseModeChanged", E::PARAM_PAUSE_MODE,
        [] { mc().setPauseMode(E::PAUSE_ON); }, 1);
    other(
        "massage request values", [] { mc().requestValues(); },
        [] { return one(0x89, idBytes(10001)); });

    // --- error controller ---
    action(
        "reset errors", "error", "onCurrentErrorList1Changed", E::PARAM_CURRENT_ERROR_LIST_1,
        [] { ec().resetErrors(); }, E::RESET);
    action(
        "reset warnings", "error", "onCurrentWarningList1Changed", E::PARAM_CURRENT_WARNING_LIST_1,
        [] { ec().resetWarnings(); }, E::RESET);
    other(
        "error request values", [] { ec().requestValues(); },
        [] {
            return QList<QPair<int, QByteArray>>{{0x89, idBytes(10051)}, {0x89, idBytes(10052)}};
        });
    return rows;
}

const std::vector<Row>& rows()
{
    static const std::vector<Row> r = buildRows();
    return r;
}

} // namespace

class TestOutgoingTelegrams : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        ApplicationController::instance();
        TelegramCapture::settleStartup();
    }

    void operations_data()
    {
        QTest::addColumn<int>("row");
        for (size_t i = 0; i < rows().size(); ++i)
            QTest::newRow(qPrintable(rows()[i].tag)) << int(i);
    }

    void operations()
    {
        QFETCH(int, row);
        const Row& r = rows()[size_t(row)];

        dc().onSwitchUnitSystemChanged(r.imperial);
        telegram_param_def switches = baseRecord();
        switches.id = EnumProviderClass::PARAM_SETUP_SWITCHES;
        switches.value = kStoredSwitches;
        app()->setSetupSwitches(switches);
        if (*r.primeSlot) {
            QObject* target = QLatin1String(r.object) == QLatin1String("device")
                                  ? static_cast<QObject*>(&dc())
                              : QLatin1String(r.object) == QLatin1String("massage")
                                  ? static_cast<QObject*>(&mc())
                                  : static_cast<QObject*>(&ec());
            QVERIFY(QMetaObject::invokeMethod(target, r.primeSlot, Qt::DirectConnection,
                                              Q_ARG(telegram_param_def, baseRecord())));
        }

        TelegramCapture capture;
        r.operation();
        const auto expected = r.expected();
        QCOMPARE(capture.sent().size(), expected.size());
        for (int i = 0; i < expected.size(); ++i) {
            const SentTelegram& t = capture.sent().at(i);
            QCOMPARE(int(t.receiver), 0x08);
            QCOMPARE(int(t.sender), 0x94);
            QCOMPARE(int(t.command), expected.at(i).first);
            QCOMPARE(t.data.toHex(' '), expected.at(i).second.toHex(' '));
        }
    }

    // Before the control unit has reported the switches nothing is known about
    // the other bits: a switch write then would send the "unknown" record with
    // every bit set, so none leaves at all.
    void noSwitchWriteBeforeTheSwitchesAreReported()
    {
        app()->setSetupSwitches(telegram_param_def());
        TelegramCapture capture;
        QTest::ignoreMessage(QtWarningMsg,
                             "set-up switches not reported yet: switch write dropped");
        dc().setSwitchKeyLock(true);
        QTest::ignoreMessage(QtWarningMsg,
                             "set-up switches not reported yet: switch write dropped");
        dc().setPaymentMode(true, false, false);
        QCOMPARE(capture.sent().size(), 0);
    }

    // A setter never changes the property itself; only the report does.
    void settersLeavePropertiesAlone()
    {
        MassageController& m = mc();
        m.onNozzlePressureChanged(baseRecord());
        QSignalSpy spy(&m, SIGNAL(nozzlePressureChanged()));
        m.setNozzlePressureValue(9);
        m.setNozzlePressure(E::UP);
        QCOMPARE(spy.count(), 0);
        QCOMPARE(m.nozzlePressure().value, baseRecord().value);

        DeviceController& d = dc();
        d.onSwitchLedSpaActivatedChanged(false);
        d.setSwitchLedSpaActivated(true);
        QVERIFY(!d.switchLedSpaActivated());
    }
};

QTEST_MAIN(TestOutgoingTelegrams)
#include "tst_outgoingtelegrams.moc"

// Behaviour of the device, massage and error controllers that the screens
// rely on: when change signals fire, the conversions, the bit queries, the
// screenshot and the self-update of the program from the SD card.

#include "maincontroltestsupport.h"

#include "controllers/devicecontroller.h"
#include "controllers/errorcontroller.h"
#include "controllers/massagecontroller.h"
#include "controllers/quickstartbuttoninfomodel.h"
#include "core/applicationcontroller.h"
#include "core/systempath.h"
#include "types/enumproviderclass.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QtTest>

namespace {

using E = EnumProviderClass;

void writeFile(const QString& path, const QByteArray& content,
               QFileDevice::Permissions perms = QFileDevice::ReadOwner | QFileDevice::WriteOwner)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile f(path);
    QVERIFY2(f.open(QIODevice::WriteOnly | QIODevice::Truncate), qPrintable(path));
    f.write(content);
    f.close();
    QVERIFY(f.setPermissions(perms));
}

QByteArray readFile(const QString& path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return QByteArray("<missing>");
    return f.readAll();
}

const QFileDevice::Permissions kExecutable =
    QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner;

} // namespace

class TestControllers : public QObject
{
    Q_OBJECT

    QString m_stubDir;
    QString m_log;
    QByteArray m_originalPath;

    // A stub program on PATH that logs its arguments and then runs `body`.
    void stub(const char* name, const QByteArray& body)
    {
        writeFile(m_stubDir + '/' + name,
                  "#!/bin/sh\nprintf '%s' \"" + QByteArray(name) + "\" >> '" + m_log.toUtf8() +
                      "'\nfor a in \"$@\"; do printf ' [%s]' \"$a\" >> '" + m_log.toUtf8() +
                      "'; done\necho >> '" + m_log.toUtf8() + "'\n" + body + "\n",
                  kExecutable);
    }

    QStringList logLines() const
    {
        const QByteArray all = readFile(m_log);
        if (all == "<missing>")
            return {};
        return QString::fromUtf8(all).split('\n', Qt::SkipEmptyParts);
    }

private slots:
    void initTestCase()
    {
        ApplicationController::instance();
        TelegramCapture::settleStartup();
        m_stubDir = systemPath(QStringLiteral("/stubs"));
        m_log = systemPath(QStringLiteral("/stubs.log"));
        QVERIFY(QDir().mkpath(m_stubDir));
        m_originalPath = qgetenv("PATH");
        qputenv("PATH", m_stubDir.toUtf8() + ':' + m_originalPath);
    }

    void init()
    {
        QFile::remove(m_log);
        QDir(m_stubDir).removeRecursively();
        QDir().mkpath(m_stubDir);
        QDir(systemPath(QStringLiteral("/media"))).removeRecursively();
        QFile::remove(systemPath(QStringLiteral("/media")));
        qputenv("PATH", m_stubDir.toUtf8() + ':' + m_originalPath);
    }

    // --- when the change signals fire -----------------------------------------

    void changeSignals_data()
    {
        QTest::addColumn<QString>("object");
        QTest::addColumn<QString>("slot");
        QTest::addColumn<QString>("signal");
        QTest::addColumn<bool>("always");

        auto row = [](const char* object, const char* name, const char* signal,
                      bool always = false) {
            QTest::newRow(name) << QString::fromLatin1(object)
                                << QStringLiteral("on%1Changed").arg(QLatin1String(name))
                                << QString::fromLatin1(signal) << always;
        };
        row("device", "CurrentDeviceState", "currentDeviceStateChanged");
        row("device", "LoginTimeout", "loginTimeoutChanged");
        row("device", "SetupLoginTimeout", "setupLoginTimeoutChanged");
        row("device", "SessionCode", "sessionCodeChanged");
        row("device", "SetupCode", "setupCodeChanged");
        row("device", "FollowUpCoolingValve", "followUpCoolingValveChanged");
        row("device", "FollowUpAmbientLight", "followUpAmbientLightChanged");
        row("device", "SetpointWaterTemperature", "setPointWaterTemperatureChanged", true);
        row("device", "CurrentWaterTemperature", "currentWaterTemperatureChanged", true);
        row("device", "AudioVolumeStandby", "audioVolumeStandbyChanged");
        row("device", "AudioVolumeSessionStart", "audioVolumeSessionStartChanged");
        row("device", "BasicVolume", "basicVolumeChanged");
        row("device", "VoiceVolume", "voiceVolumeChanged");
        row("device", "AudioBass", "audioBassChanged");
        row("device", "AudioTreble", "audioTrebleChanged");
        row("device", "WaterMixerTimer", "waterMixerTimerChanged");
        row("device", "PressureLimiterTemperature", "pressureLimiterTemperatureChanged", true);
        row("device", "PressureLimiterLowering", "pressureLimiterLoweringChanged");
        row("device", "OperatingHours", "operatingHoursChanged");
        row("device", "OperatingHoursSinceLastService", "operatingHoursSinceLastServiceChanged");
        row("massage", "NozzlePressure", "nozzlePressureChanged");
        row("massage", "NozzlePressureAtStart", "nozzlePressureAtStartChanged");
        row("massage", "NozzlePressureMax", "nozzlePressureMaxChanged");
        row("massage", "NozzleSpeed", "nozzleSpeedChanged");
        row("massage", "BodySize", "bodySizeChanged");
        row("massage", "MassageTime", "massageTimeChanged");
        row("massage", "BodyArea", "bodyAreaChanged");
        row("massage", "BackgroundReplayTime", "backgroundReplayTimeChanged");
        row("massage", "BackgroundProgram", "backgroundProgramChanged");
        row("massage", "MassageProgram", "massageProgramChanged");
        row("massage", "TemperatureUnit", "temperatureUnitChanged");
        row("massage", "MassageType", "massageTypeChanged");
        row("massage", "MotorPos1", "currentMotorPos1Changed", true);
        row("massage", "MotorPos2", "currentMotorPos2Changed", true);
        row("massage", "MotorPos3", "currentMotorPos3Changed", true);
        row("massage", "RequestedMotorPos1", "requestedMotorPos1Changed");
        row("massage", "RequestedMotorPos2", "requestedMotorPos2Changed");
        row("massage", "RequestedMotorPos3", "requestedMotorPos3Changed");
        row("massage", "Motor1ReferenceResult", "motor1ReferenceResultChanged");
        row("massage", "Motor2ReferenceResult", "motor2ReferenceResultChanged");
        row("massage", "Motor3ReferenceResult", "motor3ReferenceResultChanged");
        row("massage", "ShoulderWidth", "shoulderWidthChanged");
        row("massage", "MaxMassageTime", "maxMassageTimeChanged");
        row("massage", "LockedMassageTime", "lockedMassageTimeChanged");
        row("massage", "PauseMode", "pauseModeChanged");
        row("error", "CurrentErrorList1", "currentErrorList1Changed");
        row("error", "CurrentWarningList1", "currentWarningList1Changed");
    }

    void changeSignals()
    {
        QFETCH(QString, object);
        QFETCH(QString, slot);
        QFETCH(QString, signal);
        QFETCH(bool, always);

        ApplicationController* app = ApplicationController::instance();
        QObject* o =
            object == QLatin1String("device")    ? static_cast<QObject*>(&app->deviceController())
            : object == QLatin1String("massage") ? static_cast<QObject*>(&app->massageController())
                                                 : static_cast<QObject*>(&app->errorController());
        const QByteArray slotName = slot.toLatin1();
        auto deliver = [&](const telegram_param_def& r) {
            QVERIFY(QMetaObject::invokeMethod(o, slotName.constData(), Qt::DirectConnection,
                                              Q_ARG(telegram_param_def, r)));
        };
        QSignalSpy spy(o, qPrintable(QLatin1Char('2') + signal + QLatin1String("()")));
        QVERIFY(spy.isValid());

        telegram_param_def a = distinctRecord(1);
        a.value = 0x5A5A;
        deliver(a);
        QCOMPARE(spy.count(), 1);
        deliver(a);
        QCOMPARE(spy.count(), always ? 2 : 1);
        // The identifier alone is not content.
        telegram_param_def otherId = a;
        otherId.id = 2;
        deliver(otherId);
        QCOMPARE(spy.count(), always ? 3 : 1);
        // Any field from def onward is: here the last one.
        const int before = spy.count();
        telegram_param_def otherCurrent = a;
        otherCurrent.current += 1;
        deliver(otherCurrent);
        QCOMPARE(spy.count(), before + 1);
    }

    // A report counts as changed when any single field from def onward
    // differs; the identifier alone does not.
    void everyFieldCounts_data()
    {
        QTest::addColumn<int>("field");
        QTest::addColumn<bool>("changes");
        const char* names[] = {"id",      "def",  "value",  "min",     "max",      "step",
                               "divider", "type", "action", "message", "message2", "current"};
        for (int i = 0; i < 12; ++i)
            QTest::newRow(names[i]) << i << (i != 0);
    }

    void everyFieldCounts()
    {
        QFETCH(int, field);
        QFETCH(bool, changes);
        ErrorController e;
        const telegram_param_def a = distinctRecord(E::PARAM_CURRENT_ERROR_LIST_1);
        e.onCurrentErrorList1Changed(a);
        QSignalSpy spy(&e, SIGNAL(currentErrorList1Changed()));
        telegram_param_def b = a;
        switch (field) {
        case 0:
            b.id += 1;
            break;
        case 1:
            b.def += 1;
            break;
        case 2:
            b.value += 1;
            break;
        case 3:
            b.min += 1;
            break;
        case 4:
            b.max += 1;
            break;
        case 5:
            b.step += 1;
            break;
        case 6:
            b.divider += 1;
            break;
        case 7:
            b.type += 1;
            break;
        case 8:
            b.action += 1;
            break;
        case 9:
            b.message += 1;
            break;
        case 10:
            b.message2 += 1;
            break;
        case 11:
            b.current += 1;
            break;
        }
        e.onCurrentErrorList1Changed(b);
        QCOMPARE(spy.count(), changes ? 1 : 0);
        QCOMPARE(e.currentErrorList1(), b); // stored either way
    }

    void audioVolumeShownInSteps_data()
    {
        QTest::addColumn<int>("percent");
        QTest::addColumn<int>("steps");
        QTest::newRow("35 -> 7") << 35 << 7;
        QTest::newRow("100 -> 20") << 100 << 20;
        QTest::newRow("0 -> 0") << 0 << 0;
        QTest::newRow("2 -> 0") << 2 << 0;
        QTest::newRow("3 -> 1 (rounded)") << 3 << 1;
        QTest::newRow("37 -> 7") << 37 << 7;
        QTest::newRow("38 -> 8") << 38 << 8;
    }

    void audioVolumeShownInSteps()
    {
        QFETCH(int, percent);
        QFETCH(int, steps);
        DeviceController d;
        telegram_param_def r = distinctRecord(E::PARAM_AUDIO_VOLUME_STANDBY);
        r.value = percent;
        d.onAudioVolumeStandbyChanged(r);
        d.onAudioVolumeSessionStartChanged(r);
        QCOMPARE(d.audioVolumeStandby().value, steps);
        QCOMPARE(d.audioVolumeSessionStart().value, steps);
        QCOMPARE(d.audioVolumeStandby().max, r.max);
    }

    void nozzleMaxSignals()
    {
        MassageController m;
        QStringList order;
        connect(&m, &MassageController::nozzlePressureStructMaxChanged, this,
                [&] { order << "pressureMax"; });
        connect(&m, &MassageController::nozzlePressureChanged, this, [&] { order << "pressure"; });
        connect(&m, &MassageController::nozzleSpeedMaxChanged, this, [&] { order << "speedMax"; });
        connect(&m, &MassageController::nozzleSpeedChanged, this, [&] { order << "speed"; });

        telegram_param_def r = distinctRecord(E::PARAM_NOZZLE_PRESSURE);
        m.onNozzlePressureChanged(r);
        QCOMPARE(order, (QStringList{"pressureMax", "pressure"}));
        order.clear();
        m.onNozzlePressureChanged(r);
        QVERIFY(order.isEmpty());
        r.value += 1;
        m.onNozzlePressureChanged(r);
        QCOMPARE(order, QStringList{"pressure"});
        order.clear();
        r.max += 1;
        m.onNozzlePressureChanged(r);
        QCOMPARE(order, (QStringList{"pressureMax", "pressure"}));

        order.clear();
        telegram_param_def s = distinctRecord(E::PARAM_NOZZLE_SPEED);
        m.onNozzleSpeedChanged(s);
        QCOMPARE(order, (QStringList{"speedMax", "speed"}));
        order.clear();
        s.step += 1;
        m.onNozzleSpeedChanged(s);
        QCOMPARE(order, QStringList{"speed"});
    }

    void motorInvalidMarker()
    {
        MassageController m;
        telegram_param_def r = distinctRecord(E::PARAM_CURRENT_MOTOR_1_POSITION);
        r.value = 2147483647;
        m.onMotorPos1Changed(r);
        m.onMotorPos2Changed(r);
        m.onMotorPos3Changed(r);
        QCOMPARE(m.currentMotorPosition1().value, 2147483647);
        QCOMPARE(m.currentMotorPosition2().value, 0);
        QCOMPARE(m.currentMotorPosition3().value, 0);
        QCOMPARE(m.currentMotorPosition2().max, r.max);
    }

    void holdPosition_data()
    {
        QTest::addColumn<int>("area");
        QTest::addColumn<bool>("hold");
        QTest::newRow("point") << int(E::POINT) << true;
        QTest::newRow("total body") << int(E::TOTALBODY) << false;
        QTest::newRow("break") << int(E::AREA_BREAK_SESSION) << false;
    }

    void holdPosition()
    {
        QFETCH(int, area);
        QFETCH(bool, hold);
        MassageController m;
        m.setHoldPositionActive(!hold);
        telegram_param_def r = distinctRecord(E::PARAM_BODY_AREA);
        r.value = area;
        m.onBodyAreaChanged(r);
        QCOMPARE(m.holdPositionActive(), hold);
    }

    void massageViewState()
    {
        MassageController m;
        QCOMPARE(m.recordClinicStep().motor1Position, -1);
        QCOMPARE(int(m.recordClinicStep().recordAct), -1);
        QCOMPARE(m.bodyAreaOldVal(), E::TOTALBODY);
        QCOMPARE(m.backgroundProgramOldVal(), E::PROGRAM_OFF);

        QSignalSpy spy(&m, SIGNAL(setMassageTimeChanged()));
        QVERIFY(m.setProperty("getSetMassageTime", QStringLiteral("15:00")));
        QVERIFY(m.setProperty("getSetMassageTime", QStringLiteral("15:00")));
        QCOMPARE(spy.count(), 1);
        QCOMPARE(m.getSetMassageTime(), QStringLiteral("15:00"));

        TelegramCapture capture;
        m.setBodyAreaOldVal(E::POINT);
        m.setBackgroundProgramOldVal(E::PERK_UP);
        m.setHoldPositionActiveOldVal(true);
        m.setStartWithIndividualMassageView(true);
        QCOMPARE(capture.sent().size(), 0);
        QCOMPARE(m.bodyAreaOldVal(), E::POINT);
        QCOMPARE(m.backgroundProgramOldVal(), E::PERK_UP);
        QVERIFY(m.holdPositionActiveOldVal());
        QVERIFY(m.startWithIndividualMassageView());
    }

    // --- conversions -----------------------------------------------------------

    void unitConversions_data()
    {
        QTest::addColumn<bool>("imperial");
        QTest::addColumn<QString>("conversion");
        QTest::addColumn<int>("in");
        QTest::addColumn<int>("out");
        QTest::newRow("length from, 180 cm") << true << "lengthFrom" << 180 << 71;
        QTest::newRow("length to, 71 in") << true << "lengthTo" << 71 << 181;
        QTest::newRow("temperature from, 37 C") << true << "tempFrom" << 37 << 99;
        QTest::newRow("temperature to, 99 F") << true << "tempTo" << 99 << 37;
        QTest::newRow("temperature to, 32 F") << true << "tempTo" << 32 << 0;
        QTest::newRow("temperature to, 0 F truncates toward zero") << true << "tempTo" << 0 << -17;
        QTest::newRow("metric length from") << false << "lengthFrom" << 180 << 180;
        QTest::newRow("metric length to") << false << "lengthTo" << 71 << 71;
        QTest::newRow("metric temperature from") << false << "tempFrom" << 37 << 37;
        QTest::newRow("metric temperature to") << false << "tempTo" << 99 << 99;
    }

    void unitConversions()
    {
        QFETCH(bool, imperial);
        QFETCH(QString, conversion);
        QFETCH(int, in);
        QFETCH(int, out);
        DeviceController d;
        d.onSwitchUnitSystemChanged(imperial);
        int got = 0;
        if (conversion == QLatin1String("lengthFrom"))
            got = d.convertUnitOfLengthFromController(in);
        else if (conversion == QLatin1String("lengthTo"))
            got = d.convertUnitOfLengthToController(in);
        else if (conversion == QLatin1String("tempFrom"))
            got = d.convertUnitOfTemperatureScaleFromController(in);
        else
            got = d.convertUnitOfTemperatureScaleToController(in);
        QCOMPARE(got, out);
        QCOMPARE(d.getUnitOfLength(), imperial ? QStringLiteral("inch") : QStringLiteral("cm"));
        QCOMPARE(d.getUnitOfTemperatureScale(),
                 imperial ? QStringLiteral("°F") : QStringLiteral("°C"));
    }

    void deviceTexts()
    {
        DeviceController d;
        for (int v : {0, 1, 23, 25, 999})
            QCOMPARE(d.getReadableDeviceState(uint16_t(v)), QStringLiteral("NO ENTRY"));
        QCOMPARE(d.getReadableDeviceState(15), QStringLiteral("HOLD"));
        QCOMPARE(d.getReadableDeviceState(16), QStringLiteral("Save Session"));
        QCOMPARE(d.getReadableDeviceState(24), QStringLiteral("UNDEFINED STATUS"));
        QCOMPARE(d.getDeviceName(0x25), QStringLiteral("NODE"));
        QCOMPARE(d.getDeviceName(0x2E), QStringLiteral("NODE"));
        QCOMPARE(d.getDeviceName(0x29), QStringLiteral("MODUL"));
        QCOMPARE(d.getDeviceName(0xFE), QStringLiteral("LED CONTROL 2"));
        QCOMPARE(d.appendLeadingZeros(7, 4), QStringLiteral("0007"));
        QCOMPARE(d.appendLeadingZeros(12345, 4), QStringLiteral("12345"));
        QCOMPARE(d.convertIntToHexString(255), QStringLiteral("FF"));
        QCOMPARE(d.convertIntToHexString(0x1A2B), QStringLiteral("1A2B"));
    }

    void massageTexts_data()
    {
        QTest::addColumn<int>("applianceType");
        QTest::addColumn<QString>("conversion");
        QTest::addColumn<int>("in");
        QTest::addColumn<QString>("text");
        const int lounge = E::LOUNGE;
        const int clinic = E::CLINIC;
        auto row = [](const char* tag, int type, const char* conv, int in, const char* text) {
            QTest::newRow(tag) << type << QString::fromLatin1(conv) << in
                               << QString::fromUtf8(text);
        };
        row("area 1", lounge, "area", 1, "Schulter-Massage");
        row("area 6", clinic, "area", 6, "Punkt-Massage");
        row("area 50 lounge", lounge, "area", 50, "Fitte Beine");
        row("area 50 clinic", clinic, "area", 50, "Beine Massageprogramm");
        row("area 54 lounge", lounge, "area", 54, "Muntermacher");
        row("area 54 clinic", clinic, "area", 54, "");
        row("area 54 unset type", E::NOT_INITIALIZED, "area", 54, "Muntermacher");
        row("area 108", clinic, "area", 108, "Oberschenkel Lymphmassage");
        row("area 7", lounge, "area", 7, "");
        row("area 55", lounge, "area", 55, "");
        row("program 0", lounge, "program", 0, "Nicht ausgewählt");
        row("program 6", lounge, "program", 6, "Nicht ausgewählt");
        row("program 4 lounge", lounge, "program", 4, "Starke Schultern");
        row("program 4 clinic", clinic, "program", 4, "Schulter Massageprogramm");
        row("program 5 clinic", clinic, "program", 5, "");
        row("program 256", clinic, "program", 256, "Eigenes Programm");
        row("program 137", lounge, "program", 137, "Oberschenkel Lymphmassage");
        row("technique 0", lounge, "technique", 0, "");
        row("technique 1", lounge, "technique", 1, "Spiegel-Massage");
        row("technique 4", lounge, "technique", 4, "Streich-Massage");
        row("technique 5", lounge, "technique", 5, "");
        row("time 59 s", lounge, "time", 59, "00:59");
        row("time 754 s", lounge, "time", 754, "12:34");
        row("time 1 h 1 min 1 s", lounge, "time", 3661, "01:01");
        row("time 3600 s", lounge, "time", 3600, "00:00");
    }

    void massageTexts()
    {
        QFETCH(int, applianceType);
        QFETCH(QString, conversion);
        QFETCH(int, in);
        QFETCH(QString, text);
        ApplicationController::instance()->deviceController().setApplianceType(
            E::APPLIANCE_TYPE(applianceType));
        MassageController m;
        QString got;
        if (conversion == QLatin1String("area"))
            got = m.convertBodyArea(in);
        else if (conversion == QLatin1String("program"))
            got = m.convertBackgroundProgram(in);
        else if (conversion == QLatin1String("technique"))
            got = m.convertMassageTechnique(in);
        else
            got = m.convertMassageTime(in);
        QCOMPARE(got, text);
    }

    void motorPositions()
    {
        MassageController m;
        QCOMPARE(m.convertMotorPos1(300.0, 0, 10), 3000);
        QCOMPARE(m.convertMotorPos1(300.0, 600, 150), 75);
        QCOMPARE(m.convertMotorPos1(300.0, 2147483647, 2), 600);
        QCOMPARE(m.convertMotorPos1(300.0, -4, 2), 600);
        QCOMPARE(m.convertMotorPos2And3(200.0, 400, 99.0), 49);
        QCOMPARE(m.convertMotorPos2And3(200.0, 0, 1.5), 300);

        telegram_param_def r = distinctRecord(E::PARAM_REQUESTED_MOTOR_1_POSITION);
        r.max = 600;
        m.onRequestedMotorPos1Changed(r);
        QCOMPARE(m.convertMotorPos1ToController(300.0, 75.0), 150);
        // Invalid screen maxima count as 1.
        QCOMPARE(m.convertMotorPos1ToController(0.0, 2.0), 1200);
        QCOMPARE(m.convertMotorPos1ToController(2147483647.0, 2.0), 1200);
        // Motors 2 and 3 scale with their own requested maximum.
        r.max = 100;
        m.onRequestedMotorPos2Changed(r);
        QCOMPARE(m.convertMotorPos2ToController(50.0, 10.0), 20);
        r.max = 70;
        m.onRequestedMotorPos3Changed(r);
        QCOMPARE(m.convertMotorPos3ToController(10.0, 10.0), 70);
    }

    // --- error controller -------------------------------------------------------

    void errorBits()
    {
        ErrorController e;
        telegram_param_def r = distinctRecord(E::PARAM_CURRENT_ERROR_LIST_1);
        r.value = (1 << 0) | (1 << 9) | (1 << 11) | (1 << 12);
        e.onCurrentErrorList1Changed(r);
        for (int bit = 0; bit < 16; ++bit)
            QCOMPARE(e.hasCurrentError(uint8_t(bit)), bit == 0 || bit == 9 || bit == 11);
        QVERIFY(!e.hasCurrentError(200));

        r.value = 0x7;
        e.onCurrentWarningList1Changed(r);
        QVERIFY(e.hasCurrentWarning(0));
        QVERIFY(e.hasCurrentWarning(1));
        QVERIFY(!e.hasCurrentWarning(2));
    }

    void errorBitLogging()
    {
        ErrorController e;
        telegram_param_def r = distinctRecord(E::PARAM_CURRENT_ERROR_LIST_1);
        r.value = 0x40;
        e.onCurrentErrorList1Changed(r);
        LogCapture logs;
        e.hasCurrentError(6);
        e.hasCurrentError(5);
        e.hasCurrentError(7);
        QCOMPARE(logs.lines(), (QStringList{"Error bit 6 : true", "Error bit 5 : false"}));
    }

    void errorHistoryStore()
    {
        ErrorController e;
        const error_history_list fresh;
        QCOMPARE(e.errorHistoryList1().errorNumber, 0);
        QCOMPARE(int(e.errorHistoryList32().errorStatus), 0xFF);
        error_history_list entry;
        entry.index = 31;
        entry.errorNumber = 565;
        QSignalSpy spy32(&e, SIGNAL(errorHistoryList32Changed()));
        QSignalSpy spy1(&e, SIGNAL(errorHistoryList1Changed()));
        e.onErrorHistoryList32Changed(entry);
        e.onErrorHistoryList32Changed(entry);
        QCOMPARE(spy32.count(), 1);
        QCOMPARE(spy1.count(), 0);
        QCOMPARE(e.errorHistoryList32().errorNumber, 565);
        QVERIFY(!e.storeErrorHistory(32, entry));
        QVERIFY(!e.storeErrorHistory(-1, entry));
        QCOMPARE(e.errorHistoryList1(), fresh);
        entry.errorStatus = 0;
        e.onErrorHistoryList32Changed(entry);
        QCOMPARE(spy32.count(), 2);
    }

    void errorControllerRequestsAtConstruction()
    {
        TelegramCapture capture;
        ErrorController e;
        QCOMPARE(capture.sent().size(), 2);
        QCOMPARE(capture.sent().at(0).data.toHex(), QByteArray("4327"));
        QCOMPARE(capture.sent().at(1).data.toHex(), QByteArray("4427"));
    }

    // --- files and external programs ---------------------------------------------

    void videoFile()
    {
        DeviceController d;
        QVERIFY(!d.videoFileExist());
        writeFile(systemPath(QStringLiteral("/media/sd_card/videos/velia_spa.mp4")), "v");
        QVERIFY(d.videoFileExist());
    }

    void screenshotNamesSortByDate()
    {
        const QList<QDateTime> times = {
            QDateTime(QDate(2025, 12, 31), QTime(23, 59, 59)),
            QDateTime(QDate(2026, 1, 31), QTime(0, 5, 0)),
            QDateTime(QDate(2026, 2, 1), QTime(0, 1, 0)),
            QDateTime(QDate(2026, 2, 1), QTime(9, 0, 0)),
            QDateTime(QDate(2026, 2, 1), QTime(13, 0, 0)),
            QDateTime(QDate(2026, 11, 2), QTime(8, 0, 0)),
        };
        QStringList names;
        for (const QDateTime& t : times)
            names << DeviceController::screenshotFileName(t);
        QStringList sorted = names;
        sorted.sort();
        QCOMPARE(sorted, names);
        QCOMPARE(names.at(4), QStringLiteral("test_20260201130000.png"));
    }

    void screenshot()
    {
        stub("fbgrab", "exit 0");
        DeviceController d;
        const QDateTime before = QDateTime::currentDateTime().addSecs(-1);
        d.makeScreenshot();
        QTRY_COMPARE(logLines().size(), 1);
        const QDateTime after = QDateTime::currentDateTime().addSecs(1);
        const QRegularExpression re(QStringLiteral("^fbgrab \\[%1test_(\\d{14})\\.png\\]$")
                                        .arg(QRegularExpression::escape(systemPath(
                                            QStringLiteral("/media/sd_card/screenshots/")))));
        const QRegularExpressionMatch m = re.match(logLines().first());
        QVERIFY2(m.hasMatch(), qPrintable(logLines().first()));
        const QDateTime when =
            QDateTime::fromString(m.captured(1), QStringLiteral("yyyyMMddHHmmss"));
        QVERIFY(when.isValid());
        QVERIFY(when >= before.addMSecs(-before.time().msec()) && when <= after);
        QVERIFY(QFileInfo(systemPath(QStringLiteral("/media/sd_card/screenshots"))).isDir());
    }

    void screenshotWithoutFolder()
    {
        stub("fbgrab", "exit 0");
        // A file where the SD card folder should be: the folder cannot be made.
        writeFile(systemPath(QStringLiteral("/media/sd_card")), "not a folder");
        DeviceController d;
        LogCapture logs;
        d.makeScreenshot();
        QVERIFY(logs.contains(QStringLiteral("could not create path")));
        QTest::qWait(200);
        QVERIFY(logLines().isEmpty());
    }

    void selfUpdate_data()
    {
        QTest::addColumn<QByteArray>("cp");
        QTest::addColumn<QByteArray>("sync");
        QTest::addColumn<bool>("cpOnPath");
        QTest::addColumn<QStringList>("states");
        QTest::addColumn<QStringList>("programs"); // the stubs that ran, in order
        QTest::addColumn<QByteArray>("installed");

        const QByteArray realCp = "exec /bin/cp \"$@\"";
        const QString failedToStart = DeviceController::processErrorText(QProcess::FailedToStart);
        QTest::newRow("success: copy, replace, sync, reboot")
            << realCp << QByteArray("exit 0") << true
            << QStringList{"COPY NEW BINARY SUCCESSFULLY ", "REMOVE OLD BINARY SUCCESSFULLY "}
            << QStringList{"cp", "sync", "reboot"} << QByteArray("NEW PROGRAM");
        QTest::newRow("copy fails half way: old program kept")
            << QByteArray("printf HALF > \"$2\"; exit 1") << QByteArray("exit 0") << true
            << QStringList{"COPY NEW BINARY EXITCODE: 1 exit status: process crashed"}
            << QStringList{"cp"} << QByteArray("OLD PROGRAM");
        QTest::newRow("copy program missing: old program kept")
            << QByteArray() << QByteArray("exit 0") << false
            << QStringList{"COPY NEW BIN ERROR: " + failedToStart} << QStringList()
            << QByteArray("OLD PROGRAM");
        QTest::newRow("copy crashes: old program kept")
            << QByteArray("printf HALF > \"$2\"; kill -SEGV $$") << QByteArray("exit 0") << true
            << QStringList{"COPY NEW BIN ERROR: " +
                               DeviceController::processErrorText(QProcess::Crashed),
                           "COPY NEW BINARY EXITCODE: * exit status: process crashed"}
            << QStringList{"cp"} << QByteArray("OLD PROGRAM");
        QTest::newRow("sync fails: no reboot")
            << realCp << QByteArray("exit 3") << true
            << QStringList{"COPY NEW BINARY SUCCESSFULLY ", "REMOVE OLD BINARY SUCCESSFULLY ",
                           "SYNC EXITCODE: 3 exit status: process crashed"}
            << QStringList{"cp", "sync"} << QByteArray("NEW PROGRAM");
    }

    void selfUpdate()
    {
        QFETCH(QByteArray, cp);
        QFETCH(QByteArray, sync);
        QFETCH(bool, cpOnPath);
        QFETCH(QStringList, states);
        QFETCH(QStringList, programs);
        QFETCH(QByteArray, installed);

        const QString target = systemPath(QStringLiteral("/usr/bin/vanto"));
        writeFile(systemPath(QStringLiteral("/media/sd_card/vanto")), "NEW PROGRAM");
        writeFile(target, "OLD PROGRAM", kExecutable);
        if (cpOnPath)
            stub("cp", cp);
        stub("sync", sync);
        stub("reboot", "exit 0");
        if (!cpOnPath)
            qputenv("PATH", m_stubDir.toUtf8()); // no cp anywhere

        DeviceController d;
        QStringList seen;
        connect(&d, &DeviceController::updateBinaryStateChanged, this,
                [&] { seen << d.updateBinaryState(); });
        d.startUpdateBinary();
        qputenv("PATH", m_stubDir.toUtf8() + ':' + m_originalPath);

        QTRY_COMPARE(seen.size(), states.size());
        // Let a wrongly started next step show up before looking at the result.
        QTest::qWait(300);
        QCOMPARE(seen.size(), states.size());
        for (int i = 0; i < states.size(); ++i) {
            // "*" stands for an exit code the platform chooses.
            const QString pattern = QRegularExpression::escape(states.at(i))
                                        .replace(QStringLiteral("\\*"), QStringLiteral(".*"));
            QVERIFY2(QRegularExpression(QRegularExpression::anchoredPattern(pattern))
                         .match(seen.at(i))
                         .hasMatch(),
                     qPrintable(seen.at(i)));
        }
        QStringList ran;
        for (const QString& l : logLines())
            ran << l.section(' ', 0, 0);
        QCOMPARE(ran, programs);
        if (programs.contains(QStringLiteral("reboot")))
            QCOMPARE(logLines().last(), QStringLiteral("reboot []")); // one empty argument
        QCOMPARE(readFile(target), installed);
        QVERIFY(QFileInfo(target).isExecutable());
        // No half-written copy is left beside the program.
        const QStringList left = QDir(QFileInfo(target).absolutePath()).entryList(QDir::Files);
        QCOMPARE(left, QStringList{"vanto"});
    }

    void selfUpdateWithoutSource()
    {
        stub("cp", "exit 0");
        DeviceController d;
        QSignalSpy spy(&d, SIGNAL(updateBinaryStateChanged()));
        LogCapture logs;
        d.startUpdateBinary();
        QVERIFY(logs.contains(QStringLiteral("could not find vanto binary")));
        QTest::qWait(200);
        QVERIFY(logLines().isEmpty());
        QCOMPARE(spy.count(), 0);
        QVERIFY(d.updateBinaryState().isEmpty());
    }

    // The steps after a complete copy: the replacement and the sync can each
    // fail on their own, and neither may lead to a reboot.
    void selfUpdateLaterStepFails_data()
    {
        QTest::addColumn<bool>("targetIsFolder");
        QTest::addColumn<bool>("syncOnPath");
        QTest::addColumn<bool>("rebootOnPath");
        QTest::addColumn<QString>("lastState"); // regular expression
        QTest::addColumn<QStringList>("programs");

        QTest::newRow("replacing fails: system error reported")
            << true << true << true << QStringLiteral("REMOVE OLD BIN ERROR: \\S.*")
            << QStringList{"cp"};
        QTest::newRow("sync missing")
            << false << false << true
            << QRegularExpression::escape(
                   QLatin1String("SYNC FILESYSTEM ERROR: ") +
                   DeviceController::processErrorText(QProcess::FailedToStart))
            << QStringList{"cp"};
        // The reboot leaves the status as it was; the new program is in place.
        QTest::newRow("reboot missing")
            << false << true << false
            << QRegularExpression::escape(QStringLiteral("REMOVE OLD BINARY SUCCESSFULLY "))
            << QStringList{"cp", "sync"};
    }

    void selfUpdateLaterStepFails()
    {
        QFETCH(bool, targetIsFolder);
        QFETCH(bool, syncOnPath);
        QFETCH(bool, rebootOnPath);
        QFETCH(QString, lastState);
        QFETCH(QStringList, programs);

        const QString target = systemPath(QStringLiteral("/usr/bin/vanto"));
        QFile::remove(target);
        QDir(target).removeRecursively();
        writeFile(systemPath(QStringLiteral("/media/sd_card/vanto")), "NEW PROGRAM");
        if (targetIsFolder)
            writeFile(target + QLatin1String("/keep"), "in the way");
        else
            writeFile(target, "OLD PROGRAM", kExecutable);
        stub("cp", "exec /bin/cp \"$@\"");
        if (rebootOnPath)
            stub("reboot", "exit 0");
        if (syncOnPath)
            stub("sync", "exit 0");
        // Only the stubs: no system sync either.
        qputenv("PATH", m_stubDir.toUtf8());

        DeviceController d;
        QStringList seen;
        connect(&d, &DeviceController::updateBinaryStateChanged, this,
                [&] { seen << d.updateBinaryState(); });
        d.startUpdateBinary();
        QTRY_VERIFY(!seen.isEmpty() &&
                    QRegularExpression(QRegularExpression::anchoredPattern(lastState))
                        .match(seen.last())
                        .hasMatch());
        // Let a wrongly started next step show up; PATH stays limited to the
        // stubs meanwhile, so no real system program can ever run.
        QTest::qWait(300);
        qputenv("PATH", m_stubDir.toUtf8() + ':' + m_originalPath);
        QVERIFY2(QRegularExpression(QRegularExpression::anchoredPattern(lastState))
                     .match(seen.last())
                     .hasMatch(),
                 qPrintable(seen.join('|')));
        QStringList ran;
        for (const QString& l : logLines())
            ran << l.section(' ', 0, 0);
        QCOMPARE(ran, programs);
        QVERIFY(!QFileInfo::exists(target + QLatin1String(".update")));
        if (targetIsFolder)
            QCOMPARE(readFile(target + QLatin1String("/keep")), QByteArray("in the way"));
        QDir(target).removeRecursively();
    }

    // A second start while the chain runs must not start a second copy into
    // the same staging file.
    void selfUpdateSecondStartIgnored()
    {
        const QString target = systemPath(QStringLiteral("/usr/bin/vanto"));
        QFile::remove(target);
        writeFile(systemPath(QStringLiteral("/media/sd_card/vanto")), "NEW PROGRAM");
        writeFile(target, "OLD PROGRAM", kExecutable);
        stub("cp", "sleep 0.3; exec /bin/cp \"$@\"");
        stub("sync", "exit 0");
        stub("reboot", "exit 0");

        DeviceController d;
        d.startUpdateBinary();
        d.startUpdateBinary();
        QTRY_VERIFY(logLines().contains(QStringLiteral("reboot []")));
        QTest::qWait(300);
        QStringList ran;
        for (const QString& l : logLines())
            ran << l.section(' ', 0, 0);
        QCOMPARE(ran, (QStringList{"cp", "sync", "reboot"}));
        QCOMPARE(readFile(target), QByteArray("NEW PROGRAM"));
    }
};

QTEST_MAIN(TestControllers)
#include "tst_controllers.moc"

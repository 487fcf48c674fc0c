// The main control decoder: every report of the catalogue reaches its
// controller, the special records, the identification answers and the steps
// that follow device-state, set-up switch and language reports.

#include "maincontroltestsupport.h"

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
#include "core/systempath.h"
#include "telegrams/maincontroltelegrams.h"
#include "types/enumproviderclass.h"

#include <QDir>
#include <QFile>
#include <QQmlApplicationEngine>
#include <QQmlContext>
#include <QQmlExpression>
#include <QtTest>

namespace {

QByteArray reportOf(quint16 id, qint32 value, quint16 def = 0x0102)
{
    telegram_param_def r = distinctRecord(id);
    r.value = value;
    r.def = def;
    return r.toBytes();
}

// Decodes one telegram as the telegram manager would: a fresh decoder whose
// error signal is collected.
QStringList decodeOne(uchar command, const QByteArray& data)
{
    QStringList errors;
    MainControlTelegrams decoder;
    QObject::connect(&decoder, &MainControlTelegrams::mainControlTelegramError,
                     [&errors](const QString& e) { errors.append(e); });
    decoder.decode(rimoTelegram(1, 0x94, 0x08, command, data));
    return errors;
}

QVariant property(QObject* o, const char* name)
{
    const QVariant v = o->property(name);
    if (!v.isValid())
        qWarning("no property %s on %s", name, o->metaObject()->className());
    return v;
}

qint32 recordValue(QObject* o, const char* name)
{
    return qvariant_cast<telegram_param_def>(property(o, name)).value;
}

} // namespace

class TestMainControlTelegrams : public QObject
{
    Q_OBJECT

private:
    ApplicationController* app = nullptr;
    QQmlApplicationEngine* engine = nullptr;

    QObject* objectFor(const QString& key)
    {
        if (key == QLatin1String("device"))
            return &app->deviceController();
        if (key == QLatin1String("massage"))
            return &app->massageController();
        if (key == QLatin1String("error"))
            return &app->errorController();
        if (key == QLatin1String("spa"))
            return &app->spaController();
        if (key == QLatin1String("bluetooth"))
            return &app->bluetoothController();
        if (key == QLatin1String("nfc"))
            return &app->nfcController();
        if (key == QLatin1String("language"))
            return &app->languageController();
        if (key == QLatin1String("quickstart"))
            return app->quickstartButtonInfoModel();
        return app;
    }

    void watchAll(SignalWatch& w)
    {
        for (const char* key : {"device", "massage", "error", "spa", "bluetooth", "nfc", "language",
                                "quickstart", "app"}) {
            if (QObject* o = objectFor(QLatin1String(key)))
                w.watch(QLatin1String(key), o);
        }
    }

    void setSwitches(qint32 bits)
    {
        decodeOne(0x09, reportOf(EnumProviderClass::PARAM_SETUP_SWITCHES, bits));
    }

private slots:
    void initTestCase()
    {
        qRegisterMetaType<QVector<int>>();
        qRegisterMetaType<Qt::Orientation>();
        qRegisterMetaType<QList<QPersistentModelIndex>>();
        qRegisterMetaType<QAbstractItemModel::LayoutChangeHint>();
        app = ApplicationController::instance();
        // init creates the quick-start model; the main screen is never loaded
        // because it is only loaded after an appliance-type report.
        engine = new QQmlApplicationEngine(this);
        QVERIFY(app->init(engine, QUrl(QStringLiteral("qrc:/no-such-screen.qml"))));
        QVERIFY(app->quickstartButtonInfoModel());
        TelegramCapture::settleStartup();
    }

    // --- the whole catalogue -------------------------------------------------

    void catalogue_data()
    {
        QTest::addColumn<int>("id");
        QTest::addColumn<int>("value");
        // Signals that must fire; every other watched signal must stay quiet
        // unless it is listed as tolerated.
        QTest::addColumn<QStringList>("expected");
        QTest::addColumn<QStringList>("tolerated");
        // "object.property" whose record value must then equal `shown`.
        QTest::addColumn<QString>("property");
        QTest::addColumn<int>("shown");
        QTest::addColumn<QString>("log");

        const QStringList none;
        auto row = [&](const char* tag, int id, int value, QStringList expected, QString prop,
                       int shown, QStringList tolerated = {}, QString log = {}) {
            QTest::newRow(tag) << id << value << expected << tolerated << prop << shown << log;
        };
        // Logged only.
        row("100 fu error code", 100, 5, none, {}, 0, {}, QStringLiteral("FU ERROR CODE: "));
        row("101 fu software", 101, 5, none, {}, 0, {}, QStringLiteral("FU SOFTWARE VERSION: "));
        row("102 fu hardware", 102, 5, none, {}, 0, {}, QStringLiteral("FU HARDWARE VERSION: "));
        // Not handled.
        row("103 revolutions", 103, 5, none, {}, 0);
        row("10018 dimming", 10018, 5, none, {}, 0);
        row("10026 pump mode", 10026, 5, none, {}, 0);
        row("10032 standby video", 10032, 5, none, {}, 0);
        row("10033 no name", 10033, 5, none, {}, 0);
        row("10050 no name", 10050, 5, none, {}, 0);
        row("10054 no name", 10054, 5, none, {}, 0);
        row("10099 below special", 10099, 5, none, {}, 0);
        row("10200 above special", 10200, 5, none, {}, 0);
        row("40000 unknown", 40000, 5, none, {}, 0);

        // Massage controller.
        row("10000 nozzle pressure", 10000, 41, {"massage::nozzlePressureChanged"},
            "massage.nozzlePressure", 41, {"massage::nozzlePressureStructMaxChanged"});
        row("10001 nozzle speed", 10001, 42, {"massage::nozzleSpeedChanged"}, "massage.nozzleSpeed",
            42, {"massage::nozzleSpeedMaxChanged"});
        row("10002 body size", 10002, 43, {"massage::bodySizeChanged"}, "massage.bodySize", 43);
        row("10003 massage time", 10003, 44, {"massage::massageTimeChanged"}, "massage.massageTime",
            44);
        row("10004 body area", 10004, 6, {"massage::bodyAreaChanged"}, "massage.bodyArea", 6,
            {"massage::holdPositionActiveChanged"});
        row("10005 massage program", 10005, 3, {"massage::massageProgramChanged"},
            "massage.massageProgram", 3);
        row("10006 massage type", 10006, 1, {"massage::massageTypeChanged"}, "massage.massageType",
            1);
        row("10009 temperature unit", 10009, 1, {"massage::temperatureUnitChanged"},
            "massage.temperatureUnit", 1);
        row("10011 max massage time", 10011, 45, {"massage::maxMassageTimeChanged"},
            "massage.maxMassageTime", 45);
        row("10012 locked massage time", 10012, 46, {"massage::lockedMassageTimeChanged"},
            "massage.lockedMassageTime", 46);
        row("10019 motor 1", 10019, 47, {"massage::currentMotorPos1Changed"},
            "massage.currentMotorPosition1", 47);
        row("10020 motor 2", 10020, 48, {"massage::currentMotorPos2Changed"},
            "massage.currentMotorPosition2", 48);
        row("10021 motor 3", 10021, 49, {"massage::currentMotorPos3Changed"},
            "massage.currentMotorPosition3", 49);
        row("10023 requested motor 1", 10023, 50, {"massage::requestedMotorPos1Changed"},
            "massage.requestedMotorPosition1", 50);
        row("10024 requested motor 2", 10024, 51, {"massage::requestedMotorPos2Changed"},
            "massage.requestedMotorPosition2", 51);
        row("10025 requested motor 3", 10025, 52, {"massage::requestedMotorPos3Changed"},
            "massage.requestedMotorPosition3", 52);
        row("10031 shoulder width", 10031, 160, {"massage::shoulderWidthChanged"},
            "massage.shoulderWidth", 160);
        row("10042 pause mode", 10042, 1, {"massage::pauseModeChanged"}, "massage.pauseMode", 1);
        row("10043 pressure at start", 10043, 53, {"massage::nozzlePressureAtStartChanged"},
            "massage.nozzlePressureAtStart", 53);
        row("10048 background program", 10048, 2, {"massage::backgroundProgramChanged"},
            "massage.backgroundProgram", 2);
        row("10053 background replay", 10053, 54, {"massage::backgroundReplayTimeChanged"},
            "massage.backgroundReplayTime", 54);
        row("10057 nozzle pressure max", 10057, 55, {"massage::nozzlePressureMaxChanged"},
            "massage.nozzlePressureMax", 55);

        // Device controller.
        row("10007 operating hours", 10007, 56, {"device::operatingHoursChanged"},
            "device.operatingHours", 56);
        row("10008 hours since service", 10008, 57,
            {"device::operatingHoursSinceLastServiceChanged"},
            "device.operatingHoursSinceLastService", 57);
        row("10010 volume standby", 10010, 35, {"device::audioVolumeStandbyChanged"},
            "device.audioVolumeStandby", 7);
        row("10013 setpoint water", 10013, 37, {"device::setPointWaterTemperatureChanged"},
            "device.setpointWaterTemperature", 37);
        row("10014 current water", 10014, 36, {"device::currentWaterTemperatureChanged"},
            "device.currentWaterTemperature", 36);
        row("10015 volume session start", 10015, 100, {"device::audioVolumeSessionStartChanged"},
            "device.audioVolumeSessionStart", 20);
        row("10017 device status pause", 10017, EnumProviderClass::PAUSE_SESSION,
            {"device::currentDeviceStateChanged"}, "device.currentDeviceState",
            EnumProviderClass::PAUSE_SESSION);
        row("10022 setup login timeout", 10022, 58, {"device::setupLoginTimeoutChanged"},
            "device.setupLoginTimeout", 58);
        row("10027 session code", 10027, 1234, {"device::sessionCodeChanged"}, "device.sessionCode",
            1234);
        row("10029 setup code", 10029, 4321, {"device::setupCodeChanged"}, "device.setupCode",
            4321);
        row("10030 login timeout", 10030, 59, {"device::loginTimeoutChanged"},
            "device.loginTimeout", 59);
        row("10041 basic volume", 10041, 60, {"device::basicVolumeChanged"}, "device.basicVolume",
            60);
        row("10044 cooling valve", 10044, 61, {"device::followUpCoolingValveChanged"},
            "device.followUpCoolingValve", 61);
        row("10045 ambient light", 10045, 62, {"device::followUpAmbientLightChanged"},
            "device.followUpAmbientLight", 62);
        row("10047 voice volume", 10047, 63, {"device::voiceVolumeChanged"}, "device.voiceVolume",
            63);
        row("10055 bass", 10055, 64, {"device::audioBassChanged"}, "device.audioBass", 64);
        row("10056 treble", 10056, 65, {"device::audioTrebleChanged"}, "device.audioTreble", 65);
        row("10058 water mixer", 10058, 66, {"device::waterMixerTimerChanged"},
            "device.waterMixerTimer", 66);
        row("10059 limiter temperature", 10059, 67, {"device::pressureLimiterTemperatureChanged"},
            "device.pressureLimiterTemperature", 67);
        row("10060 limiter lowering", 10060, 68, {"device::pressureLimiterLoweringChanged"},
            "device.pressureLimiterLowering", 68);
        row("10028 setup switches", 10028, 0x4,
            {"device::switchLedSpaActivatedChanged", "device::switchKeypadTimeSettingChanged"}, {},
            0);

        // Error controller (logged first).
        row("10051 error word", 10051, 0x201, {"error::currentErrorList1Changed"},
            "error.currentErrorList1", 0x201, {}, QStringLiteral("error: 513"));
        row("10052 warning word", 10052, 0x2, {"error::currentWarningList1Changed"},
            "error.currentWarningList1", 0x2, {}, QStringLiteral("warning: 2"));

        // Other controllers.
        row("10016 bluetooth state", 10016, 6, {"bluetooth::bluetoothStateChanged"},
            "bluetooth.bluetoothState", 6);
        row("10038 aroma", 10038, 258, {"spa::aromaProgramChanged"}, "spa.aromaProgram", 258);
        row("10039 colour program", 10039, 0x00010004,
            {"spa::spaColorProgramChanged", "spa::individualColorLightChanged"},
            "spa.spaColorProgram", 0x00010004);
        row("10046 effect illumination", 10046, 0x00000100,
            {"spa::effectIlluminationChanged", "spa::individualEffectIlluminationChanged"}, {}, 0);
        row("10049 nfc credit", 10049, 12, {"nfc::nfcTagCreditChanged"}, "nfc.nfcTagCredit", 12);
        // The model may rebuild its rows by a reset or by removing and inserting.
        row("10037 quick start", 10037, 0x33000401, {}, "quickstart.config", 0x33000401,
            {"quickstart::modelAboutToBeReset", "quickstart::modelReset",
             "quickstart::rowsInserted", "quickstart::rowsAboutToBeInserted",
             "quickstart::rowsRemoved", "quickstart::rowsAboutToBeRemoved",
             "quickstart::dataChanged"});
        row("10036 language", 10036, 0, {"language::defaultLanguageChanged"}, {}, 0,
            {"language::languageChanged", "language::currentSvgFilenameChanged",
             "language::abbreviationChanged", "language::selectableLanguageChanged",
             "language::modelReset"});
        row("10040 appliance type", 10040, EnumProviderClass::CLINIC,
            {"device::applianceTypeChanged"}, {}, 0, {"app::initDeviceTypeFinished"});
    }

    void catalogue()
    {
        QFETCH(int, id);
        QFETCH(int, value);
        QFETCH(QStringList, expected);
        QFETCH(QStringList, tolerated);
        QFETCH(QString, property);
        QFETCH(int, shown);
        QFETCH(QString, log);

        SignalWatch watch;
        watchAll(watch);
        LogCapture logs;
        const QStringList errors = decodeOne(0x09, reportOf(quint16(id), value));
        QVERIFY(errors.isEmpty());

        QStringList fired = watch.fired();
        for (const QString& s : expected) {
            QVERIFY2(fired.contains(s), qPrintable(s + " did not fire; fired: " + fired.join(' ')));
            QCOMPARE(watch.count(s), 1);
        }
        for (const QString& s : expected + tolerated)
            fired.removeAll(s);
        QVERIFY2(fired.isEmpty(), qPrintable("unexpected: " + fired.join(' ')));

        if (property == QLatin1String("quickstart.config")) {
            QCOMPARE(app->quickstartButtonInfoModel()->quickstartButtonConfig().value, shown);
        } else if (!property.isEmpty()) {
            const QStringList parts = property.split('.');
            QCOMPARE(recordValue(objectFor(parts[0]), qPrintable(parts[1])), shown);
        }
        if (!log.isEmpty())
            QVERIFY2(logs.anyStartsWith(log), qPrintable(logs.lines().join('|')));
        QVERIFY(!logs.contains(QStringLiteral("Wrong format!")));
    }

    // Side effects of the catalogue rows beyond the change signal.
    void catalogueSideEffects()
    {
        DeviceController& dc = app->deviceController();

        decodeOne(0x09, reportOf(EnumProviderClass::PARAM_APPLIANCE_TYPE, 3));
        QCOMPARE(dc.applianceType(), EnumProviderClass::US_VERSION);
        QVERIFY(app->commTimerActive());
        decodeOne(0x09, reportOf(EnumProviderClass::PARAM_APPLIANCE_TYPE, 7));
        QCOMPARE(dc.applianceType(), EnumProviderClass::NOT_INITIALIZED);

        decodeOne(0x09, reportOf(EnumProviderClass::PARAM_CURRENT_DEVICE_STATUS, 20));
        QVERIFY(dc.referenceRun2());
        decodeOne(0x09, reportOf(EnumProviderClass::PARAM_CURRENT_DEVICE_STATUS, 7));
        QVERIFY(!dc.referenceRun2());

        decodeOne(0x09, reportOf(EnumProviderClass::PARAM_SETUP_SWITCHES, 0x1234));
        QCOMPARE(app->setupSwitches().value, 0x1234);
        QCOMPARE(app->setupSwitches().id, quint16(10028));

        SpaController& sc = app->spaController();
        decodeOne(0x09, reportOf(EnumProviderClass::PARAM_SPA_COLOR_PROGRAM, 0x00010004));
        QVERIFY(sc.individualColorLight());
        decodeOne(0x09, reportOf(EnumProviderClass::PARAM_SPA_COLOR_PROGRAM, 4));
        QVERIFY(!sc.individualColorLight());
        decodeOne(0x09, reportOf(10046, 0x01000002));
        QVERIFY(sc.individualEffectIllumination());
        decodeOne(0x09, reportOf(10046, 0x000000FF));
        QVERIFY(!sc.individualEffectIllumination());

        QuickstartButtonInfoModel* qs = app->quickstartButtonInfoModel();
        decodeOne(0x09, reportOf(EnumProviderClass::PARAM_QUICKSTART_BUTTON_CONFIGURATION,
                                 qint32(0xC8330004)));
        QCOMPARE(qs->rowCount(), 4);
        const int codeRole = QuickstartButtonInfoModel::BodyAreaEnumRole;
        QCOMPARE(qs->data(qs->index(0), codeRole).toInt(), 4);
        QCOMPARE(qs->data(qs->index(1), codeRole).toInt(), 0);
        QCOMPARE(qs->data(qs->index(2), codeRole).toInt(), 51);
        QCOMPARE(qs->data(qs->index(3), codeRole).toInt(), 0); // 200 is no button code
    }

    void bluetoothNameReport_data()
    {
        QTest::addColumn<QByteArray>("data");
        QTest::addColumn<QString>("name");
        QByteArray named = QByteArray::fromHex("4601") + QByteArray("Lounge\xe9", 7);
        named.append(QByteArray(21 - 7, '\0'));
        QTest::newRow("name to first zero, Latin-1") << named << QStringLiteral("Lounge\u00e9");
        QByteArray full = QByteArray::fromHex("4601") + QByteArray(21, 'A');
        QTest::newRow("21 bytes without zero") << full << QString(21, QLatin1Char('A'));
    }

    void bluetoothNameReport()
    {
        QFETCH(QByteArray, data);
        QFETCH(QString, name);
        BluetoothController& bc = app->bluetoothController();
        QSignalSpy spy(&bc, SIGNAL(bluetoothDeviceNameChanged()));
        decodeOne(0x09, data);
        QCOMPARE(spy.count(), 1);
        QCOMPARE(bc.property("bluetoothDeviceName").toString(), name);
    }

    // --- framing of reports and records --------------------------------------

    // Every field of a report lands at its own offset, read from bytes
    // written out by hand (not by the record's own encoder).
    void recordFieldsDecoded()
    {
        const QByteArray bytes =
            recordBytes(10007, 0xFEDC, -123456, -5, 0x7FFF0001, 0xABCD, 0x1234, 6, 133, 1, 7, -99);
        decodeOne(0x09, bytes);
        const telegram_param_def r = app->deviceController().operatingHours();
        QCOMPARE(r.id, quint16(10007));
        QCOMPARE(r.def, quint16(0xFEDC));
        QCOMPARE(r.value, -123456);
        QCOMPARE(r.min, -5);
        QCOMPARE(r.max, 0x7FFF0001);
        QCOMPARE(r.step, quint16(0xABCD));
        QCOMPARE(r.divider, quint16(0x1234));
        QCOMPARE(r.type, quint8(6));
        QCOMPARE(r.action, quint8(133));
        QCOMPARE(r.message, quint8(1));
        QCOMPARE(r.message2, quint8(7));
        QCOMPARE(r.current, -99);
    }

    void reportLengths_data()
    {
        QTest::addColumn<QByteArray>("data");
        QTest::addColumn<bool>("delivered");
        QTest::addColumn<bool>("wrongFormat");
        QTest::addColumn<int>("shownValue");
        const QByteArray full = reportOf(EnumProviderClass::PARAM_OPERATING_HOURS, 4711);
        QTest::newRow("10 bytes: ignored") << full.left(10) << false << false << 0;
        QTest::newRow("11 bytes: defaults") << full.left(11) << true << true << -1;
        QTest::newRow("27 bytes: defaults") << full.left(27) << true << true << -1;
        QTest::newRow("28 bytes: decoded") << full << true << false << 4711;
        QTest::newRow("30 bytes: extra ignored") << full + "zz" << true << false << 4711;
    }

    void reportLengths()
    {
        QFETCH(QByteArray, data);
        QFETCH(bool, delivered);
        QFETCH(bool, wrongFormat);
        QFETCH(int, shownValue);
        DeviceController& dc = app->deviceController();
        // Start from a known, different record.
        decodeOne(0x09, reportOf(EnumProviderClass::PARAM_OPERATING_HOURS, 1));
        QSignalSpy spy(&dc, SIGNAL(operatingHoursChanged()));
        LogCapture logs;
        decodeOne(0x09, data);
        QCOMPARE(spy.count(), delivered ? 1 : 0);
        QCOMPARE(logs.contains(QStringLiteral("Wrong format!")), wrongFormat);
        if (delivered) {
            QCOMPARE(dc.operatingHours().value, shownValue);
            if (wrongFormat) {
                // The slot gets the whole default record.
                QCOMPARE(dc.operatingHours().id, quint16(0xFFFF));
                QCOMPARE(dc.operatingHours().max, 2147483647);
                QCOMPARE(dc.operatingHours().message2, quint8(0xFF));
                QCOMPARE(dc.operatingHours().current, 0);
            }
        }
    }

    // --- special records ------------------------------------------------------

    void softwareInfo_data()
    {
        QTest::addColumn<QByteArray>("data");
        QTest::addColumn<QString>("signal");
        QTest::addColumn<QString>("property");
        QTest::addColumn<int>("index");
        QTest::addColumn<int>("status");
        QTest::addColumn<int>("id");
        QTest::addColumn<int>("high");
        QTest::addColumn<int>("low");

        // 10101 = 0x2775: identifier, index, address, status, id (4), high, low
        auto data = [](const char* hex) { return QByteArray::fromHex(hex); };
        QTest::newRow("main control")
            << data("7527 12 08 01 78563412 03 07") << "mainControlInfoChanged"
            << "mainControlInfo" << 12 << 1 << 0x12345678 << 3 << 7;
        QTest::newRow("index 0x1A reads as 0")
            << data("7527 1A 20 99 01000000 01 02") << "node1InfoChanged"
            << "node1Info" << 0 << 99 << 1 << 1 << 2;
        QTest::newRow("status with hex digit reads as 0")
            << data("7527 05 22 F0 02000000 01 02") << "node2InfoChanged"
            << "node2Info" << 5 << 0 << 2 << 1 << 2;
        QTest::newRow("node 3") << data("7527 21 24 00 03000000 09 00") << "node3InfoChanged"
                                << "node3Info" << 21 << 0 << 3 << 9 << 0;
        const struct
        {
            const char* tag;
            const char* address;
            const char* name;
        } nodes[] = {{"node 4", "25", "node4Info"},
                     {"control center", "94", "controlCenterInfo"},
                     {"key tone", "96", "keyToneControllerInfo"},
                     {"bluetooth", "98", "bluetoothControllerInfo"},
                     {"nfc", "9A", "nfcControllerInfo"},
                     {"eva", "9C", "evaControllerInfo"},
                     {"audio", "F2", "audioControllerInfo"},
                     {"watchdog", "F9", "watchDogInfo"},
                     {"led 1", "FA", "led1ControllerInfo"},
                     {"remote", "FC", "remoteControllerInfo"},
                     {"led 2", "FE", "led2ControllerInfo"}};
        for (const auto& n : nodes) {
            QTest::newRow(n.tag) << data(QByteArray("7527 33 ") + n.address + " 44 05000000 06 08")
                                 << QString::fromLatin1(n.name) + "Changed"
                                 << QString::fromLatin1(n.name) << 33 << 44 << 5 << 6 << 8;
        }
        QTest::newRow("unknown address ignored") << data("7527 33 26 44 05000000 06 08")
                                                 << QString() << QString() << 0 << 0 << 0 << 0 << 0;
    }

    void softwareInfo()
    {
        QFETCH(QByteArray, data);
        QFETCH(QString, signal);
        QFETCH(QString, property);
        QFETCH(int, index);
        QFETCH(int, status);
        QFETCH(int, id);
        QFETCH(int, high);
        QFETCH(int, low);
        SignalWatch watch;
        watchAll(watch);
        decodeOne(0x09, data);
        if (signal.isEmpty()) {
            QVERIFY2(watch.fired().isEmpty(), qPrintable(watch.fired().join(' ')));
            return;
        }
        QCOMPARE(watch.fired(), QStringList{"device::" + signal});
        const auto info = qvariant_cast<software_online_list>(
            app->deviceController().property(qPrintable(property)));
        QCOMPARE(int(info.softwareIndex), index);
        QCOMPARE(int(info.iicAddress), int(quint8(data.at(3))));
        QCOMPARE(int(info.iicStatus), status);
        QCOMPARE(info.softwareID, id);
        QCOMPARE(int(info.softwareHighVersion), high);
        QCOMPARE(int(info.softwareLowVersion), low);

        // The same record again changes nothing.
        SignalWatch again;
        watchAll(again);
        decodeOne(0x09, data);
        QVERIFY(again.fired().isEmpty());
    }

    void errorHistory_data()
    {
        QTest::addColumn<int>("index");
        QTest::addColumn<int>("list");
        QTest::newRow("index 0 to list 1") << 0 << 1;
        QTest::newRow("index 7 to list 8") << 7 << 8;
        QTest::newRow("index 31 to list 32") << 31 << 32;
        QTest::newRow("index 32 dropped") << 32 << 0;
        QTest::newRow("index 40 dropped") << 40 << 0;
        QTest::newRow("index 255 dropped") << 255 << 0;
    }

    void errorHistory()
    {
        QFETCH(int, index);
        QFETCH(int, list);
        // 10102 = 0x2776; 18 bytes: id, index, pad, error number, 8 date bytes, state, status
        QByteArray data = QByteArray::fromHex("7627");
        data.append(char(index));
        data.append('\0');
        data.append(QByteArray::fromHex("2602 0000")); // error number 550
        data.append(QByteArray::fromHex("0102030405061A07"));
        data.append(char(8));
        data.append(char(1));
        SignalWatch watch;
        watchAll(watch);
        decodeOne(0x09, data);
        if (list == 0) {
            QVERIFY2(watch.fired().isEmpty(), qPrintable(watch.fired().join(' ')));
            return;
        }
        QCOMPARE(watch.fired(),
                 QStringList{QStringLiteral("error::errorHistoryList%1Changed").arg(list)});
        error_history_list entry;
        QVERIFY(QMetaObject::invokeMethod(
            &app->errorController(), qPrintable(QStringLiteral("errorHistoryList%1").arg(list)),
            Q_RETURN_ARG(error_history_list, entry)));
        QCOMPARE(int(entry.index), index);
        QCOMPARE(entry.errorNumber, 550);
        QCOMPARE(int(entry.currentDeviceStatus), 8);
        QCOMPARE(int(entry.errorStatus), 1);
    }

    void specialRecordTooShort_data()
    {
        QTest::addColumn<QByteArray>("data");
        // 17 data bytes for an error entry, 13 for a clinic step: too short.
        QTest::newRow("error history 17 bytes")
            << QByteArray::fromHex("7627 00 00 26020000 0102030405061A07 08");
        QTest::newRow("clinic step 13 bytes")
            << QByteArray::fromHex("7827 0500 01 10 20 30 05 03 04 02 01");
    }

    void specialRecordTooShort()
    {
        QFETCH(QByteArray, data);
        SignalWatch watch;
        watchAll(watch);
        LogCapture logs;
        decodeOne(0x09, data);
        QVERIFY2(watch.fired().isEmpty(), qPrintable(watch.fired().join(' ')));
        QVERIFY(logs.contains(QStringLiteral("Wrong format!")));
    }

    void clinicStep()
    {
        MassageController& mc = app->massageController();
        // 10104 = 0x2778: time 0x0105, kind 2, motors 16, 200, 48, pressure, speed,
        // area, technique, act
        const QByteArray data = QByteArray::fromHex("7827 0501 02 10 C8 30 05 FD 04 02 01 00");
        QSignalSpy spy(&mc, SIGNAL(recordClinicStepChanged()));
        decodeOne(0x09, data);
        QCOMPARE(spy.count(), 1);
        const record_clinic_step s = mc.recordClinicStep();
        QCOMPARE(int(s.eventTime), 0x0105);
        QCOMPARE(int(s.massageKind), 2);
        QCOMPARE(s.motor1Position, 16);
        QCOMPARE(s.motor2Position, 200);
        QCOMPARE(s.motor3Position, 48);
        QCOMPARE(int(s.nozzlePressure), 5);
        QCOMPARE(int(s.nozzleSpeed), -3);
        QCOMPARE(int(s.bodyArea), 4);
        QCOMPARE(int(s.massageTechnic), 2);
        QCOMPARE(int(s.recordAct), 1);
        decodeOne(0x09, data);
        QCOMPARE(spy.count(), 1);
    }

    void defaultData()
    {
        LogCapture logs;
        SignalWatch watch;
        watchAll(watch);
        decodeOne(0x09, QByteArray::fromHex("9627 0a0b0c0d0e0f10111213"));
        QVERIFY2(logs.contains(QStringLiteral("Default data: 96 27 0a 0b 0c 0d 0e 0f 10 11 12 13")),
                 qPrintable(logs.lines().join('|')));
        QVERIFY(watch.fired().isEmpty());
    }

    // --- commands --------------------------------------------------------------

    void commands_data()
    {
        QTest::addColumn<int>("command");
        QTest::addColumn<QByteArray>("data");
        QTest::addColumn<QStringList>("errors");
        QTest::addColumn<int>("answerCommand"); // -1: no answer
        QTest::addColumn<QByteArray>("answer");

        const QStringList noError;
        auto seq = [](int n) {
            QByteArray b;
            for (int i = 0; i < n; ++i)
                b.append(char(i));
            return b;
        };
        QTest::newRow("0x00 unknown")
            << 0x00 << QByteArray() << QStringList{"Unknown telegram!"} << -1 << QByteArray();
        QTest::newRow("0x00 with data") << 0x00 << QByteArray("\x01\x02", 2)
                                        << QStringList{"Unknown telegram!"} << -1 << QByteArray();
        QTest::newRow("0x81 block 16") << 0x81 << QByteArray() << noError << 0x01 << seq(16);
        QTest::newRow("0x83 number")
            << 0x83 << QByteArray() << noError << 0x03 << QByteArray::fromHex("02141700");
        QTest::newRow("0x84 block 32") << 0x84 << QByteArray() << noError << 0x04 << seq(32);
        QTest::newRow("0x80 control flags after start-up")
            << 0x80 << QByteArray() << noError << 0x00 << QByteArray::fromHex("0000");
        QTest::newRow("0x89 request 468") << 0x89 << QByteArray::fromHex("D401") << noError << 0x09
                                          << QByteArray::fromHex("D5011A2B3C4D");
        QTest::newRow("0x89 request 469") << 0x89 << QByteArray::fromHex("D501") << noError << 0x09
                                          << QByteArray::fromHex("D5011A2B3C4D");
        QTest::newRow("0x89 request 470: no answer")
            << 0x89 << QByteArray::fromHex("D601") << noError << -1 << QByteArray();
        QTest::newRow("0x89 one byte: no answer")
            << 0x89 << QByteArray::fromHex("D4") << noError << -1 << QByteArray();
        QTest::newRow("0x89 468 in a high byte: no answer")
            << 0x89 << QByteArray::fromHex("D4FF") << noError << -1 << QByteArray();
        QTest::newRow("0x55 other command")
            << 0x55 << QByteArray::fromHex("0102") << noError << -1 << QByteArray();
        QTest::newRow("0xA9 write from the unit")
            << 0xA9 << reportOf(10000, 1) << noError << -1 << QByteArray();
    }

    void commands()
    {
        QFETCH(int, command);
        QFETCH(QByteArray, data);
        QFETCH(QStringList, errors);
        QFETCH(int, answerCommand);
        QFETCH(QByteArray, answer);

        TelegramManager::instance()->onCrc32ThreadFinished(0x1A2B3C4D);
        TelegramCapture capture;
        QCOMPARE(decodeOne(uchar(command), data), errors);
        if (answerCommand < 0) {
            QCOMPARE(capture.sent().size(), 0);
            return;
        }
        QCOMPARE(capture.sent().size(), 1);
        const SentTelegram& t = capture.sent().first();
        QCOMPARE(int(t.receiver), 0x08);
        QCOMPARE(int(t.sender), 0x94);
        QCOMPARE(int(t.command), answerCommand);
        QCOMPARE(t.data.toHex(' '), answer.toHex(' '));
    }

    // The screens call the controllers' invokables with plain JavaScript
    // numbers; every argument type (uint8_t, uint16_t, int16_t, enumerations,
    // double) must convert, or the call fails at run time in QML only.
    void invokablesFromQml_data()
    {
        QTest::addColumn<QString>("expression");
        QTest::addColumn<QString>("result");   // empty: the call returns nothing
        QTest::addColumn<int>("sentCommand");  // -1: nothing sent
        QTest::addColumn<QString>("sentHead"); // leading data bytes in hex
        QTest::addColumn<int>("offset");       // one more data byte to check, -1: none
        QTest::addColumn<int>("byte");

        QTest::newRow("device name, uint8_t") << "deviceController.getDeviceName(0x25)"
                                              << "NODE" << -1 << QString() << -1 << 0;
        QTest::newRow("device state name, uint16_t")
            << "deviceController.getReadableDeviceState(15)"
            << "HOLD" << -1 << QString() << -1 << 0;
        QTest::newRow("leading zeros") << "deviceController.appendLeadingZeros(7, 4)"
                                       << "0007" << -1 << QString() << -1 << 0;
        QTest::newRow("hex text") << "deviceController.convertIntToHexString(255)"
                                  << "FF" << -1 << QString() << -1 << 0;
        QTest::newRow("error bit, uint8_t") << "errorController.hasCurrentError(200)"
                                            << "false" << -1 << QString() << -1 << 0;
        QTest::newRow("massage time") << "massageController.convertMassageTime(754)"
                                      << "12:34" << -1 << QString() << -1 << 0;
        QTest::newRow("motor position, double")
            << "massageController.convertMotorPos1(300.0, 600, 150)"
            << "75" << -1 << QString() << -1 << 0;
        QTest::newRow("request, uint16_t")
            << "deviceController.requestValues(10017)" << QString() << 0x89 << "21 27" << -1 << 0;
        QTest::newRow("state step, uint16_t") << "deviceController.setCurrentDeviceStateStep(9)"
                                              << QString() << 0xA9 << "21 27" << 16 << 9;
        QTest::newRow("action, enumeration")
            << "deviceController.setAudioBass(130)" << QString() << 0xA9 << "47 27" << 21 << 130;
        QTest::newRow("default, int16_t") << "massageController.setNozzleSpeedDefValue(3)"
                                          << QString() << 0xA9 << "11 27 03 00" << -1 << 0;
        QTest::newRow("body area, enumeration")
            << "massageController.setBodyArea(6)" << QString() << 0xA9 << "14 27" << 4 << 6;
    }

    void invokablesFromQml()
    {
        QFETCH(QString, expression);
        QFETCH(QString, result);
        QFETCH(int, sentCommand);
        QFETCH(QString, sentHead);
        QFETCH(int, offset);
        QFETCH(int, byte);

        TelegramCapture capture;
        QQmlExpression expr(engine->rootContext(), nullptr, expression);
        const QVariant v = expr.evaluate();
        QVERIFY2(!expr.hasError(), qPrintable(expr.error().toString()));
        if (!result.isEmpty())
            QCOMPARE(v.toString(), result);
        if (sentCommand < 0) {
            QCOMPARE(capture.sent().size(), 0);
            return;
        }
        QCOMPARE(capture.sent().size(), 1);
        QCOMPARE(int(capture.sent().first().command), sentCommand);
        QVERIFY2(capture.sent().first().data.toHex(' ').startsWith(sentHead.toLatin1()),
                 capture.sent().first().data.toHex(' ').constData());
        if (offset >= 0)
            QCOMPARE(int(quint8(capture.sent().first().data.at(offset))), byte);
    }

    // The three debug lines of a checksum answer: value, hex value, bytes sent.
    void checksumAnswerLogs()
    {
        TelegramManager::instance()->onCrc32ThreadFinished(0x0A2B3C4D);
        LogCapture logs;
        decodeOne(0x89, QByteArray::fromHex("D401"));
        QStringList crcLines;
        for (const QString& l : logs.lines())
            if (l.startsWith(QLatin1String("crc32")) || l.startsWith(QLatin1String("CRC")) ||
                l.startsWith(QLatin1String("Send crc")))
                crcLines << l;
        QCOMPARE(crcLines, (QStringList{"crc32 val external: 170605645", "CRC in hex: 0a2b3c4d",
                                        "Send crc with: d5 01 0a 2b 3c 4d"}));
    }

    void checksumBeforeScanFinished()
    {
        QCOMPARE(MainControlTelegrams::checksumReport(0).toHex(' '),
                 QByteArray("d5 01 00 00 00 00"));
    }

    void identificationAnswer_data()
    {
        QTest::addColumn<int>("request");
        QTest::addColumn<int>("flags");
        QTest::addColumn<QStringList>("versions");
        QTest::addColumn<QByteArray>("answer");
        QTest::newRow("flags before start-up")
            << 0x80 << 128 << QStringList() << QByteArray("80 00");
        QTest::newRow("flags little-endian")
            << 0x80 << 0x0102 << QStringList() << QByteArray("02 01");
        QTest::newRow("version minor then major")
            << 0x82 << 0 << QStringList{"4", "14"} << QByteArray("0e 04 00 00");
        QTest::newRow("only the first two entries")
            << 0x82 << 0 << QStringList{"5", "10", "4", "14"} << QByteArray("0a 05 00 00");
        QTest::newRow("no version file") << 0x82 << 0 << QStringList() << QByteArray("00 00 00 00");
        QTest::newRow("major only") << 0x82 << 0 << QStringList{"4"} << QByteArray("00 04 00 00");
        QTest::newRow("not a number")
            << 0x82 << 0 << QStringList{"x", "98b"} << QByteArray("00 00 00 00");
        QTest::newRow("truncated to a byte")
            << 0x82 << 0 << QStringList{"257", "300"} << QByteArray("2c 01 00 00");
    }

    void identificationAnswer()
    {
        QFETCH(int, request);
        QFETCH(int, flags);
        QFETCH(QStringList, versions);
        QFETCH(QByteArray, answer);
        QCOMPARE(
            MainControlTelegrams::identificationAnswer(uchar(request), quint16(flags), versions)
                .toHex(' '),
            answer);
    }

    // 0x82 answered from the version file through the application controller.
    void softwareVersionFromFile()
    {
        const QString path = systemPath(QStringLiteral("/etc/sw_versions"));
        QVERIFY(QDir().mkpath(QFileInfo(path).absolutePath()));
        QFile f(path);
        QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Text));
        f.write("rootfs=2.3.1\nlinux=4.14.98\n");
        f.close();
        app->readSoftwareVersion();
        TelegramCapture capture;
        decodeOne(0x82, QByteArray());
        QCOMPARE(capture.sent().size(), 1);
        QCOMPARE(int(capture.sent().first().command), 0x02);
        QCOMPARE(capture.sent().first().data.toHex(' '), QByteArray("0e 04 00 00"));
    }

    // --- steps after a report ---------------------------------------------------

    void deviceStateStep_data()
    {
        QTest::addColumn<int>("state");
        QTest::addColumn<int>("applianceType");
        QTest::addColumn<int>("switches");
        QTest::addColumn<QString>("expected"); // signal, empty: none

        const int lounge = EnumProviderClass::LOUNGE;
        const int us = EnumProviderClass::US_VERSION;
        const int nfcBit = 1 << 7;
        const int pinBit = 1 << 0;
        auto row = [&](const char* tag, int state, const char* expected, int type = 1,
                       int switches = 0) {
            QTest::newRow(tag) << state << type << switches << QString::fromLatin1(expected);
        };
        row("0 boot", 0, "");
        row("1 no console", 1, "app::goToReferenceRunState");
        row("2 reference run", 2, "app::goToReferenceRunState");
        row("3 ready", 3, "app::goToReadyIdleState");
        row("4 pay, no switch", 4, "");
        row("4 pay, nfc", 4, "device::showNfcPayPopup", lounge, nfcBit);
        row("4 pay, pin", 4, "device::showPinCodePayPopup", lounge, pinBit);
        row("4 pay, nfc before pin", 4, "device::showNfcPayPopup", lounge, nfcBit | pinBit);
        row("5 coin", 5, "app::goToCoinSession");
        row("6 setup manager", 6, "app::goToSetupManagerState");
        row("7 pause", 7, "");
        row("8 device error", 8, "app::goToDeviceErrorState");
        row("9 service", 9, "app::goToServiceSessionState");
        row("10 time session", 10, "app::goToTimeSessionState");
        row("11 setup session", 11, "app::goToSetupSessionState");
        row("12 software update", 12, "app::goToSoftwareUpdateState");
        row("13 manual", 13, "app::goToManualSessionState");
        row("14 start session", 14, "");
        row("15 stop", 15, "");
        row("16 save", 16, "app::goToSaveSessionState");
        row("17 program free", 17, "app::goToProgramSessionFreeState");
        row("18 login", 18, "app::goToSessionLoginState");
        row("19 stop programming", 19, "");
        row("20 reference run 2", 20, "");
        row("21 demo", 21, "");
        row("22 clean, lounge", 22, "", lounge);
        row("22 clean, clinic", 22, "", EnumProviderClass::CLINIC);
        row("22 clean, us version", 22, "app::goToCleanDeviceState", us);
        row("23 quick start", 23, "");
        row("24 undefined", 24, "");
        row("99 out of range", 99, "");
    }

    void deviceStateStep()
    {
        QFETCH(int, state);
        QFETCH(int, applianceType);
        QFETCH(int, switches);
        QFETCH(QString, expected);

        DeviceController& dc = app->deviceController();
        dc.setApplianceType(EnumProviderClass::APPLIANCE_TYPE(applianceType));
        setSwitches(switches);
        // Start from a state that has no screen of its own.
        decodeOne(0x09, reportOf(EnumProviderClass::PARAM_CURRENT_DEVICE_STATUS, 0));

        SignalWatch watch;
        watch.watch(QStringLiteral("app"), app);
        watch.watch(QStringLiteral("device"), &dc);
        LogCapture logs;
        decodeOne(0x09, reportOf(EnumProviderClass::PARAM_CURRENT_DEVICE_STATUS, state));
        QStringList screens;
        for (const QString& s : watch.fired())
            if (s.startsWith(QLatin1String("app::goTo")) ||
                s.startsWith(QLatin1String("device::show")))
                screens.append(s);
        QCOMPARE(screens, expected.isEmpty() ? QStringList() : QStringList{expected});
        QCOMPARE(dc.currentDeviceState().value, state);
        if (state == 14)
            QVERIFY(logs.contains(QStringLiteral("Start SESSION: 14")));
    }

    void setupSwitchStep_data()
    {
        QTest::addColumn<int>("bits");
        QTest::addColumn<QStringList>("on");

        const QStringList all = {"switchPinCodeEnabled",
                                 "switchStartButtonIndividualMassage",
                                 "switchLedSpaActivated",
                                 "switchButtonMassageSettings",
                                 "switchIndividualMassageStyle",
                                 "switchPayment",
                                 "switchTimeSetting",
                                 "switchNfcTagCreditFunction",
                                 "switchSaveRecordingAfterSession",
                                 "switchLoadRecord",
                                 "switchAudioActive",
                                 "switchBluetoothActive",
                                 "switchUnitSystem",
                                 "switchKeyLock",
                                 "switchHomeRun",
                                 "switchNfcCardInit",
                                 "switchRotateWindow",
                                 "switchWaterMixerOn",
                                 "switchPressureLimiterTemperatureOn",
                                 "switchVoiceGuideOn",
                                 "switchDemoModeOn",
                                 "switchCleanDeviceOn",
                                 "switchQuickStartOn"};
        QTest::newRow("none: keypad time setting on")
            << 0 << QStringList{"switchKeypadTimeSetting"};
        QTest::newRow("bit 5: payment on, keypad off") << 0x20 << QStringList{"switchPayment"};
        QTest::newRow("all 23 bits") << 0x7FFFFF << all;
        QTest::newRow("bits above 22 ignored")
            << qint32(0xFF800000) << QStringList{"switchKeypadTimeSetting"};
        for (int bit = 0; bit < 23; ++bit) {
            if (bit == 5)
                continue;
            const QString name = all.at(bit);
            QTest::newRow(qPrintable(QStringLiteral("bit %1").arg(bit)))
                << (1 << bit) << QStringList{name, "switchKeypadTimeSetting"};
        }
    }

    void setupSwitchStep()
    {
        QFETCH(int, bits);
        QFETCH(QStringList, on);
        DeviceController& dc = app->deviceController();
        setSwitches(bits);
        const QMetaObject* mo = dc.metaObject();
        for (int i = mo->propertyOffset(); i < mo->propertyCount(); ++i) {
            const QMetaProperty p = mo->property(i);
            const QString name = QString::fromLatin1(p.name());
            if (!name.startsWith(QLatin1String("switch")))
                continue;
            QVERIFY2(p.read(&dc).toBool() == on.contains(name), qPrintable(name));
        }
    }

    void setupSwitchSignalsOnlyOnChange()
    {
        DeviceController& dc = app->deviceController();
        setSwitches(0x20);
        SignalWatch watch;
        watch.watch(QStringLiteral("device"), &dc);
        setSwitches(0x20);
        QVERIFY(watch.fired().isEmpty());
        setSwitches(0x24);
        QCOMPARE(watch.fired(), QStringList{"device::switchLedSpaActivatedChanged"});
    }

    void languageStep()
    {
        LanguageController& lc = app->languageController();
        telegram_param_def r = distinctRecord(EnumProviderClass::PARAM_LANGUAGE);
        r.value = EnumProviderClass::AMERICAN;
        r.def = EnumProviderClass::GERMAN;
        r.min = 0x3;       // guests: German, English
        r.max = 0x1000007; // operator: German, English, Danish, American
        decodeOne(0x09, r.toBytes());
        QCOMPARE(lc.languageModel()->rowCount(), 25);
        // Names in the language just installed.
        QCOMPARE(lc.userSelectableList(),
                 (QStringList{lc.convertLanguageEnum(EnumProviderClass::GERMAN),
                              lc.convertLanguageEnum(EnumProviderClass::ENGLISH)}));
        QCOMPARE(lc.abbreviation(), QStringLiteral("US"));
        QCOMPARE(lc.currentSvgFilename(), QStringLiteral("the_united_states.svg"));
        QCOMPARE(lc.language().value, qint32(EnumProviderClass::AMERICAN));
        QCOMPARE(lc.defaultLanguage(), 0);

        // A new default is a changed record: the default moves, the language stays.
        SignalWatch watch;
        watch.watch(QStringLiteral("language"), &lc);
        r.def = EnumProviderClass::ENGLISH;
        decodeOne(0x09, r.toBytes());
        QVERIFY(watch.fired().contains("language::defaultLanguageChanged"));
        QVERIFY(!watch.fired().contains("language::abbreviationChanged"));
        QCOMPARE(lc.defaultLanguage(), 1);
        QCOMPARE(lc.abbreviation(), QStringLiteral("US"));

        // The identical record again: nothing at all.
        SignalWatch again;
        again.watch(QStringLiteral("language"), &lc);
        again.watch(QStringLiteral("model"), lc.languageModel());
        decodeOne(0x09, r.toBytes());
        QVERIFY2(again.fired().isEmpty(), qPrintable(again.fired().join(' ')));

        // A screen that asks for the list again empties it first; the
        // unchanged answer fills it again without touching the language.
        lc.languageModel()->requestLanguagesList();
        QCOMPARE(lc.languageModel()->rowCount(), 0);
        SignalWatch refill;
        refill.watch(QStringLiteral("language"), &lc);
        decodeOne(0x09, r.toBytes());
        QCOMPARE(lc.languageModel()->rowCount(), 25);
        QVERIFY(!refill.fired().contains("language::abbreviationChanged"));
        QCOMPARE(lc.abbreviation(), QStringLiteral("US"));
    }

    void languageStepInstallsTranslation()
    {
        LanguageController& lc = app->languageController();
        telegram_param_def r = distinctRecord(EnumProviderClass::PARAM_LANGUAGE);
        r.value = EnumProviderClass::GERMAN;
        r.min = r.max = 0x3;
        decodeOne(0x09, r.toBytes());
        const QString german = lc.convertLanguageEnum(EnumProviderClass::GERMAN);
        QCOMPARE(german, QStringLiteral("Deutsch"));
        r.value = EnumProviderClass::ENGLISH;
        decodeOne(0x09, r.toBytes());
        QCOMPARE(lc.abbreviation(), QStringLiteral("EN"));
        const QString english = lc.convertLanguageEnum(EnumProviderClass::GERMAN);
        QVERIFY2(english != german, qPrintable(english));
    }
};

QTEST_MAIN(TestMainControlTelegrams)
#include "tst_maincontroltelegrams.moc"

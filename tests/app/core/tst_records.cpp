// The parameter record and the three special records decoded from reports.
#include "types/enumproviderclass.h"
#include "types/errorhistorylist.h"
#include "types/recordclinicstep.h"
#include "types/softwareonlinelist.h"
#include "types/telegramparamdef.h"

#include <QMetaEnum>
#include <QQmlComponent>
#include <QQmlEngine>
#include <QTest>

namespace {
QByteArray hex(const char* text)
{
    return QByteArray::fromHex(text);
}

// id 10000, def 0x0102, value -2, min 1, max 0x7FFFFFFF, step 5, divider 10,
// type 7, action 129, message 0, message2 1, current 0x01020304
const char* SampleRecord = "1027"
                           "0201"
                           "feffffff"
                           "01000000"
                           "ffffff7f"
                           "0500"
                           "0a00"
                           "07"
                           "81"
                           "00"
                           "01"
                           "04030201";
} // namespace

class TestRecords : public QObject
{
    Q_OBJECT

private slots:
    void paramRecordDecodesEveryField();
    void paramRecordRoundTrip();
    void paramRecordShortKeepsDefaults_data();
    void paramRecordShortKeepsDefaults();
    void sameContentIgnoresOnlyId_data();
    void sameContentIgnoresOnlyId();
    void softwareInfo_data();
    void softwareInfo();
    void errorHistory_data();
    void errorHistory();
    void clinicStep();
    void clinicStepTooShort();
    void enumerationsDeclared();
    void enumerationsInQml_data();
    void enumerationsInQml();
};

void TestRecords::paramRecordDecodesEveryField()
{
    bool ok = false;
    const telegram_param_def p = telegram_param_def::fromData(hex(SampleRecord) + "extra", &ok);
    QVERIFY(ok);
    QCOMPARE(p.id, quint16(10000));
    QCOMPARE(p.def, quint16(0x0102));
    QCOMPARE(p.value, -2);
    QCOMPARE(p.min, 1);
    QCOMPARE(p.max, 0x7FFFFFFF);
    QCOMPARE(p.step, quint16(5));
    QCOMPARE(p.divider, quint16(10));
    QCOMPARE(p.type, quint8(7));
    QCOMPARE(p.action, quint8(129));
    QCOMPARE(p.message, quint8(0));
    QCOMPARE(p.message2, quint8(1));
    QCOMPARE(p.current, 0x01020304);
}

void TestRecords::paramRecordRoundTrip()
{
    const QByteArray bytes = hex(SampleRecord);
    QCOMPARE(telegram_param_def::fromData(bytes).toBytes(), bytes);
    QCOMPARE(telegram_param_def().toBytes().size(), 28);
}

void TestRecords::paramRecordShortKeepsDefaults_data()
{
    QTest::addColumn<int>("length");
    QTest::newRow("empty") << 0;
    QTest::newRow("identifier only") << 2;
    QTest::newRow("one byte short") << 27;
}

void TestRecords::paramRecordShortKeepsDefaults()
{
    QFETCH(int, length);
    bool ok = true;
    const telegram_param_def p = telegram_param_def::fromData(hex(SampleRecord).left(length), &ok);
    QVERIFY(!ok);
    QCOMPARE(p.id, quint16(0xFFFF));
    QCOMPARE(p.def, quint16(0xFFFF));
    QCOMPARE(p.value, -1);
    QCOMPARE(p.min, 2147483647);
    QCOMPARE(p.max, 2147483647);
    QCOMPARE(p.step, quint16(0xFFFF));
    QCOMPARE(p.divider, quint16(0xFFFF));
    QCOMPARE(p.type, quint8(0xFF));
    QCOMPARE(p.action, quint8(0xFF));
    QCOMPARE(p.message, quint8(0xFF));
    QCOMPARE(p.message2, quint8(0xFF));
    QCOMPARE(p.current, 0);
    QVERIFY(p == telegram_param_def());
}

void TestRecords::sameContentIgnoresOnlyId_data()
{
    // Byte offset of each field in the record; changing it must count.
    QTest::addColumn<int>("offset");
    QTest::addColumn<bool>("same");
    QTest::newRow("id") << 0 << true;
    QTest::newRow("def") << 3 << false;
    QTest::newRow("value") << 7 << false;
    QTest::newRow("min") << 8 << false;
    QTest::newRow("max") << 12 << false;
    QTest::newRow("step") << 16 << false;
    QTest::newRow("divider") << 19 << false;
    QTest::newRow("type") << 20 << false;
    QTest::newRow("action") << 21 << false;
    QTest::newRow("message") << 22 << false;
    QTest::newRow("message2") << 23 << false;
    QTest::newRow("current") << 27 << false;
}

void TestRecords::sameContentIgnoresOnlyId()
{
    QFETCH(int, offset);
    QFETCH(bool, same);
    const QByteArray bytes = hex(SampleRecord);
    QByteArray changed = bytes;
    changed[offset] = char(changed[offset] ^ 0x40);
    const telegram_param_def a = telegram_param_def::fromData(bytes);
    const telegram_param_def b = telegram_param_def::fromData(changed);
    QCOMPARE(a.sameContent(b), same);
    QVERIFY(a != b);
}

void TestRecords::softwareInfo_data()
{
    QTest::addColumn<QByteArray>("data");
    QTest::addColumn<bool>("decoded");
    QTest::addColumn<int>("index");
    QTest::addColumn<int>("address");
    QTest::addColumn<int>("status");
    QTest::addColumn<int>("id");
    QTest::addColumn<int>("high");
    QTest::addColumn<int>("low");
    //                                   id     idx addr st  softwareID   hi lo
    QTest::newRow("full") << hex("7527"
                                 "12"
                                 "08"
                                 "03"
                                 "efbeadde"
                                 "02"
                                 "07")
                          << true << 12 << 0x08 << 3 << int(0xDEADBEEF) << 2 << 7;
    QTest::newRow("hex digit above 9 gives 0") << hex("7527"
                                                      "1a"
                                                      "94"
                                                      "a0"
                                                      "01000000"
                                                      "01"
                                                      "00")
                                               << true << 0 << 0x94 << 0 << 1 << 1 << 0;
    QTest::newRow("99 stays 99") << hex("7527"
                                        "99"
                                        "f2"
                                        "45"
                                        "00000000"
                                        "05"
                                        "06")
                                 << true << 99 << 0xF2 << 45 << 0 << 5 << 6;
    QTest::newRow("10 bytes: low version absent") << hex("7527"
                                                         "01"
                                                         "20"
                                                         "00"
                                                         "05000000"
                                                         "03")
                                                  << true << 1 << 0x20 << 0 << 5 << 3 << 0;
    QTest::newRow("9 bytes: not decoded") << hex("7527"
                                                 "01"
                                                 "20"
                                                 "00"
                                                 "05000000")
                                          << false << 0xFF << 0xFF << 0xFF << 0 << 0xFF << 0xFF;
}

void TestRecords::softwareInfo()
{
    QFETCH(QByteArray, data);
    QFETCH(bool, decoded);
    bool ok = !decoded;
    const software_online_list s = software_online_list::fromData(data, &ok);
    QCOMPARE(ok, decoded);
    QTEST(int(s.softwareIndex), "index");
    QTEST(int(s.iicAddress), "address");
    QTEST(int(s.iicStatus), "status");
    QTEST(int(s.softwareID), "id");
    QTEST(int(s.softwareHighVersion), "high");
    QTEST(int(s.softwareLowVersion), "low");
}

void TestRecords::errorHistory_data()
{
    QTest::addColumn<QByteArray>("data");
    QTest::addColumn<bool>("decoded");
    QTest::addColumn<int>("index");
    QTest::addColumn<int>("number");
    QTest::addColumn<int>("deviceStatus");
    QTest::addColumn<int>("errorStatus");
    const QByteArray date = hex("0102030405060708");
    QTest::newRow("18 bytes") << hex("7627"
                                     "1f"
                                     "00"
                                     "39300000") +
                                     date +
                                     hex("08"
                                         "01")
                              << true << 31 << 12345 << 8 << 1;
    QTest::newRow("index 40 still decoded") << hex("7627"
                                                   "28"
                                                   "00"
                                                   "ffffffff") +
                                                   date +
                                                   hex("03"
                                                       "00")
                                            << true << 40 << -1 << 3 << 0;
    QTest::newRow("17 bytes: not decoded") << hex("7627"
                                                  "01"
                                                  "00"
                                                  "39300000") +
                                                  date + hex("08")
                                           << false << 0xFFFF << 0 << 0xFF << 0xFF;
}

void TestRecords::errorHistory()
{
    QFETCH(QByteArray, data);
    QFETCH(bool, decoded);
    bool ok = !decoded;
    const error_history_list e = error_history_list::fromData(data, &ok);
    QCOMPARE(ok, decoded);
    QTEST(int(e.index), "index");
    QTEST(int(e.errorNumber), "number");
    QTEST(int(e.currentDeviceStatus), "deviceStatus");
    QTEST(int(e.errorStatus), "errorStatus");
    // The date bytes are not taken over.
    QCOMPARE(e.dateTimeSecond, quint8(0xFF));
    QCOMPARE(e.dateTimeMonth, quint8(0xFF));
    QCOMPARE(e.dateTimeYear, quint16(0xFFFF));
}

void TestRecords::clinicStep()
{
    //                 id     time   kind m1 m2 m3 pr sp area tech act
    const QByteArray d = hex("7827"
                             "18fc"
                             "02"
                             "ff"
                             "80"
                             "10"
                             "f6"
                             "05"
                             "04"
                             "81"
                             "7f"
                             "00");
    bool ok = false;
    const record_clinic_step r = record_clinic_step::fromData(d, &ok);
    QVERIFY(ok);
    QCOMPARE(r.eventTime, qint16(-1000));
    QCOMPARE(r.massageKind, qint8(2));
    QCOMPARE(r.motor1Position, 255);
    QCOMPARE(r.motor2Position, 128);
    QCOMPARE(r.motor3Position, 16);
    QCOMPARE(r.nozzlePressure, qint8(-10));
    QCOMPARE(r.nozzleSpeed, qint8(5));
    QCOMPARE(r.bodyArea, qint8(4));
    QCOMPARE(r.massageTechnic, qint8(-127));
    QCOMPARE(r.recordAct, qint8(127));
}

void TestRecords::clinicStepTooShort()
{
    bool ok = true;
    const record_clinic_step r = record_clinic_step::fromData(hex("7827"
                                                                  "18fc"
                                                                  "02"
                                                                  "ff"
                                                                  "80"
                                                                  "10"
                                                                  "f6"
                                                                  "05"
                                                                  "04"
                                                                  "81"
                                                                  "7f"),
                                                              &ok);
    QVERIFY(!ok);
    QVERIFY(r == record_clinic_step());
}

void TestRecords::enumerationsDeclared()
{
    // Name and number of enumerators of every enumeration, in declaration order.
    const QList<QPair<const char*, int>> expected = {{"ApplicationUpdateState", 4},
                                                     {"APPLIANCE_TYPE", 4},
                                                     {"AudioSource", 4},
                                                     {"BODY_AREA", 18},
                                                     {"BACKGROUND_PROGRAM", 16},
                                                     {"QUICK_START_BUTTON_CONFIG", 21},
                                                     {"MASSAGE_PROGRAM", 13},
                                                     {"ACTION", 13},
                                                     {"HELPER_ENUMS", 7},
                                                     {"PARAM_TYPE", 12},
                                                     {"MASSAGE_TYPE", 2},
                                                     {"SETUP_SWITCHES", 23},
                                                     {"TEMPERATURE_UNIT", 2},
                                                     {"TIME_CONTROL", 3},
                                                     {"OPERATING_MODE", 2},
                                                     {"CURRENT_DEVICE_STATUS", 25},
                                                     {"PAUSE_MODE", 2},
                                                     {"SHOULDER_WIDTH", 3},
                                                     {"SPA_COLOR_PROGRAM", 6},
                                                     {"Language", 26},
                                                     {"ERROR_LIST_1", 12},
                                                     {"WARNING_LIST_1", 2},
                                                     {"BLUETOOTH_STATE", 4},
                                                     {"PARAM_ID", 61},
                                                     {"SPA_AROMA_VALUE", 4},
                                                     {"AUDIO_INTENSITY_SETUP", 3}};
    const QMetaObject& mo = EnumProviderClass::staticMetaObject;
    QCOMPARE(mo.enumeratorCount(), expected.size());
    for (int i = 0; i < expected.size(); ++i) {
        const QMetaEnum e = mo.enumerator(i);
        QCOMPARE(e.name(), expected[i].first);
        QCOMPARE(e.keyCount(), expected[i].second);
        QVERIFY(!e.isFlag());
    }
    // Declaration order is not value order where the catalogue says so.
    const QMetaEnum params = mo.enumerator(mo.indexOfEnumerator("PARAM_ID"));
    QCOMPARE(params.key(6), "PARAM_NOZZLE_PRESSURE_MAX");
    QCOMPARE(params.value(6), 10057);
    QCOMPARE(params.key(60), "PARAM_RECORD_CLINIC_STEP");
    const QMetaEnum helpers = mo.enumerator(mo.indexOfEnumerator("HELPER_ENUMS"));
    QCOMPARE(helpers.key(2), "INVALID_SHORT_VALUE");
    QCOMPARE(helpers.value(2), 65535);
}

void TestRecords::enumerationsInQml_data()
{
    QTest::addColumn<QString>("expression");
    QTest::addColumn<int>("value");
    QTest::newRow("undefined update state") << "UPDATE_APPLICATION_UNDEFINED_STATE" << -1;
    QTest::newRow("largest int") << "INVALID_INT_32_VALUE" << 2147483647;
    QTest::newRow("stream is 6") << "STREAM" << 6;
    QTest::newRow("reset is 140") << "RESET" << 140;
    QTest::newRow("correct nfc") << "CORRECT_NFC" << 138;
    QTest::newRow("nfc program") << "NFC_PROGRAM" << 256;
    QTest::newRow("aroma 3") << "SPA_AROMA_VALUE_3" << 259;
    QTest::newRow("large shoulders") << "LARGE" << 170;
    QTest::newRow("bulgarian") << "BULGARIAN" << 25;
    QTest::newRow("appliance type id") << "PARAM_APPLIANCE_TYPE" << 10040;
}

void TestRecords::enumerationsInQml()
{
    QFETCH(QString, expression);
    QFETCH(int, value);
    qmlRegisterType<EnumProviderClass>("Tq.Controller.EnumProvider", 1, 0, "EnumProviderClass");
    QQmlEngine engine;
    QQmlComponent component(&engine);
    component.setData(QStringLiteral("import QtQml 2.15\nimport Tq.Controller.EnumProvider 1.0\n"
                                     "QtObject { property var v: EnumProviderClass.%1 }")
                          .arg(expression)
                          .toUtf8(),
                      QUrl());
    QScopedPointer<QObject> obj(component.create());
    QVERIFY2(obj, qPrintable(component.errorString()));
    QCOMPARE(obj->property("v").toInt(), value);
    QVERIFY(obj->property("v").isValid());
}

QTEST_MAIN(TestRecords)
#include "tst_records.moc"

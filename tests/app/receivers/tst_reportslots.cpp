// Which report slots signal only a changed record and which signal every
// report, and what the spa and NFC objects derive from a report.
#include "controllers/bluetoothcontroller.h"
#include "controllers/nfccontroller.h"
#include "controllers/spacontroller.h"
#include "types/enumproviderclass.h"

#include <QSignalSpy>
#include <QtTest>

#include <functional>

using Report = std::function<void(QObject*, const telegram_param_def&)>;
using Factory = std::function<QObject*()>;
Q_DECLARE_METATYPE(Report)
Q_DECLARE_METATYPE(Factory)

namespace {

telegram_param_def record(quint16 id, qint32 value, quint8 action = 0)
{
    telegram_param_def r;
    r.id = id;
    r.def = 0;
    r.value = value;
    r.min = 0;
    r.max = 1000;
    r.step = 1;
    r.divider = 0;
    r.type = 0;
    r.action = action;
    r.message = 0;
    r.message2 = 0;
    r.current = 0;
    return r;
}

} // namespace

class TestReportSlots : public QObject
{
    Q_OBJECT

private slots:
    void emitRules_data();
    void emitRules();
    void aromaLevels_data();
    void aromaLevels();
    void colourBytes();
    void individualLightSetters();
    void colourModeNames_data();
    void colourModeNames();
    void bluetoothName();
};

void TestReportSlots::emitRules_data()
{
    QTest::addColumn<Factory>("factory");
    QTest::addColumn<Report>("report");
    QTest::addColumn<QByteArray>("signal");
    QTest::addColumn<int>("firstAction");
    QTest::addColumn<int>("emitsOnRepeat");   // signals after the same record twice
    QTest::addColumn<int>("emitsOnIdChange"); // then the same content under another id

    const Factory spa = [] { return new SpaController; };
    const Factory nfc = [] { return new NfcController; };
    const Factory bt = [] { return new BluetoothController; };
    const int read = EnumProviderClass::READ;
    const int written = EnumProviderClass::WRITTEN;

    QTest::newRow("aroma: once per change")
        << spa << Report([](QObject* o, const telegram_param_def& r) {
               static_cast<SpaController*>(o)->onAromaProgramChanged(r);
           })
        << QByteArray(SIGNAL(aromaProgramChanged())) << 0 << 1 << 1;
    QTest::newRow("colour program: every report")
        << spa << Report([](QObject* o, const telegram_param_def& r) {
               static_cast<SpaController*>(o)->onSpaColorProgramChanged(r);
           })
        << QByteArray(SIGNAL(spaColorProgramChanged())) << 0 << 2 << 3;
    QTest::newRow("effect illumination: every report")
        << spa << Report([](QObject* o, const telegram_param_def& r) {
               static_cast<SpaController*>(o)->onEffectIlluminationChanged(r);
           })
        << QByteArray(SIGNAL(effectIlluminationChanged())) << 0 << 2 << 3;
    QTest::newRow("nfc written: once per change")
        << nfc << Report([](QObject* o, const telegram_param_def& r) {
               static_cast<NfcController*>(o)->onNfcTagCreditChanged(r);
           })
        << QByteArray(SIGNAL(nfcTagCreditChanged())) << written << 1 << 1;
    QTest::newRow("nfc read: every report, the same card opens the pop-up again")
        << nfc << Report([](QObject* o, const telegram_param_def& r) {
               static_cast<NfcController*>(o)->onNfcTagCreditChanged(r);
           })
        << QByteArray(SIGNAL(nfcTagCreditChanged())) << read << 2 << 3;
    QTest::newRow("bluetooth state: every report")
        << bt << Report([](QObject* o, const telegram_param_def& r) {
               static_cast<BluetoothController*>(o)->onBluetoothStateChanged(r);
           })
        << QByteArray(SIGNAL(bluetoothStateChanged())) << 0 << 2 << 3;
}

void TestReportSlots::emitRules()
{
    QFETCH(Factory, factory);
    QFETCH(Report, report);
    QFETCH(QByteArray, signal);
    QFETCH(int, firstAction);
    QFETCH(int, emitsOnRepeat);
    QFETCH(int, emitsOnIdChange);

    QScopedPointer<QObject> object(factory());
    QSignalSpy spy(object.data(), signal.constData());
    const telegram_param_def first = record(10038, 258, quint8(firstAction));
    report(object.data(), first);
    report(object.data(), first);
    QCOMPARE(spy.count(), emitsOnRepeat);

    // Only fields from def onward count as a change.
    telegram_param_def otherId = first;
    otherId.id = 10039;
    report(object.data(), otherId);
    QCOMPARE(spy.count(), emitsOnIdChange);

    // Every field from def onward does.
    const int before = spy.count();
    const QList<std::function<void(telegram_param_def&)>> changes{
        [](telegram_param_def& r) { r.def = 1; },     [](telegram_param_def& r) { r.value = 7; },
        [](telegram_param_def& r) { r.min = 3; },     [](telegram_param_def& r) { r.max = 4; },
        [](telegram_param_def& r) { r.step = 5; },    [](telegram_param_def& r) { r.divider = 6; },
        [](telegram_param_def& r) { r.type = 7; },    [](telegram_param_def& r) { r.action = 99; },
        [](telegram_param_def& r) { r.message = 1; }, [](telegram_param_def& r) { r.message2 = 2; },
        [](telegram_param_def& r) { r.current = 9; },
    };
    telegram_param_def next = otherId;
    for (const auto& change : changes) {
        change(next);
        report(object.data(), next);
    }
    QCOMPARE(spy.count(), before + changes.size());
}

void TestReportSlots::aromaLevels_data()
{
    QTest::addColumn<int>("value");
    QTest::addColumn<int>("def");
    QTest::addColumn<int>("level");
    QTest::addColumn<int>("defLevel");
    QTest::newRow("level 3, default off") << 259 << 0 << 3 << 0;
    QTest::newRow("level 1, default 2") << 257 << 258 << 1 << 2;
    QTest::newRow("raw level numbers are no codes") << 2 << 3 << 0 << 0;
    QTest::newRow("code 260 is off") << 260 << 256 << 0 << 0;
}

void TestReportSlots::aromaLevels()
{
    QFETCH(int, value);
    QFETCH(int, def);
    QFETCH(int, level);
    QFETCH(int, defLevel);
    SpaController spa;
    telegram_param_def r = record(10038, value);
    r.def = quint16(def);
    spa.onAromaProgramChanged(r);
    QCOMPARE(spa.aromaProgramValue(), level);
    QCOMPARE(spa.aromaProgramDef(), defLevel);
    QCOMPARE(spa.aromaProgram().value, value);
}

void TestReportSlots::colourBytes()
{
    SpaController spa;
    telegram_param_def colour = record(10039, int(0x30201004u));
    colour.step = 3;
    colour.divider = 2;
    spa.onSpaColorProgramChanged(colour);
    QCOMPARE(int(spa.colorLightMode()), 4);
    QCOMPARE(int(spa.colorLightRed()), 0x10);
    QCOMPARE(int(spa.colorLightGreen()), 0x20);
    QCOMPARE(int(spa.colorLightBlue()), 0x30);
    QCOMPARE(int(spa.colorLightModeIntensity()), 3);
    QCOMPARE(int(spa.beautyLightIntensity()), 2);

    spa.onEffectIlluminationChanged(record(10046, int(0xFFC08002u)));
    QCOMPARE(int(spa.effectIlluminationMode()), 2);
    QCOMPARE(int(spa.effectIlluminationRed()), 0x80);
    QCOMPARE(int(spa.effectIlluminationGreen()), 0xC0);
    QCOMPARE(int(spa.effectIlluminationBlue()), 0xFF);
}

void TestReportSlots::individualLightSetters()
{
    SpaController spa;
    QSignalSpy colour(&spa, &SpaController::individualColorLightChanged);
    QSignalSpy effect(&spa, &SpaController::individualEffectIlluminationChanged);
    spa.setIndividualColorLight(true);
    spa.setIndividualColorLight(true);
    spa.setIndividualEffectIllumination(false);
    QVERIFY(spa.individualColorLight());
    QVERIFY(!spa.individualEffectIllumination());
    QCOMPARE(colour.count(), 2);
    QCOMPARE(effect.count(), 1);
}

void TestReportSlots::colourModeNames_data()
{
    QTest::addColumn<int>("mode");
    QTest::addColumn<QString>("name");
    QTest::newRow("off") << 0 << "Aus";
    QTest::newRow("red") << 1 << "Recharge";
    QTest::newRow("green") << 2 << "Relax";
    QTest::newRow("blue") << 3 << "Activate";
    QTest::newRow("rainbow") << 4 << "Rainbow";
    QTest::newRow("beauty light") << 5 << "Beauty Light";
    QTest::newRow("unknown") << 9 << "Aus";
}

void TestReportSlots::colourModeNames()
{
    QFETCH(int, mode);
    QFETCH(QString, name);
    SpaController spa;
    QCOMPARE(spa.convertcolorLightMode(uint8_t(mode)), name);
}

void TestReportSlots::bluetoothName()
{
    BluetoothController bt;
    QSignalSpy spy(&bt, &BluetoothController::bluetoothDeviceNameChanged);
    bt.onBluetoothDeviceNameChanged(QStringLiteral("Lounge 1"));
    bt.onBluetoothDeviceNameChanged(QStringLiteral("Lounge 1"));
    QCOMPARE(bt.bluetoothDeviceName(), QStringLiteral("Lounge 1"));
    QCOMPARE(spy.count(), 2);
}

QTEST_MAIN(TestReportSlots)
#include "tst_reportslots.moc"

// Board models of the simulator without a line: parameter rules, device
// states, codes, payment, countdown, errors, NFC, audio and control commands.

#include "audioboard.h"
#include "commandinterpreter.h"
#include "maincontrolunit.h"
#include "paramtable.h"

#include <QtEndian>
#include <QtTest>

using namespace bussim;

namespace {

QByteArray idBytes(quint16 id)
{
    QByteArray d(2, '\0');
    qToLittleEndian<quint16>(id, reinterpret_cast<uchar*>(d.data()));
    return d;
}

quint16 idOf(const SimTelegram& t)
{
    return t.data.size() >= 2
               ? qFromLittleEndian<quint16>(reinterpret_cast<const uchar*>(t.data.constData()))
               : 0xFFFF;
}

SimOptions fastOptions()
{
    SimOptions o;
    o.bootMs = 100;
    o.referenceMs = 400;
    o.stopMs = 200;
    o.identDelayMs = 100;
    return o;
}

// A main control unit with its outgoing telegrams collected.
struct Unit
{
    explicit Unit(SimOptions options = fastOptions()) : unit(options)
    {
        QObject::connect(&unit, &MainControlUnit::telegramOut,
                         [this](const SimTelegram& t) { out.append(t); });
    }

    // Boots into the session login and forgets what was sent on the way.
    void boot()
    {
        unit.start();
        for (int i = 0; i < 50 && unit.deviceState() != MainControlUnit::SessionLogin; ++i)
            unit.advance(20);
        QCOMPARE(unit.deviceState(), int(MainControlUnit::SessionLogin));
        out.clear();
    }

    void request(quint16 id, uchar from = GuiAddress)
    {
        unit.handleTelegram(SimTelegram{MainControlAddress, from, 0x89, idBytes(id)});
    }
    void readRecord(const ParamRecord& r, uchar from = GuiAddress)
    {
        unit.handleTelegram(SimTelegram{MainControlAddress, from, 0x89, r.toBytes()});
    }
    void write(ParamRecord r, uchar from = GuiAddress)
    {
        r.message = 1;
        unit.handleTelegram(SimTelegram{MainControlAddress, from, 0xA9, r.toBytes()});
    }
    void writeState(int state, quint8 action = ActionNop)
    {
        ParamRecord r = unit.params().record(ParamCurrentDeviceStatus);
        r.value = state;
        r.action = action;
        write(r);
    }

    // Reports (command 0x09) of one parameter, decoded, in order.
    QVector<ParamRecord> reports(quint16 id) const
    {
        QVector<ParamRecord> result;
        for (const SimTelegram& t : out)
            if (t.command == 0x09 && idOf(t) == id && t.data.size() >= ParamRecord::Size)
                result << ParamRecord::fromBytes(t.data);
        return result;
    }
    QVector<int> reportedStates() const
    {
        QVector<int> states;
        for (const ParamRecord& r : reports(ParamCurrentDeviceStatus))
            states << r.value;
        return states;
    }

    MainControlUnit unit;
    QVector<SimTelegram> out;
};

} // namespace

class TestBusSimModel : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { QLoggingCategory::setFilterRules(QStringLiteral("rimo.bussim.*=false")); }
    void limitClampsAndRoundsToStep_data();
    void limitClampsAndRoundsToStep();
    void numberWrites_data();
    void numberWrites();
    void rawAndStatusWordWrites();

    void requestIsAnsweredToItsSender_data();
    void requestIsAnsweredToItsSender();
    void writeIsReportedBackClamped();
    void verifyCodes_data();
    void verifyCodes();
    void changedCodeIsVerifiedAgainstTheNewValue();

    void bootRunsReferenceRunIntoSessionLogin();
    void paymentByConfiguredSwitch_data();
    void paymentByConfiguredSwitch();
    void sessionCountsDownPausesAndEnds();
    void stopSessionEndsInSaveSessionAndRestoresTime();
    void errorBitsHoldDeviceErrorUntilReset();
    void systemResetRestoresDefaultsAndReboots();
    void nfcRechargeIsAnsweredWritten();
    void identificationRequestsFollowTheFirstPanelTelegram();
    void softwareInfoAndHistoryReports();
    void malformedTelegramsAreHarmless();
    void idlePanelIsLoggedOut_data();
    void idlePanelIsLoggedOut();
    void nozzlesFollowTheRequestedPosition();
    void maximaLimitTheirParameters();
    void storedPointsOfARecordingAreReported();

    void audioBoardAnswersTheMediaCommands();
    void audioFoldersComeFromTheMusicFolder();

    void controlCommands_data();
    void controlCommands();
    void badControlInputChangesNothing_data();
    void badControlInputChangesNothing();
};

void TestBusSimModel::limitClampsAndRoundsToStep_data()
{
    QTest::addColumn<qint64>("value");
    QTest::addColumn<int>("min");
    QTest::addColumn<int>("max");
    QTest::addColumn<int>("step");
    QTest::addColumn<int>("expected");
    QTest::newRow("inside, on grid") << qint64(600) << 300 << 3600 << 60 << 600;
    QTest::newRow("below min") << qint64(10) << 300 << 3600 << 60 << 300;
    QTest::newRow("above max") << qint64(99999) << 300 << 3600 << 60 << 3600;
    QTest::newRow("rounds down") << qint64(629) << 300 << 3600 << 60 << 600;
    QTest::newRow("half rounds up") << qint64(630) << 300 << 3600 << 60 << 660;
    QTest::newRow("grid starts at min") << qint64(34) << 30 << 600 << 10 << 30;
    QTest::newRow("negative range") << qint64(-7) << -10 << 10 << 5 << -5;
    QTest::newRow("negative rounds down") << qint64(-8) << -10 << 10 << 5 << -10;
    QTest::newRow("negative half up") << qint64(-8) << -10 << 10 << 4 << -6;
    QTest::newRow("no grid (step 0)") << qint64(377) << 300 << 420 << 0 << 377;
    QTest::newRow("no grid (0xFFFF)") << qint64(377) << 300 << 420 << 0xFFFF << 377;
    QTest::newRow("int32 overflow guarded") << qint64(5000000000LL) << 1 << 10 << 1 << 10;
}

void TestBusSimModel::limitClampsAndRoundsToStep()
{
    QFETCH(qint64, value);
    QFETCH(int, min);
    QFETCH(int, max);
    QFETCH(int, step);
    QFETCH(int, expected);
    QCOMPARE(ParamTable::limit(value, min, max, quint16(step)), expected);
}

void TestBusSimModel::numberWrites_data()
{
    QTest::addColumn<int>("id");
    QTest::addColumn<int>("start");
    QTest::addColumn<int>("action");
    QTest::addColumn<int>("written");
    QTest::addColumn<int>("expected");
    // massage time: 300..3600 step 60; nozzle pressure: 1..10 step 1.
    QTest::newRow("value taken") << int(ParamMassageTime) << 900 << int(ActionNop) << 1200 << 1200;
    QTest::newRow("value rounded")
        << int(ParamMassageTime) << 900 << int(ActionNop) << 1219 << 1200;
    QTest::newRow("value clamped") << int(ParamNozzlePressure) << 5 << int(ActionNop) << 15 << 10;
    QTest::newRow("UP one step") << int(ParamMassageTime) << 900 << int(ActionUp) << 0 << 960;
    QTest::newRow("DOWN one step") << int(ParamMassageTime) << 900 << int(ActionDown) << 0 << 840;
    QTest::newRow("UP at max stays") << int(ParamNozzlePressure) << 10 << int(ActionUp) << 0 << 10;
    QTest::newRow("DOWN at min stays")
        << int(ParamMassageTime) << 300 << int(ActionDown) << 0 << 300;
    QTest::newRow("RESET restores default")
        << int(ParamNozzlePressure) << 9 << int(ActionReset) << 0 << 5;
}

void TestBusSimModel::numberWrites()
{
    QFETCH(int, id);
    QFETCH(int, start);
    QFETCH(int, action);
    QFETCH(int, written);
    QFETCH(int, expected);
    ParamTable table;
    table.setValue(quint16(id), start);
    ParamRecord w = table.record(quint16(id));
    w.value = written;
    w.action = quint8(action);
    w.message = 1;
    const ParamRecord accepted = table.applyWrite(w);
    QCOMPARE(accepted.value, expected);
    QCOMPARE(table.record(quint16(id)).value, expected);
    // The report carries no action, or the panel's next value write would be
    // taken for another step.
    QCOMPARE(accepted.action, quint8(ActionNop));
}

void TestBusSimModel::rawAndStatusWordWrites()
{
    ParamTable table;
    // Default setters write def; a record the panel never received (def
    // 0xFFFF) does not wipe the default.
    ParamRecord w = table.record(ParamBodyArea);
    w.def = 2;
    QCOMPARE(table.applyWrite(w).def, quint16(2));
    w.def = 0xFFFF;
    w.value = 5;
    QCOMPARE(table.applyWrite(w).def, quint16(2));

    // The language record carries bit masks in min and max: taken as written.
    w = table.record(ParamLanguage);
    w.min = 0x3;
    w.value = 1;
    const ParamRecord lang = table.applyWrite(w);
    QCOMPARE(lang.min, 0x3);
    QCOMPARE(lang.value, 1);

    // Colour program: the intensities travel in step and divider.
    w = table.record(ParamSpaColorProgram);
    w.value = 0x00FF0004;
    w.step = 3;
    w.divider = 1;
    const ParamRecord color = table.applyWrite(w);
    QCOMPARE(color.value, 0x00FF0004);
    QCOMPARE(color.step, quint16(3));
    QCOMPARE(color.divider, quint16(1));

    // Error words belong to the unit: a value write changes nothing, RESET clears.
    table.setValue(ParamCurrentErrorList1, 0x5);
    w = table.record(ParamCurrentErrorList1);
    w.value = 0;
    QCOMPARE(table.applyWrite(w).value, 0x5);
    w.action = ActionReset;
    w.value = 0x5;
    QCOMPARE(table.applyWrite(w).value, 0);

    // Unknown parameters are not invented.
    ParamRecord unknown = ParamRecord::make(12345, 1, 0, 10);
    QCOMPARE(table.applyWrite(unknown).id, quint16(0xFFFF));
    QVERIFY(!table.contains(12345));
}

void TestBusSimModel::requestIsAnsweredToItsSender_data()
{
    QTest::addColumn<int>("id");
    QTest::addColumn<int>("sender");
    QTest::addColumn<int>("valueByte"); // data byte 2 of the answer
    QTest::newRow("236 to broker 0xC8") << 236 << 0xC8 << 1;
    QTest::newRow("424 to broker 0x94") << 424 << 0x94 << 100;
    QTest::newRow("425 to broker 0xC8") << 425 << 0xC8 << 101;
    QTest::newRow("appliance type to GUI") << int(ParamApplianceType) << 0x94 << 2;
}

void TestBusSimModel::requestIsAnsweredToItsSender()
{
    QFETCH(int, id);
    QFETCH(int, sender);
    QFETCH(int, valueByte);
    SimOptions o = fastOptions();
    o.paragraph236 = 1;
    o.paragraph424 = 100;
    o.paragraph425 = 101;
    o.appliance = 2;
    Unit u(o);
    u.boot();
    u.request(quint16(id), uchar(sender));
    QCOMPARE(u.out.size(), 1);
    const SimTelegram& t = u.out.first();
    QCOMPARE(int(t.receiver), sender);
    QCOMPARE(int(t.sender), int(MainControlAddress));
    QCOMPARE(int(t.command), 0x09);
    QCOMPARE(int(idOf(t)), id);
    QVERIFY(t.data.size() >= 3);
    QCOMPARE(int(uchar(t.data.at(2))), valueByte);
    if (id == ParamApplianceType)
        QCOMPARE(ParamRecord::fromBytes(t.data).value, 2);
}

void TestBusSimModel::writeIsReportedBackClamped()
{
    Unit u;
    u.boot();
    ParamRecord w = u.unit.params().record(ParamNozzlePressure);
    w.value = 42;
    u.write(w);
    const auto reports = u.reports(ParamNozzlePressure);
    QCOMPARE(reports.size(), 1);
    QCOMPARE(reports.first().value, 10);
    QCOMPARE(int(u.out.first().receiver), int(GuiAddress));
    // A write with a short record is not taken.
    u.out.clear();
    u.unit.handleTelegram(SimTelegram{MainControlAddress, GuiAddress, 0xA9, w.toBytes().left(20)});
    QVERIFY(u.out.isEmpty());
    QCOMPARE(u.unit.params().record(ParamNozzlePressure).value, 10);
}

void TestBusSimModel::verifyCodes_data()
{
    QTest::addColumn<int>("id");
    QTest::addColumn<int>("typed");
    QTest::addColumn<int>("verdict");
    QTest::newRow("setup code right") << int(ParamSetupCode) << 1234 << int(ActionCorrect);
    QTest::newRow("setup code wrong") << int(ParamSetupCode) << 1243 << int(ActionWrong);
    QTest::newRow("session code right") << int(ParamSessionCode) << 0 << int(ActionCorrect);
    QTest::newRow("session code wrong") << int(ParamSessionCode) << 1234 << int(ActionWrong);
}

void TestBusSimModel::verifyCodes()
{
    QFETCH(int, id);
    QFETCH(int, typed);
    QFETCH(int, verdict);
    Unit u;
    u.boot();
    ParamRecord r = u.unit.params().record(quint16(id));
    r.value = typed;
    r.action = ActionVerify;
    u.readRecord(r); // the panel verifies with a parameter request
    auto reports = u.reports(quint16(id));
    QCOMPARE(reports.size(), 1);
    QCOMPARE(int(reports.first().action), verdict);
    // Verifying never changes the code.
    QCOMPARE(u.unit.params().record(quint16(id)).value, id == ParamSetupCode ? 1234 : 0);
    // NOP clears the verdict.
    u.out.clear();
    r.action = ActionNop;
    u.readRecord(r);
    reports = u.reports(quint16(id));
    QCOMPARE(reports.size(), 1);
    QCOMPARE(int(reports.first().action), int(ActionNop));
}

void TestBusSimModel::changedCodeIsVerifiedAgainstTheNewValue()
{
    Unit u;
    u.boot();
    ParamRecord r = u.unit.params().record(ParamSetupCode);
    r.value = 4321;
    u.write(r);
    QCOMPARE(u.reports(ParamSetupCode).last().value, 4321);
    r.action = ActionVerify;
    r.value = 1234;
    u.readRecord(r);
    QCOMPARE(int(u.reports(ParamSetupCode).last().action), int(ActionWrong));
    r.value = 4321;
    u.readRecord(r);
    QCOMPARE(int(u.reports(ParamSetupCode).last().action), int(ActionCorrect));
    // Codes are four digits.
    r.action = ActionNop;
    r.value = 123456;
    u.write(r);
    QCOMPARE(u.unit.params().record(ParamSetupCode).value, 9999);
}

void TestBusSimModel::bootRunsReferenceRunIntoSessionLogin()
{
    Unit u;
    u.unit.start();
    QCOMPARE(u.unit.deviceState(), int(MainControlUnit::Boot));
    u.unit.advance(60);
    QCOMPARE(u.unit.deviceState(), int(MainControlUnit::Boot));
    u.unit.advance(60);
    QCOMPARE(u.unit.deviceState(), int(MainControlUnit::ReferenceRun));
    // The nozzles drive home during the reference run.
    const int motorReportsBefore = u.reports(ParamCurrentMotor1).size();
    u.unit.advance(250);
    QVERIFY(u.reports(ParamCurrentMotor1).size() > motorReportsBefore);
    QCOMPARE(u.unit.deviceState(), int(MainControlUnit::ReferenceRun));
    u.unit.advance(250);
    QCOMPARE(u.unit.deviceState(), int(MainControlUnit::SessionLogin));
    QCOMPARE(u.unit.params().record(ParamCurrentMotor1).value, 0);
    QCOMPARE(u.reportedStates(), (QVector<int>{MainControlUnit::Boot, MainControlUnit::ReferenceRun,
                                               MainControlUnit::SessionLogin}));
    for (const SimTelegram& t : u.out)
        QCOMPARE(int(t.receiver), int(GuiAddress));
}

void TestBusSimModel::paymentByConfiguredSwitch_data()
{
    QTest::addColumn<int>("switches");
    QTest::addColumn<QString>("pay");  // what the guest does
    QTest::addColumn<int>("expected"); // device state afterwards
    const int pin = MainControlUnit::SwitchPinCode;
    const int nfc = MainControlUnit::SwitchNfcCredit;
    const int coin = MainControlUnit::SwitchPayment;
    QTest::newRow("free: at once") << 0 << "" << int(MainControlUnit::SetupSession);
    QTest::newRow("pin: nothing yet") << pin << "" << int(MainControlUnit::PaySession);
    QTest::newRow("pin: wrong code") << pin << "code 1111" << int(MainControlUnit::PaySession);
    QTest::newRow("pin: right code") << pin << "code 0" << int(MainControlUnit::SetupSession);
    QTest::newRow("nfc: nothing yet") << nfc << "" << int(MainControlUnit::PaySession);
    QTest::newRow("nfc: empty card") << nfc << "card 0" << int(MainControlUnit::PaySession);
    QTest::newRow("nfc: card with credit") << nfc << "card 3" << int(MainControlUnit::SetupSession);
    QTest::newRow("nfc: right code is no card")
        << nfc << "code 0" << int(MainControlUnit::PaySession);
    QTest::newRow("coin box: coin") << coin << "coin" << int(MainControlUnit::CoinSession);
}

void TestBusSimModel::paymentByConfiguredSwitch()
{
    QFETCH(int, switches);
    QFETCH(QString, pay);
    QFETCH(int, expected);
    SimOptions o = fastOptions();
    o.switches = switches;
    Unit u(o);
    u.boot();
    u.writeState(MainControlUnit::ReadyIdle);
    u.writeState(MainControlUnit::PaySession);
    QCOMPARE(u.reportedStates().mid(0, 2),
             (QVector<int>{MainControlUnit::ReadyIdle, MainControlUnit::PaySession}));
    QString error;
    if (pay.startsWith("code ")) {
        ParamRecord r = u.unit.params().record(ParamSessionCode);
        r.value = pay.mid(5).toInt();
        r.action = ActionVerify;
        u.readRecord(r);
    } else if (pay.startsWith("card ")) {
        QVERIFY(u.unit.presentCard(false, pay.mid(5).toInt(), false, &error));
        const auto credit = u.reports(ParamNfcTagCredit);
        QCOMPARE(credit.size(), 1);
        QCOMPARE(int(credit.first().action), int(ActionRead));
    } else if (pay == "coin") {
        QVERIFY2(u.unit.insertCoin(&error), qPrintable(error));
    }
    QCOMPARE(u.unit.deviceState(), expected);
    QCOMPARE(u.reportedStates().last(), expected);
    if (pay == "card 3")
        QCOMPARE(u.unit.card().credit, 2);
}

void TestBusSimModel::sessionCountsDownPausesAndEnds()
{
    Unit u;
    u.boot();
    ParamRecord time = u.unit.params().record(ParamMassageTime);
    time.value = 300;
    u.write(time);
    u.writeState(MainControlUnit::StartSession);
    QCOMPARE(u.unit.deviceState(), int(MainControlUnit::TimeSession));
    QVERIFY(u.unit.sessionRunning());
    u.out.clear();

    u.unit.advance(999);
    QVERIFY(u.reports(ParamMassageTime).isEmpty());
    u.unit.advance(1);
    u.unit.advance(1000);
    auto left = u.reports(ParamMassageTime);
    QCOMPARE(left.size(), 2);
    QCOMPARE(left.at(0).value, 299);
    QCOMPARE(left.at(1).value, 298);

    // The pause between two body areas holds the clock.
    ParamRecord area = u.unit.params().record(ParamBodyArea);
    area.value = MainControlUnit::AreaBreakSession;
    u.write(area);
    u.out.clear();
    u.unit.advance(3000);
    QVERIFY(u.reports(ParamMassageTime).isEmpty());
    QVERIFY(u.unit.sessionPaused());
    area.value = 4;
    u.write(area);
    u.unit.advance(1000);
    QCOMPARE(u.reports(ParamMassageTime).last().value, 297);

    // Running out ends the session into SAVE_SESSION.
    u.unit.advance(297 * 1000);
    QCOMPARE(u.unit.deviceState(), int(MainControlUnit::StopSession));
    QVERIFY(!u.unit.sessionRunning());
    u.unit.advance(200);
    QCOMPARE(u.unit.deviceState(), int(MainControlUnit::SaveSession));
    QCOMPARE(u.unit.params().record(ParamMassageTime).value, 300);
}

void TestBusSimModel::stopSessionEndsInSaveSessionAndRestoresTime()
{
    Unit u;
    u.boot();
    u.writeState(MainControlUnit::QuickStartSession);
    QCOMPARE(u.unit.deviceState(), int(MainControlUnit::TimeSession));
    u.unit.advance(5000);
    QCOMPARE(u.unit.params().record(ParamMassageTime).value, 895);
    u.out.clear();
    u.writeState(MainControlUnit::StopSession);
    QCOMPARE(u.reportedStates(), QVector<int>{MainControlUnit::StopSession});
    QCOMPARE(u.reports(ParamMassageTime).last().value, 900);
    u.unit.advance(5000);
    QCOMPARE(u.reportedStates(),
             (QVector<int>{MainControlUnit::StopSession, MainControlUnit::SaveSession}));
    QCOMPARE(u.unit.params().record(ParamMassageTime).value, 900);
    u.writeState(MainControlUnit::SessionLogin);
    QCOMPARE(u.unit.deviceState(), int(MainControlUnit::SessionLogin));
}

void TestBusSimModel::errorBitsHoldDeviceErrorUntilReset()
{
    Unit u;
    u.boot();
    u.writeState(MainControlUnit::QuickStartSession);
    u.unit.setErrors(0x4);
    QCOMPARE(u.unit.deviceState(), int(MainControlUnit::DeviceError));
    QVERIFY(!u.unit.sessionRunning());
    // While an error bit is set the panel cannot leave DEVICE_ERROR.
    u.out.clear();
    u.writeState(MainControlUnit::ReadyIdle);
    QCOMPARE(u.unit.deviceState(), int(MainControlUnit::DeviceError));
    QCOMPARE(u.reportedStates(), QVector<int>{MainControlUnit::DeviceError});
    // "Reset errors" clears the word and the unit runs home.
    ParamRecord err = u.unit.params().record(ParamCurrentErrorList1);
    err.action = ActionReset;
    u.write(err);
    QCOMPARE(u.reports(ParamCurrentErrorList1).last().value, 0);
    QCOMPARE(u.unit.deviceState(), int(MainControlUnit::ReferenceRun));
    u.unit.advance(500);
    QCOMPARE(u.unit.deviceState(), int(MainControlUnit::SessionLogin));
}

void TestBusSimModel::systemResetRestoresDefaultsAndReboots()
{
    Unit u;
    u.boot();
    ParamRecord p = u.unit.params().record(ParamNozzlePressure);
    p.value = 9;
    u.write(p);
    QCOMPARE(u.unit.params().record(ParamNozzlePressure).value, 9);
    u.writeState(MainControlUnit::SetupManager, ActionReset);
    QCOMPARE(u.unit.deviceState(), int(MainControlUnit::Boot));
    QCOMPARE(u.unit.params().record(ParamNozzlePressure).value, 5);
    u.unit.advance(100);
    u.unit.advance(500);
    QCOMPARE(u.unit.deviceState(), int(MainControlUnit::SessionLogin));
}

void TestBusSimModel::nfcRechargeIsAnsweredWritten()
{
    Unit u;
    u.boot();
    QString error;
    QVERIFY(u.unit.presentCard(true, 30, true, &error));
    ParamRecord read = u.reports(ParamNfcTagCredit).last();
    QCOMPARE(read.value, 30);
    QCOMPARE(int(read.type), int(TypeMinutes));
    QCOMPARE(int(read.action), int(ActionRead));
    QCOMPARE(int(read.message2), 2);
    // The recharge pop-up writes a fresh record with action WRITE.
    ParamRecord w;
    w.id = ParamNfcTagCredit;
    w.value = 10;
    w.type = TypeSession;
    w.action = ActionWrite;
    u.out.clear();
    u.write(w);
    const auto written = u.reports(ParamNfcTagCredit);
    QCOMPARE(written.size(), 1);
    QCOMPARE(int(written.first().action), int(ActionWritten));
    QCOMPARE(written.first().value, 10);
    QCOMPARE(int(written.first().type), int(TypeSession));
    QCOMPARE(u.unit.card().credit, 10);
}

void TestBusSimModel::identificationRequestsFollowTheFirstPanelTelegram()
{
    Unit u;
    u.boot();
    u.unit.advance(5000);
    for (const SimTelegram& t : u.out)
        QVERIFY(t.command < 0x80 || t.command > 0x84);
    // The broker's display paragraph requests come from 0x94 too (DBM 1),
    // before any GUI runs: they do not count.
    u.request(ParamDualDisplay);
    u.request(ParamDisplayInternal);
    u.unit.advance(5000);
    for (const SimTelegram& t : u.out)
        QVERIFY(t.command < 0x80 || t.command > 0x84);
    u.request(ParamApplianceType);
    u.out.clear();
    u.unit.advance(100);
    QVector<int> commands;
    for (const SimTelegram& t : u.out)
        commands << t.command;
    QCOMPARE(commands, (QVector<int>{0x80, 0x81, 0x82, 0x83, 0x84, 0x89}));
    QCOMPARE(int(idOf(u.out.last())), int(ParamGuiCrc32));
    // Only once.
    u.out.clear();
    u.request(ParamApplianceType);
    u.unit.advance(5000);
    for (const SimTelegram& t : u.out)
        QVERIFY(t.command != 0x80);
    // The checksum answer is kept.
    u.unit.handleTelegram(
        SimTelegram{MainControlAddress, GuiAddress, 0x09, QByteArray::fromHex("d5011a2b3c4d")});
    QVERIFY(u.unit.statusLine().contains("crc32=1a2b3c4d"));
}

void TestBusSimModel::softwareInfoAndHistoryReports()
{
    Unit u;
    u.boot();
    u.request(ParamSoftwareInfo);
    QVERIFY(u.out.size() >= 15);
    QSet<int> addresses;
    for (const SimTelegram& t : u.out) {
        QCOMPARE(int(idOf(t)), int(ParamSoftwareInfo));
        QVERIFY(t.data.size() > 10); // the panel ignores reports of 10 bytes or fewer
        addresses << uchar(t.data.at(3));
    }
    for (int a :
         {0x08, 0x20, 0x22, 0x24, 0x25, 0x94, 0x96, 0x98, 0x9A, 0x9C, 0xF2, 0xF9, 0xFA, 0xFC, 0xFE})
        QVERIFY2(addresses.contains(a), qPrintable(QString::number(a, 16)));

    u.out.clear();
    u.request(ParamErrorHistory);
    QCOMPARE(u.out.size(), MainControlUnit::HistorySize);
    int filled = 0;
    for (int i = 0; i < u.out.size(); ++i) {
        const QByteArray d = u.out.at(i).data;
        QVERIFY(d.size() > 17);
        QCOMPARE(int(uchar(d.at(2))), i);
        if (qFromLittleEndian<qint32>(reinterpret_cast<const uchar*>(d.constData()) + 4) != 0)
            ++filled;
    }
    QVERIFY(filled > 0);

    QString error;
    u.out.clear();
    QVERIFY(u.unit.setHistory(7, 0x800, MainControlUnit::TimeSession, 1, &error));
    QCOMPARE(u.out.size(), 1);
    const QByteArray d = u.out.first().data;
    QCOMPARE(int(uchar(d.at(2))), 7);
    QCOMPARE(qFromLittleEndian<qint32>(reinterpret_cast<const uchar*>(d.constData()) + 4), 0x800);
    QCOMPARE(int(uchar(d.at(16))), int(MainControlUnit::TimeSession));
    QCOMPARE(int(uchar(d.at(17))), 1);
    QVERIFY(!u.unit.setHistory(32, 1, 1, 1, &error));
}

void TestBusSimModel::malformedTelegramsAreHarmless()
{
    Unit u;
    u.boot();
    const int state = u.unit.deviceState();
    // Every command with data of every length up to a record and beyond,
    // including records of unknown parameters: nothing crashes, no state
    // changes, unknown parameters get no answer.
    QRandomGenerator rng(1234);
    for (int cmd : {0x00, 0x09, 0x30, 0x89, 0xA3, 0xA9, 0xB0, 0xFF}) {
        for (int len = 0; len <= 40; ++len) {
            QByteArray d(len, '\0');
            for (int i = 0; i < len; ++i)
                d[i] = char(rng.bounded(256));
            if (len >= 2) {
                d[0] = char(0x39); // 12345: no such parameter
                d[1] = char(0x30);
            }
            u.unit.handleTelegram(SimTelegram{MainControlAddress, GuiAddress, uchar(cmd), d});
        }
    }
    QCOMPARE(u.unit.deviceState(), state);
    for (const SimTelegram& t : u.out)
        QVERIFY(idOf(t) != 12345);

    // The audio and Bluetooth boards likewise; they stay in their ranges.
    AudioBoard audio;
    for (uchar receiver : {uchar(AudioAddress), uchar(BluetoothAddress)}) {
        for (int cmd : {0x00, 0x30, 0x89, 0x92, 0xB0, 0xB1, 0xB3, 0xB5, 0xFF}) {
            for (int len = 0; len <= 6; ++len) {
                for (int round = 0; round < 20; ++round) {
                    QByteArray d(len, '\0');
                    for (int i = 0; i < len; ++i)
                        d[i] = char(rng.bounded(256));
                    audio.handleTelegram(SimTelegram{receiver, GuiAddress, uchar(cmd), d});
                }
            }
        }
    }
    QVERIFY(audio.volume() >= 0 && audio.volume() <= 100);
    QVERIFY(audio.folderNumber() >= 1 && audio.folderNumber() <= audio.folders().size());
}

void TestBusSimModel::idlePanelIsLoggedOut_data()
{
    QTest::addColumn<int>("state");
    QTest::addColumn<int>("timeoutMs");
    QTest::newRow("ready: login time-out") << int(MainControlUnit::ReadyIdle) << 60000;
    QTest::newRow("paying: login time-out") << int(MainControlUnit::PaySession) << 60000;
    QTest::newRow("set-up: its own time-out") << int(MainControlUnit::SetupManager) << 120000;
}

void TestBusSimModel::idlePanelIsLoggedOut()
{
    QFETCH(int, state);
    QFETCH(int, timeoutMs);
    SimOptions o = fastOptions();
    o.switches = MainControlUnit::SwitchPinCode; // PAY_SESSION waits
    Unit u(o);
    u.boot();
    u.writeState(state);
    QCOMPARE(u.unit.deviceState(), state);
    u.unit.advance(timeoutMs - 1000);
    // Any telegram of the panel (a key click) counts as activity.
    u.unit.handleTelegram(SimTelegram{MainControlAddress, GuiAddress, 0xA3, {}});
    u.unit.advance(timeoutMs - 1000);
    QCOMPARE(u.unit.deviceState(), state);
    u.unit.advance(1000);
    QCOMPARE(u.unit.deviceState(), int(MainControlUnit::SessionLogin));
    // The session login itself never times out.
    u.unit.advance(10 * timeoutMs);
    QCOMPARE(u.unit.deviceState(), int(MainControlUnit::SessionLogin));
}

void TestBusSimModel::nozzlesFollowTheRequestedPosition()
{
    Unit u;
    u.boot();
    u.writeState(MainControlUnit::ManualSession);
    ParamRecord req = u.unit.params().record(ParamRequestedMotor1);
    req.value = 300;
    u.write(req);
    QCOMPARE(u.reports(ParamRequestedMotor1).last().value, 300);
    u.unit.advance(250);
    const auto first = u.reports(ParamCurrentMotor1);
    QCOMPARE(first.size(), 1);
    QVERIFY(first.last().value > 0 && first.last().value < 300);
    u.unit.advance(5000);
    QCOMPARE(u.reports(ParamCurrentMotor1).last().value, 300);
    // Beyond the motor's range the request is limited.
    req.value = 100000;
    u.write(req);
    QCOMPARE(u.reports(ParamRequestedMotor1).last().value, 600);
    u.unit.advance(5000);
    QCOMPARE(u.unit.params().record(ParamCurrentMotor1).value, 600);
}

void TestBusSimModel::maximaLimitTheirParameters()
{
    Unit u;
    u.boot();
    ParamRecord time = u.unit.params().record(ParamMassageTime);
    time.value = 1500;
    u.write(time);
    ParamRecord max = u.unit.params().record(ParamMassageTimeMaximum);
    max.value = 1200;
    u.write(max);
    QCOMPARE(u.reports(ParamMassageTime).last().max, 1200);
    QCOMPARE(u.reports(ParamMassageTime).last().value, 1200);
    time.value = 3000;
    u.write(time);
    QCOMPARE(u.reports(ParamMassageTime).last().value, 1200);

    ParamRecord pmax = u.unit.params().record(ParamNozzlePressureMax);
    pmax.value = 6;
    u.write(pmax);
    QCOMPARE(u.reports(ParamNozzlePressure).last().max, 6);
    QCOMPARE(u.reports(ParamNozzlePressure).last().value, 5);
    ParamRecord p = u.unit.params().record(ParamNozzlePressure);
    p.action = ActionUp;
    u.write(p);
    u.write(p);
    QCOMPARE(u.reports(ParamNozzlePressure).last().value, 6);
}

void TestBusSimModel::storedPointsOfARecordingAreReported()
{
    Unit u;
    u.boot();
    ParamRecord replay = u.unit.params().record(ParamBackgroundReplayTime);
    replay.value = 12;
    u.write(replay); // outside a recording: just the parameter
    for (const SimTelegram& t : u.out)
        QVERIFY(idOf(t) != ParamRecordClinicStep);
    u.writeState(MainControlUnit::ProgramSessionFree);
    ParamRecord req = u.unit.params().record(ParamRequestedMotor1);
    req.value = 600;
    u.write(req);
    u.unit.advance(5000);
    u.out.clear();
    u.write(replay);
    u.write(replay);
    QVector<QByteArray> steps;
    for (const SimTelegram& t : u.out)
        if (idOf(t) == ParamRecordClinicStep)
            steps << t.data;
    QCOMPARE(steps.size(), 2);
    const QByteArray d = steps.last();
    QVERIFY(d.size() > 13); // the panel decodes only longer records
    QCOMPARE(qFromLittleEndian<qint16>(reinterpret_cast<const uchar*>(d.constData()) + 2),
             qint16(12));
    QCOMPARE(int(uchar(d.at(5))), 255); // motor 1 at the far end
    QCOMPARE(int(uchar(d.at(8))), 5);   // nozzle pressure
    QCOMPARE(int(uchar(d.at(12))), 2);  // second stored point
}

void TestBusSimModel::audioBoardAnswersTheMediaCommands()
{
    AudioBoard audio;
    QVector<SimTelegram> out;
    QObject::connect(&audio, &AudioBoard::telegramOut, [&out](const SimTelegram& t) { out << t; });
    audio.setFolders(
        {{QStringLiteral("Rock"), {QStringLiteral("Artist}Song")}},
         {QStringLiteral("Jazz"), {QStringLiteral("Band}Tune"), QStringLiteral("Band}Other")}}});

    // Folder list: one entry per telegram, number from 1, name from byte 3.
    audio.handleTelegram(SimTelegram{AudioAddress, GuiAddress, 0x92, {}});
    QCOMPARE(out.size(), 2);
    QCOMPARE(int(out.at(1).command), 0x32);
    QCOMPARE(int(uchar(out.at(1).data.at(0))), 2);
    const QByteArray entry = out.at(1).data;
    QCOMPARE(entry.mid(3, entry.size() - 4).split('\0').first(), QByteArray("Jazz"));

    // Source SD card: state 0x90 with the track text and two trailing bytes.
    out.clear();
    audio.handleTelegram(SimTelegram{AudioAddress, GuiAddress, 0xB5, {}});
    audio.handleTelegram(SimTelegram{AudioAddress, GuiAddress, 0xB0, QByteArray(1, char(0x91))});
    QCOMPARE(int(out.first().command), 0x30);
    QCOMPARE(int(uchar(out.first().data.at(0))), 0x90);
    QCOMPARE(out.first().data.mid(3), QByteArray("Artist}Song\0\0", 13));

    // Folder 2, next track, pause, volume.
    out.clear();
    audio.handleTelegram(SimTelegram{AudioAddress, GuiAddress, 0xB1, QByteArray(1, char(2))});
    QCOMPARE(int(out.first().command), 0x31);
    QCOMPARE(out.first().data, QByteArray("Jazz\0", 5));
    audio.handleTelegram(SimTelegram{AudioAddress, GuiAddress, 0xB0, QByteArray(1, char(130))});
    QCOMPARE(audio.trackText(), QStringLiteral("Band}Other"));
    audio.handleTelegram(SimTelegram{AudioAddress, GuiAddress, 0xB0, QByteArray(1, char(134))});
    QVERIFY(audio.paused());
    QCOMPARE(int(uchar(out.last().data.at(2))) & 1, 1);
    out.clear();
    audio.handleTelegram(
        SimTelegram{AudioAddress, GuiAddress, 0xB3, QByteArray::fromHex("230000")});
    QCOMPARE(out.size(), 1);
    QCOMPARE(int(out.first().command), 0x33);
    QCOMPARE(out.first().data, QByteArray(1, char(35)));

    // Bluetooth: state 0xA0 from the audio board, track text 0x32 from 0x98;
    // transport commands then go to the Bluetooth controller.
    out.clear();
    QSignalSpy streaming(&audio, &AudioBoard::bluetoothStreaming);
    audio.handleTelegram(SimTelegram{AudioAddress, GuiAddress, 0xB0, QByteArray(1, char(0xA1))});
    QCOMPARE(int(uchar(out.first().data.at(0))), 0xA0);
    QCOMPARE(int(out.last().sender), int(BluetoothAddress));
    QCOMPARE(int(out.last().command), 0x32);
    QVERIFY(out.last().data.contains('}'));
    QCOMPARE(streaming.count(), 1);
    QCOMPARE(streaming.first().first().toBool(), true);
    const QByteArray before = out.last().data;
    out.clear();
    audio.handleTelegram(SimTelegram{BluetoothAddress, GuiAddress, 0xB0, QByteArray(1, char(130))});
    QCOMPARE(out.size(), 1);
    QCOMPARE(int(out.first().sender), int(BluetoothAddress));
    QVERIFY(out.first().data != before);
}

void TestBusSimModel::audioFoldersComeFromTheMusicFolder()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    QVERIFY(QDir(dir.path()).mkpath("Rock"));
    QVERIFY(QDir(dir.path()).mkpath("Ambient"));
    QFile f(dir.path() + QString::fromUtf8("/Rock/Müller - Grüße.mp3"));
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.close();
    AudioBoard audio;
    audio.loadFolders(dir.path());
    QCOMPARE(audio.folders().size(), 2);
    QCOMPARE(audio.folders().at(0).name, QStringLiteral("Ambient"));
    QString error;
    QVERIFY(audio.selectFolder(2, &error));
    QVector<SimTelegram> out;
    QObject::connect(&audio, &AudioBoard::telegramOut, [&out](const SimTelegram& t) { out << t; });
    audio.setSource(AudioBoard::SourceSdCard);
    // Interpreter in UTF-8, title in Latin-1, as the panel reads them.
    QCOMPARE(out.first().data.mid(3), QByteArray("M\xc3\xbcller}Gr\xfc\xdf"
                                                 "e\0\0",
                                                 15));
    // Without any folder the built-in list stands in.
    AudioBoard empty;
    empty.loadFolders(dir.path() + "/none");
    QVERIFY(empty.folders().size() >= 2);
}

void TestBusSimModel::controlCommands_data()
{
    QTest::addColumn<QString>("line");
    QTest::addColumn<QString>("answer");
    QTest::addColumn<QString>("status"); // substring of the status line afterwards
    QTest::newRow("state") << "state 3"
                           << "ok"
                           << "state=3 ";
    QTest::newRow("state session starts clock") << "state 10"
                                                << "ok"
                                                << "session=1";
    QTest::newRow("errors hex") << "errors 0x5"
                                << "ok"
                                << "errors=0x5";
    QTest::newRow("warnings") << "warnings 2"
                              << "ok"
                              << "warnings=0x2";
    QTest::newRow("nfc") << "nfc minutes 45"
                         << "ok"
                         << "card=45";
    QTest::newRow("param") << "param 10003 value=600"
                           << "ok"
                           << "time=600";
    QTest::newRow("param state") << "param 10017 value=6"
                                 << "ok"
                                 << "state=6 ";
    QTest::newRow("coin in login") << "coin"
                                   << "ok"
                                   << "state=5 ";
    QTest::newRow("report history") << "report 10102"
                                    << "ok"
                                    << "state=18";
    QTest::newRow("audio") << "audio source bt"
                           << "ok"
                           << "audio=2/";
    QTest::newRow("audio volume") << "audio volume 55"
                                  << "ok"
                                  << "/55";
    QTest::newRow("surrounding blanks") << "  state   6  "
                                        << "ok"
                                        << "state=6 ";
}

void TestBusSimModel::controlCommands()
{
    QFETCH(QString, line);
    QFETCH(QString, answer);
    QFETCH(QString, status);
    Unit u;
    u.boot();
    AudioBoard audio;
    int silence = -1;
    CommandInterpreter::Hooks hooks;
    hooks.silence = [&silence](int ms) { silence = ms; };
    CommandInterpreter ci(u.unit, audio, hooks);
    const QString reply = ci.execute(line);
    QVERIFY2(reply.startsWith(answer), qPrintable(reply));
    const QString st = ci.execute("status");
    QVERIFY2(st.contains(status), qPrintable(st));
}

void TestBusSimModel::badControlInputChangesNothing_data()
{
    QTest::addColumn<QString>("line");
    QTest::newRow("unknown") << "jump 3";
    QTest::newRow("state range") << "state 25";
    QTest::newRow("state not a number") << "state three";
    QTest::newRow("state trailing junk") << "state 3x";
    QTest::newRow("state missing") << "state";
    QTest::newRow("param unknown id") << "param 4711 value=1";
    QTest::newRow("param bad field") << "param 10000 colour=1";
    QTest::newRow("param one bad of two") << "param 10000 value=3 step=-1";
    QTest::newRow("param no pairs") << "param 10000";
    QTest::newRow("errors too big") << "errors 0x100000000";
    QTest::newRow("history index") << "history 32 1 1 1";
    QTest::newRow("history short") << "history 1 1";
    QTest::newRow("nfc kind") << "nfc euros 5";
    QTest::newRow("nfc negative") << "nfc sessions -1";
    QTest::newRow("nfc junk flag") << "nfc sessions 3 bonus";
    QTest::newRow("coin outside ready") << "coin";
    QTest::newRow("silence negative") << "silence -5";
    QTest::newRow("fault kind") << "fault flood 3";
    QTest::newRow("fault count") << "fault nak many";
    QTest::newRow("audio folder range") << "audio folder 99";
    QTest::newRow("audio sub") << "audio dance";
    QTest::newRow("report unknown") << "report 4711";
    QTest::newRow("overlong") << QString(CommandInterpreter::MaxLineLength + 1, QLatin1Char('7'));
    QTest::newRow("binary") << QString::fromLatin1("\x01\x02\xff state 3");
}

void TestBusSimModel::badControlInputChangesNothing()
{
    QFETCH(QString, line);
    Unit u;
    u.boot();
    u.writeState(MainControlUnit::SetupManager); // coins are not taken here
    u.out.clear();
    AudioBoard audio;
    bool faulted = false, silenced = false, quit = false;
    CommandInterpreter::Hooks hooks;
    hooks.silence = [&silenced](int) { silenced = true; };
    hooks.fault = [&faulted](PeerLink::Fault, int) { faulted = true; };
    hooks.quit = [&quit] { quit = true; };
    CommandInterpreter ci(u.unit, audio, hooks);
    const QString before = ci.execute("status");
    const ParamRecord pressure = u.unit.params().record(ParamNozzlePressure);
    u.out.clear();
    const QString reply = ci.execute(line);
    QVERIFY2(reply.startsWith("error "), qPrintable(reply));
    QVERIFY(reply.size() > 6); // with a reason
    for (const QChar c : reply)
        QVERIFY2(c.isPrint(), qPrintable(reply)); // one clean line, whatever came in
    QCOMPARE(ci.execute("status"), before);
    QCOMPARE(u.unit.params().record(ParamNozzlePressure), pressure);
    QVERIFY(u.out.isEmpty());
    QVERIFY(!faulted && !silenced && !quit);
}

QTEST_GUILESS_MAIN(TestBusSimModel)
#include "tst_bussimmodel.moc"

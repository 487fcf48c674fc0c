// The telegram manager: numbering, the parameter operations, control flags,
// dispatch by sender and the hand-over of the checksum.
#include "core/applicationcontroller.h"
#include "core/telegrammanager.h"

#include <vantoui/globals.h>

#include <QSignalSpy>
#include <QTest>

namespace {

struct Sent
{
    uchar tid, receiver, sender, command;
    QByteArray data;
    bool valid;
};

// Collects everything a manager emits (QSignalSpy cannot take the
// reference argument).
struct Collector
{
    QList<Sent> sent;
    explicit Collector(TelegramManager& m)
    {
        QObject::connect(&m, &TelegramManager::telegramToSend, [this](rimoTelegram& t) {
            sent.append({t.getTId(), t.receiverAddress(), t.senderAddress(), t.command(), t.data(),
                         t.isValid()});
        });
    }
};

QByteArray hex(const char* text)
{
    return QByteArray::fromHex(text);
}

rimoTelegram telegramFrom(uchar sender, uchar command, const QByteArray& data)
{
    return rimoTelegram(3, 0x94, sender, command, data);
}

} // namespace

class TestTelegramManager : public QObject
{
    Q_OBJECT

private slots:
    // No type registration here: the manager must register what its queued
    // checksum result needs by itself.
    void init() { telegram_id_counter = 0; }
    void tidStartsAtOneAndWraps();
    void operations_data();
    void operations();
    void writeParamSetsMessageByte();
    void controlFlagTelegramAfter100ms();
    void controlFlagsBits();
    void dispatchBySender_data();
    void dispatchBySender();
    void decoderErrorIsLogged();
    void checksumHandOver();
    void checksumErrorIsLogged();
    void workerThreadReportsTheScan();
};

void TestTelegramManager::tidStartsAtOneAndWraps()
{
    TelegramManager m(false);
    Collector c(m);
    for (int i = 0; i < 257; ++i)
        m.onSendTelegramToMainControl(0x89, hex("3827"));
    QCOMPARE(c.sent.size(), 257);
    QCOMPARE(c.sent.at(0).tid, uchar(1));
    QCOMPARE(c.sent.at(254).tid, uchar(255));
    QCOMPARE(c.sent.at(255).tid, uchar(0)); // the 256th
    QCOMPARE(c.sent.at(256).tid, uchar(1));
    QCOMPARE(telegram_id_counter, uint8_t(1));
}

void TestTelegramManager::operations_data()
{
    QTest::addColumn<int>("op");
    QTest::addColumn<int>("receiver");
    QTest::addColumn<int>("command");
    QTest::addColumn<QByteArray>("data");
    QTest::newRow("main control parameter") << 0 << 0x08 << 0x89 << hex("3827");
    QTest::newRow("audio parameter") << 1 << 0xF2 << 0x89 << hex("0501");
    QTest::newRow("read record") << 2 << 0x08 << 0x89
                                 << hex("1127"
                                        "0000"
                                        "03000000"
                                        "00000000"
                                        "18000000"
                                        "0100"
                                        "0000"
                                        "00"
                                        "87"
                                        "00"
                                        "00"
                                        "00000000");
    QTest::newRow("raw write") << 3 << 0x08 << 0xA9 << hex("01020304");
    QTest::newRow("main control, no data") << 4 << 0x08 << 0x80 << QByteArray();
    QTest::newRow("audio, no data") << 5 << 0xF2 << 0x30 << QByteArray();
    QTest::newRow("audio with data") << 6 << 0xF2 << 0x31 << hex("0a");
    QTest::newRow("bluetooth") << 7 << 0x98 << 0x12 << hex("6162");
}

void TestTelegramManager::operations()
{
    QFETCH(int, op);
    QFETCH(QByteArray, data);
    TelegramManager m(false);
    Collector c(m);
    switch (op) {
    case 0:
        m.requestMainControlParam(10040);
        break;
    case 1:
        m.requestAudioControllerParam(0x0105);
        break;
    case 2:
        m.readParam(telegram_param_def::fromData(data));
        break;
    case 3:
        m.writeRawParam(data);
        break;
    case 4:
        m.onSendTelegramToMainControl(0x80);
        break;
    case 5:
        m.onSendTelegramToAudioController(0x30);
        break;
    case 6:
        m.onSendTelegramToAudioController(0x31, data);
        break;
    case 7:
        m.onSendTelegramToBluetoothController(0x12, data);
        break;
    }
    QCOMPARE(c.sent.size(), 1);
    const Sent& s = c.sent.first();
    QTEST(int(s.receiver), "receiver");
    QCOMPARE(s.sender, uchar(0x94));
    QTEST(int(s.command), "command");
    QCOMPARE(s.data, data);
    QVERIFY(s.valid);
}

void TestTelegramManager::writeParamSetsMessageByte()
{
    TelegramManager m(false);
    Collector c(m);
    telegram_param_def p;
    p.id = 10000;
    p.value = 7;
    p.message = 0;
    p.message2 = 1;
    m.writeParam(p);
    QCOMPARE(c.sent.size(), 1);
    QCOMPARE(c.sent[0].command, uchar(0xA9));
    QByteArray expected = p.toBytes();
    expected[22] = 1;
    QCOMPARE(c.sent[0].data.size(), 28);
    QCOMPARE(c.sent[0].data, expected);
}

void TestTelegramManager::controlFlagTelegramAfter100ms()
{
    TelegramManager m(false);
    Collector c(m);
    QCOMPARE(m.controlFlags(), quint16(128));
    QTest::qWait(50);
    QVERIFY(c.sent.isEmpty());
    QTRY_COMPARE_WITH_TIMEOUT(c.sent.size(), 1, 1000);
    QCOMPARE(c.sent[0].receiver, uchar(0x08));
    QCOMPARE(c.sent[0].command, uchar(0x00));
    QCOMPARE(c.sent[0].data, hex("00"));
    QCOMPARE(m.controlFlags(), quint16(0));
    QTest::qWait(250);
    QCOMPARE(c.sent.size(), 1); // once only
}

void TestTelegramManager::controlFlagsBits()
{
    TelegramManager m(false);
    Collector c(m);
    m.setControlFlag(0, true); // 128 means "none sent" and counts as 0
    m.setControlFlag(3, true);
    m.setControlFlag(9, true);
    m.setControlFlag(3, false);
    QCOMPARE(c.sent.size(), 4);
    QCOMPARE(c.sent[0].data, hex("01"));
    QCOMPARE(c.sent[1].data, hex("09"));
    QCOMPARE(c.sent[2].data, hex("09")); // only the low byte travels
    QCOMPARE(c.sent[3].data, hex("01"));
    QCOMPARE(m.controlFlags(), quint16(0x201));
}

void TestTelegramManager::dispatchBySender_data()
{
    QTest::addColumn<int>("sender");
    QTest::addColumn<QString>("decoder");
    QTest::newRow("main control unit") << 0x08 << "main";
    QTest::newRow("audio controller") << 0xF2 << "audio";
    QTest::newRow("bluetooth controller") << 0x98 << "bluetooth";
    QTest::newRow("node 4") << 0x25 << "";
    QTest::newRow("own address") << 0x94 << "";
    QTest::newRow("nfc controller") << 0x9A << "";
}

void TestTelegramManager::dispatchBySender()
{
    QFETCH(int, sender);
    QFETCH(QString, decoder);
    TelegramManager m(false);
    QStringList calls;
    QByteArray seen;
    auto spy = [&](const char* name) {
        return [&calls, &seen, name](TelegramManager*, const rimoTelegram& t) {
            calls << QString::fromLatin1(name);
            seen = t.data();
        };
    };
    m.setDecoders({spy("main"), spy("audio"), spy("bluetooth")});

    ApplicationController* app = ApplicationController::instance();
    app->deviceController().setCommToControlUnitFailed(true);
    app->stopForExit();
    QVERIFY(!app->commTimerActive());

    m.onTelegramArrived(telegramFrom(uchar(sender), 0x09, hex("112703")));

    // Every telegram feeds the watchdog, whoever sent it.
    QVERIFY(!app->deviceController().commToControlUnitFailed());
    QVERIFY(app->commTimerActive());
    if (decoder.isEmpty()) {
        QVERIFY(calls.isEmpty());
    } else {
        QCOMPARE(calls, QStringList{decoder});
        QCOMPARE(seen, hex("112703"));
    }
}

void TestTelegramManager::decoderErrorIsLogged()
{
    // The real main control decoder reports command 0 as an error, which the
    // manager logs.
    TelegramManager m(false);
    QTest::ignoreMessage(QtDebugMsg, "Unknown telegram!");
    m.onTelegramArrived(telegramFrom(0x08, 0x00, QByteArray()));
}

void TestTelegramManager::checksumHandOver()
{
    ApplicationController* app = ApplicationController::instance();
    TelegramManager m(false);
    QCOMPARE(m.crc32Value(), 0u);
    QVERIFY(!m.crc32Known());
    m.onCrc32ThreadFinished(0x1A2B);
    QCOMPARE(m.crc32Value(), 0x1A2Bu);
    QVERIFY(m.crc32Known());
    QCOMPARE(app->softwareLicenseInfoController().crcHash(), QStringLiteral("00001a2b"));
    m.onCrc32ThreadFinished(0xFEDCBA98u);
    QCOMPARE(app->softwareLicenseInfoController().crcHash(), QStringLiteral("fedcba98"));
}

void TestTelegramManager::checksumErrorIsLogged()
{
    TelegramManager m(false);
    QTest::ignoreMessage(QtWarningMsg, "Error on calculating crc value: disk gone");
    m.onCalculateCrc32Error(QStringLiteral("disk gone"));
    QCOMPARE(m.crc32Value(), 0u);
}

void TestTelegramManager::workerThreadReportsTheScan()
{
    // A fresh root has no files in the four folders: the total is 4 x 0xFFFFFFFF.
    ApplicationController::instance();
    TelegramManager m(true);
    QTRY_COMPARE_WITH_TIMEOUT(m.crc32Value(), 0xFFFFFFFCu, 5000);
    QCOMPARE(ApplicationController::instance()->softwareLicenseInfoController().crcHash(),
             QStringLiteral("fffffffc"));
}

QTEST_MAIN(TestTelegramManager)
#include "tst_telegrammanager.moc"

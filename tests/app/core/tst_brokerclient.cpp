// The broker client against a stand-in broker: registration bytes and
// answer check, retries, re-registration and the datagram format.
#include "core/rimotelegramclient.h"
#include "fakebroker.h"

#include <QSignalSpy>
#include <QTest>

namespace {

QStringList messages;
QtMessageHandler previousHandler = nullptr;

void capture(QtMsgType type, const QMessageLogContext& ctx, const QString& msg)
{
    messages.append(msg);
    if (previousHandler)
        previousHandler(type, ctx, msg);
}

int count(const QString& prefix)
{
    int n = 0;
    for (const QString& m : qAsConst(messages))
        n += m.startsWith(prefix) ? 1 : 0;
    return n;
}

const QByteArray GuiAddresses("\x00\x02\x06\x94", 4);

QByteArray hex(const char* text)
{
    return QByteArray::fromHex(text);
}

} // namespace

class TestBrokerClient : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { previousHandler = qInstallMessageHandler(capture); }
    void init() { messages.clear(); }
    void registersWithTheGuiBytes();
    void outgoingDatagramIsByteExact();
    void incomingDatagrams();
    void garbageAnswerLeadsToANewAttempt();
    void closedBeforeAnswerLeadsToANewAttempt();
    void retriesEverySecondWhileBrokerIsDown();
    void reRegistersWhenTheBrokerComesBack();
    void failedBindIsRetried();
};

void TestBrokerClient::registersWithTheGuiBytes()
{
    FakeBroker broker;
    QVERIFY(broker.listen());
    rimoTelegramClient client(0x94, GuiAddresses, 8228);
    QSignalSpy registered(&client, &rimoTelegramClient::registered);
    QVERIFY(registered.wait(2000));
    QCOMPARE(broker.registrations, QList<QByteArray>{hex("0194202400020694")});
    QVERIFY(client.isRegistered());
    QCOMPARE(client.brokerPort(), broker.udpPort());
    QCOMPARE(count("retrieved communication ports: true"), 1);
}

void TestBrokerClient::outgoingDatagramIsByteExact()
{
    FakeBroker broker;
    QVERIFY(broker.listen());
    rimoTelegramClient client(0x94, GuiAddresses, 8228);
    QSignalSpy registered(&client, &rimoTelegramClient::registered);
    QVERIFY(registered.wait(2000));

    rimoTelegram t(5, 0x08, 0x94, 0x89, hex("3827"));
    client.onTelegramToSend(t);
    QTRY_COMPARE(broker.datagrams.size(), 1);
    const QByteArray d = broker.datagrams.first();
    QCOMPARE(d.size(), 10);
    QCOMPARE(d.left(7), hex("08940300893827"));
    QCOMPARE(d.at(9), char(0x05));
    // The two bytes between are the telegram's CRC16, high byte first, and
    // the telegram they close is valid.
    QCOMPARE(quint16((quint8(d.at(7)) << 8) | quint8(d.at(8))), t.crc());
    QVERIFY(rimoTelegram(5, d.left(9)).isValid());
}

void TestBrokerClient::incomingDatagrams()
{
    FakeBroker broker;
    QVERIFY(broker.listen());
    rimoTelegramClient client(0x94, GuiAddresses, 8228);
    QSignalSpy registered(&client, &rimoTelegramClient::registered);
    QVERIFY(registered.wait(2000));

    QList<QPair<QByteArray, int>> got;
    connect(&client, &rimoTelegramClient::telegramArrived, this, [&got](rimoTelegram& t) {
        got.append({t.getTelegram(), t.getTId()});
    });
    const QByteArray seven = rimoTelegram(0, 0x94, 0x08, 0x80, QByteArray()).getTelegram();
    QCOMPARE(seven.size(), 7);
    broker.sendToClient(seven);               // 7 bytes: dropped
    broker.sendToClient(seven + char(0x2A));  // 8 bytes: a 7-byte telegram, TId 0x2A
    broker.sendToClient(seven + hex("0102")); // 9 bytes: 8-byte "telegram", TId 2
    QTRY_COMPARE(got.size(), 2);
    QTest::qWait(50);
    QCOMPARE(got.size(), 2);
    QCOMPARE(got[0].first, seven);
    QCOMPARE(got[0].second, 0x2A);
    QCOMPARE(got[1].first, seven + char(0x01));
    QCOMPARE(got[1].second, 0x02);
}

void TestBrokerClient::garbageAnswerLeadsToANewAttempt()
{
    FakeBroker broker;
    broker.answer = FakeBroker::Answer::Garbage3;
    QVERIFY(broker.listen());
    rimoTelegramClient client(0x94, GuiAddresses, 8228);
    QTRY_COMPARE_WITH_TIMEOUT(broker.registrations.size(), 2, 3000);
    QVERIFY(count("server sent garbage:") >= 1);
    QVERIFY(!client.isRegistered());
    // The half-open link was closed, and the next attempt came a second later.
    QVERIFY(broker.disconnects >= 1);
    const qint64 gap = broker.registrationTimes[1] - broker.registrationTimes[0];
    QVERIFY2(gap >= 900 && gap < 2000, qPrintable(QString::number(gap)));
    QCOMPARE(count("socket not ready for connect"), 0);

    broker.answer = FakeBroker::Answer::Port;
    QSignalSpy registered(&client, &rimoTelegramClient::registered);
    QVERIFY(registered.wait(2500));
}

void TestBrokerClient::closedBeforeAnswerLeadsToANewAttempt()
{
    // A broker that refuses the registration by dropping the link.
    FakeBroker broker;
    broker.answer = FakeBroker::Answer::Close;
    QVERIFY(broker.listen());
    rimoTelegramClient client(0x94, GuiAddresses, 8228);
    QTRY_COMPARE_WITH_TIMEOUT(broker.registrations.size(), 2, 3000);
    const qint64 gap = broker.registrationTimes[1] - broker.registrationTimes[0];
    QVERIFY2(gap >= 900 && gap < 2000, qPrintable(QString::number(gap)));
    // Reported either as a socket error or as an empty answer.
    QVERIFY(count("recovering from") + count("server sent garbage:") >= 1);
    QCOMPARE(count("QIODevice::read"), 0);
    QVERIFY(!client.isRegistered());
}

void TestBrokerClient::retriesEverySecondWhileBrokerIsDown()
{
    QLocalServer::removeServer(QStringLiteral("rimoTelegramBroker"));
    rimoTelegramClient client(0x94, GuiAddresses, 8228);
    QCOMPARE(count("Could not connect to broker:"), 1); // the first attempt fails at once
    QTest::qWait(2300);
    QCOMPARE(count("Could not connect to broker:"), 3); // then one per second

    FakeBroker broker;
    QVERIFY(broker.listen());
    QSignalSpy registered(&client, &rimoTelegramClient::registered);
    QVERIFY(registered.wait(1500));
    QCOMPARE(broker.registrations.size(), 1);
}

void TestBrokerClient::reRegistersWhenTheBrokerComesBack()
{
    auto* broker = new FakeBroker;
    QVERIFY(broker->listen());
    rimoTelegramClient client(0x94, GuiAddresses, 8228);
    QSignalSpy registered(&client, &rimoTelegramClient::registered);
    QVERIFY(registered.wait(2000));

    messages.clear();
    broker->die();
    delete broker;
    // The drop is noticed and a new attempt made at once, then every second.
    QTRY_COMPARE_WITH_TIMEOUT(count("Could not connect to broker:"), 1, 500);
    QVERIFY(!client.isRegistered());
    QTest::qWait(1300);
    QCOMPARE(count("Could not connect to broker:"), 2);

    FakeBroker again;
    QVERIFY(again.listen());
    QVERIFY(registered.wait(1500));
    QCOMPARE(again.registrations, QList<QByteArray>{hex("0194202400020694")});
    QVERIFY(client.isRegistered());
}

void TestBrokerClient::failedBindIsRetried()
{
    QUdpSocket blocker;
    QVERIFY(blocker.bind(QHostAddress(QHostAddress::LocalHost), 8228,
                         QAbstractSocket::DontShareAddress));
    FakeBroker broker;
    QVERIFY(broker.listen());
    rimoTelegramClient client(0x94, GuiAddresses, 8228);
    QTRY_COMPARE_WITH_TIMEOUT(count("retrieved communication ports: false"), 1, 1000);
    QTRY_VERIFY_WITH_TIMEOUT(broker.disconnects >= 1, 1000);
    QVERIFY(!client.isRegistered());

    blocker.close();
    QSignalSpy registered(&client, &rimoTelegramClient::registered);
    QVERIFY(registered.wait(2500));
    QVERIFY(broker.registrations.size() >= 2);
}

QTEST_GUILESS_MAIN(TestBrokerClient)
#include "tst_brokerclient.moc"

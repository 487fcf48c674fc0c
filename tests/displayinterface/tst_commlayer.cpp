// The link-layer thread and the comm control against a peer on a
// pseudo-terminal, with the real loopback ports.
#include "ptypeer.h"
#include "rimocommclient.h"
#include "rimocommcontrol.h"
#include "rimocommlayer.h"

#include <QElapsedTimer>
#include <QMutex>
#include <QNetworkDatagram>
#include <QProcess>
#include <QUdpSocket>
#include <QtTest>

#include <memory>

using Kind = rimolink::ScanEvent::Kind;

namespace {

constexpr quint16 ClientIn = 18301;
constexpr quint16 ClientOut = 18302;
constexpr quint16 OtherIn = 18303;
constexpr quint16 OtherOut = 18304;

QMutex g_logMutex;
QStringList g_log;
QtMessageHandler g_previous = nullptr;

void captureMessages(QtMsgType type, const QMessageLogContext& ctx, const QString& msg)
{
    {
        QMutexLocker lock(&g_logMutex);
        g_log.append(msg);
    }
    if (g_previous)
        g_previous(type, ctx, msg);
}

bool logContains(const QString& text)
{
    QMutexLocker lock(&g_logMutex);
    for (const QString& line : qAsConst(g_log)) {
        if (line.contains(text))
            return true;
    }
    return false;
}

// A bound socket that collects telegram datagrams (the user's side of a client).
class Listener
{
public:
    explicit Listener(quint16 port) { m_socket.bind(QHostAddress::LocalHost, port); }
    QList<QByteArray> take(int n, int timeoutMs)
    {
        QElapsedTimer t;
        t.start();
        while (m_got.size() < n && t.elapsed() < timeoutMs) {
            QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
            while (m_socket.hasPendingDatagrams())
                m_got.append(m_socket.receiveDatagram().data());
        }
        return m_got;
    }
    // Lets the event loop run for a while and returns what came in.
    QList<QByteArray> settle(int ms) { return take(INT_MAX, ms); }

private:
    QUdpSocket m_socket;
    QList<QByteArray> m_got;
};

// Waits for the peer while the test thread's event loop keeps running (the
// comm control and its clients live there).
bool waitPeer(const PtyPeer& peer, Kind kind, int n, int timeoutMs)
{
    QElapsedTimer t;
    t.start();
    while (peer.count(kind) < n) {
        if (t.elapsed() > timeoutMs)
            return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 2);
        peer.waitFor(kind, n, 2);
    }
    return true;
}

// Records a reference-typed signal's telegrams (QSignalSpy cannot).
struct TelegramRecorder
{
    QList<rimoTelegram> telegrams;
    void operator()(rimoTelegram& t) { telegrams.append(t); }
};

// A peer that answers late makes the link layer repeat a block; where the
// test is not about repetition, consecutive repeats count once.
QVector<QByteArray> distinct(const QVector<QByteArray>& blocks)
{
    QVector<QByteArray> out;
    for (const QByteArray& b : blocks) {
        if (out.isEmpty() || out.last() != b)
            out.append(b);
    }
    return out;
}

QVector<PtyPeer::Received> blocksOnly(const QVector<PtyPeer::Received>& all)
{
    QVector<PtyPeer::Received> out;
    for (const PtyPeer::Received& r : all) {
        if (r.kind == Kind::Block)
            out.append(r);
    }
    return out;
}

} // namespace

class TestCommLayer : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void cleanup();

    void dbmFromFirstStart();
    void downwardAcknowledged();
    void noAckFiveAttemptsThenNext();
    void nakCountsAsFailedAttempt();
    void upwardAcknowledgedAndDelivered();
    void upwardFiltering();
    void everyClientGetsEveryTelegram();
    void reRegisteredClientGetsEachTelegramOnce();
    void addressListFollowsRegistration();
    void clientAnnouncesItself_data();
    void clientAnnouncesItself();
    void invalidClientTelegramDroppedByLinkLayer();
    void emptyDatagramsDiscarded();
    void stalledWriteIsDroppedThreadLives();
    void destructionIsPrompt();
    void busyDownPortLeavesLinkStopped();
    void silentPeerHoldsStartUp();
    void lineLostEndsProcess();
    void unopenablePortEndsProcess();

private:
    void startControl(uchar dbm = 0x02);

    std::unique_ptr<PtyPeer> m_peer;
    std::unique_ptr<rimoCommControl> m_control;
};

void TestCommLayer::initTestCase()
{
    g_previous = qInstallMessageHandler(captureMessages);
}

void TestCommLayer::init()
{
    {
        QMutexLocker lock(&g_logMutex);
        g_log.clear();
    }
    m_peer = std::make_unique<PtyPeer>();
    QVERIFY(m_peer->isOpen());
    QVERIFY(m_peer->linkDefault());
}

void TestCommLayer::cleanup()
{
    m_control.reset();
    m_peer.reset();
}

void TestCommLayer::startControl(uchar dbm)
{
    m_peer->startBeacon(dbm);
    m_control = std::make_unique<rimoCommControl>();
    m_peer->stopBeacon();
    QVERIFY(m_control->isLinkRunning());
}

void TestCommLayer::dbmFromFirstStart()
{
    // The first start in the line wins; garbage before it is skipped.
    m_peer->write(QByteArray::fromHex("1234FF00"));
    startControl(0x03);
    QCOMPARE(m_control->getDBM(), uchar(0x03));
}

void TestCommLayer::downwardAcknowledged()
{
    startControl();
    rimoTelegram small(0x11, 0x08, 0x94, 0x89, QByteArray::fromHex("EC00"));
    rimoTelegram large(0x12, 0xF2, 0x94, 0x10, QByteArray(100, '\xFF'));
    m_control->onTelegramToSend(small);
    m_control->onTelegramToSend(large);

    QVector<QByteArray> expected;
    for (const QByteArray& tx :
         rimolink::telegramToTransmissions(small) + rimolink::telegramToTransmissions(large))
        expected.append(rimolink::transmissionToBlock(tx));
    QCOMPARE(expected.size(), 4);
    QVERIFY(waitPeer(*m_peer, Kind::Block, 4, 2000));
    QTest::qWait(50);
    QCOMPARE(distinct(m_peer->blocks()), expected);
}

void TestCommLayer::noAckFiveAttemptsThenNext()
{
    startControl();
    m_peer->setAnswer(PtyPeer::Answer::Silent);
    rimoTelegram first(1, 0x08, 0x94, 0x89, QByteArray::fromHex("0100"));
    rimoTelegram second(2, 0x08, 0x94, 0x89, QByteArray::fromHex("0200"));
    const PtyPeer::Clock::time_point sent = PtyPeer::Clock::now();
    m_control->onTelegramToSend(first);
    m_control->onTelegramToSend(second);
    QVERIFY(waitPeer(*m_peer, Kind::Block, 10, 3000));
    QTest::qWait(60);
    const QVector<PtyPeer::Received> got = blocksOnly(m_peer->received());
    QCOMPARE(got.size(), 10);
    const QByteArray firstBlock =
        rimolink::transmissionToBlock(rimolink::telegramToTransmissions(first)[0]);
    const QByteArray secondBlock =
        rimolink::transmissionToBlock(rimolink::telegramToTransmissions(second)[0]);
    for (int i = 0; i < 10; ++i)
        QCOMPARE(got[i].block, i < 5 ? firstBlock : secondBlock);
    // Attempt k is written only after k full 4 ms windows. The peer reads
    // late under load, never early, so the lower bounds hold anyway.
    for (int k = 0; k < 10; ++k) {
        const double sinceSend =
            std::chrono::duration<double, std::milli>(got[k].at - sent).count();
        QVERIFY2(sinceSend >= 4.0 * k,
                 qPrintable(QString("attempt %1 after %2 ms").arg(k).arg(sinceSend)));
    }
    const double total = std::chrono::duration<double, std::milli>(got[9].at - sent).count();
    QVERIFY2(total < 1000.0, qPrintable(QString("%1 ms").arg(total)));

    // An answering peer gets each transmission once again.
    m_peer->clearReceived();
    m_peer->setAnswer(PtyPeer::Answer::Ack);
    m_control->onTelegramToSend(first);
    QVERIFY(waitPeer(*m_peer, Kind::Block, 1, 2000));
    QTest::qWait(60);
    // Normally once; a peer thread that answers late on a loaded machine
    // may see a repeat, but its ACK ends the attempts before the fifth.
    const int copies = m_peer->count(Kind::Block);
    QVERIFY2(copies >= 1 && copies < 5, qPrintable(QString("%1 copies").arg(copies)));
}

void TestCommLayer::nakCountsAsFailedAttempt()
{
    startControl();
    m_peer->setAnswer(PtyPeer::Answer::Nak);
    rimoTelegram t(1, 0x08, 0x94, 0x89, QByteArray::fromHex("0100"));
    m_control->onTelegramToSend(t);
    QVERIFY(waitPeer(*m_peer, Kind::Block, 5, 2000));
    QTest::qWait(60);
    QCOMPARE(m_peer->count(Kind::Block), 5);
}

void TestCommLayer::upwardAcknowledgedAndDelivered()
{
    startControl();
    rimoCommClient client(0x94, QByteArray::fromHex("94"), ClientIn, ClientOut);
    QVERIFY(m_control->registerCommClient(client));
    Listener user(ClientOut);

    // Three blocks, the peer's own marker, its own TId.
    const rimoTelegram t(0x77, 0x94, 0x08, 0x09, QByteArray(100, '\x5A'));
    m_peer->sendTelegram(t, 0x02);
    const QList<QByteArray> got = user.take(1, 2000);
    QCOMPARE(got.size(), 1);
    QCOMPARE(got[0], t.getTelegram() + char(0x08)); // TId = the sender
    QVERIFY(waitPeer(*m_peer, Kind::Ack, 3, 2000));
    QTest::qWait(20);
    QCOMPARE(m_peer->count(Kind::Ack), 3);
}

void TestCommLayer::upwardFiltering()
{
    startControl();
    rimoCommClient client(0x94, QByteArray::fromHex("94"), ClientIn, ClientOut);
    Listener user(ClientOut);

    // Nothing registered yet: an empty list drops every block, but each is acknowledged.
    QVERIFY(m_control->registerCommClient(client));
    m_control->unregisterCommClient(client);
    m_peer->sendTelegram(rimoTelegram(1, 0x94, 0x08, 0x09, QByteArray::fromHex("01")));
    QVERIFY(waitPeer(*m_peer, Kind::Ack, 1, 2000));

    QVERIFY(m_control->registerCommClient(client));
    // Foreign receiver: acknowledged, dropped.
    m_peer->sendTelegram(rimoTelegram(2, 0x55, 0x08, 0x09, QByteArray::fromHex("02")));
    QVERIFY(waitPeer(*m_peer, Kind::Ack, 2, 2000));
    // Wrong block CRC: refused.
    QByteArray block = rimolink::rawBlockToBlock(rimolink::telegramToRawBlocks(
        rimoTelegram(3, 0x94, 0x08, 0x09, QByteArray::fromHex("03")))[0]);
    block[block.size() - 1] = char(block.at(block.size() - 1) ^ 0x01);
    m_peer->write(rimolink::blockToTransmission(block, 0x01));
    QVERIFY(waitPeer(*m_peer, Kind::Nak, 1, 2000));
    // A block shorter than 10 bytes gets no answer at all.
    m_peer->write(rimolink::blockToTransmission(QByteArray::fromHex("0000819408"), 0x01));
    // And a good one for us comes through, the only one.
    const rimoTelegram mine(4, 0x94, 0x08, 0x09, QByteArray::fromHex("04"));
    m_peer->sendTelegram(mine);
    const QList<QByteArray> got = user.take(1, 2000);
    QCOMPARE(got.size(), 1);
    QCOMPARE(got[0], mine.getTelegram() + char(0x08));
    QVERIFY(waitPeer(*m_peer, Kind::Ack, 3, 2000));
    QCOMPARE(user.settle(50).size(), 1);
    QCOMPARE(m_peer->count(Kind::Ack), 3);
    QCOMPARE(m_peer->count(Kind::Nak), 1);
}

void TestCommLayer::everyClientGetsEveryTelegram()
{
    startControl();
    rimoCommClient a(0x10, QByteArray::fromHex("11"), ClientIn, ClientOut);
    rimoCommClient b(0x20, QByteArray::fromHex("21"), OtherIn, OtherOut);
    QVERIFY(m_control->registerCommClient(a));
    QVERIFY(m_control->registerCommClient(b));
    Listener userA(ClientOut);
    Listener userB(OtherOut);
    const rimoTelegram t(9, 0x11, 0x08, 0x09, QByteArray::fromHex("0A0B"));
    m_peer->sendTelegram(t);
    const QByteArray expected = t.getTelegram() + char(0x08);
    QCOMPARE(userA.take(1, 2000), QList<QByteArray>{expected});
    QCOMPARE(userB.take(1, 2000), QList<QByteArray>{expected});
}

void TestCommLayer::reRegisteredClientGetsEachTelegramOnce()
{
    // Unregistering leaves the connections in place; registering again must
    // not add a second one, or every telegram would reach the user twice.
    startControl();
    rimoCommClient client(0x94, QByteArray::fromHex("94"), ClientIn, ClientOut);
    QVERIFY(m_control->registerCommClient(client));
    m_control->unregisterCommClient(client);
    QVERIFY(m_control->registerCommClient(client));
    Listener user(ClientOut);
    const rimoTelegram t(6, 0x94, 0x08, 0x09, QByteArray::fromHex("06"));
    m_peer->sendTelegram(t);
    QCOMPARE(user.take(1, 2000).size(), 1);
    QCOMPARE(user.settle(100).size(), 1);
}

void TestCommLayer::addressListFollowsRegistration()
{
    startControl();
    QList<QByteArray> spy;
    connect(m_control.get(), &rimoCommControl::adrListChanged,
            [&spy](QByteArray& list) { spy.append(list); });
    rimoCommClient high(0x20, QByteArray::fromHex("21"), ClientIn, ClientOut);
    rimoCommClient low(0x10, QByteArray::fromHex("1112"), OtherIn, OtherOut);
    rimoCommClient lowAgain(0x10, QByteArray::fromHex("99"), 18305, 18306);
    rimoCommClient stranger(0x30, QByteArray::fromHex("31"), 18307, 18308);

    QVERIFY(m_control->registerCommClient(high));
    QCOMPARE(m_control->adrList().toHex(), QByteArray("21"));
    QVERIFY(m_control->onRegisterCommClient(low));
    QCOMPARE(m_control->adrList().toHex(), QByteArray("111221"));
    QCOMPARE(spy.count(), 2);

    QVERIFY(!m_control->registerCommClient(lowAgain));
    QCOMPARE(spy.count(), 2);
    QVERIFY(!m_control->updateCommClient(stranger));
    QCOMPARE(spy.count(), 2);

    high.setRecAddr(QByteArray::fromHex("2211"));
    QVERIFY(m_control->onUpdateCommClient(high));
    QCOMPARE(m_control->adrList().toHex(), QByteArray("11122211")); // duplicates stay
    QCOMPARE(spy.count(), 3);
    QCOMPARE(spy.last().toHex(), QByteArray("11122211"));

    m_control->unregisterCommClient(low);
    QCOMPARE(m_control->adrList().toHex(), QByteArray("2211"));
    m_control->onUnregisterCommClient(high);
    QVERIFY(m_control->adrList().isEmpty());
    QCOMPARE(spy.count(), 5);

    // The link layer follows: 0x11 was accepted before, now nothing is.
    Listener user(ClientOut);
    m_peer->sendTelegram(rimoTelegram(5, 0x21, 0x08, 0x09, QByteArray::fromHex("05")));
    QVERIFY(waitPeer(*m_peer, Kind::Ack, 1, 2000));
    QVERIFY(user.settle(50).isEmpty());
}

void TestCommLayer::clientAnnouncesItself_data()
{
    QTest::addColumn<int>("sender");
    QTest::addColumn<QByteArray>("receivers");
    QTest::addColumn<QString>("line");
    QTest::newRow("gui") << 0x94 << QByteArray::fromHex("00020694")
                         << "CommClient 0x94 created. Listening to 00 02 06 94 portIn 18301 "
                            "portOut 18302";
    QTest::newRow("one address") << 0xC8 << QByteArray::fromHex("C8")
                                 << "CommClient 0xc8 created. Listening to c8 portIn 18301 "
                                    "portOut 18302";
}

namespace {
QtMsgType g_lastType = QtDebugMsg;
QString g_lastMessage;
void keepLast(QtMsgType type, const QMessageLogContext&, const QString& msg)
{
    g_lastType = type;
    g_lastMessage = msg;
}
} // namespace

void TestCommLayer::clientAnnouncesItself()
{
    QFETCH(int, sender);
    QFETCH(QByteArray, receivers);
    QFETCH(QString, line);
    g_lastMessage.clear();
    const QtMessageHandler previous = qInstallMessageHandler(keepLast);
    {
        rimoCommClient client(uchar(sender), receivers, ClientIn, ClientOut);
    }
    qInstallMessageHandler(previous);
    QCOMPARE(g_lastMessage, line);
    QCOMPARE(g_lastType, QtInfoMsg);
}

void TestCommLayer::invalidClientTelegramDroppedByLinkLayer()
{
    startControl();
    rimoCommClient client(0x94, QByteArray::fromHex("94"), ClientIn, ClientOut);
    QVERIFY(m_control->registerCommClient(client));
    TelegramRecorder down;
    connect(&client, &rimoCommClient::telegramDown, std::ref(down));
    QUdpSocket user;

    QByteArray corrupt =
        rimolink::telegramDatagram(rimoTelegram(3, 0x08, 0x94, 0x89, QByteArray::fromHex("EC00")));
    corrupt[5] = char(corrupt.at(5) ^ 0x10);
    user.writeDatagram(corrupt, QHostAddress::LocalHost, ClientIn);
    QTRY_COMPARE_WITH_TIMEOUT(down.telegrams.size(), 1, 2000); // forwarded unjudged
    QVERIFY(!down.telegrams[0].isValid());

    const rimoTelegram good(4, 0x08, 0x94, 0x89, QByteArray::fromHex("EC01"));
    user.writeDatagram(rimolink::telegramDatagram(good), QHostAddress::LocalHost, ClientIn);
    QVERIFY(waitPeer(*m_peer, Kind::Block, 1, 2000));
    QTest::qWait(30);
    const QVector<QByteArray> blocks = distinct(m_peer->blocks());
    QCOMPARE(blocks.size(), 1);
    QCOMPARE(blocks[0], rimolink::transmissionToBlock(rimolink::telegramToTransmissions(good)[0]));
}

void TestCommLayer::emptyDatagramsDiscarded()
{
    startControl();
    rimoCommClient client(0x94, QByteArray::fromHex("94"), ClientIn, ClientOut);
    QVERIFY(m_control->registerCommClient(client));
    TelegramRecorder down;
    connect(&client, &rimoCommClient::telegramDown, std::ref(down));
    TelegramRecorder arrived;
    connect(m_control.get(), &rimoCommControl::telegramArrived, std::ref(arrived));
    QUdpSocket user;
    user.writeDatagram(QByteArray(), QHostAddress::LocalHost, ClientIn);
    user.writeDatagram(QByteArray(), QHostAddress::LocalHost, rimoCommLayer::DownPort);
    user.writeDatagram(QByteArray(), QHostAddress::LocalHost, rimoCommLayer::UpPort);
    // Both loops go on: a real telegram after them still passes either way.
    const rimoTelegram t(4, 0x08, 0x94, 0x89, QByteArray::fromHex("EC01"));
    user.writeDatagram(rimolink::telegramDatagram(t), QHostAddress::LocalHost, ClientIn);
    QVERIFY(waitPeer(*m_peer, Kind::Block, 1, 2000));
    QCOMPARE(down.telegrams.size(), 1);
    QTest::qWait(30);
    QCOMPARE(distinct(m_peer->blocks()).size(), 1);
    QCOMPARE(arrived.telegrams.size(), 0);
    m_peer->sendTelegram(rimoTelegram(5, 0x94, 0x08, 0x09, QByteArray()));
    QTRY_COMPARE_WITH_TIMEOUT(arrived.telegrams.size(), 1, 2000);
}

void TestCommLayer::stalledWriteIsDroppedThreadLives()
{
    startControl();
    QVERIFY(m_peer->suspendSlaveOutput(true));
    // A stopped terminal accepts no byte at all.
    rimoTelegram stuck(1, 0x08, 0x94, 0x10, QByteArray(37, '\x01'));
    m_control->onTelegramToSend(stuck);
    QTRY_VERIFY_WITH_TIMEOUT(logContains("Serial write failed, transmission dropped"), 5000);
    QVERIFY(m_peer->suspendSlaveOutput(false));
    // The thread is alive and the line works again.
    m_peer->clearReceived();
    rimoTelegram after(2, 0x08, 0x94, 0x89, QByteArray::fromHex("AA55"));
    const QByteArray afterBlock =
        rimolink::transmissionToBlock(rimolink::telegramToTransmissions(after)[0]);
    m_control->onTelegramToSend(after);
    QTRY_VERIFY_WITH_TIMEOUT(m_peer->blocks().contains(afterBlock), 5000);
}

void TestCommLayer::destructionIsPrompt()
{
    startControl();
    QElapsedTimer t;
    t.start();
    m_control.reset();
    QVERIFY2(t.elapsed() < 200, qPrintable(QString("%1 ms").arg(t.elapsed())));
    // The ports are free again for the next owner.
    QUdpSocket up, down;
    QVERIFY(up.bind(QHostAddress::LocalHost, rimoCommLayer::UpPort));
    QVERIFY(down.bind(QHostAddress::LocalHost, rimoCommLayer::DownPort));
}

void TestCommLayer::busyDownPortLeavesLinkStopped()
{
    QUdpSocket squatter;
    QVERIFY(squatter.bind(QHostAddress::LocalHost, rimoCommLayer::DownPort));
    m_peer->startBeacon(0x01);
    m_control = std::make_unique<rimoCommControl>();
    m_peer->stopBeacon();
    QVERIFY(!m_control->isLinkRunning());
    QCOMPARE(m_control->getDBM(), uchar(0x01)); // the line itself was fine
    // Nothing goes out on the line.
    rimoTelegram t(1, 0x08, 0x94, 0x89, QByteArray::fromHex("0100"));
    m_control->onTelegramToSend(t);
    QTest::qWait(50);
    QCOMPARE(m_peer->count(Kind::Block), 0);
}

void TestCommLayer::silentPeerHoldsStartUp()
{
    // Until the boards have sent a transmission start the comm control does
    // not come up; the first start lets it go on with that start's marker.
    QProcess probe;
    QByteArray out;
    connect(&probe, &QProcess::readyReadStandardOutput,
            [&] { out += probe.readAllStandardOutput(); });
    probe.start(QStringLiteral(LINKPROBE_PATH), QStringList());
    QVERIFY(probe.waitForStarted());
    m_peer->write(QByteArray::fromHex("00FF3C12FFF0")); // no start among these
    QTest::qWait(500);
    QCOMPARE(probe.state(), QProcess::Running);
    QVERIFY(!out.contains("ready"));
    m_peer->startBeacon(0x02);
    QTRY_VERIFY_WITH_TIMEOUT(out.contains("linkprobe: ready dbm=2"), 10000);
    m_peer->stopBeacon();
    probe.kill();
    QVERIFY(probe.waitForFinished(5000));
}

void TestCommLayer::lineLostEndsProcess()
{
    m_peer->startBeacon(0x01);
    QProcess probe;
    QByteArray out;
    connect(&probe, &QProcess::readyReadStandardOutput,
            [&] { out += probe.readAllStandardOutput(); });
    probe.start(QStringLiteral(LINKPROBE_PATH), QStringList());
    QVERIFY(probe.waitForStarted());
    QTRY_VERIFY_WITH_TIMEOUT(
        out.contains("linkprobe: ready dbm=1") || probe.state() != QProcess::Running, 10000);
    QCOMPARE(probe.state(), QProcess::Running);
    m_peer->hangUp();
    QVERIFY(probe.waitForFinished(5000));
    QCOMPARE(probe.exitStatus(), QProcess::NormalExit);
    QCOMPARE(probe.exitCode(), 1);
    QVERIFY(probe.readAllStandardError().contains("Serial line lost"));
}

void TestCommLayer::unopenablePortEndsProcess()
{
    QFile::remove(qEnvironmentVariable("VANTO_ROOT") + "/dev/ttymxc1");
    QProcess probe;
    probe.start(QStringLiteral(LINKPROBE_PATH), QStringList());
    QVERIFY(probe.waitForFinished(5000));
    QVERIFY(probe.exitStatus() == QProcess::CrashExit || probe.exitCode() != 0);
    QVERIFY(probe.readAllStandardError().contains("Error opening serial: "));
}

QTEST_GUILESS_MAIN(TestCommLayer)
#include "tst_commlayer.moc"

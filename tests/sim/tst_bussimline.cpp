// rimo-bussim against the protocol library's comm control over the
// pseudo-terminal: what the panel's side of the bus sees.

#include "rimocommclient.h"
#include "rimocommcontrol.h"
#include "rimotelegram.h"

#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLocalSocket>
#include <QProcess>
#include <QtEndian>
#include <QtTest>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <memory>
#include <mutex>
#include <thread>

namespace {

constexpr uchar Gui = 0x94;
constexpr uchar Unit = 0x08;
constexpr int Appliance = 3;

QByteArray idBytes(quint16 id)
{
    QByteArray d(2, '\0');
    qToLittleEndian<quint16>(id, reinterpret_cast<uchar*>(d.data()));
    return d;
}

quint16 idOf(const QByteArray& data)
{
    return data.size() >= 2
               ? qFromLittleEndian<quint16>(reinterpret_cast<const uchar*>(data.constData()))
               : 0xFFFF;
}

qint32 valueOf(const QByteArray& record)
{
    return qFromLittleEndian<qint32>(reinterpret_cast<const uchar*>(record.constData()) + 4);
}

// A record as the panel builds it for a write or a code check.
QByteArray record(quint16 id, qint32 value, uchar action)
{
    QByteArray r(28, '\0');
    auto* p = reinterpret_cast<uchar*>(r.data());
    qToLittleEndian<quint16>(id, p);
    qToLittleEndian<quint16>(0xFFFF, p + 2);
    qToLittleEndian<qint32>(value, p + 4);
    qToLittleEndian<qint32>(2147483647, p + 8);
    qToLittleEndian<qint32>(2147483647, p + 12);
    qToLittleEndian<quint16>(0xFFFF, p + 16);
    qToLittleEndian<quint16>(0xFFFF, p + 18);
    p[20] = 0xFF;
    p[21] = action;
    p[22] = 1;
    p[23] = 0xFF;
    return r;
}

// Ends the test with a diagnosis instead of a silent ctest time-out when a
// blocking step (the comm control waits for the first transmission start
// without a limit) never returns.
class Watchdog
{
public:
    ~Watchdog() { stop(); }
    void start(const QString& logPath, int seconds)
    {
        m_logPath = logPath.toLocal8Bit();
        m_thread = std::thread([this, seconds] {
            std::unique_lock<std::mutex> lock(m_mutex);
            if (m_cv.wait_for(lock, std::chrono::seconds(seconds), [this] { return m_done; }))
                return;
            std::fprintf(stderr, "tst_bussimline: stuck in %s; end of the simulator's log:\n",
                         phase.load());
            if (FILE* f = std::fopen(m_logPath.constData(), "r")) {
                std::fseek(f, -3000, SEEK_END);
                char buf[3001] = {};
                const size_t n = std::fread(buf, 1, 3000, f);
                std::fwrite(buf, 1, n, stderr);
                std::fclose(f);
            }
            std::fflush(stderr);
            std::_Exit(3);
        });
    }
    void stop()
    {
        {
            std::lock_guard<std::mutex> lock(m_mutex);
            m_done = true;
        }
        m_cv.notify_all();
        if (m_thread.joinable())
            m_thread.join();
    }
    std::atomic<const char*> phase{"start"};

private:
    QByteArray m_logPath;
    std::thread m_thread;
    std::mutex m_mutex;
    std::condition_variable m_cv;
    bool m_done = false;
};

struct Received
{
    qint64 atMs;
    uchar sender;
    uchar receiver;
    uchar command;
    QByteArray data;
};

} // namespace

class TestBusSimLine : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();
    void init() { m_watchdog.phase = QTest::currentTestFunction(); }

    void dbmMarkerIsSeen();
    void requestIsAnsweredWithTheRecord();
    void writeIsClampedAndReportedBack();
    void verifyAnswersCorrectOrWrong();
    void sessionCountsDown();
    void idleLineStillReachesThePanel();
    void silenceStopsAllTraffic();
    void receivedBlockFaults_data();
    void receivedBlockFaults();
    void sentBlockFaults();
    void brokenBlocksTillTheLastAttemptLoseTheTelegram();
    void controlSocketSurvivesBadInput();

private:
    void send(uchar receiver, uchar command, const QByteArray& data);
    QString control(const QString& line);
    // Telegrams received since index `from` that match.
    int findReport(int from, quint16 id, uchar command = 0x09) const;
    bool waitForReport(int from, quint16 id, int ms, int* index = nullptr);
    QVector<QJsonObject> logSince(qint64 offset);
    qint64 logSize() const { return QFileInfo(m_logPath).size(); }

    QProcess m_sim;
    QString m_root;
    QString m_logPath;
    std::unique_ptr<rimoCommControl> m_comm;
    std::unique_ptr<rimoCommClient> m_client;
    QVector<Received> m_received;
    QElapsedTimer m_clock;
    uchar m_tid = 0;
    Watchdog m_watchdog;
};

void TestBusSimLine::initTestCase()
{
    m_root = qEnvironmentVariable("VANTO_ROOT");
    QVERIFY2(!m_root.isEmpty(), "run through tests/run-isolated");
    m_logPath = m_root + "/run/rimo-bussim.log";
    m_watchdog.start(m_logPath, 90);
    m_watchdog.phase = "starting the simulator";
    m_sim.setProgram(QStringLiteral(BUSSIM_PATH));
    m_sim.setArguments({"--dbm", "2", "--appliance", QString::number(Appliance), "--boot-ms", "50",
                        "--reference-ms", "200", "--no-ident"});
    m_sim.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    m_sim.start();
    QVERIFY(m_sim.waitForStarted(5000));
    QTRY_VERIFY_WITH_TIMEOUT(m_sim.canReadLine() || m_sim.state() != QProcess::Running, 10000);
    QCOMPARE(m_sim.readLine().trimmed(), QByteArray("rimo-bussim: ready"));
    QVERIFY(QFileInfo(m_root + "/dev/ttymxc1").isSymLink());

    m_clock.start();
    // Blocks until the simulator's first transmission start.
    m_watchdog.phase = "waiting for the first transmission start";
    m_comm = std::make_unique<rimoCommControl>();
    m_watchdog.phase = "initTestCase";
    QVERIFY(m_comm->isLinkRunning());
    m_client = std::make_unique<rimoCommClient>(Gui, QByteArray(1, char(Gui)), 18391, 18392);
    QVERIFY(m_comm->registerCommClient(*m_client));
    connect(m_comm.get(), &rimoCommControl::telegramArrived, this, [this](rimoTelegram& t) {
        m_received.append(Received{m_clock.elapsed(), t.senderAddress(), t.receiverAddress(),
                                   t.command(), t.data()});
    });
    // Let the boot and the reference run pass.
    QTRY_VERIFY_WITH_TIMEOUT(control("status").startsWith("ok state=18 "), 5000);
}

void TestBusSimLine::cleanupTestCase()
{
    m_watchdog.phase = "stopping the comm control";
    m_client.reset();
    m_comm.reset();
    m_watchdog.phase = "stopping the simulator";
    if (m_sim.state() == QProcess::Running) {
        m_sim.terminate();
        QVERIFY(m_sim.waitForFinished(5000));
        QCOMPARE(m_sim.exitStatus(), QProcess::NormalExit);
        QCOMPARE(m_sim.exitCode(), 0);
    }
    // A clean end removes the link and the socket.
    QVERIFY(!QFileInfo(m_root + "/dev/ttymxc1").isSymLink());
    QVERIFY(!QFileInfo::exists(m_root + "/run/rimo-bussim.sock"));
    m_watchdog.stop();
}

void TestBusSimLine::send(uchar receiver, uchar command, const QByteArray& data)
{
    rimoTelegram t(++m_tid, receiver, Gui, command, data);
    m_comm->onTelegramToSend(t);
}

QString TestBusSimLine::control(const QString& line)
{
    QLocalSocket socket;
    socket.connectToServer(m_root + "/run/rimo-bussim.sock");
    if (!socket.waitForConnected(2000))
        return QStringLiteral("no connection");
    socket.write(line.toUtf8() + '\n');
    socket.flush();
    QElapsedTimer t;
    t.start();
    while (!socket.canReadLine() && t.elapsed() < 3000)
        socket.waitForReadyRead(50);
    return QString::fromUtf8(socket.readLine()).trimmed();
}

int TestBusSimLine::findReport(int from, quint16 id, uchar command) const
{
    for (int i = from; i < m_received.size(); ++i) {
        const Received& r = m_received.at(i);
        if (r.sender == Unit && r.command == command && idOf(r.data) == id)
            return i;
    }
    return -1;
}

bool TestBusSimLine::waitForReport(int from, quint16 id, int ms, int* index)
{
    QElapsedTimer t;
    t.start();
    while (t.elapsed() < ms) {
        const int i = findReport(from, id);
        if (i >= 0) {
            if (index)
                *index = i;
            return true;
        }
        QTest::qWait(5);
    }
    return false;
}

QVector<QJsonObject> TestBusSimLine::logSince(qint64 offset)
{
    QVector<QJsonObject> out;
    QFile f(m_logPath);
    if (!f.open(QIODevice::ReadOnly))
        return out;
    f.seek(offset);
    while (!f.atEnd()) {
        const QByteArray line = f.readLine();
        const QJsonDocument doc = QJsonDocument::fromJson(line);
        if (doc.isObject())
            out << doc.object();
    }
    return out;
}

void TestBusSimLine::dbmMarkerIsSeen()
{
    QCOMPARE(int(m_comm->getDBM()), 2);
}

void TestBusSimLine::requestIsAnsweredWithTheRecord()
{
    const int from = m_received.size();
    send(Unit, 0x89, idBytes(10040));
    int i = -1;
    QVERIFY(waitForReport(from, 10040, 2000, &i));
    const Received& r = m_received.at(i);
    QCOMPARE(int(r.receiver), int(Gui));
    QCOMPARE(r.data.size(), 28);
    QCOMPARE(valueOf(r.data), Appliance);
    // A parameter the unit does not know stays unanswered.
    const int before = m_received.size();
    send(Unit, 0x89, idBytes(4711));
    QTest::qWait(300);
    QCOMPARE(findReport(before, 4711), -1);
}

void TestBusSimLine::writeIsClampedAndReportedBack()
{
    const qint64 logStart = logSize();
    const int from = m_received.size();
    send(Unit, 0xA9, record(10000, 42, 0)); // nozzle pressure 1..10
    int i = -1;
    QVERIFY(waitForReport(from, 10000, 2000, &i));
    QCOMPARE(valueOf(m_received.at(i).data), 10);
    // The log shows what the panel wrote, decoded.
    bool seen = false;
    for (const QJsonObject& o : logSince(logStart)) {
        if (o.value("ev") == "telegram" && o.value("dir") == "rx" && o.value("cmd") == "0xa9") {
            const QJsonObject p = o.value("param").toObject();
            QCOMPARE(p.value("id").toInt(), 10000);
            QCOMPARE(p.value("value").toInt(), 42);
            QCOMPARE(o.value("snd").toString(), QStringLiteral("0x94"));
            QCOMPARE(o.value("tid").toInt(), int(m_tid)); // as the panel numbered it
            QCOMPARE(o.value("rcv").toString(), QStringLiteral("0x08"));
            seen = true;
        }
    }
    QVERIFY(seen);
    // UP from the maximum stays at the maximum.
    const int from2 = m_received.size();
    send(Unit, 0xA9, record(10000, 10, 130));
    QVERIFY(waitForReport(from2, 10000, 2000, &i));
    QCOMPARE(valueOf(m_received.at(i).data), 10);
}

void TestBusSimLine::verifyAnswersCorrectOrWrong()
{
    struct Case
    {
        quint16 id;
        qint32 code;
        uchar verdict;
    };
    const Case cases[] = {{10029, 1234, 133}, {10029, 4321, 134}, {10027, 0, 133}, {10027, 1, 134}};
    for (const Case& c : cases) {
        const int from = m_received.size();
        send(Unit, 0x89, record(c.id, c.code, 132));
        int i = -1;
        QVERIFY(waitForReport(from, c.id, 2000, &i));
        QCOMPARE(int(uchar(m_received.at(i).data.at(21))), int(c.verdict));
    }
}

void TestBusSimLine::sessionCountsDown()
{
    const int from = m_received.size();
    QVERIFY(control("state 10").startsWith("ok"));
    // Reports of the massage time, one a second, counting down.
    QTRY_VERIFY_WITH_TIMEOUT(
        [&] {
            int n = 0;
            for (int i = from; i < m_received.size(); ++i)
                if (m_received.at(i).sender == Unit && idOf(m_received.at(i).data) == 10003)
                    ++n;
            return n >= 3;
        }(),
        6000);
    QVector<Received> times;
    for (int i = from; i < m_received.size(); ++i)
        if (m_received.at(i).sender == Unit && idOf(m_received.at(i).data) == 10003)
            times << m_received.at(i);
    QCOMPARE(valueOf(times.at(1).data), valueOf(times.at(0).data) - 1);
    QCOMPARE(valueOf(times.at(2).data), valueOf(times.at(1).data) - 1);
    const qint64 gap = times.at(2).atMs - times.at(1).atMs;
    QVERIFY2(gap > 700 && gap < 1300, qPrintable(QString::number(gap)));
    QVERIFY(control("state 18").startsWith("ok"));
}

void TestBusSimLine::idleLineStillReachesThePanel()
{
    // Nothing asked, nothing changing: the panel still hears from the boards
    // well within its 5 s watchdog (at most every 2 s).
    const int from = m_received.size();
    const qint64 start = m_clock.elapsed();
    QTest::qWait(3000);
    qint64 last = start;
    int toPanel = 0;
    for (int i = from; i < m_received.size(); ++i) {
        if (m_received.at(i).receiver != Gui)
            continue;
        QVERIFY2(m_received.at(i).atMs - last <= 2000,
                 qPrintable(QString::number(m_received.at(i).atMs - last)));
        last = m_received.at(i).atMs;
        ++toPanel;
    }
    QVERIFY(toPanel >= 2);
    QVERIFY(m_clock.elapsed() - last <= 2000);
}

void TestBusSimLine::silenceStopsAllTraffic()
{
    QVERIFY(control("silence 1500").startsWith("ok"));
    const qint64 start = m_clock.elapsed();
    // Telegrams already on the line when the silence began still arrive.
    QTest::qWait(100);
    const int from = m_received.size();
    // Even a request stays unanswered.
    send(Unit, 0x89, idBytes(10040));
    QTest::qWait(1200);
    QCOMPARE(m_received.size(), from);
    // Afterwards the keep-alive resumes: some telegram within 2 s.
    QTRY_VERIFY_WITH_TIMEOUT(m_received.size() > from, 2500);
    QVERIFY(m_received.at(from).atMs - start >= 1450);
    QCOMPARE(findReport(from, 10040), -1);
}

void TestBusSimLine::receivedBlockFaults_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<int>("count");
    QTest::addColumn<bool>("answered");
    // The library tries each transmission five times.
    QTest::newRow("no ack twice: third attempt gets through") << "noack" << 2 << true;
    QTest::newRow("NAK twice: third attempt gets through") << "nak" << 2 << true;
    QTest::newRow("no ack five times: given up") << "noack" << 5 << false;
    QTest::newRow("NAK five times: given up") << "nak" << 5 << false;
}

void TestBusSimLine::receivedBlockFaults()
{
    QFETCH(QString, kind);
    QFETCH(int, count);
    QFETCH(bool, answered);
    const qint64 logStart = logSize();
    QVERIFY(control(QStringLiteral("fault %1 %2").arg(kind).arg(count)).startsWith("ok"));
    const int from = m_received.size();
    send(Unit, 0x89, idBytes(10001));
    QCOMPARE(waitForReport(from, 10001, answered ? 2000 : 600), answered);
    QTest::qWait(100);
    int faults = 0, requests = 0;
    for (const QJsonObject& o : logSince(logStart)) {
        if (o.value("ev") == kind && (kind == "noack" || o.value("reason") == "fault"))
            ++faults;
        if (o.value("ev") == "telegram" && o.value("dir") == "rx" && o.value("cmd") == "0x89")
            ++requests;
    }
    QCOMPARE(faults, count);
    QCOMPARE(requests, answered ? 1 : 0);
    QVERIFY(control(QStringLiteral("fault %1 0").arg(kind)).startsWith("ok"));
}

void TestBusSimLine::sentBlockFaults()
{
    // Garbage before a transmission is discarded by the library, which
    // acknowledges the block at the first attempt; a broken CRC is answered
    // with NAK and the block repeated.
    struct Case
    {
        const char* kind;
        const char* retryReason; // nullptr: no retry expected
    };
    const Case cases[] = {{"garbage", nullptr}, {"corrupt", "nak"}};
    for (const Case& c : cases) {
        const qint64 logStart = logSize();
        QVERIFY(control(QStringLiteral("fault %1 1").arg(c.kind)).startsWith("ok"));
        const int from = m_received.size();
        send(Unit, 0x89, idBytes(10002));
        QVERIFY(waitForReport(from, 10002, 2000));
        QTest::qWait(100);
        int faultTid = -1;
        bool retried = false, acked = false;
        for (const QJsonObject& o : logSince(logStart)) {
            if (o.value("ev") == QLatin1String(c.kind))
                faultTid = o.value("tid").toInt();
            if (faultTid >= 0 && o.value("tid").toInt() == faultTid) {
                if (o.value("ev") == "retry" && c.retryReason)
                    retried = o.value("reason") == QLatin1String(c.retryReason);
                if (o.value("ev") == "acked") {
                    acked = true;
                    QCOMPARE(o.value("attempt").toInt(), c.retryReason ? 2 : 1);
                }
            }
        }
        QVERIFY2(faultTid >= 0, c.kind);
        QVERIFY2(acked, c.kind);
        QCOMPARE(retried, c.retryReason != nullptr);
    }
}

void TestBusSimLine::brokenBlocksTillTheLastAttemptLoseTheTelegram()
{
    // The next transmission, the answer or a keep-alive, is broken five
    // times: the library NAKs each attempt and the simulator gives it up.
    const qint64 logStart = logSize();
    QVERIFY(control("fault corrupt 5").startsWith("ok"));
    send(Unit, 0x89, idBytes(10031));
    QTest::qWait(600);
    QVERIFY(control("fault corrupt 0").startsWith("ok"));
    int giveups = 0;
    for (const QJsonObject& o : logSince(logStart))
        if (o.value("ev") == "giveup" && o.value("reason") == "nak")
            ++giveups;
    QCOMPARE(giveups, 1);
    // The line recovers: the next request is answered.
    const int before = m_received.size();
    send(Unit, 0x89, idBytes(10031));
    QVERIFY(waitForReport(before, 10031, 2000));
}

void TestBusSimLine::controlSocketSurvivesBadInput()
{
    QLocalSocket socket;
    socket.connectToServer(m_root + "/run/rimo-bussim.sock");
    QVERIFY(socket.waitForConnected(2000));
    // An unknown command, binary bytes, an overlong line sent in pieces, then
    // a good command: one answer each, in order.
    socket.write("bogus 1 2 3\n");
    socket.write(QByteArray("\x00\x01\xfe\xff state 3\n", 13));
    for (int i = 0; i < 10; ++i) {
        socket.write(QByteArray(1000, 'x'));
        socket.flush();
        QTest::qWait(5);
    }
    socket.write("\nstatus\n");
    socket.flush();
    QStringList answers;
    QElapsedTimer t;
    t.start();
    while (answers.size() < 4 && t.elapsed() < 5000) {
        if (socket.canReadLine())
            answers << QString::fromUtf8(socket.readLine()).trimmed();
        else
            socket.waitForReadyRead(50);
    }
    QCOMPARE(answers.size(), 4);
    QVERIFY2(answers.at(0).startsWith("error unknown command"), qPrintable(answers.at(0)));
    QVERIFY2(answers.at(1).startsWith("error"), qPrintable(answers.at(1)));
    QCOMPARE(answers.at(2), QStringLiteral("error line too long"));
    QVERIFY2(answers.at(3).startsWith("ok state=18 "), qPrintable(answers.at(3)));
    // A client that leaves in the middle of a line does no harm.
    QLocalSocket rude;
    rude.connectToServer(m_root + "/run/rimo-bussim.sock");
    QVERIFY(rude.waitForConnected(2000));
    rude.write("state ");
    rude.flush();
    rude.abort();
    QTest::qWait(50);
    QVERIFY(control("status").startsWith("ok state=18 "));
    QCOMPARE(m_sim.state(), QProcess::Running);
}

QTEST_GUILESS_MAIN(TestBusSimLine)
#include "tst_bussimline.moc"

// The boards' side of the link layer without a pty, the control line
// splitting and the command-line options.

#include "audioboard.h"
#include "controlserver.h"
#include "maincontrolunit.h"
#include "peerlink.h"
#include "rimolinkcodec.h"
#include "simoptions.h"

#include <QtTest>

using namespace bussim;

namespace {

rimoTelegram request(uchar receiver = 0x08, int dataSize = 2, uchar tid = 7)
{
    QByteArray data(dataSize, '\0');
    for (int i = 0; i < dataSize; ++i)
        data[i] = char(i * 7 + 1);
    return rimoTelegram(tid, receiver, 0x94, 0x89, data);
}

QByteArray wire(const rimoTelegram& t, uchar marker = 0)
{
    QByteArray out;
    for (const QByteArray& tr : rimolink::telegramToTransmissions(t, marker))
        out += tr;
    return out;
}

// A transmission whose block has one bit of its CRC flipped.
QByteArray brokenWire(const rimoTelegram& t)
{
    QByteArray block = rimolink::rawBlocksToBlocks(rimolink::telegramToRawBlocks(t)).first();
    block[block.size() - 1] = char(block.at(block.size() - 1) ^ 0x10);
    return rimolink::blockToTransmission(block);
}

// A PeerLink with everything it writes, delivers and reports collected.
struct Link
{
    Link()
    {
        PeerLink::Callbacks cb;
        cb.write = [this](const QByteArray& b) { written << b; };
        cb.telegram = [this](const rimoTelegram& t, uchar tid) {
            telegrams << t;
            tids << tid;
        };
        cb.event = [this](const QString& k, const QJsonObject& d) { events << qMakePair(k, d); };
        link = std::make_unique<PeerLink>(cb);
    }
    QByteArray allWritten() const
    {
        QByteArray all;
        for (const QByteArray& b : written)
            all += b;
        return all;
    }
    int count(const QString& kind) const
    {
        int n = 0;
        for (const auto& e : events)
            n += e.first == kind;
        return n;
    }
    // Blocks found in what the link wrote, decoded by the panel's scanner.
    QVector<QByteArray> writtenBlocks() const
    {
        rimolink::Scanner scanner;
        QVector<QByteArray> blocks;
        for (const rimolink::ScanEvent& e : scanner.feed(allWritten()))
            if (e.kind == rimolink::ScanEvent::Block)
                blocks << e.block;
        return blocks;
    }

    std::unique_ptr<PeerLink> link;
    QVector<QByteArray> written;
    QVector<rimoTelegram> telegrams;
    QVector<uchar> tids;
    QVector<QPair<QString, QJsonObject>> events;
};

} // namespace

class TestBusSimLink : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { QLoggingCategory::setFilterRules(QStringLiteral("rimo.bussim.*=false")); }
    void everyBlockIsAnswered_data();
    void everyBlockIsAnswered();
    void repeatedBlockIsDeliveredOnce_data();
    void repeatedBlockIsDeliveredOnce();
    void ownTelegramsCarryTheDbmMarker();
    void ownTelegramsWaitForTheirAck();
    void retriesOnNakAndTimeoutThenGivesUp();
    void sentFaultsAreRepairedByTheRetry();
    void absentPanelGetsOneAttemptPerBlock();
    void randomLineBytesNeverStopTheLink();
    void wellFramedNonsenseReachesTheBoardsHarmlessly();

    void controlLinesAreSplit();
    void options_data();
    void options();
};

void TestBusSimLink::everyBlockIsAnswered_data()
{
    QTest::addColumn<QByteArray>("input");
    QTest::addColumn<QString>("fault"); // "", "noack", "nak"
    QTest::addColumn<QByteArray>("answer");
    QTest::addColumn<int>("delivered");
    const QByteArray ack = QByteArray::fromHex("fff0");
    const QByteArray nak = QByteArray::fromHex("ff0f");
    QTest::newRow("good block") << wire(request()) << "" << ack << 1;
    QTest::newRow("any marker accepted") << wire(request(), 3) << "" << ack << 1;
    QTest::newRow("bad CRC") << brokenWire(request()) << "" << nak << 0;
    QTest::newRow("too short: no answer")
        << rimolink::blockToTransmission(QByteArray::fromHex("0000830894070000")) << ""
        << QByteArray() << 0;
    QTest::newRow("other receiver still acknowledged") << wire(request(0x55)) << "" << ack << 1;
    QTest::newRow("garbage before") << PeerLink::garbage() + wire(request()) << "" << ack << 1;
    QTest::newRow("two blocks, one telegram") << wire(request(0x08, 60)) << "" << ack + ack << 1;
    QTest::newRow("fault noack") << wire(request()) << "noack" << QByteArray() << 0;
    QTest::newRow("fault nak") << wire(request()) << "nak" << nak << 0;
}

void TestBusSimLink::everyBlockIsAnswered()
{
    QFETCH(QByteArray, input);
    QFETCH(QString, fault);
    QFETCH(QByteArray, answer);
    QFETCH(int, delivered);
    Link l;
    if (fault == "noack")
        l.link->addFault(PeerLink::Fault::NoAck, 1);
    if (fault == "nak")
        l.link->addFault(PeerLink::Fault::Nak, 1);
    // Fed in two pieces, split inside the first transmission.
    l.link->receive(input.left(9), 0);
    l.link->receive(input.mid(9), 1);
    QCOMPARE(l.allWritten().toHex(), answer.toHex());
    QCOMPARE(l.telegrams.size(), delivered);
    if (delivered) {
        QVERIFY(l.telegrams.first().isValid());
        QCOMPARE(int(l.tids.first()), 7); // the TId of the blocks, not the sender
        QCOMPARE(l.telegrams.first().getTelegram(),
                 request(l.telegrams.first().receiverAddress(), l.telegrams.first().data().size())
                     .getTelegram());
    }
    // The fault is used up: the same bytes again are answered normally.
    if (!fault.isEmpty()) {
        l.written.clear();
        l.link->receive(input, 2);
        QCOMPARE(l.allWritten().toHex(), QByteArray("fff0"));
    }
}

void TestBusSimLink::repeatedBlockIsDeliveredOnce_data()
{
    QTest::addColumn<QByteArray>("second");
    QTest::addColumn<int>("gapMs");
    QTest::addColumn<int>("delivered");
    QTest::newRow("same block at once: a repeat") << wire(request()) << 3 << 1;
    QTest::newRow("same block later: a new telegram") << wire(request()) << 300 << 2;
    QTest::newRow("next TId: a new telegram") << wire(request(0x08, 2, 8)) << 3 << 2;
    QTest::newRow("same TId, other data") << wire(request(0x08, 3)) << 3 << 2;
}

void TestBusSimLink::repeatedBlockIsDeliveredOnce()
{
    QFETCH(QByteArray, second);
    QFETCH(int, gapMs);
    QFETCH(int, delivered);
    Link l;
    l.link->receive(wire(request()), 1000);
    l.link->receive(second, 1000 + gapMs);
    // Both are acknowledged.
    QCOMPARE(l.allWritten().toHex(), QByteArray("fff0fff0"));
    QCOMPARE(l.telegrams.size(), delivered);
    QCOMPARE(l.count("repeat"), 2 - delivered);
}

void TestBusSimLink::ownTelegramsCarryTheDbmMarker()
{
    Link l;
    l.link->setMarker(2);
    l.link->send(request(0x94), 0);
    QCOMPARE(l.written.size(), 1);
    const QByteArray tr = l.written.first();
    QVERIFY(tr.startsWith(QByteArray::fromHex("ffc3")));
    QCOMPARE(int(uchar(tr.at(2))), 2);
    QCOMPARE(rimolink::findDbm(tr), 2);
    // The panel's scanner takes it as a good block of that telegram.
    const auto blocks = l.writtenBlocks();
    QCOMPARE(blocks.size(), 1);
    QCOMPARE(rimolink::checkBlock(blocks.first()), rimolink::BlockCheck::Good);
}

void TestBusSimLink::ownTelegramsWaitForTheirAck()
{
    Link l;
    l.link->setAckTimeoutMs(20);
    l.link->send(request(0x94, 2, 1), 0);
    l.link->send(request(0x94, 50, 2), 0); // two blocks
    QCOMPARE(l.written.size(), 1);
    QCOMPARE(l.link->deadline(), qint64(20));
    l.link->receive(rimolink::ack(), 5);
    QCOMPARE(l.written.size(), 2);
    l.link->receive(rimolink::ack(), 6);
    QCOMPARE(l.written.size(), 3);
    l.link->receive(rimolink::ack(), 7);
    QVERIFY(l.link->idle());
    QCOMPARE(l.count("acked"), 3);
    QCOMPARE(l.count("retry"), 0);
    // The panel reassembles what was written into the two telegrams.
    rimolink::RawBlockStore store;
    int complete = 0;
    for (const QByteArray& b : l.writtenBlocks())
        complete += store.addBlock(rimolink::blockToRawBlock(b), 0).telegram.has_value();
    QCOMPARE(complete, 2);
}

void TestBusSimLink::retriesOnNakAndTimeoutThenGivesUp()
{
    Link l;
    l.link->setAckTimeoutMs(20);
    l.link->send(request(0x94, 2, 1), 0);
    l.link->send(request(0x94, 2, 2), 0);
    l.link->poll(19);
    QCOMPARE(l.written.size(), 1);
    l.link->poll(20); // time-out: attempt 2
    QCOMPARE(l.written.size(), 2);
    QCOMPARE(l.written.at(1), l.written.at(0));
    l.link->receive(rimolink::nak(), 25); // attempt 3
    l.link->receive(rimolink::nak(), 26); // attempt 4
    l.link->poll(46);                     // attempt 5
    QCOMPARE(l.written.size(), 5);
    QCOMPARE(l.count("retry"), 4);
    l.link->receive(rimolink::nak(), 50); // fifth failure: given up, next telegram goes
    QCOMPARE(l.count("giveup"), 1);
    QCOMPARE(l.written.size(), 6);
    QVERIFY(l.written.at(5) != l.written.at(0));
    l.link->receive(rimolink::ack(), 51);
    QVERIFY(l.link->idle());
    QCOMPARE(l.link->deadline(), qint64(-1));
}

void TestBusSimLink::sentFaultsAreRepairedByTheRetry()
{
    // Broken CRC: the panel NAKs, the repeat is good.
    Link l;
    l.link->addFault(PeerLink::Fault::Corrupt, 1);
    l.link->send(request(0x94), 0);
    QCOMPARE(rimolink::checkBlock(l.writtenBlocks().first()), rimolink::BlockCheck::BadCrc);
    l.link->receive(rimolink::nak(), 1);
    QCOMPARE(l.writtenBlocks().size(), 2);
    QCOMPARE(rimolink::checkBlock(l.writtenBlocks().at(1)), rimolink::BlockCheck::Good);

    // Garbage: the panel's scanner skips it and finds the block.
    Link g;
    g.link->addFault(PeerLink::Fault::Garbage, 1);
    g.link->send(request(0x94), 0);
    QVERIFY(g.written.first().startsWith(PeerLink::garbage()));
    QCOMPARE(g.writtenBlocks().size(), 1);
    QCOMPARE(rimolink::checkBlock(g.writtenBlocks().first()), rimolink::BlockCheck::Good);
    QCOMPARE(g.count("garbage"), 1);
}

void TestBusSimLink::absentPanelGetsOneAttemptPerBlock()
{
    Link l;
    l.link->setAckTimeoutMs(10);
    qint64 t = 0;
    for (int i = 0; i < 3; ++i)
        l.link->send(request(0x94, 2, uchar(i)), t);
    // Nobody answers: the first two blocks get their five attempts...
    for (int n = 0; n < 10; ++n)
        l.link->poll(t += 10);
    QCOMPARE(l.count("giveup"), 2);
    QCOMPARE(l.written.size(), 11);
    // ...then one attempt each, so a missing panel cannot pile them up.
    l.link->poll(t += 10);
    QCOMPARE(l.count("giveup"), 3);
    QCOMPARE(l.written.size(), 11);
    // An answer brings the retries back.
    l.link->send(request(0x94, 2, 9), t);
    l.link->receive(rimolink::nak(), t + 1);
    QCOMPARE(l.count("retry"), 8 + 1);
}

void TestBusSimLink::randomLineBytesNeverStopTheLink()
{
    Link l;
    QRandomGenerator rng(4711);
    const QByteArray good = wire(request());
    for (int round = 0; round < 3000; ++round) {
        QByteArray chunk(int(rng.bounded(1, 120)), '\0');
        for (char& c : chunk) {
            // Lots of control and marker bytes, so the scanner sees many pairs.
            const quint32 r = rng.bounded(10);
            c = char(r < 3    ? 0xFF
                     : r < 5  ? rng.bounded(4)
                     : r == 5 ? 0xC3
                     : r == 6 ? 0x3C
                              : rng.bounded(256));
        }
        // Now and then a real block in the middle of the noise.
        if (round % 7 == 0)
            chunk.insert(int(rng.bounded(chunk.size())), good);
        l.link->receive(chunk, round);
    }
    // Whatever came before, a clean transmission after an end marker is
    // acknowledged and delivered.
    l.written.clear();
    const int before = l.telegrams.size();
    l.link->receive(QByteArray::fromHex("ff3cff00") + good, 5000);
    QVERIFY(l.allWritten().endsWith(QByteArray::fromHex("fff0")));
    QCOMPARE(l.telegrams.size(), before + 1);
}

void TestBusSimLink::wellFramedNonsenseReachesTheBoardsHarmlessly()
{
    // Blocks with a good CRC but arbitrary headers, offsets and chunks, for
    // the boards' addresses: reassembly and the boards take whatever
    // telegrams come out of them.
    SimOptions options;
    MainControlUnit unit(options);
    AudioBoard audio;
    int out = 0;
    QObject::connect(&unit, &MainControlUnit::telegramOut, [&out](const SimTelegram&) { ++out; });
    QObject::connect(&audio, &AudioBoard::telegramOut, [&out](const SimTelegram&) { ++out; });
    unit.start();
    int delivered = 0;
    PeerLink::Callbacks cb;
    cb.write = [](const QByteArray&) {};
    cb.telegram = [&](const rimoTelegram& t, uchar) {
        ++delivered;
        const SimTelegram st{t.receiverAddress(), t.senderAddress(), t.command(), t.data()};
        if (st.receiver == 0x08)
            unit.handleTelegram(st);
        else
            audio.handleTelegram(st);
    };
    PeerLink link(cb);
    QRandomGenerator rng(99);
    const uchar receivers[] = {0x08, 0xF2, 0x98};
    const uchar commands[] = {0x00, 0x09, 0x89, 0xA9, 0xB0, 0xB1, 0xB3, 0x92};
    qint64 now = 0;
    for (int i = 0; i < 20000; ++i) {
        QByteArray chunk(int(rng.bounded(1, 41)), '\0');
        for (char& c : chunk)
            c = char(rng.bounded(256));
        if (rng.bounded(2) == 0)
            chunk[0] = char(commands[rng.bounded(int(sizeof commands))]);
        const uchar header = uchar(
            rng.bounded(4) == 0 ? rng.bounded(256) : (chunk.size() | (rng.bounded(3) ? 0x80 : 0)));
        const quint16 offset = quint16(rng.bounded(3) == 0 ? rng.bounded(65536) : 0);
        const QByteArray raw = rimolink::makeRawBlock(header, receivers[rng.bounded(3)], 0x94,
                                                      uchar(rng.bounded(256)), offset, chunk);
        link.receive(rimolink::blockToTransmission(rimolink::rawBlockToBlock(raw)), now);
        now += rng.bounded(30);
        if (i % 100 == 0) {
            unit.advance(50);
            audio.advance(50);
        }
    }
    QVERIFY(delivered > 1000);
    QVERIFY(out > 0);
    QVERIFY(unit.deviceState() >= 0 && unit.deviceState() <= 24);
}

void TestBusSimLink::controlLinesAreSplit()
{
    QStringList seen;
    ControlServer server(
        [&seen](const QString& line) {
            seen << line;
            return QStringLiteral("ok ") + line;
        },
        16);
    QByteArray buffer;
    bool discarding = false;

    buffer = "state 3\nstatus\r\n\n  \npart";
    QCOMPARE(server.takeLines(buffer, discarding), (QStringList{"ok state 3", "ok status"}));
    QCOMPARE(buffer, QByteArray("part"));
    buffer += "ial\n";
    QCOMPARE(server.takeLines(buffer, discarding), QStringList{"ok partial"});

    // An overlong line without its end is answered once and its tail dropped.
    buffer = QByteArray(20, 'x');
    QCOMPARE(server.takeLines(buffer, discarding), QStringList{"error line too long"});
    buffer = QByteArray(20, 'y');
    QCOMPARE(server.takeLines(buffer, discarding), QStringList());
    buffer = "tail\nnext\n";
    QCOMPARE(server.takeLines(buffer, discarding), QStringList{"ok next"});
    // An overlong line that arrives whole is refused as well.
    buffer = QByteArray(17, 'z') + "\nstatus\n";
    QCOMPARE(server.takeLines(buffer, discarding),
             (QStringList{"error line too long", "ok status"}));
    QVERIFY(!seen.contains(QString(17, 'z')));
}

void TestBusSimLink::options_data()
{
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<bool>("valid");
    QTest::addColumn<int>("dbm");
    QTest::addColumn<int>("appliance");
    QTest::newRow("defaults") << QStringList() << true << 0 << 1;
    QTest::newRow("dbm and appliance")
        << QStringList{"--dbm", "1", "--appliance", "3"} << true << 1 << 3;
    QTest::newRow("hex") << QStringList{"--dbm", "0x2"} << true << 2 << 1;
    QTest::newRow("dbm out of range") << QStringList{"--dbm", "4"} << false << 0 << 0;
    QTest::newRow("appliance 0") << QStringList{"--appliance", "0"} << false << 0 << 0;
    QTest::newRow("missing value") << QStringList{"--appliance"} << false << 0 << 0;
    QTest::newRow("not a number") << QStringList{"--boot-ms", "soon"} << false << 0 << 0;
    QTest::newRow("unknown option") << QStringList{"--turbo"} << false << 0 << 0;
    QTest::newRow("keep-alive too long")
        << QStringList{"--keepalive-ms", "5000"} << false << 0 << 0;
}

void TestBusSimLink::options()
{
    QFETCH(QStringList, args);
    QFETCH(bool, valid);
    QFETCH(int, dbm);
    QFETCH(int, appliance);
    SimOptions o;
    QString error;
    bool help = false;
    QCOMPARE(o.parse(args, &error, &help), valid);
    QVERIFY(!help);
    if (valid) {
        QCOMPARE(o.dbm, dbm);
        QCOMPARE(o.appliance, appliance);
    } else {
        QVERIFY(!error.isEmpty());
    }
}

QTEST_GUILESS_MAIN(TestBusSimLink)
#include "tst_bussimlink.moc"

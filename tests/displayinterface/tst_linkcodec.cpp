// The link layer's byte work over plain buffers: framing, scanning, block
// checks and reassembly, with the clock injected.
#include "rimo_crc.h"
#include "rimolinkcodec.h"

#include <QRandomGenerator>
#include <QtTest>

using namespace rimolink;

namespace {

QByteArray hex(const char* h)
{
    return QByteArray::fromHex(h);
}

rimoTelegram telegramWithPayload(int payloadSize, uchar tid = 0x21)
{
    // payload = command + data + CRC
    QByteArray data(payloadSize - 3, Qt::Uninitialized);
    for (int i = 0; i < data.size(); ++i)
        data[i] = char(i * 7 + 1);
    return rimoTelegram(tid, 0x94, 0x08, 0x09, data);
}

// Scans everything; returns the events and leaves the rest in `left`.
QVector<ScanEvent> scanAll(const QByteArray& bytes, QByteArray* left = nullptr)
{
    Scanner s;
    const QVector<ScanEvent> events = s.feed(bytes);
    if (left)
        *left = s.pending();
    return events;
}

QString kinds(const QVector<ScanEvent>& events)
{
    QStringList out;
    for (const ScanEvent& e : events)
        out << (e.kind == ScanEvent::Ack ? "ack" : e.kind == ScanEvent::Nak ? "nak" : "block");
    return out.join(' ');
}

QByteArray transmissionOf(const QByteArray& block, uchar marker = 0)
{
    return blockToTransmission(block, marker);
}

// A valid block with an arbitrary raw part.
QByteArray blockOf(const QByteArray& raw)
{
    return rawBlockToBlock(raw);
}

} // namespace

class TestLinkCodec : public QObject
{
    Q_OBJECT
private slots:
    void blockSizes_data();
    void blockSizes();
    void sevenByteTelegram();
    void scanner_data();
    void scanner();
    void scannerChunkedEqualsWhole();
    void scannerKeepsPartial();
    void dataByteFF();
    void checkBlock_data();
    void checkBlock();
    void dbm_data();
    void dbm();
    void datagrams();
    void reassembly_data();
    void reassembly();
    void staleKeysRemovedAtNextCompletion();
    void ageOnlyBlockRefreshesKey();
    void repeatedSingleBlockDeliveredTwice();
    void repeatedChunkKeepsNewestOnly();
    void roundTripThroughScannerAndStore();
};

void TestLinkCodec::blockSizes_data()
{
    QTest::addColumn<int>("payload");
    QTest::addColumn<QVector<int>>("headers");
    QTest::addColumn<QVector<int>>("offsets");
    QTest::newRow("3 bytes") << 3 << QVector<int>{0x83} << QVector<int>{0};
    QTest::newRow("40 bytes") << 40 << QVector<int>{0xA8} << QVector<int>{0};
    QTest::newRow("41 bytes") << 41 << QVector<int>{0x28, 0x81} << QVector<int>{0, 40};
    QTest::newRow("80 bytes") << 80 << QVector<int>{0x28, 0xA8} << QVector<int>{0, 40};
    QTest::newRow("121 bytes") << 121 << QVector<int>{0x28, 0x28, 0x28, 0x81}
                               << QVector<int>{0, 40, 80, 120};
}

void TestLinkCodec::blockSizes()
{
    QFETCH(int, payload);
    QFETCH(QVector<int>, headers);
    QFETCH(QVector<int>, offsets);
    const rimoTelegram t = telegramWithPayload(payload);
    const QVector<QByteArray> raws = telegramToRawBlocks(t);
    QCOMPARE(raws.size(), headers.size());
    QByteArray joined;
    for (int i = 0; i < raws.size(); ++i) {
        QCOMPARE(int(rawHeader(raws[i])), headers[i]);
        QCOMPARE(int(rawOffset(raws[i])), offsets[i]);
        QCOMPARE(rawReceiver(raws[i]), uchar(0x94));
        QCOMPARE(rawSender(raws[i]), uchar(0x08));
        QCOMPARE(rawTId(raws[i]), uchar(0x21));
        QCOMPARE(raws[i].size(), 6 + (headers[i] & 0x3F));
        joined += rawChunk(raws[i]);
    }
    QCOMPARE(joined, t.getTelegram().mid(4));
    for (const QByteArray& t : telegramToTransmissions(t))
        QVERIFY(t.size() <= MaxTransmission);
}

void TestLinkCodec::sevenByteTelegram()
{
    const rimoTelegram t(0x33, 0x08, 0x94, 0x89, QByteArray());
    const QVector<QByteArray> raws = telegramToRawBlocks(t);
    QCOMPARE(raws.size(), 1);
    const QByteArray crc = t.getTelegram().right(2);
    QCOMPARE(raws[0], hex("8308943300 00 89") + crc);

    const QByteArray block = rawBlockToBlock(raws[0]);
    QCOMPARE(block.size(), 13);
    QCOMPARE(block.left(11), hex("0000") + raws[0]);
    const quint16 blockCrc = calculateCRC16(block.left(11));
    QCOMPARE(uchar(block.at(11)), uchar(blockCrc >> 8));
    QCOMPARE(uchar(block.at(12)), uchar(blockCrc & 0xFF));

    const QByteArray tx = blockToTransmission(block);
    QCOMPARE(tx.size(), 30);
    QCOMPARE(tx.left(2), hex("FFC3"));
    QCOMPARE(tx.right(2), hex("FF3C"));
    for (int j = 0; j < 13; ++j) {
        QCOMPARE(tx.at(2 + 2 * j), '\0');
        QCOMPARE(tx.at(3 + 2 * j), block.at(j));
    }
    // A peer sends its own marker.
    const QByteArray peerTx = blockToTransmission(block, 0x02);
    QCOMPARE(peerTx.at(2), '\x02');
    QCOMPARE(transmissionToBlock(peerTx), block);
}

void TestLinkCodec::scanner_data()
{
    const QByteArray block = blockOf(hex("83940833000089AABB"));
    const QByteArray tx = transmissionOf(block);
    const QByteArray tx2 = transmissionOf(blockOf(hex("8194083400000A")), 0x03);

    QTest::addColumn<QByteArray>("input");
    QTest::addColumn<QString>("events");
    QTest::addColumn<QByteArray>("left");

    QTest::newRow("one transmission") << tx << "block" << QByteArray();
    QTest::newRow("ack") << hex("FFF0") << "ack" << QByteArray();
    QTest::newRow("nak") << hex("FF0F") << "nak" << QByteArray();
    QTest::newRow("garbage before start") << hex("1234FE56") + tx << "block" << QByteArray();
    QTest::newRow("two back to back, other marker") << tx + tx2 << "block block" << QByteArray();
    QTest::newRow("ack between transmissions")
        << tx + hex("FFF0") + tx2 << "block ack block" << QByteArray();
    QTest::newRow("ack inside partial transmission")
        << tx.left(12) + hex("FFF0") + tx2 << "ack block" << QByteArray();
    QTest::newRow("nak inside partial transmission")
        << tx.left(11) + hex("FF0F") << "nak" << QByteArray();
    // Byte 4 of a transmission is a marker position.
    QByteArray badMarker = tx;
    badMarker[4] = '\x04';
    QTest::newRow("byte above 0x03 at a marker, then a fresh start")
        << badMarker + tx2 << "block" << QByteArray();
    QTest::newRow("byte above 0x03 at a marker only") << badMarker << "" << QByteArray();
    QTest::newRow("abort pair FF 00 at a marker")
        << tx.left(10) + hex("FF00") + tx.mid(10) << "" << QByteArray();
    QTest::newRow("abort pair FF FF at a marker")
        << tx.left(10) + hex("FFFF") + tx2 << "block" << QByteArray();
    QTest::newRow("end at a data position drops the transmission")
        << tx.left(11) + hex("FF3C") << "" << QByteArray();
    QTest::newRow("end outside a transmission") << hex("FF3C") << "" << QByteArray();
    QTest::newRow("lone trailing FF stays") << hex("1234FF") << "" << hex("FF");
    QTest::newRow("single FF stays") << hex("FF") << "" << hex("FF");
    QTest::newRow("single other byte goes") << hex("12") << "" << QByteArray();
    QTest::newRow("partial transmission stays, garbage before goes")
        << hex("0102") + tx.left(20) << "" << tx.left(20);
    // The scanner does not judge CRCs; that is the block check's business.
    QByteArray badCrc = tx;
    badCrc[tx.size() - 3] = char(badCrc.at(tx.size() - 3) ^ 1);
    QTest::newRow("bad crc still yields a block") << badCrc << "block" << QByteArray();
}

void TestLinkCodec::scanner()
{
    QFETCH(QByteArray, input);
    QFETCH(QString, events);
    QFETCH(QByteArray, left);
    QByteArray rest;
    const QVector<ScanEvent> got = scanAll(input, &rest);
    QCOMPARE(kinds(got), events);
    QCOMPARE(rest.toHex(), left.toHex());
    for (const ScanEvent& e : got) {
        if (e.kind == ScanEvent::Block)
            QCOMPARE(rimolink::checkBlock(e.block) == BlockCheck::Good,
                     !QByteArray(QTest::currentDataTag()).startsWith("bad crc"));
    }
}

void TestLinkCodec::scannerChunkedEqualsWhole()
{
    // However the bytes are split between reads, the same events come out.
    QRandomGenerator rng(77);
    QByteArray stream = hex("00FF12");
    for (int i = 0; i < 20; ++i) {
        stream += transmissionOf(
            blockOf(makeRawBlock(0x80 | 5, 0x94, uchar(i), 0, 0, hex("FFFF00FF03"))));
        if (i % 3 == 0)
            stream += hex("FFF0");
        if (i % 5 == 0)
            stream += hex("FF0F7F");
    }
    const QVector<ScanEvent> whole = scanAll(stream);
    QCOMPARE(whole.size(), 20 + 7 + 4);
    for (int round = 0; round < 50; ++round) {
        Scanner s;
        QVector<ScanEvent> chunked;
        for (int pos = 0; pos < stream.size();) {
            const int len = 1 + int(rng.bounded(12));
            chunked += s.feed(stream.mid(pos, len));
            pos += len;
        }
        QCOMPARE(kinds(chunked), kinds(whole));
        for (int i = 0; i < whole.size(); ++i)
            QCOMPARE(chunked[i].block, whole[i].block);
    }
}

void TestLinkCodec::scannerKeepsPartial()
{
    // An open transmission waits for more bytes up to the transmission limit;
    // beyond it, it is thrown away and a later transmission still decodes.
    const QByteArray full =
        transmissionOf(blockOf(makeRawBlock(0x80 | 40, 0x94, 1, 2, 0, QByteArray(40, 'x'))));
    QCOMPARE(full.size(), MaxTransmission);
    QByteArray rest;
    QVERIFY(scanAll(full.left(full.size() - 1), &rest).isEmpty());
    QCOMPARE(rest, full.left(full.size() - 1));

    // Garbage read in the same chunk before a good transmission does not count.
    QCOMPARE(kinds(scanAll(QByteArray(90, '\x55') + full)), QString("block"));

    Scanner s;
    QByteArray endless = hex("FFC3");
    for (int i = 0; i < 60; ++i)
        endless += hex("0041");
    QVERIFY(s.feed(endless).isEmpty());
    QVERIFY(s.pending().size() < endless.size());
    QVERIFY(s.pending().size() <= MaxTransmission);
    const QVector<ScanEvent> after = s.feed(full);
    QCOMPARE(kinds(after), QString("block"));
    QCOMPARE(rimolink::checkBlock(after[0].block), BlockCheck::Good);

    // A longer transmission, even with a good block inside, is dropped the
    // same way whether its end comes in the same read or a later one.
    const QByteArray tooLong =
        transmissionOf(blockOf(makeRawBlock(0x80 | 41, 0x94, 1, 2, 0, QByteArray(41, 'y'))));
    QCOMPARE(tooLong.size(), MaxTransmission + 2);
    QCOMPARE(kinds(scanAll(tooLong + full)), QString("block"));
    Scanner split;
    QVERIFY(split.feed(tooLong.left(80)).isEmpty());
    QCOMPARE(kinds(split.feed(tooLong.mid(80) + full)), QString("block"));
}

void TestLinkCodec::dataByteFF()
{
    // 0xFF in the block, also as its very last byte: the CRC is searched for
    // one that ends in 0xFF so the end pair follows a data 0xFF directly.
    QByteArray block;
    for (int n = 0; n < 5000 && block.isEmpty(); ++n) {
        const QByteArray candidate =
            blockOf(makeRawBlock(0x80 | 4, 0xFF, 0xFF, uchar(n), uchar(n >> 8), hex("FFFF00FF")));
        if (uchar(candidate.back()) == 0xFF)
            block = candidate;
    }
    QVERIFY(!block.isEmpty());
    const QByteArray tx = transmissionOf(block);
    QVERIFY(tx.contains(hex("00FF")));
    QCOMPARE(tx.right(4), hex("00FFFF3C"));
    const QVector<ScanEvent> got = scanAll(tx);
    QCOMPARE(kinds(got), QString("block"));
    QCOMPARE(got[0].block, block);
}

void TestLinkCodec::checkBlock_data()
{
    QTest::addColumn<QByteArray>("block");
    QTest::addColumn<int>("result");
    const QByteArray good = blockOf(hex("8194083400000A"));
    QByteArray bad = good;
    bad[7] = char(bad.at(7) ^ 0x40);
    QTest::newRow("good") << good << int(BlockCheck::Good);
    QTest::newRow("bad crc") << bad << int(BlockCheck::BadCrc);
    QTest::newRow("nine bytes with a matching crc")
        << blockOf(hex("8194083400")) << int(BlockCheck::TooShort);
    QTest::newRow("ten bytes, empty chunk")
        << blockOf(hex("809408340000")) << int(BlockCheck::Good);
    QTest::newRow("empty") << QByteArray() << int(BlockCheck::TooShort);
}

void TestLinkCodec::checkBlock()
{
    QFETCH(QByteArray, block);
    QFETCH(int, result);
    QCOMPARE(int(rimolink::checkBlock(block)), result);
}

void TestLinkCodec::dbm_data()
{
    QTest::addColumn<QByteArray>("chunk");
    QTest::addColumn<int>("dbm");
    QTest::newRow("first bytes") << hex("FFC302") << 2;
    QTest::newRow("after garbage") << hex("1200FFFFC30100") << 1;
    QTest::newRow("ends after start") << hex("33FFC3") << 0;
    QTest::newRow("no start") << hex("FF3CFFF0C3") << -1;
    QTest::newRow("half a start") << hex("00FF") << -1;
}

void TestLinkCodec::dbm()
{
    QFETCH(QByteArray, chunk);
    QFETCH(int, dbm);
    QCOMPARE(findDbm(chunk), dbm);
}

void TestLinkCodec::datagrams()
{
    const rimoTelegram t(0x42, 0x08, 0x94, 0x89, hex("0102"));
    const QByteArray d = telegramDatagram(t);
    QCOMPARE(d, t.getTelegram() + char(0x42));
    rimoTelegram back;
    QVERIFY(parseTelegramDatagram(d, &back));
    QVERIFY(back.isValid());
    QCOMPARE(back.getTId(), uchar(0x42));
    QCOMPARE(back.getTelegram(), t.getTelegram());
    rimoTelegram untouched(9, hex("01"));
    QVERIFY(!parseTelegramDatagram(QByteArray(), &untouched));
    QCOMPARE(untouched.getTId(), uchar(9));
    QVERIFY(parseTelegramDatagram(hex("07"), &back)); // a TId alone: an invalid telegram
    QVERIFY(!back.isValid());
}

void TestLinkCodec::reassembly_data()
{
    const rimoTelegram t = telegramWithPayload(100, 0x44);
    const QVector<QByteArray> raws = telegramToRawBlocks(t); // offsets 0, 40, 80 (last)
    QTest::addColumn<QVector<QByteArray>>("blocks");
    QTest::addColumn<QByteArray>("expected"); // empty: nothing delivered
    QTest::addColumn<int>("leftOver");        // blocks still waiting afterwards
    QTest::newRow("in order") << raws << t.getTelegram() << 0;
    QTest::newRow("out of order") << QVector<QByteArray>{raws[1], raws[0], raws[2]}
                                  << t.getTelegram() << 0;
    // The last block closes the key at once; later chunks wait to be cleaned.
    QTest::newRow("last first is incomplete")
        << QVector<QByteArray>{raws[2], raws[0], raws[1]} << QByteArray() << 2;
    QTest::newRow("missing middle") << QVector<QByteArray>{raws[0], raws[2]} << QByteArray() << 0;
    QTest::newRow("missing first") << QVector<QByteArray>{raws[1], raws[2]} << QByteArray() << 0;
    QTest::newRow("duplicate chunk")
        << QVector<QByteArray>{raws[0], raws[0], raws[1], raws[2]} << t.getTelegram() << 0;
    // A header that promises more than the block holds cannot stretch the telegram.
    QByteArray shortChunk = raws[2];
    shortChunk.chop(5);
    QTest::newRow("truncated last chunk")
        << QVector<QByteArray>{raws[0], raws[1], shortChunk} << QByteArray("invalid") << 0;
}

void TestLinkCodec::reassembly()
{
    QFETCH(QVector<QByteArray>, blocks);
    QFETCH(QByteArray, expected);
    QFETCH(int, leftOver);
    RawBlockStore store;
    std::optional<rimoTelegram> got;
    int completions = 0;
    for (const QByteArray& raw : blocks) {
        const RawBlockStore::AddResult r = store.addBlock(raw, 10);
        completions += r.completed ? 1 : 0;
        if (r.telegram)
            got = r.telegram;
    }
    QCOMPARE(completions, 1);
    QCOMPARE(store.blockCount(), leftOver); // a completed key takes its blocks with it
    if (expected.isEmpty()) {
        QVERIFY(!got);
    } else if (expected == "invalid") {
        QVERIFY(got);
        QVERIFY(!got->isValid());
        QCOMPARE(got->getTelegram().size(), 4 + 100 - 5);
        QCOMPARE(int(uchar(got->getTelegram().at(2))), 100 - 5 - 2);
    } else {
        QVERIFY(got);
        QVERIFY(got->isValid());
        QCOMPARE(got->getTelegram(), expected);
        QCOMPARE(got->getTId(), uchar(0x08)); // the sender, not the block's TId
    }
}

void TestLinkCodec::staleKeysRemovedAtNextCompletion()
{
    const QByteArray staleA =
        telegramToRawBlocks(telegramWithPayload(60, 0x01)).first(); // not last
    const QByteArray youngB = telegramToRawBlocks(telegramWithPayload(60, 0x02)).first();
    const rimoTelegram other(0x03, 0x94, 0x10, 0x01, QByteArray());
    const QByteArray otherRaw = telegramToRawBlocks(other).first();

    RawBlockStore store;
    store.addBlock(staleA, 1000);
    store.addBlock(youngB, 1050);
    QCOMPARE(store.keyCount(), 2);

    // Time passing alone removes nothing: cleaning runs at a completion.
    QCOMPARE(store.blockCount(), 2);
    const RawBlockStore::AddResult r = store.addBlock(otherRaw, 1150);
    QVERIFY(r.telegram && r.telegram->isValid());
    QVERIFY(!store.hasKey(blockKey(staleA))); // 150 ms old
    QVERIFY(store.hasKey(blockKey(youngB)));  // exactly 100 ms: kept
    QCOMPARE(store.blockCount(), 1);

    store.addBlock(otherRaw, 1151);
    QVERIFY(!store.hasKey(blockKey(youngB)));
    QCOMPARE(store.blockCount(), 0);
}

void TestLinkCodec::ageOnlyBlockRefreshesKey()
{
    const QVector<QByteArray> raws = telegramToRawBlocks(telegramWithPayload(60, 0x05));
    QByteArray refresh = raws[0];
    refresh[0] = char(uchar(refresh.at(0)) | HdrAgeOnly | HdrLast);
    const QByteArray otherRaw = telegramToRawBlocks(rimoTelegram(1, 0x94, 0x11, 1, {})).first();

    RawBlockStore store;
    store.addBlock(raws[0], 0);
    const RawBlockStore::AddResult r = store.addBlock(refresh, 90);
    QVERIFY(!r.completed); // neither stored nor completing
    QCOMPARE(store.blockCount(), 1);
    store.addBlock(otherRaw, 150); // 150 ms after the chunk, 60 after the refresh
    QCOMPARE(store.blockCount(), 1);
    const RawBlockStore::AddResult done = store.addBlock(raws[1], 160);
    QVERIFY(done.telegram && done.telegram->isValid());
}

void TestLinkCodec::repeatedSingleBlockDeliveredTwice()
{
    const QByteArray raw =
        telegramToRawBlocks(rimoTelegram(9, 0x94, 0x08, 0x09, hex("01"))).first();
    RawBlockStore store;
    QVERIFY(store.addBlock(raw, 0).telegram);
    QVERIFY(store.addBlock(raw, 1).telegram);
}

void TestLinkCodec::repeatedChunkKeepsNewestOnly()
{
    // A peer that keeps repeating the first block of a telegram it never
    // finishes must not make the store grow without end.
    const QVector<QByteArray> raws = telegramToRawBlocks(telegramWithPayload(60, 0x06));
    RawBlockStore store;
    for (int i = 0; i < 1000; ++i)
        QVERIFY(!store.addBlock(raws[0], i % 50).completed);
    QCOMPARE(store.keyCount(), 1);
    QCOMPARE(store.blockCount(), 1);

    // The newest chunk at an offset is the one that counts: the same key
    // (sender and TId) reused for another telegram reassembles the new one.
    QByteArray otherData(57, Qt::Uninitialized);
    for (int i = 0; i < otherData.size(); ++i)
        otherData[i] = char(0xA0 + i);
    const rimoTelegram newer(0x06, 0x94, 0x08, 0x09, otherData);
    const QVector<QByteArray> newerRaws = telegramToRawBlocks(newer);
    QCOMPARE(blockKey(newerRaws[0]), blockKey(raws[0]));
    store.addBlock(newerRaws[0], 60);
    QCOMPARE(store.blockCount(), 1);
    const RawBlockStore::AddResult r = store.addBlock(newerRaws[1], 61);
    QVERIFY(r.telegram);
    QCOMPARE(r.telegram->getTelegram(), newer.getTelegram());
    QCOMPARE(store.blockCount(), 0);
}

void TestLinkCodec::roundTripThroughScannerAndStore()
{
    QRandomGenerator rng(5);
    Scanner scanner;
    RawBlockStore store;
    for (int n = 0; n < 200; ++n) {
        QByteArray data(int(rng.bounded(300)), Qt::Uninitialized);
        for (char& c : data)
            c = char(rng.bounded(4) == 0 ? 0xFF : rng.bounded(256));
        const rimoTelegram t(uchar(n), 0x94, uchar(rng.bounded(256)), uchar(rng.bounded(256)),
                             data);
        QByteArray line;
        for (const QByteArray& tx : telegramToTransmissions(t, uchar(rng.bounded(4))))
            line += tx;
        std::optional<rimoTelegram> got;
        for (int pos = 0; pos < line.size();) {
            const int len = 1 + int(rng.bounded(64));
            for (const ScanEvent& e : scanner.feed(line.mid(pos, len))) {
                QCOMPARE(e.kind, ScanEvent::Block);
                QCOMPARE(rimolink::checkBlock(e.block), BlockCheck::Good);
                const auto r = store.addBlock(blockToRawBlock(e.block), n);
                if (r.telegram)
                    got = r.telegram;
            }
            pos += len;
        }
        QVERIFY(got);
        QVERIFY(got->isValid());
        QCOMPARE(got->getTelegram(), t.getTelegram());
    }
    QCOMPARE(store.blockCount(), 0);
}

QTEST_APPLESS_MAIN(TestLinkCodec)
#include "tst_linkcodec.moc"

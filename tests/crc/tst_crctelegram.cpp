// CRC16 check values and the telegram byte format, built and parsed.
#include "rimo_crc.h"
#include "rimotelegram.h"

#include <QRandomGenerator>
#include <QtTest>

namespace {

// Straight from the definition (bit by bit, MSB first), independent of the
// library's table-driven code.
quint16 referenceCrc(const QByteArray& data, quint16 poly)
{
    quint16 reg = 0xFFFF;
    for (char ch : data) {
        uchar byte = uchar(ch);
        for (int bit = 0; bit < 8; ++bit) {
            const bool mix = ((reg >> 15) ^ (byte >> 7)) & 1;
            reg = quint16(reg << 1);
            if (mix)
                reg ^= poly;
            byte = uchar(byte << 1);
        }
    }
    return reg;
}

QByteArray withCrc(QByteArray bytes)
{
    const quint16 crc = referenceCrc(bytes, 0x1021);
    bytes.append(char(crc >> 8));
    bytes.append(char(crc & 0xFF));
    return bytes;
}

} // namespace

class TestCrcTelegram : public QObject
{
    Q_OBJECT
private slots:
    void crc16_data();
    void crc16();
    void crc16MatchesDefinition();
    void parse_data();
    void parse();
    void build_data();
    void build();
    void anyBitFlipInvalidates();
};

void TestCrcTelegram::crc16_data()
{
    QTest::addColumn<QByteArray>("input");
    QTest::addColumn<int>("ccitt");
    QTest::addColumn<int>("cms");
    QTest::newRow("check string") << QByteArray("123456789") << 0x29B1 << 0xAEE7;
    QTest::newRow("empty") << QByteArray() << 0xFFFF << 0xFFFF;
}

void TestCrcTelegram::crc16()
{
    QFETCH(QByteArray, input);
    QFETCH(int, ccitt);
    QFETCH(int, cms);
    QCOMPARE(int(calculateCRC16(input)), ccitt);
    QCOMPARE(int(calculateConfigCRC16(input)), cms);
    QByteArray copy = input;
    QCOMPARE(int(_calculateCRC16(reinterpret_cast<uchar*>(copy.data()), uint(copy.size()))), ccitt);
    QCOMPARE(int(_calculateConfigCRC16(reinterpret_cast<uchar*>(copy.data()), uint(copy.size()))),
             cms);
    QCOMPARE(copy, input); // the array variants only read
}

void TestCrcTelegram::crc16MatchesDefinition()
{
    QRandomGenerator rng(1234);
    for (int len = 0; len < 300; len += 7) {
        QByteArray data(len, Qt::Uninitialized);
        for (char& c : data)
            c = char(rng.bounded(256));
        QCOMPARE(calculateCRC16(data), referenceCrc(data, 0x1021));
        QCOMPARE(calculateConfigCRC16(data), referenceCrc(data, 0x8005));
    }
}

void TestCrcTelegram::parse_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<bool>("valid");
    QTest::addColumn<QByteArray>("data");

    const QByteArray request = withCrc(QByteArray::fromHex("08C8030089EC00"));
    QTest::newRow("request with data") << request << true << QByteArray::fromHex("EC00");
    QTest::newRow("no data") << withCrc(QByteArray::fromHex("08C8010089")) << true << QByteArray();
    QTest::newRow("length field disagrees") << withCrc(QByteArray::fromHex("08C8FF7F89AABBCC"))
                                            << true << QByteArray::fromHex("AABBCC");
    QTest::newRow("wrong crc") << QByteArray::fromHex("08C801008912 34") << false << QByteArray();
    QTest::newRow("empty") << QByteArray() << false << QByteArray();
    QTest::newRow("one byte") << QByteArray::fromHex("08") << false << QByteArray();
    // Six bytes whose tail happens to be the CRC of the first four: still too short.
    QTest::newRow("six bytes, matching tail")
        << withCrc(QByteArray::fromHex("08C80100")) << false << QByteArray();
    QTest::newRow("six bytes") << QByteArray::fromHex("08C801008912") << false << QByteArray();
}

void TestCrcTelegram::parse()
{
    QFETCH(QByteArray, bytes);
    QFETCH(bool, valid);
    QFETCH(QByteArray, data);
    const rimoTelegram t(0x5A, bytes);
    QCOMPARE(t.isValid(), valid);
    QCOMPARE(t.getTId(), uchar(0x5A));
    QCOMPARE(t.getTelegram(), bytes);
    if (!valid)
        return;
    QCOMPARE(t.receiverAddress(), uchar(bytes.at(0)));
    QCOMPARE(t.senderAddress(), uchar(bytes.at(1)));
    QCOMPARE(t.command(), uchar(bytes.at(4)));
    QCOMPARE(t.data(), data);
    QCOMPARE(t.getTdata(), data);
    QCOMPARE(t.crc(), referenceCrc(bytes.left(bytes.size() - 2), 0x1021));
}

void TestCrcTelegram::build_data()
{
    QTest::addColumn<int>("receiver");
    QTest::addColumn<int>("sender");
    QTest::addColumn<int>("command");
    QTest::addColumn<QByteArray>("data");
    QTest::addColumn<QByteArray>("expected"); // without the CRC

    QTest::newRow("request") << 0x08 << 0xC8 << 0x89 << QByteArray::fromHex("EC00")
                             << QByteArray::fromHex("08C8030089EC00");
    QTest::newRow("no data") << 0x94 << 0x08 << 0x80 << QByteArray()
                             << QByteArray::fromHex("9408010080");
    // 300 data bytes: the length 301 = 0x012D needs both bytes, low first.
    QTest::newRow("long") << 0xF2 << 0x94 << 0x10 << QByteArray(300, '\xFF')
                          << QByteArray::fromHex("F2942D0110") + QByteArray(300, '\xFF');
}

void TestCrcTelegram::build()
{
    QFETCH(int, receiver);
    QFETCH(int, sender);
    QFETCH(int, command);
    QFETCH(QByteArray, data);
    QFETCH(QByteArray, expected);

    const rimoTelegram built(7, uchar(receiver), uchar(sender), uchar(command), data);
    QVERIFY(built.isValid());
    QCOMPARE(built.getTelegram(), withCrc(expected));
    QCOMPARE(built.data(), data);
    QCOMPARE(built.crc(), referenceCrc(expected, 0x1021));

    // What one side builds, the other parses, whatever TId travels with it.
    const rimoTelegram parsed(0xEE, built.getTelegram());
    QVERIFY(parsed.isValid());
    QCOMPARE(parsed.data(), data);
    QCOMPARE(parsed.command(), uchar(command));
    QCOMPARE(parsed.getTId(), uchar(0xEE));
}

void TestCrcTelegram::anyBitFlipInvalidates()
{
    const QByteArray good =
        rimoTelegram(1, 0x08, 0xC8, 0x89, QByteArray::fromHex("EC00")).getTelegram();
    for (int i = 0; i < good.size() * 8; ++i) {
        QByteArray bad = good;
        bad[i / 8] = char(bad.at(i / 8) ^ (1 << (i % 8)));
        QVERIFY2(!rimoTelegram(1, bad).isValid(), qPrintable(QString("bit %1").arg(i)));
    }
}

QTEST_APPLESS_MAIN(TestCrcTelegram)
#include "tst_crctelegram.moc"

// The software checksum: the fast path against the plain byte loop, the
// directory walk's skip rules and sums, and the version file reader.
#include "core/calculatecrc32thread.h"
#include "core/crc32.h"
#include "core/softwareversionreader.h"
#include "core/systempath.h"

#include <QDir>
#include <QFile>
#include <QRandomGenerator>
#include <QSignalSpy>
#include <QTest>

#include <unistd.h>

namespace {

// The reference: table and loop written out independently of the code under
// test, one byte at a time with the constant 0xE2410503.
struct Reference
{
    uint32_t table[256];
    Reference()
    {
        for (uint32_t i = 0; i < 256; ++i) {
            uint32_t c = i;
            for (int k = 0; k < 8; ++k)
                c = (c & 1) ? (c >> 1) ^ 0xE2410503u : (c >> 1);
            table[i] = c;
        }
    }
    uint32_t run(uint32_t c, const QByteArray& data) const
    {
        for (char ch : data)
            c = table[(c ^ quint8(ch)) & 0xFF] ^ (c >> 8);
        return c;
    }
    uint32_t checksum(const QByteArray& data) const { return run(0xFFFFFFFFu, data) ^ 0xFFFFFFFFu; }
};

QByteArray randomBytes(int n, quint32 seed)
{
    QRandomGenerator gen(seed);
    QByteArray b(n, Qt::Uninitialized);
    for (int i = 0; i < n; ++i)
        b[i] = char(gen.bounded(256));
    return b;
}

void writeFile(const QString& path, const QByteArray& content)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile f(path);
    QVERIFY2(f.open(QIODevice::WriteOnly), qPrintable(path));
    f.write(content);
}

} // namespace

class TestCrc32 : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { qRegisterMetaType<uint32_t>("uint32_t"); }
    void checkValue();
    void shiftConstants();
    void tableMatchesReference();
    void fastEqualsBytewiseAllLengthsAndAlignments();
    void fastEqualsBytewiseLargeAndChained();
    void fileChecksumAcrossBlockBoundaries_data();
    void fileChecksumAcrossBlockBoundaries();
    void emptyFileIsZero();
    void missingFileIsZero();
    void skipRules_data();
    void skipRules();
    void directorySumSkipsAndAdds();
    void emptyTreesGiveFFFFFFFC();
    void scanAddsTheFourDirectories();
    void unreadableFileEndsTheDirectory();
    void versionFile_data();
    void versionFile();
    void versionFileMissing();

private:
    Reference ref;
};

void TestCrc32::checkValue()
{
    const QByteArray check("123456789");
    QCOMPARE(ref.checksum(check), 0xE2246FEEu);
    QCOMPARE(Crc32::checksum(check.constData(), size_t(check.size())), 0xE2246FEEu);
}

void TestCrc32::shiftConstants()
{
    // The folding constants derived by xPowerMod must match the published
    // ones of the common CRC-32 polynomial; the same derivation serves ours.
    QCOMPARE(uint64_t(Crc32::xPowerMod(512 + 32, 0xEDB88320u)) << 1, uint64_t(0x154442bd4));
    QCOMPARE(uint64_t(Crc32::xPowerMod(512 - 32, 0xEDB88320u)) << 1, uint64_t(0x1c6e41596));
    QCOMPARE(uint64_t(Crc32::xPowerMod(128 + 32, 0xEDB88320u)) << 1, uint64_t(0x1751997d0));
    QCOMPARE(uint64_t(Crc32::xPowerMod(128 - 32, 0xEDB88320u)) << 1, uint64_t(0x0ccaa009e));
    // shift(c, n) equals running the register over n zero bytes.
    const QByteArray zeros(1000, '\0');
    for (int n : {0, 1, 7, 64, 1000})
        QCOMPARE(Crc32::shift(0x89ABCDEFu, size_t(n)), ref.run(0x89ABCDEFu, zeros.left(n)));
}

void TestCrc32::tableMatchesReference()
{
    const uint32_t* t = Crc32::table();
    for (int i = 0; i < 256; ++i)
        QCOMPARE(t[i], ref.table[i]);
}

void TestCrc32::fastEqualsBytewiseAllLengthsAndAlignments()
{
    // Offsets 0..7 put the data at every alignment an 8-byte load can meet.
    const QByteArray pool = randomBytes(300 + 16, 1234);
    for (int offset = 0; offset < 8; ++offset) {
        for (int len = 0; len <= 300; ++len) {
            const QByteArray slice = pool.mid(offset, len);
            for (uint32_t start : {0xFFFFFFFFu, 0u, 0x12345678u}) {
                const uint32_t expected = ref.run(start, slice);
                QCOMPARE(Crc32::updateBytewise(start, pool.constData() + offset, size_t(len)),
                         expected);
                const char* at = pool.constData() + offset;
                if (Crc32::updatePortable(start, at, size_t(len)) != expected)
                    QFAIL(qPrintable(
                        QStringLiteral("portable: offset %1 length %2").arg(offset).arg(len)));
                if (Crc32::updateCarryless(start, at, size_t(len)) != expected)
                    QFAIL(qPrintable(
                        QStringLiteral("carry-less: offset %1 length %2").arg(offset).arg(len)));
            }
        }
    }
}

void TestCrc32::fastEqualsBytewiseLargeAndChained()
{
    if (!Crc32::hasCarrylessMultiply())
        qInfo("no carry-less multiply here: that path falls back to the portable one");
    // Lengths around the four-lane split (multiples of 32 and their
    // neighbours) and a buffer processed in uneven pieces.
    const QByteArray big = randomBytes(70000, 99);
    for (int len : {127, 128, 129, 191, 192, 511, 512, 513, 1023, 1024, 1025, 4095, 16000, 16001,
                    32007, 70000}) {
        for (int offset : {0, 1, 3, 5}) {
            const int n = qMin(len, big.size() - offset);
            const uint32_t expected = ref.run(0xFFFFFFFFu, big.mid(offset, n));
            QCOMPARE(Crc32::updatePortable(0xFFFFFFFFu, big.constData() + offset, size_t(n)),
                     expected);
            QCOMPARE(Crc32::updateCarryless(0xFFFFFFFFu, big.constData() + offset, size_t(n)),
                     expected);
        }
    }
    uint32_t c = 0xFFFFFFFFu;
    int pos = 0;
    for (int piece : {7, 600, 16000, 1, 9000, 333}) {
        c = Crc32::update(c, big.constData() + pos, size_t(piece));
        pos += piece;
    }
    QCOMPARE(c, ref.run(0xFFFFFFFFu, big.left(pos)));
}

void TestCrc32::fileChecksumAcrossBlockBoundaries_data()
{
    QTest::addColumn<int>("size");
    for (int size : {1, 15999, 16000, 16001, 31999, 32000, 32001, 48017})
        QTest::addRow("%d bytes", size) << size;
}

void TestCrc32::fileChecksumAcrossBlockBoundaries()
{
    QFETCH(int, size);
    const QByteArray content = randomBytes(size, quint32(size));
    const QString path = QDir::tempPath() + QStringLiteral("/blocks.bin");
    writeFile(path, content);
    QCOMPARE(CalculateCRC32Thread::fileChecksum(path), ref.checksum(content));
}

void TestCrc32::emptyFileIsZero()
{
    const QString path = QDir::tempPath() + QStringLiteral("/empty.bin");
    writeFile(path, QByteArray());
    QCOMPARE(CalculateCRC32Thread::fileChecksum(path), 0u);
}

void TestCrc32::missingFileIsZero()
{
    QCOMPARE(CalculateCRC32Thread::fileChecksum(QDir::tempPath() + "/no-such-file"), 0u);
}

void TestCrc32::skipRules_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<bool>("skipped");
    QTest::newRow("the program itself") << systemPath("/usr/bin/vanto") << true;
    QTest::newRow("another program") << systemPath("/usr/bin/vanto2") << false;
    QTest::newRow("program name elsewhere") << systemPath("/bin/vanto") << false;
    QTest::newRow("compiled qml") << systemPath("/usr/lib/x.qmlc") << true;
    QTest::newRow("compiled js") << systemPath("/usr/lib/x.jsc") << true;
    QTest::newRow("jsc inside suffix") << systemPath("/usr/lib/x.a.jsc.b") << true;
    QTest::newRow("internal unit")
        << systemPath("/lib/systemd/system/rimo-internal.service") << true;
    QTest::newRow("external unit")
        << systemPath("/lib/systemd/system/rimo-external.service") << true;
    QTest::newRow("gui unit") << systemPath("/lib/systemd/system/vanto.service") << true;
    QTest::newRow("other unit") << systemPath("/lib/systemd/system/rimo-telegrambroker.service")
                                << false;
    QTest::newRow("conf suffix") << systemPath("/usr/lib/app.conf") << true;
    QTest::newRow("conf.bak suffix") << systemPath("/usr/lib/app.conf.bak") << true;
    QTest::newRow("Config without suffix") << systemPath("/usr/lib/Config") << false;
    QTest::newRow("conf in the base name only") << systemPath("/usr/lib/conf.d.txt") << false;
    QTest::newRow("upper-case CONF") << systemPath("/usr/lib/a.CONF") << false;
    QTest::newRow("tmp suffix") << systemPath("/usr/lib/x.tmp") << true;
    QTest::newRow("temp suffix") << systemPath("/usr/lib/x.temp1") << true;
    QTest::newRow("plain library") << systemPath("/usr/lib/libfoo.so.1.2") << false;
}

void TestCrc32::skipRules()
{
    QFETCH(QString, path);
    QFETCH(bool, skipped);
    QCOMPARE(CalculateCRC32Thread::isSkipped(path), skipped);
}

void TestCrc32::directorySumSkipsAndAdds()
{
    const QString dir = systemPath("/usr/bin");
    const QByteArray a = randomBytes(20000, 7), b = randomBytes(33, 8);
    writeFile(dir + "/a", a);
    writeFile(dir + "/sub/deeper/b", b);
    writeFile(dir + "/vanto", randomBytes(100, 9));  // skipped: the program
    writeFile(dir + "/sub/app.conf.bak", "ignored"); // skipped: conf
    writeFile(QDir::tempPath() + "/outside", "x");
    QVERIFY(QFile::link(QDir::tempPath() + "/outside", dir + "/link")); // symlinks are not followed
    const uint32_t expected = 0xFFFFFFFFu + ref.checksum(a) + ref.checksum(b);
    QCOMPARE(CalculateCRC32Thread::directorySum(dir), expected);
    QDir(dir).removeRecursively();
}

void TestCrc32::emptyTreesGiveFFFFFFFC()
{
    CalculateCRC32Thread worker;
    QSignalSpy spy(&worker, &CalculateCRC32Thread::finished);
    worker.onCalculateCrc32();
    QCOMPARE(spy.count(), 1);
    QCOMPARE(spy.at(0).at(0).value<uint32_t>(), 0xFFFFFFFCu);
}

void TestCrc32::scanAddsTheFourDirectories()
{
    const QByteArray x = randomBytes(1000, 21), y = randomBytes(17, 22);
    writeFile(systemPath("/usr/lib/x.so"), x);
    writeFile(systemPath("/bin/y"), y);
    CalculateCRC32Thread worker;
    QSignalSpy spy(&worker, &CalculateCRC32Thread::finished);
    worker.onCalculateCrc32();
    QCOMPARE(spy.count(), 1);
    QCOMPARE(spy.at(0).at(0).value<uint32_t>(), 0xFFFFFFFCu + ref.checksum(x) + ref.checksum(y));
    QDir(systemPath("/usr/lib")).removeRecursively();
    QDir(systemPath("/bin")).removeRecursively();
}

void TestCrc32::unreadableFileEndsTheDirectory()
{
    if (geteuid() == 0)
        QSKIP("root can read every file");
    const QString dir = systemPath("/lib");
    writeFile(dir + "/only", "abc");
    QFile::setPermissions(dir + "/only", QFile::WriteOwner); // writable, not readable
    QTest::ignoreMessage(QtDebugMsg, "File not found!");
    QCOMPARE(CalculateCRC32Thread::directorySum(dir), 0xFFFFFFFFu);
    QDir(dir).removeRecursively();
}

void TestCrc32::versionFile_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QStringList>("versions");
    QTest::addColumn<bool>("complains");
    QTest::newRow("one line") << "linux=4.14.98\n" << QStringList{"4", "14"} << false;
    QTest::newRow("blanks around =") << "  linux   =  5.10.3  \n"
                                     << QStringList{"5", "10"} << false;
    QTest::newRow("two linux lines") << "linux=4.14.98\nother=1.2\nkernel-linux=5.4.0\n"
                                     << QStringList{"4", "14", "5", "4"} << false;
    QTest::newRow("case-sensitive") << "Linux=4.14.98\n" << QStringList{} << false;
    QTest::newRow("no = skipped") << "linux 4.14\nlinux=3.2\n" << QStringList{"3", "2"} << true;
    QTest::newRow("no minor") << "linux=7\n" << QStringList{"7", "0"} << false;
    QTest::newRow("no linux line") << "gui=1.2\n" << QStringList{} << false;
}

void TestCrc32::versionFile()
{
    QFETCH(QString, text);
    QFETCH(QStringList, versions);
    QFETCH(bool, complains);
    const QString path = systemPath("/etc/sw_versions");
    writeFile(path, text.toUtf8());
    if (complains)
        QTest::ignoreMessage(QtDebugMsg, "error while reading sw version.");
    QCOMPARE(SoftwareVersionReader::read(path), versions);
}

void TestCrc32::versionFileMissing()
{
    QTest::ignoreMessage(QtDebugMsg, "could not find version file.");
    QVERIFY(SoftwareVersionReader::read(systemPath("/etc/none")).isEmpty());
}

QTEST_GUILESS_MAIN(TestCrc32)
#include "tst_crc32.moc"

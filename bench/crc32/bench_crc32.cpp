// Speed of the software checksum: byte loop against the fast path on a
// 64 MiB buffer, and a full scan of a real tree against just reading it.
//
//   bench_crc32 [tree ...]      (default: /usr/bin)
#include "core/calculatecrc32thread.h"
#include "core/crc32.h"

#include <QCoreApplication>
#include <QDirIterator>
#include <QElapsedTimer>
#include <QFile>
#include <QRandomGenerator>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

template<typename F> double bestSeconds(int runs, F&& f)
{
    double best = 1e30;
    for (int i = 0; i < runs; ++i) {
        QElapsedTimer t;
        t.start();
        f();
        best = std::min(best, double(t.nsecsElapsed()) / 1e9);
    }
    return best;
}

// The same walk and block reads as the scan, without the checksum.
quint64 plainRead(const QString& dir)
{
    quint64 bytes = 0;
    QDirIterator it(dir, QDir::Files | QDir::NoDotAndDotDot | QDir::NoSymLinks | QDir::Writable,
                    QDirIterator::Subdirectories);
    static char buffer[CalculateCRC32Thread::BlockSize];
    while (it.hasNext()) {
        const QString path = it.next();
        if (CalculateCRC32Thread::isSkipped(path))
            continue;
        QFile f(path);
        if (!f.open(QIODevice::ReadOnly | QIODevice::Unbuffered))
            break;
        qint64 n;
        while ((n = f.read(buffer, sizeof buffer)) > 0)
            bytes += quint64(n);
    }
    return bytes;
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    QStringList trees = app.arguments().mid(1);
    if (trees.isEmpty())
        trees << QStringLiteral("/usr/bin");

    const size_t size = 64u << 20;
    std::vector<unsigned char> buf(size);
    QRandomGenerator gen(42);
    for (auto& b : buf)
        b = uchar(gen.bounded(256));

    volatile uint32_t sink = 0;
    const double tByte =
        bestSeconds(3, [&] { sink = Crc32::updateBytewise(0xFFFFFFFFu, buf.data(), size); });
    const uint32_t byteResult = sink;
    const double tPortable =
        bestSeconds(5, [&] { sink = Crc32::updatePortable(0xFFFFFFFFu, buf.data(), size); });
    const bool portableOk = sink == byteResult;
    const double tClmul =
        bestSeconds(5, [&] { sink = Crc32::updateCarryless(0xFFFFFFFFu, buf.data(), size); });
    if (!portableOk || sink != byteResult) {
        std::fprintf(stderr, "MISMATCH: a fast path differs from the byte loop\n");
        return 1;
    }
    const double mb = double(size) / 1e6;
    std::printf("buffer 64 MiB: byte-wise %.0f MB/s, portable %.0f MB/s (%.1fx)", mb / tByte,
                mb / tPortable, tByte / tPortable);
    if (Crc32::hasCarrylessMultiply())
        std::printf(", carry-less multiply %.0f MB/s (%.1fx)", mb / tClmul, tByte / tClmul);
    std::printf("\n");

    // Reads and scans alternate, so a busy machine disturbs both alike; the
    // medians are reported.
    for (const QString& tree : trees) {
        quint64 bytes = plainRead(tree); // warm the page cache
        std::vector<double> reads, scans;
        uint32_t sum = 0;
        for (int i = 0; i < 7; ++i) {
            reads.push_back(bestSeconds(1, [&] { bytes = plainRead(tree); }));
            scans.push_back(
                bestSeconds(1, [&] { sum = CalculateCRC32Thread::directorySum(tree); }));
        }
        std::sort(reads.begin(), reads.end());
        std::sort(scans.begin(), scans.end());
        const double tRead = reads[reads.size() / 2], tScan = scans[scans.size() / 2];
        std::printf("tree %s: %.1f MB, plain read %.3f s, scan %.3f s (%.2fx, medians of 7), "
                    "sum %08x\n",
                    qPrintable(tree), double(bytes) / 1e6, tRead, tScan, tScan / tRead, sum);
    }
    return 0;
}

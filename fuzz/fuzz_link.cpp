// Fuzz target for the link layer's receiving side: scanner, block check and
// reassembly. The first byte picks the mode:
//   even: the rest is raw line bytes, fed in chunks whose sizes come from the
//         data itself, the clock advancing between chunks;
//   odd:  the rest describes telegrams that are framed correctly and then
//         sent with blocks dropped, repeated or swapped and random markers;
//         whatever is delivered must be one of the telegrams sent.
#include "rimolinkcodec.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>

namespace {

struct Reader
{
    const uint8_t* data;
    size_t size;
    size_t pos = 0;
    bool empty() const { return pos >= size; }
    uint8_t byte() { return pos < size ? data[pos++] : 0; }
    QByteArray take(size_t n)
    {
        n = std::min(n, size - std::min(pos, size));
        QByteArray out(reinterpret_cast<const char*>(data + pos), int(n));
        pos += n;
        return out;
    }
};

void check(bool condition)
{
    if (!condition)
        std::abort();
}

// Feeds bytes and runs every decoded block through check and store, with the
// invariants that must hold whatever the input.
QVector<rimoTelegram> feed(rimolink::Scanner& scanner, rimolink::RawBlockStore& store,
                           const QByteArray& bytes, qint64 now)
{
    QVector<rimoTelegram> delivered;
    for (const rimolink::ScanEvent& e : scanner.feed(bytes)) {
        if (e.kind != rimolink::ScanEvent::Block)
            continue;
        check(e.block.size() <= rimolink::MaxBlockSize);
        if (rimolink::checkBlock(e.block) != rimolink::BlockCheck::Good)
            continue;
        const rimolink::RawBlockStore::AddResult r =
            store.addBlock(rimolink::blockToRawBlock(e.block), now);
        if (r.telegram)
            delivered.append(*r.telegram);
    }
    // What stays behind is at most one open transmission (or a lone 0xFF).
    check(scanner.pending().size() <= rimolink::MaxTransmission + 2);
    return delivered;
}

void rawMode(Reader& in)
{
    rimolink::Scanner scanner;
    rimolink::RawBlockStore store;
    qint64 now = 0;
    while (!in.empty()) {
        const uint8_t ctl = in.byte();
        now += ctl >> 4; // up to 15 ms between reads
        feed(scanner, store, in.take(size_t(ctl & 0x0F) * 8 + 1), now);
    }
}

void assembledMode(Reader& in)
{
    rimolink::Scanner scanner;
    rimolink::RawBlockStore store;
    QVector<QByteArray> sent;
    QByteArray line;
    qint64 now = 0;
    while (!in.empty()) {
        const uint8_t sizeByte = in.byte();
        const uint8_t plan = in.byte();
        const uint8_t tid = in.byte();
        const uint8_t sender = in.byte();
        const QByteArray data = in.take(size_t(sizeByte) * 2);
        const rimoTelegram t(tid, 0x94, sender, plan, data);
        sent.append(t.getTelegram());
        QVector<QByteArray> blocks = rimolink::rawBlocksToBlocks(rimolink::telegramToRawBlocks(t));
        if ((plan & 0x03) == 1 && blocks.size() > 1)
            blocks.remove(int(in.byte()) % blocks.size()); // lost block
        else if ((plan & 0x03) == 2 && !blocks.isEmpty())
            blocks.append(blocks.first()); // repeated block
        else if ((plan & 0x03) == 3 && blocks.size() > 1)
            std::swap(blocks.first(), blocks.last()); // out of order
        for (const QByteArray& b : blocks)
            line += rimolink::blockToTransmission(b, uchar(in.byte() & 0x03));
        if (plan & 0x80)
            line += rimolink::ack();
    }
    // Deliver in chunks sized by the line itself.
    for (int pos = 0; pos < line.size();) {
        const int len = 1 + uchar(line.at(pos)) % 64;
        now += len % 7;
        for (const rimoTelegram& got : feed(scanner, store, line.mid(pos, len), now)) {
            // Reassembly never invents a telegram: what comes out with a
            // valid CRC is byte for byte one that went in.
            if (got.isValid())
                check(sent.contains(got.getTelegram()));
        }
        pos += len;
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    Reader in{data, size};
    if (in.byte() & 1)
        assembledMode(in);
    else
        rawMode(in);
    return 0;
}

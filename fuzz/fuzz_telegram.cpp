// Fuzz target for telegram parsing and telegram datagrams.
#include "rimo_crc.h"
#include "rimolinkcodec.h"
#include "rimotelegram.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>

namespace {

void check(bool condition)
{
    if (!condition)
        std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char*>(data), int(size));

    // As a datagram: last byte TId, the rest the telegram.
    rimoTelegram t;
    const bool parsed = rimolink::parseTelegramDatagram(bytes, &t);
    check(parsed == !bytes.isEmpty());
    if (!parsed)
        return 0;
    const QByteArray tb = t.getTelegram();
    check(tb == bytes.left(bytes.size() - 1));
    check(t.getTId() == uchar(bytes.back()));
    // Reading parts of any telegram is safe, valid or not.
    volatile uchar sink = t.receiverAddress() ^ t.senderAddress() ^ t.command();
    (void)sink;
    if (tb.size() < rimoTelegram::MinimumSize) {
        check(!t.isValid());
        return 0;
    }
    const quint16 tail = quint16((uchar(tb.at(tb.size() - 2)) << 8) | uchar(tb.at(tb.size() - 1)));
    check(t.isValid() == (calculateCRC16(tb.left(tb.size() - 2)) == tail));
    check(t.data() == tb.mid(5, tb.size() - 7));
    check(rimolink::telegramDatagram(t) == bytes);

    // Rebuilt from its parts it is valid, and it frames and reassembles
    // into the very same bytes.
    const rimoTelegram rebuilt(t.getTId(), t.receiverAddress(), t.senderAddress(), t.command(),
                               t.data());
    check(rebuilt.isValid());
    check(rimoTelegram(0, rebuilt.getTelegram()).isValid());
    rimolink::Scanner scanner;
    rimolink::RawBlockStore store;
    std::optional<rimoTelegram> back;
    for (const QByteArray& tx : rimolink::telegramToTransmissions(rebuilt, uchar(size & 3))) {
        check(tx.size() <= rimolink::MaxTransmission);
        for (const rimolink::ScanEvent& e : scanner.feed(tx)) {
            check(e.kind == rimolink::ScanEvent::Block);
            check(rimolink::checkBlock(e.block) == rimolink::BlockCheck::Good);
            const auto r = store.addBlock(rimolink::blockToRawBlock(e.block), 0);
            if (r.telegram)
                back = r.telegram;
        }
    }
    check(back.has_value() && back->getTelegram() == rebuilt.getTelegram());
    return 0;
}

#include "rimolinkcodec.h"

#include "rimo_crc.h"

namespace rimolink {

QByteArray ack()
{
    return QByteArray::fromRawData("\xFF\xF0", 2);
}

QByteArray nak()
{
    return QByteArray::fromRawData("\xFF\x0F", 2);
}

// ---------------------------------------------------------------- scanning

ScanStep scanStep(const QByteArray& buffer)
{
    const int n = buffer.size();
    const auto at = [&buffer](int i) { return uchar(buffer.at(i)); };
    bool open = false;
    int start = 0;
    int i = 0;
    // Examine up to the last-but-one byte so that a control pair is always
    // seen whole. Parities count from the start position: markers sit at even
    // distances, data bytes at odd ones.
    while (i < n - 1) {
        const uchar c = at(i);
        const bool even = ((i - start) % 2) == 0;
        if (c <= MaxMarker) {
            ++i;
            continue;
        }
        if (c == Escape) {
            const uchar d = at(i + 1);
            switch (d) {
            case StartCode:
                start = i;
                open = true;
                i += 2;
                continue;
            case AckCode:
                return {ScanStep::Ack, i + 2, 0, 0};
            case NakCode:
                return {ScanStep::Nak, i + 2, 0, 0};
            case EndCode:
                if (!open) {
                    ++i;
                } else if (!even) {
                    open = false; // an end where data belongs: drop the transmission
                    i += 2;
                } else if (i + 2 - start > MaxTransmission) {
                    // Longer than any block can be: whether it arrived in one
                    // read or several, it is dropped.
                    return {ScanStep::Overflow, i + 2, 0, 0};
                } else {
                    return {ScanStep::Transmission, i + 2, start, i + 2};
                }
                continue;
            case 0x00:
            case 0xFF:
                if (even) { // abort pair at a marker position
                    open = false;
                    start = 0;
                    i += 2;
                } else { // data byte 0xFF
                    ++i;
                }
                continue;
            default:
                ++i;
                continue;
            }
        }
        // 0x04..0xFE: where a marker belongs inside a transmission it aborts it.
        if (open && even) {
            open = false;
            start = 0;
        }
        ++i;
    }
    if (open) {
        // The limit counts from the transmission's own start, so that garbage
        // read in the same chunk before it cannot push a good one out.
        if (i - start <= MaxTransmission)
            return {ScanStep::Wait, start, 0, 0};
        return {ScanStep::Overflow, i, 0, 0};
    }
    // Only a trailing 0xFF may be the first half of a control pair.
    if (n >= 1 && at(n - 1) == Escape)
        return {ScanStep::Wait, n - 1, 0, 0};
    return {ScanStep::Wait, n, 0, 0};
}

QByteArray transmissionToBlock(const QByteArray& transmission)
{
    const int m = (transmission.size() - 4) / 2;
    QByteArray block;
    if (m <= 0)
        return block;
    block.resize(m);
    for (int j = 0; j < m; ++j)
        block[j] = transmission.at(2 * j + 3);
    return block;
}

QVector<ScanEvent> Scanner::feed(const QByteArray& bytes)
{
    m_buffer.append(bytes);
    QVector<ScanEvent> events;
    for (;;) {
        const ScanStep step = scanStep(m_buffer);
        switch (step.kind) {
        case ScanStep::Ack:
            events.append(ScanEvent{ScanEvent::Ack, QByteArray()});
            break;
        case ScanStep::Nak:
            events.append(ScanEvent{ScanEvent::Nak, QByteArray()});
            break;
        case ScanStep::Transmission:
            events.append(ScanEvent{ScanEvent::Block, transmissionToBlock(m_buffer.mid(
                                                          step.start, step.end - step.start))});
            break;
        case ScanStep::Wait:
        case ScanStep::Overflow:
            break;
        }
        m_buffer.remove(0, step.discard);
        if (step.kind == ScanStep::Wait)
            return events;
    }
}

int findDbm(const QByteArray& chunk)
{
    for (int i = 0; i + 1 < chunk.size(); ++i) {
        if (uchar(chunk.at(i)) == Escape && uchar(chunk.at(i + 1)) == StartCode)
            return i + 2 < chunk.size() ? uchar(chunk.at(i + 2)) : 0;
    }
    return -1;
}

// ---------------------------------------------------------------- blocks

namespace {

quint16 trailingCrc(const QByteArray& bytes)
{
    const int n = bytes.size();
    return quint16((uchar(bytes.at(n - 2)) << 8) | uchar(bytes.at(n - 1)));
}

void appendCrc(QByteArray& bytes)
{
    const quint16 crc = calculateCRC16(static_cast<const QByteArray&>(bytes));
    bytes.append(char(crc >> 8));
    bytes.append(char(crc & 0xFF));
}

uchar rawByte(const QByteArray& raw, int index)
{
    return index < raw.size() ? uchar(raw.at(index)) : uchar(0);
}

} // namespace

BlockCheck checkBlock(const QByteArray& block)
{
    if (block.size() < MinBlockSize)
        return BlockCheck::TooShort;
    const quint16 crc =
        calculateCRC16(QByteArray::fromRawData(block.constData(), block.size() - 2));
    return crc == trailingCrc(block) ? BlockCheck::Good : BlockCheck::BadCrc;
}

QByteArray blockToRawBlock(const QByteArray& block)
{
    if (block.size() < 4)
        return {};
    return block.mid(2, block.size() - 4);
}

uchar rawHeader(const QByteArray& raw)
{
    return rawByte(raw, 0);
}

uchar rawReceiver(const QByteArray& raw)
{
    return rawByte(raw, 1);
}

uchar rawSender(const QByteArray& raw)
{
    return rawByte(raw, 2);
}

uchar rawTId(const QByteArray& raw)
{
    return rawByte(raw, 3);
}

quint16 rawOffset(const QByteArray& raw)
{
    return quint16(rawByte(raw, 4) | (rawByte(raw, 5) << 8));
}

QByteArray rawChunk(const QByteArray& raw)
{
    return raw.mid(RawHeaderSize, rawHeader(raw) & HdrLengthMask);
}

quint16 blockKey(const QByteArray& raw)
{
    return quint16(rawSender(raw) | (rawTId(raw) << 8));
}

// ---------------------------------------------------------------- building

QByteArray makeRawBlock(uchar header, uchar receiver, uchar sender, uchar tid, quint16 offset,
                        const QByteArray& chunk)
{
    QByteArray raw;
    raw.reserve(RawHeaderSize + chunk.size());
    raw.append(char(header));
    raw.append(char(receiver));
    raw.append(char(sender));
    raw.append(char(tid));
    raw.append(char(offset & 0xFF));
    raw.append(char(offset >> 8));
    raw.append(chunk);
    return raw;
}

QVector<QByteArray> telegramToRawBlocks(const rimoTelegram& telegram)
{
    QVector<QByteArray> raws;
    const QByteArray bytes = telegram.getTelegram();
    if (bytes.size() < rimoTelegram::MinimumSize)
        return raws;
    const QByteArray payload = bytes.mid(4);
    for (int offset = 0; offset < payload.size(); offset += MaxChunk) {
        const QByteArray chunk = payload.mid(offset, MaxChunk);
        const bool last = offset + MaxChunk >= payload.size();
        const uchar header = uchar(chunk.size()) | (last ? HdrLast : 0);
        raws.append(makeRawBlock(header, telegram.receiverAddress(), telegram.senderAddress(),
                                 telegram.getTId(), quint16(offset), chunk));
    }
    return raws;
}

QByteArray rawBlockToBlock(const QByteArray& raw)
{
    QByteArray block(2, '\0');
    block.append(raw);
    appendCrc(block);
    return block;
}

QVector<QByteArray> rawBlocksToBlocks(const QVector<QByteArray>& raws)
{
    QVector<QByteArray> blocks;
    blocks.reserve(raws.size());
    for (const QByteArray& raw : raws)
        blocks.append(rawBlockToBlock(raw));
    return blocks;
}

QByteArray blockToTransmission(const QByteArray& block, uchar marker)
{
    QByteArray t;
    t.reserve(2 * (block.size() + 2));
    t.append(char(Escape));
    t.append(char(StartCode));
    for (char b : block) {
        t.append(char(marker));
        t.append(b);
    }
    t.append(char(Escape));
    t.append(char(EndCode));
    return t;
}

QVector<QByteArray> telegramToTransmissions(const rimoTelegram& telegram, uchar marker)
{
    QVector<QByteArray> out;
    for (const QByteArray& block : rawBlocksToBlocks(telegramToRawBlocks(telegram)))
        out.append(blockToTransmission(block, marker));
    return out;
}

// ---------------------------------------------------------------- datagrams

QByteArray telegramDatagram(const rimoTelegram& telegram)
{
    QByteArray d = telegram.getTelegram();
    d.append(char(telegram.getTId()));
    return d;
}

bool parseTelegramDatagram(const QByteArray& datagram, rimoTelegram* telegram)
{
    if (datagram.isEmpty())
        return false;
    const int n = datagram.size();
    *telegram = rimoTelegram(uchar(datagram.at(n - 1)), datagram.left(n - 1));
    return true;
}

// ---------------------------------------------------------------- reassembly

std::optional<QByteArray> pullBlock(QList<QByteArray>& blocks, quint16 offset)
{
    for (int i = 0; i < blocks.size(); ++i) {
        if (rawOffset(blocks.at(i)) == offset)
            return blocks.takeAt(i);
    }
    return std::nullopt;
}

std::optional<rimoTelegram> processRawBlocks(QList<QByteArray> blocks, quint16 key)
{
    quint32 expected = 0;
    QByteArray payload;
    uchar receiver = 0;
    uchar sender = 0;
    for (;;) {
        // Offsets are 16 bits on the wire; a chain running past them cannot match.
        if (expected > 0xFFFF)
            return std::nullopt;
        std::optional<QByteArray> raw = pullBlock(blocks, quint16(expected));
        if (!raw)
            return std::nullopt;
        // The chunk's real size counts, so a header that promises more bytes
        // than the block holds cannot make the length field lie.
        const QByteArray chunk = rawChunk(*raw);
        payload.append(chunk);
        receiver = rawReceiver(*raw);
        sender = rawSender(*raw);
        if ((rawHeader(*raw) & HdrLast) || blocks.isEmpty())
            break;
        expected += quint32(chunk.size());
    }
    const int length = payload.size() - 2;
    QByteArray bytes;
    bytes.reserve(payload.size() + 4);
    bytes.append(char(receiver));
    bytes.append(char(sender));
    bytes.append(char(length & 0xFF));
    bytes.append(char((length >> 8) & 0xFF));
    bytes.append(payload);
    return rimoTelegram(uchar(key & 0xFF), bytes);
}

RawBlockStore::AddResult RawBlockStore::addBlock(const QByteArray& raw, qint64 nowMs)
{
    AddResult result;
    const quint16 key = blockKey(raw);
    insertTime(key, nowMs);
    const uchar header = rawHeader(raw);
    if (header & HdrAgeOnly)
        return result;
    insertBlock(key, raw);
    if (header & HdrLast) {
        result.completed = true;
        result.telegram = processRawBlocks(takeBlocksById(key), key);
        cleanBlockbuffer(nowMs);
    }
    return result;
}

void RawBlockStore::insertTime(quint16 key, qint64 nowMs)
{
    m_ages.insert(key, nowMs);
}

void RawBlockStore::insertBlock(quint16 key, const QByteArray& raw)
{
    // A repeated chunk (the peer missed our ACK) replaces the one stored at
    // its offset: reassembly takes the newest anyway, and a peer repeating
    // blocks of a telegram it never finishes cannot make the store grow.
    QList<QByteArray>& blocks = m_blocks[key];
    const quint16 offset = rawOffset(raw);
    for (int i = 0; i < blocks.size(); ++i) {
        if (rawOffset(blocks.at(i)) == offset) {
            blocks.removeAt(i);
            break;
        }
    }
    blocks.prepend(raw);
}

QList<QByteArray> RawBlockStore::takeBlocksById(quint16 key)
{
    m_ages.remove(key);
    return m_blocks.take(key);
}

void RawBlockStore::cleanBlockbuffer(qint64 nowMs)
{
    for (auto it = m_ages.begin(); it != m_ages.end();) {
        if (nowMs - it.value() > MaxKeyAgeMs) {
            m_blocks.remove(it.key());
            it = m_ages.erase(it);
        } else {
            ++it;
        }
    }
}

int RawBlockStore::blockCount() const
{
    int count = 0;
    for (const QList<QByteArray>& list : m_blocks)
        count += list.size();
    return count;
}

void RawBlockStore::clear()
{
    m_blocks.clear();
    m_ages.clear();
}

} // namespace rimolink

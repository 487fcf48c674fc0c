#ifndef RIMOLINKCODEC_H
#define RIMOLINKCODEC_H

// Byte work of the serial link layer, free of any I/O, so that both ends of
// the line (the link layer thread and a peer playing the controller boards),
// the tests and the fuzzers share one implementation.
//
// Formats, from the inside out ("payload" = telegram bytes from offset 4 on:
// command, data, CRC):
//
//   raw block     hdr | receiver | sender | TId | offset (LE16) | chunk (1..40)
//                 hdr bits 0-5 chunk length, 0x40 age refresh only, 0x80 last
//   block         0x00 0x00 | raw block | CRC16 over all before it (BE)
//   transmission  0xFF 0xC3 | marker, byte | marker, byte ... | 0xFF 0x3C
//                 marker 0x00..0x03; this side sends 0x00, a peer its DBM
//   ACK / NAK     0xFF 0xF0 / 0xFF 0x0F
//
// Typical receiving side:
//
//   QByteArray buffer;                 // bytes read from the line
//   rimolink::RawBlockStore store;
//   for (;;) {
//       const rimolink::ScanStep step = rimolink::scanStep(buffer);
//       if (step.kind == rimolink::ScanStep::Transmission) {
//           QByteArray block = rimolink::transmissionToBlock(buffer.mid(step.start, step.end -
//           step.start)); switch (rimolink::checkBlock(block)) { ... send rimolink::ack() / nak()
//           ... } auto done = store.addBlock(rimolink::blockToRawBlock(block), nowMs);
//       }
//       buffer.remove(0, step.discard);
//       if (step.kind == rimolink::ScanStep::Wait)
//           break;
//   }
//
// rimolink::Scanner wraps that loop for users that only want the events.

#include "rimotelegram.h"

#include <QByteArray>
#include <QHash>
#include <QList>
#include <QVector>

#include <optional>

namespace rimolink {

constexpr int MaxChunk = 40;         // payload bytes per block
constexpr int RawHeaderSize = 6;     // header of a raw block
constexpr int MinBlockSize = 10;     // two zero bytes, raw header, CRC
constexpr int MaxBlockSize = 50;     // MinBlockSize + MaxChunk
constexpr int MaxTransmission = 104; // 2 * (MaxBlockSize + 2)
constexpr qint64 MaxKeyAgeMs = 100;  // stored blocks older than this are dropped
constexpr int AckWindowMs = 4;       // peer answers every block within this
constexpr int SendAttempts = 5;      // per transmission, then it is given up

constexpr uchar Escape = 0xFF;
constexpr uchar StartCode = 0xC3;
constexpr uchar EndCode = 0x3C;
constexpr uchar AckCode = 0xF0;
constexpr uchar NakCode = 0x0F;
constexpr uchar MaxMarker = 0x03;

constexpr uchar HdrLengthMask = 0x3F;
constexpr uchar HdrAgeOnly = 0x40;
constexpr uchar HdrLast = 0x80;

QByteArray ack(); // 0xFF 0xF0
QByteArray nak(); // 0xFF 0x0F

// ---------------------------------------------------------------- scanning

// One step of the transmission scanner over a receive buffer. The scanner is
// stateless between steps: every step is a fresh pass from the buffer's
// first byte. After acting on a step the caller removes `discard` bytes from
// the front of the buffer; then it scans again unless kind is Wait.
struct ScanStep
{
    enum Kind {
        Wait,         // nothing complete; discard, then wait for more bytes
        Ack,          // 0xFF 0xF0 seen (anything before it is discarded)
        Nak,          // 0xFF 0x0F seen
        Transmission, // complete transmission in [start, end)
        Overflow,     // transmission longer than MaxTransmission; discard and rescan
    };
    Kind kind = Wait;
    int discard = 0;
    int start = 0; // Transmission only
    int end = 0;   // Transmission only
};

ScanStep scanStep(const QByteArray& buffer);

// Block bytes of a complete transmission (0xFF 0xC3 ... 0xFF 0x3C):
// (t - 4) / 2 bytes, block byte j is transmission byte 2j + 3.
QByteArray transmissionToBlock(const QByteArray& transmission);

// Convenience loop over scanStep(): consumes the buffer and returns what it
// held, in order. A partial transmission (or a trailing 0xFF) stays in it.
struct ScanEvent
{
    enum Kind { Ack, Nak, Block };
    Kind kind;
    QByteArray block; // Block only: the decoded block bytes
};

class Scanner
{
public:
    QVector<ScanEvent> feed(const QByteArray& bytes);
    const QByteArray& pending() const { return m_buffer; }
    void clear() { m_buffer.clear(); }

private:
    QByteArray m_buffer;
};

// The data byte marker: the byte after the first 0xFF 0xC3 of a chunk
// (0 when the chunk ends right after it), or -1 when the chunk holds no start.
int findDbm(const QByteArray& chunk);

// ---------------------------------------------------------------- blocks

enum class BlockCheck {
    TooShort, // fewer than MinBlockSize bytes: ignored without an answer
    BadCrc,   // answer with nak()
    Good,     // answer with ack()
};

BlockCheck checkBlock(const QByteArray& block);

// Strips the two leading zero bytes and the CRC of a block.
QByteArray blockToRawBlock(const QByteArray& block);

// Raw-block fields; a too-short raw block reads as zeros.
uchar rawHeader(const QByteArray& raw);
uchar rawReceiver(const QByteArray& raw);
uchar rawSender(const QByteArray& raw);
uchar rawTId(const QByteArray& raw);
quint16 rawOffset(const QByteArray& raw);
// Chunk as announced by the header's length bits, cut to the bytes present.
QByteArray rawChunk(const QByteArray& raw);
// sender + 256 * TId: shared by every block of one telegram.
quint16 blockKey(const QByteArray& raw);

// ---------------------------------------------------------------- building

// Payload cut into chunks of MaxChunk bytes, each with its raw header; an
// empty list for a telegram shorter than its minimum size.
QVector<QByteArray> telegramToRawBlocks(const rimoTelegram& telegram);
QByteArray makeRawBlock(uchar header, uchar receiver, uchar sender, uchar tid, quint16 offset,
                        const QByteArray& chunk);
QByteArray rawBlockToBlock(const QByteArray& raw);
QVector<QByteArray> rawBlocksToBlocks(const QVector<QByteArray>& raws);
QByteArray blockToTransmission(const QByteArray& block, uchar marker = 0x00);
// All of the above in one go: the transmissions that carry a telegram.
QVector<QByteArray> telegramToTransmissions(const rimoTelegram& telegram, uchar marker = 0x00);

// ---------------------------------------------------------------- datagrams

// Telegram datagram: telegram bytes followed by the TId.
QByteArray telegramDatagram(const rimoTelegram& telegram);
// False for a datagram without any byte, which carries no telegram.
bool parseTelegramDatagram(const QByteArray& datagram, rimoTelegram* telegram);

// ---------------------------------------------------------------- reassembly

// Removes and returns the first block of `blocks` whose offset is `offset`.
std::optional<QByteArray> pullBlock(QList<QByteArray>& blocks, quint16 offset);

// Joins the raw blocks of one telegram in offset order, starting at offset 0
// and stopping at the last-flagged block (or when none remain). A missing
// chunk drops the whole telegram. The result carries TId = low byte of the
// key (the sender); its CRC is not judged here.
std::optional<rimoTelegram> processRawBlocks(QList<QByteArray> blocks, quint16 key);

// Raw blocks of unfinished telegrams with the age of each key. Times are
// milliseconds on any monotonic clock the caller chooses.
class RawBlockStore
{
public:
    struct AddResult
    {
        bool completed = false;               // a last block closed its key
        std::optional<rimoTelegram> telegram; // set when reassembly succeeded
    };

    // Stores one raw block (already accepted by address): refreshes its
    // key's age; age-only blocks stop there; a last block reassembles its
    // key, removes it and cleans every key older than MaxKeyAgeMs.
    AddResult addBlock(const QByteArray& raw, qint64 nowMs);

    // The single steps, for callers that trace them.
    void insertTime(quint16 key, qint64 nowMs);
    void insertBlock(quint16 key, const QByteArray& raw);
    QList<QByteArray> takeBlocksById(quint16 key); // also drops the key's age
    void cleanBlockbuffer(qint64 nowMs);

    int keyCount() const { return m_ages.size(); }
    int blockCount() const;
    bool hasKey(quint16 key) const { return m_ages.contains(key); }
    void clear();

private:
    QHash<quint16, QList<QByteArray>> m_blocks; // newest first, one per offset
    QHash<quint16, qint64> m_ages;              // time of the key's last block
};

} // namespace rimolink

#endif // RIMOLINKCODEC_H

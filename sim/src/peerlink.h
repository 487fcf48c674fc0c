#ifndef PEERLINK_H
#define PEERLINK_H

#include "rimolinkcodec.h"
#include "rimotelegram.h"

#include <QByteArray>
#include <QHash>
#include <QJsonObject>
#include <QQueue>

#include <functional>

namespace bussim {

// The boards' side of the serial link layer, free of I/O: scans received
// bytes, answers every block with ACK or NAK at once, reassembles telegrams,
// and sends its own telegrams as acknowledged transmissions with retries.
// Time is passed in (milliseconds on any monotonic clock).
class PeerLink
{
public:
    enum class Fault { NoAck, Nak, Garbage, Corrupt };

    struct Callbacks
    {
        std::function<void(const QByteArray&)> write; // bytes to the line
        // Reassembled telegram with the TId its blocks carried (the telegram
        // itself carries the sender as TId, as the link layer does).
        std::function<void(const rimoTelegram&, uchar tid)> telegram;
        std::function<void(const QString&, const QJsonObject&)> event; // line events
    };

    explicit PeerLink(Callbacks callbacks);

    void setMarker(uchar marker) { m_marker = marker; }
    uchar marker() const { return m_marker; }
    void setAckTimeoutMs(int ms) { m_ackTimeoutMs = ms; }

    // Bytes read from the line.
    void receive(const QByteArray& bytes, qint64 nowMs);
    // Queues a telegram; it goes out when the line is free.
    void send(const rimoTelegram& telegram, qint64 nowMs);
    // Checks the acknowledgement window of the transmission in flight.
    void poll(qint64 nowMs);
    // When poll() needs to run next, or -1 when nothing waits for an answer.
    qint64 deadline() const { return m_waiting ? m_deadline : -1; }

    // Line faults on the next n blocks: received blocks get no answer
    // (NoAck) or a NAK (Nak); sent blocks are preceded by garbage (Garbage)
    // or carry a broken CRC (Corrupt).
    void addFault(Fault fault, int n);
    int pendingFaults(Fault fault) const;

    bool idle() const { return !m_waiting && m_queue.isEmpty(); }
    int queued() const { return m_queue.size() + (m_waiting ? 1 : 0); }

    // A telegram completed again with the same key and bytes within this time
    // is the panel repeating a block whose ACK it missed: acknowledged, not
    // delivered twice (a repeated UP would otherwise step twice).
    static constexpr qint64 RepeatWindowMs = 250;

    // Blocks waiting beyond this are dropped, oldest first.
    static constexpr int MaxQueued = 512;

    // Garbage written before a transmission: bytes the receiver discards.
    static QByteArray garbage();

private:
    struct Pending
    {
        QByteArray block;
        int attempts = 0;
        QJsonObject info;
    };

    void kick(qint64 nowMs);
    void transmit(qint64 nowMs);
    void attemptFailed(const QString& why, qint64 nowMs);
    void emitEvent(const QString& kind, const QJsonObject& details = QJsonObject());

    Callbacks m_cb;
    rimolink::Scanner m_scanner;
    rimolink::RawBlockStore m_store;
    QQueue<Pending> m_queue;
    Pending m_current;
    bool m_waiting = false;
    bool m_receiving = false;
    qint64 m_deadline = 0;
    int m_ackTimeoutMs = 20;
    uchar m_marker = 0;
    int m_faults[4] = {0, 0, 0, 0};
    // Transmissions given up in a row: while nobody answers at all, each gets
    // one attempt, so an absent panel does not let the queue grow.
    int m_unanswered = 0;
    struct Recent
    {
        QByteArray bytes;
        qint64 atMs = 0;
    };
    QHash<quint16, Recent> m_recent;
};

} // namespace bussim

#endif // PEERLINK_H

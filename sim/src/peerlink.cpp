#include "peerlink.h"

namespace bussim {

PeerLink::PeerLink(Callbacks callbacks) : m_cb(std::move(callbacks)) {}

QByteArray PeerLink::garbage()
{
    // No 0xFF in it, so it can never be taken for a control pair.
    return QByteArray::fromHex("55aa1337420d0a7e");
}

void PeerLink::addFault(Fault fault, int n)
{
    m_faults[int(fault)] = qMax(0, n);
}

int PeerLink::pendingFaults(Fault fault) const
{
    return m_faults[int(fault)];
}

void PeerLink::emitEvent(const QString& kind, const QJsonObject& details)
{
    if (m_cb.event)
        m_cb.event(kind, details);
}

void PeerLink::receive(const QByteArray& bytes, qint64 nowMs)
{
    m_receiving = true;
    const QVector<rimolink::ScanEvent> events = m_scanner.feed(bytes);
    for (const rimolink::ScanEvent& e : events) {
        switch (e.kind) {
        case rimolink::ScanEvent::Ack:
            if (m_waiting) {
                m_waiting = false;
                m_unanswered = 0;
                QJsonObject info = m_current.info;
                info.insert("attempt", m_current.attempts);
                emitEvent(QStringLiteral("acked"), info);
            }
            break;
        case rimolink::ScanEvent::Nak:
            m_unanswered = 0;
            if (m_waiting)
                attemptFailed(QStringLiteral("nak"), nowMs);
            break;
        case rimolink::ScanEvent::Block: {
            if (m_faults[int(Fault::NoAck)] > 0) {
                --m_faults[int(Fault::NoAck)];
                emitEvent(QStringLiteral("noack"));
                break;
            }
            if (m_faults[int(Fault::Nak)] > 0) {
                --m_faults[int(Fault::Nak)];
                m_cb.write(rimolink::nak());
                emitEvent(QStringLiteral("nak"), QJsonObject{{"reason", "fault"}});
                break;
            }
            const rimolink::BlockCheck check = rimolink::checkBlock(e.block);
            if (check == rimolink::BlockCheck::TooShort)
                break;
            if (check == rimolink::BlockCheck::BadCrc) {
                m_cb.write(rimolink::nak());
                emitEvent(QStringLiteral("nak"), QJsonObject{{"reason", "crc"}});
                break;
            }
            m_cb.write(rimolink::ack());
            const QByteArray raw = rimolink::blockToRawBlock(e.block);
            const quint16 key = rimolink::blockKey(raw);
            const auto result = m_store.addBlock(raw, nowMs);
            if (!result.telegram)
                break;
            const QByteArray bytes = result.telegram->getTelegram();
            auto it = m_recent.find(key);
            if (it != m_recent.end() && it->bytes == bytes && nowMs - it->atMs < RepeatWindowMs) {
                it->atMs = nowMs;
                emitEvent(QStringLiteral("repeat"), QJsonObject{{"key", key}});
                break;
            }
            if (m_recent.size() > 64) {
                for (auto r = m_recent.begin(); r != m_recent.end();)
                    r = nowMs - r->atMs >= RepeatWindowMs ? m_recent.erase(r) : std::next(r);
            }
            m_recent.insert(key, Recent{bytes, nowMs});
            if (m_cb.telegram)
                m_cb.telegram(*result.telegram, uchar(key >> 8));
            break;
        }
        }
    }
    m_receiving = false;
    kick(nowMs);
}

void PeerLink::send(const rimoTelegram& telegram, qint64 nowMs)
{
    const QVector<QByteArray> raws = rimolink::telegramToRawBlocks(telegram);
    const QVector<QByteArray> blocks = rimolink::rawBlocksToBlocks(raws);
    for (int i = 0; i < blocks.size(); ++i) {
        Pending p;
        p.block = blocks.at(i);
        p.info = QJsonObject{{"tid", telegram.getTId()},
                             {"cmd", telegram.command()},
                             {"block", i},
                             {"blocks", blocks.size()}};
        m_queue.enqueue(p);
    }
    int dropped = 0;
    while (m_queue.size() > MaxQueued) {
        m_queue.dequeue();
        ++dropped;
    }
    if (dropped > 0)
        emitEvent(QStringLiteral("overflow"), QJsonObject{{"dropped", dropped}});
    if (!m_receiving)
        kick(nowMs);
}

void PeerLink::kick(qint64 nowMs)
{
    if (m_waiting || m_queue.isEmpty())
        return;
    m_current = m_queue.dequeue();
    m_current.attempts = 0;
    transmit(nowMs);
}

void PeerLink::transmit(qint64 nowMs)
{
    ++m_current.attempts;
    QByteArray block = m_current.block;
    QByteArray out;
    if (m_faults[int(Fault::Garbage)] > 0) {
        --m_faults[int(Fault::Garbage)];
        out += garbage();
        emitEvent(QStringLiteral("garbage"), m_current.info);
    }
    if (m_faults[int(Fault::Corrupt)] > 0) {
        --m_faults[int(Fault::Corrupt)];
        block[block.size() - 1] = char(block.at(block.size() - 1) ^ 0x01);
        emitEvent(QStringLiteral("corrupt"), m_current.info);
    }
    out += rimolink::blockToTransmission(block, m_marker);
    m_waiting = true;
    m_deadline = nowMs + m_ackTimeoutMs;
    m_cb.write(out);
}

void PeerLink::attemptFailed(const QString& why, qint64 nowMs)
{
    QJsonObject info = m_current.info;
    info.insert("attempt", m_current.attempts);
    info.insert("reason", why);
    const bool peerAbsent = m_unanswered >= 2 && why == QLatin1String("timeout");
    if (m_current.attempts >= rimolink::SendAttempts || peerAbsent) {
        m_waiting = false;
        if (why == QLatin1String("timeout"))
            ++m_unanswered;
        emitEvent(QStringLiteral("giveup"), info);
        if (!m_receiving)
            kick(nowMs);
        return;
    }
    emitEvent(QStringLiteral("retry"), info);
    transmit(nowMs);
}

void PeerLink::poll(qint64 nowMs)
{
    if (m_waiting && nowMs >= m_deadline)
        attemptFailed(QStringLiteral("timeout"), nowMs);
    else
        kick(nowMs);
}

} // namespace bussim

#ifndef PTYPEER_H
#define PTYPEER_H

#include "rimolinkcodec.h"

#include <QByteArray>
#include <QString>
#include <QVector>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <functional>
#include <mutex>
#include <thread>

// Plays the controller boards' end of the serial line on a pseudo-terminal
// whose slave is linked at $VANTO_ROOT/dev/ttymxc1. A thread of its own reads
// the master side, scans it with the shared codec and answers blocks
// according to the chosen policy, recording what it saw with time stamps.
class PtyPeer
{
public:
    using Clock = std::chrono::steady_clock;

    enum class Answer { Ack, Nak, Silent };

    struct Received
    {
        rimolink::ScanEvent::Kind kind;
        QByteArray block;
        Clock::time_point at;
    };

    PtyPeer();
    ~PtyPeer();

    bool isOpen() const { return m_master >= 0; }
    QString slavePath() const { return m_slavePath; }
    // Links the slave at the given path (creating its folder).
    bool linkAt(const QString& path);
    // Links at $VANTO_ROOT/dev/ttymxc1.
    bool linkDefault();

    void setAnswer(Answer answer) { m_answer = answer; }
    // Raw bytes onto the line (thread-safe).
    void write(const QByteArray& bytes);
    // A transmission start whose marker tells the link layer our DBM.
    void sendStart(uchar marker) { write(QByteArray("\xFF\xC3", 2) + char(marker)); }
    void sendTelegram(const rimoTelegram& telegram, uchar marker = 0x01);
    // Repeats a transmission start every few milliseconds from the peer
    // thread until stopped: the link layer reads its DBM from the first start
    // it sees after opening the line, whenever that happens.
    void startBeacon(uchar marker);
    void stopBeacon() { m_beacon = -1; }

    // Everything received so far, in order.
    QVector<Received> received() const;
    QVector<QByteArray> blocks() const;
    int count(rimolink::ScanEvent::Kind kind) const;
    // Waits until at least n events of the kind have been seen.
    bool waitFor(rimolink::ScanEvent::Kind kind, int n, int timeoutMs) const;
    void clearReceived();

    // Stops (or resumes) output of the slave side, so writes there stall.
    bool suspendSlaveOutput(bool suspend);
    // Closes the master side: the link layer sees the line go away.
    void hangUp();

    // Called on the peer thread for every event, after the automatic answer.
    // Set it before the line carries traffic.
    std::function<void(const Received&)> onEvent;

private:
    void run();

    int m_master = -1;
    int m_slave = -1;
    QString m_slavePath;
    std::atomic<Answer> m_answer{Answer::Ack};
    std::atomic_bool m_stop{false};
    std::atomic_int m_beacon{-1};
    std::mutex m_writeMutex;
    mutable std::mutex m_mutex;
    mutable std::condition_variable m_changed;
    QVector<Received> m_received;
    rimolink::Scanner m_scanner;
    std::thread m_thread;
};

#endif // PTYPEER_H

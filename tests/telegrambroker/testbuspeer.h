#ifndef TESTBUSPEER_H
#define TESTBUSPEER_H

#include "rimolinkcodec.h"
#include "rimotelegram.h"

#include <QElapsedTimer>
#include <QList>
#include <QMap>
#include <QMutex>
#include <QObject>
#include <QThread>

#include <functional>

class QSocketNotifier;
class QTimer;

// The controller boards' end of the serial line for black-box tests of the
// broker: a pseudo-terminal linked at $VANTO_ROOT/dev/ttymxc1, served in a
// thread of its own so that acknowledgements are never late while the test
// thread waits. It announces itself with the given DBM, acknowledges and
// reassembles every block, records the telegrams and answers them through
// the responder (by default: configuration paragraphs from a table).
class TestBusPeer : public QObject
{
    Q_OBJECT
public:
    using Responder = std::function<QList<rimoTelegram>(const rimoTelegram& request)>;

    struct Received
    {
        rimoTelegram telegram;
        qint64 atMs;
        // The TId of the block header as the sender chose it (the reassembled
        // telegram carries its sender address instead). A block repeated by
        // the link layer after a late acknowledgement arrives with the same
        // TId, so this tells repeats from new telegrams.
        uchar busTid;
    };

    explicit TestBusPeer(uchar dbm);
    ~TestBusPeer() override;

    // Answers parameter requests (0x89) to 0x08 for the paragraphs in the
    // table with a report (0x09) carrying the value byte; others get none.
    void answerParagraphs(const QMap<quint16, uchar>& values);
    // Replaces the default responder; called in the peer's thread.
    void setResponder(const Responder& responder);
    // Keeps sending a report of paragraph 236 every 20 ms while on, which
    // keeps the broker's configuration exchange from finishing.
    void holdConfiguration(bool on);

    bool open();                             // creates the line and starts the thread
    void send(const rimoTelegram& telegram); // thread-safe

    QList<Received> received() const;
    // Matching telegrams, each counted once however often the link layer
    // repeated its blocks (same header TId, same bytes).
    int countReceived(const std::function<bool(const rimoTelegram&)>& match) const;
    qint64 nowMs() const { return m_clock.elapsed(); }

private slots:
    void start();
    void onReadable();
    void onHello();
    void onHold();
    void doSend(const QByteArray& telegramBytes, uchar tid);

private:
    void write(const QByteArray& bytes);

    uchar m_dbm;
    int m_master = -1;
    int m_slave = -1;
    QThread m_thread;
    QSocketNotifier* m_notifier = nullptr;
    QTimer* m_helloTimer = nullptr;
    QTimer* m_holdTimer = nullptr;
    bool m_heardBroker = false;
    rimolink::Scanner m_scanner;
    rimolink::RawBlockStore m_store;
    QElapsedTimer m_clock;

    mutable QMutex m_mutex;
    QList<Received> m_received;
    Responder m_responder;
    QMap<quint16, uchar> m_paragraphs;
    bool m_hold = false;
};

#endif // TESTBUSPEER_H

#include "testbuspeer.h"

#include <QDir>
#include <QFile>
#include <QMetaObject>
#include <QSet>
#include <QSocketNotifier>
#include <QTimer>

#include <fcntl.h>
#include <pty.h>
#include <termios.h>
#include <unistd.h>

TestBusPeer::TestBusPeer(uchar dbm) : m_dbm(dbm)
{
    m_clock.start();
    m_responder = [this](const rimoTelegram& request) {
        QList<rimoTelegram> answers;
        const QByteArray data = request.data();
        if (request.receiverAddress() != 0x08 || request.command() != 0x89 || data.size() < 2) {
            return answers;
        }
        const quint16 paragraph = quint16(uchar(data.at(0)) | (uchar(data.at(1)) << 8));
        QMutexLocker lock(&m_mutex);
        if (m_paragraphs.contains(paragraph)) {
            answers << rimoTelegram(0, request.senderAddress(), 0x08, 0x09,
                                    data.left(2) +
                                        QByteArray(1, char(m_paragraphs.value(paragraph))));
        }
        return answers;
    };
}

TestBusPeer::~TestBusPeer()
{
    if (m_thread.isRunning()) {
        QMetaObject::invokeMethod(
            this,
            [this] {
                delete m_notifier;
                delete m_helloTimer;
                delete m_holdTimer;
                m_notifier = nullptr;
                moveToThread(m_thread.thread());
                m_thread.quit();
            },
            Qt::BlockingQueuedConnection);
        m_thread.wait();
    }
    if (m_master >= 0) {
        ::close(m_master);
    }
    if (m_slave >= 0) {
        ::close(m_slave);
    }
}

void TestBusPeer::answerParagraphs(const QMap<quint16, uchar>& values)
{
    QMutexLocker lock(&m_mutex);
    m_paragraphs = values;
}

void TestBusPeer::setResponder(const Responder& responder)
{
    QMutexLocker lock(&m_mutex);
    m_responder = responder;
}

void TestBusPeer::holdConfiguration(bool on)
{
    QMutexLocker lock(&m_mutex);
    m_hold = on;
}

bool TestBusPeer::open()
{
    if (::openpty(&m_master, &m_slave, nullptr, nullptr, nullptr) != 0) {
        return false;
    }
    // Raw from the start: no echo, no line editing, all 8 bits pass.
    termios tio{};
    ::tcgetattr(m_slave, &tio);
    ::cfmakeraw(&tio);
    ::tcsetattr(m_slave, TCSANOW, &tio);
    ::fcntl(m_master, F_SETFL, ::fcntl(m_master, F_GETFL) | O_NONBLOCK);

    const QString root = QString::fromLocal8Bit(qgetenv("VANTO_ROOT"));
    const QString link = root + QStringLiteral("/dev/ttymxc1");
    QDir().mkpath(root + QStringLiteral("/dev"));
    QFile::remove(link);
    if (!QFile::link(QString::fromLocal8Bit(::ttyname(m_slave)), link)) {
        return false;
    }
    moveToThread(&m_thread);
    connect(&m_thread, &QThread::started, this, &TestBusPeer::start);
    m_thread.start();
    return true;
}

void TestBusPeer::start()
{
    m_notifier = new QSocketNotifier(m_master, QSocketNotifier::Read);
    connect(m_notifier, &QSocketNotifier::activated, this, &TestBusPeer::onReadable);
    // The broker learns the DBM from the first transmission start it sees
    // after opening the line; repeat it until the broker has spoken.
    m_helloTimer = new QTimer;
    connect(m_helloTimer, &QTimer::timeout, this, &TestBusPeer::onHello);
    m_helloTimer->start(20);
    m_holdTimer = new QTimer;
    connect(m_holdTimer, &QTimer::timeout, this, &TestBusPeer::onHold);
    m_holdTimer->start(20);
    onHello();
}

void TestBusPeer::onHello()
{
    if (m_heardBroker) {
        m_helloTimer->stop();
        return;
    }
    // A telegram to an address nobody listens to.
    const rimoTelegram hello(0x01, 0x01, 0x08, 0x00, QByteArray());
    for (const QByteArray& t : rimolink::telegramToTransmissions(hello, m_dbm)) {
        write(t);
    }
}

void TestBusPeer::onHold()
{
    bool hold;
    {
        QMutexLocker lock(&m_mutex);
        hold = m_hold;
    }
    if (hold) {
        const uchar temp = m_dbm == 1 ? 0x94 : 0xC8;
        doSend(rimoTelegram(0, temp, 0x08, 0x09, QByteArray::fromHex("ec0000")).getTelegram(), 0);
    }
}

void TestBusPeer::write(const QByteArray& bytes)
{
    const char* p = bytes.constData();
    qint64 left = bytes.size();
    while (left > 0) {
        const ssize_t n = ::write(m_master, p, size_t(left));
        if (n < 0) {
            if (errno == EAGAIN || errno == EINTR) {
                QThread::usleep(200);
                continue;
            }
            return;
        }
        p += n;
        left -= n;
    }
}

void TestBusPeer::onReadable()
{
    char buf[4096];
    for (;;) {
        const ssize_t n = ::read(m_master, buf, sizeof buf);
        if (n <= 0) {
            break;
        }
        m_heardBroker = true;
        const auto events = m_scanner.feed(QByteArray(buf, int(n)));
        for (const rimolink::ScanEvent& event : events) {
            if (event.kind != rimolink::ScanEvent::Block) {
                continue;
            }
            if (rimolink::checkBlock(event.block) != rimolink::BlockCheck::Good) {
                write(rimolink::nak());
                continue;
            }
            write(rimolink::ack());
            const QByteArray raw = rimolink::blockToRawBlock(event.block);
            const auto added = m_store.addBlock(raw, nowMs());
            if (!added.telegram || !added.telegram->isValid()) {
                continue;
            }
            const rimoTelegram telegram = *added.telegram;
            Responder responder;
            {
                QMutexLocker lock(&m_mutex);
                m_received.append({telegram, nowMs(), rimolink::rawTId(raw)});
                responder = m_responder;
            }
            for (const rimoTelegram& answer : responder(telegram)) {
                doSend(answer.getTelegram(), answer.getTId());
            }
        }
    }
}

void TestBusPeer::send(const rimoTelegram& telegram)
{
    const QByteArray bytes = telegram.getTelegram();
    const uchar tid = telegram.getTId();
    QMetaObject::invokeMethod(
        this, [this, bytes, tid] { doSend(bytes, tid); }, Qt::QueuedConnection);
}

void TestBusPeer::doSend(const QByteArray& telegramBytes, uchar tid)
{
    const rimoTelegram telegram(tid, telegramBytes);
    for (const QByteArray& t : rimolink::telegramToTransmissions(telegram, m_dbm)) {
        write(t);
    }
}

QList<TestBusPeer::Received> TestBusPeer::received() const
{
    QMutexLocker lock(&m_mutex);
    return m_received;
}

int TestBusPeer::countReceived(const std::function<bool(const rimoTelegram&)>& match) const
{
    QMutexLocker lock(&m_mutex);
    QSet<QByteArray> seen;
    for (const Received& r : m_received) {
        if (match(r.telegram)) {
            seen.insert(QByteArray(1, char(r.busTid)) + r.telegram.getTelegram());
        }
    }
    return seen.size();
}

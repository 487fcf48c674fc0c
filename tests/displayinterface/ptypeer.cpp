#include "ptypeer.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <fcntl.h>
#include <poll.h>
#include <pty.h>
#include <termios.h>
#include <unistd.h>

PtyPeer::PtyPeer()
{
    char name[256] = {};
    if (::openpty(&m_master, &m_slave, name, nullptr, nullptr) != 0) {
        m_master = m_slave = -1;
        return;
    }
    termios tio;
    if (::tcgetattr(m_slave, &tio) == 0) {
        ::cfmakeraw(&tio);
        ::tcsetattr(m_slave, TCSANOW, &tio);
    }
    ::fcntl(m_master, F_SETFL, ::fcntl(m_master, F_GETFL) | O_NONBLOCK);
    // Processes started by a test must not keep the line alive.
    ::fcntl(m_master, F_SETFD, FD_CLOEXEC);
    ::fcntl(m_slave, F_SETFD, FD_CLOEXEC);
    m_slavePath = QString::fromLocal8Bit(name);
    m_thread = std::thread([this] { run(); });
}

PtyPeer::~PtyPeer()
{
    m_stop = true;
    if (m_thread.joinable())
        m_thread.join();
    if (m_master >= 0)
        ::close(m_master);
    if (m_slave >= 0)
        ::close(m_slave);
}

bool PtyPeer::linkAt(const QString& path)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile::remove(path);
    return QFile::link(m_slavePath, path);
}

bool PtyPeer::linkDefault()
{
    // Only ever below a private root: never replace the host's device node.
    const QString root = qEnvironmentVariable("VANTO_ROOT");
    if (root.isEmpty() || root == QLatin1String("/")) {
        qWarning("PtyPeer: VANTO_ROOT must name a private root (run through tests/run-isolated)");
        return false;
    }
    return linkAt(root + QStringLiteral("/dev/ttymxc1"));
}

void PtyPeer::write(const QByteArray& bytes)
{
    std::lock_guard<std::mutex> lock(m_writeMutex);
    int done = 0;
    while (done < bytes.size() && m_master >= 0) {
        const ssize_t n = ::write(m_master, bytes.constData() + done, size_t(bytes.size() - done));
        if (n > 0) {
            done += int(n);
        } else if (n < 0 && errno == EAGAIN) {
            pollfd fd = {m_master, POLLOUT, 0};
            ::poll(&fd, 1, 10);
        } else {
            return;
        }
    }
}

void PtyPeer::startBeacon(uchar marker)
{
    m_beacon = marker;
}

void PtyPeer::sendTelegram(const rimoTelegram& telegram, uchar marker)
{
    for (const QByteArray& t : rimolink::telegramToTransmissions(telegram, marker))
        write(t);
}

QVector<PtyPeer::Received> PtyPeer::received() const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_received;
}

QVector<QByteArray> PtyPeer::blocks() const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    QVector<QByteArray> out;
    for (const Received& r : m_received) {
        if (r.kind == rimolink::ScanEvent::Block)
            out.append(r.block);
    }
    return out;
}

int PtyPeer::count(rimolink::ScanEvent::Kind kind) const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    int n = 0;
    for (const Received& r : m_received)
        n += r.kind == kind ? 1 : 0;
    return n;
}

bool PtyPeer::waitFor(rimolink::ScanEvent::Kind kind, int n, int timeoutMs) const
{
    std::unique_lock<std::mutex> lock(m_mutex);
    return m_changed.wait_for(lock, std::chrono::milliseconds(timeoutMs), [&] {
        int seen = 0;
        for (const Received& r : m_received)
            seen += r.kind == kind ? 1 : 0;
        return seen >= n;
    });
}

void PtyPeer::clearReceived()
{
    std::lock_guard<std::mutex> lock(m_mutex);
    m_received.clear();
}

bool PtyPeer::suspendSlaveOutput(bool suspend)
{
    return ::tcflow(m_slave, suspend ? TCOOFF : TCOON) == 0;
}

void PtyPeer::hangUp()
{
    m_stop = true;
    if (m_thread.joinable())
        m_thread.join();
    std::lock_guard<std::mutex> lock(m_writeMutex);
    ::close(m_master);
    m_master = -1;
    ::close(m_slave);
    m_slave = -1;
}

void PtyPeer::run()
{
    char buffer[4096];
    while (!m_stop) {
        const int beacon = m_beacon;
        if (beacon >= 0)
            sendStart(uchar(beacon));
        pollfd fd = {m_master, POLLIN, 0};
        const int r = ::poll(&fd, 1, beacon >= 0 ? 5 : 20);
        if (r <= 0)
            continue;
        if (!(fd.revents & POLLIN)) {
            // The slave side is closed (nobody has the port open): wait for
            // the next opener instead of spinning.
            ::usleep(2000);
            continue;
        }
        const ssize_t n = ::read(m_master, buffer, sizeof buffer);
        if (n <= 0) {
            ::usleep(2000);
            continue;
        }
        const auto now = Clock::now();
        const QVector<rimolink::ScanEvent> events = m_scanner.feed(QByteArray(buffer, int(n)));
        for (const rimolink::ScanEvent& e : events) {
            const Received rec{e.kind, e.block, now};
            if (e.kind == rimolink::ScanEvent::Block) {
                switch (m_answer.load()) {
                case Answer::Ack:
                    if (rimolink::checkBlock(e.block) == rimolink::BlockCheck::Good)
                        write(rimolink::ack());
                    else
                        write(rimolink::nak());
                    break;
                case Answer::Nak:
                    write(rimolink::nak());
                    break;
                case Answer::Silent:
                    break;
                }
            }
            if (onEvent)
                onEvent(rec);
            {
                std::lock_guard<std::mutex> lock(m_mutex);
                m_received.append(rec);
            }
            m_changed.notify_all();
        }
    }
}

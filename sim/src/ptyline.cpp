#include "ptyline.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSocketNotifier>
#include <QTimer>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <pty.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>

namespace bussim {

namespace {
// More unread bytes than this means nobody reads the line: our own
// transmissions wait one at a time for an answer, so a live reader never
// leaves more than one transmission behind.
constexpr int StaleBacklog = 1024;
} // namespace

PtyLine::PtyLine(QObject* parent) : QObject(parent) {}

PtyLine::~PtyLine()
{
    close();
}

bool PtyLine::open(const QString& linkPath, QString* error)
{
    char name[256] = {};
    if (::openpty(&m_master, &m_slave, name, nullptr, nullptr) != 0) {
        *error = QStringLiteral("openpty: %1").arg(QString::fromLocal8Bit(std::strerror(errno)));
        return false;
    }
    m_slaveName = QString::fromLocal8Bit(name);
    // Raw bytes both ways: no echo, no line editing, no CR/LF translation.
    // The simulator keeps the slave open itself, so the master never sees a
    // hang-up while no panel has the port open.
    termios tio{};
    if (::tcgetattr(m_slave, &tio) == 0) {
        ::cfmakeraw(&tio);
        ::tcsetattr(m_slave, TCSANOW, &tio);
    }
    ::fcntl(m_master, F_SETFL, ::fcntl(m_master, F_GETFL) | O_NONBLOCK);
    ::fcntl(m_master, F_SETFD, FD_CLOEXEC);
    ::fcntl(m_slave, F_SETFD, FD_CLOEXEC);

    QDir().mkpath(QFileInfo(linkPath).absolutePath());
    QFile::remove(linkPath);
    if (!QFile::link(m_slaveName, linkPath)) {
        *error = QStringLiteral("cannot link %1 to %2").arg(linkPath, m_slaveName);
        close();
        return false;
    }
    m_linkPath = linkPath;
    m_notifier = new QSocketNotifier(m_master, QSocketNotifier::Read, this);
    connect(m_notifier, &QSocketNotifier::activated, this, &PtyLine::onReadable);
    return true;
}

void PtyLine::close()
{
    if (m_notifier) {
        m_notifier->setEnabled(false);
        delete m_notifier;
        m_notifier = nullptr;
    }
    if (!m_linkPath.isEmpty()) {
        // Only our own link: another simulator may have replaced it.
        if (QFileInfo(m_linkPath).symLinkTarget() == m_slaveName)
            QFile::remove(m_linkPath);
        m_linkPath.clear();
    }
    if (m_master >= 0)
        ::close(m_master);
    if (m_slave >= 0)
        ::close(m_slave);
    m_master = -1;
    m_slave = -1;
}

int PtyLine::unreadBytes() const
{
    int n = 0;
    if (m_slave < 0 || ::ioctl(m_slave, FIONREAD, &n) != 0)
        return 0;
    return n;
}

void PtyLine::write(const QByteArray& bytes)
{
    if (m_master < 0)
        return;
    const int stale = unreadBytes();
    if (stale > StaleBacklog) {
        ::tcflush(m_slave, TCIFLUSH);
        emit backlogFlushed(stale);
    }
    const char* p = bytes.constData();
    qsizetype left = bytes.size();
    bool flushed = false;
    while (left > 0) {
        const ssize_t n = ::write(m_master, p, size_t(left));
        if (n > 0) {
            p += n;
            left -= n;
            continue;
        }
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0 && errno == EAGAIN && !flushed) {
            // The pty buffer is full of bytes nobody reads.
            flushed = true;
            emit backlogFlushed(unreadBytes());
            ::tcflush(m_slave, TCIFLUSH);
            continue;
        }
        break; // line unusable; the bytes are lost like on a dead wire
    }
}

void PtyLine::onReadable()
{
    QByteArray all;
    char buf[4096];
    for (;;) {
        const ssize_t n = ::read(m_master, buf, sizeof buf);
        if (n > 0) {
            all.append(buf, int(n));
            continue;
        }
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0 && errno != EAGAIN && errno != EWOULDBLOCK) {
            // EIO while no side holds the slave. We keep it open, so this
            // should not happen; if it does, neither spin nor go deaf: look
            // again a little later.
            m_notifier->setEnabled(false);
            QTimer::singleShot(100, this, [this] {
                if (m_notifier)
                    m_notifier->setEnabled(true);
            });
        }
        break;
    }
    if (!all.isEmpty())
        emit bytesRead(all);
}

} // namespace bussim

#include "rimocommlayer.h"

#include "rimosystempath.h"
#include "rimoudpbuffer.h"

#include <QHostAddress>
#include <QLoggingCategory>
#include <QMutexLocker>
#include <QSerialPort>
#include <QUdpSocket>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <poll.h>
#include <sys/eventfd.h>
#include <sys/resource.h>
#include <sys/syscall.h>
#include <time.h>
#include <unistd.h>

Q_LOGGING_CATEGORY(lcCommLayer, "rimo.commlayer")

namespace {

constexpr qint64 AckWindowNs = qint64(rimolink::AckWindowMs) * 1000 * 1000;
constexpr int MaxDatagram = 65535;

// The line is the broker's reason to exist: when it becomes unusable the
// process ends so that its service manager restarts it with a fresh port.
[[noreturn]] void endProcess()
{
    std::fflush(stdout);
    std::fflush(stderr);
    std::_Exit(EXIT_FAILURE);
}

} // namespace

rimoCommLayer::rimoCommLayer(QObject* parent)
    : QThread(parent), m_serial(new QSerialPort), m_udpSocket(new QUdpSocket)
{
    m_wakeFd = ::eventfd(0, EFD_NONBLOCK | EFD_CLOEXEC);
    m_clock.start();
}

rimoCommLayer::~rimoCommLayer()
{
    if (isRunning()) {
        requestStop();
        wait();
    }
    delete m_serial;
    delete m_udpSocket;
    if (m_wakeFd >= 0)
        ::close(m_wakeFd);
}

bool rimoCommLayer::init()
{
    _initSerial();
    _readDbm();
    if (!m_udpSocket->bind(QHostAddress::LocalHost, DownPort)) {
        qCWarning(lcCommLayer) << "Cannot bind UDP port" << DownPort << m_udpSocket->errorString();
        return false;
    }
    rimoEnlargeReceiveBuffer(m_udpSocket);
    m_serial->moveToThread(this);
    m_udpSocket->moveToThread(this);
    return true;
}

uchar rimoCommLayer::getDbm()
{
    return m_dbm;
}

void rimoCommLayer::requestStop()
{
    m_stop = true;
    if (m_wakeFd >= 0) {
        const quint64 one = 1;
        [[maybe_unused]] const ssize_t n = ::write(m_wakeFd, &one, sizeof one);
    }
}

void rimoCommLayer::onAdrListChanged(QByteArray& adrList)
{
    QMutexLocker lock(&m_adrMutex);
    m_adrList = adrList;
}

void rimoCommLayer::run()
{
    // QThread's high priority means nothing to Linux' normal scheduler; a
    // lower nice value does, where the process may set it (the broker runs
    // as a system service). Without the right the thread runs at the
    // process' own priority.
    errno = 0;
    const int base = ::getpriority(PRIO_PROCESS, 0);
    if (errno == 0)
        ::setpriority(PRIO_PROCESS, pid_t(::syscall(SYS_gettid)), std::max(base - 10, -20));
    // Service loop. Instead of alternating short waits on the line and the
    // socket it waits on both descriptors at once: any input is served at
    // once and an idle line costs no wake-ups.
    while (!m_stop) {
        waitForInput();
        if (m_stop)
            break;
        _readSerial(0);
        receiveDatagrams();
        while (!m_sendQueue.isEmpty() && !m_stop) {
            _sendTransmission(m_sendQueue.first());
            m_sendQueue.removeFirst(); // sent or given up: it never blocks the queue
            _readSerial(0);
        }
    }
    shutDownIo();
}

// ---------------------------------------------------------------- line set-up

void rimoCommLayer::_initSerial()
{
    m_serial->setPortName(rimoSystemPath(QStringLiteral("/dev/ttymxc1")));
    if (!m_serial->open(QIODevice::ReadWrite))
        qFatal("Error opening serial: %s", qPrintable(m_serial->errorString()));
    // Some of these fail on lines that have no such settings (a pseudo-terminal);
    // the line works with 8N1 regardless, so they are not fatal.
    m_serial->setBaudRate(921600, QSerialPort::AllDirections);
    m_serial->setDataBits(QSerialPort::Data8);
    m_serial->setParity(QSerialPort::NoParity);
    m_serial->setStopBits(QSerialPort::OneStop);
    m_serial->setFlowControl(QSerialPort::NoFlowControl);
    m_serial->clearError();
}

void rimoCommLayer::_readDbm()
{
    // Blocks until the peer has sent a transmission start. These bytes are
    // not scanned for blocks: the peer repeats anything left unacknowledged.
    for (;;) {
        if (m_serial->bytesAvailable() == 0)
            m_serial->waitForReadyRead(30000);
        checkLine();
        if (m_serial->bytesAvailable() == 0)
            continue;
        const int dbm = rimolink::findDbm(m_serial->readAll());
        if (dbm >= 0) {
            m_dbm = uchar(dbm);
            return;
        }
    }
}

void rimoCommLayer::checkLine()
{
    switch (m_serial->error()) {
    case QSerialPort::NoError:
        return;
    case QSerialPort::ReadError:
    case QSerialPort::ResourceError:
        qCCritical(lcCommLayer).noquote() << "Serial line lost:" << m_serial->errorString();
        endProcess();
    default:
        m_serial->clearError();
    }
}

// ---------------------------------------------------------------- waiting

void rimoCommLayer::waitForInput()
{
    if (m_serial->bytesAvailable() > 0 || m_udpSocket->hasPendingDatagrams())
        return;
    pollfd fds[3] = {{int(m_serial->handle()), POLLIN, 0},
                     {int(m_udpSocket->socketDescriptor()), POLLIN, 0},
                     {m_wakeFd, POLLIN, 0}};
    const int r = ::poll(fds, 3, -1);
    if (r < 0)
        return; // EINTR: the loop simply comes back
    if (fds[2].revents & POLLIN) {
        quint64 value;
        [[maybe_unused]] const ssize_t n = ::read(m_wakeFd, &value, sizeof value);
    }
    if (fds[0].revents & (POLLERR | POLLHUP | POLLNVAL)) {
        _readSerial(0); // reports the port's own error and ends the process
        qCCritical(lcCommLayer) << "Serial line lost: hang-up";
        endProcess();
    }
}

void rimoCommLayer::waitSerialNs(qint64 nsecs)
{
    if (m_serial->bytesAvailable() > 0)
        return;
    pollfd fd = {int(m_serial->handle()), POLLIN, 0};
    timespec ts;
    ts.tv_sec = time_t(nsecs / 1000000000);
    ts.tv_nsec = long(nsecs % 1000000000);
    ::ppoll(&fd, 1, &ts, nullptr);
}

// ---------------------------------------------------------------- upward

void rimoCommLayer::_readSerial(int waitMs)
{
    if (m_serial->bytesAvailable() == 0)
        m_serial->waitForReadyRead(waitMs);
    checkLine();
    if (m_serial->bytesAvailable() > 0) {
        m_receiveBuffer.append(m_serial->readAll());
        _scanBuffer();
    }
}

void rimoCommLayer::_scanBuffer()
{
    for (;;) {
        const rimolink::ScanStep step = rimolink::scanStep(m_receiveBuffer);
        switch (step.kind) {
        case rimolink::ScanStep::Ack:
            m_ack = true;
            break;
        case rimolink::ScanStep::Nak:
            m_nak = true;
            break;
        case rimolink::ScanStep::Transmission:
            _takeBlock(_transmissionToBlock(step.start, step.end));
            break;
        case rimolink::ScanStep::Wait:
        case rimolink::ScanStep::Overflow:
            break;
        }
        _spoolToPos(step.discard);
        if (step.kind == rimolink::ScanStep::Wait)
            return;
    }
}

void rimoCommLayer::_spoolToPos(int pos)
{
    if (pos > m_receiveBuffer.size()) {
        qCDebug(lcCommLayer) << "Whoops!";
        m_receiveBuffer.clear();
        return;
    }
    m_receiveBuffer.remove(0, pos);
}

QByteArray rimoCommLayer::_transmissionToBlock(int start, int end)
{
    return rimolink::transmissionToBlock(m_receiveBuffer.mid(start, end - start));
}

void rimoCommLayer::_takeBlock(const QByteArray& block)
{
    const rimolink::BlockCheck check = rimolink::checkBlock(block);
    if (check == rimolink::BlockCheck::TooShort)
        return;
    if (check == rimolink::BlockCheck::BadCrc) {
        _sendBytes(rimolink::nak());
        return;
    }
    // The list is read before the acknowledgement leaves, so that a block is
    // judged by the list that was in force when the peer got its answer.
    QByteArray adrList;
    {
        QMutexLocker lock(&m_adrMutex);
        adrList = m_adrList;
    }
    _sendBytes(rimolink::ack());
    const char receiver = block.at(3);
    if (!adrList.isEmpty() && adrList.contains(receiver))
        _addBlock(rimolink::blockToRawBlock(block));
}

void rimoCommLayer::_addBlock(const QByteArray& rawBlock)
{
    const quint16 key = rimolink::blockKey(rawBlock);
    insertTime(key);
    const uchar header = rimolink::rawHeader(rawBlock);
    if (header & rimolink::HdrAgeOnly)
        return;
    m_blockBuffer.insertBlock(key, rawBlock);
    if (header & rimolink::HdrLast) {
        _processRawBlocks(_takeBlocksById(key), key);
        _cleanBlockbuffer();
    }
}

void rimoCommLayer::insertTime(quint16 key)
{
    m_blockBuffer.insertTime(key, nowMs());
}

QList<QByteArray> rimoCommLayer::_takeBlocksById(quint16 key)
{
    return m_blockBuffer.takeBlocksById(key);
}

std::optional<QByteArray> rimoCommLayer::_pullBlock(QList<QByteArray>& blocks, quint16 offset)
{
    return rimolink::pullBlock(blocks, offset);
}

void rimoCommLayer::_processRawBlocks(const QList<QByteArray>& blocks, quint16 key)
{
    const std::optional<rimoTelegram> telegram = rimolink::processRawBlocks(blocks, key);
    if (!telegram)
        return; // a chunk is missing: the whole telegram is dropped
    m_udpSocket->writeDatagram(rimolink::telegramDatagram(*telegram), QHostAddress::LocalHost,
                               UpPort);
}

void rimoCommLayer::_cleanBlockbuffer()
{
    m_blockBuffer.cleanBlockbuffer(nowMs());
}

// ---------------------------------------------------------------- downward

void rimoCommLayer::receiveDatagrams()
{
    static thread_local QByteArray buffer(MaxDatagram, Qt::Uninitialized);
    while (m_udpSocket->hasPendingDatagrams()) {
        const qint64 n = m_udpSocket->readDatagram(buffer.data(), MaxDatagram);
        if (n < 0)
            break; // nothing readable after all; the next wait tells
        rimoTelegram telegram;
        if (rimolink::parseTelegramDatagram(QByteArray(buffer.constData(), int(n)), &telegram))
            _processTelegramDown(telegram);
        _readSerial(0);
    }
}

void rimoCommLayer::_processTelegramDown(const rimoTelegram& telegram)
{
    if (!telegram.isValid())
        return;
    _sendBlocks(_rawBlocksToBlocks(_telegramToRawBlocks(telegram)));
}

QVector<QByteArray> rimoCommLayer::_telegramToRawBlocks(const rimoTelegram& telegram)
{
    return rimolink::telegramToRawBlocks(telegram);
}

QVector<QByteArray> rimoCommLayer::_rawBlocksToBlocks(const QVector<QByteArray>& rawBlocks)
{
    return rimolink::rawBlocksToBlocks(rawBlocks);
}

void rimoCommLayer::_sendBlocks(const QVector<QByteArray>& blocks)
{
    for (const QByteArray& block : blocks)
        m_sendQueue.append(_blockToTransmission(block));
}

QByteArray rimoCommLayer::_blockToTransmission(const QByteArray& block)
{
    return rimolink::blockToTransmission(block, 0x00);
}

bool rimoCommLayer::_sendTransmission(const QByteArray& transmission)
{
    for (int attempt = 0; attempt < rimolink::SendAttempts && !m_stop; ++attempt) {
        if (_attemptToSendTransmission(transmission))
            return true;
        if (m_writeFailed)
            return false; // the line accepts nothing: further attempts would stall the queue
    }
    return false;
}

bool rimoCommLayer::_attemptToSendTransmission(const QByteArray& transmission)
{
    m_ack = false;
    m_nak = false;
    if (!_sendBytes(transmission))
        return false;
    QElapsedTimer window;
    window.start();
    for (;;) {
        if (m_ack)
            return true;
        if (m_nak || m_stop)
            return false;
        const qint64 remaining = AckWindowNs - window.nsecsElapsed();
        if (remaining < 0)
            return false;
        waitSerialNs(remaining);
        _readSerial(0);
    }
}

bool rimoCommLayer::_sendBytes(const QByteArray& bytes)
{
    m_writeFailed = false;
    m_writeBuffer.append(bytes);
    int failures = 0;
    while (!m_writeBuffer.isEmpty() || m_serial->bytesToWrite() > 0) {
        if (!m_writeBuffer.isEmpty()) {
            const qint64 accepted = m_serial->write(m_writeBuffer);
            if (accepted > 0)
                m_writeBuffer.remove(0, int(accepted));
        }
        // Wait until the port has drained, but never forever: each wait that
        // brings no progress counts, and a line that accepts nothing makes
        // the transmission be dropped instead of stalling the thread.
        if (m_serial->bytesToWrite() > 0 && m_serial->waitForBytesWritten(WriteDrainMs))
            continue;
        const QString reason = m_serial->errorString();
        checkLine();
        if (m_writeBuffer.isEmpty() && m_serial->bytesToWrite() == 0)
            break;
        if (++failures >= WriteAttempts) {
            qCWarning(lcCommLayer).noquote()
                << "Serial write failed, transmission dropped:" << reason;
            m_serial->clear(QSerialPort::Output);
            m_serial->clearError();
            m_writeBuffer.clear();
            m_writeFailed = true;
            return false;
        }
    }
    return true;
}

void rimoCommLayer::shutDownIo()
{
    // Closed and deleted in the thread that owns them.
    delete m_serial;
    m_serial = nullptr;
    delete m_udpSocket;
    m_udpSocket = nullptr;
}

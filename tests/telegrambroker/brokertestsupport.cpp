#include "brokertestsupport.h"

#include <QCoreApplication>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusObjectPath>
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QTest>

QString vantoRoot()
{
    return QString::fromLocal8Bit(qgetenv("VANTO_ROOT"));
}

void requirePrivateRoot()
{
    const QString root = vantoRoot();
    if (root.isEmpty() || QDir(root).canonicalPath() == QDir::rootPath()) {
        qFatal("VANTO_ROOT must name a private root (run through tests/run-isolated)");
    }
}

bool PrivateSystemBus::start()
{
    m_dir = vantoRoot() + QStringLiteral("/run/test-bus");
    QProcess script;
    script.start(QStringLiteral(SUPPORT_DIR "/private-system-bus"), {"start", m_dir});
    if (!script.waitForFinished(20000) || script.exitCode() != 0) {
        qWarning().noquote() << script.readAllStandardError();
        return false;
    }
    const QString out = QString::fromUtf8(script.readAllStandardOutput());
    const QRegularExpression re(QStringLiteral("DBUS_SYSTEM_BUS_ADDRESS='([^']+)'"));
    const auto match = re.match(out);
    if (!match.hasMatch()) {
        return false;
    }
    m_address = match.captured(1);
    qputenv("DBUS_SYSTEM_BUS_ADDRESS", m_address.toLocal8Bit());
    m_running = true;
    return true;
}

void PrivateSystemBus::stop()
{
    if (!m_running) {
        return;
    }
    m_running = false;
    QProcess::execute(QStringLiteral(SUPPORT_DIR "/private-system-bus"), {"stop", m_dir});
}

static QByteArray readAll(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

QByteArray PrivateSystemBus::udisksLog() const
{
    return readAll(m_dir + "/udisks2.log");
}

QByteArray PrivateSystemBus::systemdLog() const
{
    return readAll(m_dir + "/systemd.log");
}

int PrivateSystemBus::rebootCalls() const
{
    int n = 0;
    const QList<QByteArray> lines = systemdLog().split('\n');
    for (const QByteArray& line : lines) {
        n += line.endsWith(" Reboot") ? 1 : 0;
    }
    return n;
}

QString PrivateSystemBus::blockPath(const QString& name)
{
    return QStringLiteral("/org/freedesktop/UDisks2/block_devices/") + name;
}

static bool mockCall(const QString& method, const QVariantList& args)
{
    QDBusMessage call = QDBusMessage::createMethodCall(
        QStringLiteral("org.freedesktop.UDisks2"), QStringLiteral("/org/freedesktop/UDisks2"),
        QStringLiteral("org.freedesktop.DBus.Mock"), method);
    call.setArguments(args);
    const QDBusMessage reply = QDBusConnection::systemBus().call(call);
    if (reply.type() != QDBusMessage::ReplyMessage) {
        qWarning().noquote() << method << reply.errorMessage();
        return false;
    }
    return true;
}

bool PrivateSystemBus::addFilesystem(const QString& name, const QString& device,
                                     const QString& mountDir, const QString& uuid, bool mounted)
{
    return mockCall(QStringLiteral("AddFilesystem"), {name, device, mountDir, uuid, mounted});
}

bool PrivateSystemBus::addBlock(const QString& name, const QString& device)
{
    return mockCall(QStringLiteral("AddBlock"), {name, device});
}

bool PrivateSystemBus::announce(const QString& name)
{
    return mockCall(QStringLiteral("Announce"),
                    {QVariant::fromValue(QDBusObjectPath(blockPath(name)))});
}

bool PrivateSystemBus::removeObject(const QString& name)
{
    return mockCall(QStringLiteral("RemoveObject"),
                    {QVariant::fromValue(QDBusObjectPath(blockPath(name)))});
}

bool BrokerProcess::start()
{
    m_log.clear();
    m_process.setProcessChannelMode(QProcess::MergedChannels);
    m_process.start(QStringLiteral(BROKER_BIN), QStringList());
    return m_process.waitForStarted(5000);
}

void BrokerProcess::stop()
{
    if (m_process.state() == QProcess::NotRunning) {
        return;
    }
    m_process.terminate();
    if (!m_process.waitForFinished(3000)) {
        m_process.kill();
        m_process.waitForFinished(3000);
    }
    log();
}

QByteArray BrokerProcess::log()
{
    m_log += m_process.readAll();
    return m_log;
}

bool BrokerProcess::waitForLog(const QByteArray& text, int timeoutMs)
{
    QDeadlineTimer deadline(timeoutMs);
    while (!log().contains(text)) {
        if (deadline.hasExpired() || m_process.state() == QProcess::NotRunning) {
            return log().contains(text);
        }
        QTest::qWait(5);
    }
    return true;
}

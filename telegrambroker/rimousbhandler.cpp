#include "rimousbhandler.h"

#include "rimousbhandlerconnection.h"

#include <QDBusArgument>
#include <QDBusInterface>
#include <QDBusMessage>
#include <QDebug>
#include <QDir>
#include <QLocalSocket>
#include <QMutexLocker>

#include <memory>
#include <mutex>

namespace {

const QString Service = QStringLiteral("org.freedesktop.UDisks2");
const QString FilesystemIface = QStringLiteral("org.freedesktop.UDisks2.Filesystem");

std::unique_ptr<rimoUsbHandler> s_instance;
std::once_flag s_instanceOnce;

} // namespace

const char* const rimoUsbHandler::UpdateStarting = "ovXXXGuiNotifyUpdateStarting";
const char* const rimoUsbHandler::UpdateSucceeded = "ovXXXGuiNotifyUpdateSucceeded";
const char* const rimoUsbHandler::UpdateFailed = "ovXXXGuiNotifyUpdateFailed";
const char* const rimoUsbHandler::ExternalUsbNotify = "rimoGuiExternalUsbNotify";

rimoUsbHandler* rimoUsbHandler::instance()
{
    std::call_once(s_instanceOnce, [] { s_instance.reset(new rimoUsbHandler); });
    return s_instance.get();
}

rimoUsbHandler::rimoUsbHandler()
    : m_bus(QDBusConnection::systemBus()),
      m_updateFiles({QStringLiteral("rootfs-rimo.sha256"), QStringLiteral("u-boot.sha256"),
                     QStringLiteral("uImage.sha256"), QStringLiteral("penv.sha256"),
                     QStringLiteral("dtb.sha256")})
{
    if (m_bus.isConnected()) {
        m_bus.connect(Service, QStringLiteral("/org/freedesktop/UDisks2"),
                      QStringLiteral("org.freedesktop.DBus.ObjectManager"),
                      QStringLiteral("InterfacesAdded"), this,
                      SLOT(onInterfaceAdded(QDBusObjectPath)));
    }
    connect(&m_updateProcess, &QProcess::readyRead, this, &rimoUsbHandler::onReadUpdateData);
    connect(&m_updateProcess, QOverload<int, QProcess::ExitStatus>::of(&QProcess::finished), this,
            &rimoUsbHandler::onUpdateFinished);
    connect(&m_updateProcess, &QProcess::errorOccurred, this, &rimoUsbHandler::onRunUpdateError);
}

rimoUsbHandler::~rimoUsbHandler()
{
    // Runs at process exit, after the event loop: records still open are left
    // to the operating system, the update process is not waited for.
    m_updateProcess.disconnect(this);
}

int rimoUsbHandler::connectionCount()
{
    QMutexLocker lock(&m_connectionsMutex);
    return m_connections.size();
}

void rimoUsbHandler::onInterfaceAdded(const QDBusObjectPath& path)
{
    QDBusMessage call = QDBusMessage::createMethodCall(
        Service, path.path(), QStringLiteral("org.freedesktop.DBus.Properties"),
        QStringLiteral("GetAll"));
    call << FilesystemIface;
    const QDBusMessage reply = m_bus.call(call);
    if (reply.type() != QDBusMessage::ReplyMessage || reply.arguments().isEmpty()) {
        return;
    }
    const QVariant first = reply.arguments().constFirst();
    QVariantMap properties;
    if (first.canConvert<QDBusArgument>()) {
        properties = qdbus_cast<QVariantMap>(first.value<QDBusArgument>());
    } else {
        properties = first.toMap();
    }
    if (!properties.isEmpty()) {
        mountFilesystem(path.path());
    }
}

void rimoUsbHandler::mountFilesystem(const QString& path)
{
    QDBusInterface filesystem(Service, path, FilesystemIface, m_bus);
    const QDBusMessage reply =
        filesystem.call(QDBus::AutoDetect, QStringLiteral("Mount"), QVariantMap());
    if (reply.type() != QDBusMessage::ReplyMessage || reply.arguments().isEmpty()) {
        return;
    }
    const QString mountPath = reply.arguments().constFirst().toString();
    if (mountPath.isEmpty()) {
        return;
    }
    const QStorageInfo storage(mountPath);
    checkForUpdate(storage, mountPath);
    notifyGui(storage, mountPath, QLatin1String(ExternalUsbNotify));
}

void rimoUsbHandler::checkForUpdate(const QStorageInfo& storage, const QString& rootPath)
{
    QDir dir(rootPath);
    // QDir matches name filters without regard to case unless told otherwise.
    dir.setNameFilters(m_updateFiles);
    if (dir.entryList().isEmpty()) {
        return;
    }
    // The GUI hears of the start even when an update is already running.
    notifyGui(storage, rootPath, QLatin1String(UpdateStarting));
    if (m_updateProcess.state() != QProcess::NotRunning) {
        return;
    }
    m_updateStorage = storage;
    m_updateRootPath = rootPath;
    m_updateProcess.start(QStringLiteral("systemupdate.sh"),
                          {QStringLiteral("-d"), dir.absolutePath()}, QIODevice::ReadWrite);
    qDebug() << "STARTE UPDater";
}

bool rimoUsbHandler::notifyGui(const QStorageInfo& storage, const QString& rootPath,
                               const QString& name)
{
    auto* socket = new QLocalSocket;
    socket->connectToServer(name, QIODevice::ReadWrite);
    if (!socket->waitForConnected(250)) {
        delete socket;
        return false;
    }
    const QByteArray payload = rootPath.toUtf8();
    addConnection(socket, storage, rootPath);
    socket->write(payload);
    socket->waitForBytesWritten(30000);
    return true;
}

void rimoUsbHandler::addConnection(QLocalSocket* socket, const QStorageInfo& storage,
                                   const QString& rootPath)
{
    QMutexLocker lock(&m_connectionsMutex);
    if (!socket) {
        return;
    }
    auto* conn = new rimoUsbHandlerConnection(storage, rootPath, socket);
    m_connections.append(conn);
    connect(conn, &rimoUsbHandlerConnection::usbFilesLoaded, this,
            &rimoUsbHandler::onUsbFilesLoaded, Qt::QueuedConnection);
    connect(socket, &QLocalSocket::readyRead, conn, &rimoUsbHandlerConnection::onGuiNotification,
            Qt::QueuedConnection);
    // A closed connection frees its record; the handler defers the delete, so
    // a state change from inside the socket's own close() is harmless.
    connect(socket, &QLocalSocket::stateChanged, conn, &rimoUsbHandlerConnection::onStateChanged);
    connect(conn, &rimoUsbHandlerConnection::connectionDied, this,
            &rimoUsbHandler::onConnectionDied);
}

void rimoUsbHandler::onUsbFilesLoaded(rimoUsbHandlerConnection* conn)
{
    {
        QMutexLocker lock(&m_connectionsMutex);
        if (!m_connections.contains(conn)) {
            return;
        }
    }
    const QString device = QString::fromLocal8Bit(conn->storage().device());
    QDBusMessage resolve = QDBusMessage::createMethodCall(
        Service, QStringLiteral("/org/freedesktop/UDisks2/Manager"),
        QStringLiteral("org.freedesktop.UDisks2.Manager"), QStringLiteral("ResolveDevice"));
    resolve << QVariantMap{{QStringLiteral("path"), device}} << QVariantMap();
    const QDBusMessage reply = m_bus.call(resolve);
    if (reply.type() == QDBusMessage::ReplyMessage && !reply.arguments().isEmpty()) {
        const auto objects = qdbus_cast<QList<QDBusObjectPath>>(
            reply.arguments().constFirst().value<QDBusArgument>());
        for (const QDBusObjectPath& object : objects) {
            QDBusInterface filesystem(Service, object.path(), FilesystemIface, m_bus);
            filesystem.call(QDBus::AutoDetect, QStringLiteral("Unmount"), QVariantMap());
        }
    }
    conn->socket()->close();
}

void rimoUsbHandler::onConnectionDied(rimoUsbHandlerConnection* conn)
{
    removeConnection(conn);
}

void rimoUsbHandler::removeConnection(rimoUsbHandlerConnection* conn)
{
    // Only the record whose connection ended goes: other listeners may still
    // hold open connections about the same stick.
    bool wasListed = false;
    {
        QMutexLocker lock(&m_connectionsMutex);
        wasListed = m_connections.removeOne(conn);
    }
    if (wasListed) {
        conn->deleteLater();
    }
}

void rimoUsbHandler::onReadUpdateData()
{
    const QByteArray output = m_updateProcess.readAllStandardOutput();
    qDebug() << "Read update output:" << output;
}

void rimoUsbHandler::onUpdateFinished(int exitCode, QProcess::ExitStatus exitStatus)
{
    if (exitCode == 0 && exitStatus == QProcess::NormalExit) {
        notifyGui(m_updateStorage, m_updateRootPath, QLatin1String(UpdateSucceeded));
    } else {
        notifyGui(m_updateStorage, m_updateRootPath, QLatin1String(UpdateFailed));
    }
    m_updateStorage.refresh();
}

void rimoUsbHandler::onRunUpdateError(QProcess::ProcessError error)
{
    Q_UNUSED(error)
    m_updateProcess.closeReadChannel(QProcess::StandardOutput);
    m_updateProcess.closeReadChannel(QProcess::StandardError);
}

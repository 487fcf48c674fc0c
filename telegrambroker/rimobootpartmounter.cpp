#include "rimobootpartmounter.h"

#include "udisks2types.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusReply>
#include <QDBusVariant>
#include <QDebug>

namespace {

const QString Service = QStringLiteral("org.freedesktop.UDisks2");
const QString RootObject = QStringLiteral("/org/freedesktop/UDisks2");
const QString PartitionIface = QStringLiteral("org.freedesktop.UDisks2.Partition");
const QString FilesystemIface = QStringLiteral("org.freedesktop.UDisks2.Filesystem");
const QString BootPartitionUuid = QStringLiteral("0cc66cc0-01");

} // namespace

rimoBootPartMounter::rimoBootPartMounter(QObject* parent) : QObject(parent)
{
    registerUDisks2Types();
}

QString rimoBootPartMounter::findPartition() const
{
    QDBusMessage call = QDBusMessage::createMethodCall(
        Service, RootObject, QStringLiteral("org.freedesktop.DBus.ObjectManager"),
        QStringLiteral("GetManagedObjects"));
    const QDBusMessage reply = QDBusConnection::systemBus().call(call);
    if (reply.type() != QDBusMessage::ReplyMessage || reply.arguments().isEmpty()) {
        qDebug().noquote() << reply.errorMessage();
        return QString();
    }
    const auto objects =
        qdbus_cast<UDisks2ManagedObjects>(reply.arguments().constFirst().value<QDBusArgument>());
    for (auto it = objects.constBegin(); it != objects.constEnd(); ++it) {
        const auto partition = it.value().constFind(PartitionIface);
        if (partition != it.value().constEnd() &&
            partition.value().value(QStringLiteral("UUID")).toString() == BootPartitionUuid) {
            return it.key().path();
        }
    }
    return QString();
}

bool rimoBootPartMounter::mount()
{
    m_rootPath.clear();
    m_storage = QStorageInfo();
    m_objectPath = findPartition();
    if (m_objectPath.isEmpty()) {
        return false;
    }

    QDBusMessage get = QDBusMessage::createMethodCall(
        Service, m_objectPath, QStringLiteral("org.freedesktop.DBus.Properties"),
        QStringLiteral("Get"));
    get << FilesystemIface << QStringLiteral("MountPoints");
    const QDBusMessage getReply = QDBusConnection::systemBus().call(get);
    if (getReply.type() == QDBusMessage::ReplyMessage && !getReply.arguments().isEmpty()) {
        const QVariant value = getReply.arguments().constFirst().value<QDBusVariant>().variant();
        const QStringList points = udisks2MountPoints(value);
        if (!points.isEmpty()) {
            m_rootPath = points.constFirst();
        }
    } else {
        qDebug().noquote() << getReply.errorMessage();
    }

    if (m_rootPath.isEmpty()) {
        QDBusMessage mountCall = QDBusMessage::createMethodCall(
            Service, m_objectPath, FilesystemIface, QStringLiteral("Mount"));
        mountCall << QVariantMap();
        const QDBusMessage mountReply = QDBusConnection::systemBus().call(mountCall);
        if (mountReply.type() == QDBusMessage::ReplyMessage && !mountReply.arguments().isEmpty()) {
            m_rootPath = mountReply.arguments().constFirst().toString();
        } else {
            qDebug().noquote() << mountReply.errorMessage();
        }
    }
    if (m_rootPath.isEmpty()) {
        return false;
    }
    m_storage = QStorageInfo(m_rootPath);
    return true;
}

void rimoBootPartMounter::unmount()
{
    if (m_objectPath.isEmpty()) {
        return;
    }
    QDBusMessage call = QDBusMessage::createMethodCall(Service, m_objectPath, FilesystemIface,
                                                       QStringLiteral("Unmount"));
    call << QVariantMap();
    QDBusConnection::systemBus().call(call);
}

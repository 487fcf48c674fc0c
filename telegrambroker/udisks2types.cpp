#include "udisks2types.h"

#include <QDBusMetaType>
#include <QStringList>

void registerUDisks2Types()
{
    static const bool done = [] {
        qDBusRegisterMetaType<UDisks2InterfaceMap>();
        qDBusRegisterMetaType<UDisks2ManagedObjects>();
        qDBusRegisterMetaType<QByteArrayList>();
        return true;
    }();
    Q_UNUSED(done)
}

QString udisks2ByteString(const QByteArray& bytes)
{
    const int end = bytes.indexOf('\0');
    return QString::fromUtf8(end < 0 ? bytes : bytes.left(end));
}

QStringList udisks2MountPoints(const QVariant& value)
{
    QByteArrayList raw;
    if (value.canConvert<QDBusArgument>()) {
        raw = qdbus_cast<QByteArrayList>(value.value<QDBusArgument>());
    } else if (value.canConvert<QByteArrayList>()) {
        raw = value.value<QByteArrayList>();
    }
    QStringList points;
    for (const QByteArray& point : qAsConst(raw)) {
        const QString text = udisks2ByteString(point);
        if (!text.isEmpty()) {
            points << text;
        }
    }
    return points;
}

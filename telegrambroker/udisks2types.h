#ifndef UDISKS2TYPES_H
#define UDISKS2TYPES_H

#include <QByteArrayList>
#include <QDBusArgument>
#include <QDBusObjectPath>
#include <QMap>
#include <QMetaType>
#include <QVariantMap>

// D-Bus shapes used with UDisks2: a{sa{sv}}, a{oa{sa{sv}}} and aay.
using UDisks2InterfaceMap = QMap<QString, QVariantMap>;
using UDisks2ManagedObjects = QMap<QDBusObjectPath, UDisks2InterfaceMap>;

Q_DECLARE_METATYPE(UDisks2InterfaceMap)
Q_DECLARE_METATYPE(UDisks2ManagedObjects)

// Registers the types above with QtDBus; safe to call more than once.
void registerUDisks2Types();

// A byte-string property ("ay", NUL-terminated) as text.
QString udisks2ByteString(const QByteArray& bytes);

// The mount points of a Filesystem object from the variant of its
// "MountPoints" property (aay).
QStringList udisks2MountPoints(const QVariant& value);

#endif // UDISKS2TYPES_H

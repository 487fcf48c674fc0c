#pragma once

#include <QByteArray>
#include <QMetaType>
#include <QObject>

// The 28-byte parameter record of the main control unit, carried in
// parameter reports (0x09), requests (0x89) and writes (0xA9). All multi-byte
// fields are little-endian on the wire.
//
// A default-constructed record holds the values a record keeps when it was
// decoded from too few bytes, so "nothing received yet" and "malformed" look
// the same to the screens.
struct telegram_param_def
{
    Q_GADGET
    Q_PROPERTY(quint16 id MEMBER id)
    Q_PROPERTY(quint16 def MEMBER def)
    Q_PROPERTY(qint32 value MEMBER value)
    Q_PROPERTY(qint32 min MEMBER min)
    Q_PROPERTY(qint32 max MEMBER max)
    Q_PROPERTY(quint16 step MEMBER step)
    Q_PROPERTY(quint16 divider MEMBER divider)
    Q_PROPERTY(quint8 type MEMBER type)
    Q_PROPERTY(quint8 action MEMBER action)
    Q_PROPERTY(quint8 message MEMBER message)
    Q_PROPERTY(quint8 message2 MEMBER message2)
    Q_PROPERTY(qint32 current MEMBER current)

public:
    static constexpr int Size = 28;

    quint16 id = 0xFFFF;
    quint16 def = 0xFFFF;
    qint32 value = -1;
    qint32 min = 2147483647;
    qint32 max = 2147483647;
    quint16 step = 0xFFFF;
    quint16 divider = 0xFFFF;
    quint8 type = 0xFF;
    quint8 action = 0xFF;
    quint8 message = 0xFF;
    quint8 message2 = 0xFF;
    qint32 current = 0;

    // Decodes a record from the start of a telegram's data field. Extra bytes
    // are ignored; with fewer than 28 bytes the defaults are returned and
    // *wellFormed (when given) is set to false.
    static telegram_param_def fromData(const QByteArray& data, bool* wellFormed = nullptr);

    // The 28 wire bytes of this record.
    QByteArray toBytes() const;

    // True when every field from def onward is equal; the identifier is not
    // compared, as controllers use this to decide whether a report changed
    // anything they show.
    bool sameContent(const telegram_param_def& other) const;

    bool operator==(const telegram_param_def& other) const
    {
        return id == other.id && sameContent(other);
    }
    bool operator!=(const telegram_param_def& other) const { return !(*this == other); }
};

Q_DECLARE_METATYPE(telegram_param_def)

namespace ByteOrder {
// Little-endian reads from a byte array; out-of-range positions read as 0.
quint16 readU16(const QByteArray& data, int pos);
qint32 readI32(const QByteArray& data, int pos);
void appendU16(QByteArray& out, quint16 v);
void appendI32(QByteArray& out, qint32 v);
} // namespace ByteOrder

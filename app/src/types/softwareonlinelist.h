#pragma once

#include <QByteArray>
#include <QMetaType>
#include <QObject>

// Software information of one bus node (parameter 10101).
struct software_online_list
{
    Q_GADGET
    Q_PROPERTY(quint8 softwareIndex MEMBER softwareIndex)
    Q_PROPERTY(quint8 iicAddress MEMBER iicAddress)
    Q_PROPERTY(quint8 iicStatus MEMBER iicStatus)
    Q_PROPERTY(qint32 softwareID MEMBER softwareID)
    Q_PROPERTY(quint8 softwareHighVersion MEMBER softwareHighVersion)
    Q_PROPERTY(quint8 softwareLowVersion MEMBER softwareLowVersion)

public:
    // 0xFF marks "not received"; the device info screen hides a node whose
    // address is still 0xFF.
    quint8 softwareIndex = 0xFF;
    quint8 iicAddress = 0xFF;
    quint8 iicStatus = 0xFF;
    qint32 softwareID = 0;
    quint8 softwareHighVersion = 0xFF;
    quint8 softwareLowVersion = 0xFF;

    // Minimum data length (exclusive) of a report that carries this record.
    static constexpr int MinDataSize = 9;

    // Decodes the data field of a parameter report (identifier in bytes 0-1).
    // Only data of more than 9 bytes is decoded; otherwise the defaults are
    // returned and *decoded (when given) is false.
    static software_online_list fromData(const QByteArray& data, bool* decoded = nullptr);

    // A byte whose hexadecimal text is read as a decimal number: 0x12 -> 12;
    // a byte with a hex digit above 9 gives 0.
    static quint8 twoDecimalDigits(quint8 byte);

    bool operator==(const software_online_list& o) const
    {
        return softwareIndex == o.softwareIndex && iicAddress == o.iicAddress &&
               iicStatus == o.iicStatus && softwareID == o.softwareID &&
               softwareHighVersion == o.softwareHighVersion &&
               softwareLowVersion == o.softwareLowVersion;
    }
    bool operator!=(const software_online_list& o) const { return !(*this == o); }
};

Q_DECLARE_METATYPE(software_online_list)

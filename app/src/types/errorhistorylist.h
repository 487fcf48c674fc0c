#pragma once

#include <QByteArray>
#include <QMetaType>
#include <QObject>

// One entry of the error history (parameter 10102).
struct error_history_list
{
    Q_GADGET
    Q_PROPERTY(quint16 index MEMBER index)
    Q_PROPERTY(qint32 errorNumber MEMBER errorNumber)
    Q_PROPERTY(quint8 dateTimeSecond MEMBER dateTimeSecond)
    Q_PROPERTY(quint8 dateTimeMinute MEMBER dateTimeMinute)
    Q_PROPERTY(quint8 dateTimeHour MEMBER dateTimeHour)
    Q_PROPERTY(quint8 dateTimeDay_of_week MEMBER dateTimeDay_of_week)
    Q_PROPERTY(quint8 dateTimeDay MEMBER dateTimeDay)
    Q_PROPERTY(quint8 dateTimeMonth MEMBER dateTimeMonth)
    Q_PROPERTY(quint16 dateTimeYear MEMBER dateTimeYear)
    Q_PROPERTY(quint8 currentDeviceStatus MEMBER currentDeviceStatus)
    Q_PROPERTY(quint8 errorStatus MEMBER errorStatus)

public:
    quint16 index = 0xFFFF;
    qint32 errorNumber = 0;
    // The date is not decoded from the report; the fields keep their
    // "unknown" markers.
    quint8 dateTimeSecond = 0xFF;
    quint8 dateTimeMinute = 0xFF;
    quint8 dateTimeHour = 0xFF;
    quint8 dateTimeDay_of_week = 0xFF;
    quint8 dateTimeDay = 0xFF;
    quint8 dateTimeMonth = 0xFF;
    quint16 dateTimeYear = 0xFFFF;
    quint8 currentDeviceStatus = 0xFF;
    quint8 errorStatus = 0xFF;

    static constexpr int MinDataSize = 17;

    // Decodes only data of more than 17 bytes; otherwise the defaults are
    // returned and *decoded (when given) is false.
    static error_history_list fromData(const QByteArray& data, bool* decoded = nullptr);

    bool operator==(const error_history_list& o) const
    {
        return index == o.index && errorNumber == o.errorNumber &&
               currentDeviceStatus == o.currentDeviceStatus && errorStatus == o.errorStatus &&
               dateTimeSecond == o.dateTimeSecond && dateTimeMinute == o.dateTimeMinute &&
               dateTimeHour == o.dateTimeHour && dateTimeDay_of_week == o.dateTimeDay_of_week &&
               dateTimeDay == o.dateTimeDay && dateTimeMonth == o.dateTimeMonth &&
               dateTimeYear == o.dateTimeYear;
    }
    bool operator!=(const error_history_list& o) const { return !(*this == o); }
};

Q_DECLARE_METATYPE(error_history_list)

#pragma once

#include <QByteArray>
#include <QMetaType>
#include <QObject>

// One recorded step of a clinic program (parameter 10104).
struct record_clinic_step
{
    Q_GADGET
    Q_PROPERTY(qint16 eventTime MEMBER eventTime)
    Q_PROPERTY(qint8 massageKind MEMBER massageKind)
    Q_PROPERTY(int motor1Position MEMBER motor1Position)
    Q_PROPERTY(int motor2Position MEMBER motor2Position)
    Q_PROPERTY(int motor3Position MEMBER motor3Position)
    Q_PROPERTY(qint8 nozzlePressure MEMBER nozzlePressure)
    Q_PROPERTY(qint8 nozzleSpeed MEMBER nozzleSpeed)
    Q_PROPERTY(qint8 bodyArea MEMBER bodyArea)
    Q_PROPERTY(qint8 massageTechnic MEMBER massageTechnic)
    Q_PROPERTY(qint8 recordAct MEMBER recordAct)

public:
    qint16 eventTime = 0;
    qint8 massageKind = 0;
    int motor1Position = 0;
    int motor2Position = 0;
    int motor3Position = 0;
    qint8 nozzlePressure = 0;
    qint8 nozzleSpeed = 0;
    qint8 bodyArea = 0;
    qint8 massageTechnic = 0;
    qint8 recordAct = 0;

    static constexpr int MinDataSize = 13;

    // Decodes only data of more than 13 bytes; otherwise the defaults are
    // returned and *decoded (when given) is false.
    static record_clinic_step fromData(const QByteArray& data, bool* decoded = nullptr);

    bool operator==(const record_clinic_step& o) const
    {
        return eventTime == o.eventTime && massageKind == o.massageKind &&
               motor1Position == o.motor1Position && motor2Position == o.motor2Position &&
               motor3Position == o.motor3Position && nozzlePressure == o.nozzlePressure &&
               nozzleSpeed == o.nozzleSpeed && bodyArea == o.bodyArea &&
               massageTechnic == o.massageTechnic && recordAct == o.recordAct;
    }
    bool operator!=(const record_clinic_step& o) const { return !(*this == o); }
};

Q_DECLARE_METATYPE(record_clinic_step)

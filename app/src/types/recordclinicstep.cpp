#include "recordclinicstep.h"

#include "telegramparamdef.h"

record_clinic_step record_clinic_step::fromData(const QByteArray& data, bool* decoded)
{
    record_clinic_step r;
    const bool ok = data.size() > MinDataSize;
    if (decoded)
        *decoded = ok;
    if (!ok)
        return r;
    r.eventTime = qint16(ByteOrder::readU16(data, 2));
    r.massageKind = qint8(data.at(4));
    r.motor1Position = quint8(data.at(5));
    r.motor2Position = quint8(data.at(6));
    r.motor3Position = quint8(data.at(7));
    r.nozzlePressure = qint8(data.at(8));
    r.nozzleSpeed = qint8(data.at(9));
    r.bodyArea = qint8(data.at(10));
    r.massageTechnic = qint8(data.at(11));
    r.recordAct = qint8(data.at(12));
    return r;
}

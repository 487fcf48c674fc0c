#include "softwareonlinelist.h"

#include "telegramparamdef.h"

quint8 software_online_list::twoDecimalDigits(quint8 byte)
{
    const quint8 high = byte >> 4;
    const quint8 low = byte & 0x0F;
    if (high > 9 || low > 9)
        return 0;
    return quint8(high * 10 + low);
}

software_online_list software_online_list::fromData(const QByteArray& data, bool* decoded)
{
    software_online_list s;
    const bool ok = data.size() > MinDataSize;
    if (decoded)
        *decoded = ok;
    if (!ok)
        return s;
    s.softwareIndex = twoDecimalDigits(quint8(data.at(2)));
    s.iicAddress = quint8(data.at(3));
    s.iicStatus = twoDecimalDigits(quint8(data.at(4)));
    s.softwareID = data.size() >= 9 ? ByteOrder::readI32(data, 5) : 0;
    s.softwareHighVersion = quint8(data.at(9));
    s.softwareLowVersion = data.size() > 10 ? quint8(data.at(10)) : 0;
    return s;
}

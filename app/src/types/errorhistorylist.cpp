#include "errorhistorylist.h"

#include "telegramparamdef.h"

error_history_list error_history_list::fromData(const QByteArray& data, bool* decoded)
{
    error_history_list e;
    const bool ok = data.size() > MinDataSize;
    if (decoded)
        *decoded = ok;
    if (!ok)
        return e;
    e.index = quint8(data.at(2));
    e.errorNumber = ByteOrder::readI32(data, 4);
    e.currentDeviceStatus = quint8(data.at(16));
    e.errorStatus = quint8(data.at(17));
    return e;
}

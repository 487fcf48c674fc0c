#include "paramrecord.h"

#include <QtEndian>

namespace bussim {

ParamRecord ParamRecord::make(quint16 id, qint32 value, qint32 min, qint32 max, quint16 step,
                              quint16 divider, quint8 type)
{
    ParamRecord r;
    r.id = id;
    r.def = quint16(value);
    r.value = value;
    r.min = min;
    r.max = max;
    r.step = step;
    r.divider = divider;
    r.type = type;
    r.action = ActionNop;
    r.message = 0;
    r.message2 = 0;
    r.current = 0;
    return r;
}

ParamRecord ParamRecord::fromBytes(const QByteArray& data, bool* ok)
{
    ParamRecord r;
    if (data.size() < Size) {
        if (ok)
            *ok = false;
        return r;
    }
    const auto* p = reinterpret_cast<const uchar*>(data.constData());
    r.id = qFromLittleEndian<quint16>(p);
    r.def = qFromLittleEndian<quint16>(p + 2);
    r.value = qFromLittleEndian<qint32>(p + 4);
    r.min = qFromLittleEndian<qint32>(p + 8);
    r.max = qFromLittleEndian<qint32>(p + 12);
    r.step = qFromLittleEndian<quint16>(p + 16);
    r.divider = qFromLittleEndian<quint16>(p + 18);
    r.type = p[20];
    r.action = p[21];
    r.message = p[22];
    r.message2 = p[23];
    r.current = qFromLittleEndian<qint32>(p + 24);
    if (ok)
        *ok = true;
    return r;
}

QByteArray ParamRecord::toBytes() const
{
    uchar p[Size];
    qToLittleEndian<quint16>(id, p);
    qToLittleEndian<quint16>(def, p + 2);
    qToLittleEndian<qint32>(value, p + 4);
    qToLittleEndian<qint32>(min, p + 8);
    qToLittleEndian<qint32>(max, p + 12);
    qToLittleEndian<quint16>(step, p + 16);
    qToLittleEndian<quint16>(divider, p + 18);
    p[20] = type;
    p[21] = action;
    p[22] = message;
    p[23] = message2;
    qToLittleEndian<qint32>(current, p + 24);
    return QByteArray(reinterpret_cast<const char*>(p), Size);
}

QJsonObject ParamRecord::toJson() const
{
    return QJsonObject{{"id", id},           {"def", def},           {"value", value},
                       {"min", min},         {"max", max},           {"step", step},
                       {"divider", divider}, {"type", type},         {"action", action},
                       {"message", message}, {"message2", message2}, {"current", current}};
}

bool ParamRecord::operator==(const ParamRecord& o) const
{
    return id == o.id && def == o.def && value == o.value && min == o.min && max == o.max &&
           step == o.step && divider == o.divider && type == o.type && action == o.action &&
           message == o.message && message2 == o.message2 && current == o.current;
}

} // namespace bussim

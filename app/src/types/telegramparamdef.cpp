#include "telegramparamdef.h"

namespace ByteOrder {

static quint8 byteAt(const QByteArray& data, int pos)
{
    return (pos >= 0 && pos < data.size()) ? quint8(data.at(pos)) : 0;
}

quint16 readU16(const QByteArray& data, int pos)
{
    return quint16(byteAt(data, pos) | (byteAt(data, pos + 1) << 8));
}

qint32 readI32(const QByteArray& data, int pos)
{
    const quint32 v = quint32(byteAt(data, pos)) | (quint32(byteAt(data, pos + 1)) << 8) |
                      (quint32(byteAt(data, pos + 2)) << 16) |
                      (quint32(byteAt(data, pos + 3)) << 24);
    return qint32(v);
}

void appendU16(QByteArray& out, quint16 v)
{
    out.append(char(v & 0xFF));
    out.append(char(v >> 8));
}

void appendI32(QByteArray& out, qint32 v)
{
    const quint32 u = quint32(v);
    for (int shift = 0; shift < 32; shift += 8)
        out.append(char((u >> shift) & 0xFF));
}

} // namespace ByteOrder

telegram_param_def telegram_param_def::fromData(const QByteArray& data, bool* wellFormed)
{
    telegram_param_def p;
    const bool ok = data.size() >= Size;
    if (wellFormed)
        *wellFormed = ok;
    if (!ok)
        return p;
    using namespace ByteOrder;
    p.id = readU16(data, 0);
    p.def = readU16(data, 2);
    p.value = readI32(data, 4);
    p.min = readI32(data, 8);
    p.max = readI32(data, 12);
    p.step = readU16(data, 16);
    p.divider = readU16(data, 18);
    p.type = quint8(data.at(20));
    p.action = quint8(data.at(21));
    p.message = quint8(data.at(22));
    p.message2 = quint8(data.at(23));
    p.current = readI32(data, 24);
    return p;
}

QByteArray telegram_param_def::toBytes() const
{
    using namespace ByteOrder;
    QByteArray out;
    out.reserve(Size);
    appendU16(out, id);
    appendU16(out, def);
    appendI32(out, value);
    appendI32(out, min);
    appendI32(out, max);
    appendU16(out, step);
    appendU16(out, divider);
    out.append(char(type));
    out.append(char(action));
    out.append(char(message));
    out.append(char(message2));
    appendI32(out, current);
    return out;
}

bool telegram_param_def::sameContent(const telegram_param_def& o) const
{
    return def == o.def && value == o.value && min == o.min && max == o.max && step == o.step &&
           divider == o.divider && type == o.type && action == o.action && message == o.message &&
           message2 == o.message2 && current == o.current;
}

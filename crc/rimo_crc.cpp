#include "rimo_crc.h"

namespace {

// Table-driven form of the bitwise MSB-first procedure; the tables are built
// once from the polynomial so they cannot drift from it.
struct CrcTable
{
    quint16 entry[256];
    explicit CrcTable(quint16 poly)
    {
        for (int i = 0; i < 256; ++i) {
            quint16 reg = quint16(i << 8);
            for (int bit = 0; bit < 8; ++bit)
                reg = (reg & 0x8000) ? quint16((reg << 1) ^ poly) : quint16(reg << 1);
            entry[i] = reg;
        }
    }
};

quint16 crc16(const CrcTable& table, const uchar* data, uint length)
{
    quint16 reg = 0xFFFF;
    for (uint i = 0; i < length; ++i)
        reg = quint16((reg << 8) ^ table.entry[((reg >> 8) ^ data[i]) & 0xFF]);
    return reg;
}

const CrcTable& ccittTable()
{
    static const CrcTable table(0x1021);
    return table;
}

const CrcTable& cmsTable()
{
    static const CrcTable table(0x8005);
    return table;
}

const uchar* bytes(const QByteArray& data)
{
    return reinterpret_cast<const uchar*>(data.constData());
}

} // namespace

quint16 _calculateCRC16(uchar* data, uint length)
{
    return data ? crc16(ccittTable(), data, length) : quint16(0xFFFF);
}

quint16 _calculateConfigCRC16(uchar* data, uint length)
{
    return data ? crc16(cmsTable(), data, length) : quint16(0xFFFF);
}

quint16 calculateCRC16(const QByteArray& data)
{
    return crc16(ccittTable(), bytes(data), uint(data.size()));
}

quint16 calculateConfigCRC16(const QByteArray& data)
{
    return crc16(cmsTable(), bytes(data), uint(data.size()));
}

quint16 calculateCRC16(QByteArray& data)
{
    return calculateCRC16(static_cast<const QByteArray&>(data));
}

quint16 calculateConfigCRC16(QByteArray& data)
{
    return calculateConfigCRC16(static_cast<const QByteArray&>(data));
}

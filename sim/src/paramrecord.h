#ifndef PARAMRECORD_H
#define PARAMRECORD_H

#include <QByteArray>
#include <QJsonObject>
#include <QtGlobal>

namespace bussim {

// Actions carried in the action byte of a parameter record.
enum Action : quint8 {
    ActionNop = 0,
    ActionOff = 128,
    ActionOn = 129,
    ActionUp = 130,
    ActionDown = 131,
    ActionVerify = 132,
    ActionCorrect = 133,
    ActionWrong = 134,
    ActionRead = 135,
    ActionWrite = 136,
    ActionWritten = 137,
    ActionCorrectNfc = 138,
    ActionReset = 140,
};

// Units carried in the type byte.
enum ParamType : quint8 {
    TypeNumber = 0,
    TypeTemperature = 1,
    TypeRevolutionPerMinute = 2,
    TypeHz = 3,
    TypeTenMbar = 4,
    TypePercent = 5,
    TypeHour = 6,
    TypeMinute = 7,
    TypeSecond = 8,
    TypeIp = 9,
    TypeSession = 10,
    TypeMinutes = 11,
};

// The 28-byte parameter record of the main control unit (little-endian).
struct ParamRecord
{
    static constexpr int Size = 28;
    static constexpr qint32 InvalidInt32 = 2147483647;
    static constexpr quint16 InvalidShort = 0xFFFF;

    quint16 id = InvalidShort;
    quint16 def = InvalidShort;
    qint32 value = -1;
    qint32 min = InvalidInt32;
    qint32 max = InvalidInt32;
    quint16 step = InvalidShort;
    quint16 divider = InvalidShort;
    quint8 type = 0xFF;
    quint8 action = 0xFF;
    quint8 message = 0xFF;
    quint8 message2 = 0xFF;
    qint32 current = 0;

    static ParamRecord make(quint16 id, qint32 value, qint32 min, qint32 max, quint16 step = 1,
                            quint16 divider = 0, quint8 type = TypeNumber);

    // Fewer than Size bytes leave the defaults above and clear *ok.
    static ParamRecord fromBytes(const QByteArray& data, bool* ok = nullptr);
    QByteArray toBytes() const;
    QJsonObject toJson() const;

    bool operator==(const ParamRecord& o) const;
    bool operator!=(const ParamRecord& o) const { return !(*this == o); }
};

} // namespace bussim

#endif // PARAMRECORD_H

#ifndef RIMO_CRC_H
#define RIMO_CRC_H

#include <QByteArray>
#include <QtGlobal>

// CRC-16/CCITT-FALSE: polynomial 0x1021, initial value 0xFFFF, not reflected,
// no final XOR. Used for every telegram and block check on the bus.
quint16 calculateCRC16(QByteArray& data);
quint16 _calculateCRC16(uchar* data, uint length);

// CRC-16/CMS: polynomial 0x8005, otherwise the same procedure. Exported for
// configuration data of other users.
quint16 calculateConfigCRC16(QByteArray& data);
quint16 _calculateConfigCRC16(uchar* data, uint length);

// Read-only overloads for temporaries and const data; same results.
quint16 calculateCRC16(const QByteArray& data);
quint16 calculateConfigCRC16(const QByteArray& data);

#endif // RIMO_CRC_H

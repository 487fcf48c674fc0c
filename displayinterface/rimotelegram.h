#ifndef RIMOTELEGRAM_H
#define RIMOTELEGRAM_H

#include "rimotelegraminterface.h"

#include <QMetaType>

// One bus telegram:
//   receiver | sender | length (LE16, data size + 1) | command | data | CRC16 (BE)
// The TId travels beside the bytes (trailing byte of a telegram datagram,
// header byte of every serial block) and is not part of them.
class rimoTelegram : public RimoTelegramInterface
{
public:
    static constexpr int MinimumSize = 7;

    // An empty, invalid telegram (needed by Qt's meta-type system).
    rimoTelegram();
    // Parses received bytes; never fails loudly, isValid() tells the outcome.
    rimoTelegram(uchar tid, QByteArray telegram);
    // Builds a telegram from its parts; always valid.
    rimoTelegram(uchar tid, uchar receiver, uchar sender, uchar command, QByteArray data);

    uchar receiverAddress() const override;
    uchar senderAddress() const override;
    uchar command() const override;
    QByteArray data() const override;
    quint16 crc() const override;
    QByteArray getTelegram() const override;
    QByteArray getTdata() const override;
    bool isValid() const override;
    uchar getTId() const override;

private:
    uchar byteAt(int index) const;

    uchar m_tid = 0;
    bool m_valid = false;
    quint16 m_crc = 0;
    QByteArray m_telegram;
    QByteArray m_tdata;
};

Q_DECLARE_METATYPE(rimoTelegram)

#endif // RIMOTELEGRAM_H

#include "rimotelegram.h"

#include "rimo_crc.h"

rimoTelegram::rimoTelegram() = default;

rimoTelegram::rimoTelegram(uchar tid, QByteArray telegram)
    : m_tid(tid), m_telegram(std::move(telegram))
{
    const int n = m_telegram.size();
    if (n < MinimumSize)
        return;
    m_tdata = m_telegram.mid(5, n - MinimumSize);
    m_crc = _calculateCRC16(reinterpret_cast<uchar*>(m_telegram.data()), uint(n - 2));
    const quint16 received =
        quint16((uchar(m_telegram.at(n - 2)) << 8) | uchar(m_telegram.at(n - 1)));
    m_valid = (m_crc == received);
}

rimoTelegram::rimoTelegram(uchar tid, uchar receiver, uchar sender, uchar command, QByteArray data)
    : m_tid(tid), m_valid(true), m_tdata(std::move(data))
{
    const int length = m_tdata.size() + 1;
    m_telegram.reserve(m_tdata.size() + MinimumSize);
    m_telegram.append(char(receiver));
    m_telegram.append(char(sender));
    m_telegram.append(char(length & 0xFF));
    m_telegram.append(char((length >> 8) & 0xFF));
    m_telegram.append(char(command));
    m_telegram.append(m_tdata);
    m_crc = calculateCRC16(m_telegram);
    m_telegram.append(char(m_crc >> 8));
    m_telegram.append(char(m_crc & 0xFF));
}

uchar rimoTelegram::byteAt(int index) const
{
    // Parts of a too-short byte string read as 0; callers check isValid() first.
    return index < m_telegram.size() ? uchar(m_telegram.at(index)) : uchar(0);
}

uchar rimoTelegram::receiverAddress() const
{
    return byteAt(0);
}

uchar rimoTelegram::senderAddress() const
{
    return byteAt(1);
}

uchar rimoTelegram::command() const
{
    return byteAt(4);
}

QByteArray rimoTelegram::data() const
{
    return m_tdata;
}

quint16 rimoTelegram::crc() const
{
    return m_crc;
}

QByteArray rimoTelegram::getTelegram() const
{
    return m_telegram;
}

QByteArray rimoTelegram::getTdata() const
{
    return m_tdata;
}

bool rimoTelegram::isValid() const
{
    return m_valid;
}

uchar rimoTelegram::getTId() const
{
    return m_tid;
}

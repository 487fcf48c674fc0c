#pragma once

#include "core/telegrammanager.h"

#include <rimotelegram.h>

#include <QByteArray>
#include <QObject>
#include <QString>
#include <QStringList>
#include <QtTest>

// Records every telegram the telegram manager emits as
// "<receiver> <command> | <data>" in upper-case hex, e.g. "F2 B3 | 64 00 00".
class TelegramCapture
{
public:
    TelegramCapture()
    {
        m_connection =
            QObject::connect(TelegramManager::instance(), &TelegramManager::telegramToSend,
                             [this](rimoTelegram& telegram) { record(telegram); });
    }
    ~TelegramCapture() { QObject::disconnect(m_connection); }

    // The manager's one-shot start-up telegram (control flags) goes out 100 ms
    // after its creation; wait for it so it cannot land inside a capture.
    static void settleStartup()
    {
        TelegramManager::instance();
        QTRY_VERIFY_WITH_TIMEOUT(TelegramManager::instance()->controlFlags() !=
                                     TelegramManager::ControlFlagsUnsent,
                                 2000);
    }

    static QString format(uchar receiver, uchar command, const QByteArray& data)
    {
        QString text = QStringLiteral("%1 %2 |")
                           .arg(receiver, 2, 16, QLatin1Char('0'))
                           .arg(command, 2, 16, QLatin1Char('0'))
                           .toUpper();
        if (!data.isEmpty())
            text += QLatin1Char(' ') + QString::fromLatin1(data.toHex(' ')).toUpper();
        return text;
    }

    QStringList sent() const { return m_sent; }
    void clear() { m_sent.clear(); }
    QList<QByteArray> dataSent() const { return m_data; }

private:
    void record(const rimoTelegram& telegram)
    {
        QVERIFY2(telegram.senderAddress() == 0x94, "every telegram leaves with sender 0x94");
        m_sent.append(format(telegram.receiverAddress(), telegram.command(), telegram.data()));
        m_data.append(telegram.data());
    }

    QMetaObject::Connection m_connection;
    QStringList m_sent;
    QList<QByteArray> m_data;
};

// A parameter record in wire order, packed here independently of the
// program's own encoder so that a wrong field order or width shows up.
struct WireRecord
{
    quint16 id = 0xFFFF;
    quint16 def = 0xFFFF;
    qint32 value = -1;
    qint32 min = 2147483647;
    qint32 max = 2147483647;
    quint16 step = 0xFFFF;
    quint16 divider = 0xFFFF;
    quint8 type = 0xFF;
    quint8 action = 0xFF;
    quint8 message = 0xFF;
    quint8 message2 = 0xFF;
    qint32 current = 0;

    QByteArray bytes() const
    {
        QByteArray out;
        auto le = [&out](quint64 v, int size) {
            for (int i = 0; i < size; ++i)
                out.append(static_cast<char>((v >> (8 * i)) & 0xFF));
        };
        le(id, 2);
        le(def, 2);
        le(quint32(value), 4);
        le(quint32(min), 4);
        le(quint32(max), 4);
        le(step, 2);
        le(divider, 2);
        le(type, 1);
        le(action, 1);
        le(message, 1);
        le(message2, 1);
        le(quint32(current), 4);
        return out;
    }

    // As the control unit reports it.
    telegram_param_def record() const
    {
        bool ok = false;
        telegram_param_def r = telegram_param_def::fromData(bytes(), &ok);
        return r;
    }

    // A parameter write of this record to the main control unit (message = 1).
    QString write() const
    {
        WireRecord sent = *this;
        sent.message = 1;
        return TelegramCapture::format(0x08, 0xA9, sent.bytes());
    }
};

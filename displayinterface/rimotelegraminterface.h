#ifndef RIMOTELEGRAMINTERFACE_H
#define RIMOTELEGRAMINTERFACE_H

#include <QByteArray>
#include <QtGlobal>

// Read access to one bus telegram. The order of the virtual operations is
// part of the library's binary interface; append, never reorder.
class RimoTelegramInterface
{
public:
    virtual uchar receiverAddress() const = 0;
    virtual uchar senderAddress() const = 0;
    virtual uchar command() const = 0;
    virtual QByteArray data() const = 0;
    virtual quint16 crc() const = 0;
    virtual QByteArray getTelegram() const = 0;
    virtual QByteArray getTdata() const = 0;
    virtual bool isValid() const = 0;
    virtual uchar getTId() const = 0;
    virtual ~RimoTelegramInterface() = default;
};

#endif // RIMOTELEGRAMINTERFACE_H

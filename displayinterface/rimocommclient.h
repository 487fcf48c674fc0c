#ifndef RIMOCOMMCLIENT_H
#define RIMOCOMMCLIENT_H

#include "rimotelegram.h"

#include <QByteArray>
#include <QObject>

class QUdpSocket;

// One client endpoint of the comm control: its user sends telegram datagrams
// to 127.0.0.1:portIn, and every telegram from the bus is forwarded to
// 127.0.0.1:portOut.
class rimoCommClient : public QObject
{
    Q_OBJECT
public:
    rimoCommClient(uchar sdrAddr, QByteArray recAddr, ushort portIn, ushort portOut,
                   QObject* parent = nullptr);

    uchar getSdrAddr();
    QByteArray getRecAddr();
    // Replaces the receiver addresses; the owner then calls updateCommClient().
    void setRecAddr(const QByteArray& recAddr) { m_recAddr = recAddr; }
    ushort portIn() const { return m_portIn; }
    ushort portOut() const { return m_portOut; }

signals:
    void telegramArrived(rimoTelegram& t);
    void telegramDown(rimoTelegram& t);

public slots:
    void onTelegramUp(rimoTelegram& t);
    void onTelegramToSend();

private:
    uchar m_sdrAddr;
    QByteArray m_recAddr;
    QUdpSocket* m_udpSocket;
    ushort m_portIn;
    ushort m_portOut;
};

#endif // RIMOCOMMCLIENT_H

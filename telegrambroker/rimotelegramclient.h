#ifndef RIMOTELEGRAMCLIENT_H
#define RIMOTELEGRAMCLIENT_H

#include <QByteArray>
#include <QLocalSocket>
#include <QObject>

class rimoCommClient;

// One registered GUI connection: the local socket it registered on and the
// comm client that relays its telegram datagrams.
class rimotelegramclient : public QObject
{
    Q_OBJECT
public:
    rimotelegramclient(uchar address, QLocalSocket* socket, ushort portIn, ushort portOut,
                       QByteArray receiverAddresses, QObject* parent = nullptr);
    ~rimotelegramclient() override;

    uchar address() const { return m_address; }
    rimoCommClient* commClient() const { return m_commClient; }
    QLocalSocket* socket() const { return m_socket; }
    ushort portIn() const { return m_portIn; }
    ushort portOut() const { return m_portOut; }
    QByteArray receiverAddresses() const { return m_receiverAddresses; }

signals:
    void connctionDied(rimotelegramclient* cl);

public slots:
    void onStateChanged(QLocalSocket::LocalSocketState state);

private:
    uchar m_address;
    QLocalSocket* m_socket;
    rimoCommClient* m_commClient;
    ushort m_portIn;
    ushort m_portOut;
    QByteArray m_receiverAddresses;
};

#endif // RIMOTELEGRAMCLIENT_H

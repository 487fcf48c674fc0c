#ifndef RIMOTELEGRAMBROKER_H
#define RIMOTELEGRAMBROKER_H

#include "rimobootpartmounter.h"
#include "rimocommcontrol.h"
#include "rimodisplayconfiguration.h"
#include "rimofilewriter.h"
#include "rimoregistrationrequest.h"
#include "rimotelegram.h"

#include <QList>
#include <QLocalServer>
#include <QObject>
#include <QTimer>

class QUdpSocket;
class rimoCommClient;
class rimoPendingRequest;
class rimotelegramclient;

// Owns the bus (comm control), lets GUI programs register on the local
// socket "rimoTelegramBroker", and asks the configuration controller once
// after start which displays are fitted.
class rimoTelegramBroker : public QObject
{
    Q_OBJECT
public:
    static constexpr uchar ConfigControllerAddress = 0x08;
    static constexpr uchar CommandParameterRequest = 0x89;
    static constexpr uchar CommandParameterReport = 0x09;
    static constexpr int ConfTimeoutMs = 50;
    static constexpr int ConfRequestCycles = 3;

    explicit rimoTelegramBroker(QObject* parent = nullptr);
    ~rimoTelegramBroker() override;

    // A free loopback UDP port after start (below it for 65535); start itself
    // when there is none.
    static quint16 findFreePort(quint16 start);
    // 0x94 on a DBM 1 bus, else 0xC8.
    static uchar temporaryAddressFor(uchar dbm);

    uchar temporaryAddress() const { return m_temporaryAddress; }

signals:
    void telegramToSend(rimoTelegram& t);

public slots:
    void onNewConnection();

private slots:
    void onRequestJudged(rimoPendingRequest* request, const RimoRegistrationRequest& result);
    void onConnectionDied(rimotelegramclient* c);
    void parseConfig();
    void onConfTimeout();

private:
    void registerClient(QLocalSocket* socket, const RimoRegistrationRequest& request);
    bool addClient(rimotelegramclient* client);
    void removeClient(uchar address);
    void discardClient(rimotelegramclient* client, bool deferDelete);
    void sendConfigRequest(quint16 paragraph);
    void finishConfiguration();
    void requestReboot();

    rimoCommControl m_commControl;
    QList<rimotelegramclient*> m_clients;
    QLocalServer m_server;
    RimoFilewriter m_fileWriter;
    rimoCommClient* m_ownClient = nullptr;
    QUdpSocket* m_configSocket = nullptr;
    quint16 m_portIn = 0;
    uchar m_temporaryAddress = 0;
    uchar m_tidCounter = 0;
    QTimer m_confTimer;
    RimoDisplayConfiguration m_config;
    int m_retryCount = 0;
    rimoBootPartMounter m_bootPartMounter;
    QList<rimoPendingRequest*> m_pending;
};

#endif // RIMOTELEGRAMBROKER_H

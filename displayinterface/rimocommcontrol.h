#ifndef RIMOCOMMCONTROL_H
#define RIMOCOMMCONTROL_H

#include "rimotelegram.h"
#include "rimotelegramlayerinterface.h"

#include <QByteArray>
#include <QMap>
#include <QObject>

class QUdpSocket;
class rimoCommClient;
class rimoCommLayer;

// Front object of the protocol library: starts the link layer, keeps the
// registered clients with the receiver addresses each wants and relays
// telegrams between them and the link layer (loopback UDP 8888 / 8889).
class rimoCommControl : public QObject, public RimoTelegramLayerInterface
{
    Q_OBJECT
public:
    enum CommError {
        NoCommError = 0,
        LinkLayerNotInitialised = 1,
    };
    Q_ENUM(CommError)

    // How long destruction waits for the link-layer thread to leave by itself.
    static constexpr int StopTimeoutMs = 1000;

    // Opens the line and blocks until the peer's first transmission start.
    explicit rimoCommControl(QObject* parent = nullptr);
    ~rimoCommControl() override;

    uchar getDBM();

    bool registerCommClient(rimoCommClient& cc);
    void unregisterCommClient(rimoCommClient& cc);
    bool updateCommClient(rimoCommClient& cc);
    // Receiver addresses of every client in ascending order of sender address.
    void rebuildAdrList();

    // The address list last handed to the link layer.
    QByteArray adrList() const { return m_adrList; }
    // False when the link layer could not be started.
    bool isLinkRunning() const;

public slots:
    bool onRegisterCommClient(rimoCommClient& cc);
    void onUnregisterCommClient(rimoCommClient& cc);
    bool onUpdateCommClient(rimoCommClient& cc);
    void onTelegramToSend(rimoTelegram& t) override;

signals:
    void commError(rimoCommControl::CommError error);
    void telegramArrived(rimoTelegram& telegram);
    void adrListChanged(QByteArray& adrList);

private slots:
    void onTelegramReady();

private:
    rimoCommLayer* m_commLayer = nullptr;
    QUdpSocket* m_udpSocket = nullptr;
    QMap<uchar, QByteArray> m_clients;
    QByteArray m_adrList;
    uchar m_dbm = 0;
};

#endif // RIMOCOMMCONTROL_H

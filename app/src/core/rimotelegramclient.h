#pragma once

#include <rimotelegram.h>

#include <QByteArray>
#include <QLocalSocket>
#include <QObject>
#include <QTimer>
#include <QUdpSocket>

// Connects the GUI to the broker daemon: registers over the local socket
// "rimoTelegramBroker" (which also serves as the liveness link) and carries
// telegrams as datagrams (telegram bytes + TId byte) on loopback UDP.
//
// Registration runs asynchronously, so the GUI thread never waits for a slow
// or absent broker; a failed or lost registration is retried after 1000 ms.
class rimoTelegramClient : public QObject
{
    Q_OBJECT

public:
    static constexpr int RetryMs = 1000;
    static constexpr int WaitMs = 30000;

    rimoTelegramClient(uchar address, QByteArray addressList, quint16 localPort,
                       QObject* parent = nullptr);

    // The eight-ish bytes sent to register: 0x01, own address, local port
    // (big-endian), address list.
    static QByteArray registrationMessage(uchar address, const QByteArray& addressList,
                                          quint16 localPort);
    // Datagram payload of one outgoing telegram.
    static QByteArray datagramFor(const rimoTelegram& t);

    bool isRegistered() const { return m_phase == Phase::Registered; }
    quint16 brokerPort() const { return m_brokerPort; }
    quint16 localPort() const { return m_localPort; }

signals:
    void telegramArrived(rimoTelegram& t);
    // The broker accepted the registration and the datagram port is bound.
    void registered();

public slots:
    void onTelegramToSend(rimoTelegram& t);
    void onTelegramsPending();

private slots:
    void onStateChanged(QLocalSocket::LocalSocketState state);
    void doConnect();
    void onConnected();
    void onAnswerReady();
    void onAnswerTimeout();
    void onConnectTimeout();
    void onSocketError(QLocalSocket::LocalSocketError socketError);

private:
    enum class Phase { Idle, Connecting, AwaitingAnswer, Registered };

    void judgeAnswer(const QByteArray& answer);
    void scheduleRetry();
    // Drops the registration connection without reacting to its state change.
    void closeQuietly();

    QUdpSocket m_datagramSocket;
    QLocalSocket m_registrationSocket;
    quint16 m_localPort = 0;
    quint16 m_brokerPort = 0;
    QByteArray m_registrationMessage;
    bool m_bound = false;

    Phase m_phase = Phase::Idle;
    QTimer m_retryTimer;
    QTimer m_connectTimer;
    QTimer m_answerTimer;
};

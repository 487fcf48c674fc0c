#pragma once

#include <QByteArray>
#include <QElapsedTimer>
#include <QList>
#include <QLocalServer>
#include <QLocalSocket>
#include <QObject>
#include <QPointer>
#include <QUdpSocket>

// A stand-in for the broker daemon: accepts registrations on the local
// socket "rimoTelegramBroker", answers with its datagram port (or with what
// the test wants) and records the telegram datagrams sent to it.
class FakeBroker : public QObject
{
    Q_OBJECT

public:
    enum class Answer { Port, Garbage3, Nothing, Close };

    explicit FakeBroker(QObject* parent = nullptr);

    bool listen();
    // The broker process dies: connections dropped, server gone.
    void die();

    Answer answer = Answer::Port;
    QList<QByteArray> registrations; // bytes of every registration
    QList<qint64> registrationTimes; // ms since construction
    QList<QByteArray> datagrams;
    int disconnects = 0;
    quint16 udpPort() const { return m_udp.localPort(); }
    QLocalSocket* lastConnection() const { return m_last; }
    qint64 elapsed() const { return m_clock.elapsed(); }

    // Sends a telegram datagram to the client's port.
    void sendToClient(const QByteArray& payload, quint16 clientPort = 8228);

private:
    QLocalServer m_server;
    QUdpSocket m_udp;
    QPointer<QLocalSocket> m_last;
    QElapsedTimer m_clock;
};

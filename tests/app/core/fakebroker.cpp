#include "fakebroker.h"

#include <QNetworkDatagram>

FakeBroker::FakeBroker(QObject* parent) : QObject(parent)
{
    m_clock.start();
    m_udp.bind(QHostAddress(QHostAddress::LocalHost), 0);
    connect(&m_udp, &QUdpSocket::readyRead, this, [this] {
        while (m_udp.hasPendingDatagrams())
            datagrams.append(m_udp.receiveDatagram().data());
    });
    connect(&m_server, &QLocalServer::newConnection, this, [this] {
        while (QLocalSocket* s = m_server.nextPendingConnection()) {
            m_last = s;
            connect(s, &QLocalSocket::disconnected, this, [this, s] {
                ++disconnects;
                s->deleteLater();
            });
            connect(s, &QLocalSocket::readyRead, this, [this, s] {
                registrations.append(s->readAll());
                registrationTimes.append(m_clock.elapsed());
                const quint16 port = m_udp.localPort();
                switch (answer) {
                case Answer::Port: {
                    QByteArray answerBytes;
                    answerBytes.append(char(port >> 8));
                    answerBytes.append(char(port & 0xFF));
                    s->write(answerBytes);
                } break;
                case Answer::Garbage3:
                    s->write(QByteArray("\x01\x02\x03", 3));
                    break;
                case Answer::Nothing:
                    break;
                case Answer::Close:
                    s->disconnectFromServer();
                    return;
                }
                s->flush();
            });
        }
    });
}

bool FakeBroker::listen()
{
    QLocalServer::removeServer(QStringLiteral("rimoTelegramBroker"));
    return m_server.listen(QStringLiteral("rimoTelegramBroker"));
}

void FakeBroker::die()
{
    const auto sockets = m_server.findChildren<QLocalSocket*>();
    for (QLocalSocket* s : sockets)
        s->abort();
    m_server.close();
}

void FakeBroker::sendToClient(const QByteArray& payload, quint16 clientPort)
{
    m_udp.writeDatagram(payload, QHostAddress(QHostAddress::LocalHost), clientPort);
}

#include "rimotelegramclient.h"

#include <QHostAddress>
#include <QLoggingCategory>
#include <QNetworkDatagram>

Q_LOGGING_CATEGORY(lcClient, "vanto.brokerclient")

namespace {
const QString BrokerName = QStringLiteral("rimoTelegramBroker");
}

rimoTelegramClient::rimoTelegramClient(uchar address, QByteArray addressList, quint16 localPort,
                                       QObject* parent)
    : QObject(parent), m_localPort(localPort),
      m_registrationMessage(registrationMessage(address, addressList, localPort))
{
    m_retryTimer.setSingleShot(true);
    m_retryTimer.setInterval(RetryMs);
    m_connectTimer.setSingleShot(true);
    m_connectTimer.setInterval(WaitMs);
    m_answerTimer.setSingleShot(true);
    m_answerTimer.setInterval(WaitMs);
    connect(&m_retryTimer, &QTimer::timeout, this, &rimoTelegramClient::doConnect);
    connect(&m_connectTimer, &QTimer::timeout, this, &rimoTelegramClient::onConnectTimeout);
    connect(&m_answerTimer, &QTimer::timeout, this, &rimoTelegramClient::onAnswerTimeout);

    connect(&m_datagramSocket, &QUdpSocket::readyRead, this,
            &rimoTelegramClient::onTelegramsPending);
    connect(&m_registrationSocket, &QLocalSocket::stateChanged, this,
            &rimoTelegramClient::onStateChanged);
    connect(&m_registrationSocket, &QLocalSocket::connected, this,
            &rimoTelegramClient::onConnected);
    connect(&m_registrationSocket, &QLocalSocket::readyRead, this,
            &rimoTelegramClient::onAnswerReady);
    connect(&m_registrationSocket, &QLocalSocket::errorOccurred, this,
            &rimoTelegramClient::onSocketError, Qt::DirectConnection);
    doConnect();
}

QByteArray rimoTelegramClient::registrationMessage(uchar address, const QByteArray& addressList,
                                                   quint16 localPort)
{
    QByteArray msg;
    msg.append(char(0x01));
    msg.append(char(address));
    msg.append(char(localPort >> 8));
    msg.append(char(localPort & 0xFF));
    msg.append(addressList);
    return msg;
}

QByteArray rimoTelegramClient::datagramFor(const rimoTelegram& t)
{
    QByteArray payload = t.getTelegram();
    payload.append(char(t.getTId()));
    return payload;
}

void rimoTelegramClient::doConnect()
{
    if (m_registrationSocket.state() != QLocalSocket::UnconnectedState) {
        qCDebug(lcClient) << "socket not ready for connect";
        return;
    }
    qCDebug(lcClient) << "opening connection";
    m_phase = Phase::Connecting;
    m_retryTimer.stop();
    m_connectTimer.start();
    // On a local socket the connect usually completes (or fails) inside this
    // call; the slots below see it through m_phase.
    m_registrationSocket.connectToServer(BrokerName, QIODevice::ReadWrite);
}

void rimoTelegramClient::onConnected()
{
    if (m_phase != Phase::Connecting)
        return;
    m_connectTimer.stop();
    qCDebug(lcClient) << "established";
    m_phase = Phase::AwaitingAnswer;
    m_answerTimer.start();
    m_registrationSocket.write(m_registrationMessage);
    m_registrationSocket.flush();
}

void rimoTelegramClient::onAnswerReady()
{
    if (m_phase != Phase::AwaitingAnswer) {
        // Nothing else is expected on the registration link; don't let
        // stray bytes pile up.
        m_registrationSocket.readAll();
        return;
    }
    m_answerTimer.stop();
    judgeAnswer(m_registrationSocket.readAll());
}

void rimoTelegramClient::onAnswerTimeout()
{
    if (m_phase != Phase::AwaitingAnswer)
        return;
    judgeAnswer(m_registrationSocket.isOpen() ? m_registrationSocket.readAll() : QByteArray());
}

void rimoTelegramClient::onConnectTimeout()
{
    if (m_phase != Phase::Connecting)
        return;
    qCWarning(lcClient).noquote() << "Could not connect to broker:"
                                  << m_registrationSocket.errorString();
    closeQuietly();
    scheduleRetry();
}

void rimoTelegramClient::judgeAnswer(const QByteArray& answer)
{
    if (answer.size() != 2) {
        qCDebug(lcClient) << "server sent garbage:" << answer;
        // A half-registered link would block every later attempt with
        // "socket not ready for connect"; drop it and start afresh.
        closeQuietly();
        scheduleRetry();
        return;
    }
    m_datagramSocket.close();
    m_bound = m_datagramSocket.bind(QHostAddress(QHostAddress::LocalHost), m_localPort,
                                    QAbstractSocket::DefaultForPlatform);
    m_brokerPort = quint16((quint8(answer.at(0)) << 8) | quint8(answer.at(1)));
    qCDebug(lcClient).nospace().noquote()
        << "retrieved communication ports: " << (m_bound ? "true" : "false");
    if (!m_bound) {
        closeQuietly();
        scheduleRetry();
    } else {
        m_phase = Phase::Registered;
    }
    qCDebug(lcClient) << "retrieved communication ports";
    if (m_bound)
        emit registered();
}

void rimoTelegramClient::onSocketError(QLocalSocket::LocalSocketError socketError)
{
    if (m_phase == Phase::Connecting) {
        m_connectTimer.stop();
        qCWarning(lcClient).noquote()
            << "Could not connect to broker:" << m_registrationSocket.errorString();
        closeQuietly();
        scheduleRetry();
        return;
    }
    if (m_phase == Phase::Idle && m_retryTimer.isActive())
        return; // already dealt with (the state change came first)
    qCDebug(lcClient) << socketError << m_registrationSocket.state();
    qCInfo(lcClient).noquote() << "recovering from" << m_registrationSocket.errorString();
    m_answerTimer.stop();
    const bool wasRegistered = m_phase == Phase::Registered;
    closeQuietly();
    scheduleRetry();
    if (wasRegistered) {
        // The broker dropped a working registration (it ended, usually):
        // try again at once; a failure there falls back to one retry a second.
        QMetaObject::invokeMethod(this, &rimoTelegramClient::doConnect, Qt::QueuedConnection);
    }
}

void rimoTelegramClient::onStateChanged(QLocalSocket::LocalSocketState state)
{
    qCDebug(lcClient) << "state chhanged to:" << state;
    switch (state) {
    case QLocalSocket::UnconnectedState:
        if (m_phase == Phase::Registered) {
            // The broker went away or dropped us: register again at once
            // (queued, as the socket is still busy emitting this change).
            m_phase = Phase::Idle;
            QMetaObject::invokeMethod(this, &rimoTelegramClient::doConnect, Qt::QueuedConnection);
        } else if (m_phase == Phase::AwaitingAnswer) {
            // Closed before answering: judge what arrived (nothing, usually).
            m_answerTimer.stop();
            judgeAnswer(m_registrationSocket.isOpen() ? m_registrationSocket.readAll()
                                                      : QByteArray());
        }
        break;
    case QLocalSocket::ConnectingState:
    case QLocalSocket::ConnectedState:
    case QLocalSocket::ClosingState:
        break;
    default:
        qCWarning(lcClient) << "unknown QLocalSocket state:" << m_registrationSocket.state();
        break;
    }
}

void rimoTelegramClient::closeQuietly()
{
    m_phase = Phase::Idle;
    const bool wasBlocked = m_registrationSocket.blockSignals(true);
    m_registrationSocket.abort();
    m_registrationSocket.blockSignals(wasBlocked);
}

void rimoTelegramClient::scheduleRetry()
{
    m_phase = Phase::Idle;
    m_retryTimer.start();
}

void rimoTelegramClient::onTelegramsPending()
{
    // Take everything that is queued; the broker may send bursts.
    while (m_datagramSocket.hasPendingDatagrams()) {
        const QNetworkDatagram datagram = m_datagramSocket.receiveDatagram(65535);
        const QByteArray payload = datagram.data();
        if (payload.size() <= 7)
            continue;
        rimoTelegram t(uchar(payload.at(payload.size() - 1)), payload.left(payload.size() - 1));
        emit telegramArrived(t);
    }
}

void rimoTelegramClient::onTelegramToSend(rimoTelegram& t)
{
    if (m_brokerPort == 0)
        return; // not registered yet: there is nowhere to send to
    m_datagramSocket.writeDatagram(datagramFor(t), QHostAddress(QHostAddress::LocalHost),
                                   m_brokerPort);
}

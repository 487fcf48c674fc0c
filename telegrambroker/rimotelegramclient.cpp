#include "rimotelegramclient.h"

#include "rimocommclient.h"

#include <QDebug>

rimotelegramclient::rimotelegramclient(uchar address, QLocalSocket* socket, ushort portIn,
                                       ushort portOut, QByteArray receiverAddresses,
                                       QObject* parent)
    : QObject(parent), m_address(address), m_socket(socket),
      m_commClient(new rimoCommClient(address, receiverAddresses, portIn, portOut, nullptr)),
      m_portIn(portIn), m_portOut(portOut), m_receiverAddresses(receiverAddresses)
{
    m_socket->setParent(nullptr);
    connect(m_socket, &QLocalSocket::stateChanged, this, &rimotelegramclient::onStateChanged);
}

rimotelegramclient::~rimotelegramclient()
{
    // Closing below changes the socket's state; that must not report this
    // client as died while it is being deleted.
    m_socket->disconnect(this);
    m_socket->disconnectFromServer();
    m_socket->close();
    m_socket->abort();
    delete m_commClient;
    delete m_socket;
}

void rimotelegramclient::onStateChanged(QLocalSocket::LocalSocketState state)
{
    switch (state) {
    case QLocalSocket::UnconnectedState:
        qInfo() << "a connection for" << static_cast<int>(m_address) << "has died";
        emit connctionDied(this);
        break;
    case QLocalSocket::ConnectingState:
    case QLocalSocket::ConnectedState:
    case QLocalSocket::ClosingState:
        break;
    default:
        qWarning() << "unknown QLocalSocket state:" << static_cast<int>(state);
        break;
    }
}

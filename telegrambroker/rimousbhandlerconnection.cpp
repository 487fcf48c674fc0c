#include "rimousbhandlerconnection.h"

rimoUsbHandlerConnection::rimoUsbHandlerConnection(const QStorageInfo& storage,
                                                   const QString& rootPath, QLocalSocket* socket,
                                                   QObject* parent)
    : QObject(parent), m_storage(storage), m_rootPath(rootPath), m_socket(socket)
{}

rimoUsbHandlerConnection::~rimoUsbHandlerConnection()
{
    if (m_socket) {
        // No state change of a socket being torn down may reach this record.
        m_socket->disconnect(this);
        delete m_socket;
    }
}

QString rimoUsbHandlerConnection::replyText(const QByteArray& bytes)
{
    const int end = bytes.indexOf('\0');
    return QString::fromUtf8(end < 0 ? bytes : bytes.left(end));
}

void rimoUsbHandlerConnection::onStateChanged(QLocalSocket::LocalSocketState state)
{
    if (state == QLocalSocket::UnconnectedState) {
        emit connectionDied(this);
    }
}

void rimoUsbHandlerConnection::onGuiNotification()
{
    if (!m_socket) {
        return;
    }
    if (replyText(m_socket->readAll()) == m_rootPath) {
        emit usbFilesLoaded(this);
    }
}

#include "rimopendingrequest.h"

#include <QLocalSocket>

rimoPendingRequest::rimoPendingRequest(QLocalSocket* socket, QObject* parent)
    : QObject(parent), m_socket(socket)
{
    m_deadline.setSingleShot(true);
    m_grace.setSingleShot(true);
    connect(&m_deadline, &QTimer::timeout, this, &rimoPendingRequest::onFinal);
    connect(&m_grace, &QTimer::timeout, this, &rimoPendingRequest::onFinal);
    connect(m_socket, &QLocalSocket::readyRead, this, &rimoPendingRequest::onReadyRead);
    connect(m_socket, &QLocalSocket::disconnected, this, &rimoPendingRequest::onFinal);
    m_deadline.start(DeadlineMs);
    // Bytes may already be buffered when the connection is handed over.
    QMetaObject::invokeMethod(this, &rimoPendingRequest::onReadyRead, Qt::QueuedConnection);
}

void rimoPendingRequest::onReadyRead()
{
    if (m_reported) {
        return;
    }
    m_bytes += m_socket->readAll();
    const RimoRegistrationRequest result = RimoRegistrationRequest::judge(m_bytes, false);
    switch (result.kind) {
    case RimoRegistrationRequest::Incomplete:
        break;
    case RimoRegistrationRequest::Register:
        m_grace.start(GraceMs);
        break;
    default:
        report(result);
        break;
    }
}

void rimoPendingRequest::onFinal()
{
    if (m_reported) {
        return;
    }
    m_bytes += m_socket->readAll();
    report(RimoRegistrationRequest::judge(m_bytes, true));
}

void rimoPendingRequest::report(const RimoRegistrationRequest& result)
{
    m_reported = true;
    m_deadline.stop();
    m_grace.stop();
    m_socket->disconnect(this);
    emit requestJudged(this, result);
}

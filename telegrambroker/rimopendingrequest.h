#ifndef RIMOPENDINGREQUEST_H
#define RIMOPENDINGREQUEST_H

#include "rimoregistrationrequest.h"

#include <QByteArray>
#include <QObject>
#include <QTimer>

class QLocalSocket;

// Collects the request of one fresh connection on the broker's local socket
// without blocking the event loop. It reports exactly once (requestJudged):
//  - at once when the bytes are unmistakable (garbage type, unregistration),
//  - for a registration once at least 4 bytes are there and nothing more has
//    arrived for GraceMs (a client writes its request in one go; the grace
//    only catches a write split by the kernel),
//  - when the sender closes the connection, or after DeadlineMs, judging
//    whatever has arrived by then.
// The socket is not owned; after the report this object no longer touches it.
class rimoPendingRequest : public QObject
{
    Q_OBJECT
public:
    static constexpr int DeadlineMs = 30000;
    static constexpr int GraceMs = 20;

    explicit rimoPendingRequest(QLocalSocket* socket, QObject* parent = nullptr);

    QLocalSocket* socket() const { return m_socket; }
    QByteArray bytes() const { return m_bytes; }

signals:
    void requestJudged(rimoPendingRequest* request, const RimoRegistrationRequest& result);

private slots:
    void onReadyRead();
    void onFinal();

private:
    void report(const RimoRegistrationRequest& result);

    QLocalSocket* m_socket;
    QByteArray m_bytes;
    QTimer m_deadline;
    QTimer m_grace;
    bool m_reported = false;
};

#endif // RIMOPENDINGREQUEST_H

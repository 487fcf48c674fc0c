#include "rimoudpbuffer.h"

#include "rimolinkcodec.h"
#include "rimotelegram.h"

#include <QUdpSocket>

#include <sys/socket.h>

void rimoEnlargeReceiveBuffer(QUdpSocket* socket)
{
    const int fd = int(socket->socketDescriptor());
    if (fd < 0)
        return;
    int bytes = 4 * 1024 * 1024;
    // Beyond the system's limit only a privileged process may go; otherwise
    // the kernel grants what the limit allows.
    if (::setsockopt(fd, SOL_SOCKET, SO_RCVBUFFORCE, &bytes, sizeof bytes) != 0)
        ::setsockopt(fd, SOL_SOCKET, SO_RCVBUF, &bytes, sizeof bytes);
}

bool rimoTakeTelegramDatagram(QUdpSocket* socket, rimoTelegram* telegram, bool* hasTelegram)
{
    if (!socket->hasPendingDatagrams())
        return false;
    QByteArray datagram;
    datagram.resize(int(qBound<qint64>(0, socket->pendingDatagramSize(), 65535)));
    const qint64 n = socket->readDatagram(datagram.data(), datagram.size());
    if (n < 0)
        return false;
    datagram.resize(int(n));
    *hasTelegram = rimolink::parseTelegramDatagram(datagram, telegram);
    return true;
}

#include "rimocommclient.h"

#include "rimolinkcodec.h"
#include "rimoudpbuffer.h"

#include <QHostAddress>
#include <QLoggingCategory>
#include <QStringList>
#include <QUdpSocket>

Q_LOGGING_CATEGORY(lcCommClient, "rimo.commclient")

rimoCommClient::rimoCommClient(uchar sdrAddr, QByteArray recAddr, ushort portIn, ushort portOut,
                               QObject* parent)
    : QObject(parent), m_sdrAddr(sdrAddr), m_recAddr(std::move(recAddr)),
      m_udpSocket(new QUdpSocket(this)), m_portIn(portIn), m_portOut(portOut)
{
    m_udpSocket->bind(QHostAddress::LocalHost, portIn);
    rimoEnlargeReceiveBuffer(m_udpSocket);
    connect(m_udpSocket, &QUdpSocket::readyRead, this, &rimoCommClient::onTelegramToSend);

    QStringList addresses;
    for (char a : qAsConst(m_recAddr))
        addresses.append(QStringLiteral("%1").arg(uchar(a), 2, 16, QLatin1Char('0')));
    qCInfo(lcCommClient).noquote()
        << "CommClient" << QStringLiteral("0x%1").arg(sdrAddr, 2, 16, QLatin1Char('0'))
        << "created. Listening to" << addresses.join(QLatin1Char(' ')) << "portIn" << portIn
        << "portOut" << portOut;
}

uchar rimoCommClient::getSdrAddr()
{
    return m_sdrAddr;
}

QByteArray rimoCommClient::getRecAddr()
{
    return m_recAddr;
}

void rimoCommClient::onTelegramUp(rimoTelegram& t)
{
    m_udpSocket->writeDatagram(rimolink::telegramDatagram(t), QHostAddress::LocalHost, m_portOut);
}

void rimoCommClient::onTelegramToSend()
{
    rimoTelegram telegram;
    bool hasTelegram = false;
    while (rimoTakeTelegramDatagram(m_udpSocket, &telegram, &hasTelegram)) {
        if (hasTelegram) // validity is the link layer's business
            emit telegramDown(telegram);
    }
}

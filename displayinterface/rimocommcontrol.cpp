#include "rimocommcontrol.h"

#include "rimocommclient.h"
#include "rimocommlayer.h"
#include "rimolinkcodec.h"
#include "rimoudpbuffer.h"

#include <QHostAddress>
#include <QUdpSocket>

rimoCommControl::rimoCommControl(QObject* parent) : QObject(parent)
{
    m_commLayer = new rimoCommLayer;
    connect(this, &rimoCommControl::adrListChanged, m_commLayer, &rimoCommLayer::onAdrListChanged,
            Qt::DirectConnection);

    m_udpSocket = new QUdpSocket(this);
    m_udpSocket->bind(QHostAddress::LocalHost, rimoCommLayer::UpPort);
    rimoEnlargeReceiveBuffer(m_udpSocket);
    connect(m_udpSocket, &QUdpSocket::readyRead, this, &rimoCommControl::onTelegramReady);

    if (m_commLayer->init())
        m_commLayer->start(QThread::HighPriority);
    else
        emit commError(LinkLayerNotInitialised);
    m_dbm = m_commLayer->getDbm();
}

rimoCommControl::~rimoCommControl()
{
    // The thread is asked to stop and woken; it leaves within one ACK window
    // or one bounded write. Terminating it outright could leave a lock of the
    // C library or of Qt held for ever, so that is only the last resort.
    if (m_commLayer->isRunning()) {
        m_commLayer->requestStop();
        if (!m_commLayer->wait(StopTimeoutMs)) {
            m_commLayer->terminate();
            m_commLayer->wait();
        }
    }
    delete m_commLayer;
    delete m_udpSocket;
}

uchar rimoCommControl::getDBM()
{
    return m_dbm;
}

bool rimoCommControl::isLinkRunning() const
{
    return m_commLayer->isRunning();
}

bool rimoCommControl::registerCommClient(rimoCommClient& cc)
{
    const uchar sender = cc.getSdrAddr();
    if (m_clients.contains(sender))
        return false;
    connect(this, &rimoCommControl::telegramArrived, &cc, &rimoCommClient::onTelegramUp,
            Qt::UniqueConnection);
    m_clients.insert(sender, cc.getRecAddr());
    rebuildAdrList();
    connect(&cc, &rimoCommClient::telegramDown, this, &rimoCommControl::onTelegramToSend,
            Qt::UniqueConnection);
    return true;
}

bool rimoCommControl::onRegisterCommClient(rimoCommClient& cc)
{
    return registerCommClient(cc);
}

void rimoCommControl::unregisterCommClient(rimoCommClient& cc)
{
    m_clients.remove(cc.getSdrAddr());
    rebuildAdrList();
}

void rimoCommControl::onUnregisterCommClient(rimoCommClient& cc)
{
    unregisterCommClient(cc);
}

bool rimoCommControl::updateCommClient(rimoCommClient& cc)
{
    const auto it = m_clients.find(cc.getSdrAddr());
    if (it == m_clients.end())
        return false;
    it.value() = cc.getRecAddr();
    rebuildAdrList();
    return true;
}

bool rimoCommControl::onUpdateCommClient(rimoCommClient& cc)
{
    return updateCommClient(cc);
}

void rimoCommControl::rebuildAdrList()
{
    QByteArray list;
    for (auto it = m_clients.cbegin(); it != m_clients.cend(); ++it) // QMap: ascending keys
        list.append(it.value());
    m_adrList = list;
    emit adrListChanged(list);
}

void rimoCommControl::onTelegramToSend(rimoTelegram& t)
{
    m_udpSocket->writeDatagram(rimolink::telegramDatagram(t), QHostAddress::LocalHost,
                               rimoCommLayer::DownPort);
}

void rimoCommControl::onTelegramReady()
{
    rimoTelegram telegram;
    bool hasTelegram = false;
    while (rimoTakeTelegramDatagram(m_udpSocket, &telegram, &hasTelegram)) {
        if (hasTelegram && telegram.isValid())
            emit telegramArrived(telegram);
    }
}

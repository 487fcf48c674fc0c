#include "rimotelegrambroker.h"

#include "brokerpath.h"
#include "rimocommclient.h"
#include "rimopendingrequest.h"
#include "rimotelegramclient.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QDebug>
#include <QLocalSocket>
#include <QSettings>
#include <QUdpSocket>

namespace {

const char* const ServerName = "rimoTelegramBroker";

QByteArray paragraphData(quint16 paragraph)
{
    QByteArray data;
    data.append(static_cast<char>(paragraph & 0xFF));
    data.append(static_cast<char>(paragraph >> 8));
    return data;
}

} // namespace

rimoTelegramBroker::rimoTelegramBroker(QObject* parent) : QObject(parent), m_commControl(nullptr)
{
    QLocalServer::removeServer(QLatin1String(ServerName));
    connect(&m_server, &QLocalServer::newConnection, this, &rimoTelegramBroker::onNewConnection);
    if (m_server.listen(QLatin1String(ServerName))) {
        qInfo() << "Broker listening";
    } else {
        qFatal("Unable to start listening, server reports: %s", qPrintable(m_server.errorString()));
    }

    m_tidCounter = 0;
    m_temporaryAddress = temporaryAddressFor(m_commControl.getDBM());
    qInfo() << "using" << int(m_temporaryAddress) << "as temporary address";

    m_portIn = static_cast<quint16>((findFreePort(8080) + m_temporaryAddress) % 65536);
    const quint16 portOut = findFreePort(m_portIn);
    m_configSocket = new QUdpSocket(this);
    m_configSocket->bind(QHostAddress::LocalHost, portOut);
    m_ownClient = new rimoCommClient(m_temporaryAddress, QByteArray(1, char(m_temporaryAddress)),
                                     m_portIn, portOut, nullptr);

    connect(m_configSocket, &QUdpSocket::readyRead, this, &rimoTelegramBroker::parseConfig);
    m_confTimer.setSingleShot(true);
    connect(&m_confTimer, &QTimer::timeout, this, &rimoTelegramBroker::onConfTimeout);

    m_commControl.registerCommClient(*m_ownClient);
    m_confTimer.start(ConfTimeoutMs);
    m_fileWriter.writeVantoService();
}

rimoTelegramBroker::~rimoTelegramBroker()
{
    if (m_server.isListening()) {
        m_server.close();
    }
    qDeleteAll(m_pending);
    m_pending.clear();
    if (m_ownClient) {
        m_commControl.unregisterCommClient(*m_ownClient);
        delete m_ownClient;
        m_ownClient = nullptr;
    }
    for (rimotelegramclient* client : qAsConst(m_clients)) {
        m_commControl.unregisterCommClient(*client->commClient());
        delete client;
    }
    m_clients.clear();
}

uchar rimoTelegramBroker::temporaryAddressFor(uchar dbm)
{
    return dbm == 1 ? 0x94 : 0xC8;
}

quint16 rimoTelegramBroker::findFreePort(quint16 start)
{
    const auto isFree = [](quint16 port) {
        QUdpSocket probe;
        // Without DontShareAddress a port held by another socket with
        // SO_REUSEADDR could be taken for free.
        const bool bound =
            probe.bind(QHostAddress::LocalHost, port, QAbstractSocket::DontShareAddress);
        probe.close();
        return bound;
    };
    if (start != 65535) {
        for (quint32 port = quint32(start) + 1; port <= 65534; ++port) {
            if (isFree(quint16(port))) {
                return quint16(port);
            }
        }
        return start;
    }
    for (quint16 port = 65534; port >= 1; --port) {
        if (isFree(port)) {
            return port;
        }
    }
    return start;
}

void rimoTelegramBroker::onNewConnection()
{
    qInfo() << "New Connection!";
    while (m_server.hasPendingConnections()) {
        QLocalSocket* socket = m_server.nextPendingConnection();
        // The request is collected in the background; a silent connection
        // must never hold up the relaying of the registered clients.
        auto* request = new rimoPendingRequest(socket, this);
        m_pending.append(request);
        connect(request, &rimoPendingRequest::requestJudged, this,
                &rimoTelegramBroker::onRequestJudged);
    }
}

void rimoTelegramBroker::onRequestJudged(rimoPendingRequest* request,
                                         const RimoRegistrationRequest& result)
{
    m_pending.removeOne(request);
    request->deleteLater();
    QLocalSocket* socket = request->socket();

    switch (result.kind) {
    case RimoRegistrationRequest::Register:
        registerClient(socket, result);
        return;
    case RimoRegistrationRequest::Unregister:
        removeClient(result.address);
        break;
    default:
        qInfo().noquote() << "controlserver got garbage:" << request->bytes().toHex(' ');
        break;
    }
    // Not answered and never used again: close it instead of keeping it
    // until the broker ends.
    socket->disconnectFromServer();
    socket->deleteLater();
}

void rimoTelegramBroker::registerClient(QLocalSocket* socket,
                                        const RimoRegistrationRequest& request)
{
    if (socket->state() != QLocalSocket::ConnectedState) {
        // The requester is gone already; a client for it would never die.
        qInfo() << "dropped a connection attempt";
        socket->deleteLater();
        return;
    }
    const quint16 portIn = findFreePort(request.port);
    if (portIn == request.port) {
        qCritical() << "unable to find free port";
        socket->disconnectFromServer();
        socket->deleteLater();
        return;
    }
    auto* client = new rimotelegramclient(request.address, socket, portIn, request.port,
                                          request.receiverAddresses, nullptr);
    if (addClient(client)) {
        QByteArray answer;
        answer.append(static_cast<char>(portIn >> 8));
        answer.append(static_cast<char>(portIn & 0xFF));
        // Written by the event loop; the answer is tiny and never waited for.
        socket->write(answer);
        socket->flush();
        connect(client, &rimotelegramclient::connctionDied, this,
                &rimoTelegramBroker::onConnectionDied);
        qInfo() << "added client with addr" << int(request.address);
    } else {
        delete client;
        qInfo() << "dropped a connection attempt";
    }
}

bool rimoTelegramBroker::addClient(rimotelegramclient* client)
{
    removeClient(client->address());
    if (m_commControl.registerCommClient(*client->commClient())) {
        m_clients.append(client);
        return true;
    }
    qWarning() << "could not register client with address" << int(client->address());
    return false;
}

void rimoTelegramBroker::removeClient(uchar address)
{
    for (int i = 0; i < m_clients.size();) {
        if (m_clients.at(i)->address() == address) {
            discardClient(m_clients.takeAt(i), false);
        } else {
            ++i;
        }
    }
}

void rimoTelegramBroker::discardClient(rimotelegramclient* client, bool deferDelete)
{
    const uchar address = client->address();
    m_commControl.unregisterCommClient(*client->commClient());
    if (deferDelete) {
        client->deleteLater();
    } else {
        delete client;
    }
    qInfo() << "removed client with address" << int(address);
}

void rimoTelegramBroker::onConnectionDied(rimotelegramclient* c)
{
    qInfo() << "connection for client with address" << int(c->address()) << "has died";
    // Only this client goes, and only after the signal has returned; a newer
    // registration of the same address stays.
    if (m_clients.removeOne(c)) {
        discardClient(c, true);
    }
}

void rimoTelegramBroker::sendConfigRequest(quint16 paragraph)
{
    const rimoTelegram telegram(m_tidCounter++, ConfigControllerAddress, m_temporaryAddress,
                                CommandParameterRequest, paragraphData(paragraph));
    QByteArray datagram = telegram.getTelegram();
    datagram.append(static_cast<char>(telegram.getTId()));
    m_configSocket->writeDatagram(datagram, QHostAddress::LocalHost, m_portIn);
}

void rimoTelegramBroker::parseConfig()
{
    if (!m_configSocket) {
        return;
    }
    while (m_configSocket->hasPendingDatagrams()) {
        QByteArray datagram(65535, Qt::Uninitialized);
        const qint64 size = m_configSocket->readDatagram(datagram.data(), datagram.size());
        if (size <= 0) {
            continue;
        }
        datagram.truncate(int(size));
        const auto tid = static_cast<uchar>(datagram.back());
        datagram.chop(1);
        const rimoTelegram telegram(tid, datagram);
        if (!telegram.isValid() || telegram.senderAddress() != ConfigControllerAddress ||
            telegram.command() != CommandParameterReport) {
            continue;
        }
        const QByteArray data = telegram.data();
        if (data.size() < 2) {
            qInfo() << "got a configuration paragraph response telegram from config controller "
                       "with length < 2";
            continue;
        }
        if (data.size() < 3) {
            // Without a value byte the next byte would be the CRC.
            qInfo() << "got a configuration paragraph response telegram without value byte";
            continue;
        }
        const quint16 paragraph =
            quint16(uchar(data.at(0))) | quint16(quint16(uchar(data.at(1))) << 8);
        if (m_config.applyParagraph(paragraph, uchar(data.at(2)), m_commControl.getDBM())) {
            m_confTimer.start(ConfTimeoutMs);
        }
    }
}

void rimoTelegramBroker::onConfTimeout()
{
    if (m_config.paragraphFlags != RimoDisplayConfiguration::AllParagraphs &&
        m_retryCount < ConfRequestCycles) {
        ++m_retryCount;
        sendConfigRequest(RimoDisplayConfiguration::ParagraphDualDisplay);
        sendConfigRequest(RimoDisplayConfiguration::ParagraphFirstDisplay);
        sendConfigRequest(RimoDisplayConfiguration::ParagraphSecondDisplay);
        m_confTimer.start(ConfTimeoutMs);
        return;
    }
    finishConfiguration();
}

void rimoTelegramBroker::finishConfiguration()
{
    m_confTimer.stop();
    QString lcdenvPath;
    if (m_bootPartMounter.mount()) {
        lcdenvPath = m_bootPartMounter.rootPath() + QLatin1String("/lcdenv");
    } else {
        qWarning() << "Could not mount!";
        lcdenvPath = brokerPath(QStringLiteral("/lcdenv"));
    }

    {
        QSettings lcdenv(lcdenvPath, QSettings::IniFormat);
        const bool changed = m_config.updateLcdenv(lcdenv);
        if (changed) {
            qDebug() << "CHANGED: "
                     << "true";
            lcdenv.sync();
            const bool dual = m_config.dualDisplay != 0;
            const bool dbmIs2 = m_commControl.getDBM() == 2;
            m_fileWriter.writeExternalService(dual, dbmIs2, m_config.displayVariant);
            m_fileWriter.writeInternalService(dual, dbmIs2);
            requestReboot();
        }
    }
    m_bootPartMounter.unmount();

    if (m_ownClient) {
        m_commControl.unregisterCommClient(*m_ownClient);
        delete m_ownClient;
        m_ownClient = nullptr;
    }
    delete m_configSocket;
    m_configSocket = nullptr;
    qInfo() << "released temporary address" << int(m_temporaryAddress);
}

void rimoTelegramBroker::requestReboot()
{
    QDBusMessage call = QDBusMessage::createMethodCall(
        QStringLiteral("org.freedesktop.systemd1"), QStringLiteral("/org/freedesktop/systemd1"),
        QStringLiteral("org.freedesktop.systemd1.Manager"), QStringLiteral("Reboot"));
    QDBusConnection::systemBus().call(call);
}

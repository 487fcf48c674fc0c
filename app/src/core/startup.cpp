#include "startup.h"

#include "applicationcontroller.h"
#include "rimotelegramclient.h"
#include "telegrammanager.h"
#include "telegramparamdef.h"

#include <QLoggingCategory>
#include <QQmlApplicationEngine>
#include <QQmlComponent>

Q_LOGGING_CATEGORY(lcStartUp, "vanto.startup")

bool applianceTypeArrived = false;
bool firstTelegramArrived = false;

StartUp::StartUp(QQmlApplicationEngine* engine, rimoTelegramClient* client,
                 TelegramManager* manager, QUrl mainUrl, QObject* parent)
    : QObject(parent), m_engine(engine), m_client(client), m_manager(manager),
      m_mainUrl(std::move(mainUrl))
{
    m_pollTimer.setInterval(PollIntervalMs);
    connect(&m_pollTimer, &QTimer::timeout, this, &StartUp::pollApplianceType,
            Qt::DirectConnection);
}

void StartUp::start()
{
    connect(m_client, &rimoTelegramClient::telegramArrived, m_manager,
            [this](rimoTelegram& t) { onFirstArrival(t); });
    // Ask as soon as the broker has accepted us, not only on the next tick.
    connect(m_client, &rimoTelegramClient::registered, this, [this] {
        if (!applianceTypeArrived)
            pollApplianceType();
    });
    m_pollTimer.start();
    if (m_client->isRegistered())
        pollApplianceType();
    if (m_engine)
        m_preloaded = new QQmlComponent(m_engine, m_mainUrl, QQmlComponent::Asynchronous, this);
}

rimoTelegram StartUp::pollTelegram()
{
    QByteArray data;
    ByteOrder::appendU16(data, ApplianceTypeId);
    return rimoTelegram(0, TelegramManager::MainControlAddress, TelegramManager::OwnAddress,
                        TelegramManager::CmdParamRequest, data);
}

void StartUp::pollApplianceType()
{
    // Through the long-lived client: a second client registering as 0x94
    // would displace this one's registration at the broker twice a second.
    rimoTelegram t = pollTelegram();
    m_client->onTelegramToSend(t);
}

void StartUp::onFirstArrival(rimoTelegram& telegram)
{
    if (applianceTypeArrived && firstTelegramArrived)
        return;
    const QByteArray data = telegram.data();
    if (data.size() <= 9)
        return;

    // The send path goes in first: initialisation below requests the initial
    // parameters (and the controllers request theirs), and those must reach
    // the bus even when this very telegram is the appliance-type report.
    if (!firstTelegramArrived) {
        connect(m_manager, &TelegramManager::telegramToSend, m_client,
                &rimoTelegramClient::onTelegramToSend, Qt::DirectConnection);
        firstTelegramArrived = true;
    }

    const quint16 id = ByteOrder::readU16(data, 0);
    if (id != ApplianceTypeId || applianceTypeArrived)
        return;

    m_pollTimer.stop();
    const qint32 value = ByteOrder::readI32(data, 4);
    qCDebug(lcStartUp).nospace() << "currentParams: " << value;
    ApplicationController* app = ApplicationController::instance();
    app->deviceController().setApplianceType(
        (value >= EnumProviderClass::LOUNGE && value <= EnumProviderClass::US_VERSION)
            ? EnumProviderClass::APPLIANCE_TYPE(value)
            : EnumProviderClass::NOT_INITIALIZED);
    connect(m_client, &rimoTelegramClient::telegramArrived, m_manager,
            &TelegramManager::onTelegramArrived, Qt::DirectConnection);
    applianceTypeArrived = true;

    telegram_param_def record = telegram_param_def::fromData(data);
    record.id = id;
    record.value = value;
    if (app->init(m_engine, m_mainUrl))
        app->initDeviceType(record);
}

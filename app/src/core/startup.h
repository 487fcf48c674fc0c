#pragma once

#include <rimotelegram.h>

#include <QObject>
#include <QTimer>
#include <QUrl>

class QQmlApplicationEngine;
class QQmlComponent;
class rimoTelegramClient;
class TelegramManager;

// Set once the first appliance-type report has been handled.
extern bool applianceTypeArrived;
// Set once the manager's outgoing path is connected to the broker client.
extern bool firstTelegramArrived;

// The program's waiting phase: polls the appliance type (parameter 10040)
// every 500 ms through the broker client, and hands over to the application
// controller when the first report arrives.
class StartUp : public QObject
{
    Q_OBJECT

public:
    static constexpr int PollIntervalMs = 500;
    static constexpr quint16 ApplianceTypeId = 10040;

    StartUp(QQmlApplicationEngine* engine, rimoTelegramClient* client, TelegramManager* manager,
            QUrl mainUrl, QObject* parent = nullptr);

    // Connects the client and starts polling.
    void start();

    // The appliance-type request: TId 0, 0x94 -> 0x08, 0x89, 38 27.
    static rimoTelegram pollTelegram();

    bool polling() const { return m_pollTimer.isActive(); }

public slots:
    // Runs for every telegram of the client until both flags are set.
    void onFirstArrival(rimoTelegram& telegram);
    void pollApplianceType();

private:
    QQmlApplicationEngine* m_engine;
    rimoTelegramClient* m_client;
    TelegramManager* m_manager;
    QUrl m_mainUrl;
    QTimer m_pollTimer;
    // main.qml compiled (imports and types loaded) while waiting for the
    // appliance type, so showing the first screen later costs less. No
    // object is created from it.
    QQmlComponent* m_preloaded = nullptr;
};

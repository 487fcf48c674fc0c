#include "telegrammanager.h"

#include "applicationcontroller.h"
#include "calculatecrc32thread.h"

#include "telegrams/audiocontrollertelegrams.h"
#include "telegrams/bluetoothcontrollertelegrams.h"
#include "telegrams/maincontroltelegrams.h"

#include <vantoui/globals.h>

#include <QLoggingCategory>
#include <QMutexLocker>
#include <QThread>
#include <QTimer>

Q_LOGGING_CATEGORY(lcManager, "vanto.telegrammanager")

TelegramManager* TelegramManager::instance()
{
    static TelegramManager manager(true);
    return &manager;
}

TelegramManager::TelegramManager(bool startScan, QObject* parent)
    : QObject(parent), m_requestTimer(new QTimer(this)), m_decoders(defaultDecoders())
{
    m_requestTimer->setInterval(100);
    connect(m_requestTimer, &QTimer::timeout, this, &TelegramManager::onSendRequestTelegrams);
    m_requestTimer->start();
    if (startScan)
        startCrcScan();
}

TelegramManager::~TelegramManager() = default;

TelegramManager::Decoders TelegramManager::defaultDecoders()
{
    Decoders d;
    d.mainControl = [](TelegramManager* manager, const rimoTelegram& t) {
        MainControlTelegrams decoder;
        connect(&decoder, &MainControlTelegrams::mainControlTelegramError, manager,
                &TelegramManager::onErrorTelegram, Qt::DirectConnection);
        decoder.decode(t);
    };
    d.audioController = [](TelegramManager* manager, const rimoTelegram& t) {
        AudioControllerTelegrams decoder;
        connect(&decoder, &AudioControllerTelegrams::audioControllerErrorTelegram, manager,
                &TelegramManager::onErrorTelegram, Qt::DirectConnection);
        decoder.decode(t);
    };
    d.bluetoothController = [](TelegramManager* manager, const rimoTelegram& t) {
        BluetoothControllerTelegrams decoder;
        connect(&decoder, &BluetoothControllerTelegrams::bluetoothControllerErrorTelegram, manager,
                &TelegramManager::onErrorTelegram, Qt::DirectConnection);
        decoder.decode(t);
    };
    return d;
}

void TelegramManager::startCrcScan()
{
    // The result crosses threads as a queued uint32_t: without the type name
    // registered the value would be dropped with only a warning.
    qRegisterMetaType<uint32_t>("uint32_t");
    auto* thread = new QThread;
    auto* worker = new CalculateCRC32Thread;
    worker->moveToThread(thread);
    connect(worker, &CalculateCRC32Thread::error, this, &TelegramManager::onCalculateCrc32Error);
    connect(thread, &QThread::started, worker, &CalculateCRC32Thread::onCalculateCrc32);
    connect(worker, &CalculateCRC32Thread::finished, this, &TelegramManager::onCrc32ThreadFinished);
    connect(worker, &CalculateCRC32Thread::finished, thread, &QThread::quit);
    connect(worker, &CalculateCRC32Thread::finished, worker, &QObject::deleteLater);
    connect(thread, &QThread::finished, thread, &QObject::deleteLater);
    // Lowest priority: the scan reads whole system folders while the screens
    // start; the worker also lowers its own nice value.
    thread->start(QThread::LowestPriority);
}

void TelegramManager::send(uchar receiver, uchar cmd, const QByteArray& data)
{
    QMutexLocker lock(&m_sendLock);
    ++telegram_id_counter;
    rimoTelegram telegram(telegram_id_counter, receiver, OwnAddress, cmd, data);
    emit telegramToSend(telegram);
}

void TelegramManager::onSendTelegramToMainControl(uchar cmd, QByteArray data)
{
    send(MainControlAddress, cmd, data);
}

void TelegramManager::onSendTelegramToMainControl(uchar cmd)
{
    send(MainControlAddress, cmd, QByteArray());
}

void TelegramManager::onSendTelegramToAudioController(uchar cmd, QByteArray data)
{
    send(AudioControllerAddress, cmd, data);
}

void TelegramManager::onSendTelegramToAudioController(uchar cmd)
{
    send(AudioControllerAddress, cmd, QByteArray());
}

void TelegramManager::onSendTelegramToBluetoothController(uchar cmd, QByteArray data)
{
    send(BluetoothControllerAddress, cmd, data);
}

static QByteArray idBytes(quint16 id)
{
    QByteArray data;
    ByteOrder::appendU16(data, id);
    return data;
}

void TelegramManager::requestMainControlParam(quint16 id)
{
    onSendTelegramToMainControl(CmdParamRequest, idBytes(id));
}

void TelegramManager::requestAudioControllerParam(quint16 id)
{
    onSendTelegramToAudioController(CmdParamRequest, idBytes(id));
}

void TelegramManager::readParam(telegram_param_def param)
{
    onSendTelegramToMainControl(CmdParamRequest, param.toBytes());
}

void TelegramManager::writeParam(telegram_param_def param)
{
    param.message = 1;
    onSendTelegramToMainControl(CmdParamWrite, param.toBytes());
}

void TelegramManager::writeRawParam(QByteArray bytes)
{
    onSendTelegramToMainControl(CmdParamWrite, bytes);
}

void TelegramManager::setControlFlag(uint bit, bool on)
{
    quint16 flags = m_controlFlags == ControlFlagsUnsent ? 0 : m_controlFlags;
    if (bit < 16) {
        if (on)
            flags |= quint16(1u << bit);
        else
            flags &= quint16(~(1u << bit));
    }
    m_controlFlags = flags;
    onSendTelegramToMainControl(CmdControlFlags, QByteArray(1, char(flags & 0xFF)));
}

quint16 TelegramManager::controlFlags() const
{
    return m_controlFlags;
}

quint32 TelegramManager::crc32Value() const
{
    return m_crc32Value;
}

void TelegramManager::onTelegramArrived(rimoTelegram telegram)
{
    // Any telegram proves the bus is alive, whoever sent it.
    ApplicationController* app = ApplicationController::instance();
    app->deviceController().setCommToControlUnitFailed(false);
    app->restartCommTimer();

    switch (telegram.senderAddress()) {
    case BluetoothControllerAddress:
        if (m_decoders.bluetoothController)
            m_decoders.bluetoothController(this, telegram);
        break;
    case AudioControllerAddress:
        if (m_decoders.audioController)
            m_decoders.audioController(this, telegram);
        break;
    case MainControlAddress:
        if (m_decoders.mainControl)
            m_decoders.mainControl(this, telegram);
        break;
    default:
        break;
    }
}

void TelegramManager::onErrorTelegram(QString error)
{
    qCDebug(lcManager).noquote() << error;
}

QString TelegramManager::crc32Text(quint32 value)
{
    return QStringLiteral("%1").arg(value, 8, 16, QLatin1Char('0'));
}

void TelegramManager::onCrc32ThreadFinished(uint32_t crc32Val)
{
    m_crc32Value = crc32Val;
    m_crc32Known = true;
    // Only an existing application controller gets the text here; it takes
    // it over itself when it is created later. Creating it from here, while
    // the panel still waits for the appliance type, would send the first
    // requests of its controllers before the send path exists.
    if (ApplicationController* app = ApplicationController::existingInstance())
        app->softwareLicenseInfoController().setCrcHash(crc32Text(crc32Val));
}

void TelegramManager::onCalculateCrc32Error(QString error)
{
    qCWarning(lcManager).noquote() << "Error on calculating crc value: " + error;
}

void TelegramManager::onSendRequestTelegrams()
{
    setControlFlag(1, false);
    if (m_requestTimer) {
        m_requestTimer->stop();
        m_requestTimer->deleteLater();
        m_requestTimer = nullptr;
    }
}

#pragma once

#include "telegramparamdef.h"

#include <rimotelegram.h>

#include <QByteArray>
#include <QMutex>
#include <QObject>
#include <QString>

#include <cstdint>
#include <functional>

class QTimer;

// The program's single gateway to the bus: numbers and emits every outgoing
// telegram, feeds the communication watchdog with every incoming one and
// hands it to the decoder of its sender. It also owns the one-shot CRC32 scan
// of the installed software and keeps its result for the main control unit.
class TelegramManager : public QObject
{
    Q_OBJECT

public:
    static constexpr uchar OwnAddress = 0x94;
    static constexpr uchar MainControlAddress = 0x08;
    static constexpr uchar AudioControllerAddress = 0xF2;
    static constexpr uchar BluetoothControllerAddress = 0x98;

    static constexpr uchar CmdControlFlags = 0x00;
    static constexpr uchar CmdParamRequest = 0x89;
    static constexpr uchar CmdParamWrite = 0xA9;

    // Control flags before the first control-flag telegram has been sent.
    static constexpr quint16 ControlFlagsUnsent = 128;

    static TelegramManager* instance();

    // Parameter operations of the domain controllers.
    void requestMainControlParam(quint16 id);
    void requestAudioControllerParam(quint16 id);
    void readParam(telegram_param_def param);
    void writeParam(telegram_param_def param);
    void writeRawParam(QByteArray bytes);
    void setControlFlag(uint bit, bool on);

    quint16 controlFlags() const;
    quint32 crc32Value() const;
    // True once the checksum worker has reported.
    bool crc32Known() const { return m_crc32Known; }
    // The checksum as the licence screen shows it: 8 lowercase hex digits.
    static QString crc32Text(quint32 value);

    // Tests construct their own manager; the program uses instance(). With
    // startCrcScan false no worker thread is started.
    explicit TelegramManager(bool startCrcScan, QObject* parent = nullptr);
    ~TelegramManager() override;

    // The decoders chosen by sender address. By default each creates the
    // decoder object for one telegram; tests put spies in their place.
    struct Decoders
    {
        std::function<void(TelegramManager*, const rimoTelegram&)> mainControl;
        std::function<void(TelegramManager*, const rimoTelegram&)> audioController;
        std::function<void(TelegramManager*, const rimoTelegram&)> bluetoothController;
    };
    static Decoders defaultDecoders();
    void setDecoders(const Decoders& decoders) { m_decoders = decoders; }

signals:
    void telegramToSend(rimoTelegram& telegram);

public slots:
    void onTelegramArrived(rimoTelegram telegram);
    void onSendTelegramToMainControl(uchar cmd, QByteArray data);
    void onSendTelegramToMainControl(uchar cmd);
    void onSendTelegramToAudioController(uchar cmd, QByteArray data);
    void onSendTelegramToAudioController(uchar cmd);
    void onSendTelegramToBluetoothController(uchar cmd, QByteArray data);
    void onErrorTelegram(QString error);
    void onCrc32ThreadFinished(uint32_t crc32Val);
    void onCalculateCrc32Error(QString error);

private slots:
    void onSendRequestTelegrams();

private:
    void send(uchar receiver, uchar cmd, const QByteArray& data);
    void startCrcScan();

    QMutex m_sendLock;
    QTimer* m_requestTimer = nullptr;
    quint16 m_controlFlags = ControlFlagsUnsent;
    quint32 m_crc32Value = 0;
    bool m_crc32Known = false;
    Decoders m_decoders;
};

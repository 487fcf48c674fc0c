#ifndef RIMOCOMMLAYER_H
#define RIMOCOMMLAYER_H

#include "rimolinkcodec.h"
#include "rimotelegram.h"

#include <QByteArray>
#include <QElapsedTimer>
#include <QList>
#include <QMutex>
#include <QThread>

#include <atomic>

class QSerialPort;
class QUdpSocket;

// Sole owner of the serial line to the controller boards. Runs its own
// thread: telegram datagrams arriving on 127.0.0.1:8889 leave as acknowledged
// block transmissions; blocks from the line addressed to one of the accepted
// receiver addresses are acknowledged, reassembled and sent as telegram
// datagrams to 127.0.0.1:8888.
class rimoCommLayer : public QThread
{
    Q_OBJECT
public:
    static constexpr quint16 UpPort = 8888;   // telegrams from the bus
    static constexpr quint16 DownPort = 8889; // telegrams to the bus
    static constexpr int WriteAttempts = 3;   // per transmission write before it is dropped
    static constexpr int WriteDrainMs = 50;   // longest wait for the port to drain, per attempt

    explicit rimoCommLayer(QObject* parent = nullptr);
    ~rimoCommLayer() override;

    // Opens the line, blocks until the peer's first transmission start (DBM),
    // binds port 8889 and hands the port and socket to this thread. False
    // when the UDP port cannot be bound. An unusable line ends the process.
    bool init();
    uchar getDbm();

    // Asks run() to return soon and wakes it; the thread closes its port.
    void requestStop();

public slots:
    // Called directly from the owner's thread; the list is guarded by a mutex
    // and the service loop reads a shared copy taken under it.
    void onAdrListChanged(QByteArray& adrList);

protected:
    void run() override;

private:
    void _initSerial();
    void _readDbm();
    void _readSerial(int waitMs);
    void _scanBuffer();
    void _spoolToPos(int pos);
    QByteArray _transmissionToBlock(int start, int end);
    void _takeBlock(const QByteArray& block);
    void _addBlock(const QByteArray& rawBlock);
    void insertTime(quint16 key);
    QList<QByteArray> _takeBlocksById(quint16 key);
    std::optional<QByteArray> _pullBlock(QList<QByteArray>& blocks, quint16 offset);
    void _processRawBlocks(const QList<QByteArray>& blocks, quint16 key);
    void _cleanBlockbuffer();
    void _processTelegramDown(const rimoTelegram& telegram);
    QVector<QByteArray> _telegramToRawBlocks(const rimoTelegram& telegram);
    QVector<QByteArray> _rawBlocksToBlocks(const QVector<QByteArray>& rawBlocks);
    void _sendBlocks(const QVector<QByteArray>& blocks);
    QByteArray _blockToTransmission(const QByteArray& block);
    bool _sendTransmission(const QByteArray& transmission);
    bool _attemptToSendTransmission(const QByteArray& transmission);
    bool _sendBytes(const QByteArray& bytes);

    // Waits until the serial port, the UDP socket or the stop request has
    // something; no time limit (an idle line costs nothing).
    void waitForInput();
    // Waits up to nsecs for serial input only (the ACK window).
    void waitSerialNs(qint64 nsecs);
    void checkLine();
    void receiveDatagrams();
    void shutDownIo();
    qint64 nowMs() const { return m_clock.elapsed(); }

    QSerialPort* m_serial = nullptr;
    QUdpSocket* m_udpSocket = nullptr;
    QByteArray m_receiveBuffer;
    QByteArray m_writeBuffer;
    uchar m_dbm = 0;
    QList<QByteArray> m_sendQueue;
    bool m_ack = false;
    bool m_nak = false;
    bool m_writeFailed = false;
    rimolink::RawBlockStore m_blockBuffer; // raw blocks and their key ages
    QElapsedTimer m_clock;

    QMutex m_adrMutex;
    QByteArray m_adrList;

    std::atomic_bool m_stop{false};
    int m_wakeFd = -1;
};

#endif // RIMOCOMMLAYER_H

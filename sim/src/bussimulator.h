#ifndef BUSSIMULATOR_H
#define BUSSIMULATOR_H

#include "audioboard.h"
#include "commandinterpreter.h"
#include "controlserver.h"
#include "eventlog.h"
#include "maincontrolunit.h"
#include "peerlink.h"
#include "ptyline.h"
#include "simoptions.h"

#include <QElapsedTimer>
#include <QObject>
#include <QTimer>

#include <memory>

namespace bussim {

// Wires the boards to the line, the control interface and the log.
class BusSimulator : public QObject
{
    Q_OBJECT
public:
    static constexpr int TickMs = 20;

    explicit BusSimulator(const SimOptions& options, QObject* parent = nullptr);
    ~BusSimulator() override;

    // Creates the line, the control socket and the log, then starts the
    // boards. False with a reason when something cannot be set up.
    bool start(QString* error);
    void stop();

    QString execute(const QString& line) { return m_interpreter->execute(line); }

signals:
    void quitRequested();

private:
    qint64 now() const { return m_clock.elapsed(); }
    void onTelegramFromLine(const rimoTelegram& telegram, uchar tid);
    void onBoardTelegram(const SimTelegram& telegram);
    void onTick();
    void armAckTimer();

    SimOptions m_options;
    QElapsedTimer m_clock;
    EventLog m_log;
    PtyLine m_line;
    std::unique_ptr<PeerLink> m_link;
    MainControlUnit m_unit;
    AudioBoard m_audio;
    std::unique_ptr<CommandInterpreter> m_interpreter;
    std::unique_ptr<ControlServer> m_control;
    QTimer m_tick;
    QTimer m_ackTimer;
    qint64 m_lastTick = 0;
    qint64 m_lastToGui = 0;
    qint64 m_silentUntil = -1;
    uchar m_tid = 0;
};

} // namespace bussim

#endif // BUSSIMULATOR_H

#include "bussimulator.h"

#include <QCoreApplication>
#include <QLoggingCategory>

Q_LOGGING_CATEGORY(lcSim, "rimo.bussim")

namespace bussim {

BusSimulator::BusSimulator(const SimOptions& options, QObject* parent)
    : QObject(parent), m_options(options), m_unit(options), m_audio()
{
    m_clock.start();
    PeerLink::Callbacks cb;
    cb.write = [this](const QByteArray& bytes) { m_line.write(bytes); };
    cb.telegram = [this](const rimoTelegram& t, uchar tid) { onTelegramFromLine(t, tid); };
    cb.event = [this](const QString& kind, const QJsonObject& details) {
        m_log.event(kind, details);
    };
    m_link = std::make_unique<PeerLink>(cb);
    m_link->setMarker(uchar(options.dbm));
    m_link->setAckTimeoutMs(options.ackTimeoutMs);

    CommandInterpreter::Hooks hooks;
    hooks.silence = [this](int ms) { m_silentUntil = now() + ms; };
    hooks.fault = [this](PeerLink::Fault f, int n) { m_link->addFault(f, n); };
    hooks.quit = [this] { QTimer::singleShot(0, this, &BusSimulator::quitRequested); };
    m_interpreter = std::make_unique<CommandInterpreter>(m_unit, m_audio, hooks);

    connect(&m_line, &PtyLine::bytesRead, this, [this](const QByteArray& bytes) {
        m_link->receive(bytes, now());
        armAckTimer();
    });
    connect(&m_line, &PtyLine::backlogFlushed, this, [this](int n) {
        m_log.event(QStringLiteral("flush"), QJsonObject{{"bytes", n}});
    });
    connect(&m_unit, &MainControlUnit::telegramOut, this, &BusSimulator::onBoardTelegram);
    connect(&m_audio, &AudioBoard::telegramOut, this, &BusSimulator::onBoardTelegram);
    connect(&m_audio, &AudioBoard::bluetoothStreaming, this,
            [this](bool streaming) { m_unit.setBluetoothState(streaming ? 6 : 2); });

    m_ackTimer.setSingleShot(true);
    m_ackTimer.setTimerType(Qt::PreciseTimer);
    connect(&m_ackTimer, &QTimer::timeout, this, [this] {
        m_link->poll(now());
        armAckTimer();
    });
    m_tick.setInterval(TickMs);
    m_tick.setTimerType(Qt::PreciseTimer);
    connect(&m_tick, &QTimer::timeout, this, &BusSimulator::onTick);
}

BusSimulator::~BusSimulator()
{
    stop();
}

bool BusSimulator::start(QString* error)
{
    QString why;
    if (!m_log.open(m_options.logPath, &why)) {
        *error = QStringLiteral("cannot open log %1: %2").arg(m_options.logPath, why);
        return false;
    }
    if (!m_line.open(m_options.ttyPath, &why)) {
        *error = why;
        return false;
    }
    m_control = std::make_unique<ControlServer>(
        [this](const QString& line) {
            const QString answer = m_interpreter->execute(line);
            m_log.event(QStringLiteral("control"),
                        QJsonObject{{"command", line.left(200)}, {"answer", answer}});
            return answer;
        },
        CommandInterpreter::MaxLineLength);
    if (!m_control->listen(m_options.socketPath, &why)) {
        *error = QStringLiteral("cannot listen on %1: %2").arg(m_options.socketPath, why);
        m_line.close();
        return false;
    }
    m_control->enableStdin();
    m_audio.loadFolders(m_options.musicPath);
    m_log.event(QStringLiteral("start"), QJsonObject{{"tty", m_options.ttyPath},
                                                     {"pty", m_line.slaveName()},
                                                     {"dbm", m_options.dbm},
                                                     {"appliance", m_options.appliance}});
    m_lastTick = now();
    m_tick.start();
    m_unit.start();
    return true;
}

void BusSimulator::stop()
{
    m_tick.stop();
    m_ackTimer.stop();
    if (m_control)
        m_control->close();
    m_line.close();
    m_log.close();
}

void BusSimulator::armAckTimer()
{
    const qint64 deadline = m_link->deadline();
    if (deadline < 0) {
        m_ackTimer.stop();
        return;
    }
    m_ackTimer.start(int(qMax<qint64>(0, deadline - now())));
}

void BusSimulator::onTelegramFromLine(const rimoTelegram& t, uchar tid)
{
    SimTelegram st{t.receiverAddress(), t.senderAddress(), t.command(), t.data()};
    const uchar r = st.receiver;
    const bool ours = r == MainControlAddress || r == AudioAddress || r == BluetoothAddress;
    m_log.telegram(QStringLiteral("rx"), st, tid, t.isValid(), ours && t.isValid());
    if (!t.isValid() || !ours)
        return;
    if (r == MainControlAddress)
        m_unit.handleTelegram(st);
    else if (r == AudioAddress || r == BluetoothAddress)
        m_audio.handleTelegram(st);
}

void BusSimulator::onBoardTelegram(const SimTelegram& st)
{
    const uchar tid = ++m_tid;
    if (m_silentUntil >= 0 && now() < m_silentUntil) {
        m_log.telegram(QStringLiteral("drop"), st, tid);
        return;
    }
    if (st.receiver == GuiAddress)
        m_lastToGui = now();
    m_log.telegram(QStringLiteral("tx"), st, tid);
    m_link->send(rimoTelegram(tid, st.receiver, st.sender, st.command, st.data), now());
    armAckTimer();
}

void BusSimulator::onTick()
{
    const qint64 t = now();
    const int elapsed = int(t - m_lastTick);
    m_lastTick = t;
    m_unit.advance(elapsed);
    m_audio.advance(elapsed);
    const bool silent = m_silentUntil >= 0 && t < m_silentUntil;
    if (!silent && t - m_lastToGui >= m_options.keepAliveMs)
        onBoardTelegram(m_unit.keepAliveTelegram());
    m_link->poll(t);
    armAckTimer();
}

} // namespace bussim

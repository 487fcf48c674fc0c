#include "maincontrolunit.h"

#include <QLoggingCategory>
#include <QtEndian>

Q_LOGGING_CATEGORY(lcUnit, "rimo.bussim.unit")

namespace bussim {

namespace {
// LED spa, massage-settings button, audio, Bluetooth and quick start on; no
// payment, so a fresh simulator starts sessions without PIN or card.
constexpr qint32 DefaultSwitches = (1 << 2) | (1 << 3) | (1 << 10) | (1 << 11) | (1 << 22);

// Boards whose software information the unit reports, with an id each.
struct Board
{
    uchar address;
    qint32 softwareId;
    uchar high;
    uchar low;
};
constexpr Board Boards[] = {
    {0x08, 4711, 2, 14}, {0x20, 3101, 1, 7}, {0x22, 3101, 1, 7}, {0x24, 3102, 1, 3},
    {0x25, 3102, 1, 3},  {0x94, 5001, 1, 0}, {0x96, 6100, 1, 2}, {0x98, 6200, 2, 1},
    {0x9A, 6300, 1, 5},  {0x9C, 6400, 1, 0}, {0xF2, 6500, 3, 2}, {0xF9, 6600, 1, 1},
    {0xFA, 6700, 1, 9},  {0xFC, 6800, 1, 0}, {0xFE, 6700, 1, 9},
};

uchar toBcd(int v)
{
    v = qBound(0, v, 99);
    return uchar(((v / 10) << 4) | (v % 10));
}

QByteArray idBytes(quint16 id)
{
    QByteArray out(2, '\0');
    qToLittleEndian<quint16>(id, reinterpret_cast<uchar*>(out.data()));
    return out;
}

bool isSessionState(int s)
{
    return s == MainControlUnit::TimeSession || s == MainControlUnit::CoinSession ||
           s == MainControlUnit::PauseSession || s == MainControlUnit::StartSession ||
           s == MainControlUnit::QuickStartSession || s == MainControlUnit::DemoMode;
}
} // namespace

MainControlUnit::MainControlUnit(const SimOptions& options, QObject* parent)
    : QObject(parent), m_options(options), m_history(HistorySize)
{
    ParamRecord r = m_params.record(ParamApplianceType);
    r.value = options.appliance;
    r.def = quint16(options.appliance);
    m_params.setInitial(r);
    r = m_params.record(ParamSetupSwitches);
    r.value = options.switches >= 0 ? qint32(options.switches) : DefaultSwitches;
    r.def = quint16(r.value);
    m_params.setInitial(r);
    r = m_params.record(ParamSessionCode);
    r.value = options.sessionCode;
    r.def = quint16(options.sessionCode);
    m_params.setInitial(r);
    r = m_params.record(ParamSetupCode);
    r.value = options.setupCode;
    r.def = quint16(options.setupCode);
    m_params.setInitial(r);

    // A few past faults so that the history screen has something to show.
    auto entry = [](qint32 error, quint8 state, quint8 active, quint8 day, quint8 month) {
        HistoryEntry e;
        e.errorNumber = error;
        e.deviceState = state;
        e.active = active;
        e.second = 12;
        e.minute = 34;
        e.hour = 10;
        e.dayOfWeek = 2;
        e.day = day;
        e.month = month;
        e.year = 2026;
        return e;
    };
    m_history[0] = entry(3, TimeSession, 0, 3, 11);
    m_history[1] = entry(1, ReadyIdle, 0, 17, 10);
    m_history[2] = entry(10, ReferenceRun, 0, 2, 9);
    m_history[3] = entry(2, SessionLogin, 0, 28, 8);
}

void MainControlUnit::start()
{
    m_params.resetAll();
    m_card = Card();
    m_sessionRunning = false;
    m_referenceRunning = false;
    m_paidByCoin = false;
    for (qint32& target : m_motorTarget)
        target = -1;
    enterState(Boot);
    schedule(ReferenceRun, m_options.bootMs);
}

void MainControlUnit::send(uchar receiver, uchar command, const QByteArray& data)
{
    emit telegramOut(SimTelegram{receiver, MainControlAddress, command, data});
}

void MainControlUnit::sendRecord(const ParamRecord& record, uchar receiver)
{
    send(receiver, 0x09, record.toBytes());
}

void MainControlUnit::reportRecord(quint16 id, uchar receiver)
{
    if (m_params.contains(id))
        sendRecord(m_params.record(id), receiver);
}

void MainControlUnit::sendParagraph(quint16 id, int value, uchar receiver)
{
    // The value byte sits right after the identifier (data byte 2), where the
    // record keeps its default; value and default carry the same number.
    ParamRecord r = ParamRecord::make(id, value, 0, 255);
    sendRecord(r, receiver);
}

void MainControlUnit::sendSoftwareInfo(uchar receiver)
{
    int index = 1;
    for (const Board& b : Boards) {
        QByteArray d = idBytes(ParamSoftwareInfo);
        d.append(char(toBcd(index++)));
        d.append(char(b.address));
        d.append(char(toBcd(1))); // online
        QByteArray id(4, '\0');
        qToLittleEndian<qint32>(b.softwareId, reinterpret_cast<uchar*>(id.data()));
        d.append(id);
        d.append(char(b.high));
        d.append(char(b.low));
        send(receiver, 0x09, d);
    }
}

void MainControlUnit::sendHistory(int index, uchar receiver)
{
    const HistoryEntry e = m_history.value(index);
    QByteArray d = idBytes(ParamErrorHistory);
    d.append(char(index));
    d.append('\0');
    QByteArray number(4, '\0');
    qToLittleEndian<qint32>(e.errorNumber, reinterpret_cast<uchar*>(number.data()));
    d.append(number);
    d.append(char(e.second));
    d.append(char(e.minute));
    d.append(char(e.hour));
    d.append(char(e.dayOfWeek));
    d.append(char(e.day));
    d.append(char(e.month));
    d.append(char(e.year & 0xFF));
    d.append(char(e.year >> 8));
    d.append(char(e.deviceState));
    d.append(char(e.active));
    send(receiver, 0x09, d);
}

void MainControlUnit::sendClinicStep(uchar receiver)
{
    // One recorded step: time, kind, the three nozzle positions scaled to a
    // byte, pressure, speed, body area, technique and the step number.
    auto scaled = [this](quint16 id) {
        const ParamRecord r = m_params.record(id);
        return char(r.max > 0 ? qBound(0, int(qint64(r.value) * 255 / r.max), 255) : 0);
    };
    QByteArray d = idBytes(ParamRecordClinicStep);
    const qint16 time = qint16(m_params.record(ParamBackgroundReplayTime).value);
    d.append(char(time & 0xFF));
    d.append(char((time >> 8) & 0xFF));
    d.append(char(m_params.record(ParamMassageType).value));
    d.append(scaled(ParamCurrentMotor1));
    d.append(scaled(ParamCurrentMotor2));
    d.append(scaled(ParamCurrentMotor3));
    d.append(char(m_params.record(ParamNozzlePressure).value));
    d.append(char(m_params.record(ParamNozzleSpeed).value));
    d.append(char(m_params.record(ParamBodyArea).value));
    d.append(char(m_params.record(ParamMassageProgram).value));
    d.append(char(++m_recordedSteps));
    d.append('\0'); // the panel decodes steps of more than 13 bytes only
    send(receiver, 0x09, d);
}

void MainControlUnit::sendDeviceName(uchar receiver)
{
    QByteArray d = idBytes(ParamBtDeviceName);
    QByteArray name = m_deviceName.toLatin1().left(21);
    name.append(QByteArray(21 - name.size(), '\0'));
    d.append(name);
    send(receiver, 0x09, d);
}

void MainControlUnit::handleTelegram(const SimTelegram& t)
{
    if (t.sender == GuiAddress)
        m_idleMs = 0;
    // The broker asks for the display paragraphs from 0x94 as well (DBM 1)
    // before any GUI runs; the GUI shows itself with its first other telegram.
    const quint16 requested =
        t.command == 0x89 && t.data.size() >= 2
            ? qFromLittleEndian<quint16>(reinterpret_cast<const uchar*>(t.data.constData()))
            : 0;
    const bool paragraph = requested == ParamDualDisplay || requested == ParamDisplayInternal ||
                           requested == ParamDisplayExternal;
    if (t.sender == GuiAddress && !m_guiSeen && !paragraph) {
        m_guiSeen = true;
        if (m_options.identRequests)
            m_identPendingMs = m_options.identDelayMs;
    }
    switch (t.command) {
    case 0x89:
        onRequest(t);
        break;
    case 0xA9:
        onWrite(t);
        break;
    case 0x00:
    case 0x01:
    case 0x02:
    case 0x03:
    case 0x04:
        // Control flags and the answers to the identification requests.
        m_identAnswers.insert(t.command, t.data);
        break;
    case 0x09:
        if (t.data.size() >= 2 && qFromLittleEndian<quint16>(reinterpret_cast<const uchar*>(
                                      t.data.constData())) == ParamGuiCrc32)
            m_identAnswers.insert(0x09, t.data.mid(2));
        break;
    default:
        // Key click (0xA3), audio state (0x30) and others need no answer.
        break;
    }
}

void MainControlUnit::onRequest(const SimTelegram& t)
{
    if (t.data.size() < 2)
        return;
    const quint16 id =
        qFromLittleEndian<quint16>(reinterpret_cast<const uchar*>(t.data.constData()));
    switch (id) {
    case ParamDualDisplay:
        sendParagraph(id, m_options.paragraph236, t.sender);
        return;
    case ParamDisplayInternal:
        sendParagraph(id, m_options.paragraph424, t.sender);
        return;
    case ParamDisplayExternal:
        sendParagraph(id, m_options.paragraph425, t.sender);
        return;
    case ParamBtDeviceName:
        sendDeviceName(t.sender);
        return;
    case ParamSoftwareInfo:
        sendSoftwareInfo(t.sender);
        return;
    case ParamErrorHistory:
        if (t.data.size() >= 3 && t.data.size() < ParamRecord::Size) {
            if (uchar(t.data.at(2)) < HistorySize)
                sendHistory(uchar(t.data.at(2)), t.sender);
            return;
        }
        for (int i = 0; i < HistorySize; ++i)
            sendHistory(i, t.sender);
        return;
    default:
        break;
    }
    if (!m_params.contains(id)) {
        qCDebug(lcUnit) << "request for unknown parameter" << id;
        return;
    }
    if (t.data.size() >= ParamRecord::Size && (id == ParamSessionCode || id == ParamSetupCode)) {
        onCodeRecord(ParamRecord::fromBytes(t.data), t.sender, false);
        return;
    }
    reportRecord(id, t.sender);
}

void MainControlUnit::onCodeRecord(const ParamRecord& record, uchar receiver, bool write)
{
    ParamRecord answer = m_params.record(record.id);
    if (record.action == ActionVerify) {
        const bool correct = record.value == answer.value;
        answer.action = correct ? ActionCorrect : ActionWrong;
        sendRecord(answer, receiver);
        if (correct && record.id == ParamSessionCode && deviceState() == PaySession &&
            (m_params.record(ParamSetupSwitches).value & SwitchPinCode))
            paymentDone();
        return;
    }
    if (!write) {
        // A request with the record (NOP clears a previous verdict).
        sendRecord(answer, receiver);
        return;
    }
    sendRecord(m_params.applyWrite(record), receiver);
}

void MainControlUnit::onWrite(const SimTelegram& t)
{
    if (t.data.size() < 2)
        return;
    const quint16 id =
        qFromLittleEndian<quint16>(reinterpret_cast<const uchar*>(t.data.constData()));
    if (id == ParamBtDeviceName) {
        QByteArray name = t.data.mid(2, 21);
        const int zero = name.indexOf('\0');
        if (zero >= 0)
            name.truncate(zero);
        m_deviceName = QString::fromLatin1(name);
        sendDeviceName(t.sender);
        return;
    }
    bool ok = false;
    const ParamRecord written = ParamRecord::fromBytes(t.data, &ok);
    if (!ok || !m_params.contains(id)) {
        qCDebug(lcUnit) << "write ignored for parameter" << id << "with" << t.data.size()
                        << "bytes";
        return;
    }
    switch (id) {
    case ParamCurrentDeviceStatus:
        onStateWrite(written, t.sender);
        return;
    case ParamSessionCode:
    case ParamSetupCode:
        onCodeRecord(written, t.sender, true);
        return;
    case ParamNfcTagCredit:
        onNfcWrite(written, t.sender);
        return;
    case ParamCurrentErrorList1:
    case ParamCurrentWarningList1:
        onStatusWordWrite(written, t.sender);
        return;
    default:
        break;
    }
    const ParamRecord accepted = m_params.applyWrite(written);
    sendRecord(accepted, t.sender);
    switch (id) {
    case ParamMassageTime:
        if (m_sessionRunning)
            m_countdownAccMs = 0;
        break;
    case ParamMassageTimeMaximum:
        limitBy(ParamMassageTime, accepted.value);
        break;
    case ParamNozzlePressureMax:
        limitBy(ParamNozzlePressure, accepted.value);
        break;
    case ParamBackgroundReplayTime:
        // "Store point" while a program is recorded.
        if (deviceState() == ProgramSessionFree)
            sendClinicStep(GuiAddress);
        break;
    case ParamRequestedMotor1:
    case ParamRequestedMotor2:
    case ParamRequestedMotor3:
        // The nozzle drives to the requested position (manual session,
        // recording a program).
        m_motorTarget[id - ParamRequestedMotor1] = accepted.value;
        break;
    default:
        break;
    }
}

void MainControlUnit::limitBy(quint16 id, qint32 max)
{
    ParamRecord r = m_params.record(id);
    r.max = qMax(r.min, max);
    r.value = ParamTable::limit(r.value, r.min, r.max, r.step);
    m_params.set(r);
    reportRecord(id, GuiAddress);
}

void MainControlUnit::onStatusWordWrite(const ParamRecord& record, uchar receiver)
{
    const bool wasError = m_params.record(ParamCurrentErrorList1).value != 0;
    sendRecord(m_params.applyWrite(record), receiver);
    if (wasError && m_params.record(ParamCurrentErrorList1).value == 0 &&
        deviceState() == DeviceError)
        startReferenceRun();
}

void MainControlUnit::onNfcWrite(const ParamRecord& record, uchar receiver)
{
    ParamRecord answer = m_params.record(ParamNfcTagCredit);
    if (record.action == ActionRead) {
        // Read the card on the reader; without a card the reader waits.
        if (!m_card.present)
            return;
        answer.value = m_card.credit;
        answer.type = m_card.minutes ? TypeMinutes : TypeSession;
        answer.action = ActionRead;
        answer.message2 = m_card.program ? 2 : 0;
    } else {
        // Recharge: the credit is written to the card on the reader.
        m_card.present = true;
        m_card.minutes = record.type == TypeMinutes;
        m_card.credit = qBound<qint32>(0, record.value, 65534);
        answer.value = m_card.credit;
        answer.type = m_card.minutes ? TypeMinutes : TypeSession;
        answer.action = ActionWritten;
        answer.message2 = 0;
    }
    answer.message = 0;
    m_params.set(answer);
    sendRecord(answer, receiver);
}

void MainControlUnit::onStateWrite(const ParamRecord& record, uchar receiver)
{
    if (record.action == ActionReset) {
        // Reset of the whole system: defaults, errors cleared, restart.
        qCInfo(lcUnit) << "system reset";
        start();
        return;
    }
    const int wanted = record.value;
    const int current = deviceState();
    const bool refused =
        wanted < Boot || wanted > UndefinedStatus ||
        (m_params.record(ParamCurrentErrorList1).value != 0 && wanted != DeviceError);
    if (refused) {
        reportRecord(ParamCurrentDeviceStatus, receiver);
        return;
    }
    m_pendingState = -1;
    switch (wanted) {
    case Boot:
        start();
        return;
    case NoConsole:
    case ReferenceRun:
    case ReferenceRun2:
        startReferenceRun();
        return;
    case PaySession:
        enterState(PaySession);
        startPayment();
        return;
    case StartSession:
        enterState(StartSession);
        startSession(m_paidByCoin ? CoinSession : TimeSession);
        return;
    case QuickStartSession:
    case DemoMode:
        enterState(wanted);
        startSession(TimeSession);
        return;
    case TimeSession:
    case CoinSession:
        if (m_sessionRunning) {
            enterState(wanted); // continue after a pause
            return;
        }
        startSession(wanted);
        return;
    case PauseSession:
        enterState(PauseSession);
        return;
    case StopSession:
        enterState(StopSession);
        endSession();
        schedule(SaveSession, m_options.stopMs);
        return;
    case StopProgramming:
        enterState(StopProgramming);
        schedule((m_params.record(ParamSetupSwitches).value & SwitchSaveRecording) ? SaveSession
                                                                                   : SessionLogin,
                 m_options.stopMs);
        return;
    default:
        break;
    }
    if (m_sessionRunning && !isSessionState(wanted))
        endSession();
    if (wanted == ReadyIdle || wanted == SessionLogin)
        m_paidByCoin = false;
    enterState(wanted);
    Q_UNUSED(current)
}

void MainControlUnit::enterState(int state)
{
    m_idleMs = 0;
    if (state == ProgramSessionFree && deviceState() != ProgramSessionFree)
        m_recordedSteps = 0;
    if (state != ReferenceRun && m_referenceRunning) {
        // The reference run ends with every nozzle at home.
        m_referenceRunning = false;
        const quint16 motors[3] = {ParamCurrentMotor1, ParamCurrentMotor2, ParamCurrentMotor3};
        for (quint16 id : motors)
            if (m_params.record(id).value != 0)
                moveMotor(id, 0);
    }
    m_params.setValue(ParamCurrentDeviceStatus, state);
    qCDebug(lcUnit) << "device state" << state;
    reportRecord(ParamCurrentDeviceStatus, GuiAddress);
}

void MainControlUnit::schedule(int state, int ms)
{
    m_pendingState = state;
    m_pendingMs = ms;
}

void MainControlUnit::startReferenceRun()
{
    if (m_sessionRunning)
        endSession();
    enterState(ReferenceRun);
    m_referenceRunning = true;
    m_referenceElapsed = 0;
    for (qint32& target : m_motorTarget)
        target = -1;
    m_motorAccMs = 0;
    // The nozzles start where they are (or from the far end after a boot)
    // and drive home to 0.
    const quint16 motors[3] = {ParamCurrentMotor1, ParamCurrentMotor2, ParamCurrentMotor3};
    for (int i = 0; i < 3; ++i) {
        qint32 pos = m_params.record(motors[i]).value;
        if (pos == 0)
            pos = m_params.record(motors[i]).max / 2;
        m_motorStart[i] = pos;
        moveMotor(motors[i], pos);
    }
    schedule(SessionLogin, m_options.referenceMs);
}

void MainControlUnit::moveMotor(quint16 id, qint32 position)
{
    m_params.setValue(id, position);
    reportRecord(id, GuiAddress);
}

void MainControlUnit::startPayment()
{
    const qint32 switches = m_params.record(ParamSetupSwitches).value;
    if (m_paidByCoin) {
        paymentDone();
        return;
    }
    if (switches & (SwitchPinCode | SwitchNfcCredit | SwitchPayment))
        return; // waits for the session code, a card or a coin
    paymentDone();
}

void MainControlUnit::paymentDone()
{
    if (m_paidByCoin) {
        startSession(CoinSession);
        return;
    }
    enterState(SetupSession);
}

void MainControlUnit::startSession(int sessionState)
{
    m_sessionTime = m_params.record(ParamMassageTime).value;
    m_sessionRunning = true;
    m_countdownAccMs = 0;
    m_motorAccMs = 0;
    enterState(sessionState);
}

void MainControlUnit::endSession()
{
    if (!m_sessionRunning)
        return;
    m_sessionRunning = false;
    m_paidByCoin = false;
    // The next session starts with the time the guest chose.
    m_params.setValue(ParamMassageTime, m_sessionTime);
    reportRecord(ParamMassageTime, GuiAddress);
}

bool MainControlUnit::sessionPaused() const
{
    return m_sessionRunning && (deviceState() == PauseSession ||
                                m_params.record(ParamBodyArea).value == AreaBreakSession);
}

void MainControlUnit::advance(int ms)
{
    if (ms <= 0)
        return;
    if (m_identPendingMs >= 0) {
        m_identPendingMs -= ms;
        if (m_identPendingMs <= 0) {
            m_identPendingMs = -1;
            for (uchar cmd = 0x80; cmd <= 0x84; ++cmd)
                send(GuiAddress, cmd);
            send(GuiAddress, 0x89, idBytes(ParamGuiCrc32));
        }
    }
    // A transition scheduled during this step starts counting with the next.
    if (m_pendingState >= 0) {
        m_pendingMs -= ms;
        if (m_pendingMs <= 0) {
            const int next = m_pendingState;
            m_pendingState = -1;
            if (next == ReferenceRun)
                startReferenceRun();
            else
                enterState(next);
        }
    }
    if (m_referenceRunning) {
        m_referenceElapsed += ms;
        m_motorAccMs += ms;
        if (m_motorAccMs >= MotorStepMs) {
            m_motorAccMs %= MotorStepMs;
            const quint16 motors[3] = {ParamCurrentMotor1, ParamCurrentMotor2, ParamCurrentMotor3};
            const int total = qMax(1, m_options.referenceMs);
            const int elapsed = qMin(m_referenceElapsed, total);
            for (int i = 0; i < 3; ++i) {
                const qint32 pos = qint32(qint64(m_motorStart[i]) * (total - elapsed) / total);
                if (pos != m_params.record(motors[i]).value)
                    moveMotor(motors[i], pos);
            }
        }
    }
    if (!m_referenceRunning) {
        m_followAccMs += ms;
        while (m_followAccMs >= MotorStepMs) {
            m_followAccMs -= MotorStepMs;
            const quint16 motors[3] = {ParamCurrentMotor1, ParamCurrentMotor2, ParamCurrentMotor3};
            for (int i = 0; i < 3; ++i) {
                if (m_motorTarget[i] < 0)
                    continue;
                const ParamRecord cur = m_params.record(motors[i]);
                const qint32 speed = qMax(1, cur.max / 10);
                const qint32 target = qBound(0, m_motorTarget[i], cur.max);
                const qint32 next = cur.value < target ? qMin(target, cur.value + speed)
                                                       : qMax(target, cur.value - speed);
                if (next != cur.value)
                    moveMotor(motors[i], next);
                if (next == target)
                    m_motorTarget[i] = -1;
            }
        }
    }
    // Guests and operators who walk away are logged out.
    m_idleMs += ms;
    const int s = deviceState();
    if ((s == ReadyIdle || s == PaySession) &&
        m_idleMs >= m_params.record(ParamLoginTimeout).value * 1000) {
        m_paidByCoin = false;
        enterState(SessionLogin);
    } else if (s == SetupManager &&
               m_idleMs >= m_params.record(ParamSetupLoginTimeout).value * 1000) {
        enterState(SessionLogin);
    }
    if (m_sessionRunning && !sessionPaused()) {
        m_countdownAccMs += ms;
        while (m_sessionRunning && m_countdownAccMs >= CountdownStepMs) {
            m_countdownAccMs -= CountdownStepMs;
            const qint32 left = qMax(0, m_params.record(ParamMassageTime).value - 1);
            m_params.setValue(ParamMassageTime, left);
            reportRecord(ParamMassageTime, GuiAddress);
            // The nozzles sweep along the lounger while the session runs.
            ParamRecord motor = m_params.record(ParamCurrentMotor1);
            qint32 pos = motor.value + m_sweepDirection * 60;
            if (pos >= motor.max || pos <= 0)
                m_sweepDirection = -m_sweepDirection;
            moveMotor(ParamCurrentMotor1, qBound(0, pos, motor.max));
            if (left == 0) {
                enterState(StopSession);
                endSession();
                schedule(SaveSession, m_options.stopMs);
            }
        }
    }
}

bool MainControlUnit::forceState(int state, QString* error)
{
    if (state < Boot || state > UndefinedStatus) {
        *error = QStringLiteral("state must be 0..24");
        return false;
    }
    m_pendingState = -1;
    if (m_sessionRunning && !isSessionState(state))
        endSession();
    if (state == ReferenceRun) {
        startReferenceRun();
        return true;
    }
    if ((state == TimeSession || state == CoinSession) && !m_sessionRunning) {
        startSession(state);
        return true;
    }
    enterState(state);
    return true;
}

bool MainControlUnit::reportNow(quint16 id, QString* error)
{
    switch (id) {
    case ParamDualDisplay:
        sendParagraph(id, m_options.paragraph236, GuiAddress);
        return true;
    case ParamDisplayInternal:
        sendParagraph(id, m_options.paragraph424, GuiAddress);
        return true;
    case ParamDisplayExternal:
        sendParagraph(id, m_options.paragraph425, GuiAddress);
        return true;
    case ParamBtDeviceName:
        sendDeviceName(GuiAddress);
        return true;
    case ParamSoftwareInfo:
        sendSoftwareInfo(GuiAddress);
        return true;
    case ParamErrorHistory:
        for (int i = 0; i < HistorySize; ++i)
            sendHistory(i, GuiAddress);
        return true;
    case ParamRecordClinicStep:
        sendClinicStep(GuiAddress);
        return true;
    default:
        break;
    }
    if (!m_params.contains(id)) {
        *error = QStringLiteral("unknown parameter %1").arg(id);
        return false;
    }
    reportRecord(id, GuiAddress);
    return true;
}

void MainControlUnit::setErrors(qint32 bits)
{
    m_params.setValue(ParamCurrentErrorList1, bits);
    reportRecord(ParamCurrentErrorList1, GuiAddress);
    if (bits != 0 && deviceState() != DeviceError) {
        m_pendingState = -1;
        if (m_sessionRunning)
            endSession();
        enterState(DeviceError);
    } else if (bits == 0 && deviceState() == DeviceError) {
        startReferenceRun();
    }
}

void MainControlUnit::setWarnings(qint32 bits)
{
    m_params.setValue(ParamCurrentWarningList1, bits);
    reportRecord(ParamCurrentWarningList1, GuiAddress);
}

bool MainControlUnit::setHistory(int index, qint32 error, int state, int active, QString* error_)
{
    if (index < 0 || index >= HistorySize) {
        *error_ = QStringLiteral("index must be 0..31");
        return false;
    }
    if (state < 0 || state > 255 || active < 0 || active > 255) {
        *error_ = QStringLiteral("state and active must be 0..255");
        return false;
    }
    HistoryEntry e = m_history.at(index);
    e.errorNumber = error;
    e.deviceState = quint8(state);
    e.active = quint8(active);
    if (e.year == 0) {
        e.year = 2026;
        e.month = 12;
        e.day = 10;
        e.hour = 12;
    }
    m_history[index] = e;
    sendHistory(index, GuiAddress);
    return true;
}

bool MainControlUnit::presentCard(bool minutes, qint32 credit, bool program, QString* error)
{
    if (credit < 0 || credit > 65534) {
        *error = QStringLiteral("credit must be 0..65534");
        return false;
    }
    m_card.present = true;
    m_card.minutes = minutes;
    m_card.credit = credit;
    m_card.program = program;
    ParamRecord r = m_params.record(ParamNfcTagCredit);
    r.value = credit;
    r.type = minutes ? TypeMinutes : TypeSession;
    r.action = ActionRead;
    r.message = 0;
    r.message2 = program ? 2 : 0;
    m_params.set(r);
    sendRecord(r, GuiAddress);

    const bool paying = deviceState() == PaySession &&
                        (m_params.record(ParamSetupSwitches).value & SwitchNfcCredit);
    if (!paying)
        return true;
    // One session costs one session credit or the chosen time in minutes.
    const qint32 cost = minutes ? (m_params.record(ParamMassageTime).value + 59) / 60 : 1;
    if (m_card.credit < cost)
        return true; // not enough credit: the panel keeps waiting
    m_card.credit -= cost;
    paymentDone();
    return true;
}

bool MainControlUnit::insertCoin(QString* error)
{
    const int s = deviceState();
    if (s != ReadyIdle && s != PaySession && s != SessionLogin) {
        *error = QStringLiteral("coins are taken only in READY_IDLE, PAY_SESSION or SESSION_LOGIN");
        return false;
    }
    m_paidByCoin = true;
    paymentDone();
    return true;
}

void MainControlUnit::setBluetoothState(int state)
{
    m_params.setValue(ParamBluetoothState, state);
    reportRecord(ParamBluetoothState, GuiAddress);
}

SimTelegram MainControlUnit::keepAliveTelegram() const
{
    return SimTelegram{GuiAddress, MainControlAddress, 0x09,
                       m_params.record(ParamCurrentWaterTemperature).toBytes()};
}

QString MainControlUnit::statusLine() const
{
    QString s = QStringLiteral("state=%1 time=%2 session=%3 paused=%4 errors=0x%5 warnings=0x%6")
                    .arg(deviceState())
                    .arg(m_params.record(ParamMassageTime).value)
                    .arg(m_sessionRunning ? 1 : 0)
                    .arg(sessionPaused() ? 1 : 0)
                    .arg(quint32(m_params.record(ParamCurrentErrorList1).value), 0, 16)
                    .arg(quint32(m_params.record(ParamCurrentWarningList1).value), 0, 16);
    s += QStringLiteral(" card=%1").arg(m_card.present ? m_card.credit : -1);
    if (m_identAnswers.contains(0x09))
        s += QStringLiteral(" crc32=%1")
                 .arg(QString::fromLatin1(m_identAnswers.value(0x09).toHex()));
    return s;
}

} // namespace bussim

#ifndef MAINCONTROLUNIT_H
#define MAINCONTROLUNIT_H

#include "paramtable.h"
#include "simoptions.h"
#include "simtelegram.h"

#include <QByteArray>
#include <QMap>
#include <QObject>
#include <QVector>

namespace bussim {

// The simulated main control unit (0x08) with the NFC reader behind it: keeps
// the parameter records, answers requests and writes, and runs the device
// state through boot, reference run, payment, session and the service states.
// Time is passed in through advance(), so the model runs without a clock.
class MainControlUnit : public QObject
{
    Q_OBJECT
public:
    enum DeviceState {
        Boot = 0,
        NoConsole = 1,
        ReferenceRun = 2,
        ReadyIdle = 3,
        PaySession = 4,
        CoinSession = 5,
        SetupManager = 6,
        PauseSession = 7,
        DeviceError = 8,
        ServiceSession = 9,
        TimeSession = 10,
        SetupSession = 11,
        SoftwareUpdate = 12,
        ManualSession = 13,
        StartSession = 14,
        StopSession = 15,
        SaveSession = 16,
        ProgramSessionFree = 17,
        SessionLogin = 18,
        StopProgramming = 19,
        ReferenceRun2 = 20,
        DemoMode = 21,
        CleanDevice = 22,
        QuickStartSession = 23,
        UndefinedStatus = 24,
    };

    enum Switch {
        SwitchPinCode = 1 << 0,
        SwitchPayment = 1 << 5,
        SwitchNfcCredit = 1 << 7,
        SwitchSaveRecording = 1 << 8,
    };

    static constexpr int AreaBreakSession = 17;
    static constexpr int HistorySize = 32;
    static constexpr int CountdownStepMs = 1000;
    static constexpr int MotorStepMs = 250;

    struct HistoryEntry
    {
        qint32 errorNumber = 0;
        quint8 deviceState = 0;
        quint8 active = 0;
        quint8 second = 0, minute = 0, hour = 0, dayOfWeek = 0, day = 0, month = 0;
        quint16 year = 0;
    };

    struct Card
    {
        bool present = false;
        bool minutes = false;
        qint32 credit = 0;
        bool program = false;
    };

    explicit MainControlUnit(const SimOptions& options, QObject* parent = nullptr);

    // Restarts the unit: BOOT, then a reference run, then the session login.
    void start();
    // A telegram addressed to 0x08.
    void handleTelegram(const SimTelegram& telegram);
    // Time passes.
    void advance(int ms);

    ParamTable& params() { return m_params; }
    const ParamTable& params() const { return m_params; }
    int deviceState() const { return m_params.record(ParamCurrentDeviceStatus).value; }
    bool sessionRunning() const { return m_sessionRunning; }
    bool sessionPaused() const;
    const Card& card() const { return m_card; }
    HistoryEntry historyEntry(int index) const { return m_history.value(index); }
    QString statusLine() const;

    // Control interface.
    bool forceState(int state, QString* error);
    bool reportNow(quint16 id, QString* error);
    void reportRecord(quint16 id, uchar receiver = GuiAddress);
    void setErrors(qint32 bits);
    void setWarnings(qint32 bits);
    bool setHistory(int index, qint32 error, int state, int active, QString* error_);
    bool presentCard(bool minutes, qint32 credit, bool program, QString* error);
    bool insertCoin(QString* error);
    void setBluetoothState(int state);
    // A telegram that keeps the panel's communication watchdog fed.
    SimTelegram keepAliveTelegram() const;

signals:
    void telegramOut(const bussim::SimTelegram& telegram);

private:
    void send(uchar receiver, uchar command, const QByteArray& data = QByteArray());
    void sendRecord(const ParamRecord& record, uchar receiver);
    void sendParagraph(quint16 id, int value, uchar receiver);
    void sendSoftwareInfo(uchar receiver);
    void sendHistory(int index, uchar receiver);
    void sendDeviceName(uchar receiver);
    void sendClinicStep(uchar receiver);

    void onRequest(const SimTelegram& telegram);
    void onWrite(const SimTelegram& telegram);
    void onCodeRecord(const ParamRecord& record, uchar receiver, bool write);
    void onStateWrite(const ParamRecord& record, uchar receiver);
    void onNfcWrite(const ParamRecord& record, uchar receiver);
    void onStatusWordWrite(const ParamRecord& record, uchar receiver);

    void enterState(int state);
    void schedule(int state, int ms);
    void startReferenceRun();
    void startPayment();
    void paymentDone();
    void startSession(int sessionState);
    void endSession();
    void stopCountdown();
    void moveMotor(quint16 id, qint32 position);
    void limitBy(quint16 id, qint32 max);

    SimOptions m_options;
    ParamTable m_params;
    QVector<HistoryEntry> m_history;
    Card m_card;
    QString m_deviceName = QStringLiteral("Lounger");

    int m_pendingState = -1;
    int m_pendingMs = 0;
    bool m_referenceRunning = false;
    int m_referenceElapsed = 0;
    int m_motorAccMs = 0;
    qint32 m_motorStart[3] = {0, 0, 0};
    qint32 m_motorTarget[3] = {-1, -1, -1}; // requested positions being driven to
    int m_followAccMs = 0;
    int m_idleMs = 0;
    int m_recordedSteps = 0; // since the panel's last telegram or the last state change

    bool m_paidByCoin = false;
    bool m_sessionRunning = false;
    int m_countdownAccMs = 0;
    qint32 m_sessionTime = 0;
    int m_sweepDirection = 1;

    bool m_guiSeen = false;
    int m_identPendingMs = -1;
    QMap<int, QByteArray> m_identAnswers;
};

} // namespace bussim

#endif // MAINCONTROLUNIT_H

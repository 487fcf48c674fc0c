#pragma once

#include "types/errorhistorylist.h"
#include "types/telegramparamdef.h"

#include <QObject>

#include <array>

// Mirror of the fault state of the main control unit: the current error and
// warning words and the unit's error history of 32 entries. The unit decides
// which faults exist and when they clear; the panel shows them and asks for
// a reset.
class ErrorController : public QObject
{
    Q_OBJECT

    Q_PROPERTY(
        telegram_param_def currentErrorList1 READ currentErrorList1 NOTIFY currentErrorList1Changed)
    Q_PROPERTY(telegram_param_def currentWarningList1 READ currentWarningList1 NOTIFY
                   currentWarningList1Changed)

public:
    static constexpr int kHistorySize = 32;

    ErrorController();

    telegram_param_def currentErrorList1() const { return m_currentErrorList1; }
    telegram_param_def currentWarningList1() const { return m_currentWarningList1; }

    Q_INVOKABLE void requestValues();
    Q_INVOKABLE void resetErrors();
    Q_INVOKABLE void resetWarnings();
    Q_INVOKABLE bool hasCurrentError(uint8_t bitNumber) const;
    Q_INVOKABLE bool hasCurrentWarning(uint8_t bitNumber) const;

    // History slot by position 0 … 31 (list 1 … 32); out-of-range gives a default record.
    error_history_list errorHistory(int slot) const;
    // Stores the entry in its slot (0 … 31) and emits that slot's change signal when
    // any field differs; other slots are ignored. Returns whether the slot exists.
    bool storeErrorHistory(int slot, const error_history_list& entry);

    Q_INVOKABLE error_history_list errorHistoryList1() const { return m_errorHistory[0]; }
    Q_INVOKABLE error_history_list errorHistoryList2() const { return m_errorHistory[1]; }
    Q_INVOKABLE error_history_list errorHistoryList3() const { return m_errorHistory[2]; }
    Q_INVOKABLE error_history_list errorHistoryList4() const { return m_errorHistory[3]; }
    Q_INVOKABLE error_history_list errorHistoryList5() const { return m_errorHistory[4]; }
    Q_INVOKABLE error_history_list errorHistoryList6() const { return m_errorHistory[5]; }
    Q_INVOKABLE error_history_list errorHistoryList7() const { return m_errorHistory[6]; }
    Q_INVOKABLE error_history_list errorHistoryList8() const { return m_errorHistory[7]; }
    Q_INVOKABLE error_history_list errorHistoryList9() const { return m_errorHistory[8]; }
    Q_INVOKABLE error_history_list errorHistoryList10() const { return m_errorHistory[9]; }
    Q_INVOKABLE error_history_list errorHistoryList11() const { return m_errorHistory[10]; }
    Q_INVOKABLE error_history_list errorHistoryList12() const { return m_errorHistory[11]; }
    Q_INVOKABLE error_history_list errorHistoryList13() const { return m_errorHistory[12]; }
    Q_INVOKABLE error_history_list errorHistoryList14() const { return m_errorHistory[13]; }
    Q_INVOKABLE error_history_list errorHistoryList15() const { return m_errorHistory[14]; }
    Q_INVOKABLE error_history_list errorHistoryList16() const { return m_errorHistory[15]; }
    Q_INVOKABLE error_history_list errorHistoryList17() const { return m_errorHistory[16]; }
    Q_INVOKABLE error_history_list errorHistoryList18() const { return m_errorHistory[17]; }
    Q_INVOKABLE error_history_list errorHistoryList19() const { return m_errorHistory[18]; }
    Q_INVOKABLE error_history_list errorHistoryList20() const { return m_errorHistory[19]; }
    Q_INVOKABLE error_history_list errorHistoryList21() const { return m_errorHistory[20]; }
    Q_INVOKABLE error_history_list errorHistoryList22() const { return m_errorHistory[21]; }
    Q_INVOKABLE error_history_list errorHistoryList23() const { return m_errorHistory[22]; }
    Q_INVOKABLE error_history_list errorHistoryList24() const { return m_errorHistory[23]; }
    Q_INVOKABLE error_history_list errorHistoryList25() const { return m_errorHistory[24]; }
    Q_INVOKABLE error_history_list errorHistoryList26() const { return m_errorHistory[25]; }
    Q_INVOKABLE error_history_list errorHistoryList27() const { return m_errorHistory[26]; }
    Q_INVOKABLE error_history_list errorHistoryList28() const { return m_errorHistory[27]; }
    Q_INVOKABLE error_history_list errorHistoryList29() const { return m_errorHistory[28]; }
    Q_INVOKABLE error_history_list errorHistoryList30() const { return m_errorHistory[29]; }
    Q_INVOKABLE error_history_list errorHistoryList31() const { return m_errorHistory[30]; }
    Q_INVOKABLE error_history_list errorHistoryList32() const { return m_errorHistory[31]; }

public slots:
    void onCurrentErrorList1Changed(telegram_param_def errorList1);
    void onCurrentWarningList1Changed(telegram_param_def warningList1);
    void onErrorHistoryList1Changed(error_history_list currentErrorHistory);
    void onErrorHistoryList2Changed(error_history_list currentErrorHistory);
    void onErrorHistoryList3Changed(error_history_list currentErrorHistory);
    void onErrorHistoryList4Changed(error_history_list currentErrorHistory);
    void onErrorHistoryList5Changed(error_history_list currentErrorHistory);
    void onErrorHistoryList6Changed(error_history_list currentErrorHistory);
    void onErrorHistoryList7Changed(error_history_list currentErrorHistory);
    void onErrorHistoryList8Changed(error_history_list currentErrorHistory);
    void onErrorHistoryList9Changed(error_history_list currentErrorHistory);
    void onErrorHistoryList10Changed(error_history_list currentErrorHistory);
    void onErrorHistoryList11Changed(error_history_list currentErrorHistory);
    void onErrorHistoryList12Changed(error_history_list currentErrorHistory);
    void onErrorHistoryList13Changed(error_history_list currentErrorHistory);
    void onErrorHistoryList14Changed(error_history_list currentErrorHistory);
    void onErrorHistoryList15Changed(error_history_list currentErrorHistory);
    void onErrorHistoryList16Changed(error_history_list currentErrorHistory);
    void onErrorHistoryList17Changed(error_history_list currentErrorHistory);
    void onErrorHistoryList18Changed(error_history_list currentErrorHistory);
    void onErrorHistoryList19Changed(error_history_list currentErrorHistory);
    void onErrorHistoryList20Changed(error_history_list currentErrorHistory);
    void onErrorHistoryList21Changed(error_history_list currentErrorHistory);
    void onErrorHistoryList22Changed(error_history_list currentErrorHistory);
    void onErrorHistoryList23Changed(error_history_list currentErrorHistory);
    void onErrorHistoryList24Changed(error_history_list currentErrorHistory);
    void onErrorHistoryList25Changed(error_history_list currentErrorHistory);
    void onErrorHistoryList26Changed(error_history_list currentErrorHistory);
    void onErrorHistoryList27Changed(error_history_list currentErrorHistory);
    void onErrorHistoryList28Changed(error_history_list currentErrorHistory);
    void onErrorHistoryList29Changed(error_history_list currentErrorHistory);
    void onErrorHistoryList30Changed(error_history_list currentErrorHistory);
    void onErrorHistoryList31Changed(error_history_list currentErrorHistory);
    void onErrorHistoryList32Changed(error_history_list currentErrorHistory);

signals:
    void currentErrorList1Changed();
    void currentWarningList1Changed();
    void errorHistoryList1Changed();
    void errorHistoryList2Changed();
    void errorHistoryList3Changed();
    void errorHistoryList4Changed();
    void errorHistoryList5Changed();
    void errorHistoryList6Changed();
    void errorHistoryList7Changed();
    void errorHistoryList8Changed();
    void errorHistoryList9Changed();
    void errorHistoryList10Changed();
    void errorHistoryList11Changed();
    void errorHistoryList12Changed();
    void errorHistoryList13Changed();
    void errorHistoryList14Changed();
    void errorHistoryList15Changed();
    void errorHistoryList16Changed();
    void errorHistoryList17Changed();
    void errorHistoryList18Changed();
    void errorHistoryList19Changed();
    void errorHistoryList20Changed();
    void errorHistoryList21Changed();
    void errorHistoryList22Changed();
    void errorHistoryList23Changed();
    void errorHistoryList24Changed();
    void errorHistoryList25Changed();
    void errorHistoryList26Changed();
    void errorHistoryList27Changed();
    void errorHistoryList28Changed();
    void errorHistoryList29Changed();
    void errorHistoryList30Changed();
    void errorHistoryList31Changed();
    void errorHistoryList32Changed();

private:
    void emitHistoryChanged(int slot);

    telegram_param_def m_currentErrorList1;
    telegram_param_def m_currentWarningList1;
    std::array<error_history_list, kHistorySize> m_errorHistory;
};

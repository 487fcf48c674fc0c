#include "errorcontroller.h"

#include "core/telegrammanager.h"
#include "types/enumproviderclass.h"

#include <QLoggingCategory>

Q_LOGGING_CATEGORY(lcError, "vanto.error")

namespace {

constexpr int kErrorBits = 12;  // CHASSIS_SWITCH … MOTOR_3_SWITCH_OUTSIDE
constexpr int kWarningBits = 2; // IIC_BUS_TIMEOUT, FREQUENCY_CONVERTER_CONNECTION
constexpr int kLoggedErrorBits = 7;

bool bitSet(qint32 word, int bit)
{
    return (quint32(word) >> bit) & 1u;
}

} // namespace

ErrorController::ErrorController()
{
    // The words are wanted as soon as the error screens can exist.
    requestValues();
}

void ErrorController::requestValues()
{
    TelegramManager::instance()->requestMainControlParam(
        quint16(EnumProviderClass::PARAM_CURRENT_ERROR_LIST_1));
    TelegramManager::instance()->requestMainControlParam(
        quint16(EnumProviderClass::PARAM_CURRENT_WARNING_LIST_1));
}

void ErrorController::resetErrors()
{
    telegram_param_def record = m_currentErrorList1;
    record.id = quint16(EnumProviderClass::PARAM_CURRENT_ERROR_LIST_1);
    record.action = quint8(EnumProviderClass::RESET);
    TelegramManager::instance()->writeParam(record);
}

void ErrorController::resetWarnings()
{
    telegram_param_def record = m_currentWarningList1;
    record.id = quint16(EnumProviderClass::PARAM_CURRENT_WARNING_LIST_1);
    record.action = quint8(EnumProviderClass::RESET);
    TelegramManager::instance()->writeParam(record);
}

bool ErrorController::hasCurrentError(uint8_t bitNumber) const
{
    if (bitNumber >= kErrorBits)
        return false;
    const bool set = bitSet(m_currentErrorList1.value, bitNumber);
    if (bitNumber < kLoggedErrorBits)
        qCDebug(lcError).noquote()
            << QStringLiteral("Error bit %1 : %2")
                   .arg(bitNumber)
                   .arg(set ? QStringLiteral("true") : QStringLiteral("false"));
    return set;
}

bool ErrorController::hasCurrentWarning(uint8_t bitNumber) const
{
    if (bitNumber >= kWarningBits)
        return false;
    return bitSet(m_currentWarningList1.value, bitNumber);
}

void ErrorController::onCurrentErrorList1Changed(telegram_param_def errorList1)
{
    const bool changed = !m_currentErrorList1.sameContent(errorList1);
    m_currentErrorList1 = errorList1;
    if (changed)
        emit currentErrorList1Changed();
}

void ErrorController::onCurrentWarningList1Changed(telegram_param_def warningList1)
{
    const bool changed = !m_currentWarningList1.sameContent(warningList1);
    m_currentWarningList1 = warningList1;
    if (changed)
        emit currentWarningList1Changed();
}

error_history_list ErrorController::errorHistory(int slot) const
{
    if (slot < 0 || slot >= kHistorySize)
        return error_history_list();
    return m_errorHistory[size_t(slot)];
}

bool ErrorController::storeErrorHistory(int slot, const error_history_list& entry)
{
    if (slot < 0 || slot >= kHistorySize)
        return false;
    error_history_list& stored = m_errorHistory[size_t(slot)];
    if (stored != entry) {
        stored = entry;
        emitHistoryChanged(slot);
    }
    return true;
}

void ErrorController::emitHistoryChanged(int slot)
{
    switch (slot) {
    case 0:
        emit errorHistoryList1Changed();
        break;
    case 1:
        emit errorHistoryList2Changed();
        break;
    case 2:
        emit errorHistoryList3Changed();
        break;
    case 3:
        emit errorHistoryList4Changed();
        break;
    case 4:
        emit errorHistoryList5Changed();
        break;
    case 5:
        emit errorHistoryList6Changed();
        break;
    case 6:
        emit errorHistoryList7Changed();
        break;
    case 7:
        emit errorHistoryList8Changed();
        break;
    case 8:
        emit errorHistoryList9Changed();
        break;
    case 9:
        emit errorHistoryList10Changed();
        break;
    case 10:
        emit errorHistoryList11Changed();
        break;
    case 11:
        emit errorHistoryList12Changed();
        break;
    case 12:
        emit errorHistoryList13Changed();
        break;
    case 13:
        emit errorHistoryList14Changed();
        break;
    case 14:
        emit errorHistoryList15Changed();
        break;
    case 15:
        emit errorHistoryList16Changed();
        break;
    case 16:
        emit errorHistoryList17Changed();
        break;
    case 17:
        emit errorHistoryList18Changed();
        break;
    case 18:
        emit errorHistoryList19Changed();
        break;
    case 19:
        emit errorHistoryList20Changed();
        break;
    case 20:
        emit errorHistoryList21Changed();
        break;
    case 21:
        emit errorHistoryList22Changed();
        break;
    case 22:
        emit errorHistoryList23Changed();
        break;
    case 23:
        emit errorHistoryList24Changed();
        break;
    case 24:
        emit errorHistoryList25Changed();
        break;
    case 25:
        emit errorHistoryList26Changed();
        break;
    case 26:
        emit errorHistoryList27Changed();
        break;
    case 27:
        emit errorHistoryList28Changed();
        break;
    case 28:
        emit errorHistoryList29Changed();
        break;
    case 29:
        emit errorHistoryList30Changed();
        break;
    case 30:
        emit errorHistoryList31Changed();
        break;
    case 31:
        emit errorHistoryList32Changed();
        break;
    default:
        break;
    }
}

void ErrorController::onErrorHistoryList1Changed(error_history_list currentErrorHistory)
{
    storeErrorHistory(0, currentErrorHistory);
}

void ErrorController::onErrorHistoryList2Changed(error_history_list currentErrorHistory)
{
    storeErrorHistory(1, currentErrorHistory);
}

void ErrorController::onErrorHistoryList3Changed(error_history_list currentErrorHistory)
{
    storeErrorHistory(2, currentErrorHistory);
}

void ErrorController::onErrorHistoryList4Changed(error_history_list currentErrorHistory)
{
    storeErrorHistory(3, currentErrorHistory);
}

void ErrorController::onErrorHistoryList5Changed(error_history_list currentErrorHistory)
{
    storeErrorHistory(4, currentErrorHistory);
}

void ErrorController::onErrorHistoryList6Changed(error_history_list currentErrorHistory)
{
    storeErrorHistory(5, currentErrorHistory);
}

void ErrorController::onErrorHistoryList7Changed(error_history_list currentErrorHistory)
{
    storeErrorHistory(6, currentErrorHistory);
}

void ErrorController::onErrorHistoryList8Changed(error_history_list currentErrorHistory)
{
    storeErrorHistory(7, currentErrorHistory);
}

void ErrorController::onErrorHistoryList9Changed(error_history_list currentErrorHistory)
{
    storeErrorHistory(8, currentErrorHistory);
}

void ErrorController::onErrorHistoryList10Changed(error_history_list currentErrorHistory)
{
    storeErrorHistory(9, currentErrorHistory);
}

void ErrorController::onErrorHistoryList11Changed(error_history_list currentErrorHistory)
{
    storeErrorHistory(10, currentErrorHistory);
}

void ErrorController::onErrorHistoryList12Changed(error_history_list currentErrorHistory)
{
    storeErrorHistory(11, currentErrorHistory);
}

void ErrorController::onErrorHistoryList13Changed(error_history_list currentErrorHistory)
{
    storeErrorHistory(12, currentErrorHistory);
}

void ErrorController::onErrorHistoryList14Changed(error_history_list currentErrorHistory)
{
    storeErrorHistory(13, currentErrorHistory);
}

void ErrorController::onErrorHistoryList15Changed(error_history_list currentErrorHistory)
{
    storeErrorHistory(14, currentErrorHistory);
}

void ErrorController::onErrorHistoryList16Changed(error_history_list currentErrorHistory)
{
    storeErrorHistory(15, currentErrorHistory);
}

void ErrorController::onErrorHistoryList17Changed(error_history_list currentErrorHistory)
{
    storeErrorHistory(16, currentErrorHistory);
}

void ErrorController::onErrorHistoryList18Changed(error_history_list currentErrorHistory)
{
    storeErrorHistory(17, currentErrorHistory);
}

void ErrorController::onErrorHistoryList19Changed(error_history_list currentErrorHistory)
{
    storeErrorHistory(18, currentErrorHistory);
}

void ErrorController::onErrorHistoryList20Changed(error_history_list currentErrorHistory)
{
    storeErrorHistory(19, currentErrorHistory);
}

void ErrorController::onErrorHistoryList21Changed(error_history_list currentErrorHistory)
{
    storeErrorHistory(20, currentErrorHistory);
}

void ErrorController::onErrorHistoryList22Changed(error_history_list currentErrorHistory)
{
    storeErrorHistory(21, currentErrorHistory);
}

void ErrorController::onErrorHistoryList23Changed(error_history_list currentErrorHistory)
{
    storeErrorHistory(22, currentErrorHistory);
}

void ErrorController::onErrorHistoryList24Changed(error_history_list currentErrorHistory)
{
    storeErrorHistory(23, currentErrorHistory);
}

void ErrorController::onErrorHistoryList25Changed(error_history_list currentErrorHistory)
{
    storeErrorHistory(24, currentErrorHistory);
}

void ErrorController::onErrorHistoryList26Changed(error_history_list currentErrorHistory)
{
    storeErrorHistory(25, currentErrorHistory);
}

void ErrorController::onErrorHistoryList27Changed(error_history_list currentErrorHistory)
{
    storeErrorHistory(26, currentErrorHistory);
}

void ErrorController::onErrorHistoryList28Changed(error_history_list currentErrorHistory)
{
    storeErrorHistory(27, currentErrorHistory);
}

void ErrorController::onErrorHistoryList29Changed(error_history_list currentErrorHistory)
{
    storeErrorHistory(28, currentErrorHistory);
}

void ErrorController::onErrorHistoryList30Changed(error_history_list currentErrorHistory)
{
    storeErrorHistory(29, currentErrorHistory);
}

void ErrorController::onErrorHistoryList31Changed(error_history_list currentErrorHistory)
{
    storeErrorHistory(30, currentErrorHistory);
}

void ErrorController::onErrorHistoryList32Changed(error_history_list currentErrorHistory)
{
    storeErrorHistory(31, currentErrorHistory);
}

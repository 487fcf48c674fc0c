#include "nfccontroller.h"

#include "core/telegrammanager.h"

NfcController::NfcController() = default;

void NfcController::rechargeMassageCredit(EnumProviderClass::ACTION action,
                                          EnumProviderClass::PARAM_TYPE type, int32_t value)
{
    telegram_param_def record;
    record.id = EnumProviderClass::PARAM_NFC_TAG_CREDIT;
    record.def = 0xFFFF;
    record.value = value;
    record.min = 2147483647;
    record.max = 2147483647;
    record.step = 0xFFFF;
    record.divider = 0xFFFF;
    record.type = static_cast<quint8>(type);
    record.action = static_cast<quint8>(action);
    record.message2 = 0xFF;
    record.current = 0;
    TelegramManager::instance()->writeParam(record);
}

void NfcController::onNfcTagCreditChanged(telegram_param_def nfcTagCredit)
{
    const bool changed = !nfcTagCredit.sameContent(m_nfcTagCredit);
    m_nfcTagCredit = nfcTagCredit;
    if (changed || nfcTagCredit.action == EnumProviderClass::READ)
        emit nfcTagCreditChanged();
}

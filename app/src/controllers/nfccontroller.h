#pragma once

#include <QObject>

#include "types/enumproviderclass.h"
#include "types/telegramparamdef.h"

// The credit on a guest's NFC card as the reader reports it, and the
// operator's recharge of a card.
class NfcController : public QObject
{
    Q_OBJECT
    Q_PROPERTY(telegram_param_def nfcTagCredit READ nfcTagCredit NOTIFY nfcTagCreditChanged)

public:
    NfcController();

    telegram_param_def nfcTagCredit() const { return m_nfcTagCredit; }

    Q_INVOKABLE void rechargeMassageCredit(EnumProviderClass::ACTION action,
                                           EnumProviderClass::PARAM_TYPE type, int32_t value);

public slots:
    // Emits when the record changed, and always for a card read (READ), so
    // presenting the same card again opens the credit pop-up again.
    void onNfcTagCreditChanged(telegram_param_def nfcTagCredit);

signals:
    void nfcTagCreditChanged();

private:
    telegram_param_def m_nfcTagCredit;
};

#pragma once

#include "types/softwareonlinelist.h"
#include "types/telegramparamdef.h"

#include <QByteArray>
#include <QObject>
#include <QString>
#include <QStringList>

class rimoTelegram;

// Decodes one telegram from the main control unit (bus address 0x08) and
// hands what it carries to the domain controllers of the application
// controller; answers the unit's identification requests and the request for
// the software checksum. Keeps no state: the telegram manager creates one per
// telegram and destroys it right after.
class MainControlTelegrams : public QObject
{
    Q_OBJECT

public:
    // Commands of the main control unit.
    enum Command : uchar {
        CommandInvalid = 0x00,
        CommandParamReport = 0x09,
        CommandRequestControlFlags = 0x80,
        CommandRequestBlock16 = 0x81,
        CommandRequestSoftwareVersion = 0x82,
        CommandRequestNumber = 0x83,
        CommandRequestBlock32 = 0x84,
        CommandParamRequest = 0x89,
    };

    explicit MainControlTelegrams(QObject* parent = nullptr);

    void decode(const rimoTelegram& telegram);
    // The same on the command and data field alone.
    void decode(uchar command, const QByteArray& data);

    // Data of the answer to identification request 0x80 … 0x84 (the answer's
    // command is request − 0x80). `versions` is the software version list
    // (major, minor, …); an entry missing or not a number is sent as 0.
    static QByteArray identificationAnswer(uchar request, quint16 controlFlags,
                                           const QStringList& versions);
    // Data of the checksum report: parameter 469 followed by the value, most
    // significant byte first.
    static QByteArray checksumReport(quint32 crc32);
    // Bytes as lower-case hexadecimal pairs separated by blanks.
    static QString hexText(const QByteArray& data);

signals:
    void mainControlTelegramError(QString error);

private:
    void decodeParameterReport(const QByteArray& data);
    void decodeParameterRequest(const QByteArray& data);
    void answerIdentification(uchar request);
    void dispatchRecord(quint16 id, const telegram_param_def& record, const QByteArray& data);
    void dispatchSoftwareInfo(const software_online_list& info);
    void deviceStateStep(const telegram_param_def& record);
    void setupSwitchStep(const telegram_param_def& record);
    void languageStep(const telegram_param_def& record);
};

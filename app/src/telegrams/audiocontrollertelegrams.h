#pragma once

#include <QObject>
#include <QString>

class rimoTelegram;

// Decodes one telegram of the audio board (0xF2) into the media controller and
// the audio folder list. Keeps no state between telegrams.
class AudioControllerTelegrams : public QObject
{
    Q_OBJECT

public:
    explicit AudioControllerTelegrams(QObject* parent = nullptr);

    void decode(const rimoTelegram& telegram);

signals:
    void audioControllerErrorTelegram(QString error);
};

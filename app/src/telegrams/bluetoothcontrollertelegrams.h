#pragma once

#include <QObject>
#include <QString>

class rimoTelegram;

// Decodes one telegram of the Bluetooth board (0x98): the now-playing texts of
// a Bluetooth source. Keeps no state between telegrams.
class BluetoothControllerTelegrams : public QObject
{
    Q_OBJECT

public:
    explicit BluetoothControllerTelegrams(QObject* parent = nullptr);

    void decode(const rimoTelegram& telegram);

signals:
    void bluetoothControllerErrorTelegram(QString error);
};

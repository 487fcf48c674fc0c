#pragma once

#include <QByteArray>
#include <QObject>
#include <QString>

#include "types/telegramparamdef.h"

// Connection state of the Bluetooth audio module and its advertised name.
class BluetoothController : public QObject
{
    Q_OBJECT
    Q_PROPERTY(telegram_param_def bluetoothState READ bluetoothState NOTIFY bluetoothStateChanged)
    Q_PROPERTY(
        QString bluetoothDeviceName READ bluetoothDeviceName NOTIFY bluetoothDeviceNameChanged)

public:
    static constexpr int DeviceNameFieldSize = 21;

    BluetoothController();

    telegram_param_def bluetoothState() const { return m_bluetoothState; }
    QString bluetoothDeviceName() const { return m_bluetoothDeviceName; }

    // Raw write of parameter 326: the id and the name in a 21-byte Latin-1 field.
    static QByteArray deviceNameWrite(const QString& name);

    Q_INVOKABLE void setBluetoothState(int32_t value);
    Q_INVOKABLE void setBluetoothDeviceName(const QString& name);

public slots:
    void onBluetoothStateChanged(telegram_param_def bluetoothState);
    void onBluetoothDeviceNameChanged(QString bluetoothDeviceName);

signals:
    void bluetoothStateChanged();
    void bluetoothDeviceNameChanged();

private:
    telegram_param_def m_bluetoothState;
    QString m_bluetoothDeviceName;
};

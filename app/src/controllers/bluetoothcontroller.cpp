#include "bluetoothcontroller.h"

#include "core/telegrammanager.h"
#include "types/enumproviderclass.h"

BluetoothController::BluetoothController() = default;

QByteArray BluetoothController::deviceNameWrite(const QString& name)
{
    const quint16 id = EnumProviderClass::PARAM_SETUP_MANAGER_BT_DEVICE_NAME;
    QByteArray bytes;
    bytes.append(static_cast<char>(id & 0xFF));
    bytes.append(static_cast<char>(id >> 8));
    QByteArray field = name.toLatin1().left(DeviceNameFieldSize);
    field.append(QByteArray(DeviceNameFieldSize - field.size(), '\0'));
    bytes.append(field);
    return bytes;
}

void BluetoothController::setBluetoothState(int32_t value)
{
    telegram_param_def record;
    record.id = EnumProviderClass::PARAM_BLUETOOTH_STATE;
    record.value = value;
    record.def = 0xFFFF;
    record.step = 0xFFFF;
    record.divider = 0xFFFF;
    record.min = 2147483647;
    record.max = 2147483647;
    record.type = 0xFF;
    record.action = 0xFF;
    record.message2 = 0xFF;
    record.current = 0;
    TelegramManager::instance()->writeParam(record);
}

void BluetoothController::setBluetoothDeviceName(const QString& name)
{
    TelegramManager::instance()->writeRawParam(deviceNameWrite(name));
}

void BluetoothController::onBluetoothStateChanged(telegram_param_def bluetoothState)
{
    m_bluetoothState = bluetoothState;
    emit bluetoothStateChanged();
}

void BluetoothController::onBluetoothDeviceNameChanged(QString bluetoothDeviceName)
{
    m_bluetoothDeviceName = bluetoothDeviceName;
    emit bluetoothDeviceNameChanged();
}

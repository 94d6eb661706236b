#include "protocols/deviceinfo.h"

#include <QBluetoothAddress>

DeviceInfo::DeviceInfo(const QBluetoothDeviceInfo& device) : m_device(device) {}

QString DeviceInfo::getAddress() const
{
    return m_device.address().toString();
}

QString DeviceInfo::getName() const
{
    return m_device.name();
}

QBluetoothDeviceInfo DeviceInfo::getDevice() const
{
    return m_device;
}

void DeviceInfo::setDevice(const QBluetoothDeviceInfo& device)
{
    m_device = device;
    emit deviceChanged();
}

// Own moc unit: the library-wide one repeats a class the application also compiles.
#include "moc_deviceinfo.cpp"

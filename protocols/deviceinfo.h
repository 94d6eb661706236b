#pragma once

#include <QBluetoothDeviceInfo>
#include <QObject>
#include <QString>

// One device found by the scan. Its address text is its identity in the tab.
class DeviceInfo : public QObject
{
    Q_OBJECT
public:
    explicit DeviceInfo(const QBluetoothDeviceInfo& device);

    QString getAddress() const;
    QString getName() const;
    QBluetoothDeviceInfo getDevice() const;
    void setDevice(const QBluetoothDeviceInfo& device);

signals:
    void deviceChanged();

private:
    QBluetoothDeviceInfo m_device;
};

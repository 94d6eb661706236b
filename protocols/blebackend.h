#pragma once

#include <QBluetoothDeviceDiscoveryAgent>
#include <QBluetoothDeviceInfo>
#include <QBluetoothUuid>
#include <QByteArray>
#include <QList>
#include <QLowEnergyCharacteristic>
#include <QLowEnergyController>
#include <QLowEnergyService>
#include <QObject>
#include <QString>

#include <memory>

// The BLE model talks to the radio only through the interfaces below. The Qt
// Bluetooth implementation is the one the program uses; tests put a scripted
// peripheral behind the same interfaces, since no real one exists on a build machine.

struct BleDescriptor
{
    QBluetoothUuid uuid;
    QByteArray value;
};

// A snapshot of one characteristic: its value is the one known when it was taken.
struct BleCharacteristic
{
    QBluetoothUuid uuid;
    QString name;
    QByteArray value;
    QLowEnergyCharacteristic::PropertyTypes properties;
    QList<BleDescriptor> descriptors;

    bool isValid() const { return !uuid.isNull(); }
    // The first descriptor of that type; an invalid one (null uuid) when there is none.
    BleDescriptor descriptor(QBluetoothUuid::DescriptorType type) const;
    BleDescriptor clientCharacteristicConfiguration() const
    {
        return descriptor(QBluetoothUuid::DescriptorType::ClientCharacteristicConfiguration);
    }
};
Q_DECLARE_METATYPE(BleCharacteristic)

class BleService : public QObject
{
    Q_OBJECT
public:
    using QObject::QObject;

    virtual QBluetoothUuid serviceUuid() const = 0;
    virtual QString serviceName() const = 0;
    virtual QLowEnergyService::ServiceTypes type() const = 0;
    virtual QLowEnergyService::ServiceState state() const = 0;
    virtual QList<BleCharacteristic> characteristics() const = 0;
    // The first characteristic with that uuid; an invalid one when there is none.
    BleCharacteristic characteristic(const QBluetoothUuid& uuid) const;

    virtual void discoverDetails() = 0;
    virtual void readCharacteristic(const QBluetoothUuid& characteristic) = 0;
    virtual void writeCharacteristic(const QBluetoothUuid& characteristic, const QByteArray& value,
                                     QLowEnergyService::WriteMode mode) = 0;
    virtual void writeDescriptor(const QBluetoothUuid& characteristic, const QBluetoothUuid& descriptor,
                                 const QByteArray& value) = 0;

signals:
    void stateChanged(QLowEnergyService::ServiceState newState);
    void characteristicRead(const BleCharacteristic& characteristic, const QByteArray& value);
    void characteristicChanged(const BleCharacteristic& characteristic, const QByteArray& value);
    // The peripheral confirmed a write.
    void characteristicWritten(const BleCharacteristic& characteristic, const QByteArray& value);
    void descriptorWritten(const QBluetoothUuid& characteristic, const QBluetoothUuid& descriptor,
                           const QByteArray& value);
    // A read or write the peripheral refused or that failed on the way.
    void errorOccurred(QLowEnergyService::ServiceError error);
};

class BleController : public QObject
{
    Q_OBJECT
public:
    using QObject::QObject;

    virtual void connectToDevice() = 0;
    virtual void disconnectFromDevice() = 0;
    virtual void discoverServices() = 0;
    // A new service object without parent, or null when the uuid is not known.
    virtual BleService* createServiceObject(const QBluetoothUuid& uuid) = 0;
    virtual QLowEnergyController::ControllerState state() const = 0;
    virtual QLowEnergyController::Error error() const = 0;
    virtual void setRemoteAddressType(QLowEnergyController::RemoteAddressType type) = 0;

signals:
    void connected();
    void disconnected();
    void errorOccurred(QLowEnergyController::Error error);
    void serviceDiscovered(const QBluetoothUuid& uuid);
    void discoveryFinished();
};

class BleDiscoveryAgent : public QObject
{
    Q_OBJECT
public:
    using QObject::QObject;

    virtual void setLowEnergyDiscoveryTimeout(int ms) = 0;
    // Low-energy devices only.
    virtual void start() = 0;
    virtual void stop() = 0;
    virtual bool isActive() const = 0;
    virtual QString errorString() const = 0;

signals:
    void deviceDiscovered(const QBluetoothDeviceInfo& info);
    void finished();
    void canceled();
    void errorOccurred(QBluetoothDeviceDiscoveryAgent::Error error);
};

class BleBackend
{
public:
    virtual ~BleBackend() = default;
    virtual BleDiscoveryAgent* createDiscoveryAgent(QObject* parent) = 0;
    virtual BleController* createCentral(const QBluetoothDeviceInfo& device, QObject* parent) = 0;
};

// The real radio, through Qt Bluetooth.
std::unique_ptr<BleBackend> makeQtBleBackend();

#pragma once

#include <QBluetoothDeviceInfo>
#include <QList>
#include <QMap>
#include <QPointer>

#include "protocols/blebackend.h"

// A scripted peripheral behind the model's radio interfaces. Replies come on
// the next event-loop turn, as from a real stack, unless `synchronous` is set.

struct FakeServiceSpec
{
    QBluetoothUuid uuid;
    QString name;
    QList<BleCharacteristic> characteristics;
    QLowEnergyService::ServiceTypes type = QLowEnergyService::PrimaryService;
};

struct FakeWrite
{
    QBluetoothUuid characteristic;
    QBluetoothUuid descriptor; // null for a characteristic write
    QByteArray value;
};

class FakeBackend;

class FakeService : public BleService
{
    Q_OBJECT
public:
    FakeService(const FakeServiceSpec& spec, FakeBackend* backend);

    QBluetoothUuid serviceUuid() const override { return m_spec.uuid; }
    QString serviceName() const override { return m_spec.name; }
    QLowEnergyService::ServiceTypes type() const override { return m_spec.type; }
    QLowEnergyService::ServiceState state() const override { return m_state; }
    QList<BleCharacteristic> characteristics() const override;
    void discoverDetails() override;
    void readCharacteristic(const QBluetoothUuid& characteristic) override;
    void writeCharacteristic(const QBluetoothUuid& characteristic, const QByteArray& value) override;
    void writeDescriptor(const QBluetoothUuid& characteristic, const QBluetoothUuid& descriptor,
                         const QByteArray& value) override;

    // The peripheral's side.
    void answerRead(const QBluetoothUuid& characteristic, const QByteArray& value);
    void notify(const QBluetoothUuid& characteristic, const QByteArray& value);
    void setState(QLowEnergyService::ServiceState state);

    QList<QBluetoothUuid> reads;
    QList<FakeWrite> writes;

private:
    FakeServiceSpec m_spec;
    FakeBackend* m_backend;
    QLowEnergyService::ServiceState m_state = QLowEnergyService::RemoteService;
};

class FakeController : public BleController
{
    Q_OBJECT
public:
    FakeController(const QBluetoothDeviceInfo& device, FakeBackend* backend, QObject* parent);

    void connectToDevice() override;
    void disconnectFromDevice() override;
    void discoverServices() override;
    BleService* createServiceObject(const QBluetoothUuid& uuid) override;
    QLowEnergyController::ControllerState state() const override { return m_state; }
    QLowEnergyController::Error error() const override { return m_error; }
    void setRemoteAddressType(QLowEnergyController::RemoteAddressType type) override { addressType = type; }

    // The peripheral drops the link, or the stack reports an error.
    void dropLink();
    void fail(QLowEnergyController::Error error);

    QBluetoothDeviceInfo device;
    QLowEnergyController::RemoteAddressType addressType = QLowEnergyController::PublicAddress;
    int connectCalls = 0;

private:
    FakeBackend* m_backend;
    QLowEnergyController::ControllerState m_state = QLowEnergyController::UnconnectedState;
    QLowEnergyController::Error m_error = QLowEnergyController::NoError;
};

class FakeAgent : public BleDiscoveryAgent
{
    Q_OBJECT
public:
    explicit FakeAgent(QObject* parent) : BleDiscoveryAgent(parent) {}

    void setLowEnergyDiscoveryTimeout(int ms) override { timeout = ms; }
    void start() override;
    void stop() override;
    bool isActive() const override { return m_active; }
    QString errorString() const override { return m_errorString; }

    // The radio's side.
    void see(const QBluetoothDeviceInfo& info) { emit deviceDiscovered(info); }
    void timeOut();

    int timeout = 0;
    int starts = 0;
    // When set, start() fails at once with it, as without an adapter.
    std::optional<QBluetoothDeviceDiscoveryAgent::Error> failOnStart;

private:
    bool m_active = false;
    QString m_errorString;
};

class FakeBackend : public BleBackend
{
public:
    BleDiscoveryAgent* createDiscoveryAgent(QObject* parent) override;
    BleController* createCentral(const QBluetoothDeviceInfo& device, QObject* parent) override;

    // The device at that address offers these services.
    void addPeripheral(const QString& address, const QList<FakeServiceSpec>& services)
    {
        peripherals.insert(address, services);
    }
    FakeService* service(const QString& uuid) const;

    QMap<QString, QList<FakeServiceSpec>> peripherals;
    QPointer<FakeAgent> agent;
    QPointer<FakeController> controller; // the last one made
    QList<QPointer<FakeService>> services;
    int controllersMade = 0;
    bool synchronous = false;
    // Services whose object the controller cannot make.
    QList<QBluetoothUuid> refused;
};

// Test data helpers.
QBluetoothDeviceInfo leDevice(const QString& address, const QString& name);
BleCharacteristic characteristic(quint16 uuid, QLowEnergyCharacteristic::PropertyTypes properties,
                                 bool withCccd = false, const QString& name = QString());
QString uuidText(quint16 uuid);

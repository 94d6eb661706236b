#pragma once

#include <QBluetoothAddress>
#include <QBluetoothDeviceInfo>
#include <QMap>
#include <QPointer>
#include <QTimer>

#include "protocols/blebackend.h"

// A scripted peripheral behind the model's radio interfaces. Replies come on the next
// event-loop turn, as from a real stack; the test plays the peripheral's side.

using ServiceState = QLowEnergyService::ServiceState;
using ControllerState = QLowEnergyController::ControllerState;

struct FakeServiceDef
{
    QBluetoothUuid uuid;
    QString name;
    QList<BleCharacteristic> characteristics;
};

class FakeService : public BleService
{
public:
    explicit FakeService(const FakeServiceDef& def) : m_def(def) {}

    QBluetoothUuid serviceUuid() const override { return m_def.uuid; }
    QString serviceName() const override { return m_def.name; }
    QLowEnergyService::ServiceTypes type() const override { return QLowEnergyService::PrimaryService; }
    ServiceState state() const override { return m_state; }
    QList<BleCharacteristic> characteristics() const override
    {
        return m_state == ServiceState::RemoteServiceDiscovered ? m_def.characteristics
                                                                : QList<BleCharacteristic>();
    }
    void discoverDetails() override
    {
        setState(ServiceState::RemoteServiceDiscovering);
        QTimer::singleShot(0, this, [this] { setState(ServiceState::RemoteServiceDiscovered); });
    }
    void readCharacteristic(const QBluetoothUuid& c) override { reads.append(c); }
    // Written as "2a39=6869" (characteristic) or "2a37/2902=0100" (its descriptor), uuids in
    // 16 bits; a write without response ends in " nr".
    void writeCharacteristic(const QBluetoothUuid& c, const QByteArray& v,
                             QLowEnergyService::WriteMode mode) override
    {
        writes << hex(c) + "=" + v.toHex() + (mode == QLowEnergyService::WriteWithoutResponse ? " nr" : "");
    }
    void writeDescriptor(const QBluetoothUuid& c, const QBluetoothUuid& d, const QByteArray& v) override
    {
        writes << hex(c) + "/" + hex(d) + "=" + v.toHex();
    }
    void fail(QLowEnergyService::ServiceError error) { emit errorOccurred(error); }
    void answerRead(quint16 uuid, const QByteArray& v) { emit characteristicRead(with(uuid, v), v); }
    void notify(quint16 uuid, const QByteArray& v) { emit characteristicChanged(with(uuid, v), v); }
    void confirmWrite(quint16 uuid, const QByteArray& v) { emit characteristicWritten(with(uuid, v), v); }
    // The peripheral confirms the last switch written to the characteristic's CCCD.
    void confirmSwitch(quint16 uuid)
    {
        const QByteArray v = QByteArray::fromHex(writes.last().section('=', 1).toLatin1());
        emit descriptorWritten(QBluetoothUuid(uuid), QBluetoothUuid(quint16(0x2902)), v);
    }
    void setState(ServiceState state) { emit stateChanged(m_state = state); }

    QList<QBluetoothUuid> reads;
    QStringList writes;

private:
    static QString hex(const QBluetoothUuid& u) { return QString::number(u.toUInt16(), 16); }
    BleCharacteristic with(quint16 uuid, const QByteArray& value) const
    {
        BleCharacteristic c = characteristic(QBluetoothUuid(uuid));
        c.value = value;
        return c;
    }
    FakeServiceDef m_def;
    ServiceState m_state = ServiceState::RemoteService;
};

class FakeController : public BleController
{
public:
    FakeController(const QBluetoothDeviceInfo& device, const QList<FakeServiceDef>& defs,
                   QList<QPointer<FakeService>>* made, QObject* parent)
        : BleController(parent), device(device), m_defs(defs), m_made(made)
    {
    }

    void connectToDevice() override
    {
        if (m_state != ControllerState::UnconnectedState)
            return; // as Qt does
        m_state = ControllerState::ConnectingState;
        QTimer::singleShot(0, this, [this] { m_state = ControllerState::ConnectedState, emit connected(); });
    }
    void disconnectFromDevice() override
    {
        if (m_state != ControllerState::UnconnectedState)
            QTimer::singleShot(0, this, [this] { dropLink(); });
    }
    void discoverServices() override
    {
        QTimer::singleShot(0, this, [this] {
            for (const FakeServiceDef& def : m_defs)
                emit serviceDiscovered(def.uuid);
            m_state = ControllerState::DiscoveredState;
            emit discoveryFinished();
        });
    }
    BleService* createServiceObject(const QBluetoothUuid& uuid) override
    {
        for (const FakeServiceDef& def : m_defs)
            if (def.uuid == uuid)
                return m_made->emplace_back(new FakeService(def));
        return nullptr;
    }
    ControllerState state() const override { return m_state; }
    QLowEnergyController::Error error() const override { return m_error; }
    void setRemoteAddressType(QLowEnergyController::RemoteAddressType) override {}

    // The peripheral drops the link, or the stack reports an error.
    void dropLink() { m_state = ControllerState::UnconnectedState, emit disconnected(); }
    void fail(QLowEnergyController::Error error)
    {
        m_state = ControllerState::UnconnectedState;
        emit errorOccurred(m_error = error);
    }

    QBluetoothDeviceInfo device;

private:
    QList<FakeServiceDef> m_defs;
    QList<QPointer<FakeService>>* m_made;
    ControllerState m_state = ControllerState::UnconnectedState;
    QLowEnergyController::Error m_error = QLowEnergyController::NoError;
};

class FakeAgent : public BleDiscoveryAgent
{
public:
    using BleDiscoveryAgent::BleDiscoveryAgent;

    void setLowEnergyDiscoveryTimeout(int) override {}
    void start() override
    {
        ++starts;
        if (!(m_active = !failOnStart))
            emit errorOccurred(*failOnStart);
    }
    void stop() override
    {
        if (std::exchange(m_active, false))
            emit canceled();
    }
    bool isActive() const override { return m_active; }
    QString errorString() const override { return "Cannot find valid Bluetooth adapter."; }
    void see(const QString& address, const QString& name)
    {
        QBluetoothDeviceInfo info(QBluetoothAddress(address), name, 0);
        info.setCoreConfigurations(QBluetoothDeviceInfo::LowEnergyCoreConfiguration);
        emit deviceDiscovered(info);
    }
    void timeOut() { m_active = false, emit finished(); }

    int starts = 0;
    // When set, start() fails at once with it, as without an adapter.
    std::optional<QBluetoothDeviceDiscoveryAgent::Error> failOnStart;

private:
    bool m_active = false;
};

class FakeBackend : public BleBackend
{
public:
    BleDiscoveryAgent* createDiscoveryAgent(QObject* parent) override
    {
        return agent = new FakeAgent(parent);
    }
    BleController* createCentral(const QBluetoothDeviceInfo& device, QObject* parent) override
    {
        ++controllersMade;
        return controller = new FakeController(device, peripherals.value(device.address().toString()),
                                               &services, parent);
    }
    // The newest live service object for that uuid.
    FakeService* service(quint16 uuid) const
    {
        for (auto it = services.crbegin(); it != services.crend(); ++it)
            if (*it && (*it)->serviceUuid() == QBluetoothUuid(uuid))
                return *it;
        return nullptr;
    }

    QMap<QString, QList<FakeServiceDef>> peripherals; // by address
    QPointer<FakeAgent> agent;
    QPointer<FakeController> controller; // the last one made
    QList<QPointer<FakeService>> services;
    int controllersMade = 0;
};

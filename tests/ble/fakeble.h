#pragma once

#include <QBluetoothAddress>
#include <QBluetoothDeviceInfo>
#include <QMap>
#include <QPointer>
#include <QTimer>

#include "protocols/blebackend.h"

// A scripted peripheral behind the model's radio interfaces. Replies come on the next
// event-loop turn, as from a real stack; the test plays the peripheral's side.

struct FakeServiceDef
{
    QBluetoothUuid uuid;
    QString name;
    QList<BleCharacteristic> characteristics;
    QLowEnergyService::ServiceTypes type = QLowEnergyService::PrimaryService;
};

class FakeService : public BleService
{
public:
    explicit FakeService(const FakeServiceDef& def) : m_def(def) {}

    QBluetoothUuid serviceUuid() const override { return m_def.uuid; }
    QString serviceName() const override { return m_def.name; }
    QLowEnergyService::ServiceTypes type() const override { return m_def.type; }
    QLowEnergyService::ServiceState state() const override { return m_state; }
    QList<BleCharacteristic> characteristics() const override
    {
        return m_state == QLowEnergyService::RemoteServiceDiscovered ? m_def.characteristics
                                                                     : QList<BleCharacteristic>();
    }
    void discoverDetails() override
    {
        setState(QLowEnergyService::RemoteServiceDiscovering);
        QTimer::singleShot(0, this, [this] { setState(QLowEnergyService::RemoteServiceDiscovered); });
    }
    void readCharacteristic(const QBluetoothUuid& c) override { reads.append(c); }
    // Written as "2a39=6869" (characteristic) or "2a37/2902=0100" (its descriptor), uuids in
    // 16 bits; a write without response ends in " nr".
    void writeCharacteristic(const QBluetoothUuid& c, const QByteArray& v,
                             QLowEnergyService::WriteMode mode) override
    {
        write(c, {}, v);
        if (mode == QLowEnergyService::WriteWithoutResponse)
            writes.last() += " nr";
    }
    void writeDescriptor(const QBluetoothUuid& c, const QBluetoothUuid& d, const QByteArray& v) override
    {
        write(c, d, v);
    }
    void fail(QLowEnergyService::ServiceError error) { emit errorOccurred(error); }

    void answerRead(quint16 uuid, const QByteArray& v) { emit characteristicRead(with(uuid, v), v); }
    void notify(quint16 uuid, const QByteArray& v) { emit characteristicChanged(with(uuid, v), v); }
    void setState(QLowEnergyService::ServiceState state) { emit stateChanged(m_state = state); }

    QList<QBluetoothUuid> reads;
    QStringList writes;

private:
    void write(const QBluetoothUuid& c, const QBluetoothUuid& d, const QByteArray& v)
    {
        const auto hex = [](quint16 u) { return QString::number(u, 16); };
        writes.append(hex(c.toUInt16()) + (d.isNull() ? QString() : "/" + hex(d.toUInt16())) + "=" +
                      QString::fromLatin1(v.toHex()));
    }
    BleCharacteristic with(quint16 uuid, const QByteArray& value) const
    {
        BleCharacteristic c = characteristic(QBluetoothUuid(uuid));
        c.value = value;
        return c;
    }
    FakeServiceDef m_def;
    QLowEnergyService::ServiceState m_state = QLowEnergyService::RemoteService;
};

class FakeController : public BleController
{
public:
    // Offers `defs`; every service object it makes is added to `made`.
    FakeController(const QBluetoothDeviceInfo& device, const QList<FakeServiceDef>& defs,
                   QList<QPointer<FakeService>>* made, QObject* parent)
        : BleController(parent), device(device), m_defs(defs), m_made(made)
    {
    }

    void connectToDevice() override
    {
        ++connectCalls;
        if (m_state != QLowEnergyController::UnconnectedState)
            return; // as Qt does
        m_state = QLowEnergyController::ConnectingState;
        QTimer::singleShot(0, this, [this] {
            m_state = QLowEnergyController::ConnectedState;
            emit connected();
        });
    }
    void disconnectFromDevice() override
    {
        if (m_state != QLowEnergyController::UnconnectedState)
            QTimer::singleShot(0, this, [this] { dropLink(); });
    }
    void discoverServices() override
    {
        QTimer::singleShot(0, this, [this] {
            for (const FakeServiceDef& def : m_defs)
                emit serviceDiscovered(def.uuid);
            m_state = QLowEnergyController::DiscoveredState;
            emit discoveryFinished();
        });
    }
    BleService* createServiceObject(const QBluetoothUuid& uuid) override
    {
        for (const FakeServiceDef& def : m_defs) {
            if (def.uuid == uuid)
                return m_made->emplace_back(new FakeService(def));
        }
        return nullptr;
    }
    QLowEnergyController::ControllerState state() const override { return m_state; }
    QLowEnergyController::Error error() const override { return m_error; }
    void setRemoteAddressType(QLowEnergyController::RemoteAddressType) override {}

    // The peripheral drops the link, or the stack reports an error.
    void dropLink()
    {
        m_state = QLowEnergyController::UnconnectedState;
        emit disconnected();
    }
    void fail(QLowEnergyController::Error error)
    {
        m_state = QLowEnergyController::UnconnectedState;
        emit errorOccurred(m_error = error);
    }

    QBluetoothDeviceInfo device;
    int connectCalls = 0;

private:
    QList<FakeServiceDef> m_defs;
    QList<QPointer<FakeService>>* m_made;
    QLowEnergyController::ControllerState m_state = QLowEnergyController::UnconnectedState;
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
        m_active = !failOnStart;
        if (failOnStart)
            emit errorOccurred(*failOnStart);
    }
    void stop() override
    {
        if (std::exchange(m_active, false))
            emit canceled();
    }
    bool isActive() const override { return m_active; }
    QString errorString() const override { return QStringLiteral("Cannot find valid Bluetooth adapter."); }

    void see(const QBluetoothDeviceInfo& info) { emit deviceDiscovered(info); }
    void timeOut()
    {
        m_active = false;
        emit finished();
    }

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
        const QList<FakeServiceDef> defs = peripherals.value(device.address().toString());
        return controller = new FakeController(device, defs, &services, parent);
    }
    // The newest live service object for that uuid.
    FakeService* service(quint16 uuid) const
    {
        for (auto it = services.crbegin(); it != services.crend(); ++it) {
            if (*it && (*it)->serviceUuid() == QBluetoothUuid(uuid))
                return *it;
        }
        return nullptr;
    }

    QMap<QString, QList<FakeServiceDef>> peripherals; // by address
    QPointer<FakeAgent> agent;
    QPointer<FakeController> controller; // the last one made
    QList<QPointer<FakeService>> services;
    int controllersMade = 0;
};

inline QBluetoothDeviceInfo leDevice(const QString& address, const QString& name)
{
    QBluetoothDeviceInfo info(QBluetoothAddress(address), name, 0);
    info.setCoreConfigurations(QBluetoothDeviceInfo::LowEnergyCoreConfiguration);
    return info;
}

inline BleCharacteristic characteristic(quint16 uuid, QLowEnergyCharacteristic::PropertyTypes properties,
                                        bool withCccd = false, const QString& name = QString())
{
    BleCharacteristic c{QBluetoothUuid(uuid), name, {}, properties, {}};
    if (withCccd)
        c.descriptors.append(
            {QBluetoothUuid(QBluetoothUuid::DescriptorType::ClientCharacteristicConfiguration),
             QByteArray(2, 0)});
    return c;
}

inline QString uuidText(quint16 uuid)
{
    return QBluetoothUuid(uuid).toString();
}

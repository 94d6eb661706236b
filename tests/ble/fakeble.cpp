#include "tests/ble/fakeble.h"

#include <QBluetoothAddress>
#include <QTimer>

namespace {
void later(FakeBackend* backend, QObject* context, std::function<void()> f)
{
    if (backend->synchronous)
        f();
    else
        QTimer::singleShot(0, context, std::move(f));
}
} // namespace

FakeService::FakeService(const FakeServiceSpec& spec, FakeBackend* backend) : m_spec(spec), m_backend(backend)
{
}

QList<BleCharacteristic> FakeService::characteristics() const
{
    return m_state == QLowEnergyService::RemoteServiceDiscovered ? m_spec.characteristics
                                                                 : QList<BleCharacteristic>();
}

void FakeService::discoverDetails()
{
    setState(QLowEnergyService::RemoteServiceDiscovering);
    later(m_backend, this, [this] { setState(QLowEnergyService::RemoteServiceDiscovered); });
}

void FakeService::setState(QLowEnergyService::ServiceState state)
{
    m_state = state;
    emit stateChanged(state);
}

void FakeService::readCharacteristic(const QBluetoothUuid& characteristic)
{
    reads.append(characteristic);
}

void FakeService::writeCharacteristic(const QBluetoothUuid& characteristic, const QByteArray& value)
{
    writes.append({characteristic, QBluetoothUuid(), value});
}

void FakeService::writeDescriptor(const QBluetoothUuid& characteristic, const QBluetoothUuid& descriptor,
                                  const QByteArray& value)
{
    writes.append({characteristic, descriptor, value});
}

void FakeService::answerRead(const QBluetoothUuid& uuid, const QByteArray& value)
{
    BleCharacteristic c = characteristic(uuid);
    c.value = value;
    emit characteristicRead(c, value);
}

void FakeService::notify(const QBluetoothUuid& uuid, const QByteArray& value)
{
    BleCharacteristic c = characteristic(uuid);
    c.value = value;
    emit characteristicChanged(c, value);
}

FakeController::FakeController(const QBluetoothDeviceInfo& device, FakeBackend* backend, QObject* parent)
    : BleController(parent), device(device), m_backend(backend)
{
}

void FakeController::connectToDevice()
{
    ++connectCalls;
    if (m_state != QLowEnergyController::UnconnectedState)
        return; // as Qt does
    m_state = QLowEnergyController::ConnectingState;
    later(m_backend, this, [this] {
        m_state = QLowEnergyController::ConnectedState;
        emit connected();
    });
}

void FakeController::disconnectFromDevice()
{
    if (m_state == QLowEnergyController::UnconnectedState)
        return;
    m_state = QLowEnergyController::ClosingState;
    later(m_backend, this, [this] { dropLink(); });
}

void FakeController::dropLink()
{
    m_state = QLowEnergyController::UnconnectedState;
    emit disconnected();
}

void FakeController::fail(QLowEnergyController::Error error)
{
    m_error = error;
    m_state = QLowEnergyController::UnconnectedState;
    emit errorOccurred(error);
}

void FakeController::discoverServices()
{
    m_state = QLowEnergyController::DiscoveringState;
    later(m_backend, this, [this] {
        const QList<FakeServiceSpec> specs = m_backend->peripherals.value(device.address().toString());
        for (const FakeServiceSpec& spec : specs)
            emit serviceDiscovered(spec.uuid);
        m_state = QLowEnergyController::DiscoveredState;
        emit discoveryFinished();
    });
}

BleService* FakeController::createServiceObject(const QBluetoothUuid& uuid)
{
    if (m_backend->refused.contains(uuid))
        return nullptr;
    const QList<FakeServiceSpec> specs = m_backend->peripherals.value(device.address().toString());
    for (const FakeServiceSpec& spec : specs) {
        if (spec.uuid == uuid) {
            auto* service = new FakeService(spec, m_backend);
            m_backend->services.append(service);
            return service;
        }
    }
    return nullptr;
}

void FakeAgent::start()
{
    ++starts;
    if (failOnStart) {
        m_errorString = QStringLiteral("Cannot find valid Bluetooth adapter.");
        emit errorOccurred(*failOnStart);
        return;
    }
    m_active = true;
}

void FakeAgent::stop()
{
    if (!m_active)
        return;
    m_active = false;
    emit canceled();
}

void FakeAgent::timeOut()
{
    m_active = false;
    emit finished();
}

BleDiscoveryAgent* FakeBackend::createDiscoveryAgent(QObject* parent)
{
    agent = new FakeAgent(parent);
    return agent;
}

BleController* FakeBackend::createCentral(const QBluetoothDeviceInfo& device, QObject* parent)
{
    ++controllersMade;
    controller = new FakeController(device, this, parent);
    return controller;
}

FakeService* FakeBackend::service(const QString& uuid) const
{
    // The newest live object for that uuid.
    for (auto it = services.crbegin(); it != services.crend(); ++it) {
        if (*it && (*it)->serviceUuid() == QBluetoothUuid(QUuid::fromString(uuid)))
            return *it;
    }
    return nullptr;
}

QBluetoothDeviceInfo leDevice(const QString& address, const QString& name)
{
    QBluetoothDeviceInfo info(QBluetoothAddress(address), name, 0);
    info.setCoreConfigurations(QBluetoothDeviceInfo::LowEnergyCoreConfiguration);
    return info;
}

BleCharacteristic characteristic(quint16 uuid, QLowEnergyCharacteristic::PropertyTypes properties,
                                 bool withCccd, const QString& name)
{
    BleCharacteristic c;
    c.uuid = QBluetoothUuid(uuid);
    c.name = name;
    c.properties = properties;
    if (withCccd)
        c.descriptors.append(
            {QBluetoothUuid(QBluetoothUuid::DescriptorType::ClientCharacteristicConfiguration),
             QByteArray(2, 0)});
    return c;
}

QString uuidText(quint16 uuid)
{
    return QBluetoothUuid(uuid).toString();
}

#include "protocols/blebackend.h"

#include <QLowEnergyDescriptor>

BleDescriptor BleCharacteristic::descriptor(QBluetoothUuid::DescriptorType type) const
{
    const QBluetoothUuid wanted(type);
    for (const BleDescriptor& d : descriptors) {
        if (d.uuid == wanted)
            return d;
    }
    return {};
}

BleCharacteristic BleService::characteristic(const QBluetoothUuid& uuid) const
{
    const QList<BleCharacteristic> all = characteristics();
    for (const BleCharacteristic& c : all) {
        if (c.uuid == uuid)
            return c;
    }
    return {};
}

namespace {

BleCharacteristic snapshot(const QLowEnergyCharacteristic& c)
{
    BleCharacteristic s;
    if (!c.isValid())
        return s;
    s.uuid = c.uuid();
    s.name = c.name();
    s.value = c.value();
    s.properties = c.properties();
    const QList<QLowEnergyDescriptor> descriptors = c.descriptors();
    for (const QLowEnergyDescriptor& d : descriptors)
        s.descriptors.append({d.uuid(), d.value()});
    return s;
}

class QtBleService : public BleService
{
public:
    explicit QtBleService(QLowEnergyService* service) : m_service(service)
    {
        m_service->setParent(this);
        connect(m_service, &QLowEnergyService::stateChanged, this, &BleService::stateChanged);
        connect(m_service, &QLowEnergyService::errorOccurred, this, &BleService::errorOccurred);
        connect(m_service, &QLowEnergyService::characteristicRead, this,
                [this](const QLowEnergyCharacteristic& c, const QByteArray& v) {
                    emit characteristicRead(snapshot(c), v);
                });
        connect(m_service, &QLowEnergyService::characteristicChanged, this,
                [this](const QLowEnergyCharacteristic& c, const QByteArray& v) {
                    emit characteristicChanged(snapshot(c), v);
                });
        connect(m_service, &QLowEnergyService::characteristicWritten, this,
                [this](const QLowEnergyCharacteristic& c, const QByteArray& v) {
                    emit characteristicWritten(snapshot(c), v);
                });
        connect(m_service, &QLowEnergyService::descriptorWritten, this,
                [this](const QLowEnergyDescriptor& d, const QByteArray& v) {
                    // A descriptor does not name its characteristic: the one that holds it does.
                    const QList<QLowEnergyCharacteristic> list = m_service->characteristics();
                    for (const QLowEnergyCharacteristic& c : list) {
                        if (c.descriptors().contains(d)) {
                            emit descriptorWritten(c.uuid(), d.uuid(), v);
                            return;
                        }
                    }
                });
    }

    QBluetoothUuid serviceUuid() const override { return m_service->serviceUuid(); }
    QString serviceName() const override { return m_service->serviceName(); }
    QLowEnergyService::ServiceTypes type() const override { return m_service->type(); }
    QLowEnergyService::ServiceState state() const override { return m_service->state(); }
    QList<BleCharacteristic> characteristics() const override
    {
        QList<BleCharacteristic> all;
        const QList<QLowEnergyCharacteristic> list = m_service->characteristics();
        for (const QLowEnergyCharacteristic& c : list)
            all.append(snapshot(c));
        return all;
    }
    void discoverDetails() override { m_service->discoverDetails(QLowEnergyService::FullDiscovery); }
    void readCharacteristic(const QBluetoothUuid& uuid) override
    {
        const QLowEnergyCharacteristic c = m_service->characteristic(uuid);
        if (c.isValid())
            m_service->readCharacteristic(c);
    }
    void writeCharacteristic(const QBluetoothUuid& uuid, const QByteArray& value,
                             QLowEnergyService::WriteMode mode) override
    {
        const QLowEnergyCharacteristic c = m_service->characteristic(uuid);
        if (c.isValid())
            m_service->writeCharacteristic(c, value, mode);
    }
    void writeDescriptor(const QBluetoothUuid& characteristic, const QBluetoothUuid& descriptor,
                         const QByteArray& value) override
    {
        const QLowEnergyDescriptor d = m_service->characteristic(characteristic).descriptor(descriptor);
        if (d.isValid())
            m_service->writeDescriptor(d, value);
    }

private:
    QLowEnergyService* m_service;
};

class QtBleController : public BleController
{
public:
    QtBleController(const QBluetoothDeviceInfo& device, QObject* parent)
        : BleController(parent), m_controller(QLowEnergyController::createCentral(device, this))
    {
        connect(m_controller, &QLowEnergyController::connected, this, &BleController::connected);
        connect(m_controller, &QLowEnergyController::disconnected, this, &BleController::disconnected);
        connect(m_controller, &QLowEnergyController::errorOccurred, this, &BleController::errorOccurred);
        connect(m_controller, &QLowEnergyController::serviceDiscovered, this,
                &BleController::serviceDiscovered);
        connect(m_controller, &QLowEnergyController::discoveryFinished, this,
                &BleController::discoveryFinished);
    }

    void connectToDevice() override { m_controller->connectToDevice(); }
    void disconnectFromDevice() override { m_controller->disconnectFromDevice(); }
    void discoverServices() override { m_controller->discoverServices(); }
    BleService* createServiceObject(const QBluetoothUuid& uuid) override
    {
        QLowEnergyService* service = m_controller->createServiceObject(uuid);
        return service ? new QtBleService(service) : nullptr;
    }
    QLowEnergyController::ControllerState state() const override { return m_controller->state(); }
    QLowEnergyController::Error error() const override { return m_controller->error(); }
    void setRemoteAddressType(QLowEnergyController::RemoteAddressType type) override
    {
        m_controller->setRemoteAddressType(type);
    }

private:
    QLowEnergyController* m_controller;
};

class QtBleDiscoveryAgent : public BleDiscoveryAgent
{
public:
    explicit QtBleDiscoveryAgent(QObject* parent)
        : BleDiscoveryAgent(parent), m_agent(new QBluetoothDeviceDiscoveryAgent(this))
    {
        connect(m_agent, &QBluetoothDeviceDiscoveryAgent::deviceDiscovered, this,
                &BleDiscoveryAgent::deviceDiscovered);
        connect(m_agent, &QBluetoothDeviceDiscoveryAgent::finished, this, &BleDiscoveryAgent::finished);
        connect(m_agent, &QBluetoothDeviceDiscoveryAgent::canceled, this, &BleDiscoveryAgent::canceled);
        connect(m_agent, &QBluetoothDeviceDiscoveryAgent::errorOccurred, this,
                &BleDiscoveryAgent::errorOccurred);
    }

    void setLowEnergyDiscoveryTimeout(int ms) override { m_agent->setLowEnergyDiscoveryTimeout(ms); }
    void start() override { m_agent->start(QBluetoothDeviceDiscoveryAgent::LowEnergyMethod); }
    void stop() override { m_agent->stop(); }
    bool isActive() const override { return m_agent->isActive(); }
    QString errorString() const override { return m_agent->errorString(); }

private:
    QBluetoothDeviceDiscoveryAgent* m_agent;
};

class QtBleBackend : public BleBackend
{
public:
    BleDiscoveryAgent* createDiscoveryAgent(QObject* parent) override
    {
        return new QtBleDiscoveryAgent(parent);
    }
    BleController* createCentral(const QBluetoothDeviceInfo& device, QObject* parent) override
    {
        return new QtBleController(device, parent);
    }
};

} // namespace

std::unique_ptr<BleBackend> makeQtBleBackend()
{
    return std::make_unique<QtBleBackend>();
}

// Own moc unit: the library-wide one repeats a class the application also compiles.
#include "moc_blebackend.cpp"

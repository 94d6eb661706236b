#include "protocols/device.h"

#include <QBluetoothAddress>
#include <QCoreApplication>
#include <QMetaEnum>
#include <QTimer>
#include <QUuid>

namespace {
const QByteArray notificationsOn = QByteArray::fromHex("0100");
const QByteArray indicationsOn = QByteArray::fromHex("0200");
const QByteArray notificationsOff = QByteArray::fromHex("0000");

// A characteristic that answers writes is written with response; one that allows
// only the other kinds is written the way it allows.
QLowEnergyService::WriteMode writeModeFor(QLowEnergyCharacteristic::PropertyTypes properties)
{
    if (properties & QLowEnergyCharacteristic::Write)
        return QLowEnergyService::WriteWithResponse;
    if (properties & QLowEnergyCharacteristic::WriteNoResponse)
        return QLowEnergyService::WriteWithoutResponse;
    if (properties & QLowEnergyCharacteristic::WriteSigned)
        return QLowEnergyService::WriteSigned;
    return QLowEnergyService::WriteWithResponse;
}

QString serviceErrorText(QLowEnergyService::ServiceError error)
{
    switch (error) {
    case QLowEnergyService::CharacteristicWriteError:
        return QCoreApplication::translate("Device", "Writing the characteristic failed.");
    case QLowEnergyService::DescriptorWriteError:
        return QCoreApplication::translate(
            "Device", "Writing the descriptor failed: notifications or indications were not switched.");
    case QLowEnergyService::CharacteristicReadError:
        return QCoreApplication::translate("Device", "Reading the characteristic failed.");
    case QLowEnergyService::DescriptorReadError:
        return QCoreApplication::translate("Device", "Reading the descriptor failed.");
    case QLowEnergyService::OperationError:
        return QCoreApplication::translate("Device", "The service is not ready for this request.");
    default:
        return QCoreApplication::translate("Device", "The service reported an error.");
    }
}

} // namespace

Device::Device(std::unique_ptr<BleBackend> backend)
    : m_backend(backend ? std::move(backend) : makeQtBleBackend())
{
    qRegisterMetaType<BleCharacteristic>();
    m_discoveryAgent = m_backend->createDiscoveryAgent(this);
    m_discoveryAgent->setLowEnergyDiscoveryTimeout(25000);
    connect(m_discoveryAgent, &BleDiscoveryAgent::deviceDiscovered, this, &Device::addDevice);
    connect(m_discoveryAgent, &BleDiscoveryAgent::errorOccurred, this, &Device::deviceScanError);
    connect(m_discoveryAgent, &BleDiscoveryAgent::finished, this, &Device::deviceScanFinished);
    connect(m_discoveryAgent, &BleDiscoveryAgent::canceled, this, &Device::deviceScanFinished);
    setUpdate(QStringLiteral("Search"));
}

Device::~Device()
{
    clearCharacteristics();
    clearServices();
    qDeleteAll(m_devices);
    m_devices.clear();
}

QVariant Device::getDevices()
{
    return QVariant::fromValue(m_devices);
}

QVariant Device::getServices()
{
    return QVariant::fromValue(m_services);
}

QVariant Device::getCharacteristics()
{
    return QVariant::fromValue(m_characteristics);
}

void Device::setUpdate(const QString& message)
{
    m_message = message;
    emit updateChanged();
}

bool Device::hasControllerError() const
{
    return m_controller && m_controller->error() != QLowEnergyController::NoError;
}

void Device::setRandomAddress(bool random)
{
    m_randomAddress = random;
    emit randomAddressChanged();
}

void Device::startDeviceDiscovery()
{
    qDeleteAll(m_devices);
    m_devices.clear();
    m_scanErrorString.clear();
    emit devicesUpdated();

    // Without an adapter the agent reports its error from inside start(); the
    // error handler has then already ended the scanning state.
    m_discoveryAgent->start();
    if (m_discoveryAgent->isActive()) {
        setUpdate(QStringLiteral("Stop"));
        m_deviceScanState = true;
        emit stateChanged();
    }
}

void Device::stopDeviceDiscovery()
{
    if (m_discoveryAgent->isActive())
        m_discoveryAgent->stop();
}

void Device::addDevice(const QBluetoothDeviceInfo& info)
{
    if (!(info.coreConfigurations() & QBluetoothDeviceInfo::LowEnergyCoreConfiguration))
        return;
    const QString address = info.address().toString();
    for (int i = 0; i < m_devices.size(); ++i) {
        if (m_devices.at(i)->getAddress() == address) {
            DeviceInfo* old = m_devices.at(i);
            m_devices[i] = new DeviceInfo(info);
            delete old;
            emit devicesUpdated();
            return;
        }
    }
    if (m_devices.size() >= maxDevices)
        return;
    m_devices.append(new DeviceInfo(info));
    emit devicesUpdated();
}

void Device::deviceScanFinished()
{
    // The text first, so a listener to stateChanged() reads the outcome.
    setUpdate(m_devices.isEmpty() ? QStringLiteral("No Low Energy devices found...")
                                  : QStringLiteral("Done! Scan Again!"));
    m_deviceScanState = false;
    emit stateChanged();
}

void Device::deviceScanError(QBluetoothDeviceDiscoveryAgent::Error error)
{
    static const QMetaEnum errorEnum = QBluetoothDeviceDiscoveryAgent::staticMetaObject.enumerator(
        QBluetoothDeviceDiscoveryAgent::staticMetaObject.indexOfEnumerator("Error"));
    m_scanErrorString = m_discoveryAgent->errorString();
    if (error == QBluetoothDeviceDiscoveryAgent::PoweredOffError)
        setUpdate(
            QStringLiteral("The Bluetooth adaptor is powered off, power it on before doing discovery."));
    else if (error == QBluetoothDeviceDiscoveryAgent::InputOutputError)
        setUpdate(QStringLiteral("Writing or reading from the device resulted in an error."));
    else
        setUpdate(QStringLiteral("Error: ") + QLatin1String(errorEnum.valueToKey(error)));
    m_deviceScanState = false;
    emit stateChanged();
}

void Device::scanServices(const QString& address)
{
    for (const DeviceInfo* d : std::as_const(m_devices)) {
        if (d->getAddress() == address) {
            m_currentDevice.setDevice(d->getDevice());
            break;
        }
    }
    if (!m_currentDevice.getDevice().isValid())
        return;

    clearCharacteristics();
    emit characteristicsUpdated();
    clearServices();
    emit servicesUpdated();
    setUpdate(QStringLiteral("Back\n(Connecting to device...)"));

    // A controller is reused only for the same device once it is fully down: one
    // still connecting, connected or closing would ignore connectToDevice().
    if (m_controller && (m_currentDevice.getAddress() != m_previousAddress ||
                         m_controller->state() != QLowEnergyController::UnconnectedState)) {
        m_controller->disconnectFromDevice();
        delete m_controller;
        m_controller = nullptr;
    }
    if (!m_controller) {
        m_controller = m_backend->createCentral(m_currentDevice.getDevice(), this);
        connect(m_controller, &BleController::connected, this, &Device::deviceConnected);
        connect(m_controller, &BleController::errorOccurred, this, &Device::errorReceived);
        connect(m_controller, &BleController::disconnected, this, &Device::deviceDisconnected);
        connect(m_controller, &BleController::serviceDiscovered, this, &Device::addLowEnergyService);
        connect(m_controller, &BleController::discoveryFinished, this, &Device::serviceScanDone);
    }
    m_controller->setRemoteAddressType(m_randomAddress ? QLowEnergyController::RandomAddress
                                                       : QLowEnergyController::PublicAddress);
    m_controller->connectToDevice();
    m_previousAddress = m_currentDevice.getAddress();
}

void Device::deviceConnected()
{
    setUpdate(QStringLiteral("Back\n(Discovering services...)"));
    m_controller->discoverServices();
}

void Device::addLowEnergyService(const QBluetoothUuid& uuid)
{
    if (!m_controller)
        return;
    BleService* service = m_controller->createServiceObject(uuid);
    if (!service)
        return;
    m_services.append(new ServiceInfo(service));
    const QString serviceUuid = uuid.toString();
    connect(service, &BleService::errorOccurred, this,
            [this, service](QLowEnergyService::ServiceError error) { serviceFailed(service, error); });
    connect(service, &BleService::characteristicWritten, this,
            [this, serviceUuid] { emit serviceSucceeded(serviceUuid); });
    connect(service, &BleService::descriptorWritten, this,
            [this, service](const QBluetoothUuid& characteristic, const QBluetoothUuid&,
                            const QByteArray& value) {
                notificationsSwitched(service, characteristic, value != notificationsOff);
            });
    emit servicesUpdated();
}

void Device::serviceScanDone()
{
    setUpdate(QStringLiteral("Back\n(Service scan done!)"));
    if (m_services.isEmpty())
        emit servicesUpdated();
    // Announced only now: the service list is complete whatever the platform's
    // discovery timing, and the widget builds its groups from it.
    emit connected();
}

void Device::errorReceived(QLowEnergyController::Error)
{
    emit disconnected();
}

void Device::deviceDisconnected()
{
    emit disconnected();
}

void Device::disconnectFromDevice()
{
    if (m_controller && m_controller->state() != QLowEnergyController::UnconnectedState)
        m_controller->disconnectFromDevice();
    else
        deviceDisconnected();
}

void Device::connectToService(const QString& uuid)
{
    ServiceInfo* info = findService(uuid);
    if (!info || !info->service())
        return;
    BleService* service = info->service();

    // Only this service's records go: the widget asks for every service in one
    // pass, and records already handed out for the others must stay valid.
    removeCharacteristicsOf(uuid);
    emit characteristicsUpdated();

    if (service->state() == QLowEnergyService::RemoteService) {
        connect(service, &BleService::stateChanged, this, &Device::serviceDetailsDiscovered,
                Qt::UniqueConnection);
        service->discoverDetails();
        setUpdate(QStringLiteral("Back\n(Discovering details...)"));
        return;
    }

    // Details already known: listed now and announced like a fresh discovery,
    // on the next turn so the caller can finish setting up first.
    listCharacteristics(service);
    QTimer::singleShot(0, this, [this, uuid] {
        emit characteristicsUpdated();
        emit characteristics_GetDone(uuid, m_characteristics);
    });
}

void Device::serviceDetailsDiscovered(QLowEnergyService::ServiceState newState)
{
    if (newState == QLowEnergyService::RemoteServiceDiscovering)
        return;
    if (newState != QLowEnergyService::RemoteServiceDiscovered) {
        QMetaObject::invokeMethod(this, &Device::characteristicsUpdated, Qt::QueuedConnection);
        return;
    }
    auto* service = qobject_cast<BleService*>(sender());
    if (!service)
        return;
    listCharacteristics(service);
    emit characteristics_GetDone(service->serviceUuid().toString(), m_characteristics);
}

void Device::listCharacteristics(BleService* service)
{
    const QString serviceUuid = service->serviceUuid().toString();
    // A service that reports its details twice must not list them twice.
    removeCharacteristicsOf(serviceUuid);
    const QList<BleCharacteristic> list = service->characteristics();
    for (const BleCharacteristic& c : list)
        m_characteristics.append(new CharacteristicInfo(serviceUuid, c));
    connect(service, &BleService::characteristicRead, this, &Device::characteristicRead,
            Qt::UniqueConnection);
}

void Device::removeCharacteristicsOf(const QString& serviceUuid)
{
    for (auto it = m_characteristics.begin(); it != m_characteristics.end();) {
        if ((*it)->serviceUuid == serviceUuid) {
            delete *it;
            it = m_characteristics.erase(it);
        } else {
            ++it;
        }
    }
}

void Device::readCharacteristic(const QString& serviceUuid, const QString& characteristicUuid)
{
    if (characteristicUuid.isEmpty())
        return;
    BleService* service = serviceFor(serviceUuid);
    if (!service)
        return;
    const BleCharacteristic c = service->characteristic(uuidFromText(characteristicUuid));
    if (c.isValid())
        service->readCharacteristic(c.uuid);
}

void Device::writeCharacteristic(const QString& serviceUuid, const QString& characteristicUuid,
                                 const QByteArray& value)
{
    if (serviceUuid.isEmpty())
        return;
    BleService* service = serviceFor(serviceUuid);
    if (!service)
        return;
    const BleCharacteristic c = service->characteristic(uuidFromText(characteristicUuid));
    if (c.isValid())
        service->writeCharacteristic(c.uuid, value, writeModeFor(c.properties));
}

bool Device::subscribeToNotify(const QString& serviceUuid, const QString& characteristicUuid)
{
    if (serviceUuid.isEmpty())
        return false;
    BleService* service = serviceFor(serviceUuid);
    if (!service)
        return false;
    const BleCharacteristic c = service->characteristic(uuidFromText(characteristicUuid));
    const BleDescriptor cccd = c.clientCharacteristicConfiguration();
    if (!c.isValid() || cccd.uuid.isNull())
        return false;
    // Indications only for a characteristic that cannot notify.
    const bool indicateOnly = !(c.properties & QLowEnergyCharacteristic::Notify) &&
                              (c.properties & QLowEnergyCharacteristic::Indicate);
    m_pendingSwitches[service].append({c.uuid, true});
    service->writeDescriptor(c.uuid, cccd.uuid, indicateOnly ? indicationsOn : notificationsOn);
    m_subscribed[service].insert(c.uuid);
    watchNotifications(service);
    return true;
}

// One connection per service; values of unsubscribed characteristics are dropped.
void Device::watchNotifications(BleService* service)
{
    disconnect(m_notifyConnections.value(service));
    m_notifyConnections.insert(
        service, connect(service, &BleService::characteristicChanged, this,
                         [this, service](const BleCharacteristic& changed, const QByteArray& value) {
                             characteristicNotifyFrom(service, changed, value);
                         }));
}

// What the peripheral confirmed (or, after a refusal, still does) is what the tab shows.
void Device::notificationsSwitched(BleService* service, const QBluetoothUuid& characteristic, bool on)
{
    QList<PendingSwitch>& pending = m_pendingSwitches[service];
    for (qsizetype i = 0; i < pending.size(); ++i) {
        if (pending.at(i).characteristic == characteristic) {
            pending.removeAt(i);
            break;
        }
    }
    emit serviceSucceeded(service->serviceUuid().toString());
    emit notifyStateChanged(service->serviceUuid().toString(), characteristic.toString(), on);
}

void Device::serviceFailed(BleService* service, QLowEnergyService::ServiceError error)
{
    if (error == QLowEnergyService::NoError)
        return;
    const QString serviceUuid = service->serviceUuid().toString();
    emit serviceError(serviceUuid, serviceErrorText(error));
    QList<PendingSwitch>& pending = m_pendingSwitches[service];
    if (error != QLowEnergyService::DescriptorWriteError || pending.isEmpty())
        return;
    // The switch did not happen: the peripheral goes on as it was.
    const PendingSwitch refused = pending.takeFirst();
    const bool stillOn = !refused.on;
    if (stillOn) {
        m_subscribed[service].insert(refused.characteristic);
        watchNotifications(service);
    } else {
        auto it = m_subscribed.find(service);
        if (it != m_subscribed.end() && it->remove(refused.characteristic) && it->isEmpty())
            unsubscribeNotify(service);
    }
    emit notifyStateChanged(serviceUuid, refused.characteristic.toString(), stillOn);
}

void Device::unsubscribeFromNotify(const QString& serviceUuid, const QString& characteristicUuid)
{
    BleService* service = serviceFor(serviceUuid);
    if (!service)
        return;
    const QBluetoothUuid uuid = uuidFromText(characteristicUuid);
    auto it = m_subscribed.find(service);
    if (it == m_subscribed.end() || !it->remove(uuid))
        return;
    const BleCharacteristic c = service->characteristic(uuid);
    const BleDescriptor cccd = c.clientCharacteristicConfiguration();
    if (c.isValid() && !cccd.uuid.isNull()) {
        m_pendingSwitches[service].append({c.uuid, false});
        service->writeDescriptor(c.uuid, cccd.uuid, notificationsOff);
    }
    if (it->isEmpty())
        unsubscribeNotify(service);
}

void Device::unsubscribeNotify(BleService* service)
{
    m_subscribed.remove(service);
    auto it = m_notifyConnections.find(service);
    if (it == m_notifyConnections.end())
        return;
    disconnect(*it);
    m_notifyConnections.erase(it);
}

void Device::characteristicRead(const BleCharacteristic& characteristic, const QByteArray& value)
{
    auto* service = qobject_cast<BleService*>(sender());
    if (service)
        emit serviceSucceeded(service->serviceUuid().toString());
    emit characteristicValueRead(characteristic.uuid.toString(), value,
                                 service ? service->serviceUuid().toString() : QString());
}

void Device::characteristicNotify(const BleCharacteristic& characteristic, const QByteArray& value)
{
    characteristicNotifyFrom(qobject_cast<BleService*>(sender()), characteristic, value);
}

void Device::characteristicNotifyFrom(BleService* service, const BleCharacteristic& characteristic,
                                      const QByteArray& value)
{
    if (!service || !m_subscribed.value(service).contains(characteristic.uuid))
        return;
    emit characteristicValueChanged(characteristic.uuid.toString(), value, service->serviceUuid().toString());
}

void Device::clearCharacteristics()
{
    qDeleteAll(m_characteristics);
    m_characteristics.clear();
}

void Device::clearServices()
{
    for (ServiceInfo* info : std::as_const(m_services)) {
        m_notifyConnections.remove(info->service());
        m_subscribed.remove(info->service());
        m_pendingSwitches.remove(info->service());
    }
    qDeleteAll(m_services);
    m_services.clear();
}

ServiceInfo* Device::findService(const QString& uuid) const
{
    for (ServiceInfo* info : m_services) {
        if (info->getUuid() == uuid)
            return info;
    }
    return nullptr;
}

BleService* Device::serviceFor(const QString& serviceUuid) const
{
    ServiceInfo* info = findService(serviceUuid);
    return info ? info->service() : nullptr;
}

QBluetoothUuid Device::uuidFromText(const QString& text)
{
    return QBluetoothUuid(QUuid::fromString(text));
}

// Own moc unit: the library-wide one repeats a class the application also compiles.
#include "moc_device.cpp"

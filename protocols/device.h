#pragma once

#include <QBluetoothDeviceDiscoveryAgent>
#include <QBluetoothUuid>
#include <QByteArray>
#include <QHash>
#include <QList>
#include <QLowEnergyController>
#include <QLowEnergyService>
#include <QMap>
#include <QMetaObject>
#include <QObject>
#include <QSet>
#include <QString>
#include <QVariant>

#include <memory>

#include "protocols/blebackend.h"
#include "protocols/characteristicinfo.h"
#include "protocols/deviceinfo.h"
#include "protocols/serviceinfo.h"

// The GATT central of the "Ble" tab: LE device discovery, one connection at a
// time, service and characteristic discovery, read, write and notifications.
// UUIDs travel as QUuid::toString() text (braces); incoming text may omit them.
class Device : public QObject
{
    Q_OBJECT
public:
    // Takes the backend; without one the real radio is used through Qt Bluetooth.
    explicit Device(std::unique_ptr<BleBackend> backend = {});
    ~Device() override;

    // Addresses beyond this many are ignored for the rest of a scan: a crowded
    // place (or rotating private addresses) must not grow the list without end.
    static constexpr int maxDevices = 256;

    QVariant getDevices();
    QVariant getServices();
    QVariant getCharacteristics();
    QList<CharacteristicInfo*> characteristics() const { return m_characteristics; }
    QString getUpdate() const { return m_message; }
    void setUpdate(const QString& message);
    // The agent's own description of the last scan error, empty after a clean scan.
    QString scanErrorString() const { return m_scanErrorString; }
    bool state() const { return m_deviceScanState; }
    bool hasControllerError() const;
    bool isRandomAddress() const { return m_randomAddress; }
    void setRandomAddress(bool random);

public slots:
    void startDeviceDiscovery();
    void stopDeviceDiscovery();
    void scanServices(const QString& address);
    void connectToService(const QString& uuid);
    void disconnectFromDevice();
    void readCharacteristic(const QString& serviceUuid, const QString& characteristicUuid);
    void writeCharacteristic(const QString& serviceUuid, const QString& characteristicUuid,
                             const QByteArray& value);
    // False when nothing could be subscribed (unknown service or characteristic, no CCCD).
    bool subscribeToNotify(const QString& serviceUuid, const QString& characteristicUuid);
    // Ends one characteristic's notifications (tells the peripheral too); the
    // service's other subscriptions go on.
    void unsubscribeFromNotify(const QString& serviceUuid, const QString& characteristicUuid);
    // Ends every subscription of the service without telling the peripheral.
    void unsubscribeNotify(BleService* service);
    void characteristicRead(const BleCharacteristic& characteristic, const QByteArray& value);
    void characteristicNotify(const BleCharacteristic& characteristic, const QByteArray& value);

signals:
    void connected();
    void devicesUpdated();
    void servicesUpdated();
    void characteristicsUpdated();
    void characteristics_GetDone(QString serviceUuid, const QList<CharacteristicInfo*>& characteristics);
    void updateChanged();
    void stateChanged();
    void disconnected();
    void randomAddressChanged();
    // Values are the bytes as received (decoding is up to the viewer), with the
    // service they came from: two services may hold characteristics of one uuid.
    void characteristicValueRead(QString characteristicUuid, QByteArray value, QString serviceUuid);
    void characteristicValueChanged(QString characteristicUuid, QByteArray value, QString serviceUuid);
    // A request to that service failed; the message says which kind.
    void serviceError(QString serviceUuid, QString message);
    // A request to that service succeeded (a read answered, a write confirmed).
    void serviceSucceeded(QString serviceUuid);
    // Whether the peripheral now sends the characteristic's notifications (or indications),
    // once it confirmed or refused the switch.
    void notifyStateChanged(QString serviceUuid, QString characteristicUuid, bool subscribed);

private slots:
    void addDevice(const QBluetoothDeviceInfo& info);
    void deviceScanFinished();
    void deviceScanError(QBluetoothDeviceDiscoveryAgent::Error error);
    void addLowEnergyService(const QBluetoothUuid& uuid);
    void deviceConnected();
    void errorReceived(QLowEnergyController::Error error);
    void serviceScanDone();
    void deviceDisconnected();
    void serviceDetailsDiscovered(QLowEnergyService::ServiceState newState);

private:
    void clearCharacteristics();
    void listCharacteristics(BleService* service);
    void removeCharacteristicsOf(const QString& serviceUuid);
    void characteristicNotifyFrom(BleService* service, const BleCharacteristic& characteristic,
                                  const QByteArray& value);
    void watchNotifications(BleService* service);
    void notificationsSwitched(BleService* service, const QBluetoothUuid& characteristic, bool on);
    void serviceFailed(BleService* service, QLowEnergyService::ServiceError error);
    void clearServices();
    ServiceInfo* findService(const QString& uuid) const;
    BleService* serviceFor(const QString& serviceUuid) const;
    static QBluetoothUuid uuidFromText(const QString& text);

    std::unique_ptr<BleBackend> m_backend;
    QList<ServiceInfo*> m_services;
    BleDiscoveryAgent* m_discoveryAgent = nullptr;
    DeviceInfo m_currentDevice{QBluetoothDeviceInfo()};
    QList<DeviceInfo*> m_devices;
    QList<CharacteristicInfo*> m_characteristics;
    QString m_previousAddress;
    QString m_message;
    QString m_scanErrorString;
    BleController* m_controller = nullptr;
    bool m_deviceScanState = false;
    bool m_randomAddress = false;
    QMap<BleService*, QMetaObject::Connection> m_notifyConnections;
    QHash<BleService*, QSet<QBluetoothUuid>> m_subscribed;
    // Notification switches written and not yet confirmed, per service in the order written.
    struct PendingSwitch
    {
        QBluetoothUuid characteristic;
        bool on;
    };
    QHash<BleService*, QList<PendingSwitch>> m_pendingSwitches;
};

#include <QSignalSpy>
#include <QTest>

#include "protocols/blehex.h"
#include "protocols/characteristicinfo.h"
#include "protocols/device.h"
#include "protocols/serviceinfo.h"
#include "tests/ble/fakeble.h"

using C = QLowEnergyCharacteristic;
using Props = QLowEnergyCharacteristic::PropertyTypes;
Q_DECLARE_METATYPE(Props)
Q_DECLARE_METATYPE(QLowEnergyService::ServiceTypes)
Q_DECLARE_METATYPE(QBluetoothDeviceDiscoveryAgent::Error)

namespace {
const QString addrA = QStringLiteral("11:22:33:44:55:66");
const QString addrB = QStringLiteral("AA:BB:CC:DD:EE:01");
// Heart rate service (0x180d) with measurement (notify) and a control point
// (write); battery service (0x180f) with its level (read, notify).
const quint16 heartRate = 0x180d, measurement = 0x2a37, controlPoint = 0x2a39, sensorLocation = 0x2a38;
const quint16 battery = 0x180f, batteryLevel = 0x2a19;

QList<FakeServiceSpec> sensorServices()
{
    return {
        {QBluetoothUuid(quint16(heartRate)),
         QStringLiteral("Heart Rate"),
         {characteristic(measurement, C::Notify, true),
          characteristic(sensorLocation, C::Read | C::Notify, true), characteristic(controlPoint, C::Write)}},
        {QBluetoothUuid(quint16(battery)),
         QStringLiteral("Battery Service"),
         {characteristic(batteryLevel, C::Read | C::Notify, false)}}};
}
} // namespace

class TestBleModel : public QObject
{
    Q_OBJECT
    FakeBackend* fake = nullptr;
    std::unique_ptr<Device> device;

    // Scans, sees A (and B), connects to `address` and lists every service's details.
    void connectTo(const QString& address)
    {
        device->startDeviceDiscovery();
        fake->agent->see(leDevice(addrA, QStringLiteral("Pulse")));
        fake->agent->see(leDevice(addrB, QStringLiteral("Other")));
        QSignalSpy connected(device.get(), &Device::connected);
        device->scanServices(address);
        QTRY_COMPARE(connected.count(), 1);
        QSignalSpy done(device.get(), &Device::characteristics_GetDone);
        const auto services = qvariant_cast<QList<ServiceInfo*>>(device->getServices());
        for (const ServiceInfo* s : services)
            device->connectToService(s->getUuid());
        QTRY_COMPARE(done.count(), services.size());
    }

private slots:
    void init()
    {
        auto backend = std::make_unique<FakeBackend>();
        fake = backend.get();
        fake->addPeripheral(addrA, sensorServices());
        fake->addPeripheral(addrB, {{QBluetoothUuid(quint16(battery)),
                                     QStringLiteral("Battery Service"),
                                     {characteristic(batteryLevel, C::Read)}}});
        device = std::make_unique<Device>(std::move(backend));
    }
    void cleanup() { device.reset(); }

    void permissionText_data()
    {
        QTest::addColumn<Props>("properties");
        QTest::addColumn<QString>("text");
        QTest::newRow("none") << Props() << "(  )";
        QTest::newRow("write-without-response") << Props(C::WriteNoResponse) << "(  WriteNoResp )";
        QTest::newRow("read-notify") << Props(C::Read | C::Notify) << "(  Read Notify )";
        QTest::newRow("every-flag-fixed-order")
            << Props(C::Broadcasting | C::Read | C::WriteNoResponse | C::Write | C::Notify | C::Indicate |
                     C::WriteSigned | C::ExtendedProperty)
            << "(  Read Write Notify Indicate ExtendedProperty Broadcast WriteNoResp WriteSigned )";
    }
    void permissionText()
    {
        QFETCH(Props, properties);
        QFETCH(QString, text);
        QCOMPARE(CharacteristicInfo(QString(), characteristic(0x2a00, properties)).getPermission(), text);
    }

    void nameAndValueTexts()
    {
        BleCharacteristic c = characteristic(0xfff1, C::Read);
        QCOMPARE(CharacteristicInfo(QString(), c).getName(), QStringLiteral("Unknown"));
        QCOMPARE(CharacteristicInfo(QString(), c).getValue(), QStringLiteral("<none>"));
        c.descriptors.append({QBluetoothUuid(QBluetoothUuid::DescriptorType::CharacteristicUserDescription),
                              QByteArray("Fan speed")});
        c.value = "Hi\xff";
        CharacteristicInfo info(QString(), c);
        QCOMPARE(info.getName(), QStringLiteral("Fan speed"));
        QCOMPARE(info.getValue(), QStringLiteral("Hi\uFFFD\n4869ff"));
        QCOMPARE(info.getUuid(), QStringLiteral("{0000fff1-0000-1000-8000-00805f9b34fb}"));
        c.name = QStringLiteral("Device Name");
        QCOMPARE(CharacteristicInfo(QString(), c).getName(), QStringLiteral("Device Name"));
    }

    void serviceType_data()
    {
        QTest::addColumn<QLowEnergyService::ServiceTypes>("type");
        QTest::addColumn<QString>("text");
        QTest::newRow("primary") << QLowEnergyService::ServiceTypes(QLowEnergyService::PrimaryService)
                                 << "<primary>";
        QTest::newRow("secondary") << QLowEnergyService::ServiceTypes() << "<secondary>";
        QTest::newRow("primary-included")
            << (QLowEnergyService::PrimaryService | QLowEnergyService::IncludedService)
            << "<primary included>";
    }
    void serviceType()
    {
        QFETCH(QLowEnergyService::ServiceTypes, type);
        QFETCH(QString, text);
        FakeServiceSpec spec{QBluetoothUuid(quint16(battery)), QStringLiteral("Battery"), {}, type};
        ServiceInfo info(new FakeService(spec, fake));
        QCOMPARE(info.getType(), text);
        QCOMPARE(info.getUuid(), QStringLiteral("{0000180f-0000-1000-8000-00805f9b34fb}"));
        QCOMPARE(ServiceInfo(nullptr).getType(), QString());
    }

    void hexInput_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("valid");
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("empty") << "" << true << QByteArray();
        QTest::newRow("spaced") << "48 69" << true << QByteArray("Hi");
        QTest::newRow("packed") << "4869" << true << QByteArray("Hi");
        QTest::newRow("display-form") << "0x48, 0x69" << true << QByteArray("Hi");
        QTest::newRow("colons-upper") << "DE:AD:BE:EF" << true << QByteArray::fromHex("deadbeef");
        QTest::newRow("single-digits") << "1 0xA" << true << QByteArray::fromHex("010a");
        QTest::newRow("odd-run") << "123" << false << QByteArray();
        QTest::newRow("bare-prefix") << "0x" << false << QByteArray();
        QTest::newRow("not-hex") << "48 6g" << false << QByteArray();
        QTest::newRow("text") << "hello" << false << QByteArray();
    }
    void hexInput()
    {
        QFETCH(QString, text);
        QFETCH(bool, valid);
        QFETCH(QByteArray, bytes);
        const std::optional<QByteArray> parsed = BleHex::parse(text);
        QCOMPARE(parsed.has_value(), valid);
        if (valid)
            QCOMPARE(*parsed, bytes);
    }

    void deviceSeenTwiceKeepsPlaceAndNewestName()
    {
        QSignalSpy updated(device.get(), &Device::devicesUpdated);
        device->startDeviceDiscovery();
        QCOMPARE(fake->agent->timeout, 25000);
        QVERIFY(device->state());
        QCOMPARE(device->getUpdate(), QStringLiteral("Stop"));
        fake->agent->see(leDevice(addrA, QStringLiteral("Pulse")));
        fake->agent->see(leDevice(addrB, QStringLiteral("Other")));
        QBluetoothDeviceInfo classic(QBluetoothAddress(QStringLiteral("00:00:00:00:00:07")), "Headset", 0);
        classic.setCoreConfigurations(QBluetoothDeviceInfo::BaseRateCoreConfiguration);
        fake->agent->see(classic);
        fake->agent->see(leDevice(addrA, QStringLiteral("Pulse 2")));
        const auto devices = qvariant_cast<QList<DeviceInfo*>>(device->getDevices());
        QCOMPARE(devices.size(), 2);
        QCOMPARE(devices[0]->getAddress(), addrA);
        QCOMPARE(devices[0]->getName(), QStringLiteral("Pulse 2"));
        QCOMPARE(devices[1]->getName(), QStringLiteral("Other"));
        QCOMPARE(updated.count(), 4); // cleared, A, B, A again

        fake->agent->timeOut();
        QVERIFY(!device->state());
        QCOMPARE(device->getUpdate(), QStringLiteral("Done! Scan Again!"));
    }

    void scanListIsCapped()
    {
        device->startDeviceDiscovery();
        for (int i = 0; i < Device::maxDevices + 20; ++i)
            fake->agent->see(leDevice(QStringLiteral("00:00:00:00:%1:%2")
                                          .arg(i / 256, 2, 16, QLatin1Char('0'))
                                          .arg(i % 256, 2, 16, QLatin1Char('0')),
                                      QStringLiteral("tag")));
        QCOMPARE(qvariant_cast<QList<DeviceInfo*>>(device->getDevices()).size(), Device::maxDevices);
        // Known addresses still get their updates.
        fake->agent->see(leDevice(QStringLiteral("00:00:00:00:00:00"), QStringLiteral("renamed")));
        QCOMPARE(qvariant_cast<QList<DeviceInfo*>>(device->getDevices()).first()->getName(),
                 QStringLiteral("renamed"));
    }

    void scanEndings_data()
    {
        QTest::addColumn<int>("error"); // -1: the scan times out with nothing found
        QTest::addColumn<QString>("text");
        QTest::newRow("nothing-found") << -1 << "No Low Energy devices found...";
        QTest::newRow("powered-off")
            << int(QBluetoothDeviceDiscoveryAgent::PoweredOffError)
            << "The Bluetooth adaptor is powered off, power it on before doing discovery.";
        QTest::newRow("no-adapter") << int(QBluetoothDeviceDiscoveryAgent::InputOutputError)
                                    << "Writing or reading from the device resulted in an error.";
        QTest::newRow("other-error") << int(QBluetoothDeviceDiscoveryAgent::UnsupportedDiscoveryMethod)
                                     << "Error: UnsupportedDiscoveryMethod";
    }
    void scanEndings()
    {
        QFETCH(int, error);
        QFETCH(QString, text);
        QSignalSpy state(device.get(), &Device::stateChanged);
        if (error >= 0)
            fake->agent->failOnStart = QBluetoothDeviceDiscoveryAgent::Error(error);
        device->startDeviceDiscovery();
        if (error < 0)
            fake->agent->timeOut();
        QVERIFY(!device->state());
        QCOMPARE(device->getUpdate(), text);
        QCOMPARE(state.count(), error < 0 ? 2 : 1);
        QCOMPARE(device->scanErrorString().isEmpty(), error < 0);
    }

    void connectListsServicesBeforeAnnouncing()
    {
        QSignalSpy connected(device.get(), &Device::connected);
        device->scanServices(addrA); // nothing scanned yet
        QCOMPARE(fake->controllersMade, 0);

        device->startDeviceDiscovery();
        fake->agent->see(leDevice(addrA, QStringLiteral("Pulse")));
        int servicesAtConnected = -1;
        connect(device.get(), &Device::connected, this, [&] {
            servicesAtConnected = qvariant_cast<QList<ServiceInfo*>>(device->getServices()).size();
        });
        device->scanServices(addrA);
        QCOMPARE(device->getUpdate(), QStringLiteral("Back\n(Connecting to device...)"));
        QCOMPARE(fake->controller->addressType, QLowEnergyController::PublicAddress);
        QTRY_COMPARE(connected.count(), 1);
        QCOMPARE(servicesAtConnected, 2);
        QCOMPARE(device->getUpdate(), QStringLiteral("Back\n(Service scan done!)"));
    }

    void controllerReuse()
    {
        connectTo(addrA);
        QPointer<FakeController> first = fake->controller;
        QSignalSpy disconnected(device.get(), &Device::disconnected);
        device->disconnectFromDevice();
        QTRY_COMPARE(disconnected.count(), 1);

        // Unknown address: the device of the last call again, same controller.
        QSignalSpy connected(device.get(), &Device::connected);
        device->scanServices(QStringLiteral("01:02:03:04:05:06"));
        QTRY_COMPARE(connected.count(), 1);
        QCOMPARE(fake->controllersMade, 1);
        QCOMPARE(first->connectCalls, 2);

        // Same device while still connected: a fresh controller, since the
        // connected one would ignore the request.
        device->scanServices(addrA);
        QTRY_COMPARE(connected.count(), 2);
        QCOMPARE(fake->controllersMade, 2);
        QVERIFY(!first);

        // Another device replaces it too.
        QPointer<FakeController> second = fake->controller;
        device->scanServices(addrB);
        QTRY_COMPARE(connected.count(), 3);
        QVERIFY(!second);
        QCOMPARE(fake->controller->device.address().toString(), addrB);
    }

    void controllerErrorReportsDisconnect()
    {
        connectTo(addrA);
        QSignalSpy disconnected(device.get(), &Device::disconnected);
        fake->controller->fail(QLowEnergyController::RemoteHostClosedError);
        QCOMPARE(disconnected.count(), 1);
        QVERIFY(device->hasControllerError());
    }

    void detailsAccumulateAcrossServicesOnce()
    {
        connectTo(addrA);
        QCOMPARE(device->characteristics().size(), 4);
        // A service that reports its details again is not listed twice.
        QSignalSpy done(device.get(), &Device::characteristics_GetDone);
        fake->service(uuidText(heartRate))->setState(QLowEnergyService::RemoteServiceDiscovered);
        QCOMPARE(done.count(), 1);
        QCOMPARE(done[0][0].toString(), uuidText(heartRate));
        QCOMPARE(device->characteristics().size(), 4);

        // Details already known: listed at once and still announced.
        device->connectToService(uuidText(battery));
        QTRY_COMPARE(done.count(), 2);
        QCOMPARE(done[1][0].toString(), uuidText(battery));
        QCOMPARE(device->characteristics().size(), 4);
    }

    void readReturnsBytesAsReceived()
    {
        connectTo(addrA);
        FakeService* hr = fake->service(uuidText(heartRate));
        device->readCharacteristic(uuidText(heartRate),
                                   QStringLiteral("00002a38-0000-1000-8000-00805f9b34fb"));
        device->readCharacteristic(uuidText(heartRate), uuidText(0x2aff)); // not there
        device->readCharacteristic(uuidText(0x1800), uuidText(sensorLocation));
        device->readCharacteristic(uuidText(heartRate), QString());
        QCOMPARE(hr->reads, QList<QBluetoothUuid>{QBluetoothUuid(quint16(sensorLocation))});

        QSignalSpy read(device.get(), &Device::characteristicValueRead);
        hr->answerRead(QBluetoothUuid(quint16(sensorLocation)), QByteArray("\x01\xff\x80", 3));
        QCOMPARE(read.count(), 1);
        QCOMPARE(read[0][0].toString(), uuidText(sensorLocation));
        QCOMPARE(read[0][1].toByteArray(), QByteArray("\x01\xff\x80", 3));
        QCOMPARE(read[0][2].toString(), uuidText(heartRate));
    }

    void notificationsPerCharacteristic()
    {
        connectTo(addrA);
        FakeService* hr = fake->service(uuidText(heartRate));
        const QBluetoothUuid cccd(QBluetoothUuid::DescriptorType::ClientCharacteristicConfiguration);
        QSignalSpy changed(device.get(), &Device::characteristicValueChanged);

        QVERIFY(device->subscribeToNotify(uuidText(heartRate), uuidText(measurement)));
        QVERIFY(device->subscribeToNotify(uuidText(heartRate), uuidText(sensorLocation)));
        QVERIFY(device->subscribeToNotify(uuidText(heartRate), uuidText(measurement))); // again
        QCOMPARE(hr->writes.size(), 3);
        QCOMPARE(hr->writes[0].descriptor, cccd);
        QCOMPARE(hr->writes[0].value, QByteArray::fromHex("0100"));

        hr->notify(QBluetoothUuid(quint16(measurement)), QByteArray::fromHex("0648"));
        hr->notify(QBluetoothUuid(quint16(controlPoint)), "never subscribed");
        QCOMPARE(changed.count(), 1);
        QCOMPARE(changed[0][1].toByteArray(), QByteArray::fromHex("0648"));

        // Ending one subscription leaves the other running and tells the peripheral.
        device->unsubscribeFromNotify(uuidText(heartRate), uuidText(measurement));
        QCOMPARE(hr->writes.last().characteristic, QBluetoothUuid(quint16(measurement)));
        QCOMPARE(hr->writes.last().value, QByteArray::fromHex("0000"));
        hr->notify(QBluetoothUuid(quint16(measurement)), "late");
        hr->notify(QBluetoothUuid(quint16(sensorLocation)), "\x02");
        QCOMPARE(changed.count(), 2);
        QCOMPARE(changed[1][0].toString(), uuidText(sensorLocation));

        // The whole-service stop ends the rest without writing.
        const int writes = hr->writes.size();
        device->unsubscribeNotify(hr);
        hr->notify(QBluetoothUuid(quint16(sensorLocation)), "\x03");
        QCOMPARE(changed.count(), 2);
        QCOMPARE(hr->writes.size(), writes);
    }

    void subscribeWithoutCccdFails()
    {
        connectTo(addrA);
        FakeService* bat = fake->service(uuidText(battery));
        QVERIFY(!device->subscribeToNotify(uuidText(battery), uuidText(batteryLevel)));
        QVERIFY(bat->writes.isEmpty());
        QSignalSpy changed(device.get(), &Device::characteristicValueChanged);
        bat->notify(QBluetoothUuid(quint16(batteryLevel)), "\x64");
        QCOMPARE(changed.count(), 0);
    }

    void reconnectDropsOldServicesWithPendingRead()
    {
        connectTo(addrA);
        QPointer<FakeService> hr = fake->service(uuidText(heartRate));
        device->readCharacteristic(uuidText(heartRate), uuidText(sensorLocation));
        QVERIFY(device->subscribeToNotify(uuidText(heartRate), uuidText(measurement)));
        fake->controller->dropLink();
        QSignalSpy connected(device.get(), &Device::connected);
        device->scanServices(addrA);
        QVERIFY(!hr); // went with its record; its answer can no longer arrive
        QVERIFY(device->characteristics().isEmpty());
        QTRY_COMPARE(connected.count(), 1);
        QCOMPARE(qvariant_cast<QList<ServiceInfo*>>(device->getServices()).size(), 2);
    }
};

QTEST_GUILESS_MAIN(TestBleModel)
#include "tst_ble_model.moc"

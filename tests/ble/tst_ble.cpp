// The BLE model and the BLE tab against a scripted peripheral, and the real Qt radio
// on a machine without an adapter.
#include <QApplication>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>

#include "app/styles.h"
#include "protocols/CharacteristicWidget.h"
#include "protocols/WriteDialog.h"
#include "protocols/blehex.h"
#include "protocols/characteristicinfo.h"
#include "protocols/device.h"
#include "protocols/quenlix_ble.h"
#include "protocols/serviceinfo.h"
#include "tests/ble/fakeble.h"

using C = QLowEnergyCharacteristic;
using Props = QLowEnergyCharacteristic::PropertyTypes;

namespace {
const QString addrA = QStringLiteral("11:22:33:44:55:66");
const QString addrB = QStringLiteral("AA:BB:CC:DD:EE:01");
const quint16 svcA = 0xfff0, svcB = 0xffe0, shared = 0xfff1, notifyOnly = 0x2a37, writeOnly = 0x2a39,
              noCccd = 0x2a19;

// Device A: two services that both hold a characteristic 0xfff1, as some vendor firmware does.
QList<FakeServiceDef> peripheral()
{
    return {{QBluetoothUuid(svcA),
             QStringLiteral("Vendor A"),
             {characteristic(shared, C::Read | C::Notify, true, QStringLiteral("Data")),
              characteristic(notifyOnly, C::Notify, true), characteristic(writeOnly, C::Write),
              characteristic(noCccd, C::Notify, false)}},
            {QBluetoothUuid(svcB),
             QStringLiteral("Vendor B"),
             {characteristic(shared, C::Read | C::WriteNoResponse)}}};
}

// Answers the next write dialog: sets the mode, types each text in turn and presses OK,
// noting whether a complaint shows; closes the dialog if still open after the last one.
struct WriteDialogAnswer
{
    QList<bool> complaints;
    bool seen = false;

    WriteDialogAnswer(QObject* context, const QStringList& texts, bool hex)
    {
        auto* poll = new QTimer(context);
        QObject::connect(poll, &QTimer::timeout, context, [this, poll, texts, hex] {
            auto* dialog = qobject_cast<WriteDialog*>(QApplication::activeModalWidget());
            if (!dialog)
                return;
            poll->stop();
            poll->deleteLater();
            seen = true;
            dialog->findChild<QComboBox*>()->setCurrentIndex(hex ? 1 : 0);
            for (const QString& text : texts) {
                dialog->findChild<QLineEdit*>()->setText(text);
                dialog->findChild<QPushButton*>()->click();
                complaints.append(!dialog->findChild<QLabel*>(QStringLiteral("problemLabel"))->isHidden());
                if (!dialog->isVisible())
                    return;
            }
            dialog->reject();
        });
        poll->start(10);
    }
};
} // namespace

class TestBle : public QObject
{
    Q_OBJECT
    FakeBackend* fake = nullptr; // behind the newest model or tab
    std::unique_ptr<Device> device;
    std::unique_ptr<quenlix_ble> tab;

    std::unique_ptr<FakeBackend> newBackend()
    {
        auto backend = std::make_unique<FakeBackend>();
        backend->peripherals = {{addrA, peripheral()}, {addrB, {peripheral()[1]}}};
        fake = backend.get();
        return backend;
    }
    QList<ServiceInfo*> services() { return qvariant_cast<QList<ServiceInfo*>>(device->getServices()); }
    QList<DeviceInfo*> devices() { return qvariant_cast<QList<DeviceInfo*>>(device->getDevices()); }

    // Model: scans, sees A and B, connects to `address` and lists every service's details.
    void connectTo(const QString& address)
    {
        device->startDeviceDiscovery();
        fake->agent->see(leDevice(addrA, QStringLiteral("Pulse")));
        fake->agent->see(leDevice(addrB, QStringLiteral("Other")));
        QSignalSpy connected(device.get(), &Device::connected);
        device->scanServices(address);
        QTRY_COMPARE(connected.count(), 1);
        QSignalSpy done(device.get(), &Device::characteristics_GetDone);
        for (const ServiceInfo* s : services())
            device->connectToService(s->getUuid());
        QTRY_COMPARE(done.count(), services().size());
    }

    // Tab: its widgets.
    template <typename T> T* child(const char* name) { return tab->findChild<T*>(QLatin1String(name)); }
    QPushButton* scanButton() { return child<QPushButton>("scanButton"); }
    QString label() { return child<QLabel>("label_device")->text(); }
    QList<QPushButton*> deviceButtons() { return child<QGroupBox>("groupBox")->findChildren<QPushButton*>(); }
    QList<CharacteristicWidget*> panels() { return tab->findChildren<CharacteristicWidget*>(); }
    static QComboBox* mode(CharacteristicWidget* panel, quint16 uuid)
    {
        return panel->findChild<QComboBox*>(QStringLiteral("displayModeComboBox_temp_") + uuidText(uuid));
    }
    static QGroupBox* block(CharacteristicWidget* panel, quint16 uuid)
    {
        QComboBox* m = mode(panel, uuid);
        return m ? qobject_cast<QGroupBox*>(m->parent()) : nullptr;
    }
    static QPushButton* button(CharacteristicWidget* panel, quint16 uuid, const QString& text)
    {
        for (QPushButton* b : block(panel, uuid)->findChildren<QPushButton*>()) {
            if (b->text() == text)
                return b;
        }
        return nullptr;
    }
    static QLineEdit* valueField(CharacteristicWidget* panel, quint16 uuid)
    {
        for (QLineEdit* f : block(panel, uuid)->findChildren<QLineEdit*>()) {
            if (f->focusPolicy() == Qt::NoFocus)
                return f;
        }
        return nullptr;
    }
    void openTabAndScan()
    {
        tab = std::make_unique<quenlix_ble>(newBackend(), nullptr);
        scanButton()->click();
        fake->agent->see(leDevice(addrA, QStringLiteral("Thermo (v2)")));
        fake->agent->see(leDevice(addrB, QStringLiteral("Other")));
    }
    // Connects the tab to A and waits until both service panels are filled.
    void openTabOnA()
    {
        openTabAndScan();
        deviceButtons().first()->click();
        QTRY_COMPARE(panels().size(), 2);
        QTRY_VERIFY(block(panels()[0], noCccd) && block(panels()[1], shared));
    }

private slots:
    void init() { device = std::make_unique<Device>(newBackend()); }
    void cleanup()
    {
        tab.reset();
        device.reset();
    }

    void infoTexts()
    {
        const auto permission = [](Props p) {
            return CharacteristicInfo({}, characteristic(0x2a00, p)).getPermission();
        };
        QCOMPARE(permission({}), QStringLiteral("(  )"));
        QCOMPARE(permission(C::Read | C::Notify), QStringLiteral("(  Read Notify )"));
        QCOMPARE(permission(C::Broadcasting | C::Read | C::WriteNoResponse | C::Write | C::Notify |
                            C::Indicate | C::WriteSigned | C::ExtendedProperty),
                 QStringLiteral(
                     "(  Read Write Notify Indicate ExtendedProperty Broadcast WriteNoResp WriteSigned )"));

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

        using S = QLowEnergyService;
        const auto typeText = [](S::ServiceTypes t) {
            return ServiceInfo(new FakeService({{}, {}, {}, t})).getType();
        };
        QCOMPARE(typeText(S::PrimaryService), QStringLiteral("<primary>"));
        QCOMPARE(typeText({}), QStringLiteral("<secondary>"));
        QCOMPARE(typeText(S::PrimaryService | S::IncludedService), QStringLiteral("<primary included>"));
        QCOMPARE(ServiceInfo(nullptr).getType(), QString());
    }

    void hexInput_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("valid");
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("empty") << "" << true << QByteArray();
        QTest::newRow("spaced") << "48 69" << true << QByteArray("Hi");
        QTest::newRow("display-form") << "0x48, 0x69" << true << QByteArray("Hi");
        QTest::newRow("colons-upper") << "DE:AD:BE:EF" << true << QByteArray::fromHex("deadbeef");
        QTest::newRow("single-digits") << "1 0xA" << true << QByteArray::fromHex("010a");
        QTest::newRow("odd-run") << "123" << false << QByteArray();
        QTest::newRow("bare-prefix") << "0x" << false << QByteArray();
        QTest::newRow("not-hex") << "48 6g" << false << QByteArray();
    }
    void hexInput()
    {
        QFETCH(QString, text);
        QFETCH(bool, valid);
        QFETCH(QByteArray, bytes);
        const std::optional<QByteArray> parsed = BleHex::parse(text);
        QCOMPARE(parsed.has_value(), valid);
        QCOMPARE(parsed.value_or(QByteArray()), bytes);
    }

    void deviceSeenTwiceKeepsPlaceAndNewestName()
    {
        QSignalSpy updated(device.get(), &Device::devicesUpdated);
        device->startDeviceDiscovery();
        QVERIFY(device->state());
        fake->agent->see(leDevice(addrA, QStringLiteral("Pulse")));
        fake->agent->see(leDevice(addrB, QStringLiteral("Other")));
        QBluetoothDeviceInfo classic(QBluetoothAddress(QStringLiteral("00:00:00:00:00:07")), "Headset", 0);
        classic.setCoreConfigurations(QBluetoothDeviceInfo::BaseRateCoreConfiguration);
        fake->agent->see(classic);
        fake->agent->see(leDevice(addrA, QStringLiteral("Pulse 2")));
        QCOMPARE(devices().size(), 2);
        QCOMPARE(devices()[0]->getAddress(), addrA);
        QCOMPARE(devices()[0]->getName(), QStringLiteral("Pulse 2"));
        QCOMPARE(devices()[1]->getName(), QStringLiteral("Other"));
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
        QCOMPARE(devices().size(), Device::maxDevices);
        // Known addresses still get their updates.
        fake->agent->see(leDevice(QStringLiteral("00:00:00:00:00:00"), QStringLiteral("renamed")));
        QCOMPARE(devices().first()->getName(), QStringLiteral("renamed"));
    }

    void connectListsServicesBeforeAnnouncing()
    {
        QSignalSpy connected(device.get(), &Device::connected);
        device->scanServices(addrA); // nothing scanned yet
        QCOMPARE(fake->controllersMade, 0);

        device->startDeviceDiscovery();
        fake->agent->see(leDevice(addrA, QStringLiteral("Pulse")));
        int servicesAtConnected = -1;
        connect(device.get(), &Device::connected, this, [&] { servicesAtConnected = services().size(); });
        device->scanServices(addrA);
        QCOMPARE(device->getUpdate(), QStringLiteral("Back\n(Connecting to device...)"));
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

        // Same device while still connected: a fresh controller, since the connected one
        // would ignore the request.
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
        QCOMPARE(device->characteristics().size(), 5);
        // A service that reports its details again is not listed twice.
        QSignalSpy done(device.get(), &Device::characteristics_GetDone);
        fake->service(svcA)->setState(QLowEnergyService::RemoteServiceDiscovered);
        QCOMPARE(done.count(), 1);
        QCOMPARE(done[0][0].toString(), uuidText(svcA));
        QCOMPARE(device->characteristics().size(), 5);
        // Details already known: listed at once and still announced.
        device->connectToService(uuidText(svcB));
        QTRY_COMPARE(done.count(), 2);
        QCOMPARE(done[1][0].toString(), uuidText(svcB));
        QCOMPARE(device->characteristics().size(), 5);
    }

    void notificationsPerCharacteristic()
    {
        connectTo(addrA);
        FakeService* a = fake->service(svcA);
        QSignalSpy changed(device.get(), &Device::characteristicValueChanged);
        QVERIFY(device->subscribeToNotify(uuidText(svcA), uuidText(notifyOnly)));
        QVERIFY(device->subscribeToNotify(uuidText(svcA), uuidText(shared)));
        QVERIFY(device->subscribeToNotify(uuidText(svcA), uuidText(notifyOnly))); // again
        QVERIFY(!device->subscribeToNotify(uuidText(svcA), uuidText(noCccd)));    // nothing to write
        QCOMPARE(a->writes.size(), 3);

        a->notify(notifyOnly, QByteArray::fromHex("0648"));
        a->notify(writeOnly, "never subscribed");
        a->notify(noCccd, "\x64");
        QCOMPARE(changed.count(), 1);
        QCOMPARE(changed[0][1].toByteArray(), QByteArray::fromHex("0648"));

        // Ending one subscription leaves the other running and tells the peripheral.
        device->unsubscribeFromNotify(uuidText(svcA), uuidText(notifyOnly));
        QCOMPARE(a->writes.last(), QStringLiteral("2a37/2902=0000"));
        a->notify(notifyOnly, "late");
        a->notify(shared, "\x02");
        QCOMPARE(changed.count(), 2);
        QCOMPARE(changed[1][0].toString(), uuidText(shared));

        // The whole-service stop ends the rest without writing.
        const QStringList writes = a->writes;
        device->unsubscribeNotify(a);
        a->notify(shared, "\x03");
        QCOMPARE(changed.count(), 2);
        QCOMPARE(a->writes, writes);
    }

    // A read goes to the named service only; on reconnecting, the old services go with
    // their pending reads.
    void readsAndReconnect()
    {
        connectTo(addrA);
        QPointer<FakeService> a = fake->service(svcA);
        device->readCharacteristic(uuidText(svcA), QStringLiteral("0000fff1-0000-1000-8000-00805f9b34fb"));
        device->readCharacteristic(uuidText(svcA), uuidText(0x2aff)); // not there
        device->readCharacteristic(uuidText(0x1800), uuidText(shared));
        device->readCharacteristic(uuidText(svcA), QString());
        QCOMPARE(a->reads, QList<QBluetoothUuid>{QBluetoothUuid(shared)});
        QVERIFY(fake->service(svcB)->reads.isEmpty());
        QVERIFY(device->subscribeToNotify(uuidText(svcA), uuidText(notifyOnly)));
        fake->controller->dropLink();
        QSignalSpy connected(device.get(), &Device::connected);
        device->scanServices(addrA);
        QVERIFY(!a); // its answer can no longer arrive
        QVERIFY(device->characteristics().isEmpty());
        QTRY_COMPARE(connected.count(), 1);
        QCOMPARE(services().size(), 2);
    }

    void tabScanListsDevicesAndClearsOldOnes()
    {
        openTabAndScan();
        QCOMPARE(scanButton()->text(), QStringLiteral("Stop"));
        QCOMPARE(scanButton()->styleSheet(), QLatin1String(Styles::activeButton));
        fake->agent->see(leDevice(addrA, QStringLiteral("Renamed")));
        const auto buttons = deviceButtons();
        QCOMPARE(buttons.size(), 2);
        QCOMPARE(buttons[0]->text(), QStringLiteral("Thermo (v2)\n(11:22:33:44:55:66)"));
        QCOMPARE(buttons[1]->text(), QStringLiteral("Other\n(AA:BB:CC:DD:EE:01)"));

        scanButton()->click(); // Stop
        QCOMPARE(scanButton()->text(), QStringLiteral("Scan"));
        QVERIFY(!fake->agent->isActive());
        scanButton()->click(); // a new scan starts empty
        QCOMPARE(fake->agent->starts, 2);
        QTRY_VERIFY(deviceButtons().isEmpty());
    }

    // A scan that fails or times out frees the button and tells why.
    void tabScanEndsByItself_data()
    {
        using A = QBluetoothDeviceDiscoveryAgent;
        QTest::addColumn<int>("error"); // -1: times out with nothing found
        QTest::addColumn<QString>("message");
        QTest::newRow("nothing-found") << -1 << "No Low Energy devices found...";
        QTest::newRow("no-adapter") << int(A::InputOutputError)
                                    << "Writing or reading from the device resulted in an error.";
        QTest::newRow("powered-off")
            << int(A::PoweredOffError)
            << "The Bluetooth adaptor is powered off, power it on before doing discovery.";
        QTest::newRow("other-error") << int(A::UnsupportedDiscoveryMethod)
                                     << "Error: UnsupportedDiscoveryMethod";
    }
    void tabScanEndsByItself()
    {
        QFETCH(int, error);
        QFETCH(QString, message);
        tab = std::make_unique<quenlix_ble>(newBackend(), nullptr);
        if (error >= 0)
            fake->agent->failOnStart = QBluetoothDeviceDiscoveryAgent::Error(error);
        scanButton()->click();
        if (error < 0)
            fake->agent->timeOut();
        QCOMPARE(scanButton()->text(), QStringLiteral("Scan"));
        QCOMPARE(scanButton()->styleSheet(), QLatin1String(Styles::idleButton));
        QCOMPARE(label(), error < 0 ? message : message + "\nCannot find valid Bluetooth adapter.");
        scanButton()->click(); // and the next press scans again
        QCOMPARE(fake->agent->starts, 2);
    }

    // The real Qt agent on a machine without an adapter (or without D-Bus).
    void tabWithRealRadioWithoutAdapter()
    {
        tab = std::make_unique<quenlix_ble>(nullptr);
        scanButton()->click();
        if (scanButton()->text() == QLatin1String("Stop")) {
            scanButton()->click();
            QSKIP("this machine has a Bluetooth adapter");
        }
        QCOMPARE(scanButton()->text(), QStringLiteral("Scan"));
        QVERIFY(!label().isEmpty());
        QVERIFY(child<QGroupBox>("groupBox_device")->isEnabled());
    }

    void tabShowsOneGroupPerService()
    {
        openTabOnA(); // the name holds parentheses: the address is still found
        QCOMPARE(fake->controller->device.address().toString(), addrA);
        QCOMPARE(scanButton()->text(), QStringLiteral("Disconnect"));
        QVERIFY(!child<QGroupBox>("groupBox_device")->isEnabled());
        QCOMPARE(label(), QStringLiteral("Thermo (v2)(11:22:33:44:55:66)"));

        const auto titles = child<QGroupBox>("groupBox_ServiceUUID")
                                ->findChildren<QPushButton*>(QString(), Qt::FindDirectChildrenOnly);
        QCOMPARE(titles.size(), 2);
        QCOMPARE(titles[0]->text(),
                 QStringLiteral("Service name: Vendor A\nService UUID: ") + uuidText(svcA));

        CharacteristicWidget* a = panels()[0];
        QVERIFY(button(a, shared, "Read") && button(a, shared, "Notify") && !button(a, shared, "W"));
        QVERIFY(button(a, writeOnly, "W") && !button(a, writeOnly, "Read") && !valueField(a, writeOnly));
        const auto fields = block(a, shared)->findChildren<QLineEdit*>();
        QCOMPARE(fields[0]->text(), QStringLiteral("Data"));
        QCOMPARE(fields[1]->text(), uuidText(shared).remove('{').remove('}'));
        QCOMPARE(block(a, notifyOnly)->findChildren<QLineEdit*>()[0]->text(), QStringLiteral("Unknown"));
        QVERIFY(button(panels()[1], shared, "Read") && button(panels()[1], shared, "W"));

        // A title hides and shows its own group only.
        auto* groupA = qobject_cast<QGroupBox*>(a->parent());
        auto* groupB = qobject_cast<QGroupBox*>(panels()[1]->parent());
        tab->show();
        titles[0]->click();
        QVERIFY(groupA->isHidden() && !groupB->isHidden());
        titles[0]->click();
        QVERIFY(!groupA->isHidden());
    }

    void tabReadsAndResultsStayWithTheirService()
    {
        openTabOnA();
        CharacteristicWidget* a = panels()[0];
        CharacteristicWidget* b = panels()[1];
        button(b, shared, "Read")->click();
        button(a, shared, "Read")->click();
        QCOMPARE(fake->service(svcA)->reads.size(), 1);
        QCOMPARE(fake->service(svcB)->reads.size(), 1);
        fake->service(svcB)->answerRead(shared, "from B");
        fake->service(svcA)->answerRead(shared, "Hi");
        QCOMPARE(valueField(a, shared)->text(), QStringLiteral("Hi"));
        QCOMPARE(valueField(b, shared)->text(), QStringLiteral("from B"));
        // Notifications land in the same field.
        button(a, shared, "Notify")->click();
        fake->service(svcA)->notify(shared, "Ho");
        QCOMPARE(valueField(a, shared)->text(), QStringLiteral("Ho"));
    }

    void tabValueDisplayModes_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("ascii");
        QTest::addColumn<QString>("hex");
        QTest::newRow("utf8-beyond-latin1") << QByteArray("\xe6\xb8\xa9") << "\u6e29"
                                            << "0xe6, 0xb8, 0xa9";
        QTest::newRow("binary") << QByteArray("\x00\xff\x10", 3)
                                << QString::fromUtf8(QByteArray("\x00\xff\x10", 3)) << "0x00, 0xff, 0x10";
        QTest::newRow("empty") << QByteArray() << ""
                               << "";
    }
    void tabValueDisplayModes()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, ascii);
        QFETCH(QString, hex);
        openTabOnA();
        CharacteristicWidget* a = panels()[0];
        QLineEdit* field = valueField(a, shared);
        mode(a, shared)->setCurrentIndex(1); // received while showing hexadecimal
        fake->service(svcA)->answerRead(shared, bytes);
        QCOMPARE(field->text(), hex);
        mode(a, shared)->setCurrentIndex(0);
        QCOMPARE(field->text(), ascii);
        mode(a, shared)->setCurrentIndex(1);
        QCOMPARE(field->text(), hex);
        mode(a, writeOnly)->setCurrentIndex(1); // no field: nothing happens
    }

    void tabNotifyButtonToggles()
    {
        openTabOnA();
        CharacteristicWidget* a = panels()[0];
        FakeService* serviceA = fake->service(svcA);
        QPushButton* notify = button(a, notifyOnly, "Notify");
        notify->click();
        QCOMPARE(notify->text(), QStringLiteral("Subscribed"));
        QCOMPARE(notify->styleSheet(), QStringLiteral("background-color: green; color: white;"));
        serviceA->notify(notifyOnly, "\x06\x48");
        QCOMPARE(valueField(a, notifyOnly)->text(), QStringLiteral("\x06H"));
        notify->click();
        QCOMPARE(notify->text(), QStringLiteral("Notify"));
        QVERIFY(notify->styleSheet().isEmpty());
        // A characteristic that cannot be subscribed does not claim it is.
        QPushButton* broken = button(a, noCccd, "Notify");
        broken->click();
        QCOMPARE(broken->text(), QStringLiteral("Notify"));
    }

    void tabWriteDialogSendsWhatWasTyped_data()
    {
        QTest::addColumn<QStringList>("texts");
        QTest::addColumn<bool>("hex");
        QTest::addColumn<QList<bool>>("complaints");
        QTest::addColumn<QStringList>("written");
        const QList<bool> ok{false}, bad{true};
        QTest::newRow("ascii-utf8") << QStringList{"h\u00e9"} << false << ok << QStringList{"2a39=68c3a9"};
        QTest::newRow("ascii-empty") << QStringList{""} << false << ok << QStringList{"2a39="};
        QTest::newRow("hex-display-form")
            << QStringList{"0x48, 0x69"} << true << ok << QStringList{"2a39=4869"};
        QTest::newRow("hex-bad-then-good") << QStringList{"0x4869z", "48 69"} << true
                                           << QList<bool>{true, false} << QStringList{"2a39=4869"};
        QTest::newRow("hex-bad-then-closed") << QStringList{"123"} << true << bad << QStringList();
        QTest::newRow("too-long") << QStringList{QString(513, 'a')} << false << bad << QStringList();
    }
    void tabWriteDialogSendsWhatWasTyped()
    {
        QFETCH(QStringList, texts);
        QFETCH(bool, hex);
        QFETCH(QList<bool>, complaints);
        QFETCH(QStringList, written);
        openTabOnA();
        WriteDialogAnswer answer(this, texts, hex);
        button(panels()[0], writeOnly, "W")->click();
        QVERIFY(answer.seen);
        QCOMPARE(answer.complaints, complaints);
        QCOMPARE(fake->service(svcA)->writes, written);
    }

    void panelGoneWhileDialogOpen()
    {
        auto* panel = new CharacteristicWidget(QString(), nullptr);
        panel->setCharacteristicInfo("x", uuidText(writeOnly), QString(), "(  Write )");
        QSignalSpy requested(panel, &CharacteristicWidget::writeCharacteristicRequested);
        QPointer<CharacteristicWidget> watch(panel);
        QTimer::singleShot(50, this, [&] {
            auto* dialog = qobject_cast<WriteDialog*>(QApplication::activeModalWidget());
            QVERIFY(dialog);
            delete panel;
            dialog->findChild<QPushButton*>()->click();
        });
        panel->findChild<QPushButton*>()->click();
        QVERIFY(!watch);
        QCOMPARE(requested.count(), 0);
    }

    // The link ends from either side: the tab goes back to scanning, keeping what it showed.
    void tabDisconnectReturnsToScan_data()
    {
        QTest::addColumn<bool>("byButton");
        QTest::newRow("peripheral-drops") << false;
        QTest::newRow("disconnect-button") << true;
    }
    void tabDisconnectReturnsToScan()
    {
        QFETCH(bool, byButton);
        openTabOnA();
        QPointer<FakeController> controller = fake->controller;
        if (byButton)
            scanButton()->click();
        else
            controller->dropLink();
        QCOMPARE(scanButton()->text(), QStringLiteral("Scan"));
        QTRY_COMPARE(controller->state(), QLowEnergyController::UnconnectedState);
        QVERIFY(scanButton()->isEnabled());
        QVERIFY(child<QGroupBox>("groupBox_device")->isEnabled());
        QCOMPARE(label(), QStringLiteral("Thermo (v2)(11:22:33:44:55:66)"));
        QCOMPARE(panels().size(), 2);
        QCOMPARE(deviceButtons().size(), 2);

        // Connecting again rebuilds the list once, with fresh panels.
        QPointer<CharacteristicWidget> old = panels()[0];
        deviceButtons().first()->click();
        QTRY_VERIFY(!old);
        QTRY_COMPARE(panels().size(), 2);
        QTRY_VERIFY(block(panels()[0], noCccd));
    }
};

QTEST_MAIN(TestBle)
#include "tst_ble.moc"

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
              noCccd = 0x2a19, indicateOnly = 0x2a05;

// Device A: two services that both hold a characteristic 0xfff1, as some vendor firmware does.
QList<FakeServiceDef> peripheral()
{
    return {{QBluetoothUuid(svcA),
             QStringLiteral("Vendor A"),
             {characteristic(shared, C::Read | C::Notify | C::Indicate, true, QStringLiteral("Data")),
              characteristic(notifyOnly, C::Notify, true), characteristic(writeOnly, C::Write),
              characteristic(indicateOnly, C::Indicate, true), characteristic(noCccd, C::Notify, false)}},
            {QBluetoothUuid(svcB),
             QStringLiteral("Vendor B"),
             {characteristic(shared, C::Read | C::WriteNoResponse)}}};
}

// Runs `answer` on the next write dialog once it shows (it is modal: the test waits inside it).
template <typename Answer> void onWriteDialog(QObject* context, Answer answer)
{
    auto* poll = new QTimer(context);
    QObject::connect(poll, &QTimer::timeout, context, [poll, answer] {
        if (auto* dialog = qobject_cast<WriteDialog*>(QApplication::activeModalWidget()))
            poll->stop(), answer(dialog);
    });
    poll->start(10);
}
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
        for (QPushButton* b : block(panel, uuid)->findChildren<QPushButton*>())
            if (b->text() == text)
                return b;
        return nullptr;
    }
    static QLineEdit* valueField(CharacteristicWidget* panel, quint16 uuid)
    {
        for (QLineEdit* f : block(panel, uuid)->findChildren<QLineEdit*>())
            if (f->focusPolicy() == Qt::NoFocus)
                return f;
        return nullptr;
    }
    // Connects the tab to A (named `nameA`) and waits until both service panels are filled.
    void openTabOnA(const QString& nameA = "Thermo (v2)")
    {
        tab = std::make_unique<quenlix_ble>(newBackend(), nullptr);
        scanButton()->click();
        fake->agent->see(leDevice(addrA, nameA));
        fake->agent->see(leDevice(addrB, "Other"));
        deviceButtons().first()->click();
        QTRY_COMPARE(panels().size(), 2);
        QTRY_VERIFY(block(panels()[0], noCccd) && block(panels()[1], shared));
    }

private slots:
    void init() { device = std::make_unique<Device>(newBackend()); }
    void cleanup() { tab.reset(), device.reset(); }

    void infoTexts()
    {
        const Props all = C::Broadcasting | C::Read | C::WriteNoResponse | C::Write | C::Notify |
                          C::Indicate | C::WriteSigned | C::ExtendedProperty;
        QCOMPARE(CharacteristicInfo({}, characteristic(1, all)).getPermission(),
                 "(  Read Write Notify Indicate ExtendedProperty Broadcast WriteNoResp WriteSigned )");
        // The name: the stack's, else the user description descriptor, else "Unknown".
        BleCharacteristic c = characteristic(0xfff1, C::Read);
        QCOMPARE(CharacteristicInfo(QString(), c).getName(), QStringLiteral("Unknown"));
        c.descriptors.append(
            {QBluetoothUuid(QBluetoothUuid::DescriptorType::CharacteristicUserDescription), "Fan"});
        c.value = "Hi\xff";
        QCOMPARE(CharacteristicInfo(QString(), c).getName(), QStringLiteral("Fan"));
        QCOMPARE(CharacteristicInfo(QString(), c).getValue(), QStringLiteral("Hi\uFFFD\n4869ff"));
        const auto types = QLowEnergyService::PrimaryService | QLowEnergyService::IncludedService;
        QCOMPARE(ServiceInfo(new FakeService({{}, {}, {}, types})).getType(),
                 QStringLiteral("<primary included>"));
    }

    void hexInput()
    {
        // clang-format off
        const struct { const char* text; bool valid; QByteArray bytes; } rows[] = {{"", true, ""},
            {"0x48, 0x69", true, "Hi"}, {"DE:AD:BE:EF", true, "\xde\xad\xbe\xef"}, {"1 0xA", true, "\x01\x0a"},
            {"123", false, ""}, {"0x", false, ""}, {"48 6g", false, ""}};
        // clang-format on
        for (const auto& r : rows) {
            const std::optional<QByteArray> parsed = BleHex::parse(r.text);
            QVERIFY2(parsed.has_value() == r.valid && parsed.value_or(QByteArray()) == r.bytes, r.text);
        }
    }

    void scanListKeepsPlacesAndIsCapped()
    {
        QSignalSpy updated(device.get(), &Device::devicesUpdated);
        device->startDeviceDiscovery();
        fake->agent->see(leDevice(addrA, QStringLiteral("Pulse")));
        QBluetoothDeviceInfo classic(QBluetoothAddress(QStringLiteral("00:00:00:00:00:07")), "Headset", 0);
        classic.setCoreConfigurations(QBluetoothDeviceInfo::BaseRateCoreConfiguration);
        fake->agent->see(classic);
        fake->agent->see(leDevice(addrA, QStringLiteral("Pulse 2")));
        QCOMPARE(devices().size(), 1);
        QCOMPARE(devices()[0]->getName(), QStringLiteral("Pulse 2"));
        QCOMPARE(updated.count(), 3); // cleared, A, A again
        for (int i = 0; i < Device::maxDevices + 20; ++i)
            fake->agent->see(leDevice(QStringLiteral("00:00:00:00:%1:%2")
                                          .arg(i / 256, 2, 16, QLatin1Char('0'))
                                          .arg(i % 256, 2, 16, QLatin1Char('0')),
                                      QStringLiteral("tag")));
        QCOMPARE(devices().size(), Device::maxDevices);
        fake->agent->see(leDevice(addrA, QStringLiteral("renamed"))); // known: still updated
        QCOMPARE(devices().first()->getName(), QStringLiteral("renamed"));
        fake->agent->timeOut();
        QVERIFY(!device->state());
        QCOMPARE(device->getUpdate(), QStringLiteral("Done! Scan Again!"));
    }

    void controllerReuse()
    {
        device->scanServices(addrA); // nothing scanned yet
        QCOMPARE(fake->controllersMade, 0);
        int servicesAtConnected = -1; // the list is complete when the connection is announced
        connect(device.get(), &Device::connected, this, [&] { servicesAtConnected = services().size(); });
        connectTo(addrA);
        QCOMPARE(servicesAtConnected, 2);
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
        // Same device while still connected: a fresh controller (the old one would ignore it).
        device->scanServices(addrA);
        QTRY_COMPARE(connected.count(), 2);
        QCOMPARE(fake->controllersMade, 2);
        QVERIFY(!first);
        // Another device replaces it too; a controller error reads as a disconnect.
        QPointer<FakeController> second = fake->controller;
        device->scanServices(addrB);
        QTRY_COMPARE(connected.count(), 3);
        QVERIFY(!second);
        QCOMPARE(fake->controller->device.address().toString(), addrB);
        fake->controller->fail(QLowEnergyController::RemoteHostClosedError);
        QCOMPARE(disconnected.count(), 2);
        QVERIFY(device->hasControllerError());
    }

    void detailsAccumulateAcrossServicesOnce()
    {
        connectTo(addrA);
        QCOMPARE(device->characteristics().size(), 6);
        QSignalSpy done(device.get(), &Device::characteristics_GetDone);
        fake->service(svcA)->setState(QLowEnergyService::RemoteServiceDiscovered); // reported again
        QCOMPARE(done.count(), 1);
        QCOMPARE(device->characteristics().size(), 6);
        device->connectToService(uuidText(svcB)); // already known: listed at once, still announced
        QTRY_COMPARE(done.count(), 2);
        QCOMPARE(done[1][0].toString(), uuidText(svcB));
        QCOMPARE(device->characteristics().size(), 6);
    }

    void notificationsAndIndications()
    {
        connectTo(addrA);
        FakeService* a = fake->service(svcA);
        QSignalSpy changed(device.get(), &Device::characteristicValueChanged);
        QVERIFY(device->subscribeToNotify(uuidText(svcA), uuidText(notifyOnly)));
        QVERIFY(device->subscribeToNotify(uuidText(svcA), uuidText(shared)));
        QVERIFY(device->subscribeToNotify(uuidText(svcA), uuidText(indicateOnly)));
        QVERIFY(!device->subscribeToNotify(uuidText(svcA), uuidText(noCccd))); // nothing to write
        // Notifications where the characteristic can notify; indications where it only indicates.
        QCOMPARE(a->writes, QStringList({"2a37/2902=0100", "fff1/2902=0100", "2a05/2902=0200"}));

        a->notify(notifyOnly, QByteArray::fromHex("0648"));
        a->notify(writeOnly, "never subscribed");
        a->notify(noCccd, "\x64");
        a->notify(indicateOnly, "\x01");
        QCOMPARE(changed.count(), 2);
        QCOMPARE(changed[0][1].toByteArray(), QByteArray::fromHex("0648"));
        QCOMPARE(changed[1][0].toString(), uuidText(indicateOnly));

        // Ending one subscription leaves the others running and tells the peripheral.
        device->unsubscribeFromNotify(uuidText(svcA), uuidText(notifyOnly));
        QCOMPARE(a->writes.last(), QStringLiteral("2a37/2902=0000"));
        a->notify(notifyOnly, "late");
        a->notify(shared, "\x02");
        QCOMPARE(changed.count(), 3);
        // The whole-service stop ends the rest without writing.
        const QStringList writes = a->writes;
        device->unsubscribeNotify(a);
        a->notify(shared, "\x03");
        QCOMPARE(changed.count(), 3);
        QCOMPARE(a->writes, writes);
    }

    // A read goes to the named service only; on reconnecting, the old services go with
    // their pending reads.
    void readsWritesAndReconnect()
    {
        connectTo(addrA);
        QPointer<FakeService> a = fake->service(svcA);
        device->readCharacteristic(uuidText(svcA), QStringLiteral("0000fff1-0000-1000-8000-00805f9b34fb"));
        device->readCharacteristic(uuidText(svcA), uuidText(0x2aff)); // not there
        device->readCharacteristic(uuidText(0x1800), uuidText(shared));
        QCOMPARE(a->reads, QList<QBluetoothUuid>{QBluetoothUuid(shared)});
        QVERIFY(fake->service(svcB)->reads.isEmpty());
        // Written the way the characteristic allows.
        device->writeCharacteristic(uuidText(svcA), uuidText(writeOnly), "Hi");
        device->writeCharacteristic(uuidText(svcB), uuidText(shared), "Hi");
        QCOMPARE(a->writes, QStringList{"2a39=4869"});
        QCOMPARE(fake->service(svcB)->writes, QStringList{"fff1=4869 nr"});

        fake->controller->dropLink();
        QSignalSpy connected(device.get(), &Device::connected);
        device->scanServices(addrA);
        QVERIFY(!a); // its answer can no longer arrive
        QVERIFY(device->characteristics().isEmpty());
        QTRY_COMPARE(connected.count(), 1);
        QCOMPARE(services().size(), 2);
    }

    // The Qt classes behind the seam, as far as they go without an adapter.
    void qtRadioWithoutAdapter()
    {
        const std::unique_ptr<BleBackend> radio = makeQtBleBackend();
        QObject owner;
        BleController* central = radio->createCentral(leDevice(addrA, QStringLiteral("x")), &owner);
        QCOMPARE(central->state(), QLowEnergyController::UnconnectedState);
        QVERIFY(!central->createServiceObject(QBluetoothUuid(svcA))); // nothing discovered
        QSignalSpy failed(central, &BleController::errorOccurred);
        QSignalSpy connected(central, &BleController::connected);
        central->connectToDevice();
        if (!QTest::qWaitFor([&] { return failed.count() > 0; }, 5000) || connected.count() > 0)
            QSKIP("this machine has a Bluetooth adapter");
        QCOMPARE(failed[0][0].value<QLowEnergyController::Error>(), central->error());
        QVERIFY(central->error() != QLowEnergyController::NoError);

        BleDiscoveryAgent* agent = radio->createDiscoveryAgent(&owner);
        QSignalSpy scanFailed(agent, &BleDiscoveryAgent::errorOccurred);
        agent->start();
        QTRY_VERIFY(scanFailed.count() > 0);
        QVERIFY(!agent->isActive());
        QVERIFY(!agent->errorString().isEmpty());

        // The tab on the same radio frees its button and says why.
        tab = std::make_unique<quenlix_ble>(nullptr);
        scanButton()->click();
        QCOMPARE(scanButton()->text(), QStringLiteral("Scan"));
        QVERIFY(!label().isEmpty());
    }

    // A scan that fails or times out frees the button and tells why; a new one starts empty.
    void tabScanEnds_data()
    {
        using A = QBluetoothDeviceDiscoveryAgent;
        QTest::addColumn<int>("error"); // -1: times out, -2: stopped by the button
        QTest::addColumn<QString>("message");
        // clang-format off
        QTest::newRow("stopped") << -2 << "";
        QTest::newRow("nothing-found") << -1 << "No Low Energy devices found...";
        QTest::newRow("no-adapter") << int(A::InputOutputError) << "Writing or reading from the device resulted in an error.";
        // clang-format on
    }
    void tabScanEnds()
    {
        QFETCH(int, error);
        QFETCH(QString, message);
        tab = std::make_unique<quenlix_ble>(newBackend(), nullptr);
        if (error >= 0)
            fake->agent->failOnStart = QBluetoothDeviceDiscoveryAgent::Error(error);
        scanButton()->click();
        if (error < 0) {
            if (error == -2) {
                fake->agent->see(leDevice(addrA, QStringLiteral("A")));
                QCOMPARE(deviceButtons().size(), 1);
            }
            error == -1 ? fake->agent->timeOut() : scanButton()->click();
            QVERIFY(!fake->agent->isActive());
        }
        QCOMPARE(scanButton()->text(), QStringLiteral("Scan"));
        QCOMPARE(label(), error < 0 ? message : message + "\nCannot find valid Bluetooth adapter.");
        scanButton()->click();
        QCOMPARE(fake->agent->starts, 2);
        QTRY_VERIFY(deviceButtons().isEmpty());
    }

    void tabShowsOneGroupPerService()
    {
        // Names come from the air: markup in one is shown as text, never rendered or loaded.
        const QString name = QStringLiteral("<b>Thermo</b> (v2)<img src=\"/etc/hostname\">");
        openTabOnA(name);
        QCOMPARE(fake->controller->device.address().toString(), addrA);
        QCOMPARE(scanButton()->text(), QStringLiteral("Disconnect"));
        QVERIFY(!child<QGroupBox>("groupBox_device")->isEnabled());
        QCOMPARE(label(), name + "(11:22:33:44:55:66)");
        for (const QLabel* l : tab->findChildren<QLabel*>())
            QVERIFY2(l->textFormat() == Qt::PlainText || !l->text().contains('<'), qPrintable(l->text()));

        const auto titles = child<QGroupBox>("groupBox_ServiceUUID")
                                ->findChildren<QPushButton*>(QString(), Qt::FindDirectChildrenOnly);
        QCOMPARE(titles.size(), 2);
        QCOMPARE(titles[0]->text(),
                 QStringLiteral("Service name: Vendor A\nService UUID: ") + uuidText(svcA));
        CharacteristicWidget* a = panels()[0];
        QVERIFY(button(a, shared, "Read") && button(a, shared, "Notify") && !button(a, shared, "W"));
        QVERIFY(button(a, writeOnly, "W") && !button(a, writeOnly, "Read") && !valueField(a, writeOnly));
        QVERIFY(button(a, indicateOnly, "Notify"));
        QCOMPARE(block(a, shared)->findChildren<QLineEdit*>()[1]->text(), uuidText(shared).mid(1, 36));
        QVERIFY(button(panels()[1], shared, "Read") && button(panels()[1], shared, "W"));
    }

    void tabReadsNotifiesAndReportsErrors()
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
        mode(b, shared)->setCurrentIndex(1); // the same bytes as hexadecimal, and back
        QCOMPARE(valueField(b, shared)->text(), QStringLiteral("0x66, 0x72, 0x6f, 0x6d, 0x20, 0x42"));
        fake->service(svcB)->answerRead(shared, QByteArray("\xe6\xb8\xa9\x00", 4));
        QCOMPARE(valueField(b, shared)->text(), QStringLiteral("0xe6, 0xb8, 0xa9, 0x00"));
        mode(b, shared)->setCurrentIndex(0);
        QCOMPARE(valueField(b, shared)->text(), QString::fromUtf8("\xe6\xb8\xa9\x00", 4));

        QPushButton* notify = button(a, indicateOnly, "Notify");
        notify->click();
        QCOMPARE(notify->text(), QStringLiteral("Subscribed"));
        fake->service(svcA)->notify(indicateOnly, "\x06\x48");
        QCOMPARE(valueField(a, indicateOnly)->text(), QStringLiteral("\x06H"));
        notify->click();
        QCOMPARE(notify->text(), QStringLiteral("Notify"));
        QPushButton* broken = button(a, noCccd, "Notify"); // cannot be subscribed: does not claim it
        broken->click();
        QCOMPARE(broken->text(), QStringLiteral("Notify"));

        // A refused write or descriptor write reaches the user, in that service's panel.
        fake->service(svcA)->fail(QLowEnergyService::DescriptorWriteError);
        auto* problem = a->findChild<QLabel*>(QStringLiteral("problemLabel"));
        QVERIFY(problem && !problem->isHidden());
        QVERIFY(problem->text().startsWith(QStringLiteral("Writing the descriptor failed")));
        fake->service(svcA)->fail(QLowEnergyService::CharacteristicWriteError);
        QCOMPARE(problem->text(), QStringLiteral("Writing the characteristic failed."));
        QVERIFY(!b->findChild<QLabel*>(QStringLiteral("problemLabel")));
    }

    void tabWriteDialog_data()
    {
        QTest::addColumn<int>("panel");
        QTest::addColumn<QStringList>("texts");
        QTest::addColumn<bool>("hex");
        QTest::addColumn<QList<bool>>("complaints");
        QTest::addColumn<QStringList>("written");
        const QList<bool> ok{false}, bad{true};
        // clang-format off
        QTest::newRow("ascii-utf8") << 0 << QStringList{"h\u00e9"} << false << ok << QStringList{"2a39=68c3a9"};
        QTest::newRow("ascii-empty") << 0 << QStringList{""} << false << ok << QStringList{"2a39="};
        QTest::newRow("hex-bad-then-good") << 0 << QStringList{"0x4869z", "0x48, 0x69"} << true << QList<bool>{true, false} << QStringList{"2a39=4869"};
        QTest::newRow("hex-bad-then-closed") << 0 << QStringList{"123"} << true << bad << QStringList();
        QTest::newRow("too-long") << 0 << QStringList{QString(513, 'a')} << false << bad << QStringList();
        QTest::newRow("without-response") << 1 << QStringList{"48"} << true << ok << QStringList{"fff1=48 nr"};
        // clang-format on
    }
    // Types each text in turn and presses OK, noting whether a complaint shows; closes the
    // dialog if still open after the last one.
    void tabWriteDialog()
    {
        QFETCH(int, panel);
        QFETCH(QStringList, texts);
        QFETCH(bool, hex);
        openTabOnA();
        QObject scope;
        QList<bool> complaints;
        onWriteDialog(&scope, [&](WriteDialog* dialog) {
            dialog->findChild<QComboBox*>()->setCurrentIndex(hex ? 1 : 0);
            for (const QString& text : texts) {
                dialog->findChild<QLineEdit*>()->setText(text);
                dialog->findChild<QPushButton*>()->click();
                complaints.append(!dialog->findChild<QLabel*>("problemLabel")->isHidden());
                if (!dialog->isVisible())
                    return;
            }
            dialog->reject();
        });
        button(panels()[panel], panel ? shared : writeOnly, "W")->click();
        QTEST(complaints, "complaints");
        QTEST(fake->service(panel ? svcB : svcA)->writes, "written");
    }

    void panelGoneWhileDialogOpen()
    {
        auto* panel = new CharacteristicWidget(QString(), nullptr);
        panel->setCharacteristicInfo("x", uuidText(writeOnly), QString(), "(  Write )");
        QSignalSpy requested(panel, &CharacteristicWidget::writeCharacteristicRequested);
        QPointer<CharacteristicWidget> watch(panel);
        QObject scope;
        onWriteDialog(&scope, [panel](WriteDialog* dialog) {
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
        byButton ? scanButton()->click() : controller->dropLink();
        QCOMPARE(scanButton()->text(), QStringLiteral("Scan"));
        QTRY_COMPARE(controller->state(), QLowEnergyController::UnconnectedState);
        QVERIFY(scanButton()->isEnabled() && child<QGroupBox>("groupBox_device")->isEnabled());
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

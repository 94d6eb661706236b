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
#include "protocols/device.h"
#include "protocols/quenlix_ble.h"
#include "protocols/serviceinfo.h"
#include "tests/ble/fakeble.h"
#include "tests/common/modalanswer.h"

using C = QLowEnergyCharacteristic;

namespace {
const QString addrA = QStringLiteral("11:22:33:44:55:66");
const QString addrB = QStringLiteral("AA:BB:CC:DD:EE:01");
const quint16 svcA = 0xfff0, svcB = 0xffe0, shared = 0xfff1, notifyOnly = 0x2a37, writeOnly = 0x2a39,
              noCccd = 0x2a19, indicateOnly = 0x2a05;

QString uuidText(quint16 uuid)
{
    return QBluetoothUuid(uuid).toString();
}

BleCharacteristic characteristic(quint16 uuid, C::PropertyTypes properties, bool withCccd = false)
{
    BleCharacteristic c{QBluetoothUuid(uuid), {}, {}, properties, {}};
    if (withCccd)
        c.descriptors.append(
            {QBluetoothUuid::DescriptorType::ClientCharacteristicConfiguration, QByteArray(2, 0)});
    return c;
}

// Device A: two services that both hold a characteristic 0xfff1, as some vendor firmware does.
const QList<FakeServiceDef> peripheral = {
    {QBluetoothUuid(svcA),
     "Vendor A",
     {characteristic(shared, C::Read | C::Notify | C::Indicate, true),
      characteristic(notifyOnly, C::Notify, true), characteristic(writeOnly, C::Write),
      characteristic(indicateOnly, C::Indicate, true), characteristic(noCccd, C::Notify)}},
    {QBluetoothUuid(svcB), "Vendor B", {characteristic(shared, C::Read | C::WriteNoResponse)}}};

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
        backend->peripherals = {{addrA, peripheral}, {addrB, {peripheral[1]}}};
        fake = backend.get();
        return backend;
    }
    QList<ServiceInfo*> services() { return qvariant_cast<QList<ServiceInfo*>>(device->getServices()); }
    QList<DeviceInfo*> devices() { return qvariant_cast<QList<DeviceInfo*>>(device->getDevices()); }

    // Model: scans, sees A and B, connects to `address` and lists every service's details.
    void connectTo(const QString& address)
    {
        device->startDeviceDiscovery();
        fake->agent->see(addrA, "Pulse");
        fake->agent->see(addrB, "Other");
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
        fake->agent->see(addrA, nameA);
        fake->agent->see(addrB, "Other");
        deviceButtons().first()->click();
        QTRY_COMPARE(panels().size(), 2);
        QTRY_VERIFY(block(panels()[0], noCccd) && block(panels()[1], shared));
    }

private slots:
    void init() { device = std::make_unique<Device>(newBackend()); }
    void cleanup() { tab.reset(), device.reset(); }

    void scanListKeepsPlacesAndIsCapped()
    {
        device->startDeviceDiscovery();
        fake->agent->see(addrA, "Pulse");
        QBluetoothDeviceInfo classic(QBluetoothAddress(QStringLiteral("00:00:00:00:00:07")), "Headset", 0);
        classic.setCoreConfigurations(QBluetoothDeviceInfo::BaseRateCoreConfiguration);
        emit fake->agent->deviceDiscovered(classic);
        fake->agent->see(addrA, "Pulse 2");
        QCOMPARE(devices().size(), 1);
        for (int i = 0; i < Device::maxDevices + 20; ++i)
            fake->agent->see(QBluetoothAddress(quint64(0x100 + i)).toString(), "tag");
        QCOMPARE(devices().size(), Device::maxDevices);
        fake->agent->see(addrA, "renamed"); // known: still updated
        QCOMPARE(devices().first()->getName(), QStringLiteral("renamed"));
    }

    // Details are listed once however often a service reports; controllers are reused where they can be.
    void detailsOnceAndControllerReuse()
    {
        device->scanServices(addrA); // nothing scanned yet
        QCOMPARE(fake->controllersMade, 0);
        int servicesAtConnected = -1; // the list is complete when the connection is announced
        connect(device.get(), &Device::connected, this, [&] { servicesAtConnected = services().size(); });
        connectTo(addrA);
        QCOMPARE(servicesAtConnected, 2);
        QCOMPARE(device->characteristics().size(), 6);
        QSignalSpy done(device.get(), &Device::characteristics_GetDone);
        fake->service(svcA)->setState(QLowEnergyService::RemoteServiceDiscovered); // reported again
        device->connectToService(uuidText(svcB)); // already known: listed at once, still announced
        QTRY_COMPARE(done.count(), 2);
        QCOMPARE(done[1][0].toString(), uuidText(svcB));
        QCOMPARE(device->characteristics().size(), 6);
        QPointer<FakeController> first = fake->controller;
        QSignalSpy disconnected(device.get(), &Device::disconnected);
        device->disconnectFromDevice();
        QTRY_COMPARE(disconnected.count(), 1);
        // Unknown address: the device of the last call again, same controller.
        QSignalSpy connected(device.get(), &Device::connected);
        device->scanServices(QStringLiteral("01:02:03:04:05:06"));
        QTRY_COMPARE(connected.count(), 1);
        QCOMPARE(fake->controllersMade, 1);
        // Same device while still connected: a fresh controller (the old one would ignore it).
        device->scanServices(addrA);
        QTRY_COMPARE(connected.count(), 2);
        QCOMPARE(fake->controllersMade, 2);
        QVERIFY(!first);
        // Another device replaces it too; a controller error reads as a disconnect.
        device->scanServices(addrB);
        QTRY_COMPARE(connected.count(), 3);
        QCOMPARE(fake->controller->device.address().toString(), addrB);
        fake->controller->fail(QLowEnergyController::RemoteHostClosedError);
        QCOMPARE(disconnected.count(), 2);
        QVERIFY(device->hasControllerError());
    }

    void notificationsAndIndications()
    {
        connectTo(addrA);
        FakeService* a = fake->service(svcA);
        QSignalSpy changed(device.get(), &Device::characteristicValueChanged);
        for (quint16 c : {notifyOnly, shared, indicateOnly})
            QVERIFY(device->subscribeToNotify(uuidText(svcA), uuidText(c)));
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

    // A scan that is stopped, finds nothing or fails frees the button and tells why; a new one
    // starts empty.
    void tabScanEnds()
    {
        tab = std::make_unique<quenlix_ble>(newBackend(), nullptr);
        scanButton()->click();
        fake->agent->see(addrA, "A");
        scanButton()->click(); // stops
        scanButton()->click();
        QTRY_VERIFY(deviceButtons().isEmpty());
        fake->agent->timeOut();
        QCOMPARE(label(), QStringLiteral("No Low Energy devices found..."));
        fake->agent->failOnStart = QBluetoothDeviceDiscoveryAgent::InputOutputError;
        scanButton()->click();
        QCOMPARE(scanButton()->text(), QStringLiteral("Scan"));
        QVERIFY(label().endsWith("Cannot find valid Bluetooth adapter."));
    }

    void tabReadsNotifiesAndReportsErrors()
    {
        // Names come from the air: markup in one is shown as text, never rendered or loaded.
        const QString name = QStringLiteral("<b>Thermo</b> (v2)<img src=\"/etc/hostname\">");
        openTabOnA(name);
        QCOMPARE(label(), name + "(11:22:33:44:55:66)");
        for (const QLabel* l : tab->findChildren<QLabel*>())
            QVERIFY2(l->textFormat() == Qt::PlainText || !l->text().contains('<'), qPrintable(l->text()));
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
        mode(b, shared)->setCurrentIndex(1); // the same bytes as hexadecimal
        fake->service(svcB)->answerRead(shared, QByteArray("\xe6\xb8\xa9\x00", 4));
        QCOMPARE(valueField(b, shared)->text(), QStringLiteral("0xe6, 0xb8, 0xa9, 0x00"));

        QPushButton* notify = button(a, indicateOnly, "Notify");
        notify->click();
        fake->service(svcA)->notify(indicateOnly, "\x06\x48");
        QCOMPARE(valueField(a, indicateOnly)->text(), QStringLiteral("\x06H"));
        notify->click();
        fake->service(svcA)->notify(indicateOnly, "\x07");
        QCOMPARE(valueField(a, indicateOnly)->text(), QStringLiteral("\x06H"));
        QPushButton* broken = button(a, noCccd, "Notify"); // cannot be subscribed: does not claim it
        broken->click();
        QCOMPARE(broken->text(), QStringLiteral("Notify"));

        // A refused write reaches the user, in that service's panel.
        fake->service(svcA)->fail(QLowEnergyService::CharacteristicWriteError);
        auto* problem = a->findChild<QLabel*>(QStringLiteral("problemLabel"));
        QVERIFY(problem && !problem->isHidden());
        QVERIFY(!b->findChild<QLabel*>(QStringLiteral("problemLabel")));
    }

    // The panel shows what the peripheral did: a service error stays until a request of that
    // service succeeds, and a notification switch the peripheral refused leaves the button as
    // the peripheral still is.
    void tabShowsWhatThePeripheralDid_data()
    {
        QTest::addColumn<QString>("script"); // steps, one letter each (see below)
        QTest::addColumn<QString>("button"); // the Notify button's text after the script
        QTest::addColumn<bool>("problem");   // whether the panel still shows an error
        QTest::addColumn<bool>("delivered"); // whether a notification still reaches the field
        // w: a write fails; r: a read is answered; c: a write is confirmed; n: Notify pressed;
        // y: the peripheral confirms the switch; x: it refuses it.
        QTest::newRow("error-then-read") << "wr"
                                         << "Notify" << false << false;
        QTest::newRow("error-then-confirmed-write") << "wc"
                                                    << "Notify" << false << false;
        QTest::newRow("error-stays-without-success") << "rw"
                                                     << "Notify" << true << false;
        QTest::newRow("subscribe-confirmed") << "wny"
                                             << "Subscribed" << false << true;
        QTest::newRow("subscribe-refused") << "nx"
                                           << "Notify" << true << false;
        QTest::newRow("unsubscribe-refused") << "nynx"
                                             << "Subscribed" << true << true;
    }
    void tabShowsWhatThePeripheralDid()
    {
        QFETCH(QString, script);
        openTabOnA();
        CharacteristicWidget* a = panels()[0];
        FakeService* service = fake->service(svcA);
        QPushButton* notify = button(a, indicateOnly, "Notify");
        for (const QChar step : script) {
            switch (step.toLatin1()) {
            case 'w':
                service->fail(QLowEnergyService::CharacteristicWriteError);
                break;
            case 'r':
                service->answerRead(shared, "Hi");
                break;
            case 'c':
                service->confirmWrite(writeOnly, "Hi");
                break;
            case 'n':
                notify->click();
                break;
            case 'y':
                service->confirmSwitch(indicateOnly);
                break;
            case 'x':
                service->fail(QLowEnergyService::DescriptorWriteError);
                break;
            }
        }
        QTEST(notify->text(), "button");
        auto* problem = a->findChild<QLabel*>(QStringLiteral("problemLabel"));
        QTEST(problem && !problem->isHidden(), "problem");
        service->notify(indicateOnly, "late");
        QTEST(valueField(a, indicateOnly)->text() == "late", "delivered");
    }

    void tabWriteDialog_data()
    {
        QTest::addColumn<QStringList>("texts");
        QTest::addColumn<bool>("hex");
        QTest::addColumn<QList<bool>>("complaints");
        QTest::addColumn<QStringList>("written");
        // clang-format off
        QTest::newRow("ascii-utf8") << QStringList{"h\u00e9"} << false << QList<bool>{false} << QStringList{"2a39=68c3a9"};
        QTest::newRow("hex-bad-then-good") << QStringList{"0x4869z", "0x48, 0x69"} << true << QList<bool>{true, false} << QStringList{"2a39=4869"};
        QTest::newRow("too-long") << QStringList{QString(513, 'a')} << false << QList<bool>{true} << QStringList();
        // clang-format on
    }
    // Types each text in turn and presses OK, noting whether a complaint shows; closes the
    // dialog if still open after the last one.
    void tabWriteDialog()
    {
        QFETCH(QStringList, texts);
        QFETCH(bool, hex);
        openTabOnA();
        QObject scope;
        QList<bool> complaints;
        answerModals<WriteDialog>(&scope, [&](WriteDialog* dialog) {
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
        button(panels()[0], writeOnly, "W")->click();
        QTEST(complaints, "complaints");
        QTEST(fake->service(svcA)->writes, "written");
    }

    void panelGoneWhileDialogOpen()
    {
        auto* panel = new CharacteristicWidget(QString(), nullptr);
        panel->setCharacteristicInfo("x", uuidText(writeOnly), QString(), "(  Write )");
        QSignalSpy requested(panel, &CharacteristicWidget::writeCharacteristicRequested);
        QPointer<CharacteristicWidget> watch(panel);
        QObject scope;
        answerModals<WriteDialog>(&scope, [panel](WriteDialog* dialog) {
            delete panel;
            dialog->findChild<QPushButton*>()->click();
        });
        panel->findChild<QPushButton*>()->click();
        QVERIFY(!watch);
        QCOMPARE(requested.count(), 0);
    }

    // The link ends from either side: the tab goes back to scanning, keeping what it showed;
    // connecting again rebuilds the list once, with fresh panels.
    void tabDisconnectReturnsToScan()
    {
        openTabOnA();
        for (bool byButton : {false, true}) {
            QPointer<FakeController> controller = fake->controller;
            byButton ? scanButton()->click() : controller->dropLink();
            QCOMPARE(scanButton()->text(), QStringLiteral("Scan"));
            QTRY_COMPARE(controller->state(), QLowEnergyController::UnconnectedState);
            QCOMPARE(panels().size(), 2);
            QCOMPARE(deviceButtons().size(), 2);
            QPointer<CharacteristicWidget> old = panels()[0];
            deviceButtons().first()->click();
            QTRY_VERIFY(!old);
            QTRY_COMPARE(panels().size(), 2);
            QTRY_VERIFY(block(panels()[0], noCccd));
        }
    }
};

QTEST_MAIN(TestBle)
#include "tst_ble.moc"

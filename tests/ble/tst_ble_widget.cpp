#include <QApplication>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

#include "app/styles.h"
#include "protocols/CharacteristicWidget.h"
#include "protocols/WriteDialog.h"
#include "protocols/quenlix_ble.h"
#include "tests/ble/fakeble.h"

using C = QLowEnergyCharacteristic;

namespace {
const QString addrA = QStringLiteral("11:22:33:44:55:66");
const QString addrB = QStringLiteral("AA:BB:CC:DD:EE:01");
const quint16 svcA = 0xfff0, svcB = 0xffe0, shared = 0xfff1, notifyOnly = 0x2a37, writeOnly = 0x2a39,
              noCccd = 0x2a19;

// Two services that both hold a characteristic 0xfff1, as some vendor firmware does.
QList<FakeServiceSpec> peripheral()
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

// Answers the next write dialog: types each text in turn (with the mode) and
// presses OK; closes the dialog when it is still open after the last one.
// Records whether a complaint was showing after each press.
struct WriteDialogAnswer
{
    QList<bool> complaints;
    bool seen = false;

    WriteDialogAnswer(QObject* context, const QStringList& texts, bool hex)
    {
        auto* poll = new QTimer(context);
        poll->setInterval(10);
        QObject::connect(poll, &QTimer::timeout, context, [this, poll, texts, hex] {
            auto* dialog = qobject_cast<WriteDialog*>(QApplication::activeModalWidget());
            if (!dialog)
                return;
            poll->stop();
            poll->deleteLater();
            seen = true;
            auto* data = dialog->findChild<QLineEdit*>();
            auto* mode = dialog->findChild<QComboBox*>();
            auto* problem = dialog->findChild<QLabel*>(QStringLiteral("problemLabel"));
            QPushButton* ok = dialog->findChild<QPushButton*>();
            mode->setCurrentIndex(hex ? 1 : 0);
            for (const QString& text : texts) {
                data->setText(text);
                ok->click();
                complaints.append(!problem->isHidden());
                if (!dialog->isVisible())
                    return;
            }
            dialog->reject();
        });
        poll->start();
    }
};
} // namespace

class TestBleWidget : public QObject
{
    Q_OBJECT
    FakeBackend* fake = nullptr;
    std::unique_ptr<quenlix_ble> tab;

    template <typename T> T* child(const QString& name) { return tab->findChild<T*>(name); }
    QPushButton* scanButton() { return child<QPushButton>(QStringLiteral("scanButton")); }
    QString label() { return child<QLabel>(QStringLiteral("label_device"))->text(); }
    QList<QPushButton*> deviceButtons()
    {
        return child<QGroupBox>(QStringLiteral("groupBox"))->findChildren<QPushButton*>();
    }
    QList<QPushButton*> titleButtons()
    {
        return child<QGroupBox>(QStringLiteral("groupBox_ServiceUUID"))
            ->findChildren<QPushButton*>(QString(), Qt::FindDirectChildrenOnly);
    }
    QList<CharacteristicWidget*> panels() { return tab->findChildren<CharacteristicWidget*>(); }
    static QGroupBox* block(CharacteristicWidget* panel, quint16 uuid)
    {
        auto* mode =
            panel->findChild<QComboBox*>(QStringLiteral("displayModeComboBox_temp_") + uuidText(uuid));
        return mode ? qobject_cast<QGroupBox*>(mode->parent()) : nullptr;
    }
    static QPushButton* button(CharacteristicWidget* panel, quint16 uuid, const QString& text)
    {
        const auto buttons = block(panel, uuid)->findChildren<QPushButton*>();
        for (QPushButton* b : buttons) {
            if (b->text() == text)
                return b;
        }
        return nullptr;
    }
    static QLineEdit* valueField(CharacteristicWidget* panel, quint16 uuid)
    {
        const auto fields = block(panel, uuid)->findChildren<QLineEdit*>();
        for (QLineEdit* f : fields) {
            if (f->focusPolicy() == Qt::NoFocus)
                return f;
        }
        return nullptr;
    }
    static void setMode(CharacteristicWidget* panel, quint16 uuid, int index)
    {
        panel->findChild<QComboBox*>(QStringLiteral("displayModeComboBox_temp_") + uuidText(uuid))
            ->setCurrentIndex(index);
    }

    void scanAndSee()
    {
        scanButton()->click();
        fake->agent->see(leDevice(addrA, QStringLiteral("Thermo (v2)")));
        fake->agent->see(leDevice(addrB, QStringLiteral("Other")));
    }
    // Connects to A and waits until both service panels are filled.
    void connectToA()
    {
        scanAndSee();
        deviceButtons().first()->click();
        QTRY_COMPARE(panels().size(), 2);
        QTRY_VERIFY(block(panels()[0], noCccd) && block(panels()[1], shared));
    }

private slots:
    void init()
    {
        auto backend = std::make_unique<FakeBackend>();
        fake = backend.get();
        fake->addPeripheral(addrA, peripheral());
        tab = std::make_unique<quenlix_ble>(std::move(backend), nullptr);
    }
    void cleanup() { tab.reset(); }

    void scanListsDevicesAndClearsOldOnes()
    {
        scanAndSee();
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

    void scanThatEndsByItselfFreesTheButton_data()
    {
        QTest::addColumn<bool>("fails");
        QTest::addColumn<QString>("message");
        QTest::newRow("no-adapter") << true
                                    << "Writing or reading from the device resulted in an error.\n"
                                       "Cannot find valid Bluetooth adapter.";
        QTest::newRow("time-out-empty") << false << "No Low Energy devices found...";
    }
    void scanThatEndsByItselfFreesTheButton()
    {
        QFETCH(bool, fails);
        QFETCH(QString, message);
        if (fails)
            fake->agent->failOnStart = QBluetoothDeviceDiscoveryAgent::InputOutputError;
        scanButton()->click();
        if (!fails)
            fake->agent->timeOut();
        QCOMPARE(scanButton()->text(), QStringLiteral("Scan"));
        QCOMPARE(scanButton()->styleSheet(), QLatin1String(Styles::idleButton));
        QCOMPARE(label(), message);
        scanButton()->click(); // and the next press scans again
        QCOMPARE(fake->agent->starts, 2);
    }

    // The real Qt agent on a machine without an adapter (or without D-Bus).
    void realRadioWithoutAdapter()
    {
        quenlix_ble real(nullptr);
        auto* button = real.findChild<QPushButton*>(QStringLiteral("scanButton"));
        button->click();
        if (button->text() == QLatin1String("Stop")) {
            button->click();
            QSKIP("this machine has a Bluetooth adapter");
        }
        QCOMPARE(button->text(), QStringLiteral("Scan"));
        QVERIFY(!real.findChild<QLabel*>(QStringLiteral("label_device"))->text().isEmpty());
        QVERIFY(real.findChild<QGroupBox*>(QStringLiteral("groupBox_device"))->isEnabled());
    }

    void connectShowsOneGroupPerService()
    {
        connectToA(); // the name holds parentheses: the address is still found
        QVERIFY(!fake->agent->isActive());
        QCOMPARE(fake->controller->device.address().toString(), addrA);
        QCOMPARE(scanButton()->text(), QStringLiteral("Disconnect"));
        QVERIFY(!child<QGroupBox>(QStringLiteral("groupBox_device"))->isEnabled());
        QCOMPARE(label(), QStringLiteral("Thermo (v2)(11:22:33:44:55:66)"));

        const auto titles = titleButtons();
        QCOMPARE(titles.size(), 2);
        QCOMPARE(titles[0]->text(),
                 QStringLiteral("Service name: Vendor A\nService UUID: ") + uuidText(svcA));

        CharacteristicWidget* a = panels()[0];
        QVERIFY(button(a, shared, "Read") && button(a, shared, "Notify") && !button(a, shared, "W"));
        QVERIFY(button(a, writeOnly, "W") && !button(a, writeOnly, "Read"));
        QVERIFY(!valueField(a, writeOnly));
        const auto fields = block(a, shared)->findChildren<QLineEdit*>();
        QCOMPARE(fields[0]->text(), QStringLiteral("Data"));
        QCOMPARE(fields[1]->text(), uuidText(shared).remove('{').remove('}'));
        QCOMPARE(block(a, notifyOnly)->findChildren<QLineEdit*>()[0]->text(), QStringLiteral("Unknown"));
        QVERIFY(button(panels()[1], shared, "Read") && button(panels()[1], shared, "W"));

        // A title hides and shows its own group only.
        QGroupBox* groupA = qobject_cast<QGroupBox*>(a->parent());
        QGroupBox* groupB = qobject_cast<QGroupBox*>(panels()[1]->parent());
        tab->show();
        titles[0]->click();
        QVERIFY(groupA->isHidden() && !groupB->isHidden());
        titles[0]->click();
        QVERIFY(!groupA->isHidden());
    }

    void readsAndResultsStayWithTheirService()
    {
        connectToA();
        CharacteristicWidget* a = panels()[0];
        CharacteristicWidget* b = panels()[1];
        button(b, shared, "Read")->click();
        button(a, shared, "Read")->click();
        FakeService* serviceA = fake->service(uuidText(svcA));
        FakeService* serviceB = fake->service(uuidText(svcB));
        QCOMPARE(serviceA->reads.size(), 1);
        QCOMPARE(serviceB->reads.size(), 1);

        serviceB->answerRead(QBluetoothUuid(shared), "from B");
        serviceA->answerRead(QBluetoothUuid(shared), "Hi");
        QCOMPARE(valueField(a, shared)->text(), QStringLiteral("Hi"));
        QCOMPARE(valueField(b, shared)->text(), QStringLiteral("from B"));

        // Notifications land in the same field.
        button(a, shared, "Notify")->click();
        serviceA->notify(QBluetoothUuid(shared), "Ho");
        QCOMPARE(valueField(a, shared)->text(), QStringLiteral("Ho"));
    }

    void valueDisplayModes_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("ascii");
        QTest::addColumn<QString>("hex");
        QTest::newRow("text") << QByteArray("Hi") << "Hi"
                              << "0x48, 0x69";
        QTest::newRow("utf8-beyond-latin1") << QByteArray("\xe6\xb8\xa9") << "\u6e29"
                                            << "0xe6, 0xb8, 0xa9";
        QTest::newRow("binary") << QByteArray("\x00\xff\x10", 3)
                                << QString::fromUtf8(QByteArray("\x00\xff\x10", 3)) << "0x00, 0xff, 0x10";
        QTest::newRow("empty") << QByteArray() << ""
                               << "";
    }
    void valueDisplayModes()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, ascii);
        QFETCH(QString, hex);
        connectToA();
        CharacteristicWidget* a = panels()[0];
        FakeService* serviceA = fake->service(uuidText(svcA));
        QLineEdit* field = valueField(a, shared);

        setMode(a, shared, 1); // received while showing hexadecimal
        serviceA->answerRead(QBluetoothUuid(shared), bytes);
        QCOMPARE(field->text(), hex);
        setMode(a, shared, 0);
        QCOMPARE(field->text(), ascii);
        setMode(a, shared, 1);
        QCOMPARE(field->text(), hex);
        setMode(a, writeOnly, 1); // no field: nothing happens
    }

    void notifyButtonToggles()
    {
        connectToA();
        CharacteristicWidget* a = panels()[0];
        FakeService* serviceA = fake->service(uuidText(svcA));
        QPushButton* notify = button(a, notifyOnly, "Notify");
        notify->click();
        QCOMPARE(notify->text(), QStringLiteral("Subscribed"));
        QCOMPARE(notify->styleSheet(), QStringLiteral("background-color: green; color: white;"));
        QCOMPARE(serviceA->writes.last().value, QByteArray::fromHex("0100"));
        serviceA->notify(QBluetoothUuid(notifyOnly), "\x06\x48");
        QCOMPARE(valueField(a, notifyOnly)->text(), QStringLiteral("\x06H"));
        notify->click();
        QCOMPARE(notify->text(), QStringLiteral("Notify"));
        QVERIFY(notify->styleSheet().isEmpty());
        QCOMPARE(serviceA->writes.last().value, QByteArray::fromHex("0000"));

        // A characteristic that cannot be subscribed does not claim it is.
        QPushButton* broken = button(a, noCccd, "Notify");
        broken->click();
        QCOMPARE(broken->text(), QStringLiteral("Notify"));
    }

    void writeDialogSendsWhatWasTyped_data()
    {
        QTest::addColumn<QStringList>("texts");
        QTest::addColumn<bool>("hex");
        QTest::addColumn<QList<bool>>("complaints");
        QTest::addColumn<int>("writes");
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("ascii-utf8") << QStringList{"h\u00e9"} << false << QList<bool>{false} << 1
                                    << QByteArray("h\xc3\xa9");
        QTest::newRow("ascii-empty") << QStringList{""} << false << QList<bool>{false} << 1 << QByteArray();
        QTest::newRow("hex-display-form")
            << QStringList{"0x48, 0x69"} << true << QList<bool>{false} << 1 << QByteArray("Hi");
        QTest::newRow("hex-bad-then-good")
            << QStringList{"0x4869z", "48 69"} << true << QList<bool>{true, false} << 1 << QByteArray("Hi");
        QTest::newRow("hex-bad-then-closed")
            << QStringList{"123"} << true << QList<bool>{true} << 0 << QByteArray();
        QTest::newRow("too-long") << QStringList{QString(513, 'a')} << false << QList<bool>{true} << 0
                                  << QByteArray();
    }
    void writeDialogSendsWhatWasTyped()
    {
        QFETCH(QStringList, texts);
        QFETCH(bool, hex);
        QFETCH(QList<bool>, complaints);
        QFETCH(int, writes);
        QFETCH(QByteArray, bytes);
        connectToA();
        WriteDialogAnswer answer(this, texts, hex);
        button(panels()[0], writeOnly, "W")->click();
        QVERIFY(answer.seen);
        QCOMPARE(answer.complaints, complaints);
        FakeService* serviceA = fake->service(uuidText(svcA));
        QCOMPARE(serviceA->writes.size(), writes);
        if (writes) {
            QCOMPARE(serviceA->writes[0].characteristic, QBluetoothUuid(writeOnly));
            QCOMPARE(serviceA->writes[0].value, bytes);
        }
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

    void disconnectReturnsToScanKeepingServices()
    {
        connectToA();
        fake->controller->dropLink();
        QCOMPARE(scanButton()->text(), QStringLiteral("Scan"));
        QVERIFY(scanButton()->isEnabled());
        QVERIFY(child<QGroupBox>(QStringLiteral("groupBox_device"))->isEnabled());
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

    void disconnectButtonEndsTheLink()
    {
        connectToA();
        QPointer<FakeController> controller = fake->controller;
        scanButton()->click();
        QCOMPARE(scanButton()->text(), QStringLiteral("Scan"));
        QTRY_COMPARE(controller->state(), QLowEnergyController::UnconnectedState);
        QVERIFY(scanButton()->isEnabled());
    }
};

QTEST_MAIN(TestBleWidget)
#include "tst_ble_widget.moc"

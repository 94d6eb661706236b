// Port scan and the one-tab lock across the eleven serial tabs of the window.
#include <QComboBox>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QSettings>
#include <QStatusBar>
#include <QTest>
#include <QTimer>

#include "app/mainwindow.h"
#include "app/mainwindow_form.h"
#include "app/styles.h"
#include "serial/threadserial.h"
#include "tests/common/ptypair.h"
#include "tests/common/testhome.h"
#include "tests/common/press.h"

using Tab = MainWindow::SerialTab;

namespace {

QStringList items(const QComboBox* box)
{
    QStringList list;
    for (int i = 0; i < box->count(); ++i)
        list << box->itemText(i);
    return list;
}

QList<MainWindow::SerialTabControls> allTabs(const MainWindow& w)
{
    QList<MainWindow::SerialTabControls> tabs;
    for (int t = 0; t < MainWindow::serialTabCount; ++t)
        tabs << w.Serial_tabControls(Tab(t));
    return tabs;
}

} // namespace

class TestPortLock : public QObject
{
    Q_OBJECT
private slots:
    void scanKeepsElevenListsInStep()
    {
        TestHome home;
        home.writeSettings({{"Auto_Serial_Scan", "false"}, {"GPS", "false"}});
        MainWindow w;
        const auto tabs = allTabs(w);
        w.Serial_applyScan({});
        w.Serial_applyScan({"ttyUSB0", "ttyACM0"});
        for (const auto& c : tabs) {
            QCOMPARE(items(c.portList), (QStringList{"ttyUSB0", "ttyACM0"}));
            QCOMPARE(c.portList->currentText(), QStringLiteral("ttyUSB0"));
        }
        // Selections differ per tab; a new port goes to the end and moves none of them.
        tabs[3].portList->setCurrentIndex(1);
        w.Serial_applyScan({"ttyUSB0", "ttyUSB1", "ttyACM0"});
        for (int t = 0; t < tabs.size(); ++t) {
            QCOMPARE(items(tabs[t].portList), (QStringList{"ttyUSB0", "ttyACM0", "ttyUSB1"}));
            QCOMPARE(tabs[t].portList->currentIndex(), t == 3 ? 1 : 0);
        }
        // Two ports vanish at once, wherever they stand: gone in one pass; a list
        // that showed a removed port shows the one that took its place.
        w.Serial_applyScan({"ttyACM0"});
        for (const auto& c : tabs) {
            QCOMPARE(items(c.portList), QStringList{"ttyACM0"});
            QCOMPARE(c.portList->currentText(), QStringLiteral("ttyACM0"));
        }
        // The GPS tab was switched off and still follows (its page is only out of the window).
        QCOMPARE(items(w.ui->GPSportNameComboBox), QStringList{"ttyACM0"});
        w.Serial_applyScan({});
        for (const auto& c : tabs)
            QCOMPARE(c.portList->count(), 0);
    }

    void rescanFollowsSetting_data()
    {
        QTest::addColumn<QString>("value");
        QTest::addColumn<bool>("rescans");
        QTest::newRow("false") << "false" << false;
        QTest::newRow("TRUE-counts-off") << "TRUE" << false;
        QTest::newRow("true") << "true" << true;
        QTest::newRow("empty-counts-on") << "" << true;
    }

    void rescanFollowsSetting()
    {
        QFETCH(QString, value);
        QFETCH(bool, rescans);
        TestHome home;
        home.writeSettings({{"Auto_Serial_Scan", "false"}});
        MainWindow w;
        w.Serial_applyScan({"plax-fake-port"});
        w.settings->setValue("Auto_Serial_Scan", value);
        w.SerialSacn_new();
        // A real scan never reports the invented port, so it goes exactly when a scan ran.
        QCOMPARE(w.ui->portNameComboBox->findText("plax-fake-port") < 0, rescans);
    }

    void holderLocksEveryOtherTab_data()
    {
        QTest::addColumn<int>("holder");
        const char* names[] = {"serial",  "gps", "gsm",    "environment", "oscilloscope", "spectra",
                               "i2cdump", "tof", "modbus", "cie",         "imu"};
        for (int t = 0; t < MainWindow::serialTabCount; ++t)
            QTest::newRow(names[t]) << t;
    }

    void holderLocksEveryOtherTab()
    {
        QFETCH(int, holder);
        TestHome home;
        home.writeSettings({{"Auto_Serial_Scan", "false"}});
        PtyPair pty;
        QVERIFY(pty.isValid());
        MainWindow w;
        w.Serial_applyScan({pty.slavePath()});
        const auto tabs = allTabs(w);
        const auto& own = tabs[holder];
        QVERIFY(w.Serial_scanTimer->isActive());

        press(own.openButton);
        QVERIFY(w.Serial_isOpen);
        QVERIFY(w.Serial_thread);
        QPointer<ThreadSerial> worker = w.Serial_thread;
        // The GSM tab goes on to ask its modem, which here never answers.
        QCOMPARE(w.ui->statusBar->currentMessage(), holder == int(Tab::Gsm)
                                                        ? QStringLiteral("No response from the modem")
                                                        : QStringLiteral("Serial opened"));
        QCOMPARE(own.openButton->text(), QStringLiteral("Close"));
        QCOMPARE(own.openButton->styleSheet(), QString::fromLatin1(Styles::activeButton));
        QVERIFY(!w.Serial_scanTimer->isActive());
        for (int t = 0; t < tabs.size(); ++t) {
            QVERIFY(!tabs[t].portList->isEnabled());
            QVERIFY(!tabs[t].baudList->isEnabled());
            QCOMPARE(tabs[t].openButton->isEnabled(), t == holder);
        }
        for (QComboBox* box :
             {w.ui->dataBitsComboBox, w.ui->parityComboBox, w.ui->stopBitsComboBox,
              w.ui->ModbusdataBitsComboBox, w.ui->ModbusparityComboBox, w.ui->ModbusstopBitsComboBox})
            QVERIFY(!box->isEnabled());
        // Only the holder's own mode radios change.
        QCOMPARE(w.ui->GPSportMode_01->isEnabled(), holder != int(Tab::Gps));
        QCOMPARE(w.ui->GPSportMode_02->isEnabled(), holder != int(Tab::Gps));
        QCOMPARE(w.ui->ModbusportMode_1->isEnabled(), holder != int(Tab::Modbus));
        QCOMPARE(w.ui->ModbusportMode_2->isEnabled(), holder != int(Tab::Modbus));

        press(own.openButton);
        QVERIFY(!w.Serial_isOpen);
        QVERIFY(!w.Serial_thread);
        QCOMPARE(w.ui->statusBar->currentMessage(), QStringLiteral("Serial closed"));
        QCOMPARE(own.openButton->text(), QStringLiteral("Open"));
        QCOMPARE(own.openButton->styleSheet(), QString::fromLatin1(Styles::idleButton));
        QVERIFY(w.Serial_scanTimer->isActive());
        QCOMPARE(w.Serial_scanTimer->interval(), 500);
        for (const auto& c : tabs)
            QVERIFY(c.portList->isEnabled() && c.baudList->isEnabled() && c.openButton->isEnabled());
        QVERIFY(w.ui->GPSportMode_01->isEnabled() && w.ui->ModbusportMode_2->isEnabled());
        QTRY_VERIFY(worker.isNull()); // released once its thread had finished
    }

    void failedOrEmptyOpenHoldsNothing()
    {
        TestHome home;
        home.writeSettings({{"Auto_Serial_Scan", "false"}});
        MainWindow w;
        w.Serial_applyScan({});
        w.ui->statusBar->showMessage("before");
        press(w.ui->ENVopencompushButton);
        QCOMPARE(w.ui->statusBar->currentMessage(), QStringLiteral("before"));
        QVERIFY(!w.Serial_thread);

        w.Serial_applyScan({"/dev/plax-no-such-port"});
        press(w.ui->ENVopencompushButton);
        QCOMPARE(w.ui->statusBar->currentMessage(),
                 QStringLiteral("Serial failed to open, The serial does not exist or already used."));
        QVERIFY(!w.Serial_isOpen);
        QVERIFY(!w.Serial_thread);
        QCOMPARE(w.ui->ENVopencompushButton->text(), QStringLiteral("Open"));
        QVERIFY(w.Serial_scanTimer->isActive());
        for (const auto& c : allTabs(w))
            QVERIFY(c.openButton->isEnabled() && c.portList->isEnabled());
    }

    void openingAgainInAnotherTabUsesItsOwnSettings()
    {
        TestHome home;
        home.writeSettings({{"Auto_Serial_Scan", "false"}});
        PtyPair pty;
        MainWindow w;
        w.Serial_applyScan({pty.slavePath()});
        w.ui->parityComboBox->setCurrentIndex(2);
        w.ui->baudRateComboBox->setCurrentIndex(14); // "921600 " with its trailing blank
        press(w.ui->opencompushButton);
        QVERIFY(w.Serial_thread);
        QCOMPARE(w.Serial_thread->baud, 921600);
        QCOMPARE(w.Serial_thread->parityIndex, 2);
        ThreadSerial* first = w.Serial_thread;
        press(w.ui->opencompushButton);
        press(w.ui->TOFopencompushButton);
        QVERIFY(w.Serial_thread && w.Serial_thread != first);
        QCOMPARE(w.Serial_thread->baud, 115200);
        QCOMPARE(w.Serial_thread->dataBits, 8);
        QCOMPARE(w.Serial_thread->parityIndex, 0);
        QCOMPARE(w.Serial_thread->stopBitsIndex, 0);
        press(w.ui->TOFopencompushButton);
    }

    void unpluggedDeviceReleasesTheHoldingTab()
    {
        TestHome home;
        home.writeSettings({{"Auto_Serial_Scan", "false"}});
        PtyPair pty;
        MainWindow w;
        w.Serial_applyScan({pty.slavePath()});
        press(w.ui->imuopencompushButton);
        QVERIFY(w.Serial_isOpen);
        QPointer<ThreadSerial> worker = w.Serial_thread;
        pty.hangUp();
        QTRY_VERIFY(!w.Serial_isOpen);
        QCOMPARE(w.ui->imuopencompushButton->text(), QStringLiteral("Open"));
        QVERIFY(w.ui->statusBar->currentMessage().startsWith("Serial closed, the port failed: "));
        QVERIFY(w.ui->opencompushButton->isEnabled());
        QTRY_VERIFY(worker.isNull());
    }
};

QTEST_MAIN(TestPortLock)
#include "tst_portlock.moc"

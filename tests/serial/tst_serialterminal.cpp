// The "Serial Debug" terminal and the one-tab port lock, against a pseudo-terminal playing the device.
#include <QSerialPort>
#include <QSettings>
#include <QTemporaryDir>
#include <QTextBlock>

#include "app/styles.h"
#include "serial/com_expand_form.h"
#include "serial/linefilesender.h"
#include "serial/threadserial.h"
#include "tests/common/consolerig.h"
#include "tests/common/filechooserfake.h"

using Tab = MainWindow::SerialTab;

namespace {

// A window with the serial terminal and the pty in its port lists.
struct Rig : ConsoleRig
{
    bool open()
    {
        press(ui->opencompushButton);
        return w->Serial_isOpen;
    }
    QString status() const { return ui->statusBar->currentMessage(); }
    int sentCount() const { return ui->sendbyteslcdNumber->intValue(); }
    int receivedCount() const { return ui->recvbyteslcdNumber->intValue(); }
};

// A window with every tool on (or all but one), as the port lock tests need all eleven serial tabs.
struct FullWindow
{
    TestHome home;
    PtyPair pty;
    std::unique_ptr<MainWindow> w;
    Ui_MainWindow* ui = nullptr;
    explicit FullWindow(const QString& offTool = "COM")
    {
        home.writeSettings({{"Auto_Serial_Scan", "false"}, {offTool, offTool == "COM" ? "true" : "false"}});
        w = std::make_unique<MainWindow>();
        ui = w->ui;
        w->Serial_applyScan({pty.slavePath()});
    }
    QList<MainWindow::SerialTabControls> tabs() const
    {
        QList<MainWindow::SerialTabControls> all;
        for (int t = 0; t < MainWindow::serialTabCount; ++t)
            all << w->Serial_tabControls(Tab(t));
        return all;
    }
};

QStringList items(const QComboBox* box)
{
    QStringList list;
    for (int i = 0; i < box->count(); ++i)
        list << box->itemText(i);
    return list;
}

void writeFile(const QString& path, const QByteArray& content)
{
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly) && f.write(content) == content.size());
}

} // namespace

class TestSerialTerminal : public QObject
{
    Q_OBJECT
private slots:
    void keepSendingPacesPausesAndBuildsNoBacklog()
    {
        Rig r;
        QVERIFY(r.open());
        r.ui->obocheckBox->setChecked(true);
        r.ui->delayspinBox->setValue(50);
        r.ui->sendMsgtextEdit->setPlainText("P");
        press(r.ui->sendmsgBtn);
        QCOMPARE(r.ui->sendmsgBtn->text(), QStringLiteral("Pause"));
        QCOMPARE(r.w->COM_sendTimer->interval(), 50);
        QCOMPARE(r.read(3, 3000), QByteArray("PPP"));
        // Closing pauses the ticks; opening again resumes them.
        press(r.ui->opencompushButton);
        r.drain(100);
        QCOMPARE(r.drain(300), QByteArray());
        QCOMPARE(r.ui->sendmsgBtn->text(), QStringLiteral("Pause"));
        QVERIFY(r.open());
        QCOMPARE(r.read(2, 3000), QByteArray("PP"));
        press(r.ui->sendmsgBtn);
        QCOMPARE(r.ui->sendmsgBtn->text(), QStringLiteral("Send"));
        QVERIFY(!r.w->COM_sendTimer->isActive());
        // A bad hex token stops keep-sending.
        r.ui->sendAsHexcheckBox->setChecked(true);
        r.ui->sendMsgtextEdit->setPlainText("zz");
        press(r.ui->sendmsgBtn);
        QTRY_COMPARE(r.status(), QStringLiteral("The input data format is wrong!"));
        QCOMPARE(r.ui->sendmsgBtn->text(), QStringLiteral("Send"));
        QVERIFY(!r.w->COM_sendTimer->isActive());
        // The device stops reading: once the pty's buffer is full, ticks must be skipped.
        const QString line(1000, QLatin1Char('z'));
        r.ui->sendAsHexcheckBox->setChecked(false);
        r.ui->delayspinBox->setValue(10);
        r.ui->sendMsgtextEdit->setPlainText(line);
        press(r.ui->sendmsgBtn);
        QTest::qWait(1500);
        QVERIFY(r.w->Serial_thread->serialPort->bytesToWrite() <= line.size());
        press(r.ui->sendmsgBtn);
    }

    void unplugReturnsTabToOpen()
    {
        Rig r;
        QVERIFY(r.open());
        r.w->slotCom_expand();
        QPointer<ThreadSerial> worker = r.w->Serial_thread;
        r.pty.hangUp();
        QTRY_VERIFY(!r.w->Serial_isOpen);
        QCOMPARE(r.ui->opencompushButton->text(), QStringLiteral("Open"));
        QVERIFY(r.status().startsWith("Serial closed, the port failed: "));
        QVERIFY(!r.w->COM_expandOpen);
        QVERIFY(!r.ui->sendmsgBtn->isEnabled() && !r.ui->com_expandpushButton->isEnabled());
        QVERIFY(r.ui->TOFopencompushButton->isEnabled());
        QTRY_VERIFY(worker.isNull());
    }

    void sendFileGoesOutLineByLine()
    {
        Rig r;
        QTemporaryDir dir;
        const QByteArray content("one\r\ntwo\n\xff\x00three", 15);
        writeFile(dir.filePath("f.bin"), content);
        writeFile(dir.filePath("big.txt"), QByteArray("line\n").repeated(2000));
        QVERIFY(r.open());
        auto* files = new FileChooserFake;
        files->answers = {dir.filePath("f.bin"), dir.filePath("big.txt")};
        r.w->fileChooser.reset(files);
        press(r.ui->sendfileBtn);
        QCOMPARE(r.read(content.size(), 3000), content);
        QTRY_COMPARE(r.status(), QStringLiteral("Success for send the data in the file"));
        QCOMPARE(r.sentCount(), 0);
        // Closing the port stops a file that is still going out.
        press(r.ui->sendfileBtn);
        QVERIFY(!r.read(10, 2000).isEmpty());
        press(r.ui->opencompushButton);
        QVERIFY(!r.w->COM_fileSender->isRunning());
    }

    void presetsSendStoreCloseAndSurviveQuickReopen()
    {
        Rig r;
        QVERIFY(r.open());
        press(r.ui->com_expandpushButton);
        Ui_COM_Expand* form = r.w->COM_expandUi;
        QCOMPARE(form->sendButtons[0]->text(), QStringLiteral("command1"));
        form->commands[0]->setText("AT\\r\\n");
        press(form->sendButtons[0]);
        QCOMPARE(r.read(4), QByteArray::fromHex("41540d0a"));
        QCOMPARE(r.status(), QStringLiteral("Send Success"));
        form->commands[11]->setText(QString::fromUtf8("é\\\\n"));
        press(form->sendButtons[11]);
        QCOMPARE(r.read(4), QByteArray("\xc3\xa9\\n"));
        QCOMPARE(r.sentCount(), 8);
        form->sendButtons[2]->setText("reset");
        press(form->save_pushButton);
        QCOMPARE(r.w->settings->value("COMMAND1").toString(), QStringLiteral("AT\\r\\n"));
        QCOMPARE(r.w->settings->value("COMMAND3_NAME").toString(), QStringLiteral("reset"));
        QVERIFY(r.w->settings->contains("COMMAND12_NAME"));
        press(r.ui->com_expandpushButton); // a second press while open does nothing
        QCOMPARE(r.w->COM_expandUi, form);
        // Closing the port closes the dialog and disables "Advanced".
        QPointer<QDialog> dialog = r.w->COM_expandDialog;
        press(r.ui->opencompushButton);
        QVERIFY(!r.w->COM_expandOpen && !r.ui->com_expandpushButton->isEnabled());
        QTRY_VERIFY(dialog.isNull());
        // The next opening reads the stored presets.
        QVERIFY(r.open());
        press(r.ui->com_expandpushButton);
        QCOMPARE(r.w->COM_expandUi->commands[0]->text(), QStringLiteral("AT\\r\\n"));
        QCOMPARE(r.w->COM_expandUi->sendButtons[2]->text(), QStringLiteral("reset"));
        QPointer<QDialog> old = r.w->COM_expandDialog;
        // Closed and reopened before the old dialog's deferred deletion has run: the new form stays.
        r.w->actionOpen_triggered();
        r.w->actionOpen_triggered();
        r.w->slotCom_expand();
        Ui_COM_Expand* fresh = r.w->COM_expandUi;
        QVERIFY(old && old != r.w->COM_expandDialog);
        QTRY_VERIFY(old.isNull());
        QCOMPARE(r.w->COM_expandUi, fresh);
        QVERIFY(r.w->COM_expandOpen);
        fresh->commands[1]->setText("ok");
        r.w->slotcom_pushButton_2();
        QCOMPARE(r.read(2), QByteArray("ok"));
    }

    void scanKeepsElevenListsInStepAndFollowsSetting()
    {
        FullWindow f("GPS"); // a switched-off tab still follows: its page is only hidden
        const auto tabs = f.tabs();
        f.w->Serial_applyScan({"ttyUSB0", "ttyACM0"});
        for (const auto& c : tabs) {
            QCOMPARE(items(c.portList), (QStringList{"ttyUSB0", "ttyACM0"}));
            QCOMPARE(c.portList->currentText(), QStringLiteral("ttyUSB0"));
        }
        // Selections differ per tab; a new port goes to the end and moves none of them.
        tabs[3].portList->setCurrentIndex(1);
        f.w->Serial_applyScan({"ttyUSB0", "ttyUSB1", "ttyACM0"});
        for (int t = 0; t < tabs.size(); ++t) {
            QCOMPARE(items(tabs[t].portList), (QStringList{"ttyUSB0", "ttyACM0", "ttyUSB1"}));
            QCOMPARE(tabs[t].portList->currentIndex(), t == 3 ? 1 : 0);
        }
        // Two ports vanish at once, wherever they stand: gone in one pass; a list
        // that showed a removed port shows the one that took its place.
        f.w->Serial_applyScan({"ttyACM0"});
        for (const auto& c : tabs) {
            QCOMPARE(items(c.portList), QStringList{"ttyACM0"});
            QCOMPARE(c.portList->currentText(), QStringLiteral("ttyACM0"));
        }
        f.w->Serial_applyScan({});
        for (const auto& c : tabs)
            QCOMPARE(c.portList->count(), 0);
        // A real scan never reports the invented port, so it goes exactly when a scan ran.
        const std::pair<const char*, bool> cases[] = {
            {"false", false}, {"TRUE", false}, {"true", true}, {"", true}};
        for (const auto& [value, rescans] : cases) {
            f.w->Serial_applyScan({"plax-fake-port"});
            f.w->settings->setValue("Auto_Serial_Scan", value);
            f.w->SerialSacn_new();
            QVERIFY2((f.ui->portNameComboBox->findText("plax-fake-port") < 0) == rescans, value);
        }
    }

    void holderLocksEveryOtherTab_data()
    {
        QTest::addColumn<int>("holder");
        const char* names[] = {"serial",  "gps", "gsm",    "environment", "oscilloscope", "spectra",
                               "i2cdump", "tof", "modbus", "cie",         "imu"};
        for (int t = 0; t < MainWindow::serialTabCount; ++t) {
            if (t != int(Tab::Gsm)) // the GSM tests check its lock, with a modem playing along
                QTest::newRow(names[t]) << t;
        }
    }

    void holderLocksEveryOtherTab()
    {
        QFETCH(int, holder);
        FullWindow f;
        const auto tabs = f.tabs();
        const auto& own = tabs[holder];
        QVERIFY(f.w->Serial_scanTimer->isActive());
        press(own.openButton);
        QVERIFY(f.w->Serial_isOpen);
        QPointer<ThreadSerial> worker = f.w->Serial_thread;
        QVERIFY(worker);
        QCOMPARE(f.ui->statusBar->currentMessage(), QStringLiteral("Serial opened"));
        QCOMPARE(own.openButton->text(), QStringLiteral("Close"));
        QCOMPARE(own.openButton->styleSheet(), QString::fromLatin1(Styles::activeButton));
        QVERIFY(!f.w->Serial_scanTimer->isActive());
        for (int t = 0; t < tabs.size(); ++t) {
            QVERIFY(!tabs[t].portList->isEnabled() && !tabs[t].baudList->isEnabled());
            QCOMPARE(tabs[t].openButton->isEnabled(), t == holder);
        }
        for (QComboBox* box :
             {f.ui->dataBitsComboBox, f.ui->parityComboBox, f.ui->stopBitsComboBox,
              f.ui->ModbusdataBitsComboBox, f.ui->ModbusparityComboBox, f.ui->ModbusstopBitsComboBox})
            QVERIFY(!box->isEnabled());
        // Only the holder's own mode radios change.
        for (QRadioButton* radio : {f.ui->GPSportMode_01, f.ui->GPSportMode_02})
            QCOMPARE(radio->isEnabled(), holder != int(Tab::Gps));
        for (QRadioButton* radio : {f.ui->ModbusportMode_1, f.ui->ModbusportMode_2})
            QCOMPARE(radio->isEnabled(), holder != int(Tab::Modbus));

        press(own.openButton);
        QVERIFY(!f.w->Serial_isOpen && !f.w->Serial_thread);
        QCOMPARE(f.ui->statusBar->currentMessage(), QStringLiteral("Serial closed"));
        QCOMPARE(own.openButton->text(), QStringLiteral("Open"));
        QCOMPARE(own.openButton->styleSheet(), QString::fromLatin1(Styles::idleButton));
        QCOMPARE(f.w->Serial_scanTimer->interval(), 500);
        QVERIFY(f.w->Serial_scanTimer->isActive());
        for (const auto& c : tabs)
            QVERIFY(c.portList->isEnabled() && c.baudList->isEnabled() && c.openButton->isEnabled());
        QVERIFY(f.ui->GPSportMode_01->isEnabled() && f.ui->ModbusportMode_2->isEnabled());
        QTRY_VERIFY(worker.isNull()); // released once its thread had finished
    }

    void failedOrEmptyOpenHoldsNothing()
    {
        FullWindow f;
        f.w->Serial_applyScan({});
        f.ui->statusBar->showMessage("before");
        press(f.ui->ENVopencompushButton);
        QCOMPARE(f.ui->statusBar->currentMessage(), QStringLiteral("before"));
        QVERIFY(!f.w->Serial_thread);

        f.w->Serial_applyScan({"/dev/plax-no-such-port"});
        press(f.ui->ENVopencompushButton);
        QCOMPARE(f.ui->statusBar->currentMessage(),
                 QStringLiteral("Serial failed to open, The serial does not exist or already used."));
        QVERIFY(!f.w->Serial_isOpen && !f.w->Serial_thread);
        QCOMPARE(f.ui->ENVopencompushButton->text(), QStringLiteral("Open"));
        QVERIFY(f.w->Serial_scanTimer->isActive());
        for (const auto& c : f.tabs())
            QVERIFY(c.openButton->isEnabled() && c.portList->isEnabled());
    }

    void openingAgainInAnotherTabUsesItsOwnSettings()
    {
        FullWindow f;
        f.ui->parityComboBox->setCurrentIndex(2);
        f.ui->baudRateComboBox->setCurrentIndex(14); // "921600 " with its trailing blank
        press(f.ui->opencompushButton);
        QVERIFY(f.w->Serial_thread);
        QCOMPARE(f.w->Serial_thread->baud, 921600);
        QCOMPARE(f.w->Serial_thread->parityIndex, 2);
        ThreadSerial* first = f.w->Serial_thread;
        press(f.ui->opencompushButton);
        press(f.ui->TOFopencompushButton);
        const ThreadSerial* t = f.w->Serial_thread;
        QVERIFY(t && t != first);
        QCOMPARE(QList<int>({t->baud, t->dataBits, t->parityIndex, t->stopBitsIndex}),
                 QList<int>({115200, 8, 0, 0}));
        press(f.ui->TOFopencompushButton);
    }
};

QTEST_MAIN(TestSerialTerminal)
#include "tst_serialterminal.moc"

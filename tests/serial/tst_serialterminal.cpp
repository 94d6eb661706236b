// The "Serial Debug" terminal's own parts and the one-tab port lock, against a pseudo-terminal playing the
// device.
#include <QElapsedTimer>
#include <QPlainTextEdit>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTimer>

#include "app/pickedfile.h"
#include "serial/com_expand_form.h"
#include "serial/linefilesender.h"
#include "serial/terminalformat.h"
#include "serial/threadserial.h"
#include "tests/common/consolerig.h"
#include "tests/common/filechooserfake.h"
#include "tests/common/filelimits.h"
#include "tests/common/modalanswer.h"
#include "tests/common/pickedfifo.h"

using Tab = MainWindow::SerialTab;

namespace {

struct Rig : ConsoleRig
{
    bool open()
    {
        press(ui->opencompushButton);
        return w->Serial_isOpen;
    }
    QString status() const { return ui->statusBar->currentMessage(); }
};

// Every tool on but `offTool`, as the lock tests need all eleven serial tabs.
struct FullWindow
{
    TestHome home;
    PtyPair pty;
    std::unique_ptr<MainWindow> w;
    Ui_MainWindow* ui = nullptr;
    QList<MainWindow::SerialTabControls> tabs;
    explicit FullWindow(const QString& offTool = "COM")
    {
        home.writeSettings({{"Auto_Serial_Scan", "false"}, {offTool, offTool == "COM" ? "true" : "false"}});
        w = std::make_unique<MainWindow>();
        ui = w->ui;
        w->Serial_applyScan({pty.slavePath()});
        for (int t = 0; t < MainWindow::serialTabCount; ++t)
            tabs << w->Serial_tabControls(Tab(t));
    }
};

QStringList items(const QComboBox* box)
{
    QStringList list;
    for (int i = 0; i < box->count(); ++i)
        list << box->itemText(i);
    return list;
}

} // namespace

class TestSerialTerminal : public QObject
{
    Q_OBJECT
private slots:
    void unplugReturnsTabToOpen()
    {
        Rig r;
        QVERIFY(r.open());
        r.w->slotCom_expand();
        QPointer<ThreadSerial> worker = r.w->Serial_thread;
        r.pty.hangUp();
        QTRY_VERIFY(!r.w->Serial_isOpen);
        QVERIFY(r.status().startsWith("Serial closed, the port failed: "));
        QVERIFY(!r.w->COM_expandOpen && !r.ui->sendmsgBtn->isEnabled());
        QTRY_VERIFY(worker.isNull());
    }

    // The views are brought up to date at a reader's rate, not per read: a stream in many
    // reads still ends with every byte in both views, with no flush asked for.
    void streamShownWhole_data()
    {
        QTest::addColumn<QByteArray>("piece");
        QTest::addColumn<int>("pieces");
        QTest::newRow("short-lines") << QByteArray("$GPGGA,1,2,3*47\r\n") << 400;
        QTest::newRow("split-lines") << QByteArray("0123456789abcdefghij") << 300;
        QTest::newRow("binary") << QByteArray("\x01\x80\xff\n\x00z", 6) << 500;
    }
    void streamShownWhole()
    {
        QFETCH(QByteArray, piece);
        QFETCH(int, pieces);
        Rig r;
        QVERIFY(r.open());
        qint64 read = 0;
        connect(r.w->Serial_thread, &ThreadSerial::Serial_read_Data, this,
                [&read](const QByteArray& d) { read += d.size(); });
        QByteArray sent;
        for (int i = 0; i < pieces; ++i) {
            const QByteArray bytes = piece + QByteArray::number(i);
            QVERIFY(r.send(bytes));
            sent += bytes;
        }
        QTRY_COMPARE(read, qint64(sent.size()));
        const auto shown = [](QPlainTextEdit* view) { return view->toPlainText().remove('\n'); };
        QString text = QString::fromUtf8(sent);
        text.remove('\r').remove('\n');
        QTRY_COMPARE(shown(r.ui->COM_StrTextBrowser), text);
        QTRY_COMPARE(shown(r.ui->COM_HexTextBrowser), TerminalFormat::hexSerial(sent).remove('\n'));
    }

    void sendFileGoesOutLineByLine()
    {
        Rig r;
        QTemporaryDir dir;
        const QByteArray content("one\r\ntwo\n\xff\x00three", 15);
        for (const auto& [name, bytes] :
             {std::pair{"f.bin", content}, {"big.txt", QByteArray("line\n").repeated(2000)}}) {
            QFile f(dir.filePath(name));
            QVERIFY(f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size());
        }
        QVERIFY(r.open());
        auto* files = new FileChooserFake;
        files->answers = {dir.filePath("f.bin"), dir.filePath("big.txt")};
        r.w->fileChooser.reset(files);
        press(r.ui->sendfileBtn);
        QCOMPARE(r.read(content.size(), 3000), content);
        QTRY_COMPARE(r.status(), QStringLiteral("Success for send the data in the file"));
        // Closing the port stops a file that is still going out.
        press(r.ui->sendfileBtn);
        QVERIFY(!r.read(10, 2000).isEmpty());
        press(r.ui->opencompushButton);
        QVERIFY(!r.w->COM_fileSender->isRunning());
    }

    // A FIFO picked for a file button is refused at once with the reason: opening it would
    // wait for a writer and hold the window.
    void fifoPickedIsRefusedAtOnce_data()
    {
        QTest::addColumn<QString>("button");
        QTest::newRow("import") << "readtxtpushButton";
        QTest::newRow("send-file") << "sendfileBtn";
    }
    void fifoPickedIsRefusedAtOnce()
    {
        QFETCH(QString, button);
        Rig r;
        PickedFifo fifo;
        QVERIFY(fifo.isValid() && r.open());
        auto* files = new FileChooserFake;
        files->answers = {fifo.path()};
        r.w->fileChooser.reset(files);
        QElapsedTimer taken;
        taken.start();
        press(r.w->findChild<QPushButton*>(button));
        QVERIFY2(taken.elapsed() < 1000, qPrintable(QString::number(taken.elapsed())));
        QVERIFY2(r.status().contains(PickedFile::notRegularReason()), qPrintable(r.status()));
        QVERIFY(!r.w->COM_fileSender->isRunning());
    }

    // "Save Config" on a settings file that cannot be written says so, with the reason.
    void presetsSaveFailureIsReported()
    {
        Rig r;
        QVERIFY(r.open());
        press(r.ui->com_expandpushButton);
        r.w->COM_expandUi->commands[0]->setText("ATI");
        QVERIFY(QFile::setPermissions(r.home.settingsFile(), QFile::ReadOwner));
        ObeyFileModes asAnyUser;
        ModalAnswer answer("OK");
        press(r.w->COM_expandUi->save_pushButton);
        QVERIFY(answer.seen());
        QVERIFY2(answer.text().contains(r.home.settingsFile()) &&
                     answer.text().contains(QString::fromLocal8Bit(strerror(EACCES))),
                 qPrintable(answer.text()));
    }

    void presetsSendStoreCloseAndSurviveQuickReopen()
    {
        Rig r;
        QVERIFY(r.open());
        press(r.ui->com_expandpushButton);
        Ui_COM_Expand* form = r.w->COM_expandUi;
        form->commands[0]->setText("AT\\r\\n");
        press(form->sendButtons[0]);
        QCOMPARE(r.read(4), QByteArray::fromHex("41540d0a"));
        QCOMPARE(r.ui->sendbyteslcdNumber->intValue(), 4);
        form->sendButtons[2]->setText("reset");
        press(form->save_pushButton);
        // Closing the port closes the dialog; the next opening reads the stored presets.
        QPointer<QDialog> dialog = r.w->COM_expandDialog;
        press(r.ui->opencompushButton);
        QTRY_VERIFY(dialog.isNull());
        QVERIFY(r.open());
        press(r.ui->com_expandpushButton);
        QCOMPARE(r.w->COM_expandUi->commands[0]->text(), QStringLiteral("AT\\r\\n"));
        QCOMPARE(r.w->COM_expandUi->sendButtons[2]->text(), QStringLiteral("reset"));
        // Closed and reopened before the old dialog's deferred deletion has run: the new form stays.
        QPointer<QDialog> old = r.w->COM_expandDialog;
        r.w->actionOpen_triggered();
        r.w->actionOpen_triggered();
        r.w->slotCom_expand();
        Ui_COM_Expand* fresh = r.w->COM_expandUi;
        QTRY_VERIFY(old.isNull());
        QVERIFY(r.w->COM_expandUi == fresh && r.w->COM_expandOpen);
        fresh->commands[1]->setText("ok");
        r.w->slotcom_pushButton_2();
        QCOMPARE(r.read(2), QByteArray("ok"));
    }

    void scanKeepsElevenListsInStep()
    {
        FullWindow f("GPS"); // a switched-off tab still follows: its page is only hidden
        f.w->Serial_applyScan({"ttyUSB0", "ttyACM0"});
        // Selections differ per tab; a new port goes to the end and moves none of them.
        f.tabs[3].portList->setCurrentIndex(1);
        f.w->Serial_applyScan({"ttyUSB0", "ttyUSB1", "ttyACM0"});
        for (int t = 0; t < f.tabs.size(); ++t) {
            QCOMPARE(items(f.tabs[t].portList), (QStringList{"ttyUSB0", "ttyACM0", "ttyUSB1"}));
            QCOMPARE(f.tabs[t].portList->currentIndex(), t == 3 ? 1 : 0);
        }
        // Two ports vanish at once, wherever they stand: a list that showed one shows what took its place.
        f.w->Serial_applyScan({"ttyACM0"});
        for (const auto& c : f.tabs)
            QCOMPARE(items(c.portList), QStringList{"ttyACM0"});
    }

    // With the rescan on, the ports are enumerated within one interval once the kernel's device
    // names change, and not while they stay the same: a port only the lists still hold stays.
    void rescanFollowsDeviceNames()
    {
        TestHome home;
        QList<QPair<QString, QString>> settings;
        for (const QString& key : ToolSwitches::keys())
            settings.append({key, key == "COM" ? "true" : "false"});
        home.writeSettings(settings);
        MainWindow w;
        QTemporaryDir devices;
        w.Serial_deviceNames = PortScan::DeviceNames(devices.path());
        QSignalSpy ticks(w.Serial_scanTimer, &QTimer::timeout);
        QVERIFY(ticks.wait(2000)); // the first look at these names enumerates
        w.Serial_applyScan({"ttyGone"});
        QVERIFY(ticks.wait(2000) && ticks.wait(2000));
        QVERIFY(items(w.ui->portNameComboBox).contains("ttyGone"));
        QVERIFY(QFile(devices.filePath("ttyUSB0")).open(QIODevice::WriteOnly));
        QVERIFY(ticks.wait(2000));
        for (int t = 0; t < MainWindow::serialTabCount; ++t)
            QVERIFY(!items(w.Serial_tabControls(Tab(t)).portList).contains("ttyGone"));
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
        const auto& own = f.tabs[holder];
        press(own.openButton);
        QPointer<ThreadSerial> worker = f.w->Serial_thread;
        QVERIFY(f.w->Serial_isOpen && worker);
        QVERIFY(!f.w->Serial_scanTimer->isActive());
        for (int t = 0; t < f.tabs.size(); ++t) {
            QVERIFY(!f.tabs[t].portList->isEnabled() && !f.tabs[t].baudList->isEnabled());
            QCOMPARE(f.tabs[t].openButton->isEnabled(), t == holder);
        }

        press(own.openButton);
        QVERIFY(!f.w->Serial_isOpen && !f.w->Serial_thread);
        QVERIFY(f.w->Serial_scanTimer->isActive());
        for (const auto& c : f.tabs)
            QVERIFY(c.portList->isEnabled() && c.baudList->isEnabled() && c.openButton->isEnabled());
        QTRY_VERIFY(worker.isNull()); // released once its thread had finished
    }

    // Each tab opens with its own settings; a port that fails to open holds nothing.
    void openUsesTheTabsOwnSettingsOrHoldsNothing()
    {
        FullWindow f;
        f.ui->parityComboBox->setCurrentIndex(2);
        f.ui->baudRateComboBox->setCurrentIndex(14); // "921600 " with its trailing blank
        press(f.ui->opencompushButton);
        const ThreadSerial* first = f.w->Serial_thread;
        QVERIFY(first && first->baud == 921600 && first->parityIndex == 2);
        press(f.ui->opencompushButton);
        press(f.ui->TOFopencompushButton);
        const ThreadSerial* t = f.w->Serial_thread;
        QVERIFY(t && t != first);
        QCOMPARE(QList<int>({t->baud, t->dataBits, t->parityIndex, t->stopBitsIndex}),
                 QList<int>({115200, 8, 0, 0}));
        press(f.ui->TOFopencompushButton);
        f.w->Serial_applyScan({"/dev/plax-no-such-port"});
        press(f.ui->ENVopencompushButton);
        QVERIFY(!f.w->Serial_isOpen && !f.w->Serial_thread && f.w->Serial_scanTimer->isActive());
        for (const auto& c : f.tabs)
            QVERIFY(c.openButton->isEnabled() && c.portList->isEnabled());
    }
};

QTEST_MAIN(TestSerialTerminal)
#include "tst_serialterminal.moc"

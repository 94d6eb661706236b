// The "Serial Debug" terminal against a pseudo-terminal playing the device.
#include <QCheckBox>
#include <QComboBox>
#include <QDeadlineTimer>
#include <QDialog>
#include <QFile>
#include <QLCDNumber>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QSerialPort>
#include <QSettings>
#include <QSpinBox>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBlock>
#include <QTimer>

#include <memory>

#include "app/mainwindow.h"
#include "app/mainwindow_form.h"
#include "serial/com_expand_form.h"
#include "serial/linefilesender.h"
#include "serial/terminalview.h"
#include "serial/threadserial.h"
#include "tests/common/ptypair.h"
#include "tests/common/testhome.h"
#include "tests/common/press.h"

namespace {

// A window whose serial terminal holds the slave end of a fresh pty.
struct Rig
{
    TestHome home;
    PtyPair pty;
    std::unique_ptr<MainWindow> w;
    Ui_MainWindow* ui = nullptr;

    Rig()
    {
        home.writeSettings({{"Auto_Serial_Scan", "false"}});
        w = std::make_unique<MainWindow>();
        ui = w->ui;
        w->Serial_applyScan({pty.slavePath()});
    }
    bool open()
    {
        press(ui->opencompushButton);
        return w->Serial_isOpen;
    }
    // The device side, read and written while the window's event loop runs
    // (the port only moves bytes from inside the event loop).
    QByteArray read(int atLeast = 1, int timeoutMs = 2000)
    {
        QByteArray got;
        QDeadlineTimer deadline(timeoutMs);
        while (got.size() < qMax(atLeast, 1) && !deadline.hasExpired()) {
            QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
            got += pty.read(1, 5);
        }
        return got;
    }
    void write(const QByteArray& data)
    {
        for (int done = 0; done < data.size(); done += 1024) {
            QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
            QCOMPARE(pty.write(data.mid(done, 1024)), qint64(qMin(1024, int(data.size()) - done)));
        }
    }
    QString status() const { return ui->statusBar->currentMessage(); }
    // Sends the send box once and returns what reached the device.
    QByteArray sendOnce(const QString& text, bool hex, int expect)
    {
        ui->sendAsHexcheckBox->setChecked(hex);
        ui->sendMsgtextEdit->setPlainText(text);
        press(ui->sendmsgBtn);
        return read(expect, expect > 0 ? 2000 : 200);
    }
};

void writeFile(const QString& path, const QByteArray& content)
{
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    QCOMPARE(f.write(content), qint64(content.size()));
}

} // namespace

class TestSerialTerminal : public QObject
{
    Q_OBJECT
private slots:
    void receiveShowsTextHexAndCounts()
    {
        Rig r;
        QVERIFY(r.open());
        QCOMPARE(r.ui->opencompushButton->text(), QStringLiteral("Close"));
        QVERIFY(r.ui->sendmsgBtn->isEnabled() && r.ui->com_expandpushButton->isEnabled());
        r.write(QByteArray::fromHex("41420d0a"));
        QTRY_COMPARE(r.ui->recvbyteslcdNumber->intValue(), 4);
        QCOMPARE(r.ui->COM_StrTextBrowser->toPlainText(), QStringLiteral("AB\n"));
        QCOMPARE(r.ui->COM_HexTextBrowser->toPlainText(), QStringLiteral("0x41,0x42,0x0d,0x0a,\n"));
        QCOMPARE(r.status(), QStringLiteral("Successfully read 4 byte data"));
    }

    void characterSplitAcrossChunksIsKept()
    {
        Rig r;
        QVERIFY(r.open());
        const QByteArray euro = QByteArray::fromHex("e282ac"); // one character, three bytes
        r.write(euro.left(1));
        QTRY_COMPARE(r.ui->recvbyteslcdNumber->intValue(), 1);
        r.write(euro.mid(1));
        QTRY_COMPARE(r.ui->recvbyteslcdNumber->intValue(), 3);
        QCOMPARE(r.ui->COM_StrTextBrowser->toPlainText(), QString::fromUtf8(euro));
        QCOMPARE(r.ui->COM_HexTextBrowser->toPlainText(), QStringLiteral("0xe2,0x82,0xac,"));
    }

    void stampedChunksAreEscapedAndOneBlockEach()
    {
        Rig r;
        r.ui->showtime_checkBox->setChecked(true);
        QVERIFY(r.open());
        const QByteArray markup("<b>&amp;</b>\nx");
        r.write(markup);
        QTRY_COMPARE(r.ui->recvbyteslcdNumber->intValue(), markup.size());
        r.write(QByteArray("second", 6));
        QTRY_COMPARE(r.ui->recvbyteslcdNumber->intValue(), markup.size() + 6);
        QTextDocument* doc = r.ui->COM_StrTextBrowser->document();
        QCOMPARE(doc->blockCount(), 2);
        const QRegularExpression stamp("^\\[\\d\\d:\\d\\d:\\d\\d\\.\\d\\d\\d\\]");
        QVERIFY(stamp.match(doc->firstBlock().text()).hasMatch());
        // Markup stays text; the line break inside the chunk shows as a blank.
        QCOMPARE(doc->firstBlock().text().mid(14), QStringLiteral("<b>&amp;</b> x"));
        QCOMPARE(doc->lastBlock().text().mid(14), QStringLiteral("second"));
        QCOMPARE(r.ui->COM_HexTextBrowser->document()->blockCount(), 2);
    }

    void viewsStayBounded()
    {
        Rig r;
        QVERIFY(r.open());
        const QByteArray noLineFeeds(40 * 1024, 'x');
        for (int i = 0; i < 3; ++i) {
            r.write(noLineFeeds);
            QTRY_VERIFY(r.ui->recvbyteslcdNumber->intValue() >= qMin(99999, (i + 1) * noLineFeeds.size()));
        }
        QCOMPARE(r.ui->recvbyteslcdNumber->intValue(), 99999);
        for (QPlainTextEdit* view : {r.ui->COM_StrTextBrowser, r.ui->COM_HexTextBrowser}) {
            QVERIFY(view->document()->characterCount() <= TerminalView::maxChars);
            QVERIFY(view->document()->lastBlock().length() <= TerminalView::maxBlockChars);
        }
        QVERIFY(r.ui->COM_StrTextBrowser->toPlainText().endsWith(QString(1000, 'x')));
    }

    void sendText_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("hex");
        QTest::addColumn<QByteArray>("sent");
        QTest::addColumn<QString>("status");
        QTest::newRow("text-no-line-end") << "AT" << false << QByteArray("AT") << "Send Success";
        QTest::newRow("text-two-lines") << "AT\nOK" << false << QByteArray("AT\r\nOK") << "Send Success";
        QTest::newRow("hex-prefixed")
            << "0x01, 0x02,0x03" << true << QByteArray::fromHex("010203") << "Send Success";
        QTest::newRow("hex-long-token") << "1234" << true << QByteArray::fromHex("34") << "Send Success";
        QTest::newRow("hex-bad-token")
            << "12 zz" << true << QByteArray() << "The input data format is wrong!";
        QTest::newRow("hex-two-lines")
            << "12\n34" << true << QByteArray() << "The input data format is wrong!";
        QTest::newRow("hex-only-blanks") << "   " << true << QByteArray() << "Send Success";
    }

    void sendText()
    {
        QFETCH(QString, text);
        QFETCH(bool, hex);
        QFETCH(QByteArray, sent);
        QFETCH(QString, status);
        Rig r;
        QVERIFY(r.open());
        QCOMPARE(r.sendOnce(text, hex, sent.size()), sent);
        QCOMPARE(r.status(), status);
        QCOMPARE(r.ui->sendbyteslcdNumber->intValue(), sent.size());
    }

    void emptySendBoxSendsNothing()
    {
        Rig r;
        QVERIFY(r.open());
        QCOMPARE(r.sendOnce(QString(), false, 0), QByteArray());
        QCOMPARE(r.status(), QStringLiteral("No Data"));
    }

    void failedWriteIsReportedAndNotCounted()
    {
        Rig r;
        QVERIFY(r.open());
        r.w->Serial_thread->serialPort->close(); // the port goes away behind the terminal's back
        r.sendOnce("AT", false, 0);
        QVERIFY(r.status().startsWith("Send failed: "));
        QCOMPARE(r.ui->sendbyteslcdNumber->intValue(), 0);
    }

    void keepSendingPacesAndPauses()
    {
        Rig r;
        QVERIFY(r.open());
        r.ui->obocheckBox->setChecked(true);
        r.ui->delayspinBox->setValue(50);
        r.ui->sendMsgtextEdit->setPlainText("P");
        press(r.ui->sendmsgBtn);
        QCOMPARE(r.ui->sendmsgBtn->text(), QStringLiteral("Pause"));
        QVERIFY(r.w->COM_sendTimer->isActive());
        QCOMPARE(r.w->COM_sendTimer->interval(), 50);
        QCOMPARE(r.read(3, 3000), QByteArray("PPP"));
        // Closing pauses the ticks; opening again resumes them.
        press(r.ui->opencompushButton);
        r.read(100, 100);
        QCOMPARE(r.read(1, 300), QByteArray());
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
    }

    void keepSendingBuildsNoBacklog()
    {
        Rig r;
        QVERIFY(r.open());
        // The device never reads: once the pty's buffer is full, ticks must be skipped.
        const QString line(1000, QLatin1Char('z'));
        r.ui->obocheckBox->setChecked(true);
        r.ui->delayspinBox->setValue(10);
        r.ui->sendMsgtextEdit->setPlainText(line);
        press(r.ui->sendmsgBtn);
        QTest::qWait(1500);
        QVERIFY(r.w->Serial_thread->serialPort->bytesToWrite() <= line.size());
        press(r.ui->sendmsgBtn);
    }

    void counterSaturatesAndClears()
    {
        Rig r;
        QVERIFY(r.open());
        r.ui->recvbyteslcdNumber->display(99989);
        r.write(QByteArray(20, 'a'));
        QTRY_COMPARE(r.ui->recvbyteslcdNumber->intValue(), 99999);
        r.write("b");
        QTRY_COMPARE(r.status(), QStringLiteral("Successfully read 1 byte data"));
        QCOMPARE(r.ui->recvbyteslcdNumber->intValue(), 99999);
        press(r.ui->cleanbytespushButton);
        QCOMPARE(r.ui->recvbyteslcdNumber->intValue(), 0);
        QCOMPARE(r.status(), QStringLiteral("Counter has been cleared"));
    }

    void unplugReturnsTabToOpen()
    {
        Rig r;
        QVERIFY(r.open());
        r.w->slotCom_expand();
        QVERIFY(r.w->COM_expandOpen);
        QPointer<ThreadSerial> worker = r.w->Serial_thread;
        r.pty.hangUp();
        QTRY_VERIFY(!r.w->Serial_isOpen);
        QCOMPARE(r.ui->opencompushButton->text(), QStringLiteral("Open"));
        QVERIFY(r.status().startsWith("Serial closed, the port failed: "));
        QVERIFY(!r.w->COM_expandOpen);
        QVERIFY(!r.ui->sendmsgBtn->isEnabled() && !r.ui->com_expandpushButton->isEnabled());
        QTRY_VERIFY(worker.isNull());
    }

    void exportWritesTheTextView()
    {
        Rig r;
        QTemporaryDir dir;
        press(r.ui->savetxtpushButton);
        QCOMPARE(r.status(), QStringLiteral("No data need to save"));
        r.ui->COM_StrTextBrowser->setPlainText("AB\nCD");
        TerminalView::queueFileAnswers({dir.filePath("out.txt")});
        press(r.ui->savetxtpushButton);
        QCOMPARE(r.status(),
                 "Saved success.\tsaved: " + QFileInfo(dir.filePath("out.txt")).canonicalFilePath());
        QFile f(dir.filePath("out.txt"));
        QVERIFY(f.open(QIODevice::ReadOnly));
        QCOMPARE(f.readAll(), QByteArray("AB\nCD"));
        const QString bad = dir.filePath("missing/out.txt");
        TerminalView::queueFileAnswers({bad});
        press(r.ui->savetxtpushButton);
        QVERIFY(r.status().startsWith("Save failed:Open file " + bad + " failed, can't save\n"));
        r.ui->statusBar->showMessage("kept");
        TerminalView::queueFileAnswers({QString()}); // cancelled
        press(r.ui->savetxtpushButton);
        QCOMPARE(r.status(), QStringLiteral("kept"));
    }

    void importAppendsToSendBox_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<QString>("box");
        QTest::addColumn<QString>("status");
        QTest::newRow("crlf-lines-after-existing") << QByteArray("L1\r\nL2\r\n") << "XL1\nL2\n"
                                                   << "Success for read the data in the file";
        QTest::newRow("exactly-10000")
            << QByteArray(10000, 'a') << "X" + QString(10000, 'a') << "Success for read the data in the file";
        QTest::newRow("10001-refused")
            << QByteArray(10001, 'a') << "X"
            << "Load failed: file size is 10001 bytes, Exceeded the limit size 10000 bytes";
        QTest::newRow("empty-file") << QByteArray() << "X"
                                    << "Success for read the data in the file";
    }

    void importAppendsToSendBox()
    {
        QFETCH(QByteArray, content);
        QFETCH(QString, box);
        QFETCH(QString, status);
        Rig r;
        QTemporaryDir dir;
        writeFile(dir.filePath("in.txt"), content);
        r.ui->sendMsgtextEdit->setPlainText("X");
        TerminalView::queueFileAnswers({dir.filePath("in.txt")});
        press(r.ui->readtxtpushButton);
        QCOMPARE(r.status(), status);
        QCOMPARE(r.ui->sendMsgtextEdit->toPlainText(), box);
        TerminalView::queueFileAnswers({dir.filePath("nope.txt")});
        press(r.ui->readtxtpushButton);
        QCOMPARE(r.status(),
                 QStringLiteral(
                     "Open failed: Failed to open this file, this may be due to insufficient permissions."));
    }

    void sendFileGoesOutLineByLine()
    {
        Rig r;
        QTemporaryDir dir;
        const QByteArray content("one\r\ntwo\n\xff\x00three", 15);
        writeFile(dir.filePath("f.bin"), content);
        QVERIFY(r.open());
        TerminalView::queueFileAnswers({dir.filePath("f.bin")});
        press(r.ui->sendfileBtn);
        QCOMPARE(r.read(content.size(), 3000), content);
        QTRY_COMPARE(r.status(), QStringLiteral("Success for send the data in the file"));
        QCOMPARE(r.ui->sendbyteslcdNumber->intValue(), 0);
        // Closing the port stops a file that is still going out.
        QByteArray big;
        for (int i = 0; i < 2000; ++i)
            big += "line\n";
        writeFile(dir.filePath("big.txt"), big);
        TerminalView::queueFileAnswers({dir.filePath("big.txt")});
        press(r.ui->sendfileBtn);
        QVERIFY(!r.read(10, 2000).isEmpty());
        press(r.ui->opencompushButton);
        QVERIFY(!r.w->COM_fileSender->isRunning());
    }

    void presetsSendStoreAndClose()
    {
        Rig r;
        QVERIFY(r.open());
        press(r.ui->com_expandpushButton);
        QVERIFY(r.w->COM_expandOpen);
        Ui_COM_Expand* form = r.w->COM_expandUi;
        QCOMPARE(form->sendButtons[0]->text(), QStringLiteral("command1"));
        form->commands[0]->setText("AT\\r\\n");
        press(form->sendButtons[0]);
        QCOMPARE(r.read(4), QByteArray::fromHex("41540d0a"));
        QCOMPARE(r.status(), QStringLiteral("Send Success"));
        QCOMPARE(r.ui->sendbyteslcdNumber->intValue(), 4);
        form->commands[11]->setText(QString::fromUtf8("é\\\\n"));
        press(form->sendButtons[11]);
        QCOMPARE(r.read(4), QByteArray("\xc3\xa9\\n"));
        QCOMPARE(r.ui->sendbyteslcdNumber->intValue(), 8);
        form->sendButtons[2]->setText("reset");
        press(form->save_pushButton);
        QCOMPARE(r.w->settings->value("COMMAND1").toString(), QStringLiteral("AT\\r\\n"));
        QCOMPARE(r.w->settings->value("COMMAND3_NAME").toString(), QStringLiteral("reset"));
        QCOMPARE(r.w->settings->value("COMMAND2").toString(), QString());
        QVERIFY(r.w->settings->contains("COMMAND12_NAME"));
        // A second press while open does nothing.
        press(r.ui->com_expandpushButton);
        QCOMPARE(r.w->COM_expandUi, form);
        // Closing the port closes the dialog and disables "Advanced".
        QPointer<QDialog> dialog = r.w->COM_expandDialog;
        press(r.ui->opencompushButton);
        QVERIFY(!r.w->COM_expandOpen);
        QVERIFY(!r.ui->com_expandpushButton->isEnabled());
        QTRY_VERIFY(dialog.isNull());
        // The next opening reads the stored presets.
        QVERIFY(r.open());
        press(r.ui->com_expandpushButton);
        QCOMPARE(r.w->COM_expandUi->commands[0]->text(), QStringLiteral("AT\\r\\n"));
        QCOMPARE(r.w->COM_expandUi->sendButtons[2]->text(), QStringLiteral("reset"));
    }

    void lateDestroyedOfOldDialogKeepsNewForm()
    {
        Rig r;
        QVERIFY(r.open());
        r.w->slotCom_expand();
        QPointer<QDialog> old = r.w->COM_expandDialog;
        // Close and reopen before the old dialog's deferred deletion has run.
        r.w->actionOpen_triggered();
        r.w->actionOpen_triggered();
        QVERIFY(r.w->Serial_isOpen);
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
};

QTEST_MAIN(TestSerialTerminal)
#include "tst_serialterminal.moc"

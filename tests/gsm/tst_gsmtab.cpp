// The "GSM Debug" tab against a modem played on a pseudo-terminal.
#include <QApplication>
#include <QElapsedTimer>
#include <QInputDialog>
#include <QMessageBox>
#include <QSignalSpy>
#include <QSocketNotifier>

#include <functional>

#include <unistd.h>

#include "serial/threadserial.h"
#include "tests/common/consolerig.h"

using Bytes = QList<QByteArray>;

namespace {

const QByteArray linkStart = "AT+CIPSTART=\"TCP\",\"127.0.0.1\",\"5000\"";

// The modem: echoes each command line, answers it from its script and records it. A line ends
// at "\r\n"; data after a "> " prompt ends at Ctrl-Z. Commands not in the script get no answer.
struct FakeModem
{
    explicit FakeModem(PtyPair& p) : pty(p)
    {
        QObject::connect(&notifier, &QSocketNotifier::activated, [this] { readable(); });
        // clang-format off
        script = {{"AT+CLIP?", "\r\n+CLIP: 1,1\r\n\r\nOK\r\n"}, {"AT+CALM?", "\r\n+CALM: 0\r\n\r\nOK\r\n"},
                  {"AT+CMGF?", "\r\n+CMGF: 1\r\n\r\nOK\r\n"}, {"AT+CSQ", "\r\n+CSQ: 15,0\r\n\r\nOK\r\n"},
                  {"AT+CMGS=\"0031\"", "\r\n> "}, {"0041", "\r\n+CMGS: 1\r\n\r\nOK\r\n"},
                  {"AT+CMGR=3", "\r\n+CMGR: \"REC READ\",\"0031\",\"\",\"24/01/02\"\r\n0041\r\n\r\nOK\r\n"},
                  {linkStart, "\r\nOK\r\n\r\nCONNECT OK\r\n"}, {"AT+CIPSEND", "\r\n> "}, {"hi", "\r\nSEND OK\r\n"}};
        for (const char* c : {"AT+CLIP=1", "AT+CLIP=0", "AT+CALM=1", "AT+CMGF=1", "AT+CMGF=0", "ATD7;", "ATA", "ATH",
                              "AT+CSMP=17,167,2,25", "AT+CSCS=\"UCS2\"", "AT+CMGD=3,0", "AT+CMGDA=DEL ALL", "AT+CGCLASS=\"B\"",
                              "AT+CGDCONT=1,\"IP\",\"CMNET\"", "AT+CGATT=1", "AT+CIPCSGP=1,\"CMNET\"",
                              "AT+CLPORT=\"TCP\",\"2222\"", "AT+CIPCLOSE=1", "AT+CIPSHUT"})
            script[c] = "\r\nOK\r\n";
        // clang-format on
    }
    void send(const QByteArray& bytes) { pty.write(bytes); }

    PtyPair& pty;
    QSocketNotifier notifier{pty.masterFd(), QSocketNotifier::Read};
    QHash<QByteArray, QByteArray> script; // command (without its end) -> reply
    QByteArray received, pending;         // every byte the program wrote; what is not a whole command yet
    Bytes commands;                       // each command or data block, without its end
    std::function<void(const QByteArray&)> onCommand;
    bool echo = true, dataMode = false;

private:
    void readable()
    {
        char buf[4096];
        const ssize_t n = ::read(pty.masterFd(), buf, sizeof buf);
        received.append(buf, int(qMax<ssize_t>(n, 0)));
        pending.append(buf, int(qMax<ssize_t>(n, 0)));
        for (;;) {
            const int line = pending.indexOf("\r\n"), data = pending.indexOf('\x1a');
            const bool isData = data >= 0 && (dataMode || line < 0 || data < line);
            if (!isData && (dataMode || line < 0))
                return;
            const QByteArray cmd = pending.left(isData ? data : line);
            pending.remove(0, cmd.size() + (isData ? 1 : 2));
            commands << cmd;
            if (onCommand)
                onCommand(cmd);
            const QByteArray reply = (isData || !echo ? QByteArray() : cmd + "\r") + script.value(cmd);
            dataMode = !isData && reply.contains('>');
            pty.write(reply);
        }
    }
};

// Answers the modal dialogs that come up: types `typed` into an input dialog, and presses the
// next of `presses` (then "Cancel") in a message box, whose text it records.
struct Dialogs
{
    explicit Dialogs(QStringList p = {}) : presses(std::move(p)) { poll(); }
    QString typed = "3";
    QStringList presses, seen;
    QObject context; // stops the polling with this object

    void poll()
    {
        QWidget* modal = QApplication::activeModalWidget();
        if (auto* input = qobject_cast<QInputDialog*>(modal)) {
            input->setTextValue(typed);
            input->accept();
        } else if (auto* box = qobject_cast<QMessageBox*>(modal)) {
            seen << box->text();
            const QString press = presses.isEmpty() ? "Cancel" : presses.takeFirst();
            for (QAbstractButton* b : box->buttons())
                if (b->text().remove('&') == press)
                    b->click();
        }
        QTimer::singleShot(20, &context, [this] { poll(); });
    }
};

bool shows(const QIcon& icon, const char* path)
{
    const QSize size(48, 24);
    return icon.pixmap(size).toImage() == QIcon(QString::fromLatin1(path)).pixmap(size).toImage();
}

// A window with only the GSM tab, its port list holding the pty, and every status message kept.
struct Rig : ConsoleRig
{
    FakeModem modem{pty};
    QStringList statuses;
    Rig() : ConsoleRig(QStringLiteral("GSM"))
    {
        ui->GSMportNameComboBox->setCurrentText(pty.slavePath());
        QObject::connect(ui->statusBar, &QStatusBar::messageChanged, w.get(), [this](const QString& text) {
            if (!text.isEmpty())
                statuses << text;
        });
    }
    void open()
    {
        press(ui->GSMopencompushButton);
        modem.commands.clear();
        statuses.clear();
    }
    QString status() const { return ui->statusBar->currentMessage(); }

    // Runs one of the tab's actions by name, as the user starts it.
    void run(const QString& action)
    {
        ui->GSMtextBrowser_1->setPlainText("7");
        ui->GSMNUMtextEdit->setPlainText("1");
        ui->GSMtextBrowser->setPlainText("A");
        ui->GSMTCPclientPortlineEdit->setText("5000");
        ui->GSMTcpsendBrowser->setPlainText("hi");
        w->GSM_ringerOn = 1;
        w->GSM_ringing = action == "answer";
        ui->GSM_AutoRedial->setChecked(action == "redial");
        if (action == "gprs-send")
            press(ui->GSMTCPopencompushButton);
        const QHash<QString, QPushButton*> buttons = {
            {"signal", ui->GSMTestSignalpushButton},  {"switch", ui->GSMLaidianYingKaiguanpushButton},
            {"dial", ui->GSMbodianhuapushButton},     {"redial", ui->GSMbodianhuapushButton},
            {"answer", ui->GSMbodianhuapushButton},   {"hangup", ui->GSMguadianhuapushButton},
            {"sms-send", ui->GSMSendpushButton},      {"sms-read", ui->GSMReadTextpushButton},
            {"sms-delete", ui->GSMDelTextpushButton}, {"gprs-connect", ui->GSMTCPopencompushButton},
            {"gprs-send", ui->GSMTCPsendmsgBtn},
        };
        press(buttons.value(action));
    }
};

} // namespace

class TestGsmTab : public QObject
{
    Q_OBJECT
private slots:
    void openReadsSwitchesAndAttachesReaderOnce()
    {
        Rig rig;
        rig.modem.script["AT+CLIP?"] = "\r\n+CLIP: 0,1\r\n\r\nOK\r\n";
        rig.modem.script["AT+CMGF?"] = "\r\n+CMGF: 0\r\n\r\nOK\r\n";
        QVERIFY(!rig.ui->GSMSendpushButton->isEnabled());
        for (int round = 0; round < 2; ++round) {
            rig.modem.commands.clear();
            press(rig.ui->GSMopencompushButton);
            QCOMPARE(rig.modem.commands, (Bytes{"AT+CLIP?", "AT+CALM?", "AT+CMGF?", "AT+CSQ"}));
            QCOMPARE(rig.status(), QStringLiteral("Initialization completed"));
            QCOMPARE((QList<int>{rig.w->GSM_clipOn, rig.w->GSM_ringerOn, rig.w->GSM_smsTextMode}),
                     (QList<int>{0, 1, 0}));
            QVERIFY(shows(rig.ui->GSMLaidianKaiguanpushButton->icon(), ":images/off.png"));
            QVERIFY(shows(rig.ui->GSMCheckSigneltext->pixmap(), ":images/sig75.png"));
            QVERIFY(rig.ui->GSMSendpushButton->isEnabled());

            // Each chunk reaches the reader once, also after a reopening.
            rig.w->GSM_rxBuffer.clear();
            rig.modem.send("\r\nRI");
            QTRY_COMPARE(rig.w->GSM_rxBuffer, QByteArray("\r\nRI"));
            rig.modem.send("NG\r\n");
            QTRY_COMPARE(rig.status(), QStringLiteral("Have a new call:"));
            QCOMPARE(rig.w->GSM_rxBuffer, QByteArray("\r\nRING\r\n"));

            press(rig.ui->GSMopencompushButton);
            QVERIFY(!rig.w->Serial_isOpen);
            QVERIFY(!rig.ui->GSMSendpushButton->isEnabled() && !rig.ui->GSMANJIANpushButton_5->isEnabled());
            rig.w->GSM_ringing = rig.w->GSM_ringSeen = false;
        }
        rig.open();
        press(rig.ui->GSMLaidianKaiguanpushButton);
        press(rig.ui->GSMDuanXinWenBenKaiguanpushButton);
        press(rig.ui->GSMLaidianYingKaiguanpushButton);
        QCOMPARE(rig.modem.commands, (Bytes{"AT+CLIP=1", "AT+CMGF=1", "AT+CSCS=\"UCS2\"", "AT+CALM=1"}));
        QCOMPARE((QList<int>{rig.w->GSM_clipOn, rig.w->GSM_ringerOn, rig.w->GSM_smsTextMode}),
                 (QList<int>{1, 0, 1}));
        QVERIFY(shows(rig.ui->GSMLaidianYingKaiguanpushButton->icon(), ":images/off.png"));
    }

    void refusingOrSilentModemLeavesTabUsable()
    {
        Rig rig;
        for (const char* c : {"AT+CLIP?", "AT+CALM?", "AT+CMGF?"})
            rig.modem.script[c] = "\r\nERROR\r\n";
        rig.modem.script.remove("AT+CALM=1");
        rig.open();
        QCOMPARE(rig.status(), QStringLiteral("No response from the modem"));
        QVERIFY(rig.ui->GSMLaidianKaiguanpushButton->icon().isNull());
        QVERIFY(shows(rig.ui->GSMCheckSigneltext->pixmap(), ":images/sig75.png"));
        QVERIFY(rig.ui->GSMopencompushButton->isEnabled() && rig.ui->GSMTestSignalpushButton->isEnabled());
        for (int t = 0; t < MainWindow::serialTabCount; ++t) // the port stays held: other tabs locked
            QCOMPARE(rig.w->Serial_tabControls(MainWindow::SerialTab(t)).openButton->isEnabled(),
                     t == int(MainWindow::SerialTab::Gsm));

        // Switching the ringer off without an answer says so and changes nothing.
        rig.w->GSM_ringerOn = 1;
        Dialogs boxes;
        press(rig.ui->GSMLaidianYingKaiguanpushButton);
        QCOMPARE(boxes.seen, QStringList{"No response"});
        QCOMPARE(rig.w->GSM_ringerOn, 1);
    }

    // A reply carries notices, or the modem refuses. Text after '|' in the reply comes once the
    // action is over. Every notice is shown in order, nothing the modem refused is shown as done,
    // and no refusal sits through the full wait.
    void transactions_data()
    {
        QTest::addColumn<QString>("action");
        QTest::addColumn<QByteArray>("command");
        QTest::addColumn<QByteArray>("reply");
        QTest::addColumn<QStringList>("boxes");
        QTest::addColumn<QStringList>("statuses");
        const QByteArray sms = "\r\n+CMTI: \"SM\",3\r\n", ring = "\r\nRING\r\n", ok = "\r\nOK\r\n";
        const QString newSms = "Have new SMS, SMS box:: 3",
                      call = "Have a new call:", linked = "connection succeeded";
        const QStringList none, error{"Error"};
        // clang-format off
        QTest::newRow("signal-sms") << "signal" << QByteArray("AT+CSQ") << sms + "\r\n+CSQ: 20,0\r\n" + ok << none << QStringList{newSms};
        QTest::newRow("switch-ring-caller-one-read") << "switch" << QByteArray("AT+CALM=1") << ring + "+CLIP: \"10086\",129,\"\",0,\"\",0\r\n" + ok << none << QStringList{call, call + "10086"};
        QTest::newRow("dial-busy") << "dial" << QByteArray("ATD7;") << ok + "\r\nBUSY\r\n" << none << QStringList{"Calling...", "busy"};
        QTest::newRow("answer-sms") << "answer" << QByteArray("ATA") << sms + ok << none << QStringList{"Calling...", newSms};
        QTest::newRow("hangup-ring") << "hangup" << QByteArray("ATH") << ring + ok << none << QStringList{"call ended", call};
        QTest::newRow("sms-send-call-ended") << "sms-send" << QByteArray("0041") << "\r\n+CMGS: 1\r\n\r\nNO CARRIER\r\n" + ok << none << QStringList{"SMS sent successfully", "call ended"};
        QTest::newRow("sms-read-sms-in-message") << "sms-read" << QByteArray("AT+CMGR=3") << "\r\n+CMGR: \"REC READ\",\"0031\",\"\",\"24\"" + sms + "0041\r\n" + ok << none << QStringList{newSms};
        QTest::newRow("sms-delete-busy") << "sms-delete" << QByteArray("AT+CMGD=3,0") << "\r\nBUSY\r\n" + ok << QStringList{"Successfully deleted"} << QStringList{"busy"};
        QTest::newRow("gprs-connect-ring") << "gprs-connect" << linkStart << ok + ring + "\r\nCONNECT OK\r\n" << QStringList{linked} << QStringList{call};
        QTest::newRow("notice-ends-after-reply") << "signal" << QByteArray("AT+CSQ") << "\r\n+CSQ: 20,0\r\n" + ok + "\r\n+CMTI: \"SM\",|3\r\n" << none << QStringList{newSms};
        QTest::newRow("dial-echo-and-error-one-read") << "dial" << QByteArray("ATD7;") << QByteArray("\r\nERROR\r\n") << error << none;
        QTest::newRow("redial-refused") << "redial" << QByteArray("ATD7;") << QByteArray("\r\n+CME ERROR: 30\r\n") << error << none;
        QTest::newRow("sms-number-refused") << "sms-send" << QByteArray("AT+CMGS=\"0031\"") << QByteArray("\r\n+CMS ERROR: 304\r\n") << none << QStringList{"SMS sent failed"};
        QTest::newRow("sms-send-refused") << "sms-send" << QByteArray("0041") << QByteArray("\r\n+CMS ERROR: 500\r\n") << none << QStringList{"SMS sent failed"};
        QTest::newRow("gprs-connect-fail") << "gprs-connect" << linkStart << ok + "\r\nCONNECT FAIL\r\n" << error << none;
        QTest::newRow("gprs-send-fail") << "gprs-send" << QByteArray("hi") << QByteArray("\r\nSEND FAIL\r\n") << QStringList{linked, "Error"} << none;
        // clang-format on
    }

    void transactions()
    {
        QFETCH(QString, action);
        QFETCH(QByteArray, command);
        QFETCH(QByteArray, reply);
        Rig rig;
        rig.open();
        rig.modem.script[command] = reply.split('|').first();
        Dialogs boxes;
        QElapsedTimer clock;
        clock.start();
        rig.run(action);
        QVERIFY(clock.elapsed() < 4000);
        if (reply.contains('|'))
            rig.modem.send(reply.mid(reply.indexOf('|') + 1));
        QFETCH(QStringList, statuses);
        QTRY_COMPARE(rig.statuses, statuses);
        QTEST(boxes.seen, "boxes");

        // Only a call the modem took is up: the keypad sends tones into nothing else.
        const bool inCall = rig.w->GSM_inCall;
        QCOMPARE(inCall, action == "answer");
        press(rig.ui->GSMANJIANpushButton_5);
        press(rig.ui->GSMLaidianKaiguanpushButton); // a command after the tone, if any
        QCOMPARE(rig.modem.commands.contains("AT+VTS=5"), inCall);
    }

    void callsAndKeypad()
    {
        Rig rig;
        rig.open();
        rig.modem.script["ATD10086;"] = "\r\nOK\r\n";
        for (int key : {1, 0, 0, 8, 6})
            press(rig.ui->gsmKeypad(key));
        Dialogs boxes;
        press(rig.ui->GSMbodianhuapushButton);
        QCOMPARE(rig.modem.commands, Bytes{"ATD10086;"}); // no tones outside a call
        rig.modem.send("\r\nNO CARRIER\r\n");
        QTRY_COMPARE(rig.status(), QStringLiteral("call ended"));
        QVERIFY(!rig.w->GSM_inCall);
        press(rig.ui->GSMANJIANpushButton_Clean);
        press(rig.ui->GSMbodianhuapushButton); // no number: nothing dialled
        QCOMPARE(boxes.seen, QStringList{"Error number"});

        // A ringing call rejected with the hang-up: the next call still rings through.
        rig.modem.send("\r\nRING\r\n");
        QTRY_COMPARE(rig.ui->GSMbodianhuapushButton->text(), QStringLiteral("Answer call"));
        press(rig.ui->GSMguadianhuapushButton);
        QCOMPARE(rig.status(), QStringLiteral("call ended"));
        rig.modem.send("\r\nRING\r\n");
        QTRY_COMPARE(rig.status(), QStringLiteral("Have a new call:"));
        QCOMPARE(rig.modem.commands, (Bytes{"ATD10086;", "ATH"}));
    }

    // With auto-redial on, a dial is repeated after each failed attempt, up to three dials,
    // however late the modem reports the failure, and never after the hang-up.
    void autoRedial_data()
    {
        QTest::addColumn<bool>("echo");
        QTest::addColumn<int>("failAfterMs"); // -1: the call goes through and is hung up
        QTest::addColumn<Bytes>("sent");
        QTest::addColumn<QString>("status");
        const Bytes three{"ATD7;", "ATD7;", "ATD7;"};
        QTest::newRow("fails-at-once") << true << 0 << three << "Stop";
        QTest::newRow("silent-modem-first-fails-late") << false << 1200 << three << "Stop";
        QTest::newRow("answered-then-hung-up") << true << -1 << Bytes{"ATD7;", "ATH"} << "call ended";
    }

    void autoRedial()
    {
        QFETCH(int, failAfterMs);
        QFETCH(bool, echo);
        Rig rig;
        rig.open();
        rig.modem.echo = echo;
        if (failAfterMs >= 0)
            rig.modem.script.remove("ATD7;");
        rig.modem.onCommand = [&](const QByteArray& c) {
            if (c == "ATD7;" && failAfterMs >= 0) // past the 1.1 s a single dial waits
                QTimer::singleShot(rig.modem.commands.size() == 1 ? failAfterMs : 0, rig.w.get(),
                                   [&] { rig.modem.send("\r\nNO CARRIER\r\n"); });
            if (c == "ATD7;" && failAfterMs < 0)
                QTimer::singleShot(300, rig.w.get(), [&] { press(rig.ui->GSMguadianhuapushButton); });
        };
        Dialogs boxes;
        rig.run("redial");
        QTEST(rig.modem.commands, "sent");
        QTEST(rig.status(), "status");
        QCOMPARE(boxes.seen.size(), failAfterMs < 0 ? 0 : 1);
        QVERIFY(!rig.ui->GSM_AutoRedial->isChecked() && !rig.w->GSM_inCall);
    }

    void smsSentInUcs2()
    {
        Rig rig;
        rig.open();
        rig.modem.script["AT+CMGS=\"00310030003000380036\""] = "\r\n> ";
        rig.modem.script["00480069002000164e2d"] = "\r\n+CMGS: 12\r\n\r\nOK\r\n";
        rig.ui->GSMNUMtextEdit->setPlainText("10086");
        rig.ui->GSMtextBrowser->setPlainText(QString("Hi ") + QChar(0x16) + QChar(0x4E2D));
        rig.modem.received.clear();
        press(rig.ui->GSMSendpushButton);
        QCOMPARE(rig.status(), QStringLiteral("SMS sent successfully"));
        QCOMPARE(rig.modem.received,
                 QByteArray("AT+CSMP=17,167,2,25\r\nAT+CSCS=\"UCS2\"\r\n"
                            "AT+CMGS=\"00310030003000380036\"\r\n00480069002000164e2d\x1a"));
    }

    void smsRead_data()
    {
        QTest::addColumn<QString>("box");
        QTest::addColumn<QByteArray>("reply");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<QStringList>("boxes");
        // clang-format off
        QTest::newRow("received") << "3" << QByteArray() << "Sender:1\nTime:24/01/02\nA" << QStringList();
        QTest::newRow("stored-shown-raw") << "4" << QByteArray("\r\n+CMGR: \"STO UNSENT\",\"0031\",\"\"\r\n0041\r\n\r\nOK\r\n")
            << "AT+CMGR=4\n\n+CMGR: \"STO UNSENT\",\"0031\",\"\"\n0041\n\nOK\n" << QStringList();
        QTest::newRow("modem-error") << "9" << QByteArray("\r\n+CMS ERROR: 321\r\n\r\nERROR\r\n") << "" << QStringList{"Error"};
        // Nothing malformed reaches the modem.
        QTest::newRow("not-a-number") << "1\r\nATD1;" << QByteArray() << "" << QStringList{"Error message box number"};
        // clang-format on
    }

    void smsRead()
    {
        QFETCH(QString, box);
        QFETCH(QByteArray, reply);
        Rig rig;
        rig.open();
        if (!reply.isEmpty())
            rig.modem.script["AT+CMGR=" + box.toLatin1()] = reply;
        Dialogs boxes;
        boxes.typed = box;
        press(rig.ui->GSMReadTextpushButton);
        QTEST(boxes.seen, "boxes");
        QTEST(rig.ui->GSMReadtextBrowser->toPlainText().remove('\r'), "shown");
        QCOMPARE(rig.modem.commands.isEmpty(), box.contains('\n'));
    }

    void deleteAllInPduModeSwitchesModeAround()
    {
        Rig rig;
        rig.modem.script["AT+CMGF?"] = "\r\n+CMGF: 0\r\n\r\nOK\r\n";
        rig.open();
        Dialogs boxes({"Yes", "Cancel", "Yes"});
        press(rig.ui->GSMDelALLTextpushButton);
        QTRY_COMPARE(rig.modem.commands, (Bytes{"AT+CMGF=1", "AT+CMGDA=DEL ALL", "AT+CMGF=0"}));
        // Refused: the mode switch's "OK" alone is no success.
        rig.modem.script["AT+CMGDA=DEL ALL"] = "\r\nERROR\r\n";
        press(rig.ui->GSMDelALLTextpushButton);
        QCOMPARE(boxes.seen, (QStringList{"Confirm delete all text messages?", "Successfully deleted",
                                          "Confirm delete all text messages?"}));
    }

    void gprsLink()
    {
        Rig rig;
        rig.open();
        Dialogs boxes;
        rig.run("gprs-connect");
        QCOMPARE(rig.ui->GSMTCPopencompushButton->text(), QStringLiteral("Disconnect"));
        QVERIFY(!rig.ui->gsm_groupBox_serial->isEnabled() && !rig.ui->gsm_groupBox_SMSRead->isEnabled());

        // Link text, a GBK character split between reads, and the modem's noise dropped whole.
        QSignalSpy chunks(rig.w->Serial_thread, &ThreadSerial::Serial_read_Data);
        const QString shown = QString("from server ") + QChar(0x4F60);
        rig.modem.send("from server \xc4");
        rig.modem.send("\xe3");
        QTRY_COMPARE(rig.ui->GSMTCPReadSBrowser->toPlainText(), shown);
        rig.modem.send("+WARNNING: low power\r\n");
        QVERIFY(chunks.wait());
        QCOMPARE(rig.ui->GSMTCPReadSBrowser->toPlainText(), shown);

        rig.modem.script["hello\r\n"] = "\r\nSEND OK\r\n";
        rig.ui->GSMTcpsendBrowser->setPlainText("hello\n");
        rig.modem.received.clear();
        press(rig.ui->GSMTCPsendmsgBtn);
        QCOMPARE(rig.modem.received, QByteArray("AT+CIPSEND\r\nhello\r\n\x1a"));

        rig.modem.commands.clear();
        press(rig.ui->GSMTCPopencompushButton);
        QCOMPARE(rig.modem.commands, (Bytes{"AT+CIPCLOSE=1", "AT+CIPSHUT"}));
        QVERIFY(rig.w->GSM_tcpOpen == 0 && rig.ui->gsm_groupBox_serial->isEnabled());
        rig.modem.send("late"); // link text no longer reaches the link's view
        QVERIFY(chunks.wait());
        QCOMPARE(rig.ui->GSMTCPReadSBrowser->toPlainText(), shown);
    }

    void closeDuringWaitStopsAction()
    {
        Rig rig;
        rig.open();
        rig.modem.script.remove("0041");
        rig.modem.onCommand = [&](const QByteArray& c) {
            if (c == "0041")
                QTimer::singleShot(100, rig.w.get(), [&] { press(rig.ui->GSMopencompushButton); });
        };
        QElapsedTimer clock;
        clock.start();
        rig.run("sms-send");
        QVERIFY(clock.elapsed() < 2500); // not the 5.1 s wait for the send result
        QVERIFY(!rig.w->Serial_isOpen && !rig.w->Serial_thread);
        QCOMPARE(rig.status(), QStringLiteral("Serial closed"));
    }

    void messageLengthGuard_data()
    {
        QTest::addColumn<QString>("before");
        QTest::addColumn<int>("cursorAt");
        QTest::addColumn<QString>("typed"); // "XYZ" is pasted
        QTest::addColumn<QString>("after");
        QTest::addColumn<int>("cursorAfter");
        const QString full = QString(80, 'a') + QString(80, 'b');
        QTest::newRow("typing-past-limit")
            << QString(158, 'a') << 158 << "xyz" << QString(158, 'a') + "xy" << 160;
        QTest::newRow("paste-at-start-of-full") << full << 0 << "XYZ" << full << 0;
        QTest::newRow("typing-in-middle-of-full") << full << 80 << "Q" << full << 80;
    }

    void messageLengthGuard()
    {
        QFETCH(QString, before);
        QFETCH(int, cursorAt);
        QFETCH(QString, typed);
        Rig rig;
        rig.w->GSMUI_EnDisable(true);
        QTextEdit* edit = rig.ui->GSMtextBrowser;
        edit->setPlainText(before);
        QTextCursor c = edit->textCursor();
        c.setPosition(cursorAt);
        edit->setTextCursor(c);
        if (typed == "XYZ")
            edit->insertPlainText(typed);
        else
            QTest::keyClicks(edit, typed);
        QTEST(edit->toPlainText(), "after");
        QTEST(edit->textCursor().position(), "cursorAfter");
    }
};

QTEST_MAIN(TestGsmTab)
#include "tst_gsmtab.moc"

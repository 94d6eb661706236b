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

const QByteArray linkStart = "AT+CIPSTART=\"TCP\",\"127.0.0.1\",\"5000\"", smsText = "00480069002000164e2d";

// The modem: echoes each command line, answers it from its script and records it. A line ends
// at "\r\n"; data after a "> " prompt ends at Ctrl-Z. A command not in the script gets "OK"; one
// scripted with an empty reply gets only its echo.
struct FakeModem
{
    explicit FakeModem(PtyPair& p) : pty(p)
    {
        QObject::connect(&notifier, &QSocketNotifier::activated, [this] { readable(); });
    }
    void send(const QByteArray& bytes) { pty.write(bytes); }

    PtyPair& pty;
    QSocketNotifier notifier{pty.masterFd(), QSocketNotifier::Read};
    // clang-format off
    QHash<QByteArray, QByteArray> script{{"AT+CLIP?", "\r\n+CLIP: 1,1\r\n\r\nOK\r\n"}, {"AT+CALM?", "\r\n+CALM: 0\r\n\r\nOK\r\n"},
        {"AT+CMGF?", "\r\n+CMGF: 1\r\n\r\nOK\r\n"}, {"AT+CSQ", "\r\n+CSQ: 15,0\r\n\r\nOK\r\n"}, {"AT+CIPSEND", "\r\n> "},
        {"AT+CMGS=\"00310030003000380036\"", "\r\n> "}, {smsText, "\r\n+CMGS: 1\r\n\r\nOK\r\n"}, {"hi", "\r\nSEND OK\r\n"},
        {"AT+CMGR=3", "\r\n+CMGR: \"REC READ\",\"0031\",\"\",\"24/01/02\"\r\n0041\r\n\r\nOK\r\n"}, {linkStart, "\r\nOK\r\n\r\nCONNECT OK\r\n"}};
    // clang-format on
    QByteArray received, pending; // every byte the program wrote; what is not a whole command yet
    Bytes commands;               // each command or data block, without its end
    std::function<void(const QByteArray&)> onCommand;
    bool echo = true, dataMode = false;

private:
    void readable()
    {
        char buf[4096];
        const int n = int(qMax<ssize_t>(::read(pty.masterFd(), buf, sizeof buf), 0));
        received.append(buf, n);
        pending.append(buf, n);
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
            const QByteArray reply = script.contains(cmd) ? script.value(cmd) : "\r\nOK\r\n";
            dataMode = !isData && reply.contains('>');
            pty.write((isData || !echo ? QByteArray() : cmd + "\r") + reply);
        }
    }
};

bool shows(const QIcon& icon, const char* path)
{
    const QSize size(48, 24);
    return icon.pixmap(size).toImage() == QIcon(QString::fromLatin1(path)).pixmap(size).toImage();
}

// A window with only the GSM tab, its port list holding the pty and its fields filled in. It keeps
// every status message and the text of every message box ("box: ...") in `log`, and answers the
// dialogs: types `typed` into an input dialog and presses the next of `presses` (then "Cancel").
struct Rig : ConsoleRig
{
    FakeModem modem{pty};
    QStringList log, presses;
    QString typed = "3";

    Rig() : ConsoleRig(QStringLiteral("GSM"))
    {
        ui->GSMportNameComboBox->setCurrentText(pty.slavePath());
        ui->GSMtextBrowser_1->setPlainText("7");
        ui->GSMNUMtextEdit->setPlainText("10086");
        ui->GSMtextBrowser->setPlainText(QString("Hi ") + QChar(0x16) + QChar(0x4E2D));
        ui->GSMTCPclientPortlineEdit->setText("5000");
        ui->GSMTcpsendBrowser->setPlainText("hi");
        QObject::connect(ui->statusBar, &QStatusBar::messageChanged, w.get(), [this](const QString& text) {
            if (!text.isEmpty())
                log << text;
        });
        answerDialogs();
    }
    void answerDialogs()
    {
        QWidget* modal = QApplication::activeModalWidget();
        if (auto* input = qobject_cast<QInputDialog*>(modal)) {
            input->setTextValue(typed);
            input->accept();
        } else if (auto* box = qobject_cast<QMessageBox*>(modal)) {
            log << "box: " + box->text();
            const QString answer = presses.isEmpty() ? "Cancel" : presses.takeFirst();
            for (QAbstractButton* b : box->buttons())
                if (b->text().remove('&') == answer)
                    b->click();
        }
        QTimer::singleShot(20, w.get(), [this] { answerDialogs(); });
    }
    void open()
    {
        press(ui->GSMopencompushButton);
        modem.commands.clear();
        log.clear();
    }
    QString status() const { return ui->statusBar->currentMessage(); }

    // One thing the user does: a button by its name, "keys <digits>" on the keypad, "type <text>"
    // for the next input dialog, "press <button>" for the next message box, or "<bytes>":
    // the modem sends them, and the step ends once the tab has shown something.
    void step(const QString& what)
    {
        const QString arg = what.section(' ', 1);
        // clang-format off
        const QHash<QString, QPushButton*> buttons = {
            {"signal", ui->GSMTestSignalpushButton}, {"ringer", ui->GSMLaidianYingKaiguanpushButton},
            {"clip", ui->GSMLaidianKaiguanpushButton}, {"text-mode", ui->GSMDuanXinWenBenKaiguanpushButton},
            {"dial", ui->GSMbodianhuapushButton}, {"hangup", ui->GSMguadianhuapushButton}, {"clean", ui->GSMANJIANpushButton_Clean},
            {"sms-send", ui->GSMSendpushButton}, {"sms-read", ui->GSMReadTextpushButton}, {"sms-delete", ui->GSMDelTextpushButton},
            {"delete-all", ui->GSMDelALLTextpushButton}, {"gprs", ui->GSMTCPopencompushButton}, {"gprs-send", ui->GSMTCPsendmsgBtn}};
        // clang-format on
        const qsizetype shown = log.size();
        if (what.startsWith('<')) {
            modem.send(what.mid(1).toLatin1());
            (void)QTest::qWaitFor([&] { return log.size() > shown; });
        } else if (what.startsWith("keys ")) {
            for (const QChar digit : arg)
                press(ui->gsmKeypad(digit.digitValue()));
        } else if (what.startsWith("type ")) {
            typed = arg;
        } else if (what.startsWith("press ")) {
            presses << arg;
        } else if (what == "auto-redial") {
            ui->GSM_AutoRedial->setChecked(true);
        } else if (what == "ringing") { // as if a call had rung
            w->GSM_ringing = true;
        } else {
            press(buttons.value(what));
        }
    }
};

} // namespace

class TestGsmTab : public QObject
{
    Q_OBJECT
private slots:
    void openAsksModemThenAttachesReaderOnce()
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
    }

    void refusingOrSilentModemLeavesTabUsable()
    {
        Rig rig;
        for (const char* c : {"AT+CLIP?", "AT+CALM?", "AT+CMGF?"})
            rig.modem.script[c] = "\r\nERROR\r\n";
        rig.modem.script["AT+CALM=1"] = "";
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
        rig.step("ringer");
        QCOMPARE(rig.log, QStringList{"box: No response"});
        QCOMPARE(rig.w->GSM_ringerOn, 1);
    }

    // With the port open, the modem's script changed by (command, reply) pairs, the user's steps
    // run in turn: the commands the modem got, and all the tab showed in order, then the SMS view
    // and whether a call is up. Notices inside a reply are shown in order once the action is over,
    // nothing the modem refused is shown as done, and no refusal sits through the full wait.
    void scenarios_data()
    {
        QTest::addColumn<Bytes>("script");
        QTest::addColumn<QStringList>("steps");
        QTest::addColumn<Bytes>("sent");
        QTest::addColumn<QStringList>("shown");
        const QByteArray sms = "\r\n+CMTI: \"SM\",3\r\n", ring = "\r\nRING\r\n", ok = "\r\nOK\r\n";
        const QString newSms = "Have new SMS, SMS box:: 3",
                      call = "Have a new call:", linked = "box: connection succeeded";
        const QString ended = "call ended", error = "box: Error", sent = "SMS sent successfully",
                      failed = "SMS sent failed";
        const QString confirm = "box: Confirm delete all text messages?",
                      deleted = "box: Successfully deleted";
        const Bytes smsSend{"AT+CSMP=17,167,2,25", "AT+CSCS=\"UCS2\"", "AT+CMGS=\"00310030003000380036\"",
                            smsText};
        const Bytes gprs{"AT+CGCLASS=\"B\"",       "AT+CGDCONT=1,\"IP\",\"CMNET\"", "AT+CGATT=1",
                         "AT+CIPCSGP=1,\"CMNET\"", "AT+CLPORT=\"TCP\",\"2222\"",    linkStart};
        const Bytes pduDeleteAll{"AT+CMGF=0", "AT+CMGF=1", "AT+CMGDA=DEL ALL", "AT+CMGF=0"};
        using L = QStringList;
        // clang-format off
        QTest::newRow("signal-sms") << Bytes{"AT+CSQ", sms + "\r\n+CSQ: 20,0\r\n" + ok} << L{"signal"} << Bytes{"AT+CSQ"} << L{newSms};
        QTest::newRow("notice-ends-after-reply") << Bytes{"AT+CSQ", "\r\n+CSQ: 20,0\r\n" + ok + "\r\n+CMTI: \"SM\","} << L{"signal", "<3\r\n"} << Bytes{"AT+CSQ"} << L{newSms};
        QTest::newRow("ringer-ring-caller-one-read") << Bytes{"AT+CALM=1", ring + "+CLIP: \"10086\",129,\"\",0,\"\",0\r\n" + ok} << L{"ringer"} << Bytes{"AT+CALM=1"} << L{call, call + "10086"};
        QTest::newRow("switches-follow-replies") << Bytes{} << L{"clip", "clip", "text-mode", "text-mode", "ringer"}
            << Bytes{"AT+CLIP=0", "AT+CLIP=1", "AT+CMGF=0", "AT+CMGF=1", "AT+CSCS=\"UCS2\"", "AT+CALM=1"} << L{};
        QTest::newRow("dial-busy") << Bytes{"ATD7;", ok + "\r\nBUSY\r\n"} << L{"dial"} << Bytes{"ATD7;"} << L{"Calling...", "busy"};
        QTest::newRow("dial-echo-and-error-one-read") << Bytes{"ATD7;", "\r\nERROR\r\n"} << L{"dial"} << Bytes{"ATD7;"} << L{error};
        QTest::newRow("redial-refused") << Bytes{"ATD7;", "\r\n+CME ERROR: 30\r\n"} << L{"auto-redial", "dial"} << Bytes{"ATD7;"} << L{error};
        QTest::newRow("answer-sms") << Bytes{"ATA", sms + ok} << L{"ringing", "dial"} << Bytes{"ATA"} << L{"Calling...", newSms, "in call"};
        QTest::newRow("hangup-ring") << Bytes{"ATH", ring + ok} << L{"hangup"} << Bytes{"ATH"} << L{ended, call};
        // The number from the keypad; no tones outside a call; a rejected call does not hide the next.
        QTest::newRow("keypad-dial-reject-ring") << Bytes{} << L{"clean", "keys 10086", "dial", "<\r\nNO CARRIER\r\n", "clean", "dial", "<" + ring, "hangup", "<" + ring}
            << Bytes{"ATD10086;", "ATH"} << L{"Already cleared", "Calling...", ended, "Already cleared", "box: Error number", call, ended, call};
        QTest::newRow("sms-send-ucs2") << Bytes{} << L{"sms-send"} << smsSend << L{sent};
        QTest::newRow("sms-send-call-ended") << Bytes{smsText, "\r\n+CMGS: 1\r\n\r\nNO CARRIER\r\n" + ok} << L{"sms-send"} << smsSend << L{sent, ended};
        QTest::newRow("sms-number-refused") << Bytes{smsSend[2], "\r\n+CMS ERROR: 304\r\n"} << L{"sms-send"} << smsSend.first(3) << L{failed};
        QTest::newRow("sms-send-refused") << Bytes{smsText, "\r\n+CMS ERROR: 500\r\n"} << L{"sms-send"} << smsSend << L{failed};
        QTest::newRow("sms-read") << Bytes{} << L{"sms-read"} << Bytes{"AT+CMGR=3"} << L{"view: Sender:1\nTime:24/01/02\nA"};
        QTest::newRow("sms-read-sms-in-message") << Bytes{"AT+CMGR=3", "\r\n+CMGR: \"REC READ\",\"0031\",\"\",\"24\"" + sms + "0041\r\n" + ok} << L{"sms-read"} << Bytes{"AT+CMGR=3"} << L{newSms, "view: Sender:1\nTime:24\nA"};
        QTest::newRow("sms-read-stored-raw") << Bytes{"AT+CMGR=4", "\r\n+CMGR: \"STO UNSENT\",\"0031\",\"\"\r\n0041\r\n" + ok} << L{"type 4", "sms-read"} << Bytes{"AT+CMGR=4"}
            << L{"view: AT+CMGR=4\n\n+CMGR: \"STO UNSENT\",\"0031\",\"\"\n0041\n\nOK\n"};
        QTest::newRow("sms-read-error") << Bytes{"AT+CMGR=9", "\r\n+CMS ERROR: 321\r\n\r\nERROR\r\n"} << L{"type 9", "sms-read"} << Bytes{"AT+CMGR=9"} << L{error};
        QTest::newRow("sms-read-not-a-number") << Bytes{} << L{"type 1\r\nATD1;", "sms-read"} << Bytes{} << L{"box: Error message box number"};
        QTest::newRow("sms-delete-busy") << Bytes{"AT+CMGD=3,0", "\r\nBUSY\r\n" + ok} << L{"sms-delete"} << Bytes{"AT+CMGD=3,0"} << L{deleted, "busy"};
        // In PDU mode the mode is switched around; that switch's "OK" alone is no success.
        QTest::newRow("delete-all-pdu-mode") << Bytes{} << L{"text-mode", "press Yes", "delete-all"} << pduDeleteAll << L{confirm, deleted};
        QTest::newRow("delete-all-refused") << Bytes{"AT+CMGDA=DEL ALL", "\r\nERROR\r\n"} << L{"text-mode", "press Yes", "delete-all"} << pduDeleteAll << L{confirm};
        QTest::newRow("gprs-connect-ring") << Bytes{linkStart, ok + ring + "\r\nCONNECT OK\r\n"} << L{"gprs"} << gprs << L{linked, call};
        QTest::newRow("gprs-connect-fail") << Bytes{linkStart, ok + "\r\nCONNECT FAIL\r\n"} << L{"gprs"} << gprs << L{error};
        QTest::newRow("gprs-send-fail") << Bytes{"hi", "\r\nSEND FAIL\r\n"} << L{"gprs", "gprs-send"} << gprs + Bytes{"AT+CIPSEND", "hi"} << L{linked, error};
        // clang-format on
    }

    void scenarios()
    {
        QFETCH(Bytes, script);
        QFETCH(QStringList, steps);
        Rig rig;
        rig.open();
        for (int i = 0; i + 1 < script.size(); i += 2)
            rig.modem.script[script[i]] = script[i + 1];
        QElapsedTimer clock;
        clock.start();
        for (const QString& step : steps)
            rig.step(step);
        QVERIFY(clock.elapsed() < 4000);
        QFETCH(Bytes, sent);
        QTRY_COMPARE(rig.modem.commands, sent);
        const auto seen = [&] {
            const QString view = rig.ui->GSMReadtextBrowser->toPlainText().remove('\r');
            return rig.log + (view.isEmpty() ? QStringList() : QStringList{"view: " + view}) +
                   (rig.w->GSM_inCall ? QStringList{"in call"} : QStringList());
        };
        QFETCH(QStringList, shown);
        QTRY_COMPARE(seen(), shown);

        // Only a call the modem took is up: the keypad sends tones into nothing else.
        const bool inCall = rig.w->GSM_inCall;
        press(rig.ui->GSMANJIANpushButton_5);
        press(rig.ui->GSMLaidianKaiguanpushButton); // a command after the tone, if any
        QCOMPARE(rig.modem.commands.contains("AT+VTS=5"), inCall);
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
            rig.modem.script["ATD7;"] = "";
        rig.modem.onCommand = [&](const QByteArray& c) {
            if (c == "ATD7;" && failAfterMs >= 0) // past the 1.1 s a single dial waits
                QTimer::singleShot(rig.modem.commands.size() == 1 ? failAfterMs : 0, rig.w.get(),
                                   [&] { rig.modem.send("\r\nNO CARRIER\r\n"); });
            if (c == "ATD7;" && failAfterMs < 0)
                QTimer::singleShot(300, rig.w.get(), [&] { press(rig.ui->GSMguadianhuapushButton); });
        };
        rig.step("auto-redial");
        rig.step("dial");
        QTEST(rig.modem.commands, "sent");
        QTEST(rig.status(), "status");
        QCOMPARE(rig.log.filter("box: ").size(), failAfterMs < 0 ? 0 : 1);
        QVERIFY(!rig.ui->GSM_AutoRedial->isChecked() && !rig.w->GSM_inCall);
    }

    void gprsLink()
    {
        Rig rig;
        rig.open();
        rig.step("gprs");
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

        rig.modem.script["hello\r\n"] = "\r\nSEND OK\r\n"; // a line end goes out as "\r\n"
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
        rig.modem.script[smsText] = "";
        rig.modem.onCommand = [&](const QByteArray& c) {
            if (c == smsText)
                QTimer::singleShot(100, rig.w.get(), [&] { press(rig.ui->GSMopencompushButton); });
        };
        QElapsedTimer clock;
        clock.start();
        rig.step("sms-send");
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

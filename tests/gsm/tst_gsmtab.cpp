// The "GSM Debug" tab against a modem played on a pseudo-terminal.
#include <QApplication>
#include <QElapsedTimer>
#include <QInputDialog>
#include <QMessageBox>
#include <QSocketNotifier>
#include <QTimer>

#include <unistd.h>

#include <utility>

#include "serial/threadserial.h"
#include "tests/common/consolerig.h"
#include "tests/common/modalanswer.h"

using Bytes = QList<QByteArray>;

namespace {

const QByteArray linkStart = "AT+CIPSTART=\"TCP\",\"127.0.0.1\",\"5000\"", smsText = "00480069002000164e2d";

// A window with only the GSM tab, its port list holding the pty and its fields filled in. It keeps
// every status message and the text of every message box ("box: ...") in `log`, and answers the
// dialogs: types `typed` into an input dialog and presses the next of `presses` (then "Cancel").
//
// It plays the modem too: echoes each command line, answers it from `script` and records it in
// `commands`. A line ends at "\r\n"; data after a "> " prompt ends at Ctrl-Z. A command not in
// the script gets "OK"; one scripted with an empty reply gets only its echo.
struct Rig : ConsoleRig
{
    QSocketNotifier notifier{pty.masterFd(), QSocketNotifier::Read};
    // clang-format off
    QHash<QByteArray, QByteArray> script{{"AT+CLIP?", "\r\n+CLIP: 1,1\r\n\r\nOK\r\n"}, {"AT+CALM?", "\r\n+CALM: 0\r\n\r\nOK\r\n"},
        {"AT+CMGF?", "\r\n+CMGF: 1\r\n\r\nOK\r\n"}, {"AT+CSQ", "\r\n+CSQ: 15,0\r\n\r\nOK\r\n"}, {"AT+CIPSEND", "\r\n> "},
        {"AT+CMGS=\"00310030003000380036\"", "\r\n> "}, {smsText, "\r\n+CMGS: 1\r\n\r\nOK\r\n"}, {"hello\r\n", "\r\nSEND OK\r\n"},
        {"AT+CMGR=3", "\r\n+CMGR: \"REC READ\",\"0031\",\"\",\"24/01/02\"\r\n0041\r\n\r\nOK\r\n"}, {linkStart, "\r\nOK\r\n\r\nCONNECT OK\r\n"}};
    // clang-format on
    QByteArray pending; // what is not a whole command yet
    Bytes commands;     // each command or data block, without its end
    bool echo = true, dataMode = false;
    QStringList log, presses;
    QString typed = "3";
    QStringList reactions;   // "<command> <ms> <step>", each used once, in turn
    qsizetype fromModem = 0; // bytes the tab's reader got
    // The modem's line: with a baud rate the replies leave a byte at a time at that rate (ten
    // bits a byte); the next reply to `splitCommand` stops after `splitAt` bytes for longer than a
    // poll, so the tab reads it in two pieces.
    int baud = 0;
    QByteArray splitCommand;
    qsizetype splitAt = -1;
    QList<QPair<qint64, char>> line; // bytes not sent yet, each with the time it is due (ns)
    QElapsedTimer lineClock;
    QTimer lineTimer;

    Rig() : ConsoleRig(QStringLiteral("GSM"))
    {
        ui->GSMportNameComboBox->setCurrentText(pty.slavePath());
        ui->GSMtextBrowser_1->setPlainText("7");
        ui->GSMNUMtextEdit->setPlainText("10086");
        ui->GSMtextBrowser->setPlainText(QString("Hi ") + QChar(0x16) + QChar(0x4E2D));
        ui->GSMTCPclientPortlineEdit->setText("5000");
        ui->GSMTcpsendBrowser->setPlainText("hello\n");
        QObject::connect(ui->statusBar, &QStatusBar::messageChanged, w.get(), [this](const QString& text) {
            if (!text.isEmpty())
                log << text;
        });
        QObject::connect(&notifier, &QSocketNotifier::activated, [this] { modemReads(); });
        answerDialogs();
        lineClock.start();
        lineTimer.setTimerType(Qt::PreciseTimer);
        lineTimer.setInterval(1);
        QObject::connect(&lineTimer, &QTimer::timeout, [this] { sendDue(); });
    }
    void transmit(const QByteArray& bytes, qsizetype pauseAfter)
    {
        if (baud == 0 && pauseAfter < 0) {
            pty.write(bytes);
            return;
        }
        const qint64 byteNs = baud ? 10'000'000'000LL / baud : 0;
        qint64 due = qMax(lineClock.nsecsElapsed(), line.isEmpty() ? 0 : line.last().first);
        for (qsizetype i = 0; i < bytes.size(); ++i) {
            if (i == pauseAfter)
                due += 110'000'000; // longer than the tab's pause between reads
            line.append({due += byteNs, bytes[i]});
        }
        lineTimer.start();
    }
    void sendDue()
    {
        QByteArray due;
        while (!line.isEmpty() && line.first().first <= lineClock.nsecsElapsed())
            due += line.takeFirst().second;
        pty.write(due);
        if (line.isEmpty())
            lineTimer.stop();
    }
    void modemReads()
    {
        char buf[4096];
        pending.append(buf, int(qMax<ssize_t>(::read(pty.masterFd(), buf, sizeof buf), 0)));
        for (;;) {
            const int line = pending.indexOf("\r\n"), data = pending.indexOf('\x1a');
            const bool isData = data >= 0 && (dataMode || line < 0 || data < line);
            if (!isData && (dataMode || line < 0))
                return;
            const QByteArray cmd = pending.left(isData ? data : line);
            pending.remove(0, cmd.size() + (isData ? 1 : 2));
            commands << cmd;
            if (!reactions.isEmpty() && reactions.first().section(' ', 0, 0).toLatin1() == cmd) {
                const QString r = reactions.takeFirst();
                QTimer::singleShot(r.section(' ', 1, 1).toInt(), w.get(),
                                   [this, r] { step(r.section(' ', 2)); });
            }
            const QByteArray reply = script.contains(cmd) ? script.value(cmd) : "\r\nOK\r\n";
            dataMode = !isData && reply.contains('>');
            // Only the first reply to the command is split; a redial's later ones come whole.
            transmit((isData || !echo ? QByteArray() : cmd + "\r") + reply,
                     cmd == splitCommand ? std::exchange(splitAt, -1) : -1);
        }
    }
    void answerDialogs()
    {
        answerModals<QDialog>(w.get(), [this](QDialog* modal) {
            if (auto* input = qobject_cast<QInputDialog*>(modal)) {
                input->setTextValue(typed);
                input->accept();
            } else if (auto* box = qobject_cast<QMessageBox*>(modal)) {
                log << "box: " + box->text();
                pressButton(box, presses.isEmpty() ? "Cancel" : presses.takeFirst());
            }
        });
    }
    void open()
    {
        commands.clear();
        log.clear();
        press(ui->GSMopencompushButton);
        QObject::connect(w->Serial_thread, &ThreadSerial::Serial_read_Data, w.get(),
                         [this](const QByteArray& data) { fromModem += data.size(); });
    }
    // All the tab showed, in order, then the SMS and link views and whether a call is up.
    QStringList shown() const
    {
        QStringList all = log;
        if (const QString sms = ui->GSMReadtextBrowser->toPlainText().remove('\r'); !sms.isEmpty())
            all << "sms view: " + sms;
        if (const QString link = ui->GSMTCPReadSBrowser->toPlainText(); !link.isEmpty())
            all << "link view: " + link;
        return w->GSM_inCall ? all << "in call" : all;
    }

    // One thing the user does: a button by its name, "keys <digits>" on the keypad, "type <text>"
    // for the next input dialog, or "press <button>" for the next message box.
    // "<bytes": the modem sends them (and, when the tab's reader is on, they reach it).
    // "on <command> <ms> <step>": the step comes that long after the modem gets the command.
    void step(const QString& what)
    {
        const QString arg = what.section(' ', 1);
        // clang-format off
        const QHash<QString, QAbstractButton*> buttons = {
            {"signal", ui->GSMTestSignalpushButton}, {"ringer", ui->GSMLaidianYingKaiguanpushButton},
            {"clip", ui->GSMLaidianKaiguanpushButton}, {"text-mode", ui->GSMDuanXinWenBenKaiguanpushButton},
            {"dial", ui->GSMbodianhuapushButton}, {"hangup", ui->GSMguadianhuapushButton}, {"clean", ui->GSMANJIANpushButton_Clean},
            {"sms-send", ui->GSMSendpushButton}, {"sms-read", ui->GSMReadTextpushButton}, {"sms-delete", ui->GSMDelTextpushButton},
            {"delete-all", ui->GSMDelALLTextpushButton}, {"gprs", ui->GSMTCPopencompushButton}, {"gprs-send", ui->GSMTCPsendmsgBtn},
            {"port", ui->GSMopencompushButton}, {"auto-redial", ui->GSM_AutoRedial}};
        // clang-format on
        if (what.startsWith('<')) {
            const qsizetype until = fromModem + what.size() - 1;
            const bool reading = w->Serial_thread && w->Serial_thread->readEnabled;
            pty.write(what.mid(1).toLatin1());
            (void)QTest::qWaitFor([&] { return !reading || fromModem >= until; });
        } else if (what.startsWith("on ")) {
            reactions << arg;
        } else if (what.startsWith("keys ")) {
            for (const QChar digit : arg)
                press(ui->gsmKeypad(digit.digitValue()));
        } else if (what.startsWith("type ")) {
            typed = arg;
        } else if (what.startsWith("press ")) {
            presses << arg;
        } else if (what == "no-echo") {
            echo = false;
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
        rig.script["AT+CLIP?"] = "\r\n+CLIP: 0,1\r\n\r\nOK\r\n";
        rig.script["AT+CMGF?"] = "\r\n+CMGF: 0\r\n\r\nOK\r\n";
        const auto image = [](const QIcon& icon) { return icon.pixmap(48, 24).toImage(); };
        QCOMPARE(image(rig.ui->GSMLaidianKaiguanpushButton->icon()), image(QIcon(":/images/unknown.png")));
        for (int round = 0; round < 2; ++round) {
            rig.open();
            QCOMPARE(rig.commands, (Bytes{"AT+CLIP?", "AT+CALM?", "AT+CMGF?", "AT+CSQ"}));
            QCOMPARE(rig.log, (QStringList{"Serial opened", "Initialization completed"}));
            QCOMPARE((QList<int>{rig.w->GSM_clipOn, rig.w->GSM_ringerOn, rig.w->GSM_smsTextMode}),
                     (QList<int>{0, 1, 0}));
            QCOMPARE(image(rig.ui->GSMLaidianKaiguanpushButton->icon()), image(QIcon(":images/off.png")));
            QCOMPARE(rig.ui->GSMCheckSigneltext->pixmap().toImage(), QPixmap(":images/sig75.png").toImage());

            // Each chunk reaches the reader once, also after a reopening.
            rig.w->GSM_rxBuffer.clear();
            rig.step("<\r\nRI");
            QCOMPARE(rig.w->GSM_rxBuffer, QByteArray("\r\nRI"));
            rig.step("<NG\r\n");
            QCOMPARE(rig.w->GSM_rxBuffer, QByteArray("\r\nRING\r\n"));

            rig.step("port");
            QVERIFY(!rig.w->Serial_isOpen && !rig.ui->GSMSendpushButton->isEnabled());
            rig.w->GSM_ringing = rig.w->GSM_ringSeen = false;
        }
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
        // clang-format off
        const QByteArray sms = "\r\n+CMTI: \"SM\",3\r\n", ring = "\r\nRING\r\n", ok = "\r\nOK\r\n";
        const QString newSms = "Have new SMS, SMS box:: 3", call = "Have a new call:", linked = "box: connection succeeded";
        const QString ended = "call ended", error = "box: Error", sent = "SMS sent successfully", failed = "SMS sent failed";
        const QString confirm = "box: Confirm delete all text messages?", deleted = "box: Successfully deleted";
        const QString carrier = "\r\nNO CARRIER\r\n", harassment = "box: For academic research only. Prohibiting telephone harassment!";
        const Bytes smsSend{"AT+CSMP=17,167,2,25", "AT+CSCS=\"UCS2\"", "AT+CMGS=\"00310030003000380036\"", smsText};
        const Bytes gprs{"AT+CGCLASS=\"B\"", "AT+CGDCONT=1,\"IP\",\"CMNET\"", "AT+CGATT=1", "AT+CIPCSGP=1,\"CMNET\"", "AT+CLPORT=\"TCP\",\"2222\"", linkStart};
        const Bytes pduDeleteAll{"AT+CMGF=0", "AT+CMGF=1", "AT+CMGDA=DEL ALL", "AT+CMGF=0"}, three{"ATD7;", "ATD7;", "ATD7;"};
        using L = QStringList;
        QTest::newRow("signal-sms") << Bytes{"AT+CSQ", sms + "\r\n+CSQ: 20,0\r\n" + ok} << L{"signal"} << Bytes{"AT+CSQ"} << L{newSms};
        QTest::newRow("notice-ends-after-reply") << Bytes{"AT+CSQ", "\r\n+CSQ: 20,0\r\n" + ok + "\r\n+CMTI: \"SM\","} << L{"signal", "<3\r\n"} << Bytes{"AT+CSQ"} << L{newSms};
        QTest::newRow("ringer-ring-caller-one-read") << Bytes{"AT+CALM=1", ring + "+CLIP: \"10086\",129,\"\",0,\"\",0\r\n" + ok} << L{"ringer"} << Bytes{"AT+CALM=1"} << L{call, call + "10086"};
        // Reopened on a modem that refuses the queries and does not answer the ringer switch.
        QTest::newRow("ring-caller-short-form") << Bytes{} << L{"<" + ring, "<\r\n+CLIP: \"+8613800138000\",145\r\n"} << Bytes{} << L{call, call + "+8613800138000"};
        QTest::newRow("refusing-or-silent-modem") << Bytes{"AT+CLIP?", "\r\nERROR\r\n", "AT+CALM?", "\r\nERROR\r\n", "AT+CMGF?", "\r\nERROR\r\n", "AT+CALM=1", ""}
            << L{"port", "port", "ringer"} << Bytes{"AT+CLIP?", "AT+CALM?", "AT+CMGF?", "AT+CSQ", "AT+CALM=1"} << L{"Serial closed", "Serial opened", "No response from the modem", "box: No response"};
        QTest::newRow("switches-follow-replies") << Bytes{} << L{"clip", "clip", "text-mode", "text-mode", "ringer"}
            << Bytes{"AT+CLIP=0", "AT+CLIP=1", "AT+CMGF=0", "AT+CMGF=1", "AT+CSCS=\"UCS2\"", "AT+CALM=1"} << L{};
        QTest::newRow("dial-busy") << Bytes{"ATD7;", ok + "\r\nBUSY\r\n"} << L{"dial"} << Bytes{"ATD7;"} << L{"Calling...", "busy"};
        QTest::newRow("dial-echo-and-error-one-read") << Bytes{"ATD7;", "\r\nERROR\r\n"} << L{"dial"} << Bytes{"ATD7;"} << L{error};
        QTest::newRow("redial-refused") << Bytes{"ATD7;", "\r\n+CME ERROR: 30\r\n"} << L{"auto-redial", "dial"} << Bytes{"ATD7;"} << L{error};
        QTest::newRow("answer-sms") << Bytes{"ATA", sms + ok} << L{"<" + ring, "dial"} << Bytes{"ATA"} << L{call, "Calling...", newSms, "in call"};
        QTest::newRow("hangup-ring") << Bytes{"ATH", ring + ok} << L{"hangup"} << Bytes{"ATH"} << L{ended, call};
        // The number from the keypad; no tones outside a call; a rejected call does not hide the next.
        QTest::newRow("keypad-dial-reject-ring") << Bytes{} << L{"clean", "keys 10086", "dial", "<\r\nNO CARRIER\r\n", "clean", "dial", "<" + ring, "hangup", "<" + ring}
            << Bytes{"ATD10086;", "ATH"} << L{"Already cleared", "Calling...", ended, "Already cleared", "box: Error number", call, ended, call};
        QTest::newRow("sms-send-ucs2") << Bytes{} << L{"sms-send"} << smsSend << L{sent};
        QTest::newRow("sms-send-call-ended") << Bytes{smsText, "\r\n+CMGS: 1\r\n\r\nNO CARRIER\r\n" + ok} << L{"sms-send"} << smsSend << L{sent, ended};
        QTest::newRow("sms-number-refused") << Bytes{smsSend[2], "\r\n+CMS ERROR: 304\r\n"} << L{"sms-send"} << smsSend.first(3) << L{failed};
        QTest::newRow("sms-send-refused") << Bytes{smsText, "\r\n+CMS ERROR: 500\r\n"} << L{"sms-send"} << smsSend << L{failed};
        QTest::newRow("sms-read") << Bytes{} << L{"sms-read"} << Bytes{"AT+CMGR=3"} << L{"sms view: Sender:1\nTime:24/01/02\nA"};
        QTest::newRow("sms-read-sms-in-message") << Bytes{"AT+CMGR=3", "\r\n+CMGR: \"REC READ\",\"0031\",\"\",\"24\"" + sms + "0041\r\n" + ok} << L{"sms-read"} << Bytes{"AT+CMGR=3"} << L{newSms, "sms view: Sender:1\nTime:24\nA"};
        QTest::newRow("sms-read-stored-raw") << Bytes{"AT+CMGR=4", "\r\n+CMGR: \"STO UNSENT\",\"0031\",\"\"\r\n0041\r\n" + ok} << L{"type 4", "sms-read"} << Bytes{"AT+CMGR=4"}
            << L{"sms view: AT+CMGR=4\n\n+CMGR: \"STO UNSENT\",\"0031\",\"\"\n0041\n\nOK\n"};
        QTest::newRow("sms-read-error") << Bytes{"AT+CMGR=9", "\r\n+CMS ERROR: 321\r\n\r\nERROR\r\n"} << L{"type 9", "sms-read"} << Bytes{"AT+CMGR=9"} << L{error};
        QTest::newRow("sms-read-not-a-number") << Bytes{} << L{"type 1\r\nATD1;", "sms-read"} << Bytes{} << L{"box: Error message box number"};
        QTest::newRow("sms-delete-busy") << Bytes{"AT+CMGD=3,0", "\r\nBUSY\r\n" + ok} << L{"sms-delete"} << Bytes{"AT+CMGD=3,0"} << L{deleted, "busy"};
        // In PDU mode the mode is switched around; that switch's "OK" alone is no success.
        QTest::newRow("delete-all-pdu-mode") << Bytes{} << L{"text-mode", "press Yes", "delete-all"} << pduDeleteAll << L{confirm, deleted};
        QTest::newRow("delete-all-refused") << Bytes{"AT+CMGDA=DEL ALL", "\r\nERROR\r\n"} << L{"text-mode", "press Yes", "delete-all"} << pduDeleteAll << L{confirm};
        QTest::newRow("gprs-connect-ring") << Bytes{linkStart, ok + ring + "\r\nCONNECT OK\r\n"} << L{"gprs"} << gprs << L{linked, call};
        QTest::newRow("gprs-connect-fail") << Bytes{linkStart, ok + "\r\nCONNECT FAIL\r\n"} << L{"gprs"} << gprs << L{error};
        QTest::newRow("gprs-send-fail") << Bytes{"hello\r\n", "\r\nSEND FAIL\r\n"} << L{"gprs", "gprs-send"} << gprs + Bytes{"AT+CIPSEND", "hello\r\n"} << L{linked, error};
        // Link text, a GBK character split between reads, the modem's noise dropped whole; a line
        // end goes out as "\r\n"; once the link is closed its text no longer reaches its view.
        QTest::newRow("gprs-link") << Bytes{} << L{"gprs", QString::fromLatin1("<from server \xc4"), QString::fromLatin1("<\xe3"), "<+WARNNING: low power\r\n", "gprs-send", "gprs", "<late"}
            << gprs + Bytes{"AT+CIPSEND", "hello\r\n", "AT+CIPCLOSE=1", "AT+CIPSHUT"} << L{linked, "link view: from server \u4f60"};
        // Auto-redial dials again after each failed attempt, up to three dials, however late the
        // modem reports the failure, and never after the hang-up.
        QTest::newRow("redial-fails-at-once") << Bytes{"ATD7;", "\r\nNO CARRIER\r\n"} << L{"auto-redial", "dial"} << three << L{"Calling...", "Stop", harassment};
        QTest::newRow("redial-silent-modem-fails-late") << Bytes{"ATD7;", ""} << L{"no-echo", "on ATD7; 1200 <" + carrier, "on ATD7; 0 <" + carrier, "on ATD7; 0 <" + carrier, "auto-redial", "dial"} << three << L{"Stop", harassment};
        QTest::newRow("redial-answered-then-hung-up") << Bytes{} << L{"on ATD7; 300 hangup", "auto-redial", "dial"} << Bytes{"ATD7;", "ATH"} << L{"Calling...", ended};
        // Closing the port during a wait ends the action at once.
        QTest::newRow("close-during-wait") << Bytes{smsText, ""} << L{"on " + smsText + " 100 port", "sms-send"} << smsSend << L{"Serial closed"};
        // clang-format on
    }

    void scenarios()
    {
        QFETCH(Bytes, script);
        QFETCH(QStringList, steps);
        Rig rig;
        rig.open();
        rig.commands.clear();
        rig.log.clear();
        for (int i = 0; i + 1 < script.size(); i += 2)
            rig.script[script[i]] = script[i + 1];
        QElapsedTimer clock;
        clock.start();
        for (const QString& step : steps)
            rig.step(step);
        QVERIFY(clock.elapsed() < 4000);
        QFETCH(Bytes, sent);
        QTRY_COMPARE(rig.commands, sent);
        QFETCH(QStringList, shown);
        QTRY_COMPARE(rig.shown(), shown);

        // Only a call the modem took is up: the keypad sends tones into nothing else.
        const bool inCall = rig.w->GSM_inCall;
        press(rig.ui->GSMANJIANpushButton_5);
        press(rig.ui->GSMLaidianKaiguanpushButton); // a command after the tone, if any
        QCOMPARE(rig.commands.contains("AT+VTS=5"), inCall);
    }

    // Replies at a real line rate, each split in two reads at every byte boundary in turn: the
    // tab shows what it shows for the reply in one piece. `before` runs first; the reply to the
    // command of `action` is the one split; `after` follows the action.
    void repliesAtLineTiming_data()
    {
        QTest::addColumn<int>("baud");
        QTest::addColumn<Bytes>("script");
        QTest::addColumn<QStringList>("before");
        QTest::addColumn<QString>("action");
        QTest::addColumn<QByteArray>("command");
        QTest::addColumn<QStringList>("after");
        QTest::addColumn<QStringList>("shown");
        QTest::addColumn<QString>("picture");
        // clang-format off
        const QByteArray ringCaller = "\r\nRING\r\n\r\n+CLIP: \"+4930123\",145,\"\",0,\"\",0\r\n", ok = "\r\nOK\r\n";
        const QString call = "Have a new call:", harassment = "box: For academic research only. Prohibiting telephone harassment!";
        const QString newRing = "<\r\nRING\r\n", sig75 = ":images/sig75.png";
        using L = QStringList;
        for (const int baud : {2400, 9600}) {
            const auto row = [baud](const char* name) -> QTestData& { return QTest::addRow("%s-%d", name, baud); };
            // The modem repeats the ring it sent before it saw the answer or the hang-up.
            row("answer-crossed-by-ring") << baud << Bytes{"ATA", ringCaller + ok} << L{"<" + ringCaller} << "dial" << QByteArray("ATA")
                << L{newRing} << L{call, call + "+4930123", "Calling...", call, "in call"} << QString();
            row("reject-crossed-by-ring") << baud << Bytes{"ATH", ringCaller + ok} << L{"<" + ringCaller} << "hangup" << QByteArray("ATH")
                << L{newRing} << L{call, call + "+4930123", "call ended", call} << QString();
            row("redial-no-carrier") << baud << Bytes{"ATD7;", "\r\nNO CARRIER\r\n"} << L{"auto-redial"} << "dial" << QByteArray("ATD7;")
                << L{} << L{"Calling...", "Stop", harassment} << QString();
            row("redial-busy") << baud << Bytes{"ATD7;", "\r\nBUSY\r\n"} << L{"auto-redial"} << "dial" << QByteArray("ATD7;")
                << L{} << L{"Calling...", "Stop", harassment} << QString();
            row("signal") << baud << Bytes{} << L{} << "signal" << QByteArray("AT+CSQ") << L{} << L{} << sig75;
            row("dial-no-answer") << baud << Bytes{"ATD7;", "\r\nNO ANSWER\r\n"} << L{} << "dial" << QByteArray("ATD7;")
                << L{} << L{"Calling...", "call ended"} << QString();
            row("dial-no-dialtone") << baud << Bytes{"ATD7;", "\r\nNO DIALTONE\r\n"} << L{} << "dial" << QByteArray("ATD7;")
                << L{} << L{"Calling...", "call ended"} << QString();
            // The notice began while the reader was on; the modem finishes it before it answers.
            row("sms-notice-begun-idle") << baud << Bytes{"AT+CSQ", ",7\r\n\r\n+CSQ: 15,0\r\n" + ok} << L{"no-echo", "<\r\n+CMTI: \"SM\""}
                << "signal" << QByteArray("AT+CSQ") << L{} << L{"Have new SMS, SMS box:: 7"} << sig75;
        }
        // clang-format on
    }

    void repliesAtLineTiming()
    {
        QFETCH(int, baud);
        QFETCH(Bytes, script);
        QFETCH(QStringList, before);
        QFETCH(QString, action);
        QFETCH(QByteArray, command);
        QFETCH(QStringList, after);
        QFETCH(QStringList, shown);
        QFETCH(QString, picture);
        Rig rig;
        rig.open();
        for (int i = 0; i + 1 < script.size(); i += 2)
            rig.script[script[i]] = script[i + 1];
        const QByteArray whole = (before.contains("no-echo") ? QByteArray() : command + "\r") +
                                 rig.script.value(command, "\r\nOK\r\n");
        rig.baud = baud;
        rig.splitCommand = command;
        // A redial loop that missed the failures would run on: unticked after a bound.
        QTimer redialBound;
        redialBound.setSingleShot(true);
        QObject::connect(&redialBound, &QTimer::timeout, rig.w.get(),
                         [&] { rig.ui->GSM_AutoRedial->setChecked(false); });
        for (qsizetype at = 1; at < whole.size(); ++at) {
            rig.w->GSM_ringing = rig.w->GSM_inCall = rig.w->GSM_ringSeen = rig.w->GSM_clipSeen = false;
            rig.w->GSM_rxBuffer.clear();
            rig.ui->GSMCheckSigneltext->clear();
            rig.ui->statusBar->clearMessage(); // a text shown again must show as new
            rig.echo = true;
            rig.splitAt = at;
            rig.log.clear();
            for (const QString& step : before)
                rig.step(step);
            redialBound.start(6000);
            rig.step(action);
            redialBound.stop();
            QVERIFY(QTest::qWaitFor([&] { return rig.line.isEmpty(); }, 3000));
            for (const QString& step : after)
                rig.step(step);
            const QString where = QStringLiteral("split after %1 bytes of %2").arg(at).arg(whole.size());
            QVERIFY2(QTest::qWaitFor([&] { return rig.shown() == shown; }, 2000),
                     qPrintable(where + ": " + rig.shown().join(" | ")));
            if (!picture.isEmpty())
                QVERIFY2(rig.ui->GSMCheckSigneltext->pixmap().toImage() == QPixmap(picture).toImage(),
                         qPrintable(where));
        }
    }

    // The SMS text, '|' marking the cursor, before and after typing (or pasting) into it.
    void messageLengthGuard_data()
    {
        QTest::addColumn<QString>("before");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("after");
        const QString a80(80, 'a'), b80(80, 'b');
        QTest::newRow("typing-past-limit") << QString(158, 'a') + "|"
                                           << "xyz" << QString(158, 'a') + "xy|";
        QTest::newRow("paste-at-start-of-full") << "|" + a80 + b80 << "paste XYZ"
                                                << "|" + a80 + b80;
        QTest::newRow("typing-in-middle-of-full") << a80 + "|" + b80 << "Q" << a80 + "|" + b80;
    }

    void messageLengthGuard()
    {
        QFETCH(QString, before);
        QFETCH(QString, typed);
        Rig rig;
        rig.w->GSMUI_EnDisable(true);
        QTextEdit* edit = rig.ui->GSMtextBrowser;
        edit->setPlainText(QString(before).remove('|'));
        QTextCursor c = edit->textCursor();
        c.setPosition(int(before.indexOf('|')));
        edit->setTextCursor(c);
        if (typed.startsWith("paste "))
            edit->insertPlainText(typed.mid(6));
        else
            QTest::keyClicks(edit, typed);
        QTEST(edit->toPlainText().insert(edit->textCursor().position(), '|'), "after");
    }
};

QTEST_MAIN(TestGsmTab)
#include "tst_gsmtab.moc"

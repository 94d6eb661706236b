// The "GSM Debug" tab against a modem played on a pseudo-terminal.
#include <QElapsedTimer>
#include <QSignalSpy>

#include "tests/gsm/gsmrig.h"

using namespace gsmtest;
using Bytes = QList<QByteArray>;

namespace {

// Runs one of the tab's actions by name, as the user starts it.
void run(Rig& rig, const QString& action)
{
    Ui_MainWindow* ui = rig.ui;
    ui->GSMtextBrowser_1->setPlainText("7");
    ui->GSMNUMtextEdit->setPlainText("1");
    ui->GSMtextBrowser->setPlainText("A");
    ui->GSMTCPclientPortlineEdit->setText("5000");
    ui->GSMTcpsendBrowser->setPlainText("hi");
    rig.w->GSM_ringerOn = 1;
    rig.w->GSM_ringing = action == "answer";
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

} // namespace

class TestGsmTab : public QObject
{
    Q_OBJECT
private slots:
    void openAsksModemThenAttachesReaderOnce()
    {
        Rig rig;
        QVERIFY(!rig.ui->GSMSendpushButton->isEnabled());
        for (int round = 0; round < 2; ++round) {
            rig.open();
            QCOMPARE(rig.modem.commands, (Bytes{"AT+CLIP?", "AT+CALM?", "AT+CMGF?", "AT+CSQ"}));
            QCOMPARE(rig.status(), QStringLiteral("Initialization completed"));
            QCOMPARE((QList<int>{rig.w->GSM_clipOn, rig.w->GSM_ringerOn, rig.w->GSM_smsTextMode}),
                     (QList<int>{1, 1, 1}));
            QVERIFY(iconIs(rig.ui->GSMLaidianKaiguanpushButton, ":images/on.png"));
            QVERIFY(signalShows(rig.ui->GSMCheckSigneltext, ":images/sig75.png"));
            QCOMPARE(rig.ui->GSMopencompushButton->styleSheet(), QString::fromLatin1(Styles::activeButton));
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
        Rig rig(true);
        for (const char* c : {"AT+CLIP?", "AT+CALM?", "AT+CMGF?"})
            rig.modem.answer(c, "\r\nERROR\r\n");
        rig.open();
        QCOMPARE(rig.status(), QStringLiteral("No response from the modem"));
        QVERIFY(rig.ui->GSMopencompushButton->isEnabled() && rig.ui->GSMTestSignalpushButton->isEnabled());
        for (int t = 0; t < MainWindow::serialTabCount; ++t) // the port stays held: other tabs locked
            QCOMPARE(rig.w->Serial_tabControls(MainWindow::SerialTab(t)).openButton->isEnabled(),
                     t == int(MainWindow::SerialTab::Gsm));
        QVERIFY(iconIs(rig.ui->GSMLaidianKaiguanpushButton, ":/images/unknown.png") && // state not known
                rig.ui->GSMCheckSigneltext->pixmap().isNull());

        // Switching caller display off without an answer shows nothing; the ringer says so.
        rig.w->GSM_clipOn = rig.w->GSM_ringerOn = 1;
        ModalScript boxes({"Cancel"});
        press(rig.ui->GSMLaidianKaiguanpushButton);
        press(rig.ui->GSMLaidianYingKaiguanpushButton);
        QCOMPARE(boxes.seen, QStringList{"Info|No response"});
        QCOMPARE((QList<int>{rig.w->GSM_clipOn, rig.w->GSM_ringerOn}), (QList<int>{1, 1}));

        rig.modem.answerEverything(); // the modem wakes up: the tab still works
        press(rig.ui->GSMTestSignalpushButton);
        QVERIFY(signalShows(rig.ui->GSMCheckSigneltext, ":images/sig75.png"));
    }

    void switchesFollowModemReplies()
    {
        Rig rig;
        rig.modem.answer("AT+CLIP?", "\r\n+CLIP: 0,1\r\n\r\nOK\r\n");
        rig.modem.answer("AT+CMGF?", "\r\n+CMGF: 0\r\n\r\nOK\r\n");
        rig.open();
        QCOMPARE((QList<int>{rig.w->GSM_clipOn, rig.w->GSM_smsTextMode}), (QList<int>{0, 0}));
        QVERIFY(iconIs(rig.ui->GSMLaidianKaiguanpushButton, ":images/off.png"));
        rig.modem.commands.clear();
        press(rig.ui->GSMLaidianKaiguanpushButton);
        press(rig.ui->GSMDuanXinWenBenKaiguanpushButton);
        press(rig.ui->GSMLaidianYingKaiguanpushButton);
        QCOMPARE(rig.modem.commands, (Bytes{"AT+CLIP=1", "AT+CMGF=1", "AT+CSCS=\"UCS2\"", "AT+CALM=1"}));
        QCOMPARE((QList<int>{rig.w->GSM_clipOn, rig.w->GSM_smsTextMode, rig.w->GSM_ringerOn}),
                 (QList<int>{1, 1, 0}));
        QVERIFY(iconIs(rig.ui->GSMLaidianYingKaiguanpushButton, ":images/off.png"));
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
        const QString newSms = "Have new SMS, SMS box:: 3", call = "Have a new call:", error = "Info|Error";
        const QString readBox = "SMS|Please enter the number of the SMS box you need to read.";
        const QString deleteBox = "Info|Please enter the number of the SMS box to be deleted.";
        const QString linked = "Info|connection succeeded";
        // clang-format off
        QTest::newRow("signal-sms") << "signal" << QByteArray("AT+CSQ") << sms + "\r\n+CSQ: 20,0\r\n" + ok << QStringList() << QStringList{newSms};
        QTest::newRow("switch-ring-caller-one-read") << "switch" << QByteArray("AT+CALM=1") << ring + "+CLIP: \"10086\",129,\"\",0,\"\",0\r\n" + ok << QStringList() << QStringList{call, call + "10086"};
        QTest::newRow("dial-busy") << "dial" << QByteArray("ATD7;") << ok + "\r\nBUSY\r\n" << QStringList() << QStringList{"Calling...", "busy"};
        QTest::newRow("answer-sms") << "answer" << QByteArray("ATA") << sms + ok << QStringList() << QStringList{"Calling...", newSms};
        QTest::newRow("hangup-ring") << "hangup" << QByteArray("ATH") << ring + ok << QStringList() << QStringList{"call ended", call};
        QTest::newRow("sms-send-call-ended") << "sms-send" << QByteArray("0041") << "\r\n+CMGS: 1\r\n\r\nNO CARRIER\r\n" + ok << QStringList() << QStringList{"SMS sent successfully", "call ended"};
        QTest::newRow("sms-read-sms-in-message") << "sms-read" << QByteArray("AT+CMGR=3") << "\r\n+CMGR: \"REC READ\",\"0031\",\"\",\"24\"" + sms + "0041\r\n" + ok << QStringList{readBox} << QStringList{newSms};
        QTest::newRow("sms-delete-busy") << "sms-delete" << QByteArray("AT+CMGD=3,0") << "\r\nBUSY\r\n" + ok << QStringList{deleteBox, "Info|Successfully deleted"} << QStringList{"busy"};
        QTest::newRow("gprs-connect-ring") << "gprs-connect" << linkStart << ok + ring + "\r\nCONNECT OK\r\n" << QStringList{linked} << QStringList{call};
        QTest::newRow("notice-ends-after-reply") << "signal" << QByteArray("AT+CSQ") << "\r\n+CSQ: 20,0\r\n" + ok + "\r\n+CMTI: \"SM\",|3\r\n" << QStringList() << QStringList{newSms};
        QTest::newRow("dial-echo-and-error-one-read") << "dial" << QByteArray("ATD7;") << QByteArray("\r\nERROR\r\n") << QStringList{error} << QStringList();
        QTest::newRow("redial-refused") << "redial" << QByteArray("ATD7;") << QByteArray("\r\n+CME ERROR: 30\r\n") << QStringList{error} << QStringList();
        QTest::newRow("sms-number-refused") << "sms-send" << QByteArray("AT+CMGS=\"0031\"") << QByteArray("\r\n+CMS ERROR: 304\r\n") << QStringList() << QStringList{"SMS sent failed"};
        QTest::newRow("sms-send-refused") << "sms-send" << QByteArray("0041") << QByteArray("\r\n+CMS ERROR: 500\r\n") << QStringList() << QStringList{"SMS sent failed"};
        QTest::newRow("gprs-connect-fail") << "gprs-connect" << linkStart << ok + "\r\nCONNECT FAIL\r\n" << QStringList{error} << QStringList();
        QTest::newRow("gprs-send-fail") << "gprs-send" << QByteArray("hi") << QByteArray("\r\nSEND FAIL\r\n") << QStringList{linked, error} << QStringList();
        // clang-format on
    }

    void transactions()
    {
        QFETCH(QString, action);
        QFETCH(QByteArray, reply);
        QFETCH(QStringList, boxes);
        Rig rig;
        rig.open();
        QFETCH(QByteArray, command);
        rig.modem.answer(command, reply.split('|').first());
        QStringList shown;
        QObject::connect(rig.ui->statusBar, &QStatusBar::messageChanged, rig.w.get(),
                         [&](const QString& text) {
                             if (!text.isEmpty())
                                 shown << text;
                         });
        QStringList answers;
        for (const QString& box : boxes)
            answers << (box.contains("Please enter") ? "3" : "Cancel");
        ModalScript script(answers);
        QElapsedTimer clock;
        clock.start();
        run(rig, action);
        QVERIFY(clock.elapsed() < 4000);
        if (reply.contains('|'))
            rig.modem.send(reply.mid(reply.indexOf('|') + 1));
        QFETCH(QStringList, statuses);
        QTRY_COMPARE(shown, statuses);
        QCOMPARE(script.seen, boxes);

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
        rig.modem.answer("ATD10086;", "\r\nOK\r\n");
        rig.modem.commands.clear();
        for (QPushButton* key :
             {rig.ui->GSMANJIANpushButton_1, rig.ui->GSMANJIANpushButton_0, rig.ui->GSMANJIANpushButton_0,
              rig.ui->GSMANJIANpushButton_8, rig.ui->GSMANJIANpushButton_6, rig.ui->GSMbodianhuapushButton})
            press(key);
        QCOMPARE(rig.modem.commands, Bytes{"ATD10086;"}); // no tones outside a call
        QVERIFY(rig.modem.received.contains("ATD10086;\r\n"));
        rig.modem.send("\r\nNO CARRIER\r\n");
        QTRY_COMPARE(rig.status(), QStringLiteral("call ended"));
        QVERIFY(!rig.w->GSM_inCall);

        press(rig.ui->GSMANJIANpushButton_Clean);
        ModalScript boxes({"Cancel"});
        press(rig.ui->GSMbodianhuapushButton);
        QCOMPARE(boxes.seen, QStringList{"Info: |Error number"});

        // A ringing call rejected with the hang-up: the next call still rings through.
        rig.modem.send("\r\nRING\r\n");
        QTRY_COMPARE(rig.ui->GSMbodianhuapushButton->text(), QStringLiteral("Answer call"));
        press(rig.ui->GSMguadianhuapushButton);
        QCOMPARE(rig.status(), QStringLiteral("call ended"));
        rig.modem.send("\r\nRING\r\n");
        QTRY_COMPARE(rig.status(), QStringLiteral("Have a new call:"));
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
        QTest::newRow("silent-modem-fails-late") << false << 1200 << three << "Stop";
        QTest::newRow("answered-then-hung-up") << true << -1 << Bytes{"ATD7;", "ATH"} << "call ended";
    }

    void autoRedial()
    {
        QFETCH(int, failAfterMs);
        Rig rig;
        rig.open();
        QFETCH(bool, echo);
        rig.modem.echo = echo;
        if (failAfterMs >= 0)
            rig.modem.answer("ATD7;", {});
        rig.modem.onCommand = [&](const QByteArray& c) {
            if (c == "ATD7;" && failAfterMs >= 0)
                QTimer::singleShot(failAfterMs, rig.w.get(), [&] { rig.modem.send("\r\nNO CARRIER\r\n"); });
            if (c == "ATD7;" && failAfterMs < 0)
                QTimer::singleShot(300, rig.w.get(), [&] { press(rig.ui->GSMguadianhuapushButton); });
        };
        rig.modem.commands.clear();
        ModalScript boxes({"Cancel"});
        run(rig, "redial");
        QTEST(rig.modem.commands, "sent");
        QTEST(rig.status(), "status");
        QCOMPARE(boxes.seen.size(), failAfterMs < 0 ? 0 : 1);
        QVERIFY(!rig.ui->GSM_AutoRedial->isChecked() && !rig.w->GSM_inCall);
    }

    void smsSentInUcs2()
    {
        Rig rig;
        rig.open();
        rig.modem.answer("AT+CMGS=\"00310030003000380036\"", "\r\n> ");
        rig.modem.answer("00480069002000164e2d", "\r\n+CMGS: 12\r\n\r\nOK\r\n");
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
        QTest::newRow("modem-error") << "9" << QByteArray("\r\n+CMS ERROR: 321\r\n\r\nERROR\r\n") << "" << QStringList{"Info|Error"};
        // Nothing malformed reaches the modem.
        QTest::newRow("not-a-number") << "1\r\nATD1;" << QByteArray() << "" << QStringList{"Info|Error message box number"};
        // clang-format on
    }

    void smsRead()
    {
        QFETCH(QString, box);
        QFETCH(QByteArray, reply);
        Rig rig;
        rig.open();
        if (!reply.isEmpty())
            rig.modem.answer("AT+CMGR=" + box.toLatin1(), reply);
        rig.modem.commands.clear();
        ModalScript script({box, "Cancel"});
        press(rig.ui->GSMReadTextpushButton);
        QFETCH(QStringList, boxes);
        QCOMPARE(script.seen,
                 QStringList{"SMS|Please enter the number of the SMS box you need to read."} + boxes);
        QTEST(rig.ui->GSMReadtextBrowser->toPlainText().remove('\r'), "shown");
        QCOMPARE(rig.modem.commands.isEmpty(), box.contains('\n'));
    }

    void deleteAllInPduModeSwitchesModeAround()
    {
        Rig rig;
        rig.modem.answer("AT+CMGF?", "\r\n+CMGF: 0\r\n\r\nOK\r\n");
        rig.open();
        rig.modem.commands.clear();
        ModalScript script({"Yes", "Cancel"});
        press(rig.ui->GSMDelALLTextpushButton);
        QTRY_COMPARE(rig.modem.commands, (Bytes{"AT+CMGF=1", "AT+CMGDA=DEL ALL", "AT+CMGF=0"}));
        QCOMPARE(script.seen,
                 (QStringList{"Info|Confirm delete all text messages?", "Info|Successfully deleted"}));

        // Refused: the mode switch's "OK" alone is no success.
        rig.modem.answer("AT+CMGDA=DEL ALL", "\r\nERROR\r\n");
        ModalScript refused({"Yes", "Cancel"});
        press(rig.ui->GSMDelALLTextpushButton);
        QCOMPARE(refused.seen, QStringList{"Info|Confirm delete all text messages?"});
    }

    void gprsLink()
    {
        Rig rig;
        rig.open();
        rig.modem.commands.clear();
        rig.ui->GSMTCPclientPortlineEdit->clear();
        ModalScript empty({"Cancel"});
        press(rig.ui->GSMTCPopencompushButton);
        QCOMPARE(empty.seen, QStringList{"Info|Please fill in the full server IP and PORT"});
        ModalScript opened({"Cancel"});
        run(rig, "gprs-connect");
        QCOMPARE(rig.modem.commands.size(), 6); // nothing went out for the refused press
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

        rig.modem.answer("hello\r\n", "\r\nSEND OK\r\n");
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
        rig.modem.answer("0041", {});
        rig.modem.onCommand = [&](const QByteArray& c) {
            if (c == "0041")
                QTimer::singleShot(100, rig.w.get(), [&] { press(rig.ui->GSMopencompushButton); });
        };
        QElapsedTimer clock;
        clock.start();
        run(rig, "sms-send");
        QVERIFY(clock.elapsed() < 2500); // not the 5.1 s wait for the send result
        QVERIFY(!rig.w->Serial_isOpen && !rig.w->Serial_thread);
        QCOMPARE(rig.status(), QStringLiteral("Serial closed"));
    }

    void messageLengthGuard_data()
    {
        QTest::addColumn<QString>("before");
        QTest::addColumn<int>("cursorAt");
        QTest::addColumn<QString>("typed");
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
        QFETCH(int, cursorAt);
        QFETCH(QString, typed);
        Rig rig;
        rig.w->GSMUI_EnDisable(true);
        QTextEdit* edit = rig.ui->GSMtextBrowser;
        QFETCH(QString, before);
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

// The "GSM Debug" tab against a modem played on a pseudo-terminal: opening, switches and the GPRS link.
#include <QElapsedTimer>

#include "tests/gsm/gsmrig.h"

using namespace gsmtest;

class TestGsmConsole : public QObject
{
    Q_OBJECT
private slots:
    void openAsksModemThenAttachesReaderOnce()
    {
        Rig rig;
        QVERIFY(!rig.ui->GSMSendpushButton->isEnabled());
        for (int round = 0; round < 2; ++round) {
            rig.open();
            QVERIFY(rig.w->Serial_isOpen);
            QCOMPARE(rig.modem.commands, (QList<QByteArray>{"AT+CLIP?", "AT+CALM?", "AT+CMGF?", "AT+CSQ"}));
            QCOMPARE(rig.status(), QStringLiteral("Initialization completed"));
            QCOMPARE(QList<int>({rig.w->GSM_clipOn, rig.w->GSM_ringerOn, rig.w->GSM_smsTextMode}),
                     QList<int>({1, 1, 1}));
            QVERIFY(iconIs(rig.ui->GSMLaidianKaiguanpushButton, ":images/on.png"));
            QVERIFY(iconIs(rig.ui->GSMDuanXinWenBenKaiguanpushButton, ":images/on.png"));
            QVERIFY(signalShows(rig.ui->GSMCheckSigneltext, ":images/sig75.png"));
            QCOMPARE(rig.ui->GSMopencompushButton->text(), QStringLiteral("Close"));
            QCOMPARE(rig.ui->GSMopencompushButton->styleSheet(), QString::fromLatin1(Styles::activeButton));
            QVERIFY(rig.ui->GSMSendpushButton->isEnabled());

            // Each chunk reaches the reader once, also after a reopening.
            rig.w->GSM_rxBuffer.clear();
            rig.modem.send("\r\nRI");
            QTRY_COMPARE(rig.w->GSM_rxBuffer, QByteArray("\r\nRI"));
            QTest::qWait(50);
            QCOMPARE(rig.w->GSM_rxBuffer, QByteArray("\r\nRI"));
            rig.modem.send("NG\r\n");
            QTRY_COMPARE(rig.status(), QStringLiteral("Have a new call:"));
            QCOMPARE(rig.ui->GSMbodianhuapushButton->text(), QStringLiteral("Answer call"));

            press(rig.ui->GSMopencompushButton);
            QVERIFY(!rig.w->Serial_isOpen);
            QCOMPARE(rig.status(), QStringLiteral("Serial closed"));
            QVERIFY(!rig.ui->GSMSendpushButton->isEnabled() && !rig.ui->GSMANJIANpushButton_5->isEnabled());
            rig.w->GSM_ringing = rig.w->GSM_ringSeen = false;
        }
    }

    void silentModemLeavesTabUsable()
    {
        Rig rig(true);
        QElapsedTimer clock;
        clock.start();
        rig.open();
        // Three questions of 11 polls (5.5 s, 1.1 s, 5.5 s) and the signal check (1.1 s).
        QVERIFY(clock.elapsed() >= 13000 && clock.elapsed() < 16000);
        QCOMPARE(rig.status(), QStringLiteral("No response from the modem"));
        QVERIFY(rig.ui->GSMopencompushButton->isEnabled() && rig.ui->GSMTestSignalpushButton->isEnabled());
        for (int t = 0; t < MainWindow::serialTabCount; ++t) // the port stays held: other tabs locked
            QCOMPARE(rig.w->Serial_tabControls(MainWindow::SerialTab(t)).openButton->isEnabled(),
                     t == int(MainWindow::SerialTab::Gsm));
        QVERIFY(iconIs(rig.ui->GSMLaidianKaiguanpushButton, ":/images/unknown.png")); // state not known
        QVERIFY(rig.ui->GSMCheckSigneltext->pixmap().isNull());

        // Switching caller display off without an answer shows nothing; the ringer says so.
        rig.w->GSM_clipOn = 1;
        ModalScript none({});
        press(rig.ui->GSMLaidianKaiguanpushButton);
        QCOMPARE(rig.w->GSM_clipOn, 1);
        rig.w->GSM_ringerOn = 1;
        ModalScript boxes({"Cancel"});
        press(rig.ui->GSMLaidianYingKaiguanpushButton);
        QCOMPARE(boxes.seen, QStringList{"Info|No response"});
        QCOMPARE(rig.w->GSM_ringerOn, 1);

        // The modem wakes up: the tab still works.
        rig.modem.answerStatus();
        press(rig.ui->GSMTestSignalpushButton);
        QVERIFY(signalShows(rig.ui->GSMCheckSigneltext, ":images/sig75.png"));
    }

    void switchesFollowModemReplies()
    {
        Rig rig;
        rig.modem.answer("AT+CLIP?", "\r\n+CLIP: 0,1\r\n\r\nOK\r\n");
        rig.modem.answer("AT+CMGF?", "\r\n+CMGF: 0\r\n\r\nOK\r\n");
        rig.open();
        QCOMPARE(rig.w->GSM_clipOn, 0);
        QVERIFY(iconIs(rig.ui->GSMLaidianKaiguanpushButton, ":images/off.png"));
        QCOMPARE(rig.w->GSM_smsTextMode, 0);

        for (const char* c : {"AT+CLIP=1", "AT+CMGF=1", "AT+CSCS=\"UCS2\"", "AT+CALM=1"})
            rig.modem.answer(c, "\r\nOK\r\n");
        rig.modem.commands.clear();
        press(rig.ui->GSMLaidianKaiguanpushButton);
        press(rig.ui->GSMDuanXinWenBenKaiguanpushButton);
        press(rig.ui->GSMLaidianYingKaiguanpushButton);
        QCOMPARE(rig.modem.commands,
                 (QList<QByteArray>{"AT+CLIP=1", "AT+CMGF=1", "AT+CSCS=\"UCS2\"", "AT+CALM=1"}));
        QCOMPARE(QList<int>({rig.w->GSM_clipOn, rig.w->GSM_smsTextMode, rig.w->GSM_ringerOn}),
                 QList<int>({1, 1, 0}));
        QVERIFY(iconIs(rig.ui->GSMLaidianKaiguanpushButton, ":images/on.png"));
        QVERIFY(iconIs(rig.ui->GSMLaidianYingKaiguanpushButton, ":images/off.png"));

        rig.modem.answer("AT+CSQ", "\r\nERROR\r\n");
        ModalScript boxes({"Cancel"});
        press(rig.ui->GSMTestSignalpushButton);
        QCOMPARE(boxes.seen, QStringList{"Info|Error"});
    }

    void gprsLinkRefusedConnectSendReceiveDisconnect()
    {
        Rig rig;
        rig.open();
        rig.ui->GSMTCPclientPortlineEdit->clear();
        rig.modem.commands.clear();
        ModalScript empty({"Cancel"});
        press(rig.ui->GSMTCPopencompushButton);
        QCOMPARE(empty.seen, QStringList{"Info|Please fill in the full server IP and PORT"});
        QCOMPARE(rig.ui->GSMTCPopencompushButton->text(), QStringLiteral("Connect"));
        QVERIFY(rig.ui->gsm_groupBox_call->isEnabled());
        QTest::qWait(50);
        QVERIFY(rig.modem.commands.isEmpty());

        for (const char* c : {"AT+CGCLASS=\"B\"", "AT+CGDCONT=1,\"IP\",\"CMNET\"", "AT+CGATT=1",
                              "AT+CIPCSGP=1,\"CMNET\"", "AT+CLPORT=\"TCP\",\"2222\""})
            rig.modem.answer(c, "\r\nOK\r\n");
        const QByteArray start = "AT+CIPSTART=\"TCP\",\"127.0.0.1\",\"5000\"";
        rig.modem.answer(start, "\r\nERROR\r\n");
        rig.ui->GSMTCPclientPortlineEdit->setText("5000");
        ModalScript refused({"Cancel"});
        press(rig.ui->GSMTCPopencompushButton);
        QCOMPARE(refused.seen, QStringList{"Info|Error"});
        QCOMPARE(rig.w->GSM_tcpOpen, 0);
        QCOMPARE(rig.ui->GSMTCPopencompushButton->text(), QStringLiteral("Connect"));
        QVERIFY(rig.ui->gsm_groupBox_serial->isEnabled());

        rig.modem.answer(start, "\r\nOK\r\n\r\nCONNECT OK\r\n");
        rig.modem.commands.clear();
        ModalScript opened({"Cancel"});
        press(rig.ui->GSMTCPopencompushButton);
        QCOMPARE(opened.seen, QStringList{"Info|connection succeeded"});
        QCOMPARE(rig.modem.commands.size(), 6);
        QCOMPARE(rig.w->GSM_tcpOpen, 1);
        QCOMPARE(rig.ui->GSMTCPopencompushButton->text(), QStringLiteral("Disconnect"));
        QVERIFY(!rig.ui->gsm_groupBox_serial->isEnabled() && !rig.ui->gsm_groupBox_SMSRead->isEnabled());
        QVERIFY(rig.ui->groupBox_20->isEnabled());

        const QString shown = QString("from server ") + QChar(0x4F60);
        rig.modem.send("from server ");
        rig.modem.send("\xc4\xe3"); // GBK for U+4F60, split from its neighbour
        QTRY_COMPARE(rig.ui->GSMTCPReadSBrowser->toPlainText(), shown);
        rig.modem.send("+WARNNING: low power\r\n");
        QTest::qWait(100);
        QCOMPARE(rig.ui->GSMTCPReadSBrowser->toPlainText(), shown);

        rig.modem.answer("AT+CIPSEND", "\r\n> ");
        rig.modem.answer("hello\r\n", "\r\nSEND OK\r\n");
        rig.ui->GSMTcpsendBrowser->setPlainText("hello\n");
        rig.modem.received.clear();
        press(rig.ui->GSMTCPsendmsgBtn);
        QCOMPARE(rig.modem.received, QByteArray("AT+CIPSEND\r\nhello\r\n\x1a"));

        rig.modem.answer("AT+CIPCLOSE=1", "\r\nCLOSE OK\r\n\r\nOK\r\n");
        rig.modem.answer("AT+CIPSHUT", "\r\nSHUT OK\r\n");
        rig.modem.commands.clear();
        press(rig.ui->GSMTCPopencompushButton);
        QCOMPARE(rig.modem.commands, (QList<QByteArray>{"AT+CIPCLOSE=1", "AT+CIPSHUT"}));
        QCOMPARE(rig.w->GSM_tcpOpen, 0);
        QCOMPARE(rig.ui->GSMTCPopencompushButton->text(), QStringLiteral("Connect"));
        QVERIFY(rig.ui->gsm_groupBox_serial->isEnabled());
        rig.modem.send("late"); // link text no longer reaches the link's view
        QTest::qWait(100);
        QCOMPARE(rig.ui->GSMTCPReadSBrowser->toPlainText(), shown);
    }

    void closeDuringWaitStopsAction()
    {
        Rig rig;
        rig.open();
        rig.modem.answer("AT+CSMP=17,167,2,25", "\r\nOK\r\n");
        rig.modem.answer("AT+CSCS=\"UCS2\"", "\r\nOK\r\n");
        rig.modem.answer("AT+CMGS=\"0031\"", "\r\n> ");
        rig.modem.onCommand = [&](const QByteArray& c) {
            if (c == "0041")
                QTimer::singleShot(100, rig.w.get(), [&] { press(rig.ui->GSMopencompushButton); });
        };
        rig.ui->GSMNUMtextEdit->setPlainText("1");
        rig.ui->GSMtextBrowser->setPlainText("A");
        QElapsedTimer clock;
        clock.start();
        press(rig.ui->GSMSendpushButton);
        QVERIFY(clock.elapsed() < 2500); // not the 5.1 s wait for the send result
        QVERIFY(!rig.w->Serial_isOpen && !rig.w->Serial_thread);
        QCOMPARE(rig.status(), QStringLiteral("Serial closed"));
        QVERIFY(!rig.ui->GSMSendpushButton->isEnabled());
    }

    void messageLengthGuard_data()
    {
        QTest::addColumn<QString>("before");
        QTest::addColumn<int>("cursorAt");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<bool>("pasted");
        QTest::addColumn<QString>("after");
        QTest::addColumn<int>("cursorAfter");
        const QString full = QString(80, 'a') + QString(80, 'b');
        QTest::newRow("typing-past-limit")
            << QString(158, 'a') << 158 << "xyz" << false << QString(158, 'a') + "xy" << 160;
        QTest::newRow("paste-at-start-of-full") << full << 0 << "XYZ" << true << full << 0;
        QTest::newRow("typing-in-middle-of-full") << full << 80 << "Q" << false << full << 80;
    }

    void messageLengthGuard()
    {
        QFETCH(QString, before);
        QFETCH(int, cursorAt);
        QFETCH(QString, typed);
        QFETCH(bool, pasted);
        Rig rig;
        rig.w->GSMUI_EnDisable(true);
        QTextEdit* edit = rig.ui->GSMtextBrowser;
        edit->setPlainText(before);
        QTextCursor c = edit->textCursor();
        c.setPosition(cursorAt);
        edit->setTextCursor(c);
        if (pasted)
            edit->insertPlainText(typed);
        else
            QTest::keyClicks(edit, typed);
        QTEST(edit->toPlainText(), "after");
        QTEST(edit->textCursor().position(), "cursorAfter");
    }
};

QTEST_MAIN(TestGsmConsole)
#include "tst_gsmconsole.moc"

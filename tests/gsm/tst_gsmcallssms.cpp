// Calls and short messages on the "GSM Debug" tab, against a modem played on a pseudo-terminal.
#include <QElapsedTimer>

#include "tests/gsm/gsmrig.h"

using namespace gsmtest;

class TestGsmCallsSms : public QObject
{
    Q_OBJECT
private slots:
    void dialTonesCallEndAndIncomingCall()
    {
        Rig rig;
        rig.open();
        rig.modem.answer("ATD10086;", "\r\nOK\r\n");
        rig.modem.answer("AT+VTS=5", "\r\nOK\r\n");
        rig.modem.commands.clear();
        for (QPushButton* key :
             {rig.ui->GSMANJIANpushButton_1, rig.ui->GSMANJIANpushButton_0, rig.ui->GSMANJIANpushButton_0,
              rig.ui->GSMANJIANpushButton_8, rig.ui->GSMANJIANpushButton_6})
            press(key);
        QCOMPARE(rig.ui->GSMtextBrowser_1->toPlainText(), QStringLiteral("10086"));
        QTest::qWait(50);
        QVERIFY(rig.modem.commands.isEmpty()); // no tones outside a call

        press(rig.ui->GSMbodianhuapushButton);
        QCOMPARE(rig.modem.commands, QList<QByteArray>{"ATD10086;"});
        QVERIFY(rig.modem.received.contains("ATD10086;\r\n"));
        QCOMPARE(rig.status(), QStringLiteral("Calling..."));
        QVERIFY(rig.w->GSM_inCall);

        press(rig.ui->GSMANJIANpushButton_5);
        QTRY_COMPARE(rig.modem.commands.last(), QByteArray("AT+VTS=5"));
        QCOMPARE(rig.ui->GSMtextBrowser_1->toPlainText(), QStringLiteral("100865"));

        rig.modem.send("\r\nNO CARRIER\r\n");
        QTRY_COMPARE(rig.status(), QStringLiteral("call ended"));
        QVERIFY(!rig.w->GSM_inCall);

        press(rig.ui->GSMANJIANpushButton_Clean);
        QCOMPARE(rig.ui->GSMtextBrowser_1->toPlainText(), QString());
        ModalScript boxes({"Cancel"});
        press(rig.ui->GSMbodianhuapushButton);
        QCOMPARE(boxes.seen, QStringList{"Info: |Error number"});

        // An incoming call: shown, answered, hung up.
        rig.modem.send("\r\nRING\r\n");
        QTRY_COMPARE(rig.status(), QStringLiteral("Have a new call:"));
        rig.modem.send("\r\n+CLIP: \"+8613800138000\",145,\"\",0,\"\",0\r\n");
        QTRY_COMPARE(rig.status(), QStringLiteral("Have a new call:+8613800138000"));
        QCOMPARE(rig.ui->GSMbodianhuapushButton->text(), QStringLiteral("Answer call"));

        rig.modem.answer("ATA", "\r\nOK\r\n");
        rig.modem.commands.clear();
        press(rig.ui->GSMbodianhuapushButton);
        QCOMPARE(rig.modem.commands, QList<QByteArray>{"ATA"});
        QCOMPARE(rig.status(), QStringLiteral("Calling..."));
        QVERIFY(rig.w->GSM_inCall);
        QVERIFY(!rig.w->GSM_ringing);
        QCOMPARE(rig.ui->GSMbodianhuapushButton->text(), QStringLiteral("Call"));

        // We hang up; the next call still rings through.
        rig.modem.answer("ATH", "\r\nOK\r\n");
        press(rig.ui->GSMguadianhuapushButton);
        QCOMPARE(rig.status(), QStringLiteral("call ended"));
        rig.modem.send("\r\nRING\r\n");
        QTRY_COMPARE(rig.status(), QStringLiteral("Have a new call:"));
        QVERIFY(rig.w->GSM_ringing);
    }

    void autoRedialStopsAfterThirdFailureOrHangUp()
    {
        Rig rig;
        rig.open();
        rig.modem.answer("ATD123;", "\r\nNO CARRIER\r\n");
        for (QPushButton* key :
             {rig.ui->GSMANJIANpushButton_1, rig.ui->GSMANJIANpushButton_2, rig.ui->GSMANJIANpushButton_3})
            press(key);
        rig.ui->GSM_AutoRedial->setChecked(true);
        rig.modem.commands.clear();
        ModalScript boxes({"Cancel"});
        press(rig.ui->GSMbodianhuapushButton);
        QCOMPARE(rig.modem.commands, (QList<QByteArray>{"ATD123;", "ATD123;", "ATD123;"}));
        QCOMPARE(boxes.seen,
                 QStringList{"Error: |For academic research only. Prohibiting telephone harassment!"});
        QCOMPARE(rig.status(), QStringLiteral("Stop"));
        QVERIFY(!rig.ui->GSM_AutoRedial->isChecked());
        QVERIFY(!rig.w->GSM_inCall);

        // Hanging up ends redialling from inside its wait.
        press(rig.ui->GSMANJIANpushButton_Clean);
        rig.modem.answer("ATD7;", "\r\nOK\r\n"); // the far side rings and rings
        rig.modem.answer("ATH", "\r\nOK\r\n");
        press(rig.ui->GSMANJIANpushButton_7);
        rig.ui->GSM_AutoRedial->setChecked(true);
        rig.modem.commands.clear();
        QTimer::singleShot(1500, rig.w.get(), [&] { press(rig.ui->GSMguadianhuapushButton); });
        QElapsedTimer clock;
        clock.start();
        press(rig.ui->GSMbodianhuapushButton);
        QVERIFY(clock.elapsed() < 3000);
        QCOMPARE(rig.modem.commands, (QList<QByteArray>{"ATD7;", "ATH"}));
        QVERIFY(!rig.ui->GSM_AutoRedial->isChecked());
        QCOMPARE(rig.status(), QStringLiteral("call ended"));
        QVERIFY(!rig.w->GSM_inCall);
    }

    void smsSentInUcs2()
    {
        Rig rig;
        rig.open();
        rig.modem.answer("AT+CSMP=17,167,2,25", "\r\nOK\r\n");
        rig.modem.answer("AT+CSCS=\"UCS2\"", "\r\nOK\r\n");
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

        rig.modem.answer("00480069002000164e2d", {}); // no answer
        rig.ui->GSMtextBrowser->setPlainText("x");
        press(rig.ui->GSMSendpushButton);
        QCOMPARE(rig.status(), QStringLiteral("SMS sent failed"));
    }

    void smsRead_data()
    {
        QTest::addColumn<QString>("box");
        QTest::addColumn<QByteArray>("reply");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<QStringList>("boxes");
        QTest::newRow("received")
            << "3"
            << QByteArray("\r\n+CMGR: \"REC READ\",\"002B00380036\",\"\",\"24/05/06,07:08:09+32\"\r\n"
                          "00480069002100204E2D\r\n\r\nOK\r\n")
            << QString("Sender:+86\nTime:24/05/06,07:08:09+32\nHi! ") + QChar(0x4E2D) << QStringList();
        QTest::newRow("stored-shown-raw")
            << "4" << QByteArray("\r\n+CMGR: \"STO UNSENT\",\"0031\",\"\"\r\n0041\r\n\r\nOK\r\n")
            << "AT+CMGR=4\n\n+CMGR: \"STO UNSENT\",\"0031\",\"\"\n0041\n\nOK\n"
            << QStringList();
        QTest::newRow("modem-error") << "9" << QByteArray("\r\n+CMS ERROR: 321\r\n\r\nERROR\r\n") << ""
                                     << QStringList{"Info|Error"};
        // Nothing malformed reaches the modem.
        QTest::newRow("not-a-number")
            << "1\r\nATD1;" << QByteArray() << "" << QStringList{"Info|Error message box number"};
    }

    void smsRead()
    {
        QFETCH(QString, box);
        QFETCH(QByteArray, reply);
        QFETCH(QStringList, boxes);
        Rig rig;
        rig.open();
        rig.modem.answer("AT+CMGR=" + box.toLatin1(), reply);
        rig.modem.commands.clear();
        ModalScript script({box, "Cancel"});
        press(rig.ui->GSMReadTextpushButton);
        QCOMPARE(script.seen,
                 QStringList{"SMS|Please enter the number of the SMS box you need to read."} + boxes);
        QTEST(rig.ui->GSMReadtextBrowser->toPlainText().remove('\r'), "shown");
        QCOMPARE(rig.modem.commands.isEmpty(), reply.isEmpty());
    }

    void deleteAllInPduModeSwitchesModeAround()
    {
        Rig rig;
        rig.modem.answer("AT+CMGF?", "\r\n+CMGF: 0\r\n\r\nOK\r\n");
        rig.open();
        QCOMPARE(rig.w->GSM_smsTextMode, 0);
        rig.modem.answer("AT+CMGF=1", "\r\nOK\r\n");
        rig.modem.answer("AT+CMGDA=DEL ALL", "\r\nOK\r\n");
        rig.modem.answer("AT+CMGF=0", "\r\nOK\r\n");
        rig.modem.commands.clear();
        ModalScript script({"Yes", "Cancel"});
        press(rig.ui->GSMDelALLTextpushButton);
        QTRY_COMPARE(rig.modem.commands, (QList<QByteArray>{"AT+CMGF=1", "AT+CMGDA=DEL ALL", "AT+CMGF=0"}));
        QCOMPARE(script.seen,
                 (QStringList{"Info|Confirm delete all text messages?", "Info|Successfully deleted"}));
        QCOMPARE(rig.w->GSM_smsTextMode, 0);

        // Refused: the mode switch's "OK" alone is no success.
        rig.modem.answer("AT+CMGDA=DEL ALL", "\r\nERROR\r\n");
        ModalScript refused({"Yes", "Cancel"});
        press(rig.ui->GSMDelALLTextpushButton);
        QCOMPARE(refused.seen, QStringList{"Info|Confirm delete all text messages?"});
    }
};

QTEST_MAIN(TestGsmCallsSms)
#include "tst_gsmcallssms.moc"

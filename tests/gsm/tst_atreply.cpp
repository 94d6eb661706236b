// Reading a GSM modem's replies and unsolicited results, and UCS2 hex text.
#include <QTest>

#include "gsm/atreply.h"

using AtReply::Unsolicited;

class TestAtReply : public QObject
{
    Q_OBJECT
private slots:
    void holdsStopsAtZeroByte()
    {
        QVERIFY(AtReply::holds("\r\nOK\r\n", "OK\r\n"));
        QVERIFY(!AtReply::holds(QByteArray("\r\n\0OK\r\n", 7), "OK\r\n"));
        QVERIFY(!AtReply::holds("\r\nOK\r", "OK\r\n"));
    }

    void statusSettings_data()
    {
        QTest::addColumn<QByteArray>("read");
        QTest::addColumn<int>("clip");
        QTest::addColumn<int>("ringer");
        QTest::addColumn<int>("textMode");
        QTest::newRow("clip-on") << QByteArray("\r\n+CLIP: 1,1\r\n\r\nOK\r\n") << 1 << -1 << -1;
        // Only the first field counts: the second is the network's provisioning.
        QTest::newRow("clip-off-provisioned") << QByteArray("\r\n+CLIP: 0,1\r\n\r\nOK\r\n") << 0 << -1 << -1;
        QTest::newRow("calm-0-is-ringer-on") << QByteArray("+CALM: 0\r\n\r\nOK\r\n") << -1 << 1 << -1;
        QTest::newRow("calm-1-is-ringer-off") << QByteArray("+CALM: 1\r\n\r\nOK\r\n") << -1 << 0 << -1;
        QTest::newRow("cmgf-text") << QByteArray("+CMGF: 1\r\nOK\r\n") << -1 << -1 << 1;
        QTest::newRow("cmgf-pdu") << QByteArray("+CMGF: 0\r\nOK\r\n") << -1 << -1 << 0;
        QTest::newRow("echo-only") << QByteArray("AT+CLIP?\rAT+CALM?\rAT+CMGF?\r") << -1 << -1 << -1;
        QTest::newRow("value-not-arrived") << QByteArray("\r\n+CLIP: ") << -1 << -1 << -1;
    }

    void statusSettings()
    {
        QFETCH(QByteArray, read);
        QTEST(AtReply::clipSetting(read), "clip");
        QTEST(AtReply::ringerSetting(read), "ringer");
        QTEST(AtReply::smsTextModeSetting(read), "textMode");
    }

    void signalQuality_data()
    {
        QTest::addColumn<QByteArray>("read");
        QTest::addColumn<QString>("picture");
        QTest::newRow("15") << QByteArray("\r\n+CSQ: 15,0\r\n\r\nOK\r\n") << ":images/sig75.png";
        QTest::newRow("99-unknown") << QByteArray("+CSQ: 99,99\r\nOK\r\n") << ":images/sig0.png";
        QTest::newRow("31") << QByteArray("+CSQ: 31,0\r\nOK\r\n") << ":images/sig100.png";
        QTest::newRow("98") << QByteArray("+CSQ: 98,0\r\nOK\r\n") << ":images/sig100.png";
        QTest::newRow("02-padded") << QByteArray("+CSQ: 02,0\r\nOK\r\n") << ":images/sig75.png";
        QTest::newRow("30") << QByteArray("+CSQ: 30,0\r\nOK\r\n") << ":images/sig75.png";
        // 27.007 does not pad the value: a single digit is still that level.
        QTest::newRow("5-unpadded") << QByteArray("+CSQ: 5,0\r\nOK\r\n") << ":images/sig75.png";
        QTest::newRow("1") << QByteArray("+CSQ: 1,0\r\nOK\r\n") << ":images/sig50.png";
        QTest::newRow("0") << QByteArray("+CSQ: 0,0\r\nOK\r\n") << ":images/sig25.png";
        QTest::newRow("not-a-number") << QByteArray("+CSQ: ab,0\r\nOK\r\n") << ":images/sig25.png";
        QTest::newRow("out-of-range") << QByteArray("+CSQ: 120,0\r\nOK\r\n") << "";
        QTest::newRow("negative") << QByteArray("+CSQ: -1,0\r\nOK\r\n") << "";
    }

    void signalQuality()
    {
        QFETCH(QByteArray, read);
        bool found = false;
        const char* picture = AtReply::signalPicture(AtReply::csqValue(read, &found));
        QVERIFY(found);
        QTEST(QString::fromLatin1(picture), "picture");
    }

    void ucs2Encode_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("hex");
        QTest::newRow("A") << "A"
                           << "0041";
        QTest::newRow("line-feed") << "\n"
                                   << "000a";
        QTest::newRow("e-acute") << QString(QChar(0x00E9)) << "00e9";
        QTest::newRow("y-diaeresis") << QString(QChar(0x00FF)) << "00ff";
        QTest::newRow("A-macron") << QString(QChar(0x0100)) << "0100";
        QTest::newRow("cjk-zhong") << QString(QChar(0x4E2D)) << "4e2d";
        QTest::newRow("Hi") << "Hi"
                            << "00480069";
        QTest::newRow("plus-number") << "+8613800138000"
                                     << "002b0038003600310033003800300030003100330038003000300030";
        QTest::newRow("astral-two-units") << QString::fromUtf8("\xF0\x9F\x98\x80") << "d83dde00";
        QTest::newRow("empty") << ""
                               << "";
    }

    void ucs2Encode()
    {
        QFETCH(QString, text);
        QFETCH(QString, hex);
        QCOMPARE(AtReply::toUcs2Hex(text), hex);
        QCOMPARE(AtReply::fromUcs2Hex(hex), text);
    }

    void ucs2Decode_data()
    {
        QTest::addColumn<QString>("hex");
        QTest::addColumn<QString>("text");
        QTest::newRow("upper-case-digits") << "004E00C4" << QString("N") + QChar(0x00C4);
        QTest::newRow("short-tail-dropped") << "004800"
                                            << "H";
        QTest::newRow("not-hex-is-zero") << "zz41" << QString(QChar(0));
        QTest::newRow("long-message") << QString("0041").repeated(200) << QString("A").repeated(200);
    }

    void ucs2Decode()
    {
        QFETCH(QString, hex);
        QTEST(AtReply::fromUcs2Hex(hex), "text");
    }

    void receivedMessage_data()
    {
        QTest::addColumn<QByteArray>("reply");
        QTest::addColumn<bool>("valid");
        QTest::addColumn<QString>("shown");
        QTest::newRow("four-fields")
            << QByteArray("AT+CMGR=3\r\r\n+CMGR: \"REC "
                          "UNREAD\",\"002B0038003600310033\",\"\",\"24/01/02,03:04:05+32\"\r\n"
                          "004800690021\r\n\r\nOK\r\n")
            << true << "Sender:+8613\r\nTime:24/01/02,03:04:05+32\r\nHi!";
        QTest::newRow("header-with-more-fields")
            << QByteArray(
                   "+CMGR: \"REC READ\",\"0031\",\"\",\"24/01/02,03:04:05+32\",145,4,0,8,\"0032\",145,4\r\n"
                   "4E2D\r\n\r\nOK\r\n")
            << true << QString("Sender:1\r\nTime:24/01/02,03:04:05+32\r\n") + QChar(0x4E2D);
        QTest::newRow("no-name-field")
            << QByteArray("+CMGR: \"REC READ\",\"0031\",,\"24/01/02\"\r\n0041\r\n\r\nOK\r\n") << false << "";
    }

    void receivedMessage()
    {
        QFETCH(QByteArray, reply);
        QVERIFY(AtReply::isReceivedMessage(reply));
        const AtReply::SmsMessage m = AtReply::parseReceivedMessage(reply);
        QTEST(m.valid, "valid");
        if (m.valid)
            QTEST(AtReply::formatMessage(m), "shown");
    }

    void commands()
    {
        QCOMPARE(AtReply::dialCommand("10086"), QByteArray("ATD10086;\r\n"));
        QCOMPARE(AtReply::dtmfCommand('#'), QByteArray("AT+VTS=#\r\n"));
        QCOMPARE(AtReply::smsSendCommand("10"), QByteArray("AT+CMGS=\"00310030\"\r\n"));
        QCOMPARE(AtReply::gprsStartCommand("10.0.0.1", "1000"),
                 QByteArray("AT+CIPSTART=\"TCP\",\"10.0.0.1\",\"1000\"\r\n"));
    }

    void gprsPayload_data()
    {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<QByteArray>("sent");
        QTest::newRow("final-lf") << QByteArray("hello\n") << QByteArray("hello\r\n");
        QTest::newRow("inner-lf-kept") << QByteArray("a\nb") << QByteArray("a\nb");
        QTest::newRow("no-lf") << QByteArray("hello") << QByteArray("hello");
    }

    void gprsPayload()
    {
        QFETCH(QByteArray, text);
        QTEST(AtReply::gprsPayload(text), "sent");
    }

    // Chunks in, results out, in order, with the reader's state at the end.
    void unsolicited_data()
    {
        QTest::addColumn<QList<QByteArray>>("chunks");
        QTest::addColumn<QStringList>("results");
        QTest::addColumn<QByteArray>("bufferAfter");
        QTest::addColumn<bool>("ringSeenAfter");

        QTest::newRow("ring-then-caller-129")
            << QList<QByteArray>{"\r\nRING\r\n", "\r\n+CLIP: \"13800138000\",129,\"\",0,\"\",0\r\n"}
            << QStringList{"call:", "call:13800138000"} << QByteArray() << false;
        QTest::newRow("ring-then-caller-145-international")
            << QList<QByteArray>{"RING\r\n", "+CLIP: \"+8613800138000\",145,\"\",,\"\",0\r\n"}
            << QStringList{"call:", "call:+8613800138000"} << QByteArray() << false;
        QTest::newRow("caller-line-split")
            << QList<QByteArray>{"RING\r\n", "+CLIP: \"10086\",1", "29,\"\",0\r\n"}
            << QStringList{"call:", "call:10086"} << QByteArray() << false;
        QTest::newRow("repeated-ring-without-caller-display")
            << QList<QByteArray>{"RING\r\n", "RING\r\n"} << QStringList{"call:"}
            << QByteArray("RING\r\nRING\r\n") << true;
        QTest::newRow("caller-gives-up-next-call-shows")
            << QList<QByteArray>{"RING\r\n", "\r\nNO CARRIER\r\n", "RING\r\n"}
            << QStringList{"call:", "ended", "call:"} << QByteArray("RING\r\n") << true;
        QTest::newRow("no-carrier-idle")
            << QList<QByteArray>{"\r\nNO CARRIER\r\n"} << QStringList{"ended"} << QByteArray() << false;
        QTest::newRow("busy") << QList<QByteArray>{"\r\nBU", "SY\r\n"} << QStringList{"busy"} << QByteArray()
                              << false;
        QTest::newRow("colp") << QList<QByteArray>{"\r\n+COLP: \"10086\",129\r\n"} << QStringList{"connected"}
                              << QByteArray() << false;
        QTest::newRow("new-sms-split") << QList<QByteArray>{"\r\n+CMTI: \"SM\",", "3\r\n"}
                                       << QStringList{"sms:3"} << QByteArray() << false;
        QTest::newRow("new-sms-and-ring-in-one-read")
            << QList<QByteArray>{"\r\n+CMTI: \"SM\",12\r\n\r\nRING\r\n"} << QStringList{"call:", "sms:12"}
            << QByteArray() << true;
        QTest::newRow("new-sms-other-storage-waits")
            << QList<QByteArray>{"\r\n+CMTI: \"ME\",3\r\n"} << QStringList{}
            << QByteArray("\r\n+CMTI: \"ME\",3\r\n") << false;
    }

    void unsolicited()
    {
        QFETCH(QList<QByteArray>, chunks);
        QFETCH(QStringList, results);
        QByteArray buffer;
        bool ringSeen = false;
        bool clipSeen = false;
        QStringList got;
        for (const QByteArray& chunk : chunks) {
            for (const Unsolicited& u : AtReply::readUnsolicited(buffer, ringSeen, clipSeen, chunk)) {
                const char* names[] = {"ended", "busy", "connected", "call:", "sms:"};
                got << QString::fromLatin1(names[u.kind]) +
                           (u.kind >= Unsolicited::IncomingCall ? u.detail : "");
            }
        }
        QCOMPARE(got, results);
        QTEST(buffer, "bufferAfter");
        QTEST(ringSeen, "ringSeenAfter");
    }

    void unsolicitedBufferIsCapped()
    {
        QByteArray buffer;
        bool ringSeen = false;
        bool clipSeen = false;
        for (int i = 0; i < 1000; ++i)
            AtReply::readUnsolicited(buffer, ringSeen, clipSeen, QByteArray(100, 'x'));
        QCOMPARE(buffer.size(), AtReply::unsolicitedBufferLimit);
        // What came last is still read.
        const auto r = AtReply::readUnsolicited(buffer, ringSeen, clipSeen, "\r\nNO CARRIER\r\n");
        QCOMPARE(r.size(), 1);
        QCOMPARE(r.first().kind, Unsolicited::CallEnded);
    }
};

QTEST_GUILESS_MAIN(TestAtReply)
#include "tst_atreply.moc"

// Reading a GSM modem's replies, unsolicited results and UCS2 hex text, and AT transactions
// against a pseudo-terminal playing the modem.
#include <QElapsedTimer>
#include <QSerialPort>
#include <QTest>
#include <QTimer>

#include "gsm/atexchange.h"
#include "gsm/atreply.h"
#include "tests/common/ptypair.h"

using AtReply::Unsolicited;

namespace {

struct Exchange
{
    PtyPair pty;
    QSerialPort port;
    bool portGone = false;
    AtExchange at{[this] { return portGone ? nullptr : &port; }, [](int ms) { QTest::qWait(ms); }};
    Exchange()
    {
        port.setPortName(pty.slavePath());
        port.open(QIODevice::ReadWrite);
    }
};

} // namespace

class TestGsmCore : public QObject
{
    Q_OBJECT
private slots:
    // How one read, or what waits in the port, is classed.
    void replyClasses_data()
    {
        QTest::addColumn<QByteArray>("read");
        QTest::addColumn<bool>("ok");
        QTest::addColumn<bool>("error");
        QTest::addColumn<bool>("complete");
        // clang-format off
        QTest::newRow("ok") << QByteArray("\r\n+CSQ: 20,0\r\n\r\nOK\r\n") << true << false << true;
        QTest::newRow("ok-after-zero-byte") << QByteArray("\r\n\0OK\r\n", 7) << false << false << false;
        QTest::newRow("ok-unfinished") << QByteArray("\r\nOK\r") << false << false << false;
        QTest::newRow("value-line-only") << QByteArray("\r\n+CSQ: 20,0\r\n") << false << false << false;
        QTest::newRow("echo-only") << QByteArray("AT+CSQ\r") << false << false << false;
        QTest::newRow("error") << QByteArray("\r\nERROR\r\n") << false << true << true;
        QTest::newRow("cme-error") << QByteArray("\r\n+CME ERROR: 30\r\n") << false << true << true;
        QTest::newRow("prompt") << QByteArray("AT+CIPSEND\r\r\n> ") << false << false << true;
        QTest::newRow("send-fail") << QByteArray("\r\nSEND FAIL\r\n") << false << false << true;
        QTest::newRow("notice-is-not-a-reply") << QByteArray("\r\nRING\r\n") << false << false << false;
        // clang-format on
    }

    void replyClasses()
    {
        QFETCH(QByteArray, read);
        QTEST(AtReply::holds(read, "OK\r\n"), "ok");
        QTEST(AtReply::isError(read), "error");
        QTEST(AtReply::endsWithFinalResult(read), "complete");
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

    void ucs2_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("hex");
        QTest::addColumn<bool>("both"); // false: only decoding, which is lenient
        QTest::newRow("A") << QString("A") << "0041" << true;
        QTest::newRow("line-feed") << QString("\n") << "000a" << true;
        QTest::newRow("e-acute") << QString(QChar(0x00E9)) << "00e9" << true;
        QTest::newRow("cjk-zhong") << QString(QChar(0x4E2D)) << "4e2d" << true;
        QTest::newRow("plus-number") << QString("+8613800138000")
                                     << "002b0038003600310033003800300030003100330038003000300030" << true;
        QTest::newRow("astral-two-units") << QString::fromUtf8("\xF0\x9F\x98\x80") << "d83dde00" << true;
        QTest::newRow("empty") << QString() << "" << true;
        QTest::newRow("upper-case") << QString("N") + QChar(0x00C4) << "004E00C4" << false;
        QTest::newRow("short-tail-dropped") << QString("H") << "004800" << false;
        QTest::newRow("not-hex-reads-as-zero") << QString(QChar(0)) << "zz41" << false;
    }

    void ucs2()
    {
        QFETCH(QString, text);
        QFETCH(QString, hex);
        QFETCH(bool, both);
        if (both)
            QCOMPARE(AtReply::toUcs2Hex(text), hex);
        QCOMPARE(AtReply::fromUcs2Hex(hex), text);
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

    void gprsPayloadEndsWithCrlfOnlyForAFinalLineFeed()
    {
        QCOMPARE(AtReply::gprsPayload("hello\n"), QByteArray("hello\r\n"));
        QCOMPARE(AtReply::gprsPayload("a\nb"), QByteArray("a\nb"));
        QCOMPARE(AtReply::gprsPayload("hello"), QByteArray("hello"));
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
        QTest::newRow("busy") << QList<QByteArray>{"\r\nBU", "SY\r\n"} << QStringList{"busy"} << QByteArray()
                              << false;
        QTest::newRow("colp") << QList<QByteArray>{"\r\n+COLP: \"10086\",129\r\n"} << QStringList{"connected"}
                              << QByteArray() << false;
        QTest::newRow("new-sms-split") << QList<QByteArray>{"\r\n+CMTI: \"SM\",", "3\r\n"}
                                       << QStringList{"sms:3"} << QByteArray() << false;
        QTest::newRow("new-sms-and-ring-in-one-read-in-order")
            << QList<QByteArray>{"\r\n+CMTI: \"SM\",12\r\n\r\nRING\r\n"} << QStringList{"sms:12", "call:"}
            << QByteArray("\r\nRING\r\n") << true;
        QTest::newRow("ring-and-caller-in-one-read")
            << QList<QByteArray>{"\r\nRING\r\n\r\n+CLIP: \"10086\",129,\"\",0,\"\",0\r\n"}
            << QStringList{"call:", "call:10086"} << QByteArray() << false;
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

    void commandReachesModemAndCompleteReplyEndsWait()
    {
        Exchange rig;
        QVERIFY(rig.at.send("AT+CSQ\r\n"));
        QCOMPARE(rig.pty.read(8), QByteArray("AT+CSQ\r\n"));
        QTimer::singleShot(50, [&] { rig.pty.write("\r\n+CSQ: 20,0\r\n"); });
        QTimer::singleShot(100, [&] { rig.pty.write("\r\nOK\r\n"); });
        QElapsedTimer clock;
        clock.start();
        QCOMPARE(rig.at.waitFor(3, 2000, {"OK\r\n", "ERROR\r\n"}), 0);
        QVERIFY(clock.elapsed() < 1000); // not the pause of 2 s
    }

    void eachReadIsMatchedAlone()
    {
        Exchange inOrder; // tokens are tried in their order
        inOrder.pty.write("\r\nERROR\r\n\r\nOK\r\n");
        QCOMPARE(inOrder.at.waitFor(5, 20, {"OK\r\n", "ERROR\r\n"}), 0);
        Exchange split; // "OK" split across two reads matches in neither
        QTimer::singleShot(30, [&] { split.pty.write("\r\nO"); });
        QTimer::singleShot(130, [&] { split.pty.write("K\r\n"); });
        QCOMPARE(split.at.waitFor(5, 50, {"OK\r\n"}), -1);
    }

    // Reads as they arrive, what the caller sees of each, and the notices taken out in order.
    void unsolicitedTakenOutOfReplies_data()
    {
        QTest::addColumn<QList<QByteArray>>("reads");
        QTest::addColumn<QList<QByteArray>>("seen");
        QTest::addColumn<QByteArray>("notices");
        const QByteArray ok = "\r\nOK\r\n";
        // clang-format off
        QTest::newRow("sms-inside-signal-reply")
            << QList<QByteArray>{"\r\n+CMTI: \"SM\",3\r\n\r\n+CSQ: 20,0\r\n" + ok}
            << QList<QByteArray>{"\r\n\r\n+CSQ: 20,0\r\n" + ok} << QByteArray("+CMTI: \"SM\",3\r\n");
        QTest::newRow("query-reply-is-no-notice") << QList<QByteArray>{"\r\n+CLIP: 1,1\r\n" + ok}
            << QList<QByteArray>{"\r\n+CLIP: 1,1\r\n" + ok} << QByteArray();
        QTest::newRow("notice-split-across-reads") << QList<QByteArray>{"\r\n+CMTI: \"SM\",", "3\r\n" + ok}
            << QList<QByteArray>{"\r\n+CMTI: \"SM\",", ok} << QByteArray("+CMTI: \"SM\",3\r\n");
        QTest::newRow("line-end-split-across-reads") << QList<QByteArray>{"\r\nRING\r", "\n" + ok}
            << QList<QByteArray>{"\r\nRING\r", ok} << QByteArray("RING\r\n");
        QTest::newRow("dial-outcome-stays-notices-go")
            << QList<QByteArray>{"\r\nBUSY\r\n\r\nNO CARRIER\r\n\r\n+CLIP: \"1\",129\r\n"}
            << QList<QByteArray>{"\r\n\r\nNO CARRIER\r\n\r\n"} << QByteArray("BUSY\r\n+CLIP: \"1\",129\r\n");
        QTest::newRow("unfinished-notice-handed-over-at-end") << QList<QByteArray>{ok + "\r\n+CMTI: \"SM\","}
            << QList<QByteArray>{ok + "\r\n+CMTI: \"SM\","} << QByteArray("+CMTI: \"SM\",");
        // clang-format on
    }

    void unsolicitedTakenOutOfReplies()
    {
        QFETCH(QList<QByteArray>, reads);
        Exchange rig;
        QByteArray notices;
        QList<QByteArray> seen;
        {
            AtExchange at([&] { return &rig.port; }, [](int ms) { QTest::qWait(ms); },
                          [&](const QByteArray& line) { notices += line; });
            at.setOwnResults({"NO CARRIER"});
            for (const QByteArray& read : reads) {
                rig.pty.write(read);
                QTRY_COMPARE(rig.port.bytesAvailable(), qint64(read.size()));
                seen << at.read();
            }
        }
        QTEST(seen, "seen");
        QTEST(notices, "notices");
    }

    void silentModemTimesOutAfterAllPolls()
    {
        Exchange rig;
        QElapsedTimer clock;
        clock.start();
        QCOMPARE(rig.at.poll(5, 40, [](const QByteArray&) { return false; }), AtExchange::Result::TimedOut);
        QVERIFY(clock.elapsed() >= 200);
        QVERIFY(!rig.at.portLost());
    }

    void portGoneDuringPauseEndsAtOnce()
    {
        Exchange rig;
        QTimer::singleShot(150, [&] {
            rig.port.close();
            rig.portGone = true;
        });
        QElapsedTimer clock;
        clock.start();
        QCOMPARE(rig.at.poll(50, 100, [](const QByteArray&) { return false; }), AtExchange::Result::PortLost);
        QVERIFY(clock.elapsed() < 1000);
        QVERIFY(rig.at.portLost());
        QVERIFY(!rig.at.send("AT\r\n"));
        QVERIFY(rig.at.read().isEmpty());
    }

    void floodIsCutToNewestBytes()
    {
        Exchange rig;
        const QByteArray flood = QByteArray(100 * 1024, 'x') + "\r\nOK\r\n";
        for (int done = 0; done < flood.size(); done += 1024) {
            QCOMPARE(rig.pty.write(flood.mid(done, 1024)), qint64(qMin(1024, int(flood.size()) - done)));
            QTest::qWait(1);
        }
        QTRY_COMPARE(rig.port.bytesAvailable(), qint64(flood.size()));
        const QByteArray got = rig.at.read();
        QCOMPARE(got.size(), AtExchange::readLimit);
        QVERIFY(got.endsWith("x\r\nOK\r\n"));
    }
};

QTEST_GUILESS_MAIN(TestGsmCore)
#include "tst_gsmcore.moc"

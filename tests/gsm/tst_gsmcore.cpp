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
using Bytes = QList<QByteArray>;

namespace {

struct Exchange
{
    PtyPair pty;
    QSerialPort port;
    QByteArray notices;
    AtExchange at{[this] { return port.isOpen() ? &port : nullptr; }, [](int ms) { QTest::qWait(ms); },
                  [this](const QByteArray& line) { notices += line; }};
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
        QTest::addColumn<bool>("failedDial");
        // clang-format off
        QTest::newRow("ok") << QByteArray("\r\n+CSQ: 20,0\r\n\r\nOK\r\n") << true << false << true << false;
        QTest::newRow("ok-after-zero-byte") << QByteArray("\r\n\0OK\r\n", 7) << false << false << false << false;
        QTest::newRow("ok-unfinished") << QByteArray("\r\nOK\r") << false << false << false << false;
        QTest::newRow("value-line-only") << QByteArray("\r\n+CSQ: 20,0\r\n") << false << false << false << false;
        QTest::newRow("error") << QByteArray("\r\nERROR\r\n") << false << true << true << false;
        QTest::newRow("cme-error") << QByteArray("\r\n+CME ERROR: 30\r\n") << false << true << true << false;
        QTest::newRow("prompt") << QByteArray("AT+CIPSEND\r\r\n> ") << false << false << true << false;
        QTest::newRow("send-fail") << QByteArray("\r\nSEND FAIL\r\n") << false << false << true << false;
        QTest::newRow("notice-is-no-reply") << QByteArray("\r\nRING\r\n") << false << false << false << false;
        QTest::newRow("no-carrier") << QByteArray("\r\nNO CARRIER\r\n") << false << false << true << true;
        QTest::newRow("no-dialtone") << QByteArray("\r\nNO DIALTONE\r\n") << false << false << true << true;
        QTest::newRow("busy") << QByteArray("\r\nBUSY\r\n") << false << false << true << true;
        QTest::newRow("unknown-caller") << QByteArray("\r\n+CLIP: \"UNKNOWN\",129\r\n") << false << false << false << false;
        // clang-format on
    }

    void replyClasses()
    {
        QFETCH(QByteArray, read);
        QTEST(AtReply::holds(read, "OK\r\n"), "ok");
        QTEST(AtReply::isError(read), "error");
        QTEST(AtReply::endsWithFinalResult(read), "complete");
        QTEST(AtReply::isFailedAttempt(read), "failedDial");
    }

    void statusSettings_data()
    {
        QTest::addColumn<QByteArray>("read");
        QTest::addColumn<QList<int>>("settings"); // caller display, ringer, text mode
        // clang-format off
        QTest::newRow("clip-on") << QByteArray("\r\n+CLIP: 1,1\r\n\r\nOK\r\n") << QList<int>{1, -1, -1};
        // Only the first field counts: the second is the network's provisioning.
        QTest::newRow("clip-off-provisioned") << QByteArray("\r\n+CLIP: 0,1\r\nOK\r\n") << QList<int>{0, -1, -1};
        QTest::newRow("calm-0-is-ringer-on") << QByteArray("+CALM: 0\r\n\r\nOK\r\n") << QList<int>{-1, 1, -1};
        QTest::newRow("calm-1-is-ringer-off") << QByteArray("+CALM: 1\r\n\r\nOK\r\n") << QList<int>{-1, 0, -1};
        QTest::newRow("cmgf-text") << QByteArray("+CMGF: 1\r\nOK\r\n") << QList<int>{-1, -1, 1};
        QTest::newRow("cmgf-pdu") << QByteArray("+CMGF: 0\r\nOK\r\n") << QList<int>{-1, -1, 0};
        QTest::newRow("echo-only") << QByteArray("AT+CLIP?\rAT+CALM?\rAT+CMGF?\r") << QList<int>{-1, -1, -1};
        QTest::newRow("value-not-arrived") << QByteArray("\r\n+CLIP: ") << QList<int>{-1, -1, -1};
        // clang-format on
    }

    void statusSettings()
    {
        QFETCH(QByteArray, read);
        QTEST((QList<int>{AtReply::clipSetting(read), AtReply::ringerSetting(read),
                          AtReply::smsTextModeSetting(read)}),
              "settings");
    }

    void signalQuality_data()
    {
        QTest::addColumn<QByteArray>("value");
        QTest::addColumn<QString>("picture");
        // clang-format off
        QTest::newRow("99-unknown") << QByteArray("99,99") << ":images/sig0.png";
        QTest::newRow("31") << QByteArray("31,0") << ":images/sig100.png";
        QTest::newRow("98") << QByteArray("98,0") << ":images/sig100.png";
        QTest::newRow("02-padded") << QByteArray("02,0") << ":images/sig75.png";
        // 27.007 does not pad the value: a single digit is still that level.
        QTest::newRow("5-unpadded") << QByteArray("5,0") << ":images/sig75.png";
        QTest::newRow("1") << QByteArray("1,0") << ":images/sig50.png";
        QTest::newRow("0") << QByteArray("0,0") << ":images/sig25.png";
        QTest::newRow("not-a-number") << QByteArray("ab,0") << ":images/sig25.png";
        QTest::newRow("out-of-range") << QByteArray("120,0") << "";
        QTest::newRow("negative") << QByteArray("-1,0") << "";
        // clang-format on
    }

    void signalQuality()
    {
        QFETCH(QByteArray, value);
        bool found = false;
        const int v = AtReply::csqValue("+CSQ: " + value + "\r\nOK\r\n", &found);
        QVERIFY(found);
        QTEST(QString::fromLatin1(AtReply::signalPicture(v)), "picture");
    }

    void ucs2_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("hex");
        QTest::addColumn<bool>("both"); // false: only decoding, which is lenient
        // clang-format off
        QTest::newRow("line-feed") << QString("\n") << "000a" << true;
        QTest::newRow("e-acute") << QString(QChar(0x00E9)) << "00e9" << true;
        QTest::newRow("cjk-zhong") << QString(QChar(0x4E2D)) << "4e2d" << true;
        QTest::newRow("plus-number") << QString("+86138") << "002b00380036003100330038" << true;
        QTest::newRow("astral-two-units") << QString::fromUtf8("\xF0\x9F\x98\x80") << "d83dde00" << true;
        QTest::newRow("empty") << QString() << "" << true;
        QTest::newRow("upper-case") << QString("N") + QChar(0x00C4) << "004E00C4" << false;
        QTest::newRow("short-tail-dropped") << QString("H") << "004800" << false;
        QTest::newRow("not-hex-reads-as-zero") << QString(QChar(0)) << "zz41" << false;
        // clang-format on
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
        QTest::addColumn<QString>("shown"); // empty: not a valid message
        const QString time = "Time:24/01/02,03:04:05+32\r\n";
        // clang-format off
        QTest::newRow("four-fields") << QByteArray("AT+CMGR=3\r\r\n+CMGR: \"REC UNREAD\",\"002B0038\",\"\",\"24/01/02,03:04:05+32\"\r\n004800690021\r\n\r\nOK\r\n")
            << "Sender:+8\r\n" + time + "Hi!";
        QTest::newRow("header-with-more-fields") << QByteArray("+CMGR: \"REC READ\",\"0031\",\"\",\"24/01/02,03:04:05+32\",145,4,0,8,\"0032\",145,4\r\n4E2D\r\n\r\nOK\r\n")
            << "Sender:1\r\n" + time + QChar(0x4E2D);
        QTest::newRow("no-name-field") << QByteArray("+CMGR: \"REC READ\",\"0031\",,\"24/01/02\"\r\n0041\r\n\r\nOK\r\n") << "";
        // clang-format on
    }

    void receivedMessage()
    {
        QFETCH(QByteArray, reply);
        QVERIFY(AtReply::isReceivedMessage(reply));
        const AtReply::SmsMessage m = AtReply::parseReceivedMessage(reply);
        QTEST(m.valid ? AtReply::formatMessage(m) : QString(), "shown");
    }

    // Chunks in, results out, in order, with the reader's buffer at the end.
    void unsolicited_data()
    {
        QTest::addColumn<Bytes>("chunks");
        QTest::addColumn<QStringList>("results");
        QTest::addColumn<QByteArray>("bufferAfter");
        const QByteArray clip = "+CLIP: \"10086\",129,\"\",0,\"\",0\r\n";
        // clang-format off
        QTest::newRow("ring-then-caller") << Bytes{"\r\nRING\r\n", clip} << QStringList{"call:", "call:10086"} << QByteArray();
        QTest::newRow("ring-and-caller-in-one-read") << Bytes{"\r\nRING\r\n" + clip} << QStringList{"call:", "call:10086"} << QByteArray();
        QTest::newRow("caller-145-international") << Bytes{"RING\r\n", "+CLIP: \"+86138\",145,\"\",,\"\",0\r\n"} << QStringList{"call:", "call:+86138"} << QByteArray();
        QTest::newRow("caller-line-split") << Bytes{"RING\r\n", "+CLIP: \"10086\",1", "29,\"\",0\r\n"} << QStringList{"call:", "call:10086"} << QByteArray();
        QTest::newRow("repeated-ring-without-caller") << Bytes{"RING\r\n", "RING\r\n"} << QStringList{"call:"} << QByteArray("RING\r\nRING\r\n");
        QTest::newRow("caller-gives-up-next-call-shows") << Bytes{"RING\r\n", "\r\nNO CARRIER\r\n", "RING\r\n"} << QStringList{"call:", "ended", "call:"} << QByteArray("RING\r\n");
        QTest::newRow("busy-split") << Bytes{"\r\nBU", "SY\r\n"} << QStringList{"busy"} << QByteArray();
        QTest::newRow("colp") << Bytes{"\r\n+COLP: \"10086\",129\r\n"} << QStringList{"connected"} << QByteArray();
        QTest::newRow("new-sms-split") << Bytes{"\r\n+CMTI: \"SM\",", "3\r\n"} << QStringList{"sms:3"} << QByteArray();
        QTest::newRow("sms-then-ring-in-one-read") << Bytes{"\r\n+CMTI: \"SM\",12\r\n\r\nRING\r\n"} << QStringList{"sms:12", "call:"} << QByteArray("\r\nRING\r\n");
        QTest::newRow("other-storage-waits") << Bytes{"\r\n+CMTI: \"ME\",3\r\n"} << QStringList{} << QByteArray("\r\n+CMTI: \"ME\",3\r\n");
        QTest::newRow("flood-capped-newest-kept") << Bytes{QByteArray(9000, 'x'), "\r\nBUSY\r\n"} << QStringList{"busy"} << QByteArray();
        // clang-format on
    }

    void unsolicited()
    {
        QFETCH(Bytes, chunks);
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
            QVERIFY(buffer.size() <= AtReply::unsolicitedBufferLimit);
        }
        QTEST(got, "results");
        QTEST(buffer, "bufferAfter");
    }

    // Reads as they arrive, what the caller sees of each, and the notices taken out in order.
    void unsolicitedTakenOutOfReplies_data()
    {
        QTest::addColumn<Bytes>("reads");
        QTest::addColumn<Bytes>("seen");
        QTest::addColumn<QByteArray>("notices");
        const QByteArray ok = "\r\nOK\r\n", sms = "\r\n+CMTI: \"SM\",";
        // clang-format off
        QTest::newRow("sms-inside-signal-reply") << Bytes{sms + "3\r\n\r\n+CSQ: 20,0\r\n" + ok} << Bytes{"\r\n\r\n+CSQ: 20,0\r\n" + ok} << QByteArray("+CMTI: \"SM\",3\r\n");
        QTest::newRow("query-reply-is-no-notice") << Bytes{"\r\n+CLIP: 1,1\r\n" + ok} << Bytes{"\r\n+CLIP: 1,1\r\n" + ok} << QByteArray();
        QTest::newRow("notice-split-across-reads") << Bytes{sms, "3\r\n" + ok} << Bytes{sms, ok} << QByteArray("+CMTI: \"SM\",3\r\n");
        QTest::newRow("line-end-split-across-reads") << Bytes{"\r\nRING\r", "\n" + ok} << Bytes{"\r\nRING\r", ok} << QByteArray("RING\r\n");
        QTest::newRow("dial-outcome-stays-notices-go") << Bytes{"\r\nBUSY\r\n\r\nNO CARRIER\r\n\r\n+CLIP: \"1\",129\r\n"}
            << Bytes{"\r\n\r\nNO CARRIER\r\n\r\n"} << QByteArray("BUSY\r\n+CLIP: \"1\",129\r\n");
        QTest::newRow("unfinished-notice-handed-over-at-end") << Bytes{ok + sms} << Bytes{ok + sms} << QByteArray("+CMTI: \"SM\",");
        // clang-format on
    }

    void unsolicitedTakenOutOfReplies()
    {
        QFETCH(Bytes, reads);
        Exchange rig;
        Bytes seen;
        {
            AtExchange at([&] { return &rig.port; }, [](int) {},
                          [&](const QByteArray& line) { rig.notices += line; });
            at.setOwnResults({"NO CARRIER"});
            for (const QByteArray& read : reads) {
                rig.pty.write(read);
                QTRY_COMPARE(rig.port.bytesAvailable(), qint64(read.size()));
                seen << at.read();
            }
        }
        QTEST(seen, "seen");
        QTEST(rig.notices, "notices");
    }

    // The modem answers in two pieces: the wait ends once the reply is complete, not after the pause.
    void completeReplyEndsPause()
    {
        Exchange rig;
        QVERIFY(rig.at.send("AT+CSQ\r\n"));
        QCOMPARE(rig.pty.read(8), QByteArray("AT+CSQ\r\n"));
        QTimer::singleShot(50, [&] { rig.pty.write("\r\n+CMTI: \"SM\",3\r\n\r\n+CSQ: 20,0\r\n"); });
        QTimer::singleShot(100, [&] { rig.pty.write("\r\nOK\r\n"); });
        QElapsedTimer clock;
        clock.start();
        QCOMPARE(rig.at.waitFor(3, 2000, {"+CSQ: 20,0\r\n\r\nOK\r\n"}), 0);
        QVERIFY(clock.elapsed() < 1000);
        QCOMPARE(rig.notices, QByteArray("+CMTI: \"SM\",3\r\n"));
        // A silent modem: every poll and pause is spent.
        clock.restart();
        QCOMPARE(rig.at.poll(5, 40, [](const QByteArray&) { return false; }), AtExchange::Result::TimedOut);
        QVERIFY(clock.elapsed() >= 200);
    }

    void portGoneDuringPauseEndsAtOnce()
    {
        Exchange rig;
        QTimer::singleShot(150, [&] { rig.port.close(); });
        QElapsedTimer clock;
        clock.start();
        QCOMPARE(rig.at.poll(50, 100, [](const QByteArray&) { return false; }), AtExchange::Result::PortLost);
        QVERIFY(clock.elapsed() < 1000);
        QVERIFY(!rig.at.send("AT\r\n") && rig.at.read().isEmpty());
    }

    void floodIsCutToNewestBytes()
    {
        Exchange rig;
        const QByteArray flood = QByteArray(100 * 1024, 'x') + "\r\nOK\r\n";
        for (int done = 0; done < flood.size(); done += 1024) {
            rig.pty.write(flood.mid(done, 1024));
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

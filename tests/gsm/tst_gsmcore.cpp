// Reading a GSM modem's replies, unsolicited results and UCS2 hex text, and AT transactions
// against a pseudo-terminal playing the modem.
#include <QElapsedTimer>
#include <QSerialPort>
#include <QTest>
#include <QTimer>

#include "gsm/atexchange.h"
#include "gsm/atreply.h"
#include "tests/common/ptypair.h"

using namespace AtReply;

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

// Each way of reading what the modem sent, written out as text so that one table holds them all.
// Input pieces that arrive in separate reads are split at '|'; "[...]" is what is left over.
QString shown(const QString& reading, const QByteArray& r)
{
    // clang-format off
    if (reading == "class")
        return QStringList{holds(r, "OK\r\n") ? "ok" : "", isError(r) ? "error" : "",
                           endsWithFinalResult(r) ? "complete" : "", isFailedAttempt(r) ? "failed-dial" : ""}.join(' ').simplified();
    if (reading == "settings") // caller display, ringer, text mode
        return QString("%1 %2 %3").arg(clipSetting(r)).arg(ringerSetting(r)).arg(smsTextModeSetting(r));
    bool found = false;
    const int csq = csqValue("+CSQ: " + r + "\r\nOK\r\n", &found);
    if (reading == "signal")
        return found ? QString::fromLatin1(signalPicture(csq)) : "not found";
    // Decoding is lenient; what does not encode back to the same hex is marked.
    const QString text = fromUcs2Hex(QString::fromLatin1(r));
    if (reading == "ucs2")
        return toUcs2Hex(text) == r ? text : text + " (one way)";
    const SmsMessage m = parseReceivedMessage(r);
    if (reading == "sms")
        return !isReceivedMessage(r) ? "not received" : m.valid ? formatMessage(m) : "invalid";
    // clang-format on
    QStringList got;
    QByteArray left;
    if (reading == "notices") { // the results in order, and the reader's buffer afterwards
        bool ringSeen = false, clipSeen = false;
        for (const QByteArray& chunk : r.split('|')) {
            for (const Unsolicited& u : readUnsolicited(left, ringSeen, clipSeen, chunk)) {
                const char* names[] = {"ended", "busy", "connected", "call:", "sms:"};
                got << names[u.kind] + (u.kind >= Unsolicited::IncomingCall ? u.detail : "");
            }
            if (left.size() > unsolicitedBufferLimit)
                got << "overflow";
        }
        return got.join(' ') + " [" + left + "]";
    }
    // "exchange": what a transaction sees of each read, and the notices taken out of them.
    // "reply": what its waits see after each read; text before '#' is a line the reader had begun.
    Exchange rig;
    {
        const qsizetype begun = reading == "reply" ? r.indexOf('#') : -1;
        AtExchange at([&] { return &rig.port; }, [](int) {}, [&](const QByteArray& line) { left += line; },
                      r.left(qMax<qsizetype>(begun, 0)));
        at.setOwnResults({"NO CARRIER"});
        for (const QByteArray& read : r.mid(begun + 1).split('|')) {
            rig.pty.write(read);
            if (!QTest::qWaitFor([&] { return rig.port.bytesAvailable() == read.size(); }))
                return "read lost";
            const QByteArray seen = at.read();
            got << (begun < 0 ? seen : at.reply());
        }
    }
    return got.join('|') + " [" + left + "]";
}

} // namespace

class TestGsmCore : public QObject
{
    Q_OBJECT
private slots:
    void readings_data()
    {
        QTest::addColumn<QString>("reading");
        QTest::addColumn<QString>("input");
        QTest::addColumn<QString>("shown");
        auto row = [](const char* name, const char* reading, const QString& in, const QString& out) {
            QTest::newRow(name) << QString(reading) << in << out;
        };
        const QString clip = "+CLIP: \"10086\",129,\"\",0,\"\",0\r\n", ok = "\r\nOK\r\n",
                      sms = "\r\n+CMTI: \"SM\",";
        const QString time = "Time:24/01/02,03:04:05+32\r\n";
        // clang-format off
        row("ok", "class", "\r\n+CSQ: 20,0\r\n\r\nOK\r\n", "ok complete");
        row("ok-after-zero-byte", "class", "\r\n" + QString(QChar(0)) + "OK\r\n", "");
        row("ok-unfinished", "class", "\r\nOK\r", "");
        row("value-line-only", "class", "\r\n+CSQ: 20,0\r\n", "");
        row("error", "class", "\r\nERROR\r\n", "error complete");
        row("cme-error", "class", "\r\n+CME ERROR: 30\r\n", "error complete");
        row("prompt", "class", "AT+CIPSEND\r\r\n> ", "complete");
        row("send-fail", "class", "\r\nSEND FAIL\r\n", "complete");
        row("notice-is-no-reply", "class", "\r\nRING\r\n", "");
        row("no-carrier", "class", "\r\nNO CARRIER\r\n", "complete failed-dial");
        row("no-dialtone", "class", "\r\nNO DIALTONE\r\n", "complete failed-dial");
        row("busy", "class", "\r\nBUSY\r\n", "complete failed-dial");
        row("unknown-caller", "class", "\r\n+CLIP: \"UNKNOWN\",129\r\n", "");

        row("clip-on", "settings", "\r\n+CLIP: 1,1\r\n\r\nOK\r\n", "1 -1 -1");
        // Only the first field counts: the second is the network's provisioning.
        row("clip-off-provisioned", "settings", "\r\n+CLIP: 0,1\r\nOK\r\n", "0 -1 -1");
        row("calm-0-is-ringer-on", "settings", "+CALM: 0\r\n\r\nOK\r\n", "-1 1 -1");
        row("calm-1-is-ringer-off", "settings", "+CALM: 1\r\n\r\nOK\r\n", "-1 0 -1");
        row("cmgf-text", "settings", "+CMGF: 1\r\nOK\r\n", "-1 -1 1");
        row("cmgf-pdu", "settings", "+CMGF: 0\r\nOK\r\n", "-1 -1 0");
        row("echo-only", "settings", "AT+CLIP?\rAT+CALM?\rAT+CMGF?\r", "-1 -1 -1");
        row("value-not-arrived", "settings", "\r\n+CLIP: ", "-1 -1 -1");

        row("99-unknown", "signal", "99,99", ":images/sig0.png");
        row("31", "signal", "31,0", ":images/sig100.png");
        row("98", "signal", "98,0", ":images/sig100.png");
        row("02-padded", "signal", "02,0", ":images/sig75.png");
        // 27.007 does not pad the value: a single digit is still that level.
        row("5-unpadded", "signal", "5,0", ":images/sig75.png");
        row("1", "signal", "1,0", ":images/sig50.png");
        row("0", "signal", "0,0", ":images/sig25.png");
        row("not-a-number", "signal", "ab,0", ":images/sig25.png");
        row("out-of-range", "signal", "120,0", "");
        row("negative", "signal", "-1,0", "");

        row("line-feed", "ucs2", "000a", "\n");
        row("e-acute", "ucs2", "00e9", "\u00e9");
        row("cjk-zhong", "ucs2", "4e2d", "\u4e2d");
        row("plus-number", "ucs2", "002b00380036003100330038", "+86138");
        row("astral-two-units", "ucs2", "d83dde00", "\U0001F600");
        row("empty", "ucs2", "", "");
        row("upper-case", "ucs2", "004E00C4", "N\u00c4 (one way)");
        row("short-tail-dropped", "ucs2", "004800", "H (one way)");
        row("not-hex-reads-as-zero", "ucs2", "zz41", QString(QChar(0)) + " (one way)");

        row("four-fields", "sms", "AT+CMGR=3\r\r\n+CMGR: \"REC UNREAD\",\"002B0038\",\"\",\"24/01/02,03:04:05+32\"\r\n004800690021\r\n\r\nOK\r\n", "Sender:+8\r\n" + time + "Hi!");
        row("header-with-more-fields", "sms", "+CMGR: \"REC READ\",\"0031\",\"\",\"24/01/02,03:04:05+32\",145,4,0,8,\"0032\",145,4\r\n4E2D\r\n\r\nOK\r\n", "Sender:1\r\n" + time + "\u4e2d");
        row("no-name-field", "sms", "+CMGR: \"REC READ\",\"0031\",,\"24/01/02\"\r\n0041\r\n\r\nOK\r\n", "invalid");
        row("stored", "sms", "+CMGR: \"STO UNSENT\",\"0031\",\"\"\r\n0041\r\n\r\nOK\r\n", "not received");

        row("ring-then-caller", "notices", "\r\nRING\r\n|" + clip, "call: call:10086 []");
        row("ring-and-caller-in-one-read", "notices", "\r\nRING\r\n" + clip, "call: call:10086 []");
        row("caller-145-international", "notices", "RING\r\n|+CLIP: \"+86138\",145,\"\",,\"\",0\r\n", "call: call:+86138 []");
        row("caller-line-split", "notices", "RING\r\n|+CLIP: \"10086\",1|29,\"\",0\r\n", "call: call:10086 []");
        row("repeated-ring-without-caller", "notices", "RING\r\n|RING\r\n", "call: [RING\r\nRING\r\n]");
        row("caller-gives-up-next-call-shows", "notices", "RING\r\n|\r\nNO CARRIER\r\n|RING\r\n", "call: ended call: [RING\r\n]");
        row("busy-split", "notices", "\r\nBU|SY\r\n", "busy []");
        row("colp", "notices", "\r\n+COLP: \"10086\",129\r\n", "connected []");
        row("new-sms-split", "notices", sms + "|3\r\n", "sms:3 []");
        row("sms-then-ring-in-one-read", "notices", "\r\n+CMTI: \"SM\",12\r\n\r\nRING\r\n", "sms:12 call: [\r\nRING\r\n]");
        row("other-storage-waits", "notices", "\r\n+CMTI: \"ME\",3\r\n", " [\r\n+CMTI: \"ME\",3\r\n]");
        row("flood-capped-newest-kept", "notices", QString(9000, 'x') + "|\r\nBUSY\r\n", "busy []");

        row("sms-inside-signal-reply", "exchange", sms + "3\r\n\r\n+CSQ: 20,0\r\n" + ok, "\r\n\r\n+CSQ: 20,0\r\n" + ok + " [+CMTI: \"SM\",3\r\n]");
        row("query-reply-is-no-notice", "exchange", "\r\n+CLIP: 1,1\r\n" + ok, "\r\n+CLIP: 1,1\r\n" + ok + " []");
        row("notice-split-across-reads", "exchange", sms + "|3\r\n" + ok, sms + "|" + ok + " [+CMTI: \"SM\",3\r\n]");
        row("line-end-split-across-reads", "exchange", "\r\nRING\r|\n" + ok, "\r\nRING\r|" + ok + " [RING\r\n]");
        row("dial-outcome-stays-notices-go", "exchange", "\r\nBUSY\r\n\r\nNO CARRIER\r\n\r\n+CLIP: \"1\",129\r\n", "\r\n\r\nNO CARRIER\r\n\r\n [BUSY\r\n+CLIP: \"1\",129\r\n]");
        row("unfinished-notice-handed-over-at-end", "exchange", ok + sms, ok + sms + " [+CMTI: \"SM\",]");
        row("no-answer-ends-call", "notices", "\r\nNO ANSWER\r\n", "ended []");
        row("no-dialtone-split", "notices", "\r\nNO DIAL|TONE\r\n", "ended []");

        row("reply-gathered-across-reads", "reply", "#\r\n+CSQ: 15,0\r|\n|" + ok, "\r\n+CSQ: 15,0\r|\r\n+CSQ: 15,0\r\n|\r\n+CSQ: 15,0\r\n" + ok + " []");
        row("result-split-mid-word", "reply", "#ATD7;\r\r\nNO CAR|RIER\r\n", "ATD7;\r\r\nNO CAR|ATD7;\r\r\nNO CARRIER\r\n []");
        row("begun-notice-finished", "reply", "+CMTI: \"SM\"#,7\r\n" + ok, ok + " [+CMTI: \"SM\",7\r\n]");
        row("begun-notice-left-unfinished", "reply", "+CMTI: \"SM\"#,", "+CMTI: \"SM\", [+CMTI: \"SM\",]");
        // clang-format on
    }

    void readings()
    {
        QFETCH(QString, reading);
        QFETCH(QString, input);
        QTEST(::shown(reading, input.toLatin1()), "shown");
    }

    // A caller line after a ring, split between two reads at every byte (before the ring's line,
    // between the lines, inside the caller line): the short form ends right after the number
    // type (3GPP TS 27.007 makes the later fields optional), the long form goes on; a field that
    // only begins like a type is none.
    void callerAtEverySplit_data()
    {
        QTest::addColumn<QString>("input");
        QTest::addColumn<QString>("shown"); // the results in order
        const QString ring = "\r\nRING\r\n", longForm = ring + "\r\n+CLIP: \"10086\",129,\"\",0,\"\",0\r\n";
        const QString notType = ring + "\r\n+CLIP: \"10086\",1450\r\n";
        // clang-format off
        QTest::newRow("short-international") << ring + "\r\n+CLIP: \"+8613800138000\",145\r\n" << "call: call:+8613800138000";
        QTest::newRow("short-unknown") << ring + "\r\n+CLIP: \"10086\",129\r\n" << "call: call:10086";
        QTest::newRow("short-national") << ring + "\r\n+CLIP: \"13800138000\",161\r\n" << "call: call:13800138000";
        QTest::newRow("long-form") << longForm << "call: call:10086";
        QTest::newRow("type-1450-is-no-type") << notType << "call:";
        // clang-format on
    }
    void callerAtEverySplit()
    {
        QFETCH(QString, input);
        QFETCH(QString, shown);
        for (qsizetype at = 0; at <= input.size(); ++at) {
            const QString reads = input.left(at) + '|' + input.mid(at);
            QCOMPARE(::shown("notices", reads.toLatin1()).section(" [", 0, 0), shown); // the results
        }
    }

    // A wait ends once the reply is complete or the port is gone, not after the pause; the
    // modem answers in two pieces, then stays silent, then goes.
    void waitsEndEarly()
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
        const auto never = [](const QByteArray&) { return false; };
        clock.restart();
        QCOMPARE(rig.at.poll(5, 40, never), AtExchange::Result::TimedOut);
        QVERIFY(clock.elapsed() >= 200);
        QTimer::singleShot(150, [&] { rig.port.close(); });
        clock.restart();
        QCOMPARE(rig.at.poll(50, 100, never), AtExchange::Result::PortLost);
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

// Text, file and scan rules shared by the terminals, fed directly.
#include <QBuffer>
#include <QFile>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include "serial/linefilesender.h"
#include "serial/portscan.h"
#include "serial/terminalfiles.h"
#include "serial/terminalformat.h"

class TestTerminalFormat : public QObject
{
    Q_OBJECT
private slots:
    void hexViews()
    {
        const QByteArray abcrlf = QByteArray::fromHex("41420d0a");
        QCOMPARE(TerminalFormat::hexSerial(abcrlf), QStringLiteral("0x41,0x42,0x0d,0x0a,\n"));
        QCOMPARE(TerminalFormat::hexSerial(QByteArray::fromHex("0aff00")),
                 QStringLiteral("0x0a,\n0xff,0x00,"));
        QCOMPARE(TerminalFormat::hexNetwork(abcrlf), QStringLiteral("0x41, 0x42, 0x0D, 0x0A, "));
        QCOMPARE(TerminalFormat::hexNetwork(QByteArray()), QString());
    }

    void hexTokens_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("ok");
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("prefixed-comma-blank") << "0x01, 0x02,0x03" << true << QByteArray::fromHex("010203");
        QTest::newRow("bare-blanks") << "01 02 03" << true << QByteArray::fromHex("010203");
        QTest::newRow("no-pairing-across-tokens") << "0x12 0x34" << true << QByteArray::fromHex("1234");
        QTest::newRow("long-token-low-byte") << "1234" << true << QByteArray::fromHex("34");
        QTest::newRow("long-prefixed-low-byte") << "0x1234" << true << QByteArray::fromHex("34");
        QTest::newRow("32-bit-max") << "FFFFFFFF" << true << QByteArray::fromHex("ff");
        QTest::newRow("above-32-bits") << "100000000" << false << QByteArray();
        QTest::newRow("mixed-case-digits") << "aB 0xCd" << true << QByteArray::fromHex("abcd");
        QTest::newRow("bad-token-drops-all") << "12 zz" << false << QByteArray();
        QTest::newRow("capital-X") << "0X41" << false << QByteArray();
        QTest::newRow("line-break-inside") << "12\n34" << false << QByteArray();
        QTest::newRow("tab-inside") << "12\t34" << false << QByteArray();
        QTest::newRow("only-blanks") << "   " << true << QByteArray();
        QTest::newRow("bare-0x") << "0x" << false << QByteArray();
        QTest::newRow("leading-trailing-commas") << ",41,,42," << true << QByteArray::fromHex("4142");
    }

    void hexTokens()
    {
        QFETCH(QString, text);
        QFETCH(bool, ok);
        QFETCH(QByteArray, bytes);
        QByteArray out("junk");
        QCOMPARE(TerminalFormat::parseHexTokens(text, &out), ok);
        QCOMPARE(out, bytes);
    }

    void serialText_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("no-line-end-added") << "AT" << QByteArray("AT");
        QTest::newRow("lf-becomes-crlf") << "AT\nOK" << QByteArray("AT\r\nOK");
        QTest::newRow("crlf-stays-single") << "AT\r\nOK" << QByteArray("AT\r\nOK");
        QTest::newRow("lone-cr-stays") << "A\rB" << QByteArray("A\rB");
        QTest::newRow("utf8") << QString::fromUtf8("é") << QByteArray("\xc3\xa9");
    }

    void serialText()
    {
        QFETCH(QString, text);
        QFETCH(QByteArray, bytes);
        QCOMPARE(TerminalFormat::serialText(text), bytes);
    }

    void networkText()
    {
        QCOMPARE(TerminalFormat::networkText("ABC\n"), QStringLiteral("ABC\r\n"));
        QCOMPARE(TerminalFormat::networkText("A\nB"), QStringLiteral("A\nB"));
    }

    void escapes_data()
    {
        QTest::addColumn<QByteArray>("typed");
        QTest::addColumn<QByteArray>("sent");
        QTest::newRow("at-crlf") << QByteArray("AT\\r\\n") << QByteArray::fromHex("41540d0a");
        QTest::newRow("all-letters") << QByteArray("\\t\\a\\b\\f\\v") << QByteArray::fromHex("0907080c0b");
        QTest::newRow("quotes") << QByteArray("\\?\\'\\\"") << QByteArray("?'\"");
        QTest::newRow("literal-backslash-n") << QByteArray("\\\\n") << QByteArray("\\n");
        QTest::newRow("literal-backslash-question") << QByteArray("\\\\?") << QByteArray("\\?");
        QTest::newRow("four-backslashes") << QByteArray("\\\\\\\\") << QByteArray("\\\\");
        QTest::newRow("hex-form-unchanged") << QByteArray("\\x41") << QByteArray("\\x41");
        QTest::newRow("octal-form-unchanged") << QByteArray("\\0") << QByteArray("\\0");
        QTest::newRow("lone-backslash-at-end") << QByteArray("AB\\") << QByteArray("AB\\");
        QTest::newRow("empty") << QByteArray() << QByteArray();
    }

    void escapes()
    {
        QFETCH(QByteArray, typed);
        QFETCH(QByteArray, sent);
        QCOMPARE(TerminalFormat::expandEscapes(typed), sent);
    }

    void counter_data()
    {
        QTest::addColumn<int>("shown");
        QTest::addColumn<qint64>("added");
        QTest::addColumn<int>("result");
        QTest::newRow("plain") << 10 << qint64(4) << 14;
        QTest::newRow("exactly-cap") << 99995 << qint64(4) << 99999;
        QTest::newRow("passes-cap") << 99989 << qint64(20) << 99999;
        QTest::newRow("stays-at-cap") << 99999 << qint64(1) << 99999;
        QTest::newRow("huge") << 0 << qint64(1) << 1;
        QTest::newRow("beyond-int") << 5 << qint64(1) << 6;
    }

    void counter()
    {
        QFETCH(int, shown);
        QFETCH(qint64, added);
        QFETCH(int, result);
        QCOMPARE(TerminalFormat::addToCount(shown, added), result);
        QCOMPARE(TerminalFormat::addToCount(0, qint64(1) << 40), 99999);
    }

    void portFilter_data()
    {
        QTest::addColumn<QStringList>("names");
        QTest::addColumn<QStringList>("listed");
        QTest::newRow("system-order-kept")
            << QStringList{"ttyS0", "ttyUSB0", "ttyAMA0", "ttyACM0"} << QStringList{"ttyUSB0", "ttyACM0"};
        QTest::newRow("prefix-only") << QStringList{"ttyS12", "ttySAC0", "ttys0", "ttyAMA10", "ttyama0"}
                                     << QStringList{"ttys0", "ttyama0"};
    }

    void portFilter()
    {
        QFETCH(QStringList, names);
        QFETCH(QStringList, listed);
        QCOMPARE(PortScan::filtered(names), listed);
    }

    void scanPlan()
    {
        const QStringList current{"a", "b", "c", "d"};
        QCOMPARE(PortScan::additions(current, {"c", "e", "a", "f"}), (QStringList{"e", "f"}));
        QCOMPARE(PortScan::removals(current, {"c", "e", "a", "f"}), (QStringList{"b", "d"}));
        QCOMPARE(PortScan::removals(current, {}), current);
        QCOMPARE(PortScan::additions({}, {"x", "x"}), QStringList{"x"});
    }

    void saveText()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath("out.txt");
        QString error;
        QVERIFY(TerminalFiles::saveText(path, QStringLiteral("AB\nCD"), &error));
        QFile f(path);
        QVERIFY(f.open(QIODevice::ReadOnly));
        QCOMPARE(f.readAll(), QByteArray("AB\nCD"));
        QVERIFY(!TerminalFiles::saveText(dir.filePath("missing/out.txt"), "x", &error));
        QVERIFY(!error.isEmpty());
    }

    void loadLimit_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<int>("result");
        QTest::addColumn<QString>("text");
        QTest::newRow("empty") << QByteArray() << int(TerminalFiles::LoadResult::Loaded) << QString();
        QTest::newRow("exactly-limit")
            << QByteArray(10000, 'a') << int(TerminalFiles::LoadResult::Loaded) << QString(10000, 'a');
        QTest::newRow("one-above-limit")
            << QByteArray(10001, 'a') << int(TerminalFiles::LoadResult::TooLarge) << QString();
        QTest::newRow("crlf-read-as-lf")
            << QByteArray("L1\r\nL2\r\n") << int(TerminalFiles::LoadResult::Loaded)
            << QStringLiteral("L1\nL2\n");
        QTest::newRow("line-cut-at-nul") << QByteArray("ab\0cd\nef", 8)
                                         << int(TerminalFiles::LoadResult::Loaded) << QStringLiteral("abef");
    }

    void loadLimit()
    {
        QFETCH(QByteArray, content);
        QFETCH(int, result);
        QFETCH(QString, text);
        QTemporaryDir dir;
        QFile f(dir.filePath("in.txt"));
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(content);
        f.close();
        QString loaded;
        qint64 size = -1;
        QCOMPARE(int(TerminalFiles::loadSendText(f.fileName(), 10000, &loaded, &size)), result);
        QCOMPARE(size, qint64(content.size()));
        QCOMPARE(loaded, text);
        QCOMPARE(int(TerminalFiles::loadSendText(dir.filePath("nope"), 10000, &loaded, &size)),
                 int(TerminalFiles::LoadResult::OpenFailed));
    }

    void loadDeviceFileIsBounded()
    {
        QString loaded;
        qint64 size = 0;
        // A device that never ends must not be read without bound.
        const auto result = TerminalFiles::loadSendText("/dev/zero", 10000, &loaded, &size);
        QVERIFY(result != TerminalFiles::LoadResult::OpenFailed);
        QVERIFY(loaded.size() <= 10000);
    }

    void fileSenderSendsBytesUnchanged()
    {
        QTemporaryDir dir;
        QFile f(dir.filePath("lines.bin"));
        QVERIFY(f.open(QIODevice::WriteOnly));
        const QByteArray content("one\r\ntwo\n\0three", 15);
        f.write(content);
        f.close();
        QBuffer sink;
        sink.open(QIODevice::WriteOnly);
        LineFileSender sender;
        QSignalSpy done(&sender, &LineFileSender::finished);
        QVERIFY(sender.start(f.fileName(), &sink, 1));
        QVERIFY(done.wait(2000));
        QCOMPARE(done.first().at(0).toBool(), true);
        QCOMPARE(sink.data(), content);
        QVERIFY(!sender.start(dir.filePath("missing"), &sink));
    }

    void fileSenderStopsWhenDeviceCloses()
    {
        QTemporaryDir dir;
        QFile f(dir.filePath("lines.txt"));
        QVERIFY(f.open(QIODevice::WriteOnly));
        for (int i = 0; i < 1000; ++i)
            f.write("line\n");
        f.close();
        QBuffer sink;
        sink.open(QIODevice::WriteOnly);
        LineFileSender sender;
        QSignalSpy done(&sender, &LineFileSender::finished);
        QVERIFY(sender.start(f.fileName(), &sink, 1));
        QTRY_VERIFY(sink.data().size() >= 10);
        sink.close();
        QVERIFY(done.wait(2000));
        QCOMPARE(done.first().at(0).toBool(), false);
        QVERIFY(!sender.isRunning());
    }
};

QTEST_GUILESS_MAIN(TestTerminalFormat)
#include "tst_terminalformat.moc"

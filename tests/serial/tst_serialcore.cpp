// Text, file and scan rules of the terminals, and the serial worker against a pseudo-terminal.
#include <QSerialPort>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include "serial/portscan.h"
#include "serial/terminalfiles.h"
#include "serial/terminalformat.h"
#include "serial/threadserial.h"
#include "tests/common/ptypair.h"

namespace {

void openWorker(ThreadSerial& w, const QString& port, bool emitReceived, int parity = 0, int stopBits = 0)
{
    w.portName = port;
    w.baud = 115200;
    w.dataBits = 8;
    w.parityIndex = parity;
    w.stopBitsIndex = stopBits;
    w.Init(emitReceived);
}

} // namespace

class TestSerialCore : public QObject
{
    Q_OBJECT
private slots:
    void hexTokens_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("ok");
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("long-token-low-byte") << "0x1234" << true << QByteArray::fromHex("34");
        QTest::newRow("32-bit-max") << "FFFFFFFF" << true << QByteArray::fromHex("ff");
        QTest::newRow("above-32-bits") << "100000000" << false << QByteArray();
        QTest::newRow("bad-token-drops-all") << "12 zz" << false << QByteArray();
        QTest::newRow("capital-X") << "0X41" << false << QByteArray();
        QTest::newRow("line-break-inside") << "12\n34" << false << QByteArray();
        QTest::newRow("only-blanks") << "   " << true << QByteArray();
        QTest::newRow("bare-0x") << "0x" << false << QByteArray();
        QTest::newRow("leading-trailing-commas") << ",41,,42," << true << QByteArray::fromHex("4142");
    }

    void hexTokens()
    {
        QFETCH(QString, text);
        QFETCH(QByteArray, bytes);
        QByteArray out("junk");
        QTEST(TerminalFormat::parseHexTokens(text, &out), "ok");
        QCOMPARE(out, bytes);
    }

    void serialText_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("crlf-stays-single") << "AT\r\nOK" << QByteArray("AT\r\nOK");
        QTest::newRow("lone-cr-stays") << "A\rB" << QByteArray("A\rB");
        QTest::newRow("utf8") << QString::fromUtf8("é") << QByteArray("\xc3\xa9");
    }

    void serialText()
    {
        QFETCH(QString, text);
        QTEST(TerminalFormat::serialText(text), "bytes");
    }

    void escapes_data()
    {
        QTest::addColumn<QByteArray>("typed");
        QTest::addColumn<QByteArray>("sent");
        QTest::newRow("all-letters") << QByteArray("\\t\\a\\b\\f\\v") << QByteArray::fromHex("0907080c0b");
        QTest::newRow("quotes") << QByteArray("\\?\\'\\\"") << QByteArray("?'\"");
        QTest::newRow("hex-form-unchanged") << QByteArray("\\x41") << QByteArray("\\x41");
        QTest::newRow("lone-backslash-at-end") << QByteArray("AB\\") << QByteArray("AB\\");
    }

    void escapes()
    {
        QFETCH(QByteArray, typed);
        QTEST(TerminalFormat::expandEscapes(typed), "sent");
    }

    void counterSaturates()
    {
        QCOMPARE(TerminalFormat::addToCount(99989, 20), 99999);
        QCOMPARE(TerminalFormat::addToCount(99999, 1), 99999);
        QCOMPARE(TerminalFormat::addToCount(0, qint64(1) << 40), 99999);
    }

    void portScan()
    {
        QCOMPARE(PortScan::filtered({"ttyS0", "ttyUSB0", "ttyAMA0", "ttyACM0", "ttyS12", "ttySAC0", "ttys0",
                                     "ttyAMA10", "ttyama0"}),
                 (QStringList{"ttyUSB0", "ttyACM0", "ttys0", "ttyama0"}));
        const QStringList current{"a", "b", "c", "d"};
        QCOMPARE(PortScan::additions(current, {"c", "e", "a", "f"}), (QStringList{"e", "f"}));
        QCOMPARE(PortScan::removals(current, {"c", "e", "a", "f"}), (QStringList{"b", "d"}));
        QCOMPARE(PortScan::removals(current, {}), current);
        QCOMPARE(PortScan::additions({}, {"x", "x"}), QStringList{"x"});
    }

    void loadLimit_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<TerminalFiles::LoadResult>("result");
        QTest::addColumn<QString>("text");
        using R = TerminalFiles::LoadResult;
        QTest::newRow("exactly-limit") << QByteArray(10000, 'a') << R::Loaded << QString(10000, 'a');
        QTest::newRow("one-above-limit") << QByteArray(10001, 'a') << R::TooLarge << QString();
        QTest::newRow("line-cut-at-nul") << QByteArray("ab\0cd\nef", 8) << R::Loaded << "abef";
    }

    void loadLimit()
    {
        QFETCH(QByteArray, content);
        QTemporaryDir dir;
        QFile f(dir.filePath("in.txt"));
        QVERIFY(f.open(QIODevice::WriteOnly) && f.write(content) == content.size());
        f.close();
        QString loaded;
        qint64 size = -1;
        QTEST(TerminalFiles::loadSendText(f.fileName(), 10000, &loaded, &size), "result");
        QCOMPARE(size, qint64(content.size()));
        QTEST(loaded, "text");
    }

    void loadDeviceFileIsBounded()
    {
        QString loaded;
        qint64 size = 0;
        // A device that never ends must not be read without bound.
        QVERIFY(TerminalFiles::loadSendText("/dev/zero", 10000, &loaded, &size) !=
                TerminalFiles::LoadResult::OpenFailed);
        QVERIFY(loaded.size() <= 10000);
    }

    void unusualIndexesStillOpen_data()
    {
        QTest::addColumn<int>("parity");
        QTest::addColumn<int>("stopBits");
        QTest::addColumn<QSerialPort::Parity>("expectParity");
        QTest::addColumn<QSerialPort::StopBits>("expectStop");
        QTest::newRow("stop-1.5-keeps-one") << 0 << 1 << QSerialPort::NoParity << QSerialPort::OneStop;
        QTest::newRow("parity-5-none") << 5 << 0 << QSerialPort::NoParity << QSerialPort::OneStop;
        QTest::newRow("even-two-stop") << 2 << 2 << QSerialPort::EvenParity << QSerialPort::TwoStop;
    }

    void unusualIndexesStillOpen()
    {
        QFETCH(int, parity);
        QFETCH(int, stopBits);
        PtyPair pty;
        ThreadSerial w;
        openWorker(w, pty.slavePath(), true, parity, stopBits);
        QVERIFY(w.isOpen);
        QTEST(w.serialPort->parity(), "expectParity");
        QTEST(w.serialPort->stopBits(), "expectStop");
    }

    void unpluggedDeviceClosesPortAndReportsOnce()
    {
        PtyPair pty;
        ThreadSerial w;
        openWorker(w, pty.slavePath(), true);
        QSignalSpy failed(&w, &ThreadSerial::portFailed);
        pty.hangUp();
        QVERIFY(failed.wait(2000));
        QVERIFY(!w.serialPort->isOpen());
        QVERIFY(!failed.first().at(0).toString().isEmpty());
        // A vanished device would raise an error on every pass of the event loop.
        for (int pass = 0; pass < 20; ++pass)
            QCoreApplication::processEvents();
        QCOMPARE(failed.count(), 1);
    }
};

QTEST_GUILESS_MAIN(TestSerialCore)
#include "tst_serialcore.moc"

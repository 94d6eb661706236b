// Text, file and scan rules of the terminals, and the serial worker against a pseudo-terminal.
#include <QDir>
#include <QFileInfo>
#include <QSerialPort>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <cerrno>
#include <cstring>

#include "app/pickedfile.h"
#include "serial/portscan.h"
#include "serial/terminalfiles.h"
#include "serial/terminalformat.h"
#include "serial/threadserial.h"
#include "tests/common/filelimits.h"
#include "tests/common/pickedfifo.h"
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
    // How typed text becomes bytes: hex tokens ('h', "!" where the text is refused), the serial
    // terminal's line ends ('s') and the presets' escapes ('e').
    void typedText_data()
    {
        QTest::addColumn<char>("rule");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QByteArray>("bytes");
        const QByteArray refused("!");
        // clang-format off
        QTest::newRow("hex-long-token-low-byte") << 'h' << "0x1234" << QByteArray::fromHex("34");
        QTest::newRow("hex-32-bit-max") << 'h' << "FFFFFFFF" << QByteArray::fromHex("ff");
        QTest::newRow("hex-above-32-bits") << 'h' << "100000000" << refused;
        QTest::newRow("hex-bad-token-drops-all") << 'h' << "12 zz" << refused;
        QTest::newRow("hex-capital-X") << 'h' << "0X41" << refused;
        QTest::newRow("hex-line-break-inside") << 'h' << "12\n34" << refused;
        QTest::newRow("hex-leading-trailing-commas") << 'h' << ",41,,42," << QByteArray::fromHex("4142");
        QTest::newRow("serial-crlf-stays-single") << 's' << "AT\r\nOK" << QByteArray("AT\r\nOK");
        QTest::newRow("serial-utf8") << 's' << QString::fromUtf8("é") << QByteArray("\xc3\xa9");
        QTest::newRow("escape-letters-and-quotes") << 'e' << "\\t\\a\\b\\f\\v\\?\\'\\\"" << QByteArray("\t\a\b\f\v?'\"");
        QTest::newRow("escape-hex-form-unchanged") << 'e' << "\\x41" << QByteArray("\\x41");
        QTest::newRow("escape-lone-backslash-at-end") << 'e' << "AB\\" << QByteArray("AB\\");
        // clang-format on
    }
    void typedText()
    {
        QFETCH(char, rule);
        QFETCH(QString, text);
        QByteArray out("junk");
        if (rule == 'h' && !TerminalFormat::parseHexTokens(text, &out))
            out = out.isEmpty() ? "!" : "<refused, yet " + out + ">";
        else if (rule == 's')
            out = TerminalFormat::serialText(text);
        else if (rule == 'e')
            out = TerminalFormat::expandEscapes(text.toUtf8());
        QTEST(out, "bytes");
    }

    // The counters saturate; scans keep the wanted ports and report what came and went.
    void countersAndPortScan()
    {
        QCOMPARE(TerminalFormat::addToCount(99989, 20), 99999);
        QCOMPARE(TerminalFormat::addToCount(0, qint64(1) << 40), 99999);
        QCOMPARE(PortScan::filtered({"ttyS0", "ttyUSB0", "ttyAMA0", "ttyACM0", "ttyS12", "ttySAC0", "ttys0",
                                     "ttyAMA10", "ttyama0"}),
                 (QStringList{"ttyUSB0", "ttyACM0", "ttys0", "ttyama0"}));
        const QStringList current{"a", "b", "c", "d"};
        QCOMPARE(PortScan::additions(current, {"c", "e", "a", "f"}), (QStringList{"e", "f"}));
        QCOMPARE(PortScan::removals(current, {"c", "e", "a", "f"}), (QStringList{"b", "d"}));
        QCOMPARE(PortScan::additions({}, {"x", "x"}), QStringList{"x"});
    }

    // Each step changes the device directory, then the rescan looks: it enumerates the ports
    // when a name came, went or changed, at the first look, and while the directory is gone.
    void deviceNamesTellChanges_data()
    {
        QTest::addColumn<QStringList>("steps"); // "+name" adds, "-name" removes, "-" the directory
        QTest::addColumn<QString>("changed");   // per step: 1 enumerate, 0 not
        // clang-format off
        QTest::newRow("first-look-then-quiet") << QStringList{"", "", ""} << "100";
        QTest::newRow("adapter-plugged-and-pulled") << QStringList{"", "+ttyUSB0", "", "-ttyUSB0", ""} << "11010";
        QTest::newRow("another-under-the-same-count") << QStringList{"+ttyUSB0", "", "-ttyUSB0 +ttyACM0"} << "101";
        QTest::newRow("directory-gone") << QStringList{"", "-", "-"} << "111";
        // clang-format on
    }
    void deviceNamesTellChanges()
    {
        QFETCH(QStringList, steps);
        QTemporaryDir dir;
        for (const char* name : {"console", "tty0", "ttyS0", "ptmx"})
            QFile(dir.filePath(name)).open(QIODevice::WriteOnly);
        PortScan::DeviceNames devices(dir.path());
        QString changed;
        for (const QString& step : steps) {
            for (const QString& change : step.split(' ', Qt::SkipEmptyParts)) {
                if (change == "-")
                    dir.remove();
                else if (change.startsWith('+'))
                    QVERIFY(QFile(dir.filePath(change.mid(1))).open(QIODevice::WriteOnly));
                else
                    QVERIFY(QFile::remove(dir.filePath(change.mid(1))));
            }
            changed += devices.changed() ? '1' : '0';
        }
        QTEST(changed, "changed");
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
        QString error;
        QTEST(TerminalFiles::loadSendText(f.fileName(), 10000, &loaded, &size, &error), "result");
        QCOMPARE(size, qint64(content.size()));
        QTEST(loaded, "text");
    }

    // A device or FIFO may never end, or block in open() until a writer comes: refused
    // with the reason, before anything is opened.
    void loadRefusesNonRegularFiles_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::newRow("device") << "device";
        QTest::newRow("fifo-without-writer") << "fifo";
        QTest::newRow("directory") << "directory";
    }
    void loadRefusesNonRegularFiles()
    {
        QFETCH(QString, kind);
        QTemporaryDir dir;
        PickedFifo fifo;
        QString path = dir.filePath("picked");
        if (kind == "device")
            path = "/dev/zero";
        else if (kind == "fifo")
            path = fifo.path();
        else
            QVERIFY(QDir().mkpath(path));
        QString loaded;
        qint64 size = 0;
        QString error;
        QCOMPARE(TerminalFiles::loadSendText(path, 10000, &loaded, &size, &error),
                 TerminalFiles::LoadResult::OpenFailed);
        QCOMPARE(error, PickedFile::notRegularReason());
        QVERIFY(loaded.isEmpty());
    }

    // Export over a FIFO would wait for a reader: refused as for reading.
    void saveRefusesAFifo()
    {
        PickedFifo fifo;
        QString error;
        QVERIFY(!TerminalFiles::saveText(fifo.path(), "text", &error));
        QCOMPARE(error, PickedFile::notRegularReason());
        QVERIFY(QFileInfo::exists(fifo.path()) && !QFileInfo(fifo.path()).isFile()); // still the FIFO
    }

    // Export names the system's reason when the disk refuses the bytes: a file size limit
    // plays the full disk. The old file stays as it was.
    void saveReportsTheSystemsReason()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath("export.txt");
        QFile old(path);
        QVERIFY(old.open(QIODevice::WriteOnly) && old.write("old\n") == 4);
        old.close();
        QString error;
        {
            FileSizeLimit limit(4096);
            QVERIFY(!TerminalFiles::saveText(path, QString(10000, 'x'), &error));
        }
        QCOMPARE(error, QString::fromLocal8Bit(strerror(EFBIG)));
        QVERIFY(old.open(QIODevice::ReadOnly));
        QCOMPARE(old.readAll(), QByteArray("old\n"));
    }

    void unusualIndexesStillOpen_data()
    {
        QTest::addColumn<int>("parity");
        QTest::addColumn<int>("stopBits");
        QTest::addColumn<QSerialPort::Parity>("expectParity");
        QTest::addColumn<QSerialPort::StopBits>("expectStop");
        QTest::newRow("stop-1.5-keeps-one") << 0 << 1 << QSerialPort::NoParity << QSerialPort::OneStop;
        QTest::newRow("parity-5-none") << 5 << 0 << QSerialPort::NoParity << QSerialPort::OneStop;
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

    // The receiver runs the event loop (as the GPS tab does) while more bytes arrive: the
    // port gives no second readyRead for them, yet they are delivered without further input.
    void bytesArrivingDuringTheReceiverAreDelivered()
    {
        PtyPair pty;
        ThreadSerial w;
        openWorker(w, pty.slavePath(), true);
        QByteArray got;
        connect(&w, &ThreadSerial::Serial_read_Data, this, [&](const QByteArray& data) {
            got += data;
            if (got == "first") {
                pty.write("last");
                QTRY_VERIFY(w.serialPort->bytesAvailable() > 0); // read in, not announced
            }
        });
        pty.write("first");
        QTRY_COMPARE(got, QByteArray("firstlast"));
    }

    // One reason, the system's, whether the loss shows on a read or on a write.
    void unpluggedDeviceClosesPortAndReportsOnce_data()
    {
        QTest::addColumn<bool>("writing");
        QTest::newRow("seen-reading") << false;
        QTest::newRow("seen-writing") << true;
    }
    void unpluggedDeviceClosesPortAndReportsOnce()
    {
        QFETCH(bool, writing);
        PtyPair pty;
        ThreadSerial w;
        openWorker(w, pty.slavePath(), !writing);
        QSignalSpy failed(&w, &ThreadSerial::portFailed);
        pty.hangUp();
        if (writing)
            w.serialPort->write("after the device went");
        QVERIFY(failed.wait(2000));
        QVERIFY(!w.serialPort->isOpen());
        QCOMPARE(failed.first().at(0).toString(), QString::fromLocal8Bit(strerror(EIO)));
        // A vanished device would raise an error on every pass of the event loop.
        for (int pass = 0; pass < 20; ++pass)
            QCoreApplication::processEvents();
        QCOMPARE(failed.count(), 1);
    }
};

QTEST_GUILESS_MAIN(TestSerialCore)
#include "tst_serialcore.moc"

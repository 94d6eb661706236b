// The serial worker against a pseudo-terminal playing the device.
#include <QPointer>
#include <QSerialPort>
#include <QSignalSpy>
#include <QTest>

#include "serial/threadserial.h"
#include "tests/common/ptypair.h"

namespace {

void configure(ThreadSerial& w, const QString& port, int parity = 0, int stopBits = 0)
{
    w.portName = port;
    w.baud = 115200;
    w.dataBits = 8;
    w.parityIndex = parity;
    w.stopBitsIndex = stopBits;
}

QByteArray joined(const QSignalSpy& spy)
{
    QByteArray all;
    for (const auto& args : spy)
        all += args.at(0).toByteArray();
    return all;
}

} // namespace

class TestThreadSerial : public QObject
{
    Q_OBJECT
private slots:
    void receivesChunks()
    {
        PtyPair pty;
        QVERIFY(pty.isValid());
        ThreadSerial w;
        configure(w, pty.slavePath());
        w.Init(true);
        QVERIFY(w.isOpen);
        QSignalSpy received(&w, &ThreadSerial::Serial_read_Data);
        pty.write(QByteArray::fromHex("41420d0a"));
        QTRY_COMPARE(joined(received), QByteArray::fromHex("41420d0a"));
        for (const auto& args : received)
            QVERIFY(!args.at(0).toByteArray().isEmpty());
        // The worker's port writes to the device too.
        QCOMPARE(w.serialPort->write("AT\r\n"), qint64(4));
        QVERIFY(w.serialPort->waitForBytesWritten(1000));
        QCOMPARE(pty.read(4), QByteArray("AT\r\n"));
    }

    void unusualIndexesStillOpen_data()
    {
        QTest::addColumn<int>("parity");
        QTest::addColumn<int>("stopBits");
        QTest::addColumn<int>("expectParity");
        QTest::addColumn<int>("expectStop");
        QTest::newRow("stop-1.5-keeps-one")
            << 0 << 1 << int(QSerialPort::NoParity) << int(QSerialPort::OneStop);
        QTest::newRow("parity-5-none") << 5 << 0 << int(QSerialPort::NoParity) << int(QSerialPort::OneStop);
        QTest::newRow("parity-minus1-none")
            << -1 << 3 << int(QSerialPort::NoParity) << int(QSerialPort::OneStop);
        QTest::newRow("even-two-stop") << 2 << 2 << int(QSerialPort::EvenParity) << int(QSerialPort::TwoStop);
    }

    void unusualIndexesStillOpen()
    {
        QFETCH(int, parity);
        QFETCH(int, stopBits);
        QFETCH(int, expectParity);
        QFETCH(int, expectStop);
        PtyPair pty;
        ThreadSerial w;
        configure(w, pty.slavePath(), parity, stopBits);
        w.Init(true);
        QVERIFY(w.isOpen);
        QCOMPARE(int(w.serialPort->parity()), expectParity);
        QCOMPARE(int(w.serialPort->stopBits()), expectStop);
    }

    void initFalseNeverEmits()
    {
        PtyPair pty;
        ThreadSerial w;
        configure(w, pty.slavePath());
        w.Init(false);
        QVERIFY(w.isOpen);
        QSignalSpy received(&w, &ThreadSerial::Serial_read_Data);
        pty.write("hello");
        QVERIFY(w.serialPort->waitForReadyRead(2000));
        QCoreApplication::processEvents();
        QCOMPARE(received.count(), 0);
        QVERIFY(w.serialPort->readAll().startsWith('h'));
    }

    void missingPortFails()
    {
        ThreadSerial w;
        configure(w, QStringLiteral("/dev/plax-no-such-port"));
        w.Init(true);
        QVERIFY(!w.isOpen);
    }

    void unpluggedDeviceClosesPortAndReportsOnce()
    {
        PtyPair pty;
        ThreadSerial w;
        configure(w, pty.slavePath());
        w.Init(true);
        QVERIFY(w.isOpen);
        QSignalSpy failed(&w, &ThreadSerial::portFailed);
        pty.hangUp();
        QVERIFY(failed.wait(2000));
        QVERIFY(!w.serialPort->isOpen());
        QVERIFY(!failed.first().at(0).toString().isEmpty());
        // A closed port raises no further errors: the report stays single.
        QTest::qWait(200);
        QCOMPARE(failed.count(), 1);
    }
};

QTEST_GUILESS_MAIN(TestThreadSerial)
#include "tst_threadserial.moc"

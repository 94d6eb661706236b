// The Modbus tab's value text, log text and request/reply exchange, the exchange
// against a pseudo-terminal whose device side a helper thread plays.
#include <QElapsedTimer>
#include <QSerialPort>
#include <QTest>
#include <QThread>

#include <functional>
#include <thread>

#include "protocols/modbusconsole.h"
#include "serial/threadserial.h"
#include "tests/common/ptypair.h"

namespace {

QByteArray hex(const char* text)
{
    return QByteArray::fromHex(QByteArray(text).replace(' ', ""));
}

// Plays the device on the pty's master side on its own thread while the exchange blocks.
class Device
{
public:
    explicit Device(std::function<void(PtyPair&)> script, PtyPair& pty)
        : m_thread([&pty, script] { script(pty); })
    {
    }
    ~Device() { m_thread.join(); }

private:
    std::thread m_thread;
};

struct Run
{
    QByteArray reply;
    QList<QByteArray> sent;
    qint64 elapsedMs = 0;
};

Run runExchange(QIODevice* port, ModbusConsole::Timing timing, const QByteArray& request)
{
    Run run;
    QElapsedTimer clock;
    clock.start();
    run.reply = ModbusConsole::exchange(
        port, timing, [&] { return request; }, [&](const QByteArray& r) { run.sent << r; });
    run.elapsedMs = clock.elapsed();
    return run;
}

const QByteArray readRequest = hex("01 03 00 00 00 01 84 0A");
const QByteArray readReply = hex("01 03 02 00 2A 39 9B");

} // namespace

class TestModbusConsole : public QObject
{
    Q_OBJECT
private slots:
    void valueText_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("valid");
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("oversized");
        QTest::newRow("empty") << "" << true << QByteArray() << "";
        QTest::newRow("commas-and-spaces") << "0x01,0x02 0x03" << true << hex("01 02 03") << "";
        QTest::newRow("comma-space") << "0x11, 0x12," << true << hex("11 12") << "";
        QTest::newRow("leading-zeros-fit") << "0x00FF" << true << hex("FF") << "";
        QTest::newRow("no-prefix") << "01 02" << false << QByteArray() << "";
        QTest::newRow("lone-0x") << "0x" << false << QByteArray() << "";
        QTest::newRow("upper-X") << "0X11" << false << QByteArray() << "";
        QTest::newRow("not-hex") << "0x1G" << false << QByteArray() << "";
        // Tokens beyond one byte convert to their low 8 bits (or 0 past 32 bits)
        // and are named so the tab can refuse them.
        QTest::newRow("nine-bits") << "0x11 0x1FF" << true << hex("11 FF") << "0x1FF";
        QTest::newRow("past-64-bits")
            << "0x1 0x12345678901234567" << true << hex("01 00") << "0x12345678901234567";
    }

    void valueText()
    {
        QFETCH(QString, text);
        QFETCH(bool, valid);
        QFETCH(QByteArray, bytes);
        QFETCH(QString, oversized);
        QCOMPARE(ModbusConsole::isValidHexInput(text), valid);
        if (valid) {
            QCOMPARE(ModbusConsole::hexStringToBytes(text.toLatin1()), bytes);
            QCOMPARE(ModbusConsole::oversizedToken(text), oversized);
        }
    }

    void logText_data()
    {
        QTest::addColumn<QByteArray>("frame");
        QTest::addColumn<QString>("text");
        QTest::newRow("tcp-read") << hex("00 00 00 00 00 06 01 03 00 00 00 01")
                                  << "0x00,0x00,0x00,0x00,0x00,0x06,0x01,0x03,0x00,0x00,0x00,0x01";
        QTest::newRow("lower-case") << hex("AB FF") << "0xab,0xff";
        QTest::newRow("line-feed-after-0a") << hex("01 0A 02") << "0x01,0x0a,\n0x02";
    }

    void logText()
    {
        QFETCH(QByteArray, frame);
        QFETCH(QString, text);
        QCOMPARE(ModbusConsole::frameHex(frame), text);
        QCOMPARE(ModbusConsole::logEntryHtml(frame, QTime(9, 5, 7, 42)),
                 "<br><span style=\"color:green\">[09:05:07.042]</span><span style=\"color:black\">" + text +
                     "</span>");
    }

    void exchange_data()
    {
        QTest::addColumn<int>("script");
        QTest::addColumn<QByteArray>("reply");
        QTest::addColumn<int>("attempts");
        QTest::newRow("reply-in-two-chunks") << 0 << readReply << 1;
        QTest::newRow("answer-to-second-attempt") << 1 << readReply << 2;
        QTest::newRow("silent-device") << 2 << QByteArray() << 3;
        QTest::newRow("stale-input-dropped") << 3 << readReply << 1;
        QTest::newRow("flood-capped") << 4 << QByteArray(ModbusConsole::maxReplyBytes, 'x') << 1;
    }

    void exchange()
    {
        QFETCH(int, script);
        QFETCH(QByteArray, reply);
        QFETCH(int, attempts);
        PtyPair pty;
        QVERIFY(pty.isValid());
        QSerialPort port(pty.slavePath());
        QVERIFY(port.open(QIODevice::ReadWrite));
        if (script == 3) {
            pty.write("junk");
            QVERIFY(port.waitForReadyRead(1000));
        }
        QByteArray seen; // what the device received
        Run run;
        {
            Device device(
                [&](PtyPair& p) {
                    seen = p.read(8, 1500);
                    switch (script) {
                    case 0:
                        p.write(readReply.left(3));
                        QThread::msleep(150);
                        p.write(readReply.mid(3));
                        break;
                    case 1:
                        seen += p.read(8, 1500);
                        p.write(readReply);
                        break;
                    case 2:
                        seen += p.read(16, 3500);
                        break;
                    case 3:
                        p.write(readReply);
                        break;
                    case 4:
                        p.write(QByteArray(5000, 'x'));
                        break;
                    }
                },
                pty);
            run = runExchange(&port, ModbusConsole::readSerial, readRequest);
        }
        QCOMPARE(run.reply, reply);
        QCOMPARE(run.sent.size(), attempts);
        QCOMPARE(seen, readRequest.repeated(attempts));
        // Each attempt holds its whole window, even after a complete reply.
        QVERIFY2(run.elapsedMs >= attempts * ModbusConsole::replyWindowMs - 20,
                 qPrintable(QString::number(run.elapsedMs)));
        QVERIFY2(run.elapsedMs < attempts * ModbusConsole::replyWindowMs + 1000,
                 qPrintable(QString::number(run.elapsedMs)));
    }

    void vanishingPortEndsExchange()
    {
        PtyPair pty;
        QVERIFY(pty.isValid());
        ThreadSerial worker; // closes its port on the first fatal error
        worker.portName = pty.slavePath();
        worker.baud = 115200;
        worker.dataBits = 8;
        worker.Init(false);
        QVERIFY(worker.isOpen);
        Run run;
        {
            Device device(
                [&](PtyPair& p) {
                    p.read(8, 1500);
                    p.hangUp();
                },
                pty);
            run = runExchange(worker.serialPort, ModbusConsole::readSerial, readRequest);
        }
        QVERIFY(run.reply.isEmpty());
        QCOMPARE(run.sent.size(), 1);
        QVERIFY(!worker.serialPort->isOpen());
        QVERIFY2(run.elapsedMs < ModbusConsole::replyWindowMs, qPrintable(QString::number(run.elapsedMs)));
    }
};

QTEST_GUILESS_MAIN(TestModbusConsole)
#include "tst_modbusconsole.moc"

// The Modbus frame engine against published frames (the Modbus application protocol's examples,
// as reproduced by common references) and hand-built replies; the tab's value and log texts; and
// its request/reply exchange against a pseudo-terminal whose device side a helper thread plays.
#include <QElapsedTimer>
#include <QSerialPort>
#include <QSignalSpy>
#include <QTest>
#include <QThread>
#include <QVariantMap>

#include <thread>

#include "protocols/Quenlix_ModbusClient.h"
#include "protocols/modbusconsole.h"
#include "serial/threadserial.h"
#include "tests/common/ptypair.h"

using FC = Quenlix_ModbusClient::FunctionCode;

namespace {

QByteArray hex(const char* text)
{
    return QByteArray::fromHex(QByteArray(text).replace(' ', ""));
}

// An RTU reply: body plus its CRC, low byte first.
QByteArray rtu(const QByteArray& body)
{
    Quenlix_ModbusClient engine;
    const quint16 crc = engine.calculateCRC(body);
    return body + char(crc & 0xFF) + char(crc >> 8);
}

// A TCP reply: MBAP header (transaction 0x1234) plus body.
QByteArray tcp(const QByteArray& body)
{
    const int length = int(body.size());
    return hex("12 34 00 00") + char(length >> 8) + char(length & 0xFF) + body;
}

QVariant registers(std::initializer_list<unsigned short> values)
{
    return QVariant::fromValue(QList<unsigned short>(values));
}

QVariant echo(int start, int quantity)
{
    return QVariantMap{{"StartAddress", start}, {"Quantity", quantity}};
}

const QByteArray readRequest = hex("01 03 00 00 00 01 84 0A");
const QByteArray readReply = hex("01 03 02 00 2A 39 9B");

} // namespace

class TestModbusEngine : public QObject
{
    Q_OBJECT
private slots:
    // Runs first: the transaction counter starts at 0 once per process.
    void tcpTransactionIdsCountAcrossEngines()
    {
        const auto ask = [](Quenlix_ModbusClient& e, int code, int mode = Quenlix_ModBus_TCP) {
            return e.generateRequest(1, FC(code), 0, 1, Quenlix_ModBus_Mode(mode), {});
        };
        {
            Quenlix_ModbusClient first;
            QCOMPARE(ask(first, 3), hex("00 00 00 00 00 06 01 03 00 00 00 01"));
        }
        Quenlix_ModbusClient engine;
        QCOMPARE(ask(engine, 3).left(2), hex("00 01"));
        // RTU leaves the counter alone; a refused TCP request still takes an id; any mode but 0 is TCP.
        ask(engine, 1, Quenlix_ModBus_RTU);
        QVERIFY(ask(engine, 7).isEmpty());
        QCOMPARE(ask(engine, 1, 5).left(4), hex("00 03 00 00"));
        for (int i = 4; i < 65536; ++i)
            ask(engine, 1);
        QCOMPARE(ask(engine, 1).left(2), hex("00 00"));
    }

    void crc()
    {
        // The published CRC-16/MODBUS check value, and a frame whose CRC is known to end C5 CD.
        QCOMPARE(Quenlix_ModbusClient().calculateCRC({}), quint16(0xFFFF));
        QCOMPARE(Quenlix_ModbusClient().calculateCRC("123456789"), quint16(0x4B37));
        QCOMPARE(Quenlix_ModbusClient().calculateCRC(hex("01 03 00 00 00 0A")), quint16(0xCDC5));
    }

    void rtuRequests_data()
    {
        QTest::addColumn<QList<int>>("fields"); // unit, code, address, quantity
        QTest::addColumn<QByteArray>("data");
        QTest::addColumn<QByteArray>("frame");
        auto row = [](const char* tag, QList<int> fields, const char* data, const char* frame) {
            QTest::newRow(tag) << fields << (data ? hex(data) : QByteArray()) << hex(frame);
        };
        // clang-format off
        row("read-coils", {0x11, 1, 0x13, 0x25}, nullptr, "11 01 00 13 00 25 0E 84");
        row("read-holding", {0x11, 3, 0x6B, 3}, nullptr, "11 03 00 6B 00 03 76 87");
        row("coil-on", {0x11, 5, 0xAC, 1}, "01", "11 05 00 AC FF 00 4E 8B");
        row("write-register", {0x11, 6, 1, 1}, "00 03", "11 06 00 01 00 03 9A 9B");
        row("write-coils", {0x11, 15, 0x13, 10}, "CD 01", "11 0F 00 13 00 0A 02 CD 01 BF 0B");
        row("write-registers", {0x11, 16, 1, 2}, "00 0A 01 02", "11 10 00 01 00 02 04 00 0A 01 02 C6 F0");
        row("coil-off", {1, 5, 0, 1}, "00", "01 05 00 00 00 00 CD CA");
        row("coil-no-data-off", {1, 5, 0, 1}, nullptr, "01 05 00 00 00 00 CD CA");
        row("code-22-counts-words", {1, 22, 0, 3}, "00 0A 01", "01 16 00 00 00 03 01 00 0A 01 45 3E");
        // Only the low bits of each field enter the frame.
        row("fields-cut-to-size", {0x111, 0x103, 0x1006B, 0x10003}, nullptr, "11 03 00 6B 00 03 76 87");
        // clang-format on
    }
    void rtuRequests()
    {
        QFETCH(QList<int>, fields);
        QFETCH(QByteArray, data);
        QTEST(Quenlix_ModbusClient().generateRequest(fields[0], FC(fields[1]), fields[2], fields[3],
                                                     Quenlix_ModBus_RTU, data),
              "frame");
    }

    void replies_data()
    {
        QTest::addColumn<int>("code");
        QTest::addColumn<int>("mode");
        QTest::addColumn<QByteArray>("reply");
        QTest::addColumn<QVariant>("result");
        QTest::addColumn<QString>("error");
        const int RTU = Quenlix_ModBus_RTU, TCP = Quenlix_ModBus_TCP;
        const QVariant none;
        QByteArray bulk = hex("01 03 FA");
        for (int i = 0; i < 250; ++i)
            bulk.append(char(i));
        QList<unsigned short> bulkRegisters;
        for (int i = 0; i < 250; i += 2)
            bulkRegisters << static_cast<unsigned short>((i << 8) | (i + 1));

        auto row = [](const char* tag, int code, int mode, const QByteArray& reply, const QVariant& result,
                      const char* error = "") {
            QTest::newRow(tag) << code << mode << reply << result << error;
        };
        // clang-format off
        row("holding-42", 3, RTU, hex("01 03 02 00 2A 39 9B"), registers({42}));
        row("holding-three", 3, RTU, hex("11 03 06 AE 41 56 52 43 40 49 AD"), registers({0xAE41, 0x5652, 0x4340}));
        row("byte-count-unsigned", 3, TCP, tcp(bulk), QVariant::fromValue(bulkRegisters));
        row("coils-published", 1, RTU, hex("11 01 05 CD 6B B2 0E 1B 45 E6"), QVariant::fromValue(QList<bool>{
            true,  false, true,  true,  false, false, true,  true,  // CD
            true,  true,  false, true,  false, true,  true,  false, // 6B
            false, true,  false, false, true,  true,  false, true,  // B2
            false, true,  true,  true,  false, false, false, false, // 0E
            true,  true,  false, true,  true,  false, false, false}));
        row("coil-echo", 5, RTU, hex("11 05 00 AC FF 00 4E 8B"), echo(0xAC, 0xFF00));
        row("registers-echo", 16, RTU, hex("11 10 00 01 00 02 12 98"), echo(1, 2));
        row("code-22-ends-with-reply", 22, TCP, tcp(hex("01 16 09 00 01 00 02 00")), registers({1, 2, 0}));
        row("empty", 3, RTU, QByteArray(), none, "Empty response received");
        row("unexpected-function", 3, TCP, tcp(hex("01 04 02 00 2A")), none, "Unexpected function code in response");
        row("byte-count-too-big", 3, TCP, tcp(hex("01 03 04 00 2A")), none, "Invalid byte count in response");
        row("byte-count-too-small", 1, RTU, rtu(hex("01 01 01 05 06")), none, "Invalid byte count in response");
        row("tcp-length-one-more", 3, TCP, hex("00 00 00 00 00 06 01 03 02 00 2A"), none, "Invalid length in response");
        row("tcp-protocol-id", 3, TCP, hex("00 00 00 01 00 05 01 03 02 00 2A"), none, "Invalid protocol ID in response");
        row("unsupported-matching-code", 7, TCP, tcp(hex("01 07 00")), none, "Unsupported function code");
        // Replies too short for their fixed fields are refused without reading past them.
        row("tcp-header-only", 3, TCP, tcp({}), none, "Response too short");
        row("tcp-exception-no-code", 3, TCP, tcp(hex("01 83")), none, "Response too short");
        row("rtu-3-bytes", 3, RTU, hex("01 03 02"), none, "Response too short");
        row("coil-echo-short", 5, RTU, rtu(hex("11 05 00 AC FF")), none, "Response too short");
        // clang-format on
    }

    void replies()
    {
        QFETCH(int, code);
        QFETCH(int, mode);
        QFETCH(QByteArray, reply);
        QFETCH(QVariant, result);
        QFETCH(QString, error);
        Quenlix_ModbusClient engine;
        QSignalSpy errors(&engine, &Quenlix_ModbusClient::errorOccurred);
        const QVariant got = engine.parseResponse(FC(code), reply, Quenlix_ModBus_Mode(mode));
        QCOMPARE(got.metaType(), result.metaType());
        QCOMPARE(got, result);
        QCOMPARE(errors.size(), error.isEmpty() ? 0 : 1);
        QVERIFY(error.isEmpty() || errors.at(0).at(0).toString() == error);
    }

    // Tokens beyond one byte convert to their low 8 bits (or 0 past 32 bits) and are named so the
    // tab can refuse them.
    void valueText()
    {
        // clang-format off
        const struct { const char* text; bool valid; const char* bytes; const char* oversized; } rows[] = {
            {"", true, "", ""}, {"0x01,0x02 0x03", true, "01 02 03", ""}, {"01 02", false, "", ""},
            {"0x", false, "", ""}, {"0x1G", false, "", ""}, {"0x11 0x1FF", true, "11 FF", "0x1FF"},
            {"0x1 0x12345678901234567", true, "01 00", "0x12345678901234567"}};
        // clang-format on
        for (const auto& r : rows) {
            QVERIFY2(ModbusConsole::isValidHexInput(r.text) == r.valid, r.text);
            QVERIFY2(!r.valid || ModbusConsole::hexStringToBytes(r.text) == hex(r.bytes), r.text);
            QVERIFY2(!r.valid || ModbusConsole::oversizedToken(r.text) == r.oversized, r.text);
        }
    }

    void logText()
    {
        QCOMPARE(ModbusConsole::frameHex(hex("AB 0A FF")), QStringLiteral("0xab,0x0a,\n0xff"));
        QCOMPARE(
            ModbusConsole::logEntryHtml(hex("AB"), QTime(9, 5, 7, 42)),
            "<br><span style=\"color:green\">[09:05:07.042]</span><span style=\"color:black\">0xab</span>");
    }

    // When a reply is complete, judged from its first bytes; and which TCP frames belong to a request.
    void framing_data()
    {
        QTest::addColumn<int>("mode");
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<int>("length");
        QTest::addColumn<QString>("notTheReply");
        const int RTU = Quenlix_ModBus_RTU, TCP = Quenlix_ModBus_TCP;
        // clang-format off
        QTest::newRow("rtu-read-by-count") << RTU << hex("01 03 02") << 7 << "";
        QTest::newRow("rtu-count-unsigned") << RTU << hex("01 03 FA") << 255 << "";
        QTest::newRow("rtu-echo") << RTU << hex("01 10") << 8 << "";
        QTest::newRow("rtu-exception") << RTU << hex("01 83") << 5 << "";
        QTest::newRow("rtu-unknown-code") << RTU << hex("01 2B 00") << 0 << "";
        QTest::newRow("rtu-too-short") << RTU << hex("01") << 0 << "";
        QTest::newRow("tcp-by-header") << TCP << hex("00 07 00 00 00 05 01 03 02") << 11 << "";
        QTest::newRow("tcp-other-transaction") << TCP << hex("00 06 00 00 00 03 01 83 02") << 9 << "transaction id 6, the request's is 7";
        QTest::newRow("tcp-other-protocol") << TCP << hex("00 07 00 01 00 03 01 83 02") << 9 << "protocol id 1 is not Modbus";
        QTest::newRow("tcp-length-past-any-frame") << TCP << hex("00 07 00 00 01 00 01") << 0 << "";
        // clang-format on
    }
    void framing()
    {
        QFETCH(int, mode);
        QFETCH(QByteArray, bytes);
        const auto m = Quenlix_ModBus_Mode(mode);
        QTEST(ModbusConsole::replyLength(bytes, m), "length");
        QTEST(ModbusConsole::notTheReply(hex("00 07 00 00 00 06 01 03 00 00 00 01"), bytes, m),
              "notTheReply");
    }

    void exchange_data()
    {
        QByteArray slow = hex("01 03 FA");
        for (int i = 0; i < 125; ++i)
            slow += char(0) + char(i);
        slow = rtu(slow);
        QTest::addColumn<int>("script");
        QTest::addColumn<QByteArray>("reply");
        QTest::addColumn<int>("attempts");
        QTest::newRow("complete-reply-ends-wait") << 0 << readReply << 1;
        QTest::newRow("answer-to-second-attempt") << 1 << readReply << 2;
        QTest::newRow("silent-device") << 2 << QByteArray() << 3;
        QTest::newRow("stale-input-dropped") << 3 << readReply << 1;
        QTest::newRow("flood-capped") << 4 << QByteArray(ModbusConsole::maxReplyBytes, 'x') << 1;
        // 125 registers at 1200 baud take about 2.3 s: the window waits while bytes keep coming.
        QTest::newRow("slow-line-not-cut") << 5 << slow << 1;
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
        if (script == 3)
            pty.write(hex("01 03 02 00 01 79 84")); // a complete old reply, waiting in the driver
        QByteArray seen;                            // what the device received
        // The device side plays its script on its own thread while the exchange blocks.
        std::thread device([&] {
            seen = pty.read(8, 1500);
            if (script == 1)
                seen += pty.read(8, 1500);
            if (script == 2)
                seen += pty.read(16, 3500);
            else if (script == 5)
                for (const char c : reply) {
                    pty.write(QByteArray(1, c));
                    QThread::msleep(9); // one character time at 1200 baud
                }
            else
                pty.write(script == 4 ? QByteArray(5000, 'x') : readReply);
        });
        QElapsedTimer clock;
        clock.start();
        QList<QByteArray> sent;
        const QByteArray got = ModbusConsole::exchange(
            &port, ModbusConsole::readSerial, Quenlix_ModBus_RTU, [&] { return readRequest; },
            [&](const QByteArray& r) { sent << r; }, [](const QByteArray&, const QString&) {});
        const qint64 elapsed = clock.elapsed();
        device.join();
        QCOMPARE(got, reply);
        QCOMPARE(sent.size(), attempts);
        QCOMPARE(seen, readRequest.repeated(attempts));
        // A complete reply ends its attempt at once; a silent device is given up after the windows.
        if (script == 0 || script == 3)
            QVERIFY2(elapsed < ModbusConsole::replyWindowMs / 2, qPrintable(QString::number(elapsed)));
        if (script == 2)
            QVERIFY2(elapsed >= 3 * ModbusConsole::replyWindowMs - 20, qPrintable(QString::number(elapsed)));
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
        std::thread device([&] {
            pty.read(8, 1500);
            pty.hangUp();
        });
        int attempts = 0;
        const QByteArray got = ModbusConsole::exchange(
            worker.serialPort, ModbusConsole::readSerial, Quenlix_ModBus_RTU, [&] { return readRequest; },
            [&](const QByteArray&) { ++attempts; }, [](const QByteArray&, const QString&) {});
        device.join();
        QVERIFY(got.isEmpty());
        QCOMPARE(attempts, 1);
        QVERIFY(!worker.serialPort->isOpen());
    }
};

QTEST_GUILESS_MAIN(TestModbusEngine)
#include "tst_modbus_engine.moc"

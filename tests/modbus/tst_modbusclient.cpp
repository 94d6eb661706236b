// The Modbus frame engine against published frames (the Modbus application
// protocol's examples, as reproduced by common references) and hand-built replies.
#include <QSignalSpy>
#include <QTest>
#include <QVariantMap>

#include "protocols/Quenlix_ModbusClient.h"

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

} // namespace

class TestModbusClient : public QObject
{
    Q_OBJECT
private slots:
    // Runs first: the transaction counter starts at 0 once per process.
    void tcpTransactionIdsCountAcrossEngines()
    {
        {
            Quenlix_ModbusClient engine;
            QCOMPARE(engine.generateRequest(1, FC::ReadHoldingRegisters, 0, 1, Quenlix_ModBus_TCP, {}),
                     hex("00 00 00 00 00 06 01 03 00 00 00 01"));
        }
        Quenlix_ModbusClient engine;
        QCOMPARE(engine.generateRequest(1, FC::ReadHoldingRegisters, 0, 1, Quenlix_ModBus_TCP, {}).left(2),
                 hex("00 01"));
        // RTU leaves the counter alone; a refused TCP request still takes an id.
        engine.generateRequest(1, FC::ReadCoils, 0, 1, Quenlix_ModBus_RTU, {});
        QSignalSpy errors(&engine, &Quenlix_ModbusClient::errorOccurred);
        QVERIFY(engine.generateRequest(1, FC(7), 0, 1, Quenlix_ModBus_TCP, {}).isEmpty());
        QCOMPARE(errors.size(), 1);
        QCOMPARE(errors.at(0).at(0).toString(), QStringLiteral("Unsupported function code"));
        // Any mode other than 0 frames as TCP.
        QCOMPARE(engine.generateRequest(1, FC::ReadCoils, 0, 1, Quenlix_ModBus_Mode(5), {}).left(4),
                 hex("00 03 00 00"));
        for (int i = 4; i < 65536; ++i)
            engine.generateRequest(1, FC::ReadCoils, 0, 1, Quenlix_ModBus_TCP, {});
        QCOMPARE(engine.generateRequest(1, FC::ReadCoils, 0, 1, Quenlix_ModBus_TCP, {}).left(2),
                 hex("00 00"));
    }

    void crc_data()
    {
        QTest::addColumn<QByteArray>("data");
        QTest::addColumn<int>("crc");
        QTest::newRow("empty") << QByteArray() << 0xFFFF;
        QTest::newRow("abc") << QByteArray("abc") << 0x5749;
        QTest::newRow("check-string-123456789") << QByteArray("123456789") << 0x4B37;
        // Read 10 registers from unit 1: the frame ends C5 CD.
        QTest::newRow("01-03-0000-000A") << hex("01 03 00 00 00 0A") << 0xCDC5;
    }

    void crc()
    {
        QFETCH(QByteArray, data);
        QFETCH(int, crc);
        Quenlix_ModbusClient engine;
        QCOMPARE(int(engine.calculateCRC(data)), crc);
    }

    void rtuRequests_data()
    {
        QTest::addColumn<int>("unit");
        QTest::addColumn<int>("code");
        QTest::addColumn<int>("address");
        QTest::addColumn<int>("quantity");
        QTest::addColumn<QByteArray>("data");
        QTest::addColumn<QByteArray>("frame");
        QTest::newRow("read-holding-1") << 1 << 3 << 0 << 1 << QByteArray() << hex("01 03 00 00 00 01 84 0A");
        QTest::newRow("read-holding-10")
            << 1 << 3 << 0 << 10 << QByteArray() << hex("01 03 00 00 00 0A C5 CD");
        QTest::newRow("read-coils") << 0x11 << 1 << 0x13 << 0x25 << QByteArray()
                                    << hex("11 01 00 13 00 25 0E 84");
        QTest::newRow("read-holding")
            << 0x11 << 3 << 0x6B << 3 << QByteArray() << hex("11 03 00 6B 00 03 76 87");
        QTest::newRow("coil-on") << 0x11 << 5 << 0xAC << 1 << hex("01") << hex("11 05 00 AC FF 00 4E 8B");
        QTest::newRow("write-register")
            << 0x11 << 6 << 1 << 1 << hex("00 03") << hex("11 06 00 01 00 03 9A 9B");
        QTest::newRow("write-coils") << 0x11 << 15 << 0x13 << 10 << hex("CD 01")
                                     << hex("11 0F 00 13 00 0A 02 CD 01 BF 0B");
        QTest::newRow("write-registers")
            << 0x11 << 16 << 1 << 2 << hex("00 0A 01 02") << hex("11 10 00 01 00 02 04 00 0A 01 02 C6 F0");
        QTest::newRow("coil-any-nonzero-on")
            << 1 << 5 << 0 << 1 << hex("80") << hex("01 05 00 00 FF 00 8C 3A");
        QTest::newRow("coil-off") << 1 << 5 << 0 << 1 << hex("00") << hex("01 05 00 00 00 00 CD CA");
        QTest::newRow("coil-no-data-off")
            << 1 << 5 << 0 << 1 << QByteArray() << hex("01 05 00 00 00 00 CD CA");
        QTest::newRow("register-one-byte") << 1 << 6 << 0 << 1 << hex("12") << hex("01 06 00 00 12 00 85 6A");
        QTest::newRow("code-22-counts-words")
            << 1 << 22 << 0 << 3 << hex("00 0A 01") << hex("01 16 00 00 00 03 01 00 0A 01 45 3E");
        // Only the low bits of each field enter the frame.
        QTest::newRow("fields-cut-to-size")
            << 0x111 << 0x103 << 0x1006B << 0x10003 << QByteArray() << hex("11 03 00 6B 00 03 76 87");
    }

    void rtuRequests()
    {
        QFETCH(int, unit);
        QFETCH(int, code);
        QFETCH(int, address);
        QFETCH(int, quantity);
        QFETCH(QByteArray, data);
        QFETCH(QByteArray, frame);
        Quenlix_ModbusClient engine;
        QCOMPARE(engine.generateRequest(unit, FC(code), address, quantity, Quenlix_ModBus_RTU, data), frame);
    }

    void replies_data()
    {
        QTest::addColumn<int>("code");
        QTest::addColumn<int>("mode");
        QTest::addColumn<QByteArray>("reply");
        QTest::addColumn<QVariant>("result");
        QTest::addColumn<QString>("error");
        const int RTU = Quenlix_ModBus_RTU, TCP = Quenlix_ModBus_TCP;
        QByteArray bulk = hex("01 03 FA");
        for (int i = 0; i < 250; ++i)
            bulk.append(char(i));
        QList<unsigned short> bulkRegisters;
        for (int i = 0; i < 250; i += 2)
            bulkRegisters << static_cast<unsigned short>((i << 8) | (i + 1));

        QTest::newRow("holding-42") << 3 << RTU << hex("01 03 02 00 2A 39 9B") << registers({42}) << "";
        QTest::newRow("holding-three") << 3 << RTU << hex("11 03 06 AE 41 56 52 43 40 49 AD")
                                       << registers({0xAE41, 0x5652, 0x4340}) << "";
        QTest::newRow("byte-count-unsigned")
            << 3 << TCP << tcp(bulk) << QVariant::fromValue(bulkRegisters) << "";
        QTest::newRow("odd-last-byte")
            << 4 << TCP << tcp(hex("01 04 03 12 34 56")) << registers({0x1234, 0x5600}) << "";
        QTest::newRow("coils-lsb-first")
            << 1 << TCP << tcp(hex("01 01 01 05"))
            << QVariant::fromValue(QList<bool>{true, false, true, false, false, false, false, false}) << "";
        QTest::newRow("coils-published")
            << 1 << RTU << hex("11 01 05 CD 6B B2 0E 1B 45 E6")
            << QVariant::fromValue(QList<bool>{true,  false, true,  true,  false, false, true,  true,  // CD
                                               true,  true,  false, true,  false, true,  true,  false, // 6B
                                               false, true,  false, false, true,  true,  false, true,  // B2
                                               false, true,  true,  true,  false, false, false, false, // 0E
                                               true,  true,  false, true,  true,  false, false, false})
            << "";
        QTest::newRow("coil-echo") << 5 << RTU << hex("11 05 00 AC FF 00 4E 8B") << echo(0xAC, 0xFF00) << "";
        QTest::newRow("registers-echo") << 16 << RTU << hex("11 10 00 01 00 02 12 98") << echo(1, 2) << "";
        QTest::newRow("code-22-ends-with-reply")
            << 22 << TCP << tcp(hex("01 16 09 00 01 00 02 00")) << registers({1, 2, 0}) << "";

        QTest::newRow("empty") << 3 << RTU << QByteArray() << QVariant() << "Empty response received";
        QTest::newRow("exception") << 3 << RTU << hex("01 83 02 C0 F1") << QVariant()
                                   << "Modbus exception response: 2";
        QTest::newRow("exception-code-unsigned")
            << 3 << TCP << tcp(hex("01 83 F0")) << QVariant() << "Modbus exception response: 240";
        QTest::newRow("bad-crc") << 3 << RTU << hex("01 03 02 00 2A 39 9C") << QVariant()
                                 << "Invalid CRC in response";
        QTest::newRow("unexpected-function")
            << 3 << TCP << tcp(hex("01 04 02 00 2A")) << QVariant() << "Unexpected function code in response";
        QTest::newRow("byte-count-too-big")
            << 3 << TCP << tcp(hex("01 03 04 00 2A")) << QVariant() << "Invalid byte count in response";
        QTest::newRow("byte-count-too-small")
            << 1 << RTU << rtu(hex("01 01 01 05 06")) << QVariant() << "Invalid byte count in response";
        QTest::newRow("tcp-length-one-more") << 3 << TCP << hex("00 00 00 00 00 06 01 03 02 00 2A")
                                             << QVariant() << "Invalid length in response";
        QTest::newRow("tcp-protocol-id") << 3 << TCP << hex("00 00 00 01 00 05 01 03 02 00 2A") << QVariant()
                                         << "Invalid protocol ID in response";
        QTest::newRow("tcp-1-byte") << 3 << TCP << hex("00") << QVariant()
                                    << "Invalid protocol ID in response";
        QTest::newRow("unsupported-matching-code")
            << 7 << TCP << tcp(hex("01 07 00")) << QVariant() << "Unsupported function code";

        // Replies too short for their fixed fields are refused without reading past them.
        QTest::newRow("tcp-4-bytes") << 3 << TCP << hex("00 00 00 00") << QVariant()
                                     << "Invalid length in response";
        QTest::newRow("tcp-header-only") << 3 << TCP << tcp({}) << QVariant() << "Response too short";
        QTest::newRow("tcp-no-byte-count")
            << 3 << TCP << tcp(hex("01 03")) << QVariant() << "Response too short";
        QTest::newRow("tcp-exception-no-code")
            << 3 << TCP << tcp(hex("01 83")) << QVariant() << "Response too short";
        QTest::newRow("rtu-3-bytes") << 3 << RTU << hex("01 03 02") << QVariant() << "Response too short";
        QTest::newRow("rtu-exception-no-code")
            << 3 << RTU << rtu(hex("01 83")) << QVariant() << "Response too short";
        QTest::newRow("coil-echo-short")
            << 5 << RTU << rtu(hex("11 05 00 AC FF")) << QVariant() << "Response too short";
        QTest::newRow("registers-echo-short")
            << 16 << TCP << tcp(hex("11 10 00 01 00")) << QVariant() << "Response too short";
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
        if (error.isEmpty()) {
            QCOMPARE(errors.size(), 0);
            QCOMPARE(got.metaType(), result.metaType());
            QCOMPARE(got, result);
        } else {
            QVERIFY(!got.isValid());
            QCOMPARE(errors.size(), 1);
            QCOMPARE(errors.at(0).at(0).toString(), error);
        }
    }
};

QTEST_GUILESS_MAIN(TestModbusClient)
#include "tst_modbusclient.moc"

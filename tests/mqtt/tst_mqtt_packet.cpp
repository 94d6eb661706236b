// MQTT packets against hand-assembled frames (MQTT 3.1.1 fixed header, variable header
// and payload layouts), topic validity rules, and the tab's address helpers.
#include <QTest>

#include "protocols/mqtt_console.h"
#include "protocols/mqttpacket.h"
#include "protocols/mqtttopic.h"

using namespace MqttPacket;

class TestMqttPacket : public QObject
{
    Q_OBJECT

private slots:
    // A body of each length survives framing and reading back, also one byte at a time.
    void frameRoundTrip_data()
    {
        QTest::addColumn<int>("bodyLength");
        for (int n : {0, 127, 128, 16384})
            QTest::addRow("body-%d", n) << n;
    }
    void frameRoundTrip()
    {
        QFETCH(int, bodyLength);
        QByteArray payload(qMax(bodyLength - 4, 0), 'x');
        for (int i = 0; i < payload.size(); ++i)
            payload[i] = char(i % 251);
        const QByteArray wire = bodyLength >= 4 ? publish("a/b", payload, 0, false, 0) : pingreq();
        FrameReader whole(1 << 20), bytewise(1 << 20);
        QList<Packet> packets, slow;
        QCOMPARE(whole.feed(wire + wire, &packets), FrameReader::Status::Ok);
        QCOMPARE(packets.size(), 2);
        QCOMPARE(whole.bufferedBytes(), 0);
        for (char c : wire)
            QCOMPARE(bytewise.feed(QByteArray(1, c), &slow), FrameReader::Status::Ok);
        QCOMPARE(slow.size(), 1);
        QCOMPARE(slow.first().header, quint8(wire.at(0)));
        PublishMessage m;
        if (bodyLength >= 4) {
            QVERIFY(parsePublish(slow.first(), &m));
            QCOMPARE(m.topic, QStringLiteral("a/b"));
            QCOMPARE(m.payload, payload);
        }
    }

    void badStreams_data()
    {
        QTest::addColumn<QByteArray>("stream");
        QTest::addColumn<int>("status");
        // Five length bytes: the fourth still says "more follows".
        QTest::newRow("length-five-bytes")
            << QByteArray::fromHex("30ffffffff01") << int(FrameReader::Status::Malformed);
        QTest::newRow("length-fourth-has-continuation")
            << QByteArray::fromHex("3080808080") << int(FrameReader::Status::Malformed);
        // Declares 1 MiB + 1 bytes with a 1 MiB cap: refused from the header alone.
        QTest::newRow("declared-over-cap")
            << QByteArray::fromHex("3081808040") << int(FrameReader::Status::TooLarge);
    }
    void badStreams()
    {
        QFETCH(QByteArray, stream);
        QFETCH(int, status);
        FrameReader reader(1024 * 1024);
        QList<Packet> packets;
        QCOMPARE(int(reader.feed(stream, &packets)), status);
        QVERIFY(packets.isEmpty());
        QCOMPARE(reader.bufferedBytes(), 0);
        // Stays refused: later bytes are not taken for a new packet.
        QCOMPARE(int(reader.feed(pingreq(), &packets)), status);
        reader.reset();
        QCOMPARE(reader.feed(QByteArray::fromHex("d000"), &packets), FrameReader::Status::Ok);
        QCOMPARE(packets.size(), 1);
    }

    void builtPackets_data()
    {
        QTest::addColumn<QByteArray>("built");
        QTest::addColumn<QByteArray>("expected");
        // The standard's table of remaining-length boundaries.
        const QList<QPair<quint32, const char*>> lengths = {
            {0, "00"},         {127, "7f"},         {128, "8001"},         {16383, "ff7f"},
            {16384, "808001"}, {2097151, "ffff7f"}, {2097152, "80808001"}, {268435455, "ffffff7f"},
            {268435456, ""}};
        for (const auto& [length, encoded] : lengths)
            QTest::addRow("length-%u", length)
                << encodeRemainingLength(length) << QByteArray::fromHex(encoded);
        ConnectOptions v311;
        v311.clientId = "plax";
        v311.username = "user";
        v311.password = "pw";
        v311.keepAliveSeconds = 60;
        QTest::newRow("connect-3.1.1-user-password")
            << MqttPacket::connect(v311)
            << QByteArray::fromHex("101a 00044d515454 04 c2 003c 0004706c6178 000475736572 00027077");
        ConnectOptions v31;
        v31.protocolLevel = 3;
        v31.clientId = "c";
        v31.keepAliveSeconds = 10;
        const QByteArray v31Anonymous = QByteArray::fromHex("100f 00064d514973647003 02 000a 000163");
        QTest::newRow("connect-3.1-anonymous") << MqttPacket::connect(v31) << v31Anonymous;
        v31.password = "secret";
        QTest::newRow("connect-password-without-user-left-out") << MqttPacket::connect(v31) << v31Anonymous;
        QTest::newRow("subscribe-qos1")
            << subscribe(10, "a/+", 1) << QByteArray::fromHex("8208000a0003612f2b01");
        QTest::newRow("unsubscribe") << unsubscribe(11, "a/#") << QByteArray::fromHex("a207000b0003612f23");
        QTest::newRow("publish-qos0-retain")
            << publish("t", "hi", 0, true, 0) << QByteArray::fromHex("31050001746869");
        QTest::newRow("publish-qos1")
            << publish("t", "hi", 1, false, 258) << QByteArray::fromHex("320700017401026869");
        QTest::newRow("publish-qos2-dup")
            << publish("t", "", 2, false, 1, true) << QByteArray::fromHex("3c050001740001");
        QTest::newRow("pubrel-flags") << acknowledge(Pubrel, 7) << QByteArray::fromHex("62020007");
        QTest::newRow("puback") << acknowledge(Puback, 7) << QByteArray::fromHex("40020007");
        QTest::newRow("pingreq") << pingreq() << QByteArray::fromHex("c000");
        QTest::newRow("disconnect") << MqttPacket::disconnect() << QByteArray::fromHex("e000");
        QTest::newRow("publish-qos1-without-id") << publish("t", "x", 1, false, 0) << QByteArray();
        QTest::newRow("subscribe-qos3") << subscribe(1, "t", 3) << QByteArray();
        QTest::newRow("topic-over-65535-bytes")
            << publish(QString(65536, 'a'), "x", 0, false, 0) << QByteArray();
    }
    void builtPackets()
    {
        QFETCH(QByteArray, built);
        QFETCH(QByteArray, expected);
        QCOMPARE(built.toHex(), expected.toHex());
    }

    void receivedPackets_data()
    {
        QTest::addColumn<QByteArray>("wire");
        QTest::addColumn<bool>("valid");
        QTest::newRow("connack-accepted") << QByteArray::fromHex("20020000") << true;
        QTest::newRow("connack-long") << QByteArray::fromHex("2003000000") << false;
        QTest::newRow("connack-flags") << QByteArray::fromHex("21020000") << false;
        QTest::newRow("publish-qos1") << QByteArray::fromHex("320700017400056869") << true;
        QTest::newRow("publish-qos3") << QByteArray::fromHex("36050001740005") << false;
        QTest::newRow("publish-qos1-id-zero") << QByteArray::fromHex("32050001740000") << false;
        QTest::newRow("publish-topic-cut") << QByteArray::fromHex("3003000561") << false;
        // A topic must be well-formed UTF-8: not a stray byte, an overlong form or a surrogate.
        QTest::newRow("publish-topic-not-utf8") << QByteArray::fromHex("3005000361ff62") << false;
        QTest::newRow("publish-topic-overlong-utf8") << QByteArray::fromHex("30040002c0af") << false;
        QTest::newRow("publish-topic-surrogate-utf8") << QByteArray::fromHex("30050003eda080") << false;
        QTest::newRow("suback") << QByteArray::fromHex("9003000a80") << true;
        QTest::newRow("suback-no-codes") << QByteArray::fromHex("9002000a") << false;
        QTest::newRow("pubrel-wrong-flags") << QByteArray::fromHex("60020007") << false;
        QTest::newRow("pingresp") << QByteArray::fromHex("d000") << true;
        QTest::newRow("pingresp-with-body") << QByteArray::fromHex("d00100") << false;
    }
    void receivedPackets()
    {
        QFETCH(QByteArray, wire);
        QFETCH(bool, valid);
        FrameReader reader;
        QList<Packet> packets;
        QCOMPARE(reader.feed(wire, &packets), FrameReader::Status::Ok);
        QCOMPARE(packets.size(), 1);
        const Packet& p = packets.first();
        ConnackFields connack;
        PublishMessage message;
        SubackFields suback;
        quint16 id = 0;
        switch (p.type()) {
        case Connack:
            QCOMPARE(parseConnack(p, &connack), valid);
            break;
        case Publish:
            QCOMPARE(parsePublish(p, &message), valid);
            QCOMPARE(message.topicIsUtf8, !QByteArray(QTest::currentDataTag()).endsWith("utf8"));
            if (valid) {
                QCOMPARE(message.packetId, quint16(5));
                QCOMPARE(message.payload, QByteArray("hi"));
            }
            break;
        case Suback:
            QCOMPARE(parseSuback(p, &suback), valid);
            if (valid)
                QCOMPARE(suback.returnCodes, QByteArray::fromHex("80"));
            break;
        case Pingresp:
            QCOMPARE(isValidPingresp(p), valid);
            break;
        default:
            QCOMPARE(parsePacketId(p, &id), valid);
        }
    }

    // Examples from the standard's topic name and filter rules.
    void topics_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("validName");
        QTest::addColumn<bool>("validFilter");
        QTest::newRow("plain") << "sport/tennis/player1" << true << true;
        QTest::newRow("empty") << "" << false << false;
        QTest::newRow("single-slash") << "/" << true << true;
        QTest::newRow("hash-alone") << "#" << false << true;
        QTest::newRow("hash-last") << "sport/#" << false << true;
        QTest::newRow("hash-not-last") << "sport/#/ranking" << false << false;
        QTest::newRow("hash-in-level") << "sport/tennis#" << false << false;
        QTest::newRow("plus-level") << "sport/+/player1" << false << true;
        QTest::newRow("plus-in-level") << "sport+" << false << false;
        QTest::newRow("nul") << QString("a") + QChar(0) << false << false;
        QTest::newRow("lone-surrogate") << QString(QChar(0xD800)) << false << false;
        QTest::newRow("65535-bytes") << QString(65535, 'a') << true << true;
        QTest::newRow("65536-bytes") << QString(65536, 'a') << false << false;
    }
    void topics()
    {
        QFETCH(QString, text);
        QFETCH(bool, validName);
        QFETCH(bool, validFilter);
        QCOMPARE(MqttTopicName(text).isValid(), validName);
        QCOMPARE(MqttTopicFilter(text).isValid(), validFilter);
    }

    void addressHelpers()
    {
        QCOMPARE(mqttWebSocketUrl("ws://", "broker/mqtt/ws", "8083"),
                 QStringLiteral("ws://broker:8083/mqtt/ws"));
        QCOMPARE(mqttWebSocketUrl("wss://", "broker", "8084"), QStringLiteral("wss://broker:8084/"));
        QCOMPARE(mqttWebSocketUrl("ws://", "h//p", "1"), QStringLiteral("ws://h:1//p"));
        QVERIFY(ipAddrIsOK("127.0.0.1"));
        for (const char* bad : {"1.2.3.256", "1.2.3", "1..2.3", ""})
            QVERIFY2(!ipAddrIsOK(bad), bad);
        QCOMPARE(int(mqttPortFromText("1883")), 1883);
        QCOMPARE(int(mqttPortFromText("18a3")), 0);
        QCOMPARE(int(mqttPortFromText("65537")), 1); // the low 16 bits
    }
};

QTEST_GUILESS_MAIN(TestMqttPacket)
#include "tst_mqtt_packet.moc"

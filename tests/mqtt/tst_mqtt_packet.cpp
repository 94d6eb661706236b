// MQTT packets against hand-assembled frames (MQTT 3.1.1 fixed header, variable header
// and payload layouts), topic validity rules, and the tab's address helpers.
#include <QTest>

#include "protocols/mqtt_console.h"
#include "protocols/mqttpacket.h"
#include "protocols/mqtttopic.h"

using namespace MqttPacket;
using Status = FrameReader::Status;
Q_DECLARE_METATYPE(Status)

class TestMqttPacket : public QObject
{
    Q_OBJECT

private slots:
    // Refused from the header alone, and stays refused until reset.
    void badStreams_data()
    {
        QTest::addColumn<QByteArray>("stream");
        QTest::addColumn<Status>("status");
        // clang-format off
        QTest::newRow("length-five-bytes") << QByteArray::fromHex("30ffffffff01") << Status::Malformed;
        QTest::newRow("length-fourth-has-continuation") << QByteArray::fromHex("3080808080") << Status::Malformed;
        QTest::newRow("declared-1MiB+1-over-cap") << QByteArray::fromHex("3081808040") << Status::TooLarge;
        // clang-format on
    }
    void badStreams()
    {
        QFETCH(QByteArray, stream);
        QFETCH(Status, status);
        FrameReader reader(1024 * 1024);
        QList<Packet> packets;
        QCOMPARE(reader.feed(stream, &packets), status);
        QVERIFY(packets.isEmpty() && reader.bufferedBytes() == 0);
        QCOMPARE(reader.feed(pingreq(), &packets), status);
        reader.reset();
        QCOMPARE(reader.feed(QByteArray::fromHex("d000"), &packets), Status::Ok);
        QCOMPARE(packets.size(), 1);
    }

    void builtPackets_data()
    {
        QTest::addColumn<QByteArray>("built");
        QTest::addColumn<QByteArray>("expected");
        // The standard's table of remaining-length boundaries.
        // clang-format off
        const QList<QPair<quint32, const char*>> lengths = {{0, "00"}, {127, "7f"}, {128, "8001"},
            {16383, "ff7f"}, {16384, "808001"}, {2097151, "ffff7f"}, {2097152, "80808001"},
            {268435455, "ffffff7f"}, {268435456, ""}};
        // clang-format on
        for (const auto& [length, encoded] : lengths)
            QTest::addRow("length-%u", length)
                << encodeRemainingLength(length) << QByteArray::fromHex(encoded);
        ConnectOptions v311{}, v31{};
        v311.clientId = "plax", v311.username = "user", v311.password = "pw", v311.keepAliveSeconds = 60;
        v31.protocolLevel = 3, v31.clientId = "c", v31.keepAliveSeconds = 10;
        auto row = [](const char* tag, const QByteArray& built, const char* hex) {
            QTest::newRow(tag) << built << QByteArray::fromHex(hex);
        };
        // clang-format off
        row("connect-3.1.1-user-password", MqttPacket::connect(v311), "101a 00044d515454 04 c2 003c 0004706c6178 000475736572 00027077");
        row("connect-3.1-anonymous", MqttPacket::connect(v31), "100f 00064d514973647003 02 000a 000163");
        v31.password = "secret";
        row("connect-password-without-user-left-out", MqttPacket::connect(v31), "100f 00064d514973647003 02 000a 000163");
        row("subscribe-qos1", subscribe(10, "a/+", 1), "8208000a0003612f2b01");
        row("unsubscribe", unsubscribe(11, "a/#"), "a207000b0003612f23");
        row("publish-qos0-retain", publish("t", "hi", 0, true, 0), "31050001746869");
        row("publish-qos1", publish("t", "hi", 1, false, 258), "320700017401026869");
        row("publish-qos2-dup", publish("t", "", 2, false, 1, true), "3c050001740001");
        row("pubrel-flags", acknowledge(Pubrel, 7), "62020007");
        row("publish-qos1-without-id", publish("t", "x", 1, false, 0), "");
        row("subscribe-qos3", subscribe(1, "t", 3), "");
        row("topic-over-65535-bytes", publish(QString(65536, 'a'), "x", 0, false, 0), "");
        // clang-format on
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
        auto row = [](const char* tag, const char* hex, bool valid) {
            QTest::newRow(tag) << QByteArray::fromHex(hex) << valid;
        };
        // clang-format off
        row("connack-accepted", "20020000", true);
        row("connack-long", "2003000000", false);
        row("connack-flags", "21020000", false);
        row("publish-qos1", "320700017400056869", true);
        row("publish-qos3", "36050001740005", false);
        row("publish-qos1-id-zero", "32050001740000", false);
        row("publish-topic-cut", "3003000561", false);
        // A topic must be well-formed UTF-8: not a stray byte, an overlong form or a surrogate.
        row("publish-topic-not-utf8", "3005000361ff62", false);
        row("publish-topic-overlong-utf8", "30040002c0af", false);
        row("publish-topic-surrogate-utf8", "30050003eda080", false);
        row("suback", "9003000a80", true);
        row("suback-no-codes", "9002000a", false);
        row("pubrel-wrong-flags", "60020007", false);
        row("pingresp", "d000", true);
        row("pingresp-with-body", "d00100", false);
        // clang-format on
    }
    void receivedPackets()
    {
        QFETCH(QByteArray, wire);
        QFETCH(bool, valid);
        QList<Packet> packets;
        QCOMPARE(FrameReader().feed(wire, &packets), Status::Ok);
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
            QVERIFY(!valid || (message.packetId == 5 && message.payload == "hi"));
            break;
        case Suback:
            QCOMPARE(parseSuback(p, &suback), valid);
            QVERIFY(!valid || suback.returnCodes == QByteArray::fromHex("80"));
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
        // clang-format off
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
        // clang-format on
    }
    void topics()
    {
        QFETCH(QString, text);
        QTEST(MqttTopicName(text).isValid(), "validName");
        QTEST(MqttTopicFilter(text).isValid(), "validFilter");
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

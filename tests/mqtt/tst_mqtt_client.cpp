// The MQTT client against a real mosquitto (TCP, TLS, WebSocket, secure WebSocket),
// with mosquitto_pub / mosquitto_sub as the far party, and against a scripted
// broker on a local socket for the broker misbehaviours mosquitto never shows.
#include <QFile>
#include <QSignalSpy>
#include <QSslCertificate>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTest>

#include <memory>

#include "protocols/mqttclient.h"
#include "protocols/websocketiodevice.h"
#include "tests/common/freeport.h"
#include "tests/mqtt/mosquittopeer.h"

Q_DECLARE_METATYPE(MqttClient::ClientState)
Q_DECLARE_METATYPE(MqttClient::ClientError)

namespace {

// Plays the broker on one connection: records what the client sends and sends raw bytes back.
class ScriptedBroker : public QObject
{
public:
    ScriptedBroker()
    {
        server.listen(QHostAddress::LocalHost, 0);
        connect(&server, &QTcpServer::newConnection, this, [this] {
            peer = server.nextPendingConnection();
            connect(peer, &QTcpSocket::readyRead, this, [this] { received += peer->readAll(); });
        });
    }
    void send(const char* hex) { peer->write(QByteArray::fromHex(hex)); }
    quint16 port() const { return server.serverPort(); }

    QTcpServer server;
    QTcpSocket* peer = nullptr;
    QByteArray received;
};

} // namespace

class TestMqttClient : public QObject
{
    Q_OBJECT
    MosquittoPeer broker;
    std::unique_ptr<MqttClient> client;
    std::unique_ptr<WebSocketIODevice> device;

    QSslConfiguration trustingTestCa()
    {
        QSslConfiguration tls = QSslConfiguration::defaultConfiguration();
        tls.setCaCertificates(QSslCertificate::fromPath(broker.caFile()));
        return tls;
    }

    // Connects a fresh client over the named transport and waits for CONNACK.
    bool connectOver(const QString& transport)
    {
        client = std::make_unique<MqttClient>();
        client->setClientId(QStringLiteral("plax-") + transport);
        client->setHostname(QStringLiteral("127.0.0.1"));
        if (transport == QLatin1String("tcp")) {
            client->setPort(broker.tcpPort);
            client->connectToHost();
        } else if (transport == QLatin1String("tls")) {
            client->setPort(broker.tlsPort);
            client->connectToHostEncrypted(trustingTestCa());
        } else {
            device = std::make_unique<WebSocketIODevice>();
            const bool secure = transport == QLatin1String("wss");
            if (secure) {
                device->setSslConfiguration(trustingTestCa());
                device->sslEnabled = true;
            }
            device->setUrl(QUrl(QStringLiteral("%1://127.0.0.1:%2/")
                                    .arg(secure ? "wss" : "ws")
                                    .arg(secure ? broker.wssPort : broker.wsPort)));
            device->setProtocol("mqttv3.1");
            QSignalSpy up(device.get(), &WebSocketIODevice::socketConnected);
            if (!device->open(QIODevice::ReadWrite) || !up.wait(10000))
                return false;
            client->setProtocolVersion(MqttClient::MQTT_3_1);
            client->setTransport(device.get(), MqttClient::IODevice);
            client->connectToHost();
        }
        QSignalSpy connected(client.get(), &MqttClient::connected);
        return client->state() == MqttClient::Connected || connected.wait(10000);
    }

private slots:
    void initTestCase() { QVERIFY2(broker.start(), qPrintable(broker.failure())); }

    void cleanup()
    {
        client.reset();
        device.reset();
    }

    void transports_data()
    {
        QTest::addColumn<QString>("transport");
        for (const char* t : {"tcp", "tls", "ws", "wss"})
            QTest::newRow(t) << QString::fromLatin1(t);
    }
    void transports()
    {
        QFETCH(QString, transport);
        QVERIFY(connectOver(transport));
        const QString in = QStringLiteral("plax/%1/in").arg(transport);
        QSignalSpy received(client.get(), &MqttClient::messageReceived);
        MqttSubscription* sub =
            client->subscribe(MqttTopicFilter(QStringLiteral("plax/%1/+").arg(transport)), 1);
        QVERIFY(sub);
        QTRY_COMPARE(sub->state(), MqttSubscription::Subscribed);
        QCOMPARE(sub->qos(), quint8(1));

        QVERIFY(publishWithMosquitto(broker.tcpPort, in, "from mosquitto_pub", {"-q", "1"}));
        QTRY_COMPARE(received.size(), 1);
        QCOMPARE(received.at(0).at(0).toByteArray(), QByteArray("from mosquitto_pub"));
        QCOMPARE(received.at(0).at(1).value<MqttTopicName>().name(), in);

        PeerProcess sub2;
        const QString out = QStringLiteral("plax/%1/out").arg(transport);
        QVERIFY(startSubscriber(sub2, broker.tcpPort, out, 1));
        QSignalSpy sent(client.get(), &MqttClient::messageSent);
        const QByteArray payload = QStringLiteral("grüße über %1").arg(transport).toUtf8();
        const qint32 id = client->publish(MqttTopicName(out), payload, 1);
        QVERIFY(id > 0);
        QTRY_COMPARE(sent.size(), 1);
        QCOMPARE(sent.at(0).at(0).toInt(), id);
        QTRY_VERIFY(sub2.output().contains(payload));

        QSignalSpy states(client.get(), &MqttClient::stateChanged);
        client->disconnectFromHost();
        QCOMPARE(client->state(), MqttClient::Disconnected);
        QCOMPARE(client->error(), MqttClient::NoError);
        QCOMPARE(states.size(), 1);
    }

    void publishQos_data()
    {
        QTest::addColumn<int>("qos");
        QTest::newRow("qos0") << 0;
        QTest::newRow("qos1") << 1;
        QTest::newRow("qos2") << 2;
    }
    void publishQos()
    {
        QFETCH(int, qos);
        QVERIFY(connectOver("tcp"));
        PeerProcess sub;
        const QString topic = QStringLiteral("plax/qos/%1").arg(qos);
        QVERIFY(startSubscriber(sub, broker.tcpPort, topic, 1, {"-q", "2", "-v"}));
        QSignalSpy sent(client.get(), &MqttClient::messageSent);
        const qint32 id = client->publish(MqttTopicName(topic), "payload", quint8(qos));
        QCOMPARE(id > 0, qos > 0);
        QTRY_VERIFY(sub.output().contains(topic.toUtf8() + " payload"));
        if (qos > 0)
            QTRY_COMPARE(sent.size(), 1);
        QVERIFY(client->publish(MqttTopicName("plax/+"), "x") < 0); // wildcards are for filters only
        QVERIFY(!client->subscribe(MqttTopicFilter("plax/#/x")));
    }

    void untrustedCertificateIsRefused()
    {
        client = std::make_unique<MqttClient>();
        client->setHostname(QStringLiteral("127.0.0.1"));
        client->setPort(broker.tlsPort);
        QSignalSpy states(client.get(), &MqttClient::stateChanged);
        client->connectToHostEncrypted(QSslConfiguration::defaultConfiguration());
        QTRY_COMPARE_WITH_TIMEOUT(client->state(), MqttClient::Disconnected, 10000);
        QCOMPARE(client->error(), MqttClient::TransportInvalid);
        QCOMPARE(states.size(), 2); // Connecting, Disconnected: never Connected
    }

    void refusedPortEndsConnecting()
    {
        client = std::make_unique<MqttClient>();
        client->setHostname(QStringLiteral("127.0.0.1"));
        client->setPort(freeTcpPort());
        QSignalSpy states(client.get(), &MqttClient::stateChanged);
        client->connectToHost();
        // Nothing reported from inside connectToHost(): the caller finishes its own set-up first.
        QCOMPARE(states.size(), 1);
        QCOMPARE(client->state(), MqttClient::Connecting);
        QTRY_COMPARE(client->state(), MqttClient::Disconnected);
        QCOMPARE(client->error(), MqttClient::TransportInvalid);
        QVERIFY(!client->errorString().isEmpty());
    }

    // Scripted broker: each row is what the broker does after the client's CONNECT.
    void brokerMisbehaves_data()
    {
        QTest::addColumn<QByteArray>("answer");
        QTest::addColumn<int>("error");
        QTest::newRow("connack-bad-credentials")
            << QByteArray("20020004") << int(MqttClient::BadUsernameOrPassword);
        QTest::newRow("connack-id-rejected") << QByteArray("20020002") << int(MqttClient::IdRejected);
        QTest::newRow("connack-unknown-code") << QByteArray("20020009") << int(MqttClient::UnknownError);
        QTest::newRow("publish-before-connack")
            << QByteArray("3003000174") << int(MqttClient::ProtocolViolation);
        QTest::newRow("malformed-length") << QByteArray("20ffffffff01") << int(MqttClient::ProtocolViolation);
        QTest::newRow("silence-times-out") << QByteArray() << int(MqttClient::TransportInvalid);
    }
    void brokerMisbehaves()
    {
        QFETCH(QByteArray, answer);
        QFETCH(int, error);
        ScriptedBroker fake;
        client = std::make_unique<MqttClient>();
        client->setHostname(QStringLiteral("127.0.0.1"));
        client->setPort(fake.port());
        client->setConnectTimeout(500);
        client->connectToHost();
        QTRY_VERIFY(fake.received.startsWith(QByteArray::fromHex("10")));
        if (!answer.isEmpty())
            fake.send(answer.constData());
        QTRY_COMPARE(client->state(), MqttClient::Disconnected);
        QCOMPARE(int(client->error()), error);
    }

    void oversizedPacketEndsConnection()
    {
        ScriptedBroker fake;
        client = std::make_unique<MqttClient>();
        client->setHostname(QStringLiteral("127.0.0.1"));
        client->setPort(fake.port());
        client->setMaximumPacketSize(64 * 1024);
        client->connectToHost();
        QTRY_VERIFY(fake.peer);
        fake.send("20020000");
        QTRY_COMPARE(client->state(), MqttClient::Connected);
        // A PUBLISH announcing 128 KiB, followed by its first bytes.
        fake.peer->write(QByteArray::fromHex("3080800800017400") + QByteArray(32 * 1024, 'z'));
        QTRY_COMPARE(client->state(), MqttClient::Disconnected);
        QCOMPARE(client->error(), MqttClient::ProtocolViolation);
        QTRY_COMPARE(fake.peer->state(), QAbstractSocket::UnconnectedState);
    }

    void acknowledgements()
    {
        ScriptedBroker fake;
        client = std::make_unique<MqttClient>();
        client->setHostname(QStringLiteral("127.0.0.1"));
        client->setPort(fake.port());
        client->connectToHost();
        QTRY_VERIFY(fake.peer);
        fake.send("20020000");
        QTRY_COMPARE(client->state(), MqttClient::Connected);
        QSignalSpy received(client.get(), &MqttClient::messageReceived);

        // A refused subscription ends in Error, not Subscribed.
        MqttSubscription* sub = client->subscribe(MqttTopicFilter("secret/#"), 0);
        QVERIFY(sub);
        QSignalSpy subStates(sub, &MqttSubscription::stateChanged);
        QTRY_VERIFY(fake.received.contains(QByteArray::fromHex("82")));
        const int idAt = fake.received.indexOf(QByteArray::fromHex("82")) + 2;
        fake.peer->write(QByteArray::fromHex("9003") + fake.received.mid(idAt, 2) +
                         QByteArray::fromHex("80"));
        QTRY_COMPARE(subStates.size(), 1);
        QCOMPARE(subStates.at(0).at(0).value<MqttSubscription::SubscriptionState>(), MqttSubscription::Error);

        // QoS 1 in: PUBACK. QoS 2 in, sent twice: delivered once, PUBREC each time, PUBCOMP on PUBREL.
        fake.received.clear();
        fake.send("320700017400046869");
        QTRY_VERIFY(fake.received.contains(QByteArray::fromHex("40020004")));
        fake.send("340700017400056869");
        fake.send("3c0700017400056869");
        fake.send("62020005");
        QTRY_VERIFY(fake.received.contains(QByteArray::fromHex("70020005")));
        QCOMPARE(fake.received.count(QByteArray::fromHex("50020005")), 2);
        QCOMPARE(received.size(), 2);
        QCOMPARE(client->state(), MqttClient::Connected);
    }

    void missingPingResponseEndsConnection()
    {
        ScriptedBroker fake;
        client = std::make_unique<MqttClient>();
        client->setHostname(QStringLiteral("127.0.0.1"));
        client->setPort(fake.port());
        client->setKeepAlive(1);
        client->connectToHost();
        QTRY_VERIFY(fake.peer);
        QTRY_VERIFY(fake.received.size() >= 12);
        QCOMPARE(fake.received.mid(10, 2), QByteArray::fromHex("0001")); // keep-alive field
        fake.send("20020000");
        QTRY_COMPARE(client->state(), MqttClient::Connected);
        QTRY_VERIFY_WITH_TIMEOUT(fake.received.contains(QByteArray::fromHex("c000")), 3000);
        QTRY_COMPARE_WITH_TIMEOUT(client->state(), MqttClient::Disconnected, 3000);
        QCOMPARE(client->error(), MqttClient::TransportInvalid);
    }

    // Last: the broker goes away under a connected client.
    void brokerDrop_data() { transports_data(); }
    void brokerDrop()
    {
        QFETCH(QString, transport);
        QVERIFY(broker.isRunning() || broker.start());
        QVERIFY(connectOver(transport));
        QSignalSpy gone(client.get(), &MqttClient::disconnected);
        broker.stop();
        if (device) {
            // The device is the caller's; the caller ends it when its WebSocket goes.
            QTRY_COMPARE(device->webSocket.state(), QAbstractSocket::UnconnectedState);
            device->close();
        }
        QTRY_COMPARE(gone.size(), 1);
        QCOMPARE(client->error(), MqttClient::TransportInvalid);
        QCOMPARE(client->publish(MqttTopicName("plax/x"), "late"), -1);
        QVERIFY(!client->subscribe(MqttTopicFilter("plax/x")));
    }
};

QTEST_GUILESS_MAIN(TestMqttClient)
#include "tst_mqtt_client.moc"

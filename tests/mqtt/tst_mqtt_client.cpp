// The MQTT client against a real mosquitto (TCP, TLS, WebSocket, secure WebSocket) with
// mosquitto_pub / mosquitto_sub as the far party; against a scripted broker on a local
// socket for misbehaviours mosquitto never shows; and its WebSocket byte-stream device
// against a WebSocket server of the test's own.
#include <QSignalSpy>
#include <QSslCertificate>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTest>
#include <QWebSocket>
#include <QWebSocketServer>

#include <memory>

#include "protocols/mqttclient.h"
#include "protocols/websocketiodevice.h"
#include "tests/common/freeport.h"
#include "tests/mqtt/mosquittopeer.h"

Q_DECLARE_METATYPE(MqttClient::ClientState)
Q_DECLARE_METATYPE(MqttClient::ClientError)

namespace {

// Plays the broker on one connection: records what the client sends and sends raw bytes back.
struct ScriptedBroker : QObject
{
    QTcpServer server;
    QTcpSocket* peer = nullptr;
    QByteArray received;

    ScriptedBroker()
    {
        server.listen(QHostAddress::LocalHost, 0);
        connect(&server, &QTcpServer::newConnection, this, [this] {
            peer = server.nextPendingConnection();
            connect(peer, &QTcpSocket::readyRead, this, [this] { received += peer->readAll(); });
        });
    }
    void send(const char* hex) { peer->write(QByteArray::fromHex(hex)); }
};

// A WebSocket server offering the MQTT subprotocol.
struct WebSocketPeer : QObject
{
    QWebSocketServer server{QStringLiteral("test"), QWebSocketServer::NonSecureMode};
    QWebSocket* peer = nullptr;

    WebSocketPeer()
    {
        server.setSupportedSubprotocols({QStringLiteral("mqttv3.1")});
        server.listen(QHostAddress::LocalHost, 0);
        connect(&server, &QWebSocketServer::newConnection, this,
                [this] { peer = server.nextPendingConnection(); });
    }
    QString url() const { return QStringLiteral("ws://127.0.0.1:%1/").arg(server.serverPort()); }
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

    void newClient(quint16 port)
    {
        client = std::make_unique<MqttClient>();
        client->setHostname(QStringLiteral("127.0.0.1"));
        client->setPort(port);
    }

    // Opens a fresh WebSocket device and waits until it is up (true) or has failed. With `tls`,
    // the device holds a configuration trusting the test CA.
    bool openDevice(const QString& url, bool tls = false, bool sslEnabled = false)
    {
        device = std::make_unique<WebSocketIODevice>();
        if (tls)
            device->setSslConfiguration(trustingTestCa());
        device->sslEnabled = sslEnabled;
        device->setUrl(QUrl(url));
        device->setProtocol("mqttv3.1");
        QSignalSpy up(device.get(), &WebSocketIODevice::socketConnected);
        QSignalSpy failed(&device->webSocket,
                          QOverload<QAbstractSocket::SocketError>::of(&QWebSocket::error));
        return device->open(QIODevice::ReadWrite) &&
               QTest::qWaitFor([&] { return up.size() + failed.size() > 0; }, 10000) && up.size() == 1;
    }

    // Connects a fresh client over the named transport and waits for CONNACK.
    bool connectOver(const QString& transport)
    {
        const bool secure = transport == QLatin1String("tls") || transport == QLatin1String("wss");
        const bool ws = transport.startsWith(QLatin1String("ws"));
        if (ws && !openDevice(QStringLiteral("%1://127.0.0.1:%2/")
                                  .arg(transport)
                                  .arg(secure ? broker.wssPort : broker.wsPort),
                              secure, secure))
            return false;
        newClient(ws ? 0 : secure ? broker.tlsPort : broker.tcpPort);
        client->setClientId(QStringLiteral("plax-") + transport);
        if (ws) {
            client->setProtocolVersion(MqttClient::MQTT_3_1);
            client->setTransport(device.get(), MqttClient::IODevice);
        }
        if (secure && !ws)
            client->connectToHostEncrypted(trustingTestCa());
        else
            client->connectToHost();
        QSignalSpy connected(client.get(), &MqttClient::connected);
        return client->state() == MqttClient::Connected || connected.wait(10000);
    }

    // Connects a fresh client to the scripted broker, which accepts it.
    bool connectScripted(ScriptedBroker& fake)
    {
        client->setPort(fake.server.serverPort());
        client->connectToHost();
        if (!QTest::qWaitFor([&] { return fake.peer != nullptr; }))
            return false;
        fake.send("20020000");
        return QTest::qWaitFor([this] { return client->state() == MqttClient::Connected; });
    }

private slots:
    void initTestCase() { QVERIFY2(broker.start(), qPrintable(broker.failure())); }
    void init() { newClient(0); }
    void cleanup()
    {
        client.reset();
        device.reset();
    }

    void transports_data()
    {
        QTest::addColumn<QString>("transport");
        QTest::addColumn<int>("qos"); // of the message the client publishes
        QTest::newRow("tcp") << "tcp" << 0;
        QTest::newRow("tls") << "tls" << 1;
        QTest::newRow("ws") << "ws" << 2;
        QTest::newRow("wss") << "wss" << 1;
    }
    void transports()
    {
        QFETCH(QString, transport);
        QFETCH(int, qos);
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
        QVERIFY(startSubscriber(sub2, broker.tcpPort, out, 1, {"-q", "2"}));
        QSignalSpy sent(client.get(), &MqttClient::messageSent);
        const QByteArray payload = QStringLiteral("grüße über %1").arg(transport).toUtf8();
        const qint32 id = client->publish(MqttTopicName(out), payload, quint8(qos));
        QCOMPARE(id > 0, qos > 0);
        QTRY_VERIFY(sub2.output().contains(payload));
        QTRY_COMPARE(sent.size(), qos > 0 ? 1 : 0);
        QVERIFY(client->publish(MqttTopicName("plax/+"), "x") < 0); // wildcards are for filters only
        QVERIFY(!client->subscribe(MqttTopicFilter("plax/#/x")));

        QSignalSpy states(client.get(), &MqttClient::stateChanged);
        client->disconnectFromHost();
        QCOMPARE(client->error(), MqttClient::NoError);
        QCOMPARE(states.size(), 1);
    }

    // Nothing reported from inside the connect call (the caller finishes its own set-up
    // first); then Disconnected, never Connected.
    void connectFails_data()
    {
        QTest::addColumn<bool>("untrustedTls");
        QTest::newRow("refused-port") << false;
        QTest::newRow("untrusted-certificate") << true;
    }
    void connectFails()
    {
        QFETCH(bool, untrustedTls);
        client->setPort(untrustedTls ? broker.tlsPort : freeTcpPort());
        QSignalSpy states(client.get(), &MqttClient::stateChanged);
        if (untrustedTls)
            client->connectToHostEncrypted(QSslConfiguration::defaultConfiguration());
        else
            client->connectToHost();
        QCOMPARE(states.size(), 1);
        QCOMPARE(client->state(), MqttClient::Connecting);
        QTRY_COMPARE_WITH_TIMEOUT(client->state(), MqttClient::Disconnected, 10000);
        QCOMPARE(client->error(), MqttClient::TransportInvalid);
        QVERIFY(!client->errorString().isEmpty());
        QCOMPARE(states.size(), 2);
    }

    // Scripted broker: each row is what the broker does after the client's CONNECT.
    void brokerMisbehaves_data()
    {
        QTest::addColumn<QByteArray>("answer");
        QTest::addColumn<int>("error");
        QTest::addColumn<QString>("why");
        const int violation = MqttClient::ProtocolViolation;
        QTest::newRow("connack-bad-credentials")
            << QByteArray("20020004") << int(MqttClient::BadUsernameOrPassword)
            << "Bad user name or password";
        QTest::newRow("connack-unknown-code")
            << QByteArray("20020009") << int(MqttClient::UnknownError) << "";
        QTest::newRow("publish-before-connack") << QByteArray("3003000174") << violation << "";
        QTest::newRow("malformed-length") << QByteArray("20ffffffff01") << violation << "";
        QTest::newRow("silence-times-out") << QByteArray() << int(MqttClient::TransportInvalid) << "";
        // Accepted, then a topic that is not UTF-8, or a packet past the bound (64 MiB + 1).
        QTest::newRow("topic-not-utf8") << QByteArray("200200003005000361ff62") << violation
                                        << "The broker sent a topic that is not valid UTF-8";
        QTest::newRow("packet-over-bound") << QByteArray("200200003081808020") << violation
                                           << "The broker sent a packet larger than 67108864 bytes";
    }
    void brokerMisbehaves()
    {
        QFETCH(QByteArray, answer);
        QFETCH(int, error);
        QFETCH(QString, why);
        ScriptedBroker fake;
        client->setPort(fake.server.serverPort());
        client->setConnectTimeout(500);
        client->connectToHost();
        QTRY_VERIFY(fake.received.startsWith(QByteArray::fromHex("10")));
        if (!answer.isEmpty())
            fake.send(answer.constData());
        QTRY_COMPARE(client->state(), MqttClient::Disconnected);
        QCOMPARE(int(client->error()), error);
        if (!why.isEmpty())
            QCOMPARE(client->errorString(), why);
    }

    void acknowledgements()
    {
        ScriptedBroker fake;
        QVERIFY(connectScripted(fake));
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
        client->setKeepAlive(1);
        QVERIFY(connectScripted(fake));
        QTRY_VERIFY(fake.received.size() >= 12);
        QCOMPARE(fake.received.mid(10, 2), QByteArray::fromHex("0001")); // keep-alive field
        QTRY_VERIFY_WITH_TIMEOUT(fake.received.contains(QByteArray::fromHex("c000")), 3000);
        QTRY_COMPARE_WITH_TIMEOUT(client->state(), MqttClient::Disconnected, 3000);
        QCOMPARE(client->error(), MqttClient::TransportInvalid);
    }

    // The device offers one subprotocol, turns binary messages into one byte stream (text
    // messages are not part of it), cuts off a peer that outruns the reader rather than
    // buffering without end, and closes normally.
    void webSocketDevice()
    {
        WebSocketPeer ws;
        QVERIFY(openDevice(ws.url()));
        QTRY_VERIFY(ws.peer);
        QCOMPARE(ws.peer->request().rawHeader("Sec-WebSocket-Protocol"), QByteArray("mqttv3.1"));
        ws.peer->sendBinaryMessage("abc");
        ws.peer->sendTextMessage("text is not part of the stream");
        ws.peer->sendBinaryMessage("defg");
        QTRY_COMPARE(device->bytesAvailable(), 7);
        QCOMPARE(device->read(5), QByteArray("abcde"));
        QCOMPARE(device->readAll(), QByteArray("fg"));
        QSignalSpy peerGone(ws.peer, &QWebSocket::disconnected);
        device->close();
        QVERIFY(peerGone.wait(5000));
        QCOMPARE(ws.peer->closeCode(), QWebSocketProtocol::CloseCodeNormal);

        WebSocketPeer flood;
        QVERIFY(openDevice(flood.url()));
        QTRY_VERIFY(flood.peer);
        QSignalSpy floodGone(flood.peer, &QWebSocket::disconnected);
        const QByteArray chunk(WebSocketIODevice::maxBufferedBytes / 2 + 1, 'x');
        flood.peer->sendBinaryMessage(chunk);
        QTRY_COMPARE(device->bytesAvailable(), chunk.size());
        flood.peer->sendBinaryMessage(chunk);
        QVERIFY(floodGone.wait(10000));
        QCOMPARE(flood.peer->closeCode(), QWebSocketProtocol::CloseCodeTooMuchData);
        device.reset();
        // A stored TLS configuration is used only with sslEnabled.
        QVERIFY(!openDevice(QStringLiteral("wss://127.0.0.1:%1/").arg(broker.wssPort), true, false));
    }

    // Last: the broker goes away under a connected client.
    void brokerDrop_data()
    {
        QTest::addColumn<QString>("transport");
        for (const char* t : {"tcp", "tls", "wss"})
            QTest::newRow(t) << QString::fromLatin1(t);
    }
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

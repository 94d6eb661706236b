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
    void send(const QByteArray& hex) { peer->write(QByteArray::fromHex(hex)); }
};

// A WebSocket server offering the MQTT subprotocol.
struct WebSocketPeer : QObject
{
    QWebSocketServer server{"test", QWebSocketServer::NonSecureMode};
    QWebSocket* peer = nullptr;

    WebSocketPeer()
    {
        server.setSupportedSubprotocols({"mqttv3.1"});
        server.listen(QHostAddress::LocalHost, 0);
        connect(&server, &QWebSocketServer::newConnection, this,
                [this] { peer = server.nextPendingConnection(); });
    }
    QString url() const { return QString("ws://127.0.0.1:%1/").arg(server.serverPort()); }
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

    // Connects the client over the named transport and waits for CONNACK.
    bool connectOver(const QString& transport)
    {
        const bool secure = transport == "tls" || transport == "wss", ws = transport.startsWith("ws");
        client->setClientId("plax-" + transport);
        if (ws) {
            const quint16 port = secure ? broker.wssPort : broker.wsPort;
            if (!openDevice(QString("%1://127.0.0.1:%2/").arg(transport).arg(port), secure, secure))
                return false;
            client->setProtocolVersion(MqttClient::MQTT_3_1);
            client->setTransport(device.get(), MqttClient::IODevice);
        }
        client->setPort(ws ? 0 : secure ? broker.tlsPort : broker.tcpPort);
        secure && !ws ? client->connectToHostEncrypted(trustingTestCa()) : client->connectToHost();
        return QTest::qWaitFor([this] { return client->state() == MqttClient::Connected; }, 10000);
    }

    // Connects the client to the scripted broker, which accepts it.
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
    void init()
    {
        client = std::make_unique<MqttClient>();
        client->setHostname("127.0.0.1");
    }
    void cleanup() { client.reset(), device.reset(); }

    void transports_data()
    {
        QTest::addColumn<int>("qos"); // of the message the client publishes
        QTest::newRow("tcp") << 0;
        QTest::newRow("tls") << 1;
        QTest::newRow("ws") << 2;
        QTest::newRow("wss") << 1;
    }
    void transports()
    {
        QFETCH(int, qos);
        const QString transport = QTest::currentDataTag();
        QVERIFY(connectOver(transport));
        const QString in = "plax/" + transport + "/in", out = "plax/" + transport + "/out";
        QSignalSpy received(client.get(), &MqttClient::messageReceived);
        MqttSubscription* sub = client->subscribe(MqttTopicFilter("plax/" + transport + "/+"), 1);
        QVERIFY(sub);
        QTRY_COMPARE(sub->state(), MqttSubscription::Subscribed);
        QCOMPARE(sub->qos(), quint8(1));
        QVERIFY(publishWithMosquitto(broker.tcpPort, in, "from mosquitto_pub", {"-q", "1", "-m"}));
        QTRY_COMPARE(received.size(), 1);
        QCOMPARE(received.at(0).at(0).toByteArray(), QByteArray("from mosquitto_pub"));
        QCOMPARE(received.at(0).at(1).value<MqttTopicName>().name(), in);

        PeerProcess sub2;
        QVERIFY(startSubscriber(sub2, broker.tcpPort, out, 1, {"-q", "2"}));
        QSignalSpy sent(client.get(), &MqttClient::messageSent);
        const QByteArray payload = QString("grüße über %1").arg(transport).toUtf8();
        QCOMPARE(client->publish(MqttTopicName(out), payload, quint8(qos)) > 0, qos > 0);
        QTRY_VERIFY(sub2.output().contains(payload));
        QTRY_COMPARE(sent.size(), qos > 0 ? 1 : 0);
        QVERIFY(client->publish(MqttTopicName("plax/+"), "x") < 0); // wildcards are for filters only
        QVERIFY(!client->subscribe(MqttTopicFilter("plax/#/x")));

        QSignalSpy states(client.get(), &MqttClient::stateChanged);
        client->disconnectFromHost();
        QCOMPARE(client->error(), MqttClient::NoError);
        QCOMPARE(states.size(), 1);
    }

    // Nothing but Connecting is reported from inside the connect call (the caller finishes its own
    // set-up first). Then a refused port, a stranger's certificate, or a scripted broker answering
    // the client's CONNECT with the row's bytes, ends the connection with the row's error.
    void connectionFails_data()
    {
        QTest::addColumn<QByteArray>("answer");
        QTest::addColumn<int>("error");
        QTest::addColumn<QString>("why");
        const int violation = MqttClient::ProtocolViolation, transport = MqttClient::TransportInvalid;
        // clang-format off
        QTest::newRow("refused-port") << QByteArray() << transport << "";
        QTest::newRow("untrusted-certificate") << QByteArray() << transport << "";
        QTest::newRow("silence-times-out") << QByteArray() << transport << "";
        QTest::newRow("connack-bad-credentials") << QByteArray("20020004") << int(MqttClient::BadUsernameOrPassword) << "Bad user name or password";
        QTest::newRow("connack-unknown-code") << QByteArray("20020009") << int(MqttClient::UnknownError) << "";
        QTest::newRow("publish-before-connack") << QByteArray("3003000174") << violation << "";
        QTest::newRow("malformed-length") << QByteArray("20ffffffff01") << violation << "";
        // Accepted, then a topic that is not UTF-8, or a packet past the bound (64 MiB + 1).
        QTest::newRow("topic-not-utf8") << QByteArray("200200003005000361ff62") << violation << "The broker sent a topic that is not valid UTF-8";
        QTest::newRow("packet-over-bound") << QByteArray("200200003081808020") << violation << "The broker sent a packet larger than 67108864 bytes";
        // clang-format on
    }
    void connectionFails()
    {
        QFETCH(QByteArray, answer);
        QFETCH(QString, why);
        const QByteArray tag = QTest::currentDataTag();
        ScriptedBroker fake;
        client->setPort(tag == "refused-port"         ? freeTcpPort()
                        : tag.startsWith("untrusted") ? broker.tlsPort
                                                      : fake.server.serverPort());
        client->setConnectTimeout(500);
        QSignalSpy states(client.get(), &MqttClient::stateChanged);
        tag.startsWith("untrusted")
            ? client->connectToHostEncrypted(QSslConfiguration::defaultConfiguration())
            : client->connectToHost();
        QCOMPARE(states.size(), 1);
        QCOMPARE(client->state(), MqttClient::Connecting);
        if (!answer.isEmpty()) {
            QTRY_VERIFY(fake.received.startsWith(QByteArray::fromHex("10")));
            fake.send(answer);
        }
        QTRY_COMPARE_WITH_TIMEOUT(client->state(), MqttClient::Disconnected, 10000);
        QTEST(int(client->error()), "error");
        QCOMPARE(client->errorString(), why.isEmpty() ? client->errorString() : why);
        QVERIFY(!client->errorString().isEmpty());
        QVERIFY(answer.startsWith("20020000") || states.size() == 2); // never Connected unless accepted
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
        fake.send("9003" + fake.received.mid(idAt, 2).toHex() + "80");
        QTRY_COMPARE(subStates.size(), 1);
        QCOMPARE(subStates.at(0).at(0).value<MqttSubscription::SubscriptionState>(), MqttSubscription::Error);

        // QoS 1 in: PUBACK. QoS 2 in, sent twice: delivered once, PUBREC each time, PUBCOMP on PUBREL.
        fake.received.clear();
        fake.send("320700017400046869");
        QTRY_VERIFY(fake.received.contains(QByteArray::fromHex("40020004")));
        fake.send("340700017400056869"
                  "3c0700017400056869"
                  "62020005");
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
        WebSocketPeer ws, flood;
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

        QVERIFY(openDevice(flood.url()));
        QTRY_VERIFY(flood.peer);
        QSignalSpy floodGone(flood.peer, &QWebSocket::disconnected);
        const QByteArray chunk(WebSocketIODevice::maxBufferedBytes / 2 + 1, 'x');
        flood.peer->sendBinaryMessage(chunk);
        QTRY_COMPARE(device->bytesAvailable(), chunk.size());
        flood.peer->sendBinaryMessage(chunk);
        QVERIFY(floodGone.wait(10000));
        QCOMPARE(flood.peer->closeCode(), QWebSocketProtocol::CloseCodeTooMuchData);
        // A stored TLS configuration is used only with sslEnabled.
        QVERIFY(!openDevice(QString("wss://127.0.0.1:%1/").arg(broker.wssPort), true, false));
    }

    // Last: the broker goes away under a connected client.
    void brokerDrop_data()
    {
        QTest::addColumn<int>("unused");
        QTest::newRow("tcp") << 0;
        QTest::newRow("tls") << 0;
        QTest::newRow("wss") << 0;
    }
    void brokerDrop()
    {
        QVERIFY(broker.isRunning() || broker.start());
        QVERIFY(connectOver(QTest::currentDataTag()));
        QSignalSpy gone(client.get(), &MqttClient::disconnected);
        broker.stop();
        if (device) { // the device is the caller's; the caller ends it when its WebSocket goes
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

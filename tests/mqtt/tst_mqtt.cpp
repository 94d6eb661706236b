// MQTT packets against hand-assembled frames (MQTT 3.1.1 layouts) and topic rules; the client against a real
// mosquitto (TCP, TLS, WebSocket, secure WebSocket) with mosquitto_pub / mosquitto_sub as the far party, and
// against a scripted broker for misbehaviours mosquitto never shows; and the "MQTT" tab in a whole main
// window.
#include <QDir>
#include <QProcess>
#include <QRegularExpression>
#include <QScopeGuard>
#include <QSet>
#include <QSignalSpy>
#include <QSslCertificate>
#include <QSslKey>
#include <QStatusBar>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTemporaryDir>
#include <QTemporaryFile>
#include <QTextEdit>
#include <QWebSocket>
#include <QWebSocketServer>

#include "protocols/mqttclient.h"
#include "protocols/mqttpacket.h"
#include "protocols/mqtttopic.h"
#include "protocols/websocketiodevice.h"
#include "tests/common/consolerig.h"
#include "tests/common/filelimits.h"
#include "tests/common/freeport.h"
#include "tests/common/modalanswer.h"
#include "tests/common/mosquittopeer.h"
#include "tests/common/peerprocess.h"
#include "widgets/logview.h"

using namespace MqttPacket;

namespace {

// A mosquitto_sub (QoS 2) that has its subscription in place once started; it prints one received
// payload per line and exits after two messages. Line-buffered, or the SUBACK line only
// shows when the process ends.
bool startSubscriber(PeerProcess& sub, quint16 port, const QString& topic)
{
    return sub.startWaitingForText("stdbuf",
                                   {"-oL", "mosquitto_sub", "-d", "-h", "127.0.0.1", "-p",
                                    QString::number(port), "-t", topic, "-C", "2", "-W", "20", "-q", "2"},
                                   "received SUBACK");
}

// Publishes one message (-m) or file (-f) with mosquitto_pub and waits for it to finish.
bool publishWithMosquitto(quint16 port, const QString& topic, const QByteArray& message,
                          const QStringList& extra = {"-m"})
{
    return runToEnd("mosquitto_pub",
                    QStringList{"-h", "127.0.0.1", "-p", QString::number(port), "-t", topic} + extra +
                        QStringList{QString::fromUtf8(message)});
}

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

class TestMqtt : public QObject
{
    Q_OBJECT
    MosquittoPeer broker;
    std::unique_ptr<MqttClient> client;
    std::unique_ptr<WebSocketIODevice> device;
    std::unique_ptr<ConsoleRig> rig;
    MainWindow* window = nullptr;
    Ui_MainWindow* ui = nullptr;

    // Opens a fresh WebSocket device and waits until it is up (true) or has failed.
    bool openDevice(const QString& url)
    {
        device = std::make_unique<WebSocketIODevice>();
        device->setUrl(QUrl(url));
        device->setProtocol("mqttv3.1");
        QSignalSpy up(device.get(), &WebSocketIODevice::socketConnected);
        QSignalSpy failed(&device->webSocket,
                          QOverload<QAbstractSocket::SocketError>::of(&QWebSocket::error));
        return device->open(QIODevice::ReadWrite) &&
               QTest::qWaitFor([&] { return up.size() + failed.size() > 0; }, 10000) && up.size() == 1;
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

    // The tab: fills the connection fields (port 0: the broker's for the scheme) and presses Connect.
    QString status() const { return window->statusBar()->currentMessage(); }
    void connectButton() { press(ui->mqtt_opencompushButton); }
    void connectTo(int scheme, const QString& host, quint16 port, const QString& password = {})
    {
        ui->mqtt_protocol_combox->setCurrentIndex(scheme);
        ui->mqtt_host_lineEdit->setText(host);
        ui->mqtt_port_lineEdit->setText(QString::number(port ? port : broker.ports[scheme]));
        ui->mqtt_clientid_lineEdit->setText(QString("plax-tab-%1").arg(QTest::currentTestFunction()));
        ui->mqtt_username_lineEdit->setText(password.isEmpty() ? "" : MosquittoPeer::userName);
        ui->mqtt_password_lineEdit->setText(password);
        ui->mqtt_textEdit->clear();
        window->statusBar()->clearMessage();
        connectButton();
    }
    bool subscribed(const QString& topic)
    {
        ui->mqtt_subscribe_lineEdit->setText(topic);
        press(ui->mqtt_subscribed_pushButton);
        return QTest::qWaitFor([&] {
            return status() == "Topic:" + topic.simplified().remove(' ') + " was subcribed success.";
        });
    }
    void expectIdle()
    {
        QTRY_VERIFY(!window->MQTT_isConnected);
        QCOMPARE(status(), QStringLiteral("MQTT was disconnected."));
        QCOMPARE(ui->mqtt_opencompushButton->text(), QStringLiteral("Connect"));
    }

private slots:
    void initTestCase()
    {
        QVERIFY2(broker.start(), broker.process.output());
        rig = std::make_unique<ConsoleRig>(QStringLiteral("MQTT"));
        window = rig->w.get();
        ui = rig->ui;
        window->show();
    }
    void init()
    {
        client = std::make_unique<MqttClient>();
        client->setHostname("127.0.0.1");
    }
    void cleanup()
    {
        client.reset(), device.reset();
        if (window->MQTT_isConnected)
            connectButton();
        QVERIFY(!window->MQTT_isConnected);
    }
    void cleanupTestCase() { rig.reset(); }

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
        v31.protocolLevel = 3, v31.clientId = "c", v31.keepAliveSeconds = 10, v31.password = "secret";
        auto row = [](const char* tag, const QByteArray& built, const char* hex) {
            QTest::newRow(tag) << built << QByteArray::fromHex(hex);
        };
        // clang-format off
        row("connect-3.1.1-user-password", MqttPacket::connect(v311), "101a 00044d515454 04 c2 003c 0004706c6178 000475736572 00027077");
        row("connect-3.1-password-without-user-left-out", MqttPacket::connect(v31), "100f 00064d514973647003 02 000a 000163");
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

    // Examples from the standard's topic name and filter rules: the text, valid as a name, as a filter.
    void topics()
    {
        // clang-format off
        const struct { QString text; bool name, filter; } rows[] = {{"sport/tennis/player1", true, true},
            {"", false, false}, {"sport/#", false, true}, {"sport/#/ranking", false, false},
            {"sport/tennis#", false, false}, {"sport/+/player1", false, true}, {"sport+", false, false},
            {QString("a") + QChar(0), false, false}, {QString(QChar(0xD800)), false, false},
            {QString(65535, 'a'), true, true}, {QString(65536, 'a'), false, false}};
        // clang-format on
        for (const auto& r : rows)
            QVERIFY2(MqttTopicName(r.text).isValid() == r.name &&
                         MqttTopicFilter(r.text).isValid() == r.filter,
                     qPrintable(r.text.left(40)));
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
        QTest::newRow("connack-long") << QByteArray("2003000000") << violation << "The broker did not answer with CONNACK";
        QTest::newRow("malformed-length") << QByteArray("20ffffffff01") << violation << "Malformed packet length from the broker";
        // Accepted, then a packet the client must refuse. The length is judged from the header alone.
        const QByteArray accept = "20020000";
        QTest::newRow("length-fourth-has-continuation") << accept + "3080808080" << violation << "Malformed packet length from the broker";
        QTest::newRow("packet-over-bound") << accept + "3081808020" << violation << "The broker sent a packet larger than 67108864 bytes";
        // A topic must be well-formed UTF-8.
        QTest::newRow("topic-not-utf8") << accept + "3005000361ff62" << violation << "The broker sent a topic that is not valid UTF-8";
        QTest::newRow("publish-topic-cut") << accept + "3003000561" << violation << "";
        QTest::newRow("publish-qos3") << accept + "36050001740005" << violation << "";
        QTest::newRow("publish-qos1-id-zero") << accept + "32050001740000" << violation << "";
        QTest::newRow("suback-no-codes") << accept + "9002000a" << violation << "";
        QTest::newRow("pubrel-wrong-flags") << accept + "60020007" << violation << "";
        QTest::newRow("pingresp-with-body") << accept + "d00100" << violation << "";
        // clang-format on
    }
    void connectionFails()
    {
        QFETCH(QByteArray, answer);
        QFETCH(QString, why);
        const QByteArray tag = QTest::currentDataTag();
        ScriptedBroker fake;
        client->setPort(tag == "refused-port"         ? freeTcpPort()
                        : tag.startsWith("untrusted") ? broker.ports[Tls]
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
        QTRY_VERIFY_WITH_TIMEOUT(fake.received.contains(QByteArray::fromHex("c000")), 3000);
        QTRY_COMPARE_WITH_TIMEOUT(client->state(), MqttClient::Disconnected, 3000);
        QCOMPARE(client->error(), MqttClient::TransportInvalid);
    }

    // The device offers one subprotocol, turns binary messages into one byte stream (text
    // messages are not part of it), and cuts off a peer that outruns the reader rather than
    // buffering without end.
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

        QSignalSpy gone(ws.peer, &QWebSocket::disconnected);
        const QByteArray chunk(WebSocketIODevice::maxBufferedBytes / 2 + 1, 'x');
        ws.peer->sendBinaryMessage(chunk);
        QTRY_COMPARE(device->bytesAvailable(), chunk.size());
        ws.peer->sendBinaryMessage(chunk);
        QVERIFY(gone.wait(10000));
        QCOMPARE(ws.peer->closeCode(), QWebSocketProtocol::CloseCodeTooMuchData);
    }

    // The tab over each scheme: connects (with the account's password, outside Latin-1, as typed,
    // or anonymously), subscribes, logs what comes in and publishes; its client publishes at the
    // row's QoS and tells when the broker has the message.
    void tabSession_data()
    {
        QTest::addColumn<int>("scheme");
        QTest::addColumn<QString>("host");
        QTest::addColumn<int>("qos");
        QTest::addColumn<QString>("password");
        const QString account = QString::fromUtf8(MosquittoPeer::userPassword);
        QTest::newRow("mqtt") << int(Tcp) << "127.0.0.1" << 1 << account;
        QTest::newRow("mqtts") << int(Tls) << "127.0.0.1" << 2 << "";
        QTest::newRow("ws-with-path") << int(Ws) << "127.0.0.1/mqtt" << 2 << account;
        QTest::newRow("wss") << int(Wss) << "localhost" << 1 << "";
    }
    void tabSession()
    {
        QFETCH(int, scheme);
        QFETCH(QString, host);
        QFETCH(int, qos);
        QFETCH(QString, password);
        const QString tag = QTest::currentDataTag(), in = "plax/" + tag + "/in", out = "plax/" + tag + "/out";
        connectTo(scheme, host, 0, password);
        QTRY_COMPARE_WITH_TIMEOUT(status(), QStringLiteral("MQTT Connected"), 10000);
        QVERIFY(subscribed("plax/ " + tag + " /in"));

        // Markup from the broker is shown as sent, not rendered.
        const QByteArray payload = "<b>bold</b> & \xc3\xa9t\xc3\xa9";
        QVERIFY(publishWithMosquitto(broker.ports[Tcp], in, payload, {"-q", "1", "-m"}));
        QTRY_VERIFY(!ui->mqtt_textEdit->toPlainText().isEmpty());
        const QString line = ui->mqtt_textEdit->toPlainText();
        QVERIFY2(line.contains("Topic:" + in) && line.contains("receive:" + QString::fromUtf8(payload)),
                 qPrintable(line));
        QVERIFY(QRegularExpression("^Time:\\d\\d:\\d\\d\\s").match(line).hasMatch());

        PeerProcess sub;
        QVERIFY(startSubscriber(sub, broker.ports[Tcp], out));
        ui->mqtt_publish_lineEdit->setText(out);
        ui->mqtt_pub_textEdit->setPlainText("zwei Zeilen\nüber " + tag);
        press(ui->mqtt_publish_pushButton);
        QTRY_VERIFY(sub.output().contains(QString("zwei Zeilen\nüber " + tag).toUtf8()));
        MqttClient* c = window->MQTT_client;
        QSignalSpy sent(c, &MqttClient::messageSent);
        QVERIFY(c->publish(MqttTopicName(out), "qos " + tag.toUtf8(), quint8(qos)) > 0);
        QTRY_VERIFY(sub.output().contains("qos " + tag.toUtf8()));
        QTRY_COMPARE(sent.size(), 1);
        QVERIFY(c->publish(MqttTopicName("plax/+"), "x") < 0); // wildcards are for filters only
        QVERIFY(!c->subscribe(MqttTopicFilter("plax/#/x")));

        connectButton();
        expectIdle();
        window->statusBar()->clearMessage(); // detached: the buttons do nothing now
        press(ui->mqtt_subscribed_pushButton);
        QCOMPARE(status(), QString());
    }

    // A message past 1 MiB is taken and shown up to its end; one past the client's bound
    // ends the connection, and the log says why.
    void tabBigMessages_data()
    {
        QTest::addColumn<int>("size");
        QTest::addColumn<QString>("reason");
        const QString packet = "The broker sent a packet larger than 67108864 bytes";
        QTest::newRow("past-1MiB") << (1 << 20) + 100 << "";
        QTest::newRow("past-64MiB") << (64 << 20) + 1 << packet;
    }
    void tabBigMessages()
    {
        QFETCH(int, size);
        QFETCH(QString, reason);
        connectTo(Tcp, "127.0.0.1", 0);
        QTRY_COMPARE_WITH_TIMEOUT(status(), QStringLiteral("MQTT Connected"), 10000);
        QVERIFY(subscribed("big/#"));
        // Words, as text usually comes: one unbroken megabyte takes the log view minutes to lay out.
        QByteArray payload = QByteArray("0123456789abcde ").repeated(size / 16 + 1).left(size);
        payload.replace(size - 12, 12, "end-of-large");
        QTemporaryFile file;
        QVERIFY(file.open() && file.write(payload) == size && file.flush());
        QSignalSpy received(window->MQTT_client, &MqttClient::messageReceived);
        QVERIFY(
            publishWithMosquitto(broker.ports[Tcp], "big/one", file.fileName().toUtf8(), {"-q", "1", "-f"}));
        if (reason.isEmpty()) {
            QVERIFY(received.wait(20000));
            QVERIFY(LogView::of(ui->mqtt_textEdit)->text().endsWith("end-of-large"));
            QCOMPARE(window->MQTT_client->state(), MqttClient::Connected);
        } else {
            expectIdle();
            const QString log = LogView::of(ui->mqtt_textEdit)->text();
            QVERIFY2(log.endsWith("MQTT was disconnected: " + reason), qPrintable(log.right(200)));
        }
    }

    // Over WebSocket (plain and TLS) a packet past the client's bound, or a WebSocket message past
    // the device's, ends the connection and the log says why, as over TCP. The broker is a
    // WebSocket server of the test's own: mosquitto's WebSocket listener passes a large message
    // at about 40 KB/s.
    void tabWebSocketBigMessages_data()
    {
        QTest::addColumn<bool>("secure");
        QTest::addColumn<int>("payload"); // of one PUBLISH; 0: one WebSocket message past the bound
        QTest::addColumn<QString>("reason");
        const QString packet = "The broker sent a packet larger than 67108864 bytes";
        const QString message = "The broker sent a WebSocket message larger than 68157440 bytes";
        QTest::newRow("ws-packet-past-64MiB") << false << (64 << 20) + 1 << packet;
        QTest::newRow("ws-message-past-65MiB") << false << 0 << message;
        QTest::newRow("wss-message-past-65MiB") << true << 0 << message;
    }
    void tabWebSocketBigMessages()
    {
        QFETCH(bool, secure);
        QFETCH(int, payload);
        QFETCH(QString, reason);
        QWebSocketServer server("test",
                                secure ? QWebSocketServer::SecureMode : QWebSocketServer::NonSecureMode);
        if (secure) {
            QSslConfiguration tls = QSslConfiguration::defaultConfiguration();
            QFile cert(broker.dir.filePath("server.crt")), key(broker.dir.filePath("server.key"));
            QVERIFY(cert.open(QIODevice::ReadOnly) && key.open(QIODevice::ReadOnly));
            tls.setLocalCertificate(QSslCertificate(&cert));
            tls.setPrivateKey(QSslKey(&key, QSsl::Ec));
            server.setSslConfiguration(tls);
        }
        server.setSupportedSubprotocols({"mqttv3.1"});
        QVERIFY(server.listen(QHostAddress::LocalHost, 0));
        QWebSocket* peer = nullptr;
        connect(&server, &QWebSocketServer::newConnection, this, [&] {
            peer = server.nextPendingConnection();
            connect(peer, &QWebSocket::binaryMessageReceived, peer, [peer](const QByteArray& m) {
                if (quint8(m.at(0)) == 0x10) // CONNECT: accepted
                    peer->sendBinaryMessage(QByteArray::fromHex("20020000"));
            });
        });
        connectTo(secure ? Wss : Ws, "127.0.0.1", server.serverPort());
        QTRY_COMPARE_WITH_TIMEOUT(status(), QStringLiteral("MQTT Connected"), 10000);
        peer->sendBinaryMessage(payload ? publish("big/one", QByteArray(payload, 'x'), 0, false, 0)
                                        : QByteArray(WebSocketIODevice::maxBufferedBytes + 1, 'x'));
        QTRY_VERIFY_WITH_TIMEOUT(!window->MQTT_isConnected, 20000);
        expectIdle();
        const QString log = LogView::of(ui->mqtt_textEdit)->text();
        QVERIFY2(log.endsWith("MQTT was disconnected: " + reason), qPrintable(log.right(200)));
    }

    // A refused or unreachable broker returns the tab to idle.
    void tabConnectRefused_data()
    {
        QTest::addColumn<int>("scheme");
        QTest::addColumn<bool>("reachable"); // and refusing the password
        QTest::newRow("wrong-password") << int(Tcp) << true;
        for (int scheme : {Tcp, Tls, Ws, Wss})
            QTest::addRow("unreachable-%d", scheme) << scheme << false;
    }
    void tabConnectRefused()
    {
        QFETCH(int, scheme);
        QFETCH(bool, reachable);
        connectTo(scheme, "127.0.0.1", reachable ? 0 : freeTcpPort(), "passwort");
        expectIdle();
    }

    // A quick Disconnect/Connect over WebSocket: the first socket's late closing must
    // not end the second connection.
    void tabReconnectKeepsNewConnection()
    {
        connectTo(Ws, "127.0.0.1", 0);
        QTRY_COMPARE(status(), QStringLiteral("MQTT Connected"));
        QPointer<WebSocketIODevice> first = window->MQTT_webSocket;
        connectButton();
        connectButton();
        QTRY_COMPARE(status(), QStringLiteral("MQTT Connected"));
        QTRY_VERIFY(!first); // the first WebSocket is gone, its closing done
        QVERIFY(window->MQTT_isConnected && status() == "MQTT Connected");
        QCOMPARE(window->MQTT_client->state(), MqttClient::Connected);
    }

    // A burst, then the broker goes away: the log holds every message whole and in order,
    // however long, and the notice after them.
    void tabBurstThenBrokerStops()
    {
        connectTo(Tcp, "127.0.0.1", 0);
        QTRY_COMPARE_WITH_TIMEOUT(status(), QStringLiteral("MQTT Connected"), 10000);
        QVERIFY(subscribed("burst/#"));
        client->setPort(broker.ports[Tcp]);
        client->connectToHost();
        QTRY_COMPARE(client->state(), MqttClient::Connected);
        QSignalSpy received(window->MQTT_client, &MqttClient::messageReceived);
        constexpr int count = 3000;
        QStringList payloads;
        for (int i = 0; i < count; ++i) {
            payloads << QString("%1:").arg(i, 4, 10, QLatin1Char('0')) +
                            QString(i == 0 ? 3000 : 300, QLatin1Char('a' + i % 26));
            QVERIFY(client->publish(MqttTopicName("burst/t"), payloads.last().toUtf8()) >= 0);
        }
        QTRY_COMPARE_WITH_TIMEOUT(received.size(), count, 20000);
        broker.process.stop();
        expectIdle();
        const QStringList lines = LogView::of(ui->mqtt_textEdit)->text().split('\n');
        QCOMPARE(lines.size(), count + 1);
        for (int i = 0; i < count; ++i)
            QVERIFY2(lines[i].endsWith(" Topic:burst/t receive:" + payloads[i]),
                     qPrintable(lines[i].left(60)));
        QVERIFY2(lines.last().startsWith("MQTT was disconnected: "), qPrintable(lines.last()));
    }

    // "Save" writes the password: the settings file is the user's alone when created and
    // when rewritten; a file that cannot be written is reported with the reason.
    void saveKeepsTheFilePrivateAndReportsFailure()
    {
        const QString path = rig->home.settingsFile();
        const QByteArray before = [&] {
            QFile f(path);
            return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
        }();
        const auto restore = qScopeGuard([&] {
            QFile f(path);
            f.setPermissions(QFile::ReadOwner | QFile::WriteOwner);
            if (f.open(QIODevice::WriteOnly | QIODevice::Truncate))
                f.write(before);
        });
        const QFile::Permissions userOnly =
            QFile::ReadOwner | QFile::WriteOwner | QFile::ReadUser | QFile::WriteUser;
        ui->mqtt_password_lineEdit->setText("secret");
        QVERIFY(QFile::remove(path));
        press(ui->mqtt_save_pushButton); // created
        QCOMPARE(QFile::permissions(path), userOnly);
        ui->mqtt_password_lineEdit->setText("other");
        press(ui->mqtt_save_pushButton); // rewritten
        QCOMPARE(QFile::permissions(path), userOnly);

        QVERIFY(QFile::setPermissions(path, QFile::ReadOwner));
        ObeyFileModes asAnyUser;
        ModalAnswer answer("OK");
        ui->mqtt_password_lineEdit->setText("third");
        press(ui->mqtt_save_pushButton);
        QVERIFY(answer.seen());
        QVERIFY2(answer.text().contains(path) &&
                     answer.text().contains(QString::fromLocal8Bit(strerror(EACCES))),
                 qPrintable(answer.text()));
    }

    // Last: the broker goes away under the connected tab, which returns to idle; its client
    // refuses what comes after (over WebSocket the tab ends the device, which is its own).
    void brokerDrop_data()
    {
        QTest::addColumn<int>("scheme");
        QTest::newRow("mqtts") << int(Tls);
        QTest::newRow("ws") << int(Ws);
        QTest::newRow("wss") << int(Wss);
    }
    void brokerDrop()
    {
        QFETCH(int, scheme);
        QVERIFY(broker.process.isRunning() || broker.start());
        connectTo(scheme, "127.0.0.1", 0);
        QTRY_COMPARE_WITH_TIMEOUT(status(), QStringLiteral("MQTT Connected"), 10000);
        QPointer<MqttClient> dropped = window->MQTT_client;
        broker.process.stop();
        expectIdle();
        QVERIFY(dropped); // a stopping broker may close cleanly or not: either way the client is done
        QCOMPARE(dropped->publish(MqttTopicName("plax/x"), "late"), -1);
        QVERIFY(!dropped->subscribe(MqttTopicFilter("plax/x")));
    }
};

QTEST_MAIN(TestMqtt)
#include "tst_mqtt.moc"

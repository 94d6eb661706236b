// The WebSocket byte-stream device against a WebSocket server run by the test, and
// against mosquitto's secure WebSocket listener for the TLS hand-over.
#include <QSignalSpy>
#include <QSslCertificate>
#include <QTest>
#include <QWebSocket>
#include <QWebSocketServer>

#include <memory>

#include "protocols/websocketiodevice.h"
#include "tests/mqtt/mosquittopeer.h"

class TestWebSocketIODevice : public QObject
{
    Q_OBJECT
    std::unique_ptr<QWebSocketServer> server;
    QWebSocket* peer = nullptr; // the server's side of the connection
    QList<QByteArray> peerReceived;
    std::unique_ptr<WebSocketIODevice> device;

    // Opens the device against the test server and waits until both sides are up.
    bool openDevice()
    {
        device = std::make_unique<WebSocketIODevice>();
        device->setUrl(QUrl(QStringLiteral("ws://127.0.0.1:%1/").arg(server->serverPort())));
        device->setProtocol("mqttv3.1");
        QSignalSpy up(device.get(), &WebSocketIODevice::socketConnected);
        if (!device->open(QIODevice::ReadWrite))
            return false;
        return up.wait(5000) && QTest::qWaitFor([this] { return peer != nullptr; }, 5000);
    }

private slots:
    void init()
    {
        server = std::make_unique<QWebSocketServer>(QStringLiteral("test"), QWebSocketServer::NonSecureMode);
        server->setSupportedSubprotocols({QStringLiteral("mqttv3.1")});
        QVERIFY(server->listen(QHostAddress::LocalHost, 0));
        peer = nullptr;
        peerReceived.clear();
        connect(server.get(), &QWebSocketServer::newConnection, this, [this] {
            peer = server->nextPendingConnection();
            connect(peer, &QWebSocket::binaryMessageReceived, this,
                    [this](const QByteArray& m) { peerReceived.append(m); });
        });
    }
    void cleanup()
    {
        device.reset();
        server.reset();
    }

    void offersOneSubprotocol()
    {
        QVERIFY(openDevice());
        QCOMPARE(peer->subprotocol(), QStringLiteral("mqttv3.1"));
        QCOMPARE(peer->request().rawHeader("Sec-WebSocket-Protocol"), QByteArray("mqttv3.1"));
        QVERIFY(device->isSequential());
    }

    void messagesBecomeOneStream()
    {
        QVERIFY(openDevice());
        QSignalSpy ready(device.get(), &QIODevice::readyRead);
        peer->sendBinaryMessage("abc");
        peer->sendBinaryMessage("defg");
        QTRY_COMPARE(device->bytesAvailable(), 7);
        QCOMPARE(ready.size(), 2);
        QCOMPARE(device->read(5), QByteArray("abcde"));
        QCOMPARE(device->read(5), QByteArray("fg"));
        QCOMPARE(device->read(5), QByteArray());
        peer->sendTextMessage("text is not part of the stream");
        peer->sendBinaryMessage("0123456789");
        QTRY_COMPARE(device->bytesAvailable(), 10);
        QCOMPARE(device->readAll(), QByteArray("0123456789"));
    }

    void eachWriteIsOneMessage()
    {
        QVERIFY(openDevice());
        QCOMPARE(device->write("\x10\x02"), 2);
        QCOMPARE(device->write("hello"), 5);
        QTRY_COMPARE(peerReceived.size(), 2);
        QCOMPARE(peerReceived, (QList<QByteArray>{"\x10\x02", "hello"}));
    }

    void closeSendsNormalCode()
    {
        QVERIFY(openDevice());
        QSignalSpy peerGone(peer, &QWebSocket::disconnected);
        device->close();
        QVERIFY(!device->isOpen());
        QVERIFY(peerGone.wait(5000));
        QCOMPARE(peer->closeCode(), QWebSocketProtocol::CloseCodeNormal);
    }

    // Unread data is capped: a peer that outruns the reader is cut off, not buffered.
    void unreadDataIsCapped()
    {
        QVERIFY(openDevice());
        QSignalSpy peerGone(peer, &QWebSocket::disconnected);
        const QByteArray chunk(3 * 1024 * 1024, 'x');
        peer->sendBinaryMessage(chunk);
        QTRY_COMPARE(device->bytesAvailable(), chunk.size());
        peer->sendBinaryMessage(chunk);
        QVERIFY(peerGone.wait(10000));
        QCOMPARE(peer->closeCode(), QWebSocketProtocol::CloseCodeTooMuchData);
        QVERIFY(device->bytesAvailable() <= WebSocketIODevice::maxBufferedBytes);
    }

    // The stored TLS configuration (trusting the test CA) is used only with sslEnabled.
    void tlsConfigurationNeedsSslEnabled_data()
    {
        QTest::addColumn<bool>("sslEnabled");
        QTest::newRow("ssl-enabled") << true;
        QTest::newRow("ssl-not-enabled") << false;
    }
    void tlsConfigurationNeedsSslEnabled()
    {
        QFETCH(bool, sslEnabled);
        MosquittoPeer broker;
        QVERIFY2(broker.start(), qPrintable(broker.failure()));
        QSslConfiguration tls = QSslConfiguration::defaultConfiguration();
        tls.setCaCertificates(QSslCertificate::fromPath(broker.caFile()));
        device = std::make_unique<WebSocketIODevice>();
        device->setSslConfiguration(tls);
        device->sslEnabled = sslEnabled;
        device->setUrl(QUrl(QStringLiteral("wss://127.0.0.1:%1/").arg(broker.wssPort)));
        device->setProtocol("mqttv3.1");
        QSignalSpy up(device.get(), &WebSocketIODevice::socketConnected);
        QSignalSpy failed(&device->webSocket,
                          QOverload<QAbstractSocket::SocketError>::of(&QWebSocket::error));
        QVERIFY(device->open(QIODevice::ReadWrite));
        QTRY_VERIFY_WITH_TIMEOUT(up.size() + failed.size() > 0, 10000);
        QCOMPARE(up.size(), sslEnabled ? 1 : 0);
        device.reset();
    }
};

QTEST_GUILESS_MAIN(TestWebSocketIODevice)
#include "tst_websocketiodevice.moc"

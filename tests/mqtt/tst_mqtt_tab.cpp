// The "MQTT" tab in a whole main window (only this tool switched on) against a real
// mosquitto: the page's buttons, status texts, log and settings.
#include <QLineEdit>
#include <QSettings>
#include <QSignalSpy>
#include <QStatusBar>
#include <QTemporaryFile>
#include <QTextEdit>

#include "protocols/websocketiodevice.h"
#include "tests/common/consolerig.h"
#include "tests/mqtt/mosquittopeer.h"
#include "widgets/logview.h"

class TestMqttTab : public QObject
{
    Q_OBJECT
    std::unique_ptr<ConsoleRig> rig;
    MainWindow* window = nullptr;
    Ui_MainWindow* ui = nullptr;
    MosquittoPeer broker;

    QString status() const { return window->statusBar()->currentMessage(); }
    void connectButton() { press(ui->mqtt_opencompushButton); }
    // Fills the connection fields (scheme 0..3: mqtt, mqtts, ws, wss; port 0: the broker's) and
    // presses Connect.
    void connectTo(int scheme, const QString& host, quint16 port, const QString& password = {})
    {
        const quint16 ports[] = {broker.tcpPort, broker.tlsPort, broker.wsPort, broker.wssPort};
        ui->mqtt_protocol_combox->setCurrentIndex(scheme);
        ui->mqtt_host_lineEdit->setText(host);
        ui->mqtt_port_lineEdit->setText(QString::number(port ? port : ports[scheme]));
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
        QVERIFY2(broker.start(), qPrintable(broker.failure()));
        rig = std::make_unique<ConsoleRig>(QStringLiteral("MQTT"));
        window = rig->w.get();
        ui = rig->ui;
        window->show();
    }
    void cleanup()
    {
        if (window->MQTT_isConnected)
            connectButton();
        QVERIFY(!window->MQTT_isConnected);
    }
    void cleanupTestCase() { rig.reset(); }

    void session_data()
    {
        QTest::addColumn<int>("scheme");
        QTest::addColumn<QString>("host");
        QTest::newRow("mqtt") << 0 << "127.0.0.1";
        QTest::newRow("mqtts") << 1 << "127.0.0.1";
        QTest::newRow("ws-with-path") << 2 << "127.0.0.1/mqtt";
        QTest::newRow("wss") << 3 << "localhost";
    }
    void session()
    {
        QFETCH(int, scheme);
        QFETCH(QString, host);
        const QString tag = QTest::currentDataTag(), in = "plax/" + tag + "/in", out = "plax/" + tag + "/out";
        connectTo(scheme, host, 0);
        QVERIFY(window->MQTT_isConnected);
        QCOMPARE(ui->mqtt_opencompushButton->text(), QStringLiteral("Disconnect"));
        QTRY_COMPARE_WITH_TIMEOUT(status(), QStringLiteral("MQTT Connected"), 10000);
        QVERIFY(subscribed("plax/ " + tag + " /in"));

        // Markup from the broker is shown as sent, not rendered.
        const QByteArray payload = "<b>bold</b> & \xc3\xa9t\xc3\xa9";
        QVERIFY(publishWithMosquitto(broker.tcpPort, in, payload));
        QTRY_VERIFY(!ui->mqtt_textEdit->toPlainText().isEmpty());
        const QString line = ui->mqtt_textEdit->toPlainText();
        QVERIFY2(line.contains("Topic:" + in) && line.contains("receive:" + QString::fromUtf8(payload)),
                 qPrintable(line));
        QVERIFY(QRegularExpression("^Time:\\d\\d:\\d\\d\\s").match(line).hasMatch());

        PeerProcess sub;
        QVERIFY(startSubscriber(sub, broker.tcpPort, out, 1));
        ui->mqtt_publish_lineEdit->setText(out);
        ui->mqtt_pub_textEdit->setPlainText("zwei Zeilen\nüber " + tag);
        press(ui->mqtt_publish_pushButton);
        QTRY_VERIFY(sub.output().contains(QString("zwei Zeilen\nüber " + tag).toUtf8()));

        connectButton();
        expectIdle();
        window->statusBar()->clearMessage(); // detached: the buttons do nothing now
        press(ui->mqtt_subscribed_pushButton);
        QCOMPARE(status(), QString());
    }

    // A message past 1 MiB is taken and shown up to its end; one past the client's bound
    // ends the connection, and the log says why.
    void bigMessages_data()
    {
        QTest::addColumn<int>("size");
        QTest::newRow("past-1MiB") << (1 << 20) + 100;
        QTest::newRow("past-64MiB") << (64 << 20) + 1;
    }
    void bigMessages()
    {
        QFETCH(int, size);
        connectTo(0, "127.0.0.1", 0);
        QTRY_COMPARE_WITH_TIMEOUT(status(), QStringLiteral("MQTT Connected"), 10000);
        QVERIFY(subscribed("big/#"));
        // Words, as text usually comes: one unbroken megabyte takes the log view minutes to lay out.
        QByteArray payload = QByteArray("0123456789abcde ").repeated(size / 16 + 1).left(size);
        payload.replace(size - 12, 12, "end-of-large");
        QTemporaryFile file;
        QVERIFY(file.open() && file.write(payload) == size && file.flush());
        QSignalSpy received(window->MQTT_client, &MqttClient::messageReceived);
        QVERIFY(publishWithMosquitto(broker.tcpPort, "big/one", file.fileName().toUtf8(), {"-q", "1", "-f"}));
        if (size < (64 << 20)) {
            QVERIFY(received.wait(20000));
            QVERIFY(LogView::of(ui->mqtt_textEdit)->text().endsWith("end-of-large"));
            QCOMPARE(window->MQTT_client->state(), MqttClient::Connected);
        } else {
            expectIdle();
            QVERIFY(LogView::of(ui->mqtt_textEdit)->text().endsWith(
                "MQTT was disconnected: The broker sent a packet larger than 67108864 bytes"));
        }
    }

    // The password reaches the broker as typed, also outside Latin-1; a refused or unreachable
    // broker returns the tab to idle.
    void connectOutcome_data()
    {
        QTest::addColumn<int>("scheme");
        QTest::addColumn<QString>("password");
        QTest::addColumn<bool>("reachable");
        const QString right = QString::fromUtf8(MosquittoPeer::userPassword);
        QTest::newRow("mqtt-right") << 0 << right << true;
        QTest::newRow("ws-right") << 2 << right << true;
        QTest::newRow("mqtt-wrong") << 0 << QStringLiteral("passwort") << true;
        for (int scheme : {0, 1, 2, 3})
            QTest::addRow("unreachable-%d", scheme) << scheme << right << false;
    }
    void connectOutcome()
    {
        QFETCH(int, scheme);
        QFETCH(QString, password);
        QFETCH(bool, reachable);
        connectTo(scheme, "127.0.0.1", reachable ? 0 : freeTcpPort(), password);
        if (reachable && password.endsWith(QChar(0x20AC)))
            QTRY_COMPARE(status(), QStringLiteral("MQTT Connected"));
        else
            expectIdle();
    }

    // A quick Disconnect/Connect over WebSocket: the first socket's late closing must
    // not end the second connection.
    void reconnectKeepsNewConnection()
    {
        connectTo(2, "127.0.0.1", 0);
        QTRY_COMPARE(status(), QStringLiteral("MQTT Connected"));
        QPointer<WebSocketIODevice> first = window->MQTT_webSocket;
        connectButton();
        connectButton();
        QTRY_COMPARE(status(), QStringLiteral("MQTT Connected"));
        QTRY_VERIFY(!first); // the first WebSocket is gone, its closing done
        QVERIFY(window->MQTT_isConnected && status() == "MQTT Connected");
        QCOMPARE(window->MQTT_client->state(), MqttClient::Connected);
    }

    void saveAndLoadFields()
    {
        const QList<QLineEdit*> fields = {ui->mqtt_host_lineEdit,     ui->mqtt_port_lineEdit,
                                          ui->mqtt_clientid_lineEdit, ui->mqtt_username_lineEdit,
                                          ui->mqtt_password_lineEdit, ui->mqtt_subscribe_lineEdit,
                                          ui->mqtt_publish_lineEdit};
        const QStringList texts = {"broker/mqtt", "8084", "id-1", "user", "pa ss", "a/+", "a/b"};
        ui->mqtt_protocol_combox->setCurrentIndex(3);
        for (int i = 0; i < fields.size(); ++i)
            fields[i]->setText(texts[i]);
        press(ui->mqtt_save_pushButton);
        QSettings stored(rig->home.settingsFile(), QSettings::IniFormat);
        QCOMPARE(stored.value("MQTT_PROTOCOL").toInt(), 3);
        QCOMPARE(stored.value("MQTT_HOST").toString(), QStringLiteral("broker/mqtt"));
        MainWindow second;
        QCOMPARE(second.ui->mqtt_protocol_combox->currentText(), QStringLiteral("wss://"));
        for (int i = 0; i < fields.size(); ++i)
            QCOMPARE(second.findChild<QLineEdit*>(fields[i]->objectName())->text(), texts[i]);
    }

    // Last: the broker goes away under a tab connected over WebSocket, whose device the tab ends.
    void brokerDropReturnsToIdle()
    {
        connectTo(2, "127.0.0.1", 0);
        QTRY_COMPARE_WITH_TIMEOUT(status(), QStringLiteral("MQTT Connected"), 10000);
        broker.stop();
        expectIdle();
    }
};

QTEST_MAIN(TestMqttTab)
#include "tst_mqtt_tab.moc"

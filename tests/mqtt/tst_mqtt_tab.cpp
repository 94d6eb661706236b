// The "MQTT" tab in a whole main window (only this tool switched on) against a real
// mosquitto: the page's buttons, status texts, log and settings.
#include <QLineEdit>
#include <QMenu>
#include <QSettings>
#include <QStatusBar>
#include <QTextEdit>

#include "app/styles.h"
#include "tests/common/consolerig.h"
#include "tests/common/freeport.h"
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
    quint16 portOf(int scheme) const
    {
        return QList<quint16>{broker.tcpPort, broker.tlsPort, broker.wsPort, broker.wssPort}.at(scheme);
    }
    void fill(int scheme, const QString& host, quint16 port, const QString& clientId)
    {
        ui->mqtt_protocol_combox->setCurrentIndex(scheme);
        ui->mqtt_host_lineEdit->setText(host);
        ui->mqtt_port_lineEdit->setText(QString::number(port));
        ui->mqtt_clientid_lineEdit->setText(clientId);
        ui->mqtt_username_lineEdit->clear();
        ui->mqtt_password_lineEdit->clear();
        window->statusBar()->clearMessage();
    }
    void expectIdle()
    {
        QTRY_VERIFY(!window->MQTT_isConnected);
        QCOMPARE(status(), QStringLiteral("MQTT was disconnected."));
        QCOMPARE(ui->mqtt_opencompushButton->text(), QStringLiteral("Connect"));
        QCOMPARE(ui->mqtt_opencompushButton->styleSheet(), QString::fromLatin1(Styles::idleButton));
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

    void subscribeAndPublishBeforeConnectDoNothing()
    {
        window->statusBar()->clearMessage();
        press(ui->mqtt_subscribed_pushButton);
        press(ui->mqtt_publish_pushButton);
        QCOMPARE(status(), QString());
    }

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
        const QString tag = QString::fromLatin1(QTest::currentDataTag());
        fill(scheme, host, portOf(scheme), QStringLiteral("plax-tab-") + tag);
        ui->mqtt_subscribe_lineEdit->setText(QStringLiteral("plax/ %1 /in").arg(tag));
        ui->mqtt_textEdit->clear();

        connectButton();
        QVERIFY(window->MQTT_isConnected);
        QCOMPARE(ui->mqtt_opencompushButton->text(), QStringLiteral("Disconnect"));
        QCOMPARE(ui->mqtt_opencompushButton->styleSheet(), QString::fromLatin1(Styles::activeButton));
        QTRY_COMPARE_WITH_TIMEOUT(status(), QStringLiteral("MQTT Connected"), 10000);

        const QString in = QStringLiteral("plax/%1/in").arg(tag);
        press(ui->mqtt_subscribed_pushButton);
        QTRY_COMPARE(status(), QStringLiteral("Topic:%1 was subcribed success.").arg(in));

        // Markup from the broker is shown as sent, not rendered.
        const QByteArray payload = "<b>bold</b> & \xc3\xa9t\xc3\xa9";
        QVERIFY(publishWithMosquitto(broker.tcpPort, in, payload));
        QTRY_VERIFY(!ui->mqtt_textEdit->toPlainText().isEmpty());
        const QString line = ui->mqtt_textEdit->toPlainText();
        QVERIFY2(line.contains(QStringLiteral("Topic:") + in), qPrintable(line));
        QVERIFY2(line.contains(QStringLiteral("receive:") + QString::fromUtf8(payload)), qPrintable(line));
        QVERIFY(QRegularExpression(QStringLiteral("^Time:\\d\\d:\\d\\d\\s")).match(line).hasMatch());

        PeerProcess sub;
        const QString out = QStringLiteral("plax/%1/out").arg(tag);
        QVERIFY(startSubscriber(sub, broker.tcpPort, out, 1));
        ui->mqtt_publish_lineEdit->setText(out);
        ui->mqtt_pub_textEdit->setPlainText(QStringLiteral("zwei Zeilen\nüber %1").arg(tag));
        press(ui->mqtt_publish_pushButton);
        QTRY_VERIFY(sub.output().contains(QStringLiteral("zwei Zeilen\nüber %1").arg(tag).toUtf8()));

        connectButton();
        expectIdle();
        // Detached: the buttons do nothing now.
        window->statusBar()->clearMessage();
        press(ui->mqtt_subscribed_pushButton);
        QCOMPARE(status(), QString());
    }

    void unreachableBrokerReturnsToIdle_data()
    {
        QTest::addColumn<int>("scheme");
        int scheme = 0;
        for (const char* name : {"mqtt", "mqtts", "ws", "wss"})
            QTest::newRow(name) << scheme++;
    }
    void unreachableBrokerReturnsToIdle()
    {
        QFETCH(int, scheme);
        fill(scheme, QStringLiteral("127.0.0.1"), freeTcpPort(), QStringLiteral("plax-nobody"));
        connectButton();
        expectIdle();
    }

    // The password reaches the broker as typed, also outside Latin-1.
    void passwordSentAsTyped_data()
    {
        QTest::addColumn<int>("scheme");
        QTest::addColumn<QString>("password");
        QTest::addColumn<bool>("accepted");
        const QString right = QString::fromUtf8(MosquittoPeer::userPassword);
        QTest::newRow("mqtt-right") << 0 << right << true;
        QTest::newRow("ws-right") << 2 << right << true;
        QTest::newRow("mqtt-wrong") << 0 << QStringLiteral("passwort") << false;
    }
    void passwordSentAsTyped()
    {
        QFETCH(int, scheme);
        QFETCH(QString, password);
        QFETCH(bool, accepted);
        fill(scheme, QStringLiteral("127.0.0.1"), portOf(scheme), QStringLiteral("plax-user"));
        ui->mqtt_username_lineEdit->setText(QString::fromLatin1(MosquittoPeer::userName));
        ui->mqtt_password_lineEdit->setText(password);
        connectButton();
        if (accepted)
            QTRY_COMPARE(status(), QStringLiteral("MQTT Connected"));
        else
            expectIdle();
    }

    // A quick Disconnect/Connect over WebSocket: the first socket's late closing must
    // not end the second connection.
    void reconnectKeepsNewConnection()
    {
        fill(2, QStringLiteral("127.0.0.1"), broker.wsPort, QStringLiteral("plax-again"));
        connectButton();
        QTRY_COMPARE(status(), QStringLiteral("MQTT Connected"));
        connectButton();
        connectButton();
        QTRY_COMPARE(status(), QStringLiteral("MQTT Connected"));
        QTest::qWait(300); // let the first WebSocket's close handshake finish
        QVERIFY(window->MQTT_isConnected);
        QCOMPARE(status(), QStringLiteral("MQTT Connected"));
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

    void logKeepsOnlyTheNewestLines()
    {
        ui->mqtt_textEdit->clear();
        for (int i = 0; i < MainWindow::MqttLogMaxLines + 50; ++i)
            window->Quenlix_Mqtt_onMessage(QByteArray::number(i), MqttTopicName(QStringLiteral("t")));
        const QStringList lines = LogView::of(ui->mqtt_textEdit)->text().split(QLatin1Char('\n'));
        QCOMPARE(lines.size(), MainWindow::MqttLogMaxLines);
        QVERIFY(lines.last().endsWith(QString::number(MainWindow::MqttLogMaxLines + 49)));
    }

    void contextMenuClearsLog()
    {
        ui->mqtt_textEdit->append(QStringLiteral("line"));
        emit ui->mqtt_textEdit->customContextMenuRequested(QPoint(1, 1));
        auto* menu = ui->mqtt_textEdit->findChild<QMenu*>();
        QVERIFY(menu);
        QCOMPARE(menu->actions().size(), 1);
        QCOMPARE(menu->actions().first()->text(), QStringLiteral("Clear"));
        menu->actions().first()->trigger();
        QVERIFY(ui->mqtt_textEdit->toPlainText().isEmpty());
        menu->close();
    }

    // Last: the broker goes away under a tab connected over WebSocket, whose device the tab ends.
    void brokerDropReturnsToIdle()
    {
        fill(2, QStringLiteral("127.0.0.1"), broker.wsPort, QStringLiteral("plax-drop"));
        connectButton();
        QTRY_COMPARE_WITH_TIMEOUT(status(), QStringLiteral("MQTT Connected"), 10000);
        broker.stop();
        expectIdle();
    }
};

QTEST_MAIN(TestMqttTab)
#include "tst_mqtt_tab.moc"

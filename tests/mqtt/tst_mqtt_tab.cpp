// The "MQTT" tab in a whole main window (only this tool switched on) against a real
// mosquitto: the page's buttons, status texts, log and settings.
#include <QComboBox>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QSettings>
#include <QStatusBar>
#include <QTest>
#include <QTextEdit>

#include <memory>

#include "app/mainwindow.h"
#include "app/mainwindow_form.h"
#include "app/styles.h"
#include "app/toolswitches.h"
#include "tests/common/freeport.h"
#include "tests/common/testhome.h"
#include "tests/mqtt/mosquittopeer.h"

class TestMqttTab : public QObject
{
    Q_OBJECT
    std::unique_ptr<TestHome> home;
    std::unique_ptr<MainWindow> window;
    Ui_MainWindow* ui = nullptr;
    MosquittoPeer broker;

    QString status() const { return window->statusBar()->currentMessage(); }
    void press(QPushButton* button) { QTest::mouseClick(button, Qt::LeftButton); }

    quint16 portOf(int scheme) const
    {
        const quint16 ports[] = {broker.tcpPort, broker.tlsPort, broker.wsPort, broker.wssPort};
        return ports[scheme];
    }

    void fill(int scheme, const QString& host, quint16 port, const QString& clientId)
    {
        ui->mqtt_protocol_combox->setCurrentIndex(scheme);
        ui->mqtt_host_lineEdit->setText(host);
        ui->mqtt_port_lineEdit->setText(QString::number(port));
        ui->mqtt_clientid_lineEdit->setText(clientId);
        ui->mqtt_username_lineEdit->clear();
        ui->mqtt_password_lineEdit->clear();
    }

    void disconnectIfConnected()
    {
        if (window->MQTT_isConnected)
            press(ui->mqtt_opencompushButton);
        QVERIFY(!window->MQTT_isConnected);
    }

    static std::unique_ptr<TestHome> homeWithOnlyMqtt(QList<QPair<QString, QString>> extra = {})
    {
        auto h = std::make_unique<TestHome>();
        for (const QString& key : ToolSwitches::keys()) {
            if (key != QLatin1String("MQTT"))
                extra.append({key, QStringLiteral("false")});
        }
        h->writeSettings(extra);
        return h;
    }

private slots:
    void initTestCase()
    {
        QVERIFY2(broker.start(), qPrintable(broker.failure()));
        home = homeWithOnlyMqtt();
        window = std::make_unique<MainWindow>();
        ui = window->ui;
        QCOMPARE(window->startedTools, QStringList{"MQTT"});
        window->show();
    }

    void cleanup() { disconnectIfConnected(); }

    void cleanupTestCase()
    {
        window.reset();
        home.reset();
    }

    void startsEmptyAndSubscribeBeforeConnectDoesNothing()
    {
        QCOMPARE(ui->mqtt_protocol_combox->currentText(), QStringLiteral("mqtt://"));
        for (QLineEdit* field : {ui->mqtt_host_lineEdit, ui->mqtt_port_lineEdit, ui->mqtt_username_lineEdit,
                                 ui->mqtt_password_lineEdit, ui->mqtt_clientid_lineEdit,
                                 ui->mqtt_subscribe_lineEdit, ui->mqtt_publish_lineEdit})
            QVERIFY2(field->text().isEmpty(), qPrintable(field->objectName()));
        QVERIFY(ui->mqtt_textEdit->isReadOnly());
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

        press(ui->mqtt_opencompushButton);
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

        press(ui->mqtt_opencompushButton);
        QVERIFY(!window->MQTT_isConnected);
        QCOMPARE(status(), QStringLiteral("MQTT was disconnected."));
        QCOMPARE(ui->mqtt_opencompushButton->text(), QStringLiteral("Connect"));
        QCOMPARE(ui->mqtt_opencompushButton->styleSheet(), QString::fromLatin1(Styles::idleButton));
        // Detached: the buttons do nothing now.
        window->statusBar()->clearMessage();
        press(ui->mqtt_subscribed_pushButton);
        QCOMPARE(status(), QString());
    }

    void unreachableBrokerReturnsToIdle_data()
    {
        QTest::addColumn<int>("scheme");
        for (int s = 0; s < 4; ++s)
            QTest::newRow(qPrintable(QStringLiteral("scheme-%1").arg(s))) << s;
    }
    void unreachableBrokerReturnsToIdle()
    {
        QFETCH(int, scheme);
        fill(scheme, QStringLiteral("127.0.0.1"), freeTcpPort(), QStringLiteral("plax-nobody"));
        window->statusBar()->clearMessage();
        press(ui->mqtt_opencompushButton);
        QTRY_VERIFY(!window->MQTT_isConnected);
        QCOMPARE(status(), QStringLiteral("MQTT was disconnected."));
        QCOMPARE(ui->mqtt_opencompushButton->text(), QStringLiteral("Connect"));
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
        window->statusBar()->clearMessage();
        press(ui->mqtt_opencompushButton);
        if (accepted) {
            QTRY_COMPARE(status(), QStringLiteral("MQTT Connected"));
        } else {
            QTRY_VERIFY(!window->MQTT_isConnected);
            QCOMPARE(status(), QStringLiteral("MQTT was disconnected."));
        }
    }

    // A quick Disconnect/Connect over WebSocket: the first socket's late closing must
    // not end the second connection.
    void reconnectKeepsNewConnection()
    {
        fill(2, QStringLiteral("127.0.0.1"), broker.wsPort, QStringLiteral("plax-again"));
        press(ui->mqtt_opencompushButton);
        QTRY_COMPARE(status(), QStringLiteral("MQTT Connected"));
        press(ui->mqtt_opencompushButton);
        press(ui->mqtt_opencompushButton);
        QTRY_COMPARE(status(), QStringLiteral("MQTT Connected"));
        QTest::qWait(300); // let the first WebSocket's close handshake finish
        QVERIFY(window->MQTT_isConnected);
        QCOMPARE(status(), QStringLiteral("MQTT Connected"));
        QCOMPARE(window->MQTT_client->state(), MqttClient::Connected);
    }

    void saveAndLoadFields()
    {
        fill(3, QStringLiteral("broker/mqtt"), 8084, QStringLiteral("id-1"));
        ui->mqtt_username_lineEdit->setText(QStringLiteral("user"));
        ui->mqtt_password_lineEdit->setText(QStringLiteral("pa ss"));
        ui->mqtt_subscribe_lineEdit->setText(QStringLiteral("a/+"));
        ui->mqtt_publish_lineEdit->setText(QStringLiteral("a/b"));
        press(ui->mqtt_save_pushButton);
        {
            QSettings stored(home->settingsFile(), QSettings::IniFormat);
            QCOMPARE(stored.value("MQTT_PROTOCOL").toInt(), 3);
            QCOMPARE(stored.value("MQTT_HOST").toString(), QStringLiteral("broker/mqtt"));
            QCOMPARE(stored.value("MQTT_PORT").toString(), QStringLiteral("8084"));
        }
        MainWindow second;
        Ui_MainWindow* u = second.ui;
        QCOMPARE(u->mqtt_protocol_combox->currentText(), QStringLiteral("wss://"));
        QCOMPARE(u->mqtt_host_lineEdit->text(), QStringLiteral("broker/mqtt"));
        QCOMPARE(u->mqtt_port_lineEdit->text(), QStringLiteral("8084"));
        QCOMPARE(u->mqtt_clientid_lineEdit->text(), QStringLiteral("id-1"));
        QCOMPARE(u->mqtt_username_lineEdit->text(), QStringLiteral("user"));
        QCOMPARE(u->mqtt_password_lineEdit->text(), QStringLiteral("pa ss"));
        QCOMPARE(u->mqtt_subscribe_lineEdit->text(), QStringLiteral("a/+"));
        QCOMPARE(u->mqtt_publish_lineEdit->text(), QStringLiteral("a/b"));
    }

    void logKeepsOnlyTheNewestLines()
    {
        ui->mqtt_textEdit->clear();
        for (int i = 0; i < MainWindow::MqttLogMaxLines + 50; ++i)
            window->Quenlix_Mqtt_onMessage(QByteArray::number(i), MqttTopicName(QStringLiteral("t")));
        const QStringList lines = ui->mqtt_textEdit->toPlainText().split(QLatin1Char('\n'));
        QCOMPARE(lines.size(), MainWindow::MqttLogMaxLines);
        QVERIFY(lines.last().endsWith(QString::number(MainWindow::MqttLogMaxLines + 49)));
        ui->mqtt_textEdit->clear();
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

    // Last: the broker goes away under a connected tab.
    void brokerDropReturnsToIdle_data()
    {
        QTest::addColumn<int>("scheme");
        QTest::newRow("mqtt") << 0;
        QTest::newRow("ws") << 2;
    }
    void brokerDropReturnsToIdle()
    {
        QFETCH(int, scheme);
        QVERIFY(broker.isRunning() || broker.start());
        fill(scheme, QStringLiteral("127.0.0.1"), portOf(scheme), QStringLiteral("plax-drop"));
        press(ui->mqtt_opencompushButton);
        QTRY_COMPARE_WITH_TIMEOUT(status(), QStringLiteral("MQTT Connected"), 10000);
        broker.stop();
        QTRY_VERIFY(!window->MQTT_isConnected);
        QCOMPARE(status(), QStringLiteral("MQTT was disconnected."));
        QCOMPARE(ui->mqtt_opencompushButton->text(), QStringLiteral("Connect"));
    }
};

QTEST_MAIN(TestMqttTab)
#include "tst_mqtt_tab.moc"

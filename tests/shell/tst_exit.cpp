// Edit -> Exit while every console is busy: MQTT connected to a mosquitto of the test's own (a row per
// transport), the Modbus tab linked to a pymodbus slave and polled, the serial terminal receiving a
// stream from a pseudo-terminal, the UDP terminal listening, the TCP server and the GPS TCP server
// with clients sending, the GPS satellite view's worker running. The window closes and is destroyed,
// as when the program's event loop ends; nothing of it may run once its destruction has begun.
#include <QLCDNumber>
#include <QMessageBox>
#include <QPointer>
#include <QStatusBar>
#include <QTcpSocket>
#include <QTimer>
#include <QUdpSocket>

#include "gps/gpssignal.h"
#include "tests/common/consolerig.h"
#include "tests/common/freeport.h"
#include "tests/common/modalanswer.h"
#include "tests/common/mosquittopeer.h"
#include "tests/common/peerprocess.h"
#include "widgets/logview.h"

class TestExit : public QObject
{
    Q_OBJECT
    MosquittoPeer broker;
    PeerProcess modbusSlave;
    quint16 modbusPort = 0;

    // Starts a TCP client of a server the window runs, which sends lines until it goes.
    static QTcpSocket* chattyClient(QObject* owner, quint16 port, const QByteArray& line)
    {
        auto* client = new QTcpSocket(owner);
        QObject::connect(client, &QTcpSocket::connected, client, [client, line] {
            auto* timer = new QTimer(client);
            QObject::connect(timer, &QTimer::timeout, client, [client, line] { client->write(line); });
            timer->start(2);
        });
        client->connectToHost(QHostAddress::LocalHost, port);
        return client;
    }

private slots:
    void initTestCase()
    {
        QVERIFY2(broker.start(), broker.process.output());
        modbusPort = modbusSlave.startTellingPort(systemPython(), {MODBUS_PEER_SCRIPT, "tcp", "0"}, "READY");
        QVERIFY2(modbusPort, modbusSlave.output());
    }

    void exitWithEveryConsoleBusy_data()
    {
        QTest::addColumn<int>("scheme");
        QTest::newRow("mqtt") << int(Tcp);
        QTest::newRow("mqtts") << int(Tls);
        QTest::newRow("ws") << int(Ws);
        QTest::newRow("wss") << int(Wss);
    }
    void exitWithEveryConsoleBusy()
    {
        QFETCH(int, scheme);
        TestHome home;
        QList<QPair<QString, QString>> settings{{"Auto_Serial_Scan", "false"}};
        for (const QString& key : ToolSwitches::keys())
            settings.append({key, "true"});
        home.writeSettings(settings);
        PtyPair pty;
        QVERIFY(pty.isValid());
        QObject peers; // the far ends, gone after the window
        // The offline map may say so in an alert; the window is not what this test is about.
        answerModals<QMessageBox>(&peers, [](QMessageBox* box) {
            qInfo("answered: %s", qPrintable(box->text()));
            pressButton(box, QString());
        });
        auto* w = new MainWindow;
        const QPointer<MainWindow> window(w);
        Ui_MainWindow* ui = w->ui;
        w->show();
        w->Serial_applyScan({pty.slavePath()});

        ui->mqtt_protocol_combox->setCurrentIndex(scheme);
        ui->mqtt_host_lineEdit->setText("127.0.0.1");
        ui->mqtt_port_lineEdit->setText(QString::number(broker.ports[scheme]));
        ui->mqtt_clientid_lineEdit->setText(QString("plax-exit-%1").arg(scheme));
        press(ui->mqtt_opencompushButton);
        QTRY_VERIFY_WITH_TIMEOUT(w->MQTT_client && w->MQTT_client->state() == MqttClient::Connected, 10000);
        ui->mqtt_subscribe_lineEdit->setText("plax/exit/#");
        press(ui->mqtt_subscribed_pushButton);

        w->Modbus_showMode(true);
        ui->ModbusTCPclientIPlineEdit->setText("127.0.0.1");
        ui->ModbusTCPclientPortlineEdit->setText(QString::number(modbusPort));
        press(ui->ModbusTCPopencompushButton);
        QTRY_VERIFY(w->Modbus_tcpSocket && w->Modbus_tcpSocket->state() == QAbstractSocket::ConnectedState);
        ui->Modbus_function_comboBox->setCurrentIndex(2); // read holding registers
        QTest::mouseClick(ui->Modbus_pushButton, Qt::LeftButton);
        QVERIFY(LogView::of(ui->Modbus_HexTextBrowser)->text().contains("0x01,0x03,0x02"));

        press(ui->opencompushButton);
        QVERIFY(w->Serial_isOpen);
        QTimer stream;
        connect(&stream, &QTimer::timeout, this, [&pty] { pty.write(QByteArray(256, 'z') + "\r\n"); });
        stream.start(1);

        ui->UDPSenderPortlineEdit->setText(QString::number(freeUdpPort()));
        ui->UDPFarIPlineEdit->setText("127.0.0.1");
        ui->UDPFarPortlineEdit->setText(QString::number(freeUdpPort()));
        press(ui->UDPopencompushButton);
        QVERIFY(w->UDP_isOpen);

        const quint16 tcpPort = freeTcpPort();
        ui->TCP_comboBox->setCurrentIndex(0);
        ui->TCPServerPortlineEdit->setText(QString::number(tcpPort));
        press(ui->TCPopencompushButton);
        QVERIFY(w->TCP_isOpen);
        chattyClient(&peers, tcpPort, "tcp client\r\n");
        chattyClient(&peers, tcpPort, "another tcp client\r\n");
        QTRY_COMPARE(w->TCP_serverClients.size(), 2);

        const quint16 gpsPort = freeTcpPort();
        ui->GPSportMode_02->click();
        ui->GPSTCPServerPortlineEdit->setText(QString::number(gpsPort));
        press(ui->GPSTCPopencompushButton);
        chattyClient(&peers, gpsPort, "$GPGGA,,,,,,0,00,,,M,,M,,*66\r\n");
        QTRY_COMPARE(w->GPS_tcpClients.size(), 1);
        press(ui->GPSsignal); // the satellite view and its worker thread
        QVERIFY(w->GPS_signalThread && w->GPS_signalThread->isRunning());
        for (MainWindow::Terminal t : {MainWindow::Terminal::Com, MainWindow::Terminal::Tcp})
            QTRY_VERIFY(w->Terminal_controls(t).receivedCounter->intValue() > 0);

        ui->actionExit->trigger();
        QTRY_VERIFY(!w->isVisible());
        delete w; // as main() does once the event loop has ended
        QVERIFY(!window);
        stream.stop();
    }
};

QTEST_MAIN(TestExit)
#include "tst_exit.moc"

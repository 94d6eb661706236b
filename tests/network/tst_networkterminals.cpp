// The "UDP Debug" and "TCP Debug" terminals against peers on 127.0.0.1.
#include <QDeadlineTimer>
#include <QFile>
#include <QNetworkDatagram>
#include <QStatusBar>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTemporaryDir>
#include <QTest>
#include <QUdpSocket>

#include <memory>

#include "app/mainwindow.h"
#include "app/mainwindow_form.h"
#include "tests/common/freeport.h"
#include "tests/common/modalanswer.h"
#include "tests/common/peerprocess.h"
#include "tests/common/press.h"
#include "tests/common/testhome.h"
#include "widgets/logview.h"

namespace {

// A python peer: echoes what it gets and closes once it has had six bytes.
const char echoServer[] = R"(
import socket, sys
s = socket.create_server(("127.0.0.1", int(sys.argv[1]))); print("ready", flush=True)
c, _ = s.accept(); got = 0
while got < 6 and (d := c.recv(4096)):
    c.sendall(d); got += len(d)
c.close()
)";

// A window in its own home. The UDP terminal listens on a free port and sends to `peer`;
// the TCP terminal's server and client use a free port.
struct Rig
{
    TestHome home;
    std::unique_ptr<MainWindow> w = std::make_unique<MainWindow>();
    Ui_MainWindow* ui = w->ui;
    QUdpSocket peer;
    quint16 udpPort = freeUdpPort();
    quint16 tcpPort = freeTcpPort();

    Rig()
    {
        peer.bind(QHostAddress::LocalHost, 0);
        ui->UDPSenderPortlineEdit->setText(QString::number(udpPort));
        ui->UDPFarPortlineEdit->setText(QString::number(peer.localPort()));
        ui->TCPServerPortlineEdit->setText(QString::number(tcpPort));
        ui->TCPclientPortlineEdit->setText(QString::number(tcpPort));
    }
    QString status() const { return ui->statusBar->currentMessage(); }
    bool startUdp()
    {
        press(ui->UDPopencompushButton);
        return w->UDP_isOpen;
    }
    bool startTcp(int mode = 0) // 0 server, 1 client
    {
        ui->TCP_comboBox->setCurrentIndex(mode);
        press(ui->TCPopencompushButton);
        return w->TCP_isOpen;
    }
    void sendUdp(const QString& text)
    {
        ui->UDPsendMsgtextEdit->setPlainText(text);
        press(ui->UDPsendmsgBtn);
    }
    void sendTcp(const QString& text)
    {
        ui->TCPsendMsgtextEdit->setPlainText(text);
        press(ui->TCPsendmsgBtn);
    }
    void datagram(const QByteArray& data) { peer.writeDatagram(data, QHostAddress::LocalHost, udpPort); }
    QByteArray peerReceives(int timeoutMs = 2000)
    {
        QDeadlineTimer deadline(timeoutMs);
        while (!peer.hasPendingDatagrams() && !deadline.hasExpired())
            QTest::qWait(5);
        return peer.hasPendingDatagrams() ? peer.receiveDatagram().data() : QByteArray("<nothing>");
    }
};

QStringList items(const QComboBox* box)
{
    QStringList texts;
    for (int i = 0; i < box->count(); ++i)
        texts << box->itemText(i);
    return texts;
}

} // namespace

class TestNetworkTerminals : public QObject
{
    Q_OBJECT
private slots:
    void udpReceivedDatagramIsShownAndCounted()
    {
        Rig r;
        // The three servers list the same local addresses.
        QVERIFY(r.ui->UDPServerIPcomboBox->count() > 0);
        QCOMPARE(items(r.ui->TCPServerIPcomboBox), items(r.ui->UDPServerIPcomboBox));
        QCOMPARE(items(r.ui->GPSTCPServerIPcomboBox), items(r.ui->UDPServerIPcomboBox));
        QVERIFY(r.startUdp());
        QCOMPARE(r.ui->UDPopencompushButton->text(), QStringLiteral("Stop"));
        QCOMPARE(r.status(), QStringLiteral("UDP starts listening"));
        r.datagram("AB");
        QTRY_VERIFY(r.status().endsWith("127.0.0.1:" + QString::number(r.peer.localPort())));
    }

    void portInUseStaysStopped()
    {
        Rig r;
        QUdpSocket udpHolder;
        QTcpServer tcpHolder;
        QVERIFY(udpHolder.bind(QHostAddress::Any, r.udpPort, QAbstractSocket::DontShareAddress));
        QVERIFY(tcpHolder.listen(QHostAddress::Any, r.tcpPort));
        QVERIFY(!r.startUdp());
        QVERIFY(r.status().startsWith("UDP failed to listen: "));
        QCOMPARE(r.ui->UDPopencompushButton->text(), QStringLiteral("Start"));
        QVERIFY(r.ui->UDPSenderPortlineEdit->isEnabled());
        QVERIFY(!r.startTcp());
        QVERIFY(r.status().startsWith("Server failed to start: "));
        QVERIFY(r.ui->TCPServerPortlineEdit->isEnabled());
    }

    // Fields: UDP local port, remote address, remote port; TCP port, client address.
    void badFieldsRefuseStart_data()
    {
        QTest::addColumn<QString>("terminal");
        QTest::addColumn<QStringList>("fields");
        QTest::addColumn<QString>("warning");
        const QString udpPort = "Local port must be a whole number from 1 to 65535!";
        const QString udpRemote = "Remote IP or port is invalid!";
        const QString tcpPort = "Port must be a whole number from 1 to 65535!";
        QTest::newRow("udp-empty-local") << "udp" << QStringList{"", "127.0.0.1", "4000"} << udpPort;
        QTest::newRow("udp-local-above-16-bits")
            << "udp" << QStringList{"70000", "127.0.0.1", "4000"} << udpPort;
        QTest::newRow("udp-local-not-a-number")
            << "udp" << QStringList{"abc", "127.0.0.1", "4000"} << udpPort;
        QTest::newRow("udp-remote-address-invalid")
            << "udp" << QStringList{"4000", "999.1.1.1", "4000"} << udpRemote;
        QTest::newRow("udp-remote-port-zero") << "udp" << QStringList{"4000", "127.0.0.1", "0"} << udpRemote;
        QTest::newRow("tcp-server-empty-port")
            << "server" << QStringList{"", "127.0.0.1"} << "Port is empty!";
        QTest::newRow("tcp-server-port-wraps") << "server" << QStringList{"70000", "127.0.0.1"} << tcpPort;
        QTest::newRow("tcp-client-empty-address")
            << "client" << QStringList{"4000", ""} << "IP or Port is empty!";
        QTest::newRow("tcp-client-port-not-number") << "client" << QStringList{"x1", "127.0.0.1"} << tcpPort;
    }
    void badFieldsRefuseStart()
    {
        QFETCH(QString, terminal);
        QFETCH(QStringList, fields);
        QFETCH(QString, warning);
        Rig r;
        ModalAnswer answer;
        if (terminal == "udp") {
            r.ui->UDPSenderPortlineEdit->setText(fields[0]);
            r.ui->UDPFarIPlineEdit->setText(fields[1]);
            r.ui->UDPFarPortlineEdit->setText(fields[2]);
            QVERIFY(!r.startUdp());
            QCOMPARE(r.ui->UDPopencompushButton->text(), QStringLiteral("Start"));
            QVERIFY(r.ui->UDPSenderPortlineEdit->isEnabled());
        } else {
            r.ui->TCPServerPortlineEdit->setText(fields[0]);
            r.ui->TCPclientPortlineEdit->setText(fields[0]);
            r.ui->TCPclientIPlineEdit->setText(fields[1]);
            QVERIFY(!r.startTcp(terminal == "client"));
            QCOMPARE(r.ui->TCPopencompushButton->text(), QStringLiteral("Start"));
            QVERIFY(r.ui->TCP_comboBox->isEnabled());
        }
        QCOMPARE(answer.title(), QStringLiteral("warning:"));
        QCOMPARE(answer.text(), warning);
    }

    void udpKeepSendingResumesAfterRestart()
    {
        Rig r;
        QVERIFY(r.startUdp());
        r.ui->UDPobocheckBox->setChecked(true);
        r.ui->UDPdelayspinBox->setValue(20);
        r.sendUdp("k");
        QCOMPARE(r.ui->UDPsendmsgBtn->text(), QStringLiteral("Pause"));
        QCOMPARE(r.peerReceives(), QByteArray("k"));
        press(r.ui->UDPopencompushButton);
        QCOMPARE(r.status(), QStringLiteral("UDP stop listening"));
        QVERIFY(r.ui->UDPSenderPortlineEdit->isEnabled() && !r.ui->UDPsendmsgBtn->isEnabled());
        QTest::qWait(100);
        while (r.peer.hasPendingDatagrams())
            r.peer.receiveDatagram();
        QCOMPARE(r.peerReceives(200), QByteArray("<nothing>"));
        QVERIFY(r.startUdp());
        QCOMPARE(r.peerReceives(), QByteArray("k"));
        press(r.ui->UDPsendmsgBtn);
        QCOMPARE(r.ui->UDPsendmsgBtn->text(), QStringLiteral("Send"));
    }

    void tcpServerListsClientsAndSendsToThem()
    {
        Rig r;
        QVERIFY(r.startTcp());
        QCOMPARE(r.status(), QStringLiteral("Server has started"));
        QVERIFY(!r.ui->TCP_comboBox->isEnabled());
        QTcpSocket a, b;
        a.connectToHost(QHostAddress::LocalHost, r.tcpPort);
        b.connectToHost(QHostAddress::LocalHost, r.tcpPort);
        QTRY_COMPARE(items(r.ui->TCP_Client_IP_comboBox),
                     QStringList({"::ffff:127.0.0.1", "::ffff:127.0.0.1"}));
        QVERIFY(r.status().startsWith("new client: ::ffff:127.0.0.1 joined"));
        r.sendTcp("AB");
        QTRY_VERIFY(a.bytesAvailable() == 2 && b.bytesAvailable() == 2);
        QVERIFY(a.readAll() == "AB" && b.readAll() == "AB");
        QCOMPARE(r.ui->TCPsendbyteslcdNumber->intValue(), 4);

        a.write("AB");
        QTRY_COMPARE(r.status(), "TCP receive from:::ffff:127.0.0.1:" + QString::number(a.localPort()));

        a.disconnectFromHost();
        QTRY_COMPARE(r.ui->TCP_Client_IP_comboBox->count(), 1);
        QCOMPARE(r.status(), QStringLiteral("client: ::ffff:127.0.0.1 left"));
        QCOMPARE(r.w->TCP_serverClients.size(), 1);
        press(r.ui->TCPopencompushButton);
        QCOMPARE(r.status(), QStringLiteral("Server has stopped"));
        QCOMPARE(r.ui->TCP_Client_IP_comboBox->count(), 0);
        QVERIFY(r.w->TCP_serverClients.isEmpty());
        QTRY_COMPARE(b.state(), QAbstractSocket::UnconnectedState);
        QCOMPARE(r.status(), QStringLiteral("Server has stopped")); // no "left" for dropped clients
    }

    void tcpClientAgainstClosedPort()
    {
        Rig r;
        QVERIFY(r.startTcp(1));
        QTRY_COMPARE(r.status(), QStringLiteral("No server found"));
        QVERIFY(!r.w->TCP_isOpen);
        QCOMPARE(r.ui->TCPopencompushButton->text(), QStringLiteral("Start"));
        QVERIFY(r.ui->TCPclientIPlineEdit->isEnabled() && !r.ui->TCPsendmsgBtn->isEnabled());
    }

    void tcpClientTalksToEchoServerUntilItCloses()
    {
        Rig r;
        PeerProcess peer;
        QVERIFY(peer.startWaitingForText(systemPython(), {"-c", echoServer, QString::number(r.tcpPort)},
                                         "ready"));
        QVERIFY(r.startTcp(1));
        QTRY_COMPARE(r.status(), QStringLiteral("Connected to TCP server"));
        r.sendTcp("hi\n");
        QTRY_COMPARE(LogView::of(r.ui->TCP_StrTextBrowser)->text(), QStringLiteral("hi\n"));
        QCOMPARE(r.ui->TCPsendbyteslcdNumber->intValue(), 4); // the final line feed went as CR LF
        QTRY_COMPARE(r.ui->TCPrecvbyteslcdNumber->intValue(), 4);
        r.sendTcp("abc"); // reaches the peer's limit: it closes
        QTRY_COMPARE(r.status(), QStringLiteral("Disconnected TCP server"));
        QVERIFY(!r.w->TCP_isOpen);
        QCOMPARE(r.ui->TCPopencompushButton->text(), QStringLiteral("Start"));
    }

    void tcpLateEndOfOldConnectionKeepsNewOne()
    {
        Rig r;
        QTcpServer first, second;
        QVERIFY(first.listen(QHostAddress::LocalHost, 0) && second.listen(QHostAddress::LocalHost, 0));
        r.ui->TCPclientPortlineEdit->setText(QString::number(first.serverPort()));
        QVERIFY(r.startTcp(1));
        QTRY_VERIFY(first.hasPendingConnections());
        QTcpSocket* oldPeer = first.nextPendingConnection();
        press(r.ui->TCPopencompushButton); // Stop
        r.ui->TCPclientPortlineEdit->setText(QString::number(second.serverPort()));
        QVERIFY(r.startTcp(1));
        QTRY_COMPARE(r.status(), QStringLiteral("Connected to TCP server"));
        oldPeer->abort(); // the old connection ends late, with an error on its side
        QTest::qWait(200);
        QVERIFY(r.w->TCP_isOpen);
        QCOMPARE(r.ui->TCPopencompushButton->text(), QStringLiteral("Stop"));
        QCOMPARE(r.status(), QStringLiteral("Connected to TCP server"));
    }

    void tcpKeepSendingToPeerThatNeverReads()
    {
        Rig r;
        QVERIFY(r.startTcp());
        QTcpSocket silent;
        silent.setReadBufferSize(1);
        silent.connectToHost(QHostAddress::LocalHost, r.tcpPort);
        QTRY_COMPARE(r.ui->TCP_Client_IP_comboBox->count(), 1);
        const QString block(64 * 1024, QLatin1Char('q'));
        r.ui->TCPobocheckBox->setChecked(true);
        r.ui->TCPdelayspinBox->setValue(10);
        r.sendTcp(block);
        QCOMPARE(r.ui->TCPsendmsgBtn->text(), QStringLiteral("Pause"));
        QTest::qWait(2000);
        // What waits for the peer stays within one block.
        QVERIFY(r.w->TCP_serverClients.value(0));
        QVERIFY(r.w->TCP_serverClients.value(0)->bytesToWrite() <= block.size());
        press(r.ui->TCPsendmsgBtn);
    }
};

QTEST_MAIN(TestNetworkTerminals)
#include "tst_networkterminals.moc"

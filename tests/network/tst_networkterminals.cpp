// The "UDP Debug" and "TCP Debug" terminals' own rules: start-up checks and the TCP
// server and client against peers on 127.0.0.1.
#include <QPointer>
#include <QStatusBar>
#include <QTcpServer>
#include <QTcpSocket>
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

// A window in its own home; the UDP terminal listens on a free port, the TCP server and client use another.
struct Rig
{
    TestHome home;
    std::unique_ptr<MainWindow> w = std::make_unique<MainWindow>();
    Ui_MainWindow* ui = w->ui;
    quint16 udpPort = freeUdpPort();
    quint16 tcpPort = freeTcpPort();

    Rig()
    {
        ui->UDPSenderPortlineEdit->setText(QString::number(udpPort));
        ui->TCPServerPortlineEdit->setText(QString::number(tcpPort));
        ui->TCPclientPortlineEdit->setText(QString::number(tcpPort));
    }
    QString status() const { return ui->statusBar->currentMessage(); }
    bool startUdp()
    {
        press(ui->UDPopencompushButton);
        return w->UDP_isOpen;
    }
    bool startTcp(bool client = false)
    {
        ui->TCP_comboBox->setCurrentIndex(client ? 1 : 0);
        press(ui->TCPopencompushButton);
        return w->TCP_isOpen;
    }
    void sendTcp(const QString& text)
    {
        ui->TCPsendMsgtextEdit->setPlainText(text);
        press(ui->TCPsendmsgBtn);
    }
};

} // namespace

class TestNetworkTerminals : public QObject
{
    Q_OBJECT
private slots:
    void portInUseStaysStopped()
    {
        Rig r;
        QUdpSocket udpHolder;
        QTcpServer tcpHolder;
        QVERIFY(udpHolder.bind(QHostAddress::Any, r.udpPort, QAbstractSocket::DontShareAddress));
        QVERIFY(tcpHolder.listen(QHostAddress::Any, r.tcpPort));
        QVERIFY(!r.startUdp());
        QVERIFY(r.status().startsWith("UDP failed to listen: "));
        QVERIFY(!r.startTcp());
        QVERIFY(r.status().startsWith("Server failed to start: "));
    }

    // Fields: UDP local port, remote address, remote port; TCP port, client address.
    void badFieldsRefuseStart_data()
    {
        QTest::addColumn<QString>("terminal");
        QTest::addColumn<QStringList>("fields");
        QTest::addColumn<QString>("warning");
        const QString udpRemote = "Remote IP or port is invalid!";
        const QString tcpPort = "Port must be a whole number from 1 to 65535!";
        // clang-format off
        QTest::newRow("udp-local-above-16-bits") << "udp" << QStringList{"70000", "127.0.0.1", "4000"}
            << "Local port must be a whole number from 1 to 65535!";
        QTest::newRow("udp-remote-address-invalid") << "udp" << QStringList{"4000", "999.1.1.1", "4000"} << udpRemote;
        QTest::newRow("udp-remote-port-zero") << "udp" << QStringList{"4000", "127.0.0.1", "0"} << udpRemote;
        QTest::newRow("tcp-server-empty-port") << "server" << QStringList{"", "127.0.0.1"} << "Port is empty!";
        QTest::newRow("tcp-server-port-wraps") << "server" << QStringList{"70000", "127.0.0.1"} << tcpPort;
        QTest::newRow("tcp-client-empty-address") << "client" << QStringList{"4000", ""} << "IP or Port is empty!";
        QTest::newRow("tcp-client-port-not-number") << "client" << QStringList{"x1", "127.0.0.1"} << tcpPort;
        // clang-format on
    }
    void badFieldsRefuseStart()
    {
        QFETCH(QString, terminal);
        QFETCH(QStringList, fields);
        Rig r;
        ModalAnswer answer;
        if (terminal == "udp") {
            r.ui->UDPSenderPortlineEdit->setText(fields[0]);
            r.ui->UDPFarIPlineEdit->setText(fields[1]);
            r.ui->UDPFarPortlineEdit->setText(fields[2]);
            QVERIFY(!r.startUdp());
        } else {
            r.ui->TCPServerPortlineEdit->setText(fields[0]);
            r.ui->TCPclientPortlineEdit->setText(fields[0]);
            r.ui->TCPclientIPlineEdit->setText(fields[1]);
            QVERIFY(!r.startTcp(terminal == "client"));
        }
        QCOMPARE(answer.title(), QStringLiteral("warning:"));
        QTEST(answer.text(), "warning");
    }

    void tcpServerListsClientsAndSendsToThem()
    {
        Rig r;
        QVERIFY(r.startTcp());
        QTcpSocket a, b;
        a.connectToHost(QHostAddress::LocalHost, r.tcpPort);
        b.connectToHost(QHostAddress::LocalHost, r.tcpPort);
        QTRY_COMPARE(r.ui->TCP_Client_IP_comboBox->count(), 2);
        QVERIFY(r.status().startsWith("new client: ::ffff:127.0.0.1 joined"));
        r.sendTcp("AB");
        QTRY_VERIFY(a.bytesAvailable() == 2 && b.bytesAvailable() == 2);
        QVERIFY(a.readAll() == "AB" && b.readAll() == "AB");
        QCOMPARE(r.ui->TCPsendbyteslcdNumber->intValue(), 4);
        a.disconnectFromHost();
        QTRY_COMPARE(r.ui->TCP_Client_IP_comboBox->count(), 1);
        QCOMPARE(r.status(), QStringLiteral("client: ::ffff:127.0.0.1 left"));
        QCOMPARE(r.w->TCP_serverClients.size(), 1);
        press(r.ui->TCPopencompushButton);
        QVERIFY(r.w->TCP_serverClients.isEmpty() && r.ui->TCP_Client_IP_comboBox->count() == 0);
        QTRY_COMPARE(b.state(), QAbstractSocket::UnconnectedState);
        QCOMPARE(r.status(), QStringLiteral("Server has stopped")); // no "left" for dropped clients
    }

    void tcpClientTalksToEchoServerUntilItCloses()
    {
        Rig r;
        QVERIFY(r.startTcp(true)); // nobody listens yet
        QTRY_COMPARE(r.status(), QStringLiteral("No server found"));
        QVERIFY(!r.w->TCP_isOpen);
        PeerProcess peer;
        QVERIFY(peer.startWaitingForText(systemPython(), {"-c", echoServer, QString::number(r.tcpPort)},
                                         "ready"));
        QVERIFY(r.startTcp(true));
        QTRY_COMPARE(r.status(), QStringLiteral("Connected to TCP server"));
        r.sendTcp("hi\n");
        QTRY_COMPARE(LogView::of(r.ui->TCP_StrTextBrowser)->text(), QStringLiteral("hi\n"));
        QTRY_COMPARE(r.ui->TCPrecvbyteslcdNumber->intValue(), 4);
        r.sendTcp("abc"); // reaches the peer's limit: it closes
        QTRY_COMPARE(r.status(), QStringLiteral("Disconnected TCP server"));
        QVERIFY(!r.w->TCP_isOpen);
    }

    void tcpLateEndOfOldConnectionKeepsNewOne()
    {
        Rig r;
        QTcpServer first, second;
        QVERIFY(first.listen(QHostAddress::LocalHost, 0) && second.listen(QHostAddress::LocalHost, 0));
        r.ui->TCPclientPortlineEdit->setText(QString::number(first.serverPort()));
        QVERIFY(r.startTcp(true));
        QTRY_VERIFY(first.hasPendingConnections());
        QTcpSocket* oldPeer = first.nextPendingConnection();
        QPointer<QTcpSocket> oldSocket = r.w->TCP_clientSocket;
        press(r.ui->TCPopencompushButton); // Stop
        r.ui->TCPclientPortlineEdit->setText(QString::number(second.serverPort()));
        QVERIFY(r.startTcp(true));
        QTRY_COMPARE(r.status(), QStringLiteral("Connected to TCP server"));
        oldPeer->abort(); // the old connection ends late, with an error on its side
        // Once the old socket is gone it can report nothing more.
        QTRY_VERIFY_WITH_TIMEOUT(oldSocket.isNull(), 5000);
        QVERIFY(r.w->TCP_isOpen);
        QCOMPARE(r.status(), QStringLiteral("Connected to TCP server"));
    }
};

QTEST_MAIN(TestNetworkTerminals)
#include "tst_networkterminals.moc"

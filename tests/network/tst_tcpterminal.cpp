// The "TCP Debug" terminal against TCP peers on 127.0.0.1.
#include <QCheckBox>
#include <QComboBox>
#include <QDeadlineTimer>
#include <QLCDNumber>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QSpinBox>
#include <QStatusBar>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTest>

#include <memory>

#include "app/mainwindow.h"
#include "app/mainwindow_form.h"
#include "tests/common/freeport.h"
#include "tests/common/modalanswer.h"
#include "tests/common/peerprocess.h"
#include "tests/common/testhome.h"
#include "tests/common/press.h"

namespace {

// A python peer: echoes what it gets, and closes after `closeAfter` bytes when given.
const char echoServer[] = R"(
import socket, sys
s = socket.socket(); s.setsockopt(socket.SOL_SOCKET, socket.SO_REUSEADDR, 1)
s.bind(("127.0.0.1", int(sys.argv[1]))); s.listen(1); print("ready", flush=True)
limit = int(sys.argv[2]); c, _ = s.accept(); got = 0
while True:
    d = c.recv(4096)
    if not d: break
    c.sendall(d); got += len(d)
    if limit and got >= limit: break
c.close()
)";

struct Rig
{
    TestHome home;
    std::unique_ptr<MainWindow> w;
    Ui_MainWindow* ui = nullptr;
    quint16 port = freeTcpPort();

    Rig()
    {
        w = std::make_unique<MainWindow>();
        ui = w->ui;
        ui->TCPServerPortlineEdit->setText(QString::number(port));
        ui->TCPclientPortlineEdit->setText(QString::number(port));
    }
    QString status() const { return ui->statusBar->currentMessage(); }
    void client() { ui->TCP_comboBox->setCurrentIndex(1); }
    bool start()
    {
        press(ui->TCPopencompushButton);
        return w->TCP_isOpen;
    }
    void send(const QString& text)
    {
        ui->TCPsendMsgtextEdit->setPlainText(text);
        press(ui->TCPsendmsgBtn);
    }
};

QByteArray readAtLeast(QTcpSocket& s, int n)
{
    QByteArray got;
    QDeadlineTimer deadline(3000);
    while (got.size() < n && !deadline.hasExpired()) {
        QTest::qWait(5);
        got += s.readAll();
    }
    return got;
}

} // namespace

class TestTcpTerminal : public QObject
{
    Q_OBJECT
private slots:
    void serverListsClientsAndSendsToThem()
    {
        Rig r;
        QVERIFY(r.start());
        QCOMPARE(r.status(), QStringLiteral("Server has started"));
        QVERIFY(!r.ui->TCP_comboBox->isEnabled());
        QTcpSocket a, b;
        a.connectToHost(QHostAddress::LocalHost, r.port);
        b.connectToHost(QHostAddress::LocalHost, r.port);
        QTRY_COMPARE(r.ui->TCP_Client_IP_comboBox->count(), 2);
        QCOMPARE(r.ui->TCP_Client_IP_comboBox->itemText(0), QStringLiteral("::ffff:127.0.0.1"));
        QCOMPARE(r.ui->TCP_Client_IP_comboBox->itemText(1), QStringLiteral("::ffff:127.0.0.1"));
        QVERIFY(r.status().startsWith("new client: ::ffff:127.0.0.1 joined"));
        r.send("AB");
        QCOMPARE(readAtLeast(a, 2), QByteArray("AB"));
        QCOMPARE(readAtLeast(b, 2), QByteArray("AB"));
        QCOMPARE(r.ui->TCPsendbyteslcdNumber->intValue(), 4);

        a.write(QByteArray::fromHex("41420d0a"));
        QTRY_COMPARE(r.ui->TCPrecvbyteslcdNumber->intValue(), 4); // carriage returns count too
        QCOMPARE(r.ui->TCP_HexTextBrowser->toPlainText(), QStringLiteral("0x41, 0x42, 0x0D, 0x0A, "));
        QCOMPARE(r.ui->TCP_StrTextBrowser->toPlainText(), QStringLiteral("AB\n"));
        QCOMPARE(r.status(), "TCP receive from:::ffff:127.0.0.1:" + QString::number(a.localPort()));

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

    void gbkSplitAcrossReadsStaysWhole()
    {
        Rig r;
        QVERIFY(r.start());
        QTcpSocket a;
        a.connectToHost(QHostAddress::LocalHost, r.port);
        QTRY_COMPARE(r.ui->TCP_Client_IP_comboBox->count(), 1);
        a.write(QByteArray::fromHex("d6"));
        QTRY_COMPARE(r.ui->TCPrecvbyteslcdNumber->intValue(), 1);
        a.write(QByteArray::fromHex("d0"));
        QTRY_COMPARE(r.ui->TCPrecvbyteslcdNumber->intValue(), 2);
        QCOMPARE(r.ui->TCP_StrTextBrowser->toPlainText(), QString::fromUtf8("中"));
    }

    void badFieldsRefuseStart_data()
    {
        QTest::addColumn<int>("mode");
        QTest::addColumn<QString>("address");
        QTest::addColumn<QString>("port");
        QTest::addColumn<QString>("text");
        QTest::newRow("server-empty-port") << 0 << "127.0.0.1"
                                           << ""
                                           << "Port is empty!";
        QTest::newRow("server-port-zero") << 0 << "127.0.0.1"
                                          << "0"
                                          << "Port must be a whole number from 1 to 65535!";
        QTest::newRow("server-port-wraps") << 0 << "127.0.0.1"
                                           << "70000"
                                           << "Port must be a whole number from 1 to 65535!";
        QTest::newRow("client-empty-address") << 1 << ""
                                              << "4000"
                                              << "IP or Port is empty!";
        QTest::newRow("client-port-not-number") << 1 << "127.0.0.1"
                                                << "x1"
                                                << "Port must be a whole number from 1 to 65535!";
    }

    void badFieldsRefuseStart()
    {
        QFETCH(int, mode);
        QFETCH(QString, address);
        QFETCH(QString, port);
        QFETCH(QString, text);
        Rig r;
        r.ui->TCP_comboBox->setCurrentIndex(mode);
        r.ui->TCPServerPortlineEdit->setText(port);
        r.ui->TCPclientPortlineEdit->setText(port);
        r.ui->TCPclientIPlineEdit->setText(address);
        ModalAnswer answer;
        press(r.ui->TCPopencompushButton);
        QVERIFY(answer.seen());
        QCOMPARE(answer.title(), QStringLiteral("warning:"));
        QCOMPARE(answer.text(), text);
        QVERIFY(!r.w->TCP_isOpen);
        QCOMPARE(r.ui->TCPopencompushButton->text(), QStringLiteral("Start"));
        QVERIFY(r.ui->TCP_comboBox->isEnabled());
    }

    void portInUseStaysStopped()
    {
        Rig r;
        QTcpServer holder;
        QVERIFY(holder.listen(QHostAddress::Any, r.port));
        press(r.ui->TCPopencompushButton);
        QVERIFY(r.status().startsWith("Server failed to start: "));
        QVERIFY(!r.w->TCP_isOpen);
        QVERIFY(r.ui->TCPServerPortlineEdit->isEnabled());
    }

    void clientAgainstClosedPort()
    {
        Rig r;
        r.client();
        QVERIFY(r.start());
        QTRY_COMPARE(r.status(), QStringLiteral("No server found"));
        QVERIFY(!r.w->TCP_isOpen);
        QCOMPARE(r.ui->TCPopencompushButton->text(), QStringLiteral("Start"));
        QVERIFY(r.ui->TCPclientIPlineEdit->isEnabled() && !r.ui->TCPsendmsgBtn->isEnabled());
    }

    void clientTalksToEchoServerUntilItCloses()
    {
        Rig r;
        PeerProcess peer;
        QVERIFY(peer.startWaitingForText(systemPython(), {"-c", echoServer, QString::number(r.port), "6"},
                                         "ready"));
        r.client();
        QVERIFY(r.start());
        QTRY_COMPARE(r.status(), QStringLiteral("Connected to TCP server"));
        r.send("hi\n");
        QTRY_COMPARE(r.ui->TCP_StrTextBrowser->toPlainText(), QStringLiteral("hi\n"));
        QCOMPARE(r.ui->TCPsendbyteslcdNumber->intValue(), 4); // the final line feed went as CR LF
        QTRY_COMPARE(r.ui->TCPrecvbyteslcdNumber->intValue(), 4);
        r.send("abc"); // reaches the peer's limit: it closes
        QTRY_COMPARE(r.status(), QStringLiteral("Disconnected TCP server"));
        QVERIFY(!r.w->TCP_isOpen);
        QCOMPARE(r.ui->TCPopencompushButton->text(), QStringLiteral("Start"));
        peer.stop();
    }

    void lateEndOfOldConnectionKeepsNewOne()
    {
        Rig r;
        QTcpServer first, second;
        QVERIFY(first.listen(QHostAddress::LocalHost, 0));
        QVERIFY(second.listen(QHostAddress::LocalHost, 0));
        r.client();
        r.ui->TCPclientPortlineEdit->setText(QString::number(first.serverPort()));
        QVERIFY(r.start());
        QTRY_VERIFY(first.hasPendingConnections());
        QTcpSocket* oldPeer = first.nextPendingConnection();
        press(r.ui->TCPopencompushButton); // Stop
        r.ui->TCPclientPortlineEdit->setText(QString::number(second.serverPort()));
        QVERIFY(r.start());
        QTRY_COMPARE(r.status(), QStringLiteral("Connected to TCP server"));
        oldPeer->abort(); // the old connection ends late, with an error on its side
        QTest::qWait(200);
        QVERIFY(r.w->TCP_isOpen);
        QCOMPARE(r.ui->TCPopencompushButton->text(), QStringLiteral("Stop"));
        QCOMPARE(r.status(), QStringLiteral("Connected to TCP server"));
    }

    void keepSendingToPeerThatNeverReads()
    {
        Rig r;
        QVERIFY(r.start());
        QTcpSocket silent; // connects and never reads
        silent.setReadBufferSize(1);
        silent.connectToHost(QHostAddress::LocalHost, r.port);
        QTRY_COMPARE(r.ui->TCP_Client_IP_comboBox->count(), 1);
        const QString block(64 * 1024, QLatin1Char('q'));
        r.ui->TCPobocheckBox->setChecked(true);
        r.ui->TCPdelayspinBox->setValue(10);
        r.send(block);
        QCOMPARE(r.ui->TCPsendmsgBtn->text(), QStringLiteral("Pause"));
        QTest::qWait(2000);
        QTcpSocket* towardsPeer = r.w->TCP_serverClients.value(0);
        QVERIFY(towardsPeer);
        QVERIFY(towardsPeer->bytesToWrite() <= block.size());
        press(r.ui->TCPsendmsgBtn);
    }
};

QTEST_MAIN(TestTcpTerminal)
#include "tst_tcpterminal.moc"

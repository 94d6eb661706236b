// The "UDP Debug" terminal against UDP peers on 127.0.0.1.
#include <QCheckBox>
#include <QComboBox>
#include <QDeadlineTimer>
#include <QFile>
#include <QLCDNumber>
#include <QLineEdit>
#include <QNetworkDatagram>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QStatusBar>
#include <QTcpServer>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QUdpSocket>

#include <memory>

#include "app/mainwindow.h"
#include "app/mainwindow_form.h"
#include "serial/terminalview.h"
#include "tests/common/freeport.h"
#include "tests/common/modalanswer.h"
#include "tests/common/testhome.h"
#include "tests/common/press.h"

namespace {

struct Rig
{
    TestHome home;
    std::unique_ptr<MainWindow> w;
    Ui_MainWindow* ui = nullptr;
    QUdpSocket peer;
    quint16 localPort = freeUdpPort();

    Rig()
    {
        w = std::make_unique<MainWindow>();
        ui = w->ui;
        peer.bind(QHostAddress::LocalHost, 0);
        ui->UDPSenderPortlineEdit->setText(QString::number(localPort));
        ui->UDPFarPortlineEdit->setText(QString::number(peer.localPort()));
    }
    bool start()
    {
        press(ui->UDPopencompushButton);
        return w->UDP_isOpen;
    }
    QByteArray peerReceives(int timeoutMs = 2000)
    {
        QDeadlineTimer deadline(timeoutMs);
        while (!peer.hasPendingDatagrams() && !deadline.hasExpired())
            QTest::qWait(5);
        if (!peer.hasPendingDatagrams())
            return QByteArray("<nothing>");
        return peer.receiveDatagram().data();
    }
    QString status() const { return ui->statusBar->currentMessage(); }
};

} // namespace

class TestUdpTerminal : public QObject
{
    Q_OBJECT
private slots:
    void localAddressesAreListedAlike()
    {
        TestHome home;
        MainWindow w;
        QVERIFY(w.ui->UDPServerIPcomboBox->count() > 0);
        for (QComboBox* box : {w.ui->TCPServerIPcomboBox, w.ui->GPSTCPServerIPcomboBox}) {
            QCOMPARE(box->count(), w.ui->UDPServerIPcomboBox->count());
            for (int i = 0; i < box->count(); ++i)
                QCOMPARE(box->itemText(i), w.ui->UDPServerIPcomboBox->itemText(i));
        }
        QVERIFY(w.UDP_sendSocket && w.UDP_recvSocket && w.TCP_server && w.GPS_tcpServer);
        QVERIFY(!w.TCP_server->isListening());
    }

    void receivedDatagramIsShownAndCounted()
    {
        Rig r;
        QVERIFY(r.start());
        QCOMPARE(r.ui->UDPopencompushButton->text(), QStringLiteral("Stop"));
        QCOMPARE(r.status(), QStringLiteral("UDP starts listening"));
        r.peer.writeDatagram(QByteArray::fromHex("41420d0a"), QHostAddress::LocalHost, r.localPort);
        QTRY_COMPARE(r.ui->UDPrecvbyteslcdNumber->intValue(), 4); // carriage returns count too
        QCOMPARE(r.ui->UDP_HexTextBrowser->toPlainText(), QStringLiteral("0x41, 0x42, 0x0D, 0x0A, "));
        QCOMPARE(r.ui->UDP_StrTextBrowser->toPlainText(), QStringLiteral("AB\n"));
        QVERIFY(r.status().startsWith("UDP receive from:"));
        QVERIFY(r.status().endsWith("127.0.0.1:" + QString::number(r.peer.localPort())));
        // GBK text, as a Chinese device sends it.
        r.peer.writeDatagram(QByteArray::fromHex("d6d0cec4"), QHostAddress::LocalHost, r.localPort);
        QTRY_COMPARE(r.ui->UDPrecvbyteslcdNumber->intValue(), 8);
        QVERIFY(r.ui->UDP_StrTextBrowser->toPlainText().endsWith(QString::fromUtf8("中文")));
    }

    void stampedDatagramsAreEscapedBlocks()
    {
        Rig r;
        r.ui->UDP_showtime_checkBox->setChecked(true);
        QVERIFY(r.start());
        r.peer.writeDatagram("<i>x</i>", QHostAddress::LocalHost, r.localPort);
        r.peer.writeDatagram("two", QHostAddress::LocalHost, r.localPort);
        QTRY_COMPARE(r.ui->UDPrecvbyteslcdNumber->intValue(), 11);
        QCOMPARE(r.ui->UDP_StrTextBrowser->document()->blockCount(), 2);
        QVERIFY(r.ui->UDP_StrTextBrowser->toPlainText().contains("<i>x</i>"));
    }

    void sendDatagrams_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("hex");
        QTest::addColumn<QByteArray>("sent");
        QTest::newRow("final-lf-becomes-crlf") << "ABC\n" << false << QByteArray::fromHex("4142430d0a");
        QTest::newRow("inner-lf-kept") << "A\nB" << false << QByteArray("A\nB");
        QTest::newRow("hex-tokens-not-paired") << "0x12 0x34" << true << QByteArray::fromHex("1234");
        QTest::newRow("hex-bad-token") << "12 zz" << true << QByteArray("<nothing>");
    }

    void sendDatagrams()
    {
        QFETCH(QString, text);
        QFETCH(bool, hex);
        QFETCH(QByteArray, sent);
        Rig r;
        QVERIFY(r.start());
        r.ui->UDPsendAsHexcheckBox->setChecked(hex);
        r.ui->UDPsendMsgtextEdit->setPlainText(text);
        press(r.ui->UDPsendmsgBtn);
        QCOMPARE(r.peerReceives(sent == "<nothing>" ? 300 : 2000), sent);
        if (sent == "<nothing>") {
            QCOMPARE(r.status(), QStringLiteral("The input data format is wrong!"));
            QCOMPARE(r.ui->UDPsendbyteslcdNumber->intValue(), 0);
        } else {
            QCOMPARE(r.ui->UDPsendbyteslcdNumber->intValue(), sent.size());
        }
    }

    void loopbackToItself()
    {
        Rig r;
        r.ui->UDPFarPortlineEdit->setText(QString::number(r.localPort));
        QVERIFY(r.start());
        r.ui->UDPsendMsgtextEdit->setPlainText("echo");
        press(r.ui->UDPsendmsgBtn);
        QTRY_COMPARE(r.ui->UDP_StrTextBrowser->toPlainText(), QStringLiteral("echo"));
        press(r.ui->UDPopencompushButton);
        QCOMPARE(r.status(), QStringLiteral("UDP stop listening"));
        QVERIFY(!r.w->UDP_recvSocket);
        QVERIFY(r.ui->UDPSenderPortlineEdit->isEnabled() && !r.ui->UDPsendmsgBtn->isEnabled());
    }

    void badFieldsRefuseStart_data()
    {
        QTest::addColumn<QString>("local");
        QTest::addColumn<QString>("remoteIp");
        QTest::addColumn<QString>("remotePort");
        QTest::newRow("empty-local") << ""
                                     << "127.0.0.1"
                                     << "4000";
        QTest::newRow("zero-local") << "0"
                                    << "127.0.0.1"
                                    << "4000";
        QTest::newRow("local-above-16-bits") << "70000"
                                             << "127.0.0.1"
                                             << "4000";
        QTest::newRow("local-not-a-number") << "abc"
                                            << "127.0.0.1"
                                            << "4000";
        QTest::newRow("remote-address-invalid") << "4000"
                                                << "999.1.1.1"
                                                << "4000";
        QTest::newRow("remote-port-zero") << "4000"
                                          << "127.0.0.1"
                                          << "0";
    }

    void badFieldsRefuseStart()
    {
        QFETCH(QString, local);
        QFETCH(QString, remoteIp);
        QFETCH(QString, remotePort);
        Rig r;
        r.ui->UDPSenderPortlineEdit->setText(local);
        r.ui->UDPFarIPlineEdit->setText(remoteIp);
        r.ui->UDPFarPortlineEdit->setText(remotePort);
        ModalAnswer answer;
        press(r.ui->UDPopencompushButton);
        QVERIFY(answer.seen());
        QCOMPARE(answer.title(), QStringLiteral("warning:"));
        QVERIFY(!r.w->UDP_isOpen);
        QCOMPARE(r.ui->UDPopencompushButton->text(), QStringLiteral("Start"));
        QVERIFY(r.ui->UDPSenderPortlineEdit->isEnabled());
    }

    void portInUseStaysStopped()
    {
        Rig r;
        QUdpSocket holder;
        QVERIFY(holder.bind(QHostAddress::Any, r.localPort, QAbstractSocket::DontShareAddress));
        press(r.ui->UDPopencompushButton);
        QVERIFY(r.status().startsWith("UDP failed to listen: "));
        QVERIFY(!r.w->UDP_isOpen);
        QCOMPARE(r.ui->UDPopencompushButton->text(), QStringLiteral("Start"));
        QVERIFY(r.ui->UDPSenderPortlineEdit->isEnabled());
    }

    void keepSendingResumesAfterRestart()
    {
        Rig r;
        QVERIFY(r.start());
        r.ui->UDPobocheckBox->setChecked(true);
        r.ui->UDPdelayspinBox->setValue(20);
        r.ui->UDPsendMsgtextEdit->setPlainText("k");
        press(r.ui->UDPsendmsgBtn);
        QCOMPARE(r.ui->UDPsendmsgBtn->text(), QStringLiteral("Pause"));
        QCOMPARE(r.peerReceives(), QByteArray("k"));
        press(r.ui->UDPopencompushButton);
        QTest::qWait(100);
        while (r.peer.hasPendingDatagrams())
            r.peer.receiveDatagram();
        QCOMPARE(r.peerReceives(200), QByteArray("<nothing>"));
        QVERIFY(r.start());
        QCOMPARE(r.peerReceives(), QByteArray("k"));
        press(r.ui->UDPsendmsgBtn);
        QCOMPARE(r.ui->UDPsendmsgBtn->text(), QStringLiteral("Send"));
    }

    void floodIsShownInBatchesAndFullyCounted()
    {
        Rig r;
        QVERIFY(r.start());
        r.peer.setSocketOption(QAbstractSocket::SendBufferSizeSocketOption, 1 << 20);
        r.w->UDP_recvSocket->setSocketOption(QAbstractSocket::ReceiveBufferSizeSocketOption, 4 << 20);
        for (int i = 0; i < 2000; ++i)
            r.peer.writeDatagram(QByteArray(10, 'd'), QHostAddress::LocalHost, r.localPort);
        QTRY_COMPARE(r.ui->UDPrecvbyteslcdNumber->intValue(), 20000);
        // One line without line feeds: the view keeps only its newest part.
        QVERIFY(r.ui->UDP_StrTextBrowser->toPlainText().size() <= TerminalView::maxBlockChars);
    }

    void importSharesTheLimit()
    {
        Rig r;
        QTemporaryDir dir;
        QFile f(dir.filePath("big.txt"));
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(QByteArray(10001, 'a'));
        f.close();
        TerminalView::queueFileAnswers({f.fileName()});
        press(r.ui->UDPreadtxtpushButton);
        QCOMPARE(
            r.status(),
            QStringLiteral("Load failed: file size is 10001 bytes, Exceeded the limit size 10000 bytes"));
        QVERIFY(r.ui->UDPsendMsgtextEdit->toPlainText().isEmpty());
    }
};

QTEST_MAIN(TestUdpTerminal)
#include "tst_udpterminal.moc"

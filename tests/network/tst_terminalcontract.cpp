// The controls and receive views every terminal shares, run over the serial (pty), UDP and
// TCP terminals alike; then the network terminals' own start-up rules and TCP peers.
#include <QDeadlineTimer>
#include <QFileInfo>
#include <QNetworkDatagram>
#include <QRegularExpression>
#include <QSerialPort>
#include <QSignalSpy>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTemporaryDir>
#include <QTextBlock>
#include <QTimer>
#include <QUdpSocket>

#include "serial/terminalformat.h"
#include "serial/terminalview.h"
#include "serial/threadserial.h"
#include "tests/common/consolerig.h"
#include "tests/common/copiedtext.h"
#include "tests/common/filechooserfake.h"
#include "tests/common/freeport.h"
#include "tests/common/modalanswer.h"
#include "tests/common/peerprocess.h"
#include "widgets/logview.h"

using Terminal = MainWindow::Terminal;
Q_DECLARE_METATYPE(Terminal)

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

// The window with the terminal and a peer that plays the far end (a UDP socket, a TCP client).
struct Rig : ConsoleRig
{
    Terminal terminal;
    MainWindow::TerminalControls c;
    FileChooserFake* files = new FileChooserFake;
    QUdpSocket udp;
    QTcpSocket tcp;
    quint16 port = freeUdpPort(), tcpPort = freeTcpPort();

    explicit Rig(Terminal t = Terminal::Tcp) : terminal(t)
    {
        w->fileChooser.reset(files);
        c = w->Terminal_controls(t);
        udp.bind(QHostAddress::LocalHost, 0);
        ui->UDPSenderPortlineEdit->setText(QString::number(port));
        ui->UDPFarPortlineEdit->setText(QString::number(udp.localPort()));
        ui->TCPServerPortlineEdit->setText(QString::number(tcpPort));
        ui->TCPclientPortlineEdit->setText(QString::number(tcpPort));
    }
    QPushButton* openButton() const
    {
        return QList{ui->opencompushButton, ui->UDPopencompushButton,
                     ui->TCPopencompushButton}[int(terminal)];
    }
    bool open(bool tcpClient = false)
    {
        ui->TCP_comboBox->setCurrentIndex(tcpClient ? 1 : 0);
        press(openButton());
        if (terminal != Terminal::Tcp)
            return terminal == Terminal::Com ? w->Serial_isOpen : w->UDP_isOpen;
        if (!tcpClient && w->TCP_isOpen)
            tcp.connectToHost(QHostAddress::LocalHost, tcpPort);
        QDeadlineTimer accepted(2000);
        while (!tcpClient && w->TCP_serverClients.isEmpty() && !accepted.hasExpired())
            QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
        return w->TCP_isOpen && (tcpClient || !w->TCP_serverClients.isEmpty());
    }
    // Sends from the far end in pieces, letting the window read between them.
    // The counter saturates: it is cleared on the way and its values are added up.
    void deliver(const QByteArray& data, int piece = 1024)
    {
        qint64 counted = -received();
        for (qsizetype done = 0; done < data.size(); done += piece) {
            if (received() > 50000) {
                counted += received();
                w->Terminal_clearCounters(terminal);
            }
            const QByteArray part = data.mid(done, piece);
            if (terminal == Terminal::Com)
                pty.write(part);
            else if (terminal == Terminal::Udp)
                udp.writeDatagram(part, QHostAddress::LocalHost, port);
            else
                tcp.write(part);
            QTRY_VERIFY(counted + received() >= done + part.size());
        }
    }
    // What the far end got, once `size` bytes came or the time is up (one look at least).
    QByteArray farEndGets(int size, int timeoutMs = 2000)
    {
        QByteArray got;
        QDeadlineTimer deadline(timeoutMs);
        do {
            QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
            got += terminal == Terminal::Com ? pty.read(1, 5) : tcp.readAll();
            while (udp.hasPendingDatagrams())
                got += udp.receiveDatagram().data();
        } while (got.size() < size && !deadline.hasExpired());
        return got;
    }
    // What waits in the program to go out.
    qint64 pending() const
    {
        return terminal == Terminal::Com ? w->Serial_thread->serialPort->bytesToWrite()
                                         : w->TCP_serverClients.value(0)->bytesToWrite();
    }
    // Export into a file of its own: what it wrote, or a null array when no file came.
    QByteArray exported()
    {
        QTemporaryDir dir;
        files->answers = {dir.filePath("out.txt")};
        w->Terminal_export(terminal);
        QFile out(dir.filePath("out.txt"));
        return out.open(QIODevice::ReadOnly) ? out.readAll() : QByteArray();
    }
    QCheckBox* hexBox() const
    {
        return QList{ui->sendAsHexcheckBox, ui->UDPsendAsHexcheckBox,
                     ui->TCPsendAsHexcheckBox}[int(terminal)];
    }
    int received() const { return c.receivedCounter->intValue(); }
    QString status() const { return ui->statusBar->currentMessage(); }
    static QString shown(QPlainTextEdit* view) { return LogView::of(view)->text(); }
};

void addTerminals(const QList<Terminal>& terminals = {Terminal::Com, Terminal::Udp, Terminal::Tcp})
{
    QTest::addColumn<Terminal>("terminal");
    const char* names[] = {"serial", "udp", "tcp"};
    for (Terminal t : terminals)
        QTest::newRow(names[int(t)]) << t;
}

} // namespace

class TestTerminalContract : public QObject
{
    Q_OBJECT
private slots:
    void receiveViewsHoldWhatCameExactly_data() { addTerminals(); }
    void receiveViewsHoldWhatCameExactly()
    {
        QFETCH(Terminal, terminal);
        Rig r(terminal);
        QVERIFY(r.open());
        const bool serial = terminal == Terminal::Com;
        r.deliver(QByteArray::fromHex("41420d0a"));
        QCOMPARE(r.shown(r.c.textView), QStringLiteral("AB\n"));
        QCOMPARE(r.shown(r.c.hexView), serial ? QStringLiteral("0x41,0x42,0x0d,0x0a,\n")
                                              : QStringLiteral("0x41, 0x42, 0x0D, 0x0A, "));
        // A character split between two reads stays whole (UTF-8 on the serial port, GBK on the network).
        r.deliver(QByteArray::fromHex(serial ? "e282ac" : "d6d0"), 1);
        QCOMPARE(r.shown(r.c.textView), "AB\n" + QString::fromUtf8(serial ? "€" : "中"));
        // A flood past the hex view's budget: the newest budget is kept exactly.
        const QByteArray flood = QByteArray(400 * 1024, 'q') + "end";
        r.deliver(flood, 8192);
        QVERIFY(r.shown(r.c.textView).endsWith("qend"));
        const QString hexShown = r.shown(r.c.hexView);
        QVERIFY2(hexShown.size() >= LogView::budget, qPrintable(QString::number(hexShown.size())));
        QVERIFY(hexShown.size() <= LogView::budget * 3 / 2);
        const QString floodHex =
            serial ? TerminalFormat::hexSerial(flood) : TerminalFormat::hexNetwork(flood);
        QVERIFY(floodHex.endsWith(hexShown)); // exactly: no break of the view's own
        // Export writes what the view holds.
        const QString text = r.shown(r.c.textView);
        QTemporaryDir dir;
        r.files->answers = {dir.filePath("out.txt")};
        r.w->Terminal_export(terminal);
        QCOMPARE(r.status(),
                 "Saved success.\tsaved: " + QFileInfo(dir.filePath("out.txt")).canonicalFilePath());
        QFile out(dir.filePath("out.txt"));
        QVERIFY(out.open(QIODevice::ReadOnly) && out.readAll() == text.toUtf8());
    }

    // Lines longer than the view shows on one line: Export writes what came, carriage returns
    // removed, and nothing else.
    void exportWritesWhatArrived_data()
    {
        QTest::addColumn<Terminal>("terminal");
        QTest::addColumn<QByteArray>("data");
        QTest::addColumn<int>("piece"); // bytes per read or datagram
        QByteArray tof;                 // a 54 x 42 frame line
        for (int i = 0; tof.size() < 10805; ++i)
            tof += QByteArray::number(1000 + i % 3000) + ',';
        tof = tof.left(10805) + "\r\n";
        QByteArray json = "{\"readings\":[";
        for (int i = 0; json.size() < 4000; ++i)
            json += "{\"id\":" + QByteArray::number(i) + ",\"v\":12.5},";
        json += "{}]}\r\n";
        // clang-format off
        QTest::newRow("serial-5000-char-line") << Terminal::Com << QByteArray("0123456789").repeated(500) << 1024;
        QTest::newRow("serial-tof-line") << Terminal::Com << tof << 1024;
        QTest::newRow("tcp-4k-reply") << Terminal::Tcp << json << 1024;
        QTest::newRow("udp-3000-byte-datagram") << Terminal::Udp << QByteArray("udp:").repeated(750) << 3000;
        // clang-format on
    }
    void exportWritesWhatArrived()
    {
        QFETCH(Terminal, terminal);
        QFETCH(QByteArray, data);
        QFETCH(int, piece);
        Rig r(terminal);
        QVERIFY(r.open());
        r.deliver("first\r\n");
        r.deliver(data, piece);
        QCOMPARE(r.exported(), QByteArray("first\r\n" + data).replace('\r', QByteArray()));
    }

    // A burst larger than the view keeps, in lines longer than a piece of the view: Export,
    // Ctrl+C after Select All and the menu's Copy begin at a line that arrived and hold all that
    // came after it, carriage returns removed.
    void burstKeepsWholeLines_data()
    {
        QTest::addColumn<Terminal>("terminal");
        QTest::addColumn<int>("lineLength"); // characters before "\r\n"
        QTest::addColumn<double>("budgets"); // the burst's size
        for (Terminal t : {Terminal::Com, Terminal::Udp, Terminal::Tcp}) {
            const char* name = QList{"serial", "udp", "tcp"}[int(t)];
            QTest::addRow("%s-4000-char-lines-1.7-budgets", name) << t << 4000 << 1.7;
            QTest::addRow("%s-19000-char-lines-5-budgets", name) << t << 19000 << 5.0;
        }
    }
    void burstKeepsWholeLines()
    {
        QFETCH(Terminal, terminal);
        QFETCH(int, lineLength);
        QFETCH(double, budgets);
        QByteArray data;
        for (int i = 0; data.size() < budgets * LogView::budget; ++i) {
            const QByteArray head = QByteArray::number(i) + ':';
            data += head + QByteArray(lineLength - head.size(), char('a' + i % 26)) + "\r\n";
        }
        Rig r(terminal);
        QVERIFY(r.open());
        r.deliver(data, terminal == Terminal::Com ? 4096 : 48 * 1024); // a pty holds about 4 KiB
        const QByteArray exported = r.exported(), arrived = data.replace('\r', QByteArray());
        QVERIFY(!exported.isNull());
        QVERIFY(arrived.endsWith(exported));
        const qsizetype dropped = arrived.size() - exported.size();
        QVERIFY2(dropped == 0 || arrived.at(dropped - 1) == '\n', exported.left(40).constData());
        QVERIFY(exported.size() >= LogView::budget - exported.count('\n'));
        QCOMPARE(copiedAfterSelectAll(r.c.textView), QStringList(2, QString::fromLatin1(exported)));
    }

    // Hexadecimal entries are never parted across lines of the view, stamped or not, however
    // long the line.
    void hexEntriesStayWhole_data()
    {
        QTest::addColumn<Terminal>("terminal");
        QTest::addColumn<bool>("stamped");
        for (bool stamped : {false, true}) {
            for (Terminal t : {Terminal::Com, Terminal::Udp, Terminal::Tcp})
                QTest::addRow("%s%s", QList{"serial", "udp", "tcp"}[int(t)], stamped ? "-stamped" : "")
                    << t << stamped;
        }
    }
    void hexEntriesStayWhole()
    {
        QFETCH(Terminal, terminal);
        QFETCH(bool, stamped);
        Rig r(terminal);
        r.c.stampBox->setChecked(stamped);
        QVERIFY(r.open());
        QByteArray data(40000, 0); // no line feed: one line in every hex view
        for (int i = 0; i < data.size(); ++i)
            data[i] = char(i % 251 == 10 ? 11 : i % 251);
        r.deliver(data, terminal == Terminal::Udp ? 20000 : 4096);
        const QString shown = r.shown(r.c.hexView);
        const QRegularExpression wholeEntries(
            "^(\\[\\d\\d:\\d\\d:\\d\\d\\.\\d\\d\\d\\])?(0x[0-9a-fA-F]{2}, ?)*$");
        for (QTextBlock b = r.c.hexView->document()->begin(); b.isValid(); b = b.next())
            QVERIFY2(wholeEntries.match(b.text()).hasMatch(),
                     qPrintable(b.text().left(20) + "…" + b.text().right(20)));
        const QString hex =
            terminal == Terminal::Com ? TerminalFormat::hexSerial(data) : TerminalFormat::hexNetwork(data);
        QCOMPARE(
            QString(shown).remove(QRegularExpression("\\[\\d\\d:\\d\\d:\\d\\d\\.\\d\\d\\d\\]")).remove('\n'),
            hex);
        if (!stamped)
            QCOMPARE(shown, hex);
    }

    // Two senders each cut a character between two datagrams, the other's datagram coming in
    // between: each character is joined from its own sender's bytes (GBK, or UTF-8 when stamped).
    void udpSendersDecodedApart_data()
    {
        QTest::addColumn<bool>("stamped");
        QTest::addColumn<QStringList>("datagrams"); // hexadecimal, from the first and second sender in turn
        QTest::addColumn<QString>("expected");
        QTest::newRow("gbk") << false << QStringList{"78b0", "4142", "a1"} << QString::fromUtf8("xAB啊");
        QTest::newRow("utf8-stamped")
            << true << QStringList{"78e595", "4142", "8a"} << QString::fromUtf8("x\nAB\n啊");
    }
    void udpSendersDecodedApart()
    {
        QFETCH(bool, stamped);
        QFETCH(QStringList, datagrams);
        Rig r(Terminal::Udp);
        r.c.stampBox->setChecked(stamped);
        QVERIFY(r.open());
        QUdpSocket second;
        QVERIFY(second.bind(QHostAddress::LocalHost, 0));
        int count = 0;
        for (int i = 0; i < datagrams.size(); ++i) {
            const QByteArray bytes = QByteArray::fromHex(datagrams[i].toLatin1());
            (i % 2 ? second : r.udp).writeDatagram(bytes, QHostAddress::LocalHost, r.port);
            count += bytes.size();
            QTRY_COMPARE(r.received(), count);
        }
        QTEST(r.shown(r.c.textView).remove(QRegularExpression("\\[\\d\\d:\\d\\d:\\d\\d\\.\\d\\d\\d\\]")),
              "expected");
    }

    void stampedChunksAreEscapedLinesOfTheirOwn_data() { addTerminals(); }
    void stampedChunksAreEscapedLinesOfTheirOwn()
    {
        QFETCH(Terminal, terminal);
        Rig r(terminal);
        r.c.stampBox->setChecked(true);
        QVERIFY(r.open());
        r.deliver("<b>&amp;</b>\nx");
        r.deliver("second");
        r.shown(r.c.textView);
        QTextDocument* doc = r.c.textView->document();
        QCOMPARE(doc->blockCount(), 2);
        QVERIFY(QRegularExpression("^\\[\\d\\d:\\d\\d:\\d\\d\\.\\d\\d\\d\\]")
                    .match(doc->firstBlock().text())
                    .hasMatch());
        // Markup stays text; the line break inside the chunk shows as a blank.
        QCOMPARE(doc->firstBlock().text().mid(14), QStringLiteral("<b>&amp;</b> x"));
        QCOMPARE(doc->lastBlock().text().mid(14), QStringLiteral("second"));
    }

    // The send rules as each terminal applies them; the counter takes only what left whole.
    void send_data()
    {
        QTest::addColumn<Terminal>("terminal");
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("hex");
        QTest::addColumn<QByteArray>("sent");
        // clang-format off
        QTest::newRow("serial-every-lf-becomes-crlf") << Terminal::Com << "AT\nOK" << false << QByteArray("AT\r\nOK");
        QTest::newRow("serial-hex") << Terminal::Com << "0x01, 0x02,0x03" << true << QByteArray::fromHex("010203");
        QTest::newRow("serial-port-gone") << Terminal::Com << "AT" << false << QByteArray();
        QTest::newRow("udp-final-lf-becomes-crlf") << Terminal::Udp << "ABC\n" << false << QByteArray("ABC\r\n");
        QTest::newRow("udp-inner-lf-kept") << Terminal::Udp << "A\nB" << false << QByteArray("A\nB");
        QTest::newRow("tcp-final-lf-becomes-crlf") << Terminal::Tcp << "hi\n" << false << QByteArray("hi\r\n");
        QTest::newRow("tcp-hex-tokens-not-paired") << Terminal::Tcp << "0x12 0x34" << true << QByteArray::fromHex("1234");
        // clang-format on
    }
    void send()
    {
        QFETCH(Terminal, terminal);
        QFETCH(QString, text);
        QFETCH(bool, hex);
        QFETCH(QByteArray, sent);
        Rig r(terminal);
        QVERIFY(r.open());
        if (sent.isEmpty())
            r.w->Serial_thread->serialPort->close(); // behind the terminal's back
        r.hexBox()->setChecked(hex);
        r.c.sendBox->setPlainText(text);
        press(r.c.sendButton);
        QCOMPARE(r.farEndGets(qMax(1, int(sent.size())), sent.isEmpty() ? 300 : 2000), sent);
        QCOMPARE(r.c.sentCounter->intValue(), sent.size());
        if (sent.isEmpty()) // followed by the system's own reason
            QVERIFY(r.status().startsWith("Send failed: "));
    }

    // Keep-sending stops at a bad hex token, pauses while the terminal is closed and resumes
    // when it opens, and skips ticks while the far end takes nothing rather than pile data up.
    void keepSending_data() { addTerminals(); }
    void keepSending()
    {
        QFETCH(Terminal, terminal);
        const int block = QList{1000, 1, 64 * 1024}[int(terminal)];
        Rig r(terminal);
        r.tcp.setReadBufferSize(1); // the TCP peer never reads
        QVERIFY(r.open());
        r.c.keepBox->setChecked(true);
        r.c.delayBox->setValue(10);
        r.hexBox()->setChecked(true);
        r.c.sendBox->setPlainText("zz");
        press(r.c.sendButton);
        QTRY_COMPARE(r.status(), QStringLiteral("The input data format is wrong!"));
        QVERIFY(!r.c.sendTimer->isActive());
        r.hexBox()->setChecked(false);
        r.c.sendBox->setPlainText(QString(block, QLatin1Char('k')));
        QSignalSpy ticks(r.c.sendTimer, &QTimer::timeout);
        press(r.c.sendButton);
        if (terminal != Terminal::Tcp) { // a TCP server that stops drops its clients
            QCOMPARE(r.farEndGets(block).left(block), QByteArray(block, 'k'));
            press(r.openButton());    // close
            r.farEndGets(1 << 24, 0); // what left before
            ticks.clear();
            QTRY_VERIFY(ticks.count() >= 5);
            QCOMPARE(r.farEndGets(1, 0), QByteArray());
            QVERIFY(r.open());
            QCOMPARE(r.farEndGets(block).left(block), QByteArray(block, 'k'));
        }
        if (terminal != Terminal::Udp) { // far more ticks than the kernel's buffers take
            ticks.clear();
            QTRY_VERIFY_WITH_TIMEOUT(ticks.count() >= 200, 10000);
            QVERIFY2(r.pending() <= block, qPrintable(QString::number(r.pending())));
        }
        press(r.c.sendButton);
        QVERIFY(!r.c.sendTimer->isActive());
    }

    // Export with nothing and with a failing save; Import of a file
    // (one implementation for all three terminals).
    void exportAndImport()
    {
        const Terminal terminal = Terminal::Udp;
        Rig r(terminal);
        QTemporaryDir dir;
        r.w->Terminal_export(terminal);
        QCOMPARE(r.status(), QStringLiteral("No data need to save"));
        LogView::of(r.c.textView)->append("AB\nCD");
        const QString bad = dir.filePath("missing/out.txt");
        r.files->answers = {bad};
        r.w->Terminal_export(terminal);
        QVERIFY(r.status().startsWith("Save failed:Open file " + bad + " failed, can't save\n"));
        QFile in(dir.filePath("in.txt"));
        QVERIFY(in.open(QIODevice::WriteOnly) && in.write("L1\r\nL2\r\n") == 8);
        in.close();
        r.c.sendBox->setPlainText("X");
        r.files->answers = {in.fileName()};
        r.w->Terminal_import(terminal);
        QCOMPARE(r.status(), QStringLiteral("Success for read the data in the file"));
        QCOMPARE(r.c.sendBox->toPlainText(), QStringLiteral("XL1\nL2\n"));
    }

    void portInUseStaysStopped()
    {
        Rig r;
        QUdpSocket udpHolder;
        QTcpServer tcpHolder;
        QVERIFY(udpHolder.bind(QHostAddress::Any, r.port, QAbstractSocket::DontShareAddress));
        QVERIFY(tcpHolder.listen(QHostAddress::Any, r.tcpPort));
        press(r.ui->UDPopencompushButton);
        QVERIFY(!r.w->UDP_isOpen && r.status().startsWith("UDP failed to listen: "));
        QVERIFY(!r.open());
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
        Rig r(terminal == "udp" ? Terminal::Udp : Terminal::Tcp);
        ModalAnswer answer;
        for (QLineEdit* edit :
             {r.ui->UDPSenderPortlineEdit, r.ui->TCPServerPortlineEdit, r.ui->TCPclientPortlineEdit})
            edit->setText(fields[0]);
        r.ui->UDPFarIPlineEdit->setText(fields[1]);
        r.ui->TCPclientIPlineEdit->setText(fields[1]);
        r.ui->UDPFarPortlineEdit->setText(fields.value(2));
        QVERIFY(!r.open(terminal == "client"));
        QTEST(answer.text(), "warning");
    }

    void tcpServerListsClientsAndSendsToThem()
    {
        Rig r;
        QVERIFY(r.open()); // the rig's own client is the first
        QTcpSocket b;
        b.connectToHost(QHostAddress::LocalHost, r.tcpPort);
        QTRY_COMPARE(r.ui->TCP_Client_IP_comboBox->count(), 2);
        r.c.sendBox->setPlainText("AB");
        press(r.c.sendButton);
        QTRY_VERIFY(r.tcp.bytesAvailable() == 2 && b.bytesAvailable() == 2);
        QCOMPARE(r.c.sentCounter->intValue(), 4);
        r.tcp.disconnectFromHost();
        QTRY_COMPARE(r.ui->TCP_Client_IP_comboBox->count(), 1);
        QCOMPARE(r.w->TCP_serverClients.size(), 1);
        press(r.ui->TCPopencompushButton);
        QVERIFY(r.w->TCP_serverClients.isEmpty() && r.ui->TCP_Client_IP_comboBox->count() == 0);
        QTRY_COMPARE(b.state(), QAbstractSocket::UnconnectedState);
        QCOMPARE(r.status(), QStringLiteral("Server has stopped")); // no "left" for dropped clients
    }

    void tcpClientTalksToEchoServerUntilItCloses()
    {
        Rig r;
        QVERIFY(r.open(true)); // nobody listens yet
        QTRY_COMPARE(r.status(), QStringLiteral("No server found"));
        QVERIFY(!r.w->TCP_isOpen);
        PeerProcess peer;
        QVERIFY(peer.startWaitingForText(systemPython(), {"-c", echoServer, QString::number(r.tcpPort)},
                                         "ready"));
        QVERIFY(r.open(true));
        QTRY_COMPARE(r.status(), QStringLiteral("Connected to TCP server"));
        r.c.sendBox->setPlainText("hi\n");
        press(r.c.sendButton);
        QTRY_COMPARE(r.shown(r.c.textView), QStringLiteral("hi\n"));
        r.c.sendBox->setPlainText("abc"); // reaches the peer's limit: it closes
        press(r.c.sendButton);
        QTRY_COMPARE(r.status(), QStringLiteral("Disconnected TCP server"));
        QVERIFY(!r.w->TCP_isOpen);
    }

    void tcpLateEndOfOldConnectionKeepsNewOne()
    {
        Rig r;
        QTcpServer first, second;
        QVERIFY(first.listen(QHostAddress::LocalHost, 0) && second.listen(QHostAddress::LocalHost, 0));
        r.ui->TCPclientPortlineEdit->setText(QString::number(first.serverPort()));
        QVERIFY(r.open(true));
        QTRY_VERIFY(first.hasPendingConnections());
        QTcpSocket* oldPeer = first.nextPendingConnection();
        QPointer<QTcpSocket> oldSocket = r.w->TCP_clientSocket;
        press(r.ui->TCPopencompushButton); // Stop
        r.ui->TCPclientPortlineEdit->setText(QString::number(second.serverPort()));
        QVERIFY(r.open(true));
        QTRY_COMPARE(r.status(), QStringLiteral("Connected to TCP server"));
        oldPeer->abort(); // the old connection ends late, with an error on its side
        QTRY_VERIFY_WITH_TIMEOUT(oldSocket.isNull(), 5000); // gone: it can report nothing more
        QVERIFY(r.w->TCP_isOpen);
        QCOMPARE(r.status(), QStringLiteral("Connected to TCP server"));
    }
};

QTEST_MAIN(TestTerminalContract)
#include "tst_terminalcontract.moc"

// The controls and receive views every terminal shares, run over the serial (pty),
// UDP and TCP terminals alike.
#include <QCheckBox>
#include <QDeadlineTimer>
#include <QFileInfo>
#include <QLCDNumber>
#include <QNetworkDatagram>
#include <QPlainTextEdit>
#include <QRegularExpression>
#include <QSerialPort>
#include <QSignalSpy>
#include <QSpinBox>
#include <QStatusBar>
#include <QTcpSocket>
#include <QTemporaryDir>
#include <QTextBlock>
#include <QTimer>
#include <QUdpSocket>

#include "serial/terminalformat.h"
#include "serial/terminalview.h"
#include "serial/threadserial.h"
#include "tests/common/consolerig.h"
#include "tests/common/filechooserfake.h"
#include "tests/common/freeport.h"
#include "widgets/logview.h"

using Terminal = MainWindow::Terminal;
Q_DECLARE_METATYPE(Terminal)

namespace {

// The window with the terminal opened and a peer that plays the far end.
struct Rig : ConsoleRig
{
    Terminal terminal;
    MainWindow::TerminalControls c;
    FileChooserFake* files = new FileChooserFake;
    QUdpSocket udp;
    QTcpSocket tcp;
    quint16 port = 0;

    explicit Rig(Terminal t) : terminal(t)
    {
        w->fileChooser.reset(files);
        c = w->Terminal_controls(t);
    }
    QPushButton* openButton() const
    {
        return terminal == Terminal::Com   ? ui->opencompushButton
               : terminal == Terminal::Udp ? ui->UDPopencompushButton
                                           : ui->TCPopencompushButton;
    }
    bool open()
    {
        if (terminal == Terminal::Udp && udp.state() != QAbstractSocket::BoundState) {
            port = freeUdpPort();
            udp.bind(QHostAddress::LocalHost, 0);
            ui->UDPSenderPortlineEdit->setText(QString::number(port));
            ui->UDPFarPortlineEdit->setText(QString::number(udp.localPort()));
        } else if (terminal == Terminal::Tcp) {
            port = freeTcpPort();
            ui->TCPServerPortlineEdit->setText(QString::number(port));
        }
        press(openButton());
        if (terminal == Terminal::Com)
            return w->Serial_isOpen;
        if (terminal == Terminal::Udp)
            return w->UDP_isOpen;
        tcp.connectToHost(QHostAddress::LocalHost, port);
        QDeadlineTimer accepted(2000);
        while (w->TCP_serverClients.isEmpty() && !accepted.hasExpired())
            QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
        return w->TCP_isOpen && !w->TCP_serverClients.isEmpty();
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
            if (terminal == Terminal::Com)
                got += pty.read(1, 5);
            else if (terminal == Terminal::Tcp)
                got += tcp.readAll();
            while (udp.hasPendingDatagrams())
                got += udp.receiveDatagram().data();
        } while (got.size() < size && !deadline.hasExpired());
        return got;
    }
    int received() const { return c.receivedCounter->intValue(); }
    QString status() const { return ui->statusBar->currentMessage(); }
    static QString shown(QPlainTextEdit* view) { return LogView::of(view)->text(); }
};

void addTerminals()
{
    QTest::addColumn<Terminal>("terminal");
    QTest::newRow("serial") << Terminal::Com;
    QTest::newRow("udp") << Terminal::Udp;
    QTest::newRow("tcp") << Terminal::Tcp;
}

QCheckBox* hexBox(Rig& r)
{
    return r.terminal == Terminal::Com   ? r.ui->sendAsHexcheckBox
           : r.terminal == Terminal::Udp ? r.ui->UDPsendAsHexcheckBox
                                         : r.ui->TCPsendAsHexcheckBox;
}

QByteArray readFile(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
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
        QVERIFY(r.status().startsWith(serial                      ? "Successfully read 4 byte data"
                                      : terminal == Terminal::Udp ? "UDP receive from:"
                                                                  : "TCP receive from:"));
        QCOMPARE(r.shown(r.c.textView), QStringLiteral("AB\n"));
        QCOMPARE(r.shown(r.c.hexView), serial ? QStringLiteral("0x41,0x42,0x0d,0x0a,\n")
                                              : QStringLiteral("0x41, 0x42, 0x0D, 0x0A, "));
        // A character split between two reads stays whole (UTF-8 on the serial port, GBK on the network).
        const QByteArray split = QByteArray::fromHex(serial ? "e282ac" : "d6d0");
        r.deliver(split, 1);
        QCOMPARE(r.shown(r.c.textView), "AB\n" + QString::fromUtf8(serial ? "€" : "中"));
        // Every entry of a stream without line ends is kept, beyond any single line's length.
        r.c.hexView->clear();
        r.deliver(QByteArray(4000, 'Z'));
        QCOMPARE(r.shown(r.c.hexView).remove(QLatin1Char('\n')).count(serial ? "0x5a," : "0x5A, "), 4000);
        // A flood past the hex view's budget: the newest budget is kept exactly.
        const QByteArray flood = QByteArray(400 * 1024, 'q') + "end";
        r.deliver(flood, 8192);
        QVERIFY(r.shown(r.c.textView).endsWith("qend"));
        const QString hexShown = r.shown(r.c.hexView);
        QVERIFY2(hexShown.size() >= LogView::budget, qPrintable(QString::number(hexShown.size())));
        QVERIFY(hexShown.size() <= LogView::budget * 3 / 2 + LogView::lineWidth);
        const QString floodHex =
            serial ? TerminalFormat::hexSerial(flood) : TerminalFormat::hexNetwork(flood);
        QVERIFY(floodHex.endsWith(QString(hexShown).remove(QLatin1Char('\n'))));
        const QString text = r.shown(r.c.textView);
        // Export writes what the view holds.
        QTemporaryDir dir;
        r.files->answers = {dir.filePath("out.txt")};
        r.w->Terminal_export(terminal);
        QCOMPARE(r.status(),
                 "Saved success.\tsaved: " + QFileInfo(dir.filePath("out.txt")).canonicalFilePath());
        QCOMPARE(readFile(dir.filePath("out.txt")), text.toUtf8());
        r.w->Terminal_clearReceived(terminal);
        QCOMPARE(r.status(), QStringLiteral("Receive has been cleared"));
        QVERIFY(r.shown(r.c.textView).isEmpty() && r.shown(r.c.hexView).isEmpty());
        r.w->Terminal_clearCounters(terminal);
        QCOMPARE(r.received(), 0);
        QCOMPARE(r.status(), QStringLiteral("Counter has been cleared"));
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
        r.shown(r.c.hexView);
        QCOMPARE(r.c.hexView->document()->blockCount(), 2);
    }

    // The send rules as each terminal applies them; the counter takes only what left whole.
    void send_data()
    {
        QTest::addColumn<Terminal>("terminal");
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("hex");
        QTest::addColumn<QByteArray>("sent");
        QTest::newRow("serial-every-lf-becomes-crlf")
            << Terminal::Com << "AT\nOK" << false << QByteArray("AT\r\nOK");
        QTest::newRow("serial-hex") << Terminal::Com << "0x01, 0x02,0x03" << true
                                    << QByteArray::fromHex("010203");
        QTest::newRow("serial-port-gone") << Terminal::Com << "AT" << false << QByteArray();
        QTest::newRow("udp-final-lf-becomes-crlf") << Terminal::Udp << "ABC\n"
                                                   << false << QByteArray("ABC\r\n");
        QTest::newRow("udp-inner-lf-kept") << Terminal::Udp << "A\nB" << false << QByteArray("A\nB");
        QTest::newRow("tcp-final-lf-becomes-crlf") << Terminal::Tcp << "hi\n"
                                                   << false << QByteArray("hi\r\n");
        QTest::newRow("tcp-hex-tokens-not-paired")
            << Terminal::Tcp << "0x12 0x34" << true << QByteArray::fromHex("1234");
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
        hexBox(r)->setChecked(hex);
        r.c.sendBox->setPlainText(text);
        press(r.c.sendButton);
        QCOMPARE(r.farEndGets(qMax(1, int(sent.size())), sent.isEmpty() ? 300 : 2000), sent);
        QCOMPARE(r.c.sentCounter->intValue(), sent.size());
        if (sent.isEmpty()) // followed by the system's own reason
            QVERIFY(r.status().startsWith("Send failed: "));
    }

    void sendControls_data() { addTerminals(); }
    void sendControls()
    {
        QFETCH(Terminal, terminal);
        Rig r(terminal);
        QVERIFY(r.open());
        press(r.c.sendButton);
        QCOMPARE(r.status(), QStringLiteral("No Data"));
        r.c.keepBox->setChecked(true);
        QVERIFY(r.c.delayBox->isEnabled());
        QCOMPARE(r.status(), QStringLiteral("Enable Keep sending"));
        r.c.delayBox->setValue(40);
        // A bad hex token stops keep-sending at its first tick.
        hexBox(r)->setChecked(true);
        r.c.sendBox->setPlainText("zz");
        press(r.c.sendButton);
        QCOMPARE(r.c.sendButton->text(), QStringLiteral("Pause"));
        QCOMPARE(r.c.sendTimer->interval(), 40);
        QTRY_COMPARE(r.status(), QStringLiteral("The input data format is wrong!"));
        QCOMPARE(r.c.sendButton->text(), QStringLiteral("Send"));
        QVERIFY(!r.c.sendTimer->isActive());
        r.c.keepBox->setChecked(false);
        QCOMPARE(r.status(), QStringLiteral("Disable Keep sending"));
        r.w->Terminal_clearSend(terminal);
        QVERIFY(r.c.sendBox->toPlainText().isEmpty());
        QCOMPARE(r.status(), QStringLiteral("Send has been cleared"));
    }

    // Keep-sending pauses while the terminal is closed and resumes when it opens again.
    void keepSendingPausesWhileClosed_data()
    {
        QTest::addColumn<Terminal>("terminal");
        QTest::newRow("serial") << Terminal::Com;
        QTest::newRow("udp") << Terminal::Udp;
    }
    void keepSendingPausesWhileClosed()
    {
        QFETCH(Terminal, terminal);
        Rig r(terminal);
        QVERIFY(r.open());
        r.c.keepBox->setChecked(true);
        r.c.delayBox->setValue(20);
        r.c.sendBox->setPlainText("k");
        press(r.c.sendButton);
        QCOMPARE(r.farEndGets(1), QByteArray("k"));
        press(r.openButton());    // close
        r.farEndGets(1 << 20, 0); // what left before
        QSignalSpy ticks(r.c.sendTimer, &QTimer::timeout);
        QTRY_VERIFY(ticks.count() >= 5);
        QCOMPARE(r.farEndGets(1, 0), QByteArray());
        QVERIFY(r.open());
        QCOMPARE(r.farEndGets(1), QByteArray("k"));
        press(r.c.sendButton);
        QVERIFY(!r.c.sendTimer->isActive());
    }

    // A far end that stops reading: keep-sending skips its ticks rather than pile data up.
    void keepSendingBuildsNoBacklog_data()
    {
        QTest::addColumn<Terminal>("terminal");
        QTest::addColumn<int>("block");
        QTest::newRow("serial") << Terminal::Com << 1000;
        QTest::newRow("tcp") << Terminal::Tcp << 64 * 1024;
    }
    void keepSendingBuildsNoBacklog()
    {
        QFETCH(Terminal, terminal);
        QFETCH(int, block);
        Rig r(terminal);
        r.tcp.setReadBufferSize(1);
        QVERIFY(r.open());
        r.c.keepBox->setChecked(true);
        r.c.delayBox->setValue(10);
        r.c.sendBox->setPlainText(QString(block, QLatin1Char('q')));
        QSignalSpy ticks(r.c.sendTimer, &QTimer::timeout);
        press(r.c.sendButton);
        // Far more ticks than the kernel's buffers take.
        QTRY_VERIFY_WITH_TIMEOUT(ticks.count() >= 200, 10000);
        const QIODevice* out = terminal == Terminal::Com
                                   ? static_cast<QIODevice*>(r.w->Serial_thread->serialPort)
                                   : r.w->TCP_serverClients.value(0);
        QVERIFY2(out->bytesToWrite() <= block, qPrintable(QString::number(out->bytesToWrite())));
        press(r.c.sendButton);
    }

    // Export with nothing, a failing or cancelled save; Import of a missing and a good file.
    void exportAndImport_data() { addTerminals(); }
    void exportAndImport()
    {
        QFETCH(Terminal, terminal);
        Rig r(terminal);
        QTemporaryDir dir;
        r.w->Terminal_export(terminal);
        QCOMPARE(r.status(), QStringLiteral("No data need to save"));
        TerminalView::appendPlain(r.c.textView, "AB\nCD");
        const QString bad = dir.filePath("missing/out.txt");
        r.files->answers = {bad, QString()};
        r.w->Terminal_export(terminal);
        QVERIFY(r.status().startsWith("Save failed:Open file " + bad + " failed, can't save\n"));
        r.ui->statusBar->showMessage("kept");
        r.w->Terminal_export(terminal); // cancelled
        QCOMPARE(r.status(), QStringLiteral("kept"));
        QFile in(dir.filePath("in.txt"));
        QVERIFY(in.open(QIODevice::WriteOnly) && in.write("L1\r\nL2\r\n") == 8);
        in.close();
        r.c.sendBox->setPlainText("X");
        r.files->answers = {dir.filePath("nope.txt"), in.fileName()};
        r.w->Terminal_import(terminal);
        QCOMPARE(r.status(), QStringLiteral("Open failed: Failed to open this file, this may be due to "
                                            "insufficient permissions."));
        r.w->Terminal_import(terminal);
        QCOMPARE(r.status(), QStringLiteral("Success for read the data in the file"));
        QCOMPARE(r.c.sendBox->toPlainText(), QStringLiteral("XL1\nL2\n"));
    }
};

QTEST_MAIN(TestTerminalContract)
#include "tst_terminalcontract.moc"

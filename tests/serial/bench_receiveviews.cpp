// Receive views under floods from real peers, each run beside a reference reader of the
// same data in the same run (cat on the pty, socat). Prints the figures and the ratios, and
// the whole process's CPU; event-loop lateness (a 10 ms timer's delay) measures responsiveness.
// Run it on an X server (xvfb-run): offscreen nothing is composited, which hides what painting
// costs.
// PLAX_BENCH_SECONDS sets the serial stream's length (default 60).
#include <QApplication>
#include <QCheckBox>
#include <QFileInfo>
#include <QLCDNumber>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTextBlock>

#include <optional>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/ioctl.h>
#include <sys/socket.h>

#include "protocols/mqtttopic.h"
#include "serial/terminalformat.h"
#include "serial/threadserial.h"
#include "tests/common/benchhelpers.h"
#include "tests/common/consolerig.h"
#include "tests/common/cutecompeer.h"
#include "tests/common/freeport.h"
#include "tests/common/modalanswer.h"
#include "tests/common/peerprocess.h"
#include "tests/common/processcpu.h"
#include "widgets/logview.h"

namespace {

int loopbackSocket(int type, quint16 port)
{
    sockaddr_in to{};
    to.sin_family = AF_INET;
    to.sin_port = htons(port);
    to.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    const int fd = ::socket(AF_INET, type, 0);
    return ::connect(fd, reinterpret_cast<const sockaddr*>(&to), sizeof to) == 0 ? fd : -1;
}

void sendAll(quint16 port, const QByteArray& data)
{
    const int fd = loopbackSocket(SOCK_STREAM, port);
    ssize_t n = 1;
    for (qsizetype done = 0; fd >= 0 && done < data.size() && n > 0; done += n)
        n = ::send(fd, data.constData() + done, size_t(qMin<qsizetype>(data.size() - done, 65536)), 0);
    ::close(fd);
}

// Milliseconds for `cat` to read `data` from the pty's device side.
double catMs(PtyPair& pty, const QByteArray& data, int pauseUs)
{
    QProcess cat;
    cat.setStandardInputFile(pty.slavePath());
    cat.setStandardOutputFile(QProcess::nullDevice());
    cat.start("cat", {});
    cat.waitForStarted();
    QElapsedTimer clock;
    clock.start();
    writePaced(pty.masterFd(), data, pauseUs);
    int queued = 0; // the master's queue drains as cat reads it
    while (ioctl(pty.masterFd(), TIOCOUTQ, &queued) == 0 && queued > 0 && clock.elapsed() < 60000)
        usleep(200);
    const double ms = clock.nsecsElapsed() / 1e6;
    cat.kill();
    cat.waitForFinished();
    return ms;
}

} // namespace

class BenchReceiveViews : public QObject
{
    Q_OBJECT
private slots:
    // Each case: the tab opened with `open` gets `data` in its view, then the peer reads the same.
    void flood_data()
    {
        QTest::addColumn<QString>("tool");
        QTest::addColumn<QString>("open");
        QTest::addColumn<QString>("view");
        QTest::addColumn<QByteArray>("data");
        QTest::addColumn<int>("pauseUs"); // after each 1 KiB piece; 0 floods
        QByteArray bytes(2 << 20, 0);
        for (qsizetype i = 0; i < bytes.size(); ++i)
            bytes[i] = char(i * 7 + i / 251);
        const QByteArray env = "TEMP:25.50\r\n",
                         gga = "$GPGGA,123519,4807.038,N,01131.000,E,1,08,0.9,545.4,M,,,*47\r\n";
        const auto longLine = [](const QByteArray& r) {
            return r.repeated(50) + QByteArray(100000, 'x') + r.repeated(50) + "LAST\r\n";
        };
        // 921,600 baud with time stamps and hex on, for PLAX_BENCH_SECONDS (default 60).
        const int seconds = benchSeconds(60);
        QByteArray stream;
        for (int i = 0; stream.size() < seconds * 92160; ++i)
            stream += "$GPGGA,123519,4807.038,N,01131.000,E,1,08,0.9,545.4 " + QByteArray::number(i) + "\r\n";
        // clang-format off
        QTest::newRow("tcp-hex-flood 2 MiB") << "" << "TCPopencompushButton" << "TCP_HexTextBrowser" << bytes << 0;
        QTest::newRow("udp-burst 5000 x 16 B") << "" << "UDPopencompushButton" << "" << QByteArray(16, 'u') << 0;
        QTest::newRow("gps-serial-flood 3 MiB") << "GPS" << "GPSopencompushButton" << "GPStextBrowser"
            << QByteArray("0123456789ABCDEF").repeated(3 << 16) + "END" << 0;
        QTest::newRow("gps-tcp-flood 3 MiB") << "GPS" << "GPSTCPopencompushButton" << "GPStextBrowser"
            << QByteArray("0123456789ABCDEF").repeated(3 << 16) + "END" << 0;
        QTest::newRow("environment long line") << "Environment" << "ENVopencompushButton" << "ENV_StrTextBrowser" << longLine(env) << 1000;
        QTest::newRow("gps long line") << "GPS" << "GPSopencompushButton" << "GPStextBrowser" << longLine(gga) << 1000;
        QTest::newRow("mqtt 40 x 512 KiB") << "MQTT" << "" << "mqtt_textEdit" << QByteArray(512 * 1024, 'm') << 20000;
        QTest::newRow("gps 921600 baud NMEA") << "GPS" << "GPSopencompushButton" << "GPStextBrowser"
            << gga.repeated(int(stream.size() / gga.size())) << 11111;
        QTest::newRow("serial 921600 baud, stamps+hex") << "" << "opencompushButton" << "COM_HexTextBrowser" << stream << 11111;
        // clang-format on
    }
    void flood()
    {
        QFETCH(QString, tool);
        QFETCH(QString, open);
        QFETCH(QString, view);
        QFETCH(QByteArray, data);
        QFETCH(int, pauseUs);
        ConsoleRig r = tool.isEmpty() ? ConsoleRig() : ConsoleRig(tool);
        // The GPS tab's offline map page alerts once, at a time of its own: answered whenever it comes.
        std::optional<ModalAnswer> mapAlert;
        if (tool == "GPS")
            mapAlert.emplace(QString(), 600000);
        for (QCheckBox* box : {r.ui->TCP_HEXcheckBox, r.ui->HEXcheckBox, r.ui->showtime_checkBox})
            box->setChecked(true);
        r.w->show();
        QVERIFY(QTest::qWaitForWindowExposed(r.w.get()));
        // The GPS tab is current, so its map is in the window: the stream starts once the page
        // has loaded and settled, as when a user starts a device on a tab already open.
        if (tool == "GPS") {
            QVERIFY(runUntil([&] { return r.w->GPS_mapLoaded; }, 30000));
            runUntil([] { return false; }, 2000);
        }
        const quint16 port = open.startsWith("UDP") ? freeUdpPort() : freeTcpPort(), peerPort = freeUdpPort();
        r.ui->TCPServerPortlineEdit->setText(QString::number(port));
        r.ui->GPSTCPServerPortlineEdit->setText(QString::number(port));
        r.ui->UDPSenderPortlineEdit->setText(QString::number(port));
        r.ui->UDPFarPortlineEdit->setText(QString::number(peerPort + 1));
        auto* button = r.w->findChild<QPushButton*>(open);
        if (button)
            press(button);
        runUntil([] { return false; }, 300); // the window repaints what opening changed before the stream
        const bool tcp = open.startsWith("TCP") || open.startsWith("GPSTCP"), udp = open.startsWith("UDP"),
                   serial = !tcp && !udp && button;
        QVERIFY(!button || r.w->TCP_isOpen || r.w->UDP_isOpen || r.w->Serial_isOpen || r.w->GPS_tcpOpen);
        auto* shown = r.w->findChild<QPlainTextEdit*>(view);
        const auto tail = [shown] { // the view's last two lines, cheap to look at while a flood runs
            LogView::of(shown)->flush();
            return shown->document()->lastBlock().previous().text() + shown->document()->lastBlock().text();
        };
        QLCDNumber* udpCount = r.ui->UDPrecvbyteslcdNumber;
        QTemporaryDir dir;
        const QString got = dir.filePath("got"), toGot = "OPEN:" + got + ",creat,trunc";
        PeerProcess socat; // the UDP peer listens beside the terminal
        if (udp)
            QVERIFY(socat.startWaitingForText(
                "socat", {"-u", "-d", "-d", QString("UDP-RECV:%1,bind=127.0.0.1").arg(peerPort), toGot},
                "starting data transfer loop"));
        std::atomic<qint64> received{0};
        if (serial)
            connect(r.w->Serial_thread, &ThreadSerial::Serial_read_Data, this,
                    [&received](const QByteArray& d) { received += d.size(); });
        // What the view must end with: the newest 64 KiB, as hex in the TCP terminal, as text in the GPS tab.
        const QString tailHex = open.startsWith("TCP") ? TerminalFormat::hexNetwork(data.right(64 * 1024))
                                                       : QString::fromLatin1(data.right(64 * 1024));
        // The feed runs on its own thread while the GUI thread runs until the data is shown.
        const double cpu0 = processTreeCpuSeconds(getpid());
        LatenessProbe probe;
        std::thread feeder([&] {
            if (tcp)
                sendAll(port, data);
            if (udp) {
                const int fds[] = {loopbackSocket(SOCK_DGRAM, port), loopbackSocket(SOCK_DGRAM, peerPort)};
                for (int i = 0; i < 5000; ++i)
                    for (int fd : fds)
                        ::send(fd, data.constData(), data.size(), 0);
                for (int fd : fds)
                    ::close(fd);
            }
            if (serial)
                writePaced(r.pty.masterFd(), data, pauseUs);
            for (int i = 0; !button && i < 40; ++i, usleep(pauseUs))
                QMetaObject::invokeMethod(r.w.get(), [&] {
                    r.w->Quenlix_Mqtt_onMessage(data, MqttTopicName("bench/big"));
                    ++received;
                });
        });
        const bool done = runUntil(
            [&] {
                return tcp   ? tail().endsWith(tailHex.right(600))
                       : udp ? udpCount->intValue() >= 5000 * data.size()
                             : received == (serial ? data.size() : 40);
            },
            udp ? 3000 : pauseUs * data.size() / 1000000 + 120000);
        const double ms = probe.clock.nsecsElapsed() / 1e6;
        const double cpuPercent = 100 * (processTreeCpuSeconds(getpid()) - cpu0) / (ms / 1000);
        feeder.join();
        probe.timer.stop();
        const QString held = view.isEmpty() ? QString() : LogView::of(r.w->findChild<QWidget*>(view))->text();
        if (udp) {
            const qint64 peerBytes = QFileInfo(got).size();
            qInfo(
                "%s: terminal %d B, socat %lld B, ratio %.2f (at least 0.90); process CPU %.0f %%; lateness "
                "over %lld ticks worst %lld ms",
                QTest::currentDataTag(), udpCount->intValue(), peerBytes,
                double(udpCount->intValue()) / qMax<qint64>(1, peerBytes), cpuPercent,
                qint64(probe.late.size()), probe.worst());
            QVERIFY(udpCount->intValue() >= peerBytes * 9 / 10);
            return;
        }
        // The reference reader: the same bytes into socat, or into cat on the same pty.
        double peerMs = 0;
        if (tcp) {
            const quint16 socatPort = freeTcpPort();
            QVERIFY(socat.startWaitingForText(
                "socat", {"-u", "-d", "-d", QString("TCP-LISTEN:%1,bind=127.0.0.1").arg(socatPort), toGot},
                "listening on"));
            QElapsedTimer clock;
            clock.start();
            sendAll(socatPort, data);
            runUntil([&] { return QFileInfo(got).size() >= data.size(); }, 60000);
            peerMs = clock.nsecsElapsed() / 1e6;
        } else if (serial) {
            press(button); // closes: the peer reads next
            if (pauseUs == 0)
                peerMs = catMs(r.pty, data, pauseUs);
        }
        const double mb = data.size() / 1e3;
        QString peer = peerMs <= 0
                           ? QString("no peer")
                           : QString::asprintf("%s %.0f ms (%.1f MB/s), time ratio %.2f",
                                               tcp ? "socat" : "cat", peerMs, mb / peerMs, ms / peerMs);
        // A paced stream takes as long in any reader: cutecom showing it measures the same work.
        CuteCom cutecom;
        if (serial && pauseUs > 0 && CuteCom::available() &&
            cutecom.start(r.pty.slavePath(), open == "opencompushButton", open == "opencompushButton")) {
            const double before = processTreeCpuSeconds(cutecom.pid());
            QElapsedTimer clock;
            clock.start();
            writePaced(r.pty.masterFd(), data, pauseUs);
            int queued = 0;
            while (ioctl(r.pty.masterFd(), TIOCOUTQ, &queued) == 0 && queued > 0 && clock.elapsed() < 60000)
                usleep(200);
            const double cuteCpu =
                100 * (processTreeCpuSeconds(cutecom.pid()) - before) / (clock.elapsed() / 1000.0);
            peer = QString::asprintf("cutecom process CPU %.1f %%, CPU ratio %.2f", cuteCpu,
                                     cpuPercent / qMax(0.01, cuteCpu));
        }
        qInfo("%s: tab %.0f ms (%.1f MB/s), %s; process CPU %.0f %%; lateness over %lld ticks worst %lld ms, "
              "p99 %lld ms; view %lld chars (budget %d); RSS %lld kB",
              QTest::currentDataTag(), ms, mb / ms, qPrintable(peer), cpuPercent, qint64(probe.late.size()),
              probe.worst(), probe.p99(), qint64(held.size()), LogView::budget, residentKb());
        QVERIFY(done && held.size() <= LogView::budget * 3 / 2);
        QString bare = held;
        bare.remove(QRegularExpression("\\[\\d\\d:\\d\\d:\\d\\d\\.\\d\\d\\d\\]")).remove(QLatin1Char('\n'));
        if (tcp) // the newest 64 KiB exactly, in the TCP terminal's hex or the GPS tab's text
            QVERIFY(bare.endsWith(tailHex));
        if (open == "opencompushButton") // a stamped chunk shows its line breaks as blanks
            QVERIFY(bare.endsWith(TerminalFormat::hexSerial(data.right(20000)).replace('\n', ' ')));
    }

    // A UDP flood from two senders for PLAX_BENCH_SECONDS (default 60), half of it to socat in
    // the same run: the window must stay responsive for as long as it lasts (a 10 ms timer
    // never more than 250 ms late), in every quarter of the run.
    void udpFloodStaysResponsive()
    {
        const int seconds = benchSeconds(60);
        ConsoleRig r;
        r.w->show();
        const quint16 port = freeUdpPort(), peerPort = freeUdpPort();
        r.ui->UDPSenderPortlineEdit->setText(QString::number(port));
        r.ui->UDPFarPortlineEdit->setText(QString::number(peerPort + 1));
        press(r.ui->UDPopencompushButton);
        QVERIFY(r.w->UDP_isOpen);
        QTemporaryDir dir;
        PeerProcess socat;
        QVERIFY(
            socat.startWaitingForText("socat",
                                      {"-u", "-d", "-d", QString("UDP-RECV:%1,bind=127.0.0.1").arg(peerPort),
                                       "OPEN:" + dir.filePath("got") + ",creat,trunc"},
                                      "starting data transfer loop"));
        // The counter saturates at 99999: it is read and cleared often.
        qint64 shown = 0;
        const auto takeCount = [&] {
            shown += r.ui->UDPrecvbyteslcdNumber->intValue();
            r.w->Terminal_clearCounters(MainWindow::Terminal::Udp);
        };
        QTimer counting;
        connect(&counting, &QTimer::timeout, this, takeCount);
        counting.start(10);
        std::atomic<bool> stop{false};
        std::atomic<qint64> sent{0};
        std::thread feeder([&] {
            const QByteArray datagram = QByteArray("flood 0123456789 ").repeated(30);
            const int senders[] = {loopbackSocket(SOCK_DGRAM, port), loopbackSocket(SOCK_DGRAM, port),
                                   loopbackSocket(SOCK_DGRAM, peerPort)};
            while (!stop) {
                for (int fd : senders)
                    ::send(fd, datagram.constData(), size_t(datagram.size()), 0);
                sent += datagram.size();
                usleep(200);
            }
            for (int fd : senders)
                ::close(fd);
        });
        LatenessProbe probe;
        QList<qint64> worstByQuarter;
        for (int quarter = 0; quarter < 4; ++quarter) {
            const qsizetype from = probe.late.size();
            runUntil([] { return false; }, seconds * 250);
            const QList<qint64> part = probe.late.mid(from);
            worstByQuarter << (part.isEmpty() ? 0 : *std::max_element(part.begin(), part.end()));
        }
        stop = true;
        feeder.join();
        probe.timer.stop();
        runUntil([] { return false; }, 500);
        counting.stop();
        takeCount();
        const qint64 peerBytes = QFileInfo(dir.filePath("got")).size();
        qInfo("udp flood %d s: terminal %lld B from two senders, socat %lld B from one, ratio %.2f; lateness "
              "worst %lld ms, p99 %lld ms; worst by quarter %lld/%lld/%lld/%lld ms (below 250)",
              seconds, shown, peerBytes, double(shown) / 2 / qMax<qint64>(1, peerBytes), probe.worst(),
              probe.p99(), worstByQuarter[0], worstByQuarter[1], worstByQuarter[2], worstByQuarter[3]);
        QVERIFY(probe.worst() < 250);
        QVERIFY(shown / 2 >= peerBytes * 9 / 10); // and it keeps reading
    }
};

int main(int argc, char** argv)
{
    qputenv("QTEST_FUNCTION_TIMEOUT", "7200000");
    QApplication app(argc, argv);
    BenchReceiveViews bench;
    return QTest::qExec(&bench, argc, argv);
}
#include "bench_receiveviews.moc"

// Receive views under floods from real peers, each run beside a reference reader of
// the same data in the same run (cat on the pty, socat). Prints the figures and the
// ratios; event-loop lateness (a 10 ms timer's delay) measures responsiveness.
// PLAX_BENCH_SECONDS sets the serial stream's length (default 60).
#include <QApplication>
#include <QCheckBox>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QLCDNumber>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTextBlock>
#include <QTextEdit>
#include <QTimer>

#include <algorithm>
#include <atomic>
#include <functional>
#include <thread>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/ioctl.h>
#include <sys/socket.h>
#include <unistd.h>

#include "protocols/mqtttopic.h"
#include "serial/terminalformat.h"
#include "serial/threadserial.h"
#include "tests/common/consolerig.h"
#include "tests/common/freeport.h"
#include "tests/common/modalanswer.h"
#include "tests/common/peerprocess.h"
#include "widgets/logview.h"

namespace {

qint64 residentKb()
{
    QFile f("/proc/self/statm");
    return f.open(QIODevice::ReadOnly)
               ? f.readAll().split(' ').value(1).toLongLong() * sysconf(_SC_PAGESIZE) / 1024
               : -1;
}

// Lateness of a 10 ms timer on the GUI thread while it lives.
struct Probe
{
    QElapsedTimer clock;
    qint64 last = 0;
    QList<qint64> late;
    QTimer timer;
    Probe()
    {
        clock.start();
        timer.setTimerType(Qt::PreciseTimer);
        QObject::connect(&timer, &QTimer::timeout, [this] {
            late << qMax<qint64>(0, clock.elapsed() - last - 10);
            last = clock.elapsed();
        });
        timer.start(10);
    }
    qint64 worst() const { return late.isEmpty() ? 0 : *std::max_element(late.begin(), late.end()); }
    qint64 p99() const
    {
        QList<qint64> s = late;
        std::sort(s.begin(), s.end());
        return s.isEmpty() ? 0 : s.at(s.size() * 99 / 100);
    }
};

// Waits, running the event loop, until `done` or the time is up.
bool waitFor(const std::function<bool()>& done, int timeoutMs)
{
    QElapsedTimer clock;
    clock.start();
    while (!done() && clock.elapsed() < timeoutMs)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    return done();
}

int loopbackSocket(int type, quint16 port)
{
    sockaddr_in to{};
    to.sin_family = AF_INET;
    to.sin_port = htons(port);
    to.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    const int fd = ::socket(AF_INET, type, 0);
    return ::connect(fd, reinterpret_cast<const sockaddr*>(&to), sizeof to) == 0 ? fd : -1;
}

void sendAll(int fd, const QByteArray& data)
{
    for (qsizetype done = 0; fd >= 0 && done < data.size();) {
        const ssize_t n =
            ::send(fd, data.constData() + done, size_t(qMin<qsizetype>(data.size() - done, 65536)), 0);
        if (n <= 0)
            break;
        done += n;
    }
}

// Writes all of `data` to the pty master (non-blocking) from the calling thread.
void writeAll(PtyPair& pty, const QByteArray& data, const std::atomic<bool>* stop = nullptr)
{
    for (qsizetype done = 0; done < data.size() && !(stop && *stop);) {
        const qint64 n = pty.write(data.mid(done, 4096));
        n > 0 ? void(done += n) : void(usleep(200));
    }
}

// Milliseconds for `cat` to read `data` from the pty's device side.
double catMs(PtyPair& pty, const QByteArray& data)
{
    QProcess cat;
    cat.setStandardInputFile(pty.slavePath());
    cat.setStandardOutputFile(QProcess::nullDevice());
    cat.start("cat", {});
    cat.waitForStarted();
    QElapsedTimer clock;
    clock.start();
    writeAll(pty, data);
    // The master's queue drains as cat reads it.
    int queued = 0;
    do {
        ioctl(pty.masterFd(), TIOCOUTQ, &queued);
    } while (queued > 0 && clock.elapsed() < 60000 && (usleep(200), true));
    const double ms = clock.nsecsElapsed() / 1e6;
    cat.kill();
    cat.waitForFinished();
    return ms;
}

// The view's last two lines, cheap to look at while a flood runs.
QString tail(QPlainTextEdit* view)
{
    LogView::of(view)->flush();
    const QTextBlock last = view->document()->lastBlock();
    return last.previous().text() + last.text();
}

QString bare(QString text)
{
    return text.remove(QLatin1Char('\n'));
}

} // namespace

class BenchReceiveViews : public QObject
{
    Q_OBJECT
private slots:
    void tcpHexFlood()
    {
        ConsoleRig r;
        r.ui->TCP_HEXcheckBox->setChecked(true);
        r.w->show();
        const quint16 port = freeTcpPort();
        r.ui->TCPServerPortlineEdit->setText(QString::number(port));
        r.w->TCPopencompushButton_triggered();
        QVERIFY(r.w->TCP_isOpen);
        QByteArray data(2 << 20, 0);
        for (qsizetype i = 0; i < data.size(); ++i)
            data[i] = char(i * 7 + i / 251);
        const QString tailHex = TerminalFormat::hexNetwork(data.right(64 * 1024));
        Probe probe;
        QElapsedTimer clock;
        clock.start();
        std::thread peer([&] {
            const int fd = loopbackSocket(SOCK_STREAM, port);
            sendAll(fd, data);
            ::close(fd);
        });
        LogView* hex = LogView::of(r.ui->TCP_HexTextBrowser);
        const bool shown =
            waitFor([&] { return tail(r.ui->TCP_HexTextBrowser).endsWith(tailHex.right(600)); }, 120000);
        const double termMs = clock.nsecsElapsed() / 1e6;
        peer.join();
        const QString held = bare(hex->text());
        // The same bytes into socat, timed until its file holds them all.
        QTemporaryDir dir;
        const quint16 port2 = freeTcpPort();
        PeerProcess socat;
        QVERIFY(
            socat.startWaitingForText("socat",
                                      {"-d", "-d", "-u", QString("TCP-LISTEN:%1,bind=127.0.0.1").arg(port2),
                                       "OPEN:" + dir.filePath("got") + ",creat,trunc"},
                                      "listening on"));
        clock.restart();
        const int fd = loopbackSocket(SOCK_STREAM, port2);
        sendAll(fd, data);
        ::close(fd);
        waitFor([&] { return QFileInfo(dir.filePath("got")).size() >= data.size(); }, 60000);
        const double socatMs = clock.nsecsElapsed() / 1e6;
        qInfo("tcp-hex-flood 2 MiB: terminal %.0f ms, socat %.0f ms, time ratio %.1f; worst lateness %lld ms "
              "(limit 250); view holds %lld hex chars, last 64 KiB exact: %s",
              termMs, socatMs, termMs / socatMs, probe.worst(), qint64(held.size()),
              held.endsWith(tailHex) ? "yes" : "NO");
        QVERIFY(shown && held.endsWith(tailHex));
    }

    void udpBurst()
    {
        ConsoleRig r;
        const quint16 port = freeUdpPort(), socatPort = freeUdpPort();
        r.ui->UDPSenderPortlineEdit->setText(QString::number(port));
        r.ui->UDPFarPortlineEdit->setText(QString::number(socatPort + 1));
        r.w->UDPopencompushButton_triggered();
        QVERIFY(r.w->UDP_isOpen);
        QTemporaryDir dir;
        PeerProcess socat;
        QVERIFY(
            socat.startWaitingForText("socat",
                                      {"-d", "-d", "-u", QString("UDP-RECV:%1,bind=127.0.0.1").arg(socatPort),
                                       "OPEN:" + dir.filePath("got") + ",creat,trunc"},
                                      "starting data transfer loop"));
        Probe probe;
        std::thread peer([&] {
            const int a = loopbackSocket(SOCK_DGRAM, port), b = loopbackSocket(SOCK_DGRAM, socatPort);
            const QByteArray d(16, 'u');
            for (int i = 0; i < 5000; ++i) {
                ::send(a, d.constData(), 16, 0);
                ::send(b, d.constData(), 16, 0);
            }
            ::close(a);
            ::close(b);
        });
        QLCDNumber* counter = r.ui->UDPrecvbyteslcdNumber;
        waitFor([&] { return counter->intValue() >= 80000; }, 3000);
        peer.join();
        const qint64 socatBytes = QFileInfo(dir.filePath("got")).size();
        socat.stop();
        qInfo("udp-burst 5000 x 16 B: terminal %d B, socat %lld B, ratio %.2f (at least 0.90); worst "
              "lateness %lld ms",
              counter->intValue(), socatBytes, double(counter->intValue()) / qMax<qint64>(1, socatBytes),
              probe.worst());
        QVERIFY(counter->intValue() >= socatBytes * 9 / 10);
    }

    // 3 MiB without a line end into the GPS tab's serial port, then into cat on the same pty.
    void gpsFloodWithoutLineEnds()
    {
        ConsoleRig r("GPS");
        ModalAnswer mapAlert(QString(), 15000); // the offline map page's alert
        r.w->show();
        r.w->GPSactionOpen_triggered();
        QVERIFY(r.w->Serial_isOpen);
        const QByteArray data = QByteArray("0123456789ABCDEF").repeated(3 << 16) + "END";
        LogView* log = LogView::of(r.ui->GPStextBrowser);
        Probe probe;
        QElapsedTimer clock;
        clock.start();
        std::thread peer([&] { writeAll(r.pty, data); });
        const bool shown = waitFor([&] { return tail(r.ui->GPStextBrowser).endsWith("END"); }, 120000);
        const double termMs = clock.nsecsElapsed() / 1e6;
        peer.join();
        const qsizetype held = log->text().size();
        r.w->GPSactionOpen_triggered(); // close: cat reads next
        const double cat = catMs(r.pty, data);
        qInfo("gps-serial-flood 3 MiB: tab %.0f ms (%.1f MB/s), cat %.0f ms (%.1f MB/s), rate ratio %.2f (at "
              "least "
              "0.5); worst lateness %lld ms; view %lld chars (budget %d)",
              termMs, data.size() / termMs / 1e3, cat, data.size() / cat / 1e3, cat / termMs, probe.worst(),
              qint64(held), LogView::budget);
        QVERIFY(shown && held <= LogView::budget * 3 / 2 + LogView::lineWidth);
    }

    // A 100,000-character line among ordinary records, in the Environment and GPS tabs.
    void longLineAmongRecords_data()
    {
        QTest::addColumn<QString>("tool");
        QTest::newRow("environment") << "Environment";
        QTest::newRow("gps") << "GPS";
    }
    void longLineAmongRecords()
    {
        QFETCH(QString, tool);
        ConsoleRig r(tool);
        ModalAnswer mapAlert(QString(), 15000); // the GPS tab's offline map page alerts once
        r.w->show();
        const bool env = tool == "Environment";
        env ? r.w->ENVactionOpen_triggered() : r.w->GPSactionOpen_triggered();
        QVERIFY(r.w->Serial_isOpen);
        const QByteArray record =
            env ? "TEMP:25.50\r\n" : "$GPGGA,123519,4807.038,N,01131.000,E,1,08,0.9,545.4,M,,,*47\r\n";
        const QByteArray data =
            record.repeated(50) + QByteArray(100000, 'x') + record.repeated(50) + "LAST\r\n";
        QPlainTextEdit* view = env ? r.ui->ENV_StrTextBrowser : r.ui->GPStextBrowser;
        Probe probe;
        std::thread peer([&] {
            for (qsizetype i = 0; i < data.size(); i += 1024) {
                writeAll(r.pty, data.mid(i, 1024));
                usleep(1000);
            }
        });
        const bool shown = waitFor([&] { return tail(view).contains("LAST"); }, 30000);
        peer.join();
        qInfo("%s long line: worst lateness %lld ms (limit 150), later records shown: %s", qPrintable(tool),
              probe.worst(), shown ? "yes" : "NO");
        QVERIFY(shown);
    }

    // 40 messages of 512 KiB into the MQTT log (the client's message path, without a broker).
    void mqttHugeMessages()
    {
        ConsoleRig r("MQTT");
        r.w->show();
        Probe probe;
        const QByteArray message(512 * 1024, 'm');
        int sent = 0;
        QTimer feed;
        connect(&feed, &QTimer::timeout, this, [&] {
            if (sent++ < 40)
                r.w->Quenlix_Mqtt_onMessage(message, MqttTopicName("bench/big"));
        });
        feed.start(20);
        waitFor([&] { return sent > 40; }, 60000);
        const qsizetype held = LogView::of(r.ui->mqtt_textEdit)->text().size();
        qInfo("mqtt 40 x 512 KiB: log %lld chars (budget %d), worst lateness %lld ms, RSS %lld kB",
              qint64(held), LogView::budget, probe.worst(), residentKb());
        QVERIFY(held <= LogView::budget * 3 / 2 + LogView::lineWidth);
    }

    // 921,600 baud from a paced writer with time stamps and hex on.
    void serialStream921600()
    {
        const int seconds = qEnvironmentVariableIsSet("PLAX_BENCH_SECONDS")
                                ? qEnvironmentVariableIntValue("PLAX_BENCH_SECONDS")
                                : 60;
        ConsoleRig t;
        t.ui->showtime_checkBox->setChecked(true);
        t.ui->HEXcheckBox->setChecked(true);
        t.w->show();
        t.w->actionOpen_triggered();
        QVERIFY(t.w->Serial_isOpen);
        qint64 received = 0;
        connect(t.w->Serial_thread, &ThreadSerial::Serial_read_Data, this,
                [&received](const QByteArray& d) { received += d.size(); });
        QByteArray period;
        for (int i = 0; period.size() < (1 << 16); ++i)
            period += "$GPGGA,123519,4807.038,N,01131.000,E,1,08,0.9,545.4 " + QByteArray::number(i) + "\r\n";
        std::atomic<bool> stop{false};
        std::atomic<qint64> written{0};
        std::thread writer([&] {
            QElapsedTimer clock;
            clock.start();
            while (!stop) {
                const qint64 due = clock.elapsed() * 92160 / 1000;
                while (written < due && !stop) {
                    const qint64 at = written % period.size();
                    const qint64 n =
                        t.pty.write(period.mid(at, qMin<qint64>(due - written, period.size() - at)));
                    written += qMax<qint64>(0, n);
                }
                usleep(10000);
            }
        });
        Probe probe;
        QStringList memory;
        for (int s = 0; s < seconds; ++s) {
            QTest::qWait(1000);
            if (s % qMax(1, seconds / 10) == 0)
                memory << QString::number(residentKb());
        }
        stop = true;
        writer.join();
        waitFor([&] { return received == written; }, 10000);
        // The hex view without its stamps ends with the hex of what was written last.
        QString held = LogView::of(t.ui->COM_HexTextBrowser)->text();
        held.remove(QRegularExpression("\\[\\d\\d:\\d\\d:\\d\\d\\.\\d\\d\\d\\]")).remove(QLatin1Char('\n'));
        const qint64 at = written % period.size();
        const QByteArray last = (period + period).mid(at + period.size() - 20000, 20000);
        // A stamped chunk shows its line breaks as blanks.
        const bool exact =
            held.endsWith(TerminalFormat::hexSerial(last).replace(QLatin1Char('\n'), QLatin1Char(' ')));
        memory << QString::number(residentKb());
        qInfo("serial 921600 baud, stamps+hex, %d s: written %lld, counted %lld (ratio %.4f), lateness p99 "
              "%lld ms "
              "(limit 50) worst %lld ms, hex view exact: %s, RSS kB %s",
              seconds, qint64(written), received, double(received) / qMax<qint64>(1, written), probe.p99(),
              probe.worst(), exact ? "yes" : "NO", qPrintable(memory.join(' ')));
        QVERIFY(received == written && exact);
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

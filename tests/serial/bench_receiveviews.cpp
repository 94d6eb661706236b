// Receive views under floods from real peers, each run beside a reference reader of the
// same data in the same run (cat on the pty, socat). Prints the figures and the ratios;
// event-loop lateness (a 10 ms timer's delay) measures responsiveness.
// PLAX_BENCH_SECONDS sets the serial stream's length (default 60).
#include <QApplication>
#include <QCheckBox>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QLCDNumber>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTextBlock>
#include <QTimer>

#include <algorithm>
#include <atomic>
#include <functional>
#include <optional>
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

enum class Link { Tcp, Udp, Serial, Mqtt };

qint64 residentKb()
{
    QFile f("/proc/self/statm");
    return f.open(QIODevice::ReadOnly)
               ? f.readAll().split(' ').value(1).toLongLong() * sysconf(_SC_PAGESIZE) / 1024
               : -1;
}

// Runs the event loop until `done` or the time is up.
bool waitFor(const std::function<bool()>& done, int timeoutMs)
{
    QElapsedTimer clock;
    clock.start();
    while (!done() && clock.elapsed() < timeoutMs)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    return done();
}

struct Figures
{
    double ms = 0;
    qint64 worst = 0, p99 = 0;
    bool done = false;
};

// The one measuring harness: `feed` runs on its own thread while the GUI thread runs
// until `done`; a 10 ms timer's lateness is sampled all along.
Figures measure(const std::function<void()>& feed, const std::function<bool()>& done, int timeoutMs)
{
    QElapsedTimer clock;
    clock.start();
    QList<qint64> late;
    qint64 last = 0;
    QTimer probe;
    probe.setTimerType(Qt::PreciseTimer);
    QObject::connect(&probe, &QTimer::timeout, [&] {
        late << qMax<qint64>(0, clock.elapsed() - last - 10);
        last = clock.elapsed();
    });
    probe.start(10);
    std::thread feeder(feed);
    Figures f;
    f.done = waitFor(done, timeoutMs);
    f.ms = clock.nsecsElapsed() / 1e6;
    feeder.join();
    std::sort(late.begin(), late.end());
    if (!late.isEmpty()) {
        f.worst = late.last();
        f.p99 = late.at(late.size() * 99 / 100);
    }
    return f;
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

void sendAll(quint16 port, const QByteArray& data)
{
    const int fd = loopbackSocket(SOCK_STREAM, port);
    for (qsizetype done = 0; fd >= 0 && done < data.size();) {
        const ssize_t n =
            ::send(fd, data.constData() + done, size_t(qMin<qsizetype>(data.size() - done, 65536)), 0);
        if (n <= 0)
            break;
        done += n;
    }
    ::close(fd);
}

// Writes `data` to the pty's device side in 1 KiB pieces, pausing `pauseUs` between them.
void writeAll(PtyPair& pty, const QByteArray& data, int pauseUs = 0)
{
    for (qsizetype done = 0; done < data.size();) {
        const qint64 n = pty.write(data.mid(done, 1024));
        n > 0 ? void(done += n) : void(usleep(200));
        if (pauseUs > 0)
            usleep(pauseUs);
    }
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
    writeAll(pty, data, pauseUs);
    int queued = 0; // the master's queue drains as cat reads it
    do {
        ioctl(pty.masterFd(), TIOCOUTQ, &queued);
    } while (queued > 0 && clock.elapsed() < 60000 && (usleep(200), true));
    const double ms = clock.nsecsElapsed() / 1e6;
    cat.kill();
    cat.waitForFinished();
    return ms;
}

// A socat that writes what it receives on `address` into `file`.
bool startSocat(PeerProcess& socat, const QString& address, const QString& file, const QByteArray& ready)
{
    return socat.startWaitingForText("socat", {"-d", "-d", "-u", address, "OPEN:" + file + ",creat,trunc"},
                                     ready);
}

// The view's last two lines, cheap to look at while a flood runs.
QString tail(QPlainTextEdit* view)
{
    LogView::of(view)->flush();
    const QTextBlock last = view->document()->lastBlock();
    return last.previous().text() + last.text();
}

} // namespace

Q_DECLARE_METATYPE(Link)

class BenchReceiveViews : public QObject
{
    Q_OBJECT
private slots:
    // Each case: the tab's view gets `data`, then the peer reads the same.
    void flood_data()
    {
        QTest::addColumn<Link>("link");
        QTest::addColumn<QString>("tool"); // ConsoleRig's only tool; empty: the terminals
        QTest::addColumn<QString>("view");
        QTest::addColumn<QByteArray>("data");
        QTest::addColumn<int>("pauseUs"); // between pieces; 0 floods
        QByteArray bytes(2 << 20, 0);
        for (qsizetype i = 0; i < bytes.size(); ++i)
            bytes[i] = char(i * 7 + i / 251);
        const QByteArray env = "TEMP:25.50\r\n",
                         gga = "$GPGGA,123519,4807.038,N,01131.000,E,1,08,0.9,545.4,M,,,*47\r\n";
        const auto longLine = [](const QByteArray& r) {
            return r.repeated(50) + QByteArray(100000, 'x') + r.repeated(50) + "LAST\r\n";
        };
        // clang-format off
        QTest::newRow("tcp-hex-flood 2 MiB") << Link::Tcp << "" << "TCP_HexTextBrowser" << bytes << 0;
        QTest::newRow("udp-burst 5000 x 16 B") << Link::Udp << "" << "" << QByteArray(16, 'u') << 0;
        QTest::newRow("gps-serial-flood 3 MiB") << Link::Serial << "GPS" << "GPStextBrowser"
            << QByteArray("0123456789ABCDEF").repeated(3 << 16) + "END" << 0;
        QTest::newRow("environment long line") << Link::Serial << "Environment" << "ENV_StrTextBrowser" << longLine(env) << 1000;
        QTest::newRow("gps long line") << Link::Serial << "GPS" << "GPStextBrowser" << longLine(gga) << 1000;
        QTest::newRow("mqtt 40 x 512 KiB") << Link::Mqtt << "MQTT" << "mqtt_textEdit" << QByteArray(512 * 1024, 'm') << 20000;
        // clang-format on
    }
    void flood()
    {
        QFETCH(Link, link);
        QFETCH(QString, tool);
        QFETCH(QString, view);
        QFETCH(QByteArray, data);
        QFETCH(int, pauseUs);
        ConsoleRig r = tool.isEmpty() ? ConsoleRig() : ConsoleRig(tool);
        // The GPS tab's offline map page alerts once, at a time of its own: answered whenever it comes.
        std::optional<ModalAnswer> mapAlert;
        if (tool == "GPS")
            mapAlert.emplace(QString(), 600000);
        r.w->show();
        auto* shown = r.w->findChild<QPlainTextEdit*>(view);
        QLCDNumber* udpCount = r.ui->UDPrecvbyteslcdNumber;
        const quint16 port = link == Link::Udp ? freeUdpPort() : freeTcpPort(), peerPort = freeUdpPort();
        QTemporaryDir dir;
        const QString got = dir.filePath("got");
        PeerProcess socat; // the UDP peer listens beside the terminal
        std::atomic<int> messages{0};
        std::function<void()> feed;
        std::function<bool()> done;
        const QString tailHex = TerminalFormat::hexNetwork(data.right(64 * 1024));
        if (link == Link::Tcp) {
            r.ui->TCP_HEXcheckBox->setChecked(true);
            r.ui->TCPServerPortlineEdit->setText(QString::number(port));
            r.w->TCPopencompushButton_triggered();
            QVERIFY(r.w->TCP_isOpen);
            feed = [&] { sendAll(port, data); };
            done = [&] { return tail(shown).endsWith(tailHex.right(600)); };
        } else if (link == Link::Udp) {
            r.ui->UDPSenderPortlineEdit->setText(QString::number(port));
            r.ui->UDPFarPortlineEdit->setText(QString::number(peerPort + 1));
            r.w->UDPopencompushButton_triggered();
            QVERIFY(r.w->UDP_isOpen);
            QVERIFY(startSocat(socat, QString("UDP-RECV:%1,bind=127.0.0.1").arg(peerPort), got,
                               "starting data transfer loop"));
            feed = [&] {
                const int a = loopbackSocket(SOCK_DGRAM, port), b = loopbackSocket(SOCK_DGRAM, peerPort);
                for (int i = 0; i < 5000; ++i) {
                    ::send(a, data.constData(), data.size(), 0);
                    ::send(b, data.constData(), data.size(), 0);
                }
                ::close(a);
                ::close(b);
            };
            done = [&] { return udpCount->intValue() >= 5000 * data.size(); };
        } else if (link == Link::Serial) {
            tool == "GPS" ? r.w->GPSactionOpen_triggered() : r.w->ENVactionOpen_triggered();
            QVERIFY(r.w->Serial_isOpen);
            feed = [&] { writeAll(r.pty, data, pauseUs); };
            done = [&] { return tail(shown).contains(data.right(8).trimmed()); }; // the last record
        } else {
            feed = [&] {
                for (int i = 0; i < 40; ++i, usleep(pauseUs))
                    QMetaObject::invokeMethod(r.w.get(), [&] {
                        r.w->Quenlix_Mqtt_onMessage(data, MqttTopicName("bench/big"));
                        ++messages;
                    });
            };
            done = [&] { return messages == 40; };
        }
        const Figures f = measure(feed, done, link == Link::Udp ? 3000 : 120000);
        const QString held = view.isEmpty() ? QString() : LogView::of(r.w->findChild<QWidget*>(view))->text();
        // The reference reader: time for the same bytes, or for UDP the bytes it kept.
        double peerMs = 0;
        if (link == Link::Tcp) {
            const quint16 socatPort = freeTcpPort();
            QVERIFY(startSocat(socat, QString("TCP-LISTEN:%1,bind=127.0.0.1").arg(socatPort), got,
                               "listening on"));
            QElapsedTimer clock;
            clock.start();
            sendAll(socatPort, data);
            waitFor([&] { return QFileInfo(got).size() >= data.size(); }, 60000);
            peerMs = clock.nsecsElapsed() / 1e6;
        } else if (link == Link::Serial) {
            tool == "GPS" ? r.w->GPSactionOpen_triggered()
                          : r.w->ENVactionOpen_triggered(); // close: cat reads next
            peerMs = catMs(r.pty, data, pauseUs);
        }
        const double mb = data.size() / 1e3;
        if (link == Link::Udp) {
            const qint64 peerBytes = QFileInfo(got).size();
            qInfo("%s: terminal %d B, socat %lld B, ratio %.2f (at least 0.90); lateness worst %lld ms",
                  QTest::currentDataTag(), udpCount->intValue(), peerBytes,
                  double(udpCount->intValue()) / qMax<qint64>(1, peerBytes), f.worst);
            QVERIFY(udpCount->intValue() >= peerBytes * 9 / 10);
            return;
        }
        const QString peer = peerMs <= 0 ? QString("no peer")
                                         : QString("%1 %2 ms (%3 MB/s), time ratio %4")
                                               .arg(link == Link::Tcp ? "socat" : "cat")
                                               .arg(peerMs, 0, 'f', 0)
                                               .arg(mb / peerMs, 0, 'f', 1)
                                               .arg(f.ms / peerMs, 0, 'f', 2);
        qInfo("%s: tab %.0f ms (%.1f MB/s), %s; lateness worst %lld ms, p99 %lld ms; view %lld chars (budget "
              "%d); "
              "RSS %lld kB",
              QTest::currentDataTag(), f.ms, mb / f.ms, qPrintable(peer), f.worst, f.p99, qint64(held.size()),
              LogView::budget, residentKb());
        QVERIFY(f.done && held.size() <= LogView::budget * 3 / 2 + LogView::lineWidth);
        if (link == Link::Tcp) // the newest 64 KiB exactly
            QVERIFY(QString(held).remove(QLatin1Char('\n')).endsWith(tailHex));
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
        std::atomic<qint64> written{0};
        std::atomic<bool> finished{false};
        QStringList memory;
        QTimer sample;
        connect(&sample, &QTimer::timeout, this, [&] { memory << QString::number(residentKb()); });
        sample.start(qMax(1, seconds / 10) * 1000);
        const Figures f = measure(
            [&] {
                QElapsedTimer clock;
                clock.start();
                while (clock.elapsed() < seconds * 1000) {
                    const qint64 due = clock.elapsed() * 92160 / 1000;
                    while (written < due) {
                        const qint64 at = written % period.size();
                        written += qMax<qint64>(
                            0, t.pty.write(period.mid(at, qMin<qint64>(due - written, period.size() - at))));
                    }
                    usleep(10000);
                }
                finished = true;
            },
            [&] { return finished && received == written; }, seconds * 1000 + 10000);
        // The hex view without its stamps ends with the hex of what was written last;
        // a stamped chunk shows its line breaks as blanks.
        QString held = LogView::of(t.ui->COM_HexTextBrowser)->text();
        held.remove(QRegularExpression("\\[\\d\\d:\\d\\d:\\d\\d\\.\\d\\d\\d\\]")).remove(QLatin1Char('\n'));
        const qint64 at = written % period.size();
        const QByteArray last = (period + period).mid(at + period.size() - 20000, 20000);
        const bool exact =
            held.endsWith(TerminalFormat::hexSerial(last).replace(QLatin1Char('\n'), QLatin1Char(' ')));
        memory << QString::number(residentKb());
        qInfo("serial 921600 baud, stamps+hex, %d s: written %lld, counted %lld (ratio %.4f), lateness p99 "
              "%lld ms "
              "(limit 50) worst %lld ms, hex view exact: %s, RSS kB %s",
              seconds, qint64(written), received, double(received) / qMax<qint64>(1, written), f.p99, f.worst,
              exact ? "yes" : "NO", qPrintable(memory.join(' ')));
        QVERIFY(f.done && exact);
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

// The serial terminal in the whole main window (every tab on, mapped on an X server), beside
// cutecom and cat reading the same stream from the same pty in the same run. Prints, over three
// runs, min / median / max of whole-process CPU (the window's helper processes included),
// event-loop lateness (a 10 ms timer's delay) and throughput, with the ratios to the peers.
// PLAX_BENCH_SECONDS sets each stream's length (default 20).
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QEventLoop>
#include <QProcess>

#include <sys/ioctl.h>

#include "serial/threadserial.h"
#include "tests/common/benchhelpers.h"
#include "tests/common/consolerig.h"
#include "tests/common/cutecompeer.h"
#include "tests/common/processcpu.h"

namespace {

QByteArray textLine(int i)
{
    return "line " + QByteArray::number(i).rightJustified(7, '0') +
           " the quick brown fox jumps over the lazy dog 0123456789\r\n";
}

// Feeds `fd` for `seconds`: paced at `bytesPerSecond`, or as fast as the reader takes it (0).
// Returns the bytes written.
qint64 feed(int fd, int seconds, int bytesPerSecond)
{
    qint64 written = 0;
    if (bytesPerSecond > 0) {
        const int lines = int(qint64(seconds) * bytesPerSecond / textLine(0).size());
        writePaced(fd, lines, 1e6 * textLine(0).size() / bytesPerSecond, [&written](int i) {
            written += textLine(i).size();
            return textLine(i);
        });
        return written;
    }
    QByteArray block;
    for (int i = 0; block.size() < 64 * 1024; ++i)
        block += textLine(i);
    QElapsedTimer clock;
    clock.start();
    while (clock.elapsed() < seconds * 1000) {
        const ssize_t n = ::write(fd, block.constData(), size_t(block.size()));
        n > 0 ? void(written += n) : std::this_thread::sleep_for(std::chrono::microseconds(200));
    }
    return written;
}

// Waits until the reader on the pty's device side took everything written to the master.
void waitDrained(int masterFd, int timeoutMs)
{
    QElapsedTimer clock;
    clock.start();
    int queued = 0;
    while (ioctl(masterFd, TIOCOUTQ, &queued) == 0 && queued > 0 && clock.elapsed() < timeoutMs)
        usleep(200);
}

// Runs the event loop for `ms` with nothing of the benchmark's own waking it.
void idleFor(int ms)
{
    QEventLoop loop;
    QTimer::singleShot(ms, &loop, &QEventLoop::quit);
    loop.exec();
}

// What a peer process cost and how fast it took the stream.
struct PeerFigures
{
    double cpuPercent = 0;
    double mbPerSecond = 0;
};

// One stream through a peer process reading the pty: its CPU and its throughput.
PeerFigures runPeer(qint64 pid, PtyPair& pty, int seconds, int bytesPerSecond)
{
    PeerFigures f;
    const double cpu0 = processTreeCpuSeconds(pid);
    QElapsedTimer clock;
    clock.start();
    const qint64 written = feed(pty.masterFd(), seconds, bytesPerSecond);
    waitDrained(pty.masterFd(), 60000);
    const double s = clock.nsecsElapsed() / 1e9;
    f.cpuPercent = 100 * (processTreeCpuSeconds(pid) - cpu0) / s;
    f.mbPerSecond = written / 1e6 / s;
    return f;
}

} // namespace

class BenchSerialWindow : public QObject
{
    Q_OBJECT

    // The window with every tab on, shown and mapped.
    std::unique_ptr<ConsoleRig> shownWindow()
    {
        auto r = std::make_unique<ConsoleRig>(ConsoleRig::AllTools{});
        r->w->resize(1200, 900);
        r->w->show();
        if (!QTest::qWaitForWindowExposed(r->w.get()))
            qWarning("window not exposed");
        idleFor(2000); // start-up work settles
        return r;
    }

private slots:
    void initTestCase()
    {
        if (QGuiApplication::platformName() != "xcb")
            QSKIP("measures the window as composited on an X server: run under xvfb-run");
        if (!CuteCom::available())
            QSKIP("needs cutecom and xdotool");
    }

    void stream_data()
    {
        QTest::addColumn<int>("bytesPerSecond"); // 0 floods
        QTest::addColumn<bool>("stampsAndHex");
        QTest::newRow("115200 baud text") << 11520 << false;
        QTest::newRow("921600 baud, stamps+hex") << 92160 << true;
        QTest::newRow("unpaced flood") << 0 << false;
    }
    void stream()
    {
        QFETCH(int, bytesPerSecond);
        QFETCH(bool, stampsAndHex);
        const int seconds = benchSeconds(20);
        QList<double> cpu, mbps, worst, p99, growth, cuteCpu, cuteMbps, catCpu, catMbps;
        qsizetype ticks = 0;
        for (int run = 0; run < 3; ++run) {
            auto r = shownWindow();
            r->ui->baudRateComboBox->setCurrentText(bytesPerSecond > 11520 ? "921600" : "115200");
            r->ui->HEXcheckBox->setChecked(stampsAndHex);
            r->ui->showtime_checkBox->setChecked(stampsAndHex);
            ConsoleRig::press(r->ui->opencompushButton);
            QVERIFY(r->w->Serial_isOpen);
            std::atomic<qint64> received{0};
            connect(r->w->Serial_thread, &ThreadSerial::Serial_read_Data, this,
                    [&received](const QByteArray& d) { received += d.size(); });

            const double cpu0 = processTreeCpuSeconds(getpid());
            const qint64 rss0 = residentKb();
            std::atomic<qint64> written{-1};
            LatenessProbe probe;
            std::thread feeder([&] { written = feed(r->pty.masterFd(), seconds, bytesPerSecond); });
            qint64 rssEarly = 0;
            QTimer::singleShot(2000, this, [&rssEarly] { rssEarly = residentKb(); });
            const bool done =
                runUntil([&] { return written >= 0 && received == written; }, seconds * 1000 + 60000);
            const double s = probe.clock.nsecsElapsed() / 1e9;
            feeder.join();
            probe.timer.stop();
            cpu << 100 * (processTreeCpuSeconds(getpid()) - cpu0) / s;
            mbps << written / 1e6 / s;
            worst << double(probe.worst());
            p99 << double(probe.p99());
            growth << double(residentKb() - qMax(rss0, rssEarly));
            ticks = qMax(ticks, probe.late.size());
            QVERIFY2(done, qPrintable(QString("received %1 of %2 bytes").arg(received).arg(written)));
            ConsoleRig::press(r->ui->opencompushButton); // closes: the peers read the same pty next

            CuteCom cutecom;
            QVERIFY(cutecom.start(r->pty.slavePath(), stampsAndHex, stampsAndHex));
            const PeerFigures c = runPeer(cutecom.pid(), r->pty, seconds, bytesPerSecond);
            cuteCpu << c.cpuPercent;
            cuteMbps << c.mbPerSecond;

            QProcess cat;
            cat.setStandardInputFile(r->pty.slavePath());
            cat.setStandardOutputFile(QProcess::nullDevice());
            cat.start("cat", {});
            QVERIFY(cat.waitForStarted());
            const PeerFigures k = runPeer(cat.processId(), r->pty, seconds, bytesPerSecond);
            catCpu << k.cpuPercent;
            catMbps << k.mbPerSecond;
            cat.kill();
            cat.waitForFinished();
        }
        const auto median = [](QList<double> v) {
            std::sort(v.begin(), v.end());
            return v.at(v.size() / 2);
        };
        qInfo("%s, %d s, 3 runs (min / median / max):", QTest::currentDataTag(), seconds);
        qInfo("  process CPU %%: PLAX %s | cutecom %s | cat %s; ratio PLAX/cutecom %.2f (at most 5)",
              qPrintable(minMedianMax(cpu)), qPrintable(minMedianMax(cuteCpu)),
              qPrintable(minMedianMax(catCpu)), median(cpu) / qMax(0.01, median(cuteCpu)));
        qInfo("  throughput MB/s: PLAX %s | cutecom %s | cat %s; ratio PLAX/cutecom %.2f",
              qPrintable(minMedianMax(mbps, "%.2f")), qPrintable(minMedianMax(cuteMbps, "%.2f")),
              qPrintable(minMedianMax(catMbps, "%.2f")), median(mbps) / qMax(0.001, median(cuteMbps)));
        qInfo("  PLAX lateness over %lld ticks: worst %s ms, p99 %s ms (worst below 100); RSS growth %s kB",
              qint64(ticks), qPrintable(minMedianMax(worst, "%.0f")), qPrintable(minMedianMax(p99, "%.0f")),
              qPrintable(minMedianMax(growth, "%.0f")));
    }

    // Nothing open, every tab on, the window mapped: what it costs to sit there.
    void idle()
    {
        const int seconds = benchSeconds(20);
        QList<double> cpu, cuteCpu;
        for (int run = 0; run < 3; ++run) {
            auto r = shownWindow();
            const double cpu0 = processTreeCpuSeconds(getpid());
            QElapsedTimer clock;
            clock.start();
            idleFor(seconds * 1000);
            cpu << 100 * (processTreeCpuSeconds(getpid()) - cpu0) / (clock.nsecsElapsed() / 1e9);

            CuteCom cutecom;
            QVERIFY(cutecom.start(r->pty.slavePath(), false, false));
            const double cute0 = processTreeCpuSeconds(cutecom.pid());
            clock.start();
            idleFor(seconds * 1000);
            cuteCpu << 100 * (processTreeCpuSeconds(cutecom.pid()) - cute0) / (clock.nsecsElapsed() / 1e9);
        }
        qInfo("idle, all tabs on, %d s, 3 runs (min / median / max): process CPU %% PLAX %s (below 0.5) | "
              "cutecom (port open) %s",
              seconds, qPrintable(minMedianMax(cpu, "%.2f")), qPrintable(minMedianMax(cuteCpu, "%.2f")));
    }
};

int main(int argc, char** argv)
{
    qputenv("QTEST_FUNCTION_TIMEOUT", "7200000");
    QApplication app(argc, argv);
    BenchSerialWindow bench;
    return QTest::qExec(&bench, argc, argv);
}
#include "bench_serialwindow.moc"

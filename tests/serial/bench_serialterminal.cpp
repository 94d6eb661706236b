// Serial terminal under a continuous 921600-baud stream from a paced pty writer.
// Prints, per variant: bytes written and received, the worst lateness of a 10 ms
// probe timer on the GUI thread, and resident memory over time.
// PLAX_BENCH_SECONDS sets the length of each variant (default 600).
#include <QApplication>
#include <QCheckBox>
#include <QElapsedTimer>
#include <QFile>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTimer>

#include <atomic>
#include <thread>

#include <unistd.h>

#include "serial/terminalview.h"
#include "serial/threadserial.h"
#include "tests/common/consolerig.h"

namespace {

qint64 residentKb()
{
    QFile f("/proc/self/statm");
    const QList<QByteArray> fields =
        f.open(QIODevice::ReadOnly) ? f.readAll().split(' ') : QList<QByteArray>();
    return fields.size() > 1 ? fields.at(1).toLongLong() * (sysconf(_SC_PAGESIZE) / 1024) : -1;
}

QByteArray payload(bool binary)
{
    QByteArray data;
    QRandomGenerator gen(42);
    for (int i = 0; data.size() < (1 << 20); ++i)
        data += binary ? QByteArray(1, char(gen.bounded(256)))
                       : "$GPGGA,123519,4807.038,N,01131.000,E,1,08,0.9,545.4,M,46.9,M,,*47 line " +
                             QByteArray::number(i) + "\r\n";
    return data;
}

// The worst lateness of a 10 ms timer on the GUI thread while it lives.
struct Probe
{
    QElapsedTimer clock;
    qint64 last = 0;
    qint64 worstLateMs = 0;
    QTimer timer;
    Probe()
    {
        clock.start();
        timer.setTimerType(Qt::PreciseTimer);
        QObject::connect(&timer, &QTimer::timeout, [this] {
            worstLateMs = qMax(worstLateMs, clock.elapsed() - last - 10);
            last = clock.elapsed();
        });
        timer.start(10);
    }
};

} // namespace

class BenchSerialTerminal : public QObject
{
    Q_OBJECT
private slots:
    void stream_data()
    {
        QTest::addColumn<bool>("binary");
        QTest::addColumn<bool>("stamps");
        QTest::newRow("text-lines") << false << false;
        QTest::newRow("text-lines-stamped") << false << true;
        QTest::newRow("random-binary") << true << false;
        QTest::newRow("random-binary-stamped") << true << true;
    }

    void stream()
    {
        QFETCH(bool, binary);
        QFETCH(bool, stamps);
        const int seconds = qEnvironmentVariableIsSet("PLAX_BENCH_SECONDS")
                                ? qEnvironmentVariableIntValue("PLAX_BENCH_SECONDS")
                                : 600;
        ConsoleRig t;
        t.ui->showtime_checkBox->setChecked(stamps);
        t.ui->HEXcheckBox->setChecked(true);
        t.w->show();
        t.w->actionOpen_triggered();
        QVERIFY(t.w->Serial_isOpen);
        qint64 received = 0;
        connect(t.w->Serial_thread, &ThreadSerial::Serial_read_Data, this,
                [&received](const QByteArray& d) { received += d.size(); });

        // The device: 92160 bytes/s in 10 ms slices, on its own thread.
        const QByteArray data = payload(binary).repeated(2);
        std::atomic<bool> stop{false};
        std::atomic<qint64> written{0};
        std::thread writer([&] {
            QElapsedTimer clock;
            clock.start();
            while (!stop) {
                const qint64 due = clock.elapsed() * 92160 / 1000;
                while (written < due && !stop) {
                    const qint64 n = qMin<qint64>(due - written, 4096);
                    written += t.pty.write(data.mid(int(written % (data.size() / 2)), int(n)));
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
        QTRY_COMPARE_WITH_TIMEOUT(received, qint64(written), 10000);
        memory << QString::number(residentKb());
        qInfo("%s: %d s, written %lld, received %lld, lost %lld, worst probe lateness %lld ms, RSS kB %s",
              QTest::currentDataTag(), seconds, qint64(written), received, qint64(written) - received,
              probe.worstLateMs, qPrintable(memory.join(' ')));
    }

    // Send File of 1 MB: the window keeps running its timers while lines go out.
    void sendFileStaysResponsive()
    {
        ConsoleRig t;
        QTemporaryDir dir;
        QFile file(dir.filePath("big.txt"));
        QVERIFY(file.open(QIODevice::WriteOnly) && file.write(payload(false)) > 0);
        file.close();
        t.w->actionOpen_triggered();
        QTest::qWait(1000); // the window's own start-up work is not measured
        TerminalView::queueFileAnswers({file.fileName()});
        t.w->actionSendfile_triggered();
        std::atomic<bool> stop{false};
        std::atomic<qint64> drained{0};
        std::thread reader([&] {
            while (!stop)
                drained += t.pty.read(1, 20).size();
        });
        Probe probe;
        QTest::qWait(10000);
        stop = true;
        reader.join();
        qInfo("send-file: %lld bytes out in 10 s, worst probe lateness %lld ms", qint64(drained),
              probe.worstLateMs);
    }
};

int main(int argc, char** argv)
{
    // Each variant runs for minutes: longer than Qt Test's default watchdog.
    qputenv("QTEST_FUNCTION_TIMEOUT", "7200000");
    QApplication app(argc, argv);
    BenchSerialTerminal bench;
    return QTest::qExec(&bench, argc, argv);
}
#include "bench_serialterminal.moc"

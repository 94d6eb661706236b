// Serial terminal under a continuous 921600-baud stream from a paced pty writer.
// Prints, per variant: bytes written and received, the worst lateness of a 10 ms
// probe timer on the GUI thread, and resident memory over time.
// PLAX_BENCH_SECONDS sets the length of each variant (default 600).
#include <QApplication>
#include <QCheckBox>
#include <QElapsedTimer>
#include <QFile>
#include <QPushButton>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <atomic>
#include <memory>
#include <thread>

#include <unistd.h>

#include "app/mainwindow.h"
#include "app/mainwindow_form.h"
#include "serial/terminalview.h"
#include "serial/threadserial.h"
#include "tests/common/ptypair.h"
#include "tests/common/testhome.h"

namespace {

qint64 residentKb()
{
    QFile f("/proc/self/statm");
    if (!f.open(QIODevice::ReadOnly))
        return -1;
    const QList<QByteArray> fields = f.readAll().split(' ');
    return fields.size() > 1 ? fields.at(1).toLongLong() * (sysconf(_SC_PAGESIZE) / 1024) : -1;
}

QByteArray payload(bool binary)
{
    QByteArray data;
    if (binary) {
        data.resize(1 << 20);
        QRandomGenerator gen(42);
        for (char& c : data)
            c = char(gen.bounded(256));
        return data;
    }
    for (int i = 0; data.size() < (1 << 20); ++i)
        data += "$GPGGA,123519,4807.038,N,01131.000,E,1,08,0.9,545.4,M,46.9,M,,*47 line " +
                QByteArray::number(i) + "\r\n";
    return data;
}

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
        TestHome home;
        home.writeSettings({{"Auto_Serial_Scan", "false"}});
        PtyPair pty;
        MainWindow w;
        w.Serial_applyScan({pty.slavePath()});
        w.ui->showtime_checkBox->setChecked(stamps);
        w.ui->HEXcheckBox->setChecked(true);
        w.show();
        w.actionOpen_triggered();
        QVERIFY(w.Serial_isOpen);
        qint64 received = 0;
        connect(w.Serial_thread, &ThreadSerial::Serial_read_Data, this,
                [&received](const QByteArray& d) { received += d.size(); });

        // The device: 92160 bytes/s in 10 ms slices, on its own thread.
        const QByteArray data = payload(binary);
        std::atomic<bool> stop{false};
        std::atomic<qint64> written{0};
        std::thread writer([&] {
            QElapsedTimer clock;
            clock.start();
            qint64 pos = 0;
            while (!stop) {
                const qint64 due = clock.elapsed() * 92160 / 1000;
                while (written < due && !stop) {
                    const qint64 n = qMin<qint64>(due - written, 4096);
                    QByteArray slice = data.mid(int(pos % data.size()), int(n));
                    if (slice.size() < n)
                        slice += data.left(int(n - slice.size()));
                    written += pty.write(slice);
                    pos += n;
                }
                usleep(10000);
            }
        });

        qint64 worstLateMs = 0;
        QElapsedTimer probeClock;
        probeClock.start();
        qint64 last = 0;
        QTimer probe;
        probe.setTimerType(Qt::PreciseTimer);
        connect(&probe, &QTimer::timeout, this, [&] {
            const qint64 now = probeClock.elapsed();
            worstLateMs = qMax(worstLateMs, now - last - 10);
            last = now;
        });
        probe.start(10);
        QList<qint64> memory;
        for (int s = 0; s < seconds; ++s) {
            QTest::qWait(1000);
            if (s % qMax(1, seconds / 10) == 0)
                memory << residentKb();
        }
        stop = true;
        writer.join();
        QTRY_COMPARE_WITH_TIMEOUT(received, qint64(written), 10000);
        memory << residentKb();
        qInfo("%s: %d s, written %lld, received %lld, lost %lld, worst probe lateness %lld ms, RSS kB %s",
              QTest::currentDataTag(), seconds, qint64(written), received, qint64(written) - received,
              worstLateMs, qPrintable([&] {
                  QStringList l;
                  for (qint64 m : memory)
                      l << QString::number(m);
                  return l.join(' ');
              }()));
        w.actionOpen_triggered();
    }

    // Send File of 1 MB: the window keeps running its timers while lines go out.
    void sendFileStaysResponsive()
    {
        TestHome home;
        home.writeSettings({{"Auto_Serial_Scan", "false"}});
        PtyPair pty;
        QTemporaryDir dir;
        QFile file(dir.filePath("big.txt"));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(payload(false));
        file.close();
        MainWindow w;
        w.Serial_applyScan({pty.slavePath()});
        w.actionOpen_triggered();
        QTest::qWait(1000); // the window's own start-up work is not measured
        TerminalView::queueFileAnswers({file.fileName()});
        w.actionSendfile_triggered();
        std::atomic<bool> stop{false};
        std::atomic<qint64> drained{0};
        std::thread reader([&] {
            while (!stop)
                drained += pty.read(1, 20).size();
        });
        qint64 worstLateMs = 0;
        QElapsedTimer clock;
        clock.start();
        qint64 last = 0;
        QTimer probe;
        probe.setTimerType(Qt::PreciseTimer);
        connect(&probe, &QTimer::timeout, this, [&] {
            worstLateMs = qMax(worstLateMs, clock.elapsed() - last - 10);
            last = clock.elapsed();
        });
        probe.start(10);
        QTest::qWait(10000);
        stop = true;
        reader.join();
        qInfo("send-file: %lld bytes out in 10 s, worst probe lateness %lld ms", qint64(drained),
              worstLateMs);
        w.actionOpen_triggered();
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

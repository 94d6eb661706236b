// How fast the oscilloscope tab takes lines, and whether the window stays responsive while a
// board streams 1000 lines per second into it.
#include <QElapsedTimer>
#include <QTest>
#include <QTimer>

#include <cstdio>

#include "tests/common/consolerig.h"

namespace {

QByteArray line(int i)
{
    return QStringLiteral("$0:%1;$1:%2;$2:%3;$3:%4;\r\n")
        .arg(i % 100)
        .arg(-i % 50)
        .arg(i * 0.5)
        .arg(3.25)
        .toUtf8();
}

} // namespace

class BenchOscilloscope : public QObject
{
    Q_OBJECT
private slots:
    // Worst case for the chart: every read brings exactly one line and the channels are full.
    void oneLinePerRead()
    {
        ConsoleRig rig("Oscilloscope");
        MainWindow& w = *rig.w;
        QByteArray fill;
        for (int i = 0; i < 20000; ++i)
            fill += line(i);
        w.readOSCCom(fill);
        const int lines = 5000;
        QElapsedTimer clock;
        clock.start();
        for (int i = 0; i < lines; ++i)
            w.readOSCCom(line(i));
        const double seconds = clock.nsecsElapsed() / 1e9;
        std::printf("one line per read, 4 x 20000 points: %.0f lines/s (%.1f us/line)\n", lines / seconds,
                    seconds * 1e6 / lines);
        QCOMPARE(w.OSC_points[0].size(), 20000);
    }

    // A board at 1000 lines/s through a pseudo-terminal, the window shown and drawing.
    void streamAtOneThousandLinesPerSecond()
    {
        ConsoleRig rig("Oscilloscope");
        MainWindow& w = *rig.w;
        w.resize(1200, 800);
        w.show();
        rig.ui->tabWidget->setCurrentWidget(rig.ui->Oscilloscope);
        ConsoleRig::press(rig.ui->OSCopencompushButton);
        QVERIFY(w.Serial_isOpen);

        const int seconds = 3, perTick = 10; // a write every 10 ms
        int sent = 0;
        QElapsedTimer clock;
        clock.start();
        QTimer writer;
        writer.setTimerType(Qt::PreciseTimer);
        QObject::connect(&writer, &QTimer::timeout, &writer, [&] {
            // Keep pace with the wall clock even when a tick comes late.
            const int due = int(clock.elapsed()) * perTick / 10;
            QByteArray batch;
            for (; sent < due && sent < seconds * 1000; ++sent)
                batch += line(sent);
            if (!batch.isEmpty())
                rig.pty.write(batch);
        });
        qint64 worstGap = 0, last = 0;
        QTimer probe;
        probe.setTimerType(Qt::PreciseTimer);
        QObject::connect(&probe, &QTimer::timeout, &probe, [&] {
            const qint64 now = clock.elapsed();
            worstGap = std::max(worstGap, now - last);
            last = now;
        });
        writer.start(10);
        probe.start(5);
        QTRY_VERIFY_WITH_TIMEOUT(sent >= seconds * 1000, (seconds + 5) * 1000);
        writer.stop();
        QTRY_COMPARE_WITH_TIMEOUT(int(w.OSC_lineNumber), sent, 5000);
        probe.stop();
        std::printf("1000 lines/s for %d s: %d of %d lines drawn, done after %lld ms, "
                    "longest event-loop stall %lld ms\n",
                    seconds, int(w.OSC_lineNumber), sent, clock.elapsed(), worstGap);
        QVERIFY(worstGap < 200);
        ConsoleRig::press(rig.ui->OSCopencompushButton);
    }
};

QTEST_MAIN(BenchOscilloscope)
#include "bench_oscilloscope.moc"

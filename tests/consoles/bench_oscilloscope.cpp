// How fast the oscilloscope tab takes lines, and whether the window stays responsive while a
// board streams 1000 lines per second into it.
#include <QElapsedTimer>
#include <QTest>
#include <QTimer>

#include <cstdio>

#include "tests/common/consolerig.h"

static QByteArray line(int i)
{
    return QStringLiteral("$0:%1;$1:%2;$2:%3;$3:3.25;\r\n").arg(i % 100).arg(-i % 50).arg(i * 0.5).toUtf8();
}

class BenchOscilloscope : public QObject
{
    Q_OBJECT
private slots:
    // Worst case for the chart: every read brings exactly one line and the channels are full.
    void oneLinePerRead()
    {
        ConsoleRig rig("Oscilloscope");
        QByteArray fill;
        for (int i = 0; i < 20000; ++i)
            fill += line(i);
        rig.w->readOSCCom(fill);
        const int lines = 5000;
        QElapsedTimer clock;
        clock.start();
        for (int i = 0; i < lines; ++i)
            rig.w->readOSCCom(line(i));
        const double s = clock.nsecsElapsed() / 1e9;
        std::printf("one line per read, 4 x 20000 points: %.0f lines/s (%.1f us/line)\n", lines / s, s * 1e6 / lines);
        QCOMPARE(rig.w->OSC_points[0].size(), 20000);
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
        const int total = 3000;
        int sent = 0;
        qint64 worstGap = 0, last = 0;
        QElapsedTimer clock;
        clock.start();
        QTimer writer, probe;
        writer.setTimerType(Qt::PreciseTimer);
        probe.setTimerType(Qt::PreciseTimer);
        QObject::connect(&writer, &QTimer::timeout, &writer, [&] {
            QByteArray batch; // keeps pace with the wall clock even when a tick comes late
            for (; sent < clock.elapsed() && sent < total; ++sent)
                batch += line(sent);
            rig.pty.write(batch);
        });
        QObject::connect(&probe, &QTimer::timeout, &probe, [&] {
            worstGap = std::max(worstGap, clock.elapsed() - last);
            last = clock.elapsed();
        });
        writer.start(10);
        probe.start(5);
        QTRY_VERIFY_WITH_TIMEOUT(sent >= total, 8000);
        writer.stop();
        QTRY_COMPARE_WITH_TIMEOUT(int(w.OSC_lineNumber), sent, 5000);
        probe.stop();
        std::printf("1000 lines/s for 3 s: %d of %d lines drawn, done after %lld ms, longest event-loop stall %lld ms\n",
                    int(w.OSC_lineNumber), sent, clock.elapsed(), worstGap);
        QVERIFY(worstGap < 200);
        ConsoleRig::press(rig.ui->OSCopencompushButton);
    }
};

QTEST_MAIN(BenchOscilloscope)
#include "bench_oscilloscope.moc"

// The program as a user starts it (no settings file: every tool on, the port rescan on), its window
// mapped on the X server and left alone, beside cutecom left alone with a port open on a pty, both
// over the same span in the same run. Prints, over three runs, min / median / max of whole-process
// CPU and of wakeups per second. PLAX_BENCH_SECONDS sets the span (default 60).
#include <QProcess>
#include <QProcessEnvironment>
#include <QTest>

#include "tests/common/benchhelpers.h"
#include "tests/common/cutecompeer.h"
#include "tests/common/processcpu.h"
#include "tests/common/ptypair.h"
#include "tests/common/testhome.h"

class BenchIdleWindow : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase()
    {
        if (qEnvironmentVariableIsEmpty("DISPLAY"))
            QSKIP("measures the window mapped on an X server: run under xvfb-run");
        if (!CuteCom::available())
            QSKIP("needs cutecom and xdotool");
    }

    void idle()
    {
        const int seconds = benchSeconds(60);
        QList<double> cpu, wakeups, cuteCpu, cuteWakeups;
        for (int run = 0; run < 3; ++run) {
            TestHome home;
            QProcess plax;
            QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
            env.remove("QT_QPA_PLATFORM"); // on the X server
            plax.setProcessEnvironment(env);
            plax.start(PLAX_BINARY, {});
            QVERIFY(plax.waitForStarted());
            QProcess mapped;
            mapped.start("xdotool",
                         {"search", "--sync", "--onlyvisible", "--pid", QString::number(plax.processId())});
            QVERIFY2(mapped.waitForFinished(60000) && mapped.exitCode() == 0, "the window was never mapped");
            PtyPair pty;
            CuteCom cutecom;
            QVERIFY(cutecom.start(pty.slavePath(), false, false));
            QTest::qWait(5000); // start-up work settles in both

            QElapsedTimer clock;
            clock.start();
            const auto plax0 = threadSched(plax.processId()), cute0 = threadSched(cutecom.pid());
            QTest::qWait(seconds * 1000);
            const double s = clock.nsecsElapsed() / 1e9;
            const SchedFigures p = schedSince(plax0, threadSched(plax.processId()));
            const SchedFigures c = schedSince(cute0, threadSched(cutecom.pid()));
            cpu << 100 * p.cpuSeconds / s;
            wakeups << p.runs / s;
            cuteCpu << 100 * c.cpuSeconds / s;
            cuteWakeups << c.runs / s;
            plax.kill();
            plax.waitForFinished(10000);
        }
        std::sort(cpu.begin(), cpu.end());
        std::sort(cuteCpu.begin(), cuteCpu.end());
        qInfo(
            "idle, as started by a user (every tool on, port rescan on), %d s, 3 runs (min / median / max):",
            seconds);
        qInfo("  process CPU %%: PLAX %s (below 0.2) | cutecom %s; PLAX/cutecom %.1f",
              qPrintable(minMedianMax(cpu, "%.3f")), qPrintable(minMedianMax(cuteCpu, "%.3f")),
              cpu.at(1) / qMax(0.001, cuteCpu.at(1)));
        qInfo("  wakeups per second: PLAX %s | cutecom %s", qPrintable(minMedianMax(wakeups, "%.1f")),
              qPrintable(minMedianMax(cuteWakeups, "%.1f")));
    }
};

int main(int argc, char** argv)
{
    qputenv("QTEST_FUNCTION_TIMEOUT", "7200000");
    QCoreApplication app(argc, argv);
    BenchIdleWindow bench;
    return QTest::qExec(&bench, argc, argv);
}
#include "bench_idlewindow.moc"

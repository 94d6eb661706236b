#include <QElapsedTimer>
#include <QTest>

#include "app/mainwindow.h"
#include "tests/common/testhome.h"

// Time from the start of the main window's constructor to its return, all tabs on.
class BenchMainWindow : public QObject
{
    Q_OBJECT
private slots:
    void construct()
    {
        TestHome home;
        QList<qint64> times;
        for (QElapsedTimer clock; times.size() < 5; times << clock.elapsed())
            clock.start(), MainWindow();
        std::sort(times.begin(), times.end());
        printf("BENCH mainwindow_construct_median_ms=%lld (fastest %lld ms)\n", times.at(2), times.first());
    }
};

QTEST_MAIN(BenchMainWindow)
#include "bench_mainwindow.moc"

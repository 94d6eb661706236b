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
        for (int i = 0; i < 5; ++i) {
            QElapsedTimer clock;
            clock.start();
            MainWindow w;
            times << clock.elapsed();
        }
        std::sort(times.begin(), times.end());
        qInfo("MainWindow construction, all twenty tabs: first %lld ms, median %lld ms", times.first(),
              times.at(times.size() / 2));
        printf("BENCH mainwindow_construct_median_ms=%lld\n", times.at(times.size() / 2));
    }
};

QTEST_MAIN(BenchMainWindow)
#include "bench_mainwindow.moc"

#pragma once

#include <QElapsedTimer>
#include <QList>
#include <QTimer>

#include <algorithm>

// Event-loop lateness: how much later than its 10 ms interval a precise timer fires.
struct LatenessProbe
{
    QElapsedTimer clock;
    qint64 last = 0;
    QList<qint64> late;
    QTimer timer;

    LatenessProbe()
    {
        clock.start();
        timer.setTimerType(Qt::PreciseTimer);
        QObject::connect(&timer, &QTimer::timeout, &timer, [this] {
            late << qMax<qint64>(0, clock.elapsed() - last - 10);
            last = clock.elapsed();
        });
        timer.start(10);
    }
    qint64 worst() const { return late.isEmpty() ? 0 : *std::max_element(late.begin(), late.end()); }
    qint64 p99() const
    {
        QList<qint64> sorted = late;
        std::sort(sorted.begin(), sorted.end());
        return sorted.isEmpty() ? 0 : sorted.at(sorted.size() * 99 / 100);
    }
};

#pragma once
// Measuring helpers shared by the benchmarks. Header-only.

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QList>
#include <QTimer>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <ctime>
#include <functional>
#include <thread>

#include <unistd.h>

// How long a benchmark's streams or idle spans last: PLAX_BENCH_SECONDS, else `fallback`.
inline int benchSeconds(int fallback)
{
    return qEnvironmentVariableIsSet("PLAX_BENCH_SECONDS")
               ? qEnvironmentVariableIntValue("PLAX_BENCH_SECONDS")
               : fallback;
}

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

// Runs the event loop, as the program does, until `done` holds or the time is up (QTest's
// waits sleep between event passes, which would count as lateness).
inline bool runUntil(const std::function<bool()>& done, int timeoutMs)
{
    QEventLoop loop;
    QTimer check;
    QObject::connect(&check, &QTimer::timeout, &loop, [&] {
        if (done())
            loop.quit();
    });
    QTimer::singleShot(timeoutMs, &loop, &QEventLoop::quit);
    check.start(10);
    if (!done())
        loop.exec();
    return done();
}

inline double threadCpuSeconds()
{
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return t.tv_sec + t.tv_nsec / 1e9;
}

inline qint64 residentKb()
{
    QFile f("/proc/self/statm");
    return f.open(QIODevice::ReadOnly)
               ? f.readAll().split(' ').value(1).toLongLong() * sysconf(_SC_PAGESIZE) / 1024
               : -1;
}

// Writes `count` records to `fd` (a pty's master end), record i due `i * intervalUs` after the
// start by the wall clock, so a slow reader cannot slow the pace; waits while the pty is full.
// Returns whether all went out before `stop` was set.
inline bool writePaced(int fd, int count, double intervalUs, const std::function<QByteArray(int)>& record,
                       const std::atomic<bool>* stop = nullptr)
{
    const auto start = std::chrono::steady_clock::now();
    for (int i = 0; i < count; ++i) {
        std::this_thread::sleep_until(start + std::chrono::microseconds(qint64(i * intervalUs)));
        const QByteArray bytes = record(i);
        for (qsizetype done = 0; done < bytes.size();) {
            if (stop && *stop)
                return false;
            const ssize_t n = ::write(fd, bytes.constData() + done, size_t(bytes.size() - done));
            n > 0 ? void(done += n) : std::this_thread::sleep_for(std::chrono::microseconds(200));
        }
    }
    return true;
}

// `data` in 1 KiB pieces, one every `pauseUs` (0 floods).
inline void writePaced(int fd, const QByteArray& data, int pauseUs)
{
    writePaced(fd, int((data.size() + 1023) / 1024), pauseUs,
               [&](int i) { return data.mid(i * 1024, 1024); });
}

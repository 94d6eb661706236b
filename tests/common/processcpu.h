#pragma once
// Whole-process CPU figures for benchmarks, read from /proc. Header-only.

#include <QDir>
#include <QFile>
#include <QHash>

#include <unistd.h>

// User plus system CPU seconds, all threads, of process `pid` and of each of its living
// descendants (the web engine's helper processes work for the window too), by process id.
inline QHash<qint64, double> processTreeCpu(qint64 pid)
{
    const double tick = double(sysconf(_SC_CLK_TCK));
    QHash<qint64, qint64> parentOf;
    QHash<qint64, double> cpuOf;
    for (const QString& entry : QDir(QStringLiteral("/proc")).entryList(QDir::Dirs)) {
        bool number = false;
        const qint64 id = entry.toLongLong(&number);
        QFile stat(QStringLiteral("/proc/%1/stat").arg(entry));
        if (!number || !stat.open(QIODevice::ReadOnly))
            continue;
        const QByteArray line = stat.readAll();
        // Fields after the command name, which may hold blanks: state ppid ... utime(14) stime(15).
        const QList<QByteArray> f = line.mid(line.lastIndexOf(')') + 2).split(' ');
        if (f.size() < 13)
            continue;
        parentOf.insert(id, f.at(1).toLongLong());
        cpuOf.insert(id, (f.at(11).toLongLong() + f.at(12).toLongLong()) / tick);
    }
    QHash<qint64, double> tree;
    for (auto it = cpuOf.cbegin(); it != cpuOf.cend(); ++it) {
        for (qint64 p = it.key(); p > 1; p = parentOf.value(p, 0)) {
            if (p == pid) {
                tree.insert(it.key(), it.value());
                break;
            }
        }
    }
    return tree;
}

inline double processTreeCpuSeconds(qint64 pid)
{
    double sum = 0;
    for (double seconds : processTreeCpu(pid))
        sum += seconds;
    return sum;
}

// The scheduler's own figures for one thread: CPU time to the nanosecond (where utime and
// stime count 10 ms ticks) and how many times it was put on a CPU (each wakeup counts once).
struct SchedFigures
{
    double cpuSeconds = 0;
    qint64 runs = 0;
};

// Those figures for every thread of process `pid` and its descendants, by thread id.
inline QHash<qint64, SchedFigures> threadSched(qint64 pid)
{
    QHash<qint64, SchedFigures> threads;
    const QHash<qint64, double> tree = processTreeCpu(pid);
    for (auto it = tree.cbegin(); it != tree.cend(); ++it) {
        const QString tasks = QStringLiteral("/proc/%1/task").arg(it.key());
        for (const QString& task : QDir(tasks).entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
            QFile schedstat(tasks + '/' + task + QStringLiteral("/schedstat"));
            if (!schedstat.open(QIODevice::ReadOnly))
                continue;
            const QList<QByteArray> f = schedstat.readAll().trimmed().split(' ');
            if (f.size() >= 3)
                threads.insert(task.toLongLong(), {f.at(0).toLongLong() / 1e9, f.at(2).toLongLong()});
        }
    }
    return threads;
}

// What the threads living now did since `before`: one that began since counts from nothing
// (one that ended since is no longer there to count).
inline SchedFigures schedSince(const QHash<qint64, SchedFigures>& before,
                               const QHash<qint64, SchedFigures>& now)
{
    SchedFigures sum;
    for (auto it = now.cbegin(); it != now.cend(); ++it) {
        const SchedFigures start = before.value(it.key());
        sum.cpuSeconds += it->cpuSeconds - start.cpuSeconds;
        sum.runs += it->runs - start.runs;
    }
    return sum;
}

// A figure's min / median / max over runs.
inline QString minMedianMax(QList<double> runs, const char* format = "%.1f")
{
    std::sort(runs.begin(), runs.end());
    if (runs.isEmpty())
        return QStringLiteral("-");
    const QString f = QString::fromLatin1(format);
    return QString::asprintf(qPrintable(f + " / " + f + " / " + f), runs.first(), runs.at(runs.size() / 2),
                             runs.last());
}

#pragma once
// Whole-process CPU figures for benchmarks, read from /proc. Header-only.

#include <QDir>
#include <QFile>
#include <QHash>

#include <unistd.h>

// User plus system CPU seconds of process `pid`, all its threads, plus those of its living
// descendants (the web engine's helper processes work for the window too).
inline double processTreeCpuSeconds(qint64 pid)
{
    QHash<qint64, qint64> parentOf;
    QHash<qint64, double> cpuOf;
    const double tick = double(sysconf(_SC_CLK_TCK));
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
    double sum = 0;
    for (auto it = cpuOf.cbegin(); it != cpuOf.cend(); ++it) {
        for (qint64 p = it.key(); p > 1; p = parentOf.value(p, 0)) {
            if (p == pid) {
                sum += it.value();
                break;
            }
        }
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

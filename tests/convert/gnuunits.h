#pragma once

#include <QProcess>
#include <QStandardPaths>
#include <QString>

#include <optional>

// GNU units as an independent reference: the value of `expression` in `base`
// ("units -t -d 15 mile m" prints 1609.344). Nothing when units is missing or fails.
inline bool gnuUnitsAvailable()
{
    return !QStandardPaths::findExecutable(QStringLiteral("units")).isEmpty();
}

inline std::optional<double> gnuUnits(const QString& expression, const QString& base)
{
    QProcess units;
    units.start(QStringLiteral("units"),
                {QStringLiteral("-t"), QStringLiteral("-d"), QStringLiteral("15"), expression, base});
    if (!units.waitForFinished(10000) || units.exitCode() != 0)
        return std::nullopt;
    bool ok = false;
    const double value = QString::fromUtf8(units.readAllStandardOutput()).trimmed().toDouble(&ok);
    return ok ? std::optional<double>(value) : std::nullopt;
}

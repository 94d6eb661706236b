#include "sensors/spectra_reading.h"

#include <QHash>
#include <QStringList>

namespace SpectraReading {

int channelOf(const QString& key)
{
    static const QHash<QString, int> channels = [] {
        QHash<QString, int> map;
        for (int i = 1; i <= 18; ++i)
            map.insert(QStringLiteral("F%1").arg(i), i - 1);
        // The AS7341 and AS7343 name their channels after F8 differently.
        map.insert(QStringLiteral("NIR"), 8);
        map.insert(QStringLiteral("FXL"), 9);
        map.insert(QStringLiteral("FZ"), 10);
        map.insert(QStringLiteral("FY"), 11);
        return map;
    }();
    return channels.value(key, -1);
}

QList<Reading> parse(const QString& text)
{
    QList<Reading> readings;
    for (const QString& line : text.split(QStringLiteral("\r\n"), Qt::SkipEmptyParts)) {
        const QStringList fields = line.split(QLatin1Char(':'));
        if (fields.size() != 2)
            continue;
        bool ok = false;
        const int count = fields.at(1).toInt(&ok);
        const int channel = channelOf(fields.at(0));
        if (!ok || channel < 0)
            continue;
        readings.append({channel, count / 1000.0});
    }
    return readings;
}

quint8 typeCode(const QString& name)
{
    if (name == QLatin1String("AS7341"))
        return 0;
    if (name == QLatin1String("AS7343"))
        return 1;
    if (name == QLatin1String("AS7265X"))
        return 2;
    return 255;
}

} // namespace SpectraReading

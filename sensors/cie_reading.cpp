#include "sensors/cie_reading.h"

#include <QStringList>

#include <cmath>

CieReading CieReading::parse(const QString& line)
{
    CieReading r;
    QString text = line;
    text.remove(QStringLiteral("\r\n"));
    text = text.trimmed();
    if (text.endsWith(QLatin1Char(',')))
        text = text.chopped(1).trimmed();

    const QStringList pairs = text.split(QLatin1Char(';'), Qt::SkipEmptyParts);
    for (const QString& pair : pairs) {
        const QStringList pieces = pair.split(QLatin1Char(':'), Qt::SkipEmptyParts);
        if (pieces.size() != 2)
            continue;
        const QString key = pieces.at(0).trimmed();
        bool ok = false;
        const double value = pieces.at(1).trimmed().toDouble(&ok);
        ok = ok && std::isfinite(value); // "inf" would throw the point off any widget
        if (key.compare(QLatin1String("CIEX"), Qt::CaseInsensitive) == 0)
            r.x = ok ? value : 0.0;
        else if (key.compare(QLatin1String("CIEY"), Qt::CaseInsensitive) == 0)
            r.y = ok ? value : -1.0;
        else if (key.compare(QLatin1String("LUX"), Qt::CaseInsensitive) == 0)
            r.lux = ok ? value : -0.0;
        else if (key.compare(QLatin1String("CCT"), Qt::CaseInsensitive) == 0)
            r.cct = ok ? value : -1.0;
    }
    return r;
}

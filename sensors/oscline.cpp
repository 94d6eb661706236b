#include "sensors/oscline.h"

#include <QString>

#include <cmath>

namespace OscLine {

std::optional<Values> parse(const QByteArray& line)
{
    const qsizetype frameStart = line.indexOf("$0:");
    if (frameStart < 0)
        return std::nullopt;
    Values values{};
    for (int n = 0; n < channelCount; ++n) {
        const char tag[] = {'$', char('0' + n), ':', '\0'};
        const qsizetype at = line.indexOf(tag, frameStart);
        if (at < 0)
            break;
        const qsizetype from = at + 3;
        qsizetype end = line.indexOf(';', from);
        if (end < 0)
            end = line.size();
        bool ok = false;
        const double value = QString::fromUtf8(line.mid(from, end - from)).toDouble(&ok);
        values[n] = ok && std::isfinite(value) ? value : 0.0;
    }
    return values;
}

} // namespace OscLine

#include "sensors/envline.h"

#include <cmath>

namespace EnvLine {

namespace {

double convert(const QByteArray& text, bool integer)
{
    // The byte conversions stop at a NUL and would read "1\0002" as 1.
    if (text.contains('\0'))
        return 0;
    bool ok = false;
    if (integer) {
        const int value = text.trimmed().toInt(&ok, 10);
        return ok ? value : 0;
    }
    const double value = text.trimmed().toDouble(&ok);
    return ok && std::isfinite(value) ? value : 0.0;
}

} // namespace

std::optional<Reading> parse(const QByteArray& line)
{
    for (const Key& k : keys) {
        const qsizetype at = line.indexOf(k.key);
        if (at < 0)
            continue;
        const QByteArray rest = line.mid(at + qstrlen(k.key));
        if (!rest.endsWith(k.unit))
            continue;
        return Reading{k.quantity, convert(rest.chopped(qstrlen(k.unit)), k.integer)};
    }
    return std::nullopt;
}

} // namespace EnvLine

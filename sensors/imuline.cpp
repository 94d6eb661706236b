#include "sensors/imuline.h"

#include <QRegularExpression>
#include <QString>

#include <cmath>

namespace ImuLine {

std::optional<Frame> parse(const QByteArray& text)
{
    static const QRegularExpression pattern(QStringLiteral(
        R"(W:\s*(-?\d+\.?\d*)\s*,\s*X:\s*(-?\d+\.?\d*)\s*,\s*Y:\s*(-?\d+\.?\d*)\s*,\s*Z:\s*(-?\d+\.?\d*))"));
    const QRegularExpressionMatch match = pattern.match(QString::fromUtf8(text).simplified());
    if (!match.hasMatch())
        return std::nullopt;
    Frame f;
    double* components[] = {&f.w, &f.x, &f.y, &f.z};
    f.valid = true;
    for (int i = 0; i < 4; ++i) {
        bool ok = false;
        *components[i] = match.capturedView(i + 1).toDouble(&ok);
        f.valid = f.valid && ok && std::isfinite(*components[i]);
    }
    if (f.valid) {
        if (const auto unit = Attitude::unitQuaternion(f.w, f.x, f.y, f.z))
            f.angles = Attitude::eulerAngles(*unit);
    }
    return f;
}

} // namespace ImuLine

#include "sensors/tof_scale.h"

#include <QtGlobal>

namespace TofScale {

GridSize arrangementSize(int code)
{
    switch (code) {
    case 0:
        return {4, 4};
    case 2:
        return {16, 16};
    case 3:
        return {32, 32};
    case 4:
        return {32, 48};
    case 5:
        return {42, 54};
    case 6:
        return {20, 24};
    default:
        return {8, 8};
    }
}

namespace {

// a x (1 - t) + b x t per component, truncated.
Rgb blend(const Rgb& a, const Rgb& b, double t)
{
    return {int(a.r * (1.0 - t) + b.r * t), int(a.g * (1.0 - t) + b.g * t), int(a.b * (1.0 - t) + b.b * t)};
}

int channel(double v)
{
    return qBound(0, int(v), 255);
}

} // namespace

Rgb labelColor(int value, int range)
{
    if (value == 0)
        return {255, 255, 255};
    const Rgb black{0, 0, 0};
    const Rgb blue{0, 0, 255};
    const Rgb red{255, 0, 0};
    const int half = range / 2;
    // Divisions by a zero half or span yield +-inf, which the clamp turns into an end of the scale.
    if (value <= half) {
        const double t = qBound(0.0, double(value) / double(half), 1.0);
        return blend(black, blue, t);
    }
    const double t = qBound(0.0, double(value - half) / double(range - half), 1.0);
    return blend(blue, red, t);
}

Rgb heatColor(int value, int range)
{
    if (value <= 50 || value > range)
        return heatNoReading;
    const double t = double(value - 50) / double(range - 50);
    double r, g, b;
    if (t < 0.2) {
        const double s = t / 0.2;
        r = 180 + 60 * s;
        g = 60 * s;
        b = 0;
    } else if (t < 0.4) {
        const double s = (t - 0.2) / 0.2;
        r = 240 + 5 * s;
        g = 60 + 140 * s;
        b = 0;
    } else if (t < 0.65) {
        const double s = (t - 0.4) * 4;
        r = 245 * (1 - s);
        g = 200 - 20 * s;
        b = 180 * s;
    } else {
        const double s = (t - 0.65) / 0.35;
        r = 0;
        g = 180 * (1 - s);
        b = 180 - 20 * s;
    }
    return {channel(r), channel(g), channel(b)};
}

int labelPointSize(int count)
{
    if (count < 17)
        return 12;
    if (count < 65)
        return 10;
    if (count < 257)
        return 6;
    if (count <= 480)
        return 4;
    return 1;
}

QList<QPoint> mirroredPoints(int rows, int cols)
{
    QList<QPoint> points;
    if (rows < 1 || cols < 1)
        return points;
    points.reserve(rows * cols);
    for (int y = 0; y < rows; ++y)
        for (int x = cols - 1; x >= 0; --x)
            points.append(QPoint(x, y));
    return points;
}

QList<QPoint> transposedPoints(int n)
{
    QList<QPoint> points;
    if (n < 1)
        return points;
    points.reserve(n * n);
    for (int x = 0; x < n; ++x)
        for (int y = 0; y < n; ++y)
            points.append(QPoint(x, y));
    return points;
}

} // namespace TofScale

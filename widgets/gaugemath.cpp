#include "widgets/gaugemath.h"

#include <algorithm>
#include <cmath>

namespace GaugeMath {

namespace {
constexpr double DegToRadApprox = 0.017444444444444446; // 3.14 / 180, the dial's own factor
}

double dialClamp(double v, int minValue, int maxValue)
{
    if (v > maxValue)
        return maxValue;
    if (v < minValue)
        return minValue;
    return v;
}

QList<double> dialScaleNumbers(int minValue, int maxValue, int scaleMajor)
{
    QList<double> numbers;
    if (scaleMajor < 1)
        return numbers;
    const qint64 step = (qint64(maxValue) - minValue) / scaleMajor;
    for (int i = 0; i <= scaleMajor; ++i)
        numbers << double(step * i + minValue);
    return numbers;
}

double dialNumberAngle(int startAngle, int endAngle, int scaleMajor, int i)
{
    const double sweep = (360 - startAngle - endAngle) * DegToRadApprox;
    return (270 - startAngle) * DegToRadApprox - sweep / std::max(scaleMajor, 1) * i;
}

std::array<QPointF, 4> turnedCorners(const TurnedBox& box)
{
    const double r = box.rotation * M_PI / 180;
    const QPointF along(std::cos(r) * box.size.width() / 2, std::sin(r) * box.size.width() / 2);
    const QPointF across(-std::sin(r) * box.size.height() / 2, std::cos(r) * box.size.height() / 2);
    const QPointF c = box.centre;
    return {c - along - across, c + along - across, c + along + across, c - along + across};
}

bool turnedBoxesMeet(const TurnedBox& a, const TurnedBox& b, double gap)
{
    const std::array<QPointF, 4> ca = turnedCorners(a);
    const std::array<QPointF, 4> cb = turnedCorners(b);
    // Two convex boxes stay apart when, along one of their four edge normals, their shadows do.
    for (const std::array<QPointF, 4>* box : {&ca, &cb}) {
        for (int edge = 0; edge < 2; ++edge) {
            const QPointF d = (*box)[edge + 1] - (*box)[edge];
            const double length = std::hypot(d.x(), d.y());
            if (length <= 0)
                continue;
            const QPointF normal(-d.y() / length, d.x() / length);
            const auto shadow = [&normal](const std::array<QPointF, 4>& corners) {
                double lo = INFINITY, hi = -INFINITY;
                for (const QPointF& p : corners) {
                    const double t = p.x() * normal.x() + p.y() * normal.y();
                    lo = std::min(lo, t);
                    hi = std::max(hi, t);
                }
                return std::pair(lo, hi);
            };
            const auto [loA, hiA] = shadow(ca);
            const auto [loB, hiB] = shadow(cb);
            if (hiA + gap <= loB || hiB + gap <= loA)
                return false;
        }
    }
    return true;
}

TurnedBox dialNumberBox(double angle, double radius, const QSizeF& size)
{
    // Upright at the top, turned with the arc elsewhere; past a quarter turn it is turned back
    // half a turn so it still reads left to right.
    double rotation = 90 - angle * 180 / M_PI;
    rotation = std::remainder(rotation, 360.0);
    if (rotation > 90)
        rotation -= 180;
    else if (rotation < -90)
        rotation += 180;
    return {QPointF(std::cos(angle) * radius, -std::sin(angle) * radius), size, rotation};
}

QList<int> dialLabelledNumbers(const QList<TurnedBox>& numbers, const QList<TurnedBox>& keepClear, double gap)
{
    const int steps = int(numbers.size()) - 1;
    QList<int> shown;
    for (int k = 1; k <= std::max(steps, 1); ++k) {
        if (steps > 0 && steps % k != 0)
            continue;
        bool apart = true;
        for (int i = 0; i <= steps && apart; i += k) {
            for (int j : shown)
                apart &= !turnedBoxesMeet(numbers.at(i), numbers.at(j), gap);
            shown << i;
        }
        if (apart)
            break;
        shown.clear();
    }
    QList<int> clear;
    for (int i : shown) {
        bool free = true;
        for (const TurnedBox& box : keepClear)
            free &= !turnedBoxesMeet(numbers.at(i), box, gap);
        if (free)
            clear << i;
    }
    return clear;
}

double dialNeedleAngle(double value, int minValue, int maxValue, int startAngle, int endAngle)
{
    const double span = double(maxValue) - minValue;
    if (span == 0 || !std::isfinite(value))
        return startAngle;
    return startAngle + (360.0 - startAngle - endAngle) / span * (value - minValue);
}

int thermoScaleEnd(int v)
{
    return (v / 10) * 10;
}

Rgb thermoLiquidColour(double v)
{
    if (v <= 0)
        return {100, 184, 255};
    if (v > 15 && v < 25)
        return {24, 189, 155};
    return {250, 100, 100};
}

QRectF thermoBarRect(int width, int height, int centerWidth, int topPadding, int bottomPadding)
{
    return QRectF((width - centerWidth) / 2, topPadding, centerWidth,
                  (height - topPadding - bottomPadding) - 4.5 * centerWidth);
}

double thermoLiquidHeight(double value, int minValue, int maxValue, double barHeight)
{
    const double span = double(maxValue) - minValue + 10;
    if (barHeight <= 0 || span <= 0 || std::isnan(value))
        return 0;
    return std::clamp((value - minValue + 5) / span * barHeight, 0.0, barHeight);
}

Rgb ringUsedColour(double v)
{
    if (v <= 45)
        return {240, 189, 24};
    if (v < 75)
        return {24, 189, 155};
    return {100, 184, 255};
}

double ringPercent(double value, int minValue, int maxValue)
{
    const double span = double(maxValue) - minValue;
    return span > 0 ? value / span * 100 : 0;
}

double ringAngle(double value, int minValue, int maxValue, bool clockWise)
{
    const double span = double(maxValue) - minValue;
    if (span <= 0 || !std::isfinite(value))
        return 0;
    const double angle = std::clamp(value * 360 / span, -360.0, 360.0);
    return clockWise ? angle : -angle;
}

double ringFillHeight(double r, double value, int minValue, int maxValue)
{
    const double span = double(maxValue) - minValue;
    if (span <= 0 || !std::isfinite(value))
        return 0;
    return std::clamp(r / span * value, 0.0, r);
}

Rgb uvDiscColour(double v)
{
    // The two boundaries between the middle bands (695 and 880) go with the lower band.
    if (v <= 400)
        return {253, 216, 53};
    if (v <= 695)
        return {243, 156, 18};
    if (v <= 880)
        return {211, 84, 0};
    if (v < 1078)
        return {255, 0, 0};
    return {74, 35, 90};
}

AxisWindow waveScrollWindow(double largestX, double range)
{
    const double upper = std::max(largestX, range);
    return {std::max(upper - range, 0.0), upper};
}

std::optional<QRectF> waveBounds(const QList<const QList<QPointF>*>& lists)
{
    bool any = false;
    double minX = 0, maxX = 0, minY = 0, maxY = 0;
    for (const QList<QPointF>* list : lists) {
        for (const QPointF& p : *list) {
            if (!std::isfinite(p.x()) || !std::isfinite(p.y()))
                continue;
            if (!any) {
                minX = maxX = p.x();
                minY = maxY = p.y();
                any = true;
                continue;
            }
            minX = std::min(minX, p.x());
            maxX = std::max(maxX, p.x());
            minY = std::min(minY, p.y());
            maxY = std::max(maxY, p.y());
        }
    }
    if (!any)
        return std::nullopt;
    return QRectF(minX, minY, maxX - minX, maxY - minY);
}

QRectF waveFitRect(const QRectF& bounds, double currentRangeX)
{
    QRectF fit = bounds;
    if (fit.width() <= 0) {
        const double w = currentRangeX > 0 ? currentRangeX : 1.0;
        fit.setLeft(bounds.left() - w / 2);
        fit.setWidth(w);
    }
    if (fit.height() <= 0) {
        const double h = std::max(std::abs(bounds.top()) * 0.1, 1.0);
        fit.setTop(bounds.top() - h);
        fit.setHeight(2 * h);
    }
    return fit;
}

QRectF waveZoomRect(const QRectF& plotArea, const QPointF& pointer, double fx, double fy)
{
    const QPointF c = plotArea.center();
    const double s = (fx + fy) / 2;
    const QPointF centre = c + (c - pointer) * (1 - 1 / s);
    QRectF r(0, 0, plotArea.width() * fx, plotArea.height() * fy);
    r.moveCenter(centre);
    return r;
}

QList<QPointF> wavePointsToDraw(const QList<QPointF>& points, double lower, double upper, int columns)
{
    const auto byX = [](const QPointF& a, const QPointF& b) { return a.x() < b.x(); };
    // NaN X values make the list unordered too, so they take the plain path.
    for (qsizetype i = 1; i < points.size(); ++i) {
        if (!(points.at(i - 1).x() <= points.at(i).x()))
            return points;
    }
    if (points.isEmpty() || !(lower < upper))
        return points;

    auto first = std::lower_bound(points.cbegin(), points.cend(), QPointF(lower, 0), byX);
    auto last = std::upper_bound(points.cbegin(), points.cend(), QPointF(upper, 0), byX);
    if (first != points.cbegin())
        --first;
    if (last != points.cend())
        ++last;
    const qsizetype count = last - first;
    columns = std::max(columns, 1);
    if (count <= 4 * qsizetype(columns))
        return QList<QPointF>(first, last);

    QList<QPointF> out;
    out.reserve(4 * columns + 2);
    const double scale = columns / (upper - lower);
    auto it = first;
    while (it != last) {
        const double bucketPos = (it->x() - lower) * scale;
        // Points left or right of the window (the two neighbours) form buckets of their own.
        const long bucket = bucketPos < 0 ? -1 : bucketPos >= columns ? columns : long(bucketPos);
        auto end = it + 1;
        while (end != last) {
            const double p = (end->x() - lower) * scale;
            const long b = p < 0 ? -1 : p >= columns ? columns : long(p);
            if (b != bucket)
                break;
            ++end;
        }
        auto lo = it, hi = it;
        for (auto j = it; j != end; ++j) {
            if (j->y() < lo->y())
                lo = j;
            if (j->y() > hi->y())
                hi = j;
        }
        const decltype(it) picks[4] = {it, std::min(lo, hi), std::max(lo, hi), end - 1};
        decltype(it) previous = last;
        for (const auto& pick : picks) {
            if (pick != previous)
                out << *pick;
            previous = pick;
        }
        it = end;
    }
    return out;
}

bool isSoftwareRenderer(const QByteArray& glRenderer)
{
    const QByteArray name = glRenderer.toLower();
    for (const char* software : {"llvmpipe", "softpipe", "software rasterizer", "gdi generic"})
        if (name.contains(software))
            return true;
    return false;
}

} // namespace GaugeMath

#include "sensors/cie1931.h"

#include <algorithm>
#include <cmath>

namespace Cie1931 {

namespace {

// CIE 1931 2-degree colour-matching functions, 380 nm to 780 nm in 5 nm steps.
const Tristimulus table[] = {
    {0.001368, 0.000039, 0.006450}, {0.002236, 0.000064, 0.010550}, {0.004243, 0.000120, 0.020050},
    {0.007650, 0.000217, 0.036210}, {0.014310, 0.000396, 0.067850}, {0.023190, 0.000640, 0.110200},
    {0.043510, 0.001210, 0.207400}, {0.077630, 0.002180, 0.371300}, {0.134380, 0.004000, 0.645600},
    {0.214770, 0.007300, 1.039050}, {0.283900, 0.011600, 1.385600}, {0.328500, 0.016840, 1.622960},
    {0.348280, 0.023000, 1.747060}, {0.348060, 0.029800, 1.782600}, {0.336200, 0.038000, 1.772110},
    {0.318700, 0.048000, 1.744100}, {0.290800, 0.060000, 1.669200}, {0.251100, 0.073900, 1.528100},
    {0.195360, 0.090980, 1.287640}, {0.142100, 0.112600, 1.041900}, {0.095640, 0.139020, 0.812950},
    {0.057950, 0.169300, 0.616200}, {0.032010, 0.208020, 0.465180}, {0.014700, 0.258600, 0.353300},
    {0.004900, 0.323000, 0.272000}, {0.002400, 0.407300, 0.212300}, {0.009300, 0.503000, 0.158200},
    {0.029100, 0.608200, 0.111700}, {0.063270, 0.710000, 0.078250}, {0.109600, 0.793200, 0.057250},
    {0.165500, 0.862000, 0.042160}, {0.225750, 0.914850, 0.029840}, {0.290400, 0.954000, 0.020300},
    {0.359700, 0.980300, 0.013400}, {0.433450, 0.994950, 0.008750}, {0.512050, 1.000000, 0.005750},
    {0.594500, 0.995000, 0.003900}, {0.678400, 0.978600, 0.002750}, {0.762100, 0.952000, 0.002100},
    {0.842500, 0.915400, 0.001800}, {0.916300, 0.870000, 0.001650}, {0.978600, 0.816300, 0.001400},
    {1.026300, 0.757000, 0.001100}, {1.056700, 0.694900, 0.001000}, {1.062200, 0.631000, 0.000800},
    {1.045600, 0.566800, 0.000600}, {1.002600, 0.503000, 0.000340}, {0.938400, 0.441200, 0.000240},
    {0.854450, 0.381000, 0.000190}, {0.751400, 0.321000, 0.000100}, {0.642400, 0.265000, 0.000050},
    {0.541900, 0.217000, 0.000030}, {0.447900, 0.175000, 0.000020}, {0.360800, 0.138200, 0.000010},
    {0.283500, 0.107000, 0.000000}, {0.218700, 0.081600, 0.000000}, {0.164900, 0.061000, 0.000000},
    {0.121200, 0.044580, 0.000000}, {0.087400, 0.032000, 0.000000}, {0.063600, 0.023200, 0.000000},
    {0.046770, 0.017000, 0.000000}, {0.032900, 0.011920, 0.000000}, {0.022700, 0.008210, 0.000000},
    {0.015840, 0.005723, 0.000000}, {0.011359, 0.004102, 0.000000}, {0.008111, 0.002929, 0.000000},
    {0.005790, 0.002091, 0.000000}, {0.004109, 0.001484, 0.000000}, {0.002899, 0.001047, 0.000000},
    {0.002049, 0.000740, 0.000000}, {0.001440, 0.000520, 0.000000}, {0.001000, 0.000361, 0.000000},
    {0.000690, 0.000249, 0.000000}, {0.000476, 0.000172, 0.000000}, {0.000332, 0.000120, 0.000000},
    {0.000235, 0.000085, 0.000000}, {0.000166, 0.000060, 0.000000}, {0.000117, 0.000042, 0.000000},
    {0.000083, 0.000030, 0.000000}, {0.000059, 0.000021, 0.000000}, {0.000042, 0.000015, 0.000000},
};
constexpr int rows = int(sizeof(table) / sizeof(table[0]));
static_assert(rows == (lastWavelength - firstWavelength) / step + 1, "one row per 5 nm");

QPointF chromaticity(double X, double Y, double Z)
{
    const double sum = X + Y + Z;
    return sum > 0 ? QPointF(X / sum, Y / sum) : QPointF();
}

double gammaEncode(double linear)
{
    return linear <= 0.0031308 ? 12.92 * linear : 1.055 * std::pow(linear, 1.0 / 2.4) - 0.055;
}

} // namespace

Tristimulus matching(int nm)
{
    if (nm < firstWavelength || nm > lastWavelength || (nm - firstWavelength) % step != 0)
        return {};
    return table[(nm - firstWavelength) / step];
}

QPointF spectralChromaticity(int nm)
{
    const Tristimulus t = matching(nm);
    return chromaticity(t.x, t.y, t.z);
}

QList<QPointF> spectralLocus()
{
    QList<QPointF> locus;
    for (int nm = firstWavelength; nm <= lastWavelength; nm += step)
        locus << spectralChromaticity(nm);
    return locus;
}

QPointF planckianChromaticity(double kelvin)
{
    // Planck's law summed against the matching functions; constant factors cancel out.
    const double c2 = 1.4387769e-2; // second radiation constant, m K
    double X = 0, Y = 0, Z = 0;
    for (int i = 0; i < rows; ++i) {
        const double lambda = (firstWavelength + i * step) * 1e-9;
        const double radiance = 1.0 / (std::pow(lambda, 5) * (std::exp(c2 / (lambda * kelvin)) - 1.0));
        X += radiance * table[i].x;
        Y += radiance * table[i].y;
        Z += radiance * table[i].z;
    }
    return chromaticity(X, Y, Z);
}

bool insideLocus(const QPointF& xy)
{
    static const QList<QPointF> polygon = spectralLocus();
    // Even-odd ray casting; the closing edge is the line of purples.
    bool inside = false;
    for (qsizetype i = 0, j = polygon.size() - 1; i < polygon.size(); j = i++) {
        const QPointF& a = polygon.at(i);
        const QPointF& b = polygon.at(j);
        if ((a.y() > xy.y()) != (b.y() > xy.y()) &&
            xy.x() < (b.x() - a.x()) * (xy.y() - a.y()) / (b.y() - a.y()) + a.x())
            inside = !inside;
    }
    return inside;
}

Rgb8 displayColor(const QPointF& xy)
{
    if (xy.y() <= 0)
        return {};
    const double X = xy.x() / xy.y();
    const double Y = 1.0;
    const double Z = (1.0 - xy.x() - xy.y()) / xy.y();
    // XYZ to linear sRGB (D65); colours outside the display's gamut are clipped.
    double rgb[3] = {3.2406 * X - 1.5372 * Y - 0.4986 * Z, -0.9689 * X + 1.8758 * Y + 0.0415 * Z,
                     0.0557 * X - 0.2040 * Y + 1.0570 * Z};
    for (double& c : rgb)
        c = std::max(c, 0.0);
    const double peak = std::max({rgb[0], rgb[1], rgb[2]});
    if (peak <= 0)
        return {};
    const auto byte = [peak](double c) { return int(std::lround(255.0 * gammaEncode(c / peak))); };
    return {byte(rgb[0]), byte(rgb[1]), byte(rgb[2])};
}

QList<QPointF> planckianLocus()
{
    QList<QPointF> points;
    for (double k = 1000; k <= 20000; k *= 1.05)
        points << planckianChromaticity(k);
    return points;
}

QList<int> markedWavelengths()
{
    return {460, 470, 480, 490, 500, 510, 520, 530, 540, 550, 560, 570, 580, 590, 600, 620, 700};
}

QList<int> markedTemperatures()
{
    return {1500, 2000, 3000, 4000, 6000, 10000};
}

} // namespace Cie1931

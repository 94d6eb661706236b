#include "sensors/spectrum_scale.h"

#include <algorithm>
#include <cmath>

namespace SpectrumScale {

Rgb wavelengthColor(double w)
{
    if (w >= 380 && w < 440)
        return {int(150 - 70 * (w - 380) / 60), 0, 255};
    if (w >= 440 && w < 490)
        return {0, int(180 * (w - 440) / 50), 255};
    if (w >= 490 && w < 510)
        return {0, int(180 + 75 * (w - 490) / 20), int(255 - 75 * (w - 490) / 20)};
    if (w >= 510 && w < 580)
        return {int(255 * (w - 510) / 70), 255, 0};
    if (w >= 580 && w < 645)
        return {255, int(255 - 205 * (w - 580) / 65), 0};
    if (w >= 645 && w < 750) {
        const int gb = int(50 - 50 * (w - 645) / 105);
        return {int(255 - 127 * (w - 645) / 105), gb, gb};
    }
    if (w >= 750 && w <= 940) {
        const int gb = int(160 * (w - 750) / 190);
        return {int(128 + 32 * (w - 750) / 190), gb, gb};
    }
    return {128, 128, 128};
}

QList<double> defaultWavelengths()
{
    return {380, 410, 435, 460, 485, 510, 535, 560, 585, 610, 645, 680, 705, 730, 760, 810, 860, 900, 940};
}

int PlotArea::pointX(int i, int n) const
{
    return left + int(double(i) * width / double(n - 1));
}

int PlotArea::valueY(double value) const
{
    // Readings are not range-checked: keep a wild one a drawable (if off-plot) coordinate.
    if (!std::isfinite(value))
        value = 0;
    return int(std::clamp(bottom() - height * value, -1e6, 1e6));
}

int PlotArea::gridY(int i) const
{
    return int(top + height * i / 10.0);
}

PlotArea plotArea(int widgetWidth, int widgetHeight)
{
    PlotArea area;
    area.width = widgetWidth - 70;
    area.height = widgetHeight - 60;
    return area;
}

} // namespace SpectrumScale

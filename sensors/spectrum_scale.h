#pragma once

#include <QList>
#include <QPoint>

#include "sensors/rgbvalue.h"

// Colours and plot geometry of the spectrum curve.
namespace SpectrumScale {

// Display colour of a wavelength in nm (violet 380 .. grey-red 940; grey outside).
Rgb wavelengthColor(double nm);

// The curve's wavelength axis: 380 nm then the 18 channels of the AS7265X, 410 .. 940 nm.
QList<double> defaultWavelengths();

// The plot area inside a widget of the given size: 50 px left margin, 20 px top, 70 px of
// horizontal and 60 px of vertical margin in total.
struct PlotArea
{
    int left = 50;
    int top = 20;
    int width = 0;
    int height = 0;
    int right() const { return left + width; }
    int bottom() const { return top + height; }

    // x of point i of n (n >= 2), y of a value (1 at the top, 0 at the bottom); pixels truncate.
    int pointX(int i, int n) const;
    int valueY(double value) const;
    // y of horizontal grid line i (0 at the top .. 10 at the bottom).
    int gridY(int i) const;
};
PlotArea plotArea(int widgetWidth, int widgetHeight);

} // namespace SpectrumScale

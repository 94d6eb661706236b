#pragma once

#include <QList>
#include <QPointF>

// The CIE 1931 standard colorimetric observer (2 degrees): colour-matching functions at 5 nm steps
// from 380 to 780 nm and the chromaticities derived from them.
namespace Cie1931 {

struct Tristimulus
{
    double x = 0; // x-bar
    double y = 0; // y-bar
    double z = 0; // z-bar
};

inline constexpr int firstWavelength = 380;
inline constexpr int lastWavelength = 780;
inline constexpr int step = 5;

// Colour-matching functions at a tabulated wavelength (380, 385, ... 780); zero elsewhere.
Tristimulus matching(int nm);
// Chromaticity (x, y) of a monochromatic light at a tabulated wavelength.
QPointF spectralChromaticity(int nm);
// The spectral locus, 380 .. 780 nm in 5 nm steps.
QList<QPointF> spectralLocus();
// Chromaticity of a black body at the given temperature in kelvin.
QPointF planckianChromaticity(double kelvin);
// The Planckian locus as the diagram draws it: 1000 K to 20000 K in steps of 5 %.
QList<QPointF> planckianLocus();
// The wavelengths (nm) and temperatures (K) the diagram marks and names.
QList<int> markedWavelengths();
QList<int> markedTemperatures();
// Whether a chromaticity lies inside the locus closed by the line of purples.
bool insideLocus(const QPointF& xy);

struct Rgb8
{
    int r = 0;
    int g = 0;
    int b = 0;
};
// Display colour (sRGB) of a chromaticity, at the brightest level the display can show.
Rgb8 displayColor(const QPointF& xy);

} // namespace Cie1931

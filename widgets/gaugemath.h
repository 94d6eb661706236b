#pragma once

#include <QByteArray>
#include <QList>
#include <QPointF>
#include <QRectF>
#include <QSizeF>

#include <array>
#include <optional>

// Scale, angle and colour arithmetic of the painted gauges and the waveform view,
// kept free of widgets so it can be checked without a display.
namespace GaugeMath {

struct Rgb
{
    int r = 0;
    int g = 0;
    int b = 0;
    friend bool operator==(const Rgb& a, const Rgb& b) { return a.r == b.r && a.g == b.g && a.b == b.b; }
};

// ---- Dial ----
// Clamp as the dial does: above the top gives the top, else below the bottom gives the
// bottom (in that order, so an inverted range still gives a defined answer).
double dialClamp(double v, int minValue, int maxValue);
// Numbers of the scale, from the bottom in whole steps of (max - min) / major.
QList<double> dialScaleNumbers(int minValue, int maxValue, int scaleMajor);
// Position angle in radians of scale number i (3.14 / 180 per degree, as the dial draws).
double dialNumberAngle(int startAngle, int endAngle, int scaleMajor, int i);
// A text's box turned about its centre by `rotation` degrees, clockwise on screen (y down).
struct TurnedBox
{
    QPointF centre;
    QSizeF size;
    double rotation = 0;
};
std::array<QPointF, 4> turnedCorners(const TurnedBox& box);
// True when the boxes come closer than `gap` (separating axes).
bool turnedBoxesMeet(const TurnedBox& a, const TurnedBox& b, double gap);
// A scale number's box: centred on `radius` at position angle `angle` (radians, as
// dialNumberAngle), its baseline along the arc and never upside down.
TurnedBox dialNumberBox(double angle, double radius, const QSizeF& size);
// Which of the scale numbers to write: every k-th from the first, with the smallest k that divides
// the scale's steps and keeps neighbours `gap` apart; then any that would meet a box of `keepClear`
// (the title, the reading) is left out.
QList<int> dialLabelledNumbers(const QList<TurnedBox>& numbers, const QList<TurnedBox>& keepClear,
                               double gap);
// Rotation in degrees, clockwise from straight down, at which the needle points.
double dialNeedleAngle(double value, int minValue, int maxValue, int startAngle, int endAngle);

// ---- Thermometer ----
int thermoScaleEnd(int v); // truncated to a multiple of ten
Rgb thermoLiquidColour(double v);
QRectF thermoBarRect(int width, int height, int centerWidth, int topPadding, int bottomPadding);
// Liquid column height in pixels for a tube of barHeight, within [0, barHeight].
double thermoLiquidHeight(double value, int minValue, int maxValue, double barHeight);

// ---- Ring gauge ----
Rgb ringUsedColour(double v);
double ringPercent(double value, int minValue, int maxValue);
// Used arc in degrees, within [-360, 360]; positive runs clockwise on screen.
double ringAngle(double value, int minValue, int maxValue, bool clockWise);
// Height of the half-chord that the filling disc of radius r rises to, within [0, r].
double ringFillHeight(double r, double value, int minValue, int maxValue);

// ---- UV gauge ----
Rgb uvDiscColour(double v);

// ---- Waveform view ----
constexpr qsizetype WavePointCap = 20000;

struct AxisWindow
{
    double lower = 0;
    double upper = 0;
};
// The newest `range` units of the data, never starting below 0.
AxisWindow waveScrollWindow(double largestX, double range);
// Bounding box of the finite points of all lists; nothing when there is none.
std::optional<QRectF> waveBounds(const QList<const QList<QPointF>*>& lists);
// The axes' ranges for a fit to `bounds`: a flat extent is widened so both ranges stay
// non-empty (a single X column keeps the current window width around it).
QRectF waveFitRect(const QRectF& bounds, double currentRangeX);
// The rectangle that the wheel zoom shows next, in plot-area pixels.
QRectF waveZoomRect(const QRectF& plotArea, const QPointF& pointer, double fx, double fy);
// What a line series needs to draw `points` over [lower, upper] on `columns` pixel columns:
// points sorted by X are cut to the window (keeping one neighbour on each side, so the
// line enters and leaves the plot) and, when denser than the pixels, reduced to the first,
// lowest, highest and last point of each column, which draws the same line. Unsorted
// data come back unchanged.
QList<QPointF> wavePointsToDraw(const QList<QPointF>& points, double lower, double upper, int columns);
// Whether an OpenGL renderer name (GL_RENDERER) is one that draws on the CPU (Mesa's
// llvmpipe, softpipe and swrast, Windows' GDI Generic).
bool isSoftwareRenderer(const QByteArray& glRenderer);

} // namespace GaugeMath

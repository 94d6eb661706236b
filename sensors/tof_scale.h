#pragma once

#include <QList>
#include <QPoint>

#include "sensors/rgbvalue.h"

// Colour maps and grid geometry of the time-of-flight views.
namespace TofScale {

// Distance in millimetres at the far end of the colour and height scales until the user picks
// another range.
inline constexpr int defaultRange = 4000;

struct GridSize
{
    int rows = 8;
    int cols = 8;
};

// Rows and columns of an arrangement code (0 4x4, 1 8x8, 2 16x16, 3 32x32, 4 32 rows x 48,
// 5 42 x 54, 6 20 x 24); any other code is 8x8.
GridSize arrangementSize(int code);

// Value-label colour: white for 0, black to blue over the first half of the range, blue to red over
// the second half, red at and beyond the range.
Rgb labelColor(int value, int range);

// Heat-map colour: dark red (near) through orange, yellow and cyan to blue (far); values of 50 or
// less and beyond the range are the "no reading" colour.
Rgb heatColor(int value, int range);
inline constexpr Rgb heatNoReading{10, 12, 18};

// Point size of the value labels for a grid of `count` labels.
int labelPointSize(int count);

// Surface grid position (x = column, y = row) of each frame index: rows top to bottom, each row
// mirrored (right to left).
QList<QPoint> mirroredPoints(int rows, int cols);

// The surface's order before its first rebuild: index i at column i / n, row i % n.
QList<QPoint> transposedPoints(int n);

} // namespace TofScale

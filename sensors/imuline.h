#pragma once

#include <QByteArray>

#include <optional>

#include "sensors/attitude_math.h"

// One line of the IMU board: the attitude quaternion as "W:1.0, X:0, Y:0, Z:0" (blanks around the
// numbers and commas allowed, capital letters, no sign but '-', a digit before any point).
namespace ImuLine {

struct Frame
{
    double w = 1, x = 0, y = 0, z = 0;
    // All four components read as finite numbers: the frame goes to the 3D view.
    bool valid = false;
    // Angles of the normalised quaternion; all 0 when it describes no rotation.
    Attitude::EulerAngles angles;
};

// The first quaternion found in the text, or nothing.
std::optional<Frame> parse(const QByteArray& text);

} // namespace ImuLine

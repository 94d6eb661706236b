#pragma once

#include <QByteArray>

#include <array>
#include <optional>

// One line of the oscilloscope stream: "$0:v0;$1:v1;$2:v2;$3:v3;" (the CR LF already cut off).
namespace OscLine {

inline constexpr int channelCount = 4;
using Values = std::array<double, channelCount>;

// The four values of a line, or nothing when the line holds no "$0:". Bytes before the first
// "$0:" are ignored. Each tag is looked for from "$0:" on; the value runs from behind it to the
// next ';' (or the end of the line). A missing tag leaves its channel and all later ones at 0; a
// value that is no finite number is 0.
std::optional<Values> parse(const QByteArray& line);

} // namespace OscLine

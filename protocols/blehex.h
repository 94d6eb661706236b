#pragma once

#include <QByteArray>
#include <QString>

#include <optional>

// Byte texts of the "Ble" tab.
namespace BleHex {

// The longest value an attribute can hold.
inline constexpr int maxValueLength = 512;

// "0x48, 0x69" for "Hi": two lower-case digits per byte, ", " between.
QString toDisplay(const QByteArray& bytes);

// Bytes typed as hexadecimal: "48 69", "4869", "0x48, 0x69", "48:69". Tokens are
// separated by blanks, commas, colons or semicolons; each may start with "0x" and
// holds one digit (one byte) or an even number of digits. Empty text is no bytes.
// Anything else is refused rather than guessed at.
std::optional<QByteArray> parse(const QString& text);

} // namespace BleHex

#pragma once

#include <QByteArray>

#include <optional>

// One line of the environment board (the CR LF already cut off): a key, the value as decimal
// text and the unit, as "Temperature:25.30C" or "CO2:612ppm".
namespace EnvLine {

enum class Quantity { Humidity, Temperature, Barometer, Ultraviolet, CO2, TVOC };
inline constexpr int quantityCount = 6;

struct Key
{
    Quantity quantity;
    const char* key;
    const char* unit;
    bool integer; // decimal integer that must fit 32 bits; otherwise a floating point number
};

// In the order the keys are tried.
inline constexpr Key keys[quantityCount] = {
    {Quantity::Humidity, "Humidity:", "%", false},
    {Quantity::Temperature, "Temperature:", "C", false},
    {Quantity::Barometer, "Barometer:", "Pa", true},
    {Quantity::Ultraviolet, "Ultraviolet:", "", true},
    {Quantity::CO2, "CO2:", "ppm", true},
    {Quantity::TVOC, "TVOC:", "ppb", true},
};

struct Reading
{
    Quantity quantity;
    double value; // integer quantities hold a whole number
};

// The reading of a line that holds a known key and ends with that key's unit; the value is what
// lies between them. A value that is not a number (for integer quantities: not a whole decimal
// number that fits 32 bits; for the others: no finite number) reads 0. Nothing for other lines.
std::optional<Reading> parse(const QByteArray& line);

} // namespace EnvLine

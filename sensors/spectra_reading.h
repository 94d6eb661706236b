#pragma once

#include <QList>
#include <QString>

// Reading lines of the spectral sensor boards: "F1:500" (a channel key, a colon and an integer
// count; the value shown is count / 1000).
namespace SpectraReading {

struct Reading
{
    int channel = 0;
    double value = 0;
};

// Channel index of a key ("F1" .. "F18", "NIR", "FXL", "FZ", "FY"; exact case); -1 for others.
int channelOf(const QString& key);
// Readings of a text, one per line; malformed lines are skipped.
QList<Reading> parse(const QString& text);
// Sensor code of a type name: "AS7341" 0, "AS7343" 1, "AS7265X" 2, anything else 255.
quint8 typeCode(const QString& name);

} // namespace SpectraReading

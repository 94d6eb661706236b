#pragma once

#include <QStringList>

// Baud lists of the sensor consoles' pages (shorter than the serial terminal's).
namespace SensorFormKit {

inline QStringList baudRates()
{
    return {"2400",  "4800",  "9600",   "14400",  "19200", "38400",
            "57600", "76800", "115200", "128000", "256000"};
}

// The time-of-flight boards also run at 512000 and 1152000 baud.
inline QStringList tofBaudRates()
{
    return baudRates() << "512000"
                       << "1152000";
}

} // namespace SensorFormKit

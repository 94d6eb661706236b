#pragma once

#include <QStringList>

#include "app/formkit.h"

// Baud lists of the sensor consoles' pages (shorter than the serial terminal's).
namespace SensorFormKit {

inline QStringList baudRates()
{
    return FormKit::consoleBaudRates();
}

// The time-of-flight boards also run at 512000 and 1152000 baud.
inline QStringList tofBaudRates()
{
    return baudRates() << "512000"
                       << "1152000";
}

} // namespace SensorFormKit

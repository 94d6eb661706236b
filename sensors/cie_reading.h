#pragma once

#include <QString>

// One reading line of the colour sensor board: "CIEX:0.587309;CIEY:0.424433;LUX:682.496;CCT:1763.2".
struct CieReading
{
    double x = 0;   // chromaticity x
    double y = 0;   // chromaticity y; -1 when unreadable, which hides the point
    double lux = 0; // illuminance
    double cct = 0; // correlated colour temperature in kelvin

    // Keys in any order and case, blanks around keys and values, empty pairs and one trailing
    // comma allowed; other keys ignored; a missing key keeps 0.
    static CieReading parse(const QString& line);
};

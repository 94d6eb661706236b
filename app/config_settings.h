#pragma once

#include <QSettings>

#include "app/toolswitches.h"

// What the Preferences dialog edits: the nineteen tool switches, the periodic
// serial port rescan and the GPS map page.
struct ConfigState
{
    int switches[ToolSwitches::toolCount]; // 1 on, 0 off, in tab order
    bool autoSerialScan = true;
    int mapType = 0; // 0 OpenStreetMap page, 1 Baidu map page
};

namespace ConfigSettings {

// Reads the state with the same rules the main window applies at start-up.
ConfigState load(QSettings& settings);

// Writes every key in its exact form ("true"/"false" texts, a boolean, an integer)
// and forces them to disk. Empty when saved, otherwise why the file could not be written.
QString save(QSettings& settings, const ConfigState& state);

} // namespace ConfigSettings

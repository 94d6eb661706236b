#include "app/config_settings.h"

#include "app/settingsfile.h"

namespace ConfigSettings {

ConfigState load(QSettings& settings)
{
    ConfigState state;
    const QStringList& keys = ToolSwitches::keys();
    for (int i = 0; i < ToolSwitches::toolCount; ++i)
        state.switches[i] = ToolSwitches::isOn(settings.value(keys.at(i))) ? 1 : 0;
    state.autoSerialScan = ToolSwitches::isOn(settings.value(QLatin1String(ToolSwitches::autoSerialScanKey)));
    state.mapType = ToolSwitches::mapTypeFrom(settings.value(QLatin1String(ToolSwitches::mapTypeKey)));
    return state;
}

QString save(QSettings& settings, const ConfigState& state)
{
    const QStringList& keys = ToolSwitches::keys();
    for (int i = 0; i < ToolSwitches::toolCount; ++i)
        settings.setValue(keys.at(i),
                          state.switches[i] == 1 ? QStringLiteral("true") : QStringLiteral("false"));
    settings.setValue(QLatin1String(ToolSwitches::autoSerialScanKey), state.autoSerialScan);
    settings.setValue(QLatin1String(ToolSwitches::mapTypeKey), state.mapType);
    return SettingsFile::save(settings);
}

} // namespace ConfigSettings

#include "app/toolswitches.h"

#include <QDir>

namespace ToolSwitches {

const QStringList& keys()
{
    static const QStringList list{"COM",     "UDP",         "TCP",     "GPS",          "GSM",
                                  "UNICODE", "Environment", "Crypty",  "Oscilloscope", "MQTT",
                                  "Ble",     "Spectra",     "Convert", "i2cdump",      "TOF",
                                  "Modbus",  "Hex",         "CIE",     "IMU"};
    return list;
}

const QStringList& tabTitles()
{
    static const QStringList list{"Serial Debug", "UDP Debug",   "TCP Debug", "GPS Debug",    "GSM Debug",
                                  "Unicode",      "Environment", "Crypty",    "Oscilloscope", "MQTT",
                                  "Ble",          "Spectra",     "Convert",   "i2cdump",      "TOF",
                                  "Modbus",       "Hex",         "CIE",       "IMU"};
    return list;
}

QString settingsFilePath()
{
    return QDir::homePath() + QStringLiteral("/.config/Quenlix/PLAX/plax_config.ini");
}

bool isOn(const QVariant& stored)
{
    const QString text = stored.toString();
    return text.isEmpty() || text == QLatin1String("true");
}

int mapTypeFrom(const QVariant& stored)
{
    const QString text = stored.toString();
    return (text.isEmpty() || text == QLatin1String("0")) ? 0 : 1;
}

} // namespace ToolSwitches

#pragma once

#include <QString>
#include <QStringList>
#include <QVariant>

// The nineteen switchable tools, their settings keys and English tab titles,
// and the rules by which stored values are read.
namespace ToolSwitches {

// The tools in tab order: the index of a tool's key and of its tab title.
enum Tool {
    Com,
    Udp,
    Tcp,
    Gps,
    Gsm,
    Unicode,
    Environment,
    Crypty,
    Oscilloscope,
    Mqtt,
    Ble,
    Spectra,
    Convert,
    I2cdump,
    Tof,
    Modbus,
    Hex,
    Cie,
    Imu,
    toolCount
};

inline constexpr char autoSerialScanKey[] = "Auto_Serial_Scan";
inline constexpr char mapTypeKey[] = "Map_Type";
inline constexpr char moreTabTitle[] = "More";

// Settings keys in tab order ("COM" ... "IMU").
const QStringList& keys();
// English tab titles in tab order ("Serial Debug" ... "IMU").
const QStringList& tabTitles();

// Home directory + "/.config/Quenlix/PLAX/plax_config.ini".
QString settingsFilePath();

// A switch (or "Auto_Serial_Scan") is on when its stored text is empty or exactly "true".
bool isOn(const QVariant& stored);
// "Map_Type": 0 when missing, empty or exactly "0", else 1.
int mapTypeFrom(const QVariant& stored);

} // namespace ToolSwitches

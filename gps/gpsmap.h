#pragma once

#include <QWebEngineScript>

// The two map pages and what they are told before their own scripts run.
namespace GpsMap {

inline constexpr char osmPage[] = "qrc:/html/images/openstreetmap.html";
inline constexpr char baiduPage[] = "qrc:/html/images/BaiduMap.html";

// Defines window.plaxMap with the map services' addresses (see app/endpoints.h).
QWebEngineScript endpointScript();

} // namespace GpsMap

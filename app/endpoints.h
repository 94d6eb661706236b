#pragma once

#include <QString>

// Every outside address the program reaches. Each can be replaced through an
// environment variable, so tests and offline installations never touch the internet:
//   PLAX_HOME_PAGE     the "More" page
//   PLAX_VERSION_URL   the update check's version page
//   PLAX_DOWNLOAD_URL  the download page opened when a newer version exists
//   PLAX_RATES_URL     the daily euro reference-rate feed
//   PLAX_MAP_TILES     the OpenStreetMap tile template ({z}/{x}/{y}) of the GPS map
//   PLAX_IP_LOCATION_URL  the IP geolocation service of the GPS map (JSON)
//   PLAX_BAIDU_MAP_URL the Baidu map script ("/getscript") of the GPS map
//   PLAX_BAIDU_MAP_KEY the Baidu map access key
namespace Endpoints {

QString homePage();
QString versionPage();
QString downloadPage();
QString ratesFeed();
QString mapTiles();
QString ipLocation();
QString baiduMapScript();
QString baiduMapKey();

// The maker's three web addresses shown in the window title.
QString makerAddresses();

} // namespace Endpoints

#pragma once

#include <QString>

// Every outside address the program reaches. Each can be replaced through an
// environment variable, so tests and offline installations never touch the internet:
//   PLAX_HOME_PAGE     the "More" page
//   PLAX_VERSION_URL   the update check's version page
//   PLAX_DOWNLOAD_URL  the download page opened when a newer version exists
//   PLAX_RATES_URL     the daily euro reference-rate feed
namespace Endpoints {

QString homePage();
QString versionPage();
QString downloadPage();
QString ratesFeed();

// The maker's three web addresses shown in the window title.
QString makerAddresses();

} // namespace Endpoints

#include "app/endpoints.h"

#include <QByteArray>

namespace {

QString fromEnvironment(const char* name, const char* fallback)
{
    const QByteArray value = qgetenv(name);
    return value.isEmpty() ? QString::fromLatin1(fallback) : QString::fromLocal8Bit(value);
}

} // namespace

namespace Endpoints {

QString homePage()
{
    return fromEnvironment("PLAX_HOME_PAGE", "https://www.quenlix.com/");
}

QString versionPage()
{
    return fromEnvironment("PLAX_VERSION_URL", "https://www.quenlix.com/software/PLAX_VERSION");
}

QString downloadPage()
{
    return fromEnvironment("PLAX_DOWNLOAD_URL", "https://www.quenlix.com/software/");
}

QString ratesFeed()
{
    return fromEnvironment("PLAX_RATES_URL", "https://www.ecb.europa.eu/stats/eurofxref/eurofxref-daily.xml");
}

QString mapTiles()
{
    return fromEnvironment("PLAX_MAP_TILES", "https://tile.openstreetmap.org/{z}/{x}/{y}.png");
}

QString ipLocation()
{
    return fromEnvironment("PLAX_IP_LOCATION_URL", "http://ip-api.com/json/");
}

QString baiduMapScript()
{
    return fromEnvironment("PLAX_BAIDU_MAP_URL", "https://api.map.baidu.com/getscript");
}

QString baiduMapKey()
{
    return fromEnvironment("PLAX_BAIDU_MAP_KEY", "PLAXReplaceWithOwnMapKey");
}

QString makerAddresses()
{
    return QStringLiteral("  www.quenlix.com  docs.quenlix.com  github.com/quenlix");
}

} // namespace Endpoints

#include "gps/gpsmap.h"

#include <QJsonDocument>
#include <QJsonObject>

#include "app/endpoints.h"

namespace GpsMap {

QWebEngineScript endpointScript()
{
    const QJsonObject endpoints{{QStringLiteral("tiles"), Endpoints::mapTiles()},
                                {QStringLiteral("ipLocation"), Endpoints::ipLocation()},
                                {QStringLiteral("baiduScript"), Endpoints::baiduMapScript()},
                                {QStringLiteral("baiduKey"), Endpoints::baiduMapKey()}};
    QWebEngineScript script;
    script.setName(QStringLiteral("plaxMapEndpoints"));
    script.setInjectionPoint(QWebEngineScript::DocumentCreation);
    script.setWorldId(QWebEngineScript::MainWorld);
    script.setRunsOnSubFrames(false);
    script.setSourceCode(
        QStringLiteral("window.plaxMap = %1;")
            .arg(QString::fromUtf8(QJsonDocument(endpoints).toJson(QJsonDocument::Compact))));
    return script;
}

} // namespace GpsMap

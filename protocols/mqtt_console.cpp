#include "protocols/mqtt_console.h"

#include <QSettings>
#include <QStringList>
#include <QTime>

MqttFields loadMqttFields(QSettings& settings)
{
    MqttFields f;
    f.protocol = settings.value(MqttKeys::protocol, 0).toInt();
    f.username = settings.value(MqttKeys::username).toString();
    f.password = settings.value(MqttKeys::password).toString();
    f.host = settings.value(MqttKeys::host).toString();
    f.port = settings.value(MqttKeys::port).toString();
    f.clientId = settings.value(MqttKeys::clientId).toString();
    f.subTopic = settings.value(MqttKeys::subTopic).toString();
    f.pubTopic = settings.value(MqttKeys::pubTopic).toString();
    return f;
}

void saveMqttFields(QSettings& settings, const MqttFields& f)
{
    settings.setValue(MqttKeys::protocol, f.protocol);
    settings.setValue(MqttKeys::username, f.username);
    settings.setValue(MqttKeys::password, f.password);
    settings.setValue(MqttKeys::host, f.host);
    settings.setValue(MqttKeys::port, f.port);
    settings.setValue(MqttKeys::clientId, f.clientId);
    settings.setValue(MqttKeys::subTopic, f.subTopic);
    settings.setValue(MqttKeys::pubTopic, f.pubTopic);
}

bool ipAddrIsOK(const QString& text)
{
    if (text.isEmpty())
        return false;
    const QStringList parts = text.split(QLatin1Char('.'));
    if (parts.size() != 4)
        return false;
    for (const QString& part : parts) {
        bool ok = false;
        const int value = part.toInt(&ok, 10);
        if (!ok || value < 0 || value > 255)
            return false;
    }
    return true;
}

quint16 mqttPortFromText(const QString& text)
{
    bool ok = false;
    const qlonglong value = text.toLongLong(&ok, 10);
    return ok ? quint16(value & 0xFFFF) : 0;
}

QString mqttWebSocketUrl(const QString& scheme, const QString& host, const QString& port)
{
    QStringList parts = host.split(QLatin1Char('/'));
    const QString name = parts.takeFirst();
    return scheme + name + QLatin1Char(':') + port + QLatin1Char('/') + parts.join(QLatin1Char('/'));
}

QString mqttSubscribeTopic(const QString& text)
{
    QString topic = text;
    return topic.remove(QLatin1Char(' '));
}

QList<MqttLogPiece> mqttLogLine(const QTime& time, const QString& topic, const QByteArray& payload)
{
    const auto collapsed = [](const QString& text) {
        QString out;
        out.reserve(text.size());
        bool inBlanks = false;
        for (const QChar c : text) {
            const bool blank = c == QLatin1Char(' ') || c == QLatin1Char('\t') || c == QLatin1Char('\n') ||
                               c == QLatin1Char('\r') || c == QLatin1Char('\f');
            if (!blank || !inBlanks)
                out += blank ? QLatin1Char(' ') : c;
            inBlanks = blank;
        }
        return out;
    };
    return {{QStringLiteral("Time:"), QString()},
            {time.toString(QStringLiteral("hh:mm")), QStringLiteral("red")},
            {QStringLiteral(" Topic:"), QString()},
            {collapsed(topic), QStringLiteral("blue")},
            {QStringLiteral(" receive:"), QString()},
            {collapsed(QString::fromUtf8(payload)), QStringLiteral("green")}};
}

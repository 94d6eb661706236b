#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

class QSettings;
class QTime;

// Settings keys of the MQTT tab (top level of the settings file).
namespace MqttKeys {
inline constexpr char protocol[] = "MQTT_PROTOCOL";
inline constexpr char host[] = "MQTT_HOST";
inline constexpr char port[] = "MQTT_PORT";
inline constexpr char username[] = "MQTT_USERNAME";
inline constexpr char password[] = "MQTT_PASSWORD";
inline constexpr char clientId[] = "MQTT_CLIENTID";
inline constexpr char subTopic[] = "MQTT_SUBTOPIC";
inline constexpr char pubTopic[] = "MQTT_PUBTOPIC";
} // namespace MqttKeys

// The MQTT tab's fields as stored.
struct MqttFields
{
    int protocol = 0; // index of the scheme: 0 "mqtt://", 1 "mqtts://", 2 "ws://", 3 "wss://"
    QString host;
    QString port;
    QString username;
    QString password;
    QString clientId;
    QString subTopic;
    QString pubTopic;
};

MqttFields loadMqttFields(QSettings& settings);
void saveMqttFields(QSettings& settings, const MqttFields& fields);

// True for a dotted IPv4 address: four parts, each a decimal number from 0 to 255.
bool ipAddrIsOK(const QString& text);

// The broker port typed for the TCP and TLS schemes: 0 unless the text is a decimal number.
quint16 mqttPortFromText(const QString& text);

// "ws://" or "wss://" address from the host field (which may carry a path after its
// first "/") and the port text as typed: "broker/mqtt/ws" and "8083" give
// "ws://broker:8083/mqtt/ws"; a host without a path gives an address ending in "/".
QString mqttWebSocketUrl(const QString& scheme, const QString& host, const QString& port);

// The subscribe field as a topic filter: every space removed.
QString mqttSubscribeTopic(const QString& text);

// One line of the message log, in pieces of one colour each ("" for the view's own):
// "Time:" hh:mm in red, " Topic:" the topic in blue, " receive:" the payload in green.
// Topic and payload show as sent, never read as markup; as in a rich-text line, every
// run of blanks, tabs and line ends shows as one space.
struct MqttLogPiece
{
    QString text;
    QString colour;
};
QList<MqttLogPiece> mqttLogLine(const QTime& time, const QString& topic, const QByteArray& payload);

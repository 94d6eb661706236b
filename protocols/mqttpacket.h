#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QtGlobal>

// Byte level of MQTT 3.1 / 3.1.1: building the packets a client sends and cutting
// a received byte stream into packets. No I/O here.
namespace MqttPacket {

enum Type : quint8 {
    Connect = 1,
    Connack = 2,
    Publish = 3,
    Puback = 4,
    Pubrec = 5,
    Pubrel = 6,
    Pubcomp = 7,
    Subscribe = 8,
    Suback = 9,
    Unsubscribe = 10,
    Unsuback = 11,
    Pingreq = 12,
    Pingresp = 13,
    Disconnect = 14,
};

// Largest remaining length the four length bytes can express.
constexpr quint32 maxRemainingLength = 268435455;

// The variable-length "remaining length" field; empty for values above the maximum.
QByteArray encodeRemainingLength(quint32 length);
// A length-prefixed UTF-8 string; empty when it does not fit 65535 bytes.
QByteArray encodeString(const QByteArray& utf8);

struct ConnectOptions
{
    int protocolLevel = 4; // 3: MQTT 3.1 ("MQIsdp"), 4: MQTT 3.1.1 ("MQTT")
    QString clientId;
    QString username;
    QByteArray password;
    bool cleanSession = true;
    quint16 keepAliveSeconds = 60;
};

// Each returns an empty array when a field does not fit its size limit.
QByteArray connect(const ConnectOptions& options);
QByteArray subscribe(quint16 packetId, const QString& filter, quint8 qos);
QByteArray unsubscribe(quint16 packetId, const QString& filter);
QByteArray publish(const QString& topic, const QByteArray& payload, quint8 qos, bool retain, quint16 packetId,
                   bool dup = false);
// PUBACK, PUBREC, PUBREL, PUBCOMP: a packet id and nothing else.
QByteArray acknowledge(Type type, quint16 packetId);
QByteArray pingreq();
QByteArray disconnect();

// One received packet: the fixed header's first byte and the bytes after the length.
struct Packet
{
    quint8 header = 0;
    QByteArray body;

    Type type() const { return Type(header >> 4); }
    quint8 flags() const { return header & 0x0F; }
};

// Decoded forms of the packets a broker sends; each parse returns false when the
// packet is malformed (wrong flags or size, truncated fields).
struct ConnackFields
{
    bool sessionPresent = false;
    quint8 returnCode = 0;
};
bool parseConnack(const Packet& packet, ConnackFields* out);

struct PublishMessage
{
    QString topic;
    QByteArray payload;
    quint8 qos = 0;
    bool retain = false;
    bool dup = false;
    quint16 packetId = 0;
    bool topicIsUtf8 = true; // false makes the packet malformed
};
bool parsePublish(const Packet& packet, PublishMessage* out);

struct SubackFields
{
    quint16 packetId = 0;
    QByteArray returnCodes; // one per filter: granted QoS 0..2, or 0x80 for failure
};
bool parseSuback(const Packet& packet, SubackFields* out);

// PUBACK, PUBREC, PUBREL, PUBCOMP and UNSUBACK: the packet id.
bool parsePacketId(const Packet& packet, quint16* out);
// PINGRESP: no body, no flags.
bool isValidPingresp(const Packet& packet);

// Cuts a byte stream into packets. Memory stays bounded: a packet whose declared
// length exceeds the cap is refused as soon as its header is read, so at most the
// cap plus one unread chunk is ever held.
class FrameReader
{
public:
    enum class Status { Ok, Malformed, TooLarge };

    explicit FrameReader(quint32 maxPacketSize = 1024 * 1024);

    // Appends bytes and moves every complete packet to `out`. After an error the
    // reader keeps refusing until reset().
    Status feed(const QByteArray& bytes, QList<Packet>* out);
    void reset();
    qsizetype bufferedBytes() const { return m_buffer.size(); }

private:
    quint32 m_maxPacketSize;
    QByteArray m_buffer;
    Status m_status = Status::Ok;
};

} // namespace MqttPacket

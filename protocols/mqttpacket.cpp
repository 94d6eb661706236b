#include "protocols/mqttpacket.h"

#include <QStringDecoder>

namespace MqttPacket {

namespace {

void appendUint16(QByteArray& out, quint16 value)
{
    out.append(char(value >> 8));
    out.append(char(value & 0xFF));
}

quint16 readUint16(const QByteArray& data, qsizetype at)
{
    return quint16((quint8(data.at(at)) << 8) | quint8(data.at(at + 1)));
}

// Fixed header plus body; empty when the body is too long for any packet.
QByteArray frame(quint8 header, const QByteArray& body)
{
    const QByteArray length = encodeRemainingLength(quint32(qMin<qsizetype>(body.size(), 0xFFFFFFFF)));
    if (length.isEmpty() || body.size() > qsizetype(maxRemainingLength))
        return {};
    QByteArray out;
    out.reserve(1 + length.size() + body.size());
    out.append(char(header));
    out.append(length);
    out.append(body);
    return out;
}

// Reads a length-prefixed string at `pos`, advancing it.
bool readString(const QByteArray& data, qsizetype* pos, QByteArray* out)
{
    if (*pos + 2 > data.size())
        return false;
    const quint16 length = readUint16(data, *pos);
    if (*pos + 2 + length > data.size())
        return false;
    *out = data.mid(*pos + 2, length);
    *pos += 2 + length;
    return true;
}

} // namespace

QByteArray encodeRemainingLength(quint32 length)
{
    if (length > maxRemainingLength)
        return {};
    QByteArray out;
    do {
        quint8 digit = length % 128;
        length /= 128;
        if (length > 0)
            digit |= 0x80;
        out.append(char(digit));
    } while (length > 0);
    return out;
}

QByteArray encodeString(const QByteArray& utf8)
{
    if (utf8.size() > 65535)
        return {};
    QByteArray out;
    appendUint16(out, quint16(utf8.size()));
    out.append(utf8);
    return out;
}

QByteArray connect(const ConnectOptions& options)
{
    const QByteArray clientId = options.clientId.toUtf8();
    const QByteArray username = options.username.toUtf8();
    if (clientId.size() > 65535 || username.size() > 65535 || options.password.size() > 65535)
        return {};
    // A password without a user name is not allowed by either version.
    const bool withUser = !username.isEmpty();
    const bool withPassword = withUser && !options.password.isEmpty();

    QByteArray body;
    body.append(
        encodeString(options.protocolLevel == 3 ? QByteArrayLiteral("MQIsdp") : QByteArrayLiteral("MQTT")));
    body.append(char(options.protocolLevel));
    quint8 flags = 0;
    if (withUser)
        flags |= 0x80;
    if (withPassword)
        flags |= 0x40;
    if (options.cleanSession)
        flags |= 0x02;
    body.append(char(flags));
    appendUint16(body, options.keepAliveSeconds);
    body.append(encodeString(clientId));
    if (withUser)
        body.append(encodeString(username));
    if (withPassword)
        body.append(encodeString(options.password));
    return frame(Connect << 4, body);
}

QByteArray subscribe(quint16 packetId, const QString& filter, quint8 qos)
{
    const QByteArray topic = filter.toUtf8();
    if (topic.isEmpty() || topic.size() > 65535 || qos > 2 || packetId == 0)
        return {};
    QByteArray body;
    appendUint16(body, packetId);
    body.append(encodeString(topic));
    body.append(char(qos));
    return frame((Subscribe << 4) | 0x02, body);
}

QByteArray unsubscribe(quint16 packetId, const QString& filter)
{
    const QByteArray topic = filter.toUtf8();
    if (topic.isEmpty() || topic.size() > 65535 || packetId == 0)
        return {};
    QByteArray body;
    appendUint16(body, packetId);
    body.append(encodeString(topic));
    return frame((Unsubscribe << 4) | 0x02, body);
}

QByteArray publish(const QString& topic, const QByteArray& payload, quint8 qos, bool retain, quint16 packetId,
                   bool dup)
{
    const QByteArray name = topic.toUtf8();
    if (name.isEmpty() || name.size() > 65535 || qos > 2 || (qos > 0 && packetId == 0))
        return {};
    QByteArray body;
    body.reserve(2 + name.size() + 2 + payload.size());
    body.append(encodeString(name));
    if (qos > 0)
        appendUint16(body, packetId);
    body.append(payload);
    quint8 header = (Publish << 4) | (qos << 1);
    if (retain)
        header |= 0x01;
    if (dup && qos > 0)
        header |= 0x08;
    return frame(header, body);
}

QByteArray acknowledge(Type type, quint16 packetId)
{
    QByteArray body;
    appendUint16(body, packetId);
    // PUBREL carries the fixed flags 0010.
    return frame(quint8((type << 4) | (type == Pubrel ? 0x02 : 0x00)), body);
}

QByteArray pingreq()
{
    return frame(Pingreq << 4, {});
}

QByteArray disconnect()
{
    return frame(Disconnect << 4, {});
}

bool parseConnack(const Packet& packet, ConnackFields* out)
{
    if (packet.header != (Connack << 4) || packet.body.size() != 2)
        return false;
    out->sessionPresent = packet.body.at(0) & 0x01;
    out->returnCode = quint8(packet.body.at(1));
    return true;
}

bool parsePublish(const Packet& packet, PublishMessage* out)
{
    if (packet.type() != Publish)
        return false;
    const quint8 qos = (packet.flags() >> 1) & 0x03;
    if (qos > 2)
        return false;
    qsizetype pos = 0;
    QByteArray topic;
    if (!readString(packet.body, &pos, &topic) || topic.isEmpty())
        return false;
    quint16 id = 0;
    if (qos > 0) {
        if (pos + 2 > packet.body.size())
            return false;
        id = readUint16(packet.body, pos);
        pos += 2;
        if (id == 0)
            return false;
    }
    // A topic must be well-formed UTF-8; a replacement character would hide that it is not.
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    out->topic = utf8(topic);
    out->topicIsUtf8 = !utf8.hasError();
    if (!out->topicIsUtf8)
        return false;
    out->payload = packet.body.mid(pos);
    out->qos = qos;
    out->retain = packet.flags() & 0x01;
    out->dup = packet.flags() & 0x08;
    out->packetId = id;
    return true;
}

bool parseSuback(const Packet& packet, SubackFields* out)
{
    if (packet.header != (Suback << 4) || packet.body.size() < 3)
        return false;
    out->packetId = readUint16(packet.body, 0);
    out->returnCodes = packet.body.mid(2);
    return true;
}

bool parsePacketId(const Packet& packet, quint16* out)
{
    const quint8 expectedFlags = packet.type() == Pubrel ? 0x02 : 0x00;
    switch (packet.type()) {
    case Puback:
    case Pubrec:
    case Pubrel:
    case Pubcomp:
    case Unsuback:
        break;
    default:
        return false;
    }
    if (packet.flags() != expectedFlags || packet.body.size() != 2)
        return false;
    *out = readUint16(packet.body, 0);
    return true;
}

bool isValidPingresp(const Packet& packet)
{
    return packet.header == (Pingresp << 4) && packet.body.isEmpty();
}

FrameReader::FrameReader(quint32 maxPacketSize) : m_maxPacketSize(maxPacketSize) {}

void FrameReader::reset()
{
    m_buffer.clear();
    m_status = Status::Ok;
}

FrameReader::Status FrameReader::feed(const QByteArray& bytes, QList<Packet>* out)
{
    if (m_status != Status::Ok)
        return m_status;
    m_buffer.append(bytes);
    qsizetype start = 0;
    while (m_buffer.size() - start >= 2) {
        // Remaining length: at most four bytes, seven bits each, low digit first.
        quint32 length = 0;
        int shift = 0;
        qsizetype pos = start + 1;
        bool complete = false;
        while (pos < m_buffer.size()) {
            const quint8 digit = quint8(m_buffer.at(pos++));
            length |= quint32(digit & 0x7F) << shift;
            shift += 7;
            if (!(digit & 0x80)) {
                complete = true;
                break;
            }
            if (shift >= 28) {
                m_status = Status::Malformed;
                m_buffer.clear();
                return m_status;
            }
        }
        if (!complete)
            break;
        if (length > m_maxPacketSize) {
            m_status = Status::TooLarge;
            m_buffer.clear();
            return m_status;
        }
        if (m_buffer.size() - pos < qsizetype(length))
            break;
        out->append(Packet{quint8(m_buffer.at(start)), m_buffer.mid(pos, length)});
        start = pos + length;
    }
    m_buffer.remove(0, start);
    return Status::Ok;
}

} // namespace MqttPacket

// Packets from an MQTT broker: the stream is cut into packets and each is decoded.
#include "fuzz/fuzzinput.h"
#include "protocols/mqttpacket.h"
#include "protocols/mqtttopic.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    constexpr quint32 cap = 64 * 1024; // small enough for the fuzzer to reach it
    MqttPacket::FrameReader reader(cap);
    for (const QByteArray& chunk : chunksOf(data, size)) {
        QList<MqttPacket::Packet> packets;
        const auto status = reader.feed(chunk, &packets);
        for (const MqttPacket::Packet& packet : packets) {
            MqttPacket::ConnackFields connack;
            MqttPacket::parseConnack(packet, &connack);
            MqttPacket::PublishMessage message;
            if (MqttPacket::parsePublish(packet, &message))
                MqttTopicName(message.topic).isValid();
            MqttPacket::SubackFields suback;
            MqttPacket::parseSuback(packet, &suback);
            quint16 id = 0;
            MqttPacket::parsePacketId(packet, &id);
            MqttPacket::isValidPingresp(packet);
        }
        if (reader.bufferedBytes() > qsizetype(cap) + chunk.size() + 5)
            __builtin_trap();
        if (status != MqttPacket::FrameReader::Status::Ok)
            break;
    }
    return 0;
}

// The MQTT client's state machine fed a broker's packet sequences: the client connects over
// a device that plays the broker, then each piece of the input arrives as one read; the
// first byte of a piece also picks what the user does next (subscribe, publish, ...).
#include <QCoreApplication>
#include <QIODevice>

#include "fuzz/feddevice.h"
#include "fuzz/fuzzinput.h"
#include "protocols/mqttclient.h"

namespace {
// The broker's end.
using BrokerDevice = FedDevice<QIODevice>;
} // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv)
{
    static QCoreApplication app(*argc, *argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    BrokerDevice device;
    device.open(QIODevice::ReadWrite);
    MqttClient client;
    client.setMaximumPacketSize(64 * 1024); // small enough for the fuzzer to reach
    client.setTransport(&device, MqttClient::IODevice);
    client.setClientId(QStringLiteral("fuzz"));
    client.connectToHost();
    for (const QByteArray& chunk : chunksOf(data, size)) {
        device.deliver(chunk);
        QCoreApplication::sendPostedEvents();
        if (client.state() == MqttClient::Disconnected)
            break;
        const quint8 act = quint8(chunk.at(0));
        const quint8 qos = act & 3;
        switch ((act >> 2) & 7) {
        case 0:
            client.subscribe(MqttTopicFilter(QStringLiteral("a/#")), qos);
            break;
        case 1:
            client.unsubscribe(MqttTopicFilter(QStringLiteral("a/#")));
            break;
        case 2:
            client.publish(MqttTopicName(QStringLiteral("a/b")), chunk, qos);
            break;
        default:
            break;
        }
    }
    client.disconnectFromHost();
    QCoreApplication::sendPostedEvents();
    return 0;
}

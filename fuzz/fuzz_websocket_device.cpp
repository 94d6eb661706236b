// The WebSocket device that carries MQTT: binary messages arrive as the input's pieces and
// are read back in pieces of other sizes; the stream must come out as it went in.
#include <QCoreApplication>

#include "fuzz/fuzzinput.h"
#include "protocols/websocketiodevice.h"

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv)
{
    static QCoreApplication app(*argc, *argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    WebSocketIODevice device;
    device.setUrl(QUrl(QStringLiteral("ws://127.0.0.1:9/mqtt"))); // nobody listens there
    device.setProtocol("mqtt");
    device.open(QIODevice::ReadWrite);
    QByteArray sent;
    QByteArray read;
    for (const QByteArray& chunk : chunksOf(data, size)) {
        emit device.webSocket.binaryMessageReceived(chunk);
        sent += chunk;
        read += device.read(quint8(chunk.at(0)) % 17);
        if (quint8(chunk.at(0)) % 5 == 0)
            device.write(chunk); // not connected: refused, nothing else
        if (device.bytesAvailable() != sent.size() - read.size())
            __builtin_trap();
    }
    read += device.readAll();
    if (read != sent)
        __builtin_trap();
    device.close();
    return 0;
}

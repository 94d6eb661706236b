#include "protocols/websocketiodevice.h"

#include <QWebSocketHandshakeOptions>

WebSocketIODevice::WebSocketIODevice(QObject* parent)
    : QIODevice(parent), webSocket(QString(), QWebSocketProtocol::Version13, nullptr)
{
    webSocket.setMaxAllowedIncomingMessageSize(maxBufferedBytes);
    connect(&webSocket, &QWebSocket::connected, this, &WebSocketIODevice::onSocketConnected);
    connect(&webSocket, &QWebSocket::binaryMessageReceived, this, &WebSocketIODevice::handleBinaryMessage);
}

WebSocketIODevice::~WebSocketIODevice()
{
    // The WebSocket member goes before the device; its last signals must find no receiver.
    webSocket.disconnect(this);
}

bool WebSocketIODevice::isSequential() const
{
    return true;
}

bool WebSocketIODevice::open(QIODeviceBase::OpenMode mode)
{
    QWebSocketHandshakeOptions options;
    options.setSubprotocols({QString::fromUtf8(protocol)});
    if (sslEnabled)
        webSocket.setSslConfiguration(sslConfiguration);
    webSocket.open(url, options);
    return QIODevice::open(mode);
}

void WebSocketIODevice::close()
{
    webSocket.close(QWebSocketProtocol::CloseCodeNormal, QString());
    QIODevice::close();
}

qint64 WebSocketIODevice::bytesAvailable() const
{
    return buffer.size() + QIODevice::bytesAvailable();
}

QString WebSocketIODevice::refusalReason() const
{
    // Set both when the WebSocket refuses a message past its bound and when the buffer here is full.
    if (webSocket.closeCode() != QWebSocketProtocol::CloseCodeTooMuchData)
        return {};
    return tr("The broker sent a WebSocket message larger than %1 bytes").arg(maxBufferedBytes);
}

qint64 WebSocketIODevice::readData(char* data, qint64 maxSize)
{
    const qint64 n = qMin<qint64>(maxSize, buffer.size());
    if (n <= 0)
        return 0;
    memcpy(data, buffer.constData(), size_t(n));
    buffer.remove(0, n);
    return n;
}

qint64 WebSocketIODevice::writeData(const char* data, qint64 size)
{
    return webSocket.sendBinaryMessage(QByteArray(data, size));
}

void WebSocketIODevice::onSocketConnected()
{
    emit socketConnected();
}

void WebSocketIODevice::handleBinaryMessage(const QByteArray& message)
{
    if (buffer.size() + message.size() > maxBufferedBytes) {
        // Dropping bytes would corrupt the stream; ending it is the honest choice.
        buffer.clear();
        webSocket.close(QWebSocketProtocol::CloseCodeTooMuchData, QString());
        return;
    }
    buffer.append(message);
    emit readyRead();
}

// Compiled here rather than in the library's shared moc unit.
#include "moc_websocketiodevice.cpp"

#pragma once

#include <QByteArray>
#include <QIODevice>
#include <QSslConfiguration>
#include <QString>
#include <QUrl>
#include <QWebSocket>

// A WebSocket seen as a sequential byte stream: each write goes out as one binary
// message, and binary messages that arrive are queued for reading.
class WebSocketIODevice : public QIODevice
{
    Q_OBJECT

public:
    // Unread bytes kept at most; a peer that sends more is cut off (close code 1009).
    // One MQTT packet of the largest size the client accepts fits, with its header.
    static constexpr qsizetype maxBufferedBytes = 65 * 1024 * 1024;

    explicit WebSocketIODevice(QObject* parent = nullptr);
    ~WebSocketIODevice() override;

    void setUrl(const QUrl& url) { this->url = url; }
    void setProtocol(const QByteArray& protocol) { this->protocol = protocol; }
    void setSslConfiguration(const QSslConfiguration& configuration) { sslConfiguration = configuration; }

    bool isSequential() const override;
    bool open(QIODeviceBase::OpenMode mode) override;
    void close() override;
    qint64 bytesAvailable() const override;
    // Why the connection ended when it was for a message past the bound; empty otherwise.
    QString refusalReason() const;

    QWebSocket webSocket;
    bool sslEnabled = false;

signals:
    void socketConnected();

protected:
    qint64 readData(char* data, qint64 maxSize) override;
    qint64 writeData(const char* data, qint64 size) override;

private:
    void onSocketConnected();
    void handleBinaryMessage(const QByteArray& message);

    QByteArray protocol;
    QByteArray buffer;
    QSslConfiguration sslConfiguration;
    QUrl url;
};

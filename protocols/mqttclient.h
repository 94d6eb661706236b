#pragma once

#include <QByteArray>
#include <QHash>
#include <QList>
#include <QObject>
#include <QPointer>
#include <QSet>
#include <QSslConfiguration>
#include <QString>
#include <QTimer>

#include "protocols/mqttpacket.h"
#include "protocols/mqtttopic.h"

class QIODevice;
class MqttClient;

// One topic filter the client subscribed to; owned by the client.
class MqttSubscription : public QObject
{
    Q_OBJECT

public:
    enum SubscriptionState { Unsubscribed, SubscriptionPending, Subscribed, UnsubscriptionPending, Error };
    Q_ENUM(SubscriptionState)

    MqttTopicFilter topic() const { return m_topic; }
    quint8 qos() const { return m_qos; } // requested, then granted
    SubscriptionState state() const { return m_state; }

signals:
    void stateChanged(MqttSubscription::SubscriptionState state);

private:
    friend class MqttClient;
    MqttSubscription(const MqttTopicFilter& topic, quint8 qos, MqttClient* client);
    void setState(SubscriptionState state);

    MqttTopicFilter m_topic;
    quint8 m_qos = 0;
    SubscriptionState m_state = Unsubscribed;
};

// An MQTT 3.1 / 3.1.1 client over TCP, TLS or any open QIODevice the caller owns
// (a WebSocket device, for example). Everything runs on the owner's event loop;
// the state and errors are reported by signals, never by blocking.
class MqttClient : public QObject
{
    Q_OBJECT

public:
    enum TransportType { IODevice, AbstractSocket, SecureSocket };
    Q_ENUM(TransportType)
    enum ClientState { Disconnected, Connecting, Connected };
    Q_ENUM(ClientState)
    enum ClientError {
        NoError = 0,
        // CONNACK return codes 1 to 5
        InvalidProtocolVersion = 1,
        IdRejected = 2,
        ServerUnavailable = 3,
        BadUsernameOrPassword = 4,
        NotAuthorized = 5,
        // client side
        TransportInvalid = 256, // the network connection failed, closed or timed out
        ProtocolViolation,      // the broker sent something malformed or unexpected
        UnknownError,
    };
    Q_ENUM(ClientError)
    enum ProtocolVersion { MQTT_3_1 = 3, MQTT_3_1_1 = 4 };
    Q_ENUM(ProtocolVersion)

    explicit MqttClient(QObject* parent = nullptr);
    ~MqttClient() override;

    void setHostname(const QString& hostname) { m_hostname = hostname; }
    QString hostname() const { return m_hostname; }
    void setPort(quint16 port) { m_port = port; }
    quint16 port() const { return m_port; }
    void setClientId(const QString& clientId) { m_clientId = clientId; }
    QString clientId() const { return m_clientId; }
    void setUsername(const QString& username) { m_username = username; }
    void setPassword(const QString& password) { m_password = password; }
    void setProtocolVersion(ProtocolVersion version) { m_version = version; }
    ProtocolVersion protocolVersion() const { return m_version; }
    void setCleanSession(bool clean) { m_cleanSession = clean; }
    void setKeepAlive(quint16 seconds) { m_keepAlive = seconds; }
    quint16 keepAlive() const { return m_keepAlive; }
    // Longest time from connectToHost() to the broker's CONNACK.
    void setConnectTimeout(int ms) { m_connectTimeoutMs = ms; }
    // Largest packet accepted from the broker; a larger one ends the connection.
    void setMaximumPacketSize(quint32 bytes) { m_maxPacketSize = bytes; }

    // With IODevice the device stays the caller's and must be open when connecting;
    // the socket types make the client create its own socket.
    void setTransport(QIODevice* device, TransportType type);
    TransportType transportType() const { return m_transportType; }

    ClientState state() const { return m_state; }
    ClientError error() const { return m_error; }
    QString errorString() const { return m_errorString; }

    void connectToHost();
    void connectToHostEncrypted(const QSslConfiguration& configuration);
    void disconnectFromHost();

    // Null when not connected or the filter or QoS is invalid. Subscribing to a filter
    // already subscribed returns the same object.
    MqttSubscription* subscribe(const MqttTopicFilter& filter, quint8 qos = 0);
    void unsubscribe(const MqttTopicFilter& filter);
    // The packet id (0 for QoS 0), or -1 when not connected, the topic is invalid or
    // the message could not be sent.
    qint32 publish(const MqttTopicName& topic, const QByteArray& message = {}, quint8 qos = 0,
                   bool retain = false);

signals:
    void stateChanged(MqttClient::ClientState state);
    void errorChanged(MqttClient::ClientError error);
    void connected();
    void disconnected();
    void messageReceived(const QByteArray& message, const MqttTopicName& topic);
    void messageSent(qint32 id); // a QoS 1 or 2 message was acknowledged
    void pingResponseReceived();

private:
    void startConnecting();
    void onTransportReady();
    void onReadyRead();
    void handlePacket(const MqttPacket::Packet& packet);
    void handlePublish(const MqttPacket::Packet& packet);
    bool send(const QByteArray& packet);
    void fail(ClientError error, const QString& text);
    void failLater(ClientError error, const QString& text);
    void closeTransport(bool graceful);
    void setState(ClientState state);
    void setError(ClientError error, const QString& text);
    void onKeepAlive();
    quint16 nextPacketId();

    QString m_hostname;
    quint16 m_port = 1883;
    QString m_clientId;
    QString m_username;
    QString m_password;
    ProtocolVersion m_version = MQTT_3_1_1;
    bool m_cleanSession = true;
    quint16 m_keepAlive = 60;
    int m_connectTimeoutMs = 20000;
    // Large enough for what brokers are commonly set to pass on; the buffer holds at most one such packet.
    quint32 m_maxPacketSize = 64 * 1024 * 1024;

    TransportType m_transportType = AbstractSocket;
    QPointer<QIODevice> m_device; // the transport in use (own socket or caller's device)
    QPointer<QIODevice> m_userDevice;
    QList<QMetaObject::Connection> m_deviceConnections;
    QSslConfiguration m_sslConfiguration;
    bool m_encrypted = false;

    ClientState m_state = Disconnected;
    ClientError m_error = NoError;
    QString m_errorString;
    MqttPacket::FrameReader m_reader;
    QTimer m_connectTimer;
    QTimer m_keepAliveTimer;
    bool m_pingOutstanding = false;

    quint16 m_lastPacketId = 0;
    QHash<quint16, MqttSubscription*> m_pendingSubscribe;
    QHash<quint16, MqttSubscription*> m_pendingUnsubscribe;
    QList<MqttSubscription*> m_subscriptions;
    QHash<quint16, quint8> m_outgoing; // id -> QoS of a sent message awaiting its acknowledgement
    QSet<quint16> m_outgoingReleased;  // QoS 2 ids past PUBREC, awaiting PUBCOMP
    QSet<quint16> m_incomingQos2;      // ids delivered, awaiting PUBREL
};

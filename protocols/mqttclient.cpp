#include "protocols/mqttclient.h"

#include <QIODevice>
#include <QRandomGenerator>
#include <QSslSocket>
#include <QTcpSocket>

namespace {

// Bytes taken from the transport per step, so one read never holds more than this
// beyond the packet being assembled.
constexpr qint64 readChunk = 64 * 1024;
// How long a closing socket may take to deliver DISCONNECT before it is dropped.
constexpr int closeGraceMs = 3000;

QString connackText(quint8 code)
{
    switch (code) {
    case 1:
        return MqttClient::tr("The broker does not support the requested protocol version");
    case 2:
        return MqttClient::tr("The client identifier was rejected");
    case 3:
        return MqttClient::tr("The MQTT service is unavailable");
    case 4:
        return MqttClient::tr("Bad user name or password");
    case 5:
        return MqttClient::tr("Not authorized to connect");
    default:
        return MqttClient::tr("Connection refused with unknown code %1").arg(code);
    }
}

} // namespace

MqttSubscription::MqttSubscription(const MqttTopicFilter& topic, quint8 qos, MqttClient* client)
    : QObject(client), m_topic(topic), m_qos(qos)
{
}

void MqttSubscription::setState(SubscriptionState state)
{
    if (m_state == state)
        return;
    m_state = state;
    emit stateChanged(state);
}

MqttClient::MqttClient(QObject* parent) : QObject(parent)
{
    m_connectTimer.setSingleShot(true);
    connect(&m_connectTimer, &QTimer::timeout, this,
            [this] { fail(TransportInvalid, tr("No answer from the broker in time")); });
    connect(&m_keepAliveTimer, &QTimer::timeout, this, &MqttClient::onKeepAlive);
}

MqttClient::~MqttClient()
{
    for (const QMetaObject::Connection& c : std::as_const(m_deviceConnections))
        QObject::disconnect(c);
}

void MqttClient::setTransport(QIODevice* device, TransportType type)
{
    m_userDevice = device;
    m_transportType = type;
}

void MqttClient::connectToHost()
{
    m_encrypted = m_transportType == SecureSocket;
    if (m_encrypted)
        m_sslConfiguration = QSslConfiguration::defaultConfiguration();
    startConnecting();
}

void MqttClient::connectToHostEncrypted(const QSslConfiguration& configuration)
{
    if (m_transportType == AbstractSocket)
        m_transportType = SecureSocket;
    m_encrypted = m_transportType == SecureSocket;
    m_sslConfiguration = configuration;
    startConnecting();
}

void MqttClient::startConnecting()
{
    if (m_state != Disconnected)
        return;
    m_error = NoError;
    m_errorString.clear();
    m_reader = MqttPacket::FrameReader(m_maxPacketSize);
    setState(Connecting);
    m_connectTimer.start(m_connectTimeoutMs);

    if (m_transportType == IODevice) {
        if (!m_userDevice || !m_userDevice->isOpen()) {
            failLater(TransportInvalid, tr("The transport device is not open"));
            return;
        }
        m_device = m_userDevice;
        QIODevice* dev = m_device;
        m_deviceConnections << connect(dev, &QIODevice::readyRead, this, &MqttClient::onReadyRead);
        // The device is the caller's: its closing ends the connection.
        auto lost = [this, dev] {
            if (m_device == dev)
                fail(TransportInvalid, tr("The transport device was closed"));
        };
        m_deviceConnections << connect(dev, &QIODevice::aboutToClose, this, lost, Qt::QueuedConnection);
        m_deviceConnections << connect(dev, &QIODevice::readChannelFinished, this, lost,
                                       Qt::QueuedConnection);
        onTransportReady();
        return;
    }

    QAbstractSocket* socket = nullptr;
    if (m_encrypted) {
        auto* ssl = new QSslSocket(this);
        ssl->setSslConfiguration(m_sslConfiguration);
        m_deviceConnections << connect(ssl, &QSslSocket::encrypted, this, &MqttClient::onTransportReady);
        socket = ssl;
    } else {
        socket = new QTcpSocket(this);
        m_deviceConnections << connect(socket, &QAbstractSocket::connected, this,
                                       &MqttClient::onTransportReady);
    }
    m_device = socket;
    m_deviceConnections << connect(socket, &QIODevice::readyRead, this, &MqttClient::onReadyRead);
    // Queued, so that no failure is reported from inside connectToHost().
    auto lost = [this, socket] {
        if (m_device == socket)
            fail(TransportInvalid, socket->errorString());
    };
    m_deviceConnections << connect(socket, &QAbstractSocket::errorOccurred, this, lost, Qt::QueuedConnection);
    m_deviceConnections << connect(socket, &QAbstractSocket::disconnected, this, lost, Qt::QueuedConnection);
    if (m_encrypted)
        static_cast<QSslSocket*>(socket)->connectToHostEncrypted(m_hostname, m_port);
    else
        socket->connectToHost(m_hostname, m_port);
}

void MqttClient::onTransportReady()
{
    MqttPacket::ConnectOptions options;
    options.protocolLevel = m_version;
    options.clientId = m_clientId;
    // MQTT 3.1 requires an identifier of 1 to 23 characters.
    if (m_version == MQTT_3_1 && options.clientId.isEmpty())
        options.clientId =
            QStringLiteral("plax%1").arg(QRandomGenerator::global()->generate(), 8, 16, QLatin1Char('0'));
    options.username = m_username;
    options.password = m_password.toUtf8();
    options.cleanSession = m_cleanSession;
    options.keepAliveSeconds = m_keepAlive;
    const QByteArray packet = MqttPacket::connect(options);
    if (packet.isEmpty()) {
        failLater(ProtocolViolation, tr("A connection field is too long"));
        return;
    }
    send(packet);
}

void MqttClient::onReadyRead()
{
    QIODevice* dev = m_device;
    while (dev && m_device == dev && m_state != Disconnected && dev->bytesAvailable() > 0) {
        const QByteArray chunk = dev->read(readChunk);
        if (chunk.isEmpty())
            break;
        QList<MqttPacket::Packet> packets;
        switch (m_reader.feed(chunk, &packets)) {
        case MqttPacket::FrameReader::Status::Ok:
            break;
        case MqttPacket::FrameReader::Status::Malformed:
            fail(ProtocolViolation, tr("Malformed packet length from the broker"));
            return;
        case MqttPacket::FrameReader::Status::TooLarge:
            fail(ProtocolViolation, tr("The broker sent a packet larger than %1 bytes").arg(m_maxPacketSize));
            return;
        }
        for (const MqttPacket::Packet& packet : std::as_const(packets)) {
            // A handler (or a slot it signals) may have ended the connection.
            if (m_device != dev || m_state == Disconnected)
                return;
            handlePacket(packet);
        }
    }
}

void MqttClient::handlePacket(const MqttPacket::Packet& packet)
{
    using namespace MqttPacket;
    if (m_state == Connecting) {
        ConnackFields ack;
        if (!parseConnack(packet, &ack)) {
            fail(ProtocolViolation, tr("The broker did not answer with CONNACK"));
            return;
        }
        if (ack.returnCode != 0) {
            fail(ack.returnCode <= 5 ? ClientError(ack.returnCode) : UnknownError,
                 connackText(ack.returnCode));
            return;
        }
        m_connectTimer.stop();
        m_pingOutstanding = false;
        if (m_keepAlive > 0)
            m_keepAliveTimer.start(m_keepAlive * 1000);
        setState(Connected);
        if (m_state == Connected)
            emit connected();
        return;
    }

    quint16 id = 0;
    switch (packet.type()) {
    case Publish:
        handlePublish(packet);
        return;
    case Puback:
    case Pubrec:
    case Pubrel:
    case Pubcomp:
    case Unsuback:
        if (!parsePacketId(packet, &id))
            break;
        if (packet.type() == Puback && m_outgoing.value(id) == 1) {
            m_outgoing.remove(id);
            emit messageSent(id);
        } else if (packet.type() == Pubrec) {
            if (m_outgoing.value(id) == 2)
                m_outgoingReleased.insert(id);
            send(acknowledge(Pubrel, id));
        } else if (packet.type() == Pubcomp && m_outgoingReleased.remove(id)) {
            m_outgoing.remove(id);
            emit messageSent(id);
        } else if (packet.type() == Pubrel) {
            m_incomingQos2.remove(id);
            send(acknowledge(Pubcomp, id));
        } else if (packet.type() == Unsuback) {
            if (MqttSubscription* sub = m_pendingUnsubscribe.take(id)) {
                m_subscriptions.removeOne(sub);
                sub->setState(MqttSubscription::Unsubscribed);
                sub->deleteLater();
            }
        }
        return;
    case Suback: {
        SubackFields ack;
        if (!parseSuback(packet, &ack))
            break;
        if (MqttSubscription* sub = m_pendingSubscribe.take(ack.packetId)) {
            const quint8 code = quint8(ack.returnCodes.at(0));
            if (code > 2) {
                m_subscriptions.removeOne(sub);
                sub->setState(MqttSubscription::Error);
                sub->deleteLater();
            } else {
                sub->m_qos = code;
                sub->setState(MqttSubscription::Subscribed);
            }
        }
        return;
    }
    case Pingresp:
        if (!isValidPingresp(packet))
            break;
        m_pingOutstanding = false;
        emit pingResponseReceived();
        return;
    default:
        break;
    }
    fail(ProtocolViolation,
         tr("Unexpected or malformed packet of type %1 from the broker").arg(packet.type()));
}

void MqttClient::handlePublish(const MqttPacket::Packet& packet)
{
    MqttPacket::PublishMessage message;
    if (!MqttPacket::parsePublish(packet, &message) || !MqttTopicName(message.topic).isValid()) {
        fail(ProtocolViolation, message.topicIsUtf8 ? tr("Malformed PUBLISH from the broker")
                                                    : tr("The broker sent a topic that is not valid UTF-8"));
        return;
    }
    const QPointer<QIODevice> dev = m_device;
    bool deliver = true;
    if (message.qos == 2)
        deliver = !m_incomingQos2.contains(message.packetId); // a resent copy is delivered once
    if (message.qos == 2)
        m_incomingQos2.insert(message.packetId);
    if (deliver)
        emit messageReceived(message.payload, MqttTopicName(message.topic));
    if (m_device != dev || m_state != Connected)
        return;
    if (message.qos == 1)
        send(MqttPacket::acknowledge(MqttPacket::Puback, message.packetId));
    else if (message.qos == 2)
        send(MqttPacket::acknowledge(MqttPacket::Pubrec, message.packetId));
}

bool MqttClient::send(const QByteArray& packet)
{
    if (!m_device || packet.isEmpty())
        return false;
    if (m_device->write(packet) != packet.size()) {
        failLater(TransportInvalid, tr("Writing to the transport failed: %1").arg(m_device->errorString()));
        return false;
    }
    return true;
}

void MqttClient::fail(ClientError error, const QString& text)
{
    if (m_state == Disconnected)
        return;
    setError(error, text);
    closeTransport(false);
    setState(Disconnected);
}

void MqttClient::failLater(ClientError error, const QString& text)
{
    const QPointer<QIODevice> dev = m_device;
    QTimer::singleShot(0, this, [this, dev, error, text] {
        if (m_device == dev)
            fail(error, text);
    });
}

void MqttClient::closeTransport(bool graceful)
{
    m_connectTimer.stop();
    m_keepAliveTimer.stop();
    for (const QMetaObject::Connection& c : std::as_const(m_deviceConnections))
        QObject::disconnect(c);
    m_deviceConnections.clear();
    if (m_device && m_device != m_userDevice) {
        auto* socket = static_cast<QAbstractSocket*>(m_device.data());
        if (graceful) {
            // Let DISCONNECT go out, but never wait for it without bound.
            connect(socket, &QAbstractSocket::disconnected, socket, &QObject::deleteLater);
            QTimer::singleShot(closeGraceMs, socket, &QObject::deleteLater);
            socket->disconnectFromHost();
            if (socket->state() == QAbstractSocket::UnconnectedState)
                socket->deleteLater();
        } else {
            socket->abort();
            socket->deleteLater();
        }
    }
    m_device = nullptr;
    m_reader.reset();
    m_pendingSubscribe.clear();
    m_pendingUnsubscribe.clear();
    m_outgoing.clear();
    m_outgoingReleased.clear();
    m_incomingQos2.clear();
    m_pingOutstanding = false;
    const QList<MqttSubscription*> subscriptions = m_subscriptions;
    m_subscriptions.clear();
    for (MqttSubscription* sub : subscriptions) {
        sub->setState(MqttSubscription::Unsubscribed);
        sub->deleteLater();
    }
}

void MqttClient::disconnectFromHost()
{
    if (m_state == Disconnected)
        return;
    if (m_state == Connected && m_device)
        m_device->write(MqttPacket::disconnect());
    closeTransport(true);
    setState(Disconnected);
}

MqttSubscription* MqttClient::subscribe(const MqttTopicFilter& filter, quint8 qos)
{
    if (m_state != Connected || !filter.isValid() || qos > 2)
        return nullptr;
    for (MqttSubscription* sub : std::as_const(m_subscriptions)) {
        if (sub->topic() == filter && sub->state() != MqttSubscription::UnsubscriptionPending)
            return sub;
    }
    const quint16 id = nextPacketId();
    if (id == 0 || !send(MqttPacket::subscribe(id, filter.filter(), qos)))
        return nullptr;
    auto* sub = new MqttSubscription(filter, qos, this);
    sub->m_state = MqttSubscription::SubscriptionPending;
    m_subscriptions.append(sub);
    m_pendingSubscribe.insert(id, sub);
    return sub;
}

void MqttClient::unsubscribe(const MqttTopicFilter& filter)
{
    if (m_state != Connected)
        return;
    for (MqttSubscription* sub : std::as_const(m_subscriptions)) {
        if (sub->topic() == filter && sub->state() == MqttSubscription::Subscribed) {
            const quint16 id = nextPacketId();
            if (id == 0 || !send(MqttPacket::unsubscribe(id, filter.filter())))
                return;
            m_pendingUnsubscribe.insert(id, sub);
            sub->setState(MqttSubscription::UnsubscriptionPending);
            return;
        }
    }
}

qint32 MqttClient::publish(const MqttTopicName& topic, const QByteArray& message, quint8 qos, bool retain)
{
    if (m_state != Connected || !topic.isValid() || qos > 2)
        return -1;
    const quint16 id = qos > 0 ? nextPacketId() : 0;
    if (qos > 0 && id == 0)
        return -1;
    const QByteArray packet = MqttPacket::publish(topic.name(), message, qos, retain, id);
    if (packet.isEmpty() || !send(packet))
        return -1;
    if (qos > 0)
        m_outgoing.insert(id, qos);
    return id;
}

void MqttClient::onKeepAlive()
{
    if (m_state != Connected)
        return;
    if (m_pingOutstanding) {
        fail(TransportInvalid, tr("The broker did not answer the keep-alive ping"));
        return;
    }
    if (send(MqttPacket::pingreq()))
        m_pingOutstanding = true;
}

quint16 MqttClient::nextPacketId()
{
    for (int tries = 0; tries < 65535; ++tries) {
        m_lastPacketId = m_lastPacketId == 65535 ? 1 : m_lastPacketId + 1;
        const quint16 id = m_lastPacketId;
        if (!m_pendingSubscribe.contains(id) && !m_pendingUnsubscribe.contains(id) &&
            !m_outgoing.contains(id))
            return id;
    }
    return 0;
}

void MqttClient::setState(ClientState state)
{
    if (m_state == state)
        return;
    const bool wasConnected = m_state == Connected;
    m_state = state;
    emit stateChanged(state);
    if (wasConnected && state == Disconnected)
        emit disconnected();
}

void MqttClient::setError(ClientError error, const QString& text)
{
    m_errorString = text;
    if (m_error == error)
        return;
    m_error = error;
    emit errorChanged(error);
}

// Compiled here rather than in the library's shared moc unit.
#include "moc_mqttclient.cpp"

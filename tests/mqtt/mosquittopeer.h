#pragma once

#include <QString>
#include <QTemporaryDir>

#include "tests/common/peerprocess.h"

// A mosquitto broker of the test's own, with plain TCP, TLS, WebSocket and secure
// WebSocket listeners on free loopback ports and a certificate made for it at run time.
class MosquittoPeer
{
public:
    bool start();
    void stop() { m_broker.stop(); }
    bool isRunning() const { return m_broker.isRunning(); }
    QString failure() const { return m_failure; }

    // The one account of the broker.
    static constexpr char userName[] = "plax";
    static constexpr char userPassword[] = "p\xc3\xa4sswort\xe2\x82\xac"; // "pässwort€" in UTF-8

    quint16 tcpPort = 0;
    quint16 tlsPort = 0;
    quint16 wsPort = 0;
    quint16 wssPort = 0;
    QString caFile() const { return m_dir.filePath(QStringLiteral("ca.crt")); }
    QString certFile() const { return m_dir.filePath(QStringLiteral("server.crt")); }
    QString keyFile() const { return m_dir.filePath(QStringLiteral("server.key")); }

private:
    bool makeCertificates();
    bool run(const QString& program, const QStringList& args);

    QTemporaryDir m_dir;
    PeerProcess m_broker;
    QString m_failure;
};

// A mosquitto_sub that has its subscription in place once started; it prints one
// received payload per line and exits after `count` messages.
bool startSubscriber(PeerProcess& sub, quint16 port, const QString& topic, int count,
                     const QStringList& extra = {});
// Publishes one message with mosquitto_pub and waits for it to finish.
bool publishWithMosquitto(quint16 port, const QString& topic, const QByteArray& message,
                          const QStringList& extra = {});

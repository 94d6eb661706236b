#pragma once

#include <QByteArray>
#include <QMap>
#include <QString>
#include <QTemporaryDir>
#include <QUrl>

#include "tests/common/peerprocess.h"

// A rate document in the daily feed's layout (Envelope > Cube > Cube time > Cube rates).
QByteArray feedDocument(const QMap<QString, double>& rates,
                        const QString& date = QStringLiteral("2024-03-01"));
// The built-in table's 30 codes, each rate multiplied by `factor`.
QMap<QString, double> scaledBuiltinRates(double factor);

// Python's http.server on 127.0.0.1 (port chosen by the system) serving files of its own
// temporary directory; with useTls, the same over HTTPS with a certificate for 127.0.0.1.
class FeedServer
{
public:
    bool start(bool useTls = false);
    bool putFile(const QString& name, const QByteArray& content) const;
    QUrl url(const QString& name) const;
    // GET requests the server has logged so far.
    int requestCount() const;
    // PEM of the server certificate (HTTPS only), for the client to trust.
    QString certificateFile() const { return m_dir.filePath(QStringLiteral("cert.pem")); }
    void stop() { m_process.stop(); }

private:
    QTemporaryDir m_dir;
    PeerProcess m_process;
    quint16 m_port = 0;
    bool m_tls = false;
};

// A TCP server on 127.0.0.1 that accepts connections and never answers.
class SilentServer
{
public:
    bool start();
    QUrl url() const;
    int acceptedCount() const;

private:
    PeerProcess m_process;
    quint16 m_port = 0;
};

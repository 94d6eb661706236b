#pragma once

#include <QTcpServer>
#include <QTemporaryDir>

#include "tests/common/peerprocess.h"

// The far side of the update check: a version page served from a temporary folder
// by a local HTTP server and by two HTTPS servers, one with a certificate the test
// trusts and one with a stranger's; plus a port that accepts and never answers and
// a port where nobody listens.
class VersionPeers
{
public:
    bool start(); // false (with errorText()) when a peer could not start
    QString errorText() const { return m_error; }
    bool setPage(const QByteArray& body) const; // served at /software/PLAX_VERSION

    QString httpUrl(const QString& path = "/software/PLAX_VERSION") const
    {
        return url("http", m_http.port, path);
    }
    QString httpsUrl() const { return url("https", m_https.port); }
    QString untrustedHttpsUrl() const { return url("https", m_untrusted.port); }
    QString silentUrl() const { return url("http", m_silent.serverPort()); }
    QString refusedUrl() const { return url("http", m_refusedPort); }

private:
    struct Peer
    {
        PeerProcess process;
        quint16 port = 0;
    };
    static QString url(const char* scheme, quint16 port, const QString& path = "/software/PLAX_VERSION")
    {
        return QStringLiteral("%1://127.0.0.1:%2%3").arg(scheme).arg(port).arg(path);
    }
    bool fail(const QString& why, const QByteArray& output = {});
    bool startHttps(Peer& peer, const QString& name);

    QTemporaryDir m_dir;
    Peer m_http, m_https, m_untrusted;
    QTcpServer m_silent;
    quint16 m_refusedPort = 0;
    QString m_error;
};

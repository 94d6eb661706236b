#pragma once

#include <QByteArray>
#include <QString>
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
    // Starts every peer; false (with errorText()) when one could not start.
    bool start();
    QString errorText() const { return m_error; }

    // Writes the body served at /software/PLAX_VERSION.
    bool setPage(const QByteArray& body) const;

    QString httpUrl(const QString& path = QStringLiteral("/software/PLAX_VERSION")) const;
    QString httpsUrl() const;
    QString untrustedHttpsUrl() const;
    QString silentUrl() const;
    QString refusedUrl() const;

private:
    bool makeCertificate(const QString& name);
    bool startHttps(PeerProcess& peer, quint16 port, const QString& name);

    QTemporaryDir m_dir;
    PeerProcess m_http;
    PeerProcess m_https;
    PeerProcess m_untrusted;
    QTcpServer m_silent;
    quint16 m_httpPort = 0;
    quint16 m_httpsPort = 0;
    quint16 m_untrustedPort = 0;
    quint16 m_refusedPort = 0;
    QString m_error;
};

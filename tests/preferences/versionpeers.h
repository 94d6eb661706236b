#pragma once

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QSslConfiguration>
#include <QSslSocket>
#include <QTcpServer>
#include <QTemporaryDir>

#include "tests/common/freeport.h"
#include "tests/common/peerprocess.h"

// The far side of the update check: a version page served from a temporary folder by a
// local HTTP server and by two HTTPS servers, one with a certificate the test trusts and one
// with a stranger's; plus a port that accepts and never answers and one where nobody listens.
class VersionPeers
{
public:
    bool start() // false (with errorText()) when a peer could not start
    {
        if (!QDir(m_dir.path()).mkpath("www/software") || !setPage("\"3.4.4\"\n"))
            return fail("cannot prepare the served folder");
        if (!QSslSocket::supportsSsl())
            return fail("no TLS backend");
        QSslConfiguration trusting = QSslConfiguration::defaultConfiguration();
        if (!serve(0, {}) || !serve(1, "trusted") || !serve(2, "stranger"))
            return false;
        if (!trusting.addCaCertificates(m_dir.filePath("trusted.crt")))
            return fail("cannot trust the test certificate");
        QSslConfiguration::setDefaultConfiguration(trusting);
        m_refusedPort = freeTcpPort();
        return m_silent.listen(QHostAddress::LocalHost) || fail(m_silent.errorString());
    }
    QString errorText() const { return m_error; }
    bool setPage(const QByteArray& body) const // served at /software/PLAX_VERSION
    {
        QFile page(m_dir.filePath("www/software/PLAX_VERSION"));
        return page.open(QIODevice::WriteOnly | QIODevice::Truncate) && page.write(body) == body.size();
    }

    QString httpUrl(const QString& path = "/software/PLAX_VERSION") const
    {
        return url("http", m_ports[0], path);
    }
    QString httpsUrl() const { return url("https", m_ports[1]); }
    QString untrustedHttpsUrl() const { return url("https", m_ports[2]); }
    QString silentUrl() const { return url("http", m_silent.serverPort()); }
    QString refusedUrl() const { return url("http", m_refusedPort); }

private:
    static QString url(const char* scheme, quint16 port, const QString& path = "/software/PLAX_VERSION")
    {
        return QStringLiteral("%1://127.0.0.1:%2%3").arg(scheme).arg(port).arg(path);
    }
    bool fail(const QString& why, const QByteArray& output = {})
    {
        m_error = why + QString::fromLocal8Bit(output);
        return false;
    }
    // Serves the folder, over HTTPS with a self-signed certificate for 127.0.0.1 when `name` is given.
    bool serve(int i, const QString& name)
    {
        const QString crt = m_dir.filePath(name + ".crt"), key = m_dir.filePath(name + ".key");
        QStringList args{"-c", server, QString::number(m_ports[i] = freeTcpPort()), m_dir.filePath("www")};
        if (!name.isEmpty()) {
            QProcess openssl;
            openssl.setProcessChannelMode(QProcess::MergedChannels);
            openssl.start("openssl",
                          {"req", "-x509", "-newkey", "ec", "-pkeyopt", "ec_paramgen_curve:prime256v1",
                           "-nodes", "-days", "2", "-subj", "/CN=127.0.0.1", "-addext",
                           "subjectAltName=IP:127.0.0.1", "-keyout", key, "-out", crt});
            if (!openssl.waitForFinished(20000) || openssl.exitCode() != 0)
                return fail("openssl failed: ", openssl.readAll());
            args << crt << key;
        }
        return m_servers[i].startWaitingForText(systemPython(), args, "serving") ||
               fail("web server did not start: ", m_servers[i].output());
    }
    static constexpr char server[] = R"(
import functools, http.server, ssl, sys
handler = functools.partial(http.server.SimpleHTTPRequestHandler, directory=sys.argv[2])
server = http.server.HTTPServer(('127.0.0.1', int(sys.argv[1])), handler)
if len(sys.argv) > 3:
    context = ssl.SSLContext(ssl.PROTOCOL_TLS_SERVER)
    context.load_cert_chain(sys.argv[3], sys.argv[4])
    server.socket = context.wrap_socket(server.socket, server_side=True)
print('serving', flush=True)
server.serve_forever()
)";

    QTemporaryDir m_dir;
    PeerProcess m_servers[3]; // HTTP, trusted HTTPS, untrusted HTTPS
    quint16 m_ports[3] = {};
    QTcpServer m_silent;
    quint16 m_refusedPort = 0;
    QString m_error;
};

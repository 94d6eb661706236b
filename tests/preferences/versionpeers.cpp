#include "tests/preferences/versionpeers.h"

#include <QDir>
#include <QFile>
#include <QHostAddress>
#include <QProcess>
#include <QSslConfiguration>
#include <QSslSocket>

#include "tests/common/freeport.h"

namespace {

const char httpsServer[] = R"(
import functools, http.server, ssl, sys
port, root, cert, key = int(sys.argv[1]), sys.argv[2], sys.argv[3], sys.argv[4]
handler = functools.partial(http.server.SimpleHTTPRequestHandler, directory=root)
server = http.server.HTTPServer(('127.0.0.1', port), handler)
context = ssl.SSLContext(ssl.PROTOCOL_TLS_SERVER)
context.load_cert_chain(cert, key)
server.socket = context.wrap_socket(server.socket, server_side=True)
print('serving', flush=True)
server.serve_forever()
)";

} // namespace

bool VersionPeers::start()
{
    if (!m_dir.isValid() || !QDir(m_dir.path()).mkpath(QStringLiteral("www/software")) ||
        !setPage("\"3.4.4\"\n")) {
        m_error = QStringLiteral("cannot prepare the served folder");
        return false;
    }
    const QString root = m_dir.filePath(QStringLiteral("www"));

    m_httpPort = freeTcpPort();
    if (!m_http.startWaitingForPort(
            systemPython(),
            {"-m", "http.server", QString::number(m_httpPort), "--bind", "127.0.0.1", "--directory", root},
            m_httpPort)) {
        m_error = QStringLiteral("http.server did not start: ") + QString::fromLocal8Bit(m_http.output());
        return false;
    }

    if (!QSslSocket::supportsSsl()) {
        m_error = QStringLiteral("no TLS backend");
        return false;
    }
    if (!makeCertificate(QStringLiteral("trusted")) || !makeCertificate(QStringLiteral("stranger")))
        return false;
    m_httpsPort = freeTcpPort();
    if (!startHttps(m_https, m_httpsPort, QStringLiteral("trusted")))
        return false;
    m_untrustedPort = freeTcpPort();
    if (!startHttps(m_untrusted, m_untrustedPort, QStringLiteral("stranger")))
        return false;
    QSslConfiguration trusting = QSslConfiguration::defaultConfiguration();
    if (!trusting.addCaCertificates(m_dir.filePath(QStringLiteral("trusted.crt")))) {
        m_error = QStringLiteral("cannot trust the test certificate");
        return false;
    }
    QSslConfiguration::setDefaultConfiguration(trusting);

    if (!m_silent.listen(QHostAddress::LocalHost)) {
        m_error = QStringLiteral("silent server: ") + m_silent.errorString();
        return false;
    }
    m_refusedPort = freeTcpPort();
    return true;
}

bool VersionPeers::makeCertificate(const QString& name)
{
    QProcess openssl;
    openssl.setProcessChannelMode(QProcess::MergedChannels);
    openssl.start("openssl", {"req", "-x509", "-newkey", "ec", "-pkeyopt", "ec_paramgen_curve:prime256v1",
                              "-nodes", "-days", "2", "-subj", "/CN=127.0.0.1", "-addext",
                              "subjectAltName=IP:127.0.0.1,DNS:localhost", "-keyout",
                              m_dir.filePath(name + ".key"), "-out", m_dir.filePath(name + ".crt")});
    if (!openssl.waitForFinished(20000) || openssl.exitStatus() != QProcess::NormalExit ||
        openssl.exitCode() != 0) {
        m_error = QStringLiteral("openssl failed: ") + QString::fromLocal8Bit(openssl.readAll());
        return false;
    }
    return true;
}

bool VersionPeers::startHttps(PeerProcess& peer, quint16 port, const QString& name)
{
    if (!peer.startWaitingForText(systemPython(),
                                  {"-c", QString::fromLatin1(httpsServer), QString::number(port),
                                   m_dir.filePath(QStringLiteral("www")), m_dir.filePath(name + ".crt"),
                                   m_dir.filePath(name + ".key")},
                                  "serving")) {
        m_error = QStringLiteral("https server did not start: ") + QString::fromLocal8Bit(peer.output());
        return false;
    }
    return true;
}

bool VersionPeers::setPage(const QByteArray& body) const
{
    QFile page(m_dir.filePath(QStringLiteral("www/software/PLAX_VERSION")));
    return page.open(QIODevice::WriteOnly | QIODevice::Truncate) && page.write(body) == body.size();
}

QString VersionPeers::httpUrl(const QString& path) const
{
    return QStringLiteral("http://127.0.0.1:%1%2").arg(m_httpPort).arg(path);
}

QString VersionPeers::httpsUrl() const
{
    return QStringLiteral("https://127.0.0.1:%1/software/PLAX_VERSION").arg(m_httpsPort);
}

QString VersionPeers::untrustedHttpsUrl() const
{
    return QStringLiteral("https://127.0.0.1:%1/software/PLAX_VERSION").arg(m_untrustedPort);
}

QString VersionPeers::silentUrl() const
{
    return QStringLiteral("http://127.0.0.1:%1/software/PLAX_VERSION").arg(m_silent.serverPort());
}

QString VersionPeers::refusedUrl() const
{
    return QStringLiteral("http://127.0.0.1:%1/software/PLAX_VERSION").arg(m_refusedPort);
}

#include "tests/preferences/versionpeers.h"

#include <QDir>
#include <QFile>
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

bool VersionPeers::fail(const QString& why, const QByteArray& output)
{
    m_error = why + QString::fromLocal8Bit(output);
    return false;
}

bool VersionPeers::start()
{
    if (!m_dir.isValid() || !QDir(m_dir.path()).mkpath("www/software") || !setPage("\"3.4.4\"\n"))
        return fail("cannot prepare the served folder");
    m_http.port = freeTcpPort();
    if (!m_http.process.startWaitingForPort(systemPython(),
                                            {"-m", "http.server", QString::number(m_http.port), "--bind",
                                             "127.0.0.1", "--directory", m_dir.filePath("www")},
                                            m_http.port))
        return fail("http.server did not start: ", m_http.process.output());
    if (!QSslSocket::supportsSsl())
        return fail("no TLS backend");
    if (!startHttps(m_https, "trusted") || !startHttps(m_untrusted, "stranger"))
        return false;
    QSslConfiguration trusting = QSslConfiguration::defaultConfiguration();
    if (!trusting.addCaCertificates(m_dir.filePath("trusted.crt")))
        return fail("cannot trust the test certificate");
    QSslConfiguration::setDefaultConfiguration(trusting);
    if (!m_silent.listen(QHostAddress::LocalHost))
        return fail("silent server: " + m_silent.errorString());
    m_refusedPort = freeTcpPort();
    return true;
}

// A self-signed certificate for 127.0.0.1 named `name`, and an HTTPS server using it.
bool VersionPeers::startHttps(Peer& peer, const QString& name)
{
    const QString crt = m_dir.filePath(name + ".crt"), key = m_dir.filePath(name + ".key");
    QProcess openssl;
    openssl.setProcessChannelMode(QProcess::MergedChannels);
    openssl.start("openssl", {"req", "-x509", "-newkey", "ec", "-pkeyopt", "ec_paramgen_curve:prime256v1",
                              "-nodes", "-days", "2", "-subj", "/CN=127.0.0.1", "-addext",
                              "subjectAltName=IP:127.0.0.1,DNS:localhost", "-keyout", key, "-out", crt});
    if (!openssl.waitForFinished(20000) || openssl.exitStatus() != QProcess::NormalExit ||
        openssl.exitCode() != 0)
        return fail("openssl failed: ", openssl.readAll());
    peer.port = freeTcpPort();
    if (!peer.process.startWaitingForText(
            systemPython(), {"-c", httpsServer, QString::number(peer.port), m_dir.filePath("www"), crt, key},
            "serving"))
        return fail("https server did not start: ", peer.process.output());
    return true;
}

bool VersionPeers::setPage(const QByteArray& body) const
{
    QFile page(m_dir.filePath("www/software/PLAX_VERSION"));
    return page.open(QIODevice::WriteOnly | QIODevice::Truncate) && page.write(body) == body.size();
}

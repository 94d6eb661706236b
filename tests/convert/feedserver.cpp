#include "tests/convert/feedserver.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>

#include "tools/convert_exchangerates.h"

namespace {

quint16 portFrom(const PeerProcess& process, const char* pattern)
{
    const QRegularExpressionMatch m =
        QRegularExpression(QString::fromLatin1(pattern)).match(QString::fromUtf8(process.output()));
    return m.hasMatch() ? quint16(m.captured(1).toUInt()) : 0;
}

const char httpsServer[] = R"(import functools, http.server, ssl, sys
directory, cert, key = sys.argv[1:4]
handler = functools.partial(http.server.SimpleHTTPRequestHandler, directory=directory)
server = http.server.HTTPServer(('127.0.0.1', 0), handler)
context = ssl.SSLContext(ssl.PROTOCOL_TLS_SERVER)
context.load_cert_chain(cert, key)
server.socket = context.wrap_socket(server.socket, server_side=True)
print('Serving HTTPS on port %d' % server.server_address[1], flush=True)
server.serve_forever()
)";

const char silentServer[] = R"(import socket
server = socket.socket()
server.bind(('127.0.0.1', 0))
server.listen(8)
print('Listening on port %d' % server.getsockname()[1], flush=True)
held = []
while True:
    connection, _ = server.accept()
    held.append(connection)
    print('accepted', flush=True)
)";

} // namespace

QByteArray feedDocument(const QMap<QString, double>& rates, const QString& date)
{
    QByteArray xml = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
                     "<gesmes:Envelope xmlns:gesmes=\"http://www.gesmes.org/xml/2002-08-01\" "
                     "xmlns=\"http://www.ecb.int/vocabulary/2002-08-01/eurofxref\">\n"
                     "\t<gesmes:subject>Reference rates</gesmes:subject>\n"
                     "\t<gesmes:Sender>\n\t\t<gesmes:name>European Central Bank</gesmes:name>\n"
                     "\t</gesmes:Sender>\n\t<Cube>\n\t\t<Cube time='" +
                     date.toLatin1() + "'>\n";
    for (auto it = rates.cbegin(); it != rates.cend(); ++it)
        xml += "\t\t\t<Cube currency='" + it.key().toLatin1() + "' rate='" +
               QByteArray::number(it.value(), 'g', 10) + "'/>\n";
    xml += "\t\t</Cube>\n\t</Cube>\n</gesmes:Envelope>\n";
    return xml;
}

QMap<QString, double> scaledBuiltinRates(double factor)
{
    QMap<QString, double> rates;
    for (const ExchangeRates::Rate& r : ExchangeRates::builtinRates)
        rates.insert(QString::fromLatin1(r.code), r.rate * factor);
    return rates;
}

bool FeedServer::start(bool useTls)
{
    m_tls = useTls;
    if (!m_dir.isValid() || !QDir().mkpath(m_dir.filePath("www")))
        return false;
    if (!useTls) {
        if (!m_process.startWaitingForText(
                systemPython(),
                {"-u", "-m", "http.server", "0", "--bind", "127.0.0.1", "--directory", m_dir.filePath("www")},
                "Serving HTTP"))
            return false;
        m_port = portFrom(m_process, "port (\\d+)");
        return m_port != 0;
    }
    QProcess openssl;
    openssl.start("openssl", {"req", "-x509", "-newkey", "rsa:2048", "-nodes", "-days", "1", "-subj",
                              "/CN=127.0.0.1", "-addext", "subjectAltName=IP:127.0.0.1", "-keyout",
                              m_dir.filePath("key.pem"), "-out", certificateFile()});
    if (!openssl.waitForFinished(30000) || openssl.exitCode() != 0)
        return false;
    QFile script(m_dir.filePath("https_server.py"));
    if (!script.open(QIODevice::WriteOnly) || script.write(httpsServer) < 0)
        return false;
    script.close();
    if (!m_process.startWaitingForText(
            systemPython(),
            {"-u", script.fileName(), m_dir.filePath("www"), certificateFile(), m_dir.filePath("key.pem")},
            "Serving HTTPS"))
        return false;
    m_port = portFrom(m_process, "port (\\d+)");
    return m_port != 0;
}

bool FeedServer::putFile(const QString& name, const QByteArray& content) const
{
    QDir().mkpath(m_dir.filePath("www"));
    QFile file(m_dir.filePath("www/" + name));
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(content) == content.size();
}

QUrl FeedServer::url(const QString& name) const
{
    return QUrl(QStringLiteral("%1://127.0.0.1:%2/%3").arg(m_tls ? "https" : "http").arg(m_port).arg(name));
}

int FeedServer::requestCount() const
{
    return m_process.output().count("\"GET ");
}

bool SilentServer::start()
{
    if (!m_process.startWaitingForText(systemPython(), {"-u", "-c", silentServer}, "Listening on port"))
        return false;
    m_port = portFrom(m_process, "port (\\d+)");
    return m_port != 0;
}

QUrl SilentServer::url() const
{
    return QUrl(QStringLiteral("http://127.0.0.1:%1/stats/eurofxref/eurofxref-daily.xml").arg(m_port));
}

int SilentServer::acceptedCount() const
{
    return m_process.output().count("accepted");
}

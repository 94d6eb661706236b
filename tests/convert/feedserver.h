#pragma once

#include <QDir>
#include <QFile>
#include <QMap>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QUrl>

#include "tests/common/peerprocess.h"
#include "tools/convert_exchangerates.h"

// A rate document in the daily feed's layout (Envelope > Cube > Cube time > Cube rates).
inline QByteArray feedDocument(const QMap<QString, double>& rates)
{
    QByteArray xml = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
                     "<gesmes:Envelope xmlns:gesmes=\"http://www.gesmes.org/xml/2002-08-01\" "
                     "xmlns=\"http://www.ecb.int/vocabulary/2002-08-01/eurofxref\">\n"
                     "\t<gesmes:subject>Reference rates</gesmes:subject>\n"
                     "\t<gesmes:Sender>\n\t\t<gesmes:name>European Central Bank</gesmes:name>\n"
                     "\t</gesmes:Sender>\n\t<Cube>\n\t\t<Cube time='2024-03-01'>\n";
    for (auto it = rates.cbegin(); it != rates.cend(); ++it)
        xml += "\t\t\t<Cube currency='" + it.key().toLatin1() + "' rate='" +
               QByteArray::number(it.value(), 'g', 10) + "'/>\n";
    return xml + "\t\t</Cube>\n\t</Cube>\n</gesmes:Envelope>\n";
}

// The built-in table's 30 codes, each rate multiplied by `factor`.
inline QMap<QString, double> scaledBuiltinRates(double factor)
{
    QMap<QString, double> rates;
    for (const ExchangeRates::Rate& r : ExchangeRates::builtinRates)
        rates.insert(QString::fromLatin1(r.code), r.rate * factor);
    return rates;
}

// A Python peer on 127.0.0.1 (port chosen by the system). "files DIR" serves DIR
// over HTTP; "silent" accepts connections and never answers.
class FeedServer
{
public:
    bool start()
    {
        return QDir().mkpath(m_dir.filePath("www")) && startPeer({"files", m_dir.filePath("www")});
    }
    bool startSilent() { return startPeer({"silent"}); }

    bool putFile(const QString& name, const QByteArray& content) const
    {
        QFile file(m_dir.filePath("www/" + name));
        return file.open(QIODevice::WriteOnly) && file.write(content) == content.size();
    }
    QUrl url(const QString& name = QStringLiteral("eurofxref-daily.xml")) const
    {
        return QUrl(QStringLiteral("%1://127.0.0.1:%2/%3").arg("http").arg(m_port).arg(name));
    }
    int requestCount() const { return m_process.output().count("\"GET "); } // as logged so far
    int acceptedCount() const { return m_process.output().count("accepted"); }

private:
    bool startPeer(const QStringList& args)
    {
        static const char script[] = R"(import functools, http.server, socket, sys
if sys.argv[1] == 'silent':
    server = socket.socket()
    server.bind(('127.0.0.1', 0))
    server.listen(8)
    print('port %d ready' % server.getsockname()[1], flush=True)
    held = []
    while True:
        held.append(server.accept()[0])
        print('accepted', flush=True)
handler = functools.partial(http.server.SimpleHTTPRequestHandler, directory=sys.argv[2])
server = http.server.HTTPServer(('127.0.0.1', 0), handler)
print('port %d ready' % server.server_address[1], flush=True)
server.serve_forever()
)";
        if (!m_dir.isValid() ||
            !m_process.startWaitingForText(systemPython(), QStringList{"-u", "-c", script} + args, " ready"))
            return false;
        m_port = QRegularExpression("port (\\d+) ready")
                     .match(QString::fromUtf8(m_process.output()))
                     .captured(1)
                     .toUShort();
        return m_port != 0;
    }

    QTemporaryDir m_dir;
    PeerProcess m_process;
    quint16 m_port = 0;
};

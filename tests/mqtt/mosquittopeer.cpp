#include "tests/mqtt/mosquittopeer.h"

#include <QFile>
#include <QHostAddress>
#include <QProcess>
#include <QSet>
#include <QTcpSocket>
#include <QTest>

#include "tests/common/freeport.h"

bool MosquittoPeer::run(const QString& program, const QStringList& args)
{
    QProcess p;
    p.setProcessChannelMode(QProcess::MergedChannels);
    p.start(program, args);
    if (!p.waitForFinished(20000) || p.exitStatus() != QProcess::NormalExit || p.exitCode() != 0) {
        m_failure = program + QStringLiteral(" failed: ") + QString::fromLocal8Bit(p.readAll());
        return false;
    }
    return true;
}

bool MosquittoPeer::makeCertificates()
{
    const QString d = m_dir.path() + QLatin1Char('/');
    QFile ext(d + QStringLiteral("ext.cnf"));
    if (!ext.open(QIODevice::WriteOnly) || ext.write("subjectAltName=IP:127.0.0.1,DNS:localhost\n") < 0)
        return false;
    ext.close();
    const QStringList ecKey = {"-newkey", "ec", "-pkeyopt", "ec_paramgen_curve:prime256v1", "-nodes"};
    return run("openssl", QStringList{"req", "-x509"} + ecKey +
                              QStringList{"-keyout", d + "ca.key", "-out", d + "ca.crt", "-days", "2",
                                          "-subj", "/CN=PLAX test CA"}) &&
           run("openssl", QStringList{"req"} + ecKey +
                              QStringList{"-keyout", d + "server.key", "-out", d + "server.csr", "-subj",
                                          "/CN=localhost"}) &&
           run("openssl",
               {"x509", "-req", "-in", d + "server.csr", "-CA", d + "ca.crt", "-CAkey", d + "ca.key",
                "-CAcreateserial", "-out", d + "server.crt", "-days", "2", "-extfile", d + "ext.cnf"});
}

bool MosquittoPeer::start()
{
    // The broker, started as root, reads its files as the user "mosquitto".
    const auto readable =
        QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ReadGroup | QFileDevice::ReadOther;
    const QString passwords = m_dir.filePath(QStringLiteral("passwords"));
    // One user with a password outside Latin-1; anonymous clients stay welcome.
    if (!m_dir.isValid() ||
        !QFile::setPermissions(m_dir.path(), readable | QFileDevice::ExeOwner | QFileDevice::ExeGroup |
                                                 QFileDevice::ExeOther) ||
        !makeCertificates() ||
        !run("mosquitto_passwd",
             {"-c", "-b", passwords, QString::fromLatin1(userName), QString::fromUtf8(userPassword)}))
        return false;
    for (const QString& file : {caFile(), certFile(), keyFile(), passwords})
        QFile::setPermissions(file, readable);
    QSet<quint16> ports;
    while (ports.size() < 4)
        ports.insert(freeTcpPort());
    const QList<quint16> p = ports.values();
    tcpPort = p.at(0);
    tlsPort = p.at(1);
    wsPort = p.at(2);
    wssPort = p.at(3);
    const QString tls =
        QStringLiteral("cafile %1\ncertfile %2\nkeyfile %3\n").arg(caFile(), certFile(), keyFile());
    const QString conf =
        QStringLiteral(
            "per_listener_settings false\nallow_anonymous true\npersistence false\npassword_file %6\n"
            "listener %1 127.0.0.1\nprotocol mqtt\n"
            "listener %2 127.0.0.1\nprotocol mqtt\n%5"
            "listener %3 lo\nprotocol websockets\n"
            "listener %4 lo\nprotocol websockets\n%5")
            .arg(tcpPort)
            .arg(tlsPort)
            .arg(wsPort)
            .arg(wssPort)
            .arg(tls, passwords);
    QFile file(m_dir.filePath(QStringLiteral("mosquitto.conf")));
    if (!file.open(QIODevice::WriteOnly) || file.write(conf.toUtf8()) != conf.toUtf8().size())
        return false;
    file.close();
    if (!m_broker.startWaitingForPort(QStringLiteral("mosquitto"), {"-c", file.fileName()}, tcpPort)) {
        m_failure = QStringLiteral("mosquitto did not start: ") + QString::fromLocal8Bit(m_broker.output());
        return false;
    }
    // The other listeners open in the same start-up; make sure before the test uses them.
    for (quint16 port : {tlsPort, wsPort, wssPort}) {
        const bool up = QTest::qWaitFor([port] {
            QTcpSocket probe;
            probe.connectToHost(QHostAddress::LocalHost, port);
            return probe.waitForConnected(200);
        });
        if (!up) {
            m_failure = QStringLiteral("listener %1 did not open").arg(port);
            return false;
        }
    }
    return true;
}

bool startSubscriber(PeerProcess& sub, quint16 port, const QString& topic, int count,
                     const QStringList& extra)
{
    // Line-buffered, or the SUBACK line only shows when the process ends.
    return sub.startWaitingForText(QStringLiteral("stdbuf"),
                                   QStringList{"-oL", "mosquitto_sub", "-d", "-h", "127.0.0.1", "-p",
                                               QString::number(port), "-t", topic, "-C",
                                               QString::number(count), "-W", "20"} +
                                       extra,
                                   "received SUBACK");
}

bool publishWithMosquitto(quint16 port, const QString& topic, const QByteArray& message,
                          const QStringList& extra)
{
    QProcess pub;
    pub.start(QStringLiteral("mosquitto_pub"), QStringList{"-h", "127.0.0.1", "-p", QString::number(port),
                                                           "-t", topic, "-m", QString::fromUtf8(message)} +
                                                   extra);
    return pub.waitForFinished(10000) && pub.exitStatus() == QProcess::NormalExit && pub.exitCode() == 0;
}

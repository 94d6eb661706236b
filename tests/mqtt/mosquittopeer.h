#pragma once

#include <QDir>
#include <QFile>
#include <QHostAddress>
#include <QProcess>
#include <QSet>
#include <QTcpSocket>
#include <QTemporaryDir>
#include <QTest>

#include "tests/common/freeport.h"
#include "tests/common/peerprocess.h"

// Runs a program to its end; true when it succeeded. Its output is kept in `failure` when not.
inline bool runToEnd(const QString& program, const QStringList& args, QString* failure = nullptr,
                     int ms = 20000)
{
    QProcess p;
    p.setProcessChannelMode(QProcess::MergedChannels);
    p.start(program, args);
    const bool ok = p.waitForFinished(ms) && p.exitStatus() == QProcess::NormalExit && p.exitCode() == 0;
    if (!ok && failure)
        *failure = program + " failed: " + QString::fromLocal8Bit(p.readAll());
    return ok;
}

// A mosquitto broker of the test's own, with plain TCP, TLS, WebSocket and secure WebSocket
// listeners on free loopback ports, a certificate made for it at run time and one account.
class MosquittoPeer
{
public:
    static constexpr char userName[] = "plax";
    static constexpr char userPassword[] = "p\xc3\xa4sswort\xe2\x82\xac"; // "pässwort€" in UTF-8
    quint16 tcpPort = 0, tlsPort = 0, wsPort = 0, wssPort = 0;

    QString caFile() const { return m_dir.filePath("server.crt"); }
    QString failure() const { return m_failure; }
    void stop() { m_broker.stop(); }
    bool isRunning() const { return m_broker.isRunning(); }

    bool start()
    {
        const QString d = m_dir.path() + '/';
        QFile conf(d + "mosquitto.conf");
        // A self-signed certificate, its own CA; one user with a password outside Latin-1, and
        // anonymous clients stay welcome.
        if (!run("openssl", {"req", "-x509", "-newkey", "ec", "-pkeyopt", "ec_paramgen_curve:prime256v1",
                             "-nodes", "-days", "2", "-subj", "/CN=localhost", "-addext",
                             "subjectAltName=IP:127.0.0.1,DNS:localhost", "-keyout", d + "server.key", "-out",
                             caFile()}) ||
            !run("mosquitto_passwd",
                 {"-c", "-b", d + "passwords", userName, QString::fromUtf8(userPassword)}))
            return false;
        // The broker, started as root, reads its files as the user "mosquitto".
        for (const QString& file : QDir(d).entryList(QDir::Files))
            QFile::setPermissions(d + file, QFile::ReadOwner | QFile::WriteOwner | QFile::ReadOther);
        QFile::setPermissions(d, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner | QFile::ExeOther);
        QSet<quint16> ports;
        while (ports.size() < 4)
            ports.insert(freeTcpPort());
        const QList<quint16> p = ports.values();
        tcpPort = p[0], tlsPort = p[1], wsPort = p[2], wssPort = p[3];
        const QString tls =
            QString("cafile %1server.crt\ncertfile %1server.crt\nkeyfile %1server.key\n").arg(d);
        const QByteArray text =
            QString("per_listener_settings false\nallow_anonymous true\npersistence false\n"
                    "password_file %1passwords\nlistener %2 127.0.0.1\nprotocol mqtt\n"
                    "listener %3 127.0.0.1\nprotocol mqtt\n%6listener %4 lo\nprotocol websockets\n"
                    "listener %5 lo\nprotocol websockets\n%6")
                .arg(d)
                .arg(tcpPort)
                .arg(tlsPort)
                .arg(wsPort)
                .arg(wssPort)
                .arg(tls)
                .toUtf8();
        if (!conf.open(QIODevice::WriteOnly) || conf.write(text) != text.size())
            return false;
        conf.close();
        if (!m_broker.startWaitingForPort("mosquitto", {"-c", conf.fileName()}, tcpPort)) {
            m_failure = "mosquitto did not start: " + QString::fromLocal8Bit(m_broker.output());
            return false;
        }
        // The other listeners open in the same start-up; make sure before the test uses them.
        for (quint16 port : {tlsPort, wsPort, wssPort}) {
            if (!QTest::qWaitFor([port] {
                    QTcpSocket probe;
                    probe.connectToHost(QHostAddress::LocalHost, port);
                    return probe.waitForConnected(200);
                })) {
                m_failure = QString("listener %1 did not open").arg(port);
                return false;
            }
        }
        return true;
    }

private:
    bool run(const QString& program, const QStringList& args) { return runToEnd(program, args, &m_failure); }

    QTemporaryDir m_dir;
    PeerProcess m_broker;
    QString m_failure;
};

// A mosquitto_sub that has its subscription in place once started; it prints one received
// payload per line and exits after `count` messages. Line-buffered, or the SUBACK line only
// shows when the process ends.
inline bool startSubscriber(PeerProcess& sub, quint16 port, const QString& topic, int count,
                            const QStringList& extra = {})
{
    return sub.startWaitingForText("stdbuf",
                                   QStringList{"-oL", "mosquitto_sub", "-d", "-h", "127.0.0.1", "-p",
                                               QString::number(port), "-t", topic, "-C",
                                               QString::number(count), "-W", "20"} +
                                       extra,
                                   "received SUBACK");
}

// Publishes one message (-m) or file (-f) with mosquitto_pub and waits for it to finish.
inline bool publishWithMosquitto(quint16 port, const QString& topic, const QByteArray& message,
                                 const QStringList& extra = {"-m"})
{
    return runToEnd("mosquitto_pub",
                    QStringList{"-h", "127.0.0.1", "-p", QString::number(port), "-t", topic} + extra +
                        QStringList{QString::fromUtf8(message)},
                    nullptr, 30000);
}

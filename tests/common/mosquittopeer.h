#pragma once

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QSet>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

#include <algorithm>

#include "tests/common/freeport.h"
#include "tests/common/peerprocess.h"

enum Scheme { Tcp, Tls, Ws, Wss }; // in the order of the tab's scheme list

// Runs a program to its end; true when it succeeded. What it prints lands in the test's log.
inline bool runToEnd(const QString& program, const QStringList& args)
{
    QProcess p;
    p.setProcessChannelMode(QProcess::ForwardedChannels);
    p.start(program, args);
    return p.waitForFinished(30000) && p.exitStatus() == QProcess::NormalExit && p.exitCode() == 0;
}

// A mosquitto broker of the test's own, with plain TCP, TLS, WebSocket and secure WebSocket
// listeners on free loopback ports, a self-signed certificate made at run time and one account.
struct MosquittoPeer
{
    static constexpr char userName[] = "plax";
    static constexpr char userPassword[] = "p\xc3\xa4sswort\xe2\x82\xac"; // "pässwort€" in UTF-8
    quint16 ports[4] = {};                                                // by Scheme
    QTemporaryDir dir;
    PeerProcess process;

    bool start()
    {
        const QString d = dir.path() + '/';
        if (!runToEnd("openssl", {"req", "-x509", "-newkey", "ec", "-pkeyopt", "ec_paramgen_curve:prime256v1",
                                  "-nodes", "-days", "2", "-subj", "/CN=localhost", "-addext",
                                  "subjectAltName=IP:127.0.0.1,DNS:localhost", "-keyout", d + "server.key",
                                  "-out", d + "server.crt"}) ||
            !runToEnd("mosquitto_passwd",
                      {"-c", "-b", d + "passwords", userName, QString::fromUtf8(userPassword)}))
            return false;
        // The broker, started as root, reads its files as the user "mosquitto".
        for (const QString& file : QDir(d).entryList(QDir::Files))
            QFile::setPermissions(d + file, QFile::ReadOwner | QFile::WriteOwner | QFile::ReadOther);
        QFile::setPermissions(d, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner | QFile::ExeOther);
        QSet<quint16> free;
        while (free.size() < 4)
            free.insert(freeTcpPort());
        std::copy(free.cbegin(), free.cend(), ports);
        QString text =
            "per_listener_settings false\nallow_anonymous true\npersistence false\npassword_file " + d +
            "passwords\n";
        const QString tls =
            QString("cafile %1server.crt\ncertfile %1server.crt\nkeyfile %1server.key\n").arg(d);
        for (int s : {Tcp, Tls, Ws, Wss})
            text += QString("listener %1 %2\nprotocol %3\n%4")
                        .arg(ports[s])
                        .arg(QString(s < Ws ? "127.0.0.1" : "lo"), QString(s < Ws ? "mqtt" : "websockets"),
                             s % 2 ? tls : QString());
        QFile conf(d + "mosquitto.conf");
        // The listeners open in the order given: once the last takes connections, all do.
        return conf.open(QIODevice::WriteOnly) && conf.write(text.toUtf8()) > 0 && conf.flush() &&
               process.startWaitingForPort("mosquitto", {"-c", conf.fileName()}, ports[Wss]);
    }
};

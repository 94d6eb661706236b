#pragma once

#include <QByteArray>
#include <QProcess>
#include <QStringList>

#include <functional>

// A helper process playing the far side of a test (a server, a broker, a device).
// start() waits until the peer is ready: until its output contains `readyText`,
// or until a TCP port on 127.0.0.1 accepts connections. stop() ends it by its PID.
class PeerProcess
{
public:
    PeerProcess() = default;
    ~PeerProcess();
    PeerProcess(const PeerProcess&) = delete;
    PeerProcess& operator=(const PeerProcess&) = delete;

    // Starts without waiting for anything.
    bool start(const QString& program, const QStringList& args);
    bool startWaitingForText(const QString& program, const QStringList& args, const QByteArray& readyText,
                             int timeoutMs = 10000);
    bool startWaitingForPort(const QString& program, const QStringList& args, quint16 tcpPort,
                             int timeoutMs = 10000);
    // For a peer that listens on a port the system picked (port 0) and prints it after
    // `readyText`: waits for that line and returns the port, 0 when none came. A port picked
    // beforehand could be taken by another program before the peer binds it.
    quint16 startTellingPort(const QString& program, const QStringList& args, const QByteArray& readyText,
                             int timeoutMs = 10000);
    void stop();

    QByteArray output() const; // everything the peer printed so far
    bool isRunning() const;
    qint64 pid() const { return m_pid; }

private:
    bool startWaiting(const QString& program, const QStringList& args, const std::function<bool()>& ready,
                      int timeoutMs);
    QProcess m_process;
    qint64 m_pid = 0;
    mutable QByteArray m_output;
};

// Path of /usr/bin/python3 (system Python with the Debian test modules).
QString systemPython();

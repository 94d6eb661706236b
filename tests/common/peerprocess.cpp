#include "tests/common/peerprocess.h"

#include <QDeadlineTimer>
#include <QFile>
#include <QHostAddress>
#include <QTcpSocket>
#include <QThread>

#include <csignal>
#include <sys/types.h>

PeerProcess::~PeerProcess()
{
    stop();
}

bool PeerProcess::start(const QString& program, const QStringList& args)
{
    m_process.setProcessChannelMode(QProcess::MergedChannels);
    m_process.start(program, args);
    if (!m_process.waitForStarted(5000))
        return false;
    m_pid = m_process.processId();
    return true;
}

bool PeerProcess::startWaitingForText(const QString& program, const QStringList& args,
                                      const QByteArray& readyText, int timeoutMs)
{
    if (!start(program, args))
        return false;
    QDeadlineTimer deadline(timeoutMs);
    while (!deadline.hasExpired()) {
        if (output().contains(readyText))
            return true;
        if (m_process.state() != QProcess::Running)
            return false;
        m_process.waitForReadyRead(50);
    }
    return false;
}

bool PeerProcess::startWaitingForPort(const QString& program, const QStringList& args, quint16 tcpPort,
                                      int timeoutMs)
{
    if (!start(program, args))
        return false;
    QDeadlineTimer deadline(timeoutMs);
    while (!deadline.hasExpired()) {
        if (m_process.state() != QProcess::Running)
            return false;
        QTcpSocket probe;
        probe.connectToHost(QHostAddress::LocalHost, tcpPort);
        if (probe.waitForConnected(200)) {
            probe.disconnectFromHost();
            return true;
        }
        QThread::msleep(50);
    }
    return false;
}

void PeerProcess::stop()
{
    if (m_pid <= 0)
        return;
    if (m_process.state() != QProcess::NotRunning) {
        ::kill(pid_t(m_pid), SIGTERM);
        if (!m_process.waitForFinished(3000)) {
            ::kill(pid_t(m_pid), SIGKILL);
            m_process.waitForFinished(3000);
        }
    }
    m_pid = 0;
}

QByteArray PeerProcess::output() const
{
    m_output += const_cast<QProcess&>(m_process).readAll();
    return m_output;
}

bool PeerProcess::isRunning() const
{
    return m_process.state() == QProcess::Running;
}

QString systemPython()
{
    return QFile::exists(QStringLiteral("/usr/bin/python3")) ? QStringLiteral("/usr/bin/python3")
                                                             : QStringLiteral("python3");
}

#include "tests/common/peerprocess.h"

#include <QDeadlineTimer>
#include <QFile>
#include <QHostAddress>
#include <QRegularExpression>
#include <QTcpSocket>

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

// Starts, then waits until `ready` holds while the peer still runs.
bool PeerProcess::startWaiting(const QString& program, const QStringList& args,
                               const std::function<bool()>& ready, int timeoutMs)
{
    if (!start(program, args))
        return false;
    for (QDeadlineTimer deadline(timeoutMs); !deadline.hasExpired(); m_process.waitForReadyRead(50)) {
        if (m_process.state() != QProcess::Running)
            return false;
        if (ready())
            return true;
    }
    return false;
}

bool PeerProcess::startWaitingForText(const QString& program, const QStringList& args,
                                      const QByteArray& readyText, int timeoutMs)
{
    return startWaiting(
        program, args, [&] { return output().contains(readyText); }, timeoutMs);
}

bool PeerProcess::startWaitingForPort(const QString& program, const QStringList& args, quint16 tcpPort,
                                      int timeoutMs)
{
    return startWaiting(
        program, args,
        [&] {
            QTcpSocket probe;
            probe.connectToHost(QHostAddress::LocalHost, tcpPort);
            return probe.waitForConnected(200);
        },
        timeoutMs);
}

quint16 PeerProcess::startTellingPort(const QString& program, const QStringList& args,
                                      const QByteArray& readyText, int timeoutMs)
{
    const QRegularExpression told(QRegularExpression::escape(QString::fromLatin1(readyText)) +
                                  QStringLiteral(" (\\d+)\n"));
    QRegularExpressionMatch match;
    const bool ready = startWaiting(
        program, args, [&] { return (match = told.match(QString::fromLatin1(output()))).hasMatch(); },
        timeoutMs);
    return ready ? quint16(match.captured(1).toUInt()) : 0;
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

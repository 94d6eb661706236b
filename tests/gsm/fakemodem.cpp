#include "tests/gsm/fakemodem.h"

#include <QSocketNotifier>

#include <unistd.h>

#include "tests/common/ptypair.h"

FakeModem::FakeModem(PtyPair& pty)
    : m_pty(pty), m_notifier(new QSocketNotifier(pty.masterFd(), QSocketNotifier::Read, this))
{
    connect(m_notifier, &QSocketNotifier::activated, this, [this] { readable(); });
}

void FakeModem::answerInTurn(const QByteArray& command, const QList<QByteArray>& replies)
{
    m_turns[command] = replies;
}

void FakeModem::answerStatus()
{
    answer("AT+CLIP?", "\r\n+CLIP: 1,1\r\n\r\nOK\r\n");
    answer("AT+CALM?", "\r\n+CALM: 0\r\n\r\nOK\r\n");
    answer("AT+CMGF?", "\r\n+CMGF: 1\r\n\r\nOK\r\n");
    answer("AT+CSQ", "\r\n+CSQ: 15,0\r\n\r\nOK\r\n");
}

void FakeModem::send(const QByteArray& bytes)
{
    m_pty.write(bytes);
}

void FakeModem::readable()
{
    char buf[4096];
    const ssize_t n = ::read(m_pty.masterFd(), buf, sizeof buf);
    if (n <= 0)
        return;
    received.append(buf, int(n));
    m_pending.append(buf, int(n));
    for (;;) {
        const int line = m_pending.indexOf("\r\n");
        const int data = m_pending.indexOf('\x1a');
        if (line < 0 && data < 0)
            return;
        const bool isData = m_dataMode ? data >= 0 : data >= 0 && (line < 0 || data < line);
        if (m_dataMode && !isData)
            return;
        const int end = isData ? data : line;
        const QByteArray cmd = m_pending.left(end);
        m_pending.remove(0, end + (isData ? 1 : 2));
        commands << cmd;
        emit command(cmd);
        QByteArray reply = m_echo && !isData ? cmd + "\r" : QByteArray();
        if (m_turns.contains(cmd)) {
            QList<QByteArray>& turns = m_turns[cmd];
            reply += turns.size() > 1 ? turns.takeFirst() : turns.value(0);
        } else {
            reply += m_replies.value(cmd);
        }
        m_dataMode = !isData && reply.contains('>');
        if (!reply.isEmpty())
            m_pty.write(reply);
    }
}

#include "gsm/atexchange.h"

#include <QDeadlineTimer>
#include <QSerialPort>

#include <utility>

#include "gsm/atreply.h"

AtExchange::AtExchange(PortSource port, Pause pause, Sink sink, QByteArray unfinishedLine)
    : m_port(std::move(port)), m_pause(std::move(pause)), m_sink(std::move(sink)),
      m_line(std::move(unfinishedLine))
{
}

AtExchange::~AtExchange()
{
    if (m_sink && AtReply::mayBeUnsolicited(m_line) && !isOwn(m_line, true))
        m_sink(m_line);
}

bool AtExchange::isOwn(const QByteArray& line, bool partial) const
{
    const QByteArray text = line.trimmed();
    for (const QByteArray& start : m_ownResults) {
        if (text.startsWith(start) || (partial && !text.isEmpty() && start.startsWith(text)))
            return true;
    }
    return false;
}

QSerialPort* AtExchange::port()
{
    if (m_lost)
        return nullptr;
    QSerialPort* p = m_port();
    if (!p || !p->isOpen())
        m_lost = true;
    return m_lost ? nullptr : p;
}

bool AtExchange::send(const QByteArray& bytes)
{
    QSerialPort* p = port();
    if (!p)
        return false;
    m_reply.clear();
    if (p->write(bytes) != bytes.size())
        return false;
    p->flush();
    return true;
}

QByteArray AtExchange::read()
{
    QSerialPort* p = port();
    if (!p)
        return QByteArray();
    QByteArray data = p->readAll();
    if (data.size() > readLimit)
        data.remove(0, data.size() - readLimit);
    return takeUnsolicited(data);
}

QByteArray AtExchange::takeUnsolicited(const QByteArray& data)
{
    QByteArray kept;
    int from = 0;
    for (;;) {
        // A line end may have been split between two reads.
        const bool splitEnd = from == 0 && m_line.endsWith('\r') && data.startsWith('\n');
        const int end = splitEnd ? -1 : int(data.indexOf("\r\n", from));
        if (end < 0 && !splitEnd)
            break;
        const int next = splitEnd ? 1 : end + 2;
        const QByteArray line = (m_line + data.mid(from, next - from)).chopped(2);
        const QByteArray piece = data.mid(from, next - from);
        m_line.clear();
        if (m_sink && !isOwn(line, false) && AtReply::isUnsolicitedLine(line)) {
            m_sink(line + "\r\n");
        } else {
            kept += piece;
            m_reply += line + "\r\n";
        }
        from = next;
    }
    const QByteArray tail = data.mid(from);
    kept += tail;
    m_line += tail;
    if (m_line.size() > AtReply::unsolicitedBufferLimit)
        m_line.remove(0, m_line.size() - AtReply::unsolicitedBufferLimit);
    if (m_reply.size() > readLimit)
        m_reply.remove(0, m_reply.size() - readLimit);
    return kept;
}

void AtExchange::pause(int ms)
{
    const QDeadlineTimer deadline(ms);
    for (;;) {
        const qint64 left = deadline.remainingTime();
        if (left <= 0)
            return;
        m_pause(int(qMin<qint64>(left, pauseSliceMs)));
        QSerialPort* p = port();
        if (!p || AtReply::endsWithFinalResult(p->peek(qMin<qint64>(p->bytesAvailable(), readLimit))))
            return;
    }
}

AtExchange::Result AtExchange::poll(int polls, int pauseMs,
                                    const std::function<bool(const QByteArray&)>& onRead)
{
    for (int i = 0; i < polls; ++i) {
        read();
        if (m_lost)
            return Result::PortLost;
        if (onRead(reply()))
            return Result::Matched;
        pause(pauseMs);
    }
    return port() ? Result::TimedOut : Result::PortLost;
}

int AtExchange::waitFor(int polls, int pauseMs, const QList<QByteArray>& tokens)
{
    int found = -1;
    poll(polls, pauseMs, [&](const QByteArray& reply) {
        for (int i = 0; i < tokens.size(); ++i) {
            if (AtReply::holds(reply, tokens.at(i))) {
                found = i;
                return true;
            }
        }
        return false;
    });
    return found;
}

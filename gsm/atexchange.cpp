#include "gsm/atexchange.h"

#include <QSerialPort>

#include <utility>

#include "gsm/atreply.h"

AtExchange::AtExchange(PortSource port, Pause pause) : m_port(std::move(port)), m_pause(std::move(pause)) {}

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
    return data;
}

AtExchange::Result AtExchange::poll(int polls, int pauseMs,
                                    const std::function<bool(const QByteArray&)>& onRead)
{
    for (int i = 0; i < polls; ++i) {
        const QByteArray data = read();
        if (m_lost)
            return Result::PortLost;
        if (onRead(data))
            return Result::Matched;
        m_pause(pauseMs);
    }
    return port() ? Result::TimedOut : Result::PortLost;
}

int AtExchange::waitFor(int polls, int pauseMs, const QList<QByteArray>& tokens)
{
    int found = -1;
    poll(polls, pauseMs, [&](const QByteArray& data) {
        for (int i = 0; i < tokens.size(); ++i) {
            if (AtReply::holds(data, tokens.at(i))) {
                found = i;
                return true;
            }
        }
        return false;
    });
    return found;
}

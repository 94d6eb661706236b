#pragma once

#include <QByteArray>
#include <QList>

#include <functional>

class QSerialPort;

// One AT transaction against the modem's port: write a command, then read what
// the port holds at most N times with a pause between reads, until the reply
// the caller looks for has come. Every wait is bounded by the poll count, and
// the exchange stops at once when the port goes away during a pause.
class AtExchange
{
public:
    // Gives the port, or null once it has been closed or handed to someone else.
    using PortSource = std::function<QSerialPort*()>;
    // Waits the given milliseconds while the program keeps running.
    using Pause = std::function<void(int)>;

    enum class Result { Matched, TimedOut, PortLost };

    // What one read may hold at most; a flood from the port is cut to its newest bytes.
    static constexpr int readLimit = 64 * 1024;

    AtExchange(PortSource port, Pause pause);

    // False when the port is gone or the bytes could not be queued.
    bool send(const QByteArray& bytes);
    // Everything the port has now (empty when the port is gone).
    QByteArray read();
    void pause(int ms) { m_pause(ms); }
    bool portLost() const { return m_lost; }

    // Up to `polls` reads, `pauseMs` apart; `onRead` sees each read and returns true
    // to end the wait.
    Result poll(int polls, int pauseMs, const std::function<bool(const QByteArray&)>& onRead);
    // Polls for the first of `tokens` found in one read (tested in their order).
    // Returns the token's index, -1 on time-out or a lost port.
    int waitFor(int polls, int pauseMs, const QList<QByteArray>& tokens);

private:
    QSerialPort* port();
    PortSource m_port;
    Pause m_pause;
    bool m_lost = false;
};

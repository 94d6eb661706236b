#pragma once

#include <QByteArray>
#include <QList>

#include <functional>

class QSerialPort;

// One AT transaction against the modem's port: write a command, then read what
// the port holds at most N times with a pause between reads, until the reply
// the caller looks for has come. Every wait is bounded by the poll count, and
// the exchange stops at once when the port goes away during a pause.
//
// Unsolicited results (a ring, a new SMS, a call ended) can arrive in the middle
// of any reply. Each complete one is taken out of the read the caller sees and
// handed, line by line in arrival order, to the sink; the start of one that is
// still incomplete when the exchange ends goes there too, for the reader to finish.
//
// A reply may reach the port in any number of pieces, so the exchange gathers what
// the modem said since the last command and the waits decide on all of it; a line
// the reader had begun before the exchange is finished here with what follows.
class AtExchange
{
public:
    // Gives the port, or null once it has been closed or handed to someone else.
    using PortSource = std::function<QSerialPort*()>;
    // Waits the given milliseconds while the program keeps running.
    using Pause = std::function<void(int)>;
    // Receives unsolicited result lines, each with its "\r\n".
    using Sink = std::function<void(const QByteArray&)>;

    enum class Result { Matched, TimedOut, PortLost };

    // What one read may hold at most; a flood from the port is cut to its newest bytes.
    static constexpr int readLimit = 64 * 1024;
    // How often a pause looks whether the reply is complete.
    static constexpr int pauseSliceMs = 10;

    AtExchange(PortSource port, Pause pause, Sink sink = {}, QByteArray unfinishedLine = {});
    ~AtExchange();
    AtExchange(const AtExchange&) = delete;
    AtExchange& operator=(const AtExchange&) = delete;

    // Result lines starting with one of these are this step's own reply (a dial's
    // "NO CARRIER", the ring an answer takes up), left in the reads rather than handed to the sink.
    void setOwnResults(QList<QByteArray> starts) { m_ownResults = std::move(starts); }

    // False when the port is gone or the bytes could not be queued. Starts a new reply.
    bool send(const QByteArray& bytes);
    // Everything the port has now (empty when the port is gone), less unsolicited results.
    QByteArray read();
    // What the modem answered since the last send, less unsolicited results: the whole
    // lines, then the line still coming.
    QByteArray reply() const { return m_reply + m_line; }
    // Waits up to `ms` between polls, but no longer once a complete reply waits in the port.
    void pause(int ms);
    bool portLost() const { return m_lost; }

    // Up to `polls` reads, `pauseMs` apart; after each read `onRead` sees the reply so far
    // and returns true to end the wait.
    Result poll(int polls, int pauseMs, const std::function<bool(const QByteArray&)>& onRead);
    // Polls for the first of `tokens` found in the reply (tested in their order).
    // Returns the token's index, -1 on time-out or a lost port.
    int waitFor(int polls, int pauseMs, const QList<QByteArray>& tokens);

private:
    QSerialPort* port();
    QByteArray takeUnsolicited(const QByteArray& data);
    bool isOwn(const QByteArray& line, bool partial) const;
    PortSource m_port;
    Pause m_pause;
    Sink m_sink;
    QList<QByteArray> m_ownResults;
    QByteArray m_line;  // the unfinished line that started in an earlier read
    QByteArray m_reply; // the whole lines of the reply to the last command
    bool m_lost = false;
};

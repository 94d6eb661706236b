#pragma once

#include <QByteArray>
#include <QHash>
#include <QList>
#include <QObject>

class PtyPair;
class QSocketNotifier;

// A GSM modem played on the master end of a pty, inside the test's event loop:
// it echoes each command line, answers it from a table, and records what came.
// A line ends at "\r\n"; data sent after a ">" prompt ends at Ctrl-Z.
class FakeModem : public QObject
{
    Q_OBJECT
public:
    explicit FakeModem(PtyPair& pty);

    // Reply to a command (given without its line end); commands not in the table get none.
    void answer(const QByteArray& command, const QByteArray& reply) { m_replies[command] = reply; }
    // Replies to the same command in turn; the last one repeats.
    void answerInTurn(const QByteArray& command, const QList<QByteArray>& replies);
    void forget(const QByteArray& command) { m_replies.remove(command); }
    void setEcho(bool on) { m_echo = on; }
    // The usual answers of a modem with caller display, ringer and text mode on.
    void answerStatus();
    void send(const QByteArray& bytes);

    QByteArray received;        // every byte the program wrote
    QList<QByteArray> commands; // each command or data block, without its end

signals:
    void command(const QByteArray& command);

private:
    void readable();
    PtyPair& m_pty;
    QSocketNotifier* m_notifier;
    QByteArray m_pending;
    QHash<QByteArray, QByteArray> m_replies;
    QHash<QByteArray, QList<QByteArray>> m_turns;
    bool m_echo = true;
    bool m_dataMode = false; // after a ">" prompt, until Ctrl-Z
};

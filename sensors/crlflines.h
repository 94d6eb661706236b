#pragma once

#include <QByteArray>
#include <QList>

// Cuts a byte stream that arrives in chunks of any size into lines ended by CR LF. The bytes of
// an unfinished line wait for the next chunk. A line that grows past the cap without its end is
// dropped, so a device that never ends its lines cannot take the memory.
class CrlfLineAssembler
{
public:
    explicit CrlfLineAssembler(qsizetype maxPending = 4096) : m_maxPending(maxPending) {}

    // Appends a chunk and returns the lines it completed, in stream order, without their CR LF.
    QList<QByteArray> feed(const QByteArray& chunk);

    void clear();
    const QByteArray& pending() const { return m_pending; }

private:
    QByteArray m_pending;
    qsizetype m_maxPending;
};

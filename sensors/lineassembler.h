#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

// Cuts lines out of a byte stream that arrives in chunks of any size. The separator is found
// wherever it falls, also when a chunk ends between its bytes; an unfinished line waits for the
// next chunk. A line that grows past the cap without its separator is dropped whole (up to and
// including its separator), so a board that never ends its lines cannot take the memory.
class ByteLineAssembler
{
public:
    explicit ByteLineAssembler(QByteArray separator = QByteArrayLiteral("\r\n"), qsizetype cap = 64 * 1024);

    // Appends a chunk and returns the lines it completed, without their separators, in order.
    QList<QByteArray> feed(const QByteArray& chunk);
    void clear();
    bool isEmpty() const { return m_pending.isEmpty(); }
    const QByteArray& pending() const { return m_pending; }
    // Bytes dropped so far because a line outgrew the cap.
    qsizetype dropped() const { return m_dropped; }

private:
    QByteArray m_separator;
    qsizetype m_cap;
    QByteArray m_pending;
    qsizetype m_dropped = 0;
    bool m_skipping = false;
};

// The same for text lines, decoded as UTF-8. The separator is plain ASCII, so a completed line
// always holds whole characters, also when a chunk ended inside one.
class LineAssembler
{
public:
    explicit LineAssembler(const QString& separator = QStringLiteral("\r\n"), qsizetype cap = 64 * 1024);

    QStringList feed(const QByteArray& chunk);
    void clear() { m_lines.clear(); }
    bool isEmpty() const { return m_lines.isEmpty(); }
    QString pending() const { return QString::fromUtf8(m_lines.pending()); }
    qsizetype dropped() const { return m_lines.dropped(); }

private:
    ByteLineAssembler m_lines;
};

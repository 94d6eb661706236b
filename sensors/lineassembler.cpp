#include "sensors/lineassembler.h"

ByteLineAssembler::ByteLineAssembler(QByteArray separator, qsizetype cap)
    : m_separator(std::move(separator)), m_cap(cap)
{
}

QList<QByteArray> ByteLineAssembler::feed(const QByteArray& chunk)
{
    QList<QByteArray> lines;
    // Only the new bytes, and the few before them that may start a separator, can hold a line end.
    qsizetype search = std::max<qsizetype>(0, m_pending.size() - (m_separator.size() - 1));
    m_pending.append(chunk);
    qsizetype from = 0;
    for (qsizetype end = m_pending.indexOf(m_separator, search); end >= 0;
         end = m_pending.indexOf(m_separator, search)) {
        // The tail of a line whose start was dropped is no line of its own.
        if (m_skipping)
            m_skipping = false;
        else
            lines << m_pending.mid(from, end - from);
        from = end + m_separator.size();
        search = from;
    }
    m_pending.remove(0, from);
    if (m_pending.size() > m_cap) {
        // Keep a last byte that may begin the separator; skip up to the next line end.
        const bool keepLast = m_separator.size() > 1 && m_pending.endsWith(m_separator.front());
        m_dropped += m_pending.size() - (keepLast ? 1 : 0);
        m_pending = keepLast ? QByteArray(1, m_separator.front()) : QByteArray();
        m_skipping = true;
    }
    return lines;
}

void ByteLineAssembler::clear()
{
    m_pending.clear();
    m_skipping = false;
}

LineAssembler::LineAssembler(const QString& separator, qsizetype cap) : m_lines(separator.toUtf8(), cap) {}

QStringList LineAssembler::feed(const QByteArray& chunk)
{
    QStringList lines;
    for (const QByteArray& line : m_lines.feed(chunk))
        lines << QString::fromUtf8(line);
    return lines;
}

#include "sensors/lineassembler.h"

LineAssembler::LineAssembler(QString separator, qsizetype cap) : m_separator(std::move(separator)), m_cap(cap)
{
}

QStringList LineAssembler::feed(const QByteArray& chunk)
{
    QStringList lines;
    m_pending += m_decoder.decode(chunk);
    qsizetype from = 0;
    for (qsizetype end = m_pending.indexOf(m_separator); end >= 0;
         end = m_pending.indexOf(m_separator, from)) {
        // The tail of a line whose start was dropped is no line of its own.
        if (m_skipping)
            m_skipping = false;
        else
            lines << m_pending.mid(from, end - from);
        from = end + m_separator.size();
    }
    m_pending.remove(0, from);
    if (m_pending.size() > m_cap) {
        // Keep a last character that may begin the separator; skip up to the next line end.
        const bool keepLast = m_separator.size() > 1 && m_pending.endsWith(m_separator.front());
        m_dropped += m_pending.size() - (keepLast ? 1 : 0);
        m_pending = keepLast ? QString(m_separator.front()) : QString();
        m_skipping = true;
    }
    return lines;
}

void LineAssembler::clear()
{
    m_pending.clear();
    m_decoder.resetState();
    m_skipping = false;
}

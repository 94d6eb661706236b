#include "sensors/crlflines.h"

QList<QByteArray> CrlfLineAssembler::feed(const QByteArray& chunk)
{
    QList<QByteArray> lines;
    // Only the tail can hold a new line end; a CR at the old end may pair with an LF in front.
    qsizetype from = std::max<qsizetype>(0, m_pending.size() - 1);
    m_pending.append(chunk);
    qsizetype start = 0;
    for (;;) {
        const qsizetype end = m_pending.indexOf("\r\n", from);
        if (end < 0)
            break;
        lines.append(m_pending.mid(start, end - start));
        start = end + 2;
        from = start;
    }
    m_pending.remove(0, start);
    if (m_pending.size() > m_maxPending)
        m_pending.clear();
    return lines;
}

void CrlfLineAssembler::clear()
{
    m_pending.clear();
}

#pragma once

#include <QByteArray>
#include <QString>
#include <QStringDecoder>
#include <QStringList>

// Cuts text lines out of serial chunks of any size. The separator is found wherever it falls,
// also when a chunk ends between its characters; bytes are decoded as UTF-8 across chunk
// boundaries. A line that grows past the cap without its separator is dropped whole (up to its
// separator), so a board that never ends its lines cannot grow the buffer without bound.
class LineAssembler
{
public:
    explicit LineAssembler(QString separator = QStringLiteral("\r\n"), qsizetype cap = 64 * 1024);

    // Appends a chunk and returns the lines it completed, without their separators, in order.
    QStringList feed(const QByteArray& chunk);
    void clear();
    bool isEmpty() const { return m_pending.isEmpty(); }
    const QString& pending() const { return m_pending; }
    // Characters dropped so far because a line outgrew the cap.
    qsizetype dropped() const { return m_dropped; }

private:
    QString m_separator;
    qsizetype m_cap;
    QString m_pending;
    QStringDecoder m_decoder{QStringDecoder::Utf8};
    qsizetype m_dropped = 0;
    bool m_skipping = false;
};

#include "tools/hexbytes.h"

#include <QStringList>
#include <QtAlgorithms>

#include <algorithm>
#include <cstring>
#include <string.h> // memmem

namespace HexBytes {

static int hexDigit(QChar c)
{
    const ushort u = c.unicode();
    if (u >= '0' && u <= '9')
        return u - '0';
    if (u >= 'a' && u <= 'f')
        return u - 'a' + 10;
    if (u >= 'A' && u <= 'F')
        return u - 'A' + 10;
    return -1;
}

PatternStatus parsePattern(const QString& text, QByteArray* bytes)
{
    const QStringList tokens = text.split(QLatin1Char(' '), Qt::SkipEmptyParts);
    QByteArray out;
    out.reserve(tokens.size());
    for (const QString& token : tokens) {
        if (token.size() != 2)
            return PatternStatus::Invalid;
        const int hi = hexDigit(token.at(0));
        const int lo = hexDigit(token.at(1));
        if (hi < 0 || lo < 0)
            return PatternStatus::Invalid;
        out.append(char(hi * 16 + lo));
    }
    if (out.isEmpty())
        return PatternStatus::Empty;
    if (bytes)
        *bytes = out;
    return PatternStatus::Valid;
}

bool rowDiffers(const QByteArray& a, const QByteArray& b, int row)
{
    const qint64 start = qint64(row) * bytesPerRow;
    const qint64 lenA = std::clamp<qint64>(a.size() - start, 0, bytesPerRow);
    const qint64 lenB = std::clamp<qint64>(b.size() - start, 0, bytesPerRow);
    if (lenA != lenB)
        return true;
    return lenA > 0 && std::memcmp(a.constData() + start, b.constData() + start, size_t(lenA)) != 0;
}

HexRowSet diffRows(const QByteArray& a, const QByteArray& b)
{
    HexRowSet rows;
    const int total = std::max(rowCount(a.size()), rowCount(b.size()));
    rows.reset(total);
    const int common = int(std::min(a.size(), b.size()) / bytesPerRow); // full rows in both
    // Equal blocks are skipped with one memcmp; only differing blocks go row by row.
    constexpr int blockRows = 256;
    for (int first = 0; first < common; first += blockRows) {
        const int n = std::min(blockRows, common - first);
        const qint64 start = qint64(first) * bytesPerRow;
        if (std::memcmp(a.constData() + start, b.constData() + start, size_t(n) * bytesPerRow) == 0)
            continue;
        for (int row = first; row < first + n; ++row) {
            if (rowDiffers(a, b, row))
                rows.set(row);
        }
    }
    for (int row = common; row < total; ++row) {
        if (rowDiffers(a, b, row))
            rows.set(row);
    }
    return rows;
}

qint64 indexOf(const QByteArray& data, const QByteArray& pattern, qint64 from)
{
    const qint64 n = pattern.size();
    if (n == 0 || from < 0 || from + n > data.size())
        return -1;
    // glibc's memmem runs in linear time whatever the bytes: a scan that stops at every
    // candidate byte crawls through erased flash (all 0xFF) or zero-filled images.
    const void* hit =
        memmem(data.constData() + from, size_t(data.size() - from), pattern.constData(), size_t(n));
    return hit ? static_cast<const char*>(hit) - data.constData() : -1;
}

// The last start of `pattern` in [lo, hi] (every start there leaves room for the whole
// pattern), or -1. Forward scans only, each over at most half of what is left, so the
// cost stays within one pass over the span whatever the bytes.
static qint64 lastStartIn(const char* base, qint64 lo, qint64 hi, const QByteArray& pattern)
{
    const size_t n = size_t(pattern.size());
    qint64 last = -1;
    while (lo <= hi) {
        const qint64 mid = lo + (hi - lo + 1) / 2;
        const void* hit = memmem(base + mid, size_t(hi - mid) + n, pattern.constData(), n);
        if (hit) {
            last = static_cast<const char*>(hit) - base;
            lo = last + 1;
        } else {
            hi = mid - 1;
        }
    }
    return last;
}

qint64 lastIndexOf(const QByteArray& data, const QByteArray& pattern, qint64 from)
{
    const qint64 n = pattern.size();
    if (n == 0 || from < 0 || n > data.size())
        return -1;
    // Candidates never lie past the last place a whole pattern fits, so the terminating
    // NUL behind the data is never taken for a byte of the file.
    qint64 hi = std::min(from, data.size() - n);
    // Windows growing backwards from `from`: a near hit costs little, a far one (or none)
    // costs about one forward scan of the distance.
    qint64 window = qint64(64) << 10;
    while (hi >= 0) {
        const qint64 lo = std::max<qint64>(0, hi - window + 1);
        const qint64 hit = lastStartIn(data.constData(), lo, hi, pattern);
        if (hit >= 0)
            return hit;
        hi = lo - 1;
        window *= 2;
    }
    return -1;
}

// Whether `pattern` starts somewhere in [from, to): a short span, checked byte by byte.
static bool startsWithin(const QByteArray& data, const QByteArray& pattern, qint64 from, qint64 to)
{
    const qint64 n = pattern.size();
    const qint64 end = std::min(to, data.size() - n + 1);
    const char* base = data.constData();
    for (qint64 at = from; at < end; ++at) {
        if (base[at] == pattern.at(0) && std::memcmp(base + at, pattern.constData(), size_t(n)) == 0)
            return true;
    }
    return false;
}

qint64 markHitRows(const QByteArray& data, const QByteArray& pattern, HexRowSet* rows)
{
    const qint64 first = indexOf(data, pattern, 0);
    for (qint64 hit = first; hit >= 0;) {
        int row = int(hit / bytesPerRow);
        rows->set(row);
        // Runs of rows with hits (zeros searched in a zero-filled image) are checked row by
        // row: a memmem call costs more to set up than one row takes to check.
        while (startsWithin(data, pattern, qint64(row + 1) * bytesPerRow, qint64(row + 2) * bytesPerRow))
            rows->set(++row);
        // Further hits in this row add nothing: go on at the next row.
        hit = indexOf(data, pattern, qint64(row + 1) * bytesPerRow);
    }
    return first;
}

QList<qint64> findAll(const QByteArray& data, const QByteArray& pattern, qint64 from)
{
    QList<qint64> hits;
    for (qint64 at = indexOf(data, pattern, from); at >= 0; at = indexOf(data, pattern, at + 1))
        hits.append(at);
    return hits;
}

} // namespace HexBytes

void HexRowSet::reset(int rows)
{
    m_rows = std::max(rows, 0);
    m_words.assign(size_t((m_rows + 63) / 64), 0);
}

bool HexRowSet::isEmpty() const
{
    return std::all_of(m_words.begin(), m_words.end(), [](quint64 w) { return w == 0; });
}

bool HexRowSet::test(int row) const
{
    if (row < 0 || row >= m_rows)
        return false;
    return (m_words[size_t(row) / 64] >> (row % 64)) & 1u;
}

void HexRowSet::set(int row, bool on)
{
    if (row < 0 || row >= m_rows)
        return;
    const quint64 bit = quint64(1) << (row % 64);
    if (on)
        m_words[size_t(row) / 64] |= bit;
    else
        m_words[size_t(row) / 64] &= ~bit;
}

int HexRowSet::nextSet(int row) const
{
    if (row < 0)
        row = 0;
    if (row >= m_rows)
        return -1;
    size_t word = size_t(row) / 64;
    quint64 bits = m_words[word] & (~quint64(0) << (row % 64));
    while (bits == 0) {
        if (++word >= m_words.size())
            return -1;
        bits = m_words[word];
    }
    const int found = int(word * 64 + qCountTrailingZeroBits(bits));
    return found < m_rows ? found : -1;
}

int HexRowSet::prevSet(int row) const
{
    row = std::min(row, m_rows - 1);
    if (row < 0)
        return -1;
    size_t word = size_t(row) / 64;
    quint64 bits = m_words[word] & (~quint64(0) >> (63 - row % 64));
    while (bits == 0) {
        if (word == 0)
            return -1;
        bits = m_words[--word];
    }
    return int(word * 64 + 63 - qCountLeadingZeroBits(bits));
}

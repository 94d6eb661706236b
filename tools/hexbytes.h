#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QtGlobal>

#include <vector>

// Byte-level helpers of the hex compare tool: pattern parsing, search and row
// comparison on raw bytes, with no widget and no per-byte text formatting.
namespace HexBytes {

constexpr int bytesPerRow = 16;
// Offsets and rows are ints; the last row must still be addressable.
constexpr qint64 maxFileSize = (qint64(1) << 31) - bytesPerRow - 1;

inline int rowCount(qint64 size)
{
    return int((size + bytesPerRow - 1) / bytesPerRow);
}

enum class PatternStatus { Empty, Invalid, Valid };

// Reads "DE AD ..." (two hex digits per token, either case, separated by blanks).
// A text of blanks only is Empty: there is nothing to search for.
PatternStatus parsePattern(const QString& text, QByteArray* bytes);

// True when the 16-byte row differs between a and b (a byte present in only one
// of them counts as different).
bool rowDiffers(const QByteArray& a, const QByteArray& b, int row);

} // namespace HexBytes

// One bit per table row: the differing rows and the rows holding search hits of
// files with millions of rows, at 1/128 of the file's size.
class HexRowSet
{
public:
    void reset(int rows);
    int size() const { return m_rows; }
    bool isEmpty() const;
    bool test(int row) const;
    void set(int row, bool on = true);
    // First set row at or after `row`, or -1.
    int nextSet(int row) const;
    // Last set row at or before `row`, or -1.
    int prevSet(int row) const;

private:
    std::vector<quint64> m_words;
    int m_rows = 0;
};

namespace HexBytes {

// Rows in which a and b differ.
HexRowSet diffRows(const QByteArray& a, const QByteArray& b);

// First offset at or after `from` where `pattern` starts, or -1.
qint64 indexOf(const QByteArray& data, const QByteArray& pattern, qint64 from);

// The last offset at or before `from` where `pattern` starts (a `from` past the end means
// the end), or -1.
qint64 lastIndexOf(const QByteArray& data, const QByteArray& pattern, qint64 from);

// Adds to `rows` the row of the first byte of every occurrence of `pattern`, in one pass;
// returns the first occurrence's offset, or -1.
qint64 markHitRows(const QByteArray& data, const QByteArray& pattern, HexRowSet* rows);

// Every offset where `pattern` starts, ascending, overlapping ones included.
QList<qint64> findAll(const QByteArray& data, const QByteArray& pattern, qint64 from = 0);

} // namespace HexBytes

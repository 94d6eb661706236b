#pragma once

#include <QString>

// What the "Unicode" tab computes: text <-> hexadecimal UTF-16 code units.
namespace UnicodeHex {

// Four upper-case hexadecimal digits per UTF-16 code unit, each behind "\U" when
// `prefix` is set. Characters beyond the BMP give their two surrogates.
QString toHex(const QString& text, bool prefix);

enum class Failure {
    None,
    InvalidGroup,    // a group of four characters that are not all hexadecimal digits
    IncompleteGroup, // fewer than four characters left at the end
};

struct Decoded
{
    Failure failure = Failure::None;
    QString text;     // the decoded text when failure is None
    QString group;    // the offending group
    int position = 0; // 1-based position of the group's first character in the input
};

// Reads groups of four hexadecimal digits as UTF-16 code units. With `prefix` set,
// every "\U" and then every "\u" is removed first.
Decoded fromHex(const QString& input, bool prefix);

} // namespace UnicodeHex

#include "tools/unicode_core.h"

#include <QList>

namespace UnicodeHex {

QString toHex(const QString& text, bool prefix)
{
    QString out;
    out.reserve(text.size() * (prefix ? 6 : 4));
    for (const QChar unit : text) {
        if (prefix)
            out += QLatin1String("\\U");
        out += QStringLiteral("%1").arg(unit.unicode(), 4, 16, QLatin1Char('0')).toUpper();
    }
    return out;
}

namespace {

// Text with, for each character, its index in the original input.
struct Tracked
{
    QString text;
    QList<int> origin;
};

Tracked removeAll(const Tracked& in, QLatin1String needle)
{
    Tracked out;
    for (int i = 0; i < in.text.size();) {
        if (QStringView(in.text).mid(i, needle.size()) == needle) {
            i += needle.size();
            continue;
        }
        out.text.append(in.text.at(i));
        out.origin.append(in.origin.at(i));
        ++i;
    }
    return out;
}

int hexValue(QChar c)
{
    const ushort u = c.unicode();
    if (u >= '0' && u <= '9')
        return u - '0';
    if (u >= 'A' && u <= 'F')
        return u - 'A' + 10;
    if (u >= 'a' && u <= 'f')
        return u - 'a' + 10;
    return -1;
}

} // namespace

Decoded fromHex(const QString& input, bool prefix)
{
    Tracked rest;
    rest.text = input;
    rest.origin.reserve(input.size());
    for (int i = 0; i < input.size(); ++i)
        rest.origin.append(i);
    if (prefix)
        rest = removeAll(removeAll(rest, QLatin1String("\\U")), QLatin1String("\\u"));

    Decoded result;
    QString text;
    text.reserve(rest.text.size() / 4);
    for (int start = 0; start < rest.text.size(); start += 4) {
        const QString group = rest.text.mid(start, 4);
        if (group.size() < 4) {
            result.failure = Failure::IncompleteGroup;
            result.group = group;
            result.position = rest.origin.at(start) + 1;
            return result;
        }
        int unit = 0;
        for (const QChar c : group) {
            const int v = hexValue(c);
            if (v < 0) {
                result.failure = Failure::InvalidGroup;
                result.group = group;
                result.position = rest.origin.at(start) + 1;
                return result;
            }
            unit = unit * 16 + v;
        }
        text.append(QChar(static_cast<char16_t>(unit)));
    }
    result.text = text;
    return result;
}

} // namespace UnicodeHex

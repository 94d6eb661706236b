#include "app/check_update.h"

#include <QStringList>

namespace UpdateCheck {

Version currentVersion()
{
    return Version{3, 4, 4};
}

namespace {

// A whole decimal number with optional white space around it, fitting an int.
std::optional<int> number(const QString& text)
{
    const QString digits = text.trimmed();
    if (digits.isEmpty() || digits.size() > 9)
        return std::nullopt;
    for (const QChar c : digits) {
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return std::nullopt;
    }
    return digits.toInt();
}

} // namespace

std::optional<Version> parseVersionPage(const QString& page)
{
    const int quote = page.indexOf(QLatin1Char('"'));
    const int start = quote + 1; // 0 when there is no quote
    int end = page.size();
    for (int i = start; i < page.size(); ++i) {
        if (page.at(i) == QLatin1Char('"') || page.at(i) == QLatin1Char('\n')) {
            end = i;
            break;
        }
    }
    const QStringList parts = page.mid(start, end - start).split(QLatin1Char('.'));
    if (parts.size() != 3)
        return std::nullopt;
    const auto major = number(parts.at(0));
    const auto minor = number(parts.at(1));
    const auto patch = number(parts.at(2));
    if (!major || !minor || !patch)
        return std::nullopt;
    return Version{*major, *minor, *patch};
}

bool isNewer(const Version& candidate, const Version& current)
{
    if (candidate.major != current.major)
        return candidate.major > current.major;
    if (candidate.minor != current.minor)
        return candidate.minor > current.minor;
    return candidate.patch > current.patch;
}

} // namespace UpdateCheck

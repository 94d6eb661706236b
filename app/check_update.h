#pragma once

#include <QObject>
#include <QString>

#include <optional>

// A blocking HTTP(S) GET for small pages (the update check's version page).
// It waits in a local event loop, so the program keeps running meanwhile.
class GetHtml : public QObject
{
    Q_OBJECT
public:
    // The body decoded as UTF-8, or the empty text when the request failed, the
    // server answered with a non-2xx status, or nothing finished within timeoutMs.
    static QString getHtml(QString url);
    static QString getHtml(const QString& url, int waitMs);

    // Bound on the whole request; tests shorten it.
    static inline int timeoutMs = 12000;
    // Bodies beyond this size are cut: a version page is a few bytes.
    static constexpr int maxBodyBytes = 64 * 1024;
};

namespace UpdateCheck {

struct Version
{
    int major = 0;
    int minor = 0;
    int patch = 0;
};

// The version built into this program (3.4.4).
Version currentVersion();

// Reads the version page: major.minor.patch, normally between double quotes and
// followed by a line feed; text before the first quote is ignored. Each number is
// decimal with optional white space around it. Nothing when the page holds no
// such version.
std::optional<Version> parseVersionPage(const QString& page);

// Compares as (major, minor, patch).
bool isNewer(const Version& candidate, const Version& current);

} // namespace UpdateCheck

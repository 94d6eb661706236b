#include "gps/gpstrack.h"

#include <cmath>

namespace GpsTrack {

namespace {
const QString latitudeKey = QStringLiteral("Latitude:");
const QString longitudeKey = QStringLiteral("Longitude:");
const QString separator = QStringLiteral(",Longitude:");
} // namespace

std::optional<Position> parse(const QString& line)
{
    const int lat = line.indexOf(latitudeKey);
    const int lon = line.indexOf(longitudeKey);
    if (lat < 0 || lon < 0)
        return std::nullopt;
    const int from = lat + latitudeKey.size();
    const int end = line.indexOf(separator, from);
    Position p;
    p.latitude = end < 0 ? line.mid(from) : line.mid(from, end - from);
    p.longitude = line.mid(lon + longitudeKey.size());
    p.longitude.remove(QStringLiteral("\r\n"));
    p.longitude.remove(QLatin1Char('\n'));
    return p;
}

QByteArray line(const QString& latitude, const QString& longitude)
{
    return (latitudeKey + latitude + separator + longitude + QStringLiteral("\r\n")).toUtf8();
}

QList<QByteArray> takeLines(QByteArray& buffer, const QByteArray& data)
{
    buffer.append(data);
    QList<QByteArray> lines;
    int from = 0;
    for (int end = buffer.indexOf("\r\n"); end >= 0; end = buffer.indexOf("\r\n", from)) {
        lines << buffer.mid(from, end - from);
        from = end + 2;
    }
    buffer.remove(0, from);
    if (buffer.size() > maxLineBytes)
        buffer.clear();
    return lines;
}

bool isCoordinate(const QString& text)
{
    bool ok = false;
    const double value = text.trimmed().toDouble(&ok);
    if (!ok || !std::isfinite(value))
        return false;
    // Digits, one point and a leading sign only: no exponents, no names.
    for (const QChar c : text.trimmed()) {
        if (!c.isDigit() && c != QLatin1Char('.') && c != QLatin1Char('-') && c != QLatin1Char('+'))
            return false;
    }
    return true;
}

bool isPosition(const Position& p)
{
    return isCoordinate(p.latitude) && isCoordinate(p.longitude) &&
           std::abs(p.latitude.trimmed().toDouble()) <= 90 &&
           std::abs(p.longitude.trimmed().toDouble()) <= 180;
}

QString jsString(const QString& text)
{
    QString out = QStringLiteral("'");
    for (const QChar c : text) {
        switch (c.unicode()) {
        case '\\':
            out += QStringLiteral("\\\\");
            break;
        case '\'':
            out += QStringLiteral("\\'");
            break;
        case '\n':
            out += QStringLiteral("\\n");
            break;
        case '\r':
            out += QStringLiteral("\\r");
            break;
        case 0x2028:
            out += QStringLiteral("\\u2028");
            break;
        case 0x2029:
            out += QStringLiteral("\\u2029");
            break;
        case '<': // keeps "</script>" harmless wherever the call ends up
            out += QStringLiteral("\\x3c");
            break;
        default:
            out += c;
        }
    }
    return out + QLatin1Char('\'');
}

QString signedDegrees(const QString& degrees, const QString& hemisphere)
{
    if (degrees.isEmpty() || degrees.startsWith(QLatin1Char('-')))
        return degrees;
    const bool negative = hemisphere == QLatin1String("S") || hemisphere == QLatin1String("W");
    return negative ? QLatin1Char('-') + degrees : degrees;
}

std::pair<QString, QString> splitDegrees(const QString& degrees, const QString& positive,
                                         const QString& negative)
{
    const QString text = degrees.trimmed();
    const bool signed_ = text.startsWith(QLatin1Char('-')) || text.startsWith(QLatin1Char('+'));
    return {signed_ ? text.mid(1) : text, text.startsWith(QLatin1Char('-')) ? negative : positive};
}

std::optional<std::pair<Position, Position>> Replay::add(const Position& p)
{
    if (m_count == 0) {
        m_older = p;
        m_count = 1;
        return std::nullopt;
    }
    if (m_count == 1) {
        m_newer = p;
        m_count = 2;
    } else {
        m_older = m_newer;
        m_newer = p;
    }
    if (!(m_newer == m_older) || !m_drawn) {
        m_drawn = true;
        return std::make_pair(m_older, m_newer);
    }
    return std::nullopt;
}

} // namespace GpsTrack

#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

#include <optional>
#include <utility>

// Position lines ("Latitude:<lat>,Longitude:<lon>"), as written to the track file and
// sent by TCP position clients, and the map calls built from them.
namespace GpsTrack {

struct Position
{
    QString latitude;
    QString longitude;
    bool operator==(const Position& o) const { return latitude == o.latitude && longitude == o.longitude; }
};

// A line holding both keys: the latitude is the text after the first "Latitude:" up to
// the ",Longitude:" after it (or the end), the longitude the text after the first
// "Longitude:" without line ends.
std::optional<Position> parse(const QString& line);

// "Latitude:" + latitude + ",Longitude:" + longitude + "\r\n".
QByteArray line(const QString& latitude, const QString& longitude);

// Longest unfinished line kept from a position client.
constexpr int maxLineBytes = 4096;
// Appends data to buffer and returns each complete "\r\n"-ended line (without it);
// an unfinished line stays, dropped once it passes maxLineBytes.
QList<QByteArray> takeLines(QByteArray& buffer, const QByteArray& data);

// A finite decimal number: the only text handed to the map page as a coordinate.
bool isCoordinate(const QString& text);
// Both coordinates decimal numbers, latitude within 90 and longitude within 180 degrees:
// the only positions shown, mapped or recorded.
bool isPosition(const Position& p);
// The text as a single-quoted JavaScript string literal.
QString jsString(const QString& text);
// The degrees with the hemisphere's sign ("S" and "W" are negative).
QString signedDegrees(const QString& degrees, const QString& hemisphere);
// The reverse: signed degrees as unsigned text and its hemisphere letter, `negative`
// for a leading '-' ("-33.9" with "N", "S" gives "33.9", "S").
std::pair<QString, QString> splitDegrees(const QString& degrees, const QString& positive,
                                         const QString& negative);

// Track replay: hands back the segments to draw, each from a position to the next.
// A repeated position draws nothing, except that the first segment is always drawn.
class Replay
{
public:
    std::optional<std::pair<Position, Position>> add(const Position& p);

private:
    int m_count = 0;
    Position m_older;
    Position m_newer;
    bool m_drawn = false;
};

} // namespace GpsTrack

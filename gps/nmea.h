#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

#include <array>
#include <cstdint>

// UTC time of day of the last RMC sentence.
struct nmea_msg
{
    uint8_t hour = 0;
    uint8_t minute = 0;
    uint8_t second = 0;
};

// One satellite of a GSV sentence. Constellation codes: 0 none, 1 GPS, 2 BeiDou,
// 3 GLONASS, 4 Galileo, 5 QZSS.
struct nmea_slmsg
{
    uint8_t prn = 0;
    uint8_t elevation = 0;
    int32_t azimuth = 0;
    uint8_t snr = 0;
    uint8_t constellation = 0;
};

// NMEA 0183 framing and the decoding of the five sentence types the GPS tab shows.
namespace Nmea {

// A sentence that never ends is dropped once the unfinished text passes this size
// (NMEA 0183 sentences are at most 82 characters).
constexpr int maxPendingBytes = 4096;

// Appends `chunk` to `buffer` and returns every complete sentence ('$' through the line
// feed) whose checksum matches and whose fields are in range, in order. Every '$' starts
// a new sentence: text before it is a sentence of its own when it ends in its checksum
// (damaged streams lose line ends), otherwise it is dropped. Bytes in front of a '$' are
// discarded; an unfinished sentence stays in the buffer for the next chunk.
QList<QByteArray> takeSentences(QByteArray& buffer, const QByteArray& chunk);

// True when the two hexadecimal digits after the first '*' equal the exclusive OR
// of the characters between the leading '$' and that '*', and nothing but the line
// end follows them.
bool checksumMatches(const QByteArray& sentence);

// False when an RMC or GGA sentence carries a time, date, coordinate or hemisphere
// that cannot be (hour 24, minutes 60, latitude beyond 90, a sign, ...). Empty fields
// are in range: they only mean the receiver has no value.
bool fieldsInRange(const char* sentence);

enum class SentenceType { None, Rmc, Gsv, Gga, Gsa, Vtg };
// The first of "RMC", "GSV", "GGA", "GSA", "VTG" found anywhere in the text.
SentenceType sentenceType(const char* sentence);

// The number at the start of comma-separated field n (field 0 is the address);
// 0 for a missing, empty or non-numeric field. The decimal point is always '.'.
double fieldValue(const char* sentence, int field);
// The first character of field n, 0 when it is empty or missing.
char fieldChar(const char* sentence, int field);

// A real number truncated toward zero, 0 when it does not fit an int.
int truncated(double value);
// The general form with 6 significant digits (12 for 12.0, 545.4).
QString numberText(double value);
// ddmm.mmmm (or dddmm.mmmm) to unsigned decimal degrees with 7 decimals; empty for
// an empty or non-numeric field.
QString coordinateText(const char* sentence, int field);

struct Rmc
{
    bool hasTime = false; // an empty time field leaves `time` at zero
    nmea_msg time;
    // Status 'A', both coordinates and both hemispheres given and not both zero: the
    // receiver reports a position. Otherwise the texts below must not be shown.
    bool hasPosition = false;
    QString latitude;
    char latitudeHemisphere = 0; // 'N', 'S' or 0
    QString longitude;
    char longitudeHemisphere = 0; // 'E', 'W' or 0
};
Rmc decodeRmc(const char* sentence);

struct Gga
{
    bool fix = false; // quality 1 to 5 (GPS, DGPS, PPS, RTK fixed, RTK float)
    double satellitesUsed = 0;
    double altitude = 0;
};
Gga decodeGga(const char* sentence);

struct Gsa
{
    double pdop = 0;
    double hdop = 0;
    double vdop = 0;
};
Gsa decodeGsa(const char* sentence);

// Speed over ground in km/h.
double decodeVtgSpeed(const char* sentence);

enum class GsvTalker { Gps, Beidou, Other };
GsvTalker gsvTalker(const char* sentence);
// Satellites in view (field 3).
double gsvInView(const char* sentence);

// The four satellites of one GSV sentence; a missing satellite reads as all zeros.
std::array<nmea_slmsg, 4> decodeGsvSatellites(const char* sentence);
// 1 GPS, 2 BeiDou, 3 GLONASS, 4 Galileo, 5 QZSS, 0 for any other talker.
uint8_t gsvConstellation(const char* sentence);

} // namespace Nmea

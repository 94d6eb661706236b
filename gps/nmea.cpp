#include "gps/nmea.h"

#include <climits>
#include <cmath>
#include <cstring>

namespace Nmea {

namespace {

int hexDigit(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

// Start of field n, or null when the sentence has fewer fields (the checksum ends them).
const char* fieldStart(const char* sentence, int field)
{
    if (!sentence || field < 0)
        return nullptr;
    const char* p = sentence;
    for (int commas = 0; commas < field; ++p) {
        if (*p == '\0' || *p == '*')
            return nullptr;
        if (*p == ',')
            ++commas;
    }
    return p;
}

bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

// The longest leading part of `text` that is a decimal number, read with '.' as the point.
double leadingNumber(const QByteArray& text, bool* found = nullptr)
{
    if (found)
        *found = false;
    int i = 0;
    while (i < text.size() && (text[i] == ' ' || text[i] == '\t'))
        ++i;
    const int begin = i;
    if (i < text.size() && (text[i] == '+' || text[i] == '-'))
        ++i;
    int digits = 0;
    while (i < text.size() && isDigit(text[i]))
        ++i, ++digits;
    if (i < text.size() && text[i] == '.') {
        ++i;
        while (i < text.size() && isDigit(text[i]))
            ++i, ++digits;
    }
    if (digits == 0)
        return 0;
    int end = i;
    if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
        int j = i + 1;
        if (j < text.size() && (text[j] == '+' || text[j] == '-'))
            ++j;
        if (j < text.size() && isDigit(text[j])) {
            while (j < text.size() && isDigit(text[j]))
                ++j;
            end = j;
        }
    }
    bool ok = false;
    const double value = text.mid(begin, end - begin).toDouble(&ok);
    if (!ok || !std::isfinite(value))
        return 0;
    if (found)
        *found = true;
    return value;
}

} // namespace

QList<QByteArray> takeSentences(QByteArray& buffer, const QByteArray& chunk)
{
    buffer.append(chunk);
    QList<QByteArray> sentences;
    const auto take = [&](int from, int to) {
        const QByteArray sentence = buffer.mid(from, to - from);
        if (checksumMatches(sentence) && fieldsInRange(sentence.constData()))
            sentences.append(sentence);
    };
    int start = -1;
    for (int i = 0; i < buffer.size(); ++i) {
        const char c = buffer.at(i);
        if (c == '$') {
            if (start >= 0)
                take(start, i);
            start = i;
        } else if (c == '\n' && start >= 0) {
            take(start, i + 1);
            start = -1;
        }
    }
    // What stays: the unfinished sentence from its '$', nothing when there is none.
    buffer.remove(0, start >= 0 ? start : buffer.size());
    if (buffer.size() > maxPendingBytes)
        buffer.clear();
    return sentences;
}

bool checksumMatches(const QByteArray& sentence)
{
    if (!sentence.startsWith('$'))
        return false;
    const int star = sentence.indexOf('*');
    if (star < 0 || star + 2 >= sentence.size())
        return false;
    const QByteArray after = sentence.mid(star + 3);
    if (!after.isEmpty() && after != "\n" && after != "\r\n" && after != "\r")
        return false;
    const int high = hexDigit(sentence.at(star + 1));
    const int low = hexDigit(sentence.at(star + 2));
    if (high < 0 || low < 0)
        return false;
    unsigned char sum = 0;
    for (int i = 1; i < star; ++i)
        sum ^= static_cast<unsigned char>(sentence.at(i));
    return sum == ((high << 4) | low);
}

namespace {

// The text of field n up to its ',' or '*'; empty when missing.
QByteArray fieldText(const char* sentence, int field)
{
    const char* p = fieldStart(sentence, field);
    QByteArray text;
    while (p && *p && *p != ',' && *p != '*' && *p != '\r' && *p != '\n')
        text.append(*p++);
    return text;
}

// Digits with at most one decimal point: no sign, no exponent, no blanks.
bool isPlainDecimal(const QByteArray& text)
{
    int points = 0;
    for (const char c : text) {
        if (c == '.')
            ++points;
        else if (!isDigit(c))
            return false;
    }
    return points <= 1 && text != ".";
}

// hhmmss with optional fraction; a leap second (60) is a real time.
bool timeInRange(const QByteArray& text)
{
    if (text.isEmpty())
        return true;
    if (!isPlainDecimal(text))
        return false;
    const double v = text.toDouble();
    if (v >= 1e6)
        return false;
    const int hhmm = int(v) / 100;
    return hhmm / 100 < 24 && hhmm % 100 < 60 && v - 100.0 * hhmm < 61;
}

// ddmmyy.
bool dateInRange(const QByteArray& text)
{
    if (text.isEmpty())
        return true;
    if (text.size() != 6 || !isPlainDecimal(text) || text.contains('.'))
        return false;
    const int v = text.toInt();
    const int day = v / 10000;
    const int month = v / 100 % 100;
    return day >= 1 && day <= 31 && month >= 1 && month <= 12;
}

// ddmm.mmmm or dddmm.mmmm, at most `limit` degrees.
bool coordinateInRange(const QByteArray& text, double limit)
{
    if (text.isEmpty())
        return true;
    if (!isPlainDecimal(text))
        return false;
    const double v = text.toDouble();
    const double degrees = std::trunc(v / 100);
    const double minutes = v - 100 * degrees;
    return minutes < 60 && degrees + minutes / 60 <= limit;
}

bool letterInRange(const QByteArray& text, char a, char b)
{
    return text.isEmpty() || text == QByteArray(1, a) || text == QByteArray(1, b);
}

} // namespace

bool fieldsInRange(const char* sentence)
{
    int latitude = 0; // the position's first field; the time is field 1 in both
    switch (sentenceType(sentence)) {
    case SentenceType::Rmc:
        if (!dateInRange(fieldText(sentence, 9)))
            return false;
        latitude = 3;
        break;
    case SentenceType::Gga:
        latitude = 2;
        break;
    default:
        return true;
    }
    return timeInRange(fieldText(sentence, 1)) && coordinateInRange(fieldText(sentence, latitude), 90) &&
           letterInRange(fieldText(sentence, latitude + 1), 'N', 'S') &&
           coordinateInRange(fieldText(sentence, latitude + 2), 180) &&
           letterInRange(fieldText(sentence, latitude + 3), 'E', 'W');
}

SentenceType sentenceType(const char* sentence)
{
    if (!sentence)
        return SentenceType::None;
    static const struct
    {
        const char* tag;
        SentenceType type;
    } order[] = {{"RMC", SentenceType::Rmc},
                 {"GSV", SentenceType::Gsv},
                 {"GGA", SentenceType::Gga},
                 {"GSA", SentenceType::Gsa},
                 {"VTG", SentenceType::Vtg}};
    for (const auto& entry : order) {
        if (std::strstr(sentence, entry.tag))
            return entry.type;
    }
    return SentenceType::None;
}

namespace {

double fieldNumber(const char* sentence, int field, bool* found)
{
    *found = false;
    const char* p = fieldStart(sentence, field);
    if (!p)
        return 0;
    QByteArray text; // at most 98 characters count, as in a 99-byte field buffer
    while (*p && *p != ',' && *p != '*' && text.size() < 98)
        text.append(*p++);
    return leadingNumber(text, found);
}

} // namespace

double fieldValue(const char* sentence, int field)
{
    bool found = false;
    return fieldNumber(sentence, field, &found);
}

char fieldChar(const char* sentence, int field)
{
    const char* p = fieldStart(sentence, field);
    if (!p || *p == ',' || *p == '*')
        return 0;
    return *p;
}

int truncated(double value)
{
    if (!std::isfinite(value) || value >= double(INT_MAX) + 1.0 || value <= double(INT_MIN) - 1.0)
        return 0;
    return static_cast<int>(value);
}

QString numberText(double value)
{
    return QStringLiteral("%1").arg(value);
}

QString coordinateText(const char* sentence, int field)
{
    bool found = false;
    const double v = fieldNumber(sentence, field, &found);
    if (!found)
        return QString();
    const double whole = std::trunc(v / 100);
    const double degrees = whole + (v - 100 * whole) / 60;
    return QString::number(degrees, 'f', 7);
}

Rmc decodeRmc(const char* sentence)
{
    Rmc rmc;
    rmc.hasTime = !fieldText(sentence, 1).isEmpty();
    const int t = truncated(fieldValue(sentence, 1));
    rmc.time.hour = static_cast<uint8_t>(t / 10000);
    rmc.time.minute = static_cast<uint8_t>((t / 100) % 100);
    rmc.time.second = static_cast<uint8_t>(t % 100);
    rmc.latitude = coordinateText(sentence, 3);
    const char ns = fieldChar(sentence, 4);
    rmc.latitudeHemisphere = (ns == 'N' || ns == 'S') ? ns : 0;
    rmc.longitude = coordinateText(sentence, 5);
    const char ew = fieldChar(sentence, 6);
    rmc.longitudeHemisphere = (ew == 'E' || ew == 'W') ? ew : 0;
    // Receivers without a fix send 0000.0000,N,00000.0000,E: that is no place.
    const bool nowhere = fieldValue(sentence, 3) == 0 && fieldValue(sentence, 5) == 0;
    rmc.hasPosition = fieldChar(sentence, 2) == 'A' && !rmc.latitude.isEmpty() && !rmc.longitude.isEmpty() &&
                      rmc.latitudeHemisphere && rmc.longitudeHemisphere && !nowhere;
    return rmc;
}

Gga decodeGga(const char* sentence)
{
    Gga gga;
    const int quality = truncated(fieldValue(sentence, 6));
    gga.fix = quality >= 1 && quality <= 5;
    gga.satellitesUsed = fieldValue(sentence, 7);
    gga.altitude = fieldValue(sentence, 9);
    return gga;
}

Gsa decodeGsa(const char* sentence)
{
    return {fieldValue(sentence, 15), fieldValue(sentence, 16), fieldValue(sentence, 17)};
}

double decodeVtgSpeed(const char* sentence)
{
    return fieldValue(sentence, 7);
}

GsvTalker gsvTalker(const char* sentence)
{
    if (!sentence)
        return GsvTalker::Other;
    if (std::strstr(sentence, "PGSV"))
        return GsvTalker::Gps;
    if (std::strstr(sentence, "DGSV") || std::strstr(sentence, "BGSV"))
        return GsvTalker::Beidou;
    return GsvTalker::Other;
}

double gsvInView(const char* sentence)
{
    return fieldValue(sentence, 3);
}

uint8_t gsvConstellation(const char* sentence)
{
    if (!sentence)
        return 0;
    if (std::strstr(sentence, "PGSV"))
        return 1;
    if (std::strstr(sentence, "DGSV") || std::strstr(sentence, "BGSV"))
        return 2;
    if (std::strstr(sentence, "LGSV"))
        return 3;
    if (std::strstr(sentence, "QGSV"))
        return 5;
    if (std::strstr(sentence, "AGSV"))
        return 4;
    return 0;
}

std::array<nmea_slmsg, 4> decodeGsvSatellites(const char* sentence)
{
    std::array<nmea_slmsg, 4> records{};
    const uint8_t code = gsvConstellation(sentence);
    for (int k = 0; k < 4; ++k) {
        nmea_slmsg& r = records[k];
        r.prn = static_cast<uint8_t>(truncated(fieldValue(sentence, 4 + 4 * k)));
        r.elevation = static_cast<uint8_t>(truncated(fieldValue(sentence, 5 + 4 * k)));
        r.azimuth = truncated(fieldValue(sentence, 6 + 4 * k));
        r.snr = static_cast<uint8_t>(truncated(fieldValue(sentence, 7 + 4 * k)));
        r.constellation = r.prn != 0 ? code : 0;
    }
    return records;
}

} // namespace Nmea

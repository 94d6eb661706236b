#pragma once

#include <QByteArray>
#include <QString>

// Text rules shared by the serial, UDP and TCP terminals: how received bytes are
// written as hexadecimal, how a send box becomes bytes, and how the byte
// counters saturate. No widgets here.
namespace TerminalFormat {

// Largest value a byte counter shows; a sum above it shows this and stays.
constexpr int counterMax = 99999;
// Largest file that Import loads into a send box.
constexpr qint64 importLimit = 10000;
// Interval of the repeated send until the user changes it.
constexpr int sendIntervalMs = 200;

// The counter rule: shown value plus n, saturating at counterMax.
int addToCount(int shown, qint64 n);

// Serial terminal: "0x%1," per byte, lower-case digits, "\n" after every 0x0a.
QString hexSerial(const QByteArray& data);
// Network terminals: "0x%1, " per byte, upper-case digits, no line breaks.
QString hexNetwork(const QByteArray& data);

// One hexadecimal token: "0x" followed by digits, or digits alone.
bool isValidHexToken(const QString& token);
// Parses tokens separated by runs of commas and blanks; every token is one byte
// (the low 8 bits of its value, which must fit in 32 bits). Returns false and
// leaves `out` empty on the first bad token.
bool parseHexTokens(const QString& text, QByteArray* out);

// Serial text send: UTF-8, every line feed sent as carriage return + line feed,
// a pair already present stays single.
QByteArray serialText(const QString& text);
// Network text send: UTF-8, only a final line feed becomes carriage return + line feed.
QString networkText(const QString& text);

// A port field: a whole number from 1 to 65535 (blanks around it ignored).
bool parsePort(const QString& text, quint16* port);

// Expands the preset escapes \r \n \t \a \b \f \v \\ \? \' \" in one left-to-right
// pass; any other backslash is sent as typed.
QByteArray expandEscapes(const QByteArray& command);

} // namespace TerminalFormat

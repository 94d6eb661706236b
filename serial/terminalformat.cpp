#include "serial/terminalformat.h"

#include <QRegularExpression>
#include <QStringList>

namespace TerminalFormat {

int addToCount(int shown, qint64 n)
{
    const qint64 sum = qint64(shown) + n;
    return sum > counterMax ? counterMax : int(sum);
}

namespace {

QString hexEntries(const QByteArray& data, const char* digits, const char* separator, bool breakAfterLf)
{
    QString out;
    out.reserve(data.size() * 6);
    for (const char c : data) {
        const auto b = static_cast<unsigned char>(c);
        out += QLatin1String("0x");
        out += QLatin1Char(digits[b >> 4]);
        out += QLatin1Char(digits[b & 0x0f]);
        out += QLatin1String(separator);
        if (breakAfterLf && b == 0x0a)
            out += QLatin1Char('\n');
    }
    return out;
}

} // namespace

QString hexSerial(const QByteArray& data)
{
    return hexEntries(data, "0123456789abcdef", ",", true);
}

QString hexNetwork(const QByteArray& data)
{
    return hexEntries(data, "0123456789ABCDEF", ", ", false);
}

bool isValidHexToken(const QString& token)
{
    static const QRegularExpression prefixed(QStringLiteral("^0x[0-9a-fA-F]+$"));
    static const QRegularExpression bare(QStringLiteral("^[0-9a-fA-F]+$"));
    return token.startsWith(QLatin1String("0x")) ? prefixed.match(token).hasMatch()
                                                 : bare.match(token).hasMatch();
}

bool parseHexTokens(const QString& text, QByteArray* out)
{
    static const QRegularExpression separators(QStringLiteral("[, ]+"));
    QByteArray bytes;
    QString joined = text.trimmed();
    joined.replace(separators, QStringLiteral(" "));
    const QStringList tokens = joined.split(QLatin1Char(' '));
    for (QString token : tokens) {
        if (token.isEmpty())
            continue;
        if (!isValidHexToken(token)) {
            out->clear();
            return false;
        }
        token.remove(QLatin1String("0x"));
        bool ok = false;
        const uint value = token.toUInt(&ok, 16);
        if (!ok) { // more than 32 bits
            out->clear();
            return false;
        }
        bytes.append(char(value & 0xff));
    }
    *out = bytes;
    return true;
}

QByteArray serialText(const QString& text)
{
    QByteArray bytes = text.toUtf8();
    bytes.replace("\n", "\r\n");
    bytes.replace("\r\r\n", "\r\n");
    return bytes;
}

QString networkText(const QString& text)
{
    if (text.endsWith(QLatin1Char('\n')))
        return text.left(text.size() - 1) + QLatin1String("\r\n");
    return text;
}

bool parsePort(const QString& text, quint16* port)
{
    bool ok = false;
    const int value = text.trimmed().toInt(&ok, 10);
    if (!ok || value < 1 || value > 65535)
        return false;
    *port = quint16(value);
    return true;
}

QByteArray expandEscapes(const QByteArray& command)
{
    QByteArray out;
    out.reserve(command.size());
    for (int i = 0; i < command.size(); ++i) {
        const char c = command.at(i);
        if (c != '\\' || i + 1 >= command.size()) {
            out.append(c);
            continue;
        }
        char replacement = 0;
        switch (command.at(i + 1)) {
        case 'r':
            replacement = '\r';
            break;
        case 'n':
            replacement = '\n';
            break;
        case 't':
            replacement = '\t';
            break;
        case 'a':
            replacement = '\a';
            break;
        case 'b':
            replacement = '\b';
            break;
        case 'f':
            replacement = '\f';
            break;
        case 'v':
            replacement = '\v';
            break;
        case '\\':
            replacement = '\\';
            break;
        case '?':
            replacement = '?';
            break;
        case '\'':
            replacement = '\'';
            break;
        case '"':
            replacement = '"';
            break;
        default:
            break;
        }
        if (replacement == 0) {
            out.append(c);
            continue;
        }
        out.append(replacement);
        ++i;
    }
    return out;
}

} // namespace TerminalFormat

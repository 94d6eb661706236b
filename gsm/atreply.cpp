#include "gsm/atreply.h"

#include <algorithm>

namespace AtReply {

namespace {

QByteArray upToZero(const QByteArray& read)
{
    const int zero = read.indexOf('\0');
    return zero < 0 ? read : read.left(zero);
}

// The text after `prefix`, or a null array when the read does not hold it.
QByteArray after(const QByteArray& read, const QByteArray& prefix)
{
    const QByteArray text = upToZero(read);
    const int at = text.indexOf(prefix);
    if (at < 0)
        return QByteArray();
    const QByteArray rest = text.mid(at + prefix.size());
    return rest.isNull() ? QByteArray("") : rest;
}

const QByteArray separator("\",\"");

} // namespace

bool holds(const QByteArray& read, const QByteArray& token)
{
    return upToZero(read).contains(token);
}

bool endsWithFinalResult(const QByteArray& pending)
{
    // clang-format off
    static const QByteArray finals[] = {
        "OK", "ERROR", "+CME ERROR:", "+CMS ERROR:", "NO CARRIER", "BUSY", "NO ANSWER", "NO DIALTONE",
        "CONNECT OK", "CONNECT FAIL", "SEND OK", "SEND FAIL", "CLOSE OK", "SHUT OK",
    };
    // clang-format on
    if (pending.endsWith("> ") || pending.endsWith('>'))
        return true;
    if (!pending.endsWith("\r\n"))
        return false;
    const QByteArray body = pending.chopped(2);
    const QByteArray last = body.mid(body.lastIndexOf('\n') + 1).trimmed();
    for (const QByteArray& f : finals) {
        if (last.startsWith(f))
            return true;
    }
    return false;
}

bool isError(const QByteArray& read)
{
    return holds(read, "ERROR\r\n") || holds(read, "ERROR:");
}

bool isFailedAttempt(const QByteArray& read)
{
    // Whole result codes only: "NO" alone also turns up in "UNKNOWN" or "SIM NOT READY".
    for (const char* result : {"NO CARRIER\r\n", "NO ANSWER\r\n", "NO DIALTONE\r\n", "BUSY\r\n"}) {
        if (holds(read, result))
            return true;
    }
    return false;
}

int clipSetting(const QByteArray& read)
{
    QByteArray value = after(read, "+CLIP: ");
    if (value.isNull())
        return -1;
    const int comma = value.indexOf(',');
    if (comma >= 0)
        value.truncate(comma);
    if (value.contains('1'))
        return 1;
    return value.contains('0') ? 0 : -1;
}

int ringerSetting(const QByteArray& read)
{
    const QByteArray value = after(read, "+CALM: ");
    if (value.isNull())
        return -1;
    if (value.contains('0'))
        return 1;
    return value.contains('1') ? 0 : -1;
}

int smsTextModeSetting(const QByteArray& read)
{
    const QByteArray value = after(read, "+CMGF: ");
    if (value.isNull())
        return -1;
    if (value.contains('1'))
        return 1;
    return value.contains('0') ? 0 : -1;
}

int csqValue(const QByteArray& read, bool* found)
{
    QByteArray value = after(read, "+CSQ: ");
    *found = !value.isNull();
    const int end = value.indexOf(',');
    if (end >= 0)
        value.truncate(end);
    const int lineEnd = value.indexOf('\r');
    if (lineEnd >= 0)
        value.truncate(lineEnd);
    bool ok = false;
    const int v = value.trimmed().toInt(&ok, 10);
    return ok ? v : 0;
}

const char* signalPicture(int value)
{
    if (value == 0)
        return ":images/sig25.png";
    if (value == 1)
        return ":images/sig50.png";
    if (value >= 2 && value <= 30)
        return ":images/sig75.png";
    if (value >= 31 && value <= 98)
        return ":images/sig100.png";
    if (value == 99)
        return ":images/sig0.png";
    return nullptr;
}

QString toUcs2Hex(const QString& text)
{
    QString hex;
    hex.reserve(text.size() * 4);
    for (const QChar c : text)
        hex += QStringLiteral("%1").arg(c.unicode(), 4, 16, QLatin1Char('0'));
    return hex;
}

QString fromUcs2Hex(const QString& hex)
{
    QString text;
    const int units = int(hex.size() / 4);
    text.reserve(units);
    for (int i = 0; i < units; ++i) {
        bool ok = false;
        const ushort unit = hex.mid(i * 4, 4).toUShort(&ok, 16);
        text += QChar(ok ? unit : ushort(0));
    }
    return text;
}

bool isReceivedMessage(const QByteArray& reply)
{
    return reply.contains("+CMGR: \"REC");
}

SmsMessage parseReceivedMessage(const QByteArray& reply)
{
    SmsMessage m;
    const int header = reply.indexOf("+CMGR: ");
    if (header < 0)
        return m;
    int seps[3];
    int from = header;
    for (int& s : seps) {
        s = reply.indexOf(separator, from);
        if (s < 0)
            return m;
        from = s + separator.size();
    }
    const int senderStart = seps[0] + separator.size();
    const int senderEnd = reply.indexOf('"', senderStart);
    const int timeStart = seps[2] + separator.size();
    const int timeEnd = reply.indexOf('"', timeStart);
    if (senderEnd < 0 || timeEnd < 0)
        return m;
    // The text is the line after the header (which may carry more fields after the time).
    const int lineEnd = reply.indexOf("\r\n", timeEnd);
    if (lineEnd < 0)
        return m;
    const int textStart = lineEnd + 2;
    int textEnd = reply.indexOf('\r', textStart);
    if (textEnd < 0)
        textEnd = int(reply.size());
    m.sender = fromUcs2Hex(QString::fromLatin1(reply.mid(senderStart, senderEnd - senderStart)));
    m.time = QString::fromLatin1(reply.mid(timeStart, timeEnd - timeStart));
    m.text = fromUcs2Hex(QString::fromLatin1(reply.mid(textStart, textEnd - textStart)));
    m.valid = true;
    return m;
}

QString formatMessage(const SmsMessage& message)
{
    return QStringLiteral("Sender:") + message.sender + QStringLiteral("\r\nTime:") + message.time +
           QStringLiteral("\r\n") + message.text;
}

QByteArray dialCommand(const QString& number)
{
    return "ATD" + number.toLatin1() + ";\r\n";
}

QByteArray dtmfCommand(char key)
{
    return QByteArray("AT+VTS=") + key + "\r\n";
}

QByteArray smsSendCommand(const QString& number)
{
    return "AT+CMGS=\"" + toUcs2Hex(number).toLatin1() + "\"\r\n";
}

QByteArray gprsStartCommand(const QString& address, const QString& port)
{
    return "AT+CIPSTART=\"TCP\",\"" + address.toLatin1() + "\",\"" + port.toLatin1() + "\"\r\n";
}

QByteArray gprsPayload(QByteArray data)
{
    if (data.endsWith('\n')) {
        data.chop(1);
        data += "\r\n";
    }
    return data;
}

bool isGprsNoise(const QByteArray& chunk)
{
    return chunk.contains("WARNNING");
}

namespace {

// A caller line's number type (national, international, unknown), followed by the optional
// fields or by the end of the line when the modem leaves them out.
bool holdsCallerType(const QByteArray& buffer)
{
    static const char* const types[] = {",161,", ",145,", ",129,", ",161\r\n", ",145\r\n", ",129\r\n"};
    return std::any_of(std::begin(types), std::end(types),
                       [&buffer](const char* type) { return buffer.contains(type); });
}

// The reader's rules, run once per piece of input.
void readPiece(QList<Unsolicited>& found, QByteArray& buffer, bool& ringSeen, bool& clipSeen,
               const QByteArray& piece)
{
    buffer += piece;
    if (buffer.size() > unsolicitedBufferLimit)
        buffer.remove(0, buffer.size() - unsolicitedBufferLimit);

    // A call that ended also ends its ring sequence, so the next call shows again. A dial
    // nobody answered, or one without a dial tone, ends as a dropped call does.
    for (const char* ended : {"NO CARRIER\r\n", "NO ANSWER\r\n", "NO DIALTONE\r\n"}) {
        if (buffer.contains(ended)) {
            found.append({Unsolicited::CallEnded, QString()});
            ringSeen = clipSeen = false;
            buffer.clear();
        }
    }
    if (buffer.contains("BUSY\r\n")) {
        found.append({Unsolicited::Busy, QString()});
        ringSeen = clipSeen = false;
        buffer.clear();
    }
    if (buffer.contains("COLP")) {
        found.append({Unsolicited::Connected, QString()});
        buffer.clear();
    }
    if (ringSeen && !clipSeen && holdsCallerType(buffer)) {
        ringSeen = false;
        clipSeen = true;
    }
    if (clipSeen && buffer.contains("+CLIP")) {
        QString number;
        const int start = buffer.indexOf("+CLIP: \"");
        if (start >= 0) {
            const int from = start + 8;
            const int end = buffer.indexOf('"', from);
            number = QString::fromLatin1(buffer.mid(from, end < 0 ? -1 : end - from));
        }
        found.append({Unsolicited::IncomingCall, number});
        clipSeen = false;
        buffer.clear();
    }
    if (!ringSeen && buffer.contains("RING")) {
        found.append({Unsolicited::IncomingCall, QString()});
        ringSeen = true;
        clipSeen = false;
    }
    if (buffer.contains("+CMTI")) {
        const int box = buffer.indexOf("\"SM\",");
        if (box >= 0) {
            const QByteArray rest = buffer.mid(box + 5);
            const int lineEnd = rest.indexOf("\r\n");
            if (lineEnd >= 0) {
                found.append({Unsolicited::NewSms, QString::fromLatin1(rest.left(lineEnd).trimmed())});
                buffer.clear();
            }
        }
    }
}

// clang-format off
const QByteArray unsolicitedStarts[] = {
    "RING", "+CLIP: \"", "+COLP: \"", "+CMTI:", "NO CARRIER", "BUSY", "NO ANSWER", "NO DIALTONE",
};
// clang-format on

} // namespace

QList<Unsolicited> readUnsolicited(QByteArray& buffer, bool& ringSeen, bool& clipSeen,
                                   const QByteArray& chunk)
{
    QList<Unsolicited> found;
    int from = 0;
    while (from < chunk.size()) {
        const int lineEnd = chunk.indexOf("\r\n", from);
        const int to = lineEnd < 0 ? int(chunk.size()) : lineEnd + 2;
        readPiece(found, buffer, ringSeen, clipSeen, chunk.mid(from, to - from));
        from = to;
    }
    return found;
}

bool isUnsolicitedLine(const QByteArray& line)
{
    const QByteArray text = line.trimmed();
    for (const QByteArray& start : unsolicitedStarts) {
        if (text.startsWith(start))
            return true;
    }
    return false;
}

bool mayBeUnsolicited(const QByteArray& partialLine)
{
    const QByteArray text = partialLine.trimmed();
    if (text.isEmpty())
        return false;
    for (const QByteArray& start : unsolicitedStarts) {
        if (text.startsWith(start) || start.startsWith(text))
            return true;
    }
    return false;
}

} // namespace AtReply

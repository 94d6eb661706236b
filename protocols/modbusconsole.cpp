#include "protocols/modbusconsole.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QIODevice>
#include <QPointer>
#include <QRegularExpression>

namespace ModbusConsole {

Quenlix_ModbusClient::FunctionCode functionForIndex(int index)
{
    static constexpr int codes[] = {1, 2, 3, 4, 5, 6, 15, 16, 22};
    if (index < 0 || index >= int(std::size(codes)))
        return Quenlix_ModbusClient::ReadCoils;
    return Quenlix_ModbusClient::FunctionCode(codes[index]);
}

bool isValidHexInput(const QString& text)
{
    static const QRegularExpression pattern(QStringLiteral("^((0x[0-9A-Fa-f]+)(\\s*|,\\s*)?)*$"));
    return pattern.match(text).hasMatch();
}

namespace {

const QRegularExpression& tokenPattern()
{
    static const QRegularExpression pattern(QStringLiteral("0x([0-9A-Fa-f]+)"));
    return pattern;
}

} // namespace

QByteArray hexStringToBytes(const QByteArray& text)
{
    QByteArray bytes;
    auto it = tokenPattern().globalMatch(QString::fromLatin1(text));
    while (it.hasNext()) {
        bool ok = false;
        const int value = it.next().captured(1).toInt(&ok, 16);
        bytes.append(ok ? char(value & 0xFF) : char(0));
    }
    return bytes;
}

QString oversizedToken(const QString& text)
{
    auto it = tokenPattern().globalMatch(text);
    while (it.hasNext()) {
        const QRegularExpressionMatch match = it.next();
        bool ok = false;
        const qulonglong value = match.captured(1).toULongLong(&ok, 16);
        if (!ok || value > 0xFF)
            return match.captured(0);
    }
    return {};
}

QString frameHex(const QByteArray& frame)
{
    QString text;
    text.reserve(frame.size() * 5);
    for (const char c : frame) {
        text += QStringLiteral("0x%1,").arg(quint8(c), 2, 16, QLatin1Char('0'));
        if (c == 0x0A)
            text += QLatin1Char('\n');
    }
    if (!text.isEmpty())
        text.chop(1);
    return text;
}

QString logEntryHtml(const QByteArray& frame, const QTime& time)
{
    return QStringLiteral("<br><span style=\"color:green\">") +
           time.toString(QStringLiteral("[hh:mm:ss.zzz]")) +
           QStringLiteral("</span><span style=\"color:black\">") + frameHex(frame) +
           QStringLiteral("</span>");
}

QString refusedEntryHtml(const QByteArray& frame, const QTime& time, const QString& reason)
{
    return logEntryHtml(frame, time) + QStringLiteral(" <span style=\"color:red\">(") +
           QCoreApplication::translate("ModbusConsole", "refused: %1").arg(reason).toHtmlEscaped() +
           QStringLiteral(")</span>");
}

namespace {

int word(const QByteArray& bytes, int at)
{
    return (quint8(bytes.at(at)) << 8) | quint8(bytes.at(at + 1));
}

} // namespace

int replyLength(const QByteArray& bytes, Quenlix_ModBus_Mode mode)
{
    if (mode != Quenlix_ModBus_RTU) {
        if (bytes.size() < 6)
            return 0;
        const int length = word(bytes, 4);
        return length > 0 && length <= maxFrameBytes - 6 ? 6 + length : 0;
    }
    if (bytes.size() < 2)
        return 0;
    const int code = quint8(bytes.at(1));
    if (code & 0x80)
        return 5; // unit, code, exception code, CRC
    switch (code) {
    case 1:
    case 2:
    case 3:
    case 4:
        return bytes.size() < 3 ? 0 : 5 + quint8(bytes.at(2));
    case 5:
    case 6:
    case 15:
    case 16:
        return 8; // echo of address and value or quantity
    default:
        return 0;
    }
}

QString notTheReply(const QList<QByteArray>& requests, const QByteArray& frame, Quenlix_ModBus_Mode mode)
{
    if (mode == Quenlix_ModBus_RTU || requests.isEmpty() || frame.size() < 4)
        return {};
    if (word(frame, 2) != 0)
        return QCoreApplication::translate("ModbusConsole", "protocol id %1 is not Modbus")
            .arg(word(frame, 2));
    for (const QByteArray& request : requests) {
        if (request.size() >= 4 && word(frame, 0) == word(request, 0))
            return {};
    }
    return QCoreApplication::translate("ModbusConsole", "transaction id %1, the request's is %2")
        .arg(word(frame, 0))
        .arg(requests.last().size() >= 4 ? word(requests.last(), 0) : 0);
}

RtuExpectation expectedRtuReply(const QByteArray& request)
{
    RtuExpectation expected;
    if (request.size() < 2)
        return expected;
    expected.unit = quint8(request.at(0));
    expected.code = quint8(request.at(1));
    const int quantity = request.size() >= 6 ? word(request, 4) : 0;
    switch (expected.code) {
    case 1:
    case 2:
        expected.length = 5 + (quantity + 7) / 8;
        break;
    case 3:
    case 4:
        expected.length = 5 + 2 * quantity;
        break;
    case 5:
    case 6:
    case 15:
    case 16:
        expected.length = 8;
        break;
    default:
        break;
    }
    return expected;
}

namespace {

bool goodCrc(const QByteArray& bytes, int length)
{
    if (length < 4 || bytes.size() < length)
        return false;
    const quint16 crc =
        Quenlix_ModbusClient::calculateCRC(QByteArray::fromRawData(bytes.constData(), length - 2));
    return crc == (quint8(bytes.at(length - 2)) | (quint8(bytes.at(length - 1)) << 8));
}

bool isExpectedCode(quint8 code, const RtuExpectation& expected)
{
    return code == expected.code || code == (expected.code | 0x80);
}

// Length of the reply to expected that starts bytes, as far as it can be told yet: its own byte
// count where it has one, else what the request asked for.
int expectedLength(const QByteArray& bytes, const RtuExpectation& expected)
{
    const int own = replyLength(bytes, Quenlix_ModBus_RTU);
    return own > 0 ? own : expected.length;
}

} // namespace

int rtuReplyAt(const QByteArray& bytes, const RtuExpectation& expected)
{
    if (bytes.size() < 2 || quint8(bytes.at(0)) != expected.unit ||
        !isExpectedCode(quint8(bytes.at(1)), expected))
        return 0;
    const int length = expectedLength(bytes, expected);
    return goodCrc(bytes, length) ? length : 0;
}

bool mayStartRtuReply(const QByteArray& bytes, const RtuExpectation& expected)
{
    return !bytes.isEmpty() && quint8(bytes.at(0)) == expected.unit &&
           (bytes.size() == 1 || isExpectedCode(quint8(bytes.at(1)), expected));
}

QString refusal(Quenlix_ModbusClient& engine, Quenlix_ModbusClient::FunctionCode code,
                const QByteArray& request, const QByteArray& reply, Quenlix_ModBus_Mode mode)
{
    QString verdict;
    const QMetaObject::Connection link = QObject::connect(
        &engine, &Quenlix_ModbusClient::errorOccurred, &engine,
        [&verdict](const QString& message) { verdict = message; }, Qt::DirectConnection);
    const bool parsed = engine.parseResponse(code, reply, mode).isValid();
    QObject::disconnect(link);
    if (!parsed)
        return verdict.isEmpty() ? QStringLiteral("Invalid response") : verdict;
    const qsizetype unitAt = mode == Quenlix_ModBus_RTU ? 0 : 6;
    if (request.size() > unitAt && reply.at(unitAt) != request.at(unitAt))
        return QCoreApplication::translate("ModbusConsole", "answer from unit %1, the request went to %2")
            .arg(quint8(reply.at(unitAt)))
            .arg(quint8(request.at(unitAt)));
    return {};
}

namespace {

bool usable(const QPointer<QIODevice>& device)
{
    return device && device->isOpen();
}

// Whatever arrived since the last transaction, buffered or still in the driver.
void discardStale(const QPointer<QIODevice>& device)
{
    for (int round = 0; round < 64 && usable(device); ++round) {
        device->readAll();
        if (!usable(device) || !device->waitForReadyRead(0))
            return;
    }
}

} // namespace

namespace {

using Stray = std::function<void(const QByteArray&, const QString&)>;

QByteArray rawTail(const QByteArray& bytes, qsizetype from)
{
    return QByteArray::fromRawData(bytes.constData() + from, bytes.size() - from);
}

// A complete frame of any unit with a good CRC at the start of bytes; 0 if none.
int otherRtuFrameAt(const QByteArray& bytes)
{
    const int length = replyLength(bytes, Quenlix_ModBus_RTU);
    return goodCrc(bytes, length) ? length : 0;
}

// Reports bytes that are not the reply: whole frames (another unit's answer) one by one,
// runs of anything else as line noise.
void reportRtuStray(const QByteArray& bytes, const RtuExpectation& expected, const Stray& stray)
{
    const QString notReply = QCoreApplication::translate("ModbusConsole", "not the reply to the request");
    qsizetype noiseFrom = 0;
    for (qsizetype at = 0; at < bytes.size();) {
        const int length = otherRtuFrameAt(rawTail(bytes, at));
        if (length == 0) {
            ++at;
            continue;
        }
        if (at > noiseFrom)
            stray(bytes.mid(noiseFrom, at - noiseFrom), notReply);
        const quint8 unit = quint8(bytes.at(at));
        stray(bytes.mid(at, length), unit == expected.unit
                                         ? notReply
                                         : QCoreApplication::translate(
                                               "ModbusConsole", "answer from unit %1, the request went to %2")
                                               .arg(unit)
                                               .arg(expected.unit));
        at += length;
        noiseFrom = at;
    }
    if (noiseFrom < bytes.size())
        stray(bytes.mid(noiseFrom), notReply);
}

// Where the expected reply may begin in pending; -1 when nowhere.
qsizetype rtuReplyStart(const QByteArray& pending, const RtuExpectation& expected)
{
    for (qsizetype at = 0; at < pending.size(); ++at) {
        if (mayStartRtuReply(rawTail(pending, at), expected))
            return at;
    }
    return -1;
}

// Over RTU: true with the reply once it is complete in pending, what came before it reported
// as stray. Frames of other units at the front are reported as they complete; the wait goes on.
bool takeRtuReply(QByteArray& pending, const RtuExpectation& expected, const Stray& stray, QByteArray* reply)
{
    for (qsizetype at = 0; at < pending.size(); ++at) {
        const int length = rtuReplyAt(rawTail(pending, at), expected);
        if (length > 0) {
            reportRtuStray(pending.left(at), expected, stray);
            *reply = pending.mid(at, length);
            return true;
        }
    }
    for (int length = otherRtuFrameAt(pending); length > 0; length = otherRtuFrameAt(pending)) {
        reportRtuStray(pending.left(length), expected, stray);
        pending.remove(0, length);
    }
    // A reply of the expected size that fails its CRC, with nothing after it that could be the
    // reply, is what the unit sent: the caller says why it is refused.
    const qsizetype start = rtuReplyStart(pending, expected);
    if (start < 0)
        return false;
    const QByteArray candidate = rawTail(pending, start);
    const int length = expectedLength(candidate, expected);
    if (length == 0 || candidate.size() < length || rtuReplyStart(rawTail(candidate, 1), expected) >= 0)
        return false;
    reportRtuStray(pending.left(start), expected, stray);
    *reply = pending.mid(start, length);
    return true;
}

// Over TCP: true with the first complete frame that answers one of requests; others go to stray.
bool takeTcpReply(QByteArray& pending, const QList<QByteArray>& requests, const Stray& stray,
                  QByteArray* reply)
{
    for (int length = replyLength(pending, Quenlix_ModBus_TCP); length > 0 && pending.size() >= length;
         length = replyLength(pending, Quenlix_ModBus_TCP)) {
        const QByteArray frame = pending.left(length);
        const QString reason = notTheReply(requests, frame, Quenlix_ModBus_TCP);
        if (reason.isEmpty()) {
            *reply = frame;
            return true;
        }
        stray(frame, reason);
        pending.remove(0, length);
    }
    return false;
}

} // namespace

QByteArray exchange(QIODevice* target, Timing timing, Quenlix_ModBus_Mode mode,
                    const std::function<QByteArray()>& nextRequest,
                    const std::function<void(const QByteArray&)>& sent, const Stray& stray)
{
    const bool rtu = mode == Quenlix_ModBus_RTU;
    // The port or socket may be closed by its own error handling while we wait.
    const QPointer<QIODevice> device(target);
    // Only before the first attempt: later input may answer an earlier attempt.
    discardStale(device);
    QList<QByteArray> requests;
    for (int attempt = 0; attempt < maxAttempts; ++attempt) {
        if (!usable(device))
            return {};
        const QByteArray request = nextRequest();
        if (request.isEmpty())
            return {};
        requests.append(request);
        const RtuExpectation expected = expectedRtuReply(request);
        sent(request);
        QElapsedTimer window;
        if (timing.timerBeforeWrite)
            window.start();
        if (device->write(request) != request.size())
            return {};
        if (!timing.timerBeforeWrite)
            window.start();
        QByteArray pending;
        qint64 lastInputMs = 0;
        while (usable(device)) {
            QByteArray reply;
            if (rtu ? takeRtuReply(pending, expected, stray, &reply)
                    : takeTcpReply(pending, requests, stray, &reply))
                return reply;
            qint64 deadline = replyWindowMs;
            const bool arriving = rtu ? rtuReplyStart(pending, expected) >= 0 : !pending.isEmpty();
            if (arriving && pending.size() < maxFrameBytes)
                deadline = qBound<qint64>(deadline, lastInputMs + interByteGapMs, maxReplyWindowMs);
            const qint64 left = deadline - window.elapsed();
            if (left <= 0)
                break;
            // Bytes left in the device by a read that took only what fits come first.
            const bool more = device->bytesAvailable() > 0 ||
                              device->waitForReadyRead(int(qMin<qint64>(timing.pollMs, left)));
            if (more && device) {
                if (rtu && pending.size() >= maxReplyBytes) {
                    // A full buffer of noise must not shut out the reply behind it.
                    const qsizetype start = rtuReplyStart(pending, expected);
                    const qsizetype noise = start < 0 ? pending.size() : start;
                    reportRtuStray(pending.left(noise), expected, stray);
                    pending.remove(0, noise);
                }
                // Over RTU only what fits is taken: the reply may come behind the noise in the
                // same read. Elsewhere what does not fit is dropped.
                const qint64 room = maxReplyBytes - pending.size();
                pending.append(rtu && room > 0 ? device->read(room) : device->readAll().left(room));
                lastInputMs = window.elapsed();
            }
        }
        if (!rtu) {
            if (!pending.isEmpty())
                return pending;
            continue;
        }
        // Over RTU the start of a reply cut off by the window is returned; anything else was not it.
        const qsizetype start = rtuReplyStart(pending, expected);
        reportRtuStray(start < 0 ? pending : pending.left(start), expected, stray);
        if (start >= 0)
            return pending.mid(start);
    }
    return {};
}

} // namespace ModbusConsole

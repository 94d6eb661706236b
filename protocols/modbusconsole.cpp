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

QString notTheReply(const QByteArray& request, const QByteArray& frame, Quenlix_ModBus_Mode mode)
{
    if (mode == Quenlix_ModBus_RTU || request.size() < 4 || frame.size() < 4)
        return {};
    if (word(frame, 2) != 0)
        return QCoreApplication::translate("ModbusConsole", "protocol id %1 is not Modbus")
            .arg(word(frame, 2));
    if (word(frame, 0) != word(request, 0))
        return QCoreApplication::translate("ModbusConsole", "transaction id %1, the request's is %2")
            .arg(word(frame, 0))
            .arg(word(request, 0));
    return {};
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

QByteArray exchange(QIODevice* target, Timing timing, Quenlix_ModBus_Mode mode,
                    const std::function<QByteArray()>& nextRequest,
                    const std::function<void(const QByteArray&)>& sent,
                    const std::function<void(const QByteArray&, const QString&)>& stray)
{
    // The port or socket may be closed by its own error handling while we wait.
    const QPointer<QIODevice> device(target);
    for (int attempt = 0; attempt < maxAttempts; ++attempt) {
        discardStale(device);
        if (!usable(device))
            return {};
        const QByteArray request = nextRequest();
        if (request.isEmpty())
            return {};
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
            for (int length = replyLength(pending, mode); length > 0 && pending.size() >= length;
                 length = replyLength(pending, mode)) {
                const QByteArray frame = pending.left(length);
                const QString reason = notTheReply(request, frame, mode);
                if (reason.isEmpty())
                    return frame;
                stray(frame, reason);
                pending.remove(0, length);
            }
            qint64 deadline = replyWindowMs;
            if (!pending.isEmpty() && pending.size() < maxFrameBytes)
                deadline = qBound<qint64>(deadline, lastInputMs + interByteGapMs, maxReplyWindowMs);
            const qint64 left = deadline - window.elapsed();
            if (left <= 0)
                break;
            if (device->waitForReadyRead(int(qMin<qint64>(timing.pollMs, left))) && device) {
                pending.append(device->readAll().left(maxReplyBytes - pending.size()));
                lastInputMs = window.elapsed();
            }
        }
        if (!pending.isEmpty())
            return pending;
    }
    return {};
}

} // namespace ModbusConsole

#include "protocols/modbusconsole.h"

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

namespace {

bool usable(const QPointer<QIODevice>& device)
{
    return device && device->isOpen();
}

} // namespace

QByteArray exchange(QIODevice* target, Timing timing, const std::function<QByteArray()>& nextRequest,
                    const std::function<void(const QByteArray&)>& sent)
{
    // The port or socket may be closed by its own error handling while we wait.
    const QPointer<QIODevice> device(target);
    for (int attempt = 0; attempt < maxAttempts; ++attempt) {
        if (!usable(device))
            return {};
        const QByteArray request = nextRequest();
        if (request.isEmpty())
            return {};
        sent(request);
        device->readAll(); // a late answer to an earlier request is not this reply
        QElapsedTimer window;
        if (timing.timerBeforeWrite)
            window.start();
        if (device->write(request) != request.size())
            return {};
        if (!timing.timerBeforeWrite)
            window.start();
        QByteArray reply;
        while (window.elapsed() < replyWindowMs && usable(device)) {
            const int wait = int(qMin<qint64>(timing.pollMs, replyWindowMs - window.elapsed()));
            if (device->waitForReadyRead(qMax(wait, 1)) && device)
                reply.append(device->readAll().left(maxReplyBytes - reply.size()));
        }
        if (!reply.isEmpty())
            return reply;
    }
    return {};
}

} // namespace ModbusConsole

#include "protocols/blehex.h"

#include <QRegularExpression>
#include <QStringList>

namespace BleHex {

QString toDisplay(const QByteArray& bytes)
{
    QString text;
    text.reserve(bytes.size() * 6);
    for (char byte : bytes) {
        if (!text.isEmpty())
            text += QLatin1String(", ");
        text += QStringLiteral("0x%1").arg(static_cast<unsigned char>(byte), 2, 16, QLatin1Char('0'));
    }
    return text;
}

std::optional<QByteArray> parse(const QString& text)
{
    static const QRegularExpression separators(QStringLiteral("[\\s,;:]+"));
    static const QRegularExpression digits(QStringLiteral("^[0-9A-Fa-f]+$"));
    QByteArray bytes;
    const QStringList tokens = text.split(separators, Qt::SkipEmptyParts);
    for (QString token : tokens) {
        if (token.startsWith(QLatin1String("0x"), Qt::CaseInsensitive))
            token.remove(0, 2);
        if (!digits.match(token).hasMatch())
            return std::nullopt;
        if (token.size() == 1)
            token.prepend(QLatin1Char('0'));
        else if (token.size() % 2 != 0)
            return std::nullopt;
        bytes += QByteArray::fromHex(token.toLatin1());
    }
    return bytes;
}

} // namespace BleHex

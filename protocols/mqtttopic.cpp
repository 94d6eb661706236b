#include "protocols/mqtttopic.h"

#include <QStringList>

namespace {

// Length and characters every topic string must have.
bool isValidTopicString(const QString& text)
{
    if (text.isEmpty() || text.contains(QChar(0)))
        return false;
    // Lone surrogates cannot be encoded as UTF-8.
    for (int i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (c.isHighSurrogate()) {
            if (i + 1 >= text.size() || !text.at(i + 1).isLowSurrogate())
                return false;
            ++i;
        } else if (c.isLowSurrogate()) {
            return false;
        }
    }
    return text.toUtf8().size() <= 65535;
}

} // namespace

bool MqttTopicName::isValid() const
{
    return isValidTopicString(m_name) && !m_name.contains(QLatin1Char('+')) &&
           !m_name.contains(QLatin1Char('#'));
}

bool MqttTopicFilter::isValid() const
{
    if (!isValidTopicString(m_filter))
        return false;
    const QStringList levels = m_filter.split(QLatin1Char('/'));
    for (int i = 0; i < levels.size(); ++i) {
        const QString& level = levels.at(i);
        if (level.contains(QLatin1Char('#')) && (level.size() != 1 || i != levels.size() - 1))
            return false;
        if (level.contains(QLatin1Char('+')) && level.size() != 1)
            return false;
    }
    return true;
}

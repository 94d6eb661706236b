#pragma once

#include <QString>

// A topic name to publish to: 1 to 65535 UTF-8 bytes, no wildcard, no NUL.
class MqttTopicName
{
public:
    MqttTopicName() = default;
    MqttTopicName(const QString& name) : m_name(name) {}

    QString name() const { return m_name; }
    bool isValid() const;

    friend bool operator==(const MqttTopicName& a, const MqttTopicName& b) { return a.m_name == b.m_name; }

private:
    QString m_name;
};

// A topic filter to subscribe to: like a topic name, but "+" may stand for one whole
// level and "#" for the rest of the levels ("#" only last, alone in its level).
class MqttTopicFilter
{
public:
    MqttTopicFilter() = default;
    MqttTopicFilter(const QString& filter) : m_filter(filter) {}

    QString filter() const { return m_filter; }
    bool isValid() const;

    friend bool operator==(const MqttTopicFilter& a, const MqttTopicFilter& b)
    {
        return a.m_filter == b.m_filter;
    }

private:
    QString m_filter;
};

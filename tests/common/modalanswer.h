#pragma once

#include <QObject>
#include <QString>
#include <QStringList>

// Answers the next modal dialog (a message box) from a timer: records its window
// title and text, then presses the button whose text is `button` (or closes it).
// Call before the action that opens the box.
class ModalAnswer
{
public:
    explicit ModalAnswer(const QString& button = QString(), int timeoutMs = 5000);

    bool seen() const { return m_seen; }
    QString title() const { return m_title; }
    QString text() const { return m_text; }
    QStringList buttons() const { return m_buttons; }

private:
    void poll();
    QString m_button;
    bool m_seen = false;
    QString m_title;
    QString m_text;
    QStringList m_buttons;
    int m_remainingMs;
    QObject m_context; // cancels the polling timer when this object goes
};

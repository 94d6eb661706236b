#pragma once

#include <QApplication>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QStringList>
#include <QTimer>

#include <memory>

class QMessageBox;

// Runs `answer` once on every modal dialog of type D that shows while `context` lives. A
// modal dialog runs its own event loop, so tests answer it from a timer: this is the one
// place they do so.
template <typename D, typename F> void answerModals(QObject* context, F answer)
{
    auto* poll = new QTimer(context);
    auto last = std::make_shared<QPointer<QWidget>>();
    QObject::connect(poll, &QTimer::timeout, context, [last, answer]() mutable {
        auto* dialog = qobject_cast<D*>(QApplication::activeModalWidget());
        if (!dialog || dialog == *last)
            return;
        *last = dialog;
        answer(dialog);
    });
    poll->start(10);
}

// Presses the button of `box` whose text, without mnemonics, is `button`; closes the box when
// it has none such (an empty `button` presses the first).
void pressButton(QMessageBox* box, const QString& button);

// Answers the next modal dialog (a message box) within `timeoutMs`: records its window
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
    bool m_seen = false;
    QString m_title;
    QString m_text;
    QStringList m_buttons;
    QObject m_context; // stops answering when this object goes
};

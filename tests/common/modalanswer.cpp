#include "tests/common/modalanswer.h"

#include <QAbstractButton>
#include <QMessageBox>

void pressButton(QMessageBox* box, const QString& button)
{
    for (QAbstractButton* b : box->buttons()) {
        if (button.isEmpty() || b->text().remove(QLatin1Char('&')) == button)
            return b->click();
    }
    box->close();
}

ModalAnswer::ModalAnswer(const QString& button, int timeoutMs)
{
    // Past the time allowed, nothing is answered any more.
    QTimer::singleShot(timeoutMs, &m_context, [this] { qDeleteAll(m_context.findChildren<QTimer*>()); });
    answerModals<QWidget>(&m_context, [this, button](QWidget* modal) {
        if (std::exchange(m_seen, true))
            return;
        m_title = modal->windowTitle();
        auto* box = qobject_cast<QMessageBox*>(modal);
        if (!box)
            return void(modal->close());
        m_text = box->text();
        for (QAbstractButton* b : box->buttons())
            m_buttons << b->text();
        pressButton(box, button);
    });
}

#include "tests/common/modalanswer.h"

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QTimer>

ModalAnswer::ModalAnswer(const QString& button, int timeoutMs) : m_button(button), m_remainingMs(timeoutMs)
{
    QTimer::singleShot(20, &m_context, [this] { poll(); });
}

void ModalAnswer::poll()
{
    QWidget* modal = QApplication::activeModalWidget();
    if (!modal) {
        m_remainingMs -= 20;
        if (m_remainingMs > 0)
            QTimer::singleShot(20, &m_context, [this] { poll(); });
        return;
    }
    m_seen = true;
    m_title = modal->windowTitle();
    if (auto* box = qobject_cast<QMessageBox*>(modal)) {
        m_text = box->text();
        for (QAbstractButton* b : box->buttons())
            m_buttons << b->text();
        for (QAbstractButton* b : box->buttons()) {
            if (m_button.isEmpty() || b->text().remove(QLatin1Char('&')) == m_button) {
                b->click();
                return;
            }
        }
    }
    modal->close();
}

#include "app/guardeddialog.h"

#include <QDialog>

void DialogGuard::release()
{
    open = false;
    dialog = nullptr;
    dropForm();
}

bool DialogGuard::bringToFront()
{
    if (!open || !dialog)
        return false;
    dialog->show();
    dialog->raise();
    dialog->activateWindow();
    return true;
}

QDialog* DialogGuard::makeDialog(QWidget* parent, std::function<void()> ended)
{
    auto* made = new QDialog(parent);
    made->setAttribute(Qt::WA_DeleteOnClose);
    connect(made, &QObject::destroyed, this, [this, made, ended = std::move(ended)] {
        if (made != dialog)
            return;
        if (ended)
            ended();
        release();
    });
    dialog = made;
    open = true;
    return made;
}

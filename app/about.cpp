#include "app/mainwindow.h"

#include <QDialog>
#include <QPushButton>

#include "app/help_form.h"

void MainWindow::on_actionAbout_triggered()
{
    aboutDialog.setWindowFlags(aboutDialog.windowFlags() & ~Qt::WindowContextHelpButtonHint);
    aboutDialog.show();
    // Integer division truncates toward zero, also when the dialog is the larger one.
    aboutDialog.move(x() + (width() - aboutDialog.width()) / 2, y() + (height() - aboutDialog.height()) / 2);
}

void MainWindow::on_actionHelp_triggered()
{
    if (!help.create(this, [this] { slothelpdialogclose(); }))
        return;
    connect(helpUi->helpdialogCancel, &QPushButton::pressed, helpDialog, &QDialog::close);
    helpDialog->setWindowFlags(helpDialog->windowFlags() & ~Qt::WindowContextHelpButtonHint);
    helpDialog->show();
}

void MainWindow::slothelpdialogclose()
{
    help.release();
}

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
    if (helpOpen)
        return;
    helpDialog = new QDialog(this);
    helpDialog->setAttribute(Qt::WA_DeleteOnClose);
    helpUi = new Ui_Help;
    helpUi->setupUi(helpDialog);
    connect(helpUi->helpdialogCancel, SIGNAL(pressed()), helpDialog, SLOT(close()));
    connect(helpDialog, SIGNAL(destroyed()), this, SLOT(slothelpdialogclose()));
    helpOpen = true;
    helpDialog->setWindowFlags(helpDialog->windowFlags() & ~Qt::WindowContextHelpButtonHint);
    helpDialog->show();
}

void MainWindow::slothelpdialogclose()
{
    helpOpen = false;
    helpDialog = nullptr;
    delete helpUi;
    helpUi = nullptr;
}

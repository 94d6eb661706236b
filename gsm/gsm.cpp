#include "app/mainwindow.h"

#include <QPushButton>

#include "app/mainwindow_form.h"
#include "app/styles.h"

void MainWindow::GSM_Init_Start()
{
    ui->GSMopencompushButton->setStyleSheet(QString::fromLatin1(Styles::idleButton));
}

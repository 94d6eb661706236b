#include "app/mainwindow.h"

#include <QPushButton>

#include "app/mainwindow_form.h"
#include "app/styles.h"

void MainWindow::CIE_Init_Start()
{
    ui->CIEopencompushButton->setStyleSheet(QString::fromLatin1(Styles::idleButton));
}

#include "app/mainwindow.h"

#include <QPushButton>

#include "app/mainwindow_form.h"
#include "app/styles.h"

void MainWindow::TOF_Init_Start()
{
    ui->TOFopencompushButton->setStyleSheet(QString::fromLatin1(Styles::idleButton));
}

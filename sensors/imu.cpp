#include "app/mainwindow.h"

#include <QPushButton>

#include "app/mainwindow_form.h"
#include "app/styles.h"

void MainWindow::IMU_Init_Start()
{
    ui->imuopencompushButton->setStyleSheet(QString::fromLatin1(Styles::idleButton));
}

#include "app/mainwindow.h"

#include <QPushButton>

#include "app/mainwindow_form.h"
#include "app/styles.h"

void MainWindow::I2Cdump_Init_Start()
{
    ui->i2cdumpopencompushButton->setStyleSheet(QString::fromLatin1(Styles::idleButton));
}

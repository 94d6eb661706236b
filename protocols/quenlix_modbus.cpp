#include "app/mainwindow.h"

#include <QPushButton>

#include "app/mainwindow_form.h"
#include "app/styles.h"

void MainWindow::Modbus_Init_Start()
{
    ui->ModbusopencompushButton->setStyleSheet(QString::fromLatin1(Styles::idleButton));
}

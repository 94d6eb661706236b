#include "app/mainwindow.h"

#include <QPushButton>

#include "app/mainwindow_form.h"
#include "app/styles.h"

void MainWindow::Modbus_Init_Start()
{
    connect(ui->ModbusopencompushButton, SIGNAL(pressed()), this, SLOT(ModbusOpen_triggered()));
    ui->ModbusopencompushButton->setStyleSheet(QString::fromLatin1(Styles::idleButton));
}

void MainWindow::ModbusOpen_triggered()
{
    Serial_openOrClose(SerialTab::Modbus);
}

void MainWindow::ModbussetsetComboBoxEnabled(bool enable)
{
    Serial_setLocked(SerialTab::Modbus, enable);
}

#include "app/mainwindow.h"

#include <QPushButton>

#include "app/mainwindow_form.h"
#include "app/styles.h"

void MainWindow::IMU_Init_Start()
{
    connect(ui->imuopencompushButton, SIGNAL(pressed()), this, SLOT(IMUOpen_triggered()));
    ui->imuopencompushButton->setStyleSheet(QString::fromLatin1(Styles::idleButton));
}

void MainWindow::IMUOpen_triggered()
{
    Serial_openOrClose(SerialTab::Imu);
}

void MainWindow::imusetsetComboBoxEnabled(bool enable)
{
    Serial_setLocked(SerialTab::Imu, enable);
}

void MainWindow::readimuCom(QByteArray) {}

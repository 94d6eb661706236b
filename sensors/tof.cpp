#include "app/mainwindow.h"

#include <QPushButton>

#include "app/mainwindow_form.h"
#include "app/styles.h"

void MainWindow::TOF_Init_Start()
{
    connect(ui->TOFopencompushButton, SIGNAL(pressed()), this, SLOT(TOFOpen_triggered()));
    ui->TOFopencompushButton->setStyleSheet(QString::fromLatin1(Styles::idleButton));
}

void MainWindow::TOFOpen_triggered()
{
    Serial_openOrClose(SerialTab::Tof);
}

void MainWindow::TOFsetsetComboBoxEnabled(bool enable)
{
    Serial_setLocked(SerialTab::Tof, enable);
}

void MainWindow::readTOFCom(QByteArray) {}

#include "app/mainwindow.h"

#include <QPushButton>

#include "app/mainwindow_form.h"
#include "app/styles.h"

void MainWindow::I2Cdump_Init_Start()
{
    connect(ui->i2cdumpopencompushButton, SIGNAL(pressed()), this, SLOT(I2CdumpOpen_triggered()));
    ui->i2cdumpopencompushButton->setStyleSheet(QString::fromLatin1(Styles::idleButton));
}

void MainWindow::I2CdumpOpen_triggered()
{
    Serial_openOrClose(SerialTab::I2cdump);
}

void MainWindow::i2cdumpsetsetComboBoxEnabled(bool enable)
{
    Serial_setLocked(SerialTab::I2cdump, enable);
}

void MainWindow::readi2cdumpCom(QByteArray) {}

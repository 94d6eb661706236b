#include "app/mainwindow.h"

#include <QPushButton>

#include "app/mainwindow_form.h"
#include "app/styles.h"

void MainWindow::CIE_Init_Start()
{
    connect(ui->CIEopencompushButton, SIGNAL(pressed()), this, SLOT(CIEOpen_triggered()));
    ui->CIEopencompushButton->setStyleSheet(QString::fromLatin1(Styles::idleButton));
}

void MainWindow::CIEOpen_triggered()
{
    Serial_openOrClose(SerialTab::Cie);
}

void MainWindow::CIEsetsetComboBoxEnabled(bool enable)
{
    Serial_setLocked(SerialTab::Cie, enable);
}

void MainWindow::readCIECom(QByteArray) {}

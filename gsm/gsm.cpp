#include "app/mainwindow.h"

#include <QPushButton>

#include "app/mainwindow_form.h"
#include "app/styles.h"

void MainWindow::GSM_Init_Start()
{
    connect(ui->GSMopencompushButton, SIGNAL(pressed()), this, SLOT(GSMactionOpen_triggered()));
    ui->GSMopencompushButton->setStyleSheet(QString::fromLatin1(Styles::idleButton));
}

void MainWindow::GSMactionOpen_triggered()
{
    Serial_openOrClose(SerialTab::Gsm);
}

void MainWindow::GSMsetComboBoxEnabled(bool enable)
{
    Serial_setLocked(SerialTab::Gsm, enable);
}

void MainWindow::GSMreadMyCom(QByteArray) {}

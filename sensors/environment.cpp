#include "app/mainwindow.h"

#include <QPushButton>

#include "app/mainwindow_form.h"
#include "app/styles.h"

void MainWindow::ENVironment_Init_Start()
{
    connect(ui->ENVopencompushButton, SIGNAL(pressed()), this, SLOT(ENVactionOpen_triggered()));
    ui->ENVopencompushButton->setStyleSheet(QString::fromLatin1(Styles::idleButton));
}

void MainWindow::ENVactionOpen_triggered()
{
    Serial_openOrClose(SerialTab::Env);
}

void MainWindow::ENVsetComboBoxEnabled(bool enable)
{
    Serial_setLocked(SerialTab::Env, enable);
}

void MainWindow::readENVCom(QByteArray) {}

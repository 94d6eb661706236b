#include "app/mainwindow.h"

#include <QPushButton>

#include "app/mainwindow_form.h"
#include "app/styles.h"

void MainWindow::Oscilloscope_Init_Start()
{
    connect(ui->OSCopencompushButton, SIGNAL(pressed()), this, SLOT(OscilloscopeOpen_triggered()));
    ui->OSCopencompushButton->setStyleSheet(QString::fromLatin1(Styles::idleButton));
}

void MainWindow::OscilloscopeOpen_triggered()
{
    Serial_openOrClose(SerialTab::Osc);
}

void MainWindow::OSCsetComboBoxEnabled(bool enable)
{
    Serial_setLocked(SerialTab::Osc, enable);
}

void MainWindow::readOSCCom(QByteArray) {}

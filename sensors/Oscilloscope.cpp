#include "app/mainwindow.h"

#include <QPushButton>

#include "app/mainwindow_form.h"
#include "app/styles.h"

void MainWindow::Oscilloscope_Init_Start()
{
    ui->OSCopencompushButton->setStyleSheet(QString::fromLatin1(Styles::idleButton));
}

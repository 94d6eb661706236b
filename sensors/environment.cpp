#include "app/mainwindow.h"

#include <QPushButton>

#include "app/mainwindow_form.h"
#include "app/styles.h"

void MainWindow::ENVironment_Init_Start()
{
    ui->ENVopencompushButton->setStyleSheet(QString::fromLatin1(Styles::idleButton));
}

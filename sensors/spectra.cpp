#include "app/mainwindow.h"

#include <QPushButton>

#include "app/mainwindow_form.h"
#include "app/styles.h"

void MainWindow::Spectra_Init_Start()
{
    ui->SpectraopencompushButton->setStyleSheet(QString::fromLatin1(Styles::idleButton));
}

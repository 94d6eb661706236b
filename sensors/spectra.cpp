#include "app/mainwindow.h"

#include <QPushButton>

#include "app/mainwindow_form.h"
#include "app/styles.h"

void MainWindow::Spectra_Init_Start()
{
    connect(ui->SpectraopencompushButton, SIGNAL(pressed()), this, SLOT(SpectraOpen_triggered()));
    ui->SpectraopencompushButton->setStyleSheet(QString::fromLatin1(Styles::idleButton));
}

void MainWindow::SpectraOpen_triggered()
{
    Serial_openOrClose(SerialTab::Spectra);
}

void MainWindow::SpectrasetsetComboBoxEnabled(bool enable)
{
    Serial_setLocked(SerialTab::Spectra, enable);
}

void MainWindow::readSpectraCom(QByteArray) {}

#include "app/mainwindow.h"

#include <QPushButton>
#include <QSettings>

#include "app/mainwindow_form.h"

void MainWindow::GPS_Init_Start()
{
    connect(ui->GPSopencompushButton, SIGNAL(pressed()), this, SLOT(GPSactionOpen_triggered()));
    // The GPS tab works on a settings object of its own on the same file.
    settings = new QSettings(ToolSwitches::settingsFilePath(), QSettings::IniFormat, this);
    GPS_mapType = ToolSwitches::mapTypeFrom(settings->value(ToolSwitches::mapTypeKey));
}

void MainWindow::GPSactionOpen_triggered()
{
    Serial_openOrClose(SerialTab::Gps);
}

void MainWindow::GPSsetComboBoxEnabled(bool enable)
{
    Serial_setLocked(SerialTab::Gps, enable);
}

void MainWindow::readGPSCom(QByteArray) {}

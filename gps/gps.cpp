#include "app/mainwindow.h"

#include <QSettings>

void MainWindow::GPS_Init_Start()
{
    // The GPS tab works on a settings object of its own on the same file.
    settings = new QSettings(ToolSwitches::settingsFilePath(), QSettings::IniFormat, this);
    GPS_mapType = ToolSwitches::mapTypeFrom(settings->value(ToolSwitches::mapTypeKey));
}

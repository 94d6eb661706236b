#include "app/mainwindow.h"

void MainWindow::on_actionAbout_triggered() {}

void MainWindow::on_actionHelp_triggered() {}

#include "app/mainwindow.h"

void MainWindow::SerialSacn() {}

void MainWindow::SerialSacn_new() {}

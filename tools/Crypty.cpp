#include "app/mainwindow.h"

void MainWindow::Crypty_Init_Start() {}

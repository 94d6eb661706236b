#include "app/mainwindow.h"

void MainWindow::slotActionCheck_Update() {}

// The serial terminal's file buttons: Export, Import and Send File.
#include "app/mainwindow.h"

#include <QPlainTextEdit>
#include <QSerialPort>
#include <QStatusBar>

#include "app/mainwindow_form.h"
#include "app/pickedfile.h"
#include "serial/linefilesender.h"
#include "serial/terminalview.h"
#include "serial/threadserial.h"

void MainWindow::actionSave_triggered()
{
    Terminal_export(Terminal::Com);
}

void MainWindow::actionLoadfile_triggered()
{
    Terminal_import(Terminal::Com);
}

void MainWindow::actionSendfile_triggered()
{
    const QString path = fileChooser->openFileName(this, tr("Read file"));
    if (path.isEmpty() || !Serial_thread || !Serial_thread->serialPort)
        return;
    if (!COM_fileSender->start(path, Serial_thread->serialPort))
        ui->statusBar->showMessage(PickedFile::openFailedText(COM_fileSender->errorString()));
}

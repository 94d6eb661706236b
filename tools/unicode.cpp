#include "app/mainwindow.h"

#include <QCoreApplication>
#include <QMessageBox>

#include "app/mainwindow_form.h"
#include "tools/documenttext.h"
#include "tools/unicode_core.h"

void MainWindow::Unicode_Init_Start()
{
    connect(ui->StoUpushButton, &QPushButton::pressed, this, &MainWindow::actionStoUpushButton_triggered);
    connect(ui->UtoSpushButton, &QPushButton::pressed, this, &MainWindow::actionUtoSpushButton_triggered);
}

void MainWindow::actionStoUpushButton_triggered()
{
    const QString input = rawDocumentText(ui->UnicodetextEdit->document());
    ui->UnicodetextBrowser->setPlainText(UnicodeHex::toHex(input, ui->UnicodecheckBox->isChecked()));
}

void MainWindow::actionUtoSpushButton_triggered()
{
    const UnicodeHex::Decoded d = UnicodeHex::fromHex(rawDocumentText(ui->UnicodetextEdit->document()),
                                                      ui->UnicodecheckBox->isChecked());
    QString message;
    switch (d.failure) {
    case UnicodeHex::Failure::InvalidGroup:
        message =
            QCoreApplication::translate("QMainWindow", "Invalid hexadecimal group \"%1\" at position %2.")
                .arg(d.group)
                .arg(d.position);
        break;
    case UnicodeHex::Failure::IncompleteGroup:
        message =
            QCoreApplication::translate("QMainWindow", "Incomplete group \"%1\" at the end.").arg(d.group);
        break;
    case UnicodeHex::Failure::None:
        ui->UnicodetextBrowser->setPlainText(d.text);
        return;
    }
    QMessageBox::warning(this, QCoreApplication::translate("QMainWindow", "warning:"), message);
}

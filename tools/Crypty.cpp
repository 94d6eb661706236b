#include "app/mainwindow.h"

#include <QCoreApplication>
#include <QMessageBox>

#include "app/mainwindow_form.h"
#include "tools/crypty_core.h"
#include "tools/documenttext.h"

namespace {

void cryptyWarning(QWidget* parent, const char* message)
{
    QMessageBox::warning(parent, QCoreApplication::translate("QMainWindow", "warning:"),
                         QCoreApplication::translate("QMainWindow", message));
}

} // namespace

void MainWindow::Crypty_Init_Start()
{
    connect(ui->DespushButton_Encryption, &QPushButton::pressed, this, &MainWindow::DesEncryption_triggered);
    connect(ui->DespushButton_Decryption, &QPushButton::pressed, this, &MainWindow::DesDecryption_triggered);
    connect(ui->DEScomboBox, &QComboBox::currentIndexChanged, this, &MainWindow::DEScomboBox_triggered);
    // Any change counts, also the cut made by a shorter mode.
    connect(ui->DeslineEdit_Data, &QLineEdit::textChanged, this, &MainWindow::DeslineEdit_Data_triggered);
    connect(ui->DeslineEdit_KEY, &QLineEdit::textChanged, this, &MainWindow::DeslineEdit_KEY_triggered);
    connect(ui->base64_encode_pushButton, &QPushButton::clicked, this, &MainWindow::base64_encode);
    connect(ui->base64_decode_pushButton, &QPushButton::clicked, this, &MainWindow::base64_decode);
    ui->DeslineEdit_Data->setMaxLength(16);
    ui->DeslineEdit_KEY->setMaxLength(16);
}

bool MainWindow::Crypty_runDes(bool encrypt)
{
    const CryptyCore::DesResult r = CryptyCore::desBlock(
        ui->DEScomboBox->currentIndex(), ui->DeslineEdit_KEY->text(), ui->DeslineEdit_Data->text(), encrypt);
    switch (r.failure) {
    case CryptyCore::DesFailure::BadLength:
        cryptyWarning(this, QT_TRANSLATE_NOOP("QMainWindow", "Error for Data"));
        return false;
    case CryptyCore::DesFailure::NotHex:
        cryptyWarning(this, QT_TRANSLATE_NOOP("QMainWindow", "Please enter '0' - '9', 'A' - 'F'"));
        return false;
    case CryptyCore::DesFailure::None:
        break;
    }
    ui->DeslineEdit_Result->setText(r.text);
    return true;
}

bool MainWindow::DesEncryption_triggered()
{
    return Crypty_runDes(true);
}

bool MainWindow::DesDecryption_triggered()
{
    return Crypty_runDes(false);
}

void MainWindow::DEScomboBox_triggered(int index)
{
    const int digits = CryptyCore::desKeyDigits(index);
    if (digits == 0)
        return;
    ui->DeslineEdit_KEY->setMaxLength(digits);
    ui->DeslineEdit_Data->setMaxLength(16);
}

void MainWindow::DeslineEdit_Data_triggered(const QString& text)
{
    ui->DeslineEdit_Datalen->setText(QString::number(text.size()));
}

void MainWindow::DeslineEdit_KEY_triggered(const QString& text)
{
    ui->DeslineEdit_KEYLEN->setText(QString::number(text.size()));
}

void MainWindow::base64_encode()
{
    const QString source = rawDocumentText(ui->base64_source_textBrowser->document());
    ui->base64_to_textBrowser->setPlainText(CryptyCore::base64Encode(source));
}

void MainWindow::base64_decode()
{
    const CryptyCore::Base64Result r =
        CryptyCore::base64Decode(rawDocumentText(ui->base64_source_textBrowser->document()));
    switch (r.failure) {
    case CryptyCore::Base64Failure::InvalidBase64:
        cryptyWarning(this, QT_TRANSLATE_NOOP("QMainWindow", "Invalid Base64 text."));
        return;
    case CryptyCore::Base64Failure::NotUtf8:
        cryptyWarning(this, QT_TRANSLATE_NOOP("QMainWindow", "The decoded data is not UTF-8 text."));
        return;
    case CryptyCore::Base64Failure::None:
        break;
    }
    ui->base64_to_textBrowser->setPlainText(r.text);
}

#include "app/mainwindow.h"

#include <QComboBox>
#include <QDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSerialPort>
#include <QStatusBar>

#include "app/mainwindow_form.h"
#include "app/styles.h"
#include "sensors/i2cdump_dialogs_form.h"
#include "sensors/i2cframe.h"
#include "sensors/quenlix_i2c_tools.h"
#include "serial/threadserial.h"
#include "widgets/logview.h"

namespace {

void fillRegisterList(QComboBox* box)
{
    for (int value = 0; value < 256; ++value)
        box->addItem(QStringLiteral("0x") +
                     QStringLiteral("%1").arg(value, 2, 16, QLatin1Char('0')).toUpper());
}

QString hexList(const QByteArray& bytes)
{
    QString text;
    for (const char byte : bytes)
        text += QStringLiteral("0x%1, ").arg(quint8(byte), 2, 16, QLatin1Char('0'));
    return text;
}

} // namespace

void MainWindow::I2Cdump_Init_Start()
{
    I2Cdump_tools = new quenlix_i2c_tools(this);
    connect(ui->i2cdumpreadpushButton, SIGNAL(pressed()), this, SLOT(slotI2Cdump_read_ui()));
    connect(ui->i2cdumpwritepushButton, SIGNAL(pressed()), this, SLOT(slotI2Cdump_write_ui()));
    ui->gridLayout_i2cdump->addWidget(I2Cdump_tools);
    LogView::attach(ui->i2cdump_StrTextBrowser, 100);
    connect(ui->i2cdumpopencompushButton, SIGNAL(pressed()), this, SLOT(I2CdumpOpen_triggered()));
    connect(I2Cdump_tools, SIGNAL(Channge_Addr(int)), this, SLOT(I2Cdump_Setaddr(int)));
    connect(I2Cdump_tools, SIGNAL(Get_Addr(QByteArray)), this, SLOT(I2Cdump_printscanf(QByteArray)));
    connect(I2Cdump_tools, SIGNAL(Get_Data(QByteArray)), this, SLOT(I2Cdump_printread(QByteArray)));
    connect(ui->i2cdump_stop_pushButton, SIGNAL(pressed()), this, SLOT(I2Cdump_Stop()));
    connect(ui->i2cdump_Clear_pushButton, SIGNAL(pressed()), this, SLOT(I2CdumpactionClear_triggered()));
    connect(ui->i2cdumpsancfpushButton, SIGNAL(pressed()), this, SLOT(I2CdumpactionScanf_triggered()));
    ui->i2cdumpopencompushButton->setStyleSheet(QString::fromLatin1(Styles::idleButton));
    ui->i2cdump_stop_pushButton->setText(tr("Start"));
    ui->i2cdump_stop_pushButton->setStyleSheet(QString::fromLatin1(Styles::idleButton));
    I2Cdump_setActionsEnabled(false);
    ui->i2cdump_StrTextBrowser->setReadOnly(true);
}

void MainWindow::I2CdumpOpen_triggered()
{
    if (Serial_isOpen) {
        Serial_close(SerialTab::I2cdump);
        I2Cdump_holdsPort = false;
        I2Cdump_setActionsEnabled(false);
        return;
    }
    if (Serial_open(SerialTab::I2cdump) == SerialOpenResult::Opened) {
        I2Cdump_holdsPort = true;
        I2Cdump_setActionsEnabled(true);
    }
}

void MainWindow::i2cdumpsetsetComboBoxEnabled(bool enable)
{
    Serial_setLocked(SerialTab::I2cdump, enable);
}

void MainWindow::I2Cdump_setActionsEnabled(bool enable)
{
    for (QPushButton* button : {ui->i2cdump_stop_pushButton, ui->i2cdumpwritepushButton,
                                ui->i2cdumpreadpushButton, ui->i2cdumpsancfpushButton})
        button->setEnabled(enable);
}

void MainWindow::readi2cdumpCom(QByteArray data)
{
    I2Cdump_tools->updateValues(data);
}

void MainWindow::I2Cdump_sendFrame(const QByteArray& frame)
{
    if (!Serial_isOpen || !I2Cdump_holdsPort || !Serial_thread || !Serial_thread->serialPort)
        return;
    QSerialPort* port = Serial_thread->serialPort;
    if (port->write(frame) != frame.size())
        statusBar()->showMessage(tr("I2C frame not sent: %1").arg(port->errorString()));
}

void MainWindow::I2CdumpactionScanf_triggered()
{
    I2Cdump_sendFrame(I2cFrame::simpleCommand(I2cFrame::Scan));
}

void MainWindow::I2Cdump_Stop()
{
    const QString text = ui->i2cdump_stop_pushButton->text();
    const bool stopping = text == QLatin1String("Stop") || text == QString::fromUtf8("停止");
    for (QPushButton* button :
         {ui->i2cdumpsancfpushButton, ui->i2cdumpwritepushButton, ui->i2cdumpreadpushButton})
        button->setEnabled(stopping);
    ui->i2cdump_stop_pushButton->setText(stopping ? tr("Start") : tr("Stop"));
    ui->i2cdump_stop_pushButton->setStyleSheet(QString::fromLatin1(Styles::idleButton));
    I2Cdump_sendFrame(I2cFrame::simpleCommand(stopping ? I2cFrame::Stop : I2cFrame::Start));
}

void MainWindow::I2Cdump_Setaddr(int address)
{
    I2Cdump_sendFrame(I2cFrame::setAddress(quint8(address)));
}

void MainWindow::slotI2Cdump_read_ui()
{
    if (!I2Cdump_read.create(this, [this] { slotI2Cdump_read_ui_dialogclose(); }))
        return;
    connect(I2Cdump_readUi->I2CDump_ReadREGCancel, SIGNAL(pressed()), I2Cdump_readDialog, SLOT(close()));
    I2Cdump_readDialog->setWindowFlags(I2Cdump_readDialog->windowFlags() & ~Qt::WindowContextHelpButtonHint);
    I2Cdump_readDialog->show();
    I2Cdump_readDialog->setStyleSheet(QString::fromLatin1(Styles::background));
    fillRegisterList(I2Cdump_readUi->reg_comboBox);
    fillRegisterList(I2Cdump_readUi->length_comboBox);
    connect(I2Cdump_readUi->read_pushButton, SIGNAL(pressed()), this, SLOT(I2Cdump_Read()));
}

void MainWindow::I2Cdump_Read()
{
    const int reg = I2Cdump_readUi->reg_comboBox->currentIndex();
    const int count = I2Cdump_readUi->length_comboBox->currentIndex();
    I2Cdump_lastReadRegister = reg;
    I2Cdump_sendFrame(I2cFrame::readRegisters(quint8(reg), quint8(count)));
}

void MainWindow::slotI2Cdump_read_ui_dialogclose()
{
    I2Cdump_read.release();
}

void MainWindow::slotI2Cdump_write_ui()
{
    if (!I2Cdump_write.create(this, [this] { slotI2Cdump_write_ui_dialogclose(); }))
        return;
    connect(I2Cdump_writeUi->I2CDump_WriteREGCancel, SIGNAL(pressed()), I2Cdump_writeDialog, SLOT(close()));
    I2Cdump_writeDialog->setWindowFlags(I2Cdump_writeDialog->windowFlags() &
                                        ~Qt::WindowContextHelpButtonHint);
    I2Cdump_writeDialog->show();
    I2Cdump_writeDialog->setStyleSheet(QString::fromLatin1(Styles::background));
    fillRegisterList(I2Cdump_writeUi->reg_comboBox);
    connect(I2Cdump_writeUi->send_pushButton, SIGNAL(pressed()), this, SLOT(I2Cdump_Send()));
}

void MainWindow::I2Cdump_Send()
{
    const int reg = I2Cdump_writeUi->reg_comboBox->currentIndex();
    QByteArray bytes;
    if (!I2cFrame::parseByteList(I2Cdump_writeUi->lineEdit->text(), &bytes)) {
        QMessageBox::warning(
            nullptr, tr("Warning"),
            tr("Invalid input format. Please enter the correct format (e.g., 0x01,0x34,0xab)"),
            QMessageBox::Ok);
        return;
    }
    if (bytes.size() > I2cFrame::maxWriteData) {
        QMessageBox::warning(
            nullptr, tr("Warning"),
            tr("Too many bytes: at most %1 can be written at once.").arg(I2cFrame::maxWriteData),
            QMessageBox::Ok);
        return;
    }
    I2Cdump_sendFrame(I2cFrame::writeRegisters(quint8(reg), bytes));
}

void MainWindow::slotI2Cdump_write_ui_dialogclose()
{
    I2Cdump_write.release();
}

void MainWindow::I2Cdump_printscanf(QByteArray addresses)
{
    I2Cdump_appendLog(QStringLiteral("Searching for I2C devices on the bus:\r\n") + hexList(addresses));
}

void MainWindow::I2Cdump_printread(QByteArray data)
{
    I2Cdump_appendLog(
        QStringLiteral("Reg addr 0x%1: ").arg(I2Cdump_lastReadRegister, 2, 16, QLatin1Char('0')) +
        hexList(data));
}

void MainWindow::I2Cdump_appendLog(const QString& text)
{
    LogView::of(ui->i2cdump_StrTextBrowser)->append(text + QStringLiteral("\r\n"));
    LogView::of(ui->i2cdump_StrTextBrowser)->flush(); // one entry per exchange: shown at once
}

void MainWindow::I2CdumpactionClear_triggered()
{
    ui->i2cdump_StrTextBrowser->clear();
}

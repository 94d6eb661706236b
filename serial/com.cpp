// The serial terminal ("Serial Debug").
#include "app/mainwindow.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QLCDNumber>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSerialPort>
#include <QSpinBox>
#include <QStatusBar>
#include <QTimer>

#include "app/mainwindow_form.h"
#include "app/styles.h"
#include "serial/linefilesender.h"
#include "serial/terminalformat.h"
#include "serial/terminalview.h"
#include "serial/threadserial.h"
#include "widgets/framestatus.h"

void MainWindow::Serial_Init_Start()
{
    connect(ui->opencompushButton, SIGNAL(pressed()), this, SLOT(actionOpen_triggered()));
    connect(ui->sendmsgBtn, SIGNAL(pressed()), this, SLOT(sendmsgBtn_clicked()));
    connect(ui->sendfileBtn, SIGNAL(pressed()), this, SLOT(actionSendfile_triggered()));
    connect(ui->obocheckBox, SIGNAL(stateChanged(int)), this, SLOT(obocheckBox_clicked()));
    connect(ui->delayspinBox, SIGNAL(valueChanged(int)), this, SLOT(delayspinBox_valueChanged(int)));
    connect(ui->cleanbytespushButton, SIGNAL(pressed()), this, SLOT(actionClearBytes_triggered()));
    connect(ui->cleandatapushButton, SIGNAL(pressed()), this, SLOT(actionCleanData_triggered()));
    connect(ui->savetxtpushButton, SIGNAL(pressed()), this, SLOT(actionSave_triggered()));
    connect(ui->readtxtpushButton, SIGNAL(pressed()), this, SLOT(actionLoadfile_triggered()));
    connect(ui->cleansendpushButton, SIGNAL(pressed()), this, SLOT(cleanSendData_clicked()));
    connect(ui->com_expandpushButton, SIGNAL(pressed()), this, SLOT(slotCom_expand()));
    connect(ui->HEXcheckBox, SIGNAL(stateChanged(int)), this, SLOT(COMHideHex_pushButton_clicked()));
    TerminalView::setupReceiveView(ui->COM_HexTextBrowser);
    TerminalView::setupReceiveView(ui->COM_StrTextBrowser);
    ui->com_expandpushButton->setEnabled(false);
    ui->COM_HexTextBrowser->hide();
    ui->opencompushButton->setStyleSheet(QString::fromLatin1(Styles::idleButton));
    ui->com_checkBox_DTR->hide();
    ui->com_checkBox_RTS->hide();
    COM_fileSender = new LineFileSender(this);
    connect(COM_fileSender, &LineFileSender::finished, this, [this](bool ok, const QString& error) {
        ui->statusBar->showMessage(ok ? tr("Success for send the data in the file")
                                      : tr("Send file failed: %1").arg(error));
    });
}

void MainWindow::setComboBoxEnabled(bool enable)
{
    Serial_setLocked(SerialTab::Com, enable);
}

void MainWindow::actionOpen_triggered()
{
    if (Serial_isOpen) {
        COM_beforeClose();
        Serial_close(SerialTab::Com);
        for (QWidget* w :
             {static_cast<QWidget*>(ui->sendmsgBtn), static_cast<QWidget*>(ui->sendfileBtn),
              static_cast<QWidget*>(ui->sendMsgtextEdit), static_cast<QWidget*>(ui->com_checkBox_DTR),
              static_cast<QWidget*>(ui->com_checkBox_RTS)})
            w->setEnabled(false);
        return;
    }
    COM_afterOpen(Serial_open(SerialTab::Com));
}

void MainWindow::COM_afterOpen(SerialOpenResult result)
{
    if (result == SerialOpenResult::NoPort)
        return;
    if (result == SerialOpenResult::Failed) {
        disconnect(COM_dtrConnection);
        disconnect(COM_rtsConnection);
        ui->com_checkBox_DTR->setChecked(false);
        ui->com_checkBox_RTS->setChecked(false);
        disconnect(COM_sendTimer, SIGNAL(timeout()), this, SLOT(sendMsg()));
        ui->com_expandpushButton->setEnabled(false);
        return;
    }
    connect(COM_sendTimer, SIGNAL(timeout()), this, SLOT(sendMsg()), Qt::UniqueConnection);
    COM_decoder.resetState();
    ui->sendMsgtextEdit->setEnabled(true);
    ui->sendMsgtextEdit->setFocus();
    ui->sendmsgBtn->setEnabled(true);
    ui->sendfileBtn->setEnabled(true);
    ui->com_expandpushButton->setEnabled(true);
    // The modem lines are not driven: the boxes stay hidden and their handlers do nothing.
    COM_dtrConnection = connect(ui->com_checkBox_DTR, &QCheckBox::stateChanged, this, [] {});
    COM_rtsConnection = connect(ui->com_checkBox_RTS, &QCheckBox::stateChanged, this, [] {});
}

void MainWindow::COM_beforeClose()
{
    if (COM_expandOpen) {
        COM_expandDialog->close();
        COM_expandOpen = false;
    }
    ui->com_expandpushButton->setEnabled(false);
    COM_fileSender->stop();
    disconnect(COM_dtrConnection);
    disconnect(COM_rtsConnection);
    ui->com_checkBox_DTR->setChecked(false);
    ui->com_checkBox_RTS->setChecked(false);
    disconnect(COM_sendTimer, SIGNAL(timeout()), this, SLOT(sendMsg()));
}

void MainWindow::readCom(QByteArray data)
{
    if (data.isEmpty())
        return;
    const QString hex = TerminalFormat::hexSerial(data);
    QString text = COM_decoder.decode(data);
    text.remove(QLatin1Char('\r'));
    TerminalView::showChunk(ui->COM_StrTextBrowser, ui->COM_HexTextBrowser, text, hex,
                            ui->showtime_checkBox->isChecked());
    TerminalView::addToCounter(ui->recvbyteslcdNumber, data.size());
    FrameStatus::show(ui->statusBar, tr("Successfully read %1 byte data").arg(data.size()));
}

bool MainWindow::COM_isValidHex(const QString& token)
{
    return TerminalFormat::isValidHexToken(token);
}

void MainWindow::sendMsg()
{
    if (!Serial_thread || !Serial_thread->serialPort)
        return;
    QSerialPort* port = Serial_thread->serialPort;
    // A keep-sending tick waits until the previous send has left: no growing backlog.
    if (sender() == COM_sendTimer && port->bytesToWrite() > 0)
        return;
    QByteArray bytes;
    if (!ui->sendAsHexcheckBox->isChecked()) {
        bytes = TerminalFormat::serialText(ui->sendMsgtextEdit->toPlainText());
    } else if (!TerminalFormat::parseHexTokens(ui->sendMsgtextEdit->toPlainText(), &bytes)) {
        ui->statusBar->showMessage(tr("The input data format is wrong!"));
        COM_sendTimer->stop();
        TerminalView::setSendIdle(ui->sendmsgBtn);
        return;
    }
    COM_showWriteResult(port->write(bytes), bytes.size());
}

// Reports a write to the port and counts it only when it was accepted whole.
void MainWindow::COM_showWriteResult(qint64 written, qint64 size)
{
    if (written != size) {
        const QString reason = Serial_thread ? Serial_thread->serialPort->errorString() : QString();
        ui->statusBar->showMessage(tr("Send failed: %1").arg(reason));
        return;
    }
    ui->statusBar->showMessage(tr("Send Success"));
    TerminalView::addToCounter(ui->sendbyteslcdNumber, size);
}

void MainWindow::sendmsgBtn_clicked()
{
    Terminal_sendClicked(Terminal::Com);
}

void MainWindow::obocheckBox_clicked()
{
    Terminal_keepSendingToggled(Terminal::Com);
}

void MainWindow::delayspinBox_valueChanged(int value)
{
    Terminal_setInterval(Terminal::Com, value);
}

void MainWindow::COMHideHex_pushButton_clicked()
{
    Terminal_showHex(Terminal::Com);
}

void MainWindow::actionClearBytes_triggered()
{
    Terminal_clearCounters(Terminal::Com);
}

void MainWindow::actionCleanData_triggered()
{
    Terminal_clearReceived(Terminal::Com);
}

void MainWindow::cleanSendData_clicked()
{
    Terminal_clearSend(Terminal::Com);
}

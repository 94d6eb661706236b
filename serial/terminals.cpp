// The controls the serial, UDP and TCP terminals share: one implementation, one
// row of widgets per terminal.
#include "app/mainwindow.h"

#include <QCheckBox>
#include <QLCDNumber>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QStatusBar>
#include <QTimer>

#include "app/mainwindow_form.h"
#include "serial/terminalview.h"

MainWindow::TerminalControls MainWindow::Terminal_controls(Terminal terminal)
{
    switch (terminal) {
    case Terminal::Udp:
        return {ui->UDP_StrTextBrowser,    ui->UDP_HexTextBrowser, ui->UDP_HEXcheckBox,
                ui->UDP_showtime_checkBox, ui->UDPsendMsgtextEdit, ui->UDPsendmsgBtn,
                ui->UDPobocheckBox,        ui->UDPdelayspinBox,    ui->UDPsendbyteslcdNumber,
                ui->UDPrecvbyteslcdNumber, UDP_sendTimer,          &UDP_sendInterval,
                &MainWindow::UDP_sendMsg};
    case Terminal::Tcp:
        return {ui->TCP_StrTextBrowser,    ui->TCP_HexTextBrowser, ui->TCP_HEXcheckBox,
                ui->TCP_showtime_checkBox, ui->TCPsendMsgtextEdit, ui->TCPsendmsgBtn,
                ui->TCPobocheckBox,        ui->TCPdelayspinBox,    ui->TCPsendbyteslcdNumber,
                ui->TCPrecvbyteslcdNumber, TCP_sendTimer,          &TCP_sendInterval,
                &MainWindow::TCP_sendOnce};
    case Terminal::Com:
        break;
    }
    return {ui->COM_StrTextBrowser, ui->COM_HexTextBrowser, ui->HEXcheckBox, ui->showtime_checkBox,
            ui->sendMsgtextEdit,    ui->sendmsgBtn,         ui->obocheckBox, ui->delayspinBox,
            ui->sendbyteslcdNumber, ui->recvbyteslcdNumber, COM_sendTimer,   &COM_sendInterval,
            &MainWindow::sendMsg};
}

// Send: once, or every interval while "keep sending" is on (the button then reads "Pause").
void MainWindow::Terminal_sendClicked(Terminal terminal)
{
    const TerminalControls c = Terminal_controls(terminal);
    if (TerminalView::isPausing(c.sendButton)) {
        c.sendTimer->stop();
        TerminalView::setSendIdle(c.sendButton);
    } else if (c.sendBox->toPlainText().isEmpty()) {
        ui->statusBar->showMessage(tr("No Data"));
    } else if (c.keepBox->isChecked()) {
        c.sendTimer->start(*c.sendInterval);
        TerminalView::setSendPausing(c.sendButton);
    } else {
        c.sendBox->setFocus();
        (this->*c.sendOnce)();
    }
}

void MainWindow::Terminal_keepSendingToggled(Terminal terminal)
{
    const TerminalControls c = Terminal_controls(terminal);
    const bool keep = c.keepBox->isChecked();
    c.delayBox->setEnabled(keep);
    ui->statusBar->showMessage(keep ? tr("Enable Keep sending") : tr("Disable Keep sending"));
}

void MainWindow::Terminal_setInterval(Terminal terminal, int ms)
{
    *Terminal_controls(terminal).sendInterval = ms;
}

void MainWindow::Terminal_showHex(Terminal terminal)
{
    const TerminalControls c = Terminal_controls(terminal);
    c.hexView->setVisible(c.hexBox->isChecked());
    if (c.stampBox->isChecked()) {
        TerminalView::scrollToBottom(c.textView);
        TerminalView::scrollToBottom(c.hexView);
    }
}

void MainWindow::Terminal_clearCounters(Terminal terminal)
{
    const TerminalControls c = Terminal_controls(terminal);
    c.sentCounter->display(0);
    c.receivedCounter->display(0);
    ui->statusBar->showMessage(tr("Counter has been cleared"));
}

void MainWindow::Terminal_clearReceived(Terminal terminal)
{
    const TerminalControls c = Terminal_controls(terminal);
    c.textView->clear();
    c.hexView->clear();
    ui->statusBar->showMessage(tr("Receive has been cleared"));
}

void MainWindow::Terminal_clearSend(Terminal terminal)
{
    Terminal_controls(terminal).sendBox->clear();
    ui->statusBar->showMessage(tr("Send has been cleared"));
}

void MainWindow::Terminal_export(Terminal terminal)
{
    const QString status = TerminalView::exportText(this, *fileChooser, Terminal_controls(terminal).textView);
    if (!status.isEmpty())
        ui->statusBar->showMessage(status);
}

void MainWindow::Terminal_import(Terminal terminal)
{
    const QString status = TerminalView::importText(this, *fileChooser, Terminal_controls(terminal).sendBox);
    if (!status.isEmpty())
        ui->statusBar->showMessage(status);
}

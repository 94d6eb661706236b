// The GSM console's GPRS test link: a TCP client opened by the modem itself.
#include "app/mainwindow.h"

#include <QGroupBox>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTextBrowser>
#include <QTextCodec>
#include <QTextCursor>
#include <QTextEdit>

#include "app/mainwindow_form.h"
#include "gsm/gsm_readerpause.h"

namespace {

// The receive view keeps at most this many characters (and 50 blocks).
constexpr int linkViewLimit = 64 * 1024;

const char* const linkSetup[] = {
    "AT+CGCLASS=\"B\"\r\n",       "AT+CGDCONT=1,\"IP\",\"CMNET\"\r\n", "AT+CGATT=1\r\n",
    "AT+CIPCSGP=1,\"CMNET\"\r\n", "AT+CLPORT=\"TCP\",\"2222\"\r\n",
};

void linkBox(QMessageBox::Icon icon, const char* text)
{
    const QString title = MainWindow::tr("Info");
    if (icon == QMessageBox::Information)
        QMessageBox::information(nullptr, title, QString::fromLatin1(text), QMessageBox::Cancel);
    else
        QMessageBox::critical(nullptr, title, QString::fromLatin1(text), QMessageBox::Cancel);
}

} // namespace

void MainWindow::GSM_setLinkGroupsEnabled(bool enabled)
{
    for (QGroupBox* group : {ui->gsm_groupBox_call, ui->gsm_groupBox_serial, ui->gsm_groupBox_signal,
                             ui->gsm_groupBox_config, ui->gsm_groupBox_SMSsend, ui->gsm_groupBox_SMSRead})
        group->setEnabled(enabled);
}

void MainWindow::GSM_linkClosed()
{
    ui->GSMTCPopencompushButton->setText(QStringLiteral("Connect"));
    GSM_setLinkGroupsEnabled(true);
    GSM_tcpOpen = 0;
    if (Serial_thread)
        disconnect(Serial_thread, SIGNAL(Serial_read_Data(QByteArray)), this,
                   SLOT(GSMGPRSreadMyCom(QByteArray)));
}

void MainWindow::GSMTCPopencompushButton_triggered()
{
    if (GSM_tcpOpen) {
        GSM_linkClosed();
        GsmReaderPause reader(this);
        AtExchange at = GSM_exchange();
        for (const char* command : {"AT+CIPCLOSE=1\r\n", "AT+CIPSHUT\r\n"}) {
            at.send(command);
            at.waitFor(11, 100, {"OK", "ERROR\r\n"});
        }
        return;
    }
    GsmReaderPause reader(this);
    const QString address = ui->GSMTCPclientIPlineEdit->text();
    const QString port = ui->GSMTCPclientPortlineEdit->text();
    if (address.isEmpty() || port.isEmpty())
        return linkBox(QMessageBox::Critical, "Please fill in the full server IP and PORT");
    ui->GSMTCPopencompushButton->setText(QStringLiteral("Disconnect"));
    GSM_setLinkGroupsEnabled(false);
    GSM_tcpOpen = 1;
    AtExchange at = GSM_exchange();
    for (const char* command : linkSetup) {
        at.send(command);
        at.waitFor(11, 100, {"OK", "ERROR\r\n"});
    }
    at.send(AtReply::gprsStartCommand(address, port));
    // Any failure reply ends the wait at once; only "CONNECT OK" opens the link.
    const int result = at.waitFor(501, 100, {"CONNECT OK", "CONNECT FAIL", "ERROR\r\n", "ERROR:"});
    if (at.portLost())
        return; // the close path has put the page back
    if (result != 0) {
        // A refused start is a failed link, not an open one.
        GSM_linkClosed();
        return linkBox(QMessageBox::Critical, result < 0 ? "Remote server is not responding" : "Error");
    }
    linkBox(QMessageBox::Information, "connection succeeded");
    if (!GSM_tcpOpen || !Serial_thread)
        return; // the port went while the box was up
    reader.keepOff();
    GSM_linkDecoder.reset();
    Serial_thread->readEnabled = true;
    connect(Serial_thread, SIGNAL(Serial_read_Data(QByteArray)), this, SLOT(GSMGPRSreadMyCom(QByteArray)),
            Qt::UniqueConnection);
    Serial_thread->readData(); // what the server sent while the box was up
}

void MainWindow::GSMTCPsendmsgBtn_triggered()
{
    GsmReaderPause reader(this);
    const QByteArray data = ui->GSMTcpsendBrowser->toPlainText().toLocal8Bit();
    if (data.isEmpty())
        return linkBox(QMessageBox::Critical, "No information need to send");
    AtExchange at = GSM_exchange();
    at.send("AT+CIPSEND\r\n");
    // Without the prompt the modem would take the data for commands.
    if (at.waitFor(11, 100, {">", "ERROR\r\n", "ERROR:"}) > 0)
        return linkBox(QMessageBox::Critical, "Error");
    if (at.portLost())
        return;
    at.send(AtReply::gprsPayload(data));
    for (int i = 0; i < 2; ++i) {
        at.read();
        at.pause(100);
    }
    at.send(QByteArray(1, '\x1a'));
    // A failed send is shown as one, never passed over like a good one.
    if (at.waitFor(11, 100, {"SEND OK", "SEND FAIL", "ERROR\r\n", "ERROR:"}) > 0)
        linkBox(QMessageBox::Critical, "Error");
}

void MainWindow::GSMGPRSreadMyCom(QByteArray data)
{
    if (AtReply::isGprsNoise(data))
        return;
    if (!GSM_linkDecoder) {
        QTextCodec* codec = QTextCodec::codecForName("GBK");
        GSM_linkDecoder.reset((codec ? codec : QTextCodec::codecForName("UTF-8"))->makeDecoder());
    }
    QTextDocument* doc = ui->GSMTCPReadSBrowser->document();
    QTextCursor cursor(doc);
    cursor.movePosition(QTextCursor::End);
    cursor.insertText(GSM_linkDecoder->toUnicode(data));
    const int excess = doc->characterCount() - linkViewLimit;
    if (excess > 0) {
        cursor.setPosition(0);
        cursor.setPosition(excess, QTextCursor::KeepAnchor);
        cursor.removeSelectedText();
    }
}

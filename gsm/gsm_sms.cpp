// The GSM console's short messages: send in UCS2, read one, delete one or all.
#include "app/mainwindow.h"

#include <QInputDialog>
#include <QMessageBox>
#include <QPushButton>
#include <QRegularExpression>
#include <QStatusBar>
#include <QTextBrowser>
#include <QTextCursor>
#include <QTextEdit>

#include "app/mainwindow_form.h"
#include "gsm/gsm_readerpause.h"

namespace {

constexpr int smsLength = 160; // UTF-16 code units

// A box number goes into an AT command: only digits, so no line end can start another command.
bool isBoxNumber(const QString& text)
{
    static const QRegularExpression digits(QStringLiteral("^[0-9]+$"));
    return digits.match(text).hasMatch();
}

void boxNumberError()
{
    QMessageBox::critical(nullptr, MainWindow::tr("Info"), QStringLiteral("Error message box number"),
                          QMessageBox::Cancel);
}

void deletedBox()
{
    QMessageBox::information(nullptr, MainWindow::tr("Info"), MainWindow::tr("Successfully deleted"),
                             QMessageBox::Cancel);
}

// Reads once, then pauses; `count` runs down across the steps that share it.
bool okWithin(AtExchange& at, int& count)
{
    for (;;) {
        at.read();
        if (AtReply::holds(at.reply(), "OK"))
            return true;
        if (at.portLost())
            return false;
        --count;
        at.pause(100);
        if (count < 0)
            return false;
    }
}

} // namespace

QString MainWindow::GSM_askBoxNumber(const QString& title, const QString& label, bool* accepted)
{
    return QInputDialog::getText(nullptr, title, label, QLineEdit::Normal, QString(), accepted);
}

void MainWindow::slotGSMtextBrowser()
{
    QString text = ui->GSMtextBrowser->toPlainText();
    const int excess = int(text.size()) - smsLength;
    if (excess <= 0)
        return;
    const int from = qMax(0, ui->GSMtextBrowser->textCursor().position() - excess);
    text.remove(from, excess);
    ui->GSMtextBrowser->setPlainText(text);
    QTextCursor cursor = ui->GSMtextBrowser->textCursor();
    cursor.setPosition(from);
    ui->GSMtextBrowser->setTextCursor(cursor);
}

void MainWindow::GSMSendpushButton_triggered()
{
    GsmReaderPause reader(this);
    const QString number = ui->GSMNUMtextEdit->toPlainText();
    const QString text = ui->GSMtextBrowser->toPlainText();
    if (number.isEmpty())
        return;
    AtExchange at = GSM_exchange();
    at.send("AT+CSMP=17,167,2,25\r\n");
    int count = 10;
    const bool accepted = okWithin(at, count);
    at.send("AT+CSCS=\"UCS2\"\r\n");
    okWithin(at, count);
    at.send(AtReply::smsSendCommand(number));
    const int prompt = at.waitFor(11, 100, {">", "ERROR"});
    if (at.portLost() || (prompt < 0 && !accepted))
        return;
    if (prompt == 1) // refused: no prompt will come, so the text must not follow
        return ui->statusBar->showMessage(tr("SMS sent failed"));
    at.send(AtReply::toUcs2Hex(text).toLatin1());
    at.pause(100);
    at.send(QByteArray(1, '\x1a'));
    const bool sent = at.waitFor(51, 100, {"CMGS", "ERROR"}) == 0;
    if (!at.portLost())
        ui->statusBar->showMessage(sent ? tr("SMS sent successfully") : tr("SMS sent failed"));
}

void MainWindow::GSMReadTextpushButton_triggered()
{
    GsmReaderPause reader(this);
    bool accepted = false;
    const QString box = GSM_askBoxNumber(
        QStringLiteral("SMS"), QStringLiteral("Please enter the number of the SMS box you need to read."),
        &accepted);
    if (!accepted)
        return;
    if (!isBoxNumber(box))
        return boxNumberError();
    AtExchange at = GSM_exchange();
    at.send("AT+CMGR=" + box.toLatin1() + "\r\n");
    bool error = false;
    at.poll(11, 100, [&](const QByteArray& reply) {
        if (AtReply::holds(reply, "OK\r\n")) {
            const AtReply::SmsMessage message = AtReply::isReceivedMessage(reply)
                                                    ? AtReply::parseReceivedMessage(reply)
                                                    : AtReply::SmsMessage();
            ui->GSMReadtextBrowser->clear();
            ui->GSMReadtextBrowser->setPlainText(message.valid ? AtReply::formatMessage(message)
                                                               : QString::fromUtf8(reply));
            if (message.valid)
                return true;
        }
        return error = AtReply::holds(reply, "ERROR\r\n");
    });
    if (error)
        QMessageBox::critical(nullptr, tr("Info"), QStringLiteral("Error"), QMessageBox::Cancel);
}

void MainWindow::GSMDelTextpushButton_triggered()
{
    GsmReaderPause reader(this);
    bool accepted = false;
    const QString box =
        GSM_askBoxNumber(QStringLiteral("Info"),
                         QStringLiteral("Please enter the number of the SMS box to be deleted."), &accepted);
    if (!accepted)
        return;
    if (!isBoxNumber(box))
        return boxNumberError();
    AtExchange at = GSM_exchange();
    at.send("AT+CMGD=" + box.toLatin1() + ",0\r\n");
    if (at.waitFor(11, 100, {"OK\r\n", "ERROR"}) == 0)
        deletedBox();
}

void MainWindow::GSMDelALLTextpushButton_triggered()
{
    GsmReaderPause reader(this);
    if (QMessageBox::question(nullptr, tr("Info"), QStringLiteral("Confirm delete all text messages?"),
                              QMessageBox::Yes | QMessageBox::No, QMessageBox::No) != QMessageBox::Yes)
        return;
    AtExchange at = GSM_exchange();
    const bool switchMode = GSM_smsTextMode == 0;
    if (switchMode) {
        // Its "OK" must not pass for the deletion's.
        at.send("AT+CMGF=1\r\n");
        at.waitFor(11, 100, {"OK\r\n", "ERROR\r\n"});
    }
    at.send("AT+CMGDA=DEL ALL\r\n");
    if (at.waitFor(31, 100, {"OK\r\n", "ERROR"}) == 0)
        deletedBox();
    if (switchMode)
        at.send("AT+CMGF=0\r\n");
}

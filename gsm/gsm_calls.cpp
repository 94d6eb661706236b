// The GSM console's voice calls: keypad and tones, dial with optional redial,
// answer, hang up, and the reader of the modem's unsolicited results.
#include "app/mainwindow.h"

#include <QCheckBox>
#include <QMessageBox>
#include <QPushButton>
#include <QStatusBar>
#include <QTextBrowser>

#include <utility>

#include "app/mainwindow_form.h"
#include "gsm/gsm_readerpause.h"

namespace {

void errorBox()
{
    QMessageBox::critical(nullptr, MainWindow::tr("Info"), QStringLiteral("Error"), QMessageBox::Cancel);
}

// The lines of a ring: the modem may repeat them until it has taken the answer or the hang-up.
const QList<QByteArray> ringLines{"RING", "+CLIP"};

} // namespace

void MainWindow::GSM_keypad(char key)
{
    ui->GSMtextBrowser_1->setPlainText(ui->GSMtextBrowser_1->toPlainText() + QLatin1Char(key));
    if (!GSM_inCall)
        return;
    GsmReaderPause reader(this);
    AtExchange at = GSM_exchange();
    at.send(AtReply::dtmfCommand(key));
    at.read(); // the tone's reply is of no interest
}

void MainWindow::GSMANJIANpushButton0_triggered()
{
    GSM_keypad('0');
}
void MainWindow::GSMANJIANpushButton1_triggered()
{
    GSM_keypad('1');
}
void MainWindow::GSMANJIANpushButton2_triggered()
{
    GSM_keypad('2');
}
void MainWindow::GSMANJIANpushButton3_triggered()
{
    GSM_keypad('3');
}
void MainWindow::GSMANJIANpushButton4_triggered()
{
    GSM_keypad('4');
}
void MainWindow::GSMANJIANpushButton5_triggered()
{
    GSM_keypad('5');
}
void MainWindow::GSMANJIANpushButton6_triggered()
{
    GSM_keypad('6');
}
void MainWindow::GSMANJIANpushButton7_triggered()
{
    GSM_keypad('7');
}
void MainWindow::GSMANJIANpushButton8_triggered()
{
    GSM_keypad('8');
}
void MainWindow::GSMANJIANpushButton9_triggered()
{
    GSM_keypad('9');
}
void MainWindow::GSMANJIANpushButton10_triggered()
{
    GSM_keypad('*');
}
void MainWindow::GSMANJIANpushButton11_triggered()
{
    GSM_keypad('#');
}

void MainWindow::GSMactionCleanNumData_triggered()
{
    ui->GSMtextBrowser_1->clear();
    ui->statusBar->showMessage(tr("Already cleared"));
}

void MainWindow::GSMguadianhuapushButton_triggered()
{
    GsmReaderPause reader(this);
    ui->GSM_AutoRedial->setChecked(false); // also ends a redial loop waiting further out
    AtExchange at = GSM_exchange();
    if (GSM_ringing || GSM_ringSeen)
        at.setOwnResults(ringLines); // the rejected call's rings, not a new call
    at.send("ATH\r\n");
    GSM_inCall = false;
    // A rejected call ends its ring sequence, and what was held of it.
    GSM_ringSeen = GSM_clipSeen = false;
    GSM_rxBuffer.clear();
    const int reply = at.waitFor(11, 100, {"OK", "ERROR\r\n"});
    if (reply == 0) {
        ui->statusBar->showMessage(tr("call ended"));
        ui->GSMbodianhuapushButton->setText(tr("Call"));
    } else if (reply == 1) {
        errorBox();
    }
}

void MainWindow::GSMbodianhuapushButton_triggered()
{
    GsmReaderPause reader(this);
    AtExchange at = GSM_exchange();
    if (GSM_ringing) {
        at.setOwnResults(ringLines); // the answered call's rings, not a new call
        at.send("ATA\r\n");
        // The answer's final result ends the wait.
        const int reply = at.waitFor(11, 100, {"ERROR\r\n", "OK"});
        if (reply == 1) {
            ui->statusBar->showMessage(tr("Calling..."));
            GSM_inCall = true;
        } else if (reply == 0) {
            errorBox();
        }
        ui->GSMbodianhuapushButton->setText(tr("Call"));
        GSM_ringing = false;
        // Answered: the ring sequence is over, and a RING still held must not announce it again.
        GSM_ringSeen = GSM_clipSeen = false;
        GSM_rxBuffer.clear();
        return;
    }
    const QString number = ui->GSMtextBrowser_1->toPlainText();
    if (number.isEmpty()) {
        QMessageBox::critical(nullptr, tr("Info: "), QStringLiteral("Error number"), QMessageBox::Cancel);
        return;
    }
    if (ui->GSM_AutoRedial->isChecked())
        GSM_dialWithRedial(AtReply::dialCommand(number), at);
    else
        GSM_dialOnce(AtReply::dialCommand(number), at);
}

// The modem refused the dial: no call is left behind, whatever its echo showed.
void MainWindow::GSM_dialRefused()
{
    GSM_inCall = false;
    if (ui->statusBar->currentMessage() == tr("Calling..."))
        ui->statusBar->clearMessage();
    errorBox();
}

void MainWindow::GSM_dialOnce(const QByteArray& command, AtExchange& at)
{
    at.send(command);
    bool refused = false;
    // Accepted at the echo (or, with echo off, the "OK"); the final result ends the wait.
    bool accepted = false;
    at.poll(11, 100, [&](const QByteArray& reply) {
        if (AtReply::isError(reply))
            return refused = true;
        const bool ok = AtReply::holds(reply, "OK\r\n");
        if (!accepted && (AtReply::holds(reply, "ATD") || ok)) {
            ui->statusBar->showMessage(tr("Calling..."));
            GSM_inCall = accepted = true;
        }
        // A failed dial's result is a notice, held for the reader: it ends the wait too.
        return ok || AtReply::isFailedAttempt(GSM_heldResults);
    });
    if (refused)
        GSM_dialRefused();
}

// Places the call at most three times; runs while "Auto Redial" stays ticked. A modem
// that says nothing at all for this long after a dial ends it.
constexpr int redialSilenceMs = 30000;

void MainWindow::GSM_dialWithRedial(const QByteArray& command, AtExchange& at)
{
    // The outcome of an attempt, not a notice.
    at.setOwnResults({"NO CARRIER", "BUSY", "NO ANSWER", "NO DIALTONE"});
    at.send(command);
    int redialsLeft = 2;
    int silentReads = 0;
    bool accepted = false;
    while (ui->GSM_AutoRedial->isChecked()) {
        const bool silent = at.read().isEmpty();
        if (at.portLost())
            return;
        silentReads = silent && silentReads >= 0 ? silentReads + 1 : -1;
        const QByteArray reply = at.reply();
        if (AtReply::isError(reply))
            return GSM_dialRefused();
        if (!accepted && AtReply::holds(reply, "ATD")) {
            ui->statusBar->showMessage(tr("Calling..."));
            GSM_inCall = accepted = true;
        }
        if (AtReply::isFailedAttempt(reply)) {
            GSM_inCall = false;
            if (redialsLeft == 0) {
                ui->GSM_AutoRedial->setChecked(false);
                ui->statusBar->showMessage(tr("Stop"));
                QMessageBox::critical(
                    nullptr, tr("Error: "),
                    QStringLiteral("For academic research only. Prohibiting telephone harassment!"),
                    QMessageBox::Cancel);
                return;
            }
            --redialsLeft;
            at.send(command);
            silentReads = 0;
            accepted = false;
        } else if (silentReads * 100 >= redialSilenceMs) {
            ui->GSM_AutoRedial->setChecked(false);
            ui->statusBar->showMessage(tr("No response"));
            return;
        }
        at.pause(100);
    }
}

void MainWindow::GSM_replayHeldResults(bool samePort)
{
    const QByteArray held = std::exchange(GSM_heldResults, QByteArray());
    if (samePort && !held.isEmpty())
        GSMreadMyCom(held);
}

void MainWindow::GSMreadMyCom(QByteArray data)
{
    GSM_showUnsolicited(AtReply::readUnsolicited(GSM_rxBuffer, GSM_ringSeen, GSM_clipSeen, data));
}

void MainWindow::GSM_showUnsolicited(const QList<AtReply::Unsolicited>& results)
{
    for (const AtReply::Unsolicited& r : results) {
        switch (r.kind) {
        case AtReply::Unsolicited::CallEnded:
            ui->statusBar->showMessage(tr("call ended"));
            GSM_inCall = false;
            break;
        case AtReply::Unsolicited::Busy:
            ui->statusBar->showMessage(tr("busy"));
            GSM_inCall = false;
            break;
        case AtReply::Unsolicited::Connected:
            ui->statusBar->showMessage(tr("Calling..."));
            break;
        case AtReply::Unsolicited::IncomingCall:
            ui->statusBar->showMessage(tr("Have a new call:") + r.detail);
            GSM_ringing = true;
            ui->GSMbodianhuapushButton->setText(tr("Answer call"));
            break;
        case AtReply::Unsolicited::NewSms:
            ui->statusBar->showMessage(tr("Have new SMS, SMS box:: ") + r.detail);
            break;
        }
    }
}

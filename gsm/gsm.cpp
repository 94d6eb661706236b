// The GSM console: page lock, port opening, the modem status query, the three
// function switches and the signal check.
#include "app/mainwindow.h"

#include <QCheckBox>
#include <QIcon>
#include <QKeySequence>
#include <QLabel>
#include <QMessageBox>
#include <QPixmap>
#include <QPushButton>
#include <QSerialPort>
#include <QStatusBar>
#include <QTextBrowser>
#include <QTextDocument>

#include "app/mainwindow_form.h"
#include "app/styles.h"
#include "gsm/gsm_readerpause.h"
#include "serial/threadserial.h"

namespace {

const char onPicture[] = ":images/on.png";
const char offPicture[] = ":images/off.png";

struct ButtonSlot
{
    QPushButton* Ui_GsmForm::*button;
    void (MainWindow::*slot)();
};

const ButtonSlot gsmButtonSlots[] = {
    {&Ui_GsmForm::GSMTestSignalpushButton, &MainWindow::GSMTestSignalpushButton_triggered},
    {&Ui_GsmForm::GSMLaidianKaiguanpushButton, &MainWindow::GSMLaidianKaiguanpushButton_triggered},
    {&Ui_GsmForm::GSMLaidianYingKaiguanpushButton, &MainWindow::GSMLaidianYingKaiguanpushButton_triggered},
    {&Ui_GsmForm::GSMDuanXinWenBenKaiguanpushButton,
     &MainWindow::GSMDuanXinWenBenKaiguanpushButton_triggered},
    {&Ui_GsmForm::GSMANJIANpushButton_0, &MainWindow::GSMANJIANpushButton0_triggered},
    {&Ui_GsmForm::GSMANJIANpushButton_1, &MainWindow::GSMANJIANpushButton1_triggered},
    {&Ui_GsmForm::GSMANJIANpushButton_2, &MainWindow::GSMANJIANpushButton2_triggered},
    {&Ui_GsmForm::GSMANJIANpushButton_3, &MainWindow::GSMANJIANpushButton3_triggered},
    {&Ui_GsmForm::GSMANJIANpushButton_4, &MainWindow::GSMANJIANpushButton4_triggered},
    {&Ui_GsmForm::GSMANJIANpushButton_5, &MainWindow::GSMANJIANpushButton5_triggered},
    {&Ui_GsmForm::GSMANJIANpushButton_6, &MainWindow::GSMANJIANpushButton6_triggered},
    {&Ui_GsmForm::GSMANJIANpushButton_7, &MainWindow::GSMANJIANpushButton7_triggered},
    {&Ui_GsmForm::GSMANJIANpushButton_8, &MainWindow::GSMANJIANpushButton8_triggered},
    {&Ui_GsmForm::GSMANJIANpushButton_9, &MainWindow::GSMANJIANpushButton9_triggered},
    {&Ui_GsmForm::GSMANJIANpushButton_10, &MainWindow::GSMANJIANpushButton10_triggered},
    {&Ui_GsmForm::GSMANJIANpushButton_11, &MainWindow::GSMANJIANpushButton11_triggered},
    {&Ui_GsmForm::GSMANJIANpushButton_Clean, &MainWindow::GSMactionCleanNumData_triggered},
    {&Ui_GsmForm::GSMguadianhuapushButton, &MainWindow::GSMguadianhuapushButton_triggered},
    {&Ui_GsmForm::GSMbodianhuapushButton, &MainWindow::GSMbodianhuapushButton_triggered},
    {&Ui_GsmForm::GSMReadTextpushButton, &MainWindow::GSMReadTextpushButton_triggered},
    {&Ui_GsmForm::GSMDelTextpushButton, &MainWindow::GSMDelTextpushButton_triggered},
    {&Ui_GsmForm::GSMDelALLTextpushButton, &MainWindow::GSMDelALLTextpushButton_triggered},
    {&Ui_GsmForm::GSMSendpushButton, &MainWindow::GSMSendpushButton_triggered},
    {&Ui_GsmForm::GSMTCPopencompushButton, &MainWindow::GSMTCPopencompushButton_triggered},
    {&Ui_GsmForm::GSMTCPsendmsgBtn, &MainWindow::GSMTCPsendmsgBtn_triggered},
};

// A status-query step: the question, the pause between reads and how its answer reads.
struct StatusQuestion
{
    const char* command;
    int pauseMs;
    int (*setting)(const QByteArray&);
    QPushButton* Ui_GsmForm::*button;
    int MainWindow::*flag;
};

const StatusQuestion statusQuestions[] = {
    {"AT+CLIP?\r\n", 500, &AtReply::clipSetting, &Ui_GsmForm::GSMLaidianKaiguanpushButton,
     &MainWindow::GSM_clipOn},
    {"AT+CALM?\r\n", 100, &AtReply::ringerSetting, &Ui_GsmForm::GSMLaidianYingKaiguanpushButton,
     &MainWindow::GSM_ringerOn},
    {"AT+CMGF?\r\n", 500, &AtReply::smsTextModeSetting, &Ui_GsmForm::GSMDuanXinWenBenKaiguanpushButton,
     &MainWindow::GSM_smsTextMode},
};

} // namespace

void MainWindow::GSM_Init_Start()
{
    connect(ui->GSMopencompushButton, SIGNAL(pressed()), this, SLOT(GSMactionOpen_triggered()));
    ui->GSMtextBrowser_1->document()->setMaximumBlockCount(1);
    ui->GSMNUMtextEdit->document()->setMaximumBlockCount(1);
    ui->GSMTCPReadSBrowser->document()->setMaximumBlockCount(50);
    GSM_clipOn = 0;
    GSM_ringerOn = 0;
    for (QPushButton* b : {ui->GSMLaidianKaiguanpushButton, ui->GSMLaidianYingKaiguanpushButton,
                           ui->GSMDuanXinWenBenKaiguanpushButton}) {
        b->setFlat(true);
        b->setStyleSheet(QStringLiteral("border:none"));
    }
    GSM_ringing = GSM_inCall = GSM_ringSeen = GSM_clipSeen = false;
    const char* const digits[] = {"0", "1", "2", "3", "4", "5", "6", "7", "8", "9"};
    for (int key = 0; key < 10; ++key)
        ui->gsmKeypad(key)->setShortcut(QKeySequence(tr(digits[key])));
    GSMUI_EnDisable(false);
    ui->GSMopencompushButton->setStyleSheet(QString::fromLatin1(Styles::idleButton));
}

void MainWindow::GSMactionOpen_triggered()
{
    if (Serial_isOpen) {
        GSMsetReadComINT(false);
        if (GSM_tcpOpen)
            GSM_linkClosed(); // the port failed under an open link
        Serial_close(SerialTab::Gsm);
        GSMUI_EnDisable(false);
        return;
    }
    if (Serial_open(SerialTab::Gsm) != SerialOpenResult::Opened)
        return;
    // The button reads "Close" in its idle colours while the modem is asked for its settings.
    ui->GSMopencompushButton->setStyleSheet(QString::fromLatin1(Styles::idleButton));
    Phone_Status();
    if (!Serial_isOpen)
        return; // the port failed during the query and has been closed
    GSMUI_EnDisable(true);
    GSMsetReadComINT(true);
    ui->GSMopencompushButton->setStyleSheet(QString::fromLatin1(Styles::activeButton));
}

void MainWindow::GSMsetComboBoxEnabled(bool enable)
{
    Serial_setLocked(SerialTab::Gsm, enable);
}

void MainWindow::GSMUI_EnDisable(bool on)
{
    ui->GSM_AutoRedial->setChecked(false);
    QWidget* const widgets[] = {ui->GSM_AutoRedial,         ui->GSMANJIANpushButton_Clean,
                                ui->GSMtextBrowser_1,       ui->GSMtextBrowser,
                                ui->GSMNUMtextEdit,         ui->GSMReadtextBrowser,
                                ui->GSMTcpsendBrowser,      ui->GSMTCPReadSBrowser,
                                ui->GSMTCPclientIPlineEdit, ui->GSMTCPclientPortlineEdit};
    for (QWidget* w : widgets)
        w->setEnabled(on);
    for (const ButtonSlot& b : gsmButtonSlots) {
        QPushButton* button = ui->*b.button;
        button->setEnabled(on);
        if (on)
            connect(button, &QPushButton::pressed, this, b.slot, Qt::UniqueConnection);
        else
            disconnect(button, &QPushButton::pressed, this, b.slot);
    }
    if (on)
        connect(ui->GSMtextBrowser, &QTextEdit::textChanged, this, &MainWindow::slotGSMtextBrowser,
                Qt::UniqueConnection);
    else
        disconnect(ui->GSMtextBrowser, &QTextEdit::textChanged, this, &MainWindow::slotGSMtextBrowser);
}

void MainWindow::GSMsetReadComINT(bool on)
{
    if (!Serial_thread)
        return;
    Serial_thread->readEnabled = on;
    if (on)
        connect(Serial_thread, SIGNAL(Serial_read_Data(QByteArray)), this, SLOT(GSMreadMyCom(QByteArray)),
                Qt::UniqueConnection);
    else
        disconnect(Serial_thread, SIGNAL(Serial_read_Data(QByteArray)), this, SLOT(GSMreadMyCom(QByteArray)));
}

AtExchange MainWindow::GSM_exchange()
{
    QPointer<ThreadSerial> worker = Serial_thread;
    // A line the reader had begun is finished by the exchange, which reads what follows it.
    const qsizetype lastEnd = GSM_rxBuffer.lastIndexOf("\r\n");
    const QByteArray unfinished = GSM_rxBuffer.mid(lastEnd < 0 ? 0 : lastEnd + 2);
    GSM_rxBuffer.chop(unfinished.size());
    return AtExchange(
        [this, worker]() -> QSerialPort* {
            return worker && worker == Serial_thread ? worker->serialPort : nullptr;
        },
        [this](int ms) { msleep(ms); },
        [this](const QByteArray& line) {
            GSM_heldResults += line;
            if (GSM_heldResults.size() > AtReply::unsolicitedBufferLimit)
                GSM_heldResults.remove(0, GSM_heldResults.size() - AtReply::unsolicitedBufferLimit);
        },
        unfinished);
}

void MainWindow::GSM_setSwitchIcon(QPushButton* button, bool on)
{
    button->setIcon(QIcon(QString::fromLatin1(on ? onPicture : offPicture)));
}

void MainWindow::Phone_Status()
{
    ui->GSMopencompushButton->setEnabled(false);
    bool answered = false;
    bool lost = false;
    {
        GsmReaderPause reader(this);
        AtExchange at = GSM_exchange();
        for (const StatusQuestion& q : statusQuestions) {
            at.send(q.command);
            at.poll(11, q.pauseMs, [&](const QByteArray& reply) {
                const int setting = q.setting(reply);
                if (setting < 0)
                    return AtReply::holds(reply, "ERROR\r\n"); // refused: no answer to wait for
                this->*q.flag = setting;
                GSM_setSwitchIcon(ui->*q.button, setting == 1);
                return answered = true;
            });
        }
        lost = at.portLost();
        reader.keepOff(); // attached below, once the signal check is done
    }
    ui->GSMopencompushButton->setEnabled(true);
    if (lost)
        return;
    // A modem that never answered is not reported as ready.
    ui->statusBar->showMessage(answered ? tr("Initialization completed") : tr("No response from the modem"));
    GSMTestSignalpushButton_triggered();
    GSMsetReadComINT(true);
}

bool MainWindow::GSM_toggleSwitch(QPushButton* button, int& flag, const QByteArray& onCommand,
                                  const QByteArray& offCommand, bool warnOnSilentOff)
{
    GsmReaderPause reader(this);
    AtExchange at = GSM_exchange();
    const bool switchOn = flag == 0;
    at.send(switchOn ? onCommand : offCommand);
    if (at.waitFor(switchOn ? 201 : 101, 10, {"OK\r\n", "ERROR\r\n"}) == 0) {
        flag = switchOn ? 1 : 0;
        GSM_setSwitchIcon(button, switchOn);
        if (switchOn && button == ui->GSMDuanXinWenBenKaiguanpushButton) {
            at.send("AT+CSCS=\"UCS2\"\r\n");
            at.waitFor(201, 10, {"OK\r\n", "ERROR\r\n"});
        }
        return true;
    }
    if (!switchOn && warnOnSilentOff && !at.portLost())
        QMessageBox::warning(nullptr, tr("Info"), tr("No response"), QMessageBox::Cancel);
    return false;
}

void MainWindow::GSMLaidianKaiguanpushButton_triggered()
{
    GSM_toggleSwitch(ui->GSMLaidianKaiguanpushButton, GSM_clipOn, "AT+CLIP=1\r\n", "AT+CLIP=0\r\n", false);
}

void MainWindow::GSMLaidianYingKaiguanpushButton_triggered()
{
    GSM_toggleSwitch(ui->GSMLaidianYingKaiguanpushButton, GSM_ringerOn, "AT+CALM=0\r\n", "AT+CALM=1\r\n",
                     true);
}

void MainWindow::GSMDuanXinWenBenKaiguanpushButton_triggered()
{
    GSM_toggleSwitch(ui->GSMDuanXinWenBenKaiguanpushButton, GSM_smsTextMode, "AT+CMGF=1\r\n", "AT+CMGF=0\r\n",
                     true);
}

void MainWindow::GSMTestSignalpushButton_triggered()
{
    GsmReaderPause reader(this);
    AtExchange at = GSM_exchange();
    at.send("AT+CSQ\r\n");
    bool error = false;
    at.poll(11, 100, [&](const QByteArray& reply) {
        if (AtReply::holds(reply, "OK\r\n")) {
            bool found = false;
            const int value = AtReply::csqValue(reply, &found);
            if (const char* picture = found ? AtReply::signalPicture(value) : nullptr) {
                ui->GSMCheckSigneltext->setPixmap(QPixmap(QString::fromLatin1(picture)));
                return true;
            }
        }
        if (AtReply::holds(reply, "ERROR\r\n"))
            return error = true;
        return false;
    });
    if (error)
        QMessageBox::critical(nullptr, tr("Info"), QStringLiteral("Error"), QMessageBox::Cancel);
}

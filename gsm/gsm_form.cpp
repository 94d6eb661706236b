#include "gsm/gsm_form.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHostAddress>
#include <QIcon>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTextBrowser>
#include <QTextEdit>
#include <QWidget>

#include "app/formkit.h"

namespace {

QGroupBox* makeGroup(QWidget* page, const char* name, QGridLayout*& grid, const char* gridName)
{
    auto* box = FormKit::make<QGroupBox>(page, name);
    grid = new QGridLayout(box);
    grid->setObjectName(QString::fromLatin1(gridName));
    return box;
}

} // namespace

QPushButton* Ui_GsmForm::gsmKeypad(int key) const
{
    QPushButton* const keys[] = {GSMANJIANpushButton_0, GSMANJIANpushButton_1,  GSMANJIANpushButton_2,
                                 GSMANJIANpushButton_3, GSMANJIANpushButton_4,  GSMANJIANpushButton_5,
                                 GSMANJIANpushButton_6, GSMANJIANpushButton_7,  GSMANJIANpushButton_8,
                                 GSMANJIANpushButton_9, GSMANJIANpushButton_10, GSMANJIANpushButton_11};
    return keys[key];
}

void Ui_GsmForm::setupGsmForm()
{
    gsm = FormKit::makePage("gsm", gsm_pageGrid, "gsm_pageGrid");

    gsm_groupBox_serial = makeGroup(gsm, "gsm_groupBox_serial", gsm_serialGrid, "gsm_serialGrid");
    gsmFormPort = FormKit::makePortControls(gsm_groupBox_serial, gsm_serialGrid, 0, QStringLiteral("GSM"));
    GSMportNameComboBox = gsmFormPort.portList;
    GSMbaudRateComboBox = gsmFormPort.baudList;
    GSMopencompushButton = gsmFormPort.openButton;
    GSMbaudRateComboBox->clear();
    GSMbaudRateComboBox->addItems(FormKit::consoleBaudRates());
    FormKit::keepAtTop(gsm_serialGrid);

    gsm_groupBox_call = makeGroup(gsm, "gsm_groupBox_call", gsm_callGrid, "gsm_callGrid");
    GSMtextBrowser_1 = FormKit::make<QTextBrowser>(gsm_groupBox_call, "GSMtextBrowser_1");
    GSMtextBrowser_1->setMaximumHeight(40);
    gsm_callGrid->addWidget(GSMtextBrowser_1, 0, 0, 1, 3);
    QPushButton** keys[] = {&GSMANJIANpushButton_1,  &GSMANJIANpushButton_2, &GSMANJIANpushButton_3,
                            &GSMANJIANpushButton_4,  &GSMANJIANpushButton_5, &GSMANJIANpushButton_6,
                            &GSMANJIANpushButton_7,  &GSMANJIANpushButton_8, &GSMANJIANpushButton_9,
                            &GSMANJIANpushButton_10, &GSMANJIANpushButton_0, &GSMANJIANpushButton_11};
    const char* keyNames[] = {"GSMANJIANpushButton_1",  "GSMANJIANpushButton_2", "GSMANJIANpushButton_3",
                              "GSMANJIANpushButton_4",  "GSMANJIANpushButton_5", "GSMANJIANpushButton_6",
                              "GSMANJIANpushButton_7",  "GSMANJIANpushButton_8", "GSMANJIANpushButton_9",
                              "GSMANJIANpushButton_10", "GSMANJIANpushButton_0", "GSMANJIANpushButton_11"};
    for (int i = 0; i < 12; ++i) {
        *keys[i] = FormKit::make<QPushButton>(gsm_groupBox_call, keyNames[i]);
        gsm_callGrid->addWidget(*keys[i], 1 + i / 3, i % 3);
    }
    GSMANJIANpushButton_Clean = FormKit::make<QPushButton>(gsm_groupBox_call, "GSMANJIANpushButton_Clean");
    gsm_callGrid->addWidget(GSMANJIANpushButton_Clean, 5, 0);
    GSMbodianhuapushButton = FormKit::make<QPushButton>(gsm_groupBox_call, "GSMbodianhuapushButton");
    gsm_callGrid->addWidget(GSMbodianhuapushButton, 5, 1);
    GSMguadianhuapushButton = FormKit::make<QPushButton>(gsm_groupBox_call, "GSMguadianhuapushButton");
    gsm_callGrid->addWidget(GSMguadianhuapushButton, 5, 2);
    GSM_AutoRedial = FormKit::make<QCheckBox>(gsm_groupBox_call, "GSM_AutoRedial");
    gsm_callGrid->addWidget(GSM_AutoRedial, 6, 0, 1, 3);

    gsm_groupBox_signal = makeGroup(gsm, "gsm_groupBox_signal", gsm_signalGrid, "gsm_signalGrid");
    GSMTestSignalpushButton = FormKit::make<QPushButton>(gsm_groupBox_signal, "GSMTestSignalpushButton");
    gsm_signalGrid->addWidget(GSMTestSignalpushButton, 0, 0);
    GSMCheckSigneltext = FormKit::make<QLabel>(gsm_groupBox_signal, "GSMCheckSigneltext");
    GSMCheckSigneltext->setAlignment(Qt::AlignCenter);
    gsm_signalGrid->addWidget(GSMCheckSigneltext, 0, 1);

    gsm_groupBox_SMSsend = makeGroup(gsm, "gsm_groupBox_SMSsend", gsm_smsSendGrid, "gsm_smsSendGrid");
    GSMNUMtextEdit = FormKit::make<QTextEdit>(gsm_groupBox_SMSsend, "GSMNUMtextEdit");
    GSMNUMtextEdit->setMaximumHeight(40);
    gsm_smsSendGrid->addWidget(GSMNUMtextEdit, 0, 0);
    GSMtextBrowser = FormKit::make<QTextEdit>(gsm_groupBox_SMSsend, "GSMtextBrowser");
    gsm_smsSendGrid->addWidget(GSMtextBrowser, 1, 0);
    GSMSendpushButton = FormKit::make<QPushButton>(gsm_groupBox_SMSsend, "GSMSendpushButton");
    gsm_smsSendGrid->addWidget(GSMSendpushButton, 2, 0);

    gsm_groupBox_SMSRead = makeGroup(gsm, "gsm_groupBox_SMSRead", gsm_smsReadGrid, "gsm_smsReadGrid");
    GSMReadTextpushButton = FormKit::make<QPushButton>(gsm_groupBox_SMSRead, "GSMReadTextpushButton");
    gsm_smsReadGrid->addWidget(GSMReadTextpushButton, 0, 0);
    GSMDelTextpushButton = FormKit::make<QPushButton>(gsm_groupBox_SMSRead, "GSMDelTextpushButton");
    gsm_smsReadGrid->addWidget(GSMDelTextpushButton, 0, 1);
    GSMDelALLTextpushButton = FormKit::make<QPushButton>(gsm_groupBox_SMSRead, "GSMDelALLTextpushButton");
    gsm_smsReadGrid->addWidget(GSMDelALLTextpushButton, 0, 2);
    GSMReadtextBrowser = FormKit::make<QTextBrowser>(gsm_groupBox_SMSRead, "GSMReadtextBrowser");
    gsm_smsReadGrid->addWidget(GSMReadtextBrowser, 1, 0, 1, 3);

    groupBox_20 = makeGroup(gsm, "groupBox_20", gsm_gprsGrid, "gsm_gprsGrid");
    gsm_labelServerIp = FormKit::make<QLabel>(groupBox_20, "gsm_labelServerIp");
    gsm_gprsGrid->addWidget(gsm_labelServerIp, 0, 0);
    GSMTCPclientIPlineEdit = FormKit::make<QLineEdit>(groupBox_20, "GSMTCPclientIPlineEdit");
    GSMTCPclientIPlineEdit->setText(QHostAddress(QHostAddress::LocalHost).toString());
    gsm_gprsGrid->addWidget(GSMTCPclientIPlineEdit, 0, 1);
    gsm_labelServerPort = FormKit::make<QLabel>(groupBox_20, "gsm_labelServerPort");
    gsm_gprsGrid->addWidget(gsm_labelServerPort, 0, 2);
    GSMTCPclientPortlineEdit = FormKit::make<QLineEdit>(groupBox_20, "GSMTCPclientPortlineEdit");
    GSMTCPclientPortlineEdit->setText(QStringLiteral("1000"));
    gsm_gprsGrid->addWidget(GSMTCPclientPortlineEdit, 0, 3);
    GSMTCPopencompushButton = FormKit::make<QPushButton>(groupBox_20, "GSMTCPopencompushButton");
    gsm_gprsGrid->addWidget(GSMTCPopencompushButton, 0, 4);
    gsm_labelSendData = FormKit::make<QLabel>(groupBox_20, "gsm_labelSendData");
    gsm_gprsGrid->addWidget(gsm_labelSendData, 1, 0, 1, 2);
    gsm_labelReceiveData = FormKit::make<QLabel>(groupBox_20, "gsm_labelReceiveData");
    gsm_gprsGrid->addWidget(gsm_labelReceiveData, 1, 2, 1, 3);
    GSMTcpsendBrowser = FormKit::make<QTextEdit>(groupBox_20, "GSMTcpsendBrowser");
    gsm_gprsGrid->addWidget(GSMTcpsendBrowser, 2, 0, 1, 2);
    GSMTCPReadSBrowser = FormKit::make<QTextBrowser>(groupBox_20, "GSMTCPReadSBrowser");
    gsm_gprsGrid->addWidget(GSMTCPReadSBrowser, 2, 2, 2, 3);
    GSMTCPsendmsgBtn = FormKit::make<QPushButton>(groupBox_20, "GSMTCPsendmsgBtn");
    gsm_gprsGrid->addWidget(GSMTCPsendmsgBtn, 3, 0, 1, 2);

    gsm_groupBox_config = makeGroup(gsm, "gsm_groupBox_config", gsm_configGrid, "gsm_configGrid");
    gsm_labelShowCaller = FormKit::make<QLabel>(gsm_groupBox_config, "gsm_labelShowCaller");
    GSMLaidianKaiguanpushButton =
        FormKit::make<QPushButton>(gsm_groupBox_config, "GSMLaidianKaiguanpushButton");
    gsm_labelCallMusic = FormKit::make<QLabel>(gsm_groupBox_config, "gsm_labelCallMusic");
    GSMLaidianYingKaiguanpushButton =
        FormKit::make<QPushButton>(gsm_groupBox_config, "GSMLaidianYingKaiguanpushButton");
    gsm_labelSmsTextMode = FormKit::make<QLabel>(gsm_groupBox_config, "gsm_labelSmsTextMode");
    GSMDuanXinWenBenKaiguanpushButton =
        FormKit::make<QPushButton>(gsm_groupBox_config, "GSMDuanXinWenBenKaiguanpushButton");
    const QList<QPair<QLabel*, QPushButton*>> rows = {
        {gsm_labelShowCaller, GSMLaidianKaiguanpushButton},
        {gsm_labelCallMusic, GSMLaidianYingKaiguanpushButton},
        {gsm_labelSmsTextMode, GSMDuanXinWenBenKaiguanpushButton}};
    for (int i = 0; i < rows.size(); ++i) {
        rows[i].second->setIconSize(QSize(48, 24));
        // Until the modem has told the state, the switch shows that it is not known yet.
        rows[i].second->setIcon(QIcon(QStringLiteral(":/images/unknown.png")));
        gsm_configGrid->addWidget(rows[i].first, i, 0);
        gsm_configGrid->addWidget(rows[i].second, i, 1);
    }

    gsm_pageGrid->addWidget(gsm_groupBox_call, 0, 0);
    gsm_pageGrid->addWidget(gsm_groupBox_SMSsend, 0, 1);
    gsm_pageGrid->addWidget(gsm_groupBox_serial, 0, 2);
    gsm_pageGrid->addWidget(gsm_groupBox_config, 1, 0);
    gsm_pageGrid->addWidget(gsm_groupBox_SMSRead, 1, 1);
    gsm_pageGrid->addWidget(gsm_groupBox_signal, 1, 2);
    gsm_pageGrid->addWidget(groupBox_20, 2, 0, 1, 3);
}

void Ui_GsmForm::retranslateGsmForm()
{
    gsm_groupBox_serial->setTitle(FormKit::tr("Serial Setting"));
    gsmFormPort.portLabel->setText(FormKit::tr("Serial No."));
    gsmFormPort.baudLabel->setText(FormKit::tr("Baudrate"));
    GSMopencompushButton->setText(FormKit::tr("Open"));
    FormKit::setItems(GSMbaudRateComboBox, FormKit::consoleBaudRates());

    gsm_groupBox_call->setTitle(FormKit::tr("Call phone"));
    for (int key = 0; key < 10; ++key)
        gsmKeypad(key)->setText(QString::number(key));
    GSMANJIANpushButton_10->setText(QStringLiteral("*"));
    GSMANJIANpushButton_11->setText(QStringLiteral("#"));
    GSMANJIANpushButton_Clean->setText(FormKit::tr("Clear"));
    GSMbodianhuapushButton->setText(FormKit::tr("Call"));
    GSMguadianhuapushButton->setText(FormKit::tr("Cut"));
    GSM_AutoRedial->setText(FormKit::tr("Auto Redial"));

    gsm_groupBox_signal->setTitle(FormKit::tr("Signal"));
    GSMTestSignalpushButton->setText(FormKit::tr("Check signal"));

    gsm_groupBox_SMSsend->setTitle(FormKit::tr("Send SMS"));
    GSMNUMtextEdit->setHtml(FormKit::tr("Phone number"));
    GSMtextBrowser->setHtml(FormKit::tr("Please enter the SMS content"));
    GSMSendpushButton->setText(FormKit::tr("Send"));

    gsm_groupBox_SMSRead->setTitle(FormKit::tr("Read SMS"));
    GSMReadTextpushButton->setText(FormKit::tr("Read"));
    GSMDelTextpushButton->setText(FormKit::tr("Delete"));
    GSMDelALLTextpushButton->setText(FormKit::tr("Delete All"));

    groupBox_20->setTitle(FormKit::tr("GPRS Test - TCP Client"));
    gsm_labelServerIp->setText(FormKit::tr("Server IP:"));
    gsm_labelServerPort->setText(FormKit::tr("Port:"));
    gsm_labelSendData->setText(FormKit::tr("Send Data"));
    gsm_labelReceiveData->setText(FormKit::tr("Receive Data"));
    GSMTCPopencompushButton->setText(FormKit::tr("Connect"));
    GSMTCPsendmsgBtn->setText(FormKit::tr("Send"));

    gsm_groupBox_config->setTitle(FormKit::tr("Function switch"));
    gsm_labelShowCaller->setText(FormKit::tr("Show Caller"));
    gsm_labelCallMusic->setText(FormKit::tr("Call Music"));
    gsm_labelSmsTextMode->setText(FormKit::tr("SMS text mode"));
}

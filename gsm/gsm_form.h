#pragma once

#include "app/formkit.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTextBrowser>
#include <QTextEdit>
#include <QWidget>

// Widgets of the "GSM Debug" page.
class Ui_GsmForm
{
public:
    QWidget* gsm = nullptr;
    QGridLayout* gsm_pageGrid = nullptr;

    QGroupBox* gsm_groupBox_serial = nullptr;
    QGridLayout* gsm_serialGrid = nullptr;
    QComboBox* GSMportNameComboBox = nullptr;
    QComboBox* GSMbaudRateComboBox = nullptr;
    QPushButton* GSMopencompushButton = nullptr;
    FormKit::PortControls gsmFormPort;

    QGroupBox* gsm_groupBox_call = nullptr;
    QGridLayout* gsm_callGrid = nullptr;
    QTextBrowser* GSMtextBrowser_1 = nullptr;
    // Keypad: 0..9, then "*" (10) and "#" (11).
    QPushButton* GSMANJIANpushButton_0 = nullptr;
    QPushButton* GSMANJIANpushButton_1 = nullptr;
    QPushButton* GSMANJIANpushButton_2 = nullptr;
    QPushButton* GSMANJIANpushButton_3 = nullptr;
    QPushButton* GSMANJIANpushButton_4 = nullptr;
    QPushButton* GSMANJIANpushButton_5 = nullptr;
    QPushButton* GSMANJIANpushButton_6 = nullptr;
    QPushButton* GSMANJIANpushButton_7 = nullptr;
    QPushButton* GSMANJIANpushButton_8 = nullptr;
    QPushButton* GSMANJIANpushButton_9 = nullptr;
    QPushButton* GSMANJIANpushButton_10 = nullptr;
    QPushButton* GSMANJIANpushButton_11 = nullptr;
    QPushButton* GSMANJIANpushButton_Clean = nullptr;
    QPushButton* GSMbodianhuapushButton = nullptr;
    QPushButton* GSMguadianhuapushButton = nullptr;
    QCheckBox* GSM_AutoRedial = nullptr;

    QGroupBox* gsm_groupBox_signal = nullptr;
    QGridLayout* gsm_signalGrid = nullptr;
    QPushButton* GSMTestSignalpushButton = nullptr;
    QLabel* GSMCheckSigneltext = nullptr;

    QGroupBox* gsm_groupBox_SMSsend = nullptr;
    QGridLayout* gsm_smsSendGrid = nullptr;
    QTextEdit* GSMNUMtextEdit = nullptr;
    QTextEdit* GSMtextBrowser = nullptr;
    QPushButton* GSMSendpushButton = nullptr;

    QGroupBox* gsm_groupBox_SMSRead = nullptr;
    QGridLayout* gsm_smsReadGrid = nullptr;
    QPushButton* GSMReadTextpushButton = nullptr;
    QPushButton* GSMDelTextpushButton = nullptr;
    QPushButton* GSMDelALLTextpushButton = nullptr;
    QTextBrowser* GSMReadtextBrowser = nullptr;

    QGroupBox* groupBox_20 = nullptr;
    QGridLayout* gsm_gprsGrid = nullptr;
    QLabel* gsm_labelServerIp = nullptr;
    QLineEdit* GSMTCPclientIPlineEdit = nullptr;
    QLabel* gsm_labelServerPort = nullptr;
    QLineEdit* GSMTCPclientPortlineEdit = nullptr;
    QPushButton* GSMTCPopencompushButton = nullptr;
    QLabel* gsm_labelSendData = nullptr;
    QTextEdit* GSMTcpsendBrowser = nullptr;
    QPushButton* GSMTCPsendmsgBtn = nullptr;
    QLabel* gsm_labelReceiveData = nullptr;
    QTextBrowser* GSMTCPReadSBrowser = nullptr;

    QGroupBox* gsm_groupBox_config = nullptr;
    QGridLayout* gsm_configGrid = nullptr;
    QLabel* gsm_labelShowCaller = nullptr;
    QPushButton* GSMLaidianKaiguanpushButton = nullptr;
    QLabel* gsm_labelCallMusic = nullptr;
    QPushButton* GSMLaidianYingKaiguanpushButton = nullptr;
    QLabel* gsm_labelSmsTextMode = nullptr;
    QPushButton* GSMDuanXinWenBenKaiguanpushButton = nullptr;

    // The twelve keypad buttons in key order.
    QPushButton* gsmKeypad(int key) const;

    void setupGsmForm();
    void retranslateGsmForm();
};

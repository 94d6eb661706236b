#pragma once

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLCDNumber>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QWidget>

// Widgets of the "UDP Debug" page.
class Ui_UdpForm
{
public:
    QWidget* udp = nullptr;
    QGridLayout* gridLayout_3 = nullptr;
    QLabel* label_10 = nullptr;
    QPlainTextEdit* UDP_StrTextBrowser = nullptr;
    QPlainTextEdit* UDP_HexTextBrowser = nullptr;
    QGroupBox* groupBox_2 = nullptr;
    QGridLayout* gridLayout_6 = nullptr;
    QLabel* label_17 = nullptr;
    QComboBox* UDPServerIPcomboBox = nullptr;
    QLabel* label_26 = nullptr;
    QLineEdit* UDPSenderPortlineEdit = nullptr;
    QLabel* label_18 = nullptr;
    QLineEdit* UDPFarIPlineEdit = nullptr;
    QLabel* label_27 = nullptr;
    QLineEdit* UDPFarPortlineEdit = nullptr;
    QPushButton* UDPopencompushButton = nullptr;
    QPushButton* UDPreadtxtpushButton = nullptr;
    QPushButton* UDPsavetxtpushButton = nullptr;
    QPushButton* UDPcleandatapushButton = nullptr;
    QCheckBox* UDP_showtime_checkBox = nullptr;
    QCheckBox* UDP_HEXcheckBox = nullptr;
    QGroupBox* groupBox_5 = nullptr;
    QGridLayout* gridLayout_5 = nullptr;
    QPlainTextEdit* UDPsendMsgtextEdit = nullptr;
    QPushButton* UDPsendmsgBtn = nullptr;
    QCheckBox* UDPsendAsHexcheckBox = nullptr;
    QCheckBox* UDPobocheckBox = nullptr;
    QSpinBox* UDPdelayspinBox = nullptr;
    QLabel* label_11 = nullptr;
    QPushButton* UDPcleansendpushButton = nullptr;
    QGroupBox* groupBox_6 = nullptr;
    QGridLayout* gridLayout_7 = nullptr;
    QLabel* label_12 = nullptr;
    QLCDNumber* UDPsendbyteslcdNumber = nullptr;
    QLabel* label_13 = nullptr;
    QLCDNumber* UDPrecvbyteslcdNumber = nullptr;
    QPushButton* UDPcleanbytespushButton = nullptr;

    void setupUdpForm();
    void retranslateUdpForm();
};

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

// Widgets of the "TCP Debug" page.
class Ui_TcpForm
{
public:
    QWidget* tcp = nullptr;
    QGridLayout* gridLayout_12 = nullptr;
    QLabel* label_15 = nullptr;
    QPlainTextEdit* TCP_StrTextBrowser = nullptr;
    QPlainTextEdit* TCP_HexTextBrowser = nullptr;
    QGroupBox* groupBox_9 = nullptr;
    QGridLayout* gridLayout_11 = nullptr;
    QLabel* label_22 = nullptr;
    QComboBox* TCP_comboBox = nullptr;
    QLabel* label_20 = nullptr;
    QComboBox* TCPServerIPcomboBox = nullptr;
    QLabel* label_28 = nullptr;
    QLineEdit* TCPServerPortlineEdit = nullptr;
    QLabel* label_21 = nullptr;
    QLineEdit* TCPclientIPlineEdit = nullptr;
    QLabel* label_29 = nullptr;
    QLineEdit* TCPclientPortlineEdit = nullptr;
    QPushButton* TCPopencompushButton = nullptr;
    QPushButton* TCPreadtxtpushButton = nullptr;
    QPushButton* TCPsavetxtpushButton = nullptr;
    QPushButton* TCPcleandatapushButton = nullptr;
    QCheckBox* TCP_showtime_checkBox = nullptr;
    QCheckBox* TCP_HEXcheckBox = nullptr;
    QGroupBox* groupBox_7 = nullptr;
    QGridLayout* gridLayout_9 = nullptr;
    QPlainTextEdit* TCPsendMsgtextEdit = nullptr;
    QComboBox* TCP_Client_IP_comboBox = nullptr;
    QPushButton* TCPsendmsgBtn = nullptr;
    QCheckBox* TCPsendAsHexcheckBox = nullptr;
    QCheckBox* TCPobocheckBox = nullptr;
    QSpinBox* TCPdelayspinBox = nullptr;
    QLabel* label_14 = nullptr;
    QPushButton* TCPcleansendpushButton = nullptr;
    QGroupBox* groupBox_8 = nullptr;
    QGridLayout* gridLayout_10 = nullptr;
    QLabel* label_16 = nullptr;
    QLCDNumber* TCPsendbyteslcdNumber = nullptr;
    QLabel* label_19 = nullptr;
    QLCDNumber* TCPrecvbyteslcdNumber = nullptr;
    QPushButton* TCPcleanbytespushButton = nullptr;

    void setupTcpForm();
    void retranslateTcpForm();
};

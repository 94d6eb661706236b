#pragma once

#include "app/formkit.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLCDNumber>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSpacerItem>
#include <QSpinBox>
#include <QWidget>

// Widgets of the "Serial Debug" page.
class Ui_ComForm
{
public:
    QWidget* serial = nullptr;
    QGridLayout* gridLayout_4 = nullptr;
    QLabel* label_9 = nullptr;
    QPlainTextEdit* COM_StrTextBrowser = nullptr;
    QPlainTextEdit* COM_HexTextBrowser = nullptr;

    QGroupBox* groupBox = nullptr;
    QGridLayout* gridLayout_34 = nullptr;
    FormKit::PortControls comFormPort;
    QLabel* label = nullptr;
    QComboBox* portNameComboBox = nullptr;
    QLabel* label_2 = nullptr;
    QComboBox* baudRateComboBox = nullptr;
    QLabel* label_3 = nullptr;
    QComboBox* dataBitsComboBox = nullptr;
    QLabel* label_4 = nullptr;
    QComboBox* parityComboBox = nullptr;
    QLabel* label_5 = nullptr;
    QComboBox* stopBitsComboBox = nullptr;
    QPushButton* opencompushButton = nullptr;
    QPushButton* readtxtpushButton = nullptr;
    QPushButton* savetxtpushButton = nullptr;
    QPushButton* cleandatapushButton = nullptr;
    QPushButton* com_expandpushButton = nullptr;
    QCheckBox* com_checkBox_RTS = nullptr;
    QCheckBox* com_checkBox_DTR = nullptr;
    QCheckBox* showtime_checkBox = nullptr;
    QCheckBox* HEXcheckBox = nullptr;

    QGroupBox* groupBox_4 = nullptr;
    QGridLayout* gridLayout_2 = nullptr;
    QPlainTextEdit* sendMsgtextEdit = nullptr;
    QPushButton* sendmsgBtn = nullptr;
    QCheckBox* sendAsHexcheckBox = nullptr;
    QCheckBox* obocheckBox = nullptr;
    QSpinBox* delayspinBox = nullptr;
    QLabel* label_6 = nullptr;
    QPushButton* cleansendpushButton = nullptr;
    QPushButton* sendfileBtn = nullptr;

    QGroupBox* groupBox_3 = nullptr;
    QGridLayout* gridLayout = nullptr;
    QLabel* label_7 = nullptr;
    QLCDNumber* sendbyteslcdNumber = nullptr;
    QLabel* label_8 = nullptr;
    QLCDNumber* recvbyteslcdNumber = nullptr;
    QPushButton* cleanbytespushButton = nullptr;

    void setupComForm();
    void retranslateComForm();
};

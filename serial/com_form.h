#pragma once

#include "app/formkit.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QWidget>

// Widgets of the "Serial Debug" page.
class Ui_ComForm
{
public:
    QWidget* serial = nullptr;
    QGridLayout* gridLayout_4 = nullptr;
    QGroupBox* groupBox = nullptr;
    QGridLayout* com_serialGrid = nullptr;
    QComboBox* portNameComboBox = nullptr;
    QComboBox* baudRateComboBox = nullptr;
    QPushButton* opencompushButton = nullptr;
    FormKit::PortControls comFormPort;
    QComboBox* dataBitsComboBox = nullptr;
    QComboBox* parityComboBox = nullptr;
    QComboBox* stopBitsComboBox = nullptr;
    QCheckBox* com_checkBox_RTS = nullptr;
    QCheckBox* com_checkBox_DTR = nullptr;
    QPlainTextEdit* sendMsgtextEdit = nullptr;
    QPushButton* sendmsgBtn = nullptr;
    QSpinBox* delayspinBox = nullptr;
    QPushButton* sendfileBtn = nullptr;

    void setupComForm();
    void retranslateComForm();
};

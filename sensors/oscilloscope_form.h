#pragma once

#include "app/formkit.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>
#include <QWidget>

// Widgets of the "Oscilloscope" page.
class Ui_OscilloscopeForm
{
public:
    QWidget* Oscilloscope = nullptr;
    QGridLayout* gridLayout_31 = nullptr;
    QGridLayout* gridLayout_oscilloscpewideget = nullptr;
    QGroupBox* osc_groupBox_serial = nullptr;
    QVBoxLayout* osc_verticalLayout = nullptr;
    QLabel* label_66 = nullptr;
    QComboBox* OSCportNameComboBox = nullptr;
    QLabel* label_67 = nullptr;
    QComboBox* OSCbaudRateComboBox = nullptr;
    QPushButton* OSCopencompushButton = nullptr;
    QCheckBox* checkBox_0 = nullptr;
    QCheckBox* checkBox_1 = nullptr;
    QCheckBox* checkBox_2 = nullptr;
    QCheckBox* checkBox_3 = nullptr;

    void setupOscilloscopeForm();
    void retranslateOscilloscopeForm();
};

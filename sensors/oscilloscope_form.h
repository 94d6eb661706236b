#pragma once

#include "app/formkit.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QWidget>

// Widgets of the "Oscilloscope" page.
class Ui_OscilloscopeForm
{
public:
    QWidget* Oscilloscope = nullptr;
    QGridLayout* gridLayout_16 = nullptr;
    QGroupBox* osc_groupBox_serial = nullptr;
    QGridLayout* osc_serialGrid = nullptr;
    QComboBox* OSCportNameComboBox = nullptr;
    QComboBox* OSCbaudRateComboBox = nullptr;
    QPushButton* OSCopencompushButton = nullptr;
    FormKit::PortControls oscilloscopeFormPort;
    QGridLayout* gridLayout_oscilloscpewideget = nullptr;

    void setupOscilloscopeForm();
    void retranslateOscilloscopeForm();
};

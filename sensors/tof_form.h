#pragma once

#include "app/formkit.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QWidget>

// Widgets of the "TOF" page.
class Ui_TofForm
{
public:
    QWidget* TOF = nullptr;
    QGridLayout* gridLayout_20 = nullptr;
    QGroupBox* tof_groupBox_serial = nullptr;
    QGridLayout* tof_serialGrid = nullptr;
    QComboBox* TOFportNameComboBox = nullptr;
    QComboBox* TOFbaudRateComboBox = nullptr;
    QPushButton* TOFopencompushButton = nullptr;
    FormKit::PortControls tofFormPort;
    QGridLayout* gridLayout_tof = nullptr;

    void setupTofForm();
    void retranslateTofForm();
};

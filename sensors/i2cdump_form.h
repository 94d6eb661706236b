#pragma once

#include "app/formkit.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QWidget>

// Widgets of the "i2cdump" page.
class Ui_I2cdumpForm
{
public:
    QWidget* i2cdump = nullptr;
    QGridLayout* gridLayout_19 = nullptr;
    QGroupBox* i2cdump_groupBox_serial = nullptr;
    QGridLayout* i2cdump_serialGrid = nullptr;
    QComboBox* i2cdumpportNameComboBox = nullptr;
    QComboBox* i2cdumpbaudRateComboBox = nullptr;
    QPushButton* i2cdumpopencompushButton = nullptr;
    FormKit::PortControls i2cdumpFormPort;
    QGridLayout* gridLayout_i2cdump = nullptr;

    void setupI2cdumpForm();
    void retranslateI2cdumpForm();
};

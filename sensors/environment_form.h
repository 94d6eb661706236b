#pragma once

#include "app/formkit.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QWidget>

// Widgets of the "Environment" page.
class Ui_EnvironmentForm
{
public:
    QWidget* environment = nullptr;
    QGridLayout* gridLayout_14 = nullptr;
    QGroupBox* env_groupBox_serial = nullptr;
    QGridLayout* env_serialGrid = nullptr;
    QComboBox* ENVportNameComboBox = nullptr;
    QComboBox* ENVbaudRateComboBox = nullptr;
    QPushButton* ENVopencompushButton = nullptr;
    FormKit::PortControls environmentFormPort;

    void setupEnvironmentForm();
    void retranslateEnvironmentForm();
};

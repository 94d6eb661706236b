#pragma once

#include "app/formkit.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QWidget>

// Widgets of the "IMU" page.
class Ui_ImuForm
{
public:
    QWidget* tab_3 = nullptr;
    QGridLayout* gridLayout_23 = nullptr;
    QGroupBox* imu_groupBox_serial = nullptr;
    QGridLayout* imu_serialGrid = nullptr;
    QComboBox* imuportNameComboBox = nullptr;
    QComboBox* imubaudRateComboBox = nullptr;
    QPushButton* imuopencompushButton = nullptr;
    FormKit::PortControls imuFormPort;
    QGridLayout* gridLayout_IMU = nullptr;

    void setupImuForm();
    void retranslateImuForm();
};

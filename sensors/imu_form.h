#pragma once

#include "app/formkit.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QWidget>

// Widgets of the "IMU" page: the 3D view's host and the port with the attitude numbers.
class Ui_ImuForm
{
public:
    QWidget* tab_3 = nullptr;
    QGridLayout* gridLayout_50 = nullptr;
    QGridLayout* gridLayout_IMU = nullptr;
    QGroupBox* imu_groupBox_serial = nullptr;
    QGridLayout* gridLayout_49 = nullptr;
    QLabel* label_96 = nullptr;
    QComboBox* imuportNameComboBox = nullptr;
    QLabel* label_94 = nullptr;
    QComboBox* imubaudRateComboBox = nullptr;
    QPushButton* imuopencompushButton = nullptr;
    QLabel* label_108 = nullptr; // "Quaternions:"
    QLabel* label_107 = nullptr;
    QLabel* label_101 = nullptr;
    QLabel* label_102 = nullptr;
    QLabel* label_103 = nullptr;
    QLabel* label_imu_euler_w = nullptr;
    QLabel* label_imu_euler_x = nullptr;
    QLabel* label_imu_euler_y = nullptr;
    QLabel* label_imu_euler_z = nullptr;
    QLabel* label_99 = nullptr; // "Euler Angles:"
    QLabel* label_95 = nullptr;
    QLabel* label_97 = nullptr;
    QLabel* label_98 = nullptr;
    QLabel* label_imu_x = nullptr; // roll
    QLabel* label_imu_y = nullptr; // pitch
    QLabel* label_imu_z = nullptr; // yaw

    void setupImuForm();
    void retranslateImuForm();
};

#pragma once

#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>

#include <array>

#include "app/toolswitches.h"

// Form of the Preferences dialog: one on/off button per tool, the map page choice,
// the port rescan box, Cancel and OK.
class Ui_Config
{
public:
    QGridLayout* gridLayout = nullptr;
    QGroupBox* groupBox_2 = nullptr;
    QGridLayout* gridLayout_2 = nullptr;
    QComboBox* comboBox = nullptr;
    QCheckBox* serial_checkBox = nullptr;
    QPushButton* ConfigCancel_Button = nullptr;
    QPushButton* ConfigOK_Button = nullptr;

    QLabel* label_30 = nullptr;
    QLabel* label_31 = nullptr;
    QLabel* label_32 = nullptr;
    QLabel* label_33 = nullptr;
    QLabel* label_34 = nullptr;
    QLabel* label_35 = nullptr;
    QLabel* label_37 = nullptr;
    QLabel* label_38 = nullptr;
    QLabel* label_39 = nullptr;
    QLabel* label_40 = nullptr;
    QLabel* label = nullptr;
    QLabel* label_2 = nullptr;
    QLabel* label_3 = nullptr;
    QLabel* label_4 = nullptr;
    QLabel* label_5 = nullptr;
    QLabel* label_6 = nullptr;
    QLabel* label_7 = nullptr;
    QLabel* label_8 = nullptr;
    QLabel* label_9 = nullptr;

    QPushButton* Config_COM_ON_OFF = nullptr;
    QPushButton* Config_UDP_ON_OFF = nullptr;
    QPushButton* Config_TCP_ON_OFF = nullptr;
    QPushButton* Config_GPS_ON_OFF = nullptr;
    QPushButton* Config_GSM_ON_OFF = nullptr;
    QPushButton* Config_UNICODE_ON_OFF = nullptr;
    QPushButton* Config_Envir_ON_OFF = nullptr;
    QPushButton* Config_Crypty_ON_OFF = nullptr;
    QPushButton* Config_Oscilloscope_ON_OFF = nullptr;
    QPushButton* Config_MQTT_ON_OFF = nullptr;
    QPushButton* Config_Ble_ON_OFF = nullptr;
    QPushButton* Config_Spectra_ON_OFF = nullptr;
    QPushButton* Config_Convert_ON_OFF = nullptr;
    QPushButton* Config_I2CDUMP_ON_OFF = nullptr;
    QPushButton* Config_TOF_ON_OFF = nullptr;
    QPushButton* Config_MODBUS_ON_OFF = nullptr;
    QPushButton* Config_HEXTOOLS_ON_OFF = nullptr;
    QPushButton* Config_CIE_ON_OFF = nullptr;
    QPushButton* Config_IMU_ON_OFF = nullptr;

    // The same labels and buttons in tool index order.
    std::array<QLabel*, ToolSwitches::toolCount> toolLabels{};
    std::array<QPushButton*, ToolSwitches::toolCount> toolButtons{};

    void setupUi(QDialog* Config);
    void retranslateUi(QDialog* Config);
};

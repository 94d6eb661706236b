#pragma once

#include "app/formkit.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QWidget>

// Widgets of the "Modbus" page.
class Ui_ModbusForm
{
public:
    QWidget* Modbus = nullptr;
    QGridLayout* gridLayout_21 = nullptr;
    QGroupBox* modbus_groupBox_serial = nullptr;
    QGridLayout* modbus_serialGrid = nullptr;
    QComboBox* ModbusportNameComboBox = nullptr;
    QComboBox* ModbusbaudRateComboBox = nullptr;
    QPushButton* ModbusopencompushButton = nullptr;
    FormKit::PortControls modbusFormPort;
    QComboBox* ModbusdataBitsComboBox = nullptr;
    QComboBox* ModbusparityComboBox = nullptr;
    QComboBox* ModbusstopBitsComboBox = nullptr;
    QRadioButton* ModbusportMode_1 = nullptr;
    QRadioButton* ModbusportMode_2 = nullptr;

    void setupModbusForm();
    void retranslateModbusForm();
};

#pragma once

#include "app/formkit.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QWidget>

// Widgets of the "Modbus" page.
class Ui_ModbusForm
{
public:
    QWidget* Modbus = nullptr;
    QGridLayout* gridLayout_21 = nullptr;

    // Link: mode, serial settings and the TCP server address.
    QGroupBox* modbus_groupBox_serial = nullptr;
    QGridLayout* modbus_serialGrid = nullptr;
    QRadioButton* ModbusportMode_1 = nullptr;
    QRadioButton* ModbusportMode_2 = nullptr;
    FormKit::PortControls modbusFormPort;
    QComboBox* ModbusportNameComboBox = nullptr;
    QComboBox* ModbusbaudRateComboBox = nullptr;
    QPushButton* ModbusopencompushButton = nullptr;
    QLabel* ModbusdataBitsLabel = nullptr;
    QComboBox* ModbusdataBitsComboBox = nullptr;
    QLabel* ModbusparityLabel = nullptr;
    QComboBox* ModbusparityComboBox = nullptr;
    QLabel* ModbusstopBitsLabel = nullptr;
    QComboBox* ModbusstopBitsComboBox = nullptr;
    QLabel* ModbusTCPclientIPlabel = nullptr;
    QLineEdit* ModbusTCPclientIPlineEdit = nullptr;
    QLabel* ModbusTCPclientPortlabel = nullptr;
    QLineEdit* ModbusTCPclientPortlineEdit = nullptr;
    QPushButton* ModbusTCPopencompushButton = nullptr;

    // Request fields.
    QGroupBox* modbus_groupBox_request = nullptr;
    QGridLayout* modbus_requestGrid = nullptr;
    QLabel* ModbusspinBoxLabel = nullptr;
    QSpinBox* ModbusspinBox = nullptr;
    QLabel* Modbus_function_label = nullptr;
    QComboBox* Modbus_function_comboBox = nullptr;
    QLabel* Modbus_address_label = nullptr;
    QSpinBox* Modbus_address_spinBox = nullptr;
    QLabel* Modbus_quantity_label = nullptr;
    QSpinBox* Modbus_quantity_spinBox = nullptr;
    QLabel* Modbus_value_label = nullptr;
    QLineEdit* Modbus_lineEdit = nullptr;
    QPushButton* Modbus_pushButton = nullptr;

    // Request and reply logs.
    QGroupBox* modbus_groupBox_send = nullptr;
    QGridLayout* modbus_sendGrid = nullptr;
    QPlainTextEdit* Modbus_sendMsgtextEdit = nullptr;
    QPushButton* Modbus_send_cleandatapushButton = nullptr;
    QGroupBox* modbus_groupBox_receive = nullptr;
    QGridLayout* modbus_receiveGrid = nullptr;
    QPlainTextEdit* Modbus_HexTextBrowser = nullptr;
    QPushButton* Modbus_revice_cleandatapushButton = nullptr;

    void setupModbusForm();
    void retranslateModbusForm();
};
